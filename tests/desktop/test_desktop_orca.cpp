// The program with the Orca screen reader, driven by real key presses alone, as a blind student
// takes the module: what Orca speaks on each screen, and that the keys never leave the student
// stranded on a page. Orca starts before the program; its debug file lists every utterance.
#include "desktop/assistive_tool.h"
#include "desktop/desktop_program.h"
#include "desktop/orca_speech.h"

#include "glossary/glossary_content.h"
#include "welcome/instructions_content.h"
#include "welcome/introduction_content.h"
#include "window/controls.h"
#include "window/screen_surface.h"
#include "window/text.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QListWidget>

using namespace quorvel;
using namespace quorvel::desktop;

namespace {
QStringList lines(std::span<const std::string_view> texts)
{
    QStringList all;
    for (std::string_view t : texts) {
        if (!plain(toQString(t)).isEmpty())
            all.append(toQString(t));
    }
    return all;
}

QStringList lines(const QString &text)
{
    QStringList all;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!plain(line).isEmpty())
            all.append(line);
    }
    return all;
}

// The picture's description, as the program holds it: what a screen must give the student.
QString pictureText(const QWidget *pictureHolder)
{
    if (auto *surface = qobject_cast<const ScreenSurface *>(pictureHolder))
        return surface->picture() ? surface->picture()->description() : QString();
    auto *box = qobject_cast<const PictureBoxControl *>(pictureHolder);
    return box && box->client()->picture() ? box->client()->picture()->description() : QString();
}
bool onlySelected(const QListWidget *list, int row)
{
    return list->selectedItems().size() == 1 && list->item(row)->isSelected();
}
} // namespace

class DesktopOrcaTest : public QObject
{
    Q_OBJECT
public:
    explicit DesktopOrcaTest(DesktopSession &session) : m_session(session), m_speech(session.orcaLog()) {}

private slots:
    void initTestCase();
    void init() { m_from = m_speech.mark(); }
    void cleanup();
    void welcomeGlossariesAndInstructions();
    void tutorialTopicsByKeys();
    void testQuestionsByKeys();
    void choicesThroughTheAccessibilityInterface();

private:
    // Presses the keys (xdotool syntax), one after another.
    bool press(const QString &keys)
    {
        for (const QString &key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!pressKeys(key))
                return false;
        }
        return true;
    }
    // Alt, then Right to the entry (each heard before the next key), then Return. The welcome, tutorial
    // and test bars all begin "Instructions", "Tutorial", "Glossary", "Test".
    bool chooseFromMenuBar(int entry)
    {
        static const char *const entries[] = {"Instructions", "Tutorial", "Glossary", "Test"};
        // Alt is held until Orca has heard it, as a hand holds it. Pressed and let go at once, the
        // screen reader's hold on each key (Qt hands it on only once Orca has answered) can bring the
        // release before the press to the menu bar, which then opens and closes again.
        if (!runTool(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("alt")}) ||
            !hear({QStringLiteral("left alt")}) ||
            !runTool(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("alt")}) ||
            !hear({QString::fromLatin1(entries[0])}))
            return false;
        for (int i = 1; i <= entry; ++i) {
            if (!press(QStringLiteral("Right")) || !hear({QString::fromLatin1(entries[i])}))
                return false;
        }
        return press(QStringLiteral("Return"));
    }
    // Waits to hear the texts, in order, after what was heard last; moves on past them.
    bool hear(const QStringList &texts, int timeoutMs = hearMs)
    {
        const int after = m_speech.waitToHear(m_heard, texts, timeoutMs);
        if (after < 0) {
            qWarning("not heard in order: \"%s\"", qPrintable(texts.join(QStringLiteral("\", \""))));
            return false;
        }
        m_heard = after;
        return true;
    }
    // Nothing in the utterances heard since the scenario began starts with the text.
    bool neverStartsWith(const QString &text)
    {
        const QStringList &all = m_speech.utterances();
        for (int i = m_from; i < all.size(); ++i) {
            if (plain(all.at(i)).startsWith(text))
                return false;
        }
        return true;
    }

    DesktopSession &m_session;
    Speech m_speech;
    int m_from = 0;  // the first utterance of the scenario
    int m_heard = 0; // the position after the last utterance a check heard
};

void DesktopOrcaTest::initTestCase()
{
    qInfo("window manager: %s", qPrintable(m_session.windowManagerName()));
    QVERIFY(QFile::exists(m_session.orcaLog()));
}

