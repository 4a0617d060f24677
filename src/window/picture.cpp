#include "window/picture.h"

#include "window/text.h"

#include <QCache>
#include <QFile>
#include <QPainter>
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
    auto picture = std::unique_ptr<Picture>(new Picture(ref.kind, ref.file, scanPicture(file.readAll())));
    if (!picture->m_scan.wellFormed || !picture->m_scan.svgRoot)
        return nullptr;
    // Where the document does not declare its size plainly, only the renderer knows it: then the
    // picture is split now, before any rendering can be under way.
    picture->m_naturalSize = picture->m_scan.declaredSize;
    if (picture->m_naturalSize.isEmpty()) {
        picture->m_drawing = splitPicture(picture->m_scan);
        if (!picture->m_drawing->renderer->isValid())
            return nullptr;
        picture->m_naturalSize = picture->m_drawing->naturalSize;
    }
    return picture;
}

Picture::Picture(PictureKind kind, std::string_view file, PictureScan scan)
    : m_kind(kind), m_file(file), m_scan(std::move(scan))
{}

QRect Picture::targetRect(const QSize &clientSize) const
{
    if (m_kind == PictureKind::Bitmap)
        return QRect(QPoint(0, 0), m_naturalSize);
    return QRect(QPoint(0, 0), clientSize);
}

QImage Picture::render(QSize size, qreal devicePixelRatio)
{
    if (!m_drawing)
        m_drawing = splitPicture(m_scan);
    // Rendered at device resolution, so vectors and text stay sharp on high-density screens.
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawSplitPicture(painter, *m_drawing, QRectF(QPointF(0, 0), QSizeF(size)));
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
    m_pending = QtConcurrent::run([this, size, devicePixelRatio] { return render(size, devicePixelRatio); });
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
            Q_ASSERT(!m_pending.isValid()); // no rendering of this picture is under way
            m_cache = kept ? *kept : render(target.size(), devicePixelRatio);
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
