// Properties over random inputs: every design a search stores meets every limit the user set,
// and every analysis either refuses or gives a result an inductor can have.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "analysis/SecondOpinion.h"
#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "materials/Catalog.h"
#include "platform/Format.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

// A field text `decades` decades upward from `low`, evenly spread on a log scale.
std::string logUniform(std::mt19937& random, double low, double decades) {
    return strprintf("%.4g",
                     low * std::pow(10.0, std::uniform_real_distribution(0.0, decades)(random)));
}

TEST(SearchLimitsProperty, EveryStoredDesignMeetsEveryLimitOfEveryApplication) {
    std::mt19937 random(160);
    int stored = 0;
    for (int iteration = 0; iteration < 144; ++iteration) {
        DesignRecord r;
        RecordingMessages messages;
        r.applicationType = static_cast<std::int8_t>(iteration % kApplicationCount);
        applyApplicationSelections(r);
        if (r.applicationType != kWideSwing) r.coreShape = static_cast<std::int8_t>(random() % 3);
        if (r.applicationType != kResonant) r.windingMode = static_cast<std::int8_t>(random() % 2);
        // Temperature rise, copper area per ampere, fill, minimum permeability.
        DesignParameterTexts p = designParameterFieldTexts(r);
        const double spans[4][2] = {{5, 1.5}, {50, 1}, {5, 1.2}, {10, 0.9}};
        for (int k = 0; k < 4; ++k)
            p[k] = logUniform(random, spans[k][0], spans[k][1]);
        ASSERT_TRUE(acceptDesignParameters(r, messages, p, 1, kAwg)) << messages.last().text;
        // Every other search designs at the worst case of a random Al tolerance; every third
        // judges the rise by the check.
        const DesignChoices choices{
            iteration % 3 == 2 ? kRiseByCheck : kRiseByProgram,
            static_cast<float>(std::uniform_real_distribution(0.0, 20.0)(random)),
            iteration % 2 == 1 ? kDesignAtWorstCase : kDesignAtNominal};
        storeDesignChoices(r, choices);
        // µH, Rdc limit (0 now and then), current, swing inductance and current, volts, kHz.
        RequirementTexts t = requirementFieldTexts(r);
        t[0] = logUniform(random, 1, 3);
        t[1] = random() % 4 ? logUniform(random, 1e-3, 2.5) : "0";
        t[2] = logUniform(random, 0.5, 1.5);
        t[3] = strprintf("%.4g", 3 * std::stod(t[0]));
        t[4] = strprintf("%.4g", 0.2 * std::stod(t[2]));
        t[5] = logUniform(random, 5, 2);
        t[6] = logUniform(random, 2, 1.5);
        t[7] = r.applicationType == kPowerline ? "60" : logUniform(random, 20, 1.5);
        if (!acceptRequirements(r, messages, t)) continue;
        run_design_search(r, messages);
        const double current = r.applicationType == kPowerline  ? r.acCurrentMax
                               : r.applicationType == kResonant ? r.resonantPeakCurrent * 0.707
                                                                : r.maxCurrent;
        const bool dcBiased =
            r.applicationType == kDcBiased || r.applicationType == kPowerFactorBoost;
        for (int i = 0; i < r.designCount; ++i, ++stored) {
            const DesignResult& d = r.designResults[i];
            const std::string at = strprintf("#%d %s ", iteration, d.partNumber.c_str()) + t[0] +
                                   " uH " + t[1] + " ohm " + t[2] + " A";
            EXPECT_TRUE(r.maxDcResistance == 0 || d.rdc <= r.maxDcResistance) << at << " " << d.rdc;
            EXPECT_LE(d.tempRise, r.maxTempRise) << at;
            EXPECT_GE(d.strands * static_cast<double>(r.designWires[i].area),
                      r.minCopperAreaCma * current > 1 ? r.minCopperAreaCma * current : 0)
                << at;
            EXPECT_TRUE(!dcBiased || d.percentPerm >= r.minPercentPerm) << at;
            EXPECT_GT(d.rdc, 0) << at;
            EXPECT_LE(d.fillPercent, 100) << at;
            // The inductance asked for, at the low end of the Al tolerance when designed there.
            const double required = 1000.0 * r.inductanceRequired * (1 - 1e-6);
            EXPECT_GE(d.inductanceUh, required) << at;
            if (choices.designAt == kDesignAtWorstCase) {
                EXPECT_GE(d.inductanceMinUh, required) << at;
            }
            // And the stored winding can be built: it analyzes again, to the row's inductance and,
            // judged by the check, to a checked rise within the limit.
            DesignRecord again;
            AnalysisTable table;
            messages.clear();
            ASSERT_TRUE(analyzeResultsRow(r, i, messages, again, table))
                << at << (messages.empty() ? "" : messages.last().text);
            EXPECT_NEAR(table.rows[0].value, d.inductanceUh, 1e-5 * d.inductanceUh) << at;
            if (choices.riseLimitBy == kRiseByCheck) {
                const SecondOpinion check = secondOpinion(again, again.applicationType);
                EXPECT_TRUE(check.converged && check.tempRiseC <= r.maxTempRise + 0.01) << at;
            }
        }
    }
    EXPECT_GT(stored, 100);  // the property held over enough designs to mean something
}

