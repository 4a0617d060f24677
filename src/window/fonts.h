#pragma once
// Fonts of the descriptions on Qt, and the substitutions that keep the layout alike on every desktop.

#include "resources/description.h"

#include <QFont>
#include <QStringList>

namespace quorvel {

QFont toQFont(const FontSpec &stored);

// "MS Sans Serif" and "Arial" fall back to Liberation Sans, then DejaVu Sans, where the desktop
// lacks them. Call once after the application object exists.
void registerFontSubstitutions();

} // namespace quorvel
