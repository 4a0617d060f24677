#include "window/colours.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace quorvel {

namespace {
QPalette::ColorRole schemeRole(int entry)
{
    switch (entry) {
    case 5: return QPalette::Base;
    case 8: return QPalette::Text;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;
    default: return QPalette::Window;
    }
}
} // namespace

QColor resolveColour(Colour colour, const QPalette &desktop)
{
    if (isSchemeColour(colour))
        return desktop.color(QPalette::Active, schemeRole(schemeEntry(colour)));
    const Rgb rgb = directRgb(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

ColourBinding::ColourBinding(QWidget *widget, QPalette::ColorRole backRole, Colour back, QPalette::ColorRole foreRole,
                             Colour fore)
    : QObject(widget), m_widget(widget), m_backRole(backRole), m_foreRole(foreRole), m_back(back), m_fore(fore)
{
    apply();
    widget->installEventFilter(this);
}

void ColourBinding::apply()
{
    // A role bound to the very scheme entry it would inherit is left to inherit, so the desktop's
    // changes reach it; every other role is set, and is set again whenever the palette changes.
    const QPalette desktop = QApplication::palette();
    QPalette p;
    const auto set = [&](QPalette::ColorRole role, Colour colour) {
        if (!(isSchemeColour(colour) && schemeRole(schemeEntry(colour)) == role))
            p.setColor(QPalette::All, role, resolveColour(colour, desktop));
    };
    set(m_backRole, m_back);
    set(m_foreRole, m_fore);
    m_applying = true;
    m_widget->setPalette(p);
    m_applying = false;
}

bool ColourBinding::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_widget && !m_applying &&
        (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange))
        apply();
    return QObject::eventFilter(watched, event);
}

} // namespace quorvel
