#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "analysis/Analysis.h"
#include "engine/DesignSearch.h"
#include "platform/Format.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

enum : int {
    kL = 0,
    kRdc = 1,
    kRac = 2,
    kRipple = 3,
    kBias = 4,
    kFlux = 5,
    kPerm = 6,
    kAl = 7,
    kCoreW = 8,
    kCuW = 9,
    kRise = 12,
    kTime115 = 13,
    kLife = 14,
    kOd = 15,
    kId = 16,
    kHeight = 17,
    kWeight = 18,
    kVolume = 19,
    kAc = 20,
    kLm = 21,
    kTotal = 26
};

// A design stored by the search, set up for the analysis as the analysis window would store it.
DesignRecord analysisOf(const DesignRecord& searched, int row) {
    DesignRecord r = searched;
    const DesignResult& d = searched.designResults[row];
    std::string part = d.partNumber;
    r.stackedCores = 1;
    if (const auto blank = part.find(' '); blank != std::string::npos) {
        r.stackedCores = std::stoi(part.substr(part.find('x', blank) + 1));
        part.resize(blank);
    }
    r.corePartNumber = part;
    r.turns = static_cast<float>(d.turns);
    r.wireStrands = d.strands;
    r.lastStoredWireGage = searched.designWires[row].gage;
    return r;
}

// One inductor given as the analysis window stores it: requirements of `start`, a part number,
// turns and a wire gage.
DesignRecord inductor(DesignRecord start, const char* part, float turns, float gage) {
    start.corePartNumber = part;
    start.turns = turns;
    start.lastStoredWireGage = gage;
    return start;
}

// The analyzed inductance (µH) of a design with `turns` turns, at `current` (the design
// current when none).
double inductanceAt(DesignRecord r, int turns, std::optional<double> current) {
    r.turns = static_cast<float>(turns);
    if (current) {
        (r.applicationType == kPowerline ? r.acCurrentMax : r.maxCurrent) =
            static_cast<float>(*current);
    }
    AnalysisTable table;
    SilentMessages quiet;
    if (AnalyzeDesign(r, quiet, table, r.applicationType) != 1) return 0;
    return table.rows[kL].value;
}

// Relative agreement of two values that should match to within the catalog line's rounding.
void expectClose(double analyzed, double searched, double relative, const char* what) {
    EXPECT_NEAR(analyzed, searched, relative * std::fabs(searched) + 1e-6) << what;
}

