#pragma once
// Fonts of the descriptions on Qt, and the faces that keep the layout alike on every machine.
//
// Every picture and page was laid out for Arial's advance widths: subscripts and exponents sit at
// fixed places after the text they belong to, and lines fill their frames. So "Arial" and
// "MS Sans Serif" are drawn with a face that has Arial's metrics, chosen on purpose and never left
// to whatever the machine's font configuration offers for the name (DejaVu Sans is some 14%
// wider). A real Arial is used where the machine has one; otherwise Liberation Sans, which the
// program carries for machines that lack it (see registerFonts). A glyph the face lacks comes
// from DejaVu Sans, the one fallback, in the weight of its text.

#include "resources/description.h"

#include <QFont>

namespace quorvel {

// Hinting of the outlines only up and down, as Debian's font configuration asks by default: a
// glyph then keeps its designed width at every size, while a configuration asking for full hinting
// would round each to whole pixels and move every line's end.
constexpr QFont::HintingPreference layoutHinting = QFont::PreferVerticalHinting;

QFont toQFont(const FontSpec &stored);

// Adds the program's own Liberation Sans where the machine lacks one of its four faces, and lets
// "Arial" and "MS Sans Serif" fall back to a face with Arial's metrics, then to the glyph fallback.
// Call once after the application object exists.
void registerFonts();

} // namespace quorvel
