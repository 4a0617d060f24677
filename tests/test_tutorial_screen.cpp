// The tutorial screen as it opens: window, controls, stacking of the panel area, topic list, menus.

#include "tutorial_view.h"

#include "tutorial/vascular_function_curves_description.h"
#include "window/picture.h"

#include <QMenuBar>

#include <algorithm>

using namespace quorvel;
using namespace quorvel::testing;

namespace {
ScreenWindow *openTutorial(Program &p)
{
    p.chooseMenu("Introduction", "mnuVFC");
    return p.window("VascularFunctionCurves");
}

QColor backOf(const QWidget *w, QPalette::ColorRole role = QPalette::Window)
{
    return w->palette().color(role);
}

QWidget *clientOf(const ScreenWindow *w, std::string_view box)
{
    return w->control(box)->findChild<QWidget *>(QString::fromUtf8(box.data(), box.size()) + ".client");
}
} // namespace

class TutorialScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheTitleCardAndAnEmptySelection();
    void topicRowsKeepTheirBlanks();
    void openingTwiceLoadsOnce();
    void boxesSitInTheirContainers();
    void panelAreaStacksInStoredOrder();
    void panelsAreDrawnWithTheirPictures();
    void listAndLabelsLookAsDescribed();
    void tabOrderRunsWithoutGaps();
    void menuBarHasSixEntries();
};

