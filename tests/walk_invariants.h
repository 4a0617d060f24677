#pragma once
// What must hold after every step of the random walk, per part of the program. Each function
// returns an empty string when all is well, or what is wrong.

#include "shell/screen_registry.h"

#include <QString>

namespace quorvel::testing {

QString tutorialInvariants(ScreenRegistry &registry);
QString practiceTestInvariants(ScreenRegistry &registry);

} // namespace quorvel::testing
