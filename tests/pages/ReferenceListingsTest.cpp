#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "engine/ParametersEntry.h"
#include "pages/ReferenceListings.h"

namespace korvell {
namespace {

// Half a unit in the last shown place of a sort key compared with its text.
constexpr double kShownRounding = 0.005;

CatalogRow catalogRow(std::int8_t shape, const std::string& partNumber) {
    RecordingMessages messages;
    for (const CatalogRow& row : listCatalog(shape, messages).rows)
        if (row.partNumber == partNumber) return row;
    ADD_FAILURE() << "no row " << partNumber;
    return {};
}

WireRow wireRow(std::int8_t system, float gage) {
    RecordingMessages messages;
    std::vector<WireRow> rows;
    EXPECT_TRUE(listWireTable(system, messages, rows));
    for (const WireRow& w : rows)
        if (w.gage == gage) return w;
    ADD_FAILURE() << "no wire " << gage;
    return {};
}

template <std::size_t N>
std::vector<std::string> texts(const std::array<ListingCell, N>& cells) {
    std::vector<std::string> out;
    for (const ListingCell& c : cells)
        out.push_back(c.text);
    return out;
}

template <std::size_t N>
std::vector<std::string> units(const std::array<ListingHeading, N>& headings) {
    std::vector<std::string> out;
    for (const ListingHeading& h : headings)
        out.push_back(h.unit);
    return out;
}

DesignRecord inUnits(int unitSystem, int wireGageSystem) {
    DesignRecord r;
    EXPECT_TRUE(applyDisplayUnits(r, unitSystem, wireGageSystem));
    return r;
}

TEST(CatalogListingCells, ToroidInInchesShowsTheCatalogFigures) {
    const DesignRecord r;
    const auto cells = catalogCells(r, kToroid, catalogRow(kToroid, "T106-21"));
    // The window of 324.90 kcmil is π/4 × 0.57² in²; MLT 0.166 ft is 1.992 in.
    EXPECT_EQ(texts(cells),
              (std::vector<std::string>{"T106-21", "75", "101.3", "0.677", "6.30", "0.2552",
                                        "1.992", "1.060", "0.570", "0.437"}));
    const auto headings = catalogHeadings(r, kToroid);
    EXPECT_EQ(headings[7].title, "OD");
    EXPECT_EQ(headings[8].title, "ID");
    EXPECT_EQ(headings[9].title, "HT");
    EXPECT_EQ(units(headings), (std::vector<std::string>{"", "", "nH/T²", "cm²", "cm", "in²", "in",
                                                         "in", "in", "in"}));
}

TEST(CatalogListingCells, MetricUnitsShowMillimetresAndKeepAeAndLeInCentimetres) {
    const DesignRecord r = inUnits(0, kMetricWire);
    const CatalogRow row = catalogRow(kToroid, "T106-21");
    const auto cells = catalogCells(r, kToroid, row);
    EXPECT_EQ(texts(cells),
              (std::vector<std::string>{"T106-21", "75", "101.3", "0.677", "6.30", "164.63",
                                        "50.60", "26.92", "14.48", "11.10"}));
    EXPECT_EQ(
        units(catalogHeadings(r, kToroid)),
        (std::vector<std::string>{"", "", "nH/T²", "cm²", "cm", "mm²", "mm", "mm", "mm", "mm"}));
    // Numbers sort by the figure shown; the part number by its place in the catalog.
    EXPECT_NEAR(cells[7].sortKey, 26.924, kShownRounding);
    EXPECT_NEAR(cells[5].sortKey, 164.63, kShownRounding);
    EXPECT_EQ(cells[0].sortKey, row.index);
}

TEST(CatalogListingCells, ECoresShowWidthHeightAndThicknessAsTheResultsTableDoes) {
    const DesignRecord r;
    const auto headings = catalogHeadings(r, kECore);
    EXPECT_EQ(headings[7].title, "A");
    EXPECT_EQ(headings[8].title, "B");
    EXPECT_EQ(headings[9].title, "C");
    const CatalogRow row = catalogRow(kECore, "E50-21");
    const auto cells = catalogCells(r, kECore, row);
    EXPECT_EQ(cells[7].text, "0.500");  // a, the line's second dimension
    EXPECT_EQ(cells[8].text, "0.425");  // b, its first
    EXPECT_EQ(cells[9].text, "0.125");
    // 155 Wa[cm²] = 37.51 is Wa = 0.03751 in².
    EXPECT_EQ(cells[5].text, "0.0375");
}

TEST(CatalogListingCells, CompositeWindowIsItsInsideCircle) {
    const DesignRecord r;
    const CatalogRow row = catalogRow(kComposite, "ST106-413B");
    const auto cells = catalogCells(r, kComposite, row);
    EXPECT_NEAR(cells[5].sortKey, std::numbers::pi / 4 * 0.57 * 0.57, 1e-5);
    EXPECT_EQ(cells[7].text, "1.060");
}

TEST(CatalogListingCells, AFactorThatIsNotANumberLeavesItsCellsEmpty) {
    DesignRecord r;
    r.lengthFactor = std::numeric_limits<float>::quiet_NaN();
    const auto cells = catalogCells(r, kToroid, catalogRow(kToroid, "T106-21"));
    EXPECT_EQ(cells[0].text, "T106-21");
    EXPECT_EQ(cells[2].text, "101.3");
    for (int k : {5, 6, 7, 8, 9})
        EXPECT_EQ(cells[k].text, "") << k;
    for (const ListingCell& c : cells)
        EXPECT_TRUE(std::isfinite(c.sortKey));
}

TEST(WireListingCells, Awg10InInchUnitsIsTheCommandLinesRow) {
    const DesignRecord r = inUnits(1, kAwg);
    EXPECT_EQ(texts(wireTableCells(r, wireRow(kAwg, 10))),
              (std::vector<std::string>{"10", "10383.6", "0.10190", "0.00230", "0.10420", "0.10610",
                                        "0.00099879", "0.031608"}));
    const auto headings = wireTableHeadings(r);
    EXPECT_EQ(units(headings), (std::vector<std::string>{"AWG", "cmil", "in.", "in.", "in.", "in.",
                                                         "ohms/ft", "Lbs/ft"}));
    EXPECT_EQ(headings[6].title, "RESISTANCE");
    EXPECT_EQ(headings[7].title, "WEIGHT");
}

TEST(WireListingCells, Awg10InMetricUnitsIsPerMetre) {
    const DesignRecord r = inUnits(0, kAwg);
    // 0.1019 in is 2.588 mm; 0.000999 ohm/ft is 3.28 milliohm/m; 0.0316 lb/ft is 47.0 g/m.
    EXPECT_EQ(texts(wireTableCells(r, wireRow(kAwg, 10))),
              (std::vector<std::string>{"10", "5.2615", "2.5883", "0.0584", "2.6467", "2.6949",
                                        "0.0032769", "47.038"}));
    EXPECT_EQ(units(wireTableHeadings(r)),
              (std::vector<std::string>{"AWG", "mm²", "mm", "mm", "mm", "mm", "ohms/m", "gm/m"}));
}

TEST(WireListingCells, MetricWiresAreNamedByTheirDiameter) {
    const DesignRecord r = inUnits(0, kMetricWire);
    const auto cells = wireTableCells(r, wireRow(kMetricWire, 0.55f));
    EXPECT_EQ(cells[0].text, "0.55");
    EXPECT_EQ(cells[2].text, "0.5500");
    EXPECT_EQ(wireTableHeadings(r)[0].unit, "mm");
    // In inch units the same wire is 0.02165 in across.
    const DesignRecord english = inUnits(2, kMetricWire);
    EXPECT_EQ(wireTableCells(english, wireRow(kMetricWire, 0.55f))[2].text, "0.02165");
    EXPECT_EQ(wireTableHeadings(english)[0].unit, "mm");
    EXPECT_EQ(wireTableHeadings(english)[2].unit, "in");
}

TEST(WireListingCells, AZeroLongLengthFactorLeavesThePerLengthCellsEmpty) {
    DesignRecord r;
    r.longLengthFactor = 0;
    const auto cells = wireTableCells(r, wireRow(kAwg, 10));
    EXPECT_EQ(cells[6].text, "");
    EXPECT_EQ(cells[7].text, "");
    EXPECT_EQ(cells[2].text, "0.10190");
}

TEST(WireListingCells, TitleNamesTheStandardAndTheUnits) {
    EXPECT_EQ(wireTableTitle(inUnits(0, kSwg)),
              "WIRE GAGE STANDARD: BRITISH, SWG     MEASUREMENT UNITS: METRIC     RESISTANCE AT "
              "20 DEG C");
    DesignRecord r;
    r.wireGageSystem = 9;
    r.unitSystem = -1;
    EXPECT_EQ(wireTableTitle(r), "RESISTANCE AT 20 DEG C");
}

}  // namespace
}  // namespace korvell
