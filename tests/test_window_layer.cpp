// A description becomes a window: frame, size, colours, fonts, menus, controls, stacking, tab
// order and pictures.
#include "program_fixture.h"

#include "resources/units.h"
#include "window/fonts.h"
#include "window/picture.h"
#include "window/platform_choice.h"
#include "window/screen_surface.h"

#include <QMenuBar>
#include <QtTest>

using namespace quorvel;

namespace {

class NullEvents : public WindowEvents
{
public:
    void controlEvent(std::string_view control, ControlEvent) override
    {
        clicks.append(QString::fromUtf8(control.data(), control.size()));
    }
    void windowActivated() override {}
    void windowCloseRequested() override {}
    QStringList clicks;
};

constexpr ControlDescription stackControls[] = {
    {.name = "front",
     .kind = ControlKind::PictureBox,
     .left = 150,
     .top = 150,
     .width = 1500,
     .height = 1500,
     .backColor = colours::green,
     .tabIndex = 3},
    {.name = "inner",
     .kind = ControlKind::PictureBox,
     .container = "front",
     .left = 0,
     .top = 0,
     .width = 1500,
     .height = 1500,
     .backColor = colours::white,
     .visible = false,
     .tabIndex = 4},
    {.name = "back",
     .kind = ControlKind::PictureBox,
     .left = 150,
     .top = 150,
     .width = 1500,
     .height = 1500,
     .backColor = colours::blue,
     .tabIndex = 5},
    {.name = "caption",
     .kind = ControlKind::Label,
     .left = 150,
     .top = 150,
     .width = 3000,
     .height = 300,
     .caption = "Under everything",
     .tabIndex = 6},
    {.name = "hiddenBox",
     .kind = ControlKind::PictureBox,
     .left = 1800,
     .top = 150,
     .width = 1500,
     .height = 1500,
     .visible = false,
     .tabIndex = 7},
    {.name = "childOfHidden",
     .kind = ControlKind::PictureBox,
     .container = "hiddenBox",
     .left = 0,
     .top = 0,
     .width = 600,
     .height = 600,
     .tabIndex = 8},
    {.name = "second",
     .kind = ControlKind::ListBox,
     .left = 150,
     .top = 1800,
     .width = 1500,
     .height = 900,
     .tabIndex = 1},
    {.name = "notes",
     .kind = ControlKind::TextBox,
     .left = 1800,
     .top = 1800,
     .width = 1500,
     .height = 900,
     .multiLine = true,
     .visible = false,
     .tabIndex = 0},
    {.name = "go",
     .kind = ControlKind::CommandButton,
     .left = 3450,
     .top = 1800,
     .width = 900,
     .height = 450,
     .caption = "Go",
     .backColor = colours::green,
     .graphical = true,
     .tabIndex = 2},
    {.name = "metafile",
     .kind = ControlKind::PictureBox,
     .left = 3450,
     .top = 150,
     .width = 3030,
     .height = 1530,
     .tabIndex = 9,
     .picture = {"probe-card.svg", PictureKind::PlaceableMetafile}},
    {.name = "missing",
     .kind = ControlKind::PictureBox,
     .left = 3450,
     .top = 2400,
     .width = 1530,
     .height = 630,
     .backColor = colours::lightYellow,
     .tabIndex = 10,
     .picture = {"not-drawn-yet.svg", PictureKind::EnhancedMetafile}},
};

constexpr MenuEntryDescription stackMenus[] = {
    {"mnuFile", "&Open", 1}, {"mnuFirst", "&First", 2}, {"mnuSecond", "Second", 2}, {"mnuQuit", "Quit", 1}};

constexpr ScreenDescription stackScreen{.name = "Stack",
                                        .caption = "Stacking",
                                        .border = BorderStyle::FixedSingle,
                                        .maxButton = false,
                                        .minButton = false,
                                        .clientLeft = 600,
                                        .clientTop = 900,
                                        .clientWidth = 7500,
                                        .clientHeight = 3600,
                                        .controls = stackControls,
                                        .menus = stackMenus};

constexpr ScreenDescription bitmapScreen{.name = "Bitmap",
                                         .caption = "Bitmap",
                                         .backColor = colours::blue,
                                         .clientWidth = 6000,
                                         .clientHeight = 3000,
                                         .picture = {"probe-card.svg", PictureKind::Bitmap}};

QColor pixelAt(QWidget *w, QPoint p)
{
    return w->grab().toImage().pixelColor(p * w->devicePixelRatioF());
}

// What the student sees at a point of the window: the deepest visible widget there.
QString seenAt(ScreenWindow &window, QPoint inSurface)
{
    QWidget *w = window.surface()->childAt(inSurface);
    while (w && w->objectName().endsWith(QLatin1String(".client")))
        w = w->parentWidget();
    return w ? w->objectName() : QStringLiteral("surface");
}

} // namespace

