#pragma once
// Reading what a picture of the program states: its size, title, description and text lines.

#include <QFile>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvel::testing {

// One <text> element as drawn: its content, baseline and font size in its own coordinates.
struct TextRun {
    QString text;
    double y = 0;
    double size = 0;
    double stretch = 1; // how much wider than high the transforms around it draw it
};

struct PictureFacts {
    bool found = false;
    QRectF viewBox;
    QString title;
    QString description;
    QStringList texts;             // every <text> element's content, blanks kept, in document order
    QList<TextRun> runs;           // the same elements with where and how large they are drawn
    double smallestFontSize = 1e9; // in the picture's own units, after scaling transforms, inherited sizes included
};

// The font size an element sets, by attribute or inline style; 0 where it sets none.
inline double ownFontSize(const QXmlStreamAttributes &attributes)
{
    static const QRegularExpression styled(QStringLiteral(R"(font-size\s*:\s*([0-9.]+))"));
    if (const auto match = styled.match(attributes.value(QLatin1String("style")).toString()); match.hasMatch())
        return match.captured(1).toDouble();
    return attributes.value(QLatin1String("font-size")).toDouble();
}

// The scale a transform attribute applies along one axis (scale and matrix; translate and rotate keep it).
inline double axisScale(const QString &transform, bool horizontal)
{
    double factor = 1;
    static const QRegularExpression call(QStringLiteral(R"((scale|matrix)\(([^)]*)\))"));
    for (auto it = call.globalMatch(transform); it.hasNext();) {
        const auto match = it.next();
        const QStringList n = match.captured(2).split(QRegularExpression(QStringLiteral("[ ,]+")), Qt::SkipEmptyParts);
        if (match.captured(1) == QLatin1String("scale") && !n.isEmpty())
            factor *= horizontal ? n[0].toDouble() : n.value(1, n[0]).toDouble();
        else if (n.size() == 6)
            factor *= n[horizontal ? 0 : 3].toDouble();
    }
    return factor;
}

inline double verticalScale(const QString &transform)
{
    return axisScale(transform, false);
}

inline PictureFacts readPicture(const QString &file)
{
    PictureFacts facts;
    QFile f(QStringLiteral(":/pictures/") + file);
    if (!f.open(QIODevice::ReadOnly))
        return facts;
    facts.found = true;
    QXmlStreamReader xml(&f);
    struct Inherited {
        double scale, fontSize, xScale;
    };
    std::vector<Inherited> open{{1.0, 16.0, 1.0}}; // what each open element passes on to its children
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && open.size() > 1)
            open.pop_back();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        const QString transform = xml.attributes().value(QLatin1String("transform")).toString();
        const double scale = open.back().scale * verticalScale(transform);
        const double xScale = open.back().xScale * axisScale(transform, true);
        const double own = ownFontSize(xml.attributes());
        const double fontSize = own > 0 ? own : open.back().fontSize;
        if (name == u"svg") {
            const QStringList v =
                xml.attributes().value(QLatin1String("viewBox")).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (v.size() == 4)
                facts.viewBox = QRectF(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble());
        } else if (name == u"title" && facts.title.isEmpty()) {
            facts.title = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            continue;
        } else if (name == u"desc" && facts.description.isEmpty()) {
            facts.description = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            continue;
        } else if (name == u"text") {
            // Read through its end; a tspan may draw part of the line at a size of its own.
            TextRun run{QString(), xml.attributes().value(QLatin1String("y")).toDouble(), fontSize * scale,
                        xScale / scale};
            double smallest = run.size;
            for (int depth = 1; depth > 0 && !xml.atEnd();) {
                const auto inner = xml.readNext();
                if (inner == QXmlStreamReader::StartElement) {
                    ++depth;
                    if (const double size = ownFontSize(xml.attributes()); size > 0)
                        smallest = std::min(smallest, size * scale);
                } else if (inner == QXmlStreamReader::EndElement) {
                    --depth;
                } else if (inner == QXmlStreamReader::Characters) {
                    run.text += xml.text();
                }
            }
            if (!run.text.trimmed().isEmpty())
                facts.smallestFontSize = std::min(facts.smallestFontSize, smallest);
            facts.texts.append(run.text);
            facts.runs.append(run);
            continue;
        }
        open.push_back({scale, fontSize, xScale});
    }
    return facts;
}

// All the text a picture shows, line by line, joined with single blanks (for number checks).
inline QString allText(const PictureFacts &facts)
{
    return facts.texts.join(QLatin1Char(' '));
}

// The same text as a reader takes in a formula: a smaller run set above its line follows as "^2",
// one set below as "_w", and the line goes on after it without a blank ("τ_w = 32μQ / (πD^3)").
inline QString readingText(const PictureFacts &facts)
{
    QString text;
    const TextRun *line = nullptr; // the last full-size run, whose baseline the indices hang from
    bool afterIndex = false;
    for (const TextRun &run : facts.runs) {
        const bool index =
            line && run.size < 0.9 * line->size && run.y != line->y && std::abs(run.y - line->y) < 0.6 * line->size;
        if (index) {
            text += (run.y < line->y ? QLatin1Char('^') : QLatin1Char('_')) + run.text;
        } else {
            if (!(afterIndex && run.y == line->y) && !text.isEmpty())
                text += QLatin1Char(' ');
            text += run.text;
            line = &run;
        }
        afterIndex = index;
    }
    return text;
}

} // namespace quorvel::testing
