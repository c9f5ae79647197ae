// Design files on the command line: korvell design --save writes one, --input starts from one
// (options given as well override it), korvell analyze --input analyzes its first saved design.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/CliRun.h"
#include "support/HostileFiles.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::words;
namespace fs = std::filesystem;

const std::string kPfc =
    "design --app pfc --inductance 400 --current 5 --vin-peak 311 --vout 400 --frequency 65 "
    "--materials -21,-36 --units metric --fill 35";

struct FileInTemp {
    std::string path;
    explicit FileInTemp(const std::string& name)
        : path(::testing::TempDir() + std::to_string(::getpid()) + "-" + name) {}
    ~FileInTemp() { fs::remove(path); }
};

std::string designsOf(const std::string& json) {
    const auto start = json.find("\"designs\"");
    const auto end = json.find("\"endMarker\"");
    return json.substr(start, end - start);
}

TEST(DesignFileCommand, SavedInputsGiveTheSameDesignsAndOptionsOverrideThem) {
    FileInTemp file("pfc.korvell.json");
    const auto saved = runCli(words(kPfc + " --json --save " + file.path));
    ASSERT_EQ(saved.status, 0) << saved.err;
    ASSERT_TRUE(fs::exists(file.path));

    const auto again = runCli(words("design --json --input " + file.path));
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(designsOf(again.out), designsOf(saved.out));
    EXPECT_NE(again.out.find("POWER FACTOR BOOST INDUCTOR"), std::string::npos);

    // An option given as well wins over the file; the rest of the file stands.
    const auto lower = runCli(words("design --json --input " + file.path + " --inductance 300"));
    const auto direct = runCli(words(
        "design --app pfc --inductance 300 --current 5 --vin-peak 311 --vout 400 --frequency 65 "
        "--materials -21,-36 --units metric --fill 35 --json"));
    ASSERT_EQ(lower.status, 0) << lower.err;
    EXPECT_EQ(designsOf(lower.out), designsOf(direct.out));
    EXPECT_NE(designsOf(lower.out), designsOf(saved.out));
}

TEST(DesignFileCommand, AnalyzeTakesTheFirstSavedDesign) {
    FileInTemp file("buck.korvell.json");
    ASSERT_EQ(runCli(words("design --app dc --inductance 100 --current 5 --von 12 --voff 5 "
                           "--frequency 100 --save " +
                           file.path))
                  .status,
              0);
    const auto fromFile = runCli(words("analyze --input " + file.path));
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_NE(fromFile.out.find("CORE T80-13A/91, 63 TURNS OF # 18 AWG"), std::string::npos)
        << fromFile.out;
    const auto otherTurns = runCli(words("analyze --input " + file.path + " --turns 70"));
    EXPECT_NE(otherTurns.out.find("70 TURNS"), std::string::npos) << otherTurns.out;
}

TEST(DesignFileCommand, DamagedFilesAndFailedWritesSayWhy) {
    FileInTemp file("damaged.korvell.json");
    std::ofstream(file.path) << "{\"format\": \"korvell-inductors-design\", \"version\": 1";
    const auto damaged = runCli(words("design --input " + file.path));
    EXPECT_EQ(damaged.status, 2);
    EXPECT_NE(damaged.err.find("DESIGN FILE ERROR: THE DESIGN FILE IS NOT READABLE"),
              std::string::npos)
        << damaged.err;
    const auto missing = runCli(words("analyze --input " + file.path + ".none"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("CANNOT BE OPENED"), std::string::npos) << missing.err;
    const auto neither = runCli(words("analyze --turns 40"));
    EXPECT_EQ(neither.status, 2);
    EXPECT_NE(neither.err.find("--part is required"), std::string::npos) << neither.err;

    const auto unwritable = runCli(words(kPfc + " --save /no/such/folder/x.korvell.json"));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("DESIGN FILE ERROR: THE FILE /no/such/folder/x.korvell.json"),
              std::string::npos)
        << unwritable.err;
}

TEST(DesignFileCommand, HostileFilesAreRefusedAsDesignFileErrors) {
    const test::HostileFiles hostile;
    for (const auto& file : hostile.files()) {
        for (const char* command : {"design", "analyze"}) {
            const auto run = runCli(words(std::string(command) + " --input " + file.path));
            EXPECT_EQ(run.status, 2) << command << ' ' << file.path;
            EXPECT_EQ(run.err.rfind("DESIGN FILE ERROR: ", 0), 0u) << run.err;
            EXPECT_NE(run.err.find(file.refusal), std::string::npos) << run.err;
        }
    }
}

}  // namespace
}  // namespace korvell
