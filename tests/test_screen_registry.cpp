// The screen model: single instances, loading, activation, unloading, End and the closing walks.
#include "program_fixture.h"

#include <QtTest>

using namespace quorvel;
using namespace quorvel::testing;

namespace {

constexpr MenuEntryDescription probeMenu[] = {{"mnuClose", "Close"}, {"mnuEnd", "End"}};

constexpr ScreenDescription describe(std::string_view name, BorderStyle border = BorderStyle::FixedSingle)
{
    return {
        .name = name, .caption = name, .border = border, .clientWidth = 3000, .clientHeight = 2000, .menus = probeMenu};
}

constexpr ScreenDescription descriptions[] = {describe("Introduction"), describe("Alpha"), describe("Beta"),
                                              describe("introduction"), describe("Frameless", BorderStyle::None)};

// A screen that counts what runs on it and keeps an own variable across loads.
class Probe : public Screen
{
public:
    Probe(ScreenRegistry &r, const ScreenDescription &d) : Screen(r, d) {}
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    bool handleEvent(std::string_view control, ControlEvent) override
    {
        ++handled;
        if (control == "mnuClose") {
            registry().closeToWelcome();
            ownVariable += 1; // the handler runs on after its screen was unloaded
            windowAfterWalk = window();
        } else if (control == "mnuEnd") {
            registry().endSession();
        }
        return true;
    }
    int loads = 0, activations = 0, handled = 0, ownVariable = 0;
    ScreenWindow *windowAfterWalk = reinterpret_cast<ScreenWindow *>(1);
};

std::unique_ptr<Screen> probeFactory(ScreenRegistry &r, std::string_view name)
{
    for (const ScreenDescription &d : descriptions) {
        if (d.name == name)
            return std::make_unique<Probe>(r, d);
    }
    return nullptr;
}

struct ProbeProgram {
    ProbeProgram()
    {
        registry.setEndHandler([this] { ++endCalls; });
    }
    ~ProbeProgram() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    Probe &probe(std::string_view name) { return registry.screenAs<Probe>(name); }
    ScreenRegistry registry{probeFactory};
    int endCalls = 0;
};

QStringList formNames(const ScreenRegistry &r)
{
    QStringList names;
    for (const Screen *s : r.forms())
        names.append(QString::fromUtf8(s->name().data(), qsizetype(s->name().size())));
    return names;
}

} // namespace

class ScreenRegistryTest : public QObject
{
    Q_OBJECT

private slots:
    void referenceCreatesOneInstanceAndLoadsNothing()
    {
        ProbeProgram p;
        Probe &first = p.probe("Alpha");
        QCOMPARE(&p.probe("Alpha"), &first);
        QCOMPARE(p.registry.instanceCount(), 1u);
        QCOMPARE(first.state(), ScreenState::Created);
        QVERIFY(!first.window());
        QCOMPARE(p.registry.count(), 0);
        QCOMPARE(first.loads, 0);
    }

    void aMisspeltScreenNameStopsTheProgramWithTheName()
    {
        ProbeProgram p;
        const ChildOutcome outcome = runInChild([&] { p.registry.show("Alpah"); });
        QVERIFY2(outcome.aborted && outcome.output.contains(QLatin1String("no screen is named \"Alpah\"")),
                 qPrintable(outcome.output));
        QCOMPARE(p.registry.instanceCount(), 0u);
    }

    void showLoadsBeforeItShowsAndActivatesAfter()
    {
        ProbeProgram p;
        Probe &alpha = p.probe("Alpha");
        p.registry.show(alpha);
        QCOMPARE(alpha.loads, 1);
        QCOMPARE(alpha.activations, 1);
        QVERIFY(alpha.window()->isVisible());
        QCOMPARE(p.registry.activeScreen(), &alpha);
        QCOMPARE(formNames(p.registry), QStringList{"Alpha"});

        ScreenWindow *window = alpha.window();
        p.registry.show(alpha); // already visible and active: nothing runs again
        QCOMPARE(alpha.window(), window);
        QCOMPARE(alpha.loads, 1);
        QCOMPARE(alpha.activations, 1);
        QCOMPARE(p.registry.count(), 1);
    }

    void activateRunsOnEverySwitchBetweenScreens()
    {
        ProbeProgram p;
        Probe &alpha = p.probe("Alpha");
        Probe &beta = p.probe("Beta");
        p.registry.show(alpha);
        p.registry.show(beta);
        p.registry.show(alpha); // brought forward from behind: activated again, not loaded again
        QCOMPARE(alpha.activations, 2);
        QCOMPARE(alpha.loads, 1);
        QCOMPARE(beta.activations, 1);

        p.registry.windowActivated(beta); // the student clicks into the other screen
        QCOMPARE(beta.activations, 2);
        p.registry.windowActivated(beta); // focus back from another program: nothing runs
        QCOMPARE(beta.activations, 2);
    }

    void hideLoadsWithoutShowingOrActivating()
    {
        ProbeProgram p;
        Probe &alpha = p.probe("Alpha");
        p.registry.hide(alpha);
        QCOMPARE(alpha.loads, 1);
        QCOMPARE(alpha.activations, 0);
        QCOMPARE(alpha.state(), ScreenState::LoadedHidden);
        QVERIFY(!alpha.window()->isVisible());
        QCOMPARE(p.registry.count(), 1);

        p.registry.setVisible(alpha, true);
        QCOMPARE(alpha.loads, 1);
        QCOMPARE(alpha.activations, 1);
        QVERIFY(alpha.window()->isVisible());
        p.registry.hide(alpha);
        QVERIFY(!alpha.window()->isVisible());
        QVERIFY(!p.registry.activeScreen());
    }

    void reloadRunsLoadAgainAndKeepsOwnVariables()
    {
        ProbeProgram p;
        p.registry.show("Introduction");
        Probe &alpha = p.probe("Alpha");
        p.registry.show(alpha);
        alpha.ownVariable = 42;
        p.registry.unload(alpha);
        QCOMPARE(alpha.state(), ScreenState::Created);
        QVERIFY(!alpha.window());
        QCOMPARE(formNames(p.registry), QStringList{"Introduction"});

        p.registry.show(alpha);
        QCOMPARE(alpha.loads, 2);
        QCOMPARE(alpha.ownVariable, 42);
        QCOMPARE(&p.probe("Alpha"), &alpha);
    }

