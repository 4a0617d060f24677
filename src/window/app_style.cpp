#include "window/app_style.h"

#include "window/fonts.h"
#include "window/memory_reuse.h"
#include "window/surface_accessible.h"

#include <QApplication>
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
    app.setQuitOnLastWindowClosed(false); // the screen registry decides when the program ends
    registerFonts();
    installSurfaceAccessibility();
}

} // namespace quorvel