void DesktopOrcaTest::cleanup()
{
    // What Orca said in this scenario, for whoever reads the test's output.
    qInfo("Orca said:\n  | %s", qPrintable(m_speech.since(m_from)));
}

// The welcome screen's texts at start; the picture glossary, the instructions page and the text
// glossary each as they open, their lines in order.
void DesktopOrcaTest::welcomeGlossariesAndInstructions()
{
    m_heard = m_from;
    DesktopProgram p;
    QVERIFY(p.started);
    QVERIFY(hear({QStringLiteral("Introduction"), toQString(introduction_texts::greeting),
                  toQString(introduction_texts::title), toQString(introduction_texts::recommendation)}));

    // Alt opens the menu bar on its first entry, "Instructions"; "Glossary" is two to the right.
    QVERIFY(chooseFromMenuBar(2));
    QVERIFY(waitUntil([&] { return p.window("Glossary2") != nullptr; }));
    QVERIFY(hear(QStringList{QStringLiteral("Glossary")} + lines(pictureText(p.window("Glossary2")->surface()))));

    // Closed through the window manager, the picture glossary leaves the welcome screen, which
    // reads itself again.
    QVERIFY(press(QStringLiteral("alt+F4")));
    QVERIFY(hear({QStringLiteral("Introduction"), toQString(introduction_texts::greeting)}));
    QVERIFY(chooseFromMenuBar(0));
    QVERIFY(hear(QStringList{QStringLiteral("Instructions")} + lines(InstructionLines)));

    // No menu opens the text glossary; shown by the program, it reads its lines all the same.
    p.registry.show("Glossary");
    QVERIFY(hear(QStringList{QStringLiteral("Abbreviations-Definitions-Formulas")} + lines(GlossaryLines)));
}

// The tutorial: the prompt and the list, each topic row as it is reached, each topic page's topic
// and text; the keys go on choosing topics from the frameless page, Escape returns to the list,
// and the panel's picture is reached from the list with Tab.
void DesktopOrcaTest::tutorialTopicsByKeys()
{
    DesktopProgram p;
    QVERIFY(p.started);
    m_heard = m_from;
    QVERIFY(hear({QStringLiteral("Introduction"), toQString(introduction_texts::recommendation)}));
    QVERIFY(chooseFromMenuBar(1));
    QVERIFY(hear({QStringLiteral("Tutorial"), QStringLiteral("Click on topic to see related text"),
                  QStringLiteral("Topics"), QStringLiteral("List with 17 items")}));
    auto *topics = p.control<QListWidget>("VascularFunctionCurves", "basicList1");
    QVERIFY(topics);
    const auto choices = [&] { return p.counters.eventsOf("VascularFunctionCurves.basicList1"); };

    // Down reaches the empty row, then topic 1, whose page opens at once and reads its topic (the
    // page is named by it) and its text.
    QVERIFY(press(QStringLiteral("Down")));
    QVERIFY(waitUntil([&] { return choices() == 1; }, hearMs));
    QVERIFY(press(QStringLiteral("Down")));
    QVERIFY(hear(QStringList{QStringLiteral("Topic 1: Blood flow and velocity")} +
                 lines(pictureText(p.window("Form1")->surface())).mid(0, 3)));
    QVERIFY(waitUntil([&] { return p.reallyActive() == "Form1"; }, hearMs));

    // On the frameless page the arrow keys go on choosing topics, one choice per key.
    QVERIFY(press(QStringLiteral("Down")));
    QVERIFY(hear(QStringList{QStringLiteral("Topic 2: Basic blood pressures")} +
                 lines(pictureText(p.window("Form2")->surface())).mid(0, 3)));
    QVERIFY(waitUntil([&] { return p.reallyActive() == "Form2" && !p.window("Form1")->isVisible(); }, hearMs));
    QCOMPARE(choices(), 3);
    QCOMPARE(topics->currentRow(), 3);
    QVERIFY(press(QStringLiteral("Up")));
    QVERIFY(hear({QStringLiteral("Topic 1: Blood flow and velocity")}));
    QVERIFY(waitUntil([&] { return p.reallyActive() == "Form1"; }, hearMs));
    QCOMPARE(choices(), 4);

    // Escape goes back to the topic list, read with the row the student is on, and chooses nothing;
    // Tab then reaches the topic's panel.
    QVERIFY(press(QStringLiteral("Escape")));
    QVERIFY(hear({QStringLiteral("Topics"), topics->item(2)->text()}));
    QVERIFY(waitUntil([&] { return p.reallyActive() == "VascularFunctionCurves"; }, hearMs));
    QVERIFY(topics->hasFocus());
    QCOMPARE(choices(), 4);
    QCOMPARE(topics->currentRow(), 2);
    QVERIFY(p.window("Form1")->isVisible());
    QVERIFY(press(QStringLiteral("Tab")));
    auto *panel = qobject_cast<PictureBoxControl *>(p.control("VascularFunctionCurves", "flow1"));
    QVERIFY(hear(QStringList{panel->client()->picture()->title()} + lines(pictureText(panel)).mid(0, 2)));

    // Back in the list, rows that open no page are read as they are reached.
    QVERIFY(press(QStringLiteral("shift+Tab")));
    QVERIFY(hear({QStringLiteral("Topics")}));
    QVERIFY(press(QStringLiteral("Up Up")));
    QVERIFY(hear({QStringLiteral("BASIC BLOOD FLOW TOPICS")}));
    QCOMPARE(choices(), 6);
    QVERIFY(!p.window("Form1")->isVisible());

    // What a sighted student sees stays: the pages' caption is "Form1", never spoken alone.
    QCOMPARE(p.window("Form2")->windowTitle(), QStringLiteral("Form1"));
    QVERIFY(neverStartsWith(QStringLiteral("Form1")));
}

