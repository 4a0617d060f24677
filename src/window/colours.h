#pragma once
// Stored colours on Qt: direct colours as they are, scheme entries from the desktop palette,
// looked up again whenever the palette changes.

#include "resources/description.h"

#include <QColor>
#include <QObject>
#include <QPalette>

class QWidget;

namespace quorvel {

QColor resolveColour(Colour colour, const QPalette &desktop);

// Keeps two palette roles of a widget bound to stored colours, re-resolving scheme entries when
// the application palette changes.
class ColourBinding : public QObject
{
public:
    ColourBinding(QWidget *widget, QPalette::ColorRole backRole, Colour back, QPalette::ColorRole foreRole,
                  Colour fore);
    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_widget;
    QPalette::ColorRole m_backRole, m_foreRole;
    Colour m_back, m_fore;
    bool m_applying = false;
};

} // namespace quorvel
