#include "welcome/instructions_content.h"

#include "resources/screen_names.h"

namespace quorvel {

const ScreenDescription instructionsDescription{
    .name = screen_name::Instructions,
    .caption = "Instructions",
    .backColor = colours::darkBlue,
    .foreColor = colours::highlightText,
    .font = boldSansSerif(97500),
    .border = BorderStyle::FixedSingle,
    .maxButton = false,
    .minButton = false,
    .startUpPosition = StartUpPosition::CenterScreen,
    .clientLeft = 285,
    .clientTop = 1035,
    .clientWidth = 9435,
    .clientHeight = 3885,
};

const std::array<std::string_view, 14> InstructionLines{
    " ",
    "  This interactive learning module consists of three major segments ",
    "",
    "  1.    A TUTORIAL in which the essential aspects and key concepts are explained ",
    "",
    "  2.    A GLOSSARY with abbreviations, definitions and formulas",
    "",
    "  3.    A TEST that provides you the opportunity to evaluate your understanding",
    "          by taking a multiple choice practice test with explanations of answers.",
    "",
    "  To begin, we recommend that you start by clicking on the Tutorial.",
    "",
    " Those of you who are already familiar with the material may choose to proceed directly to ",
    "  the test. It and its explanations should provide you with excellent practice and preparation. ",
};

} // namespace quorvel
