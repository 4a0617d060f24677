#include "shell/screen.h"

#include "shell/screen_registry.h"
#include "window/screen_window.h"
#include "window/text.h"
#include "window/window_events.h"

namespace quorvel {

class Screen::WindowReports final : public WindowEvents
{
public:
    explicit WindowReports(Screen &screen) : m_screen(screen) {}

    void controlEvent(std::string_view control, ControlEvent event) override
    {
        if (!m_screen.m_registry.ended())
            m_screen.handleEvent(control, event);
    }
    void windowActivated() override { m_screen.m_registry.windowActivated(m_screen); }
    void windowCloseRequested() override { m_screen.m_registry.userClosed(m_screen); }
    void windowFirstPainted() override { m_screen.prepareWhatComesNext(); }

private:
    Screen &m_screen;
};

Screen::Screen(ScreenRegistry &registry, const ScreenDescription &description)
    : m_registry(registry), m_description(description), m_reports(std::make_unique<WindowReports>(*this))
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
    m_window = new ScreenWindow(m_description, *m_reports);
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

void Screen::showWindow()
{
    m_window->showScreen();
    m_window->bringForward();
}

void Screen::hideWindow()
{
    m_window->hide();
}

void Screen::setCaption(std::string_view control, std::string_view caption)
{
    if (m_window)
        m_window->properties().setCaption(control, toQString(caption));
}

void Screen::setText(std::string_view textBox, std::string_view text)
{
    if (m_window)
        m_window->properties().setText(textBox, toQString(text));
}

void Screen::setControlVisible(std::string_view control, bool visible)
{
    if (m_window)
        m_window->properties().setControlVisible(control, visible);
}

void Screen::addItem(std::string_view list, std::string_view row)
{
    if (m_window)
        m_window->properties().addItem(list, toQString(row));
}

void Screen::clearList(std::string_view list)
{
    if (m_window)
        m_window->properties().clearList(list);
}

int Screen::listIndex(std::string_view list) const
{
    return m_window ? m_window->properties().listIndex(list) : -1;
}

void Screen::clearPrinted()
{
    if (m_window)
        m_window->properties().cls();
}

void Screen::printLine(std::string_view text)
{
    if (m_window)
        m_window->properties().print(toQString(text));
}

} // namespace quorvel
