#pragma once

#include "resources/description.h"
#include "shell/screen.h"

namespace quorvel {

extern const ScreenDescription form22Description;

// The loop-study menu strip. Its loop pages are not part of this program, so their entries do
// nothing; Exit closes every other screen.
class form22 : public Screen
{
public:
    explicit form22(ScreenRegistry &registry);

    void mnuExit_Click();
    void mnuLoopPage_Click() {}

protected:
    bool handleEvent(std::string_view control, ControlEvent event) override;
};

} // namespace quorvel
