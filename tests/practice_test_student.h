#pragma once
// A student at the practice test: opens it from the welcome menu, presses its buttons, picks rows
// of its answer list, and reads what the screen shows.

#include "practice_test/practice_test.h"
#include "program_fixture.h"
#include "window/screen_surface.h"

#include <QListWidget>
#include <QPlainTextEdit>

namespace quorvel::testing {

class TestStudent
{
public:
    explicit TestStudent(Program &program) : m_program(program) {}

    void openTest() { m_program.chooseMenu("Introduction", "mnuTest"); }
    void start() { m_program.clickButton("Test", "cmdStart"); }
    void reset() { m_program.clickButton("Test", "cmdReset"); }
    void next(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            m_program.clickButton("Test", "cmdNext");
    }
    // Scrolls the row into view, as the student does, and clicks it.
    void pick(int row)
    {
        QListWidget *box = list();
        box->scrollToItem(box->item(row));
        m_program.clickRow("Test", "List2", row);
    }
    void typeExplanation(const QString &text)
    {
        QTest::keyClicks(qobject_cast<QPlainTextEdit *>(window()->control("Text")), text);
    }

    ScreenWindow *window() const { return m_program.window("Test"); }
    QListWidget *list() const { return qobject_cast<QListWidget *>(window()->control("List2")); }
    QStringList rows() const { return window()->properties().listRows("List2"); }
    bool listShown() const { return !list()->isHidden(); }
    QString verdict() const { return window()->properties().caption("Label1"); }
    QString explanation() const { return window()->properties().text("Text"); }
    int cursor() const { return screen().questionCursor(); }
    Test &screen() const { return m_program.registry.screenAs<Test>("Test"); }

    // The picture box the student sees in the figure area: the topmost one that is visible
    // together with every box around it.
    QString figureOnTop() const
    {
        QWidget *surface = window()->surface();
        const QRect area = window()->control("q1")->geometry();
        QWidget *hit = surface->childAt(area.topLeft() + QPoint(20, 20));
        while (hit && hit != surface && !qobject_cast<PictureBoxControl *>(hit))
            hit = hit->parentWidget();
        return hit && hit != surface ? hit->objectName() : QString();
    }

    // The explanation pages on show, by name.
    QStringList openPages() const
    {
        QStringList pages;
        for (int k = 1; k <= 25; ++k) {
            const QString name = QStringLiteral("Formq%1").arg(k, 2, 10, QLatin1Char('0'));
            if (m_program.visible(name.toStdString()))
                pages.append(name);
        }
        return pages;
    }

private:
    Program &m_program;
};

// The figure that questions refer to, by question number (26 for the closing line).
inline QString figureOfQuestion(int question)
{
    if (question <= 8)
        return QStringLiteral("q1");
    if (question <= 11)
        return QStringLiteral("q09");
    if (question <= 16)
        return QStringLiteral("Q12");
    if (question <= 20)
        return QStringLiteral("q17");
    return QStringLiteral("q21");
}

} // namespace quorvel::testing
