#pragma once

#include "shell/screen.h"

namespace quorvel {

extern const ScreenDescription testDescription;

// The practice test screen.
class Test : public Screen
{
public:
    explicit Test(ScreenRegistry &registry);
};

} // namespace quorvel
