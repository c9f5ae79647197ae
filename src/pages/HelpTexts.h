// The two texts of the help window: the getting-started guide and the help topics, each a
// heading followed by sections that explain, in the user's terms, what the program does.
#pragma once

#include <array>
#include <string_view>

namespace korvell {

// The topics of the help, in the order of their list and of their sections.
inline constexpr std::array<std::string_view, 16> kHelpTopics = {
    "PROGRAM DESCRIPTION",
    "GETTING STARTED",
    "MENUS AND BUTTONS",
    "DESIGNS AVAILABLE",
    "ENTERING DESIGN REQUIREMENTS",
    "CHANGING DESIGN CONSTANTS AND CONSTRAINTS",
    "SELECTING CORES AND MATERIALS",
    "DATA DISPLAYS",
    "OPTIONS",
    "THE ANALYSIS FUNCTION",
    "DEFINITIONS",
    "DC RESISTANCE",
    "COPPER AND CORE LOSSES",
    "TEMPERATURE RISE",
    "UNITS OF MEASURE",
    "PROGRAM ADD-ONS, OTHER CATALOGS, AND OPTIONAL FEATURES",
};

// The sections of the getting-started guide, after its opening sentence.
inline constexpr std::array<std::string_view, 4> kGettingStartedSections = {
    "AUTOMATIC DESIGNS", "ANALYSIS", "REFERENCE DATA", "MORE"};

// The getting-started guide: "This program consists of three primary functions, ..." and its
// four sections.
std::string_view gettingStartedText();

// The help topics: the heading "HELP TOPICS", the list of topics (one tab-indented line each),
// then one section per topic, headed by the topic.
std::string_view helpTopicsText();

}  // namespace korvell
