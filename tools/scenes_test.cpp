#include "scene_writer.h"

namespace quorvel {

namespace {
// The test opened from the welcome menu, started and advanced to the given question.
void atQuestion(ScreenRegistry &r, int question)
{
    clickMenu(r, "Introduction", "mnuTest");
    clickButton(r, "Test", "cmdStart");
    for (int k = 1; k < question; ++k)
        clickButton(r, "Test", "cmdNext");
}
} // namespace

void renderTestScenes(SceneWriter &out)
{
    withProgram([&](ScreenRegistry &r) {
        clickMenu(r, "Introduction", "mnuTest");
        out.grab(r, "Test", QStringLiteral("20-test-opened"));
    });
    struct QuestionScene {
        int question;
        int row; // the row picked, -1 for none
        const char *scene;
    };
    const QuestionScene scenes[] = {
        {1, 1, "21-test-q01"},   {9, 0, "22-test-q09"},  {12, 4, "23-test-q12"},
        {17, -1, "24-test-q17"}, {21, 2, "25-test-q21"}, {26, -1, "26-test-closing"},
    };
    for (const QuestionScene &s : scenes) {
        withProgram([&](ScreenRegistry &r) {
            atQuestion(r, s.question);
            if (s.row >= 0)
                selectRow(r, "Test", "List2", s.row);
            r.show("Test"); // the test in front, also after a right answer opened its page
            out.grab(r, "Test", QLatin1String(s.scene));
        });
    }
    withProgram([&](ScreenRegistry &r) {
        atQuestion(r, 12);
        selectRow(r, "Test", "List2", 4);
        out.grab(r, "Formq12", QStringLiteral("27-test-explanation-q12"));
    });
}

} // namespace quorvel
