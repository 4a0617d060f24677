#pragma once
// A stored picture, read once when its screen loads and drawn by the rules of its kind:
// metafiles stretched to fill the client area, the bitmap at natural size from the top left.

#include "resources/description.h"
#include "window/picture_text.h"

#include <QFuture>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QPainter;

namespace quorvel {

class Picture
{
public:
    // The picture of the given reference, or nullptr when the program holds no such picture yet.
    static std::unique_ptr<Picture> load(const PictureRef &ref);
    ~Picture();

    // Starts drawing the picture for a client area of this size on another core, so that a page
    // loaded now is ready when it is shown.
    void prepare(const QSize &clientSize, qreal devicePixelRatio);
    void paint(QPainter &painter, const QSize &clientSize, qreal devicePixelRatio);

    PictureKind kind() const { return m_kind; }
    QSize naturalSize() const { return m_naturalSize; }
    const QString &title() const { return m_scan.title; }
    const QString &description() const { return m_scan.description; }

private:
    Picture(PictureKind kind, std::string_view file, PictureScan scan);
    QRect targetRect(const QSize &clientSize) const;
    QImage render(QSize size, qreal devicePixelRatio);
    static bool matches(const QImage &image, QSize size, qreal devicePixelRatio);

    const PictureKind m_kind;
    const std::string_view m_file;
    const PictureScan m_scan; // the document as read on load
    QSize m_naturalSize;      // set on load
    // The split document and its renderer, made by the first rendering from m_scan and kept for
    // the next. Only render() touches it, and render() runs either as m_pending or in paint() once
    // m_pending has been taken: never twice at once.
    std::optional<SplitPicture> m_drawing;
    QImage m_cache;            // the last rendering, reused while size and pixel ratio stay
    QFuture<QImage> m_pending; // a rendering under way on another core
};

// Forgets the renderings kept across loads (so that a measurement starts cold).
void forgetKeptRenderings();

} // namespace quorvel
