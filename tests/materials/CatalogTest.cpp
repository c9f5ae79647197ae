#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "materials/Catalog.h"
#include "materials/CatalogTables.h"

namespace korvell {
namespace {

// A catalog line read back with the design search's format.
struct Line {
    int fields = 0;
    std::string part;
    float mu = 0, al = 0, ae = 0, le = 0, window = 0, mlt = 0, d1 = 0, d2 = 0, d3 = 0,
          reserved = -1;
};

Line readLine(const std::string& text) {
    Line l;
    char part[16] = {};
    l.fields = std::sscanf(text.c_str(), "%15s %g %g %g %g %g %g %g %g %g %g", part, &l.mu, &l.al,
                           &l.ae, &l.le, &l.window, &l.mlt, &l.d1, &l.d2, &l.d3, &l.reserved);
    l.part = part;
    return l;
}

// Half a unit in the last printed place of each figure.
constexpr float kPrinted3 = 0.0005f;  // %5.3f
constexpr float kPrinted1 = 0.05f;    // %5.1f

const ToroidSize& toroidSize(const std::string& name) {
    for (const auto& s : toroidSizes)
        if (name == s.name) return s;
    ADD_FAILURE() << "no toroid size " << name;
    return toroidSizes.back();
}

const ECoreSize& eCoreSize(const std::string& name) {
    for (const auto& s : eCoreSizes)
        if (name == s.name) return s;
    ADD_FAILURE() << "no E-core size " << name;
    return eCoreSizes.front();
}

int toroidRowOf(const std::string& key) {
    for (int i = 0; i < kToroidCatalogRows; ++i)
        if (key == toroidCatalog[i].key) return i;
    return -1;
}

TEST(CatalogLookup, ReturnsTheRowsRemainingAndStopsAtTheEnd) {
    DesignRecord record;
    RecordingMessages messages;
    EXPECT_EQ(catalogLookup(record, messages, 0, kToroid), 446);
    EXPECT_NE(record.catalogLine.find("T12-11"), std::string::npos);
    EXPECT_EQ(catalogLookup(record, messages, 445, kToroid), 1);
    const std::string last = record.catalogLine;

    EXPECT_EQ(catalogLookup(record, messages, 446, kToroid), 0);
    EXPECT_EQ(catalogLookup(record, messages, 447, kToroid), -1);
    EXPECT_EQ(record.catalogLine, last);

    EXPECT_EQ(catalogLookup(record, messages, 0, kECore), 152);
    EXPECT_EQ(catalogLookup(record, messages, 151, kECore), 1);
    EXPECT_EQ(catalogLookup(record, messages, 0, kComposite), 10);
    EXPECT_EQ(catalogLookup(record, messages, 9, kComposite), 1);
    EXPECT_EQ(catalogLookup(record, messages, 10, kComposite), 0);
    EXPECT_TRUE(messages.empty());
}

TEST(CatalogLookup, NegativeIndexOrUnknownShapeReadsNothing) {
    DesignRecord record;
    RecordingMessages messages;
    record.catalogLine = "previous";
    record.Esize = eCoreSizes[3];
    EXPECT_EQ(catalogLookup(record, messages, -1, kToroid), 0);
    EXPECT_EQ(catalogLookup(record, messages, -100000, kECore), 0);
    EXPECT_EQ(catalogLookup(record, messages, 0, 3), 0);
    EXPECT_EQ(catalogLookup(record, messages, 0, -1), 0);
    EXPECT_EQ(catalogLookup(record, messages, 152, kECore), 0);
    EXPECT_EQ(record.catalogLine, "previous");
    ASSERT_TRUE(record.Esize);
    EXPECT_STREQ(record.Esize->name, eCoreSizes[3].name);
    EXPECT_TRUE(messages.empty());
}

TEST(CatalogKey, ExpandsMaterialThenGapLettersLeftToRight) {
    EXPECT_EQ(expandCatalogKey("E321kw"), "E321-36/Q102");
    EXPECT_EQ(expandCatalogKey("T123dB"), "T123-21B");
    EXPECT_EQ(expandCatalogKey("T80s"), "T80-13B/91");
    EXPECT_EQ(expandCatalogKey("E168dAx"), "E168-21A/Q105");
    EXPECT_EQ(expandCatalogKey("T80-21"), "T80-21");
    EXPECT_EQ(expandCatalogKey(""), "");

    // A gapped catalog row: the gap changes neither the size nor the material found.
    DesignRecord record;
    RecordingMessages messages;
    int row = -1;
    for (int i = 0; i < kECoreCatalogRows; ++i)
        if (std::string(eCoreCatalog[i].key) == "168dAw") row = i;
    ASSERT_GE(row, 0);
    catalogLookup(record, messages, row, kECore);
    const Line l = readLine(record.catalogLine);
    EXPECT_EQ(l.part, "E168-21A/Q102");
    EXPECT_FLOAT_EQ(l.mu, 75);
    EXPECT_NEAR(l.al, eCoreCatalog[row].al, kPrinted1);
    const ECoreSize& size = eCoreSize("168A");
    EXPECT_NEAR(l.d3, size.c, kPrinted3);
    ASSERT_TRUE(record.Esize);
    EXPECT_STREQ(record.Esize->name, "168A");
    EXPECT_TRUE(messages.empty());
}

TEST(CatalogLookup, ThirteenVariantLettersSelectTheSuffixedSize) {
    const std::array<std::pair<char, const char*>, 3> variants{
        {{'r', "A"}, {'s', "B"}, {'t', "C"}}};
    DesignRecord record;
    RecordingMessages messages;
    int checked = 0;
    for (int i = 0; i < kToroidCatalogRows; ++i) {
        const std::string key = toroidCatalog[i].key;
        for (const auto& [letter, suffix] : variants) {
            if (key.back() != letter) continue;
            catalogLookup(record, messages, i, kToroid);
            const Line l = readLine(record.catalogLine);
            const ToroidSize& size = toroidSize(key.substr(0, key.size() - 1) + suffix);
            EXPECT_EQ(l.part, "T" + key.substr(0, key.size() - 1) + "-13" + suffix + "/91");
            EXPECT_FLOAT_EQ(l.mu, 35);
            EXPECT_NEAR(l.d1, size.id, kPrinted3) << key;
            EXPECT_NEAR(l.d3, size.ht, kPrinted3) << key;
            EXPECT_NEAR(l.ae, size.ae, kPrinted3) << key;
            ++checked;
        }
    }
    EXPECT_GE(checked, 12);
    EXPECT_TRUE(messages.empty());
}

TEST(CatalogLookup, CompositeOddRowIsMinus413BWithItsOwnFigures) {
    DesignRecord record;
    RecordingMessages messages;
    EXPECT_EQ(catalogLookup(record, messages, 3, kComposite), 7);
    const Line l = readLine(record.catalogLine);
    const CompositeCore& row = compositeCatalog[3];
    EXPECT_EQ(l.part, std::string("ST") + row.name + "-413B");
    const PartNumberTokens tokens = parsePartNumber(l.part);
    EXPECT_EQ(tokens.count, 3);
    EXPECT_EQ(tokens.material, "-413");
    EXPECT_EQ(tokens.suffix, "B");
    EXPECT_FLOAT_EQ(l.mu, 60);
    EXPECT_NEAR(l.al, row.al, kPrinted1);
    EXPECT_NEAR(l.ae, row.ae, kPrinted3);
    EXPECT_NEAR(l.le, row.le, 0.005f);
    EXPECT_NEAR(l.d1, row.id, kPrinted3);
    EXPECT_NEAR(l.d2, row.od, kPrinted3);
    EXPECT_NEAR(l.d3, row.ht, kPrinted3);
    // Composite MLT = (od + 2 ht - 0.2146025 id) / 12 ft.
    EXPECT_NEAR(l.mlt, (row.od + 2 * row.ht - 0.2146025 * row.id) / 12, kPrinted3);

    catalogLookup(record, messages, 2, kComposite);
    EXPECT_EQ(readLine(record.catalogLine).part, std::string("ST") + row.name + "-411");
    EXPECT_TRUE(messages.empty());
}

TEST(CatalogLookup, OneSizeUnderSeveralMaterialsGivesOneRowEach) {
    DesignRecord record;
    RecordingMessages messages;
    std::set<std::string> materials;
    double alPerMu = 0;
    for (int i = 0; i < kToroidCatalogRows; ++i) {
        catalogLookup(record, messages, i, kToroid);
        const Line l = readLine(record.catalogLine);
        const PartNumberTokens t = parsePartNumber(l.part);
        if (t.shapeAndSize != "T106" || t.count != 2 || l.part.find('/') != std::string::npos)
            continue;
        EXPECT_TRUE(materials.insert(t.material).second) << l.part;
        EXPECT_NEAR(l.d2, 1.060, kPrinted3);
        // Same core, so Al / mu is the same to the rounding of Al.
        if (alPerMu == 0) alPerMu = l.al / l.mu;
        EXPECT_NEAR(l.al, alPerMu * l.mu, 0.1) << l.part;
    }
    EXPECT_GE(materials.size(), 10u);
}

TEST(CatalogLookup, ECoreLineGivesHeightBeforeWidthAndCopiesTheSize) {
    DesignRecord record;
    RecordingMessages messages;
    catalogLookup(record, messages, 0, kECore);
    const Line l = readLine(record.catalogLine);
    const ECoreSize& size = eCoreSizes[0];
    EXPECT_NEAR(l.d1, size.b, kPrinted3);
    EXPECT_NEAR(l.d2, size.a, kPrinted3);
    EXPECT_NEAR(l.d3, size.c, kPrinted3);
    EXPECT_NEAR(l.window, 155 * size.wa, 0.005);
    EXPECT_NEAR(l.mlt, (2 * (size.e + size.c) + 1.570795 * (size.f - size.e)) / 12, kPrinted3);
    ASSERT_TRUE(record.Esize);
    EXPECT_EQ(record.Esize->ve, size.ve);
    record.Esize->c *= 2;  // the caller's stacking scales the copy only
    EXPECT_NE(record.Esize->c, size.c);
}

TEST(CatalogLookup, ToroidLineCarriesWindowAndMeanTurn) {
    DesignRecord record;
    RecordingMessages messages;
    const int row = toroidRowOf("106d");
    ASSERT_GE(row, 0);
    catalogLookup(record, messages, row, kToroid);
    const Line l = readLine(record.catalogLine);
    const ToroidSize& s = toroidSize("106");
    EXPECT_EQ(l.part, "T106-21");
    // 1000 id² kcmil and (od - id + 2 ht + 0.35 pi id) / 12 ft.
    EXPECT_NEAR(l.window, 1000 * s.id * s.id, 0.005);
    EXPECT_NEAR(l.mlt, (s.od - s.id + 2 * s.ht + 0.35 * 3.14159 * s.id) / 12, kPrinted3);
    EXPECT_FLOAT_EQ(l.reserved, 0);
}

TEST(CatalogLookup, ErrorsShowTheirTextAndKeepThePreviousLine) {
    DesignRecord record;
    RecordingMessages messages;
    catalogLookup(record, messages, 7, kToroid);
    const std::string previous = record.catalogLine;

    EXPECT_FALSE(describeCatalogPart(record, messages, "T50", 4.9f, kToroid));
    EXPECT_EQ(messages.last().text, "<error> incomplete part number T50\n");
    EXPECT_EQ(messages.last().caption, "CATALOG LOOKUP ERROR");

    EXPECT_FALSE(describeCatalogPart(record, messages, "T50-99", 4.9f, kToroid));
    EXPECT_EQ(messages.last().text,
              "<error> Korvcat unable to identify material -99 in p/n T50-99\n");

    EXPECT_FALSE(describeCatalogPart(record, messages, "T999-21B", 4.9f, kToroid));
    EXPECT_EQ(messages.last().text,
              "<error> unable to identify part size T999-21B coresize T999B \n");

    // No size digits: the empty last size row must not match.
    EXPECT_FALSE(describeCatalogPart(record, messages, "T-21", 4.9f, kToroid));
    EXPECT_EQ(messages.last().text, "<error> unable to identify part size T-21 coresize T \n");

    // A toroid size is not an E-core size.
    record.Esize = eCoreSizes[0];
    EXPECT_FALSE(describeCatalogPart(record, messages, "E106-21", 50.0f, kECore));
    EXPECT_EQ(messages.last().text,
              "<error> unable to identify part size E106-21 coresize E106 \n");
    EXPECT_FALSE(record.Esize);

    EXPECT_EQ(messages.size(), 5u);
    EXPECT_EQ(record.catalogLine, previous);

    // And a good part number through the same path gives the catalog's own line.
    EXPECT_TRUE(describeCatalogPart(record, messages, "T12-16", toroidCatalog[2].al, kToroid));
    const std::string described = record.catalogLine;
    catalogLookup(record, messages, 2, kToroid);
    EXPECT_EQ(record.catalogLine, described);
}

TEST(PartNumber, ScansShapeSizeMaterialAndSuffix) {
    PartNumberTokens t = parsePartNumber("T123-21B");
    EXPECT_EQ(t.count, 3);
    EXPECT_EQ(t.shapeAndSize, "T123");
    EXPECT_EQ(t.material, "-21");
    EXPECT_EQ(t.suffix, "B");

    t = parsePartNumber("E321-36/Q102");
    EXPECT_EQ(t.count, 2);
    EXPECT_EQ(t.material, "-36");
    EXPECT_EQ(t.suffix, "");

    t = parsePartNumber("T80-13B/91");
    EXPECT_EQ(t.count, 3);
    EXPECT_EQ(t.material, "-13");
    EXPECT_EQ(t.suffix, "B");

    t = parsePartNumber("ST77 -413 B");
    EXPECT_EQ(t.count, 3);
    EXPECT_EQ(t.shapeAndSize, "ST77");

    EXPECT_EQ(parsePartNumber("").count, 0);
    EXPECT_EQ(parsePartNumber("x80-21").count, 0);
    EXPECT_EQ(parsePartNumber("T80").count, 1);
}

TEST(PartNumber, LongInputIsBoundedToFifteenCharacters) {
    const std::string digits(40, '7');
    const PartNumberTokens t = parsePartNumber("T" + digits + "-21" + std::string(40, 'B'));
    EXPECT_EQ(t.shapeAndSize.size(), 15u);
    EXPECT_LE(t.material.size(), 15u);

    DesignRecord record;
    RecordingMessages messages;
    EXPECT_FALSE(describeCatalogPart(record, messages, "T" + digits + "-21", 1.0f, kToroid));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(record.catalogLine.empty());
}

TEST(CatalogLookup, EveryRowOfEveryShapeResolvesAndReadsBack) {
    DesignRecord record;
    RecordingMessages messages;
    for (std::int8_t shape : {kToroid, kECore, kComposite}) {
        for (int i = 0; i < catalogRowCount(shape); ++i) {
            record.catalogLine.clear();
            record.Esize.reset();
            ASSERT_EQ(catalogLookup(record, messages, i, shape), catalogRowCount(shape) - i);
            const Line l = readLine(record.catalogLine);
            ASSERT_EQ(l.fields, 11)
                << "shape " << int(shape) << " row " << i << ": " << record.catalogLine;

            std::string expected;
            float al = 0;
            if (shape == kToroid) {
                expected = expandCatalogKey(std::string("T") + toroidCatalog[i].key);
                al = toroidCatalog[i].al;
            } else if (shape == kECore) {
                expected = expandCatalogKey(std::string("E") + eCoreCatalog[i].key);
                al = eCoreCatalog[i].al;
                EXPECT_TRUE(record.Esize);
            } else {
                expected =
                    std::string("ST") + compositeCatalog[i].name + (i % 2 ? "-413B" : "-411");
                al = compositeCatalog[i].al;
            }
            EXPECT_EQ(l.part, expected);
            EXPECT_LE(l.part.size(), 15u);
            const PartNumberTokens t = parsePartNumber(l.part);
            EXPECT_EQ(l.mu, catalogMaterialPermeability(t.material).value_or(-1)) << l.part;
            EXPECT_NEAR(l.al, al, kPrinted1) << l.part;
            EXPECT_GT(l.ae, 0) << l.part;
            EXPECT_GT(l.le, 0) << l.part;
            EXPECT_GT(l.window, 0) << l.part;
            EXPECT_GT(l.mlt, 0) << l.part;
            EXPECT_EQ(l.reserved, 0) << l.part;
        }
    }
    EXPECT_TRUE(messages.empty()) << messages.last().text;
}

// A typed part number names a core only when it is a catalog part number: every row is found as
// itself (with or without a stacking suffix), and no beginning of one is found at all.
TEST(CatalogLookup, EveryPartNumberIsFoundExactlyAndNoBeginningOfOne) {
    DesignRecord record;
    RecordingMessages messages;
    for (std::int8_t shape : {kToroid, kECore, kComposite}) {
        for (int i = 0; i < catalogRowCount(shape); ++i) {
            catalogLookup(record, messages, i, shape);
            const std::string part = readLine(record.catalogLine).part;
            EXPECT_EQ(partNumberShape(part), shape) << part;
            const auto row = findCatalogRow(part);
            ASSERT_TRUE(row) << part;
            // The same part number may not occur twice: the first row is the one found.
            EXPECT_LE(*row, i) << part;
            EXPECT_EQ(findCatalogRow(part + " x2"), row) << part;
            for (std::size_t n = 1; n < part.size(); ++n) {
                const std::string beginning = part.substr(0, n);
                const auto found = findCatalogRow(beginning);
                if (found) {  // only when the beginning is itself a catalog part number
                    catalogLookup(record, messages, *found, shape);
                    EXPECT_EQ(readLine(record.catalogLine).part, beginning);
                }
            }
        }
    }
    EXPECT_FALSE(findCatalogRow(""));
    EXPECT_FALSE(findCatalogRow("T106-2"));
    EXPECT_EQ(partNotFoundText("T106-2"), "Core P/N T106-2 NOT IN THE CATALOG");
    EXPECT_EQ(partNotFoundText("ST1-411"), "Core P/N ST1-411 NOT IN THE CATALOG");
}

}  // namespace
}  // namespace korvell
