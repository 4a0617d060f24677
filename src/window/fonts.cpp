#include "window/fonts.h"

#include "resources/units.h"

namespace quorvel {

QFont toQFont(const FontSpec &spec)
{
    QFont font(QString::fromUtf8(spec.face.data(), qsizetype(spec.face.size())));
    // Sizes are fixed in pixels at 96 dpi so text keeps its place among controls laid out in twips.
    font.setPixelSize(pointsToPixels(spec.points()));
    font.setWeight(spec.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikethrough);
    return font;
}

void registerFontSubstitutions()
{
    const QStringList fallbacks{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), fallbacks);
    QFont::insertSubstitutions(QStringLiteral("Arial"), fallbacks);
}

} // namespace quorvel
