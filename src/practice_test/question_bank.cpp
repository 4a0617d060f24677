#include "practice_test/question_bank.h"

#include "practice_test/question_bank_texts.h"

#include <cassert>

namespace quorvel {

void QuestionBank::fill()
{
    int index = 1;
    for (std::string_view text : question_texts::bankSlots)
        m_slots[static_cast<std::size_t>(index++)] = text;
}

std::string_view QuestionBank::slot(int index) const
{
    assert(index >= 0 && index <= lastSlot && "the bank ends at slot 150");
    return m_slots[static_cast<std::size_t>(index)];
}

std::span<const std::string_view, QuestionBank::rowsPerQuestion> QuestionBank::questionOneRows()
{
    return question_texts::questionOne;
}

} // namespace quorvel
