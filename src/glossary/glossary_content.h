#pragma once
// The text glossary of heart-mechanics terms: its description and the 45 lines it prints.

#include "resources/description.h"

#include <array>
#include <string_view>

namespace quorvel {

extern const ScreenDescription glossaryDescription;
extern const std::array<std::string_view, 45> GlossaryLines;

} // namespace quorvel
