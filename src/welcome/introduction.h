#pragma once

#include "shell/screen.h"

namespace quorvel {

// The welcome screen: greeting, title and recommendation, and the main menu.
class Introduction : public Screen
{
public:
    explicit Introduction(ScreenRegistry &registry);
    void Form_Load() override;

    void mnuInstruct_Click();
    void mnuVFC_Click();
    void mnuGlossary_Click();
    void mnuTest_Click();
    void mnuEnd_Click();

protected:
    bool handleEvent(std::string_view control, ControlEvent event) override;
    void prepareWhatComesNext() override;
};

} // namespace quorvel
