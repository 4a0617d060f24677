#include "window/surface_accessible.h"

#include "window/controls.h"
#include "window/screen_surface.h"
#include "window/screen_window.h"

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
        const Picture *picture = surface()->picture();
        switch (t) {
        case QAccessible::Value: return allText();
        case QAccessible::Name: return picture ? picture->title() : QString();
        case QAccessible::Description:
            return surface()->printedLines().isEmpty() && picture ? picture->description() : allText();
        default: return QAccessibleWidget::text(t);
        }
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

// A screen's window says what the window says it says (ScreenWindow::spokenName and
// spokenDescription), read afresh each time.
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(ScreenWindow *window) : QAccessibleWidget(window, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *window = static_cast<const ScreenWindow *>(widget());
        switch (t) {
        case QAccessible::Name: return window->spokenName();
        case QAccessible::Description: return window->spokenDescription();
        default: return QAccessibleWidget::text(t);
        }
    }
};

// A picture box is an image, called by its picture's title and described by its text while it is
// seen; covered, or without a picture, it is a nameless pane that screen readers pass over (they
// would otherwise name a covered box as the one around a box in front of it).
class PictureBoxAccessible : public QAccessibleWidget
{
public:
    explicit PictureBoxAccessible(PictureBoxControl *box)
        : QAccessibleWidget(box, box->client()->picture() ? QAccessible::Graphic : QAccessible::Pane)
    {}

    QString text(QAccessible::Text t) const override
    {
        const auto *box = static_cast<const PictureBoxControl *>(widget());
        const Picture *picture = box->seen() ? box->client()->picture() : nullptr;
        switch (t) {
        case QAccessible::Name: return picture ? picture->title() : QString();
        case QAccessible::Description: return picture ? picture->description() : QString();
        default: return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *windowLayerFactory(const QString &, QObject *object)
{
    if (auto *surface = qobject_cast<ScreenSurface *>(object))
        return new SurfaceAccessible(surface);
    if (auto *window = qobject_cast<ScreenWindow *>(object))
        return new WindowAccessible(window);
    if (auto *box = qobject_cast<PictureBoxControl *>(object))
        return new PictureBoxAccessible(box);
    return nullptr;
}

} // namespace

void installSurfaceAccessibility()
{
    QAccessible::installFactory(windowLayerFactory);
}

} // namespace quorvel
