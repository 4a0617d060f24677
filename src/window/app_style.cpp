#include "window/app_style.h"

#include "window/fonts.h"
#include "window/memory_reuse.h"
#include "window/surface_accessible.h"

#include <QApplication>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QStyleFactory>

namespace quorvel {

namespace {
class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

void applyProgramStyle(QApplication &app)
{
    keepFreedMemoryForReuse();
    app.setStyle(new ProgramStyle);
    // Fusion keeps what it draws of buttons and frames in the pixmap cache, under the palette of
    // the widget: every coloured control has one of its own, so nothing of a closed screen is ever
    // found again. With Qt's 10 MiB limit the cache only grew with every screen opened, and with it
    // the heap, and an action cost more the fewer screens had been opened before (fresh pages to
    // touch). What the open screens repaint from it fits in far less.
    QPixmapCache::setCacheLimit(2 * 1024); // KiB
    app.setQuitOnLastWindowClosed(false); // the screen registry decides when the program ends
    registerFonts();
    installSurfaceAccessibility();
}

} // namespace quorvel
