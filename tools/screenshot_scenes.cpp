#include "screenshot_scenes.h"

#include "scene_writer.h"

#include "catalogue/screen_catalogue.h"
#include "resources/figure_pages.h"
#include "shell/screen_registry.h"
#include "window/picture.h"

#include <QApplication>
#include <QDirIterator>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QSvgRenderer>

#include <functional>

namespace quorvel {

void renderShellScenes(SceneWriter &out)
{
    withProgram([&](ScreenRegistry &r) { out.grab(r, "Introduction", QStringLiteral("01-introduction")); });
    withProgram([&](ScreenRegistry &r) {
        clickMenu(r, "Introduction", "mnuInstruct");
        out.grab(r, "Instructions", QStringLiteral("02-instructions"));
    });
    withProgram([&](ScreenRegistry &r) {
        r.show("Glossary");
        out.grab(r, "Glossary", QStringLiteral("03-glossary-text"));
    });
    withProgram([&](ScreenRegistry &r) {
        r.show("form22");
        out.grab(r, "form22", QStringLiteral("04-menu-strip"));
    });
    withProgram([&](ScreenRegistry &r) {
        clickMenu(r, "Introduction", "mnuGlossary");
        out.grab(r, "Glossary2", QStringLiteral("05-glossary-picture"));
        r.screen("Glossary2").window()->showMaximized();
        out.grab(r, "Glossary2", QStringLiteral("06-glossary-picture-maximized"));
    });
}

namespace {

void renderFigurePages(SceneWriter &out)
{
    for (const ScreenDescription &page : figurePageDescriptions()) {
        withProgram([&](ScreenRegistry &r) {
            r.show(page.name);
            out.grab(r, page.name, QStringLiteral("page-") + QString::fromUtf8(page.name.data(), page.name.size()));
        });
    }
}

// Every picture file alone, at the size of the box or page that shows it.
void renderPictures(SceneWriter &out)
{
    QDirIterator it(QStringLiteral(":/pictures"));
    while (it.hasNext()) {
        const QString path = it.next();
        QSvgRenderer renderer(path);
        QSize size = renderer.defaultSize();
        const QString file = path.section(QLatin1Char('/'), -1);
        if (file.startsWith(QLatin1String("Test.")))
            size = QSize(465, 337);
        else if (file.startsWith(QLatin1String("Formq")))
            size = QSize(272, 352);
        else if (file.startsWith(QLatin1String("Form")))
            size = QSize(883, 243);
        else if (file.startsWith(QLatin1String("VascularFunctionCurves.")))
            size = renderer.viewBoxF().width() == 5754 ? QSize(561, 409) : QSize(561, 393);
        QImage image(size * 2, QImage::Format_ARGB32);
        image.fill(file.startsWith(QLatin1String("VascularFunctionCurves.")) ? QColor(255, 255, 192)
                                                                             : QColor(Qt::white));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
        painter.end();
        out.save(image, QStringLiteral("picture-") + file.chopped(4));
    }
}

} // namespace

int renderAllScenes(const QString &outDir)
{
    SceneWriter out(outDir);
    renderShellScenes(out);
    renderTutorialScenes(out);
    renderTestScenes(out);
    renderFigurePages(out);
    renderPictures(out);
    return out.written();
}

} // namespace quorvel
