#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliRun.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::runProgram;

std::vector<std::string> analyzeArgs(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> args{"analyze"};
    for (std::string w; in >> w;)
        args.push_back(w);
    return args;
}

const char* const kBuck =
    "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100";

TEST(AnalyzeCommand, PrintsTheElectricalAndMechanicalPages) {
    const auto result = runProgram(
        "analyze --app dc --part T106-21 --turns 40 --wire '#18' --current 5 --von 12 --voff 5 "
        "--frequency 100");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto electrical = result.out.find("ELECTRICAL PROPERTIES:");
    const auto mechanical = result.out.find("MECHANICAL PROPERTIES:");
    ASSERT_NE(electrical, std::string::npos);
    ASSERT_NE(mechanical, std::string::npos);
    EXPECT_LT(electrical, mechanical);
    for (const char* label :
         {"INDUCTANCE", "TIME TO 115 % LOSS", "LIFE LIMIT", "CORE OD", "WOUND HEIGHT"}) {
        EXPECT_NE(result.out.find(label), std::string::npos) << label;
    }
    EXPECT_NE(result.out.find("# 18 AWG"), std::string::npos) << result.out;
}

TEST(AnalyzeCommand, JsonRowsCarryValueUnitsAndShownText) {
    const auto result = runCli(analyzeArgs(std::string(kBuck) + " --json --units metric"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto doc = nlohmann::json::parse(result.out);
    ASSERT_EQ(doc["rows"].size(), 32u);
    const auto& od = doc["rows"][15];
    EXPECT_EQ(od["label"], "CORE OD");
    EXPECT_EQ(od["units"], "mm ");
    EXPECT_NEAR(od["value"].get<double>(), 1.060 * 25.4, 1e-3);
    EXPECT_EQ(od["text"], "26.924");
    EXPECT_EQ(doc["rows"][0]["label"], "INDUCTANCE");
    // A resistance shown in milliohms ("36.55m") is a value in ohms, as its units say.
    const auto& rdc = doc["rows"][1];
    EXPECT_EQ(rdc["units"], "OHMS");
    const std::string text = rdc["text"];
    ASSERT_EQ(text.back(), 'm') << text;
    EXPECT_NEAR(rdc["value"].get<double>(), std::stod(text) / 1000, 1e-5) << text;
}

TEST(AnalyzeCommand, RefusedEntriesExitWithTheProgramsMessage) {
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"--part T106-21 --turns 4o --wire #18",
         "DATA ENTRY ERROR: INVALID CHARACTER  2 in Parameter 3.  4o "},
        {"--part T106-21x --turns 40 --wire #18", "ERROR: INVALID CHARACTER X"},
        {"--part T107-21 --turns 40 --wire #18", "ERROR: Core P/N T107-21 NOT IN THE CATALOG"},
        {"--part T106-21 --turns 40 --wire #99", "DATA ENTRY ERROR: Invalid Wire Size"},
        {"--part T106-21 --turns 40 --wire 0.4 --gage-system swg",
         "DATA ENTRY ERROR: Invalid Wire Size"},
        {"--part T106-21 --turns 0 --wire #18",
         "ESSENTIAL DATA MISSING: CHECK TURNS, STRANDS, STACKED CORES"},
        {"--part 106-21 --turns 40 --wire #18",
         "DATA ENTRY ERROR: \n MISSING E, T, or ST in CORE PART NUMBER"},
        {"--part T106 --turns 40 --wire #18",
         "DATA ENTRY ERROR: \n MISSING DASH (-) IN CORE PART NUMBER"},
        {"--app powerline --part T106-21 --turns 40 --wire #18 --von 5",
         "ERROR: --von does not apply"},
        {"--turns 40", "ERROR: "},
        // Values no window could accept, and a beginning of a part number.
        {"--part T106-21 --turns 2147483647 --wire #18",
         "DATA ENTRY ERROR: TURNS, STRANDS and STACKED CORES MUST NOT EXCEED 16777216"},
        {"--part T106-21 --turns 40 --wire #18 --strands 99999999999",
         "DATA ENTRY ERROR: TURNS, STRANDS and STACKED CORES MUST NOT EXCEED 16777216"},
        {"--part T106-21 --turns 40 --wire #18 --ambient -999",
         "DATA ENTRY ERROR: Parameter 8. (-999.00) Must Be In The Range: -200.00 To 250.00"},
        {"--part T106-2 --turns 40 --wire #18", "ERROR: Core P/N T106-2 NOT IN THE CATALOG"},
        {"--part T106-21 --turns 40 --wire #51",
         "ESSENTIAL DATA MISSING: WIRE GAGE is OUT OF RANGE"},
        {"--app powerline --part ST157-411 --turns 40 --wire #18 --current 1 --frequency 60", ""},
    };
    for (const auto& c : cases) {
        const auto result = runCli(analyzeArgs(c.args));
        EXPECT_EQ(result.status, 2) << c.args;
        EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << c.args << "\n" << result.err;
        EXPECT_TRUE(result.out.empty()) << c.args;
    }
}

