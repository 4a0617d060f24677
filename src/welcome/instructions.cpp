#include "welcome/instructions.h"

#include "welcome/instructions_content.h"

namespace quorvel {

Instructions::Instructions(ScreenRegistry &registry) : TextPage(registry, instructionsDescription) {}

void Instructions::Form_Activate()
{
    clearAndPrint(InstructionLines);
}

} // namespace quorvel
