#include "screen_catalogue.h"

#include "glossary/glossary.h"
#include "menustrip/form22.h"
#include "resources/figure_pages.h"
#include "shell/figure_page.h"
#include "shell/instructions.h"
#include "shell/introduction.h"
#include "test/test_screen.h"
#include "tutorial/vascular_function_curves.h"

namespace quorvel {

std::unique_ptr<Screen> createScreen(ScreenRegistry &registry, std::string_view name)
{
    if (name == "Introduction")
        return std::make_unique<Introduction>(registry);
    if (name == "Instructions")
        return std::make_unique<Instructions>(registry);
    if (name == "Glossary")
        return std::make_unique<Glossary>(registry);
    if (name == "VascularFunctionCurves")
        return std::make_unique<VascularFunctionCurves>(registry);
    if (name == "Test")
        return std::make_unique<Test>(registry);
    if (name == "form22")
        return std::make_unique<form22>(registry);
    if (const ScreenDescription *page = findFigurePage(name))
        return std::make_unique<FigurePage>(registry, *page);
    return nullptr;
}

const std::array<std::string_view, 47> &screenNames()
{
    static constexpr std::array<std::string_view, 47> names{
        "Introduction", "Instructions", "Glossary", "Glossary2", "VascularFunctionCurves",
        "Test",         "form22",       "Form1",    "Form2",     "Form3",
        "Form4",        "Form5",        "Form6",    "Form7",     "Form8",
        "Form9",        "Form10",       "Form11",   "Form12",    "Form13",
        "Form14",       "Form15",       "Formq01",  "Formq02",   "Formq03",
        "Formq04",      "Formq05",      "Formq06",  "Formq07",   "Formq08",
        "Formq09",      "Formq10",      "Formq11",  "Formq12",   "Formq13",
        "Formq14",      "Formq15",      "Formq16",  "Formq17",   "Formq18",
        "Formq19",      "Formq20",      "Formq21",  "Formq22",   "Formq23",
        "Formq24",      "Formq25",
    };
    return names;
}

} // namespace quorvel
