#include "window/control_properties.h"

#include "window/controls.h"
#include "window/screen_surface.h"
#include "window/screen_window.h"

namespace quorvel {

void ControlProperties::setCaption(std::string_view name, const QString &caption)
{
    QWidget &control = m_window.controls().getEither<QLabel, QPushButton>(name);
    if (auto *button = qobject_cast<QPushButton *>(&control)) {
        button->setText(caption);
        return;
    }
    qobject_cast<QLabel *>(&control)->setText(caption);
    m_window.textChanged();
    // A label changed in answer to a choice in this window's list reports on that choice.
    if (ListBoxControl *list = ListBoxControl::choosing(); list && list->window() == &m_window)
        list->describeChosenRow(caption);
}

QString ControlProperties::caption(std::string_view name) const
{
    QWidget &control = m_window.controls().getEither<QLabel, QPushButton>(name);
    if (auto *button = qobject_cast<QPushButton *>(&control))
        return button->text();
    return qobject_cast<QLabel *>(&control)->text();
}

void ControlProperties::setText(std::string_view textBox, const QString &text)
{
    m_window.controls().get<TextBoxControl>(textBox).setPlainText(text);
}

QString ControlProperties::text(std::string_view textBox) const
{
    return m_window.controls().get<TextBoxControl>(textBox).toPlainText();
}

void ControlProperties::setControlVisible(std::string_view name, bool visible)
{
    QWidget &control = m_window.controls().get<QWidget>(name);
    control.setVisible(visible);
    if (qobject_cast<QLabel *>(&control))
        m_window.textChanged();
    else if (qobject_cast<PictureBoxControl *>(&control))
        m_window.updatePictureFocus();
}

bool ControlProperties::controlVisible(std::string_view name) const
{
    return !m_window.controls().get<QWidget>(name).isHidden();
}

void ControlProperties::addItem(std::string_view list, const QString &row)
{
    m_window.controls().get<ListBoxControl>(list).addRow(row);
}

void ControlProperties::clearList(std::string_view list)
{
    m_window.controls().get<ListBoxControl>(list).clearRows();
}

int ControlProperties::listIndex(std::string_view list) const
{
    return m_window.controls().get<ListBoxControl>(list).listIndex();
}

QStringList ControlProperties::listRows(std::string_view list) const
{
    return m_window.controls().get<ListBoxControl>(list).rows();
}

void ControlProperties::cls()
{
    m_window.surface()->cls();
    m_window.textChanged();
}

void ControlProperties::print(const QString &text)
{
    m_window.surface()->print(text);
    m_window.textChanged();
}

QStringList ControlProperties::printedLines() const
{
    return m_window.surface()->printedLines();
}

} // namespace quorvel
