// Speed of the program as a student meets it, offscreen: start-up as a whole process, every
// screen's load and first paint, topic selection, practice-test actions, and peak memory.
// Prints a Markdown table of medians over repeated runs.
#include "catalogue/screen_catalogue.h"
#include "shell/screen_registry.h"
#include "spread.h"
#include "window/app_style.h"
#include "window/picture.h"
#include "window/screen_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#endif

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quorvel;

namespace {

using bench::Spread;
using bench::spread;

// Paints a screen's window as the window system would on first showing it.
void paint(ScreenRegistry &r, std::string_view screen)
{
    if (Screen *s = r.existing(screen); s && s->window())
        (void)s->window()->grab();
}

struct Row {
    QString what;
    Spread value;
    QString unit;
    double target;
};

// The timed part of a measurement. Under callgrind (valgrind --tool=callgrind --collect-atstart=no)
// each one is profiled alone and dumped under the name of its row.
void timedAction(const std::function<void(ScreenRegistry &)> &action, ScreenRegistry &r, const QString &row)
{
#if __has_include(<valgrind/callgrind.h>)
    CALLGRIND_TOGGLE_COLLECT;
    action(r);
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(row.toUtf8().constData());
#else
    action(r);
#endif
}

// Runs per measurement: QUORVEL_BENCH_RUNS, 31 unless set (fewer leave a millisecond's median
// moving by a fifth between runs of the benchmark).
int runsPerMeasurement()
{
    const int runs = qEnvironmentVariableIntValue("QUORVEL_BENCH_RUNS");
    return runs > 0 ? runs : 31;
}

using Step = std::function<void(ScreenRegistry &)>;

class Bench
{
public:
    // Times `action` on a fresh program prepared by `setup` and adds the row. A student does not
    // click within microseconds of the last answer: what the program prepares meanwhile on the
    // other cores is done first, unless the row measures exactly that (`settled` false).
    void measure(const QString &what, double targetMs, const Step &setup, const Step &action, bool welcomeFirst = true,
                 bool settled = true)
    {
        std::vector<double> samples;
        for (int i = 0, runs = runsPerMeasurement(); i < runs; ++i) {
            waitForPreparedPictures();
            forgetKeptRenderings(); // every run meets the pictures for the first time
            ScreenRegistry r(createScreen, describeScreen);
            if (welcomeFirst)
                r.show("Introduction");
            setup(r);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            if (settled)
                waitForPreparedPictures();
            QElapsedTimer t;
            t.start();
            timedAction(action, r, what);
            samples.push_back(t.nsecsElapsed() / 1e6);
        }
        add(what, spread(samples), targetMs);
    }
    void add(const QString &what, Spread ms, double targetMs)
    {
        rows.push_back({what, ms, QStringLiteral("ms"), targetMs});
    }
    std::vector<Row> rows;
};

void noSetup(ScreenRegistry &) {}

void selectRow(ScreenRegistry &r, std::string_view screen, std::string_view list, int row)
{
    qobject_cast<QListWidget *>(r.screen(screen).window()->control(list))->setCurrentRow(row);
}

void press(ScreenRegistry &r, std::string_view button)
{
    qobject_cast<QAbstractButton *>(r.screen("Test").window()->control(button))->click();
}

Spread startupMs(const QString &self)
{
    std::vector<double> samples;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess::execute(self, {QStringLiteral("--startup-probe")});
        samples.push_back(t.nsecsElapsed() / 1e6);
    }
    return spread(samples);
}

// What the program does at start, until the welcome screen has been painted; then it exits.
int startupProbe(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyProgramStyle(app);
    ScreenRegistry registry(createScreen, describeScreen);
    registry.show("Introduction");
    registry.screen("Introduction").window()->repaint();
    return 0;
}

double peakMemoryMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void screens(Bench &b)
{
    for (const char *name : {"Introduction", "Instructions", "Glossary", "form22", "VascularFunctionCurves", "Test",
                             "Glossary2", "Form1", "Formq01"}) {
        const bool welcomeFirst = std::string_view(name) != "Introduction";
        b.measure(
            QStringLiteral("load and first paint: %1").arg(QLatin1String(name)), 16, noSetup,
            [&](ScreenRegistry &r) {
                r.show(name);
                paint(r, name);
            },
            welcomeFirst);
    }
}