TEST(AnalyzeCommand, EveryRefusalSaysWhyAndNoResultIsImpossible) {
    // Exit status 2 always comes with "CAPTION: text" lines; an accepted analysis holds no nan
    // or inf and no negative resistance, loss, flux or size.
    const char* const hostile[] = {
        "--part T106-21 --turns 16777216 --wire #18 --strands 16777216 --stack 16777216",
        "--part T106-21 --turns 1 --wire 0000 --current 99999999999999999999999999999999999999999",
        "--part T106-21 --turns 40 --wire #18 --ambient -200 --current 0.0000001",
        "--part E150-13/Q102 --turns 9 --wire #50 --frequency 0.00001 --von 1e3",
        "--app resonant --part T12-11 --turns 16777216 --wire #50 --current 1e30 --frequency 1e30",
        "--app pfc --part ST250-413B --turns 3 --wire #40 --current 0 --vin-peak 0 --vout 0",
        "--app powerline --part T400-21 --turns 16777216 --wire 0000 --current 1e30",
        "--part T106-2 --turns 40 --wire #18",
        "--part ST1 --turns 40 --wire #18",
    };
    for (const char* args : hostile) {
        const auto result = runCli(analyzeArgs(std::string(args) + " --json"));
        for (const char* bad : {"nan", "inf"}) {
            EXPECT_EQ(result.out.find(bad), std::string::npos) << args;
            EXPECT_EQ(result.err.find(bad), std::string::npos) << args;
        }
        if (result.status != 0) {
            EXPECT_EQ(result.status, 2) << args;
            ASSERT_FALSE(result.err.empty()) << args;
            EXPECT_NE(result.err.find(": "), std::string::npos) << args;
            continue;
        }
        const auto doc = nlohmann::json::parse(result.out);
        for (const auto& row : doc["rows"]) {
            // Only an aging row of a core that does not age holds no number.
            if (row.value("negligible", false)) {
                EXPECT_TRUE(row["value"].is_null()) << args;
                continue;
            }
            ASSERT_TRUE(row["value"].is_number()) << args << " row " << row["row"];
            EXPECT_GE(row["value"].get<double>(), 0) << args << " " << row["label"];
        }
    }
}

TEST(AnalyzeCommand, AStackedPartNumberAsTheResultsWriteItCarriesTheStack) {
    const std::vector<std::string> tail = {"--turns",     "40",    "--wire", "#18",    "--current",
                                           "5",           "--von", "12",     "--voff", "5",
                                           "--frequency", "100",   "--json"};
    auto args = [&tail](std::vector<std::string> head) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const auto stacked = runCli(args({"analyze", "--part", "T106-21 x2"}));
    const auto asked = runCli(args({"analyze", "--part", "T106-21", "--stack", "2"}));
    ASSERT_EQ(stacked.status, 0) << stacked.err;
    ASSERT_EQ(asked.status, 0) << asked.err;
    EXPECT_EQ(nlohmann::json::parse(stacked.out)["rows"], nlohmann::json::parse(asked.out)["rows"]);
    const auto single = runCli(args({"analyze", "--part", "T106-21"}));
    EXPECT_NE(nlohmann::json::parse(single.out)["rows"], nlohmann::json::parse(asked.out)["rows"]);
    const auto clash = runCli(args({"analyze", "--part", "T106-21 x2", "--stack", "3"}));
    EXPECT_EQ(clash.status, 2);
    EXPECT_EQ(clash.err, "ERROR: --part names a stack of 2 cores, --stack 3\n");
}

