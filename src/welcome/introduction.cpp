#include "welcome/introduction.h"

#include "resources/screen_names.h"
#include "shell/screen_registry.h"
#include "welcome/introduction_content.h"

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
    setCaption("Label1", introduction_texts::greeting);
    setCaption("Label2", introduction_texts::title);
    setCaption("Label3", introduction_texts::recommendation);
}

void Introduction::mnuInstruct_Click()
{
    registry().show(screen_name::Instructions);
}
void Introduction::prepareWhatComesNext()
{
    // The tutorial opens on its title slide: drawn meanwhile, it appears with the window.
    registry().prepareAhead(screen_name::VascularFunctionCurves);
}

void Introduction::mnuVFC_Click()
{
    registry().show(screen_name::VascularFunctionCurves);
}
void Introduction::mnuGlossary_Click()
{
    registry().show(screen_name::Glossary2);
}
void Introduction::mnuTest_Click()
{
    registry().show(screen_name::Test);
}
void Introduction::mnuEnd_Click()
{
    registry().endSession();
}

} // namespace quorvel
