// The welcome screen, its main menu, the instructions page, the text glossary and the menu strip.
#include "program_fixture.h"
#include "window/text.h"

#include "glossary/glossary_content.h"
#include "welcome/instructions_content.h"
#include "welcome/introduction_content.h"
#include "window/screen_surface.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::testing;

namespace {
QStringList barCaptions(ScreenWindow *w)
{
    QStringList captions;
    for (QAction *a : w->menuBar()->actions())
        captions.append(a->text());
    return captions;
}

// The rows of pixels of a printed line band that differ from the surface's back colour.
bool bandHasInk(const QImage &image, int top, int bottom, QColor back)
{
    for (int y = top; y < bottom && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != back)
                return true;
        }
    }
    return false;
}
} // namespace

class WelcomeAndTextPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void welcomeScreenGreetsBeforeItIsSeen()
    {
        Program p;
        ScreenWindow *w = p.window("Introduction");
        QVERIFY(p.visible("Introduction"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Introduction"));
        QCOMPARE(w->properties().caption("Label1"), QStringLiteral("TAVREN/quorvel.example Welcomes You To"));
        QCOMPARE(w->properties().caption("Label2"), QStringLiteral("UNDERSTANDING ESSENTIALS OF Quorvel"));
        QCOMPARE(w->properties().caption("Label3"),
                 QStringLiteral("We recommend that you start your first session by visiting the instructions page"));
        QVERIFY(w->isMaximized());
        // greeting on top, the title below it, the recommendation at the bottom
        QVERIFY(w->control("Label1")->y() < w->control("Label2")->y());
        QVERIFY(w->control("Label2")->y() < w->control("Label3")->y());
        QCOMPARE(barCaptions(w), (QStringList{"Instructions", "Tutorial", "Glossary", "Test", "End Session"}));
    }

    void greetingFitsItsLabelOnOneLine()
    {
        Program p;
        auto *label = qobject_cast<QLabel *>(p.window("Introduction")->control("Label1"));
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->contentsRect().width());
        const QString greeting = label->text();
        QVERIFY(greeting.startsWith(QLatin1String("TAVREN/")));
        QVERIFY(greeting.endsWith(QLatin1String(" Welcomes You To")));
        QCOMPARE(greeting.count(QLatin1Char(' ')), 3); // no other blanks than those of " Welcomes You To"
    }

    void menuEntriesOpenTheirScreensOnce_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("screen");
        QTest::newRow("Instructions") << "mnuInstruct"
                                      << "Instructions";
        QTest::newRow("Tutorial") << "mnuVFC"
                                  << "VascularFunctionCurves";
        QTest::newRow("Glossary") << "mnuGlossary"
                                  << "Glossary2";
        QTest::newRow("Test") << "mnuTest"
                              << "Test";
    }
    void menuEntriesOpenTheirScreensOnce()
    {
        QFETCH(QString, entry);
        QFETCH(QString, screen);
        Program p;
        const std::string entryName = entry.toStdString(), screenName = screen.toStdString();
        p.chooseMenu("Introduction", entryName);
        ScreenWindow *first = p.window(screenName);
        QVERIFY(p.visible(screenName));
        QCOMPARE(p.registry.activeScreen()->name(), std::string_view(screenName));
        p.chooseMenu("Introduction", entryName);
        QCOMPARE(p.window(screenName), first);
        QCOMPARE(p.registry.count(), 2);
        QVERIFY(p.visible("Introduction")); // the welcome screen stays open behind
        QVERIFY(!p.loaded("Glossary"));     // the text glossary is opened by no entry
    }

    void endSessionClosesEverythingWithoutAsking()
    {
        Program p;
        p.chooseMenu("Introduction", "mnuVFC");
        p.chooseMenu("Introduction", "mnuTest");
        p.chooseMenu("Introduction", "mnuInstruct");
        QPointer<ScreenWindow> welcome = p.window("Introduction");
        p.chooseMenu("Introduction", "mnuEnd");
        QCOMPARE(p.registry.count(), 0);
        QVERIFY(p.registry.ended());
        QCOMPARE(p.endCalls, 1);
        QCOMPARE(p.registry.activeScreen(), nullptr);
        p.registry.show("Instructions"); // after End nothing opens any more
        QVERIFY(!p.loaded("Instructions"));
    }

    void instructionsPrintTheirLinesOnceOnEveryActivation()
    {
        Program p;
        p.chooseMenu("Introduction", "mnuInstruct");
        ScreenWindow *w = p.window("Instructions");
        QStringList expected;
        for (std::string_view line : InstructionLines)
            expected.append(toQString(line));
        QCOMPARE(w->properties().printedLines(), expected);
        QCOMPARE(w->properties().printedLines().first(), QStringLiteral(" "));
        QCOMPARE(
            w->properties().printedLines().at(13),
            QStringLiteral(
                "  the test. It and its explanations should provide you with excellent practice and preparation. "));

        p.registry.show("Introduction"); // away and back: cleared and printed again, never twice
        p.chooseMenu("Introduction", "mnuInstruct");
        QCOMPARE(w->properties().printedLines(), expected);
        p.registry.windowActivated(p.registry.screen("Introduction"));
        p.registry.windowActivated(p.registry.screen("Instructions"));
        QCOMPARE(w->properties().printedLines().size(), 14);
        QCOMPARE(p.window("Instructions"), w);
    }

    void printedTextStartsTopLeftAndIsCutOffNotWrapped()
    {
        Program p;
        p.registry.show("Glossary");
        ScreenWindow *w = p.window("Glossary");
        ScreenSurface *surface = w->surface();
        QCOMPARE(w->properties().printedLines().size(), 45);
        const QImage image = surface->grab().toImage();
        const QColor back(255, 255, 128);
        const int line = surface->lineHeight();
        QVERIFY(bandHasInk(image, 0, line, back)); // the first line at the very top
        QVERIFY(image.pixelColor(0, line / 2) != back ||
                image.pixelColor(1, line / 2) != back);                   // ...from the left edge
        QVERIFY(!bandHasInk(image, 45 * line + 2, image.height(), back)); // nothing wrapped below the last line

        // A line wider than the page runs out at the right edge and does not continue below.
        w->properties().print(QString(300, QLatin1Char('W')));
        const QImage cut = surface->grab().toImage();
        QVERIFY(bandHasInk(cut.copy(cut.width() - 3, 45 * line, 3, line), 0, line, back));
        QVERIFY(!bandHasInk(cut, 46 * line + 2, cut.height(), back));
    }

    void textGlossaryKeepsItsLinesExactly()
    {
        Program p;
        p.registry.show("Glossary");
        ScreenWindow *w = p.window("Glossary");
        QCOMPARE(w->windowTitle(), QStringLiteral("Abbreviations-Definitions-Formulas"));
        const QStringList lines = w->properties().printedLines();
        QVERIFY(lines.at(10).contains(QLatin1String("End Diasolic Pressure")));
        QVERIFY(lines.at(14).endsWith(QLatin1String("systole ")));
        QVERIFY(!lines.at(14).endsWith(QLatin1String("  ")));
        QCOMPARE(lines.at(1).indexOf(QLatin1Char('I')), 35);
        QCOMPARE(lines.at(3).indexOf(QLatin1Char('D')), 36);
        QStringList terms;
        for (const QString &l : lines) {
            if (!l.startsWith(QLatin1Char(' ')))
                terms.append(l.section(QLatin1Char('.'), 0, 0).trimmed());
        }
        QCOMPARE(terms.size(), 31);
        QCOMPARE(terms.first(), QStringLiteral("Afterload"));
        QCOMPARE(terms.last(), QStringLiteral("VFC"));
        p.registry.windowActivated(p.registry.screen("Introduction"));
        p.registry.windowActivated(p.registry.screen("Glossary"));
        QCOMPARE(w->properties().printedLines().size(), 45);
    }

    void menuStripExitSparesOnlyItself()
    {
        Program p;
        p.registry.show("form22");
        ScreenWindow *strip = p.window("form22");
        QCOMPARE(strip->windowTitle(), QStringLiteral("Menu"));
        QCOMPARE(barCaptions(strip), (QStringList{"&Open", "&Exit"}));
        QCOMPARE(strip->menuAction("mnuFile")->menu()->actions().size(), 5);
        for (auto entry : {"mnuPVLoopBasics", "mnuRelationships", "mnuLoopChangesAfterload", "mnuLoopChangesPreload",
                           "mnuLoopChangesContractility"})
            p.chooseMenu("form22", entry); // the loop pages are not part of the program: nothing happens
        QCOMPARE(p.registry.count(), 2);

        p.chooseMenu("Introduction", "mnuVFC");
        p.chooseMenu("Introduction", "mnuInstruct");
        p.registry.hide(p.registry.screen("Form3"));
        p.chooseMenu("form22", "mnuExit");
        QCOMPARE(p.registry.count(), 1);
        QCOMPARE(p.registry.forms().front()->name(), std::string_view("form22"));
        QCOMPARE(p.window("form22"), strip);
        QVERIFY(strip->isVisible());
        QVERIFY(!p.registry.ended());
        p.chooseMenu("form22", "mnuExit"); // alone: changes nothing
        QCOMPARE(p.registry.count(), 1);
        QVERIFY(!p.registry.ended());
    }

    void closingTheWelcomeScreenWithOnlyHiddenPagesLeftEndsTheProgram()
    {
        Program p;
        p.registry.hide(p.registry.screen("Form1"));
        p.closeThroughFrame("Introduction");
        QVERIFY(p.registry.ended());
        QCOMPARE(p.registry.count(), 0);
    }
};

QUORVEL_TEST_MAIN(WelcomeAndTextPagesTest)
#include "test_welcome_and_text_pages.moc"
