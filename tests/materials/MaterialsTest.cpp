#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "materials/CoreLossTables.h"
#include "materials/Materials.h"
#include "materials/PermeabilityTables.h"
#include "record/DesignRecord.h"

namespace korvell {
namespace {

template <typename Rows>
bool hasRow(const Rows& rows, std::string_view code) {
    return std::any_of(std::begin(rows), std::end(rows),
                       [code](const auto& row) { return row.code == code; });
}

TEST(Materials, SelectableRowsAreTheSelectorsMaterialsInItsOrder) {
    std::vector<std::string_view> selectable;
    for (const MaterialFacts& m : materialTable()) {
        if (m.groups & kSelectableMaterial) {
            selectable.push_back(m.code);
            EXPECT_FALSE(m.description.empty()) << m.code;
        } else {
            EXPECT_TRUE(m.description.empty()) << m.code << " is described but not selectable";
        }
    }
    EXPECT_TRUE(std::equal(selectable.begin(), selectable.end(), kSelectableMaterials.begin(),
                           kSelectableMaterials.end()));
}

// Every row's claims about the models hold: each material has the rows its groups need.
TEST(Materials, EveryMaterialHasTheModelRowsOfItsGroups) {
    for (const MaterialFacts& m : materialTable()) {
        const std::string code(m.code);
        const LossEquivalent loss = lossEquivalent(m.code);
        EXPECT_TRUE(hasRow(lossCoefficients(), loss.code)) << code;
        EXPECT_TRUE(hasRow(agingCoefficients(), loss.code)) << code;
        EXPECT_TRUE(hasRow(dcBiasCurves, m.code)) << code;
        EXPECT_GT(m.initialPermeability, 0) << code;
        const bool composite = m.groups & kCompositeMaterial;
        // Iron powders lose as themselves; composites as an iron powder on part of the volume.
        EXPECT_EQ(loss.code == m.code, !composite) << code;
        EXPECT_EQ(loss.volumeShare < 1, composite) << code;
        EXPECT_EQ(hasRow(saturationData, m.code), !composite) << code;
        EXPECT_EQ(hasRow(acFluxCurves, m.code), !composite) << code;
        if (m.groups & (kResonantMaterial | kNegligibleAgingMaterial)) {
            EXPECT_TRUE(m.groups & kSelectableMaterial) << code;
        }
        // A material that is made is weighed; a discontinued one is not.
        EXPECT_EQ(coreDensity(m.code).has_value(), !(m.groups & kDiscontinuedMaterial)) << code;
    }
    EXPECT_EQ(coreDensity("-411"), coreDensity("-36"));
    EXPECT_EQ(coreDensity("-413"), coreDensity("-36"));
}

// Codes are matched whole: a partial, suffixed or unknown code belongs to no group.
TEST(Materials, CodesAreMatchedWhole) {
    for (const char* code : {"", "-", "-1", "-13/91", "-411A", "-99", "21"}) {
        EXPECT_EQ(findMaterial(code), nullptr) << code;
        EXPECT_FALSE(materialIn(code, kResonantMaterial)) << code;
        EXPECT_FALSE(initialPermeability(code).has_value()) << code;
        EXPECT_EQ(lossEquivalent(code).code, code);
        EXPECT_EQ(lossEquivalent(code).volumeShare, 1);
    }
}

}  // namespace
}  // namespace korvell
