#include "window/picture_text.h"

#include "window/svg_transform.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <optional>

namespace quorvel {

namespace {

// Text is laid out at this size and scaled to its own, as the SVG renderer does, so that
// anchored lines keep the widths they have always had.
constexpr qreal layoutPixelSize = 100;

const QSet<QString> &shapeElements()
{
    static const QSet<QString> names{QStringLiteral("rect"),    QStringLiteral("line"),    QStringLiteral("circle"),
                                     QStringLiteral("ellipse"), QStringLiteral("polygon"), QStringLiteral("polyline"),
                                     QStringLiteral("path"),    QStringLiteral("image"),   QStringLiteral("use")};
    return names;
}

// Presentation attributes this layer draws; any other attribute on a text element or on one of
// its groups leaves the text to the SVG renderer.
const QSet<QString> &understoodAttributes()
{
    static const QSet<QString> names{
        QStringLiteral("x"),           QStringLiteral("y"),         QStringLiteral("id"),
        QStringLiteral("font-family"), QStringLiteral("font-size"), QStringLiteral("font-weight"),
        QStringLiteral("font-style"),  QStringLiteral("fill"),      QStringLiteral("text-anchor"),
        QStringLiteral("transform"),   QStringLiteral("space")};
    return names;
}

// What a text element inherits from the groups around it.
struct InheritedStyle {
    QString family = QStringLiteral("sans-serif");
    qreal size = 16;
    bool bold = false;
    bool italic = false;
    QColor fill = Qt::black;
    TextAnchor anchor = TextAnchor::Start;
    QTransform transform;
    bool understood = true;
};

std::optional<qreal> parseNumber(QStringView value)
{
    bool ok = false;
    const qreal number = value.trimmed().toDouble(&ok);
    return ok ? std::optional<qreal>(number) : std::nullopt;
}

// Applies the attributes of one element to the style it inherits. Returns false for an attribute
// this layer cannot draw.
bool applyAttributes(const QXmlStreamAttributes &attributes, InheritedStyle &style)
{
    bool understood = true;
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.name();
        const QStringView value = attribute.value();
        if (name == u"font-family") {
            style.family = value.toString().remove(u'\'').remove(u'"').trimmed();
        } else if (name == u"font-size") {
            const auto size = parseNumber(value);
            understood &= size.has_value() && *size > 0;
            if (size)
                style.size = *size;
        } else if (name == u"font-weight") {
            const auto weight = parseNumber(value);
            if (value == u"bold" || value == u"bolder" || (weight && *weight >= 600))
                style.bold = true;
            else if (value == u"normal" || value == u"lighter" || weight)
                style.bold = false;
            else
                understood = false;
        } else if (name == u"font-style") {
            style.italic = value == u"italic" || value == u"oblique";
            understood &= style.italic || value == u"normal";
        } else if (name == u"fill") {
            const QColor colour = QColor::fromString(value);
            understood &= colour.isValid();
            style.fill = colour;
        } else if (name == u"text-anchor") {
            if (value == u"middle")
                style.anchor = TextAnchor::Middle;
            else if (value == u"end")
                style.anchor = TextAnchor::End;
            else if (value == u"start")
                style.anchor = TextAnchor::Start;
            else
                understood = false;
        } else if (name == u"transform") {
            const auto own = parseSvgTransform(value);
            understood &= own.has_value();
            if (own)
                style.transform = *own * style.transform;
        } else if (!understoodAttributes().contains(name.toString())) {
            understood = false;
        }
    }
    return understood;
}

// The root element's attributes without those that only size the document.
QXmlStreamAttributes presentationOnly(const QXmlStreamAttributes &attributes)
{
    static const QSet<QString> sizing{QStringLiteral("version"), QStringLiteral("baseProfile"),
                                      QStringLiteral("viewBox"), QStringLiteral("width"),
                                      QStringLiteral("height"),  QStringLiteral("preserveAspectRatio")};
    QXmlStreamAttributes kept;
    for (const QXmlStreamAttribute &attribute : attributes)
        if (!sizing.contains(attribute.name().toString()))
            kept.append(attribute);
    return kept;
}

// White space as SVG lays it out: by default newlines go, tabs become blanks, the ends are trimmed
// and runs of blanks collapse; with xml:space="preserve" newlines and tabs become blanks.
QString layOutWhiteSpace(QString text, bool preserve)
{
    if (preserve) {
        text.replace(u'\n', u' ').replace(u'\t', u' ').replace(u'\r', u' ');
        return text;
    }
    text.remove(u'\n').remove(u'\r').replace(u'\t', u' ');
    QString collapsed;
    collapsed.reserve(text.size());
    for (const QChar c : std::as_const(text))
        if (c != u' ' || (!collapsed.isEmpty() && collapsed.back() != u' '))
            collapsed.append(c);
    if (collapsed.endsWith(u' '))
        collapsed.chop(1);
    return collapsed;
}

QFont layoutFont(const PictureTextRun &run)
{
    QFont font(run.family);
    font.setPixelSize(int(layoutPixelSize));
    font.setBold(run.bold);
    font.setItalic(run.italic);
    return font;
}

// Where the line starts relative to its anchor, in layout pixels.
qreal anchorShift(const PictureTextRun &run, const QFontMetricsF &metrics)
{
    switch (run.anchor) {
    case TextAnchor::Start: return 0;
    case TextAnchor::Middle: return -metrics.horizontalAdvance(run.text) / 2;
    case TextAnchor::End: return -metrics.horizontalAdvance(run.text);
    }
    return 0;
}

QTransform layoutToDocument(const PictureTextRun &run)
{
    const qreal scale = run.size / layoutPixelSize;
    return QTransform::fromScale(scale, scale) * QTransform::fromTranslate(run.position.x(), run.position.y()) *
           run.transform;
}

// A text element found in the document, with the characters it takes up there.
struct FoundText {
    PictureTextRun run;
    qsizetype begin = 0;
    qsizetype end = 0;
    bool liftable = false;
    int shapesBefore = 0; // how many shapes precede it in the document
};

// A shape's start tag, where an id can be given to it for asking its bounds.
struct FoundShape {
    qsizetype nameEnd = 0; // just after the element name in its start tag
};

struct Scan {
    QList<FoundText> texts;
    QList<FoundShape> shapes;
    bool wellFormed = false;
};

Scan scanDocument(const QString &document)
{
    Scan scan;
    QXmlStreamReader xml(document);
    QList<InheritedStyle> styles{InheritedStyle{}};
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            // The reader stands after the start tag; attribute values hold no raw '<'.
            const qsizetype tagStart = document.lastIndexOf(u'<', xml.characterOffset() - 1);
            InheritedStyle style = styles.last();
            const QString name = xml.name().toString();
            if (name == u"text") {
                FoundText found;
                found.begin = tagStart;
                found.shapesBefore = int(scan.shapes.size());
                const QXmlStreamAttributes attributes = xml.attributes();
                found.liftable = applyAttributes(attributes, style) && style.understood;
                // A list of positions places each character: that is not a single line.
                const auto x = parseNumber(attributes.value(QLatin1StringView("x")));
                const auto y = parseNumber(attributes.value(QLatin1StringView("y")));
                found.liftable &= (x || !attributes.hasAttribute(QLatin1StringView("x"))) &&
                                  (y || !attributes.hasAttribute(QLatin1StringView("y")));
                found.run.position = QPointF(x.value_or(0), y.value_or(0));
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                found.liftable &= !xml.hasError() && xml.tokenType() == QXmlStreamReader::EndElement;
                // The reader now stands after </text>; a child element shows as a third '<'
                // among the element's characters (text itself can only hold "&lt;").
                found.end = xml.characterOffset();
                found.liftable &= QStringView(document).mid(found.begin, found.end - found.begin).count(u'<') == 2;
                PictureTextRun &run = found.run;
                run.text = layOutWhiteSpace(text, attributes.value(QLatin1StringView("xml:space")) == u"preserve");
                run.family = style.family;
                run.size = style.size;
                run.bold = style.bold;
                run.italic = style.italic;
                run.fill = style.fill;
                run.anchor = style.anchor;
                run.transform = style.transform;
                scan.texts.append(std::move(found));
                continue;
            }
            if (name != u"title" && name != u"desc") {
                const QXmlStreamAttributes attributes = xml.attributes();
                style.understood &= applyAttributes(name == u"svg" ? presentationOnly(attributes) : attributes, style);
            }
            if (shapeElements().contains(name))
                scan.shapes.append(FoundShape{tagStart + 1 + name.size()});
            styles.append(style);
        } else if (token == QXmlStreamReader::EndElement) {
            if (styles.size() > 1)
                styles.removeLast();
        }
    }
    scan.wellFormed = !xml.hasError();
    return scan;
}

