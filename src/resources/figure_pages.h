#pragma once
// The code-less figure pages: the tutorial's topic pages Form1 to Form15, the test's explanation
// pages Formq01 to Formq25 and the picture glossary Glossary2.

#include "resources/description.h"

#include <span>

namespace quorvel {

std::span<const ScreenDescription> figurePageDescriptions();
const ScreenDescription *findFigurePage(std::string_view name);

} // namespace quorvel
