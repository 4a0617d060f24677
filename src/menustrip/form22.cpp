#include "menustrip/form22.h"

#include "resources/screen_names.h"
#include "shell/screen_registry.h"

namespace quorvel {

namespace {
constexpr MenuEntryDescription menus[] = {
    {"mnuFile", "&Open", 1},
    {"mnuPVLoopBasics", "&BasicLoopFeatures", 2},
    {"mnuRelationships", "&RelationToWiggersDiagram", 2},
    {"mnuLoopChangesAfterload", "&AfterloadChanges", 2},
    {"mnuLoopChangesPreload", "&PreloadChanges", 2},
    {"mnuLoopChangesContractility", "&ContractilityChanges", 2},
    {"mnuExit", "&Exit", 1},
};

constexpr ClickHandler<form22> handlers[] = {
    {"mnuPVLoopBasics", &form22::mnuLoopPage_Click},
    {"mnuRelationships", &form22::mnuLoopPage_Click},
    {"mnuLoopChangesAfterload", &form22::mnuLoopPage_Click},
    {"mnuLoopChangesPreload", &form22::mnuLoopPage_Click},
    {"mnuLoopChangesContractility", &form22::mnuLoopPage_Click},
    {"mnuExit", &form22::mnuExit_Click},
};
} // namespace

const ScreenDescription form22Description{
    .name = screen_name::form22,
    .caption = "Menu",
    .backColor = colours::blue,
    .border = BorderStyle::Sizable,
    .startUpPosition = StartUpPosition::Manual,
    .clientLeft = 60,
    .clientTop = 630,
    .clientWidth = 1785,
    .clientHeight = 15,
    .menus = menus,
};

form22::form22(ScreenRegistry &registry) : Screen(registry, form22Description) {}

bool form22::handleEvent(std::string_view control, ControlEvent)
{
    return runClickHandler(*this, handlers, control);
}

void form22::mnuExit_Click()
{
    registry().unloadAllExcept(*this);
}

} // namespace quorvel
