// The practice test screen as the student opens and steps through it: its look on opening, the
// start, next and reset buttons with the figure each question needs, and its menu.

#include "practice_test_student.h"
#include "window/text.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>

using namespace quorvel;
using namespace quorvel::testing;

namespace {
// The six rows that question k (2 to 25) shows, or the closing rows for k = 26, from the bank.
QStringList bankRowsOfQuestion(int question)
{
    QuestionBank bank;
    bank.fill();
    QStringList rows;
    for (int slot = 6 * question - 11; slot <= 6 * question - 6; ++slot)
        rows.append(toQString(bank.slot(slot)));
    return rows;
}

QStringList questionOneRows()
{
    QStringList rows;
    for (std::string_view row : QuestionBank::questionOneRows())
        rows.append(toQString(row));
    return rows;
}

const QStringList closingRows{QStringLiteral(" THATS ALL FOLKS - HOPE YOU HAD FUN !"), {}, {}, {}, {}, {}};
} // namespace

class PracticeTestSteppingTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheStartInstructions()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        QVERIFY(program.visible("Test"));
        QCOMPARE(student.window()->windowTitle(), QStringLiteral("Test"));
        QVERIFY(student.window()->isMaximized());
        QVERIFY(!student.listShown());
        QVERIFY(student.rows().isEmpty());
        QCOMPARE(student.figureOnTop(), QStringLiteral("q26"));
        QCOMPARE(student.verdict(), QString());
        QCOMPARE(student.explanation(), QString());
        QCOMPARE(student.cursor(), 0);
        QCOMPARE(student.window()->focusWidget(), student.window()->control("cmdNext"));
        QStringList menu;
        for (QAction *action : student.window()->menuBar()->actions())
            menu.append(action->text());
        QCOMPARE(menu, (QStringList{"Instructions", "Tutorial", "Glossary", "Test", "CloseTest", "End Session"}));
    }

    void instructionLabelShowsItsWholeCaption()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        auto *label = qobject_cast<QLabel *>(student.window()->control("Label2"));
        QCOMPARE(label->text(),
                 QStringLiteral("As appropriate, use the figure below to respond to the multiple choice question ."));
        const QRect needed =
            QFontMetrics(label->font()).boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text());
        QVERIFY2(needed.height() <= label->contentsRect().height(), qPrintable(QString::number(needed.height())));
    }

    void stepsThroughAllQuestionsWithTheirFigures()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        QVERIFY(student.listShown());
        QCOMPARE(student.rows(), questionOneRows());
        QCOMPARE(student.figureOnTop(), QStringLiteral("q1"));
        QCOMPARE(student.cursor(), 0);
        for (int question = 2; question <= 25; ++question) {
            student.next();
            QCOMPARE(student.rows(), bankRowsOfQuestion(question));
            QCOMPARE(student.cursor(), 6 * (question - 1));
            QCOMPARE(student.figureOnTop(), figureOfQuestion(question));
            QCOMPARE(student.verdict(), QStringLiteral(" "));
            QVERIFY(student.listShown());
        }
        QCOMPARE(student.rows().first(),
                 QStringLiteral("25. Which of the following is a true statement about blood flow in arterioles?"));
        student.next();
        QCOMPARE(student.rows(), closingRows);
        QCOMPARE(student.cursor(), 150);
        QCOMPARE(student.figureOnTop(), QStringLiteral("q21"));
        QCOMPARE(student.verdict(), QStringLiteral(" "));
    }

    void nextAtTheClosingLineShowsItAgain()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.next(25);
        student.typeExplanation(QStringLiteral("notes"));
        student.next();
        QCOMPARE(student.rows(), closingRows);
        QCOMPARE(student.cursor(), 150);
        QCOMPARE(student.explanation(), QString());
        QCOMPARE(student.figureOnTop(), QStringLiteral("q21"));
        student.next(3);
        QCOMPARE(student.rows(), closingRows);
        QCOMPARE(student.cursor(), 150);
        // start and reset work as ever afterwards
        student.start();
        QCOMPARE(student.rows(), questionOneRows());
        QCOMPARE(student.figureOnTop(), QStringLiteral("q1"));
        student.next(2);
        student.reset();
        QCOMPARE(student.rows(), QStringList());
        QCOMPARE(student.cursor(), 0);
    }

    void nextBeforeAnyStartKeepsTheInstructions()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.next();
        QCOMPARE(student.cursor(), 6);
        QVERIFY(!student.listShown());
        QCOMPARE(student.figureOnTop(), QStringLiteral("q26"));
        student.next(20); // thresholds pass, yet the instructions lie on top of them all
        QCOMPARE(student.cursor(), 126);
        QCOMPARE(student.figureOnTop(), QStringLiteral("q26"));
        QCOMPARE(student.rows(), bankRowsOfQuestion(22));
        student.start();
        QVERIFY(student.listShown());
        QCOMPARE(student.rows(), questionOneRows());
        QCOMPARE(student.cursor(), 0);
        QCOMPARE(student.figureOnTop(), QStringLiteral("q1"));
    }

    void resetAtQuestionTwenty()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.next(19);
        QCOMPARE(student.cursor(), 114);
        QCOMPARE(student.figureOnTop(), QStringLiteral("q17"));
        student.pick(1);
        student.typeExplanation(QStringLiteral("kidney"));
        student.reset();
        QCOMPARE(student.rows(), QStringList());
        QVERIFY(student.listShown());
        QCOMPARE(student.cursor(), 0);
        QCOMPARE(student.figureOnTop(), QStringLiteral("q1"));
        QCOMPARE(student.explanation(), QString());
        QCOMPARE(student.verdict(), QStringLiteral("TRY AGAIN")); // reset leaves the verdict
        student.next();
        QCOMPARE(student.rows(), bankRowsOfQuestion(2));
        QCOMPARE(student.figureOnTop(), QStringLiteral("q1"));
    }

    void closeTestAndReopenKeepsTheCursor()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.next(5);
        student.pick(3); // question 6, right: its page opens
        QCOMPARE(student.openPages(), QStringList{"Formq06"});
        program.chooseMenu("Test", "mnuCloseTest");
        QVERIFY(!program.loaded("Test"));
        QVERIFY(!program.loaded("Formq06"));
        QVERIFY(program.loaded("Introduction"));
        QCOMPARE(program.endCalls, 0);
        QCOMPARE(student.cursor(), 30);
        student.openTest();
        QVERIFY(!student.listShown());
        QVERIFY(student.rows().isEmpty());
        QCOMPARE(student.figureOnTop(), QStringLiteral("q26"));
        QCOMPARE(student.verdict(), QString());
        QCOMPARE(student.cursor(), 30);
        QCOMPARE(toQString(student.screen().questionBank().slot(145)), closingRows.first()); // refilled by the load
        student.next();
        QCOMPARE(student.cursor(), 36);
        QCOMPARE(student.rows(), bankRowsOfQuestion(7));
        student.start();
        QCOMPARE(student.rows(), questionOneRows());
    }

    void ownTestEntryChangesNothing()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.next(11);
        student.pick(2);
        QWidget *before = student.window();
        program.chooseMenu("Test", "mnuTest");
        QCOMPARE(student.window(), before);
        QCOMPARE(student.rows(), bankRowsOfQuestion(12));
        QCOMPARE(student.cursor(), 66);
        QCOMPARE(student.figureOnTop(), QStringLiteral("Q12"));
        QCOMPARE(student.verdict(), QStringLiteral("TRY AGAIN"));
        QCOMPARE(student.list()->currentRow(), 2);
        QCOMPARE(program.registry.activeScreen(), &student.screen());
    }

    void menuOpensTheOtherScreens_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("screen");
        QTest::newRow("instructions") << "mnuInstruct"
                                      << "Instructions";
        QTest::newRow("tutorial") << "mnuRelations"
                                  << "VascularFunctionCurves";
        QTest::newRow("glossary") << "mnuGlossary"
                                  << "Glossary2";
    }
    void menuOpensTheOtherScreens()
    {
        QFETCH(QString, entry);
        QFETCH(QString, screen);
        Program program;
        TestStudent student(program);
        student.openTest();
        program.chooseMenu("Test", entry.toStdString());
        QVERIFY(program.visible(screen.toStdString()));
        QCOMPARE(program.registry.activeScreen(), program.registry.existing(screen.toStdString()));
        QVERIFY(program.visible("Test"));
    }

    void endSessionEndsTheProgram()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.pick(2);
        QVERIFY(program.loaded("Formq01"));
        program.chooseMenu("Test", "mnuEnd");
        QVERIFY(program.registry.ended());
        QCOMPARE(program.registry.count(), 0);
        QCOMPARE(program.endCalls, 1);
        QCOMPARE(student.cursor(), 0); // the instance outlives the walk
    }
};

QUORVEL_TEST_MAIN(PracticeTestSteppingTest)
#include "test_practice_test.moc"
