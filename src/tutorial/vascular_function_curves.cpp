#include "tutorial/vascular_function_curves.h"

#include "resources/screen_names.h"
#include "shell/screen_registry.h"
#include "tutorial/topic_table.h"

namespace quorvel {

namespace {
constexpr ClickHandler<VascularFunctionCurves> handlers[] = {
    {"basicList1", &VascularFunctionCurves::basicList1_Click},
    {"mnuInstructions", &VascularFunctionCurves::mnuInstructions_Click},
    {"mnuRelations", &VascularFunctionCurves::mnuRelations_Click},
    {"mnuCloseTutorial", &VascularFunctionCurves::mnuCloseTutorial_Click},
    {"mnuGlossary", &VascularFunctionCurves::mnuGlossary_Click},
    {"mnuTest", &VascularFunctionCurves::mnuTest_Click},
    {"mnuEnd", &VascularFunctionCurves::mnuEnd_Click},
};
} // namespace

VascularFunctionCurves::VascularFunctionCurves(ScreenRegistry &registry)
    : Screen(registry, vascularFunctionCurvesDescription)
{}

bool VascularFunctionCurves::handleEvent(std::string_view control, ControlEvent)
{
    return runClickHandler(*this, handlers, control);
}

void VascularFunctionCurves::prepareWhatComesNext()
{
    // The first choice of a topic loads all fifteen pages at once: their pictures are ready by then.
    for (const TopicRow &row : TopicTable::rows())
        if (row.ownsTopic())
            registry().prepareAhead(row.page);
}

void VascularFunctionCurves::Form_Load()
{
    // Only the rows: no selection, so the title picture stays on top until the first choice.
    for (const TopicRow &row : TopicTable::rows())
        addItem("basicList1", row.rowText);
}

void VascularFunctionCurves::basicList1_Click()
{
    const int selected = listIndex("basicList1");
    // Ascending order: pages of earlier topics are hidden before the chosen one is shown, later
    // ones after it. Showing a page activates it, which leaves this screen loaded and its window
    // in place, so the walk goes on.
    for (const TopicRow &row : TopicTable::rows()) {
        if (!row.ownsTopic())
            continue;
        Screen &page = registry().screen(row.page);
        if (row.listPosition == selected) {
            setControlVisible(row.panel, true);
            registry().setVisible(page, true);
        } else {
            setControlVisible(row.panel, false);
            registry().hide(page);
        }
    }
    setControlVisible("title", false);
}

void VascularFunctionCurves::mnuInstructions_Click()
{
    registry().show(screen_name::Instructions);
}
void VascularFunctionCurves::mnuRelations_Click()
{
    registry().show(*this);
}
void VascularFunctionCurves::mnuCloseTutorial_Click()
{
    registry().closeToWelcome();
}
void VascularFunctionCurves::mnuGlossary_Click()
{
    registry().show(screen_name::Glossary2);
}
void VascularFunctionCurves::mnuTest_Click()
{
    registry().show(screen_name::Test);
}
void VascularFunctionCurves::mnuEnd_Click()
{
    registry().endSession();
}

} // namespace quorvel
