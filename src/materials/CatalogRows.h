// The core catalog as a list: every row of one shape with its part number and the ten numbers of
// its catalog line under their names, the material codes the rows use, and a row's material. The
// korvell catalog command prints these rows and the catalog window shows them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Messages.h"

namespace korvell {

// One catalog row read back from the catalog line that catalogLookup writes for it: each number
// as the line prints it (rounded to the line's precision).
struct CatalogRow {
    int index = 0;  // row of the shape's catalog, smallest core first
    std::string partNumber;
    double mu = 0;      // initial permeability
    double al = 0;      // nH/turn²
    double ae = 0;      // cm²
    double le = 0;      // cm
    double window = 0;  // toroid and composite: 1000 id² (kcmil); E-core: 155 Wa[cm²]
    double mlt = 0;     // mean length of a turn, ft
    double d1 = 0;      // in: id (toroid, composite) or b, the height (E-core)
    double d2 = 0;      // in: od, or a, the width
    double d3 = 0;      // in: ht, or c, the thickness
    double reserved = 0;
    std::string line;  // the catalog line itself
};

// The ten numbers of a row in the order of the catalog line, by name.
struct CatalogNumberField {
    const char* name;
    double CatalogRow::*member;
};
extern const std::array<CatalogNumberField, 10> kCatalogNumberFields;

// Every row of a shape's catalog, looked up with catalogLookup; errors of the look-up go through
// `messages`. A row whose line cannot be read back is left out and its index listed in
// unreadRows. An unknown shape lists nothing.
struct CatalogListing {
    std::vector<CatalogRow> rows;
    std::vector<int> unreadRows;
};
CatalogListing listCatalog(std::int8_t shape, Messages& messages);

// Names of d1, d2, d3: "ID", "OD", "HT", or for E-cores "B", "A", "C".
std::array<const char*, 3> catalogDimensionNames(std::int8_t shape);

// Unit of the window figure: "kcmil", or for E-cores "155 x cm^2".
const char* catalogWindowUnit(std::int8_t shape);

// Material code of a row: the part number's first dash and the digits after it, so that the
// -13/91 variants of T106-13/91 and T106-13A/91 belong to -13 (the catalog measures them with
// the permeability of -13).
std::string catalogRowMaterial(const CatalogRow& row);

// The material codes the rows use, each once, in the order of the catalog material table.
std::vector<std::string> catalogMaterialChoices(const std::vector<CatalogRow>& rows);

// The rows of one material code, in their order; all rows for an empty code.
std::vector<CatalogRow> catalogRowsOfMaterial(const std::vector<CatalogRow>& rows,
                                              std::string_view material);

}  // namespace korvell
