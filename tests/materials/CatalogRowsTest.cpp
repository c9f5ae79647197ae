#include <gtest/gtest.h>

#include <set>
#include <string>

#include "materials/Catalog.h"
#include "materials/CatalogRows.h"

namespace korvell {
namespace {

const CatalogRow& rowOf(const std::vector<CatalogRow>& rows, const std::string& partNumber) {
    for (const CatalogRow& row : rows)
        if (row.partNumber == partNumber) return row;
    ADD_FAILURE() << "no row " << partNumber;
    return rows.front();
}

TEST(CatalogRows, ListsEveryRowOfEachShapeInCatalogOrder) {
    for (const auto& [shape, count] :
         {std::pair{kToroid, 446}, std::pair{kECore, 152}, std::pair{kComposite, 10}}) {
        RecordingMessages messages;
        const CatalogListing listing = listCatalog(shape, messages);
        EXPECT_TRUE(messages.empty()) << int(shape);
        EXPECT_TRUE(listing.unreadRows.empty()) << int(shape);
        ASSERT_EQ(listing.rows.size(), static_cast<std::size_t>(count)) << int(shape);
        std::set<std::string> partNumbers;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(listing.rows[i].index, i);
            partNumbers.insert(listing.rows[i].partNumber);
        }
        // Every row is a core of its own.
        EXPECT_EQ(partNumbers.size(), static_cast<std::size_t>(count)) << int(shape);
    }
}

TEST(CatalogRows, NamedNumbersAreThoseOfTheCatalogLine) {
    RecordingMessages messages;
    const CatalogListing listing = listCatalog(kToroid, messages);
    const CatalogRow& t106 = rowOf(listing.rows, "T106-21");
    // The line prints "T106-21    75 101.3 0.677  6.30  324.90 0.166 0.570 1.060 0.437    0.000".
    EXPECT_EQ(t106.mu, 75.0);
    EXPECT_EQ(t106.al, 101.3);
    EXPECT_EQ(t106.ae, 0.677);
    EXPECT_EQ(t106.le, 6.30);
    EXPECT_EQ(t106.window, 324.90);
    EXPECT_EQ(t106.mlt, 0.166);
    EXPECT_EQ(t106.d1, 0.570);
    EXPECT_EQ(t106.d2, 1.060);
    EXPECT_EQ(t106.d3, 0.437);
    EXPECT_EQ(t106.reserved, 0.0);

    // Each row holds the line catalogLookup writes, and its numbers are that line's, field by
    // field in the order of kCatalogNumberFields.
    DesignRecord record;
    for (const CatalogRow& row : listing.rows) {
        catalogLookup(record, messages, row.index, kToroid);
        ASSERT_EQ(row.line, record.catalogLine);
        const auto fields = readCatalogLine(record.catalogLine);
        ASSERT_TRUE(fields.has_value());
        EXPECT_EQ(row.partNumber, fields->partNumber);
        for (std::size_t k = 0; k < kCatalogNumberFields.size(); ++k) {
            EXPECT_EQ(static_cast<float>(row.*kCatalogNumberFields[k].member), fields->values[k])
                << row.partNumber << " " << kCatalogNumberFields[k].name;
        }
    }
}

TEST(CatalogRows, AnUnknownShapeListsNothing) {
    RecordingMessages messages;
    for (const std::int8_t shape : {std::int8_t{-1}, std::int8_t{3}}) {
        const CatalogListing listing = listCatalog(shape, messages);
        EXPECT_TRUE(listing.rows.empty());
        EXPECT_TRUE(listing.unreadRows.empty());
    }
    EXPECT_TRUE(messages.empty());
}

TEST(CatalogRows, MaterialsOfTheRowsInTheOrderOfTheMaterialTable) {
    RecordingMessages messages;
    const auto toroids = listCatalog(kToroid, messages).rows;
    EXPECT_EQ(catalogMaterialChoices(toroids),
              (std::vector<std::string>{"-11", "-13", "-16", "-17", "-21", "-22", "-23", "-24",
                                        "-25", "-27", "-29", "-31", "-32", "-36", "-37", "-39"}));
    EXPECT_EQ(catalogMaterialChoices(listCatalog(kComposite, messages).rows),
              (std::vector<std::string>{"-411", "-413"}));
    EXPECT_TRUE(catalogMaterialChoices({}).empty());

    // The -13/91 variants are cores of -13; a size suffix is not part of the material.
    CatalogRow row;
    row.partNumber = "T106-13A/91";
    EXPECT_EQ(catalogRowMaterial(row), "-13");
    row.partNumber = "T80-21B";
    EXPECT_EQ(catalogRowMaterial(row), "-21");
    row.partNumber = "ST106-413B";
    EXPECT_EQ(catalogRowMaterial(row), "-413");
}

TEST(CatalogRows, FilteringByMaterialKeepsOnlyItsRowsInOrder) {
    RecordingMessages messages;
    const auto toroids = listCatalog(kToroid, messages).rows;
    EXPECT_EQ(catalogRowsOfMaterial(toroids, "").size(), toroids.size());
    const auto of21 = catalogRowsOfMaterial(toroids, "-21");
    // -21 and its suffixed sizes A, B, C, D and H: 32 + 15 + 8 + 5 + 2 + 3.
    EXPECT_EQ(of21.size(), 65u);
    for (std::size_t i = 0; i < of21.size(); ++i) {
        EXPECT_EQ(catalogRowMaterial(of21[i]), "-21");
        if (i > 0) {
            EXPECT_LT(of21[i - 1].index, of21[i].index);
        }
    }
    // -2 is no material, though -21 begins with it.
    EXPECT_TRUE(catalogRowsOfMaterial(toroids, "-2").empty());
    EXPECT_EQ(catalogRowsOfMaterial(toroids, "-13").size(), 31u + 6u + 5u + 5u + 5u);
}

}  // namespace
}  // namespace korvell
