#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// The whole front of --json --all against its designs: the whole front is exactly the designs
// marked on it, each carrying the combination, the results-row fields and its total loss.
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
    EXPECT_EQ(nlohmann::json(marked), doc["frontAll"]);
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

// The thinned front as printed: every design of the whole front lies within epsilon of a listed
// one on every objective, the listed stand for the whole front between them, and no design of
// the whole front is beaten by another on the figures as printed (they read back exactly).
TEST(ExploreCommand, JsonFrontIsThinnedWithinEpsilonOnThePrintedFigures) {
    struct Case {
        const char* args;
        std::vector<std::string> objectives;
        double epsilon;
    };
    const Case cases[] = {
        {"--epsilon 2", {"price", "totalLossW", "surfaceArea"}, 0.02},
        {"--objectives PRICE,Temp", {"price", "tempRise"}, 0.01},
        {"--objectives price,check-loss --epsilon 0", {"price", "checkTotalLossW"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const auto result = runCli(exploreArgs(
            std::string(kBuck) + " --stack-max 2 --strands-max 3 --all --json " + c.args));
        ASSERT_EQ(result.status, 0) << result.err;
        const auto doc = nlohmann::json::parse(result.out);
        EXPECT_DOUBLE_EQ(doc["epsilon"].get<double>(), c.epsilon);
        const auto& listed = doc["front"];
        const auto& whole = doc["frontAll"];
        ASSERT_FALSE(listed.empty());
        const auto value = [&](const nlohmann::json& d, const std::string& k) {
            return d[k].get<double>();
        };
        std::size_t stoodFor = 0;
        for (const auto& l : listed) {
            stoodFor += 1 + l["similar"].get<std::size_t>();
            EXPECT_FALSE(l["checkTotalLossW"].is_null());
        }
        EXPECT_EQ(stoodFor, whole.size());
        for (const auto& f : whole) {
            const bool covered = std::any_of(listed.begin(), listed.end(), [&](const auto& l) {
                return std::all_of(c.objectives.begin(), c.objectives.end(), [&](const auto& k) {
                    return value(l, k) <= (1 + c.epsilon) * value(f, k);
                });
            });
            EXPECT_TRUE(covered) << f["partNumber"];
            for (const auto& g : whole) {
                bool better = false;
                bool worse = false;
                for (const auto& k : c.objectives) {
                    better = better || value(g, k) < value(f, k);
                    worse = worse || value(g, k) > value(f, k);
                }
                ASSERT_FALSE(better && !worse) << g["partNumber"] << " beats " << f["partNumber"];
            }
        }
    }
}

// The options that pick one combination are refused with the sweep's own bounds named; the
// refused cores, which are no rows of designs, are refused with --csv; enumerated names are
// taken in any case.
TEST(ExploreCommand, OptionsTheSweepCannotHonourAreRefused) {
    struct Case {
        const char* args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"--shape e-core", 2, "--stack-max"},
        {"--stack 2", 2, "--strands-max"},
        {"--strands 3", 2, "--strands-max"},
        {"--winding single", 2, "--stack-max"},
        {"--csv --why-not", 2, "--why-not"},
        {"--epsilon 150", 2, "--epsilon takes 0 to 100"},
        {"--epsilon -1", 2, "INVALID CHARACTER"},
        {"--objectives PRICE,Check-Temp --csv", 0, ""},
        {"--objectives Size,TEMP --gage-system AWG", 0, ""},
    };
    for (const auto& c : cases) {
        const auto result =
            runCli(exploreArgs(std::string(kBuck) + " --stack-max 1 --strands-max 1 " + c.args));
        EXPECT_EQ(result.status, c.status) << c.args << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.args << result.err;
    }
}

// The chart goes through the one atomic writer: a pipe, a device, a folder or a read-only file
// is refused with its reason (at once, not hanging on the pipe), and an old file stays whole.
TEST(ExploreCommand, PlotRefusesWhatItCannotWriteWhole) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("korvell-explore-plot-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    ::mkfifo((folder / "pipe.svg").c_str(), 0600);
    fs::create_directory(folder / "folder.svg");
    std::ofstream(folder / "locked.svg") << "old";
    fs::permissions(folder / "locked.svg", fs::perms::owner_read);
    const std::pair<std::string, const char*> cases[] = {
        {(folder / "pipe.svg").string(), "IT IS NOT A REGULAR FILE"},
        {"/dev/null", "IT IS NOT A REGULAR FILE"},
        {(folder / "folder.svg").string(), "IT IS A FOLDER"},
        {(folder / "locked.svg").string(), "IT IS READ-ONLY"},
    };
    for (const auto& [path, why] : cases) {
        const auto result = runCli(
            exploreArgs(std::string(kBuck) + " --stack-max 1 --strands-max 1 --plot " + path));
        EXPECT_EQ(result.status, 1) << path;
        EXPECT_EQ(result.err.rfind("ERROR: THE FILE " + path, 0), 0U) << result.err;
        EXPECT_NE(result.err.find(why), std::string::npos) << result.err;
    }
    std::ifstream locked(folder / "locked.svg");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(locked), {}), "old");
    fs::permissions(folder / "locked.svg", fs::perms::owner_all);
    fs::remove_all(folder);
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
