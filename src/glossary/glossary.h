#pragma once

#include "shell/text_page.h"

namespace quorvel {

// The text glossary: abbreviations, definitions and formulas of heart mechanics, printed anew each
// time it becomes the active window.
class Glossary : public TextPage
{
public:
    explicit Glossary(ScreenRegistry &registry);
    void Form_Load() override;
    void Form_Activate() override;
};

} // namespace quorvel
