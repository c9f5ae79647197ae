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
        {"--part T107-21 --turns 40 --wire #18", "ERROR: Core P/N T107-21 not found in 446 lines"},
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
    };
    for (const auto& c : cases) {
        const auto result = runCli(analyzeArgs(c.args));
        EXPECT_EQ(result.status, 2) << c.args;
        EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << c.args << "\n" << result.err;
        EXPECT_TRUE(result.out.empty()) << c.args;
    }
}

TEST(AnalyzeCommand, FourZerosAreAnalysedAsAwg0000) {
    const auto result =
        runCli(analyzeArgs("--part T400-21 --turns 20 --wire 0000 --current 50 --von 12 --voff 5 "
                           "--frequency 20 --json"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto doc = nlohmann::json::parse(result.out);
    EXPECT_EQ(doc["wire"], "# 0000 AWG");
    EXPECT_NEAR(doc["rows"][22]["value"].get<double>(), 0.46 + 0.0037, 1e-3);  // wire diameter
}

}  // namespace
}  // namespace korvell
