// What the command line tells the user: numbers read as strictly as the windows read their
// fields, and refusals that name the fault there is.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/CliRun.h"
#include "engine/DesignSearch.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::words;

struct Case {
    std::string args;
    int status;
    std::string err;  // the beginning of standard error (empty: nothing written there)
};

void expectOutcomes(const std::vector<Case>& cases) {
    for (const auto& c : cases) {
        const auto result = runCli(words(c.args));
        EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.err;
        EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << c.args << "\n" << result.err;
        if (c.err.empty()) {
            EXPECT_TRUE(result.err.empty()) << c.args << "\n" << result.err;
        }
    }
}

TEST(OptionWords, NumbersAreReadAsTheWindowsReadTheirFields) {
    expectOutcomes({
        // Hexadecimal, exponents and decimal commas are no numbers in an entry field.
        {"wire --gage 0x10", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --gage.  0x10 "},
        {"wire --gage 1e2", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --gage.  1e2 "},
        {"wire --gage 1,5", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --gage.  1,5 "},
        {"wire --area 0x10", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --area.  0x10 "},
        {"wire --area 1e3", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --area.  1e3 "},
        {"wire --area .", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --area.  . "},
        {"wire --max-diameter 0x1", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --max-diameter"},
        {"wire --area 99999999999999999999999999999999999999999", 2,
         "DATA ENTRY ERROR: --area BEYOND THE RANGE OF THE PROGRAM"},
        {"curve --kind 0x3", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --kind.  0x3 "},
        {"plot --kind 0x3", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --kind.  0x3 "},
        {"plot --kind +3", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --kind.  +3 "},
        {"explore --app dc --inductance 100 --current 5 --stack-max 0x2", 2,
         "DATA ENTRY ERROR: INVALID CHARACTER in --stack-max.  0x2 "},
        // What the windows take, the options take.
        {"wire --gage #10", 0, ""},
        {"wire --gage -3", 0, ""},
        {"wire --gage 10AWG", 0, ""},
        {"wire --gage-system swg --gage 10", 0, ""},
        {"wire --gage-system metric --gage 0.50", 0, ""},
        {"wire --area 1000", 0, ""},
        {"curve --kind 3", 0, ""},
        {"plot --kind 2", 0, ""},
    });
}

// The design choices are options of every command that takes the design parameters, checked
// as the parameters window checks them.
TEST(OptionWords, DesignChoicesAreCheckedAsTheParametersWindowChecksThem) {
    const std::string dc =
        " --app dc --inductance 100 --current 5 --von 12 --voff 5 --frequency 100";
    const std::string part = " --part T106-21 --turns 40 --wire 18 --current 5 --frequency 100";
    expectOutcomes({
        {"design" + dc + " --rise-by check --al-tolerance 10 --design-at worst-case", 0, ""},
        {"explore" + dc + " --al-tolerance 0 --design-at nominal --rise-by program", 0, ""},
        {"analyze" + part + " --al-tolerance 30", 0, ""},
        {"design" + dc + " --al-tolerance 30.5", 2,
         "PARAMETER OUT OF RANGE ERROR: Parameter10. ( 30.50) Must Be In The Range"},
        {"analyze" + part + " --al-tolerance -2", 2,
         "DATA ENTRY ERROR: INVALID CHARACTER in Parameter 9.  -2 "},
        {"design" + dc + " --design-at worst", 2, "ERROR: unknown choice: worst"},
        {"explore" + dc + " --rise-by hot", 2, "ERROR: unknown choice: hot"},
    });
}

// A design file in the test's temporary folder, removed afterwards.
struct SavedDesign {
    std::string path;
    SavedDesign(const std::string& name, const std::string& designArgs)
        : path(::testing::TempDir() + std::to_string(::getpid()) + "-" + name + ".korvell.json") {
        runCli(words("design " + designArgs + " --save " + path));
    }
    ~SavedDesign() { std::filesystem::remove(path); }
};

TEST(OptionWords, ADesignFileWithoutADesignIsSaidToHoldNone) {
    // A search that found nothing: no core carries 100 mH at 500 A.
    const SavedDesign empty("no-design",
                            "--app dc --inductance 100000 --current 500 --von 12 --voff 5 "
                            "--frequency 100");
    const std::string input = " --input " + empty.path;
    const std::string none =
        "ERROR: THE DESIGN FILE HOLDS NO DESIGN OF A SEARCH: GIVE --part, --wire AND --turns";
    expectOutcomes({
        {"analyze" + input, 2, none},
        {"analyze" + input + " --part T106-21", 2, none},
        {"analyze" + input + " --part T106-21 --wire #18", 2, none},
        {"plot --kind 7" + input, 2, none},
        {"analyze" + input + " --part T106-21 --wire #18 --turns 40", 0, ""},
    });
}

TEST(OptionWords, NoSelectedMaterialIsSaidSoRatherThanBlamingTheCoreSizes) {
    // Composite cores and the resonant materials are taken whatever is selected.
    const std::pair<DesignRecord, bool> searches[] = {
        {testing::buckFilter(), true},        {testing::buckFilter(kECore), true},
        {testing::pfcBoost(), true},          {testing::powerlineChoke(), true},
        {testing::controlledSwing(), true},   {testing::controlledSwing(kComposite), false},
        {testing::resonantInductor(), false},
    };
    for (auto [r, notice] : searches) {
        for (auto& slot : r.selectedMaterials)
            slot.clear();
        RecordingMessages messages;
        run_design_search(r, messages);
        const bool said = !messages.empty() && messages.messages[0].caption == "NOTICE: " &&
                          messages.messages[0].text ==
                              "NO CORE MATERIAL IS SELECTED: CHOOSE ONE OR MORE WITH CORE MATERIAL";
        EXPECT_EQ(said, notice) << int{r.applicationType};
        EXPECT_EQ(r.designCount > 0, !notice) << int{r.applicationType};
        for (const auto& m : messages.messages)
            EXPECT_EQ(m.text.find("Energy Product"), std::string::npos) << m.text;
    }
}

}  // namespace
}  // namespace korvell
