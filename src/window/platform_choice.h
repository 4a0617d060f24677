#pragma once
// Which windowing platform the program asks Qt for, before the application object exists.

#include <string_view>

namespace quorvel {

struct DesktopEnvironment {
    std::string_view qpaPlatform;    // QT_QPA_PLATFORM: the user's own choice, always kept
    std::string_view sessionType;    // XDG_SESSION_TYPE
    std::string_view waylandDisplay; // WAYLAND_DISPLAY
    std::string_view x11Display;     // DISPLAY: set when an X server (XWayland) is there
};

// Every screen opens at its described place, which a Wayland client cannot choose: on a Wayland
// desktop that also runs XWayland the program uses the xcb platform, unless the user chose one.
// Returns the platform to ask for, or an empty view to leave Qt's own choice.
std::string_view preferredPlatform(const DesktopEnvironment &environment);

DesktopEnvironment currentDesktopEnvironment();

} // namespace quorvel
