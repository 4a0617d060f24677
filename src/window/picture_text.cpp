#include "window/picture_text.h"

#include "window/fonts.h"
#include "window/svg_transform.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTextLayout>
#include <QXmlStreamReader>

#include <algorithm>
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

} // namespace

QFont pictureTextFont(const PictureTextRun &run)
{
    QFont font(run.family);
    font.setPixelSize(int(layoutPixelSize));
    font.setBold(run.bold);
    font.setItalic(run.italic);
    font.setHintingPreference(layoutHinting);
    return font;
}

namespace {

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

// Width and height of the root in pixels, when both are plain positive numbers ("690" or "690px").
QSize declaredSize(const QXmlStreamAttributes &attributes)
{
    const auto pixels = [&](QLatin1StringView name) -> std::optional<qreal> {
        QStringView value = attributes.value(name);
        if (value.endsWith(u"px"))
            value.chop(2);
        const auto number = value.isEmpty() ? std::nullopt : parseNumber(value);
        return number && *number >= 1 ? number : std::nullopt;
    };
    const auto width = pixels(QLatin1StringView("width"));
    const auto height = pixels(QLatin1StringView("height"));
    return width && height ? QSize(int(*width), int(*height)) : QSize();
}

// At a start tag: reads a <title> or <desc> into the labels if it is the first of its kind with
// text in it, leaving the reader after its end tag. False for any other element.
bool readLabel(QXmlStreamReader &xml, QStringView name, PictureLabels &labels)
{
    QString *told = name == u"title" ? &labels.title : name == u"desc" ? &labels.description : nullptr;
    if (!told || !told->isEmpty())
        return false;
    *told = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return true;
}

QString shapeName(qsizetype index)
{
    return QStringLiteral("qv-shape-%1").arg(index);
}

} // namespace

PictureScan scanPicture(const QByteArray &svg)
{
    PictureScan scan;
    scan.svg = svg;
    const QString document = QString::fromUtf8(svg);
    QXmlStreamReader xml(document);
    QList<InheritedStyle> styles{InheritedStyle{}};
    PictureLabels labels;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            // The reader stands after the start tag; attribute values hold no raw '<'.
            const qsizetype tagStart = document.lastIndexOf(u'<', xml.characterOffset() - 1);
            InheritedStyle style = styles.last();
            const QString name = xml.name().toString();
            if (styles.size() == 1) {
                scan.svgRoot = name == u"svg";
                scan.declaredSize = declaredSize(xml.attributes());
            }
            if (name == u"text") {
                ScannedText found;
                found.begin = tagStart;
                found.shapesBefore = int(scan.shapeNameEnds.size());
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
            if (readLabel(xml, name, labels))
                continue;
            if (name != u"title" && name != u"desc") {
                const QXmlStreamAttributes attributes = xml.attributes();
                style.understood &= applyAttributes(name == u"svg" ? presentationOnly(attributes) : attributes, style);
            }
            if (shapeElements().contains(name))
                scan.shapeNameEnds.append(tagStart + 1 + name.size());
            styles.append(style);
        } else if (token == QXmlStreamReader::EndElement) {
            if (styles.size() > 1)
                styles.removeLast();
        }
    }
    scan.wellFormed = !xml.hasError();
    scan.title = std::move(labels.title);
    scan.description = std::move(labels.description);
    return scan;
}

PictureLabels scanPictureLabels(const QByteArray &svg)
{
    PictureLabels labels;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd() && (labels.title.isEmpty() || labels.description.isEmpty())) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"text") // its characters are the picture's own text, never a label
            xml.skipCurrentElement();
        else
            readLabel(xml, xml.name(), labels);
    }
    return labels;
}

