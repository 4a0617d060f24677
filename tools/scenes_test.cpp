#include "scene_writer.h"

namespace quorvel {

void renderTestScenes(SceneWriter &out)
{
    withProgram([&](ScreenRegistry &r) {
        clickMenu(r, "Introduction", "mnuTest");
        out.grab(r, "Test", QStringLiteral("20-test-opened"));
    });
}

} // namespace quorvel
