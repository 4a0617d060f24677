// The random walk's tutorial invariants: quiet while the student uses the tutorial as intended,
// and loud when a topic's panel and page part ways or an untouchable control changes.

#include "tutorial_view.h"
#include "walk_invariants.h"

using namespace quorvel;
using namespace quorvel::testing;

class TutorialInvariantsTest : public QObject
{
    Q_OBJECT

private slots:
    void quietDuringOrdinaryUse();
    void reportsBrokenStates_data();
    void reportsBrokenStates();
};

void TutorialInvariantsTest::quietDuringOrdinaryUse()
{
    Program p;
    QCOMPARE(tutorialInvariants(p.registry), QString());
    p.chooseMenu("Introduction", "mnuVFC");
    QCOMPARE(tutorialInvariants(p.registry), QString());
    for (int row : {5, 16, 0, 2, 9, 1, 13}) {
        p.clickRow("VascularFunctionCurves", "basicList1", row);
        QCOMPARE(tutorialInvariants(p.registry), QString());
    }
    p.closeThroughFrame("VascularFunctionCurves"); // the page of topic 12 stays on show
    QCOMPARE(tutorialInvariants(p.registry), QString());
    p.chooseMenu("Introduction", "mnuVFC");
    QCOMPARE(tutorialInvariants(p.registry), QString());
    p.clickRow("VascularFunctionCurves", "basicList1", 4);
    p.closeThroughFrame("Form3");
    QCOMPARE(tutorialInvariants(p.registry), QString());
    p.chooseMenu("VascularFunctionCurves", "mnuCloseTutorial");
    QCOMPARE(tutorialInvariants(p.registry), QString());
}

void TutorialInvariantsTest::reportsBrokenStates_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::newRow("second page shown") << "show Form9";
    QTest::newRow("page of another topic") << "swap page";
    QTest::newRow("second panel shown") << "show stenoses";
    QTest::newRow("chosen panel hidden") << "hide pressure1";
    QTest::newRow("twin box shown") << "show partition";
    QTest::newRow("master hidden") << "hide master";
    QTest::newRow("prompt changed") << "caption Label3";
    QTest::newRow("answers box given a text") << "text BasicAnswers1";
    QTest::newRow("title back after a choice") << "show title";
}

void TutorialInvariantsTest::reportsBrokenStates()
{
    QFETCH(QString, breakage);
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 3); // topic 2
    QCOMPARE(tutorialInvariants(p.registry), QString());
    ScreenWindow *w = p.window("VascularFunctionCurves");
    const QString target = breakage.section(' ', 1);
    const std::string name = target.toStdString();
    if (breakage.startsWith("show Form"))
        p.registry.show(name);
    else if (breakage == "swap page") {
        p.registry.hide(p.registry.screen("Form2"));
        p.registry.show("Form5");
    } else if (breakage.startsWith("show"))
        w->properties().setControlVisible(name, true);
    else if (breakage.startsWith("hide"))
        w->properties().setControlVisible(name, false);
    else if (breakage.startsWith("caption"))
        w->properties().setCaption(name, QStringLiteral("Click on a topic"));
    else
        w->properties().setText(name, QStringLiteral("answer"));
    QVERIFY2(!tutorialInvariants(p.registry).isEmpty(), qPrintable(breakage));
}

QUORVEL_TEST_MAIN(TutorialInvariantsTest)
#include "test_tutorial_invariants.moc"
