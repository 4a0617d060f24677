// Renders every screen of the program, in the states worth looking at, and every picture at the
// size the student sees it, to PNG files: quorvel-screenshots OUTDIR [--dpr N]
#include "screenshot_scenes.h"

#include "window/app_style.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
// A large offscreen desktop, so maximized screens show whole, at the asked device pixel ratio.
QByteArray offscreenPlatform(const QString &configDir, double dpr)
{
    const QString path = configDir + QStringLiteral("/screen.json");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral(R"({"synchronousWindowSystemEvents": true, "windowFrameMargins": false,
  "screens": [{"name": "screen", "x": 0, "y": 0, "width": 1280, "height": 800,
               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %1}]})")
                       .arg(dpr)
                       .toUtf8());
    }
    return "offscreen:configfile=" + path.toUtf8();
}
// The offscreen platform reports every window operation it cannot carry out; they do not matter here.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    qt_message_output(type, context, message);
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fputs("usage: quorvel-screenshots OUTDIR [--dpr N]\n", stderr);
        return 2;
    }
    double dpr = 1.0;
    for (int i = 2; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) == "--dpr")
            dpr = QByteArray(argv[i + 1]).toDouble();
    }
    qInstallMessageHandler(quietPlatformNotes);
    QTemporaryDir configDir;
    qputenv("QT_QPA_PLATFORM", offscreenPlatform(configDir.path(), dpr));
    QApplication app(argc, argv);
    quorvel::applyProgramStyle(app);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    const int written = quorvel::renderAllScenes(outDir);
    std::printf("%d images written to %s\n", written, qPrintable(outDir));
    return written > 0 ? 0 : 1;
}