    void unloadInsideTheUnloadedScreensOwnHandler()
    {
        ProbeProgram p;
        p.registry.show("Introduction");
        Probe &alpha = p.probe("Alpha");
        p.registry.show(alpha);
        p.registry.show("Beta");
        QPointer<ScreenWindow> alphaWindow = alpha.window();
        alphaWindow->menuAction("mnuClose")->trigger();

        QCOMPARE(alpha.handled, 1);
        QCOMPARE(alpha.ownVariable, 1);
        QVERIFY(alpha.windowAfterWalk == nullptr);
        QCOMPARE(formNames(p.registry), QStringList{"Introduction"});
        QVERIFY(alphaWindow && !alphaWindow->isVisible()); // deleted once the handler has returned
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alphaWindow);
        QCOMPARE(p.endCalls, 0);
    }

    void closeToWelcomeComparesTheExactName()
    {
        ProbeProgram p;
        for (auto name : {"Alpha", "Introduction", "introduction", "Beta"})
            p.registry.show(name);
        p.registry.closeToWelcome();
        QCOMPARE(formNames(p.registry), QStringList{"Introduction"});
        QVERIFY(p.probe("Introduction").window()->isVisible());
        QCOMPARE(p.probe("Introduction").activations, 1); // neither shown nor activated by the walk
        QCOMPARE(p.endCalls, 0);
    }

    void closeToWelcomeAfterTheWelcomeScreenWasClosedEndsTheProgram()
    {
        ProbeProgram p;
        for (auto name : {"Introduction", "Alpha", "Beta"})
            p.registry.show(name);
        p.probe("Introduction").window()->close();
        QCOMPARE(formNames(p.registry), (QStringList{"Alpha", "Beta"}));
        QCOMPARE(p.endCalls, 0);
        p.registry.closeToWelcome();
        QCOMPARE(p.registry.count(), 0);
        QVERIFY(p.registry.ended());
        QCOMPARE(p.endCalls, 1);
    }

    void endSessionUnloadsEverythingAndEnds()
    {
        ProbeProgram p;
        p.registry.show("Introduction");
        p.registry.hide(p.probe("Alpha"));
        Probe &beta = p.probe("Beta");
        p.registry.show(beta);
        beta.window()->menuAction("mnuEnd")->trigger();
        QCOMPARE(p.registry.count(), 0);
        QVERIFY(p.registry.ended());
        QCOMPARE(p.endCalls, 1);
    }

    void nothingRunsAfterEnd()
    {
        ProbeProgram p;
        Probe &intro = p.probe("Introduction");
        p.registry.show(intro);
        Probe &alpha = p.probe("Alpha");
        p.registry.hide(alpha);
        p.registry.end();
        QVERIFY(!intro.window()->isVisible());
        QCOMPARE(p.endCalls, 1);

        intro.window()->menuAction("mnuClose")->trigger();
        p.registry.show(alpha);
        p.registry.show("Beta");
        p.registry.windowActivated(intro);
        p.registry.end();
        QCOMPARE(intro.handled, 0);
        QCOMPARE(alpha.activations, 0);
        QCOMPARE(p.probe("Beta").loads, 0);
        QCOMPARE(intro.activations, 1);
        QCOMPARE(p.endCalls, 1);
    }

    void unloadAllExceptCountsDownAndSparesOne()
    {
        ProbeProgram p;
        for (auto name : {"Introduction", "Alpha", "Beta", "Frameless"})
            p.registry.show(name);
        Probe &alpha = p.probe("Alpha");
        ScreenWindow *spared = alpha.window();
        p.registry.unloadAllExcept(alpha);
        QCOMPARE(formNames(p.registry), QStringList{"Alpha"});
        QCOMPARE(alpha.window(), spared);
        QVERIFY(spared->isVisible());
        QCOMPARE(p.endCalls, 0);

        p.registry.unloadAllExcept(alpha); // only the spared screen loaded: nothing changes
        QCOMPARE(formNames(p.registry), QStringList{"Alpha"});
        QVERIFY(!p.registry.ended());
    }

    void theLastUnloadEndsTheProgram()
    {
        ProbeProgram p;
        p.registry.show("Alpha");
        p.registry.unload(p.probe("Alpha"));
        QVERIFY(p.registry.ended());
        QCOMPARE(p.endCalls, 1);
    }

    void closingTheLastTitledWindowEndsEvenWithHiddenOrFramelessScreensLoaded()
    {
        ProbeProgram p;
        p.registry.show("Introduction");
        p.registry.hide(p.probe("Alpha"));
        p.registry.show("Frameless");
        p.probe("Introduction").window()->close();
        QVERIFY(p.registry.ended());
        QCOMPARE(p.endCalls, 1);
        QCOMPARE(p.registry.count(), 0);
    }

    void closingOneOfTwoTitledWindowsKeepsTheProgramRunning()
    {
        ProbeProgram p;
        p.registry.show("Introduction");
        p.registry.show("Alpha");
        p.probe("Alpha").window()->close();
        QCOMPARE(formNames(p.registry), QStringList{"Introduction"});
        QVERIFY(!p.registry.ended());
        p.registry.show("Alpha"); // comes back loaded afresh
        QCOMPARE(p.probe("Alpha").loads, 2);
    }
};

QUORVEL_TEST_MAIN(ScreenRegistryTest)
#include "test_screen_registry.moc"
