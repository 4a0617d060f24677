#pragma once

#include "shell/screen.h"
#include "tutorial/vascular_function_curves_description.h"

namespace quorvel {

// The tutorial screen: fifteen topics, each with a panel here and a topic page of its own.
class VascularFunctionCurves : public Screen
{
public:
    explicit VascularFunctionCurves(ScreenRegistry &registry);
    void Form_Load() override;

    void basicList1_Click();
    void mnuInstructions_Click();
    void mnuRelations_Click();
    void mnuCloseTutorial_Click();
    void mnuGlossary_Click();
    void mnuTest_Click();
    void mnuEnd_Click();

protected:
    bool handleEvent(std::string_view control, ControlEvent event) override;
    void prepareWhatComesNext() override;
};

} // namespace quorvel
