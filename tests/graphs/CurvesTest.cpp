#include <gtest/gtest.h>

#include <cmath>

#include "graphs/Curves.h"
#include "materials/CoreLoss.h"
#include "materials/Permeability.h"

namespace korvell {
namespace {

TEST(Curves, DcBiasGridStopsAt350OrAt250ForTheFineGrades) {
    const auto curve = DcBiasCurve("-21", kCurvePoints);
    ASSERT_TRUE(curve);
    ASSERT_EQ(curve->size(), 60u);
    EXPECT_EQ((*curve)[0].x, 2);  // floor(2.5)
    EXPECT_EQ((*curve)[1].x, 3);  // floor(3.176)
    EXPECT_EQ((*curve)[20].x, std::floor(std::pow(1.27045, 20) * 2.5));
    EXPECT_EQ((*curve)[21].x, 350);
    EXPECT_EQ(curve->back().x, 350);
    for (const auto& p : *curve)
        EXPECT_EQ(p.y, static_cast<float>(pctPermDcBias("-21", 0, p.x)->percent));

    for (const char* fine : {"-32", "-39"}) {
        const auto c = DcBiasCurve(fine, kCurvePoints);
        ASSERT_TRUE(c);
        EXPECT_EQ((*c)[0].x, 1) << fine;
        EXPECT_EQ((*c)[3].x, 2) << fine;  // floor(1.27045^3) = 2
        EXPECT_EQ(c->back().x, 250) << fine;
    }
}

TEST(Curves, CompositeDcBiasSpansATenthTo28Oersted) {
    for (const char* code : {"-411", "-413", "-411A"}) {
        const auto curve = DcBiasCurve(code, kCurvePoints);
        ASSERT_TRUE(curve) << code;
        EXPECT_FLOAT_EQ((*curve)[0].x, 0.1f) << code;
        EXPECT_NEAR(curve->back().x, 28, 1e-3) << code;
        EXPECT_NEAR((*curve)[1].x / (*curve)[0].x, std::pow(280.0, 1 / 59.0), 1e-5) << code;
    }
    EXPECT_TRUE(isCompositeMaterial("-413b"));
    EXPECT_FALSE(isCompositeMaterial("-4111"));
    EXPECT_FALSE(isCompositeMaterial("-41"));
    EXPECT_FALSE(DcBiasCurve("-99", kCurvePoints));
    EXPECT_FALSE(DcBiasCurve("-21", 0));
    EXPECT_EQ(DcBiasCurve("-21", 500)->size(), 60u);  // the graph's buffer holds 60 points
}

TEST(Curves, AcFluxGridAndOperatingPointOption) {
    RecordingMessages messages;
    const auto curve = AcFluxCurve(messages, "-21", false, kCurvePoints);
    ASSERT_TRUE(curve);
    EXPECT_EQ((*curve)[0].x, 10);
    EXPECT_EQ((*curve)[1].x, 11);  // floor(11.2421 + 0.5)
    EXPECT_EQ(curve->back().x, 10000);
    EXPECT_EQ((*curve)[30].y, static_cast<float>(pctPermAcFlux("-21", (*curve)[30].x)->percent));

    const auto solved = AcFluxCurve(messages, "-21", true, kCurvePoints);
    ASSERT_TRUE(solved);
    EXPECT_EQ((*solved)[50].y,
              static_cast<float>(calc_pct_perm_ac(messages, (*solved)[50].x, "-21")->percent));
    EXPECT_NE((*solved)[50].y, (*curve)[50].y);
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(AcFluxCurve(messages, "-411", false, kCurvePoints));
    EXPECT_FALSE(AcFluxCurve(messages, "-413", true, kCurvePoints));
    EXPECT_TRUE(messages.empty());  // composites are refused before the solver sees them
    EXPECT_FALSE(AcFluxCurve(messages, "-99", true, kCurvePoints));
    EXPECT_EQ(messages.size(), 1u);  // one message, not one per point
}

TEST(Curves, FrequencyGridRunsFromOneKilohertzToAHundredMegahertz) {
    const auto curve = FrequencyCurve("-21", kCurvePoints);
    ASSERT_TRUE(curve);
    EXPECT_EQ((*curve)[0].x, 1000);
    EXPECT_NEAR(curve->back().x, 9.96e7, 0.01e7);
    EXPECT_NEAR((*curve)[0].y, 75, 0.01);
    EXPECT_FALSE(FrequencyCurve("-22", kCurvePoints));
    EXPECT_FALSE(FrequencyCurve("-411", kCurvePoints));
}

TEST(Curves, CoreLossGridRoundsBeforeTheFactorTen) {
    const auto curve = CoreLossCurve("-21", 1000, kCurvePoints);
    ASSERT_TRUE(curve);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ((*curve)[i].x, 10) << i;
    EXPECT_EQ((*curve)[4].x, 20);
    EXPECT_EQ(curve->back().x, 10000);
    EXPECT_EQ((*curve)[40].y, static_cast<float>(coreLossDensity("-21", 1000, (*curve)[40].x)));
    EXPECT_FALSE(CoreLossCurve("-99", 1000, kCurvePoints));
}

TEST(Curves, CompositeBiasGraphStartsAtATenthOfAnOersted) {
    EXPECT_EQ(materialGraphSettings(2, "")->xMin, 1);
    EXPECT_EQ(materialGraphSettings(2, "-21")->xMin, 1);
    EXPECT_EQ(materialGraphSettings(2, "-411")->xMin, 0.1);
    EXPECT_EQ(materialGraphSettings(2, "-413A")->xMin, 0.1);
    EXPECT_EQ(materialGraphSettings(1, "-411")->xMin, 1);
    EXPECT_FALSE(materialGraphSettings(0, ""));
    EXPECT_FALSE(materialGraphSettings(7, ""));
}

TEST(Curves, OneCurvePerSelectedMaterial) {
    RecordingMessages messages;
    DesignRecord record;
    for (int kind = 1; kind <= 6; ++kind) {
        const auto curves = materialGraphCurves(record, messages, kind);
        ASSERT_EQ(curves.size(), 14u) << kind;
        EXPECT_EQ(curves.front().material, "-11");
        EXPECT_EQ(curves.back().material, "-39");
        for (const auto& c : curves)
            EXPECT_EQ(c.points.size(), 60u) << kind << c.material;
    }
    for (auto& slot : record.selectedMaterials)
        slot.clear();
    record.selectedMaterials[2] = "-16";
    record.selectedMaterials[4] = "-21";
    record.selectedMaterials[13] = "-39";
    EXPECT_EQ(materialGraphCurves(record, messages, 3).size(), 3u);

    record.graphMaterialCode = "-411";
    const auto composite = materialGraphCurves(record, messages, 2);
    ASSERT_EQ(composite.size(), 1u);
    EXPECT_EQ(composite[0].material, "-411");
    EXPECT_TRUE(materialGraphCurves(record, messages, 3).empty());
    EXPECT_TRUE(messages.empty());
}

TEST(Curves, InitialPermeabilityGraphIsInAbsoluteUnits) {
    RecordingMessages messages;
    DesignRecord record;
    record.graphMaterialCode = "-21";
    const auto settings = materialGraphSettings(1, record.graphMaterialCode);
    const auto curves = materialGraphCurves(record, messages, 1);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_DOUBLE_EQ(curves[0].sY, 0.75f * 1.0);
    EXPECT_NEAR(valueOnAxis(*settings, curves[0], curves[0].points[0].y), 75, 1);
    // The other linear graphs read the curve as it is.
    const auto k3 = materialGraphSettings(3, "");
    const auto ac = materialGraphCurves(record, messages, 3);
    EXPECT_EQ(valueOnAxis(*k3, ac[0], ac[0].points[10].y), ac[0].points[10].y);
}

TEST(Curves, LabelsSitAtTheKindsPoint) {
    RecordingMessages messages;
    DesignRecord record;
    record.graphMaterialCode = "-21";
    auto label = [&](int kind) { return materialGraphCurves(record, messages, kind).at(0); };
    const auto k3 = label(3);
    EXPECT_EQ(k3.label.x, k3.points[52].x);
    EXPECT_EQ(k3.label.y, k3.points[52].y + 10);
    const auto k4 = label(4);
    EXPECT_EQ(k4.label.y, k4.points[20].y + 2);
    EXPECT_EQ(label(1).label.x, label(1).points[5].x);
    EXPECT_EQ(label(2).label.y, label(2).points[30].y);
    EXPECT_EQ(label(5).label.x, label(5).points[50].x);
    EXPECT_EQ(label(6).label.x, label(6).points[30].x);
}

}  // namespace
}  // namespace korvell
