// Results no inductor can have are never reported as a success: windings that cannot be built,
// designs that break a limit the user set, and magnitudes beyond any physical inductor.
#include <gtest/gtest.h>

#include <string>

#include "analysis/Analysis.h"
#include "cli/CliRun.h"
#include "engine/DesignScenarios.h"

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

TEST(ImpossibleResults, AWindingThatFitsIsAnalysedAndOneThatFillsTheHoleSaysSo) {
    struct Case {
        const char* design;
        std::string notice;  // empty: no message at all
    };
    const Case cases[] = {
        {"--part T106-21 --turns 1 --wire 0000",
         "WINDOW FILL 65.1 % : THE WINDING FILLS THE HOLE OF CORE T106-21; ITS BUILD, WOUND SIZE "
         "AND RESISTANCE ARE ESTIMATES"},
        {"--part T106-21 --turns 40 --wire #18", ""},
        {"--part E62-36 --turns 3 --wire #14", ""},
    };
    for (const Case& c : cases) {
        const auto result =
            runCli(words(std::string("analyze --app dc ") + c.design + kOperating + " --json"));
        ASSERT_EQ(result.status, 0) << c.design << result.err;
        const auto doc = nlohmann::json::parse(result.out);
        const auto& rows = doc["rows"];
        for (int row : {1, 2, 9, 11, 26})
            EXPECT_GT(rows[row]["value"].get<double>(), 0) << c.design;
        EXPECT_LE(rows[29]["value"].get<double>(), 100) << c.design;
        if (c.notice.empty()) {
            EXPECT_TRUE(doc["messages"].empty()) << c.design;
            continue;
        }
        ASSERT_EQ(doc["messages"].size(), 1u) << c.design;
        EXPECT_EQ(doc["messages"][0]["caption"], "NOTICE: ");
        EXPECT_EQ(doc["messages"][0]["text"], c.notice);
    }
}

TEST(ImpossibleResults, ARefusedAnalysisLeavesTheShownTableAsItWas) {
    // The analysis window redraws only after a success: what it shows stays the last sound one.
    DesignRecord r = testing::buckFilter();
    r.corePartNumber = "T106-21";
    r.turns = 40;
    r.lastStoredWireGage = 18;
    RecordingMessages messages;
    AnalysisTable table;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    const auto shown = table.rows;
    struct Case {
        const char* part;
        float turns;
        float gage;
        float current;  // A; the largest single-precision number gives losses beyond it
    };
    for (const Case& c :
         {Case{"T106-21", 100, -3, 5}, Case{"E62-36", 1, 6, 5}, Case{"T106-21", 40, 18, 3.4e38f}}) {
        r.corePartNumber = c.part;
        r.turns = c.turns;
        r.lastStoredWireGage = c.gage;
        r.maxCurrent = c.current;
        messages.clear();
        EXPECT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 0) << c.part;
        ASSERT_EQ(messages.size(), 1u) << c.part;
        EXPECT_EQ(messages.last().caption, "ERROR ");
        for (int row = 0; row < kAnalysisRows; ++row)
            EXPECT_EQ(table.rows[row].value, shown[row].value) << c.part << " row " << row;
    }
}

TEST(ImpossibleResults, MagnitudesBeyondAnyInductorAreRefusedBeforeAnythingIsComputed) {
    const std::string design = "design --app dc --inductance 100 --current 5 --von 12 --voff 5 ";
    const std::string analyze = "analyze --app dc --part T106-21 --turns 40 --wire #18 ";
    const std::string fifty(50, '9');
    expectRefused({
        {design + "--frequency 100000000000000000000",
         "DATA ENTRY ERROR: Parameter 7. (100000002004087734272.00) Must Be In The Range:   0.00 "
         "To 100000.00"},
        {design + "--frequency 100001", "DATA ENTRY ERROR: Parameter 7. (100001.00)"},
        {"design --app dc --inductance 1000001 --current 5", "DATA ENTRY ERROR: Parameter 0."},
        {design + "--frequency 100 --max-rdc 10001", "DATA ENTRY ERROR: Parameter 1."},
        {"design --app dc --inductance 100 --current " + fifty, "DATA ENTRY ERROR: Parameter 2."},
        {"design --app dc --inductance 100 --current 5 --von 100001",
         "DATA ENTRY ERROR: Parameter 5."},
        {"design --app controlled-swing --inductance 100 --current 5 --inductance-min 2000000 "
         "--min-current 1",
         "DATA ENTRY ERROR: Parameter 3."},
        {analyze + "--current " + fifty + " --von 12 --voff 5 --frequency 100",
         "DATA ENTRY ERROR: Parameter 4. (340282346638528859811704183484516925440.00)"},
        {analyze + "--current 5 --von 12 --voff 100001 --frequency 100",
         "DATA ENTRY ERROR: Parameter 6."},
        {analyze + "--current 5 --von 12 --voff 5 --frequency 1e20",
         "DATA ENTRY ERROR: INVALID CHARACTER"},
        {"plot --kind 7 --app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 "
         "--voff 5 --frequency 100001",
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

TEST(ImpossibleResults, EveryListedDesignMeetsTheLimitsTheUserSet) {
    struct Case {
        std::string args;
        double maxRdc;      // ohm, 0 for none
        double copperCmil;  // copper area per ampere times the current the wire carries
    };
    const std::vector<Case> cases = {
        // The resonant step strands the wire after the resistance check; the stranded winding
        // is held to the limit too.
        {"--app resonant --inductance 3.9 --current 2 --vpeak 100 --frequency 200 --max-rdc 0.005",
         0.005, 150 * 2 * 0.707},
        {"--app resonant --inductance 10 --current 2 --vpeak 100 --frequency 500 --max-rdc 0.02",
         0.02, 150 * 2 * 0.707},
        // A thinner wire that lets an E-core winding fit its bobbin still carries the current.
        {"--app dc --shape e-core --inductance 47 --current 4.8 --von 12 --voff 5 --frequency 100 "
         "--copper-area 300 --max-temp-rise 100",
         0, 300 * 4.8},
        {"--app dc --shape e-core --inductance 4.2 --current 4.8 --von 12 --voff 5 --frequency "
         "100 --max-temp-rise 100",
         0, 150 * 4.8},
    };
    for (const auto& c : cases) {
        const auto result = runCli(words("design " + c.args + " --json"));
        ASSERT_EQ(result.status, 0) << c.args << result.err;
        for (const auto& d : nlohmann::json::parse(result.out)["designs"]) {
            const std::string at = c.args + " " + d["partNumber"].get<std::string>();
            if (c.maxRdc > 0) {
                EXPECT_LE(d["rdc"].get<double>(), c.maxRdc) << at;
            }
            EXPECT_GE(d["strands"].get<double>() * d["wireData"]["area"].get<double>(),
                      c.copperCmil)
                << at;
        }
    }
}

}  // namespace
}  // namespace korvell
