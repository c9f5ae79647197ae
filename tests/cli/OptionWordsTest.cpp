// What the command line tells the user: numbers read as strictly as the windows read their
// fields, and refusals that name the fault there is.
#include <gtest/gtest.h>

#include <string>

#include "cli/CliRun.h"

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
        {"wire --area -5", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --area.  -5 "},
        {"wire --area .", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --area.  . "},
        {"wire --max-diameter 0x1", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --max-diameter"},
        {"wire --area 99999999999999999999999999999999999999999", 2,
         "DATA ENTRY ERROR: --area BEYOND THE RANGE OF THE PROGRAM"},
        {"curve --kind 0x3", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --kind.  0x3 "},
        {"curve --kind 3.0", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --kind.  3.0 "},
        {"plot --kind 0x3", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --kind.  0x3 "},
        {"plot --kind +3", 2, "DATA ENTRY ERROR: INVALID CHARACTER in --kind.  +3 "},
        // What the windows take, the options take.
        {"wire --gage #10", 0, ""},
        {"wire --gage 0000", 0, ""},
        {"wire --gage -3", 0, ""},
        {"wire --gage 10AWG", 0, ""},
        {"wire --gage-system swg --gage 10", 0, ""},
        {"wire --gage-system metric --gage 0.50", 0, ""},
        {"wire --area 1000", 0, ""},
        {"wire --max-diameter 0.05", 0, ""},
        {"curve --kind 3", 0, ""},
        {"plot --kind 2", 0, ""},
    });
}

}  // namespace
}  // namespace korvell
