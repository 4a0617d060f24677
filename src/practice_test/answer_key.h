#pragma once
// The answer key of the practice test: for each question on show (known by the question cursor),
// the right row or rows, its explanation page, the confirmation and whether the typed
// explanations are emptied before a choice is judged.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace quorvel {

// The list rows that count as right: row 0 is the question line, rows 1 to 5 the choices a to e.
class RightRows
{
public:
    constexpr RightRows(std::initializer_list<int> rows)
    {
        for (int row : rows)
            m_mask = static_cast<std::uint8_t>(m_mask | (1u << row));
    }
    constexpr bool contains(int row) const { return row >= 0 && row < 8 && (m_mask >> row) & 1u; }

private:
    std::uint8_t m_mask = 0;
};

struct AnswerKeyEntry {
    std::int16_t cursor;           // questionCursor while the question is on show: 6 (k - 1)
    RightRows rightRows;           // exactly one, but for question 15 (beds 3 and 4 tie)
    std::string_view page;         // explanation page shown for a right choice
    std::string_view confirmation; // caption of the verdict label for a right choice
    bool emptiesText;              // every question but the first empties Text before judging
};

namespace answer_key {

std::span<const AnswerKeyEntry> entries();
// The entry whose cursor value equals the cursor exactly, or nullptr (the closing line).
const AnswerKeyEntry *find(std::int16_t cursor);

} // namespace answer_key

} // namespace quorvel
