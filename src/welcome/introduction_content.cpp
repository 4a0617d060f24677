#include "welcome/introduction_content.h"

#include "resources/screen_names.h"

namespace quorvel {

namespace {
constexpr ControlDescription welcomeLabel(std::string_view name, std::int16_t left, std::int16_t top,
                                          std::int16_t width, std::int16_t height, std::int32_t fontSize, int tabIndex)
{
    return {.name = name,
            .kind = ControlKind::Label,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .caption = name,
            .backColor = colours::blue,
            .foreColor = colours::highlightText,
            .font = boldSansSerif(fontSize),
            .tabIndex = tabIndex};
}

constexpr ControlDescription controls[] = {
    welcomeLabel("Label1", 3360, 3960, 7815, 615, 135000, 2),
    welcomeLabel("Label3", 3720, 5640, 5415, 855, 120000, 1),
    welcomeLabel("Label2", 2880, 4800, 10095, 615, 135000, 0),
};

constexpr MenuEntryDescription menus[] = {
    {"mnuInstruct", "Instructions"}, {"mnuVFC", "Tutorial"}, {"mnuGlossary", "Glossary"}, {"mnuTest", "Test"},
    {"mnuEnd", "End Session"},
};
} // namespace

const ScreenDescription introductionDescription{
    .name = screen_name::Introduction,
    .caption = "Introduction",
    .backColor = colours::blue,
    .foreColor = colours::highlightText,
    .font = boldSansSerif(97500),
    .border = BorderStyle::FixedSingle,
    .maxButton = false,
    .minButton = false,
    .windowState = WindowState::Maximized,
    .startUpPosition = StartUpPosition::WindowsDefault,
    .clientLeft = 150,
    .clientTop = 720,
    .clientWidth = 13425,
    .clientHeight = 7560,
    .controls = controls,
    .menus = menus,
};

} // namespace quorvel
