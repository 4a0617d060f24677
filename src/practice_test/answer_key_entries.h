#pragma once
// The rows of the answer key, one per question, in question order.

#include "practice_test/answer_key.h"

#include <array>

namespace quorvel::answer_key {

extern const std::array<AnswerKeyEntry, 25> table;

} // namespace quorvel::answer_key