// The test: the question and its five choices heard on reaching the list, before any choice; the
// verdict after every choice; the explanation page's text as it opens; Escape back to the test;
// the next question on returning to the list.
void DesktopOrcaTest::testQuestionsByKeys()
{
    DesktopProgram p;
    QVERIFY(p.started);
    m_heard = m_from;
    QVERIFY(hear({QStringLiteral("Introduction"), toQString(introduction_texts::recommendation)}));
    QVERIFY(chooseFromMenuBar(3));
    QVERIFY(hear({QStringLiteral("Test"), QStringLiteral("Next Question")}));
    const auto choices = [&] { return p.counters.eventsOf("Test.List2"); };

    // Before the start, the start instructions are reached from the keyboard (they lie last in the
    // tab order).
    auto *card = qobject_cast<PictureBoxControl *>(p.control("Test", "q26"));
    QVERIFY(press(QStringLiteral("shift+Tab")));
    QVERIFY(hear(QStringList{QStringLiteral("Start instructions")} + lines(pictureText(card)).mid(0, 2)));
    QVERIFY(press(QStringLiteral("Tab Tab Tab")));
    QVERIFY(hear({QStringLiteral("Start Questions")}));
    QVERIFY(press(QStringLiteral("space")));
    auto *list = p.control<QListWidget>("Test", "List2");
    QVERIFY(waitUntil([&] { return list->isVisible() && list->count() == 6; }, hearMs));

    // Reaching the list reads the question and its five choices; nothing is chosen by that.
    QVERIFY(press(QStringLiteral("Tab")));
    const QStringList question1 = p.window("Test")->properties().listRows("List2");
    QVERIFY(hear(QStringList{QStringLiteral("Question and choices")} + question1));
    QCOMPARE(choices(), 0);
    QCOMPARE(p.control<QLabel>("Test", "Label1")->text(), QString());

    // Each choice is heard with its verdict; the right one opens its page, which reads its text.
    QVERIFY(press(QStringLiteral("Down")));
    QVERIFY(hear({QStringLiteral("a. 1"), QStringLiteral("TRY AGAIN")}));
    QCOMPARE(choices(), 1);
    // The right one's page comes to the front at once, before Orca reads the row: the verdict is
    // heard with the page.
    QVERIFY(press(QStringLiteral("Down")));
    QVERIFY(waitUntil([&] { return p.window("Formq01") != nullptr; })); // the key reaches it once Orca has seen it
    QVERIFY(hear(QStringList{QStringLiteral("Question 1"), QStringLiteral("CORRECT!")} +
                 lines(pictureText(p.window("Formq01")->surface()))));
    QVERIFY(waitUntil([&] { return p.reallyActive() == "Formq01"; }, hearMs));
    QCOMPARE(choices(), 2);

    // Escape on the explanation page goes back to the test's list; the page stays open.
    QVERIFY(press(QStringLiteral("Escape")));
    QVERIFY(hear({QStringLiteral("Question and choices")}));
    QVERIFY(waitUntil([&] { return p.reallyActive() == "Test" && list->hasFocus(); }, hearMs));
    QVERIFY(p.window("Formq01")->isVisible());
    QCOMPARE(choices(), 2);
    QCOMPARE(list->currentRow(), 2);

    // Next Question, then back to the list: the new question and its choices are heard.
    auto *next = p.control("Test", "cmdNext");
    for (int i = 0; i < 6 && !next->hasFocus(); ++i) {
        QVERIFY(press(QStringLiteral("Tab")));
        (void)waitUntil([&] { return next->hasFocus(); }, 1000);
    }
    QVERIFY(hear({QStringLiteral("Next Question")}));
    QVERIFY(press(QStringLiteral("space")));
    QVERIFY(
        waitUntil([&] { return list->count() == 6 && list->item(0)->text().startsWith(QLatin1String("2.")); }, hearMs));
    for (int i = 0; i < 6 && !list->hasFocus(); ++i) {
        QVERIFY(press(QStringLiteral("shift+Tab")));
        (void)waitUntil([&] { return list->hasFocus(); }, 1000);
    }
    const QStringList question2 = p.window("Test")->properties().listRows("List2");
    QVERIFY(hear(QStringList{QStringLiteral("Question and choices")} + question2));
    QCOMPARE(choices(), 2);
}

