// The program as a student starts it (see src/main.cpp), with a geometry probe on its standard
// input so that the click-to-pixels driver knows where to click: "menu SCREEN ENTRY",
// "control SCREEN NAME" and "row SCREEN LIST N" are answered with a rectangle on the screen.
#include "desktop/geometry_probe.h"

#include "catalogue/screen_catalogue.h"
#include "resources/screen_names.h"
#include "shell/screen_registry.h"
#include "window/app_style.h"
#include "window/screen_window.h"

#include <QApplication>
#include <QListWidget>
#include <QMenuBar>

using namespace quorvel;

namespace {

std::optional<QRect> globalRect(const QWidget *w, QRect local)
{
    if (!w || !w->isVisible())
        return std::nullopt;
    return QRect(w->mapToGlobal(local.topLeft()), local.size());
}

std::optional<QRect> locate(const ScreenRegistry &registry, const QStringList &words)
{
    if (words.size() < 3)
        return std::nullopt;
    const Screen *screen = registry.existing(words[1].toStdString());
    const ScreenWindow *window = screen ? screen->window() : nullptr;
    if (!window)
        return std::nullopt;
    const std::string name = words[2].toStdString();
    if (words[0] == QLatin1String("menu")) {
        QAction *entry = window->menuAction(name);
        QMenuBar *bar = window->menuWidget() ? qobject_cast<QMenuBar *>(window->menuWidget()) : nullptr;
        return entry && bar ? globalRect(bar, bar->actionGeometry(entry)) : std::nullopt;
    }
    QWidget *control = window->control(name);
    if (words[0] == QLatin1String("control"))
        return control ? globalRect(control, control->rect()) : std::nullopt;
    auto *list = qobject_cast<QListWidget *>(control);
    if (words[0] == QLatin1String("row") && list && words.size() == 4) {
        QListWidgetItem *row = list->item(words[3].toInt());
        return row ? globalRect(list->viewport(), list->visualItemRect(row)) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    applyProgramStyle(app);
    ScreenRegistry registry(createScreen, describeScreen);
    registry.setEndHandler([] { QCoreApplication::exit(0); });
    bench::GeometryProbe probe([&](const QStringList &words) { return locate(registry, words); });
    registry.show(screen_name::Introduction);
    return registry.ended() ? 0 : app.exec();
}
