// The tutorial's menu bar: the screens it opens, closing the tutorial and ending the session.

#include "tutorial_view.h"

using namespace quorvel;
using namespace quorvel::testing;

namespace {
QStringList formNames(const ScreenRegistry &registry)
{
    QStringList names;
    for (const Screen *s : registry.forms())
        names.append(QString::fromUtf8(s->name().data(), s->name().size()));
    names.sort();
    return names;
}

// The tutorial with topic 6 chosen and the practice test, instructions and picture glossary open.
void openEverything(Program &p)
{
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 7);
    p.chooseMenu("VascularFunctionCurves", "mnuInstructions");
    p.chooseMenu("VascularFunctionCurves", "mnuGlossary");
    p.chooseMenu("VascularFunctionCurves", "mnuTest");
}
} // namespace

class TutorialMenusTest : public QObject
{
    Q_OBJECT

private slots:
    void tutorialFromItsOwnMenuChangesNothing();
    void entriesOpenTheOneInstance_data();
    void entriesOpenTheOneInstance();
    void pictureGlossaryIsOneWindowForAllMenus();
    void closeTutorialLeavesOnlyTheWelcomeScreen();
    void reopeningAfterCloseStartsAfresh();
    void closeTutorialAfterTheWelcomeScreenWasClosedEnds();
    void closingTheTutorialThroughItsFrameLeavesThePages();
    void endSessionEndsWithScreensOpen();
};

void TutorialMenusTest::tutorialFromItsOwnMenuChangesNothing()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 13);
    ScreenWindow *before = p.window("VascularFunctionCurves");
    const QStringList forms = formNames(p.registry);

    p.chooseMenu("VascularFunctionCurves", "mnuRelations");
    QCOMPARE(p.window("VascularFunctionCurves"), before);
    QCOMPARE(formNames(p.registry), forms);
    QUORVEL_CHECK(checkSelectionShown(p, 13));
    QCOMPARE(p.registry.activeScreen(), p.registry.existing("VascularFunctionCurves"));
}

void TutorialMenusTest::entriesOpenTheOneInstance_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("screen");
    QTest::newRow("Instructions") << "mnuInstructions"
                                  << "Instructions";
    QTest::newRow("Glossary") << "mnuGlossary"
                              << "Glossary2";
    QTest::newRow("Test") << "mnuTest"
                          << "Test";
}

void TutorialMenusTest::entriesOpenTheOneInstance()
{
    QFETCH(QString, entry);
    QFETCH(QString, screen);
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 3);
    p.chooseMenu("VascularFunctionCurves", entry.toStdString());
    ScreenWindow *opened = p.window(screen.toStdString());
    QVERIFY(opened);
    QVERIFY(p.visible(screen.toStdString()));
    QCOMPARE(p.registry.activeScreen(), p.registry.existing(screen.toStdString()));
    const int count = p.registry.count();

    p.chooseMenu("VascularFunctionCurves", entry.toStdString());
    QCOMPARE(p.window(screen.toStdString()), opened);
    QCOMPARE(p.registry.count(), count);
    // The tutorial stays open behind, its topic still on show.
    QUORVEL_CHECK(checkSelectionShown(p, 3));
    QVERIFY(p.visible("VascularFunctionCurves"));
}

void TutorialMenusTest::pictureGlossaryIsOneWindowForAllMenus()
{
    Program p;
    p.chooseMenu("Introduction", "mnuGlossary");
    ScreenWindow *glossary = p.window("Glossary2");
    QVERIFY(glossary && p.visible("Glossary2"));
    p.chooseMenu("Introduction", "mnuVFC");
    p.chooseMenu("VascularFunctionCurves", "mnuGlossary");
    QCOMPARE(p.window("Glossary2"), glossary);
    QCOMPARE(p.registry.activeScreen()->name(), std::string_view("Glossary2"));
    p.chooseMenu("VascularFunctionCurves", "mnuTest");
    p.chooseMenu("Test", "mnuGlossary");
    QCOMPARE(p.window("Glossary2"), glossary);
    QCOMPARE(p.registry.activeScreen()->name(), std::string_view("Glossary2"));
    QCOMPARE(formNames(p.registry).count("Glossary2"), 1);
    QVERIFY(!p.loaded("Glossary")); // the text glossary is not what the menus open
}

