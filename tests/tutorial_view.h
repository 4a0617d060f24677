#pragma once
// What a student sees of the tutorial: the panel on top of the panel area, the topic pages on
// show, and the controls that no selection may touch.

#include "program_fixture.h"

#include "resources/units.h"
#include "window/screen_surface.h"

#include <QStringList>

namespace quorvel::testing {

inline const QStringList &topicPages()
{
    static const QStringList pages{"Form1", "Form2",  "Form3",  "Form4",  "Form5",  "Form6",  "Form7", "Form8",
                                   "Form9", "Form10", "Form11", "Form12", "Form13", "Form14", "Form15"};
    return pages;
}

// The fifteen topic panels, topic 1 first.
inline const QStringList &topicPanels()
{
    static const QStringList panels{"flow1",       "pressure1",    "resistance1", "resistance2b", "resistance3",
                                    "resistance4", "turbulence1",  "stenoses",    "stress",       "partitionb",
                                    "pulse1",      "reflection1b", "reflection2", "reflection3",  "vein1"};
    return panels;
}

// The panel of the topic at a list position, or an empty string for the heading and empty rows.
inline QString panelAt(int listPosition)
{
    return listPosition >= 2 && listPosition <= 16 ? topicPanels().at(listPosition - 2) : QString();
}
inline QString pageAt(int listPosition)
{
    return listPosition >= 2 && listPosition <= 16 ? topicPages().at(listPosition - 2) : QString();
}

// The control seen in the middle of the panel area: the topmost visible box there, or the box
// inside it that covers it. Found by hit-testing, so stacking and containers count as drawn.
inline QString seenPanel(const ScreenWindow *w)
{
    const QPoint centre(twipsToPixels(5040 + 8415 / 2), twipsToPixels(240 + 5895 / 2));
    for (QWidget *hit = w->surface()->childAt(centre); hit && hit != w->surface(); hit = hit->parentWidget()) {
        if (w->control(hit->objectName().toStdString()) == hit)
            return hit->objectName();
    }
    return QStringLiteral("(screen)");
}

inline QStringList visiblePages(const Program &p)
{
    QStringList shown;
    for (const QString &page : topicPages()) {
        if (p.visible(page.toStdString()))
            shown.append(page);
    }
    return shown;
}

inline QStringList loadedPages(const Program &p)
{
    QStringList loaded;
    for (const QString &page : topicPages()) {
        if (p.loaded(page.toStdString()))
            loaded.append(page);
    }
    return loaded;
}

inline QStringList visiblePanels(const ScreenWindow *w)
{
    QStringList shown;
    for (const QString &panel : topicPanels()) {
        if (w->properties().controlVisible(panel.toStdString()))
            shown.append(panel);
    }
    return shown;
}

// The controls whose state nothing in the tutorial changes.
inline void checkUntouchedControls(const ScreenWindow *w)
{
    QVERIFY(w->properties().controlVisible("master"));
    QVERIFY(!w->properties().controlVisible("reflection1"));
    QVERIFY(!w->properties().controlVisible("resistance2"));
    QVERIFY(!w->properties().controlVisible("partition"));
    QVERIFY(!w->properties().controlVisible("BasicAnswers1"));
    QCOMPARE(w->properties().text("BasicAnswers1"), QString());
    QVERIFY(w->properties().controlVisible("Label1"));
    QCOMPARE(w->properties().caption("Label1"), QString());
    QVERIFY(w->properties().controlVisible("Label3"));
    QCOMPARE(w->properties().caption("Label3"), QStringLiteral("Click on topic to see related text"));
    QCOMPARE(w->properties().listRows("basicList1").size(), 17);
}

// After a selection of the row at this position: its panel alone on show, its page alone visible,
// all fifteen pages loaded, the title gone.
inline void checkSelectionShown(const Program &p, int listPosition)
{
    const ScreenWindow *w = p.window("VascularFunctionCurves");
    QVERIFY(w);
    QCOMPARE(w->properties().listIndex("basicList1"), listPosition);
    const QString panel = panelAt(listPosition);
    QCOMPARE(seenPanel(w), panel.isEmpty() ? QStringLiteral("master") : panel);
    QCOMPARE(visiblePanels(w), panel.isEmpty() ? QStringList() : QStringList{panel});
    const QString page = pageAt(listPosition);
    QCOMPARE(visiblePages(p), page.isEmpty() ? QStringList() : QStringList{page});
    QCOMPARE(loadedPages(p), topicPages());
    QVERIFY(!w->properties().controlVisible("title"));
    checkUntouchedControls(w);
}

inline QListWidget *topicList(const Program &p)
{
    return qobject_cast<QListWidget *>(p.window("VascularFunctionCurves")->control("basicList1"));
}

} // namespace quorvel::testing

// Runs a checking helper and stops the test function at its first failure.
#define QUORVEL_CHECK(call)                                                                                            \
    do {                                                                                                               \
        call;                                                                                                          \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)
