#pragma once
// The one instance of every screen, the collection Forms of loaded screens, the screen operations
// (Show, Visible, Hide, Unload, End), the closing walks and which screen is the active one.

#include "shell/screen.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

class ScreenRegistry
{
public:
    using Factory = std::function<std::unique_ptr<Screen>(ScreenRegistry &, std::string_view name)>;

    // What a screen shows before it is made; without one nothing is drawn ahead (prepareAhead).
    using Describer = std::function<const ScreenDescription *(std::string_view name)>;
    explicit ScreenRegistry(Factory factory, Describer describer = {});
    ~ScreenRegistry();
    ScreenRegistry(const ScreenRegistry &) = delete;
    ScreenRegistry &operator=(const ScreenRegistry &) = delete;

    // The single instance of the named screen, created by the first reference.
    Screen &screen(std::string_view name);
    template <class S> S &screenAs(std::string_view name) { return static_cast<S &>(screen(name)); }
    Screen *existing(std::string_view name) const; // no creation
    std::size_t instanceCount() const { return m_instances.size(); }

    void show(Screen &screen);
    void show(std::string_view name) { show(screen(name)); }
    void setVisible(Screen &screen, bool visible);
    void hide(Screen &screen);
    void unload(Screen &screen);
    void end();

    const std::vector<Screen *> &forms() const { return m_forms; }
    int count() const { return static_cast<int>(m_forms.size()); }

    // Unload every loaded screen, first to last, then End.
    void endSession();
    // Unload every loaded screen whose name is not exactly "Introduction".
    void closeToWelcome();
    // Unload every loaded screen but the spared one, counting down from the last.
    void unloadAllExcept(const Screen &spared);

    Screen *activeScreen() const { return m_active; }
    bool ended() const { return m_ended; }
    void setEndHandler(std::function<void()> handler) { m_endHandler = std::move(handler); }

    // Draws the pictures the named screen shows when it opens, on a core nothing else wants, while
    // the student reads the screen that opens it.
    void prepareAhead(std::string_view name) const;

    // Reports from the windows.
    void windowActivated(Screen &screen);
    void userClosed(Screen &screen);

private:
    void load(Screen &screen);
    void activate(Screen &screen);
    bool anyVisibleScreenWithTitleBar() const;

    Factory m_factory;
    Describer m_describer;
    std::map<std::string, std::unique_ptr<Screen>, std::less<>> m_instances;
    std::vector<Screen *> m_forms;
    Screen *m_active = nullptr;
    bool m_ended = false;
    std::function<void()> m_endHandler;
};

} // namespace quorvel
