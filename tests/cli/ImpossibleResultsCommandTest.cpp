// Results no inductor can have are never reported as a success: windings that cannot be built
// and magnitudes beyond any physical inductor. (The limits of stored designs are held by the
// search property of tests/engine/LimitsPropertyTest.cpp.)
#include <gtest/gtest.h>

#include <string>

#include "analysis/Analysis.h"
#include "cli/CliRun.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::words;

struct Refusal {
    std::string args;
    std::string message;  // the beginning of standard error
};

void expectRefused(const std::vector<Refusal>& cases) {
    for (const auto& c : cases) {
        const auto result = runCli(words(c.args));
        EXPECT_EQ(result.status, 2) << c.args << "\n" << result.out;
        EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << c.args << "\n" << result.err;
        EXPECT_TRUE(result.out.empty()) << c.args;
    }
}

const std::string kOperating = " --current 5 --von 12 --voff 5 --frequency 100";

TEST(ImpossibleResults, WindingsThatCannotBeBuiltAreRefusedByAnalyzeAndPlot) {
    std::vector<Refusal> cases;
    for (const std::string command : {"analyze", "plot --kind 7", "plot --kind 9"}) {
        const std::vector<Refusal> designs = {
            {"--part E100-21 --turns 5 --wire 0",
             "ERROR: WINDOW FILL 340.5 % : 5 TURNS OF THIS WIRE DO NOT FIT THE WINDOW OF CORE "
             "E100-21"},
            {"--part T106-21 --turns 100 --wire 0000", "ERROR: WINDOW FILL 6512.8 %"},
            {"--part T106-21 --turns 2 --wire 0000", "ERROR: WINDOW FILL 130.3 %"},
            // Wire too thick to lie two turns to a layer on the bobbin, and layers above the
            // flanges, while the copper alone would fit the window.
            {"--part E62-36 --turns 1 --wire #6",
             "ERROR: 1 TURNS OF THIS WIRE DO NOT FIT THE BOBBIN OF CORE E62-36"},
            {"--part E50-13 --turns 2 --wire #10",
             "ERROR: 2 TURNS OF THIS WIRE DO NOT FIT THE BOBBIN OF CORE E50-13"},
        };
        for (const auto& d : designs)
            cases.push_back({command + " --app dc " + d.args + kOperating, d.message});
    }
    expectRefused(cases);
}

TEST(ImpossibleResults, AWindingThatFitsIsAnalyzedAndOneThatFillsTheHoleSaysSo) {
    const std::pair<const char*, const char*> cases[] = {
        // design, its one message or none
        {"--part T106-21 --turns 1 --wire 0000",
         "WINDOW FILL 65.1 % : THE WINDING FILLS THE HOLE OF CORE T106-21; ITS BUILD, WOUND SIZE "
         "AND RESISTANCE ARE ESTIMATES"},
        {"--part E62-36 --turns 3 --wire #14", nullptr},
    };
    for (const auto& [design, notice] : cases) {
        const auto result =
            runCli(words(std::string("analyze --app dc ") + design + kOperating + " --json"));
        ASSERT_EQ(result.status, 0) << design << result.err;
        const auto doc = nlohmann::json::parse(result.out);
        for (int row : {1, 2, 9, 11, 26})
            EXPECT_GT(doc["rows"][row]["value"].get<double>(), 0) << design << " " << row;
        EXPECT_EQ(doc["messages"].size(), notice ? 1u : 0u) << design;
        const auto expected =
            nlohmann::json{{"caption", "NOTICE: "}, {"text", notice ? notice : ""}};
        EXPECT_TRUE(!notice || doc["messages"][0] == expected) << doc["messages"];
    }
}

TEST(ImpossibleResults, ResultsBeyondSinglePrecisionAreRefusedAndTheTableKept) {
    DesignRecord r = testing::buckFilter();
    r.corePartNumber = "T106-21";
    r.turns = 40;
    r.lastStoredWireGage = 18;
    RecordingMessages messages;
    AnalysisTable table;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    const auto shown = table.rows;
    r.maxCurrent = 3.4e38f;  // a copper loss beyond the largest float
    EXPECT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 0);
    EXPECT_EQ(messages.last().text.rfind("RESULTS BEYOND THE RANGE OF THE PROGRAM", 0), 0u);
    for (int row = 0; row < kAnalysisRows; ++row)
        EXPECT_EQ(table.rows[row].value, shown[row].value) << row;
}

TEST(ImpossibleResults, MagnitudesBeyondAnyInductorAreRefusedBeforeAnythingIsComputed) {
    const std::string design = "design --app dc --inductance 100 --current 5 --von 12 --voff 5 ";
    const std::string analyze = "analyze --app dc --part T106-21 --turns 40 --wire #18 ";
    const std::string fifty(50, '9');
    expectRefused({
        {design + "--frequency 100000000000000000000",
         "DATA ENTRY ERROR: Parameter 7. (100000002004087734272.00) Must Be In The Range:   0.00 "
         "To 100000.00"},
        {"design --app dc --inductance 1000001 --current 5", "DATA ENTRY ERROR: Parameter 0."},
        {"design --app dc --inductance 100 --current " + fifty, "DATA ENTRY ERROR: Parameter 2."},
        {analyze + "--current " + fifty,
         "DATA ENTRY ERROR: Parameter 4. (340282346638528859811704183484516925440.00)"},
        {analyze + "--current 5 --von 12 --voff 100001", "DATA ENTRY ERROR: Parameter 6."},
        {"plot --kind 7 " + analyze.substr(8) + "--frequency 100001",
         "DATA ENTRY ERROR: Parameter 7."},
    });
    // The largest magnitudes themselves are taken, and a long text of a sound number is shown
    // whole in the requirements summary, never cut to its first sixteen characters.
    for (const std::string& args :
         {design + "--frequency 100000", analyze + "--current 10000 --frequency 100000"}) {
        EXPECT_EQ(runCli(words(args)).status, 0) << args;
    }
    const auto result = runCli(words(design + "--frequency 100.000000000000000001"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto line = result.out.substr(result.out.find("FREQUENCY"), 60);
    EXPECT_NE(line.find(" 100  kHERTZ"), std::string::npos) << line;
}

}  // namespace
}  // namespace korvell
