#pragma once
// The text of a picture, drawn by the program rather than by the SVG renderer.
//
// Qt's SVG renderer fills every glyph of a <text> element as a path outline, which costs about a
// millisecond a line; QPainter::drawText goes through the glyph cache and is some fifty times
// faster. So the plain text elements are lifted out of a picture's document and drawn here, over
// the shapes, in the document's coordinates. A text element that uses anything this layer does
// not know (child elements, a style attribute, a stroke, opacity, an unknown transform), or that a
// later shape may paint over, stays in the document for the SVG renderer.
//
// A picture's document is read once, when its picture loads: that reading yields its title and
// description and every text element with its place in the document. The first drawing splits
// the document from it and builds the renderer of the shapes, kept for every drawing after.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QSvgRenderer>
#include <QTransform>

#include <memory>

class QPainter;

namespace quorvel {

enum class TextAnchor { Start, Middle, End };

// One line of picture text, in the user coordinates of the document.
struct PictureTextRun {
    QString text;
    QPointF position;     // the anchor point on the baseline
    QTransform transform; // user space of the element to user space of the document
    QString family;
    qreal size = 16; // in user units
    bool bold = false;
    bool italic = false;
    QColor fill = Qt::black;
    TextAnchor anchor = TextAnchor::Start;
};

// A text element found in the document, with the characters it takes up there.
struct ScannedText {
    PictureTextRun run;
    qsizetype begin = 0;
    qsizetype end = 0;
    bool liftable = false; // drawn by this layer, unless something drawn after it reaches into it
    int shapesBefore = 0;  // how many shapes precede it in the document
};

// What a screen reader is told of a picture.
struct PictureLabels {
    QString title;       // the first <title> with text in it
    QString description; // the first <desc> with text in it
};

// Reads only as far into the document as its labels: they open a picture, and a picture's box is
// named when its screen opens, long before (if ever) it is drawn.
PictureLabels scanPictureLabels(const QByteArray &svg);

// What the one reading of a picture's document finds.
struct PictureScan {
    QByteArray svg;
    QString title;
    QString description;
    QList<ScannedText> texts;
    QList<qsizetype> shapeNameEnds; // just after each shape's element name in its start tag
    // The size the document declares, when its <svg> gives width and height as plain numbers of
    // pixels, which is how the renderer takes them; otherwise empty, and only the renderer knows.
    QSize declaredSize;
    bool wellFormed = false;
    bool svgRoot = false; // the document element is <svg>
};

PictureScan scanPicture(const QByteArray &svg);

struct SplitPicture {
    QByteArray shapes;          // the renderer's document: the picture without the text lifted
                                // out of it, its shapes perhaps named for asking their bounds
    QList<PictureTextRun> text; // in document order
    // Built on `shapes` (never null; invalid when the document cannot be drawn). Reentrant, not
    // thread-safe: whoever draws with it makes sure no two drawings of one picture overlap.
    std::unique_ptr<QSvgRenderer> renderer;
    QRectF viewBox;    // the renderer's, read once
    QSize naturalSize; // likewise
};

// Splits the scanned document, parsing what is left of it once for the renderer. To know which
// text a later shape reaches into, the renderer is built on the document with every liftable text
// taken out and the shapes after the first such text named, so that it can tell their bounds;
// only when some of that text must stay after all is the document with it put back parsed again.
SplitPicture splitPicture(const PictureScan &scan);

// Both steps at once.
SplitPicture splitPictureText(const QByteArray &svg);

// Draws the shapes with the picture's renderer, then its text over them, the view box mapped onto
// the target rectangle.
void drawSplitPicture(QPainter &painter, const SplitPicture &picture, const QRectF &target);

// Draws the runs over a document whose view box is mapped onto the target rectangle.
void drawPictureText(QPainter &painter, const QList<PictureTextRun> &text, const QRectF &viewBox, const QRectF &target);

// The font a run is laid out in, at a size of its own that the drawing scales to the run's.
QFont pictureTextFont(const PictureTextRun &run);

// The ink of each glyph of a run as drawn, a tight box around it in document coordinates (a
// quadrilateral where the run is turned), for checking where text lands.
QList<QPolygonF> pictureTextInk(const PictureTextRun &run);

} // namespace quorvel
