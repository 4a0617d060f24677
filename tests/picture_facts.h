#pragma once
// Reading what a picture of the program states: its size, title, description and text lines.

#include <QFile>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

namespace quorvel::testing {

struct PictureFacts {
    bool found = false;
    QRectF viewBox;
    QString title;
    QString description;
    QStringList texts;             // every <text> element's content, blanks kept, in document order
    double smallestFontSize = 1e9; // in the picture's own units, after scaling transforms
};

// The vertical scale a transform attribute applies (scale and matrix; translate and rotate keep it).
inline double verticalScale(const QString &transform)
{
    double factor = 1;
    static const QRegularExpression call(QStringLiteral(R"((scale|matrix)\(([^)]*)\))"));
    for (auto it = call.globalMatch(transform); it.hasNext();) {
        const auto match = it.next();
        const QStringList n = match.captured(2).split(QRegularExpression(QStringLiteral("[ ,]+")), Qt::SkipEmptyParts);
        if (match.captured(1) == QLatin1String("scale") && !n.isEmpty())
            factor *= n.value(1, n[0]).toDouble();
        else if (n.size() == 6)
            factor *= n[3].toDouble();
    }
    return factor;
}

inline PictureFacts readPicture(const QString &file)
{
    PictureFacts facts;
    QFile f(QStringLiteral(":/pictures/") + file);
    if (!f.open(QIODevice::ReadOnly))
        return facts;
    facts.found = true;
    QXmlStreamReader xml(&f);
    std::vector<double> scales{1.0}; // the vertical scale in force at each open element
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && scales.size() > 1)
            scales.pop_back();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        const double scale =
            scales.back() * verticalScale(xml.attributes().value(QLatin1String("transform")).toString());
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
            const QString size = xml.attributes().value(QLatin1String("font-size")).toString();
            if (!size.isEmpty())
                facts.smallestFontSize = std::min(facts.smallestFontSize, size.toDouble() * scale);
            facts.texts.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
            continue; // read through its end
        }
        scales.push_back(scale);
    }
    return facts;
}

// All the text a picture shows, line by line, joined with single blanks (for number checks).
inline QString allText(const PictureFacts &facts)
{
    return facts.texts.join(QLatin1Char(' '));
}

} // namespace quorvel::testing
