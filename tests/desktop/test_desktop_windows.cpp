// The program on a real X server under a real window manager, driven by real mouse and key input:
// what opens comes up in front, lists keep their choice, minimized screens come back, frameless
// pages stay, fixed screens stay fixed, and the active screen is the one the desktop activates.
#include "desktop/desktop_program.h"

#include "resources/figure_pages.h"
#include "resources/units.h"
#include "window/screen_surface.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

using namespace quorvel;
using namespace quorvel::desktop;

namespace {
constexpr int settleMs = 8000;

bool waitFor(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, settleMs);
}

// The screen is in front, active for the window manager and for the program alike.
bool inFront(const DesktopProgram &p, std::string_view screen)
{
    return waitFor([&] { return p.topmost() == screen && p.reallyActive() == screen && p.registryActive() == screen; });
}

// What the student sees at a few points of the window is what the window draws there.
bool seenOnScreen(const QWidget *window)
{
    const QImage drawn = const_cast<QWidget *>(window)->grab().toImage();
    const QRect area(window->mapToGlobal(QPoint(0, 0)), window->size());
    return waitFor([&] {
        const QImage screen = grabScreen(area);
        for (QPoint at :
             {QPoint(area.width() / 2, area.height() / 2), QPoint(8, area.height() - 8), QPoint(area.width() - 8, 8)}) {
            if (screen.pixelColor(at) != drawn.pixelColor(at * drawn.devicePixelRatio()))
                return false;
        }
        return true;
    });
}

// With QUORVEL_DESKTOP_SHOTS set to a folder, the whole screen at this moment, for a person to look at
// (once the window given is drawn, or a while has passed).
void keepScreenshot(const DesktopSession &session, const char *what, const QWidget *drawn = nullptr)
{
    const QString folder = qEnvironmentVariable("QUORVEL_DESKTOP_SHOTS");
    if (drawn && !folder.isEmpty())
        (void)seenOnScreen(drawn);
    if (!folder.isEmpty())
        grabScreen(QGuiApplication::primaryScreen()->geometry())
            .save(QStringLiteral("%1/%2-%3.png").arg(folder, session.windowManagerName(), QLatin1String(what)));
}

QString caption(const DesktopProgram &p, std::string_view screen, std::string_view label)
{
    auto *l = p.control<QLabel>(screen, label);
    return l ? l->text() : QString();
}
} // namespace

class DesktopWindowsTest : public QObject
{
    Q_OBJECT
public:
    explicit DesktopWindowsTest(DesktopSession &session) : m_session(session) {}

private slots:
    void initTestCase() { qInfo("window manager: %s", qPrintable(m_session.windowManagerName())); }
    void windowsOpenInFront();
    void listsKeepTheirChoice();
    void showRestoresAMinimizedScreen();
    void framelessPagesIgnoreTheWindowManagersClose();
    void fixedScreensStayFixed();
    void activationFollowsTheDesktop();
    void everyScreenFitsASmallScreen();

private:
    DesktopSession &m_session;
};