TEST(AnalyzeCommand, FourZerosAreAnalyzedAsAwg0000) {
    const auto result =
        runCli(analyzeArgs("--part T400-21 --turns 20 --wire 0000 --current 50 --von 12 --voff 5 "
                           "--frequency 20 --json"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto doc = nlohmann::json::parse(result.out);
    EXPECT_EQ(doc["wire"], "# 0000 AWG");
    EXPECT_NEAR(doc["rows"][22]["value"].get<double>(), 0.46 + 0.0037, 1e-3);  // wire diameter
}

TEST(AnalyzeCommand, NegligibleAgingIsNoNumber) {
    // A -37 core does not age; a -21 core at 150 °C does.
    struct Case {
        const char* args;
        bool negligible;
    };
    for (const Case c : {Case{"--part T80-37A --turns 59 --ambient 55", true},
                         Case{"--part T106-21 --turns 45 --ambient 150", false}}) {
        const auto result =
            runCli(analyzeArgs(std::string(c.args) +
                               " --wire #18 --current 5 --von 12 --voff 5 --frequency 100 --json"));
        ASSERT_EQ(result.status, 0) << result.err;
        const auto doc = nlohmann::json::parse(result.out);
        for (const int row : {13, 14}) {
            const auto& aging = doc["rows"][row];
            EXPECT_EQ(aging["negligible"], c.negligible) << c.args;
            EXPECT_EQ(aging["value"].is_null(), c.negligible) << c.args;
            EXPECT_EQ(aging["text"] == "NEGLIGIBLE", c.negligible) << c.args;
        }
    }
}

TEST(AnalyzeCommand, CheckStandsBesideTheProgramsOwnFigures) {
    const std::string buck = std::string(kBuck) + " --check";
    const auto table = runCli(analyzeArgs(buck));
    ASSERT_EQ(table.status, 0) << table.err;
    for (const char* text : {"SECOND OPINION: DOWELL 1966", "CHECK     PROGRAM",
                             "HOT DC RESISTANCE", "RIPPLE CU LOSS", "CONVERGED"}) {
        EXPECT_NE(table.out.find(text), std::string::npos) << text << "\n" << table.out;
    }

    const auto json = runCli(analyzeArgs(buck + " --json"));
    ASSERT_EQ(json.status, 0) << json.err;
    const auto doc = nlohmann::json::parse(json.out);
    const auto& check = doc["check"];
    EXPECT_EQ(check["model"], "dowell-1966");
    EXPECT_EQ(check["converged"], true);
    EXPECT_GE(check["copperLossW"].get<double>(), doc["rows"][9]["value"].get<double>());
    EXPECT_GE(check["tempRiseC"].get<double>(), doc["rows"][27]["value"].get<double>());
    EXPECT_FALSE(nlohmann::json::parse(runCli(analyzeArgs(std::string(kBuck) + " --json")).out)
                     .contains("check"));

    // CSV: the check rows after the analysis's, the program's figure in a fifth column.
    const auto csv = runCli(analyzeArgs(buck + " --csv"));
    std::istringstream lines(csv.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    ASSERT_EQ(all.size(), 1u + 32 + 14);
    EXPECT_EQ(all[0], "row,label,value,units,program");
    EXPECT_EQ(all[42].rfind("41,\"COPPER LOSS\",", 0), 0u) << all[42];
}

// A missing frequency is no frequency of 0: refused, unless asked for as --frequency 0, which
// analyzes at DC and gives every figure no row can show as null with its reason.
TEST(AnalyzeCommand, AFrequencyIsGivenAndAtZeroHertzNoFigureIsAFloatsLimit) {
    const std::string dc =
        "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 "
        "--voff 5 --check";
    const auto missing = runCli(analyzeArgs(dc));
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.rfind("ERROR: FREQUENCY MISSING", 0), 0u) << missing.err;
    EXPECT_TRUE(missing.out.empty());

    const auto json = runCli(analyzeArgs(dc + " --frequency 0 --json"));
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.find("e+38"), std::string::npos);
    const auto doc = nlohmann::json::parse(json.out);
    EXPECT_TRUE(doc["check"]["skinDepthIn"].is_null());
    EXPECT_EQ(doc["check"]["skinDepthInReason"], "INFINITE");
    for (const int row : {13, 14}) {
        EXPECT_TRUE(doc["rows"][row]["value"].is_null());
        EXPECT_EQ(doc["rows"][row]["negligible"], true);  // no core loss: no aging
    }
    const auto table = runCli(analyzeArgs(dc + " --frequency 0"));
    EXPECT_NE(table.out.find("SKIN DEPTH"), std::string::npos);
    EXPECT_NE(table.out.find("INFINITE"), std::string::npos) << table.out;
    EXPECT_EQ(table.out.find("340282"), std::string::npos) << table.out;
}

}  // namespace
}  // namespace korvell
