#pragma once
// The client area of a screen: its back colour, its background picture and the lines printed on
// it. Printed lines are kept and drawn again on every repaint; a line wider than the surface is
// cut off at its right edge, never wrapped. Screen readers read the printed lines, or the picture's
// title and description, through its accessible interface (surface_accessible.cpp).

#include "window/controls.h"

#include <QStringList>

namespace quorvel {

class ScreenSurface : public PictureSurface
{
    Q_OBJECT
public:
    ScreenSurface(QWidget *parent, const ScreenDescription &d);

    void cls();
    void print(const QString &text);
    const QStringList &printedLines() const { return m_lines; }
    int lineHeight() const;
    // Starts drawing the screen's picture for its client area on another core.
    void preparePicture(PictureNeed need);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
    QSize m_describedClient;
};

} // namespace quorvel
