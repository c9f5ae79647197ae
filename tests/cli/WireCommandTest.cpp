#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/CliRun.h"
#include "engine/ParametersEntry.h"
#include "materials/WireRows.h"
#include "pages/ReferenceListings.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::runProgram;

nlohmann::json jsonOf(const std::vector<std::string>& args) {
    const auto result = runCli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return nlohmann::json::parse(result.out);
}

TEST(WireCommand, Awg10AsJsonEndToEnd) {
    const auto result = runProgram("wire --gage-system awg --gage 10 --json");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto wire = nlohmann::json::parse(result.out);
    // The stored floats are written in their shortest form, so the catalog figures read back.
    EXPECT_EQ(wire["label"], " AWG");
    EXPECT_EQ(wire["gage"], 10);
    EXPECT_EQ(wire["bareDia"], 0.1019);
    EXPECT_EQ(wire["build"], 0.0023);
    EXPECT_EQ(wire["dia"], 0.1042);
    EXPECT_EQ(wire["maxDia"], 0.1061);
    EXPECT_EQ(wire["area"], 10383.61);
    EXPECT_NEAR(wire["ohmsPerFoot"].get<double>(), 0.000999, 0.0000005);
    EXPECT_NEAR(wire["weightPerFoot"].get<double>(), 0.031608, 0.000001);
}

TEST(WireCommand, TablePrintsTheRowsOfTheCoreListing) {
    for (const auto& [name, system] :
         {std::pair{"awg", kAwg}, std::pair{"swg", kSwg}, std::pair{"metric", kMetricWire}}) {
        RecordingMessages messages;
        std::vector<WireRow> rows;
        ASSERT_TRUE(listWireTable(system, messages, rows));
        const auto json = jsonOf({"wire", "--table", "--gage-system", name, "--json"});
        ASSERT_EQ(json.size(), rows.size()) << name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(json[i]["label"], rows[i].label);
            EXPECT_EQ(static_cast<float>(json[i]["gage"].get<double>()), rows[i].gage);
            EXPECT_EQ(static_cast<float>(json[i]["maxDia"].get<double>()), rows[i].maxDia);
            EXPECT_EQ(static_cast<float>(json[i]["weightPerFoot"].get<double>()),
                      rows[i].weightPerFoot);
        }
    }
}

TEST(WireCommand, WireTableWindowCellsInInchUnitsAreTheTablesColumns) {
    for (const auto& [name, system] :
         {std::pair{"awg", kAwg}, std::pair{"swg", kSwg}, std::pair{"metric", kMetricWire}}) {
        DesignRecord english;
        ASSERT_TRUE(applyDisplayUnits(english, 1, system));
        RecordingMessages messages;
        std::vector<WireRow> rows;
        ASSERT_TRUE(listWireTable(system, messages, rows));
        const auto result = runCli({"wire", "--table", "--gage-system", name});
        std::vector<std::vector<std::string>> lines;
        std::istringstream in(result.out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(testing::words(line));
        ASSERT_EQ(lines.size(), rows.size() + 1) << name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto cells = wireTableCells(english, rows[i]);
            ASSERT_EQ(lines[i + 1].size(), cells.size());
            for (std::size_t k = 0; k < cells.size(); ++k)
                EXPECT_EQ(cells[k].text, lines[i + 1][k])
                    << name << " row " << i << " column " << k;
        }
    }
}

TEST(WireCommand, RefusedInputExitsTwoWithTheMessageOnStandardError) {
    const auto result = runProgram("wire --gage-system swg --gage 60");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "DATA ENTRY ERROR: Invalid Wire Size\n");
    // Letters outside the gage system's name never pass the wire field's characters.
    EXPECT_EQ(runCli({"wire", "--gage", "ten"}).err,
              "DATA ENTRY ERROR: INVALID CHARACTER in --gage.  ten \n");
    // AWG 60 exists in the formulas but not in the range the analysis accepts.
    EXPECT_EQ(runCli({"wire", "--gage", "60"}).err,
              "ESSENTIAL DATA MISSING: WIRE GAGE is OUT OF RANGE\n");

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"wire", "--area", "0.6"},
          {"wire", "--max-diameter", "0.001"},
          {"wire", "--area", "nan"},
          {"wire", "--max-diameter", "inf"},
          {"wire"},
          {"wire", "--gage", "10", "--area", "1000"},
          {"wire", "--table", "--gage", "10"},
          {"wire", "--gage-system", "bwg", "--gage", "10"},
          // Finite as typed, but beyond the single precision the option is kept in.
          {"wire", "--area", "1e39"},
          {"wire", "--max-diameter", "-1e39"}}) {
        const auto refused = runCli(args);
        EXPECT_EQ(refused.status, 2) << refused.err;
        EXPECT_EQ(refused.out, "");
        EXPECT_NE(refused.err, "");
        if (args.back().find("inf") == std::string::npos) {
            EXPECT_EQ(refused.err.find("inf"), std::string::npos) << refused.err;
        }
    }
}

TEST(WireCommand, SelectsByAreaAndDiameter) {
    EXPECT_EQ(jsonOf({"wire", "--area", "1000", "--json"})["gage"], 20);
    const auto metric =
        jsonOf({"wire", "--gage-system", "metric", "--max-diameter", "0.0339", "--json"});
    EXPECT_LE(metric["dia"].get<double>(), 0.0339);
    EXPECT_EQ(metric["label"], "mm G");
}

TEST(WireCommand, AwgZeroGagesReadAndPrintAsTheTradeWritesThem) {
    for (const char* text : {"0000", "#0000", "-3"}) {
        EXPECT_EQ(jsonOf({"wire", "--gage", text, "--json"})["gage"], -3) << text;
    }
    EXPECT_EQ(jsonOf({"wire", "--gage", "00", "--json"})["gage"], -1);
    const auto table = runCli({"wire", "--gage", "000"});
    EXPECT_NE(table.out.find("\n   000 "), std::string::npos) << table.out;
}

TEST(WireCommand, TableListsEverySizeOfTheSystem) {
    const struct {
        const char* system;
        std::size_t sizes;
        double firstGage;
        double lastGage;
    } systems[] = {{"awg", 54, -3, 50}, {"swg", 50, 1, 50}, {"metric", 40, 8.0, 0.05}};
    for (const auto& s : systems) {
        const auto rows = jsonOf({"wire", "--gage-system", s.system, "--table", "--json"});
        ASSERT_EQ(rows.size(), s.sizes) << s.system;
        EXPECT_EQ(rows.front()["gage"], s.firstGage) << s.system;
        EXPECT_EQ(rows.back()["gage"], s.lastGage) << s.system;
        for (const char* form : {"--csv", "--table"}) {
            const auto out = runCli({"wire", "--gage-system", s.system, "--table", form}).out;
            EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), s.sizes + 1) << s.system << form;
        }
    }
}

}  // namespace
}  // namespace korvell
