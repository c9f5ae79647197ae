#include "materials/CatalogRows.h"

#include <algorithm>

#include "materials/Catalog.h"
#include "materials/CatalogTables.h"
#include "record/DesignRecord.h"

namespace korvell {

const std::array<CatalogNumberField, 10> kCatalogNumberFields = {{
    {"mu", &CatalogRow::mu},
    {"al", &CatalogRow::al},
    {"ae", &CatalogRow::ae},
    {"le", &CatalogRow::le},
    {"window", &CatalogRow::window},
    {"mlt", &CatalogRow::mlt},
    {"d1", &CatalogRow::d1},
    {"d2", &CatalogRow::d2},
    {"d3", &CatalogRow::d3},
    {"reserved", &CatalogRow::reserved},
}};

CatalogListing listCatalog(std::int8_t shape, Messages& messages) {
    CatalogListing listing;
    DesignRecord record;
    const int rows = catalogRowCount(shape);
    listing.rows.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        // A look-up that fails leaves the line as it was: empty, so the row is not read twice.
        record.catalogLine.clear();
        catalogLookup(record, messages, i, shape);
        const auto numbers = readCatalogLineNumbers(record.catalogLine);
        if (!numbers) {
            listing.unreadRows.push_back(i);
            continue;
        }
        CatalogRow row;
        row.index = i;
        row.partNumber = numbers->partNumber;
        for (std::size_t k = 0; k < kCatalogNumberFields.size(); ++k)
            row.*kCatalogNumberFields[k].member = numbers->values[k];
        row.line = record.catalogLine;
        listing.rows.push_back(std::move(row));
    }
    return listing;
}

std::array<const char*, 3> catalogDimensionNames(std::int8_t shape) {
    if (shape == kECore) return {"B", "A", "C"};
    return {"ID", "OD", "HT"};
}

const char* catalogWindowUnit(std::int8_t shape) {
    return shape == kECore ? "155 x cm^2" : "kcmil";
}

std::string catalogRowMaterial(const CatalogRow& row) {
    return materialCodeOf(row.partNumber);
}

std::vector<std::string> catalogMaterialChoices(const std::vector<CatalogRow>& rows) {
    std::vector<std::string> used;
    for (const CatalogRow& row : rows) {
        std::string code = catalogRowMaterial(row);
        if (!code.empty() && std::find(used.begin(), used.end(), code) == used.end())
            used.push_back(std::move(code));
    }
    std::vector<std::string> choices;
    for (const CatalogMaterial& material : catalogMaterials) {
        if (std::find(used.begin(), used.end(), material.code) != used.end())
            choices.emplace_back(material.code);
    }
    // A code the material table does not hold (none should) still gets its choice, last.
    for (const std::string& code : used) {
        if (std::find(choices.begin(), choices.end(), code) == choices.end())
            choices.push_back(code);
    }
    return choices;
}

std::vector<CatalogRow> catalogRowsOfMaterial(const std::vector<CatalogRow>& rows,
                                              std::string_view material) {
    if (material.empty()) return rows;
    std::vector<CatalogRow> chosen;
    for (const CatalogRow& row : rows) {
        if (catalogRowMaterial(row) == material) chosen.push_back(row);
    }
    return chosen;
}

}  // namespace korvell
