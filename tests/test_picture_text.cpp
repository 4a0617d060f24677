// The text layer of pictures: which text elements it takes over from the SVG renderer, how it
// reads their style and transforms, and that a document keeps everything else.
#include "window/picture_text.h"
#include "window/svg_transform.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

using namespace quorvel;

namespace {

QByteArray document(const QByteArray &body)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 500\" width=\"1000\" "
           "height=\"500\">\n<title>Probe</title>\n<desc>Δ ρ μ</desc>\n" +
           body + "\n</svg>\n";
}

QStringList liftedTexts(const SplitPicture &split)
{
    QStringList texts;
    for (const PictureTextRun &run : split.text)
        texts << run.text;
    return texts;
}

bool nearlyEqual(QPointF a, QPointF b)
{
    return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9;
}

} // namespace

class PictureTextTest : public QObject
{
    Q_OBJECT

private slots:
    void transformsMapPointsAsSvgDoes_data()
    {
        QTest::addColumn<QString>("transform");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::newRow("none") << "" << QPointF(3, 4) << QPointF(3, 4);
        QTest::newRow("translate one value") << "translate(5)" << QPointF(1, 1) << QPointF(6, 1);
        QTest::newRow("scale one value") << "scale(3)" << QPointF(1, 2) << QPointF(3, 6);
        // The rightmost transform applies first: scale, then translate.
        QTest::newRow("list") << "translate(5,0) scale(2)" << QPointF(1, 1) << QPointF(7, 2);
        QTest::newRow("list with comma") << "scale(2), translate(5 0)" << QPointF(1, 1) << QPointF(12, 2);
        // A negative angle turns counter-clockwise on the screen, about the given centre.
        QTest::newRow("rotate about a centre") << "rotate(-90 10 20)" << QPointF(11, 20) << QPointF(10, 19);
        QTest::newRow("centre stays") << "rotate(-49 15288 10350)" << QPointF(15288, 10350) << QPointF(15288, 10350);
        QTest::newRow("matrix") << "matrix(1 0 0 1 7 -2)" << QPointF(0, 0) << QPointF(7, -2);
        QTest::newRow("skewX") << "skewX(45)" << QPointF(0, 1) << QPointF(1, 1);
    }

    void transformsMapPointsAsSvgDoes()
    {
        QFETCH(QString, transform);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        const auto parsed = parseSvgTransform(transform);
        QVERIFY(parsed.has_value());
        const QPointF mapped = parsed->map(from);
        QVERIFY2(std::abs(mapped.x() - to.x()) < 1e-6 && std::abs(mapped.y() - to.y()) < 1e-6,
                 qPrintable(QStringLiteral("(%1, %2)").arg(mapped.x()).arg(mapped.y())));
    }

    void transformsItCannotReadAreRefused()
    {
        for (const char *bad :
             {"skew(3)", "rotate(1 2)", "scale(a)", "translate(1,2,3)", "scale(2) junk", "matrix(1 0 0 1)"})
            QVERIFY2(!parseSvgTransform(QString::fromLatin1(bad)).has_value(), bad);
    }

    void plainTextIsLiftedWithTheStyleItInherits()
    {
        const PictureScan scan =
            scanPicture(document("<rect x=\"0\" y=\"0\" width=\"1000\" height=\"500\" fill=\"#FFFF80\"/>\n"
                                 "<g font-family=\"Arial\" font-size=\"40\" font-weight=\"bold\" "
                                 "text-anchor=\"middle\" transform=\"translate(100,0)\">\n"
                                 "<text x=\"200\" y=\"100\" fill=\"#000080\">Topic 1 — ΔP</text>\n"
                                 "<text x=\"200\" y=\"300\" font-size=\"12.5\" font-weight=\"normal\" "
                                 "font-style=\"italic\" text-anchor=\"end\"\n"
                                 "  transform=\"rotate(-90 200 300)\">label</text>\n"
                                 "</g>"));
        // The same reading finds what a screen reader is told.
        QCOMPARE(scan.title, QStringLiteral("Probe"));
        QCOMPARE(scan.description, QStringLiteral("Δ ρ μ"));
        QVERIFY(scan.wellFormed && scan.svgRoot);
        const SplitPicture split = splitPicture(scan);
        QCOMPARE(scan.declaredSize, split.naturalSize);
        QCOMPARE(split.text.size(), 2);
        const PictureTextRun &title = split.text[0];
        QCOMPARE(title.text, QStringLiteral("Topic 1 — ΔP"));
        QCOMPARE(title.family, QStringLiteral("Arial"));
        QCOMPARE(title.size, 40.0);
        QVERIFY(title.bold);
        QVERIFY(!title.italic);
        QCOMPARE(title.fill, QColor(0x00, 0x00, 0x80));
        QCOMPARE(title.anchor, TextAnchor::Middle);
        QVERIFY(nearlyEqual(title.transform.map(title.position), QPointF(300, 100)));

        const PictureTextRun &label = split.text[1];
        QCOMPARE(label.size, 12.5);
        QVERIFY(!label.bold);
        QVERIFY(label.italic);
        QCOMPARE(label.anchor, TextAnchor::End);
        QCOMPARE(label.fill, QColor(Qt::black));
        // Its own rotation about its anchor, then the group's translation.
        QVERIFY(nearlyEqual(label.transform.map(label.position), QPointF(300, 300)));
        QVERIFY(nearlyEqual(label.transform.map(label.position + QPointF(10, 0)), QPointF(300, 290)));

        // The rest of the document is untouched, the non-ASCII description included.
        QVERIFY(!split.shapes.contains("<text"));
        QVERIFY(split.shapes.contains("<desc>Δ ρ μ</desc>"));
        QVERIFY(split.shapes.contains("<g font-family=\"Arial\""));
        QVERIFY(split.renderer->isValid());
        QCOMPARE(split.naturalSize, QSize(1000, 500));
    }

