#pragma once
// The program's look on every desktop: Fusion drawing (which honours the stored button colours) and
// a menu bar that Alt reaches from the keyboard even where the platform style leaves that off.

class QApplication;

namespace quorvel {

void applyProgramStyle(QApplication &app);

} // namespace quorvel
