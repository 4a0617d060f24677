// The practice test's data without any window: the question bank, the answer key, and the key
// checked against the haemodynamics of the figures it refers to.

#include "practice_test/answer_key.h"
#include "practice_test/question_bank.h"
#include "resources/figure_pages.h"
#include "window/text.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace quorvel;

namespace {
QuestionBank filledBank()
{
    QuestionBank bank;
    bank.fill();
    return bank;
}

// The row of the bank that a choice of question k (2 to 25) occupies: row 0 is the question line.
QString bankRow(const QuestionBank &bank, int question, int row)
{
    return toQString(bank.slot(6 * question - 11 + row));
}

// The numbers a choice names ("d. 1 and 5 " -> 1, 5; "c. 30 mmHg" -> 30), after its letter.
QList<double> numbersInChoice(const QString &choice)
{
    const QString afterLetter = choice.section(QLatin1Char('.'), 1);
    QList<double> numbers;
    static const QRegularExpression number(QStringLiteral(R"(\d+(\.\d+)?)"));
    for (const auto &match : number.globalMatch(afterLetter))
        numbers.append(match.captured().toDouble());
    return numbers;
}

QList<int> rightRowsOf(const AnswerKeyEntry &entry)
{
    QList<int> rows;
    for (int row = 0; row <= 5; ++row) {
        if (entry.rightRows.contains(row))
            rows.append(row);
    }
    return rows;
}

const AnswerKeyEntry &keyOfQuestion(int question)
{
    const AnswerKeyEntry *entry = answer_key::find(static_cast<std::int16_t>(6 * (question - 1)));
    if (!entry)
        qFatal("question %d has no key entry", question);
    return *entry;
}

// Five parallel beds between the aorta (90 mmHg) and the central veins (0 mmHg).
struct Bed {
    double precapillary, postcapillary;
    double flow() const { return 90.0 / (precapillary + postcapillary); }
    double capillaryPressure() const { return flow() * postcapillary; }
};
const Bed beds[] = {{1.80, 0.20}, {0.80, 0.20}, {1.20, 0.60}, {2.00, 1.00}, {1.60, 0.40}};

bool nearlyEqual(double a, double b)
{
    return std::abs(a - b) < 1e-9 * std::max(1.0, std::abs(a));
}
} // namespace

