#include "shell/screen_registry.h"

#include "resources/screen_names.h"
#include "window/picture.h"
#include "window/screen_window.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace quorvel {

ScreenRegistry::ScreenRegistry(Factory factory, Describer describer)
    : m_factory(std::move(factory)), m_describer(std::move(describer))
{}

void ScreenRegistry::prepareAhead(std::string_view name) const
{
    if (const ScreenDescription *d = m_describer ? m_describer(name) : nullptr)
        prepareShownPicturesAhead(*d);
}

ScreenRegistry::~ScreenRegistry()
{
    m_ended = true; // nothing a window reports while it goes is behaviour any more
    m_instances.clear();
    // Windows of unloaded screens were handed to the event loop for deletion; finish that now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    stopDrawingAhead();
}

Screen &ScreenRegistry::screen(std::string_view name)
{
    auto it = m_instances.find(name);
    if (it == m_instances.end()) {
        std::unique_ptr<Screen> created = m_factory(*this, name);
        if (!created) // a misspelt name in the program: stop here, in every build type
            qFatal("no screen is named \"%.*s\"", int(name.size()), name.data());
        it = m_instances.emplace(std::string(name), std::move(created)).first;
    }
    return *it->second;
}

Screen *ScreenRegistry::existing(std::string_view name) const
{
    const auto it = m_instances.find(name);
    return it == m_instances.end() ? nullptr : it->second.get();
}

void ScreenRegistry::load(Screen &screen)
{
    screen.buildWindow();
    screen.setState(ScreenState::LoadedHidden);
    m_forms.push_back(&screen);
    screen.Form_Load();
}

void ScreenRegistry::activate(Screen &screen)
{
    if (m_active == &screen)
        return;
    m_active = &screen;
    screen.Form_Activate();
}

void ScreenRegistry::show(Screen &screen)
{
    if (m_ended)
        return;
    if (!screen.loaded())
        load(screen);
    if (!screen.loaded() || m_ended)
        return; // its Form_Load unloaded it or ended the program
    screen.setState(ScreenState::LoadedVisible);
    screen.showWindow();
    activate(screen);
}

void ScreenRegistry::setVisible(Screen &screen, bool visible)
{
    if (visible)
        show(screen);
    else
        hide(screen);
}

void ScreenRegistry::hide(Screen &screen)
{
    if (m_ended)
        return;
    if (!screen.loaded())
        load(screen);
    if (!screen.loaded())
        return;
    screen.setState(ScreenState::LoadedHidden);
    screen.hideWindow();
    if (m_active == &screen)
        m_active = nullptr;
}

void ScreenRegistry::unload(Screen &screen)
{
    if (!screen.loaded())
        return;
    screen.setState(ScreenState::Created);
    m_forms.erase(std::find(m_forms.begin(), m_forms.end(), &screen));
    if (m_active == &screen)
        m_active = nullptr;
    screen.destroyWindow();
    if (m_forms.empty())
        end(); // the program ends with its last loaded screen
}

void ScreenRegistry::end()
{
    if (m_ended)
        return;
    m_ended = true;
    m_active = nullptr;
    for (Screen *screen : m_forms)
        screen->hideWindow();
    if (m_endHandler)
        m_endHandler();
}

void ScreenRegistry::endSession()
{
    const std::vector<Screen *> walk = m_forms; // the collection shrinks under the walk
    for (Screen *screen : walk)
        unload(*screen);
    end();
}

void ScreenRegistry::closeToWelcome()
{
    const std::vector<Screen *> walk = m_forms;
    for (Screen *screen : walk) {
        if (screen->name() != screen_name::Introduction)
            unload(*screen);
    }
}

void ScreenRegistry::unloadAllExcept(const Screen &spared)
{
    for (int index = count() - 1; index >= 0; --index) {
        if (index >= count())
            continue;
        Screen *screen = m_forms[static_cast<std::size_t>(index)];
        if (screen != &spared)
            unload(*screen);
    }
}

void ScreenRegistry::windowActivated(Screen &screen)
{
    if (m_ended || !screen.visible())
        return;
    activate(screen);
}

bool ScreenRegistry::anyVisibleScreenWithTitleBar() const
{
    return std::any_of(m_forms.begin(), m_forms.end(),
                       [](const Screen *s) { return s->visible() && hasTitleBar(s->description().border); });
}

void ScreenRegistry::userClosed(Screen &screen)
{
    if (m_ended)
        return;
    unload(screen);
    // Hidden screens and frameless pages alone never keep the program running.
    if (!m_ended && !anyVisibleScreenWithTitleBar())
        endSession();
}

} // namespace quorvel