TEST(Analysis, AgreesWithTheSearchOnEveryStoredDesign) {
    using namespace testing;
    DesignRecord stacked = buckFilter();
    stacked.stackedCores = 2;
    const DesignRecord scenarios[] = {
        buckFilter(),      buckFilter(kECore), stacked,          controlledSwing(),
        wideSwing(),       pfcBoost(),         powerlineChoke(), powerlineChoke(kECore),
        resonantInductor()};
    for (const DesignRecord& start : scenarios) {
        DesignRecord searched = start;
        RecordingMessages messages;
        run_design_search(searched, messages);
        ASSERT_GT(searched.designCount, 0);
        for (int i = 0; i < searched.designCount; ++i) {
            const DesignResult& d = searched.designResults[i];
            SCOPED_TRACE(std::string(kApplicationNames[start.applicationType]) + " " +
                         d.partNumber);
            DesignRecord r = analysisOf(searched, i);
            AnalysisTable table;
            ASSERT_EQ(AnalyzeDesign(r, messages, table, r.applicationType), 1);
            const auto value = [&table](int row) {
                return static_cast<double>(table.rows[row].value);
            };

            // The row is the analysis of its own turns, powerline included.
            const double required = 1000.0 * start.inductanceRequired;
            const double milli = table.rows[kRdc].format == "%5.2fm" ? 0.001 : 1;
            expectClose(value(kRdc) * milli, d.rdc, 1e-5, "Rdc");
            expectClose(value(kRac) * milli, d.rac, 1e-5, "Rac");
            expectClose(value(kCuW), d.copperLossW, 1e-5, "copper loss");
            expectClose(value(kAl), d.al, 1e-6, "Al");
            expectClose(value(kVolume), d.coreVolume, 1e-6, "core volume");
            expectClose(value(kL), d.inductanceUh, 1e-6, "inductance");
            expectClose(value(kPerm), d.percentPerm, 1e-6, "percent permeability");
            expectClose(value(kFlux), d.bac, 1e-5, "flux density");
            expectClose(value(kCoreW), d.coreLossW, 1e-4, "core loss");
            expectClose(value(kRise), d.tempRise, 1e-4, "temperature rise");
            // The turns are the fewest that reach the inductances asked for: L1 at the design
            // current, and for the wide swing and the powerline choke L2 at the minimum current.
            const bool second =
                start.applicationType == kWideSwing || start.applicationType == kPowerline;
            // The powerline choke holds one requirement at both currents when the other is 0.
            const double required2 =
                start.applicationType == kPowerline && start.inductanceAtMinCurrent == 0
                    ? required
                    : 1000.0 * start.inductanceAtMinCurrent;
            const double minCurrent =
                start.applicationType == kPowerline ? start.acCurrentMin : start.minCurrent;
            EXPECT_GE(value(kL), required * (1 - 1e-6));
            if (second) {
                EXPECT_GE(inductanceAt(r, d.turns, minCurrent), required2 * (1 - 1e-6));
            }
            if (d.turns > 1) {
                const bool missesL1 = inductanceAt(r, d.turns - 1, std::nullopt) < required;
                const bool missesL2 =
                    second && inductanceAt(r, d.turns - 1, minCurrent) < required2;
                EXPECT_TRUE(missesL1 || missesL2) << "one turn fewer still meets the inductance";
            }
            for (int row = 0; row < kAnalysisRows; ++row)
                EXPECT_TRUE(std::isfinite(value(row))) << row;
        }
    }
}

TEST(Analysis, PartNumbersAreMatchedExactly) {
    DesignRecord r = inductor(testing::buckFilter(), "", 40, 20);
    RecordingMessages messages;
    AnalysisTable table;
    r.corePartNumber = "T80-13A/91";
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_EQ(r.catalogLine.substr(0, 30).find("T80-13A/91"), r.catalogLine.find_first_not_of(' '));
    r.corePartNumber = "T80-21 x2";  // only the text before the blank names the core
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_NE(r.catalogLine.find("T80-21 "), std::string::npos);
    EXPECT_TRUE(messages.empty());
    // Beginnings of catalog part numbers name no core: not "T80-13A" for T80-13A/91, nor a
    // material "-2" for T80-21 (which once analyzed as T80-21 with no core loss).
    for (const char* beginning : {"T80-13A", "T80-2", "T80-", "T8", "E1", "ST1"}) {
        messages.clear();
        r.corePartNumber = beginning;
        EXPECT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), -2) << beginning;
        ASSERT_EQ(messages.size(), 1u) << beginning;
        EXPECT_EQ(messages.last().caption, "ERROR ");
        EXPECT_EQ(messages.last().text.rfind(
                      "Core P/N " + std::string(beginning) + " NOT IN THE CATALOG", 0),
                  0u);
    }
}

TEST(Analysis, UnknownPartIsReportedAndTheTableKept) {
    DesignRecord r = inductor(testing::buckFilter(), "", 40, 20);
    r.corePartNumber = "T80-21";
    RecordingMessages messages;
    AnalysisTable table;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    const float kept = table.rows[kL].value;
    r.corePartNumber = "T81-21";
    EXPECT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), -2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.last().caption, "ERROR ");
    EXPECT_EQ(messages.last().text, "Core P/N T81-21 NOT IN THE CATALOG");
    EXPECT_EQ(table.rows[kL].value, kept);
}

