#pragma once
// Which class each of the program's 47 screen names is.

#include "shell/screen.h"

#include <array>
#include <memory>
#include <string_view>

namespace quorvel {

std::unique_ptr<Screen> createScreen(ScreenRegistry &registry, std::string_view name);

// The names of every screen of the program.
const std::array<std::string_view, 47> &screenNames();

} // namespace quorvel
