#pragma once
// What Qt's window flags cannot say on an X11 desktop without changing how the window manager
// stacks the window (Qt makes a parentless Qt::Tool or Qt::Dialog transient for its hidden group
// leader, and GNOME-family window managers then keep it above every other window of the program).

class QWidget;

namespace quorvel {

// Asks for no task-bar button. Call on the hidden window just before it is shown: the window
// manager drops the request when the window is withdrawn, and Qt keeps it when it maps the window.
// Does nothing on other platforms.
void requestNoTaskbarButton(QWidget &window);

} // namespace quorvel
