#include "window/picture.h"

#include "window/picture_text.h"
#include "window/text.h"

#include <QCache>
#include <QFile>
#include <QPainter>
#include <QXmlStreamReader>
#include <QtConcurrent/QtConcurrentRun>

namespace quorvel {

namespace {
// Renderings outlive the screens that made them, so a page opened again is drawn at once.
// Its cost is counted in KiB; the least recently used go first.
QCache<QString, QImage> &renderings()
{
    static QCache<QString, QImage> store(48 * 1024);
    return store;
}

QString renderingKey(std::string_view file, QSize size, qreal devicePixelRatio)
{
    return QStringLiteral("%1@%2x%3@%4")
        .arg(toQString(file))
        .arg(size.width())
        .arg(size.height())
        .arg(devicePixelRatio);
}

QString pictureResourcePath(std::string_view file)
{
    return QStringLiteral(":/pictures/") + toQString(file);
}

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

void forgetKeptRenderings()
{
    renderings().clear();
}

std::unique_ptr<Picture> Picture::load(const PictureRef &ref)
{
    if (ref.empty())
        return nullptr;
    QFile file(pictureResourcePath(ref.file));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    auto picture = std::unique_ptr<Picture>(new Picture(ref.kind, file.readAll()));
    picture->m_file = ref.file;
    if (!picture->m_renderer.isValid())
        return nullptr;
    return picture;
}

Picture::Picture(PictureKind kind, const QByteArray &svg) : m_kind(kind), m_svg(svg), m_renderer(svg)
{
    readTitleAndDescription(svg, m_title, m_description);
}

QRect Picture::targetRect(const QSize &clientSize) const
{
    if (m_kind == PictureKind::Bitmap)
        return QRect(QPoint(0, 0), naturalSize());
    return QRect(QPoint(0, 0), clientSize);
}

QImage Picture::render(const QByteArray &svg, QSize size, qreal devicePixelRatio)
{
    // Rendered at device resolution, so vectors and text stay sharp on high-density screens.
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    const SplitPicture split = splitPictureText(svg);
    QSvgRenderer renderer(split.shapes); // one per rendering: it may run on another thread
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF target(QPointF(0, 0), QSizeF(size));
    renderer.render(&painter, target);
    drawPictureText(painter, split.text, renderer.viewBoxF(), target);
    return image;
}

bool Picture::matches(const QImage &image, QSize size, qreal devicePixelRatio)
{
    return !image.isNull() && image.devicePixelRatio() == devicePixelRatio &&
           image.size() == (QSizeF(size) * devicePixelRatio).toSize();
}

void Picture::prepare(const QSize &clientSize, qreal devicePixelRatio)
{
    const QSize size = targetRect(clientSize).size();
    if (size.isEmpty() || matches(m_cache, size, devicePixelRatio) || m_pending.isValid())
        return;
    if (const QImage *kept = renderings().object(renderingKey(m_file, size, devicePixelRatio))) {
        m_cache = *kept;
        return;
    }
    m_pending = QtConcurrent::run(&Picture::render, m_svg, size, devicePixelRatio);
}

void Picture::paint(QPainter &painter, const QSize &clientSize, qreal devicePixelRatio)
{
    const QRect target = targetRect(clientSize);
    if (target.isEmpty())
        return;
    if (!matches(m_cache, target.size(), devicePixelRatio)) {
        const QString key = renderingKey(m_file, target.size(), devicePixelRatio);
        if (m_pending.isValid()) {
            m_cache = m_pending.result(); // waits if it is still under way
            m_pending = {};
        }
        if (!matches(m_cache, target.size(), devicePixelRatio)) {
            const QImage *kept = renderings().object(key);
            m_cache = kept ? *kept : render(m_svg, target.size(), devicePixelRatio);
        }
        if (!renderings().contains(key))
            renderings().insert(key, new QImage(m_cache), int(m_cache.sizeInBytes() / 1024));
    }
    painter.drawImage(target.topLeft(), m_cache);
}

Picture::~Picture()
{
    if (m_pending.isValid())
        m_pending.waitForFinished();
}

} // namespace quorvel
