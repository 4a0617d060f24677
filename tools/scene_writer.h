#pragma once
// Helpers for the screenshot scenes: a fresh program per scene, student actions, PNG output.

#include "catalogue/screen_catalogue.h"
#include "shell/screen_registry.h"
#include "window/screen_window.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>

#include <functional>

namespace quorvel {

class SceneWriter
{
public:
    explicit SceneWriter(const QString &outDir) : m_outDir(outDir) {}

    // Saves what the screen's window shows now (client area and menu bar).
    void grab(ScreenRegistry &registry, std::string_view screen, const QString &scene)
    {
        QCoreApplication::processEvents();
        Screen *s = registry.existing(screen);
        if (s && s->window())
            save(s->window()->grab().toImage(), scene);
    }

    void save(const QImage &image, const QString &scene)
    {
        if (image.save(QStringLiteral("%1/%2.png").arg(m_outDir, scene)))
            ++m_written;
    }

    int written() const { return m_written; }

private:
    QString m_outDir;
    int m_written = 0;
};

// A fresh program for each scene, so that scenes do not depend on one another.
inline void withProgram(const std::function<void(ScreenRegistry &)> &scene)
{
    ScreenRegistry registry(createScreen);
    registry.show("Introduction");
    scene(registry);
}

inline void selectRow(ScreenRegistry &registry, std::string_view screen, std::string_view list, int row)
{
    auto *box = qobject_cast<QListWidget *>(registry.screen(screen).window()->control(list));
    box->setCurrentRow(row); // a user's selection: the list raises its Click
}

inline void clickButton(ScreenRegistry &registry, std::string_view screen, std::string_view button)
{
    qobject_cast<QPushButton *>(registry.screen(screen).window()->control(button))->click();
}

inline void clickMenu(ScreenRegistry &registry, std::string_view screen, std::string_view entry)
{
    registry.screen(screen).window()->menuAction(entry)->trigger();
}

// The scenes of each part of the program.
void renderShellScenes(SceneWriter &out);
void renderTutorialScenes(SceneWriter &out);
void renderTestScenes(SceneWriter &out);

} // namespace quorvel
