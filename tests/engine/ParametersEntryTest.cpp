#include <gtest/gtest.h>

#include "engine/EntryFields.h"
#include "engine/ParametersEntry.h"

namespace korvell {
namespace {

DesignParameterTexts defaultTexts() {
    return {"40", "150", "40", "40", "1", "1", "0.833", "0.25", "55"};
}

TEST(ParametersEntry, ActivationShowsTheApplicationsRow) {
    DesignRecord r;
    const DesignParameterTexts shown = designParameterFieldTexts(r);
    const DesignParameterTexts expected = {" 40.00", "150.00", " 40.00", " 40.00", "  1.00",
                                           "  1.00", "0.8330", "  0.25", " 55.00"};
    EXPECT_EQ(shown, expected);

    r.applicationType = kPowerFactorBoost;
    EXPECT_EQ(designParameterFieldTexts(r)[0], " 80.00");

    r.wireGageSystem = kMetricWire;  // row 1 as current density, 197400 / 150
    EXPECT_EQ(designParameterFieldTexts(r)[1], "1316.00");
}

TEST(ParametersEntry, TemperatureRiseLimitIsInclusive) {
    DesignRecord r;
    RecordingMessages messages;
    DesignParameterTexts texts = defaultTexts();
    texts[0] = "200";
    EXPECT_TRUE(acceptDesignParameters(r, messages, texts, 1, kAwg));
    EXPECT_TRUE(messages.empty());
    EXPECT_FLOAT_EQ(r.maxTempRise, 200.0f);

    texts[0] = "200.5";
    EXPECT_FALSE(acceptDesignParameters(r, messages, texts, 1, kAwg));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.last().text, "Parameter 1. (200.50) Must Be In The Range:   0.00 To 200.00");
    EXPECT_EQ(messages.last().caption, "PARAMETER OUT OF RANGE ERROR");
    EXPECT_FLOAT_EQ(r.designParamsByApplication[kDcBiased][0], 200.0f);
}

TEST(ParametersEntry, MinusOnlyInTheAmbientTemperature) {
    DesignRecord r;
    RecordingMessages messages;
    DesignParameterTexts texts = defaultTexts();
    texts[8] = "-55";
    ASSERT_TRUE(acceptDesignParameters(r, messages, texts, 1, kAwg));
    EXPECT_FLOAT_EQ(r.ambientTemp, -55.0f);

    for (int k = 0; k < 8; ++k) {
        DesignRecord fresh;
        texts = defaultTexts();
        texts[k] = "-" + texts[k];
        texts[0] = k == 0 ? texts[0] : "77";  // would be stored if the check came later
        messages.clear();
        EXPECT_FALSE(acceptDesignParameters(fresh, messages, texts, 1, kAwg));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.last().text, invalidCharacterMessage(k, texts[k]));
        EXPECT_EQ(messages.last().caption, "DATA ENTRY ERROR");
        EXPECT_FLOAT_EQ(fresh.designParamsByApplication[kDcBiased][0], 40.0f);
    }
    EXPECT_EQ(invalidCharacterMessage(3, "-40"), "INVALID CHARACTER in Parameter 3.  -40 ");
}

TEST(ParametersEntry, MetricCurrentDensityStoresTheCopperArea) {
    DesignRecord r;
    RecordingMessages messages;
    r.wireGageSystem = kMetricWire;
    DesignParameterTexts texts = defaultTexts();
    texts[1] = "1316";
    ASSERT_TRUE(acceptDesignParameters(r, messages, texts, 0, kMetricWire));
    EXPECT_FLOAT_EQ(r.designParamsByApplication[kDcBiased][1], 150.0f);
    EXPECT_FLOAT_EQ(r.minCopperAreaCma, 150.0f);

    r.wireGageSystem = kAwg;
    EXPECT_EQ(designParameterFieldTexts(r)[1], "150.00");
}

TEST(ParametersEntry, RowOneConvertsOnlyBetweenMetricAndGageNumbers) {
    EXPECT_EQ(row1TextAfterGageChange(kAwg, kMetricWire, "150.00"), "1316.00");
    EXPECT_EQ(row1TextAfterGageChange(kMetricWire, kSwg, "1316"), "150.00");
    EXPECT_FALSE(row1TextAfterGageChange(kAwg, kSwg, "150.00").has_value());
    EXPECT_FALSE(row1TextAfterGageChange(kSwg, kAwg, "150.00").has_value());
    EXPECT_FALSE(row1TextAfterGageChange(kMetricWire, kMetricWire, "1316").has_value());
    EXPECT_EQ(row1TextAfterGageChange(kAwg, kMetricWire, ""), "  0.00");  // no division by 0
}

