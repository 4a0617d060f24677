#include "scene_writer.h"

namespace quorvel {

void renderTutorialScenes(SceneWriter &out)
{
    withProgram([&](ScreenRegistry &r) {
        clickMenu(r, "Introduction", "mnuVFC");
        out.grab(r, "VascularFunctionCurves", QStringLiteral("10-tutorial-opened"));
    });
}

} // namespace quorvel
