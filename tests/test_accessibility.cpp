// What a screen reader meets beyond what the desktop tests with Orca hear: the names of labels and
// menu entries, the printed text of text pages and pictures as text, the names of the test's
// explanation box and figure, and which pictures are read as the figures and panels switch.
#include "program_fixture.h"

#include "tutorial/topic_table.h"
#include "window/controls.h"
#include "window/screen_surface.h"
#include "window/text.h"

#include <QAccessible>
#include <QMenuBar>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::testing;

namespace {
QAccessibleInterface *accessible(QObject *o)
{
    return QAccessible::queryAccessibleInterface(o);
}
} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void labelsAndMenuEntriesReadTheirText()
    {
        Program p;
        ScreenWindow *w = p.window("Introduction");
        QCOMPARE(accessible(w->control("Label2"))->text(QAccessible::Name),
                 QStringLiteral("UNDERSTANDING ESSENTIALS OF Quorvel"));
        QAccessibleInterface *bar = accessible(w->menuBar());
        QStringList entries;
        for (int i = 0; i < bar->childCount(); ++i)
            entries.append(bar->child(i)->text(QAccessible::Name));
        QCOMPARE(entries, (QStringList{"Instructions", "Tutorial", "Glossary", "Test", "End Session"}));
    }

    void textPagesExposeTheirPrintedLinesInOrder()
    {
        Program p;
        p.chooseMenu("Introduction", "mnuInstruct");
        QAccessibleInterface *surface = accessible(p.window("Instructions")->surface());
        QAccessibleTextInterface *text = surface->textInterface();
        QVERIFY(text);
        const QString all = text->text(0, text->characterCount());
        const QStringList lines = all.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 14);
        QCOMPARE(lines.at(1), QStringLiteral("  This interactive learning module consists of three major segments "));
        QCOMPARE(surface->text(QAccessible::Value), all);
        QVERIFY(text->characterRect(3).isValid());
    }

    void picturesAreNamedByTheirTitleAndDescribed()
    {
        Program p;
        p.chooseMenu("Introduction", "mnuGlossary");
        QAccessibleInterface *surface = accessible(p.window("Glossary2")->surface());
        QVERIFY(!surface->text(QAccessible::Name).isEmpty());
        QVERIFY(surface->text(QAccessible::Description).contains(QLatin1String("Reynolds")));
    }

    // The explanation box and the question's figure, which a student reaches with Tab, are named.
    void theTestNamesItsExplanationBoxAndFigure()
    {
        Program p;
        p.chooseMenu("Introduction", "mnuTest");
        p.clickButton("Test", "cmdStart");
        ScreenWindow *w = p.window("Test");
        QCOMPARE(accessible(w->control("Text"))->text(QAccessible::Name), QStringLiteral("Explanations of Answers"));
        QVERIFY(!accessible(w->control("q1"))->text(QAccessible::Name).isEmpty());
    }

    // A screen reader reads, and Tab reaches, only the picture the student sees: one at a time in
    // the test's figure area and the tutorial's panel area, as the figures switch.
    void onlyThePictureOnShowIsRead()
    {
        Program p;
        const auto seenPictures = [&](std::string_view screen) {
            QStringList seen;
            ScreenWindow *w = p.window(screen);
            for (const ControlDescription &d : w->description().controls) {
                auto *box = qobject_cast<PictureBoxControl *>(w->control(d.name));
                if (box && box->seen() && box->client()->picture())
                    seen.append(box->objectName());
            }
            return seen;
        };
        p.chooseMenu("Introduction", "mnuTest");
        QCOMPARE(seenPictures("Test"), QStringList{"q26"});
        QCOMPARE(accessible(p.window("Test")->control("q17"))->text(QAccessible::Name), QString()); // covered
        p.clickButton("Test", "cmdStart");
        QCOMPARE(seenPictures("Test"), QStringList{"q1"});
        const std::pair<int, const char *> figures[] = {{8, "q09"}, {11, "Q12"}, {16, "q17"}, {20, "q21"}};
        int steps = 0;
        for (auto [question, figure] : figures) {
            for (; steps < question; ++steps)
                p.clickButton("Test", "cmdNext");
            QCOMPARE(seenPictures("Test"), QStringList{QString::fromLatin1(figure)});
        }
        p.clickButton("Test", "cmdReset");
        QCOMPARE(seenPictures("Test"), QStringList{"q1"});

        p.chooseMenu("Test", "mnuRelations");
        QCOMPARE(seenPictures("VascularFunctionCurves"), QStringList{"title"});
        for (const TopicRow &row : TopicTable::rows()) {
            p.clickRow("VascularFunctionCurves", "basicList1", row.listPosition);
            const QStringList expected = row.ownsTopic() ? QStringList{toQString(row.panel)} : QStringList{};
            QCOMPARE(seenPictures("VascularFunctionCurves"), expected);
        }
    }
};

QUORVEL_TEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
