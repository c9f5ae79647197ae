#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/CliRun.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::words;

const char* const kBuck =
    "--app dc --part T106-21 --turns 40 --wire #18 --current 5 --von 12 --voff 5 --frequency 100";

std::vector<std::string> command(const std::string& name, const std::string& line) {
    std::vector<std::string> args = words(line);
    args.insert(args.begin(), name);
    return args;
}

TEST(SpiceCommand, WritesTheModelToStandardOutputOrAFile) {
    const auto printed = runCli(command("spice", kBuck));
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_NE(printed.out.find(".subckt T106_21_40T_18_AWG 1 2\n"), std::string::npos);
    const auto path = std::filesystem::path(::testing::TempDir()) / "korvell_spice_test.cir";
    const auto written =
        runCli(command("spice", std::string(kBuck) + " --output " + path.string()));
    ASSERT_EQ(written.status, 0) << written.err;
    std::ostringstream file;
    file << std::ifstream(path).rdbuf();
    EXPECT_EQ(file.str(), printed.out);
    std::filesystem::remove(path);
    const auto lt = runCli(command("spice", std::string(kBuck) + " --dialect ltspice --hot"));
    EXPECT_NE(lt.out.find("Flux=table(x,"), std::string::npos);
    EXPECT_NE(lt.out.find("hot (second opinion)"), std::string::npos);
}

TEST(SpiceCommand, RefusesWhatAnalyzeRefusesWithTheSameWords) {
    for (const char* line :
         {"--app dc --part T106-99 --turns 40 --wire #18", "--part T106-21 --turns 4o --wire #18",
          "--part T106-21 --wire #52", "--turns 40 --wire #18"}) {
        const auto analyzed = runCli(command("analyze", line));
        const auto spice = runCli(command("spice", line));
        EXPECT_EQ(spice.status, 2) << line;
        EXPECT_EQ(spice.err, analyzed.err) << line;
        EXPECT_EQ(spice.out, "") << line;
    }
    EXPECT_EQ(runCli(command("spice", std::string(kBuck) + " --dialect pspice")).status, 2);
}

TEST(SpiceCommand, DesignWritesOneModelPerDesignFound) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "korvell_spice_designs";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const char* const buck = "--app dc --current 5 --von 12 --voff 5 --frequency 100";
    const auto run = runCli(command(
        "design", std::string(buck) + " --inductance 100 --json --spice-dir " + folder.string()));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto designs = nlohmann::json::parse(run.out)["designs"];
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), designs.size());
    // 01-<name>.cir is the first design's model, as korvell spice writes it.
    std::vector<std::string> args = command("spice", buck);
    for (const char* key : {"partNumber", "wire"})
        args.insert(args.end(), {key[0] == 'p' ? "--part" : "--wire", designs[0][key]});
    for (const char* key : {"turns", "strands"})
        args.insert(args.end(), {std::string("--") + key, designs[0][key].dump()});
    const auto spice = runCli(args);
    const std::string name = spice.out.substr(spice.out.find(".subckt ") + 8);
    std::ostringstream file;
    file << std::ifstream(folder / ("01-" + name.substr(0, name.find(' ')) + ".cir")).rdbuf();
    EXPECT_EQ(file.str(), spice.out);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvell
