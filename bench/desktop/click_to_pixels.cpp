// make bench-desktop: from a click to the pixels a student sees, on a real X server. The program
// runs on a private Xvfb whose framebuffer is a file, under openbox; XTEST clicks and keys drive it,
// and each action is timed from the click until the screen stops changing. A floor program, run in
// the same way and the same run, does the least a topic change and the opening of a screen must
// do; each action's median is printed with its spread and its ratio to the floor's like action.
//
//   quorvel-bench-desktop TARGET FLOOR [-sessions N] [-profile]
//
// With -profile the program runs under callgrind, one session, with every wait made long enough
// for it; its profile is dumped after each action, named after the action, into callgrind.out.*
// in the working directory. The times it prints then mean nothing.
#include "desktop/screen_watch.h"
#include "spread.h"

#include "desktop/desktop_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRect>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include <csignal>
#include <sys/prctl.h>

using namespace quorvel;
using namespace quorvel::bench;

namespace {

int hoverQuietMs = 150;  // the pointer has arrived, hover looks drawn
int answerQuietMs = 300; // the answer to a click is complete
int answerTimeoutMs = 5000;
bool profiling = false;
constexpr std::uint32_t keyDown = 0xff54, keyEscape = 0xff1b;

// One step of a session: a click on what the question locates, or a key; timed when it has a name.
struct Step {
    const char *action;
    const char *where = nullptr; // the probe's question
    std::uint32_t key = 0;
};

const std::vector<Step> programSteps{
    {"open the tutorial", "menu Introduction mnuVFC"},
    {"first topic", "row VascularFunctionCurves basicList1 2"},
    {"topic change", "row VascularFunctionCurves basicList1 12"},
    {"topic change", "row VascularFunctionCurves basicList1 5"},
    {"topic change", "row VascularFunctionCurves basicList1 9"},
    {"topic change by arrow key", nullptr, keyDown},
    {"topic change by arrow key", nullptr, keyDown},
    {"open the test", "menu VascularFunctionCurves mnuTest"},
    {"Start Questions", "control Test cmdStart"},
    {"a wrong choice", "row Test List2 1"},
    {"a right choice with its explanation page", "row Test List2 2"},
    {nullptr, nullptr, keyEscape}, // back to the test from the page
    {"Next Question", "control Test cmdNext"},
    {"Next Question", "control Test cmdNext"},
    {"open the picture glossary", "menu Test mnuGlossary"},
};

const std::vector<Step> floorSteps{
    {"open a screen", "control Floor open 0"},
    {"first topic", "row Floor list 2"},
    {"topic change", "row Floor list 12"},
    {"topic change", "row Floor list 5"},
    {"topic change", "row Floor list 9"},
    {"topic change by arrow key", nullptr, keyDown},
    {"topic change by arrow key", nullptr, keyDown},
    {"open a screen", "control Floor open 1"},
};

using Samples = std::map<std::string, std::vector<double>>;

// A program on the desktop that answers the probe's questions; ended by its own id.
class Probed
{
public:
    explicit Probed(const QString &program, bool profiled)
    {
        m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (profiled)
            m_process.start(QStringLiteral("valgrind"), {QStringLiteral("--tool=callgrind"), program});
        else
            m_process.start(program, {});
        m_process.waitForStarted(10000);
    }
    // Under callgrind: the profile since the last dump is written, named.
    void dumpProfile(const char *name)
    {
        QProcess::execute(QStringLiteral("callgrind_control"),
                          {QStringLiteral("--dump=") + QLatin1String(name), QString::number(m_process.processId())});
    }
    ~Probed()
    {
        m_process.closeWriteChannel(); // the probe ends the program when its input ends
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    std::optional<QRect> ask(const char *question)
    {
        m_process.write(QByteArray(question) + '\n');
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(10000))
                return std::nullopt;
        const QList<QByteArray> words = m_process.readLine().trimmed().split(' ');
        if (words.size() != 4)
            return std::nullopt;
        return QRect(words[0].toInt(), words[1].toInt(), words[2].toInt(), words[3].toInt());
    }

private:
    QProcess m_process;
};

// Asks until the program has shown the thing of the first question (it is starting).
std::optional<QRect> waitForStart(Probed &program, ScreenWatch &screen, const char *question)
{
    for (int tries = 0; tries < answerTimeoutMs / 50; ++tries) {
        if (const auto where = program.ask(question))
            return where;
        screen.settle(Clock::now(), 100, 100);
    }
    return std::nullopt;
}

bool runSession(const QString &program, const std::vector<Step> &steps, ScreenWatch &screen, Samples &samples,
                bool profiled = false)
{
    Probed probed(program, profiled);
    if (!waitForStart(probed, screen, steps.front().where))
        return false;
    screen.settle(Clock::now(), answerQuietMs * 2, answerTimeoutMs * 2);
    for (const Step &step : steps) {
        if (step.where) {
            const auto where = probed.ask(step.where);
            if (!where) {
                std::fprintf(stderr, "bench-desktop: nothing answers \"%s\"\n", step.where);
                return false;
            }
            screen.movePointer(where->center());
            screen.settle(Clock::now(), hoverQuietMs, answerTimeoutMs);
        }
        if (profiled)
            probed.dumpProfile("before");
        const Clock::time_point clicked = Clock::now();
        step.where ? screen.click() : screen.pressKey(step.key);
        const double ms = screen.settle(clicked, answerQuietMs, answerTimeoutMs, step.action != nullptr);
        if (profiled)
            probed.dumpProfile(step.action ? step.action : "untimed");
        if (step.action)
            samples[step.action].push_back(ms);
    }
    return true;
}

void print(const Samples &program, const Samples &floor)
{
    std::printf("| action | Quorvel median | min–max | floor median | min–max | ratio |\n"
                "|---|---:|---:|---:|---:|---:|\n");
    std::vector<std::string> printed;
    for (const Step &step : programSteps) {
        if (!step.action || std::find(printed.begin(), printed.end(), step.action) != printed.end())
            continue;
        printed.push_back(step.action);
        const Spread ours = spread(program.at(step.action));
        // An action that opens a screen is held against the floor's opening of one; any other action
        // the floor does not do, against its topic change: the least a click does.
        const std::string action = step.action;
        const char *against = floor.count(action)              ? step.action
                              : action.starts_with("open the") ? "open a screen"
                                                               : "topic change";
        const Spread least = spread(floor.at(against));
        const std::string note = action == against ? "" : " (" + std::string(against) + ")";
        std::printf("| %s | %.1f ms | %.1f–%.1f | %.1f ms%s | %.1f–%.1f | %.2f× |\n", step.action, ours.median,
                    ours.min, ours.max, least.median, note.c_str(), least.min, least.max,
                    least.median > 0 ? ours.median / least.median : 0.0);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: quorvel-bench-desktop TARGET FLOOR [-sessions N]\n");
        return 2;
    }
    const qsizetype at = args.indexOf(QStringLiteral("-sessions"));
    int sessions = at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : 5;
    if (args.contains(QStringLiteral("-profile"))) {
        profiling = true;
        sessions = 1;
        hoverQuietMs *= 20;
        answerQuietMs *= 20;
        answerTimeoutMs *= 20;
    }

    desktop::DesktopSession desktop;
    const QString framebuffer =
        QDir::tempPath() + QStringLiteral("/quorvel-bench-fb-") + QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(framebuffer);
    const QString error =
        desktop.start({.windowManager = desktop::WindowManager::Openbox, .framebufferDir = framebuffer});
    if (!error.isEmpty()) {
        std::fprintf(stderr, "bench-desktop: the desktop could not start: %s\n", qPrintable(error));
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 0;
    {
        ScreenWatch screen(framebuffer, desktop.display());
        Samples program, floor;
        for (int i = 0; i < sessions && screen.ok() && result == 0; ++i) {
            if (!runSession(args[1], programSteps, screen, program, profiling) ||
                !runSession(args[2], floorSteps, screen, floor))
                result = 1;
        }
        if (!screen.ok())
            result = 1;
        if (result == 0)
            print(program, floor);
    }
    desktop.stop();
    QDir(framebuffer).removeRecursively();
    return result;
}
