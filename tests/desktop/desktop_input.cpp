#include "desktop/desktop_input.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

#include <memory>

namespace quorvel::desktop {

namespace {
xcb_connection_t *connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t root()
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
}

xcb_atom_t atom(const char *name)
{
    xcb_connection_t *c = connection();
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr), &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QString atomName(xcb_atom_t a)
{
    xcb_connection_t *c = connection();
    std::unique_ptr<xcb_get_atom_name_reply_t, decltype(&free)> reply(
        xcb_get_atom_name_reply(c, xcb_get_atom_name(c, a), nullptr), &free);
    if (!reply)
        return {};
    return QString::fromLatin1(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()));
}

std::vector<std::uint32_t> property32(xcb_window_t window, const char *name, xcb_atom_t type)
{
    xcb_connection_t *c = connection();
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom(name), type, 0, 4096), nullptr), &free);
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

QString hex(const QWidget *window)
{
    return QStringLiteral("0x") + QString::number(xWindow(window), 16);
}
} // namespace

bool runTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    QEventLoop loop;
    QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&tool, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    tool.start(program, arguments);
    loop.exec();
    if (tool.state() != QProcess::NotRunning) {
        tool.kill();
        tool.waitForFinished(1000);
        return false;
    }
    // Let the program take in what the input caused before the test looks.
    QTest::qWait(30);
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool click(QPoint global, int button, const QString &modifiers)
{
    // Each click is a click of its own, never the second half of a double-click.
    static QElapsedTimer sinceLast;
    if (sinceLast.isValid() && sinceLast.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50)
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50 - int(sinceLast.elapsed()));
    sinceLast.start();
    // No --sync: it waits for a motion that never comes when the pointer is already there; the
    // server takes the fake events in order all the same.
    QStringList args{QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())};
    if (!modifiers.isEmpty())
        args << QStringLiteral("keydown") << modifiers;
    args << QStringLiteral("click") << QString::number(button);
    if (!modifiers.isEmpty())
        args << QStringLiteral("keyup") << modifiers;
    return runTool(QStringLiteral("xdotool"), args);
}

bool clickWidget(const QWidget *widget, QPoint local, int button, const QString &modifiers)
{
    return widget && click(widget->mapToGlobal(local), button, modifiers);
}

bool clickWidget(const QWidget *widget)
{
    return widget && clickWidget(widget, widget->rect().center());
}

bool pressKeys(const QString &keys)
{
    QStringList args{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")};
    args += keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return runTool(QStringLiteral("xdotool"), args);
}

bool chooseMenuEntry(QWidget *window, const QAction *entry)
{
    auto *main = qobject_cast<QMainWindow *>(window);
    QMenuBar *bar = main ? main->menuBar() : nullptr;
    if (!bar || !entry)
        return false;
    // A command on the bar itself, or an entry of one of its drop-downs.
    for (QAction *item : bar->actions()) {
        if (item == entry)
            return clickWidget(bar, bar->actionGeometry(item).center());
        QMenu *dropDown = item->menu();
        if (!dropDown || !dropDown->actions().contains(const_cast<QAction *>(entry)))
            continue;
        if (!clickWidget(bar, bar->actionGeometry(item).center()))
            return false;
        if (!QTest::qWaitFor([dropDown] { return dropDown->isVisible(); }, 5000))
            return false;
        QTest::qWait(50); // the drop-down is mapped; let it settle where it is drawn
        return clickWidget(dropDown, dropDown->actionGeometry(const_cast<QAction *>(entry)).center());
    }
    return false;
}

bool windowManagerClose(const QWidget *window)
{
    return runTool(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), hex(window)});
}

bool windowManagerActivate(const QWidget *window)
{
    return runTool(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-a"), hex(window)});
}

bool minimize(const QWidget *window)
{
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QString::number(xWindow(window))});
}

