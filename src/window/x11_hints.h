#pragma once
// What Qt's window flags cannot say on an X11 desktop without changing how the window manager
// stacks the window (Qt makes a parentless Qt::Tool or Qt::Dialog transient for its hidden group
// leader, and GNOME-family window managers then keep it above every other window of the program).

#include <QMargins>

class QWidget;

namespace quorvel {

// Asks for no task-bar button. Call on the hidden window just before it is shown: the window
// manager drops the request when the window is withdrawn, and Qt keeps it when it maps the window.
// Does nothing on other platforms.
void requestNoTaskbarButton(QWidget &window);

// The frame the window manager will put around the window, asked of it before the window is shown
// (_NET_REQUEST_FRAME_EXTENTS), in the window's logical pixels. Call once the window's flags and
// size limits are set: they decide the frame. No margins where no window manager tells.
QMargins expectedFrameMargins(QWidget &window);

} // namespace quorvel