namespace {

// Bounds of the shapes from the first to be named on, in document coordinates, as the renderer
// of a document that names them tells them; the shapes before it stay unknown. A shape with an id
// of its own makes that document invalid, and then no bounds are known.
QList<QRectF> shapeBounds(const QSvgRenderer &renderer, qsizetype shapeCount, qsizetype firstNamed)
{
    QList<QRectF> bounds(shapeCount);
    if (!renderer.isValid())
        return bounds;
    for (qsizetype i = firstNamed; i < shapeCount; ++i) {
        // The renderer's bounds leave out the transforms of the groups around a shape.
        const QString name = shapeName(i);
        bounds[i] = renderer.transformForElement(name).mapRect(renderer.boundsOnElement(name));
    }
    return bounds;
}

// The area the ink of a run can reach, in document coordinates.
QRectF pictureTextBounds(const PictureTextRun &run)
{
    const QFontMetricsF metrics(pictureTextFont(run));
    const qreal left = anchorShift(run, metrics);
    // A tenth of the size around the line holds italic overhang and accents above the ascent.
    const qreal margin = layoutPixelSize / 10;
    const QRectF line(left - margin, -metrics.ascent() - margin, metrics.horizontalAdvance(run.text) + 2 * margin,
                      metrics.ascent() + metrics.descent() + 2 * margin);
    return layoutToDocument(run).mapRect(line);
}

// The document without the text marked liftable, and with the shapes from `firstNamed` on given
// ids, so that a renderer of it can tell their bounds. No shape lies inside a liftable text.
QString shapesDocument(const QString &document, const QList<ScannedText> &texts, const QList<qsizetype> &shapes,
                       qsizetype firstNamed)
{
    QString written;
    written.reserve(document.size() + (shapes.size() - firstNamed) * 20);
    qsizetype copied = 0;
    qsizetype shape = firstNamed;
    const auto nameShapesBefore = [&](qsizetype position) {
        for (; shape < shapes.size() && shapes[shape] <= position; ++shape) {
            written += QStringView(document).mid(copied, shapes[shape] - copied);
            written += QStringLiteral(" id=\"%1\"").arg(shapeName(shape));
            copied = shapes[shape];
        }
    };
    for (const ScannedText &found : texts) {
        if (!found.liftable)
            continue;
        nameShapesBefore(found.begin);
        written += QStringView(document).mid(copied, found.begin - copied);
        copied = found.end;
    }
    nameShapesBefore(document.size());
    written += QStringView(document).mid(copied);
    return written;
}

// A text is lifted only when nothing drawn after it in the document (a shape, or a text the SVG
// renderer keeps) reaches into it; then drawing it last looks the same. Returns whether any text
// that could have been lifted stays.
bool keepCoveredText(QList<ScannedText> &texts, const QList<QRectF> &shapes)
{
    // The ink bounds of a text take a layout of it: found only for the texts that need them.
    QList<std::optional<QRectF>> inks(texts.size());
    const auto ink = [&](qsizetype i) -> const QRectF & {
        if (!inks[i])
            inks[i] = pictureTextBounds(texts[i].run);
        return *inks[i];
    };
    bool kept = false;
    QList<qsizetype> keptTexts;
    for (qsizetype i = texts.size() - 1; i >= 0; --i) {
        ScannedText &found = texts[i];
        const bool liftable = found.liftable;
        for (qsizetype s = found.shapesBefore; s < shapes.size() && found.liftable; ++s)
            found.liftable = !shapes[s].isNull() && !shapes[s].adjusted(-1, -1, 1, 1).intersects(ink(i));
        for (qsizetype k = 0; k < keptTexts.size() && found.liftable; ++k)
            found.liftable = !ink(keptTexts[k]).intersects(ink(i));
        if (!found.liftable)
            keptTexts.append(i);
        kept |= liftable && !found.liftable;
    }
    return kept;
}

} // namespace

SplitPicture splitPicture(const PictureScan &scan)
{
    SplitPicture split;
    if (!scan.wellFormed) {
        split.shapes = scan.svg;
    } else {
        const QString document = QString::fromUtf8(scan.svg);
        QList<ScannedText> texts = scan.texts;
        // Only the shapes after the first liftable text can reach into one.
        const qsizetype shapeCount = scan.shapeNameEnds.size();
        qsizetype firstNamed = shapeCount;
        for (const ScannedText &found : std::as_const(texts))
            if (found.liftable)
                firstNamed = std::min<qsizetype>(firstNamed, found.shapesBefore);
        split.shapes = shapesDocument(document, texts, scan.shapeNameEnds, firstNamed).toUtf8();
        split.renderer = std::make_unique<QSvgRenderer>(split.shapes);
        if (keepCoveredText(texts, shapeBounds(*split.renderer, shapeCount, firstNamed))) {
            split.shapes = shapesDocument(document, texts, scan.shapeNameEnds, shapeCount).toUtf8();
            split.renderer.reset();
        }
        for (const ScannedText &found : std::as_const(texts))
            if (found.liftable && !found.run.text.isEmpty())
                split.text.append(found.run);
    }
    if (!split.renderer)
        split.renderer = std::make_unique<QSvgRenderer>(split.shapes);
    split.viewBox = split.renderer->viewBoxF();
    split.naturalSize = split.renderer->defaultSize();
    return split;
}

SplitPicture splitPictureText(const QByteArray &svg)
{
    return splitPicture(scanPicture(svg));
}

void drawSplitPicture(QPainter &painter, const SplitPicture &picture, const QRectF &target)
{
    if (!picture.renderer->isValid())
        return;
    picture.renderer->render(&painter, target);
    drawPictureText(painter, picture.text, picture.viewBox, target);
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
        const QFont font = pictureTextFont(run);
        painter.setFont(font);
        painter.setPen(run.fill);
        painter.setWorldTransform(layoutToDocument(run) * documentToTarget * base);
        painter.drawText(QPointF(anchorShift(run, QFontMetricsF(font)), 0), run.text);
    }
    painter.restore();
}

QList<QPolygonF> pictureTextInk(const PictureTextRun &run)
{
    // Laid out as drawText lays out one line: the glyph positions hang from the line's ascent.
    const QFont font = pictureTextFont(run);
    QTextLayout layout(run.text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QPointF origin(anchorShift(run, QFontMetricsF(font)), -line.ascent());
    const QTransform toDocument = layoutToDocument(run);
    QList<QPolygonF> ink;
    for (const QGlyphRun &glyphs : layout.glyphRuns()) {
        const QRawFont face = glyphs.rawFont();
        const QList<quint32> indexes = glyphs.glyphIndexes();
        const QList<QPointF> positions = glyphs.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const QRectF box = face.boundingRect(indexes[i]);
            if (!box.isEmpty())
                ink.append(toDocument.map(QPolygonF(box.translated(positions[i] + origin))));
        }
    }
    return ink;
}

} // namespace quorvel
