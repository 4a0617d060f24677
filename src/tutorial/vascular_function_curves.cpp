#include "tutorial/vascular_function_curves.h"

namespace quorvel {

const ScreenDescription vascularFunctionCurvesDescription{
    .name = "VascularFunctionCurves",
    .caption = "Tutorial",
    .backColor = colours::blue,
    .border = BorderStyle::FixedSingle,
    .maxButton = false,
    .minButton = false,
    .windowState = WindowState::Maximized,
    .startUpPosition = StartUpPosition::WindowsDefault,
    .clientWidth = 14220,
    .clientHeight = 10500,
};

VascularFunctionCurves::VascularFunctionCurves(ScreenRegistry &registry)
    : Screen(registry, vascularFunctionCurvesDescription)
{
}

} // namespace quorvel
