#include "tutorial/vascular_function_curves_description.h"

#include "resources/screen_names.h"

namespace quorvel {

namespace {
constexpr PictureRef placeable(std::string_view file)
{
    return {file, PictureKind::PlaceableMetafile};
}

// The five placeable-metafile panels reach 120 twips above and below master and cover it whole.
constexpr ControlDescription wmfPanel(std::string_view name, std::string_view container, std::int16_t left,
                                      std::int16_t top, int tabIndex, std::string_view picture)
{
    return {.name = name,
            .kind = ControlKind::PictureBox,
            .container = container,
            .left = left,
            .top = top,
            .width = 8415,
            .height = 6135,
            .tabIndex = tabIndex,
            .picture = placeable(picture)};
}

// The enhanced-metafile panels lie on light yellow, over exactly master's rectangle or inside a
// container; all of them start hidden.
constexpr ControlDescription emfPanel(std::string_view name, std::string_view container, std::int16_t left,
                                      std::int16_t top, std::int16_t width, std::int16_t height, int tabIndex,
                                      std::string_view picture)
{
    return {.name = name,
            .kind = ControlKind::PictureBox,
            .container = container,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .backColor = colours::lightYellow,
            .visible = false,
            .tabIndex = tabIndex,
            .picture = {picture, PictureKind::EnhancedMetafile}};
}

constexpr ControlDescription controls[] = {
    wmfPanel("vein1", "", 5040, 120, 22, "VascularFunctionCurves.vein1.svg"),
    wmfPanel("title", "vein1", 0, 0, 23, "VascularFunctionCurves.title.svg"),
    wmfPanel("partitionb", "", 5040, 120, 21, "VascularFunctionCurves.partitionb.svg"),
    wmfPanel("resistance2b", "", 5040, 120, 20, "VascularFunctionCurves.resistance2b.svg"),
    wmfPanel("reflection1b", "", 5040, 120, 19, "VascularFunctionCurves.reflection1b.svg"),
    wmfPanel("reflection3", "", 5040, 120, 18, "VascularFunctionCurves.reflection3.svg"),
    emfPanel("reflection2", "", 5040, 240, 8415, 5895, 17, "VascularFunctionCurves.reflection2.svg"),
    emfPanel("pulse1", "", 5040, 240, 8415, 5895, 15, "VascularFunctionCurves.pulse1.svg"),
    emfPanel("reflection1", "pulse1", 0, 0, 8415, 5895, 16, "VascularFunctionCurves.reflection1.svg"),
    emfPanel("stress", "", 5040, 240, 8415, 5895, 13, "VascularFunctionCurves.stress.svg"),
    emfPanel("partition", "stress", 0, 0, 8415, 5895, 14, "VascularFunctionCurves.partition.svg"),
    emfPanel("stenoses", "", 5040, 240, 8415, 5895, 12, "VascularFunctionCurves.stenoses.svg"),
    emfPanel("turbulence1", "", 5040, 240, 8415, 5895, 11, "VascularFunctionCurves.turbulence1.svg"),
    {.name = "master",
     .kind = ControlKind::PictureBox,
     .left = 5040,
     .top = 240,
     .width = 8415,
     .height = 5895,
     .backColor = colours::blue,
     .tabIndex = 4,
     .scale = UserScale{0, 0, 1, 0.9898219f}},
    emfPanel("resistance4", "master", 0, 0, 8415, 5895, 10, "VascularFunctionCurves.resistance4.svg"),
    emfPanel("resistance3", "master", 0, 0, 8415, 5895, 9, "VascularFunctionCurves.resistance3.svg"),
    emfPanel("resistance1", "master", 0, 0, 8415, 5895, 7, "VascularFunctionCurves.resistance1.svg"),
    emfPanel("resistance2", "resistance1", 0, 0, 8295, 5775, 8, "VascularFunctionCurves.resistance2.svg"),
    emfPanel("pressure1", "master", 0, 0, 8415, 5895, 6, "VascularFunctionCurves.pressure1.svg"),
    emfPanel("flow1", "master", 0, 0, 8415, 5895, 5, "VascularFunctionCurves.flow1.svg"),
    {.name = "basicList1",
     .kind = ControlKind::ListBox,
     .left = 240,
     .top = 480,
     .width = 4575,
     .height = 4380,
     .backColor = colours::darkBlue,
     .foreColor = colours::windowBackground,
     .font = boldSansSerif(97500),
     .tabIndex = 1,
     .accessibleName = "Topics"},
    {.name = "BasicAnswers1",
     .kind = ControlKind::TextBox,
     .left = 240,
     .top = 5040,
     .width = 4575,
     .height = 4305,
     .backColor = colours::darkBlue,
     .foreColor = colours::windowBackground,
     .font = boldSansSerif(97500),
     .multiLine = true,
     .visible = false,
     .tabIndex = 0,
     .accessibleName = "Answers"},
    // Blue on the blue screen and without a caption: present but never seen.
    {.name = "Label1",
     .kind = ControlKind::Label,
     .left = 6720,
     .top = 8640,
     .width = 1455,
     .height = 255,
     .backColor = colours::blue,
     .foreColor = colours::white,
     .alignment = Alignment::Centre,
     .tabIndex = 2},
    {.name = "Label3",
     .kind = ControlKind::Label,
     .left = 720,
     .top = 0,
     .width = 3855,
     .height = 375,
     .caption = "Click on topic to see related text",
     .backColor = colours::darkBlue,
     .foreColor = colours::white,
     .font = boldSansSerif(97500),
     .alignment = Alignment::Centre,
     .singleBorder = true,
     .tabIndex = 3},
};

constexpr MenuEntryDescription menus[] = {
    {"mnuInstructions", "Instructions"}, {"mnuRelations", "Tutorial"}, {"mnuCloseTutorial", "CloseTutorial"},
    {"mnuGlossary", "Glossary"},         {"mnuTest", "Test"},          {"mnuEnd", "End Session"},
};
} // namespace

const ScreenDescription vascularFunctionCurvesDescription{
    .name = screen_name::VascularFunctionCurves,
    .caption = "Tutorial",
    .backColor = colours::blue,
    .border = BorderStyle::FixedSingle,
    .maxButton = false,
    .minButton = false,
    .windowState = WindowState::Maximized,
    .startUpPosition = StartUpPosition::WindowsDefault,
    .clientWidth = 14220,
    .clientHeight = 10500,
    .controls = controls,
    .menus = menus,
};

} // namespace quorvel
