#include <gtest/gtest.h>

#include <string>

#include "pages/HelpTexts.h"

namespace korvell {
namespace {

TEST(HelpTexts, TopicsAreListedThenExplainedInOrder) {
    const std::string text(helpTopicsText());
    ASSERT_EQ(text.rfind("HELP TOPICS\n", 0), 0u);
    // The list: each topic on its own tab-indented line, in order.
    std::size_t at = 0;
    for (const std::string_view topic : kHelpTopics) {
        const std::string line = "\n\t" + std::string(topic) + "\n";
        const std::size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << topic;
        at = found + line.size() - 1;
    }
    // Then one section per topic, its heading alone on a line, in the same order, each with
    // some explanation under it.
    std::size_t previous = at;
    for (const std::string_view topic : kHelpTopics) {
        const std::string heading = "\n" + std::string(topic) + "\n\n";
        const std::size_t found = text.find(heading, previous);
        ASSERT_NE(found, std::string::npos) << topic;
        EXPECT_GT(found, previous) << topic;
        previous = found + heading.size();
        EXPECT_GT(text.find("\n\n", previous) - previous, 40u) << topic;
    }
}

TEST(HelpTexts, GettingStartedOpensWithTheThreeFunctions) {
    const std::string text(gettingStartedText());
    EXPECT_EQ(text.rfind("This program consists of three primary functions, Automatic Design, "
                         "Analysis, and References.",
                         0),
              0u);
    std::size_t at = 0;
    for (const std::string_view section : kGettingStartedSections) {
        const std::size_t found = text.find("\n" + std::string(section) + "\n", at);
        ASSERT_NE(found, std::string::npos) << section;
        at = found + 1;
    }
}

TEST(HelpTexts, DescribeTheProgramAsBuilt) {
    const std::string topics(helpTopicsText());
    const std::string guide(gettingStartedText());
    // The six designs, forty designs smallest core first, the two tables and the cursor, the
    // requirements keys and the units.
    for (const char* words : {"DC BIASED OUTPUT FILTER INDUCTOR", "CONTROLLED INDUCTANCE SWING",
                              "WIDE INDUCTANCE SWING", "POWER FACTOR BOOST", "POWERLINE FREQUENCY",
                              "RESONANT CONVERTER", "forty designs", "smallest core first",
                              "DISPLAY ELECTRICAL", "DISPLAY DIMENSIONS", "red cursor lines",
                              "Enter twice", "Up and Down arrow", "keeps the last value", "gauss",
                              "square centimetres", "degrees Celsius", "microhenries"}) {
        EXPECT_NE(topics.find(words), std::string::npos) << words;
    }
    for (const char* words : {"DC BIASED", "CONTROLLED SWING", "WIDE SWING", "PFC BOOST", "60 HZ",
                              "RESONANT", "forty designs", "Enter twice"}) {
        EXPECT_NE(guide.find(words), std::string::npos) << words;
    }
}

TEST(HelpTexts, DescribeTheFilesReferencesAndCommandLineThatWork) {
    const std::string topics(helpTopicsText());
    for (const char* words : {"SAVE AS", "design file", "CSV table", "KORVELL CATALOG", "ANALYZE",
                              "WIRE TABLES", "korvell design", "Esc closes"})
        EXPECT_NE(topics.find(words), std::string::npos) << words;
    for (const std::string& text : {topics, std::string(gettingStartedText())})
        EXPECT_EQ(text.find("not used"), std::string::npos);
}

}  // namespace
}  // namespace korvell
