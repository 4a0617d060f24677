#pragma once
// Twips and points to logical pixels. The layout is designed at 96 dpi: 15 twips per pixel.

#include "resources/description.h"

namespace quorvel {

inline constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(std::int32_t twips)
{
    // round half away from zero, so that 7 twips and -7 twips land symmetrically
    return twips >= 0 ? (twips + twipsPerPixel / 2) / twipsPerPixel : -((-twips + twipsPerPixel / 2) / twipsPerPixel);
}

// Font size in pixels at 96 dpi: 8.25 pt -> 11, 9.75 pt -> 13, 12 pt -> 16, 13.5 pt -> 18.
constexpr int pointsToPixels(double points)
{
    return static_cast<int>(points * 96.0 / 72.0 + 0.5);
}

// A point in a user scale mapped to pixels of a client area of the given pixel size.
struct PixelPoint {
    double x, y;
};
constexpr PixelPoint scaleToPixels(const UserScale &s, double x, double y, double clientWidthPx, double clientHeightPx)
{
    return {(x - s.left) * clientWidthPx / s.width, (y - s.top) * clientHeightPx / s.height};
}

} // namespace quorvel
