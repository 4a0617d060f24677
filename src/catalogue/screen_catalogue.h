#pragma once
// The program's 47 screens, one row each: the screen's name and how its single instance is made.
// The registry creates screens from it; the tests and the tools list the screens from it.

#include "shell/screen.h"

#include <memory>
#include <span>
#include <string_view>

namespace quorvel {

struct CatalogueEntry {
    std::string_view name;
    std::unique_ptr<Screen> (*create)(ScreenRegistry &registry, std::string_view name);
};

// Every screen: first the six with behaviour of their own, then the figure pages, in the order
// of their descriptions (topic pages, explanation pages, the picture glossary).
std::span<const CatalogueEntry> screenCatalogue();

// The instance of the named screen; null for a name the catalogue does not hold.
std::unique_ptr<Screen> createScreen(ScreenRegistry &registry, std::string_view name);
// The description of the named screen, without making it; null for a name it does not hold.
const ScreenDescription *describeScreen(std::string_view name);

} // namespace quorvel
