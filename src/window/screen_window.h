#pragma once
// A top-level window built from a screen description: frame, client area, menu bar and controls,
// their stacking and tab order, where it opens, and what a screen reader hears of it. It knows no
// particular screen; it reports what the user does through WindowEvents. The controls' run-time
// properties are reached through properties().

#include "resources/description.h"
#include "window/control_lookup.h"
#include "window/control_properties.h"
#include "window/window_events.h"

#include <QAccessible>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <map>
#include <string>

class QAction;

namespace quorvel {

// Draws ahead, at idle priority, the pictures a screen shows as it opens (its own and those of its
// boxes shown from the start), for when it opens.
void prepareShownPicturesAhead(const ScreenDescription &d);

class ListBoxControl;
class ScreenSurface;

class ScreenWindow : public QMainWindow, private QAccessible::ActivationObserver
{
    Q_OBJECT
public:
    ScreenWindow(const ScreenDescription &description, WindowEvents &events);
    ~ScreenWindow() override;

    const ScreenDescription &description() const { return m_description; }
    ScreenSurface *surface() const { return m_surface; }
    // The control of that name, or null; controls() reaches one of a given kind, checked.
    QWidget *control(std::string_view name) const { return m_controls.find(name); }
    const ControlLookup &controls() const { return m_controls; }
    QAction *menuAction(std::string_view name) const;
    // The controls' properties. The controls are the window's parts, not its state: as control()
    // does, a const window hands them out for change.
    ControlProperties properties() const { return ControlProperties(const_cast<ScreenWindow &>(*this)); }

    // What the student sees changed: a label's text or visibility, the printed lines. A screen
    // reader is told the window's new description once the change is complete.
    void textChanged();
    // Which picture boxes are seen may have changed (shown, hidden, covered).
    void updatePictureFocus();

    // What a screen reader says of the window as it becomes active: its name, the caption (for a
    // frameless page, whose caption shows nowhere, its picture's title), and its description: the
    // printed lines or the picture's text, then the texts of the labels on show, top to bottom. A
    // window shown in answer to a choice in a list begins with what the program said to the choice.
    QString spokenName() const;
    QString spokenDescription() const;

    // Shows the window; the first time after a load it is placed as described first.
    void showScreen();
    void bringForward();
    // The screen lets go of its window: from now on the window reports nothing.
    void detach() { m_events = nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createFrame();
    void createMenus();
    void createControls();
    void applyStacking();
    void applyTabOrder();
    QSize describedSize() const; // the frame's inside: client area and menu bar
    void place();
    void focusFirstControl();
    void prepareSeenPictures();
    void prepareUnseenPictures();
    QWidget *containerWidget(std::string_view container) const;
    void publishDescription();
    void accessibilityActiveChanged(bool) override { updatePictureFocus(); }
    bool seen(const ControlDescription &box) const;
    bool liesAbove(const ControlDescription &upper, const ControlDescription &lower) const;
    const ControlDescription *find(std::string_view name) const;
    void noteOpener();
    void backToList(ListBoxControl &list);
    void handToList(ListBoxControl &list, const QKeyEvent &event);

    const ScreenDescription &m_description;
    WindowEvents *m_events; // null once the screen has let go of the window
    ScreenSurface *m_surface = nullptr;
    ControlLookup m_controls;
    std::map<std::string, QAction *, std::less<>> m_menuActions;
    bool m_placed = false;
    bool m_maximizedOnce = false;        // a restore before the first maximize is the window manager's mapping
    QSize m_restoredSize;                // a maximized screen's size once restored: described, or what fits
    QPointer<ListBoxControl> m_openedBy; // the list whose choice showed this window last, if any
    QString m_answer;                    // what the program said to that choice
    QString m_spokenDescription;         // the description a screen reader was last told of
    bool m_descriptionDue = false;
};

} // namespace quorvel
