#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliRun.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::words;

const char* const kBuck =
    "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100";

std::vector<std::string> command(const std::string& name, const std::string& line) {
    std::vector<std::string> args{name};
    for (auto& w : words(line))
        args.push_back(w);
    return args;
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SpiceCommand, WritesTheModelToStandardOutputOrAFile) {
    const auto printed = runCli(command("spice", kBuck));
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_NE(printed.out.find(".subckt T106_21_40T_18_AWG 1 2\n"), std::string::npos);
    EXPECT_NE(printed.out.find("I=pwl(V(flux),"), std::string::npos);

    const auto path = std::filesystem::path(::testing::TempDir()) / "korvell_spice_test.cir";
    const auto written =
        runCli(command("spice", std::string(kBuck) + " --output " + path.string()));
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(fileText(path), printed.out);
    std::filesystem::remove(path);

    const auto lt = runCli(command("spice", std::string(kBuck) + " --dialect ltspice --hot"));
    ASSERT_EQ(lt.status, 0) << lt.err;
    EXPECT_NE(lt.out.find("L1 3 2 Flux=table(x,"), std::string::npos);
    EXPECT_NE(lt.out.find("hot (second opinion)"), std::string::npos);
}

TEST(SpiceCommand, RefusesWhatAnalyzeRefusesWithTheSameWords) {
    for (const char* line : {"--app dc --part T106-99 --turns 40 --wire #18",
                             "--part T106-21 --turns 4o --wire #18", "--part T106-21 --wire #52",
                             "--turns 40 --wire #18", "--app dc --part T106-21 --dialect pspice"}) {
        const auto analyzed = runCli(command("analyze", line));
        const auto spice = runCli(command("spice", line));
        if (std::string(line).find("--dialect") != std::string::npos) {
            EXPECT_EQ(spice.status, 2) << line;
            continue;
        }
        EXPECT_EQ(spice.status, analyzed.status) << line;
        EXPECT_EQ(spice.status, 2) << line;
        EXPECT_EQ(spice.err, analyzed.err) << line;
        EXPECT_EQ(spice.out, "") << line;
    }
}

TEST(SpiceCommand, DesignWritesOneModelPerDesignFound) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "korvell_spice_designs";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto run = runCli(command("design",
                                    "--app dc --inductance 100 --current 5 --von 12 "
                                    "--voff 5 --frequency 100 --json --spice-dir " +
                                        folder.string()));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    const auto& designs = doc["designs"];
    ASSERT_GT(designs.size(), 1u);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), designs.size());
    // The first file is the first design's model, as korvell spice writes it.
    const auto& first = designs[0];
    EXPECT_TRUE(names[0].starts_with("01-")) << names[0];
    const std::string text = fileText(folder / names[0]);
    EXPECT_NE(text.find("core " + first["partNumber"].get<std::string>()), std::string::npos)
        << text.substr(0, 200);
    EXPECT_NE(text.find(std::to_string(first["turns"].get<int>()) + " turns"), std::string::npos);

    const auto missing = runCli(command("design",
                                        "--app dc --inductance 100 --current 5 "
                                        "--spice-dir /nonexistent/korvell"));
    EXPECT_EQ(missing.status, 2);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvell
