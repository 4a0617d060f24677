#include "window/picture.h"

#include "window/text.h"

#include <QCache>
#include <QFile>
#include <QPainter>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace quorvel {

// One rendering of a picture asked of another core. Whoever claims it first draws it: the pool's
// thread, or a painting that cannot wait for a thread to come free (the machine may be busy).
class PictureRendering
{
public:
    PictureRendering(Picture &picture, QSize size, qreal devicePixelRatio)
        : m_picture(picture), m_size(size), m_devicePixelRatio(devicePixelRatio)
    {}
    bool claim() { return !m_claimed.exchange(true); }
    void run()
    {
        QImage image = m_picture.render(m_size, m_devicePixelRatio);
        const std::lock_guard lock(m_mutex);
        m_image = std::move(image);
        m_done = true;
        m_finished.notify_all();
    }
    // The rendering, drawn here if no thread has started it yet.
    QImage take()
    {
        if (claim())
            run();
        std::unique_lock lock(m_mutex);
        m_finished.wait(lock, [this] { return m_done; });
        return m_image;
    }
    // For a picture that goes: a rendering not started never will be; one under way is waited for.
    void cancel()
    {
        if (!claim())
            take();
    }

private:
    Picture &m_picture;
    const QSize m_size;
    const qreal m_devicePixelRatio;
    std::atomic<bool> m_claimed = false;
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    QImage m_image;
};

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

// Pictures are drawn ahead on all cores but one: the one left answers the student meanwhile.
QThreadPool &preparingPool()
{
    static QThreadPool pool;
    static const bool sized = [] {
        pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        return true;
    }();
    Q_UNUSED(sized);
    return pool;
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

void waitForPreparedPictures()
{
    preparingPool().waitForDone();
}

std::unique_ptr<Picture> Picture::load(const PictureRef &ref)
{
    if (ref.empty())
        return nullptr;
    QFile file(pictureResourcePath(ref.file));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return std::unique_ptr<Picture>(new Picture(ref.kind, ref.file, file.readAll()));
}

Picture::Picture(PictureKind kind, std::string_view file, QByteArray svg) : m_kind(kind), m_file(file), m_svg(svg) {}

const Picture::Reading &Picture::read() const
{
    std::call_once(m_readOnce, [this] {
        m_reading.scan = scanPicture(m_svg);
        const PictureScan &scan = m_reading.scan;
        m_reading.drawable = scan.wellFormed && scan.svgRoot;
        m_reading.naturalSize = scan.declaredSize;
        // Where the document does not declare its size plainly, only the renderer knows it.
        if (m_reading.drawable && m_reading.naturalSize.isEmpty()) {
            m_reading.split = splitPicture(scan);
            m_reading.drawable = m_reading.split->renderer->isValid();
            m_reading.naturalSize = m_reading.split->naturalSize;
        }
    });
    return m_reading;
}

QRect Picture::targetRect(const QSize &clientSize) const
{
    if (m_kind == PictureKind::Bitmap)
        return QRect(QPoint(0, 0), naturalSize());
    return QRect(QPoint(0, 0), clientSize);
}

QImage Picture::render(QSize size, qreal devicePixelRatio)
{
    const Reading &reading = read();
    if (!m_drawing)
        m_drawing = reading.split ? std::move(m_reading.split) : splitPicture(reading.scan);
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
    const QSize size = targetRect(clientSize).size(); // a bitmap's own size is known once it is read
    if (size.isEmpty() || matches(m_cache, size, devicePixelRatio) || m_pending)
        return;
    if (const QImage *kept = renderings().object(renderingKey(m_file, size, devicePixelRatio))) {
        m_cache = *kept;
        return;
    }
    m_pending = std::make_shared<PictureRendering>(*this, size, devicePixelRatio);
    preparingPool().start([rendering = m_pending] {
        if (rendering->claim())
            rendering->run();
    });
}

void Picture::paint(QPainter &painter, const QSize &clientSize, qreal devicePixelRatio)
{
    if (!read().drawable)
        return;
    const QRect target = targetRect(clientSize);
    if (target.isEmpty())
        return;
    if (!matches(m_cache, target.size(), devicePixelRatio)) {
        const QString key = renderingKey(m_file, target.size(), devicePixelRatio);
        if (m_pending) {
            m_cache = m_pending->take(); // drawn here unless a thread has it under way
            m_pending.reset();
        }
        if (!matches(m_cache, target.size(), devicePixelRatio)) {
            const QImage *kept = renderings().object(key);
            m_cache = kept ? *kept : render(target.size(), devicePixelRatio);
        }
        if (!renderings().contains(key))
            renderings().insert(key, new QImage(m_cache), int(m_cache.sizeInBytes() / 1024));
    }
    painter.drawImage(target.topLeft(), m_cache);
}

Picture::~Picture()
{
    if (m_pending)
        m_pending->cancel();
}

} // namespace quorvel
