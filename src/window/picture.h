#pragma once
// A stored picture, read when it is first needed and drawn by the rules of its kind: metafiles
// stretched to fill the client area, the bitmap at natural size from the top left.

#include "resources/description.h"
#include "window/picture_text.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

class QPainter;

namespace quorvel {

class PictureRendering;

// Ahead: drawn while the student reads, on cores nothing else wants. Now: the screen opening
// shows it, and the rest of the opening goes on meanwhile on this core.
enum class PictureNeed { Ahead, Now };

class Picture
{
public:
    // The picture of the given reference, or nullptr when the program holds no such picture yet.
    static std::unique_ptr<Picture> load(const PictureRef &ref);
    ~Picture();

    // Starts drawing the picture for a client area of this size on another core, so that it is
    // ready when it is shown. Should it be painted first, the painting draws it itself. A drawing
    // asked ahead and then needed now moves to the front.
    void prepare(const QSize &clientSize, qreal devicePixelRatio, PictureNeed need = PictureNeed::Ahead);
    void paint(QPainter &painter, const QSize &clientSize, qreal devicePixelRatio);
    // Draws the picture of a screen not open yet, at idle priority, and keeps the rendering for
    // when the screen opens.
    static void prepareAhead(const PictureRef &ref, const QSize &clientSize, qreal devicePixelRatio);

    PictureKind kind() const { return m_kind; }
    QSize naturalSize() const { return read().naturalSize; }
    const QString &title() const { return labels().title; }
    const QString &description() const { return labels().description; }

private:
    // What the one reading of the document found: most pictures of a screen are never shown, so
    // a document is read the first time anything asks about it, on whichever core that is.
    struct Reading {
        PictureScan scan;
        QSize naturalSize;
        bool drawable = false;
        std::optional<SplitPicture> split; // made early when only the renderer knows the size
    };

    Picture(PictureKind kind, std::string_view file, QByteArray svg);
    const Reading &read() const;
    const PictureLabels &labels() const;
    QRect targetRect(const QSize &clientSize) const;
    QImage render(QSize size, qreal devicePixelRatio);
    static bool matches(const QImage &image, QSize size, qreal devicePixelRatio);

    const PictureKind m_kind;
    const std::string_view m_file;
    const QByteArray m_svg;
    mutable std::once_flag m_readOnce;
    mutable Reading m_reading;
    mutable std::once_flag m_labelsOnce;
    mutable PictureLabels m_labels;
    // The split document and its renderer, made by the first rendering and kept for the next.
    // Only render() touches it, and renderings of one picture never overlap: a rendering asked of
    // another core is taken over or waited for before the picture is drawn here.
    std::optional<SplitPicture> m_drawing;
    QImage m_cache;                              // the last rendering, reused while size and pixel ratio stay
    std::shared_ptr<PictureRendering> m_pending; // a rendering asked of another core
    friend class PictureRendering;
};

// Forgets the renderings kept across loads (so that a measurement starts cold).
void forgetKeptRenderings();
// Waits until every picture asked to be drawn ahead has been.
void waitForPreparedPictures();
// Drops the drawings of unopened screens' pictures not started yet and waits for the rest: nothing
// may draw once the program's screens are gone.
void stopDrawingAhead();

} // namespace quorvel
