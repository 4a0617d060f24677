#include "window/surface_accessible.h"

#include "window/screen_surface.h"

#include <QAccessibleWidget>
#include <QFontMetrics>

namespace quorvel {

namespace {

class SurfaceAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit SurfaceAccessible(ScreenSurface *surface) : QAccessibleWidget(surface, QAccessible::StaticText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return allText();
        return QAccessibleWidget::text(t);
    }

    // The text interface: read-only text without selection or caret.
    QString text(int startOffset, int endOffset) const override
    {
        return allText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(allText().size()); }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int offset) const override
    {
        const QStringList &lines = surface()->printedLines();
        const QFontMetrics metrics(surface()->font());
        for (int row = 0; row < lines.size(); ++row) {
            if (offset <= lines[row].size()) {
                const int x = metrics.horizontalAdvance(lines[row].left(offset));
                const QRect local(x, row * metrics.height(), metrics.averageCharWidth(), metrics.height());
                return QRect(surface()->mapToGlobal(local.topLeft()), local.size());
            }
            offset -= int(lines[row].size()) + 1;
        }
        return {};
    }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    ScreenSurface *surface() const { return static_cast<ScreenSurface *>(widget()); }
    QString allText() const { return surface()->printedLines().join(QLatin1Char('\n')); }
};

QAccessibleInterface *surfaceFactory(const QString &, QObject *object)
{
    if (auto *surface = dynamic_cast<ScreenSurface *>(object))
        return new SurfaceAccessible(surface);
    return nullptr;
}

} // namespace

void installSurfaceAccessibility()
{
    QAccessible::installFactory(surfaceFactory);
}

} // namespace quorvel
