#pragma once

#include "shell/screen.h"

namespace quorvel {

extern const ScreenDescription vascularFunctionCurvesDescription;

// The tutorial screen.
class VascularFunctionCurves : public Screen
{
public:
    explicit VascularFunctionCurves(ScreenRegistry &registry);
};

} // namespace quorvel
