#include "shell/introduction.h"
#include "window/text.h"

#include "shell/introduction_content.h"
#include "shell/screen_registry.h"

namespace quorvel {

namespace {
constexpr ClickHandler<Introduction> handlers[] = {
    {"mnuInstruct", &Introduction::mnuInstruct_Click}, {"mnuVFC", &Introduction::mnuVFC_Click},
    {"mnuGlossary", &Introduction::mnuGlossary_Click}, {"mnuTest", &Introduction::mnuTest_Click},
    {"mnuEnd", &Introduction::mnuEnd_Click},
};
} // namespace

Introduction::Introduction(ScreenRegistry &registry) : Screen(registry, introductionDescription) {}

bool Introduction::handleEvent(std::string_view control, ControlEvent)
{
    return runClickHandler(*this, handlers, control);
}

void Introduction::Form_Load()
{
    window()->setCaption("Label1", toQString(introduction_texts::greeting));
    window()->setCaption("Label2", toQString(introduction_texts::title));
    window()->setCaption("Label3", toQString(introduction_texts::recommendation));
}

void Introduction::mnuInstruct_Click()
{
    registry().show("Instructions");
}
void Introduction::mnuVFC_Click()
{
    registry().show("VascularFunctionCurves");
}
void Introduction::mnuGlossary_Click()
{
    registry().show("Glossary2");
}
void Introduction::mnuTest_Click()
{
    registry().show("Test");
}
void Introduction::mnuEnd_Click()
{
    registry().endSession();
}

} // namespace quorvel