void TutorialMenusTest::closeTutorialLeavesOnlyTheWelcomeScreen()
{
    Program p;
    openEverything(p);
    p.chooseMenu("VascularFunctionCurves", "mnuCloseTutorial");
    QCOMPARE(formNames(p.registry), QStringList{"Introduction"});
    for (const char *gone : {"VascularFunctionCurves", "Instructions", "Glossary2", "Test"})
        QVERIFY2(!p.loaded(gone), gone);
    QVERIFY(loadedPages(p).isEmpty());
    QVERIFY(p.visible("Introduction"));
    QCOMPARE(p.endCalls, 0);
    QVERIFY(!p.registry.ended());
}

void TutorialMenusTest::reopeningAfterCloseStartsAfresh()
{
    Program p;
    openEverything(p);
    p.chooseMenu("VascularFunctionCurves", "mnuCloseTutorial");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    p.chooseMenu("Introduction", "mnuVFC");
    ScreenWindow *w = p.window("VascularFunctionCurves");
    QVERIFY(w);
    QCOMPARE(w->properties().listRows("basicList1").size(), 17);
    QCOMPARE(w->properties().listIndex("basicList1"), -1);
    QCOMPARE(seenPanel(w), QStringLiteral("title"));
    QVERIFY(w->properties().controlVisible("title"));
    QVERIFY(!w->properties().controlVisible("resistance4")); // the last topic's panel is back to hidden
    QUORVEL_CHECK(checkUntouchedControls(w));
    QVERIFY(loadedPages(p).isEmpty());
    QCOMPARE(formNames(p.registry), (QStringList{"Introduction", "VascularFunctionCurves"}));

    // and works as before
    p.clickRow("VascularFunctionCurves", "basicList1", 14);
    QUORVEL_CHECK(checkSelectionShown(p, 14));
}

void TutorialMenusTest::closeTutorialAfterTheWelcomeScreenWasClosedEnds()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 2);
    p.closeThroughFrame("Introduction");
    QCOMPARE(p.endCalls, 0); // the tutorial still has a title bar on show
    p.chooseMenu("VascularFunctionCurves", "mnuCloseTutorial");
    QCOMPARE(p.registry.count(), 0);
    QCOMPARE(p.endCalls, 1);
}

void TutorialMenusTest::closingTheTutorialThroughItsFrameLeavesThePages()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 3);
    p.closeThroughFrame("VascularFunctionCurves");
    QVERIFY(!p.loaded("VascularFunctionCurves"));
    QCOMPARE(loadedPages(p), topicPages());
    QCOMPARE(visiblePages(p), QStringList{"Form2"});

    // Reopened: a fresh load with the title card, the page left on show stays.
    p.chooseMenu("Introduction", "mnuVFC");
    QCOMPARE(seenPanel(p.window("VascularFunctionCurves")), QStringLiteral("title"));
    QCOMPARE(visiblePages(p), QStringList{"Form2"});
    p.clickRow("VascularFunctionCurves", "basicList1", 0);
    QUORVEL_CHECK(checkSelectionShown(p, 0));
}

void TutorialMenusTest::endSessionEndsWithScreensOpen()
{
    Program p;
    openEverything(p);
    p.chooseMenu("VascularFunctionCurves", "mnuEnd");
    QCOMPARE(p.registry.count(), 0);
    QCOMPARE(p.endCalls, 1);
    QVERIFY(p.registry.ended());
    QVERIFY(!p.loaded("Introduction"));
}

QUORVEL_TEST_MAIN(TutorialMenusTest)
#include "test_tutorial_menus.moc"
