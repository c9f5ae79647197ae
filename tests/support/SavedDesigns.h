// Design files of a search of every application, made by korvell design --save once per test
// process, for the tests of what is made of a saved design (the report, the MAS export).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <string>

#include "cli/CliRun.h"

namespace korvell::test {

struct SavedDesign {
    const char* name;
    const char* search;  // korvell design options
};
inline constexpr SavedDesign kSavedDesigns[] = {
    {"dc-toroid", "--app dc --inductance 100 --current 5 --von 12 --voff 5 --frequency 100"},
    {"dc-ecore-single",
     "--app dc --shape e-core --winding single --inductance 100 --current 5 --von 12 --voff 5 "
     "--frequency 100"},
    {"controlled-swing",
     "--app controlled-swing --inductance 100 --current 5 --inductance-min 200 --min-current 1 "
     "--von 12 --voff 5 --frequency 100"},
    {"wide-swing",
     "--app wide-swing --inductance 50 --current 10 --inductance-min 500 --min-current 0.5 "
     "--von 12 --voff 5 --frequency 100"},
    {"pfc", "--app pfc --inductance 400 --current 5 --vin-peak 311 --vout 400 --frequency 65"},
    {"powerline-ecore",
     "--app powerline --shape e-core --inductance 5000 --current 5 --inductance-min 6000 "
     "--min-current 1 --frequency 60"},
    {"resonant", "--app resonant --inductance 50 --current 10 --vpeak 200 --frequency 100"},
};

// The design file of a search (its first design highlighted), saved under the test folder.
inline std::string savedDesignFile(const SavedDesign& design) {
    static std::map<std::string, std::string> saved;
    const auto found = saved.find(design.name);
    if (found != saved.end()) return found->second;
    const std::string path = ::testing::TempDir() + "korvell_" + std::to_string(getpid()) + "_" +
                             design.name + ".korvell.json";
    auto args = testing::words(std::string("design ") + design.search);
    args.insert(args.end(), {"--save", path});
    const auto run = testing::runCli(args);
    EXPECT_EQ(run.status, 0) << design.name << ": " << run.err;
    EXPECT_EQ(run.out.find("0 CORES MEETING"), std::string::npos) << design.name;
    saved[design.name] = path;
    return path;
}

}  // namespace korvell::test
