// The maker's core catalog: toroid, E-core and composite toroid tables, the part-number syntax
// and the look-up that turns catalog row i of a shape into a part number and a catalog line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

constexpr int kToroidCatalogRows = 446;
constexpr int kECoreCatalogRows = 152;
constexpr int kCompositeCatalogRows = 10;

// Number of catalog rows of a shape (0 for an unknown shape).
int catalogRowCount(std::int8_t shape);

// The tokens of a part number scanned with "%[EST0-9] %[-0-9] %[ABCDH] ".
struct PartNumberTokens {
    int count = 0;             // tokens read (0..3)
    std::string shapeAndSize;  // "T123", "ST77"
    std::string material;      // "-21" ("-13" for "-13B/91")
    std::string suffix;        // "B", or empty
};
PartNumberTokens parsePartNumber(std::string_view partNumber);

// A catalog line read back: the part number and the ten numbers after it (µ, Al, ae, le, window,
// MLT, three dimensions, reserved). None unless all eleven fields are there.
struct CatalogLineFields {
    std::string partNumber;
    std::array<float, 10> values{};
};
std::optional<CatalogLineFields> readCatalogLine(std::string_view line);
// The same ten numbers as doubles, each the nearest double to the decimal the line prints (what
// a reader of the printed catalog sees); none unless all eleven fields are there.
struct CatalogLineNumbers {
    std::string partNumber;
    std::array<double, 10> values{};
};
std::optional<CatalogLineNumbers> readCatalogLineNumbers(std::string_view line);

// Initial permeability of a catalog material code (exact match); none when unknown.
std::optional<float> catalogMaterialPermeability(std::string_view code);

// Expands the material and gap letters of a compressed part number, left to right, each into
// its code from the material letter table: "E321kw" gives "E321-36w", then "E321-36/Q102".
std::string expandCatalogKey(std::string_view compressed);

// Turns one toroid (shape 0) or E-core (shape 1) part number with its Al into the catalog line,
// exactly as catalogLookup does for a catalog row (E-cores also set record.Esize). Returns false
// after showing the error; catalogLine is then unchanged and, for an E-core, Esize is empty.
// Composites are measured by their catalog row, not by a part number: any other shape returns
// false and changes nothing.
bool describeCatalogPart(DesignRecord& record, Messages& messages, std::string_view partNumber,
                         float al, std::int8_t shape);

// The shape whose catalog a typed part number names by its first letter: "E" E-core, "S"
// (of "ST") composite toroid, anything else toroid.
std::int8_t partNumberShape(std::string_view partNumber);

// The row of the catalog of partNumberShape whose part number is exactly the text before the
// first blank of `partNumber` (a stacked part carries " x" and the count after a blank); none
// when no row has that part number. A prefix of a part number names no core.
std::optional<int> findCatalogRow(std::string_view partNumber);

// "Core P/N %s NOT IN THE CATALOG": a part number that names no core of the catalog of its
// shape.
std::string partNotFoundText(std::string_view partNumber);

// Looks up catalog row `index` of `shape`: writes the catalog line into record.catalogLine and,
// for E-cores, copies the size record into record.Esize. Returns rows minus index (1 for the last
// row, 0 or less past the end, when nothing changes). A negative index or an unknown shape reads
// nothing and returns 0, so that a caller's walk stops. Errors go through `messages` with the
// caption "CATALOG LOOKUP ERROR" and leave catalogLine unchanged (and an E-core's Esize empty).
//
// Catalog line: "%12s %5.0f %5.1f %5.3f %5.2f %7.2f %5.3f %5.3f %5.3f %5.3f %8.3f" with the part
// number, initial permeability, Al (nH/turn²), Ae (cm²), le (cm), window (toroid 1000 id², i.e.
// kcmil; E-core 155 Wa[cm²]), mean turn length (ft), then id, od, ht (toroid and composite) or
// b, a, c (E-core) in inches, and a reserved 0.
int catalogLookup(DesignRecord& record, Messages& messages, int index, std::int8_t shape);

}  // namespace korvell
