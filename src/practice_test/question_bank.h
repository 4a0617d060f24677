#pragma once
// The question bank of the practice test: 151 text slots, 0 to 150. Questions 2 to 25 take six
// slots each (question line, then choices a to e) from slot 1 on; slot 145 is the closing line;
// slot 0 and slots 146 to 150 stay empty. Question 1 is not in the bank: the start button shows it.

#include <array>
#include <span>
#include <string_view>

namespace quorvel {

class QuestionBank
{
public:
    static constexpr int slotCount = 151;
    static constexpr int lastSlot = slotCount - 1;
    static constexpr int rowsPerQuestion = 6;

    // Writes slots 1 to 145 with their texts; the screen does this at every load.
    void fill();
    // The text of a slot from 0 to 150; a slot never filled reads as empty text.
    std::string_view slot(int index) const;

    // The rows of question 1, held by the start operation.
    static std::span<const std::string_view, rowsPerQuestion> questionOneRows();

private:
    std::array<std::string_view, slotCount> m_slots{};
};

} // namespace quorvel