void TutorialScreenTest::opensWithTheTitleCardAndAnEmptySelection()
{
    Program p;
    ScreenWindow *w = openTutorial(p);
    QVERIFY(w);
    QVERIFY(p.visible("VascularFunctionCurves"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tutorial"));
    QVERIFY(w->isMaximized());
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(backOf(w->surface()), QColor(0, 0, 255));

    QCOMPARE(w->properties().listIndex("basicList1"), -1);
    QCOMPARE(seenPanel(w), QStringLiteral("title"));
    // The five placeable panels and master start visible beneath vein1; the others hidden.
    QCOMPARE(visiblePanels(w), (QStringList{"resistance2b", "partitionb", "reflection1b", "reflection3", "vein1"}));
    QVERIFY(w->properties().controlVisible("title"));
    QUORVEL_CHECK(checkUntouchedControls(w));
    QVERIFY(loadedPages(p).isEmpty());
    QCOMPARE(p.registry.count(), 2);
    // BasicAnswers1 comes first in tab order but is hidden, so the list takes the focus.
    QCOMPARE(w->focusWidget(), w->control("basicList1"));
}

void TutorialScreenTest::topicRowsKeepTheirBlanks()
{
    Program p;
    const QStringList rows = openTutorial(p)->properties().listRows("basicList1");
    const QStringList expected{
        "  BASIC BLOOD FLOW TOPICS  ",
        "",
        " 1.   Blood flow and velocity",
        " 2.   Basic blood pressures ",
        " 3.   Resistance of a blood vessel",
        " 4.   Resistance as a general concept",
        " 5.   Total Peripheral Resistance",
        " 6.   Resistance Calculation",
        " 7.   Laminar vs. Turbulent flow",
        " 8.   Cardiac and Artery Stenoses",
        " 9.   Wall shear stress",
        " 10. Resistance Partioning",
        " 11. Pulsatile pressure and flow",
        " 12. Reflection of pulses in arteries 1",
        " 13. Reflection of pulses in arteries 2",
        " 14. Reflection Examples",
        " 15. Pressure and flow in veins",
    };
    QCOMPARE(rows, expected);
    QVERIFY(rows.at(3).endsWith(QLatin1Char(' ')));
}

void TutorialScreenTest::openingTwiceLoadsOnce()
{
    Program p;
    ScreenWindow *first = openTutorial(p);
    p.clickRow("VascularFunctionCurves", "basicList1", 7);
    p.chooseMenu("Introduction", "mnuVFC");
    QCOMPARE(p.window("VascularFunctionCurves"), first);
    QCOMPARE(first->properties().listRows("basicList1").size(), 17);
    QUORVEL_CHECK(checkSelectionShown(p, 7));
    QCOMPARE(p.registry.activeScreen()->name(), std::string_view("VascularFunctionCurves"));

    // From the test's menu as well: still the one window with its 17 rows.
    p.chooseMenu("VascularFunctionCurves", "mnuTest");
    p.chooseMenu("Test", "mnuRelations");
    QCOMPARE(p.window("VascularFunctionCurves"), first);
    QCOMPARE(first->properties().listRows("basicList1").size(), 17);
}

void TutorialScreenTest::boxesSitInTheirContainers()
{
    Program p;
    ScreenWindow *w = openTutorial(p);
    const std::pair<const char *, const char *> nested[] = {
        {"title", "vein1"},        {"reflection1", "pulse1"}, {"partition", "stress"},        {"resistance4", "master"},
        {"resistance3", "master"}, {"resistance1", "master"}, {"resistance2", "resistance1"}, {"pressure1", "master"},
        {"flow1", "master"},
    };
    for (const auto &[box, container] : nested)
        QCOMPARE(w->control(box)->parentWidget(), clientOf(w, container));
    // The placeable panels reach 120 twips above and below master and cover it whole.
    const QRect master = w->control("master")->geometry();
    for (const char *panel : {"vein1", "partitionb", "resistance2b", "reflection1b", "reflection3"}) {
        const QRect r = w->control(panel)->geometry();
        QVERIFY(r.contains(master));
        QCOMPARE(master.top() - r.top(), twipsToPixels(120));
    }
    for (const char *panel : {"reflection2", "pulse1", "stress", "stenoses", "turbulence1"})
        QCOMPARE(w->control(panel)->geometry(), master);
    QCOMPARE(master, QRect(twipsToPixels(5040), twipsToPixels(240), twipsToPixels(8415), twipsToPixels(5895)));
}

void TutorialScreenTest::panelAreaStacksInStoredOrder()
{
    Program p;
    ScreenWindow *w = openTutorial(p);
    const QStringList onScreen{"vein1",       "partitionb", "resistance2b", "reflection1b", "reflection3",
                               "reflection2", "pulse1",     "stress",       "stenoses",     "turbulence1"};
    for (const QString &box : onScreen)
        w->properties().setControlVisible(box.toStdString(), true);
    w->properties().setControlVisible("title", false);
    // Each box hides all below it; taking the top one away uncovers the next in stored order.
    for (const QString &box : onScreen) {
        QCOMPARE(seenPanel(w), box);
        w->properties().setControlVisible(box.toStdString(), false);
    }
    QCOMPARE(seenPanel(w), QStringLiteral("master"));

    // A box inside master is seen only while master is visible too.
    w->properties().setControlVisible("resistance3", true);
    QCOMPARE(seenPanel(w), QStringLiteral("resistance3"));
    w->properties().setControlVisible("master", false);
    QCOMPARE(seenPanel(w), QStringLiteral("(screen)"));
}

void TutorialScreenTest::panelsAreDrawnWithTheirPictures()
{
    const auto controls = vascularFunctionCurvesDescription.controls;
    int placeable = 0, enhanced = 0;
    for (const ControlDescription &d : controls) {
        if (d.kind != ControlKind::PictureBox || d.name == "master")
            continue;
        QCOMPARE(QString::fromUtf8(d.picture.file.data(), d.picture.file.size()),
                 QStringLiteral("VascularFunctionCurves.%1.svg").arg(QString::fromUtf8(d.name.data(), d.name.size())));
        if (d.picture.kind == PictureKind::PlaceableMetafile) {
            ++placeable;
            QVERIFY(!d.backColor.has_value());
        } else {
            ++enhanced;
            QCOMPARE(d.picture.kind, PictureKind::EnhancedMetafile);
            QCOMPARE(d.backColor, std::optional<Colour>(colours::lightYellow));
        }
    }
    QCOMPARE(placeable, 6);
    QCOMPARE(enhanced, 13);

    Program p;
    ScreenWindow *w = openTutorial(p);
    QCOMPARE(backOf(clientOf(w, "flow1")), QColor(255, 255, 192));
    QCOMPARE(backOf(clientOf(w, "master")), QColor(0, 0, 255));
    auto *title = static_cast<PictureSurface *>(clientOf(w, "title"));
    QVERIFY2(title->picture(), "the title card is among the program's pictures");
    QCOMPARE(title->picture()->kind(), PictureKind::PlaceableMetafile);
    QVERIFY(!static_cast<PictureSurface *>(clientOf(w, "master"))->picture());
}

void TutorialScreenTest::listAndLabelsLookAsDescribed()
{
    Program p;
    ScreenWindow *w = openTutorial(p);
    auto *list = topicList(p);
    QCOMPARE(backOf(list, QPalette::Base), QColor(0, 0, 192));
    // Text in the desktop's window-background colour.
    QCOMPARE(backOf(list, QPalette::Text), QApplication::palette().color(QPalette::Base));
    QVERIFY(list->font().bold());
    QCOMPARE(list->font().pixelSize(), 13); // 9.75 pt at 96 dpi
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(!list->isSortingEnabled());

    auto *prompt = qobject_cast<QLabel *>(w->control("Label3"));
    QCOMPARE(prompt->text(), QStringLiteral("Click on topic to see related text"));
    QVERIFY(prompt->alignment() & Qt::AlignHCenter);
    QCOMPARE(prompt->frameShape(), QFrame::Box);
    QCOMPARE(backOf(prompt), QColor(0, 0, 192));
    QCOMPARE(backOf(prompt, QPalette::WindowText), QColor(255, 255, 255));
    QVERIFY(prompt->font().bold());

    auto *hidden = qobject_cast<QLabel *>(w->control("Label1"));
    QCOMPARE(hidden->text(), QString());
    QCOMPARE(backOf(hidden), QColor(0, 0, 255));
    QCOMPARE(hidden->frameShape(), QFrame::NoFrame);

    auto *answers = qobject_cast<QPlainTextEdit *>(w->control("BasicAnswers1"));
    QCOMPARE(answers->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(backOf(answers, QPalette::Base), QColor(0, 0, 192));
}

void TutorialScreenTest::tabOrderRunsWithoutGaps()
{
    std::vector<int> indices;
    for (const ControlDescription &d : vascularFunctionCurvesDescription.controls)
        indices.push_back(d.tabIndex);
    std::sort(indices.begin(), indices.end());
    for (size_t i = 0; i < indices.size(); ++i)
        QCOMPARE(indices[i], int(i));
    QCOMPARE(indices.size(), size_t(24));
}

void TutorialScreenTest::menuBarHasSixEntries()
{
    Program p;
    ScreenWindow *w = openTutorial(p);
    QStringList captions, names;
    for (QAction *a : w->menuBar()->actions()) {
        captions.append(a->text());
        names.append(a->objectName());
        QVERIFY(a->isVisible() && a->isEnabled());
        QVERIFY(!a->menu());
    }
    QCOMPARE(captions, (QStringList{"Instructions", "Tutorial", "CloseTutorial", "Glossary", "Test", "End Session"}));
    QCOMPARE(names,
             (QStringList{"mnuInstructions", "mnuRelations", "mnuCloseTutorial", "mnuGlossary", "mnuTest", "mnuEnd"}));
}

QUORVEL_TEST_MAIN(TutorialScreenTest)
#include "test_tutorial_screen.moc"
