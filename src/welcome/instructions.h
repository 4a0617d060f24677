#pragma once

#include "shell/text_page.h"

namespace quorvel {

// The instructions page clears itself and prints its lines each time it becomes the active window.
class Instructions : public TextPage
{
public:
    explicit Instructions(ScreenRegistry &registry);
    void Form_Activate() override;
};

} // namespace quorvel
