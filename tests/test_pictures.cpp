// The program's pictures: every described picture exists, renders, has a title and description,
// has its natural size, carries its quoted lines, and states numbers that agree with the physics.
#include "picture_facts.h"
#include "program_fixture.h"
#include "window/picture_text.h"
#include "window/screen_surface.h"
#include "window/svg_transform.h"
#include "window/text.h"

#include "practice_test/answer_key.h"
#include "resources/figure_pages.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRawFont>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace quorvel;
using namespace quorvel::testing;

namespace {

// Every picture named by a description of the program, with the screen or box that shows it.
std::map<QString, QString> describedPictures()
{
    std::map<QString, QString> pictures;
    ScreenRegistry registry(createScreen);
    for (const auto &[name, create] : screenCatalogue()) {
        const ScreenDescription &d = registry.screen(name).description();
        if (!d.picture.empty())
            pictures[toQString(d.picture.file)] = toQString(name);
        for (const ControlDescription &c : d.controls) {
            if (!c.picture.empty())
                pictures[toQString(c.picture.file)] = toQString(name) + QLatin1Char('.') + toQString(c.name);
        }
    }
    return pictures;
}

// Natural sizes: slides 10 by 7.5 inches at 576 units per inch, enhanced metafiles their frame in
// hundredths of a millimetre, pages in twips, the glossary in pixels.
QSizeF expectedSize(const QString &file)
{
    static const std::map<QString, QSizeF> frames{{"VascularFunctionCurves.reflection2.svg", {22330, 17250}},
                                                  {"VascularFunctionCurves.pulse1.svg", {18810, 14100}},
                                                  {"VascularFunctionCurves.reflection1.svg", {24080, 15530}},
                                                  {"VascularFunctionCurves.stress.svg", {18420, 13200}},
                                                  {"VascularFunctionCurves.partition.svg", {23920, 18630}},
                                                  {"VascularFunctionCurves.stenoses.svg", {25660, 17830}},
                                                  {"VascularFunctionCurves.turbulence1.svg", {25080, 17890}},
                                                  {"VascularFunctionCurves.resistance4.svg", {26010, 17220}},
                                                  {"VascularFunctionCurves.resistance3.svg", {20880, 15740}},
                                                  {"VascularFunctionCurves.resistance1.svg", {16830, 10240}},
                                                  {"VascularFunctionCurves.resistance2.svg", {21860, 16190}},
                                                  {"VascularFunctionCurves.pressure1.svg", {22590, 12540}},
                                                  {"VascularFunctionCurves.flow1.svg", {22750, 15130}},
                                                  {"Glossary2.svg", {690, 644}},
                                                  {"Form15.svg", {8657, 2354}},
                                                  {"Formq21.svg", {2522, 3423}},
                                                  {"Formq23.svg", {2522, 3423}},
                                                  {"Formq24.svg", {2522, 3423}},
                                                  {"Formq25.svg", {2522, 3423}}};
    if (const auto it = frames.find(file); it != frames.end())
        return it->second;
    if (file.startsWith(QLatin1String("Formq")))
        return {2522, 3420};
    if (file.startsWith(QLatin1String("Form")))
        return {8657, 2174};
    return {5754, 4314};
}

// The size in pixels at which the student sees a picture.
QSizeF displaySize(const QString &file)
{
    if (file.startsWith(QLatin1String("Test.")))
        return {465, 337};
    if (file.startsWith(QLatin1String("Formq")))
        return {272, 352};
    if (file.startsWith(QLatin1String("Form")))
        return {883, 243};
    if (file == QLatin1String("Glossary2.svg"))
        return {690, 644};
    return expectedSize(file).width() == 5754 ? QSizeF(561, 409) : QSizeF(561, 393);
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// The boxes a picture draws with a stroke round them (its frames), in its own coordinates.
QList<QRectF> framedBoxes(const QByteArray &svg)
{
    QList<QRectF> boxes;
    QList<QTransform> open{QTransform()};
    for (QXmlStreamReader xml(svg); xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd();) {
        const QXmlStreamAttributes a = xml.attributes();
        const auto value = [&](const char *name) { return a.value(QLatin1String(name)); };
        if (xml.isEndElement())
            open.removeLast();
        else if (xml.isStartElement())
            open << parseSvgTransform(value("transform")).value_or(QTransform()) * open.last();
        if (xml.name() == u"rect" && xml.isStartElement() &&
            !QList<QStringView>{u"", u"none"}.contains(value("stroke")))
            boxes << open.last().mapRect(QRectF(value("x").toDouble(), value("y").toDouble(), value("width").toDouble(),
                                                value("height").toDouble()));
    }
    return boxes;
}

// Where the ink of every text run of every picture, and of every line of the text pages, lies on
// the screen; and what is wrong there, by picture or page: a run on another (glyph boxes may
// touch, or overlap by a quarter of a pixel), out of its picture or frame, a line cut off, a
// character the face lacks.
struct TextLayout {
    QStringList inks;
    std::map<QString, QStringList> faults;
    void add(const QString &where, const QString &text, const QFont &font, const QRectF &ink, const QRectF &frame)
    {
        QDebug(&inks.emplace_back()) << where << text << ink;
        if (!frame.adjusted(-0.25, -0.25, 0.25, 0.25).contains(ink))
            faults[where] << QStringLiteral("\"%1\" leaves its frame or is cut off").arg(text);
        const QRawFont face = QRawFont::fromFont(font);
        for (const QChar c : text)
            if (!c.isSpace() && !face.supportsCharacter(c))
                faults[where]
                    << QStringLiteral("%1 lacks %2 (U+%3)").arg(QFontInfo(font).family(), c).arg(c.unicode(), 0, 16);
    }
};
bool inkOverlaps(const QList<QPolygonF> &ink, const QList<QPolygonF> &other)
{
    for (const QPolygonF &a : ink)
        for (const QPolygonF &b : other)
            if (const QRectF common =
                    a.boundingRect().intersects(b.boundingRect()) ? a.intersected(b).boundingRect() : QRectF();
                common.width() > 0.25 && common.height() > 0.25)
                return true;
    return false;
}
TextLayout layOutAllText()
{
    TextLayout layout;
    for (const auto &[file, owner] : describedPictures()) {
        QFile source(QStringLiteral(":/pictures/") + file);
        source.open(QIODevice::ReadOnly); // that every picture opens is checked above
        const QByteArray svg = source.readAll();
        const QSizeF shown = displaySize(file), units = readPicture(file).viewBox.size();
        const QTransform toScreen =
            QTransform::fromScale(shown.width() / units.width(), shown.height() / units.height());
        QList<std::tuple<QString, QList<QPolygonF>, QRectF>> drawn;
        layout.faults[file]; // every picture is judged, those without a fault too
        const QList<QRectF> frames = framedBoxes(svg);
        for (const ScannedText &found : scanPicture(svg).texts) {
            QList<QPolygonF> ink = pictureTextInk(found.run);
            QRectF bounds, frame(QPointF(), shown); // the innermost frame round the run's anchor
            for (QPolygonF &box : ink)
                bounds |= (box = toScreen.map(box)).boundingRect();
            for (const QRectF &box : frames)
                if (box.contains(found.run.transform.map(found.run.position)))
                    frame &= toScreen.mapRect(box);
            layout.add(file, found.run.text, pictureTextFont(found.run), bounds, frame);
            for (const auto &[other, otherInk, otherBounds] : drawn)
                if (otherBounds.intersects(bounds) && inkOverlaps(ink, otherInk))
                    layout.faults[file] << QStringLiteral("\"%1\" runs into \"%2\"").arg(found.run.text, other);
            drawn.append({found.run.text, ink, bounds});
        }
    }
    for (const char *page : {"Instructions", "Glossary"}) {
        Program program(false);
        program.registry.show(page);
        const ScreenSurface *surface = program.window(page)->surface();
        const QStringList &lines = surface->printedLines();
        for (int row = 0; row < lines.size(); ++row) {
            const QFontMetricsF metrics(surface->font());
            const QRectF line(0, row * surface->lineHeight(), 1, surface->lineHeight()); // cut off unless whole
            const QRectF ink = metrics.tightBoundingRect(lines[row]).translated(0, line.top() + metrics.ascent());
            layout.add(QString::fromLatin1(page), lines[row], surface->font(), ink.isEmpty() ? line : ink | line,
                       surface->rect());
        }
    }
    return layout;
}

struct Bed {
    double precapillary, postcapillary;
};
constexpr Bed beds[] = {{1.80, 0.20}, {0.80, 0.20}, {1.20, 0.60}, {2.00, 1.00}, {1.60, 0.40}};
constexpr double aorta = 90, vein = 0;

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void everyDescribedPictureExistsRendersAndIsNamed()
    {
        const auto pictures = describedPictures();
        QCOMPARE(pictures.size(), size_t(65)); // 66 pictures; Form7 and Form8 share one file
        for (const auto &[file, owner] : pictures) {
            const PictureFacts facts = readPicture(file);
            QVERIFY2(facts.found, qPrintable(owner + QStringLiteral(" has no picture ") + file));
            QVERIFY2(QSvgRenderer(QStringLiteral(":/pictures/") + file).isValid(), qPrintable(file));
            QVERIFY2(!facts.title.isEmpty() && !facts.description.trimmed().isEmpty(), qPrintable(file));
            // A box is named from a reading that stops at the labels: it must find what the whole one does.
            QFile source(QStringLiteral(":/pictures/") + file);
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QByteArray svg = source.readAll();
            const PictureLabels labels = scanPictureLabels(svg);
            const PictureScan whole = scanPicture(svg);
            QCOMPARE(labels.title, whole.title);
            QCOMPARE(labels.description, whole.description);
            QCOMPARE(facts.viewBox.size(), expectedSize(file));
            QVERIFY2(facts.texts.size() >= 3, qPrintable(file + QStringLiteral(" shows almost no text")));
        }
    }

    void everyPictureFileIsUsed()
    {
        const auto pictures = describedPictures();
        QDirIterator it(QStringLiteral(":/pictures"));
        while (it.hasNext()) {
            const QString file = it.next().section(QLatin1Char('/'), -1);
            QVERIFY2(pictures.count(file), qPrintable(file + QStringLiteral(" is shown by no screen")));
        }
    }

    // No text below 10 px where the student sees it, indices included; and no superscript or
    // subscript characters, which Arial's stand-in face lacks: exponents and indices are smaller
    // text of their own, raised or lowered.
    void textIsLegibleAtTheSizeShown()
    {
        const auto isScriptCharacter = [](QChar c) {
            return c == u'\u00B2' || c == u'\u00B3' || c == u'\u00B9' || (c >= u'\u2070' && c <= u'\u209F');
        };
        int faults = 0;
        for (const auto &[file, owner] : describedPictures()) {
            const PictureFacts facts = readPicture(file);
            const double pixelsPerUnit = displaySize(file).height() / facts.viewBox.height();
            const double smallest = facts.smallestFontSize * pixelsPerUnit;
            if (smallest < 10 - 1e-9 && ++faults)
                qWarning("%s: text of %.2f px", qPrintable(file), smallest);
            for (const QString &text : facts.texts) {
                if (std::any_of(text.begin(), text.end(), isScriptCharacter) && ++faults)
                    qWarning("%s: a superscript or subscript character in \"%s\"", qPrintable(file), qPrintable(text));
            }
        }
        QVERIFY2(faults == 0, qPrintable(QStringLiteral("%1 faults, listed above").arg(faults)));
    }

    // A slide is stretched to fill its box, and a topic or explanation page its window, so one whose
    // frame has other proportions draws its content pre-scaled: on screen its letters (and circles)
    // are as wide as they are high.
    void slidesAndPagesKeepTheirProportionsInTheirBoxes()
    {
        for (const auto &[file, owner] : describedPictures()) {
            if (file == QLatin1String("Glossary2.svg")) // drawn at its natural size
                continue;
            const PictureFacts facts = readPicture(file);
            const QSizeF box = displaySize(file);
            const double boxStretch = (box.width() / facts.viewBox.width()) / (box.height() / facts.viewBox.height());
            for (const TextRun &run : facts.runs) {
                const double stretch = boxStretch * run.stretch;
                QVERIFY2(std::abs(std::log(stretch)) < std::log(1.03),
                         qPrintable(QStringLiteral("%1: \"%2\" drawn %3 times as wide as high")
                                        .arg(file, run.text.left(30))
                                        .arg(stretch, 0, 'f', 3)));
            }
        }
    }

    // The program draws most picture text itself (see window/picture_text.h). Each picture must
    // look as the SVG renderer draws it whole: compared in 12-pixel blocks, the mean grey may
    // differ only by glyph hinting, never by a line out of place.
    void liftedTextLooksAsTheRendererDrawsIt()
    {
        for (const auto &[file, owner] : describedPictures()) {
            QFile source(QStringLiteral(":/pictures/") + file);
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QByteArray svg = source.readAll();
            const QSize size = displaySize(file).toSize();
            const QRectF target(QPointF(0, 0), QSizeF(size));
            QImage whole(size, QImage::Format_ARGB32_Premultiplied);
            QImage split(size, QImage::Format_ARGB32_Premultiplied);
            whole.fill(Qt::white);
            split.fill(Qt::white);
            {
                QPainter painter(&whole);
                QSvgRenderer(svg).render(&painter, target);
            }
            const SplitPicture parts = splitPictureText(svg);
            {
                QPainter painter(&split);
                drawSplitPicture(painter, parts, target); // with the renderer the program keeps
            }
            // The pages a student opens most, and the slowest to draw whole, lose no text.
            if (!file.startsWith(QLatin1String("VascularFunctionCurves.")) && !file.startsWith(QLatin1String("Test.")))
                QVERIFY2(!parts.shapes.contains("<text"), qPrintable(file + QStringLiteral(" keeps text")));
            QVERIFY2(!parts.text.isEmpty(), qPrintable(file));

            constexpr int block = 12;
            double worst = 0;
            QPoint where;
            for (int by = 0; by + block <= size.height(); by += block / 2) {
                for (int bx = 0; bx + block <= size.width(); bx += block / 2) {
                    double difference = 0;
                    for (int y = by; y < by + block; ++y) {
                        const auto *a = reinterpret_cast<const QRgb *>(whole.constScanLine(y));
                        const auto *b = reinterpret_cast<const QRgb *>(split.constScanLine(y));
                        for (int x = bx; x < bx + block; ++x)
                            difference += qGray(a[x]) - qGray(b[x]);
                    }
                    if (std::abs(difference) / (block * block) > worst) {
                        worst = std::abs(difference) / (block * block);
                        where = QPoint(bx, by);
                    }
                }
            }
            QVERIFY2(worst < 24, qPrintable(QStringLiteral("%1: grey differs by %2 at %3,%4")
                                                .arg(file)
                                                .arg(worst)
                                                .arg(where.x())
                                                .arg(where.y())));
        }
    }

    // Text keeps its place whatever fonts the machine has: with DejaVu's fonts alone (a private
    // font configuration, in a child process) every run lands where it does here, and no run
    // lies on another, leaves its picture or is cut off.
    void textKeepsItsPlaceWhateverFontsTheMachineHas()
    {
        const TextLayout layout = layOutAllText();
        if (const QString out = qEnvironmentVariable("QUORVEL_LAYOUT_OUT"); !out.isEmpty()) {
            QFile file(out);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(layout.inks.join(u'\n').toUtf8()) > 0);
            return;
        }
        QTemporaryDir dir;
        QFile config(dir.filePath(QStringLiteral("fonts.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>" + dir.path().toUtf8() +
                     "</cachedir></fontconfig>\n");
        config.close();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
        environment.insert(QStringLiteral("QUORVEL_LAYOUT_OUT"), dir.filePath(QStringLiteral("layout")));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(QTest::currentTestFunction())});
        QVERIFY2(child.waitForFinished(600000) && child.exitCode() == 0, child.readAll().constData());
        QFile result(dir.filePath(QStringLiteral("layout")));
        QVERIFY(result.open(QIODevice::ReadOnly));
        const QStringList alone = QString::fromUtf8(result.readAll()).split(u'\n');
        for (qsizetype i = 0; i < layout.inks.size(); ++i)
            QVERIFY2(alone.value(i) == layout.inks[i],
                     qPrintable(
                         QStringLiteral("with DejaVu fonts alone: %1\nhere: %2").arg(alone.value(i), layout.inks[i])));
        QStringList unexpected;
        for (const auto &[where, faults] : layout.faults) {
            if (!faults.isEmpty()) {
                // all of it: a failure's message is cut short
                qWarning("%s: %s", qPrintable(where), qPrintable(faults.join(QStringLiteral("; "))));
                unexpected << where;
            }
        }
        QVERIFY2(unexpected.isEmpty(),
                 qPrintable(QStringLiteral("faults in ") + unexpected.join(QStringLiteral(", "))));
    }

