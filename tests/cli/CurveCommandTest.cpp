#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliRun.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::runProgram;

TEST(CurveCommand, JsonHasOneSixtyPointCurvePerSelectedMaterial) {
    const auto result = runCli({"curve", "--kind", "2", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["kind"], 2);
    EXPECT_EQ(json["title"], "PERCENT INITIAL PERMEABILITY vs DC BIAS");
    EXPECT_EQ(json["xCaption"], "DC BIAS IN OERSTEADS");
    EXPECT_EQ(json["yCaption"], "% PERM");
    ASSERT_EQ(json["curves"].size(), 14u);
    EXPECT_EQ(json["curves"][0]["material"], "-11");
    for (const auto& curve : json["curves"]) {
        ASSERT_EQ(curve["points"].size(), 60u) << curve["material"];
        EXPECT_EQ(curve["points"][0].size(), 2u);
    }
    EXPECT_TRUE(json["messages"].empty());
}

TEST(CurveCommand, OneMaterialInTheGraphsUnits) {
    // Initial permeability graph: absolute permeability, about 75 for -21 at low bias.
    const auto k1 = runCli({"curve", "--kind", "1", "--material", "-21", "--json"});
    ASSERT_EQ(k1.status, 0) << k1.err;
    const auto json = nlohmann::json::parse(k1.out);
    ASSERT_EQ(json["curves"].size(), 1u);
    EXPECT_NEAR(json["curves"][0]["points"][0][1].get<double>(), 75, 1);

    const auto composite = runCli({"curve", "--kind", "2", "--material", "-411", "--json"});
    const auto points = nlohmann::json::parse(composite.out)["curves"][0]["points"];
    EXPECT_NEAR(points[0][0].get<double>(), 0.1, 1e-6);
    EXPECT_NEAR(points[59][0].get<double>(), 28, 1e-3);

    // A composite has no AC curve: nothing to draw, and that is no error.
    const auto none = runCli({"curve", "--kind", "3", "--material", "-411", "--json"});
    EXPECT_EQ(none.status, 0);
    EXPECT_TRUE(nlohmann::json::parse(none.out)["curves"].empty());
}

TEST(CurveCommand, TableHasAnXColumnThenOneColumnPerMaterial) {
    const auto result = runCli({"curve", "--kind", "4"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::istringstream lines(result.out);
    std::string line, header;
    int dataRows = 0;
    while (std::getline(lines, line)) {
        if (line.find("-11") != std::string::npos && line.find("-39") != std::string::npos) {
            header = line;
        } else if (!header.empty() && !line.empty()) {
            ++dataRows;
        }
    }
    EXPECT_EQ(dataRows, 60);
    std::istringstream fields(header);
    std::vector<std::string> names;
    for (std::string f; fields >> f;)
        names.push_back(f);
    ASSERT_EQ(names.size(), 15u);
    EXPECT_EQ(names[0], "x");
    EXPECT_EQ(result.out.rfind("EFFECTIVE PERMEABILITY vs FREQUENCY", 0), 0u);
}

TEST(CurveCommand, CsvListsEveryPoint) {
    const auto result = runCli({"curve", "--kind", "5", "--csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::istringstream lines(result.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "material,point,x,y");
    int rows = 0;
    while (std::getline(lines, line))
        ++rows;
    EXPECT_EQ(rows, 14 * 60);
}

TEST(CurveCommand, RefusedInputExitsWithTwo) {
    for (const char* kind : {"0", "7", "-1"}) {
        const auto result = runCli({"curve", "--kind", kind});
        EXPECT_EQ(result.status, 2) << kind;
        EXPECT_EQ(result.err.rfind("DATA ENTRY ERROR: ", 0), 0u) << result.err;
        EXPECT_TRUE(result.out.empty());
    }
    const auto unknown = runCli({"curve", "--kind", "2", "--material", "-99"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "DATA ENTRY ERROR: UNRECOGNIZED MATERIAL -99\n");
    EXPECT_EQ(runCli({"curve"}).status, 2);  // --kind is required
    EXPECT_EQ(runCli({"curve", "--kind", "2", "--json", "--csv"}).status, 2);
}

TEST(CurveCommand, BuiltProgramEndToEnd) {
    const auto result = runProgram("curve --kind 3 --json");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["curves"].size(), 14u);
    EXPECT_EQ(json["curves"][13]["points"].size(), 60u);

    const auto refused = runProgram("curve --kind 9");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("DATA ENTRY ERROR: "), std::string::npos);
}

}  // namespace
}  // namespace korvell
