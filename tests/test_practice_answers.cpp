// Judging the student's choices: the verdict, the explanation pages, the typed explanations and
// the closing line, where nothing is judged.

#include "practice_test_student.h"

#include "practice_test/answer_key.h"
#include "resources/units.h"

using namespace quorvel;
using namespace quorvel::testing;

namespace {
QString pageOf(int question)
{
    return QStringLiteral("Formq%1").arg(question, 2, 10, QLatin1Char('0'));
}

int firstRightRow(int question)
{
    const AnswerKeyEntry *entry = answer_key::find(static_cast<std::int16_t>(6 * (question - 1)));
    for (int row = 1; row <= 5; ++row) {
        if (entry && entry->rightRows.contains(row))
            return row;
    }
    return -1;
}

int aWrongRow(int question)
{
    return firstRightRow(question) == 1 ? 2 : 1;
}
} // namespace

class PracticeTestAnswersTest : public QObject
{
    Q_OBJECT

private slots:
    void judgesEveryQuestionAndOpensItsPage()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        QStringList pages;
        for (int question = 1; question <= 25; ++question) {
            if (question > 1)
                student.next();
            student.pick(0); // the question line is never an answer
            QCOMPARE(student.verdict(), QStringLiteral("TRY AGAIN"));
            student.pick(aWrongRow(question));
            QCOMPARE(student.verdict(), QStringLiteral("TRY AGAIN"));
            QCOMPARE(student.openPages(), pages);
            student.pick(firstRightRow(question));
            QCOMPARE(student.verdict(), question == 12 ? QStringLiteral("CORRECT! ") : QStringLiteral("CORRECT!"));
            pages.append(pageOf(question)); // earlier pages stay open
            QCOMPARE(student.openPages(), pages);
            QCOMPARE(program.registry.activeScreen(), program.registry.existing(pageOf(question).toStdString()));
            QCOMPARE(student.cursor(), 6 * (question - 1)); // judging never moves the cursor
        }
        const ScreenWindow *page = program.window("Formq25");
        QCOMPARE(page->windowTitle(), QStringLiteral("Question 25"));
        QCOMPARE(page->geometry().topLeft(), QPoint(twipsToPixels(840), twipsToPixels(1050)));
    }

    void closingLineJudgesNothing()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.next(24);
        student.pick(firstRightRow(25));
        student.next();
        QCOMPARE(student.cursor(), 150);
        program.closeThroughFrame("Formq25");
        student.typeExplanation(QStringLiteral("kept"));
        for (int row = 0; row <= 5; ++row) {
            student.pick(row);
            QCOMPARE(student.verdict(), QStringLiteral(" "));
            QCOMPARE(student.explanation(), QStringLiteral("kept"));
            QCOMPARE(student.openPages(), QStringList());
        }
    }

    void typedTextSurvivesOnlyTheChecksOfQuestionOne()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.typeExplanation(QStringLiteral("velocity is flow over area"));
        for (int row : {0, 1, 2, 4}) {
            student.pick(row);
            QCOMPARE(student.explanation(), QStringLiteral("velocity is flow over area"));
        }
        for (int row : {1, firstRightRow(2)}) {
            student.next();
            student.typeExplanation(QStringLiteral("segment 3 is widest"));
            student.pick(row); // wrong, then right: both empty the box first
            QCOMPARE(student.explanation(), QString());
        }
    }

    void sameRightRowTwiceBringsTheOnePageForward()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.pick(2);
        Screen *page = program.registry.existing("Formq01");
        QVERIFY(page && page->visible());
        const ScreenWindow *pageWindow = page->window();
        const int loadedScreens = program.registry.count();
        program.chooseMenu("Test", "mnuTest"); // the student comes back to the test
        QCOMPARE(program.registry.activeScreen(), &student.screen());
        student.pick(2); // the row that is already selected
        QCOMPARE(student.list()->currentRow(), 2);
        QCOMPARE(program.registry.activeScreen(), page);
        QCOMPARE(page->window(), pageWindow); // not loaded again
        QCOMPARE(program.registry.count(), loadedScreens);
        QCOMPARE(program.registry.existing("Formq01"), page);
        QCOMPARE(student.verdict(), QStringLiteral("CORRECT!"));
    }

    void question15AcceptsBedsThreeAndFour_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("right");
        QTest::newRow("question line") << 0 << false;
        QTest::newRow("a bed 1") << 1 << false;
        QTest::newRow("b bed 2") << 2 << false;
        QTest::newRow("c bed 3") << 3 << true;
        QTest::newRow("d bed 4") << 4 << true;
        QTest::newRow("e bed 5") << 5 << false;
    }
    void question15AcceptsBedsThreeAndFour()
    {
        QFETCH(int, row);
        QFETCH(bool, right);
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.next(14);
        QCOMPARE(student.rows().first(), QStringLiteral("15. Which vascular bed has the greatest capillary pressure?"));
        student.pick(row);
        QCOMPARE(student.verdict(), right ? QStringLiteral("CORRECT!") : QStringLiteral("TRY AGAIN"));
        QCOMPARE(student.openPages(), right ? QStringList{"Formq15"} : QStringList());
    }

    void startLeavesTheLastVerdict()
    {
        Program program;
        TestStudent student(program);
        student.openTest();
        student.start();
        student.next(3);
        student.pick(firstRightRow(4));
        student.start();
        QCOMPARE(student.verdict(), QStringLiteral("CORRECT!"));
        student.next();
        QCOMPARE(student.verdict(), QStringLiteral(" "));
    }
};

QUORVEL_TEST_MAIN(PracticeTestAnswersTest)
#include "test_practice_answers.moc"