// Bounds of every shape in document coordinates, asked of the SVG renderer through ids given to
// the shapes for the purpose. A shape with an id of its own makes the document invalid here, and
// then no bounds are known and no text drawn after a shape is lifted.
QList<QRectF> shapeBounds(const QString &document, const QList<FoundShape> &shapes)
{
    QString tagged = document;
    for (qsizetype i = shapes.size() - 1; i >= 0; --i)
        tagged.insert(shapes[i].nameEnd, QStringLiteral(" id=\"qv-shape-%1\"").arg(i));
    QSvgRenderer renderer(tagged.toUtf8());
    QList<QRectF> bounds;
    bounds.reserve(shapes.size());
    for (qsizetype i = 0; i < shapes.size(); ++i)
        bounds.append(renderer.isValid() ? renderer.boundsOnElement(QStringLiteral("qv-shape-%1").arg(i)) : QRectF());
    return bounds;
}

// The area the ink of a run can reach, in document coordinates.
QRectF pictureTextBounds(const PictureTextRun &run)
{
    const QFontMetricsF metrics(layoutFont(run));
    const qreal left = anchorShift(run, metrics);
    // A tenth of the size around the line holds italic overhang and accents above the ascent.
    const qreal margin = layoutPixelSize / 10;
    const QRectF line(left - margin, -metrics.ascent() - margin, metrics.horizontalAdvance(run.text) + 2 * margin,
                      metrics.ascent() + metrics.descent() + 2 * margin);
    return layoutToDocument(run).mapRect(line);
}

} // namespace

