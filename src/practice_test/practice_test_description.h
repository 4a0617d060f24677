#pragma once

#include "resources/description.h"

namespace quorvel {

// The practice test screen: figure area of six stacked picture boxes on the right, the
// explanations box on the left, the answer list, the verdict label and three buttons.
extern const ScreenDescription testDescription;

} // namespace quorvel
