#include "window/x11_hints.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

namespace {
// Atoms never change while the program runs: each is asked of the server once, not at every opening.
xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    static std::map<std::string, xcb_atom_t, std::less<>> known;
    if (const auto it = known.find(std::string_view(name)); it != known.end())
        return it->second;
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::char_traits<char>::length(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(xcb_intern_atom_reply(connection, cookie, nullptr),
                                                                    &free);
    if (!reply)
        return XCB_ATOM_NONE;
    return known[name] = reply->atom;
}
xcb_connection_t *x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::vector<uint32_t> property32(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                                 xcb_atom_t type)
{
    const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &free);
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}
} // namespace

void requestNoTaskbarButton(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection || window.isVisible())
        return;
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;

    // Keep what the property already holds; Qt merges its own states into it when it maps the window.
    std::vector<xcb_atom_t> atoms = property32(connection, id, state, XCB_ATOM_ATOM);
    if (std::find(atoms.begin(), atoms.end(), skip) == atoms.end())
        atoms.push_back(skip);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
                        atoms.data());
    xcb_flush(connection);
}

namespace {
// What the window manager answers: left, right, top, bottom in device pixels; empty if it does not.
std::vector<uint32_t> askFrameExtents(xcb_connection_t *connection, xcb_window_t id)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = internAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    const auto supported = property32(connection, root, internAtom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE || std::find(supported.begin(), supported.end(), request) == supported.end())
        return {};

    xcb_client_message_event_t asked{};
    asked.response_type = XCB_CLIENT_MESSAGE;
    asked.format = 32;
    asked.window = id;
    asked.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&asked));
    xcb_flush(connection);
    // The window manager answers by setting the property, at once; a busy desktop may take a while.
    const QDeadlineTimer deadline(1000);
    std::vector<uint32_t> frame;
    while ((frame = property32(connection, id, extents, XCB_ATOM_CARDINAL)).size() != 4 && !deadline.hasExpired())
        QThread::usleep(250);
    return frame.size() == 4 ? frame : std::vector<uint32_t>{};
}
} // namespace

QMargins expectedFrameMargins(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return {};
    // Asked for each window: one answer kept for each kind of window (flags and fixed size) left a
    // topic page outside a small screen's work area under metacity.
    const std::vector<uint32_t> frame = askFrameExtents(connection, xcb_window_t(window.winId()));
    if (frame.size() != 4)
        return {};
    const qreal ratio = window.devicePixelRatioF();
    const auto logical = [ratio](uint32_t pixels) { return int(std::ceil(pixels / ratio)); };
    return {logical(frame[0]), logical(frame[2]), logical(frame[1]), logical(frame[3])};
}

} // namespace quorvel
