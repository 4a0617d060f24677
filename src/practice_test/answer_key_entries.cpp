#include "practice_test/answer_key_entries.h"

namespace quorvel::answer_key {

namespace {
// Choice letters as list rows: row 0 is the question line.
constexpr int a = 1, b = 2, c = 3, d = 4, e = 5;

constexpr std::string_view correct = "CORRECT!";
constexpr std::string_view correctQuestion12 = "CORRECT! "; // with its trailing blank
constexpr bool keepsText = false, emptiesText = true;
} // namespace

// clang-format off
//   cursor  right      page       confirmation        Text
const std::array<AnswerKeyEntry, 25> table{{
    {0,      {b},       "Formq01", correct,            keepsText},
    {6,      {c},       "Formq02", correct,            emptiesText},
    {12,     {b},       "Formq03", correct,            emptiesText},
    {18,     {c},       "Formq04", correct,            emptiesText},
    {24,     {b},       "Formq05", correct,            emptiesText},
    {30,     {c},       "Formq06", correct,            emptiesText},
    {36,     {d},       "Formq07", correct,            emptiesText},
    {42,     {b},       "Formq08", correct,            emptiesText},
    {48,     {e},       "Formq09", correct,            emptiesText},
    {54,     {e},       "Formq10", correct,            emptiesText},
    {60,     {c},       "Formq11", correct,            emptiesText},
    {66,     {d},       "Formq12", correctQuestion12,  emptiesText},
    {72,     {d},       "Formq13", correct,            emptiesText},
    {78,     {a},       "Formq14", correct,            emptiesText},
    {84,     {c, d},    "Formq15", correct,            emptiesText}, // beds 3 and 4 tie at the greatest Pc, 30 mmHg
    {90,     {c},       "Formq16", correct,            emptiesText},
    {96,     {a},       "Formq17", correct,            emptiesText},
    {102,    {d},       "Formq18", correct,            emptiesText},
    {108,    {a},       "Formq19", correct,            emptiesText},
    {114,    {d},       "Formq20", correct,            emptiesText},
    {120,    {d},       "Formq21", correct,            emptiesText},
    {126,    {c},       "Formq22", correct,            emptiesText},
    {132,    {e},       "Formq23", correct,            emptiesText},
    {138,    {e},       "Formq24", correct,            emptiesText},
    {144,    {d},       "Formq25", correct,            emptiesText},
}};
// clang-format on

} // namespace quorvel::answer_key
