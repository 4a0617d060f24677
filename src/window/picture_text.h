#pragma once
// The text of a picture, drawn by the program rather than by the SVG renderer.
//
// Qt's SVG renderer fills every glyph of a <text> element as a path outline, which costs about a
// millisecond a line; QPainter::drawText goes through the glyph cache and is some fifty times
// faster. So the plain text elements are lifted out of a picture's document and drawn here, over
// the shapes, in the document's coordinates. A text element that uses anything this layer does
// not know (child elements, a style attribute, a stroke, opacity, an unknown transform), or that a
// later shape may paint over, stays in the document for the SVG renderer.

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

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

struct SplitPicture {
    QByteArray shapes;          // the document without the text lifted out of it
    QList<PictureTextRun> text; // in document order
};

SplitPicture splitPictureText(const QByteArray &svg);

// Draws the runs over a document whose view box is mapped onto the target rectangle.
void drawPictureText(QPainter &painter, const QList<PictureTextRun> &text, const QRectF &viewBox, const QRectF &target);

} // namespace quorvel
