#pragma once
// The names of the screens that the program's behaviour opens or picks out by name. The topic
// pages and explanation pages are named in the rows of the topic table and the answer key.

#include <string_view>

namespace quorvel::screen_name {

inline constexpr std::string_view Introduction = "Introduction";
inline constexpr std::string_view Instructions = "Instructions";
inline constexpr std::string_view Glossary = "Glossary";
inline constexpr std::string_view Glossary2 = "Glossary2";
inline constexpr std::string_view VascularFunctionCurves = "VascularFunctionCurves";
inline constexpr std::string_view Test = "Test";
inline constexpr std::string_view form22 = "form22";

} // namespace quorvel::screen_name