void DesktopWindowsTest::windowsOpenInFront()
{
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(inFront(p, "Introduction"));
    QVERIFY(p.chooseMenu("Introduction", "mnuTest"));
    QVERIFY(inFront(p, "Test"));
    QVERIFY(clickWidget(p.control("Test", "cmdStart")));
    QVERIFY(waitFor([&] { return p.control("Test", "List2")->isVisible(); }));

    // A right answer opens its explanation page over the maximized test.
    QVERIFY(p.clickRow("Test", "List2", 2));
    QVERIFY(waitFor([&] { return caption(p, "Test", "Label1") == QLatin1String("CORRECT!"); }));
    QVERIFY(inFront(p, "Formq01"));
    QVERIFY(seenOnScreen(p.window("Formq01")));
    keepScreenshot(m_session, "test-with-explanation-page");

    // Each menu of the test opens its screen in front of everything.
    for (auto [entry, screen] : {std::pair{"mnuInstruct", "Instructions"},
                                 {"mnuGlossary", "Glossary2"},
                                 {"mnuRelations", "VascularFunctionCurves"}}) {
        QVERIFY(p.chooseMenu("Test", entry));
        QVERIFY2(inFront(p, screen), screen);
        if (std::string_view(screen) == "Instructions") {
            QVERIFY(seenOnScreen(p.window("Instructions")));
            keepScreenshot(m_session, "test-with-instructions");
        }
    }

    // A topic page lies above the maximized tutorial, and under what opens after it.
    QVERIFY(p.clickRow("VascularFunctionCurves", "basicList1", 2));
    QVERIFY(inFront(p, "Form1"));
    QVERIFY(seenOnScreen(p.window("Form1")));
    QVERIFY(p.chooseMenu("VascularFunctionCurves", "mnuTest"));
    QVERIFY(inFront(p, "Test"));
    QVERIFY(p.chooseMenu("Test", "mnuRelations"));
    QVERIFY(inFront(p, "VascularFunctionCurves"));
    QVERIFY(p.chooseMenu("VascularFunctionCurves", "mnuInstructions"));
    QVERIFY(inFront(p, "Instructions"));
    QVERIFY(seenOnScreen(p.window("Instructions")));

    // The screens that ask for no task-bar button say so to the window manager.
    QVERIFY(netWmState(p.window("Form1")).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")));
    QVERIFY(netWmState(p.window("Test")).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")));
    QVERIFY(!netWmState(p.window("Instructions")).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")));
}

void DesktopWindowsTest::listsKeepTheirChoice()
{
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(p.chooseMenu("Introduction", "mnuTest"));
    QVERIFY(inFront(p, "Test"));
    QVERIFY(clickWidget(p.control("Test", "cmdStart")));
    auto *answers = p.control<QListWidget>("Test", "List2");
    QVERIFY(waitFor([&] { return answers->isVisible(); }));
    const auto clicks = [&] { return p.counters.eventsOf("Test.List2"); };

    QVERIFY(p.clickRow("Test", "List2", 2)); // b, the right choice
    QVERIFY(waitFor([&] { return clicks() == 1; }));
    QCOMPARE(caption(p, "Test", "Label1"), QStringLiteral("CORRECT!"));

    // Ctrl+click on the chosen row: still chosen, one Click, judged right again.
    QVERIFY(p.clickRow("Test", "List2", 2, 1, QStringLiteral("ctrl")));
    QVERIFY(waitFor([&] { return clicks() == 2; }));
    QCOMPARE(answers->currentRow(), 2);
    QCOMPARE(answers->selectedItems().size(), 1);
    QVERIFY(answers->item(2)->isSelected());
    QCOMPARE(caption(p, "Test", "Label1"), QStringLiteral("CORRECT!"));

    // Right and middle clicks on another row change nothing.
    QVERIFY(p.clickRow("Test", "List2", 4, 3));
    QVERIFY(p.clickRow("Test", "List2", 4, 2));
    QTest::qWait(200);
    QCOMPARE(clicks(), 2);
    QVERIFY(answers->item(2)->isSelected());

    // The tutorial's list: a click in the band below the rows, and Ctrl+click on the chosen topic.
    QVERIFY(p.chooseMenu("Test", "mnuRelations"));
    QVERIFY(inFront(p, "VascularFunctionCurves"));
    auto *topics = p.control<QListWidget>("VascularFunctionCurves", "basicList1");
    const auto topicClicks = [&] { return p.counters.eventsOf("VascularFunctionCurves.basicList1"); };
    QVERIFY(p.clickRow("VascularFunctionCurves", "basicList1", 3)); // topic 2
    QVERIFY(waitFor([&] { return topicClicks() == 1 && p.window("Form2")->isVisible(); }));
    const QRect last = topics->visualItemRect(topics->item(topics->count() - 1));
    QVERIFY2(last.bottom() + 6 < topics->viewport()->height(), "the topic list has a band below its rows");
    QVERIFY(clickWidget(topics->viewport(), QPoint(last.center().x(), last.bottom() + 4)));
    QVERIFY(p.clickRow("VascularFunctionCurves", "basicList1", 3, 1, QStringLiteral("ctrl")));
    QVERIFY(waitFor([&] { return topicClicks() == 2; }));
    QTest::qWait(200);
    QCOMPARE(topicClicks(), 2);
    QVERIFY(topics->item(3)->isSelected());
    QVERIFY(p.window("Form2")->isVisible());

    // The arrow keys choose as before: one Click per row reached.
    QVERIFY(
        clickWidget(p.window("VascularFunctionCurves"), QPoint(5, p.window("VascularFunctionCurves")->height() - 5)));
    topics->setFocus();
    QVERIFY(pressKeys(QStringLiteral("Down")));
    QVERIFY(waitFor([&] { return topicClicks() == 3 && topics->item(4)->isSelected(); }));
    QVERIFY(waitFor([&] { return p.window("Form3")->isVisible() && !p.window("Form2")->isVisible(); }));
}

void DesktopWindowsTest::showRestoresAMinimizedScreen()
{
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(p.chooseMenu("Introduction", "mnuGlossary"));
    QVERIFY(inFront(p, "Glossary2"));
    QVERIFY(minimize(p.window("Glossary2")));
    QVERIFY(waitFor([&] { return p.window("Glossary2")->isMinimized(); }));
    // The desktop activates another window, and the program knows which.
    QVERIFY(waitFor([&] { return p.reallyActive() == p.registryActive(); }));

    QVERIFY(p.chooseMenu("Introduction", "mnuGlossary"));
    QVERIFY(inFront(p, "Glossary2"));
    QVERIFY(
        waitFor([&] { return !netWmState(p.window("Glossary2")).contains(QStringLiteral("_NET_WM_STATE_HIDDEN")); }));
    QVERIFY(!p.window("Glossary2")->isMinimized());
    QVERIFY(seenOnScreen(p.window("Glossary2")));
}

void DesktopWindowsTest::framelessPagesIgnoreTheWindowManagersClose()
{
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(p.chooseMenu("Introduction", "mnuVFC"));
    QVERIFY(inFront(p, "VascularFunctionCurves"));
    QVERIFY(p.clickRow("VascularFunctionCurves", "basicList1", 2));
    QVERIFY(inFront(p, "Form1"));
    QVERIFY(pressKeys(QStringLiteral("alt+F4")));
    QVERIFY(windowManagerClose(p.window("Form1")));
    QTest::qWait(300);
    QVERIFY(p.window("Form1") && p.window("Form1")->isVisible());
    QVERIFY(p.registry.screen("Form1").visible());
    QCOMPARE(p.registry.count(), 17); // the welcome screen, the tutorial and its fifteen pages
    // The tutorial behind it still closes through its frame, and its pages stay as they are.
    QVERIFY(windowManagerClose(p.window("VascularFunctionCurves")));
    QVERIFY(waitFor([&] { return !p.registry.screen("VascularFunctionCurves").loaded(); }));
    QVERIFY(p.window("Form1")->isVisible());
    QCOMPARE(p.endCalls, 0);
}

void DesktopWindowsTest::fixedScreensStayFixed()
{
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(p.chooseMenu("Introduction", "mnuVFC"));
    QVERIFY(p.chooseMenu("VascularFunctionCurves", "mnuTest"));
    for (const char *name : {"Introduction", "VascularFunctionCurves", "Test"}) {
        ScreenWindow *w = p.window(name);
        const ScreenDescription &d = w->description();
        const QSize described(d.clientWidth / 15, d.clientHeight / 15);
        QVERIFY2(waitFor([&] { return w->isMaximized(); }), name);
        QVERIFY2(setMaximized(w, false), name);
        // Restored at its described size, or as much of it as this small screen's work area holds
        // (openbox may lay the one-pixel border of a window as tall as the area off the screen).
        const bool restored = waitFor([&] {
            const QSize s = w->surface()->size();
            return !w->isMaximized() && s.width() == described.width() && s.height() <= described.height() &&
                   workArea().adjusted(-1, -1, 1, 1).contains(frameOnScreen(w));
        });
        QVERIFY2(restored, name);
        const QSize client = w->surface()->size();
        QVERIFY(resizeThroughWindowManager(w, QSize(900, 700)));
        QTest::qWait(400);
        QCOMPARE(w->surface()->size(), client);
        QVERIFY2(w->minimumSize() == w->maximumSize(), name);
        QVERIFY2(waitFor([&] { return !allowedActions(w).contains(QStringLiteral("_NET_WM_ACTION_RESIZE")); }), name);
        // Neither window manager lets a fixed screen be maximized again; metacity, which honours the
        // Motif hints, also offers no minimize (openbox keeps minimize on every framed window).
        const QStringList actions = allowedActions(w);
        QVERIFY2(!actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ")), name);
        if (m_session.windowManagerName() == QLatin1String("metacity"))
            QVERIFY2(!actions.contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")), name);
    }
}

void DesktopWindowsTest::activationFollowsTheDesktop()
{
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(inFront(p, "Introduction"));
    QVERIFY(p.chooseMenu("Introduction", "mnuInstruct"));
    QVERIFY(inFront(p, "Instructions"));
    QCOMPARE(p.counters.activationsOf("Instructions"), 1);
    const int welcome = p.counters.activationsOf("Introduction");

    // A click from one screen into another activates it, once.
    ScreenWindow *intro = p.window("Introduction");
    QVERIFY(clickWidget(intro, QPoint(intro->width() - 20, intro->height() - 20)));
    QVERIFY(waitFor([&] { return p.reallyActive() == "Introduction" && p.registryActive() == "Introduction"; }));
    QCOMPARE(p.counters.activationsOf("Introduction"), welcome + 1);
    QVERIFY(windowManagerActivate(p.window("Instructions")));
    QVERIFY(waitFor([&] { return p.reallyActive() == "Instructions" && p.registryActive() == "Instructions"; }));
    QCOMPARE(p.counters.activationsOf("Instructions"), 2);

    // Another program takes the focus, covering the page, and goes: nothing runs on the way back.
    QProcess other;
    other.start(QStringLiteral("xmessage"),
                {QStringLiteral("-geometry"), QStringLiteral("400x200+40+60"), QStringLiteral("another program")});
    QVERIFY(other.waitForStarted());
    // A new window usually takes the focus; where the window manager holds it back, it is activated.
    if (!waitFor([&] { return activeWindow() != 0 && p.reallyActive().empty(); }))
        runTool(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
                 QStringLiteral("xmessage"), QStringLiteral("windowactivate")});
    QVERIFY(waitFor([&] { return p.reallyActive().empty(); }));
    QVERIFY(p.reallyActive().empty());
    QCOMPARE(p.registryActive(), std::string_view("Instructions"));
    other.kill(); // by its own id
    other.waitForFinished();
    QVERIFY(windowManagerActivate(p.window("Instructions")));
    QVERIFY(waitFor([&] { return p.reallyActive() == "Instructions"; }));
    QTest::qWait(300);
    QCOMPARE(p.counters.activationsOf("Instructions"), 2);
    QCOMPARE(p.counters.activationsOf("Introduction"), welcome + 1);
    QCOMPARE(p.registryActive(), std::string_view("Instructions"));
}

// On a small laptop's screen with a panel, every screen the student opens lies inside the work area,
// frame included. One that fits keeps its described place; the topic pages, which reach below it,
// move up by just that much; the picture glossary, taller than the area with its frame, becomes
// shorter at its place and still shows its whole picture.
void DesktopWindowsTest::everyScreenFitsASmallScreen()
{
    const Panel panel(32);
    const QRect area(0, 0, 1280, 720 - 32);
    QVERIFY(
        waitFor([&] { return workArea() == area && QGuiApplication::primaryScreen()->availableGeometry() == area; }));
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(p.chooseMenu("Introduction", "mnuGlossary"));
    ScreenWindow *glossary = p.window("Glossary2");
    QVERIFY(inFront(p, "Glossary2"));
    keepScreenshot(m_session, "small-screen-glossary", glossary);
    for (const char *entry : {"mnuInstruct", "mnuVFC", "mnuTest"})
        QVERIFY2(p.chooseMenu("Introduction", entry), entry);
    for (const ScreenDescription &page : figurePageDescriptions()) {
        if (!p.window(page.name))
            p.registry.show(page.name);
    }
    for (Screen *s : p.registry.forms()) {
        ScreenWindow *w = s->window();
        const bool inside = waitFor([&] { return w->isVisible() && area.contains(frameOnScreen(w)); });
        QString seen;
        QDebug(&seen) << s->name().data() << frameOnScreen(w) << w->windowState();
        QVERIFY2(inside, qPrintable(seen));
    }
    keepScreenshot(m_session, "small-screen-pages", p.window("Form15"));
    QCOMPARE(p.window("Formq25")->geometry().topLeft(), QPoint(twipsToPixels(840), twipsToPixels(1050)));
    const QRect page = frameOnScreen(p.window("Form15"));
    QCOMPARE(page.left(), twipsToPixels(findFigurePage("Form15")->clientLeft));
    QCOMPARE(page.bottom(), area.bottom());
    QCOMPARE(glossary->geometry().left(), twipsToPixels(60));
    QCOMPARE(frameOnScreen(glossary).top(), area.top());
    QVERIFY(glossary->surface()->height() >= glossary->surface()->picture()->naturalSize().height());
}

QUORVEL_DESKTOP_TEST_MAIN(DesktopWindowsTest, false, QStringLiteral("1280x720x24"))
#include "test_desktop_windows.moc"
