#include <gtest/gtest.h>

#include "record/DesignRecord.h"

namespace korvell {
namespace {

TEST(DesignRecord, StartsFromTheDefaults) {
    DesignRecord r;
    EXPECT_EQ(r.applicationType, kDcBiased);
    EXPECT_EQ(r.wireGageSystem, kAwg);
    EXPECT_EQ(r.designCount, 0);
    for (int a = 0; a < kApplicationCount; ++a) {
        EXPECT_FLOAT_EQ(r.designParamsByApplication[a][0], a == kPowerFactorBoost ? 80.0f : 40.0f);
        EXPECT_FLOAT_EQ(r.designParamsByApplication[a][8], 55.0f);
        EXPECT_FLOAT_EQ(r.designParamsByApplication[a][9], 1.0f);
        EXPECT_FLOAT_EQ(r.designParamsByApplication[a][10], 1.0f);
        for (float v : r.requirementsByApplication[a])
            EXPECT_EQ(v, 0.0f);
    }
    EXPECT_EQ(r.selectedMaterials[0], "-11");
    EXPECT_EQ(r.selectedMaterials[13], "-39");
    EXPECT_TRUE(r.selectedMaterials[14].empty());
    EXPECT_TRUE(r.selectedMaterials[15].empty());
}

TEST(DesignRecord, TwoRecordsDoNotShareState) {
    DesignRecord a;
    DesignRecord b;
    a.designParamsByApplication[0][0] = 99;
    a.selectedMaterials[0].clear();
    EXPECT_FLOAT_EQ(b.designParamsByApplication[0][0], 40.0f);
    EXPECT_EQ(b.selectedMaterials[0], "-11");
}

TEST(DesignRecord, WireSizeTextFollowsTheGageSystem) {
    EXPECT_EQ(wireSizeText(kAwg, -3), "# 0000");
    EXPECT_EQ(wireSizeText(kAwg, -2), "# 000");
    EXPECT_EQ(wireSizeText(kAwg, -1), "# 00");
    EXPECT_EQ(wireSizeText(kAwg, 20), "# 20");
    EXPECT_EQ(wireSizeText(kSwg, 8), "#  8");
    EXPECT_EQ(wireSizeText(kMetricWire, 0.5f), "0.50");
}

TEST(DesignRecord, MaterialCodeIsTheRunOfDashesAndDigits) {
    EXPECT_EQ(materialCodeOf("T999-21"), "-21");
    EXPECT_EQ(materialCodeOf("T999-21 x2"), "-21");
    EXPECT_EQ(materialCodeOf("T80-13B/91"), "-13");
    EXPECT_EQ(materialCodeOf("E321-36/Q102"), "-36");
    EXPECT_EQ(materialCodeOf("T999"), "");
}

TEST(DesignRecord, MaterialSelectionKeepsItsSlotsInSelectorOrder) {
    DesignRecord r;
    for (int k = 0; k < kSelectableMaterialCount; ++k)
        EXPECT_TRUE(materialSlotSelected(r, k)) << k;
    EXPECT_FALSE(materialSlotSelected(r, -1));
    EXPECT_FALSE(materialSlotSelected(r, kSelectableMaterialCount));

    std::array<bool, kSelectableMaterialCount> checked{};
    checked[4] = true;  // -21
    r.selectedMaterials[14] = "-52";
    writeMaterialSelection(r, checked);
    for (int k = 0; k < kSelectableMaterialCount; ++k)
        EXPECT_EQ(r.selectedMaterials[k], k == 4 ? "-21" : "") << k;
    EXPECT_EQ(r.selectedMaterials[14], "-52");  // beyond the selector's fourteen
    // A slot holding another material's code is not that material selected.
    r.selectedMaterials[5] = "-21";
    EXPECT_FALSE(materialSlotSelected(r, 5));
}

}  // namespace
}  // namespace korvell
