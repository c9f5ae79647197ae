#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliRun.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::words;

constexpr const char* kBuck =
    "--app dc --inductance 100 --current 5 --von 12 --voff 5 --frequency 100";

std::vector<std::string> exploreArgs(const std::string& rest) {
    return words("explore " + rest);
}

// The front of --json against the designs of --all: the front is exactly the designs marked on
// it, each carrying the combination, the results-row fields and its total loss.
TEST(ExploreCommand, JsonListsTheFrontAndWithAllEveryDesign) {
    const auto result =
        runCli(exploreArgs(std::string(kBuck) + " --stack-max 2 --strands-max 2 --all --json"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto doc = nlohmann::json::parse(result.out);
    EXPECT_EQ(doc["objectives"], nlohmann::json({"price", "loss", "size"}));
    ASSERT_EQ(doc["designCount"], doc["designs"].size());
    ASSERT_FALSE(doc["front"].empty());
    std::vector<nlohmann::json> marked;
    for (const auto& d : doc["designs"]) {
        for (const char* field : {"shape", "winding", "stack", "strands", "partNumber", "price",
                                  "wireData", "dimensions", "surfaceArea", "tempRise"}) {
            ASSERT_TRUE(d.contains(field)) << field;
        }
        EXPECT_LE(d["stack"].get<int>(), 2);
        EXPECT_NEAR(d["totalLossW"].get<double>(),
                    d["coreLossW"].get<double>() + d["copperLossW"].get<double>(), 1e-5);
        if (d["onFront"].get<bool>()) marked.push_back(d);
    }
    EXPECT_EQ(nlohmann::json(marked), doc["front"]);
    EXPECT_TRUE(doc["messages"].empty());
    EXPECT_TRUE(doc["refused"].is_array());
}

TEST(ExploreCommand, OptionsShapeTheSweepAndTheOutput) {
    struct Case {
        const char* args;
        const char* expected;  // text the output holds
    };
    const Case cases[] = {
        {"--stack-max 1 --strands-max 1 --objectives price,temp --json", "\"temp\""},
        {"--stack-max 1 --strands-max 1 --csv", "\"PART NUMBER\",\"SHAPE\""},
        {"--stack-max 1 --strands-max 1 --why-not --max-temp-rise 10", "WHY NOT SMALLER"},
        {"--stack-max 1 --strands-max 1 --why-not --max-temp-rise 10", "DEG C"},
    };
    for (const auto& c : cases) {
        const auto result = runCli(exploreArgs(std::string(kBuck) + " " + c.args));
        EXPECT_EQ(result.status, 0) << c.args << result.err;
        EXPECT_NE(result.out.find(c.expected), std::string::npos) << c.args << "\n"
                                                                  << result.out.substr(0, 400);
    }
}

// The same refusal, the same words and exit status as korvell design; and the explorer's own
// options refused in the program's manner.
TEST(ExploreCommand, RefusesInputAsTheDesignCommandDoes) {
    const char* refused[] = {
        "--app dc --inductance 10a0 --current 5",
        "--app dc --inductance 100 --current 0",
        "--app dc --inductance 100 --current 5 --max-temp-rise 200.5",
        "--app pfc --inductance 100 --current 5 --von 12",
        "--app wide-swing --shape toroid --inductance 100 --current 5",
        "--app dc --inductance 100 --current 5 --materials -21,-99",
    };
    for (const char* args : refused) {
        const auto design = runCli(words(std::string("design ") + args));
        const auto explore = runCli(exploreArgs(args));
        EXPECT_EQ(explore.status, 2) << args;
        EXPECT_EQ(explore.err, design.err) << args;
        EXPECT_TRUE(explore.out.empty()) << args;
    }
    const char* own[] = {"--objectives price", "--objectives price,weight", "--stack-max 5",
                         "--strands-max 0"};
    for (const char* args : own) {
        const auto result = runCli(exploreArgs(std::string(kBuck) + " " + args));
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_EQ(result.err.rfind("ERROR: ", 0), 0U) << args << result.err;
    }
}

TEST(ExploreCommand, PlotWritesTheChartAsSvg) {
    const auto path = std::filesystem::temp_directory_path() / "korvell-explore-test.svg";
    const auto result = runCli(
        exploreArgs(std::string(kBuck) + " --stack-max 1 --strands-max 1 --plot " + path.string()));
    ASSERT_EQ(result.status, 0) << result.err;
    std::ifstream file(path);
    std::stringstream svg;
    svg << file.rdbuf();
    EXPECT_NE(svg.str().find("<svg"), std::string::npos);
    EXPECT_NE(svg.str().find("DESIGN EXPLORER: TOTAL LOSS AGAINST PRICE"), std::string::npos);
    EXPECT_NE(svg.str().find("FRONT"), std::string::npos);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace korvell