SplitPicture splitPictureText(const QByteArray &svg)
{
    const QString document = QString::fromUtf8(svg);
    Scan scan = scanDocument(document);
    if (!scan.wellFormed)
        return {svg, {}};

    // A text is lifted only when nothing drawn after it in the document (a shape, or a text the
    // SVG renderer keeps) reaches into it; then drawing it last looks the same.
    const QList<QRectF> shapes = shapeBounds(document, scan.shapes);
    QList<QRectF> keptTextBounds;
    for (qsizetype i = scan.texts.size() - 1; i >= 0; --i) {
        FoundText &found = scan.texts[i];
        const QRectF bounds = pictureTextBounds(found.run);
        for (qsizetype s = found.shapesBefore; s < shapes.size() && found.liftable; ++s)
            found.liftable = !shapes[s].isNull() && !shapes[s].adjusted(-1, -1, 1, 1).intersects(bounds);
        for (const QRectF &kept : keptTextBounds)
            found.liftable &= !kept.intersects(bounds);
        if (!found.liftable)
            keptTextBounds.append(bounds);
    }

    SplitPicture split;
    QString shapesOnly;
    qsizetype copied = 0;
    for (const FoundText &found : scan.texts) {
        if (!found.liftable)
            continue;
        shapesOnly += QStringView(document).mid(copied, found.begin - copied);
        copied = found.end;
        if (!found.run.text.isEmpty())
            split.text.append(found.run);
    }
    shapesOnly += QStringView(document).mid(copied);
    split.shapes = shapesOnly.toUtf8();
    return split;
}

void drawPictureText(QPainter &painter, const QList<PictureTextRun> &text, const QRectF &viewBox, const QRectF &target)
{
    if (text.isEmpty() || viewBox.isEmpty())
        return;
    const QTransform documentToTarget =
        QTransform::fromTranslate(-viewBox.x(), -viewBox.y()) *
        QTransform::fromScale(target.width() / viewBox.width(), target.height() / viewBox.height()) *
        QTransform::fromTranslate(target.x(), target.y());
    painter.save();
    const QTransform base = painter.worldTransform();
    for (const PictureTextRun &run : text) {
        const QFont font = layoutFont(run);
        painter.setFont(font);
        painter.setPen(run.fill);
        painter.setWorldTransform(layoutToDocument(run) * documentToTarget * base);
        painter.drawText(QPointF(anchorShift(run, QFontMetricsF(font)), 0), run.text);
    }
    painter.restore();
}

} // namespace quorvel
