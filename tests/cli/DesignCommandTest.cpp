#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/CliRun.h"
#include "materials/Catalog.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::runProgram;
using testing::words;

const char* const kBuck = "--app dc --inductance 100 --current 5 --von 12 --voff 5 --frequency 100";

std::vector<std::string> designArgs(const std::string& line) {
    auto args = words(line);
    args.insert(args.begin(), "design");
    return args;
}

// Catalog row of every toroid part number, to check the order of the designs.
std::map<std::string, int> toroidRows() {
    DesignRecord r;
    RecordingMessages messages;
    std::map<std::string, int> rows;
    for (int i = 0; i < kToroidCatalogRows; ++i) {
        catalogLookup(r, messages, i, kToroid);
        rows[words(r.catalogLine)[0]] = i;
    }
    return rows;
}

TEST(DesignCommand, PrintsTheDesignsSmallestCoreFirst) {
    const auto result = runProgram(std::string("design ") + kBuck);
    ASSERT_EQ(result.status, 0) << result.err;
    std::istringstream out(result.out);
    std::string line;
    while (std::getline(out, line) && line.rfind("CORE P/N", 0) != 0) {
    }
    std::getline(out, line);  // second heading line
    const auto rows = toroidRows();
    int previous = -1;
    int designs = 0;
    while (std::getline(out, line) && !line.empty() && line.rfind("END", 0) != 0) {
        const auto cells = words(line);
        ASSERT_EQ(rows.count(cells[0]), 1u) << line;
        EXPECT_GT(rows.at(cells[0]), previous) << line;
        previous = rows.at(cells[0]);
        ++designs;
    }
    EXPECT_EQ(designs, 40);
}

TEST(DesignCommand, EndOfSearchMessageGoesToStandardError) {
    const auto result = runProgram(
        "design --app dc --inductance 10000 --current 5 --von 12 --voff 5 --frequency 100");
    ASSERT_EQ(result.status, 0);
    EXPECT_NE(result.err.find("...END OF CATALOG REACHED...: "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("CORES MEETING REQUIREMENTS HAVE BEEN FOUND"), std::string::npos);
    EXPECT_NE(result.out.find("END OF CATALG"), std::string::npos);
}

TEST(DesignCommand, RefusedInputExitsWithTheProgramsMessage) {
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"--app dc --inductance 10a0 --current 5",
         "DATA ENTRY ERROR: INVALID CHARACTER in Parameter 0.  10a0 "},
        {"--app dc --inductance 0 --current 5",
         "DATA ENTRY ERROR: SPECIFIED INDUCTANCE:  0.0 nH is beyond the 100 nH lower Limit "},
        {"--app dc --inductance 100 --current 0",
         "DATA ENTRY ERROR: Peak Current must be greater than 1 uA"},
        {"--app dc --inductance 100 --current 5 --stack 2.5",
         "DATA ENTRY ERROR: INVALID CHARACTER in Parameter 9.  2.5 "},
        {"--app dc --inductance 100 --current 5 --max-temp-rise 200.5",
         "PARAMETER OUT OF RANGE ERROR: Parameter 1. (200.50) Must Be In The Range:   0.00 To "
         "200.00"},
        {"--app controlled-swing --inductance 100 --current 5 --inductance-min 50 --min-current 1",
         "DATA ENTRY ERROR: Inductance at Max current must be < Inductance at Min current "},
        {"--app pfc --inductance 100 --current 5 --von 12", "ERROR: --von does not apply"},
        {"--app wide-swing --shape toroid --inductance 100 --current 5",
         "ERROR: the wide swing inductor is designed on composite cores only"},
        {"--app dc --inductance 100 --current 5 --materials -21,-99",
         "ERROR: unknown material -99"},
        {"--app sideways --inductance 100", "ERROR: "},
        {"--app dc --inductance 100 --current 5 --part " + std::string(4097, 'T'),
         "ERROR: A WORD OF MORE THAN 4096 CHARACTERS IS REFUSED"},
        {[] {
             std::string many;
             for (int k = 0; k < 1100; ++k)
                 many += "--json ";
             return many;
         }(),
         "ERROR: A COMMAND LINE OF MORE THAN 1024 WORDS IS REFUSED"},
    };
    for (const auto& c : cases) {
        const auto result = runCli(designArgs(c.args));
        EXPECT_EQ(result.status, 2) << c.args;
        EXPECT_EQ(result.err.rfind(c.message, 0), 0u) << c.args << "\n" << result.err;
        EXPECT_TRUE(result.out.empty()) << c.args;
    }
}

