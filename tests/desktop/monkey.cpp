// A random student at a real desktop: seeded random clicks into the program's windows, keys and
// window-manager closes, against the sanitizer build of the program, restarted after every End.
// Fails on any crash, sanitizer report or leak, and prints the seed and the last actions.
//
//   quorvel-monkey PROGRAM [-wm openbox|metacity] [-actions N] [-seed S]
#include "desktop/desktop_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <random>
#include <vector>

using namespace quorvel::desktop;

namespace {

struct Window {
    xcb_window_t id;
    int x, y, width, height;
};

// The program's top-level windows as the window manager lists them, with their places on the screen.
class Screen
{
public:
    explicit Screen(const QString &display) : m_c(xcb_connect(display.toLocal8Bit().constData(), nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        m_clientList = atom("_NET_CLIENT_LIST");
        m_pid = atom("_NET_WM_PID");
    }
    ~Screen() { xcb_disconnect(m_c); }
    bool ok() const { return !xcb_connection_has_error(m_c); }

    std::vector<Window> windowsOf(qint64 pid)
    {
        std::vector<Window> found;
        for (std::uint32_t id : property(m_root, m_clientList, XCB_ATOM_WINDOW)) {
            const auto owner = property(id, m_pid, XCB_ATOM_CARDINAL);
            if (owner.empty() || owner.front() != pid)
                continue;
            std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> g(
                xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, id), nullptr), &free);
            std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> at(
                xcb_translate_coordinates_reply(m_c, xcb_translate_coordinates(m_c, id, m_root, 0, 0), nullptr), &free);
            if (g && at && g->width > 4 && g->height > 4)
                found.push_back({id, at->dst_x, at->dst_y, g->width, g->height});
        }
        return found;
    }

private:
    xcb_atom_t atom(const char *name)
    {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> r(
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr), &free);
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    std::vector<std::uint32_t> property(xcb_window_t w, xcb_atom_t a, xcb_atom_t type)
    {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> r(
            xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, w, a, type, 0, 1024), nullptr), &free);
        if (!r || r->format != 32)
            return {};
        const auto *v = static_cast<const std::uint32_t *>(xcb_get_property_value(r.get()));
        return {v, v + xcb_get_property_value_length(r.get()) / 4};
    }

    xcb_connection_t *m_c;
    xcb_window_t m_root;
    xcb_atom_t m_clientList, m_pid;
};

bool tool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    return p.exitCode() == 0;
}

const QStringList keys{QStringLiteral("Tab"),    QStringLiteral("shift+Tab"), QStringLiteral("Up"),
                       QStringLiteral("Down"),   QStringLiteral("Left"),      QStringLiteral("Right"),
                       QStringLiteral("space"),  QStringLiteral("Return"),    QStringLiteral("alt"),
                       QStringLiteral("Escape"), QStringLiteral("alt+F4"),    QStringLiteral("ctrl+space")};

// What a run of the program left in its error output that a sanitizer wrote.
QString sanitizerReport(const QString &log)
{
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = f.readAll();
    for (const char *mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:", "SUMMARY: "}) {
        if (const qsizetype at = text.indexOf(mark); at >= 0)
            return QString::fromLocal8Bit(text.mid(qMax<qsizetype>(0, at - 200), 3000));
    }
    return {};
}

// Where every thread of a process is, for a report on a program that hangs.
QString backtrace(qint64 pid)
{
    QProcess gdb;
    gdb.start(QStringLiteral("gdb"), {QStringLiteral("-p"), QString::number(pid), QStringLiteral("-batch"),
                                      QStringLiteral("-ex"), QStringLiteral("thread apply all bt 25")});
    if (!gdb.waitForFinished(60000))
        gdb.kill();
    return QString::fromLocal8Bit(gdb.readAllStandardOutput().right(12000));
}

} // namespace

