// The topic pages Form1 to Form15 and the picture glossary Glossary2 as the student meets them.

#include "tutorial_view.h"

#include "resources/figure_pages.h"
#include "window/picture.h"

#include <QImage>

using namespace quorvel;
using namespace quorvel::testing;

namespace {
const Picture *pictureOf(const ScreenWindow *w)
{
    return w->surface()->picture();
}

// Whether every pixel of the region has this colour.
bool allPixels(const QImage &image, const QRect &region, QColor colour)
{
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (image.pixelColor(x, y) != colour)
                return false;
        }
    }
    return true;
}
} // namespace

class TutorialPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void topicPagesAreFramelessBands_data();
    void topicPagesAreFramelessBands();
    void form7AndForm8AreTwoScreensWithOnePicture();
    void pictureGlossaryAsOpened();
    void pictureGlossaryKeepsItsPictureWhenMaximized();
};

void TutorialPagesTest::topicPagesAreFramelessBands_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("clientLeft");
    QTest::addColumn<QSize>("naturalSize");
    for (int topic = 1; topic <= 15; ++topic) {
        const QSize natural = topic == 15 ? QSize(8657, 2354) : QSize(8657, 2174);
        QTest::addRow("Form%d", topic) << topic << (topic == 1 ? 195 : 240) << natural;
    }
}

void TutorialPagesTest::topicPagesAreFramelessBands()
{
    QFETCH(int, topic);
    QFETCH(int, clientLeft);
    QFETCH(QSize, naturalSize);
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", topic + 1);
    const std::string page = "Form" + std::to_string(topic);
    ScreenWindow *w = p.window(page);
    QVERIFY(w && p.visible(page));
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    // A normal window (a tool window would stack above the tutorial under GNOME-family window managers).
    QCOMPARE(w->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(!w->menuWidget());
    QCOMPARE(w->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(w->geometry(),
             QRect(twipsToPixels(clientLeft), twipsToPixels(6795), twipsToPixels(13245), twipsToPixels(3645)));
    const Picture *picture = pictureOf(w);
    QVERIFY2(picture, "the topic page has its picture");
    QCOMPARE(picture->kind(), PictureKind::PlaceableMetafile);
    // The picture keeps the proportions of the stored page (twips).
    const double stored = double(naturalSize.width()) / naturalSize.height();
    const double drawn = double(picture->naturalSize().width()) / picture->naturalSize().height();
    QVERIFY2(qAbs(stored - drawn) < 0.01, qPrintable(QString::number(drawn)));
}

void TutorialPagesTest::form7AndForm8AreTwoScreensWithOnePicture()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.clickRow("VascularFunctionCurves", "basicList1", 8); // topic 7
    QCOMPARE(visiblePages(p), QStringList{"Form7"});
    p.clickRow("VascularFunctionCurves", "basicList1", 9); // topic 8
    QCOMPARE(visiblePages(p), QStringList{"Form8"});
    QVERIFY(p.loaded("Form7"));
    QVERIFY(p.window("Form7") != p.window("Form8"));
    QVERIFY(p.registry.existing("Form7") != p.registry.existing("Form8"));
    QCOMPARE(findFigurePage("Form7")->picture.file, findFigurePage("Form8")->picture.file);
    QVERIFY(pictureOf(p.window("Form7")) && pictureOf(p.window("Form8")));
    QCOMPARE(pictureOf(p.window("Form7"))->title(), pictureOf(p.window("Form8"))->title());
    // Every other page has a picture of its own.
    QSet<std::string_view> files;
    for (const QString &page : topicPages())
        files.insert(findFigurePage(page.toStdString())->picture.file);
    QCOMPARE(files.size(), 14);
}

void TutorialPagesTest::pictureGlossaryAsOpened()
{
    Program p;
    p.chooseMenu("Introduction", "mnuVFC");
    p.chooseMenu("VascularFunctionCurves", "mnuGlossary");
    ScreenWindow *w = p.window("Glossary2");
    QVERIFY(w && p.visible("Glossary2"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Glossary"));
    QVERIFY(!(w->windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(w->minimumSize() != w->maximumSize()); // sizable
    QCOMPARE(w->geometry(), QRect(twipsToPixels(60), twipsToPixels(900), twipsToPixels(10770), twipsToPixels(10095)));
    QCOMPARE(w->surface()->palette().color(QPalette::Window), QColor(0, 0, 255));

    const Picture *picture = pictureOf(w);
    QVERIFY2(picture, "the glossary has its picture");
    QCOMPARE(picture->kind(), PictureKind::Bitmap);
    QCOMPARE(picture->naturalSize(), QSize(690, 644));
    // Drawn from the top left at natural size; the rest of the client area is blue.
    const QImage shot = w->surface()->grab().toImage();
    QCOMPARE(shot.size(), QSize(718, 673));
    QVERIFY(allPixels(shot, QRect(690, 0, 718 - 690, 673), QColor(0, 0, 255)));
    QVERIFY(allPixels(shot, QRect(0, 644, 718, 673 - 644), QColor(0, 0, 255)));
    QVERIFY2(!allPixels(shot, QRect(0, 0, 690, 644), QColor(0, 0, 255)), "the picture is drawn");
}

void TutorialPagesTest::pictureGlossaryKeepsItsPictureWhenMaximized()
{
    Program p;
    p.chooseMenu("Introduction", "mnuGlossary");
    ScreenWindow *w = p.window("Glossary2");
    const QImage normal = w->surface()->grab().toImage();
    w->showMaximized();
    QCoreApplication::processEvents();
    const QImage maximized = w->surface()->grab().toImage();
    QVERIFY(maximized.width() > normal.width());
    const QRect common(0, 0, 690, qMin(644, maximized.height()));
    QCOMPARE(maximized.copy(common), normal.copy(common));
    QVERIFY(allPixels(maximized, QRect(690, 0, maximized.width() - 690, maximized.height()), QColor(0, 0, 255)));
}

QUORVEL_TEST_MAIN(TutorialPagesTest)
#include "test_tutorial_pages.moc"
