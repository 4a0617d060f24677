#include "window/picture.h"

#include "window/text.h"

#include <QCache>
#include <QResource>
#include <QPainter>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <map>
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
    // Of a picture of its own: one drawn ahead for a screen not open yet.
    PictureRendering(std::unique_ptr<Picture> own, QSize size, qreal devicePixelRatio)
        : PictureRendering(*own, size, devicePixelRatio)
    {
        m_own = std::move(own);
    }
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
    bool finished()
    {
        const std::lock_guard lock(m_mutex);
        return m_done;
    }
    // For a picture that goes: a rendering not started never will be; one under way is waited for.
    void cancel()
    {
        if (!claim())
            take();
    }

private:
    std::unique_ptr<Picture> m_own;
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

// Pictures are drawn on all cores but one: the one left answers the student meanwhile. Drawings
// ahead run at idle priority, so they never slow what the student waits for, the X server and the
// window manager included; those needed now run at normal priority.
QThreadPool &preparingPool(PictureNeed need)
{
    static QThreadPool ahead, now;
    static const bool sized = [] {
        for (auto [pool, priority] : {std::pair{&ahead, QThread::IdlePriority}, {&now, QThread::NormalPriority}}) {
            pool->setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
            pool->setThreadPriority(priority);
        }
        return true;
    }();
    Q_UNUSED(sized);
    return need == PictureNeed::Now ? now : ahead;
}

// Renderings of pictures of screens not open yet (Picture::prepareAhead), by their keys. When one
// is done it joins the kept renderings; a screen that opens before then takes it over.
std::map<QString, std::shared_ptr<PictureRendering>> &drawnAhead()
{
    static std::map<QString, std::shared_ptr<PictureRendering>> store;
    return store;
}

void keep(const QString &key, const QImage &image)
{
    if (!renderings().contains(key))
        renderings().insert(key, new QImage(image), int(image.sizeInBytes() / 1024));
}

const QImage *keptRendering(const QString &key)
{
    auto &ahead = drawnAhead();
    for (auto it = ahead.begin(); it != ahead.end();) {
        if (!it->second->finished()) {
            ++it;
            continue;
        }
        keep(it->first, it->second->take());
        it = ahead.erase(it);
    }
    return renderings().object(key);
}

// The renderings that open screens have asked for, by their keys: a picture already on its way
// for a screen is not drawn ahead a second time.
std::map<QString, std::weak_ptr<PictureRendering>> &askedByScreens()
{
    static std::map<QString, std::weak_ptr<PictureRendering>> store;
    return store;
}

bool askedByAScreen(const QString &key)
{
    auto &asked = askedByScreens();
    std::erase_if(asked, [](const auto &entry) { return entry.second.expired(); });
    return asked.contains(key);
}

QString pictureResourcePath(std::string_view file)
{
    return QStringLiteral(":/pictures/") + toQString(file);
}

// The rendering under way for a screen not open yet, taken over by one that opens; else null.
std::shared_ptr<PictureRendering> takeOverDrawnAhead(const QString &key)
{
    auto &ahead = drawnAhead();
    const auto it = ahead.find(key);
    if (it == ahead.end())
        return nullptr;
    std::shared_ptr<PictureRendering> rendering = std::move(it->second);
    ahead.erase(it);
    return rendering;
}

} // namespace

void forgetKeptRenderings()
{
    renderings().clear();
    drawnAhead().clear();
}

void waitForPreparedPictures()
{
    preparingPool(PictureNeed::Now).waitForDone();
    preparingPool(PictureNeed::Ahead).waitForDone();
}

void stopDrawingAhead()
{
    preparingPool(PictureNeed::Ahead).clear();
    waitForPreparedPictures();
    drawnAhead().clear(); // their documents hold fonts, which must not outlive the application
}

std::unique_ptr<Picture> Picture::load(const PictureRef &ref)
{
    if (ref.empty())
        return nullptr;
    // Stored uncompressed in the program, a document is read where it lies, neither unpacked nor
    // copied: a screen's pictures cost no time to load and no memory until they are drawn.
    const QResource resource(pictureResourcePath(ref.file));
    if (!resource.isValid())
        return nullptr;
    return std::unique_ptr<Picture>(new Picture(ref.kind, ref.file, resource.uncompressedData()));
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

const PictureLabels &Picture::labels() const
{
    std::call_once(m_labelsOnce, [this] { m_labels = scanPictureLabels(m_svg); });
    return m_labels;
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

void Picture::prepare(const QSize &clientSize, qreal devicePixelRatio, PictureNeed need)
{
    const QSize size = targetRect(clientSize).size(); // a bitmap's own size is known once it is read
    if (size.isEmpty() || matches(m_cache, size, devicePixelRatio))
        return;
    if (!m_pending) {
        const QString key = renderingKey(m_file, size, devicePixelRatio);
        if (const QImage *kept = keptRendering(key)) {
            m_cache = *kept;
            return;
        }
        m_pending = takeOverDrawnAhead(key);
        if (!m_pending) {
            m_pending = std::make_shared<PictureRendering>(*this, size, devicePixelRatio);
            askedByScreens()[key] = m_pending;
        } else if (need == PictureNeed::Ahead) {
            return; // already on its way
        }
    } else if (need == PictureNeed::Ahead) {
        return;
    }
    // Whichever thread comes to it first draws it; the other finds it claimed.
    preparingPool(need).start([rendering = m_pending] {
        if (rendering->claim())
            rendering->run();
    });
}

void Picture::prepareAhead(const PictureRef &ref, const QSize &clientSize, qreal devicePixelRatio)
{
    // A bitmap's size is known only once it is read; the pages drawn ahead are metafiles.
    if (ref.kind == PictureKind::Bitmap || clientSize.isEmpty())
        return;
    const QString key = renderingKey(ref.file, clientSize, devicePixelRatio);
    if (drawnAhead().contains(key) || askedByAScreen(key) || keptRendering(key))
        return;
    std::unique_ptr<Picture> picture = load(ref);
    if (!picture)
        return;
    auto rendering = std::make_shared<PictureRendering>(std::move(picture), clientSize, devicePixelRatio);
    drawnAhead().emplace(key, rendering);
    preparingPool(PictureNeed::Ahead).start([rendering] {
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
            if (auto ahead = takeOverDrawnAhead(key))
                m_cache = ahead->take();
        }
        if (!matches(m_cache, target.size(), devicePixelRatio)) {
            const QImage *kept = keptRendering(key);
            m_cache = kept ? *kept : render(target.size(), devicePixelRatio);
        }
        keep(key, m_cache);
    }
    painter.drawImage(target.topLeft(), m_cache);
}

Picture::~Picture()
{
    if (m_pending)
        m_pending->cancel();
}

} // namespace quorvel
