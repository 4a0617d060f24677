#include "desktop/desktop_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <functional>
#include <string>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace quorvel::desktop {

namespace {
constexpr int startTimeoutMs = 20000;
constexpr int endGraceMs = 5000; // for a process asked to end, before it is killed
constexpr int lingerMs = 10000;  // for the processes of the session to follow those that started them

// Reads the first line the process writes to the pipe (Xvfb's display number, the bus address).
QString readFirstLine(int fd, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    std::string seen;
    while (!deadline.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, size_t(n));
        if (const auto eol = seen.find('\n'); eol != std::string::npos)
            return QString::fromStdString(seen.substr(0, eol)).trimmed();
    }
    return {};
}

// True once the root window of the display carries the property (the window manager's mark).
bool rootHasProperty(const QString &display, const char *name)
{
    xcb_connection_t *c = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    bool found = false;
    if (!xcb_connection_has_error(c)) {
        xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        auto *atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(std::strlen(name)), name), nullptr);
        if (atom && atom->atom != XCB_ATOM_NONE) {
            auto *prop =
                xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_ANY, 0, 1), nullptr);
            found = prop && prop->type != XCB_ATOM_NONE;
            free(prop);
        }
        free(atom);
    }
    xcb_disconnect(c);
    return found;
}

std::vector<pid_t> pidsOf(const std::vector<SessionProcess> &processes)
{
    std::vector<pid_t> pids;
    for (const SessionProcess &p : processes)
        pids.push_back(p.pid);
    return pids;
}

bool waitFor(const std::function<bool()> &ready, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (ready())
            return true;
        QThread::msleep(50);
    }
    return ready();
}
} // namespace

QString DesktopSession::windowManagerName() const
{
    return m_options.windowManager == WindowManager::Metacity ? QStringLiteral("metacity") : QStringLiteral("openbox");
}

