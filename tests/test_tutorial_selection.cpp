// Choosing topics in the tutorial's list with the mouse and the keyboard.

#include "tutorial_view.h"

#include "tutorial/vascular_function_curves.h"

using namespace quorvel;
using namespace quorvel::testing;

namespace {
// The tutorial with a count of the list's Click events, to see one Click per student action.
class CountingTutorial : public VascularFunctionCurves
{
public:
    using VascularFunctionCurves::VascularFunctionCurves;
    int listClicks = 0;

protected:
    bool handleEvent(std::string_view control, ControlEvent event) override
    {
        if (control == "basicList1")
            ++listClicks;
        return VascularFunctionCurves::handleEvent(control, event);
    }
};

std::unique_ptr<Screen> countingCatalogue(ScreenRegistry &registry, std::string_view name)
{
    if (name == "VascularFunctionCurves")
        return std::make_unique<CountingTutorial>(registry);
    return createScreen(registry, name);
}

void pressKey(const Program &p, Qt::Key key)
{
    QTest::keyClick(topicList(p), key);
}
} // namespace

class TutorialSelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void firstSelection_data();
    void firstSelection();
    void selectionSequences_data();
    void selectionSequences();
    void topic15AfterTheTitleShowsTheVein();
    void unloadedPagesComeBack();
    void keyboardMovesTheSelection();
    void oneClickPerStudentAction();
};

void TutorialSelectionTest::firstSelection_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("heading row") << 0;
    QTest::newRow("empty row") << 1;
    for (int topic = 1; topic <= 15; ++topic)
        QTest::addRow("topic %d", topic) << topic + 1;
}

void TutorialSelectionTest::firstSelection()
{
    QFETCH(int, row);
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    QCOMPARE(seenPanel(p.window("VascularFunctionCurves")), QStringLiteral("title"));
    QVERIFY(loadedPages(p).isEmpty());

    p.clickRow("VascularFunctionCurves", "basicList1", row);
    QUORVEL_CHECK(checkSelectionShown(p, row));
    // The page of the chosen topic is the active screen; the tutorial stays open behind it.
    if (!pageAt(row).isEmpty())
        QCOMPARE(QString::fromUtf8(p.registry.activeScreen()->name()), pageAt(row));
    QVERIFY(p.visible("VascularFunctionCurves"));
    QCOMPARE(p.registry.count(), 2 + 15);
}

void TutorialSelectionTest::selectionSequences_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("topic 15 then topic 1") << QList<int>{16, 2};
    QTest::newRow("topic 1 then topic 15") << QList<int>{2, 16};
    QTest::newRow("heading row after a topic") << QList<int>{9, 0};
    QTest::newRow("empty row after a topic in master") << QList<int>{4, 1};
    QTest::newRow("topic after the heading row") << QList<int>{0, 12};
    QTest::newRow("topics 4, 10, 12 with twin boxes") << QList<int>{5, 11, 13};
    QTest::newRow("topics 7 and 8 share a picture") << QList<int>{8, 9, 8};
    QTest::newRow("same topic twice") << QList<int>{7, 7};
    QTest::newRow("from master to a box above and back") << QList<int>{3, 14, 6};
    QTest::newRow("every row downward") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    QTest::newRow("every topic upward") << QList<int>{16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
}

void TutorialSelectionTest::selectionSequences()
{
    QFETCH(QList<int>, rows);
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    for (int row : rows) {
        p.clickRow("VascularFunctionCurves", "basicList1", row);
        QUORVEL_CHECK(checkSelectionShown(p, row));
    }
}

