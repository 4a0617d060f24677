#pragma once
// The instructions page: its description and the 14 lines it prints.

#include "resources/description.h"

#include <array>
#include <string_view>

namespace quorvel {

extern const ScreenDescription instructionsDescription;
extern const std::array<std::string_view, 14> InstructionLines;

} // namespace quorvel