pid_t DesktopSession::launch(const QString &program, const QStringList &arguments, int *outputPipe)
{
    const QByteArray log =
        (m_home + QStringLiteral("/") + QFileInfo(program).fileName() + QStringLiteral(".log")).toLocal8Bit();
    std::vector<QByteArray> args{program.toLocal8Bit()};
    for (const QString &a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    if (outputPipe && pipe(pipeFds) != 0)
        return -1;
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // Should this test program die, whatever it started goes with it (also if it died just now).
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        const int logFd = open(log.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        dup2(outputPipe ? pipeFds[1] : logFd, STDOUT_FILENO);
        dup2(logFd, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (outputPipe) {
        close(pipeFds[1]);
        *outputPipe = pipeFds[0];
    }
    if (pid > 0)
        m_children.push_back(pid);
    return pid;
}

QString DesktopSession::start(const SessionOptions &options)
{
    m_options = options;
    m_processes.begin();
    if (m_options.orca)
        m_options.accessibility = true;
    // A fresh home per session keeps the settings of the window manager and Orca out of the way.
    m_home =
        QDir::tempPath() + QStringLiteral("/quorvel-desktop-") + QString::number(QCoreApplication::applicationPid());
    QDir(m_home).removeRecursively();
    QDir().mkpath(m_home + QStringLiteral("/.config"));
    QDir().mkpath(m_home + QStringLiteral("/runtime"));
    QFile::setPermissions(m_home + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", m_home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_home + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (m_home + QStringLiteral("/.local/share")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (m_home + QStringLiteral("/.cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (m_home + QStringLiteral("/runtime")).toLocal8Bit());
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("SESSION_MANAGER");

    for (auto step : {&DesktopSession::startXvfb, &DesktopSession::startBus, &DesktopSession::startAccessibilityBus,
                      &DesktopSession::startWindowManager, &DesktopSession::startOrca}) {
        const QString error = (this->*step)();
        if (!error.isEmpty()) {
            stop();
            return error;
        }
    }
    return {};
}

QString DesktopSession::startXvfb()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return QStringLiteral("Xvfb is not installed (scripts/install-deps installs it)");
    // -displayfd 1: Xvfb picks a free display and writes its number to standard output.
    int output = -1;
    QStringList arguments{QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"),          m_options.screen,  QStringLiteral("-nolisten"),
                          QStringLiteral("tcp"),        QStringLiteral("-noreset")};
    if (!m_options.framebufferDir.isEmpty())
        arguments << QStringLiteral("-fbdir") << m_options.framebufferDir;
    const pid_t x = launch(QStringLiteral("Xvfb"), arguments, &output);
    const QString number = x > 0 ? readFirstLine(output, startTimeoutMs) : QString();
    if (output >= 0)
        close(output);
    if (number.isEmpty())
        return QStringLiteral("Xvfb did not report a display within %1 s").arg(startTimeoutMs / 1000);
    m_display = QStringLiteral(":") + number;
    qputenv("DISPLAY", m_display.toLocal8Bit());
    return {};
}

QString DesktopSession::startBus()
{
    int output = -1;
    const pid_t bus =
        launch(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")}, &output);
    const QString address = bus > 0 ? readFirstLine(output, startTimeoutMs) : QString();
    if (output >= 0)
        close(output);
    if (address.isEmpty())
        return QStringLiteral("the session bus (dbus-daemon) did not start");
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
    return {};
}

QString DesktopSession::startAccessibilityBus()
{
    if (!m_options.accessibility) {
        qputenv("NO_AT_BRIDGE", "1");
        return {};
    }
    const QString launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
    if (!QFile::exists(launcher) || launch(launcher, {QStringLiteral("--launch-immediately")}) <= 0)
        return QStringLiteral("the accessibility bus (at-spi-bus-launcher) did not start");
    // The launcher marks the root window with the bus address once the bus is up.
    if (!waitFor([this] { return rootHasProperty(m_display, "AT_SPI_BUS"); }, startTimeoutMs))
        return QStringLiteral("the accessibility bus did not come up within %1 s").arg(startTimeoutMs / 1000);
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    return {};
}

QString DesktopSession::startWindowManager()
{
    const QString name = windowManagerName();
    if (QStandardPaths::findExecutable(name).isEmpty())
        return name + QStringLiteral(" is not installed (scripts/install-deps installs it)");
    const QStringList arguments =
        m_options.windowManager == WindowManager::Openbox ? QStringList{QStringLiteral("--sm-disable")} : QStringList{};
    if (launch(name, arguments) <= 0)
        return name + QStringLiteral(" did not start");
    if (!waitFor([this] { return rootHasProperty(m_display, "_NET_SUPPORTING_WM_CHECK"); }, startTimeoutMs))
        return name + QStringLiteral(" did not take the display within %1 s").arg(startTimeoutMs / 1000);
    return {};
}

QString DesktopSession::startOrca()
{
    if (!m_options.orca)
        return {};
    const QString orca = QStandardPaths::findExecutable(QStringLiteral("orca"));
    if (orca.isEmpty())
        return QStringLiteral("orca is not installed (scripts/install-deps installs it)");
    m_orcaLog = m_home + QStringLiteral("/orca-debug.txt");
    // Orca runs without a speech server. It writes each utterance to its debug file before it hands
    // the text to a server, and those records are what the tests check: a server would add only ways
    // to fail. With speech-dispatcher and its espeak-ng module installed (as on a student's desktop)
    // and no sound device, Orca's first call to the server it had spawned never returned, and the
    // server and its module outlived the test. So the spawn command that Orca's speech client runs
    // always refuses, and the only server it may reach is one at this desktop's own socket, where
    // none runs: Orca then runs the same way whether speech-dispatcher is installed or not.
    qputenv("SPEECHD_CMD", "/bin/false");
    qputenv("SPEECHD_ADDRESS",
            (QStringLiteral("unix_socket:") + m_home + QStringLiteral("/runtime/speech-dispatcher/speechd.sock"))
                .toLocal8Bit());
    // Orca's own launcher, with two changes. It opens the debug file with an 8 KiB buffer, so the
    // last utterances stay unwritten while Orca waits for the next event: here the file is written
    // line by line. And it refuses to start while any process named orca runs for this user (other
    // test desktops on the machine); each desktop has buses of its own, so that check is dropped.
    static const char launcher[] = R"(import functools, runpy, sys
sys.argv[0] = sys.argv.pop(1)
launcher = runpy.run_path(sys.argv[0], run_name='orca_launcher')['main']
launcher.__globals__['open'] = functools.partial(open, buffering=1)
launcher.__globals__['otherOrcas'] = lambda: []
sys.exit(launcher()))";
    const QStringList arguments{QStringLiteral("-c"), QString::fromLatin1(launcher), orca,
                                QStringLiteral("--debug-file=") + m_orcaLog};
    if (launch(QStringLiteral("/usr/bin/python3"), arguments) <= 0)
        return QStringLiteral("orca did not start");
    // Orca 43 writes this line as it enters its event loop, its listeners registered: from then on
    // it hears every window that opens. (It takes about a second.)
    const bool ready = waitFor(
        [this] {
            QFile log(m_orcaLog);
            return log.open(QIODevice::ReadOnly) && log.readAll().contains("ORCA: Starting registry");
        },
        60000);
    return ready ? QString() : QStringLiteral("orca did not become ready within 60 s");
}

QString DesktopSession::stop()
{
    // Last started, first ended: the screen reader and the window manager before the buses and
    // the X server they talk to. Each goes by its own id and is waited for, and so does what it
    // started below it (the accessibility bus of its launcher) where that does not go with it.
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        const std::vector<pid_t> below = SessionProcesses::descendantsOf(*it);
        SessionProcesses::end({*it}, endGraceMs);
        SessionProcesses::end(below, endGraceMs);
    }
    m_children.clear();
    // A bus starts the services it activates detached (the accessibility registry, dconf); they end
    // once their bus has gone, and are given a moment for it. What still runs then would have
    // outlived the session (a detached speech server waiting on a sound device): it is a leftover.
    waitFor([this] { return m_processes.running().empty(); }, lingerMs);
    const std::vector<SessionProcess> left = m_processes.running();
    SessionProcesses::end(pidsOf(left), endGraceMs);
    SessionProcesses::reapOrphans();
    m_processes.finish();
    return describe(left);
}

WindowManager windowManagerFromArguments(int &argc, char **argv)
{
    WindowManager wm = WindowManager::Openbox;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-wm") == 0 && i + 1 < argc) {
            wm = std::strcmp(argv[i + 1], "metacity") == 0 ? WindowManager::Metacity : WindowManager::Openbox;
            ++i;
            continue;
        }
        argv[kept++] = argv[i];
    }
    argc = kept;
    return wm;
}

} // namespace quorvel::desktop
