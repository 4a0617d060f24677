#pragma once
// The welcome screen: its description and the captions its load sets.

#include "resources/description.h"

#include <string_view>

namespace quorvel {

extern const ScreenDescription introductionDescription;

namespace introduction_texts {
inline constexpr std::string_view greeting = "TAVREN/quorvel.example Welcomes You To";
inline constexpr std::string_view title = "UNDERSTANDING ESSENTIALS OF Quorvel";
inline constexpr std::string_view recommendation =
    "We recommend that you start your first session by visiting the instructions page";
} // namespace introduction_texts

} // namespace quorvel