// A switch-access or voice-control tool chooses through the accessibility interface: each row it
// selects is one choice, as a click on the row is (the topic's page shown, the answer judged and a
// right one's page opened); a deselection it asks for is undone and chooses nothing.
void DesktopOrcaTest::choicesThroughTheAccessibilityInterface()
{
    DesktopProgram p;
    QVERIFY(p.started);
    const auto shows = [&](std::string_view screen) { return p.window(screen) && p.window(screen)->isVisible(); };
    p.registry.show("VascularFunctionCurves");
    auto *topics = p.control<QListWidget>("VascularFunctionCurves", "basicList1");
    QVERIFY(waitUntil([&] { return topics->isVisible(); }));
    QVERIFY(chooseRow(topics, 2, Through::TableRow));
    QVERIFY(waitUntil([&] { return shows("Form1"); }));
    QVERIFY(chooseRow(topics, 3, Through::TableRow));
    QVERIFY(waitUntil([&] { return shows("Form2") && !shows("Form1"); }));
    QCOMPARE(p.counters.eventsOf("VascularFunctionCurves.basicList1"), 2);
    QVERIFY(onlySelected(topics, 3));
    QCOMPARE(topics->currentRow(), 3);
    QVERIFY(tryToDeselect(topics, 3));
    QVERIFY(waitUntil([&] { return onlySelected(topics, 3); }));
    QCOMPARE(p.counters.eventsOf("VascularFunctionCurves.basicList1"), 2);
    QVERIFY(shows("Form2"));

    p.registry.show("Test");
    QVERIFY(askOverAccessibilityBus(QAccessible::queryAccessibleInterface(p.control("Test", "cmdStart")),
                                    QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("DoAction"), {0})
                .toBool()); // Press
    auto *answers = p.control<QListWidget>("Test", "List2");
    QVERIFY(waitUntil([&] { return answers->isVisible() && answers->count() == 6; }));
    const auto verdict = [&] { return p.control<QLabel>("Test", "Label1")->text(); };
    QVERIFY(chooseRow(answers, 1, Through::RowAction)); // a, wrong
    QVERIFY(waitUntil([&] { return verdict() == QLatin1String("TRY AGAIN"); }));
    QVERIFY(chooseRow(answers, 2, Through::RowAction)); // b, right
    QVERIFY(waitUntil([&] { return verdict() == QLatin1String("CORRECT!") && shows("Formq01"); }));
    QCOMPARE(p.counters.eventsOf("Test.List2"), 2);
    QVERIFY(tryToDeselect(answers, 2));
    QVERIFY(waitUntil([&] { return onlySelected(answers, 2); }));
    QCOMPARE(p.counters.eventsOf("Test.List2"), 2);
}

QUORVEL_DESKTOP_TEST_MAIN(DesktopOrcaTest, true, QStringLiteral("1024x768x24"))
#include "test_desktop_orca.moc"
