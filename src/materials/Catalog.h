// The maker's core catalog: toroid, E-core and composite toroid tables, the part-number syntax
// and the look-up that turns catalog row i of a shape into a part number and a catalog line.
#pragma once

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
    int count = 0;            // tokens read (0..3)
    std::string shapeAndSize; // "T123", "ST77"
    std::string material;     // "-21" ("-13" for "-13B/91")
    std::string suffix;       // "B", or empty
};
PartNumberTokens parsePartNumber(std::string_view partNumber);

// Initial permeability of a catalog material code (exact match); none when unknown.
std::optional<float> catalogMaterialPermeability(std::string_view code);

// Looks up catalog row `index` of `shape`: writes the catalog line into record.catalogLine and,
// for E-cores, copies the size record into record.Esize. Returns rows minus index (1 for the last
// row, 0 or less past the end, when nothing changes). Errors go through `messages` with the
// caption "CATALOG LOOKUP ERROR" and leave catalogLine unchanged.
int catalogLookup(DesignRecord& record, Messages& messages, int index, std::int8_t shape);

}  // namespace korvell
