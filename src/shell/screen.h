#pragma once
// One screen of the program: its single instance, its own variables (in subclasses; they live as
// long as the instance and survive Unload), its state and, while loaded, its window.

#include "resources/description.h"
#include "window/screen_window.h"
#include "window/window_events.h"

#include <string_view>

namespace quorvel {

class ScreenRegistry;

enum class ScreenState { Created, LoadedHidden, LoadedVisible };

class Screen : public WindowEvents
{
public:
    Screen(ScreenRegistry &registry, const ScreenDescription &description);
    ~Screen() override;
    Screen(const Screen &) = delete;
    Screen &operator=(const Screen &) = delete;

    std::string_view name() const { return m_description.name; }
    const ScreenDescription &description() const { return m_description; }
    ScreenState state() const { return m_state; }
    bool loaded() const { return m_state != ScreenState::Created; }
    bool visible() const { return m_state == ScreenState::LoadedVisible; }
    ScreenWindow *window() const { return m_window; } // null while not loaded

    virtual void Form_Load() {}
    virtual void Form_Activate() {}

protected:
    ScreenRegistry &registry() const { return m_registry; }
    // Runs the handler of the control's event; false when the screen has none for it.
    virtual bool handleEvent(std::string_view control, ControlEvent event);

private:
    friend class ScreenRegistry;
    void buildWindow();
    void destroyWindow();
    void setState(ScreenState state) { m_state = state; }

    void controlEvent(std::string_view control, ControlEvent event) override;
    void windowActivated() override;
    void windowCloseRequested() override;

    ScreenRegistry &m_registry;
    const ScreenDescription &m_description;
    ScreenState m_state = ScreenState::Created;
    ScreenWindow *m_window = nullptr;
};

// A screen's table of handlers: which member runs for a click on which control or menu entry.
template <class S> struct ClickHandler {
    std::string_view control;
    void (S::*run)();
};

template <class S, std::size_t N>
bool runClickHandler(S &screen, const ClickHandler<S> (&table)[N], std::string_view control)
{
    for (const ClickHandler<S> &h : table) {
        if (h.control == control) {
            (screen.*h.run)();
            return true;
        }
    }
    return false;
}

} // namespace quorvel
