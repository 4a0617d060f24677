#pragma once
// A screen whose content is lines printed on its surface, the way a line printer writes.

#include "shell/screen.h"

#include <span>

namespace quorvel {

class TextPage : public Screen
{
public:
    using Screen::Screen;

    // Clear the surface and move the print position to the top left corner.
    void Cls();
    // Print one text at the print position and move to the start of the next line.
    void Print(std::string_view text);

protected:
    void clearAndPrint(std::span<const std::string_view> lines);
};

} // namespace quorvel
