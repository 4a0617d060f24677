#pragma once

#include "shell/screen.h"

namespace quorvel {

// A screen that shows one picture and has no behaviour of its own.
class FigurePage : public Screen
{
public:
    using Screen::Screen;
};

} // namespace quorvel
