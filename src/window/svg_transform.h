#pragma once
// The transform attribute of an SVG element, as a QTransform mapping the element's coordinates to
// its parent's.

#include <QStringView>
#include <QTransform>

#include <optional>

namespace quorvel {

// Reads a list of matrix, translate, scale, rotate, skewX and skewY; nullopt for anything else.
std::optional<QTransform> parseSvgTransform(QStringView list);

} // namespace quorvel
