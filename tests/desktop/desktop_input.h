#pragma once
// Real input and outside observation on the test's X display: XTEST mouse and keys (xdotool), the
// window manager's own close and activation (wmctrl), what the window manager says (root window
// properties) and what the screen shows (its pixels). The program runs in this process, so its
// event loop turns while each tool runs.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QWidget;
class QAction;

namespace quorvel::desktop {

using XWindow = std::uint32_t;

// Runs a tool to its end with the event loop turning; false when it failed or took over 10 s.
bool runTool(const QString &program, const QStringList &arguments);

// XTEST input at screen positions.
bool click(QPoint global, int button = 1, const QString &modifiers = {});
bool clickWidget(const QWidget *widget, QPoint local, int button = 1, const QString &modifiers = {});
bool clickWidget(const QWidget *widget);
bool pressKeys(const QString &keys); // xdotool key syntax: "Down", "alt+F4", "ctrl+space"

// Chooses a menu entry the way a student does: a click on the menu bar, then on the entry of its drop-down.
bool chooseMenuEntry(QWidget *window, const QAction *entry);

// The window manager's own operations on a top-level window.
bool windowManagerClose(const QWidget *window);
bool windowManagerActivate(const QWidget *window);
bool minimize(const QWidget *window);
bool setMaximized(const QWidget *window, bool maximized);
bool resizeThroughWindowManager(const QWidget *window, QSize size);

// What the window manager says.
XWindow activeWindow();
std::vector<XWindow> stackingOrder(); // bottom to top
QStringList netWmState(const QWidget *window);
QStringList allowedActions(const QWidget *window); // _NET_WM_ALLOWED_ACTIONS, as the window manager grants them
// Of the given windows, the one the window manager stacks highest among those shown; null if none.
const QWidget *topmostOf(const std::vector<const QWidget *> &windows);
XWindow xWindow(const QWidget *window);
QRect workArea(); // _NET_WORKAREA: the screen less its panels
// The window and the frame the window manager put around it (_NET_FRAME_EXTENTS), on the screen.
QRect frameOnScreen(const QWidget *window);

// A panel along the bottom of the screen, as a task bar lies: a dock window that reserves its
// height (_NET_WM_STRUT_PARTIAL), so the window manager's work area shrinks. It goes with the object.
class Panel
{
public:
    explicit Panel(int height);
    ~Panel();
    Panel(const Panel &) = delete;
    Panel &operator=(const Panel &) = delete;

private:
    XWindow m_window;
};

// What the screen shows.
QImage grabScreen(QRect area);

} // namespace quorvel::desktop
