#include "glossary/glossary.h"

#include "glossary/glossary_content.h"

namespace quorvel {

Glossary::Glossary(ScreenRegistry &registry) : TextPage(registry, glossaryDescription) {}

void Glossary::Form_Load()
{
    Cls();
}

void Glossary::Form_Activate()
{
    clearAndPrint(GlossaryLines);
}

} // namespace quorvel
