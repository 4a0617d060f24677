#include "shell/screen.h"

#include "shell/screen_registry.h"

namespace quorvel {

Screen::Screen(ScreenRegistry &registry, const ScreenDescription &description)
    : m_registry(registry), m_description(description)
{}

Screen::~Screen()
{
    if (m_window) {
        m_window->detach();
        delete m_window;
    }
}

bool Screen::handleEvent(std::string_view, ControlEvent)
{
    return false;
}

void Screen::buildWindow()
{
    m_window = new ScreenWindow(m_description, *this);
}

void Screen::destroyWindow()
{
    if (!m_window)
        return;
    // The window may be the one whose handler is running: it goes once that handler has returned.
    m_window->detach();
    m_window->hide();
    m_window->deleteLater();
    m_window = nullptr;
}

void Screen::controlEvent(std::string_view control, ControlEvent event)
{
    if (m_registry.ended())
        return;
    handleEvent(control, event);
}

void Screen::windowActivated()
{
    m_registry.windowActivated(*this);
}

void Screen::windowCloseRequested()
{
    m_registry.userClosed(*this);
}

} // namespace quorvel