TEST(ParametersEntry, ZeroCurrentDensityIsRefusedBeforeConversion) {
    DesignRecord r;
    RecordingMessages messages;
    DesignParameterTexts texts = defaultTexts();
    texts[1] = "";
    EXPECT_FALSE(acceptDesignParameters(r, messages, texts, 1, kMetricWire));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.last().text,
              "Parameter 2. (  0.00) Must Be In The Range:  10.00 To 9999.00");
    EXPECT_FLOAT_EQ(r.designParamsByApplication[kDcBiased][1], 150.0f);
    EXPECT_EQ(r.wireGageSystem, kAwg);
}

TEST(ParametersEntry, ValuesBeforeARefusedOneStayStored) {
    DesignRecord r;
    RecordingMessages messages;
    DesignParameterTexts texts = {"60", "1000", "30", "50", "1.5", "2", "0.5", "1", "30"};
    EXPECT_FALSE(acceptDesignParameters(r, messages, texts, 0, kMetricWire));
    EXPECT_EQ(messages.last().text, "Parameter 5. (  1.50) Must Be In The Range:   0.90 To   1.10");
    const auto& row = r.designParamsByApplication[kDcBiased];
    EXPECT_FLOAT_EQ(row[0], 60.0f);
    // The density typed in row 1 is kept as the copper area it stands for (197400 / 1000).
    EXPECT_FLOAT_EQ(row[1], 197.4f);
    EXPECT_FLOAT_EQ(row[3], 50.0f);
    EXPECT_FLOAT_EQ(row[4], 1.0f);
    EXPECT_FLOAT_EQ(row[8], 55.0f);
    // Active parameters and unit settings are untouched.
    EXPECT_FLOAT_EQ(r.maxTempRise, 40.0f);
    EXPECT_EQ(r.unitSystem, 1);
    EXPECT_EQ(r.wireGageSystem, kAwg);
    EXPECT_EQ(r.lengthUnitName, "in");
}

TEST(ParametersEntry, AcceptedValuesBecomeTheActiveParametersAndUnits) {
    DesignRecord r;
    r.applicationType = kResonant;
    RecordingMessages messages;
    const DesignParameterTexts texts = {"30", "200", "35", "60", "1.05", "0.8", "0.9", "1", "40"};
    ASSERT_TRUE(acceptDesignParameters(r, messages, texts, 0, kSwg));
    EXPECT_FLOAT_EQ(r.maxTempRise, 30.0f);
    EXPECT_FLOAT_EQ(r.minCopperAreaCma, 200.0f);
    EXPECT_FLOAT_EQ(r.maxFillFactor, 0.35f);
    EXPECT_FLOAT_EQ(r.minPercentPerm, 60.0f);
    EXPECT_FLOAT_EQ(r.resistivityFactor, 1.05f);
    EXPECT_FLOAT_EQ(r.tempRiseFactor, 0.8f);
    EXPECT_FLOAT_EQ(r.tempRiseExponent, 0.9f);
    EXPECT_FLOAT_EQ(r.leadLengthTotal, 2.0f);
    EXPECT_FLOAT_EQ(r.ambientTemp, 40.0f);
    EXPECT_EQ(r.unitSystem, 0);
    EXPECT_EQ(r.wireGageSystem, kSwg);
    EXPECT_EQ(r.wireGageName, "SWG");
    EXPECT_EQ(r.lengthUnitName, "mm ");
    EXPECT_FLOAT_EQ(r.lengthFactor, 25.4f);
    EXPECT_EQ(r.longLengthUnitName, "m ");
    EXPECT_EQ(r.weightUnitName, "gm");
    EXPECT_FLOAT_EQ(r.designParamsByApplication[kDcBiased][0], 40.0f);  // other rows untouched

    ASSERT_TRUE(acceptDesignParameters(r, messages, texts, 2, kMetricWire));
    EXPECT_EQ(r.lengthUnitName, "in");
    EXPECT_EQ(r.wireGageName, "mm ");
}

TEST(ParametersEntry, LimitsAreInclusiveAtBothEnds) {
    DesignRecord r;
    RecordingMessages messages;
    EXPECT_TRUE(acceptDesignParameters(
        r, messages, {"0", "10", "0.1", "10", "0.9", "0.1", "0.25", "0", "-200"}, 1, kAwg));
    EXPECT_TRUE(acceptDesignParameters(
        r, messages, {"200", "9999", "99", "100", "1.1", "10", "1", "100", "250"}, 1, kAwg));
    EXPECT_TRUE(messages.empty());
    // An empty field reads as 0: accepted where 0 is allowed, refused elsewhere.
    EXPECT_TRUE(acceptDesignParameters(
        r, messages, {"", "150", "40", "40", "1", "1", ".833", " ", "."}, 1, kAwg));
    EXPECT_FLOAT_EQ(r.maxTempRise, 0.0f);
    EXPECT_FLOAT_EQ(r.ambientTemp, 0.0f);
}