TEST(Analysis, StackingDoublesAlAreaHeightAndVolumeOnly) {
    DesignRecord one = inductor(testing::buckFilter(), "T106-21", 30, 18);
    one.maxCurrent = 0.01f;  // negligible bias: the same permeability on both
    DesignRecord two = one;
    two.stackedCores = 2;
    RecordingMessages messages;
    AnalysisTable a, b;
    ASSERT_EQ(AnalyzeDesign(one, messages, a, kDcBiased), 1);
    ASSERT_EQ(AnalyzeDesign(two, messages, b, kDcBiased), 1);
    for (int row : {kAl, kAc, kHeight, kVolume})
        EXPECT_FLOAT_EQ(b.rows[row].value, 2 * a.rows[row].value) << row;
    for (int row : {kLm, kOd, kId})
        EXPECT_FLOAT_EQ(b.rows[row].value, a.rows[row].value) << row;
    EXPECT_NEAR(b.rows[kL].value, 2 * a.rows[kL].value, 1e-3 * a.rows[kL].value);
}

TEST(Analysis, FormatsFollowTheInductanceAndResistanceThresholds) {
    DesignRecord r = testing::buckFilter();
    r.corePartNumber = "T106-21";
    RecordingMessages messages;
    AnalysisTable table;
    r.turns = 10;  // about 10 µH of heavy wire: a few milliohms
    r.lastStoredWireGage = 16;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_EQ(table.rows[kL].format, "%6.2f");
    EXPECT_EQ(table.rows[kRdc].format, "%5.2fm");
    EXPECT_EQ(analysisValueText(table.rows[kRdc], r).back(), 'm');
    r.turns = 120;  // some hundreds of µH of thin wire, above 0.1 ohm
    r.lastStoredWireGage = 30;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_EQ(table.rows[kL].format, "%6.0f");
    EXPECT_EQ(table.rows[kRdc].format, "%5.2f");
}

TEST(Analysis, BoostShowsHalfTheFluxAndAQuarterRipple) {
    DesignRecord pfc = inductor(testing::pfcBoost(), "T157-21", 60, 16);
    pfc.pfcOutputVoltage = 40;  // a ripple below the current, so that it is not limited
    DesignRecord dc = pfc;
    dc.onVoltage = dc.offVoltage = 40;  // the same average voltage as a DC-biased design
    RecordingMessages messages;
    AnalysisTable boost, plain;
    ASSERT_EQ(AnalyzeDesign(pfc, messages, boost, kPowerFactorBoost), 1);
    ASSERT_EQ(AnalyzeDesign(dc, messages, plain, kDcBiased), 1);
    EXPECT_EQ(boost.rows[kFlux].label, "AVG. AC FLUX DENSITY");
    EXPECT_EQ(plain.rows[kFlux].label, "AC FLUX DENSITY");
    EXPECT_FLOAT_EQ(boost.rows[kFlux].value, 0.5f * plain.rows[kFlux].value);
    EXPECT_FLOAT_EQ(boost.rows[kRipple].value, 0.5f * plain.rows[kRipple].value);
}

TEST(Analysis, PowerlineBeyondTheAcDataStillComputesWithANotice) {
    DesignRecord r = testing::powerlineChoke();
    r.corePartNumber = "T80-21";
    r.turns = 200;
    r.acCurrentMax = 20;
    r.lastStoredWireGage = 20;
    RecordingMessages messages;
    AnalysisTable table;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kPowerline), 1);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.messages[0].text,
              "WARNING: RANGE OF AC PERM DATA EXCEEDED.\n\r RESULTS MAY BE INACCURATE");
    EXPECT_GT(table.rows[kL].value, 0);
    EXPECT_EQ(table.rows[kRipple].value, 0);  // a line-frequency choke has no switching ripple
    EXPECT_EQ(table.rows[kBias].value, 0);
}

TEST(Analysis, CompositePowerlineStopsForWantOfAcPermeability) {
    DesignRecord r = inductor(testing::powerlineChoke(), "ST106-411", 50, 20);
    RecordingMessages messages;
    AnalysisTable table;
    EXPECT_EQ(AnalyzeDesign(r, messages, table, kPowerline), 0);
    EXPECT_EQ(messages.last().text, "Error in calc_pct_perm_ac. unrecognized material -411");
}

