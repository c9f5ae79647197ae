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

TEST(ImpossibleResults, AWindingThatFitsIsAnalysedWithPositiveResistanceAndLosses) {
    for (const char* design : {"--part T106-21 --turns 1 --wire 0000",
                               "--part E62-36 --turns 3 "
                               "--wire #14"}) {
        const auto result =
            runCli(words(std::string("analyze --app dc ") + design + kOperating + " --json"));
        ASSERT_EQ(result.status, 0) << design << result.err;
        const auto rows = nlohmann::json::parse(result.out)["rows"];
        for (int row : {1, 2, 9, 11, 26})
            EXPECT_GT(rows[row]["value"].get<double>(), 0) << design;
        EXPECT_LE(rows[29]["value"].get<double>(), 100) << design;
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
    };
    for (const Case& c : {Case{"T106-21", 100, -3}, Case{"E62-36", 1, 6}}) {
        r.corePartNumber = c.part;
        r.turns = c.turns;
        r.lastStoredWireGage = c.gage;
        messages.clear();
        EXPECT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 0) << c.part;
        ASSERT_EQ(messages.size(), 1u) << c.part;
        EXPECT_EQ(messages.last().caption, "ERROR ");
        for (int row = 0; row < kAnalysisRows; ++row)
            EXPECT_EQ(table.rows[row].value, shown[row].value) << c.part << " row " << row;
    }
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
