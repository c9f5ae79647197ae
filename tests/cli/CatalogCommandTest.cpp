#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliRun.h"
#include "materials/CatalogRows.h"
#include "pages/ReferenceListings.h"

namespace korvell {
namespace {

using testing::runCli;
using testing::runProgram;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(CatalogCommand, ListsEveryToroidRowByDefault) {
    const auto r = runCli({"catalog"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty()) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 2u + 446u);
    EXPECT_NE(lines[1].find("PART NUMBER"), std::string::npos);
    EXPECT_NE(lines[1].find("OD"), std::string::npos);
    EXPECT_EQ(lines[2].substr(0, 4), "   0");
    EXPECT_NE(lines[2].find("T12-11"), std::string::npos);
    EXPECT_EQ(lines.back().substr(0, 4), " 445");
}

TEST(CatalogCommand, CsvHasOneLinePerRowWithElevenValues) {
    const auto r = runCli({"catalog", "--shape", "e-core", "--csv"});
    EXPECT_EQ(r.status, 0);
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 1u + 152u);
    EXPECT_EQ(lines[0], "index,partNumber,mu,al,ae,le,window,mlt,d1,d2,d3,reserved");
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 11) << lines[i];
    EXPECT_EQ(lines[1].substr(0, 2), "0,");
    EXPECT_NE(lines[1].find(",0.000"), std::string::npos);
}

TEST(CatalogCommand, JsonGivesEveryFieldOfEveryRow) {
    const auto r = runCli({"catalog", "--shape", "composite", "--json"});
    EXPECT_EQ(r.status, 0);
    const auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json["rows"].size(), 10u);
    const auto& row = json["rows"][3];
    EXPECT_EQ(row["index"], 3);
    EXPECT_EQ(row["partNumber"], "ST106-413B");
    EXPECT_EQ(row["mu"], 60);
    for (const char* key : {"al", "ae", "le", "window", "mlt", "d1", "d2", "d3", "reserved"})
        EXPECT_TRUE(row[key].is_number()) << key;
    EXPECT_DOUBLE_EQ(row["d2"].get<double>(), 1.06);
    EXPECT_EQ(row["reserved"], 0);
    EXPECT_TRUE(json["messages"].empty());
}

TEST(CatalogCommand, PrintsTheRowsOfTheCoreListing) {
    for (const auto& [name, shape] : {std::pair{"toroid", kToroid}, std::pair{"e-core", kECore},
                                      std::pair{"composite", kComposite}}) {
        RecordingMessages messages;
        const auto rows = listCatalog(shape, messages).rows;
        const auto json = nlohmann::json::parse(runCli({"catalog", "--shape", name, "--json"}).out);
        ASSERT_EQ(json["rows"].size(), rows.size()) << name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& printed = json["rows"][i];
            EXPECT_EQ(printed["index"], rows[i].index);
            EXPECT_EQ(printed["partNumber"], rows[i].partNumber);
            for (const auto& field : kCatalogNumberFields)
                EXPECT_EQ(printed[field.name].get<double>(), rows[i].*field.member) << field.name;
        }
    }
}

TEST(CatalogCommand, CatalogWindowCellsInInchesAreTheTablesFigures) {
    // Row, part number, then mu al ae le window mlt d1 d2 d3 reserved as the table prints them;
    // the window shows the first four as printed and the dimensions in the results table's order.
    const DesignRecord inches;
    for (const auto& [name, shape] : {std::pair{"toroid", kToroid}, std::pair{"e-core", kECore},
                                      std::pair{"composite", kComposite}}) {
        RecordingMessages messages;
        const auto rows = listCatalog(shape, messages).rows;
        const auto lines = linesOf(runCli({"catalog", "--shape", name}).out);
        ASSERT_EQ(lines.size(), rows.size() + 2);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto printed = testing::words(lines[i + 2]);
            ASSERT_EQ(printed.size(), 12u);
            const auto cells = catalogCells(inches, shape, rows[i]);
            EXPECT_EQ(cells[0].text, printed[1]);
            for (int k = 1; k <= 4; ++k)
                EXPECT_EQ(cells[k].text, printed[k + 1]) << printed[1] << " column " << k;
            EXPECT_EQ(cells[7].text, printed[9]) << printed[1];
            EXPECT_EQ(cells[8].text, printed[8]) << printed[1];
            EXPECT_EQ(cells[9].text, printed[10]) << printed[1];
        }
    }
}

TEST(CatalogCommand, RefusesAnUnknownShape) {
    const auto r = runCli({"catalog", "--shape", "pot-core"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.rfind("ERROR: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("pot-core"), std::string::npos);
}

TEST(CatalogCommand, RunsEndToEndAsTheBuiltProgram) {
    auto r = runProgram("catalog --shape e-core --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json["rows"].size(), 152u);
    // E-core rows give height (d1) before width (d2).
    EXPECT_LT(json["rows"][0]["d1"].get<double>(), json["rows"][0]["d2"].get<double>());

    r = runProgram("catalog --shape sphere");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("ERROR: "), std::string::npos);
}

}  // namespace
}  // namespace korvell
