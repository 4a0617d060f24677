#include "window/screen_surface.h"

#include "resources/units.h"
#include "window/fonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace quorvel {

ScreenSurface::ScreenSurface(QWidget *parent, const ScreenDescription &d)
    : PictureSurface(parent, d.backColor.value_or(defaultScreenBackColor), d.foreColor.value_or(defaultScreenForeColor),
                     Picture::load(d.picture)),
      m_describedClient(twipsToPixels(d.clientWidth), twipsToPixels(d.clientHeight))
{
    setFont(toQFont(d.font.value_or(defaultFont)));
    // A page's picture fills its client area: drawing starts while the window is being built.
    preparePicture(PictureNeed::Ahead);
}

void ScreenSurface::preparePicture(PictureNeed need)
{
    if (Picture *p = picture())
        p->prepare(m_describedClient, QGuiApplication::primaryScreen()->devicePixelRatio(), need);
}

int ScreenSurface::lineHeight() const
{
    return QFontMetrics(font()).height();
}

void ScreenSurface::cls()
{
    m_lines.clear();
    update();
}

void ScreenSurface::print(const QString &text)
{
    m_lines.append(text);
    update();
}

void ScreenSurface::paintEvent(QPaintEvent *event)
{
    PictureSurface::paintEvent(event);
    if (m_lines.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    int top = 0;
    for (const QString &line : m_lines) {
        if (top >= height())
            break; // a text page does not scroll
        painter.drawText(0, top + metrics.ascent(), line);
        top += metrics.height();
    }
}

} // namespace quorvel