bool setMaximized(const QWidget *window, bool maximized)
{
    return runTool(QStringLiteral("wmctrl"),
                   {QStringLiteral("-i"), QStringLiteral("-r"), hex(window), QStringLiteral("-b"),
                    (maximized ? QStringLiteral("add") : QStringLiteral("remove")) +
                        QStringLiteral(",maximized_vert,maximized_horz")});
}

bool resizeThroughWindowManager(const QWidget *window, QSize size)
{
    // A pager's request to the window manager, then a client's own request: both must be refused.
    const bool asked = runTool(QStringLiteral("wmctrl"),
                               {QStringLiteral("-i"), QStringLiteral("-r"), hex(window), QStringLiteral("-e"),
                                QStringLiteral("0,-1,-1,%1,%2").arg(size.width()).arg(size.height())});
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("windowsize"), QString::number(xWindow(window)),
                                               QString::number(size.width()), QString::number(size.height())}) &&
           asked;
}

XWindow activeWindow()
{
    const auto values = property32(root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    return values.empty() ? 0 : values.front();
}

std::vector<XWindow> stackingOrder()
{
    return property32(root(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
}

static QStringList atomNames(const QWidget *window, const char *property)
{
    QStringList names;
    for (std::uint32_t a : property32(xWindow(window), property, XCB_ATOM_ATOM))
        names << atomName(a);
    return names;
}

QStringList netWmState(const QWidget *window)
{
    return atomNames(window, "_NET_WM_STATE");
}

QStringList allowedActions(const QWidget *window)
{
    return atomNames(window, "_NET_WM_ALLOWED_ACTIONS");
}

const QWidget *topmostOf(const std::vector<const QWidget *> &windows)
{
    const std::vector<XWindow> order = stackingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        for (const QWidget *w : windows) {
            if (w && w->isVisible() && !w->isMinimized() && xWindow(w) == *it)
                return w;
        }
    }
    return nullptr;
}

XWindow xWindow(const QWidget *window)
{
    return window ? XWindow(window->winId()) : 0;
}

QRect workArea()
{
    const auto desktop = property32(root(), "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL);
    const auto areas = property32(root(), "_NET_WORKAREA", XCB_ATOM_CARDINAL);
    const size_t at = 4 * (desktop.empty() ? 0 : desktop.front());
    return areas.size() < at + 4 ? QRect()
                                 : QRect(int(areas[at]), int(areas[at + 1]), int(areas[at + 2]), int(areas[at + 3]));
}

QRect frameOnScreen(const QWidget *window)
{
    xcb_connection_t *c = connection();
    const xcb_window_t id = xWindow(window);
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, root(), 0, 0), nullptr), &free);
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> size(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &free);
    const auto frame = property32(id, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL); // left, right, top, bottom
    if (!at || !size || frame.size() != 4)
        return {};
    return QRect(at->dst_x, at->dst_y, size->width, size->height)
        .adjusted(-int(frame[0]), -int(frame[2]), int(frame[1]), int(frame[3]));
}

Panel::Panel(int height)
{
    xcb_connection_t *c = connection();
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    m_window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, int16_t(screen->height_in_pixels - height),
                      screen->width_in_pixels, uint16_t(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      0, nullptr);
    // Placed where asked (USPosition, USSize), as a desktop's own panel is.
    const std::uint32_t hints[18] = {1 | 2, 0, std::uint32_t(screen->height_in_pixels - height),
                                     screen->width_in_pixels, std::uint32_t(height)};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18,
                        hints);
    const xcb_atom_t dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
    // Left, right, top, bottom; then the start and end of each side's strip.
    const std::uint32_t strut[12] = {
        0, 0, 0, std::uint32_t(height), 0, 0, 0, 0, 0, 0, 0, std::uint32_t(screen->width_in_pixels - 1)};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 32, 12,
                        strut);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4, strut);
    xcb_map_window(c, m_window);
    xcb_flush(c);
}

Panel::~Panel()
{
    xcb_destroy_window(connection(), m_window);
    xcb_flush(connection());
}

QImage grabScreen(QRect area)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

} // namespace quorvel::desktop
