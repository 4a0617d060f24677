#pragma once
// Drives the program the way a student does: through menu entries, list rows, buttons and the
// window frame, on the offscreen platform.

#include "catalogue/screen_catalogue.h"
#include "shell/screen_registry.h"
#include "window/app_style.h"
#include "window/controls.h"
#include "window/screen_window.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::testing {

// One run of the program: a registry with the welcome screen shown, as at start-up.
class Program
{
public:
    explicit Program(bool showWelcome = true)
    {
        registry.setEndHandler([this] { ++endCalls; });
        if (showWelcome)
            registry.show("Introduction");
    }
    ~Program() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ScreenWindow *window(std::string_view screen) const
    {
        Screen *s = registry.existing(screen);
        return s ? s->window() : nullptr;
    }
    bool loaded(std::string_view screen) const
    {
        Screen *s = registry.existing(screen);
        return s && s->loaded();
    }
    bool visible(std::string_view screen) const
    {
        Screen *s = registry.existing(screen);
        return s && s->visible() && s->window()->isVisible();
    }

    // Chooses a menu entry of a loaded screen, as a click on it does.
    void chooseMenu(std::string_view screen, std::string_view entry)
    {
        ScreenWindow *w = window(screen);
        QVERIFY2(w, "the screen whose menu is used is loaded");
        QAction *action = w->menuAction(entry);
        QVERIFY2(action, "the menu entry exists");
        action->trigger();
    }

    // Clicks a row of a list box with the mouse.
    void clickRow(std::string_view screen, std::string_view list, int row)
    {
        auto *box = qobject_cast<QListWidget *>(window(screen)->control(list));
        QVERIFY(box && row < box->count());
        const QRect rect = box->visualItemRect(box->item(row));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void clickButton(std::string_view screen, std::string_view button)
    {
        auto *b = qobject_cast<QPushButton *>(window(screen)->control(button));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // Closes a screen through its window frame.
    void closeThroughFrame(std::string_view screen) { window(screen)->close(); }

    ScreenRegistry registry{createScreen};
    int endCalls = 0;
};

// What an action did in a child process of the test: whether it aborted, and what it wrote. For
// faults that must stop the program; the test goes on in the parent.
struct ChildOutcome {
    bool aborted = false;
    QString output;
};
inline ChildOutcome runInChild(const std::function<void()> &action)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        action();
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t n; child > 0 && (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return {};
    return {WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT, QString::fromLocal8Bit(output)};
}

// Qt test main with the program's style and fonts, on the offscreen platform.
inline void prepareApplication(QApplication &app)
{
    applyProgramStyle(app);
}

} // namespace quorvel::testing

#define QUORVEL_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));   \
        QApplication app(argc, argv);                                                                                  \
        quorvel::testing::prepareApplication(app);                                                                     \
        TestClass tc;                                                                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
