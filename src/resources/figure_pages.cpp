#include "resources/figure_pages.h"

#include "resources/screen_names.h"

namespace quorvel {

namespace {
// Topic pages: frameless bands across the lower part of the desktop, every caption "Form1".
constexpr ScreenDescription topicPage(std::string_view name, std::int32_t clientLeft, std::string_view picture)
{
    return {.name = name,
            .caption = "Form1",
            .border = BorderStyle::None,
            .maxButton = false,
            .minButton = false,
            .showInTaskbar = false,
            .startUpPosition = StartUpPosition::Manual,
            .clientLeft = clientLeft,
            .clientTop = 6795,
            .clientWidth = 13245,
            .clientHeight = 3645,
            .picture = {picture, PictureKind::PlaceableMetafile}};
}

// Explanation pages: all at the same place, with a title bar and a close box.
constexpr ScreenDescription explanationPage(std::string_view name, std::string_view caption, std::string_view picture)
{
    return {.name = name,
            .caption = caption,
            .border = BorderStyle::FixedSingle,
            .maxButton = false,
            .minButton = false,
            .startUpPosition = StartUpPosition::Manual,
            .clientLeft = 840,
            .clientTop = 1050,
            .clientWidth = 4080,
            .clientHeight = 5280,
            .picture = {picture, PictureKind::PlaceableMetafile}};
}

constexpr ScreenDescription pages[] = {
    topicPage("Form1", 195, "Form1.svg"),
    topicPage("Form2", 240, "Form2.svg"),
    topicPage("Form3", 240, "Form3.svg"),
    topicPage("Form4", 240, "Form4.svg"),
    topicPage("Form5", 240, "Form5.svg"),
    topicPage("Form6", 240, "Form6.svg"),
    topicPage("Form7", 240, "Form7.svg"),
    topicPage("Form8", 240, "Form7.svg"),
    topicPage("Form9", 240, "Form9.svg"),
    topicPage("Form10", 240, "Form10.svg"),
    topicPage("Form11", 240, "Form11.svg"),
    topicPage("Form12", 240, "Form12.svg"),
    topicPage("Form13", 240, "Form13.svg"),
    topicPage("Form14", 240, "Form14.svg"),
    topicPage("Form15", 240, "Form15.svg"),
    explanationPage("Formq01", "Question 1", "Formq01.svg"),
    explanationPage("Formq02", "Question 2", "Formq02.svg"),
    explanationPage("Formq03", "Question 3", "Formq03.svg"),
    explanationPage("Formq04", "Question 4", "Formq04.svg"),
    explanationPage("Formq05", "Question 5", "Formq05.svg"),
    explanationPage("Formq06", "Question 6", "Formq06.svg"),
    explanationPage("Formq07", "Question 7", "Formq07.svg"),
    explanationPage("Formq08", "Question 8", "Formq08.svg"),
    explanationPage("Formq09", "Question 9", "Formq09.svg"),
    explanationPage("Formq10", "Question 10", "Formq10.svg"),
    explanationPage("Formq11", "Question 11", "Formq11.svg"),
    explanationPage("Formq12", "Question 12", "Formq12.svg"),
    explanationPage("Formq13", "Question 13", "Formq13.svg"),
    explanationPage("Formq14", "Question 14", "Formq14.svg"),
    explanationPage("Formq15", "Question 15", "Formq15.svg"),
    explanationPage("Formq16", "Question 16", "Formq16.svg"),
    explanationPage("Formq17", "Question 17", "Formq17.svg"),
    explanationPage("Formq18", "Question 18", "Formq18.svg"),
    explanationPage("Formq19", "Question 19", "Formq19.svg"),
    explanationPage("Formq20", "Question 20", "Formq20.svg"),
    explanationPage("Formq21", "Question 21", "Formq21.svg"),
    explanationPage("Formq22", "Question 22", "Formq22.svg"),
    explanationPage("Formq23", "Question 23", "Formq23.svg"),
    explanationPage("Formq24", "Question 24", "Formq24.svg"),
    explanationPage("Formq25", "Question 25", "Formq25.svg"),
    {.name = screen_name::Glossary2,
     .caption = "Glossary",
     .backColor = colours::blue,
     .startUpPosition = StartUpPosition::Manual,
     .clientLeft = 60,
     .clientTop = 900,
     .clientWidth = 10770,
     .clientHeight = 10095,
     .picture = {"Glossary2.svg", PictureKind::Bitmap}},
};
} // namespace

std::span<const ScreenDescription> figurePageDescriptions()
{
    return pages;
}

const ScreenDescription *findFigurePage(std::string_view name)
{
    for (const ScreenDescription &d : pages) {
        if (d.name == name)
            return &d;
    }
    return nullptr;
}

} // namespace quorvel
