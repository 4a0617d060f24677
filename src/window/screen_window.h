#pragma once
// A top-level window built from a screen description: frame, client area, menu bar and controls.
// It knows no particular screen; it reports what the user does through WindowEvents.

#include "resources/description.h"
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

class ListBoxControl;
class ScreenSurface;

class ScreenWindow : public QMainWindow, private QAccessible::ActivationObserver
{
public:
    ScreenWindow(const ScreenDescription &description, WindowEvents &events);
    ~ScreenWindow() override;

    const ScreenDescription &description() const { return m_description; }
    ScreenSurface *surface() const { return m_surface; }
    QWidget *control(std::string_view name) const;
    QAction *menuAction(std::string_view name) const;

    // Run-time properties, as the screens' behaviour reads and writes them.
    void setCaption(std::string_view control, const QString &caption);
    QString caption(std::string_view control) const;
    void setText(std::string_view control, const QString &text);
    QString text(std::string_view control) const;
    void setControlVisible(std::string_view control, bool visible);
    bool controlVisible(std::string_view control) const; // the Visible property, not what is seen
    void addItem(std::string_view list, const QString &row);
    void clearList(std::string_view list);
    int listIndex(std::string_view list) const;
    QStringList listRows(std::string_view list) const;

    // Text printed on the surface (text pages).
    void cls();
    void print(const QString &text);
    QStringList printedLines() const;

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
    QWidget *containerWidget(std::string_view container) const;
    void textChanged();
    void publishDescription();
    void updatePictureFocus();
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
    std::map<std::string, QWidget *, std::less<>> m_controls;
    std::map<std::string, QAction *, std::less<>> m_menuActions;
    bool m_placed = false;
    QPointer<ListBoxControl> m_openedBy; // the list whose choice showed this window last, if any
    QString m_answer;                    // what the program said to that choice
    QString m_spokenDescription;         // the description a screen reader was last told of
    bool m_descriptionDue = false;
};

} // namespace quorvel
