#include "walk_invariants.h"
#include "window/screen_window.h"
#include "window/text.h"

#include "practice_test/practice_test.h"
#include "practice_test/question_bank.h"

#include <QStringList>

namespace quorvel::testing {

namespace {
QStringList questionOneRows()
{
    QStringList rows;
    for (std::string_view row : QuestionBank::questionOneRows())
        rows.append(toQString(row));
    return rows;
}

// The six bank slots ending at the cursor: what the next-question button last put in the list.
QStringList slotsEndingAt(const QuestionBank &bank, int cursor)
{
    QStringList rows;
    for (int slot = cursor - 5; slot <= cursor; ++slot)
        rows.append(toQString(bank.slot(slot)));
    return rows;
}

const QStringList verdicts{QString(), QStringLiteral(" "), QStringLiteral("CORRECT!"), QStringLiteral("CORRECT! "),
                           QStringLiteral("TRY AGAIN")};
} // namespace

// The test's list holds what its cursor and last operation call for: nothing (just loaded, or
// reset), question 1 with the cursor at 0 (start), or the six slots ending at the cursor (next).
QString practiceTestInvariants(ScreenRegistry &registry)
{
    Screen *screen = registry.existing("Test");
    if (!screen || !screen->loaded())
        return {};
    const auto &test = static_cast<const Test &>(*screen);
    const int cursor = test.questionCursor();
    if (cursor < 0 || cursor > QuestionBank::lastSlot || cursor % QuestionBank::rowsPerQuestion != 0)
        return QStringLiteral("test cursor %1 is off the bank's question grid").arg(cursor);
    const ScreenWindow *window = screen->window();
    const QStringList rows = window->properties().listRows("List2");
    const bool consistent = rows.isEmpty() || (cursor == 0 && rows == questionOneRows()) ||
                            (cursor >= 6 && rows == slotsEndingAt(test.questionBank(), cursor));
    if (!consistent)
        return QStringLiteral("test list [%1] does not fit cursor %2").arg(rows.join(QLatin1Char('|'))).arg(cursor);
    if (!verdicts.contains(window->properties().caption("Label1")))
        return QStringLiteral("test verdict \"%1\" is none the test gives").arg(window->properties().caption("Label1"));
    return {};
}

} // namespace quorvel::testing