int main(int argc, char *argv[])
{
    const WindowManager wm = windowManagerFromArguments(argc, argv);
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fputs("usage: quorvel-monkey PROGRAM [-wm openbox|metacity] [-actions N] [-seed S]\n", stderr);
        return 2;
    }
    const QString program = args[1];
    long actions = 1500;
    unsigned seed = std::random_device{}();
    for (int i = 2; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("-actions"))
            actions = args[i + 1].toLong();
        if (args[i] == QLatin1String("-seed"))
            seed = args[i + 1].toUInt();
    }
    if (const QByteArray s = qgetenv("QUORVEL_MONKEY_SEED"); !s.isEmpty())
        seed = s.toUInt();
    if (const QByteArray n = qgetenv("QUORVEL_MONKEY_ACTIONS"); !n.isEmpty())
        actions = n.toLong();

    DesktopSession session;
    if (const QString error = session.start({.windowManager = wm}); !error.isEmpty()) {
        std::fprintf(stderr, "FAIL: the test desktop could not start: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("monkey: seed %u, %ld actions, %s\n", seed, actions, qPrintable(session.windowManagerName()));
    std::fflush(stdout);
    Screen screen(session.display());
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };

    const QString log = session.home() + QStringLiteral("/program-stderr.txt");
    std::deque<QString> recent; // the last actions, for the report
    long runs = 0;
    int failures = 0;
    auto fail = [&](long step, const QString &why) {
        std::fprintf(stderr, "FAIL: monkey seed %u, action %ld of run %ld: %s\nlast actions:\n", seed, step, runs,
                     qPrintable(why));
        for (const QString &a : recent)
            std::fprintf(stderr, "  %s\n", qPrintable(a));
        ++failures;
    };

    QElapsedTimer windowless;
    QProcess quorvel;
    quorvel.setStandardErrorFile(log);
    quorvel.setStandardOutputFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")); // the tests' default is offscreen
    quorvel.setProcessEnvironment(environment);
    for (long step = 0; step < actions && failures == 0;) {
        if (quorvel.state() == QProcess::NotRunning) {
            quorvel.start(program, {});
            if (!quorvel.waitForStarted(10000)) {
                fail(step, QStringLiteral("the program did not start"));
                break;
            }
            ++runs;
            QDeadlineTimer up(30000);
            while (screen.windowsOf(quorvel.processId()).empty() && !up.hasExpired() &&
                   quorvel.state() == QProcess::Running)
                QThread::msleep(20);
        }

        QString action;
        const std::vector<Window> windows = screen.windowsOf(quorvel.processId());
        if (qEnvironmentVariableIsSet("QUORVEL_MONKEY_TRACE"))
            std::printf("step %ld: %zu windows\n", step, windows.size());
        // A program that shows no window can be neither used nor ended by the student.
        if (windows.empty() && quorvel.state() == QProcess::Running) {
            if (!windowless.isValid())
                windowless.start();
            else if (windowless.elapsed() > 8000) {
                fail(step, QStringLiteral("the program has shown no window for 8 s but still runs\n") +
                               backtrace(quorvel.processId()));
                break;
            }
        } else {
            windowless.invalidate();
        }
        const int kind = pick(100);
        if (!windows.empty() && kind < 70) {
            const Window &w = windows[size_t(pick(int(windows.size())))];
            // Two clicks in five go to the band at the top, where the menu bars are.
            const int x = w.x + pick(w.width), y = w.y + (pick(5) < 2 ? pick(qMin(w.height, 28)) : pick(w.height));
            action = QStringLiteral("click %1,%2").arg(x).arg(y);
            tool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(x), QString::number(y),
                                             QStringLiteral("click"), QStringLiteral("1")});
        } else if (!windows.empty() && kind < 74) {
            const Window &w = windows[size_t(pick(int(windows.size())))];
            action = QStringLiteral("window manager closes 0x%1").arg(w.id, 0, 16);
            tool(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), QString::number(w.id)});
        } else if (!windows.empty() && kind < 78) {
            const Window &w = windows[size_t(pick(int(windows.size())))];
            action = QStringLiteral("window manager activates 0x%1").arg(w.id, 0, 16);
            tool(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-a"), QString::number(w.id)});
        } else {
            action = QStringLiteral("key ") + keys[pick(int(keys.size()))];
            tool(QStringLiteral("xdotool"), {QStringLiteral("key"), action.mid(4)});
        }
        if (qEnvironmentVariableIsSet("QUORVEL_MONKEY_TRACE"))
            std::printf("  %s\n", qPrintable(action));
        recent.push_back(action);
        if (recent.size() > 12)
            recent.pop_front();
        ++step;

        // The program ends at End Session or with its last screen: that must be a clean exit.
        if (quorvel.waitForFinished(quorvel.state() == QProcess::Running ? 15 : 0) ||
            quorvel.state() == QProcess::NotRunning) {
            const QString report = sanitizerReport(log);
            if (quorvel.exitStatus() != QProcess::NormalExit || quorvel.exitCode() != 0 || !report.isEmpty())
                fail(step, QStringLiteral("the program ended with status %1, code %2\n%3")
                               .arg(quorvel.exitStatus())
                               .arg(quorvel.exitCode())
                               .arg(report));
        }
        if (step % 500 == 0) {
            std::printf("monkey: %ld actions, %ld runs\n", step, runs);
            std::fflush(stdout);
        }
    }

    // The last run ends as a student's does: the window manager closes what is left, so the
    // sanitizers see a normal exit; only a program that will not end is ended by its id.
    for (int round = 0; round < 20 && quorvel.state() != QProcess::NotRunning; ++round) {
        for (const Window &w : screen.windowsOf(quorvel.processId()))
            tool(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), QString::number(w.id)});
        quorvel.waitForFinished(500);
    }
    if (quorvel.state() != QProcess::NotRunning) {
        fail(actions, QStringLiteral("the program did not end when its windows were closed"));
        quorvel.kill();
        quorvel.waitForFinished();
    } else if (failures == 0) {
        const QString report = sanitizerReport(log);
        if (quorvel.exitCode() != 0 || !report.isEmpty())
            fail(actions, QStringLiteral("the last run ended with code %1\n%2").arg(quorvel.exitCode()).arg(report));
    }
    if (const QString left = session.stop(); !left.isEmpty()) {
        std::fprintf(stderr, "FAIL: processes of the test desktop outlived it:\n%s\n", qPrintable(left));
        ++failures;
    }
    std::printf("monkey: %ld actions over %ld runs, %d failed\n", actions, runs, failures);
    return failures == 0 ? 0 : 1;
}
