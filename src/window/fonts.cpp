#include "window/fonts.h"

#include "resources/units.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>

namespace quorvel {

namespace {

// Faces drawn to Arial's advance widths, best first. Liberation Sans is the face the pictures are
// checked with; the others serve a build without the program's own copy on a machine without it.
const QStringList &arialCompatibleFaces()
{
    static const QStringList faces{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Nimbus Sans"), QStringLiteral("Nimbus Sans L")};
    return faces;
}

// The one face glyphs come from that the chosen face lacks; it has a bold of its own.
QString glyphFallbackFace()
{
    return QStringLiteral("DejaVu Sans");
}

// Compiled in from third_party/fonts unless the build leaves it out (a distribution package that
// depends on the system's copy instead).
constexpr auto bundledFaces = ":/fonts";

bool installed(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

// Whether a family has all four faces the pictures use, so that none is made up from another (a
// synthesized bold is wider, a slanted upright not the italic's shapes).
bool hasEveryStyle(const QString &family)
{
    if (!installed(family))
        return false;
    const QStringList styles = QFontDatabase::styles(family);
    const auto has = [&](bool bold, bool italic) {
        return std::any_of(styles.begin(), styles.end(), [&](const QString &style) {
            return QFontDatabase::bold(family, style) == bold && QFontDatabase::italic(family, style) == italic;
        });
    };
    return has(false, false) && has(true, false) && has(false, true) && has(true, true);
}

void addBundledFaces()
{
    for (QDirIterator it(QString::fromLatin1(bundledFaces), {QStringLiteral("*.ttf")}); it.hasNext();) {
        const QString file = it.next();
        if (QFontDatabase::addApplicationFont(file) < 0)
            qWarning("quorvel: the font %s could not be loaded", qPrintable(file));
    }
}

// Fontconfig would answer for Arial with a face of its own choosing, and a machine without a
// metric-compatible face would draw with DejaVu Sans; so the face is picked here, by name.
QString arialStandIn()
{
    if (!hasEveryStyle(arialCompatibleFaces().first()))
        addBundledFaces();
    for (const QString &face : arialCompatibleFaces())
        if (installed(face))
            return face;
    qWarning("quorvel: no face with Arial's metrics (such as Liberation Sans) is installed; "
             "text will not keep its place in the pictures");
    return glyphFallbackFace();
}

} // namespace

QFont toQFont(const FontSpec &stored)
{
    QFont font(QString::fromUtf8(stored.face.data(), qsizetype(stored.face.size())));
    // Sizes are fixed in pixels at 96 dpi so text keeps its place among controls laid out in twips.
    font.setPixelSize(pointsToPixels(stored.points()));
    font.setWeight(stored.weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(stored.italic);
    font.setUnderline(stored.underline);
    font.setStrikeOut(stored.strikethrough);
    font.setHintingPreference(layoutHinting);
    return font;
}

void registerFonts()
{
    // Text the SVG renderer draws starts from the application's font: it takes the hinting too.
    QFont application = QGuiApplication::font();
    application.setHintingPreference(layoutHinting);
    QGuiApplication::setFont(application);
    const QString face = arialStandIn();
    for (const QString &name : {QStringLiteral("Arial"), QStringLiteral("MS Sans Serif")}) {
        QFont::removeSubstitutions(name);
        QFont::insertSubstitutions(name, {face, glyphFallbackFace()});
    }
}

} // namespace quorvel
