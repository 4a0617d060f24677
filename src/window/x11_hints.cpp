#include "window/x11_hints.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace quorvel {

namespace {
xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::char_traits<char>::length(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(xcb_intern_atom_reply(connection, cookie, nullptr),
                                                                    &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}
} // namespace

void requestNoTaskbarButton(QWidget &window)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || window.isVisible())
        return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;

    // Keep what the property already holds; Qt merges its own states into it when it maps the window.
    const auto cookie = xcb_get_property(connection, 0, id, state, XCB_ATOM_ATOM, 0, 64);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &free);
    std::vector<xcb_atom_t> atoms;
    if (reply && reply->format == 32) {
        const auto *held = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        atoms.assign(held, held + xcb_get_property_value_length(reply.get()) / 4);
    }
    if (std::find(atoms.begin(), atoms.end(), skip) == atoms.end())
        atoms.push_back(skip);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
                        atoms.data());
    xcb_flush(connection);
}

} // namespace quorvel