    void topicPagesSevenAndEightShareOnePictureAndTwinsShareTheirTitle()
    {
        const ScreenDescription *seven = findFigurePage("Form7");
        const ScreenDescription *eight = findFigurePage("Form8");
        QCOMPARE(seven->picture.file, eight->picture.file);
        for (auto [a, b] :
             {std::pair{"reflection1", "reflection1b"}, {"partition", "partitionb"}, {"resistance2", "resistance2b"}}) {
            const PictureFacts enhanced =
                readPicture(QStringLiteral("VascularFunctionCurves.%1.svg").arg(QLatin1String(a)));
            const PictureFacts placeable =
                readPicture(QStringLiteral("VascularFunctionCurves.%1.svg").arg(QLatin1String(b)));
            QCOMPARE(enhanced.title, placeable.title);
        }
    }

    void noTwoOtherPicturesAreAlike()
    {
        std::set<QByteArray> seen;
        for (const auto &[file, owner] : describedPictures()) {
            QFile f(QStringLiteral(":/pictures/") + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY2(seen.insert(f.readAll()).second, qPrintable(file));
        }
    }

    void testSlidesCarryTheirQuotedLines_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("q26") << "Test.q26.svg"
                             << QStringList{"To start the multiple choice practice test, click the",
                                            "‘start questions’ button and then select your answer",
                                            "from the choices that are presented. ",
                                            "Advance questions by clicking on the ‘next question’",
                                            "button. There are 25 multiple choice questions."};
        QTest::newRow("q21") << "Test.q21.svg" << QStringList{"The remainder of the multiple choice questions ",
                                                              "do not depend on using a particular figure. ",
                                                              "The questions address basic issues expressed ",
                                                              "in the various tutorials.",
                                                              "You may return to these tutorials for review",
                                                              "as needed by clicking on Tutorial in the menu."};
        QTest::newRow("q1") << "Test.q1.svg"
                            << QStringList{"Figure represents blood flow in a thoracic aorta that has a ",
                                           "stenosis followed by a post-stenotic dilatation of the artery.",
                                           "Four equal length segments are designated as 1, 2, 3 and 4.",
                                           "Blood flow (Q) is from left to right.",
                                           "1",
                                           "2",
                                           "3",
                                           "4",
                                           "Q"};
        QTest::newRow("q09") << "Test.q09.svg"
                             << QStringList{"Figure shows an arteriole segment with intravascular",
                                            "along the vessel segment length (L).",
                                            "1",
                                            "2",
                                            "3",
                                            "4",
                                            "5",
                                            "Q",
                                            "r",
                                            "L"};
        QTest::newRow("Q12") << "Test.Q12.svg"
                             << QStringList{
                                    "Figure shows five parallel vascular beds that lie between the aorta ",
                                    "and the central veins of the systemic circulation. Red is the precapillary ",
                                    "midcapillary segment of each. Values in boxes are resistances in ",
                                    "peripheral resistance units (pru). Pressure everywhere in the aorta is ",
                                    "90 mmHg and pressure everywhere in the vein is 0 mmHg.",
                                    "90 mmHg",
                                    "0 mmHg",
                                    "1.80",
                                    "0.80",
                                    "1.20",
                                    "2.00",
                                    "1.60",
                                    "0.20",
                                    "0.60",
                                    "1.00",
                                    "0.40"};
        QTest::newRow("q17") << "Test.q17.svg"
                             << QStringList{"Figure above shows part of the systemic circulation with ",
                                            "various mean blood pressures and flows as indicated.",
                                            "CO = 5000 ml/min",
                                            "1000 ml/min",
                                            "105 mmHg",
                                            "5 mmHg",
                                            "kidney",
                                            "gi",
                                            "muscle"};
    }
    void testSlidesCarryTheirQuotedLines()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        const PictureFacts facts = readPicture(file);
        for (const QString &line : lines)
            QVERIFY2(facts.texts.contains(line),
                     qPrintable(file + QStringLiteral(" lacks \"") + line + QLatin1Char('"')));
    }

    void explanationPagesOpenWithTheKeysLetterAndPointToATopic()
    {
        for (const AnswerKeyEntry &entry : answer_key::entries()) {
            const PictureFacts facts = readPicture(toQString(entry.page) + QStringLiteral(".svg"));
            // The lead names every choice the key accepts, and no other.
            const QString first = facts.texts.value(0);
            static const QRegularExpression lead(QStringLiteral(R"(^Correct answer is ([a-e])(?: or ([a-e]))?\.$)"));
            const auto named = lead.match(first);
            QVERIFY2(named.hasMatch(), qPrintable(first));
            for (int row = 1; row <= 5; ++row) {
                const QString letter(QChar(u'a' + row - 1));
                QVERIFY2(entry.rightRows.contains(row) == (named.captured(1) == letter || named.captured(2) == letter),
                         qPrintable(toQString(entry.page) + QStringLiteral(": ") + first));
            }
            static const QRegularExpression review(QStringLiteral(R"(Review tutorial topics? (\d+))"));
            const auto match = review.match(allText(facts));
            QVERIFY2(match.hasMatch(), qPrintable(toQString(entry.page)));
            const int topic = match.captured(1).toInt();
            QVERIFY(topic >= 1 && topic <= 15);
            QVERIFY2(facts.description.contains(first),
                     qPrintable(toQString(entry.page))); // the description holds the text
        }
    }

    void bedFigureShowsEveryBedNumberOnce()
    {
        const PictureFacts facts = readPicture(QStringLiteral("Test.Q12.svg"));
        for (const Bed &bed : beds) {
            QVERIFY(facts.texts.contains(fixed(bed.precapillary, 2)));
            QVERIFY(facts.texts.contains(fixed(bed.postcapillary, 2)));
        }
        QVERIFY(facts.texts.count(QStringLiteral("C")) + facts.texts.count(QStringLiteral("c")) >=
                5); // a Pc on each bed
    }

    void explanationPagesStateTheBedPhysics()
    {
        QString flows, pressures;
        for (const Bed &bed : beds) {
            const double r = bed.precapillary + bed.postcapillary;
            flows += fixed((aorta - vein) / r, 0) + QLatin1Char(' ');
            pressures += fixed(vein + (aorta - vein) * bed.postcapillary / r, 0) + QLatin1Char(' ');
        }
        QCOMPARE(flows, QStringLiteral("45 90 50 30 45 "));
        QCOMPARE(pressures, QStringLiteral("9 18 30 30 18 "));
        for (const char *page : {"Formq12.svg", "Formq13.svg"}) {
            const QString text = allText(readPicture(QLatin1String(page)));
            for (const QString &q : flows.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QVERIFY2(text.contains(q), qPrintable(QLatin1String(page) + QStringLiteral(" lacks flow ") + q));
        }
        for (const char *page : {"Formq14.svg", "Formq15.svg"}) {
            const QString text = allText(readPicture(QLatin1String(page)));
            for (const QString &pc : pressures.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QVERIFY2(text.contains(pc), qPrintable(QLatin1String(page) + QStringLiteral(" lacks ") + pc));
        }
        const QString q15 = allText(readPicture(QStringLiteral("Formq15.svg")));
        for (const int tied : {3, 4}) { // beds 3 and 4 share the greatest capillary pressure
            const Bed &bed = beds[tied - 1];
            const double r = bed.precapillary + bed.postcapillary;
            const QString working = QStringLiteral("Bed %1: %2 × %3 / %4 = %5 mmHg")
                                        .arg(tied)
                                        .arg(fixed(aorta - vein, 0), fixed(bed.postcapillary, 2), fixed(r, 2),
                                             fixed(vein + (aorta - vein) * bed.postcapillary / r, 0));
            QVERIFY2(q15.contains(working), qPrintable(working));
        }
        QVERIFY(allText(readPicture(QStringLiteral("Formq16.svg"))).contains(QLatin1String("30 mmHg")));
    }

    void explanationPagesStateTheCirculationPhysics()
    {
        const double arterial = 105, venous = 5, cardiacOutput = 5000, kidneyFlow = 1000, giResistance = 0.2;
        const double tpr = (arterial - venous) / cardiacOutput;
        const double kidney = (arterial - venous) / kidneyFlow;
        const double giFlow = (arterial - venous) / giResistance;
        QVERIFY(allText(readPicture(QStringLiteral("Formq17.svg"))).contains(fixed(tpr, 3)));
        QVERIFY(allText(readPicture(QStringLiteral("Formq18.svg"))).contains(fixed(kidney, 3)));
        QVERIFY(allText(readPicture(QStringLiteral("Formq19.svg"))).contains(fixed(giFlow, 0)));
    }

    void tutorialPicturesStateTheFormulasAndWhatFollowsFromThem()
    {
        const auto text = [](const char *file) { return allText(readPicture(QLatin1String(file))); };
        for (const char *file : {"VascularFunctionCurves.flow1.svg", "Form1.svg"})
            QVERIFY2(text(file).contains(QStringLiteral("Q = U × A")), file);
        // Half the diameter: a quarter of the area, four times the mean velocity.
        QCOMPARE(qRound(std::pow(1 / 0.5, 2)), 4);
        QVERIFY(text("VascularFunctionCurves.flow1.svg").contains(QStringLiteral("= 4 × U")));
        // The aorta example: 5000 ml/min through 2.5 cm.
        const auto formulas = [](const char *file) { return readingText(readPicture(QLatin1String(file))); };
        const double area = M_PI * 2.5 * 2.5 / 4, velocity = 5000.0 / 60 / area;
        QVERIFY(formulas("Form1.svg").contains(QStringLiteral("A = %1 cm^2").arg(fixed(area, 1))));
        QVERIFY(text("Form1.svg").contains(QStringLiteral("≈ %1 cm/sec").arg(fixed(velocity, 0))));
        // Poiseuille: R = 128 μL / (π D⁴); half the diameter, sixteen times the resistance.
        for (const char *file : {"VascularFunctionCurves.resistance1.svg", "Form3.svg"})
            QVERIFY2(formulas(file).contains(QStringLiteral("R = (128/π) × μ × L / D^4")), file);
        QVERIFY(text("VascularFunctionCurves.resistance1.svg")
                    .contains(QStringLiteral("rises %1 times").arg(qRound(std::pow(2.0, 4)))));
        QVERIFY(qAbs(std::pow(1 / 0.84, 4) - 2) < 0.02); // a 16% narrowing doubles R
        QVERIFY(text("Form3.svg").contains(QStringLiteral("narrowing of only 16% doubles R")));
        for (const char *file : {"VascularFunctionCurves.stress.svg", "Form9.svg"})
            QVERIFY2(formulas(file).contains(QStringLiteral("τ_w = 32μQ / (πD^3)")), file);
        // The aorta of topic 1 (83 ml/sec through 2.5 cm) at a blood viscosity of 0.035 poise.
        const double aorticShear = 32 * 0.035 * (5000.0 / 60) / (M_PI * std::pow(2.5, 3));
        QVERIFY(text("Form9.svg").contains(QStringLiteral("gives about %1)").arg(fixed(aorticShear, 0))));
        for (const char *file : {"VascularFunctionCurves.turbulence1.svg", "Form7.svg"}) {
            QVERIFY2(text(file).contains(QStringLiteral("Re = ρUD/μ")) &&
                         text(file).contains(QStringLiteral("Re = ρUr/μ")),
                     file);
            QVERIFY2(text(file).contains(QStringLiteral("2000")) && text(file).contains(QStringLiteral("1000")), file);
        }
    }

    void tutorialPicturesStateTheWorkedResistances()
    {
        const double mean = 95, central = 5, cardiacOutput = 5500, kidneyFlow = 1200;
        const QString tpr = fixed((mean - central) / cardiacOutput, 4);
        const QString kidney = fixed((mean - central) / kidneyFlow, 3);
        QCOMPARE(tpr, QStringLiteral("0.0164"));
        // The beds' conductances add up to the cardiac output per mmHg.
        const QString conductance = fixed(cardiacOutput / (mean - central), 1);
        QCOMPARE(conductance, QStringLiteral("61.1"));
        for (const char *file : {"VascularFunctionCurves.resistance4.svg", "Form6.svg"}) {
            const QString text = allText(readPicture(QLatin1String(file)));
            QVERIFY2(text.contains(tpr) && text.contains(kidney) && text.contains(conductance), file);
        }
        // The classic unit takes flow per second: the module's TPR in mmHg·sec/ml.
        const QString classic = fixed(tpr.toDouble() * 60, 2);
        QVERIFY(allText(readPicture(QStringLiteral("Form5.svg")))
                    .contains(QStringLiteral("%1 pru, is %2 mmHg·sec/ml").arg(tpr, classic)));
        // partitioning: 95 and 5 mmHg over 0.060 and 0.015 pru
        const double ra = 0.060, rv = 0.015;
        const QString flow = fixed((mean - central) / (ra + rv), 0);
        const QString capillary = fixed(central + (mean - central) * rv / (ra + rv), 0);
        for (const char *file :
             {"VascularFunctionCurves.partition.svg", "VascularFunctionCurves.partitionb.svg", "Form10.svg"}) {
            const QString text = allText(readPicture(QLatin1String(file)));
            QVERIFY2(text.contains(flow) && text.contains(capillary), file);
        }
    }
};

QUORVEL_TEST_MAIN(PicturesTest)
#include "test_pictures.moc"
