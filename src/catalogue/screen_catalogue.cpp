#include "catalogue/screen_catalogue.h"

#include "glossary/glossary.h"
#include "glossary/glossary_content.h"
#include "menustrip/form22.h"
#include "practice_test/practice_test.h"
#include "practice_test/practice_test_description.h"
#include "resources/figure_pages.h"
#include "resources/screen_names.h"
#include "shell/figure_page.h"
#include "tutorial/vascular_function_curves.h"
#include "welcome/instructions.h"
#include "welcome/instructions_content.h"
#include "welcome/introduction.h"
#include "welcome/introduction_content.h"

#include <vector>

namespace quorvel {

namespace {
template <class S> std::unique_ptr<Screen> create(ScreenRegistry &registry, std::string_view)
{
    return std::make_unique<S>(registry);
}

std::unique_ptr<Screen> createFigurePage(ScreenRegistry &registry, std::string_view name)
{
    return std::make_unique<FigurePage>(registry, *findFigurePage(name));
}

std::vector<CatalogueEntry> makeCatalogue()
{
    std::vector<CatalogueEntry> all{
        {screen_name::Introduction, create<Introduction>},
        {screen_name::Instructions, create<Instructions>},
        {screen_name::Glossary, create<Glossary>},
        {screen_name::VascularFunctionCurves, create<VascularFunctionCurves>},
        {screen_name::Test, create<Test>},
        {screen_name::form22, create<form22>},
    };
    // A figure page is its description: the rows of that table name them.
    for (const ScreenDescription &page : figurePageDescriptions())
        all.push_back({page.name, createFigurePage});
    return all;
}
} // namespace

std::span<const CatalogueEntry> screenCatalogue()
{
    static const std::vector<CatalogueEntry> catalogue = makeCatalogue();
    return catalogue;
}

std::unique_ptr<Screen> createScreen(ScreenRegistry &registry, std::string_view name)
{
    for (const CatalogueEntry &entry : screenCatalogue()) {
        if (entry.name == name)
            return entry.create(registry, name);
    }
    return nullptr;
}

const ScreenDescription *describeScreen(std::string_view name)
{
    for (const ScreenDescription *d : {&introductionDescription, &instructionsDescription, &glossaryDescription,
                                       &vascularFunctionCurvesDescription, &testDescription, &form22Description})
        if (d->name == name)
            return d;
    return findFigurePage(name);
}

} // namespace quorvel
