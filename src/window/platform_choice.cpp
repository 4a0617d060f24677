#include "window/platform_choice.h"

#include <cstdlib>

namespace quorvel {

std::string_view preferredPlatform(const DesktopEnvironment &e)
{
    const bool wayland = e.sessionType == "wayland" || !e.waylandDisplay.empty();
    if (!e.qpaPlatform.empty() || !wayland || e.x11Display.empty())
        return {};
    return "xcb";
}

DesktopEnvironment currentDesktopEnvironment()
{
    const auto read = [](const char *name) -> std::string_view {
        const char *value = std::getenv(name);
        return value ? value : "";
    };
    return {read("QT_QPA_PLATFORM"), read("XDG_SESSION_TYPE"), read("WAYLAND_DISPLAY"), read("DISPLAY")};
}

} // namespace quorvel