void tutorial(Bench &b)
{
    auto open = [](ScreenRegistry &r) {
        r.show("VascularFunctionCurves");
        paint(r, "VascularFunctionCurves");
    };
    b.measure(QStringLiteral("first topic selection (15 pages loaded)"), 50, open, [](ScreenRegistry &r) {
        selectRow(r, "VascularFunctionCurves", "basicList1", 2);
        paint(r, "VascularFunctionCurves");
        paint(r, "Form1");
    });
    auto change = [](ScreenRegistry &r) {
        selectRow(r, "VascularFunctionCurves", "basicList1", 12);
        paint(r, "VascularFunctionCurves");
        paint(r, "Form11");
    };
    auto firstChosen = [&](ScreenRegistry &r) {
        open(r);
        selectRow(r, "VascularFunctionCurves", "basicList1", 2);
    };
    // A student reads a topic before choosing the next: by then the pages have been prepared.
    b.measure(QStringLiteral("topic change"), 16, firstChosen, change);
    b.measure(QStringLiteral("topic change at once after the first (pages still being prepared)"), 50, firstChosen,
              change, true, false);
}

// The test's actions; `when` says what the process did before.
void practiceTest(Bench &b, const QString &when)
{
    auto open = [](ScreenRegistry &r) {
        r.show("Test");
        paint(r, "Test");
    };
    auto started = [&](ScreenRegistry &r) {
        open(r);
        press(r, "cmdStart");
    };
    // Each button, pressed on a screen in the state a student meets it in.
    struct Button {
        const char *name;
        const char *caption;
        std::function<void(ScreenRegistry &)> setUp;
    };
    const Button buttons[] = {{"cmdStart", "Start Questions", open},
                              {"cmdNext", "Next Question", started},
                              {"cmdReset", "Reset Questions", started}};
    for (const Button &button : buttons) {
        const char *name = button.name;
        b.measure(QStringLiteral("test: %1 (%2)").arg(QLatin1String(button.caption), when), 5, button.setUp,
                  [name](ScreenRegistry &r) {
                      press(r, name);
                      paint(r, "Test");
                  });
    }
    b.measure(QStringLiteral("test: wrong choice judged (%1)").arg(when), 5, started, [](ScreenRegistry &r) {
        selectRow(r, "Test", "List2", 1);
        paint(r, "Test");
    });
    b.measure(QStringLiteral("test: right choice judged, page opened (%1)").arg(when), 16, started,
              [](ScreenRegistry &r) {
                  selectRow(r, "Test", "List2", 2);
                  paint(r, "Test");
                  paint(r, "Formq01");
              });
}

// Opens and paints every screen, then closes them all; the peak memory of the process after.
double everyScreenOpened()
{
    {
        ScreenRegistry r(createScreen, describeScreen);
        for (const auto &[name, create] : screenCatalogue()) {
            r.show(name);
            paint(r, name);
        }
        r.endSession();
    }
    waitForPreparedPictures();
    return peakMemoryMb();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--startup-probe")
        return startupProbe(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramStyle(app);
    Bench b;
    // The test first, before any other screen has been opened in this process, and again at the
    // end, after every screen has been: the two must agree.
    practiceTest(b, QStringLiteral("fresh"));
    b.add(QStringLiteral("start-up to welcome screen painted (whole process)"),
          startupMs(QCoreApplication::applicationFilePath()), 150);
    screens(b);
    b.measure(
        QStringLiteral("picture glossary opened again after closing it"), 16,
        [](ScreenRegistry &r) {
            r.show("Glossary2");
            paint(r, "Glossary2");
            r.unload(r.screen("Glossary2"));
        },
        [](ScreenRegistry &r) {
            r.show("Glossary2");
            paint(r, "Glossary2");
        });
    tutorial(b);
    const double memory = everyScreenOpened();
    practiceTest(b, QStringLiteral("after every screen opened and closed"));
    b.rows.push_back(
        {QStringLiteral("peak memory, every screen open"), {memory, memory, memory}, QStringLiteral("MB"), 80});

    std::printf("| measurement | median | min | max | target | met |\n|---|---:|---:|---:|---:|---|\n");
    for (const Row &row : b.rows) {
        const QByteArray unit = row.unit.toUtf8();
        std::printf("| %s | %.2f %s | %.2f | %.2f | < %.0f %s | %s |\n", qPrintable(row.what), row.value.median,
                    unit.constData(), row.value.min, row.value.max, row.target, unit.constData(),
                    row.value.median < row.target ? "yes" : "NO");
    }
    return 0;
}
