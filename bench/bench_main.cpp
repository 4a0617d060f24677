// Speed of the program as a student meets it, offscreen: start-up as a whole process, every
// screen's load and first paint, topic selection, practice-test actions, and peak memory.
// Prints a Markdown table of medians over repeated runs.
#include "catalogue/screen_catalogue.h"
#include "shell/screen_registry.h"
#include "window/app_style.h"
#include "window/picture.h"
#include "window/screen_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quorvel;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Paints a screen's window as the window system would on first showing it.
void paint(ScreenRegistry &r, std::string_view screen)
{
    if (Screen *s = r.existing(screen); s && s->window())
        (void)s->window()->grab();
}

struct Row {
    QString what;
    double value;
    QString unit;
    double target;
};

class Bench
{
public:
    // Times `action` on a fresh program prepared by `setup`, `runs` times; the median in ms.
    double time(const std::function<void(ScreenRegistry &)> &setup, const std::function<void(ScreenRegistry &)> &action,
                bool welcomeFirst = true, int runs = 15)
    {
        std::vector<double> samples;
        for (int i = 0; i < runs; ++i) {
            QThreadPool::globalInstance()->waitForDone();
            forgetKeptRenderings(); // every run meets the pictures for the first time
            ScreenRegistry r(createScreen);
            if (welcomeFirst)
                r.show("Introduction");
            setup(r);
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            action(r);
            samples.push_back(t.nsecsElapsed() / 1e6);
        }
        return median(samples);
    }
    void add(const QString &what, double ms, double targetMs)
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

double startupMs(const QString &self)
{
    std::vector<double> samples;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess::execute(self, {QStringLiteral("--startup-probe")});
        samples.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(samples);
}

// What the program does at start, until the welcome screen has been painted; then it exits.
int startupProbe(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyProgramStyle(app);
    ScreenRegistry registry(createScreen);
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
        b.add(QStringLiteral("load and first paint: %1").arg(QLatin1String(name)),
              b.time(
                  noSetup,
                  [&](ScreenRegistry &r) {
                      r.show(name);
                      paint(r, name);
                  },
                  welcomeFirst),
              16);
    }
}

void tutorial(Bench &b)
{
    auto open = [](ScreenRegistry &r) {
        r.show("VascularFunctionCurves");
        paint(r, "VascularFunctionCurves");
    };
    b.add(QStringLiteral("first topic selection (15 pages loaded)"),
          b.time(open,
                 [](ScreenRegistry &r) {
                     selectRow(r, "VascularFunctionCurves", "basicList1", 2);
                     paint(r, "VascularFunctionCurves");
                     paint(r, "Form1");
                 }),
          50);
    auto change = [](ScreenRegistry &r) {
        selectRow(r, "VascularFunctionCurves", "basicList1", 12);
        paint(r, "VascularFunctionCurves");
        paint(r, "Form11");
    };
    // A student reads a topic before choosing the next: by then the pages have been prepared.
    b.add(QStringLiteral("topic change"),
          b.time(
              [&](ScreenRegistry &r) {
                  open(r);
                  selectRow(r, "VascularFunctionCurves", "basicList1", 2);
                  QThreadPool::globalInstance()->waitForDone();
              },
              change),
          16);
    b.add(QStringLiteral("topic change at once after the first (pages still being prepared)"),
          b.time(
              [&](ScreenRegistry &r) {
                  open(r);
                  selectRow(r, "VascularFunctionCurves", "basicList1", 2);
              },
              change),
          50);
}

void practiceTest(Bench &b)
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
        b.add(QStringLiteral("test: %1").arg(QLatin1String(button.caption)),
              b.time(button.setUp,
                     [name](ScreenRegistry &r) {
                         press(r, name);
                         paint(r, "Test");
                     }),
              5);
    }
    b.add(QStringLiteral("test: wrong choice judged"),
          b.time(started,
                 [](ScreenRegistry &r) {
                     selectRow(r, "Test", "List2", 1);
                     paint(r, "Test");
                 }),
          5);
    b.add(QStringLiteral("test: right choice judged, page opened"),
          b.time(started,
                 [](ScreenRegistry &r) {
                     selectRow(r, "Test", "List2", 2);
                     paint(r, "Test");
                     paint(r, "Formq01");
                 }),
          16);
}

double everyScreenOpen()
{
    ScreenRegistry r(createScreen);
    for (const auto &[name, create] : screenCatalogue()) {
        r.show(name);
        paint(r, name);
    }
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
    b.add(QStringLiteral("start-up to welcome screen painted (whole process)"),
          startupMs(QCoreApplication::applicationFilePath()), 150);
    screens(b);
    b.add(QStringLiteral("picture glossary opened again after closing it"),
          b.time(
              [](ScreenRegistry &r) {
                  r.show("Glossary2");
                  paint(r, "Glossary2");
                  r.unload(r.screen("Glossary2"));
              },
              [](ScreenRegistry &r) {
                  r.show("Glossary2");
                  paint(r, "Glossary2");
              }),
          16);
    tutorial(b);
    practiceTest(b);
    const double memory = everyScreenOpen();
    b.rows.push_back({QStringLiteral("peak memory, every screen open"), memory, QStringLiteral("MB"), 80});

    std::printf("| measurement | median | target | met |\n|---|---:|---:|---|\n");
    for (const Row &row : b.rows) {
        std::printf("| %s | %.2f %s | < %.0f %s | %s |\n", qPrintable(row.what), row.value, qPrintable(row.unit),
                    row.target, qPrintable(row.unit), row.value < row.target ? "yes" : "NO");
    }
    return 0;
}