TEST(ParametersEntry, ActiveParametersLoadWithTheirConversions) {
    DesignRecord r;
    r.applicationType = kPowerFactorBoost;
    r.designParamsByApplication[kPowerFactorBoost][7] = 1.5f;
    loadActiveDesignParameters(r);
    EXPECT_FLOAT_EQ(r.maxTempRise, 80.0f);
    EXPECT_FLOAT_EQ(r.maxFillFactor, 0.4f);
    EXPECT_FLOAT_EQ(r.leadLengthTotal, 3.0f);
    EXPECT_FLOAT_EQ(r.ambientTemp, 55.0f);
}

TEST(ParametersEntry, UnitTablesAreConsistentConversions) {
    // Metric: a foot is twelve inches in both the length and the long-length unit.
    constexpr double kFactorTolerance = 1e-6;  // single-precision table values
    const DisplayUnits& metric = kDisplayUnits[0];
    EXPECT_NEAR(metric.lengthFactor * 12 / 1000, metric.longLengthFactor, kFactorTolerance);
    EXPECT_NEAR(metric.weightFactor, 453.59237, 0.01);  // grams per avoirdupois pound
    for (int u = 1; u < 3; ++u) {
        EXPECT_EQ(kDisplayUnits[u].lengthFactor, 1.0f);
        EXPECT_EQ(kDisplayUnits[u].longLengthFactor, 1.0f);
        EXPECT_EQ(kDisplayUnits[u].weightFactor, 1.0f);
    }
    // The record starts in the mixed English settings except for the "in" / "in." spelling.
    const DesignRecord fresh;
    EXPECT_EQ(fresh.lengthUnitName, kDisplayUnits[2].lengthUnitName);
    EXPECT_EQ(fresh.wireGageName, kWireGageStandards[kAwg].gageName);
}

TEST(ParametersEntry, UnknownSelectionsAreProgramErrors) {
    DesignRecord r;
    RecordingMessages messages;
    EXPECT_FALSE(acceptDesignParameters(r, messages, defaultTexts(), 3, kAwg));
    EXPECT_FALSE(acceptDesignParameters(r, messages, defaultTexts(), 1, -1));
    r.applicationType = -1;
    EXPECT_FALSE(acceptDesignParameters(r, messages, defaultTexts(), 1, kAwg));
    ASSERT_EQ(messages.size(), 3u);
    for (const Message& m : messages.messages)
        EXPECT_EQ(m.caption, "PROGRAM ERROR ");
    EXPECT_FALSE(applyDisplayUnits(r, 1, 3));
}

// AL TOLERANCE is checked as the parameter after the nine, with their own words; the lists take
// only their indices; nothing is stored by the check.
TEST(ParametersEntry, DesignChoicesAreCheckedAsParametersNineAndTen) {
    struct Case {
        DesignChoiceEntry entry;
        std::string message;  // empty: accepted
    };
    const Case cases[] = {
        {{kRiseByCheck, "12.5", kDesignAtWorstCase}, ""},
        {{kRiseByProgram, "0", kDesignAtNominal}, ""},
        {{kRiseByProgram, "30", kDesignAtNominal}, ""},
        {{kRiseByProgram, "30.5", kDesignAtNominal},
         "Parameter10. ( 30.50) Must Be In The Range:   0.00 To  30.00"},
        {{kRiseByProgram, "-1", kDesignAtNominal}, "INVALID CHARACTER in Parameter 9.  -1 "},
        {{kRiseByProgram, "8%", kDesignAtNominal}, "INVALID CHARACTER in Parameter 9.  8% "},
        {{2, "8", kDesignAtNominal}, ">>> Unidentified Function in DESIGN PARAMETERS"},
        {{kRiseByProgram, "8", -1}, ">>> Unidentified Function in DESIGN PARAMETERS"},
    };
    for (const Case& c : cases) {
        RecordingMessages messages;
        const auto choices = checkDesignChoices(messages, c.entry);
        EXPECT_EQ(choices.has_value(), c.message.empty()) << c.entry.alTolerance;
        EXPECT_EQ(messages.empty() ? "" : messages.last().text, c.message);
    }
}

TEST(ParametersEntry, DesignChoicesBelongToTheirApplication) {
    DesignRecord r;
    EXPECT_EQ(designChoiceEntry(r).alTolerance, "  8.00");
    r.applicationType = kPowerFactorBoost;
    storeDesignChoices(r, {kRiseByCheck, 10, kDesignAtWorstCase});
    EXPECT_EQ(r.riseLimitBy, kRiseByCheck);
    EXPECT_EQ(r.alTolerancePercent, 10);
    EXPECT_EQ(r.designAt, kDesignAtWorstCase);
    r.applicationType = kDcBiased;
    loadActiveDesignParameters(r);
    EXPECT_EQ(r.riseLimitBy, kRiseByProgram);
    EXPECT_EQ(r.alTolerancePercent, 8);
    EXPECT_EQ(r.designAt, kDesignAtNominal);
}

}  // namespace
}  // namespace korvell