// How the three parameters that read like limits act on a search.
TEST(SearchLimitsProperty, FillMinimumPermeabilityAndTemperatureRiseActAsTheirParametersSay) {
    // The fill is the target of the first wire: the AWG look-up by area may take a wire up to
    // 0.3 gage larger than asked (an area ratio of 10^(0.3 / 9.9298)), never more.
    RecordingMessages messages;
    for (const float fill : {0.2f, 0.4f, 0.6f}) {
        DesignRecord r = testing::buckFilter();
        r.maxFillFactor = fill;
        run_design_search(r, messages);
        ASSERT_GT(r.designCount, 0) << fill;
        for (int i = 0; i < r.designCount; ++i)
            EXPECT_LE(r.designResults[i].fillPercent, 100 * fill * 1.0720) << fill << " #" << i;
    }
    // The minimum permeability holds the DC-biased screening; the swing screening is bound by
    // the two inductances instead, so its designs do not change with it.
    for (DesignRecord r : {testing::buckFilter(), testing::controlledSwing()}) {
        DesignRecord strict = r;
        strict.minPercentPerm = 90;
        run_design_search(r, messages);
        run_design_search(strict, messages);
        if (r.applicationType == kControlledSwing) {
            EXPECT_EQ(strict.designResults, r.designResults);
            continue;
        }
        EXPECT_LT(r.designResults[0].percentPerm, 90);  // the limit makes a difference
        ASSERT_GT(strict.designCount, 0);
        for (int i = 0; i < strict.designCount; ++i)
            EXPECT_GE(strict.designResults[i].percentPerm, 90) << i;
    }
    // A loss of at most 0.1 mW per cm² of surface raises no temperature: with a limit of 0 only
    // such designs are kept, each with a rise of exactly 0.
    DesignRecord cool = testing::buckFilter();
    cool.maxCurrent = 0.5f;
    cool.maxTempRise = 0;
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
    const char* const wires[] = {"0000", "00", "0", "#6", "#10", "#14", "#18", "#22", "#28", "#36"};
    int accepted = 0;
    for (int iteration = 0; iteration < 1500; ++iteration) {
        DesignRecord r;
        RecordingMessages messages;
        AnalysisTable table;
        r.applicationType = static_cast<std::int8_t>(iteration % kApplicationCount);
        r.windingMode = static_cast<std::int8_t>(random() % 2);
        const auto shape = static_cast<std::int8_t>(random() % 3);
        catalogLookup(r, messages, static_cast<int>(random() % catalogRowCount(shape)), shape);
        char part[64] = "";
        std::sscanf(r.catalogLine.c_str(), "%63s", part);
        AnalysisTexts texts = {part,
                               std::to_string(1 + random() % 3),
                               wires[random() % std::size(wires)],
                               std::to_string(std::lround(std::stod(logUniform(random, 1, 3)))),
                               logUniform(random, 0.1, 2.5),
                               logUniform(random, 1, 2.5),
                               logUniform(random, 1, 2),
                               r.applicationType == kPowerline ? "60" : logUniform(random, 1, 3),
                               "25",
                               std::to_string(1 + random() % 4)};
        const std::string at = texts[0] + " x" + texts[1] + ", " + texts[3] + " turns of " +
                               texts[2] + " x" + texts[9] +
                               strprintf(", app %d", r.applicationType);
        if (!acceptAnalysisInputs(r, messages, texts) ||
            AnalyzeDesign(r, messages, table, r.applicationType) <= 0) {
            EXPECT_FALSE(messages.empty()) << at;  // a refusal says why
            continue;
        }
        ++accepted;
        // Resistances and surface positive, losses not negative, the copper within the window.
        for (int row : {1, 2, 11})
            EXPECT_GT(table.rows[row].value, 0) << at << " row " << row;
        for (int row : {8, 9, 26})
            EXPECT_GE(table.rows[row].value, 0) << at << " row " << row;
        EXPECT_LE(table.rows[29].value, 100) << at;
        for (const AnalysisRow& row : table.rows)
            EXPECT_LT(std::fabs(row.value), 3e38f) << at << " " << row.label;  // nor NaN
    }
    EXPECT_GT(accepted, 500);
}

}  // namespace
}  // namespace korvell
