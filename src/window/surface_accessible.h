#pragma once
// What screen readers read of the window layer. A text page's surface holds the printed lines, in
// order, as its accessible text (a painter's text is otherwise invisible to them); a picture's
// surface or box its title and description; a screen's window what ScreenWindow says of it.

namespace quorvel {

// Installs the accessibility factory for surfaces, windows and picture boxes; call once after the
// application exists.
void installSurfaceAccessibility();

} // namespace quorvel