void TutorialSelectionTest::topic15AfterTheTitleShowsTheVein()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    ScreenWindow *w = p.window("VascularFunctionCurves");
    // title lies inside vein1 and covers it: on opening the title card is what the student sees.
    QVERIFY(w->properties().controlVisible("vein1"));
    QCOMPARE(seenPanel(w), QStringLiteral("title"));

    p.clickRow("VascularFunctionCurves", "basicList1", 16);
    QCOMPARE(seenPanel(w), QStringLiteral("vein1"));
    QVERIFY(!w->properties().controlVisible("title"));
    QCOMPARE(visiblePages(p), QStringList{"Form15"});

    // The title never comes back within this load.
    p.clickRow("VascularFunctionCurves", "basicList1", 2);
    p.clickRow("VascularFunctionCurves", "basicList1", 16);
    QCOMPARE(seenPanel(w), QStringLiteral("vein1"));
}

void TutorialSelectionTest::unloadedPagesComeBack()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 4); // topic 3
    // A frameless page has no close box: the window manager's close (Alt+F4) leaves it as it is.
    p.closeThroughFrame("Form3");
    QVERIFY(p.visible("Form3"));
    // Only the walks unload topic pages; unloaded, they come back with the next selection.
    p.registry.unload(p.registry.screen("Form3"));
    p.registry.unload(p.registry.screen("Form9"));
    QVERIFY(!p.loaded("Form3"));
    QVERIFY(!p.loaded("Form9"));
    QVERIFY(p.loaded("VascularFunctionCurves"));
    QCOMPARE(p.endCalls, 0);

    // A click on the row already selected is a choice all the same: the page is loaded again.
    p.clickRow("VascularFunctionCurves", "basicList1", 4);
    QUORVEL_CHECK(checkSelectionShown(p, 4));

    p.registry.unload(p.registry.screen("Form3"));
    p.clickRow("VascularFunctionCurves", "basicList1", 10); // topic 9
    QUORVEL_CHECK(checkSelectionShown(p, 10));
    QVERIFY(p.loaded("Form3"));
    QVERIFY(!p.visible("Form3"));
}

void TutorialSelectionTest::keyboardMovesTheSelection()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 2);
    // The page took the focus; the arrow keys still move the list's selection.
    pressKey(p, Qt::Key_Down);
    QUORVEL_CHECK(checkSelectionShown(p, 3));
    for (int row = 4; row <= 16; ++row) {
        pressKey(p, Qt::Key_Down);
        QUORVEL_CHECK(checkSelectionShown(p, row));
    }
    pressKey(p, Qt::Key_Up);
    QUORVEL_CHECK(checkSelectionShown(p, 15));
    pressKey(p, Qt::Key_Home);
    QUORVEL_CHECK(checkSelectionShown(p, 0));
    pressKey(p, Qt::Key_End);
    QUORVEL_CHECK(checkSelectionShown(p, 16));
}

void TutorialSelectionTest::oneClickPerStudentAction()
{
    ScreenRegistry registry(countingCatalogue);
    registry.setEndHandler([] {});
    registry.show("Introduction");
    registry.show("VascularFunctionCurves");
    auto &tutorial = registry.screenAs<CountingTutorial>("VascularFunctionCurves");
    QCOMPARE(tutorial.listClicks, 0); // filling the list raises no Click
    auto *list = qobject_cast<QListWidget *>(tutorial.window()->control("basicList1"));

    const auto clickRow = [list](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    };
    clickRow(5);
    QCOMPARE(tutorial.listClicks, 1);
    clickRow(5); // the row already selected
    QCOMPARE(tutorial.listClicks, 2);
    clickRow(9);
    QCOMPARE(tutorial.listClicks, 3);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(tutorial.listClicks, 4);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(tutorial.listClicks, 5);
    QCOMPARE(tutorial.window()->properties().listIndex("basicList1"), 9);
    QVERIFY(registry.existing("Form8")->visible());

    // Reopening from the menu fills the list again only after an unload, and raises no Click.
    tutorial.window()->menuAction("mnuRelations")->trigger();
    QCOMPARE(tutorial.listClicks, 5);
}

QUORVEL_TEST_MAIN(TutorialSelectionTest)
#include "test_tutorial_selection.moc"