TEST(DesignCommand, JsonHoldsEveryResultFieldTheWireAndTheDimensions) {
    const auto result = runCli(designArgs(std::string(kBuck) + " --json"));
    ASSERT_EQ(result.status, 0);
    const auto doc = nlohmann::json::parse(result.out);
    ASSERT_EQ(doc["designCount"], 40);
    EXPECT_TRUE(doc["endMarker"].is_null());
    EXPECT_TRUE(doc["messages"].empty());
    const auto& d = doc["designs"][0];
    for (const char* field :
         {"partNumber",  "price",       "al",        "strands", "turns",       "wire",
          "fillPercent", "rdc",         "rac",       "bac",     "percentPerm", "coreLossW",
          "copperLossW", "tempRise",    "build",     "woundOd", "woundId",     "woundHeight",
          "bobbinDim",   "surfaceArea", "coreVolume"}) {
        EXPECT_TRUE(d.contains(field)) << field;
    }
    for (const char* field : {"label", "area", "bareDia", "dia", "maxDia", "build", "gage",
                              "ohmsPerFoot", "weightPerFoot"}) {
        EXPECT_TRUE(d["wireData"].contains(field)) << field;
    }
    ASSERT_EQ(d["dimensions"].size(), 8u);
    EXPECT_TRUE(d["dimensions"][0].is_number());
    EXPECT_TRUE(d["dimensions"][7].is_null());
}

TEST(DesignCommand, MessagesOfTheSearchAreListedInTheJson) {
    const auto result = runCli(designArgs(
        "--app dc --inductance 10000 --current 5 --von 12 --voff 5 --frequency 100 --json"));
    const auto doc = nlohmann::json::parse(result.out);
    ASSERT_FALSE(doc["messages"].empty());
    EXPECT_EQ(doc["messages"].back()["caption"], "  ...END OF CATALOG REACHED...");
    EXPECT_EQ(doc["endMarker"], "END OF CATALG");
}

TEST(DesignCommand, ResonantFrequencyIsDerivedWhenNotGiven) {
    const auto result =
        runCli(designArgs("--app resonant --inductance 10 --current 2 --vpeak 100 --json"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto doc = nlohmann::json::parse(result.out);
    EXPECT_FLOAT_EQ(doc["derivedFrequencyKhz"].get<float>(), 795.8f);
    const auto table = runCli(designArgs("--app resonant --inductance 10 --current 2 --vpeak 100"));
    EXPECT_EQ(table.out.rfind("FREQUENCY 795.8 kHz DERIVED FROM THE INDUCTANCE", 0), 0u)
        << table.out;
}

TEST(DesignCommand, DimensionsTableUsesTheDisplayUnits) {
    const auto result = runCli(designArgs(std::string(kBuck) + " --dimensions --units metric"));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("CORE DIMENSIONS, mm"), std::string::npos);
    EXPECT_NE(result.out.find("WOUND DIMENSIONS, mm"), std::string::npos);
}

// Compares two JSON documents: numbers to a relative 1e-6, everything else exactly.
void expectSameJson(const nlohmann::json& actual, const nlohmann::json& expected,
                    const std::string& path) {
    if (expected.is_number() && actual.is_number()) {
        const double e = expected.get<double>();
        EXPECT_NEAR(actual.get<double>(), e, 1e-6 * std::fabs(e) + 1e-9) << path;
    } else if (expected.is_object() && actual.is_object()) {
        EXPECT_EQ(actual.size(), expected.size()) << path;
        for (const auto& [key, value] : expected.items()) {
            ASSERT_TRUE(actual.contains(key)) << path << "." << key;
            expectSameJson(actual[key], value, path + "." + key);
        }
    } else if (expected.is_array() && actual.is_array()) {
        ASSERT_EQ(actual.size(), expected.size()) << path;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            expectSameJson(actual[i], expected[i], path + "[" + std::to_string(i) + "]");
        }
    } else {
        EXPECT_EQ(actual, expected) << path;
    }
}

