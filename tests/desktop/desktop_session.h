#pragma once
// A private desktop for one test program: an X server of its own (Xvfb), a session bus, optionally
// the accessibility bus and the Orca screen reader, and a real window manager. Every process it
// starts is recorded and ended by its id when the session stops, with all that process started in
// turn; each child is also told to end when its parent goes (PR_SET_PDEATHSIG). The processes of
// the session are marked (session_processes.h), so none escapes: one still running when the session
// has ended its own is ended too and reported, and a keeper ends them all should the test program
// die first. It uses no Qt event loop, so it can start before the application object that
// connects to its display.

#include "desktop/session_processes.h"

#include <QString>
#include <QStringList>

#include <sys/types.h>
#include <vector>

namespace quorvel::desktop {

enum class WindowManager { Openbox, Metacity };

struct SessionOptions {
    WindowManager windowManager = WindowManager::Openbox;
    bool accessibility = false; // the AT-SPI bus
    bool orca = false;          // the screen reader, started before the program; implies accessibility
    QString framebufferDir;     // when set, Xvfb keeps its screen in DIR/Xvfb_screen0 (XWD), as seen
    QString screen = QStringLiteral("1024x768x24"); // the X server's screen: width x height x depth
};

class DesktopSession
{
public:
    DesktopSession() = default;
    ~DesktopSession() { stop(); }
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // Starts everything and points DISPLAY and the bus variables of this process at it. On failure
    // it stops what it started and returns the reason.
    QString start(const SessionOptions &options);
    // Ends every process of the session. Returns the processes that outlived the ones that started
    // them (ended now as well), one per line: empty when the session left nothing behind.
    QString stop();

    const QString &display() const { return m_display; }
    const QString &orcaLog() const { return m_orcaLog; }
    const QString &home() const { return m_home; }
    QString windowManagerName() const;

private:
    // Starts a program with its standard error (and output, unless piped back) in a log file.
    pid_t launch(const QString &program, const QStringList &arguments, int *outputPipe = nullptr);
    QString startXvfb();
    QString startBus();
    QString startAccessibilityBus();
    QString startWindowManager();
    QString startOrca();

    SessionOptions m_options;
    SessionProcesses m_processes;
    std::vector<pid_t> m_children; // in the order started; ended in reverse
    QString m_display;
    QString m_home;
    QString m_orcaLog;
};

// The window manager named by the test's command line ("openbox" or "metacity"), openbox by default.
WindowManager windowManagerFromArguments(int &argc, char **argv);

} // namespace quorvel::desktop