class QuestionBankTest : public QObject
{
    Q_OBJECT

private slots:
    void slotTextsAtTheEdges_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::newRow("first") << 1 << "2. Which segment(s) have the least blood velocity?";
        QTest::newRow("q5 a trailing blank") << 20 << "a. 1 ";
        QTest::newRow("q11 d doubled blank") << 59 << "d. [(P1-P5)/2]  - Pe ";
        QTest::newRow("q13 a no blank") << 68 << "a.1";
        QTest::newRow("q16 a three blanks") << 86 << "a.   9 mmHg";
        QTest::newRow("q17 e") << 96 << "e. 0.105 ";
        QTest::newRow("q18 a leading blank") << 98 << " a. 0.020 ";
        QTest::newRow("q18 e") << 102 << "e. 0.105";
        QTest::newRow("q20 question")
            << 109 << "20. If CO is fixed and only kidney arterioles dilate, which statement is true? ";
        QTest::newRow("q21 question") << 115
                                      << " 21.  Which of the following will increase the wave-speed of an aortic "
                                         "pressure pulse?                                 ";
        QTest::newRow("q23 b second period") << 129 << "b. . Less reflection occurs with peripheral vasoconstriction";
        QTest::newRow("last choice")
            << 144 << "e. If the diameter is fixed, the average shear stress is inverse to the blood flow";
        QTest::newRow("closing line") << 145 << " THATS ALL FOLKS - HOPE YOU HAD FUN !";
        for (int slot : {0, 146, 147, 148, 149, 150})
            QTest::addRow("empty %d", slot) << slot << QString();
    }
    void slotTextsAtTheEdges()
    {
        QFETCH(int, slot);
        QFETCH(QString, text);
        QCOMPARE(toQString(filledBank().slot(slot)), text);
    }

    void question21KeepsItsBlanks()
    {
        const QString line = toQString(filledBank().slot(115));
        QVERIFY(line.startsWith(QStringLiteral(" 21.  Which")));
        const QString trimmedEnd = line.left(line.size() - 33);
        QVERIFY(line.endsWith(QString(33, QLatin1Char(' '))));
        QVERIFY(trimmedEnd.endsWith(QStringLiteral("pulse?")));
    }

    // Question k fills slots 6k-11 to 6k-6: its numbered line, then the choices a to e.
    void everyQuestionSitsInItsSixSlots()
    {
        const QuestionBank bank = filledBank();
        for (int question = 2; question <= 25; ++question) {
            const QString line = bankRow(bank, question, 0).trimmed();
            QVERIFY2(line.startsWith(QString::number(question) + QLatin1Char('.')), qPrintable(line));
            for (int row = 1; row <= 5; ++row) {
                const QString choice = bankRow(bank, question, row).trimmed();
                QVERIFY2(choice.startsWith(QString(QChar('a' + row - 1)) + QLatin1Char('.')), qPrintable(choice));
            }
        }
    }

    void unfilledBankIsEmptyAndRefillingChangesNothing()
    {
        QuestionBank bank;
        for (int slot = 0; slot <= QuestionBank::lastSlot; ++slot)
            QVERIFY(bank.slot(slot).empty());
        bank.fill();
        const QuestionBank reference = filledBank();
        bank.fill();
        for (int slot = 0; slot <= QuestionBank::lastSlot; ++slot)
            QCOMPARE(toQString(bank.slot(slot)), toQString(reference.slot(slot)));
        QVERIFY(!bank.slot(145).empty());
    }

    void keyHasOneEntryPerQuestionOnItsCursor()
    {
        QCOMPARE(answer_key::entries().size(), std::size_t(25));
        for (int question = 1; question <= 25; ++question) {
            const AnswerKeyEntry &entry = keyOfQuestion(question);
            QCOMPARE(int(entry.cursor), 6 * (question - 1));
            QCOMPARE(toQString(entry.page), QStringLiteral("Formq%1").arg(question, 2, 10, QLatin1Char('0')));
            const ScreenDescription *page = findFigurePage(entry.page);
            QVERIFY(page);
            QCOMPARE(toQString(page->caption), QStringLiteral("Question %1").arg(question));
            QCOMPARE(entry.emptiesText, question != 1);
            QCOMPARE(toQString(entry.confirmation),
                     question == 12 ? QStringLiteral("CORRECT! ") : QStringLiteral("CORRECT!"));
            QVERIFY(!entry.rightRows.contains(0)); // the question line is never right
            QCOMPARE(rightRowsOf(entry).size(), question == 15 ? 2 : 1);
        }
        for (int cursor : {-6, 3, 145, 150, 156})
            QVERIFY2(!answer_key::find(static_cast<std::int16_t>(cursor)), qPrintable(QString::number(cursor)));
    }

    // The right choices as the student reads them; catches a key pointing one row off.
    void rightChoiceTexts_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("choice");
        QTest::newRow("7") << 7 << "d. 3-4-2 ";
        QTest::newRow("11") << 11 << "c. [(P1+P5)/2] - Pe";
        QTest::newRow("21") << 21 << " d. Decreased aortic compliance";
        QTest::newRow("23") << 23 << "e. The backward flow-wave subtracts from the forward flow-wave";
        QTest::newRow("25")
            << 25 << "d. If the diameter is fixed, the largest shear stress occurs at the wall of the arteriole";
    }
    void rightChoiceTexts()
    {
        QFETCH(int, question);
        QFETCH(QString, choice);
        const QList<int> rows = rightRowsOf(keyOfQuestion(question));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(bankRow(filledBank(), question, rows.first()), choice);
    }

    void questionOneRightChoiceIsSegmentTwo()
    {
        const QList<int> rows = rightRowsOf(keyOfQuestion(1));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(toQString(QuestionBank::questionOneRows()[std::size_t(rows.first())]), QStringLiteral("b. 2"));
        QCOMPARE(toQString(QuestionBank::questionOneRows()[0]),
                 QStringLiteral("1. Which segment(s) have the greatest blood velocity?"));
    }

    void keyOfTheFiveBedsAgreesWithThePhysics()
    {
        const QuestionBank bank = filledBank();
        auto bedsOf = [&](int question, int row) {
            QList<int> numbers;
            for (double n : numbersInChoice(bankRow(bank, question, row)))
                numbers.append(int(n) - 1);
            return numbers;
        };
        // the tie that makes question 15 accept two beds
        QVERIFY(nearlyEqual(beds[2].capillaryPressure(), 30) && nearlyEqual(beds[3].capillaryPressure(), 30));
        // 12: the two beds named by the right choice, and no other choice, share their flow.
        for (int row = 1; row <= 5; ++row) {
            const QList<int> pair = bedsOf(12, row);
            QCOMPARE(pair.size(), 2);
            const bool equal = nearlyEqual(beds[pair[0]].flow(), beds[pair[1]].flow());
            QCOMPARE(equal, keyOfQuestion(12).rightRows.contains(row));
        }
        // 13 to 15: the right choices are exactly the beds at the extreme.
        auto checkExtreme = [&](int question, auto value, bool least) {
            double extreme = value(beds[0]);
            for (const Bed &bed : beds)
                extreme = least ? std::min(extreme, value(bed)) : std::max(extreme, value(bed));
            for (int row = 1; row <= 5; ++row) {
                const QList<int> bed = bedsOf(question, row);
                QCOMPARE(bed.size(), 1);
                const bool atExtreme = nearlyEqual(value(beds[bed.first()]), extreme);
                QVERIFY2(atExtreme == keyOfQuestion(question).rightRows.contains(row),
                         qPrintable(QStringLiteral("question %1 row %2").arg(question).arg(row)));
            }
        };
        checkExtreme(
            13, [](const Bed &b) { return b.flow(); }, true);
        checkExtreme(
            14, [](const Bed &b) { return b.capillaryPressure(); }, true);
        checkExtreme(
            15, [](const Bed &b) { return b.capillaryPressure(); }, false);
        // 16: the capillary pressure of bed 4.
        checkNumericAnswer(bank, 16, beds[3].capillaryPressure());
    }

    void keyOfTheSystemicCirculationAgreesWithThePhysics()
    {
        const QuestionBank bank = filledBank();
        const double cardiacOutput = 5000, arterial = 105, venous = 5, kidneyFlow = 1000, giResistance = 0.2;
        const double perfusion = arterial - venous;
        checkNumericAnswer(bank, 17, perfusion / cardiacOutput); // total peripheral resistance
        checkNumericAnswer(bank, 18, perfusion / kidneyFlow);    // kidney resistance
        checkNumericAnswer(bank, 19, perfusion / giResistance);  // GI flow
    }

private:
    // Exactly the right choice of the question names the computed value.
    static void checkNumericAnswer(const QuestionBank &bank, int question, double value)
    {
        for (int row = 1; row <= 5; ++row) {
            const QList<double> numbers = numbersInChoice(bankRow(bank, question, row));
            QCOMPARE(numbers.size(), 1);
            const bool matches = std::abs(numbers.first() - value) < 1e-6;
            QVERIFY2(matches == keyOfQuestion(question).rightRows.contains(row),
                     qPrintable(QStringLiteral("question %1 row %2 value %3").arg(question).arg(row).arg(value)));
        }
    }
};

QTEST_APPLESS_MAIN(QuestionBankTest)
#include "test_question_bank.moc"
