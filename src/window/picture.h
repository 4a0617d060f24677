#pragma once
// A stored picture, parsed once when its screen loads and drawn by the rules of its kind:
// metafiles stretched to fill the client area, the bitmap at natural size from the top left.

#include "resources/description.h"

#include <QFuture>
#include <QImage>
#include <QSize>
#include <QString>
#include <QSvgRenderer>

#include <memory>

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
    QSize naturalSize() const { return m_renderer.defaultSize(); }
    const QString &title() const { return m_title; }
    const QString &description() const { return m_description; }

private:
    Picture(PictureKind kind, const QByteArray &svg);
    QRect targetRect(const QSize &clientSize) const;
    static QImage render(const QByteArray &svg, QSize size, qreal devicePixelRatio);
    static bool matches(const QImage &image, QSize size, qreal devicePixelRatio);

    PictureKind m_kind;
    std::string_view m_file;
    QByteArray m_svg;
    QSvgRenderer m_renderer;
    QString m_title;
    QString m_description;
    QImage m_cache;            // the last rendering, reused while size and pixel ratio stay
    QFuture<QImage> m_pending; // a rendering under way on another core
};

// Forgets the renderings kept across loads (so that a measurement starts cold).
void forgetKeptRenderings();

} // namespace quorvel