    // The size a document declares is read as the renderer reads it; a size in other units, or
    // none, is left to the renderer.
    void theDeclaredSizeIsTheRenderers_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("plain");
        QTest::newRow("numbers") << "width=\"690\" height=\"644\"" << true;
        QTest::newRow("pixels") << "width=\"690px\" height=\"644.7\"" << true;
        QTest::newRow("millimetres") << "width=\"50mm\" height=\"40mm\"" << false;
        QTest::newRow("percent") << "width=\"50%\" height=\"644\"" << false;
        QTest::newRow("view box only") << "" << false;
    }
    void theDeclaredSizeIsTheRenderers()
    {
        QFETCH(QString, size);
        QFETCH(bool, plain);
        const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 300 200\" " + size.toUtf8() +
                               "><rect x=\"0\" y=\"0\" width=\"300\" height=\"200\"/></svg>";
        const QSize declared = scanPicture(svg).declaredSize;
        QCOMPARE(declared.isEmpty(), !plain);
        if (plain)
            QCOMPARE(declared, QSvgRenderer(svg).defaultSize());
    }

    void theRootElementPassesItsStyleOnOrKeepsTheText()
    {
        const QByteArray red =
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 50\" width=\"100\" "
            "height=\"50\" fill=\"#FF0000\" font-size=\"20\"><text x=\"1\" y=\"30\">red</text></svg>";
        const SplitPicture inherited = splitPictureText(red);
        QCOMPARE(inherited.text.size(), 1);
        QCOMPARE(inherited.text[0].fill, QColor(Qt::red));
        QCOMPARE(inherited.text[0].size, 20.0);

        const QByteArray faded = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 50\" "
                                 "opacity=\"0.5\"><text x=\"1\" y=\"30\">faded</text></svg>";
        QVERIFY(splitPictureText(faded).text.isEmpty());
    }

    void whiteSpaceIsLaidOutAsSvgDoes()
    {
        const SplitPicture split =
            splitPictureText(document("<text x=\"10\" y=\"50\">  two\tblanks   collapse\n here </text>\n"
                                      "<text x=\"10\" y=\"150\" xml:space=\"preserve\">      and so\tthere </text>"));
        QCOMPARE(liftedTexts(split),
                 QStringList({QStringLiteral("two blanks collapse here"), QStringLiteral("      and so there ")}));
    }

    void textTheLayerCannotDrawStaysInTheDocument()
    {
        const SplitPicture split = splitPictureText(
            document("<text x=\"10\" y=\"40\">kept: child<tspan dy=\"5\">span</tspan></text>\n"
                     "<text x=\"10 20 30\" y=\"80\">kept: a list of positions</text>\n"
                     "<text x=\"10\" y=\"120\" style=\"font-weight:bold\">kept: a style attribute</text>\n"
                     "<text x=\"10\" y=\"160\" stroke=\"#000\">kept: a stroke</text>\n"
                     "<text x=\"10\" y=\"200\" fill=\"none\">kept: no fill</text>\n"
                     "<text x=\"10\" y=\"240\" transform=\"perspective(2)\">kept: an unknown transform</text>\n"
                     "<g opacity=\"0.5\"><text x=\"10\" y=\"280\">kept: a translucent group</text></g>\n"
                     "<text x=\"10\" y=\"320\" font-size=\"12pt\">kept: a size in points</text>\n"
                     "<text x=\"10\" y=\"360\">lifted</text>"));
        QCOMPARE(liftedTexts(split), QStringList{QStringLiteral("lifted")});
        QCOMPARE(split.shapes.count("<text"), 8);
        QVERIFY(QSvgRenderer(split.shapes).isValid());
    }

    void textUnderALaterShapeKeepsItsPlaceInTheOrder()
    {
        const SplitPicture split = splitPictureText(
            document("<text id=\"covered\" x=\"10\" y=\"100\" font-size=\"40\">covered by the box after it</text>\n"
                     "<rect x=\"0\" y=\"60\" width=\"600\" height=\"60\" fill=\"#FF0000\"/>\n"
                     "<text id=\"clear\" x=\"10\" y=\"300\" font-size=\"40\">clear of every later shape</text>\n"
                     "<text x=\"10\" y=\"380\" font-size=\"40\">under a box its group moves</text>\n"
                     "<g transform=\"translate(0 300)\"><rect x=\"0\" y=\"60\" width=\"600\" height=\"60\"/></g>\n"
                     "<line x1=\"0\" y1=\"450\" x2=\"1000\" y2=\"450\" stroke=\"#000\"/>\n"
                     "<text x=\"700\" y=\"400\" font-size=\"40\">under a later kept text</text>\n"
                     "<text x=\"700\" y=\"400\" font-size=\"40\" stroke=\"#00F\">kept</text>"));
        QCOMPARE(liftedTexts(split), QStringList{QStringLiteral("clear of every later shape")});
        QVERIFY(split.shapes.contains("covered by the box after it"));
        QVERIFY(split.shapes.contains("under a later kept text"));
        QVERIFY(split.shapes.contains("under a box its group moves"));
        // The renderer kept for drawing holds the text that stays, and not the text lifted.
        QVERIFY(split.renderer->elementExists(QStringLiteral("covered")));
        QVERIFY(!split.renderer->elementExists(QStringLiteral("clear")));
    }

    void aDocumentItCannotReadIsLeftWhole()
    {
        for (const QByteArray &svg : {QByteArray("<svg><text x=\"1\" y=\"2\">open"), QByteArray()}) {
            const SplitPicture split = splitPictureText(svg);
            QCOMPARE(split.shapes, svg);
            QVERIFY(split.text.isEmpty());
        }
        // Well formed, but no picture: the program refuses it on load.
        const PictureScan page = scanPicture("<html><title>t</title><text x=\"1\" y=\"2\">not SVG</text></html>");
        QVERIFY(page.wellFormed && !page.svgRoot);
    }

    // The layer asks the SVG renderer for shape bounds through ids of its own; a shape that has
    // an id already must still be seen covering the text before it.
    void aNamedShapeStillCoversTheTextBeforeIt()
    {
        const QByteArray svg = document("<text x=\"10\" y=\"100\" font-size=\"40\">covered</text>\n"
                                        "<rect id=\"own\" x=\"0\" y=\"0\" width=\"500\" height=\"500\"/>");
        const SplitPicture split = splitPictureText(svg);
        QVERIFY(split.text.isEmpty());
        QCOMPARE(split.shapes, svg);
    }

    // Lifted text lands where the SVG renderer would have put it: the ink of a centred, a
    // right-aligned and a rotated line falls in the same place either way.
    void drawnTextFallsWhereTheRendererPutsIt()
    {
        const QByteArray svg =
            document("<rect x=\"0\" y=\"0\" width=\"1000\" height=\"500\" fill=\"#FFFFFF\"/>\n"
                     "<g font-family=\"Arial\" font-size=\"60\" transform=\"scale(1,0.8)\">\n"
                     "<text x=\"500\" y=\"100\" text-anchor=\"middle\">Centred line</text>\n"
                     "<text x=\"950\" y=\"250\" text-anchor=\"end\" font-weight=\"bold\">Right aligned</text>\n"
                     "<text x=\"80\" y=\"560\" transform=\"rotate(-90 80 560)\">Turned</text>\n"
                     "</g>");
        const QSize size(500, 250);
        auto inkBounds = [](const QImage &image) {
            QRect ink;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        ink |= QRect(x, y, 1, 1);
            return ink;
        };
        auto quarter = [&](const QImage &image, int i) {
            const QRect parts[] = {{0, 0, 500, 70}, {0, 70, 500, 70}, {0, 140, 100, 110}};
            return inkBounds(image.copy(parts[i]));
        };

        QImage reference(size, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&reference);
            QSvgRenderer(svg).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        const SplitPicture split = splitPictureText(svg);
        QCOMPARE(split.text.size(), 3);
        QImage ours(size, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&ours);
            drawSplitPicture(painter, split, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        for (int i = 0; i < 3; ++i) {
            const QRect expected = quarter(reference, i);
            const QRect actual = quarter(ours, i);
            QVERIFY(!expected.isEmpty());
            const QString message = QStringLiteral("line %1: %2,%3 %4x%5 against %6,%7 %8x%9")
                                        .arg(i)
                                        .arg(actual.x())
                                        .arg(actual.y())
                                        .arg(actual.width())
                                        .arg(actual.height())
                                        .arg(expected.x())
                                        .arg(expected.y())
                                        .arg(expected.width())
                                        .arg(expected.height());
            QVERIFY2(
                std::abs(actual.left() - expected.left()) <= 3 && std::abs(actual.right() - expected.right()) <= 3 &&
                    std::abs(actual.top() - expected.top()) <= 2 && std::abs(actual.bottom() - expected.bottom()) <= 2,
                qPrintable(message));
        }
    }
};

QTEST_MAIN(PictureTextTest)
#include "test_picture_text.moc"
