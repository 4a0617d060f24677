#pragma once
// Screen readers read a text page through its surface: the printed lines, in order, are the
// surface's accessible text (a painter's text is otherwise invisible to them).

namespace quorvel {

// Installs the accessibility factory for screen surfaces; call once after the application exists.
void installSurfaceAccessibility();

} // namespace quorvel
