#include "shell/text_page.h"

namespace quorvel {

void TextPage::Cls()
{
    if (ScreenWindow *w = window())
        w->cls();
}

void TextPage::Print(std::string_view text)
{
    if (ScreenWindow *w = window())
        w->print(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void TextPage::clearAndPrint(std::span<const std::string_view> lines)
{
    Cls();
    for (std::string_view line : lines)
        Print(line);
}

} // namespace quorvel
