#include "catalogue/screen_catalogue.h"
#include "resources/screen_names.h"
#include "shell/screen_registry.h"
#include "window/app_style.h"
#include "window/platform_choice.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "%s: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n",
                     argc > 0 ? argv[0] : "quorvel");
        return EXIT_FAILURE;
    }
    if (const std::string_view platform = quorvel::preferredPlatform(quorvel::currentDesktopEnvironment());
        !platform.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray(platform.data(), qsizetype(platform.size())));
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
    quorvel::applyProgramStyle(app);

    quorvel::ScreenRegistry registry(quorvel::createScreen, quorvel::describeScreen);
    registry.setEndHandler([] { QCoreApplication::exit(0); });
    registry.show(quorvel::screen_name::Introduction);
    return registry.ended() ? EXIT_SUCCESS : app.exec();
}
