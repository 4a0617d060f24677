#pragma once
// Where a window goes so that the whole of it, frame included, lies inside the area the window
// manager leaves free (the screen less its panels).

#include <QMargins>
#include <QRect>

namespace quorvel {

// The client rectangle moved the least distance that brings it and its frame inside the area. Where
// the frame is wider or taller than the area, a sizable window is made smaller to fit; a fixed one
// keeps its size with its top left corner (title bar, close box) inside.
QRect fitInside(QRect client, QMargins frame, QRect area, bool sizable);

} // namespace quorvel
