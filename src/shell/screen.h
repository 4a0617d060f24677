#pragma once
// One screen of the program: its single instance, its own variables (in subclasses; they live as
// long as the instance and survive Unload), its state and, while loaded, its window. A screen's
// behaviour reaches its controls only through the operations below, by the names of its
// description and in the program's own texts (UTF-8); it never sees a widget.

#include "resources/control_event.h"
#include "resources/description.h"

#include <memory>
#include <string_view>

namespace quorvel {

class ScreenRegistry;
class ScreenWindow;

enum class ScreenState { Created, LoadedHidden, LoadedVisible };

class Screen
{
public:
    Screen(ScreenRegistry &registry, const ScreenDescription &description);
    virtual ~Screen();
    Screen(const Screen &) = delete;
    Screen &operator=(const Screen &) = delete;

    std::string_view name() const { return m_description.name; }
    const ScreenDescription &description() const { return m_description; }
    ScreenState state() const { return m_state; }
    bool loaded() const { return m_state != ScreenState::Created; }
    bool visible() const { return m_state == ScreenState::LoadedVisible; }
    // The window while loaded, else null: for the registry, the tests and the tools.
    ScreenWindow *window() const { return m_window; }

    virtual void Form_Load() {}
    virtual void Form_Activate() {}

protected:
    ScreenRegistry &registry() const { return m_registry; }

    // The controls' properties while the screen is loaded; an unloaded screen has no controls and
    // these do nothing (listIndex answers -1). A name the description lacks stops the program.
    void setCaption(std::string_view control, std::string_view caption);
    void setText(std::string_view textBox, std::string_view text);
    void setControlVisible(std::string_view control, bool visible);
    void addItem(std::string_view list, std::string_view row);
    void clearList(std::string_view list);
    int listIndex(std::string_view list) const;
    // The lines printed on the screen's surface: cleared, and one more line added.
    void clearPrinted();
    void printLine(std::string_view text);

    // Runs the handler of the control's event; false when the screen has none for it.
    virtual bool handleEvent(std::string_view control, ControlEvent event);

    // Once the window is on the screen and the student reads it: a screen draws meanwhile what the
    // screens it opens show (ScreenRegistry::prepareAhead), so that they appear within a frame.
    virtual void prepareWhatComesNext() {}

private:
    friend class ScreenRegistry;
    void buildWindow();
    void destroyWindow();
    void showWindow(); // shown, in front and active
    void hideWindow();
    void setState(ScreenState state) { m_state = state; }

    // What the window reports, passed on to the handlers and the registry.
    class WindowReports;
    friend class WindowReports;

    ScreenRegistry &m_registry;
    const ScreenDescription &m_description;
    ScreenState m_state = ScreenState::Created;
    ScreenWindow *m_window = nullptr;
    std::unique_ptr<WindowReports> m_reports;
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
