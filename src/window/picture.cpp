#include "window/picture.h"

#include <QFile>
#include <QPainter>
#include <QXmlStreamReader>

namespace quorvel {

namespace {
// The first <title> and <desc> of the document, for screen readers.
void readTitleAndDescription(const QByteArray &svg, QString &title, QString &description)
{
    QXmlStreamReader xml(svg);
    while (!xml.atEnd() && (title.isEmpty() || description.isEmpty())) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"title" && title.isEmpty())
            title = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else if (xml.name() == u"desc" && description.isEmpty())
            description = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
}
} // namespace

QString pictureResourcePath(std::string_view file)
{
    return QStringLiteral(":/pictures/") + QString::fromUtf8(file.data(), qsizetype(file.size()));
}

std::unique_ptr<Picture> Picture::load(const PictureRef &ref)
{
    if (ref.empty())
        return nullptr;
    QFile file(pictureResourcePath(ref.file));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    auto picture = std::unique_ptr<Picture>(new Picture(ref.kind, file.readAll()));
    if (!picture->m_renderer.isValid())
        return nullptr;
    return picture;
}

Picture::Picture(PictureKind kind, const QByteArray &svg) : m_kind(kind), m_renderer(svg)
{
    readTitleAndDescription(svg, m_title, m_description);
}

QRect Picture::targetRect(const QSize &clientSize) const
{
    if (m_kind == PictureKind::Bitmap)
        return QRect(QPoint(0, 0), naturalSize());
    return QRect(QPoint(0, 0), clientSize);
}

void Picture::paint(QPainter &painter, const QSize &clientSize, qreal devicePixelRatio)
{
    const QRect target = targetRect(clientSize);
    if (target.isEmpty())
        return;
    const QSize devicePixels = (QSizeF(target.size()) * devicePixelRatio).toSize();
    if (m_cache.size() != devicePixels || m_cache.devicePixelRatio() != devicePixelRatio) {
        // Rendered at device resolution, so vectors and text stay sharp on high-density screens.
        m_cache = QPixmap(devicePixels);
        m_cache.setDevicePixelRatio(devicePixelRatio);
        m_cache.fill(Qt::transparent);
        QPainter cachePainter(&m_cache);
        cachePainter.setRenderHint(QPainter::Antialiasing);
        cachePainter.setRenderHint(QPainter::TextAntialiasing);
        cachePainter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_renderer.render(&cachePainter, QRectF(QPointF(0, 0), QSizeF(target.size())));
    }
    painter.drawPixmap(target.topLeft(), m_cache);
}

} // namespace quorvel