TEST(Analysis, NoFrequencyOrTurnsMeansNoFluxAndNoRipple) {
    DesignRecord r = inductor(testing::buckFilter(), "T106-21", 30, 18);
    r.frequencyKhz = 0;
    RecordingMessages messages;
    AnalysisTable table;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_EQ(table.rows[kFlux].value, 0);
    EXPECT_EQ(table.rows[kRipple].value, 0);
    EXPECT_EQ(table.rows[kCoreW].value, 0);
    EXPECT_EQ(table.rows[kTime115].value, 0);  // no core loss: no aging figures
    // Nothing drives the aging: NEGLIGIBLE, as for a core that does not age, never 0 hours.
    for (const int row : {kTime115, kLife}) {
        EXPECT_TRUE(table.rows[row].negligible);
        EXPECT_EQ(analysisValueText(table.rows[row], r), "NEGLIGIBLE");
    }
}

TEST(Analysis, NegligibleAgingReadsNegligibleRatherThanAStandInTime) {
    // The same core cool enough not to age, and hot enough to age.
    struct Case {
        float ambient;
        bool negligible;
    };
    for (const Case c : {Case{25, true}, Case{150, false}}) {
        DesignRecord r = inductor(testing::buckFilter(), "T106-21", 45, 16);
        r.ambientTemp = c.ambient;
        RecordingMessages messages;
        AnalysisTable table;
        ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
        for (const int row : {kTime115, kLife}) {
            EXPECT_EQ(table.rows[row].negligible, c.negligible) << c.ambient;
            EXPECT_EQ(analysisValueText(table.rows[row], r) == "NEGLIGIBLE", c.negligible);
            EXPECT_EQ(table.rows[row].value > 0, !c.negligible) << c.ambient;
        }
    }
}

TEST(Analysis, AgingStopsAtTwoHundredFiftyDegrees) {
    DesignRecord r = inductor(testing::buckFilter(), "T106-21", 45, 16);
    r.ambientTemp = 150;
    RecordingMessages messages;
    AnalysisTable table;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_GT(table.rows[kTime115].value, 0);
    EXPECT_GT(table.rows[kLife].value, 0);
    r.ambientTemp = 250 - table.rows[kRise].value;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_EQ(table.rows[kTime115].value, 0);
    EXPECT_EQ(table.rows[kLife].value, 0);
    EXPECT_FALSE(table.rows[kLife].negligible);
}

TEST(Analysis, DiscontinuedAndCompositeWeights) {
    DesignRecord r = inductor(testing::buckFilter(), "", 30, 18);
    RecordingMessages messages;
    AnalysisTable table;
    r.corePartNumber = "T80-22";
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    EXPECT_EQ(messages.last().caption, "NOTICE: ");
    EXPECT_EQ(messages.last().text,
              "Materials -22, -24 are discontinued, see new materials -23, -25, -27");
    EXPECT_EQ(table.rows[kWeight].value, 0);

    for (float f : {100.0f, 0.0f}) {  // weighed as -36 whether or not there is core loss
        DesignRecord c = testing::buckFilter(kComposite);
        c.corePartNumber = "ST106-411";
        c.turns = 30;
        c.lastStoredWireGage = 18;
        c.frequencyKhz = f;
        ASSERT_EQ(AnalyzeDesign(c, messages, table, kDcBiased), 1);
        EXPECT_NEAR(table.rows[kWeight].value, 7.0 * table.rows[kVolume].value / 453.6, 1e-6) << f;
    }
}

TEST(Analysis, DisplayUnitsConvertLengthsAndWeights) {
    DesignRecord r = inductor(testing::buckFilter(), "T106-21", 30, 18);
    RecordingMessages messages;
    AnalysisTable table;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, kDcBiased), 1);
    r.lengthFactor = 25.4f;
    r.lengthUnitName = "mm ";
    r.weightFactor = 453.6f;
    r.weightUnitName = "gm";
    const AnalysisRow& od = table.rows[kOd];
    EXPECT_EQ(analysisUnitsText(od, r), "mm ");
    EXPECT_EQ(analysisValueText(od, r), strprintf("%6.3f", od.value * 25.4));
    EXPECT_EQ(analysisUnitsText(table.rows[kWeight], r), "gm");
    EXPECT_EQ(analysisUnitsText(table.rows[kVolume], r), "Cubic cm");  // no conversion
}

}  // namespace
}  // namespace korvell
