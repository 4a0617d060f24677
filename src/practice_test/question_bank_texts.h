#pragma once
// The texts of the practice test: the six rows of question 1, which the start button puts into the
// list itself, and the 145 filled slots of the question bank.

#include <array>
#include <string_view>

namespace quorvel::question_texts {

extern const std::array<std::string_view, 6> questionOne;
extern const std::array<std::string_view, 145> bankSlots; // slots 1 to 145

} // namespace quorvel::question_texts
