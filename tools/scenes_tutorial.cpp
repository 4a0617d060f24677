#include "scene_writer.h"

#include "tutorial/topic_table.h"

namespace quorvel {

namespace {
void openTutorial(ScreenRegistry &r)
{
    clickMenu(r, "Introduction", "mnuVFC");
}

// One topic chosen on a fresh tutorial: the tutorial with its panel, and the topic page beside it.
void renderTopic(SceneWriter &out, const TopicRow &row)
{
    withProgram([&](ScreenRegistry &r) {
        openTutorial(r);
        selectRow(r, "VascularFunctionCurves", "basicList1", row.listPosition);
        const QString topic = QStringLiteral("topic%1").arg(row.topicNumber(), 2, 10, QLatin1Char('0'));
        out.grab(r, "VascularFunctionCurves", QStringLiteral("11-tutorial-") + topic);
        out.grab(r, row.page, QStringLiteral("11-page-") + topic);
    });
}
} // namespace

void renderTutorialScenes(SceneWriter &out)
{
    withProgram([&](ScreenRegistry &r) {
        openTutorial(r);
        out.grab(r, "VascularFunctionCurves", QStringLiteral("10-tutorial-opened"));
    });
    for (const TopicRow &row : TopicTable::rows()) {
        if (row.ownsTopic())
            renderTopic(out, row);
    }
    withProgram([&](ScreenRegistry &r) {
        openTutorial(r);
        selectRow(r, "VascularFunctionCurves", "basicList1", 8);
        selectRow(r, "VascularFunctionCurves", "basicList1", 0);
        out.grab(r, "VascularFunctionCurves", QStringLiteral("12-tutorial-heading-after-topic"));
    });
    withProgram([&](ScreenRegistry &r) {
        openTutorial(r);
        selectRow(r, "VascularFunctionCurves", "basicList1", 5);
        clickMenu(r, "VascularFunctionCurves", "mnuCloseTutorial");
        openTutorial(r);
        out.grab(r, "VascularFunctionCurves", QStringLiteral("13-tutorial-reopened-after-close"));
    });
}

} // namespace quorvel
