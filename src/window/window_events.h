#pragma once
// How a window tells its screen what the user did. The window layer knows no particular screen:
// it reports events by the control's name from the description.

#include "resources/control_event.h"

#include <string_view>

namespace quorvel {

class WindowEvents
{
public:
    virtual ~WindowEvents() = default;
    virtual void controlEvent(std::string_view control, ControlEvent event) = 0;
    // The window became the program's active window through the window system.
    virtual void windowActivated() = 0;
    // The user closed the window through its frame.
    virtual void windowCloseRequested() = 0;
    // The window has been painted on the screen for the first time: the student reads it.
    virtual void windowFirstPainted() {}
};

} // namespace quorvel
