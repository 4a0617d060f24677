#pragma once
// The run-time properties of a window's controls, as a screen's behaviour reads and writes them:
// captions, texts, visibility, list rows and the lines printed on a text page. Every control is
// reached through the window's checked lookup, so a wrong name or kind stops the program at once.

#include <QString>
#include <QStringList>

#include <string_view>

namespace quorvel {

class ScreenWindow;

class ControlProperties
{
public:
    explicit ControlProperties(ScreenWindow &window) : m_window(window) {}

    // A label's or a button's caption.
    void setCaption(std::string_view control, const QString &caption);
    QString caption(std::string_view control) const;
    // A text box's text.
    void setText(std::string_view textBox, const QString &text);
    QString text(std::string_view textBox) const;
    // The Visible property, not whether the control is seen.
    void setControlVisible(std::string_view control, bool visible);
    bool controlVisible(std::string_view control) const;
    // A list box's rows and the row the user chose (-1 for none).
    void addItem(std::string_view list, const QString &row);
    void clearList(std::string_view list);
    int listIndex(std::string_view list) const;
    QStringList listRows(std::string_view list) const;
    // The lines printed on the window's surface (text pages).
    void cls();
    void print(const QString &text);
    QStringList printedLines() const;

private:
    ScreenWindow &m_window;
};

} // namespace quorvel
