#pragma once

#include "practice_test/question_bank.h"
#include "shell/screen.h"

#include <cstdint>

namespace quorvel {

// The practice test: 25 questions stepped through the answer list, each choice judged at once,
// a right one opening the question's explanation page.
class Test : public Screen
{
public:
    explicit Test(ScreenRegistry &registry);

    // Fills the question bank and nothing else: the cursor survives unload and reload.
    void Form_Load() override;

    void cmdStart_Click();
    void cmdNext_Click();
    void cmdReset_Click();
    void List2_Click();

    void mnuInstruct_Click();
    void mnuRelations_Click();
    void mnuGlossary_Click();
    void mnuTest_Click();
    void mnuCloseTest_Click();
    void mnuEnd_Click();

    // The bank slot of the last row on show: 6 (k - 1) for question k, 150 at the closing line.
    std::int16_t questionCursor() const { return m_questionCursor; }
    const QuestionBank &questionBank() const { return m_questionBank; }

protected:
    bool handleEvent(std::string_view control, ControlEvent event) override;

private:
    void showFirstFigure();
    void switchFigures();

    QuestionBank m_questionBank;
    std::int16_t m_questionCursor = 0;
};

} // namespace quorvel