class WindowLayerTest : public QObject
{
    Q_OBJECT

private slots:
    void waylandDesktopsUseXWaylandUnlessTheUserChose()
    {
        struct Case {
            DesktopEnvironment environment;
            std::string_view platform;
        };
        const Case cases[] = {
            {{.sessionType = "wayland", .waylandDisplay = "wayland-0", .x11Display = ":0"}, "xcb"},
            {{.waylandDisplay = "wayland-0", .x11Display = ":1"}, "xcb"},
            {{.qpaPlatform = "wayland", .sessionType = "wayland", .x11Display = ":0"}, ""}, // the user's choice
            {{.sessionType = "wayland", .waylandDisplay = "wayland-0"}, ""}, // no XWayland: Qt's own choice
            {{.sessionType = "x11", .x11Display = ":0"}, ""},
        };
        for (const Case &c : cases)
            QCOMPARE(preferredPlatform(c.environment), c.platform);
    }
    void borderStylesGiveTheirFrames_data()
    {
        QTest::addColumn<int>("border");
        QTest::addColumn<bool>("frameless");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("none") << 0 << true << false;
        QTest::newRow("fixed single") << 1 << false << true;
        QTest::newRow("sizable") << 2 << false << true;
        QTest::newRow("fixed dialog") << 3 << false << true;
        QTest::newRow("tool window") << 4 << false << true;
    }
    void borderStylesGiveTheirFrames()
    {
        QFETCH(int, border);
        QFETCH(bool, frameless);
        QFETCH(bool, closeBox);
        const auto style = static_cast<BorderStyle>(border);
        const bool taskbar = style == BorderStyle::FixedSingle || style == BorderStyle::Sizable;
        const ScreenDescription d{.name = "Frame",
                                  .caption = "Frame",
                                  .border = style,
                                  .maxButton = false,
                                  .minButton = false,
                                  .showInTaskbar = taskbar,
                                  .clientWidth = 1500,
                                  .clientHeight = 1500};
        NullEvents events;
        ScreenWindow w(d, events);
        const Qt::WindowFlags f = w.windowFlags();
        QCOMPARE(f.testFlag(Qt::FramelessWindowHint), frameless);
        // Every screen is a normal window, so that whatever opens later lies in front of it.
        QCOMPARE(f & Qt::WindowType_Mask, Qt::Window);
        QCOMPARE(f.testFlag(Qt::WindowCloseButtonHint), closeBox);
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(w.windowTitle(), QStringLiteral("Frame"));
    }

