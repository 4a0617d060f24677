#include "window/fonts.h"

#include "resources/units.h"

namespace quorvel {

QFont toQFont(const FontSpec &stored)
{
    QFont font(QString::fromUtf8(stored.face.data(), qsizetype(stored.face.size())));
    // Sizes are fixed in pixels at 96 dpi so text keeps its place among controls laid out in twips.
    font.setPixelSize(pointsToPixels(stored.points()));
    font.setWeight(stored.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(stored.italic);
    font.setUnderline(stored.underline);
    font.setStrikeOut(stored.strikethrough);
    return font;
}

void registerFontSubstitutions()
{
    const QStringList fallbacks{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), fallbacks);
    QFont::insertSubstitutions(QStringLiteral("Arial"), fallbacks);
}

} // namespace quorvel
