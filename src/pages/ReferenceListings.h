// The catalog and wire tables as the reference windows show them: each column's heading with its
// unit, and each cell's text with the number it sorts by, in the record's display units (lengths
// by lengthUnitName and lengthFactor, per-length figures by longLengthUnitName and
// longLengthFactor, weights by weightUnitName and weightFactor). A figure that comes out not
// finite (a display factor of 0 or not a number) is shown as an empty cell.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "materials/CatalogRows.h"
#include "materials/WireRows.h"
#include "record/DesignRecord.h"

namespace korvell {

struct ListingHeading {
    std::string title;
    std::string unit;  // empty for a plain number or a name
};
// A heading as a column shows it: the title, and the unit on a line of its own.
std::string listingHeadingText(const ListingHeading& heading);

struct ListingCell {
    std::string text;
    double sortKey = 0;  // the figure shown, unrounded; a part number sorts by its catalog row
};

// Catalog columns: part number, initial permeability, Al (nH/T²), Ae (cm²), le (cm), winding
// window (area, square length unit), mean turn length (length unit), then the dimensions in the
// order of the results table: OD, ID, HT, or for E-cores A, B, C (length unit). Ae and le stay
// in cm, as the maker's catalog gives them.
constexpr int kCatalogColumns = 10;
std::array<ListingHeading, kCatalogColumns> catalogHeadings(const DesignRecord& record,
                                                            std::int8_t shape);
// The window figure becomes the area it stands for: toroids π/4 id² from 1000 id², E-cores Wa
// from 155 Wa[cm²] (that is 1000 Wa[in²]); MLT goes from feet to the length unit.
std::array<ListingCell, kCatalogColumns> catalogCells(const DesignRecord& record, std::int8_t shape,
                                                      const CatalogRow& row);

// Wire-table columns, those of `korvell wire --table`: size (named by wireGageName), copper area
// (cmil in inch units, else the square length unit), bare diameter, build, nominal and maximum
// insulated diameter (length unit), resistance at 20 °C per long length, weight per long length.
constexpr int kWireColumns = 8;
std::array<ListingHeading, kWireColumns> wireTableHeadings(const DesignRecord& record);
std::array<ListingCell, kWireColumns> wireTableCells(const DesignRecord& record,
                                                     const WireRow& row);

// The line above the wire table: the gage standard and the measurement units by the names the
// parameters window lists them under ("WIRE GAGE STANDARD: AMERICAN, AWG     MEASUREMENT UNITS:
// ENGLISH"), and the temperature the resistance holds at. A system or unit index out of range
// leaves its part out.
std::string wireTableTitle(const DesignRecord& record);

}  // namespace korvell
