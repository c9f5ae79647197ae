// Properties over random inputs: every design a search stores meets every limit the user set,
// and every analysis either refuses or gives a result an inductor can have.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "engine/DesignScenarios.h"
#include "engine/DesignSearch.h"
#include "engine/ParametersEntry.h"
#include "engine/RequirementsEntry.h"
#include "materials/Catalog.h"
#include "platform/Format.h"

namespace korvell {
namespace {

// A number of `decades` decades upward from `low`, as a field text.
std::string logUniform(std::mt19937& random, double low, double decades) {
    std::uniform_real_distribution<double> exponent(0, decades);
    return strprintf("%.4g", low * std::pow(10.0, exponent(random)));
}

// The current each application's copper is sized for (A).
double designCurrent(const DesignRecord& r) {
    switch (r.applicationType) {
        case kPowerline:
            return r.acCurrentMax;
        case kResonant:
            return r.resonantPeakCurrent * 0.707;
        default:
            return r.maxCurrent;
    }
}

TEST(SearchLimitsProperty, EveryStoredDesignMeetsEveryLimitOfEveryApplication) {
    std::mt19937 random(160);
    std::uniform_int_distribution<int> pick(0, 1 << 20);
    int stored = 0;
    for (int iteration = 0; iteration < 144; ++iteration) {
        DesignRecord r;
        RecordingMessages messages;
        r.applicationType = static_cast<std::int8_t>(iteration % kApplicationCount);
        applyApplicationSelections(r);
        if (r.applicationType != kWideSwing)
            r.coreShape = static_cast<std::int8_t>(pick(random) % 3);
        if (r.applicationType != kResonant)
            r.windingMode = static_cast<std::int8_t>(pick(random) % 2);

        DesignParameterTexts p = designParameterFieldTexts(r);
        p[0] = logUniform(random, 5, 1.5);   // maximum temperature rise
        p[1] = logUniform(random, 50, 1);    // copper area per ampere
        p[2] = logUniform(random, 5, 1.2);   // fill
        p[3] = logUniform(random, 10, 0.9);  // minimum permeability
        ASSERT_TRUE(acceptDesignParameters(r, messages, p, 1, kAwg)) << messages.last().text;

        RequirementTexts t = requirementFieldTexts(r);
        t[0] = logUniform(random, 1, 3);                                // µH
        t[1] = pick(random) % 4 ? logUniform(random, 1e-3, 2.5) : "0";  // maximum Rdc
        t[2] = logUniform(random, 0.5, 1.5);                            // current
        t[3] = strprintf("%.4g", 3 * std::stod(t[0]));    // swing: L at minimum current
        t[4] = strprintf("%.4g", 0.2 * std::stod(t[2]));  // swing: minimum current
        t[5] = logUniform(random, 5, 2);
        t[6] = logUniform(random, 2, 1.5);
        t[7] = r.applicationType == kPowerline ? "60" : logUniform(random, 20, 1.5);
        if (!acceptRequirements(r, messages, t)) continue;
        run_design_search(r, messages);

        const std::string inputs =
            strprintf("app %d shape %d winding %d", r.applicationType, r.coreShape, r.windingMode) +
            " reqs " + t[0] + " " + t[1] + " " + t[2] + " params " + p[0] + " " + p[1] + " " +
            p[2] + " " + p[3];
        for (int i = 0; i < r.designCount; ++i) {
            const DesignResult& d = r.designResults[i];
            const DesignWire& w = r.designWires[i];
            const std::string at = inputs + " design " + d.partNumber;
            ++stored;
            if (r.maxDcResistance > 0) {
                EXPECT_LE(d.rdc, r.maxDcResistance) << at;
            }
            EXPECT_LE(d.tempRise, r.maxTempRise) << at;
            const double copper = r.minCopperAreaCma * designCurrent(r);
            if (copper > 1) {
                EXPECT_GE(d.strands * static_cast<double>(w.area), copper) << at;
            }
            if (r.applicationType == kDcBiased || r.applicationType == kPowerFactorBoost) {
                EXPECT_GE(d.percentPerm, r.minPercentPerm) << at;
            }
            EXPECT_GT(d.rdc, 0) << at;
            EXPECT_LE(d.fillPercent, 100) << at;
        }
    }
    EXPECT_GT(stored, 100);  // the property held over enough designs to mean something
}

// How the three parameters that read like limits act on a search.
TEST(SearchLimitsProperty, FillMinimumPermeabilityAndTemperatureRiseActAsTheirParametersSay) {
    // The fill is the target of the first wire: the AWG look-up by area may take a wire up to
    // 0.3 gage larger than asked (an area ratio of 10^(0.3 / 9.9298)), never more.
    constexpr double kLargestAwgRoundUp = 1.0720;
    for (const float fill : {0.2f, 0.4f, 0.6f}) {
        DesignRecord r = testing::buckFilter();
        r.maxFillFactor = fill;
        RecordingMessages messages;
        run_design_search(r, messages);
        ASSERT_GT(r.designCount, 0) << fill;
        for (int i = 0; i < r.designCount; ++i) {
            EXPECT_LE(r.designResults[i].fillPercent, 100 * fill * kLargestAwgRoundUp)
                << fill << " " << r.designResults[i].partNumber;
        }
    }
    // The minimum permeability is a limit of the DC-biased screening; the swing screening is
    // bound by the two inductances instead, so its designs do not change with it.
    for (DesignRecord r : {testing::buckFilter(), testing::controlledSwing()}) {
        DesignRecord strict = r;
        strict.minPercentPerm = 90;
        RecordingMessages messages;
        run_design_search(r, messages);
        run_design_search(strict, messages);
        ASSERT_GT(r.designCount, 0);
        if (r.applicationType == kControlledSwing) {
            EXPECT_EQ(strict.designResults, r.designResults);
            continue;
        }
        ASSERT_GT(strict.designCount, 0);
        for (int i = 0; i < strict.designCount; ++i)
            EXPECT_GE(strict.designResults[i].percentPerm, 90)
                << strict.designResults[i].partNumber;
        EXPECT_LT(r.designResults[0].percentPerm, 90);  // the limit made a difference
    }
    // A loss of no more than 0.1 mW per cm² of surface raises no temperature: with a limit of
    // 0 only such designs are kept, each with a rise of exactly 0.
    DesignRecord cool = testing::buckFilter();
    cool.maxCurrent = 0.5f;
    cool.maxTempRise = 0;
    RecordingMessages messages;
    run_design_search(cool, messages);
    ASSERT_GT(cool.designCount, 0);
    for (int i = 0; i < cool.designCount; ++i) {
        const DesignResult& d = cool.designResults[i];
        EXPECT_EQ(d.tempRise, 0) << d.partNumber;
        EXPECT_LE(1000 * (d.coreLossW + d.copperLossW), 0.1 * d.surfaceArea) << d.partNumber;
    }
}

TEST(AnalysisLimitsProperty, EveryAcceptedAnalysisIsAnInductorThatCanBeBuilt) {
    std::mt19937 random(2020);
    std::uniform_int_distribution<int> pick(0, 1 << 20);
    const char* const wires[] = {"0000", "00", "0", "#6", "#10", "#14", "#18", "#22", "#28", "#36"};
    int accepted = 0;
    int refused = 0;
    for (int iteration = 0; iteration < 1500; ++iteration) {
        DesignRecord r;
        RecordingMessages messages;
        AnalysisTable table;
        r.applicationType = static_cast<std::int8_t>(iteration % kApplicationCount);
        r.windingMode = static_cast<std::int8_t>(pick(random) % 2);
        const auto shape = static_cast<std::int8_t>(pick(random) % 3);
        const int rows = catalogRowCount(shape);
        catalogLookup(r, messages, pick(random) % rows, shape);
        AnalysisTexts texts;
        char part[64] = "";
        std::sscanf(r.catalogLine.c_str(), "%63s", part);
        texts[kPartNumberField] = part;
        texts[kStackField] = std::to_string(1 + pick(random) % 3);
        texts[kWireField] = wires[pick(random) % std::size(wires)];
        texts[kTurnsField] = std::to_string(std::lround(std::stod(logUniform(random, 1, 3))));
        texts[kCurrentField] = logUniform(random, 0.1, 2.5);
        texts[kVoltage1Field] = logUniform(random, 1, 2.5);
        texts[kVoltage2Field] = logUniform(random, 1, 2);
        texts[kFrequencyField] = r.applicationType == kPowerline ? "60" : logUniform(random, 1, 3);
        texts[kAmbientField] = "25";
        texts[kStrandsField] = std::to_string(1 + pick(random) % 4);
        const std::string at = texts[0] + " x" + texts[1] + " " + texts[3] + " turns " + texts[2] +
                               " strands " + texts[9] + strprintf(" app %d", r.applicationType);
        if (!acceptAnalysisInputs(r, messages, texts) ||
            AnalyzeDesign(r, messages, table, r.applicationType) <= 0) {
            ++refused;
            EXPECT_FALSE(messages.empty()) << at;  // a refusal says why
            continue;
        }
        ++accepted;
        EXPECT_GT(table.rows[1].value, 0) << at;     // DC resistance
        EXPECT_GT(table.rows[2].value, 0) << at;     // AC resistance
        EXPECT_GE(table.rows[8].value, 0) << at;     // core loss
        EXPECT_GE(table.rows[9].value, 0) << at;     // copper loss
        EXPECT_GE(table.rows[26].value, 0) << at;    // total loss
        EXPECT_GT(table.rows[11].value, 0) << at;    // surface area
        EXPECT_LE(table.rows[29].value, 100) << at;  // window fill
        for (const AnalysisRow& row : table.rows) {
            EXPECT_TRUE(std::isfinite(row.value)) << at << " " << row.label;
            EXPECT_LT(std::fabs(row.value), 3e38f) << at << " " << row.label;
        }
    }
    EXPECT_GT(accepted, 500);
    EXPECT_GT(refused, 50);
}

}  // namespace
}  // namespace korvell
