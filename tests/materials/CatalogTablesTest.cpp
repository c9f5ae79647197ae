// The catalog's figures must hang together physically: a wrong digit in any row should fail here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "materials/CatalogTables.h"

namespace korvell {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kNhPerTurn = 0.4 * kPi * 10;  // Al = 0.4 pi mu Ae[cm²] / le[cm] x 10 nH
constexpr double kCmPerIn = 2.54;
constexpr double kCm2PerIn2 = 6.4516;
constexpr double kCm3PerIn3 = 16.387064;

// Tolerances, each with its reason.
constexpr double kPathTolerance = 0.01;        // le is the mean-path formula rounded to 0.01 cm
constexpr double kSectionRounding = 0.0006;    // Ae is printed to 0.001 cm²
constexpr double kEdgeAllowance = 0.90;        // rounded edges take at most a tenth of the section
constexpr double kAlRelative = 0.01;           // Al follows mu Ae / le; 1 % for float storage
constexpr double kAlRounding = 0.051;          // and is rounded to 0.1 nH
constexpr double kVolumeTolerance = 0.05;      // E-core solid volume against Ae le
constexpr double kSizeDigitsTolerance = 0.06;  // size digits are the OD (or width) in 0.01 in

double toroidPathCm(double od, double id) {
    return kPi * (od - id) / std::log(od / id) * kCmPerIn;
}
double toroidSectionCm2(double od, double id, double ht) {
    return (od - id) / 2 * ht * kCm2PerIn2;
}

int sizeDigits(const char* name) {
    return std::atoi(name);
}

// Catalog row resolved to its material and the size row it is measured on.
struct Resolved {
    std::string part;
    std::string material;
    std::string sizeKey;
    float mu = 0;
    float gapIn = 0;
};

Resolved resolve(char shapeLetter, const char* key) {
    Resolved r;
    r.part = expandCatalogKey(std::string(1, shapeLetter) + key);
    const PartNumberTokens t = parsePartNumber(r.part);
    r.material = t.material;
    r.sizeKey = t.shapeAndSize.substr(1) + (t.count == 3 ? t.suffix.substr(0, 1) : "");
    r.mu = catalogMaterialPermeability(t.material).value_or(0);
    for (const auto& gap : eCoreGaps)
        if (r.part.find(gap.code) != std::string::npos) r.gapIn = gap.lengthIn;
    return r;
}

void expectAl(double al, double mu, double ae, double le, double gapIn, const std::string& what) {
    const double expected = kNhPerTurn * ae / (le / mu + gapIn * kCmPerIn);
    EXPECT_NEAR(al, expected, kAlRelative * expected + kAlRounding) << what;
}

TEST(CatalogTables, MaterialTablesHoldTheCatalogCodes) {
    const std::map<std::string, float> mu{
        {"-11", 10},  {"-13", 35}, {"-16", 14}, {"-17", 40}, {"-21", 75},  {"-22", 70},
        {"-23", 33},  {"-24", 55}, {"-25", 33}, {"-27", 46}, {"-29", 90},  {"-31", 60},
        {"-32", 100}, {"-36", 75}, {"-37", 46}, {"-39", 66}, {"-411", 50}, {"-413", 60}};
    const char* order[] = {"-11", "-13", "-16", "-17", "-21", "-22", "-23", "-24",  "-25",
                           "-27", "-29", "-31", "-32", "-36", "-37", "-39", "-411", "-413"};
    for (int i = 0; i < kCatalogMaterialRows; ++i) {
        EXPECT_STREQ(catalogMaterials[i].code, order[i]);
        EXPECT_EQ(catalogMaterials[i].permeability, mu.at(order[i]));
    }
    std::string letters;
    for (const auto& row : materialLetterCodes)
        letters += row.letter;
    EXPECT_EQ(letters, "abcdefghjkmnopqrstvwxyz");
    EXPECT_EQ(expandCatalogKey("abcdefghjkmnopqrstvwxyz"),
              "-11-13-17-21-22-24-29-31-32-36-16-23-25-27-13/91-13A/91-13B/91-13C/91/Q101/Q102/"
              "Q105-37-39");
}

TEST(CatalogTables, TextFieldsFitTheirWidths) {
    for (const auto& row : toroidCatalog)
        EXPECT_LT(std::strlen(row.key), 8u) << row.key;
    for (const auto& row : eCoreCatalog)
        EXPECT_LT(std::strlen(row.key), 8u) << row.key;
    for (const auto& row : toroidSizes)
        EXPECT_LT(std::strlen(row.name), 8u) << row.name;
    for (const auto& row : eCoreSizes)
        EXPECT_LT(std::strlen(row.name), 8u) << row.name;
    for (const auto& row : compositeCatalog)
        EXPECT_LT(std::strlen(row.name), 4u) << row.name;
    for (const auto& row : materialLetterCodes)
        EXPECT_LT(std::strlen(row.code), 8u) << row.code;
}

TEST(CatalogTables, ToroidSizesAreConsistentRings) {
    const ToroidSize& last = toroidSizes.back();
    EXPECT_STREQ(last.name, "");
    EXPECT_EQ(last.ae + last.le + last.id + last.od + last.ht, 0.0f);

    std::map<int, float> odOfDigits;
    for (int i = 0; i + 1 < kToroidSizeRows; ++i) {
        const ToroidSize& s = toroidSizes[i];
        const std::string name = s.name;
        ASSERT_FALSE(name.empty());
        EXPECT_TRUE(std::isdigit(name.back()) || std::strchr("ABCDH", name.back())) << name;
        EXPECT_GT(s.id, 0) << name;
        EXPECT_LT(s.id, s.od) << name;
        EXPECT_GT(s.ht, 0) << name;
        EXPECT_NEAR(s.le, toroidPathCm(s.od, s.id), kPathTolerance) << name;
        const double section = toroidSectionCm2(s.od, s.id, s.ht);
        EXPECT_LE(s.ae, section + kSectionRounding) << name;
        EXPECT_GE(s.ae, kEdgeAllowance * section - kSectionRounding) << name;
        EXPECT_NEAR(sizeDigits(s.name), 100 * s.od, kSizeDigitsTolerance * 100 * s.od) << name;
        // Suffixed variants keep the outside diameter of their plain size.
        const auto [it, fresh] = odOfDigits.emplace(sizeDigits(s.name), s.od);
        if (!fresh) {
            EXPECT_EQ(it->second, s.od) << name;
        }
        if (i > 0) {
            EXPECT_GE(s.od, toroidSizes[i - 1].od) << name << " after " << toroidSizes[i - 1].name;
        }
    }
}

TEST(CatalogTables, ECoreSizesAreConsistentCores) {
    for (int i = 0; i < kECoreSizeRows; ++i) {
        const ECoreSize& s = eCoreSizes[i];
        EXPECT_LT(s.e, s.f) << s.name;
        EXPECT_LT(s.f, s.a) << s.name;
        EXPECT_LT(s.d, s.b) << s.name;
        EXPECT_GT(s.c, 0) << s.name;
        EXPECT_NEAR(s.wa, (s.f - s.e) / 2 * s.d * kCm2PerIn2, kSectionRounding) << s.name;
        EXPECT_NEAR(s.ae, s.e * s.c * kCm2PerIn2, kSectionRounding) << s.name;
        EXPECT_NEAR(s.ve, s.ae * s.le, kVolumeTolerance * s.ve) << s.name;
        EXPECT_NEAR(s.ve, s.c * (s.a * s.b - (s.f - s.e) * s.d) * kCm3PerIn3, 0.001) << s.name;
        // The mean path runs round one window: at most the rectangle through leg and yoke centres,
        // and longer than the window's own perimeter.
        const double rectangle = ((s.a + s.f) / 2 + s.b + s.d) * kCmPerIn;
        EXPECT_LE(s.le, rectangle) << s.name;
        EXPECT_GT(s.le, (s.f - s.e + 2 * s.d) * kCmPerIn) << s.name;
        EXPECT_NEAR(sizeDigits(s.name), 100 * s.a, kSizeDigitsTolerance * 100 * s.a) << s.name;
        if (i > 0) {
            EXPECT_GE(s.a, eCoreSizes[i - 1].a) << s.name;
        }
    }
}

TEST(CatalogTables, ToroidRowsAgreeWithMaterialAndSize) {
    std::set<std::string> sold, parts;
    std::map<std::string, int> materialRows;
    float previousOd = 0;
    for (const auto& row : toroidCatalog) {
        const Resolved r = resolve('T', row.key);
        ASSERT_GT(r.mu, 0) << r.part;
        const ToroidSize* size = nullptr;
        for (const auto& s : toroidSizes)
            if (r.sizeKey == s.name) size = &s;
        ASSERT_NE(size, nullptr) << r.part;
        expectAl(row.al, r.mu, size->ae, size->le, 0, r.part);
        EXPECT_GE(size->od, previousOd) << r.part << ": smallest core first";
        previousOd = size->od;
        EXPECT_TRUE(parts.insert(r.part).second) << r.part << " twice";
        sold.insert(size->name);
        materialRows[r.part.substr(r.part.find('-'))]++;
    }
    EXPECT_EQ(sold.size(), std::size_t(kToroidSizeRows - 1)) << "a size row no catalog row uses";
    // Discontinued materials remain on a few rows; the -13/91 variants on several sizes.
    EXPECT_GT(materialRows["-22"], 0);
    EXPECT_LE(materialRows["-22"], 6);
    EXPECT_GT(materialRows["-24"], 0);
    EXPECT_LE(materialRows["-24"], 6);
    for (const char* variant : {"-13/91", "-13A/91", "-13B/91", "-13C/91"})
        EXPECT_GE(materialRows[variant], 3);
}

TEST(CatalogTables, ECoreRowsAgreeWithMaterialGapAndSize) {
    std::set<std::string> sold, parts;
    std::map<std::string, float> ungappedAl;
    float previousWidth = 0;
    int gapped = 0;
    for (const auto& row : eCoreCatalog) {
        const Resolved r = resolve('E', row.key);
        ASSERT_GT(r.mu, 0) << r.part;
        const ECoreSize* size = nullptr;
        for (const auto& s : eCoreSizes)
            if (r.sizeKey == s.name) size = &s;
        ASSERT_NE(size, nullptr) << r.part;
        expectAl(row.al, r.mu, size->ae, size->le, r.gapIn, r.part);
        const std::string core = r.sizeKey + r.material;
        if (r.gapIn == 0) {
            ungappedAl[core] = row.al;
        } else {
            ++gapped;
            // Listed after the same core without gap, and below its Al.
            ASSERT_TRUE(ungappedAl.count(core)) << r.part;
            EXPECT_LT(row.al, ungappedAl[core]) << r.part;
        }
        EXPECT_GE(size->a, previousWidth) << r.part;
        previousWidth = size->a;
        EXPECT_TRUE(parts.insert(r.part).second) << r.part << " twice";
        sold.insert(size->name);
    }
    EXPECT_EQ(sold.size(), std::size_t(kECoreSizeRows));
    EXPECT_GE(gapped, 24);
}

TEST(CatalogTables, CompositeRowsComeInPairsOfOneSize) {
    for (int i = 0; i < kCompositeCatalogRows; ++i) {
        const CompositeCore& c = compositeCatalog[i];
        const double mu = i % 2 == 0 ? 50 : 60;
        EXPECT_LT(c.id, c.od) << c.name;
        EXPECT_NEAR(c.le, toroidPathCm(c.od, c.id), kPathTolerance) << c.name;
        const double section = toroidSectionCm2(c.od, c.id, c.ht);
        EXPECT_LE(c.ae, section + kSectionRounding) << c.name;
        EXPECT_GE(c.ae, kEdgeAllowance * section - kSectionRounding) << c.name;
        EXPECT_NEAR(c.ve, c.ae * c.le, 0.001 + 1e-4 * c.ve) << c.name;
        expectAl(c.al, mu, c.ae, c.le, 0, c.name);
        if (i % 2 == 1) {
            const CompositeCore& even = compositeCatalog[i - 1];
            EXPECT_STREQ(c.name, even.name);
            EXPECT_EQ(c.od, even.od);
            EXPECT_EQ(c.id, even.id);
            EXPECT_EQ(c.ht, even.ht);
        } else if (i > 0) {
            EXPECT_GT(c.od, compositeCatalog[i - 1].od) << c.name;
        }
    }
}

}  // namespace
}  // namespace korvell