TEST(DesignCommand, CheckAddsASecondOpinionToEveryDesign) {
    const auto json = runCli(designArgs(std::string(kBuck) + " --check --json"));
    ASSERT_EQ(json.status, 0) << json.err;
    const auto doc = nlohmann::json::parse(json.out);
    ASSERT_GT(doc["designs"].size(), 0u);
    for (const auto& design : doc["designs"]) {
        const auto& check = design["check"];
        ASSERT_TRUE(check.is_object()) << design["partNumber"];
        EXPECT_EQ(check["model"], "dowell-1966");
        EXPECT_GE(check["copperLossW"].get<double>(), design["copperLossW"].get<double>() * 0.999)
            << design["partNumber"];
    }

    // The CHECK display's eight columns more in the table and in CSV, on every line (in CSV
    // after the two inductances the designs reach).
    const auto table = runCli(designArgs(std::string(kBuck) + " --check"));
    EXPECT_NE(table.out.find("L      L MIN L AT I MIN    Rdc HOT   CHECK Cu      TOTAL CHECK Rise"),
              std::string::npos)
        << table.out;
    const auto csv = runCli(designArgs(std::string(kBuck) + " --check --csv"));
    std::istringstream lines(csv.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_NE(
        line.find(
            ",\"L uH\",\"L MIN uH\",\"L AT I MIN uH\",\"Rdc HOT OHMS\",\"CHECK Cu Watts\",\"TOTAL "
            "Watts\",\"CHECK Rise deg C\",\"LIMIT\""),
        std::string::npos)
        << line;
    // Each design's figures agree with its JSON second opinion; its LIMIT says whether the
    // checked rise passes the 40 °C limit.
    for (std::size_t i = 0; std::getline(lines, line) && i < doc["designs"].size(); ++i) {
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 22) << line;
        std::vector<std::string> cells;
        std::istringstream split(line);
        for (std::string cell; std::getline(split, cell, ',');)
            cells.push_back(cell.substr(1, cell.size() - 2));
        const auto& check = doc["designs"][i]["check"];
        const double rise = check["tempRiseC"].get<double>();
        // L and L MIN are the inductances the search gave the design (to the display's 0.1 µH).
        EXPECT_NEAR(std::stod(cells[15]), std::stod(cells[13]), 0.051) << line;
        EXPECT_NEAR(std::stod(cells[16]), std::stod(cells[14]), 0.051) << line;
        EXPECT_NEAR(std::stod(cells[18]), check["rdcHotOhm"].get<double>(), 1e-4) << line;
        EXPECT_NEAR(std::stod(cells[19]), check["copperLossW"].get<double>(), 1e-3) << line;
        EXPECT_NEAR(std::stod(cells[21]), rise, 0.051) << line;
        EXPECT_EQ(cells[22], rise > 40 ? "OVER" : "OK") << line;
    }
}

TEST(DesignCommand, WholeSearchesMatchTheirGoldenResults) {
    std::ifstream list(std::string(KORVELL_TEST_DATA_DIR) + "/golden-searches.txt");
    ASSERT_TRUE(list) << "tests/data/golden-searches.txt";
    int compared = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto bar = line.find('|');
        const std::string name = line.substr(0, bar);
        SCOPED_TRACE(name);
        std::ifstream golden(std::string(KORVELL_TEST_DATA_DIR) + "/design-" + name + ".json");
        ASSERT_TRUE(golden) << "regenerate with tools/regenerate-golden.sh";
        const auto expected = nlohmann::json::parse(golden);
        const auto result = runCli(designArgs(line.substr(bar + 1) + " --json"));
        ASSERT_EQ(result.status, 0) << result.err;
        expectSameJson(nlohmann::json::parse(result.out), expected, name);
        ++compared;
    }
    EXPECT_GE(compared, 6);
}

// An empty --opt= is refused as empty, whatever follows it; the resonant search derives a
// frequency of 0 as a missing one, and the switching chokes refuse it.
TEST(DesignCommand, EmptyAndZeroFrequenciesAreRefusedOrDerived) {
    for (const char* next : {" --current 5", " --json", ""}) {
        const auto empty =
            runCli(designArgs(std::string("--app dc --inductance 100 --frequency=") + next));
        EXPECT_EQ(empty.status, 2) << next;
        EXPECT_EQ(empty.err,
                  "ERROR: --frequency IS EMPTY: GIVE IT A VALUE, AS IN --frequency=VALUE\n")
            << next;
    }
    const auto zero =
        runCli(designArgs("--app dc --inductance 100 --current 5 --von 12 --voff 5 "
                          "--frequency 0"));
    EXPECT_EQ(zero.status, 2);
    EXPECT_EQ(zero.err, "DATA ENTRY ERROR: FREQUENCY must be greater than 0 kHERTZ\n");
    const auto resonant = runCli(
        designArgs("--app resonant --inductance 100 --current 5 --vpeak 100 --frequency 0 --json"));
    ASSERT_EQ(resonant.status, 0) << resonant.err;
    EXPECT_EQ(resonant.err.find("ERROR"), std::string::npos) << resonant.err;
    EXPECT_GT(nlohmann::json::parse(resonant.out)["designCount"].get<int>(), 0);
}

}  // namespace
}  // namespace korvell
