#include "practice_test/practice_test.h"

#include "practice_test/answer_key.h"
#include "practice_test/practice_test_description.h"
#include "resources/screen_names.h"
#include "shell/screen_registry.h"

namespace quorvel {

namespace {
constexpr ClickHandler<Test> handlers[] = {
    {"cmdStart", &Test::cmdStart_Click},         {"cmdNext", &Test::cmdNext_Click},
    {"cmdReset", &Test::cmdReset_Click},         {"List2", &Test::List2_Click},
    {"mnuInstruct", &Test::mnuInstruct_Click},   {"mnuRelations", &Test::mnuRelations_Click},
    {"mnuGlossary", &Test::mnuGlossary_Click},   {"mnuTest", &Test::mnuTest_Click},
    {"mnuCloseTest", &Test::mnuCloseTest_Click}, {"mnuEnd", &Test::mnuEnd_Click},
};

// The figure boxes that start and reset hide; q1 alone stays.
constexpr std::string_view figuresOverQuestionOne[] = {"q09", "Q12", "q17", "q21", "q26"};

// Each figure appears once the cursor passes its threshold, and only after the one before it:
// questions 9, 12, 17 and 21 with the cursor a multiple of 6.
struct FigureThreshold {
    int cursorAbove;
    std::string_view box;
};
constexpr FigureThreshold figureThresholds[] = {{44, "q09"}, {60, "Q12"}, {90, "q17"}, {115, "q21"}};
} // namespace

Test::Test(ScreenRegistry &registry) : Screen(registry, testDescription) {}

bool Test::handleEvent(std::string_view control, ControlEvent)
{
    if (!loaded())
        return false; // an unloaded screen has no controls to report from
    return runClickHandler(*this, handlers, control);
}

void Test::Form_Load()
{
    m_questionBank.fill();
}

void Test::showFirstFigure()
{
    for (std::string_view box : figuresOverQuestionOne)
        setControlVisible(box, false);
    setControlVisible("q1", true);
}

void Test::switchFigures()
{
    for (const FigureThreshold &threshold : figureThresholds) {
        if (m_questionCursor <= threshold.cursorAbove)
            return;
        setControlVisible(threshold.box, true);
    }
}

void Test::cmdStart_Click()
{
    showFirstFigure();
    setControlVisible("List2", true);
    clearList("List2");
    setText("Text", "");
    m_questionCursor = 0;
    for (std::string_view row : QuestionBank::questionOneRows())
        addItem("List2", row);
}

void Test::cmdNext_Click()
{
    setText("Text", "");
    setCaption("Label1", " ");
    clearList("List2");
    // The bank ends at slot 150: at the closing line the same six rows are shown again.
    const int last = m_questionCursor < QuestionBank::lastSlot ? m_questionCursor + QuestionBank::rowsPerQuestion
                                                               : QuestionBank::lastSlot;
    for (int slot = last - QuestionBank::rowsPerQuestion + 1; slot <= last; ++slot)
        addItem("List2", m_questionBank.slot(slot));
    m_questionCursor = static_cast<std::int16_t>(last);
    switchFigures();
}

void Test::cmdReset_Click()
{
    setText("Text", "");
    clearList("List2");
    m_questionCursor = 0;
    showFirstFigure();
}

void Test::List2_Click()
{
    const AnswerKeyEntry *entry = answer_key::find(m_questionCursor);
    if (!entry)
        return; // the closing line: nothing to judge
    if (entry->emptiesText)
        setText("Text", "");
    if (entry->rightRows.contains(listIndex("List2"))) {
        setCaption("Label1", entry->confirmation);
        registry().show(entry->page);
    } else {
        setCaption("Label1", "TRY AGAIN");
    }
}

void Test::mnuInstruct_Click()
{
    registry().show(screen_name::Instructions);
}
void Test::mnuRelations_Click()
{
    registry().show(screen_name::VascularFunctionCurves);
}
void Test::mnuGlossary_Click()
{
    registry().show(screen_name::Glossary2);
}
void Test::mnuTest_Click()
{
    registry().show(*this);
}
// Both walks unload this screen while its handler runs; nothing here touches the window after.
void Test::mnuCloseTest_Click()
{
    registry().closeToWelcome();
}
void Test::mnuEnd_Click()
{
    registry().endSession();
}

} // namespace quorvel
