#include "test/test_screen.h"

namespace quorvel {

const ScreenDescription testDescription{
    .name = "Test",
    .caption = "Test",
    .backColor = colours::blue,
    .border = BorderStyle::FixedDialog,
    .maxButton = false,
    .minButton = false,
    .showInTaskbar = false,
    .windowState = WindowState::Maximized,
    .startUpPosition = StartUpPosition::CenterScreen,
    .clientWidth = 12930,
    .clientHeight = 8745,
};

Test::Test(ScreenRegistry &registry) : Screen(registry, testDescription) {}

} // namespace quorvel
