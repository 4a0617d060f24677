#include "window/svg_transform.h"

#include <QList>
#include <QtMath>

#include <cmath>

namespace quorvel {

namespace {

std::optional<QList<qreal>> parseArguments(QStringView text)
{
    QList<qreal> numbers;
    for (const QStringView part : text.tokenize(u',')) {
        for (const QStringView number : part.tokenize(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            numbers.append(number.trimmed().toDouble(&ok));
            if (!ok)
                return std::nullopt;
        }
    }
    return numbers;
}

std::optional<QTransform> oneTransform(QStringView name, const QList<qreal> &a)
{
    const auto n = a.size();
    if (name == u"matrix" && n == 6)
        return QTransform(a[0], a[1], a[2], a[3], a[4], a[5]);
    if (name == u"translate" && (n == 1 || n == 2))
        return QTransform::fromTranslate(a[0], n == 2 ? a[1] : 0);
    if (name == u"scale" && (n == 1 || n == 2))
        return QTransform::fromScale(a[0], n == 2 ? a[1] : a[0]);
    if (name == u"rotate" && (n == 1 || n == 3)) {
        const qreal cx = n == 3 ? a[1] : 0;
        const qreal cy = n == 3 ? a[2] : 0;
        return QTransform::fromTranslate(-cx, -cy) * QTransform().rotate(a[0]) * QTransform::fromTranslate(cx, cy);
    }
    if (name == u"skewX" && n == 1)
        return QTransform().shear(std::tan(qDegreesToRadians(a[0])), 0);
    if (name == u"skewY" && n == 1)
        return QTransform().shear(0, std::tan(qDegreesToRadians(a[0])));
    return std::nullopt;
}

} // namespace

std::optional<QTransform> parseSvgTransform(QStringView list)
{
    QTransform total;
    QStringView rest = list.trimmed();
    while (!rest.isEmpty()) {
        const qsizetype open = rest.indexOf(u'(');
        const qsizetype close = rest.indexOf(u')');
        if (open <= 0 || close < open)
            return std::nullopt;
        const auto arguments = parseArguments(rest.mid(open + 1, close - open - 1));
        const auto step = arguments ? oneTransform(rest.left(open).trimmed(), *arguments) : std::nullopt;
        if (!step)
            return std::nullopt;
        // "A B" applies B first: in Qt's row-vector order that is B * A.
        total = *step * total;
        rest = rest.mid(close + 1).trimmed();
        if (rest.startsWith(u','))
            rest = rest.mid(1).trimmed();
    }
    return total;
}

} // namespace quorvel
