#include "shell/text_page.h"

namespace quorvel {

void TextPage::Cls()
{
    clearPrinted();
}

void TextPage::Print(std::string_view text)
{
    printLine(text);
}

void TextPage::clearAndPrint(std::span<const std::string_view> lines)
{
    Cls();
    for (std::string_view line : lines)
        Print(line);
}

} // namespace quorvel
