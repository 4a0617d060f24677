#pragma once

#include "resources/description.h"

namespace quorvel {

// The tutorial screen: topic list on the left, the stacked topic panels on the right.
extern const ScreenDescription vascularFunctionCurvesDescription;

} // namespace quorvel