    void clientAreaIsPlacedAndSizedInTwips()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        w.showScreen();
        QCOMPARE(w.surface()->size(), QSize(500, 240));
        QCOMPARE(w.surface()->mapToGlobal(QPoint(0, 0)), QPoint(40, 60));
        QVERIFY(w.minimumSize() == w.maximumSize()); // a fixed border is not resizable
        QCOMPARE(w.control("front")->geometry(), QRect(10, 10, 100, 100));
    }

    void directColoursAreBgrAndDefaultsComeFromTheDesktop()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        w.showScreen();
        QCOMPARE(pixelAt(w.surface(), QPoint(495, 235)), QApplication::palette().color(QPalette::Button));
        QCOMPARE(pixelAt(w.control("back"), QPoint(50, 50)), QColor(0, 0, 255)); // &H00FF0000 is blue
        QCOMPARE(pixelAt(w.control("missing"), QPoint(50, 20)), QColor(255, 255, 192));
    }

    void schemeColoursFollowThePaletteWhenItChanges()
    {
        const ControlDescription labels[] = {{.name = "lit",
                                              .kind = ControlKind::Label,
                                              .width = 1500,
                                              .height = 300,
                                              .backColor = colours::blue,
                                              .foreColor = colours::highlightText}};
        const ScreenDescription d{.name = "Scheme", .clientWidth = 1500, .clientHeight = 300, .controls = labels};
        NullEvents events;
        ScreenWindow w(d, events);
        const QPalette original = QApplication::palette();
        QPalette changed = original;
        changed.setColor(QPalette::HighlightedText, QColor(1, 2, 3));
        QApplication::setPalette(changed);
        QCoreApplication::processEvents();
        QCOMPARE(w.control("lit")->palette().color(QPalette::WindowText), QColor(1, 2, 3));
        QCOMPARE(w.control("lit")->palette().color(QPalette::Window), QColor(0, 0, 255));
        QApplication::setPalette(original);
        QCoreApplication::processEvents();
        QCOMPARE(w.control("lit")->palette().color(QPalette::WindowText), original.color(QPalette::HighlightedText));
    }

    void firstStoredLiesOnTopAndLabelsBeneath()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        w.showScreen();
        QCOMPARE(seenAt(w, QPoint(50, 50)), QStringLiteral("front"));
        QCOMPARE(seenAt(w, QPoint(50, 15)), QStringLiteral("front")); // the label lies under the boxes
        QCOMPARE(seenAt(w, QPoint(150, 15)), QStringLiteral("caption"));
        w.properties().setControlVisible("front", false);
        QCOMPARE(seenAt(w, QPoint(50, 50)), QStringLiteral("back"));
        w.properties().setControlVisible("inner", true);
        QVERIFY(!w.control("inner")->isVisible()); // inside a hidden container
        w.properties().setControlVisible("front", true);
        QCOMPARE(seenAt(w, QPoint(50, 50)), QStringLiteral("inner"));
    }

    void hiddenControlsStayHiddenAndHideTheirChildren()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        w.showScreen();
        QVERIFY(!w.properties().controlVisible("hiddenBox"));
        QVERIFY(w.properties().controlVisible("childOfHidden"));
        QVERIFY(!w.control("childOfHidden")->isVisible());
        QVERIFY(!w.control("notes")->isVisible());
    }

    void tabOrderFollowsTabIndexAndStartsAtTheLowestVisible()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        w.showScreen();
        QCOMPARE(w.focusWidget(), w.control("second")); // "notes" has TabIndex 0 but is hidden
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
        QCOMPARE(w.focusWidget(), w.control("go"));
        w.properties().setControlVisible("notes", true);
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab); // picture boxes take no focus: round to TabIndex 0
        QCOMPARE(w.focusWidget(), w.control("notes"));
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab); // a multi-line box lets Tab move on
        QCOMPARE(w.focusWidget(), w.control("second"));
    }

    void menusKeepOrderAccessKeysAndDropDowns()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        const QList<QAction *> bar = w.menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar[0]->text(), QStringLiteral("&Open"));
        QVERIFY(bar[0]->menu());
        QCOMPARE(bar[0]->menu()->actions().size(), 2);
        QCOMPARE(bar[0]->menu()->actions()[0]->text(), QStringLiteral("&First"));
        QCOMPARE(bar[1]->text(), QStringLiteral("Quit"));
        QVERIFY(!bar[1]->menu());
        w.menuAction("mnuSecond")->trigger();
        w.menuAction("mnuQuit")->trigger();
        QCOMPARE(events.clicks, (QStringList{"mnuSecond", "mnuQuit"}));
    }

    void buttonsAndListsReportClicksByName()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        w.showScreen();
        w.properties().addItem("second", QStringLiteral("row one"));
        w.properties().addItem("second", QStringLiteral("row two"));
        QVERIFY(events.clicks.isEmpty()); // rows added by the program raise nothing
        QTest::mouseClick(qobject_cast<QPushButton *>(w.control("go")), Qt::LeftButton);
        auto *list = qobject_cast<QListWidget *>(w.control("second"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(w.properties().listIndex("second"), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(w.properties().listIndex("second"), 0);
        w.properties().clearList("second");
        QCOMPARE(w.properties().listIndex("second"), -1);
        QCOMPARE(events.clicks, (QStringList{"go", "second", "second", "second"}));
    }

    // A name the window lacks, or a control of another kind, stops the program with a message
    // naming the screen, the control and the kind: never silently, never as a crash.
    void wrongControlNamesStopTheProgramWithTheirName()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        const struct {
            std::function<void()> call;
            const char *message;
        } faults[] = {
            {[&] { w.properties().setCaption("capton", QStringLiteral("x")); },
             "screen Stack has no QLabel or QPushButton named \"capton\""},
            {[&] { w.properties().setControlVisible("frnt", false); }, "screen Stack has no QWidget named \"frnt\""},
            {[&] { (void)w.properties().listIndex("caption"); },
             "screen Stack has no quorvel::ListBoxControl named \"caption\": that control is a quorvel::LabelControl"},
            {[&] { w.properties().addItem("go", QStringLiteral("row")); },
             "no quorvel::ListBoxControl named \"go\": that control is a quorvel::ButtonControl"},
        };
        for (const auto &fault : faults) {
            const testing::ChildOutcome outcome = testing::runInChild(fault.call);
            QVERIFY2(outcome.aborted && outcome.output.contains(QLatin1String(fault.message)),
                     qPrintable(outcome.output));
        }
        w.properties().setCaption("caption", QStringLiteral("still here")); // the right names work on
        QCOMPARE(w.properties().caption("caption"), QStringLiteral("still here"));
    }

    void metafilesFillTheirBoxAndCarryTheirTitle()
    {
        NullEvents events;
        ScreenWindow w(stackScreen, events);
        w.showScreen();
        auto *box = static_cast<PictureBoxControl *>(w.control("metafile"));
        QWidget *client = box->client();
        QCOMPARE(pixelAt(client, QPoint(1, 1)), QColor(255, 0, 0));
        QCOMPARE(pixelAt(client, QPoint(client->width() - 2, client->height() - 2)), QColor(255, 0, 0));
        QCOMPARE(pixelAt(client, QPoint(client->width() / 2, client->height() / 2)), QColor(0, 255, 0));
        QCOMPARE(box->accessibleName(), QStringLiteral("Probe card"));
        QVERIFY(box->accessibleDescription().startsWith(QLatin1String("A red card")));
        QCOMPARE(static_cast<PictureBoxControl *>(w.control("missing"))->client()->picture(), nullptr);
    }

    void keptRenderingsFollowTheSizeTheyAreDrawnAt()
    {
        const ScreenDescription stretched{.name = "Stretched",
                                          .caption = "Stretched",
                                          .backColor = colours::blue,
                                          .clientWidth = 3000,
                                          .clientHeight = 1500,
                                          .picture = {"probe-card.svg", PictureKind::PlaceableMetafile}};
        NullEvents events;
        auto first = std::make_unique<ScreenWindow>(stretched, events);
        first->showScreen();
        QCOMPARE(pixelAt(first->surface(), QPoint(198, 98)), QColor(255, 0, 0));
        first->resize(400, 300); // a metafile fills the larger client area, not the kept size
        QCoreApplication::processEvents();
        const QSize grown = first->surface()->size();
        QCOMPARE(pixelAt(first->surface(), QPoint(grown.width() - 2, grown.height() - 2)), QColor(255, 0, 0));
        QCOMPARE(pixelAt(first->surface(), QPoint(grown.width() / 2, grown.height() / 2)), QColor(0, 255, 0));
        first.reset();
        ScreenWindow second(stretched, events); // loaded again: the kept rendering of its own size
        second.showScreen();
        QCOMPARE(second.surface()->size(), QSize(200, 100));
        QCOMPARE(pixelAt(second.surface(), QPoint(198, 98)), QColor(255, 0, 0));
        QCOMPARE(pixelAt(second.surface(), QPoint(100, 50)), QColor(0, 255, 0));
    }

    void bitmapsKeepTheirNaturalSizeWithTheBackColourAround()
    {
        NullEvents events;
        ScreenWindow w(bitmapScreen, events);
        w.showScreen();
        QWidget *s = w.surface();
        QCOMPARE(pixelAt(s, QPoint(2, 2)), QColor(255, 0, 0));
        QCOMPARE(pixelAt(s, QPoint(198, 97)), QColor(255, 0, 0));
        QCOMPARE(pixelAt(s, QPoint(205, 50)), QColor(0, 0, 255));
        QCOMPARE(pixelAt(s, QPoint(100, 110)), QColor(0, 0, 255));
        w.resize(900, 600); // enlarged: the picture stays at its size in the top left corner
        QCoreApplication::processEvents();
        QCOMPARE(pixelAt(s, QPoint(100, 50)), QColor(0, 255, 0));
        QCOMPARE(pixelAt(s, QPoint(700, 400)), QColor(0, 0, 255));
    }

    void buttonCaptionsBreakAtBlanksWhenTooWide()
    {
        const QFontMetrics metrics(toQFont(boldSansSerif(97500)));
        const int width = metrics.horizontalAdvance(QStringLiteral("Questions")) + 4;
        QCOMPARE(wrapCaption(QStringLiteral("Start Questions"), metrics, width), QStringLiteral("Start\nQuestions"));
        QCOMPARE(wrapCaption(QStringLiteral("Go"), metrics, width), QStringLiteral("Go"));
        QCOMPARE(wrapCaption(QStringLiteral("Unbreakable"), metrics, 5), QStringLiteral("Unbreakable"));
        QCOMPARE(wrapCaption(QStringLiteral("a b c"), metrics, 1000), QStringLiteral("a b c"));
    }

    void describedFacesFallBackToLiberationSans()
    {
        for (const char *face : {"MS Sans Serif", "Arial"}) {
            const QFont font = toQFont(FontSpec{face, 97500, 700});
            const QFontInfo info(font);
            if (info.family() != QLatin1String(face)) // the desktop lacks the face itself
                QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(info.pixelSize(), 13);
            QVERIFY(info.bold());
        }
    }

    void unitsConvertAtFifteenTwipsPerPixel()
    {
        QCOMPARE(twipsToPixels(15), 1);
        QCOMPARE(twipsToPixels(13425), 895);
        QCOMPARE(twipsToPixels(7), 0);
        QCOMPARE(twipsToPixels(8), 1);
        QCOMPARE(pointsToPixels(8.25), 11);
        QCOMPARE(pointsToPixels(9.75), 13);
        QCOMPARE(pointsToPixels(13.5), 18);
        // On a user scale of 0, 0, 1, 1.0666661 the point 0.5, 0.5 lies at half the width and 15/32 of the height.
        const PixelPoint p = scaleToPixels(UserScale{0, 0, 1, 1.0666661f}, 0.5, 0.5, 659, 722);
        QCOMPARE(p.x, 329.5);
        QVERIFY(qAbs(p.y - 722.0 * 15 / 32) < 1e-3);
    }
};

QUORVEL_TEST_MAIN(WindowLayerTest)
#include "test_window_layer.moc"
