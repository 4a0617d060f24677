#pragma once
// The program on the test's desktop: the real screens on the xcb platform, each counting how often
// its Form_Activate and its handlers run, so a test can tell one Click from two.

#include "desktop/desktop_input.h"
#include "desktop/desktop_session.h"

#include "practice_test/practice_test.h"
#include "program_fixture.h"
#include "resources/figure_pages.h"
#include "shell/figure_page.h"
#include "tutorial/vascular_function_curves.h"
#include "welcome/instructions.h"
#include "welcome/introduction.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>

namespace quorvel::desktop {

struct Counters {
    std::map<std::string, int, std::less<>> activations; // by screen
    std::map<std::string, int, std::less<>> events;      // by "screen.control"
    int activationsOf(std::string_view screen) const
    {
        const auto it = activations.find(screen);
        return it == activations.end() ? 0 : it->second;
    }
    int eventsOf(std::string_view screenDotControl) const
    {
        const auto it = events.find(screenDotControl);
        return it == events.end() ? 0 : it->second;
    }
};

template <class S> class Counted : public S
{
public:
    template <class... Args>
    explicit Counted(Counters &counters, Args &&...args) : S(std::forward<Args>(args)...), m_counters(counters)
    {}
    void Form_Activate() override
    {
        ++m_counters.activations[std::string(this->name())];
        S::Form_Activate();
    }

protected:
    bool handleEvent(std::string_view control, ControlEvent event) override
    {
        ++m_counters.events[std::string(this->name()) + "." + std::string(control)];
        return S::handleEvent(control, event);
    }

private:
    Counters &m_counters;
};

class DesktopProgram
{
    static constexpr int keySettleMs = 300;

public:
    DesktopProgram() : registry([this](ScreenRegistry &r, std::string_view name) { return create(r, name); })
    {
        registry.setEndHandler([this] { ++endCalls; });
        registry.show("Introduction");
        // As at start-up on a desktop: the welcome screen is mapped, placed and active before the student acts.
        started = QTest::qWaitForWindowExposed(window("Introduction")) &&
                  QTest::qWaitFor([this] { return reallyActive() == "Introduction"; }, 8000);
    }
    ~DesktopProgram()
    {
        // Qt's accessibility bridge holds a copy of each key event until the screen reader has
        // answered for it, 100 ms at most (its D-Bus timeout), and loses the copies whose window is
        // gone by then: the windows stay until the last keys are settled.
        if (QAccessible::isActive())
            QTest::qWait(keySettleMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ScreenWindow *window(std::string_view screen) const
    {
        Screen *s = registry.existing(screen);
        return s ? s->window() : nullptr;
    }
    template <class W = QWidget> W *control(std::string_view screen, std::string_view name) const
    {
        ScreenWindow *w = window(screen);
        return w ? qobject_cast<W *>(w->control(name)) : nullptr;
    }
    // Every loaded screen's window.
    std::vector<const QWidget *> windows() const
    {
        std::vector<const QWidget *> all;
        for (Screen *s : registry.forms())
            all.push_back(s->window());
        return all;
    }
    // The screen whose window the window manager says is active; empty if none of ours.
    std::string_view reallyActive() const
    {
        const XWindow active = activeWindow();
        for (Screen *s : registry.forms()) {
            if (xWindow(s->window()) == active)
                return s->name();
        }
        return {};
    }
    std::string_view registryActive() const { return registry.activeScreen() ? registry.activeScreen()->name() : ""; }
    std::string_view topmost() const
    {
        const QWidget *top = topmostOf(windows());
        for (Screen *s : registry.forms()) {
            if (s->window() == top)
                return s->name();
        }
        return {};
    }
    bool chooseMenu(std::string_view screen, std::string_view entry)
    {
        ScreenWindow *w = window(screen);
        if (!w)
            return false;
        // A screen covered by others is brought up first, as a student clicks its visible part.
        if (topmost() != screen &&
            (!windowManagerActivate(w) || !QTest::qWaitFor([&] { return topmost() == screen; }, 5000)))
            return false;
        return chooseMenuEntry(w, w->menuAction(entry));
    }
    bool clickRow(std::string_view screen, std::string_view list, int row, int button = 1,
                  const QString &modifiers = {})
    {
        auto *box = control<QListWidget>(screen, list);
        if (!box || row >= box->count())
            return false;
        return clickWidget(box->viewport(), box->visualItemRect(box->item(row)).center(), button, modifiers);
    }

    Counters counters;
    ScreenRegistry registry;
    bool started = false;
    int endCalls = 0;

private:
    std::unique_ptr<Screen> create(ScreenRegistry &r, std::string_view name)
    {
        if (name == "Introduction")
            return std::make_unique<Counted<Introduction>>(counters, r);
        if (name == "Instructions")
            return std::make_unique<Counted<Instructions>>(counters, r);
        if (name == "VascularFunctionCurves")
            return std::make_unique<Counted<VascularFunctionCurves>>(counters, r);
        if (name == "Test")
            return std::make_unique<Counted<Test>>(counters, r);
        if (const ScreenDescription *page = findFigurePage(name))
            return std::make_unique<Counted<FigurePage>>(counters, r, *page);
        return createScreen(r, name);
    }
};

} // namespace quorvel::desktop

// A test program on a desktop of its own: "-wm openbox" or "-wm metacity" picks the window manager.
#define QUORVEL_DESKTOP_TEST_MAIN(TestClass, withOrca, screenSize)                                                     \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        using namespace quorvel::desktop;                                                                              \
        const WindowManager wm = windowManagerFromArguments(argc, argv);                                               \
        DesktopSession session;                                                                                        \
        const QString error =                                                                                          \
            session.start({.windowManager = wm, .accessibility = withOrca, .orca = withOrca, .screen = screenSize});   \
        if (!error.isEmpty()) {                                                                                        \
            std::fprintf(stderr, "FAIL: the test desktop could not start: %s\n", qPrintable(error));                   \
            return 1;                                                                                                  \
        }                                                                                                              \
        qputenv("QT_QPA_PLATFORM", "xcb");                                                                             \
        int result = 1;                                                                                                \
        {                                                                                                              \
            QApplication app(argc, argv);                                                                              \
            quorvel::testing::prepareApplication(app);                                                                 \
            TestClass tc(session);                                                                                     \
            result = QTest::qExec(&tc, argc, argv);                                                                    \
        }                                                                                                              \
        if (const QString left = session.stop(); !left.isEmpty()) {                                                    \
            std::fprintf(stderr, "FAIL: processes of the test desktop outlived it:\n%s\n", qPrintable(left));          \
            result = 1;                                                                                                \
        }                                                                                                              \
        return result;                                                                                                 \
    }
