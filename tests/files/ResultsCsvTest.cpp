#include <gtest/gtest.h>

#include <sstream>

#include "files/ResultsCsv.h"
#include "record/ResultCells.h"

namespace korvell {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST(ResultsCsv, BothDisplaysSideBySideWithThePartNumberOnce) {
    DesignRecord r;
    r.designCount = 2;
    r.designResults[0].partNumber = "T106-26";
    r.designResults[0].wire = "# 18";
    r.designResults[0].strands = 1;
    r.designResults[0].turns = 40;
    r.designResults[1].partNumber = "T130-26 x2";
    r.designResults[1].wire = "# 16";
    r.designResults[1].strands = 3;
    r.designResults[2].partNumber = "END OF CATALG";
    r.designDimensions[0].slot[2] = 1.06f;
    r.lengthFactor = 25.4f;
    r.lengthUnitName = "mm ";

    const auto both = lines(resultsCsv(r, {kElectricalDisplay, kDimensionsDisplay}));
    ASSERT_EQ(both.size(), 3u) << "a heading line and one line per design, no end marker";
    // Headings hold commas of their own; every cell is quoted.
    const auto cells = [](const std::string& line) {
        return std::count(line.begin(), line.end(), '"') / 2;
    };
    EXPECT_EQ(cells(both[0]), 27);  // 13 + 12 display columns and two inductances
    EXPECT_EQ(both[0].rfind("\"CORE P/N\",\"PRICE US$\",\"AL nH\",\"TURNS\",", 0), 0u) << both[0];
    EXPECT_NE(both[0].find("\"CORE DIMENSIONS, mm  ID\""), std::string::npos) << both[0];
    EXPECT_EQ(both[1].substr(0, 10), "\"T106-26\",");
    EXPECT_NE(both[1].find("\"26.924\""), std::string::npos) << both[1];
    EXPECT_NE(both[2].find("\"3 x # 16\""), std::string::npos) << both[2];

    const auto one = lines(resultsCsv(r, {kElectricalDisplay}));
    EXPECT_EQ(cells(one[0]), 15);
    EXPECT_NE(one[0].find(",\"INDUCTANCE UH\",\"INDUCTANCE MIN UH\""), std::string::npos);
    const std::string electrical = one[1].substr(0, one[1].rfind(",\"", one[1].rfind(",\"") - 1));
    EXPECT_EQ(both[1].rfind(electrical, 0), 0u) << electrical;
    r.applicationType = kWideSwing;  // a swing carries its inductance at the minimum current
    EXPECT_EQ(cells(lines(resultsCsv(r, {kElectricalDisplay}))[0]), 16);

    r.designResults[0].partNumber = "T\"1";
    EXPECT_EQ(lines(resultsCsv(r, {kElectricalDisplay}))[1].rfind("\"T\"\"1\",", 0), 0u);
}

}  // namespace
}  // namespace korvell
