#include <gtest/gtest.h>

#include <cmath>

#include "analysis/AnalysisEntry.h"

namespace korvell {
namespace {

AnalysisTexts buckTexts() {
    return {"T106-21", "1", "#18", "40", "5", "12", "5", "100", "55", "1"};
}

TEST(AnalysisEntry, LoadsTheHighlightedDesignAndItsStack) {
    DesignRecord r;
    r.selectedDesign = 2;
    r.designResults[2].partNumber = "T106-21 x3";
    r.designResults[2].turns = 41;
    r.designResults[2].strands = 0;
    r.designResults[2].wire = "# 18";
    r.maxCurrent = 5;
    r.onVoltage = 12;
    r.offVoltage = 5;
    r.frequencyKhz = 100;
    AnalysisTexts texts;
    loadAnalysisInputs(r, texts);
    EXPECT_EQ(texts[0], "T106-21");
    EXPECT_EQ(texts[1], "3");
    EXPECT_EQ(texts[2], "# 18 AWG");
    EXPECT_EQ(texts[3], "41");
    EXPECT_EQ(texts[9], "1");  // no strands stored: one
    EXPECT_EQ(texts[4], "  5.00");
    EXPECT_EQ(texts[7], " 100.0");
}

TEST(AnalysisEntry, ACatalogCoreReplacesTheLoadedCoreAndItsStack) {
    DesignRecord r;
    r.designResults[0].partNumber = "T106-21 x3";
    r.designResults[0].turns = 41;
    r.designResults[0].wire = "# 18";
    AnalysisTexts texts;
    loadAnalysisInputs(r, texts);
    takeCatalogPart(texts, "E50-36");
    EXPECT_EQ(texts[0], "E50-36");
    EXPECT_EQ(texts[1], "1");
    // The rest stays as loaded.
    EXPECT_EQ(texts[2], "# 18 AWG");
    EXPECT_EQ(texts[3], "41");
    takeCatalogPart(texts, "T80-13B/91 x2");
    EXPECT_EQ(texts[0], "T80-13B/91");
    EXPECT_EQ(texts[1], "1");
}

TEST(AnalysisEntry, AcceptsAndStoresTheEntries) {
    DesignRecord r;
    RecordingMessages messages;
    AnalysisTexts texts = buckTexts();
    texts[1] = "2";
    ASSERT_TRUE(acceptAnalysisInputs(r, messages, texts));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(r.corePartNumber, "T106-21");
    EXPECT_EQ(r.stackedCores, 2);
    EXPECT_EQ(r.turns, 40);
    EXPECT_EQ(r.lastStoredWireGage, 18);
    EXPECT_EQ(r.maxCurrent, 5);
    EXPECT_EQ(r.onVoltage, 12);
    EXPECT_EQ(r.offVoltage, 5);
    EXPECT_EQ(r.frequencyKhz, 100);
    EXPECT_EQ(r.ambientTemp, 55);
    EXPECT_EQ(texts[2], "# 18 AWG");  // rewritten from the size found
}

TEST(AnalysisEntry, AwgZerosAreTheGagesBelowZero) {
    const std::pair<const char*, float> zeros[] = {{"0000", -3}, {"000 AWG", -2}, {"#00", -1}};
    const char* shown[] = {"# 0000 AWG", "#  000 AWG", "#   00 AWG"};
    for (int i = 0; i < 3; ++i) {
        DesignRecord r;
        RecordingMessages messages;
        AnalysisTexts texts = buckTexts();
        texts[2] = zeros[i].first;
        ASSERT_TRUE(acceptAnalysisInputs(r, messages, texts)) << zeros[i].first;
        EXPECT_EQ(r.lastStoredWireGage, zeros[i].second);
        EXPECT_EQ(texts[2], shown[i]);
    }
}

TEST(AnalysisEntry, MetricWireIsNamedByDiameter) {
    DesignRecord r;
    r.wireGageSystem = kMetricWire;
    r.wireGageName = "mm ";
    RecordingMessages messages;
    AnalysisTexts texts = buckTexts();
    texts[2] = "0.58 mm";
    ASSERT_TRUE(acceptAnalysisInputs(r, messages, texts));
    EXPECT_EQ(texts[2], " 0.55 mm ");
}

TEST(AnalysisEntry, RefusalsShowOneMessageAndStoreNothing) {
    struct Case {
        int field;
        const char* text;
        const char* message;
        const char* caption;
    };
    const Case cases[] = {
        {3, "4O", "INVALID CHARACTER  2 in Parameter 3.  4O ", "DATA ENTRY ERROR"},
        {8, "5-5", "", ""},  // a minus is allowed in the temperature: accepted
        {4, "-5", "INVALID CHARACTER  1 in Parameter 4.  -5 ", "DATA ENTRY ERROR"},
        {2, "#", "Invalid Wire Size", "DATA ENTRY ERROR"},
        {2, "AWG", "Invalid Wire Size", "DATA ENTRY ERROR"},
        {2, "#52", "WIRE GAGE is OUT OF RANGE", "ESSENTIAL DATA MISSING"},
        {0, "", "MISSING CORE PART NUMBER", "DATA ENTRY ERROR"},
        {0, "X106",
         "\n MISSING E, T, or ST in CORE PART NUMBER\n MISSING DASH (-) IN CORE PART NUMBER",
         "DATA ENTRY ERROR"},
        {0, "T-21", "\n MISSING SIZE Digits in CORE PART NUMBER", "DATA ENTRY ERROR"},
        {0, "T106-", "\n MISSING MATERIAL CODE in CORE PART NUMBER", "DATA ENTRY ERROR"},
        {3, "0", "CHECK TURNS, STRANDS, STACKED CORES", "ESSENTIAL DATA MISSING"},
        {9, "", "CHECK TURNS, STRANDS, STACKED CORES", "ESSENTIAL DATA MISSING"},
        // A beginning of a catalog part number names no core.
        {0, "T106-2", "Core P/N T106-2 NOT IN THE CATALOG", "ERROR "},
        {0, "T106-99", "Core P/N T106-99 NOT IN THE CATALOG", "ERROR "},
        {0, "E1-21", "Core P/N E1-21 NOT IN THE CATALOG", "ERROR "},
        // The limits every entry path shares: counts a float holds exactly, the ambient range.
        {3, "2147483647", "TURNS, STRANDS and STACKED CORES MUST NOT EXCEED 16777216",
         "DATA ENTRY ERROR"},
        {9, "16777217", "TURNS, STRANDS and STACKED CORES MUST NOT EXCEED 16777216",
         "DATA ENTRY ERROR"},
        {1, "99999999999", "TURNS, STRANDS and STACKED CORES MUST NOT EXCEED 16777216",
         "DATA ENTRY ERROR"},
        {3, "16777216", "", ""},
        {8, "-999", "Parameter 8. (-999.00) Must Be In The Range: -200.00 To 250.00",
         "DATA ENTRY ERROR"},
        {8, "250.5", "Parameter 8. (250.50) Must Be In The Range: -200.00 To 250.00",
         "DATA ENTRY ERROR"},
        {8, "-200", "", ""},
    };
    for (const auto& c : cases) {
        DesignRecord r;
        r.corePartNumber = "T50-26";
        r.turns = 7;
        RecordingMessages messages;
        AnalysisTexts texts = buckTexts();
        texts[c.field] = c.text;
        const bool accepted = acceptAnalysisInputs(r, messages, texts);
        if (std::string(c.message).empty()) {
            EXPECT_TRUE(accepted) << c.text;
            continue;
        }
        EXPECT_FALSE(accepted) << c.text;
        ASSERT_EQ(messages.size(), 1u) << c.text;
        EXPECT_EQ(messages.last().text, c.message);
        EXPECT_EQ(messages.last().caption, c.caption);
        EXPECT_EQ(r.corePartNumber, "T50-26") << c.text;
        EXPECT_EQ(r.turns, 7) << c.text;
        EXPECT_EQ(r.maxCurrent, 0) << c.text;
        EXPECT_EQ(r.ambientTemp, DesignRecord{}.ambientTemp) << c.text;
        EXPECT_EQ(r.wireArea, 0) << c.text;  // the current wire is left as it was
        EXPECT_TRUE(r.wireSystemLabel.empty()) << c.text;
    }
}

TEST(AnalysisEntry, StackedPartNumbersSplitIntoPartAndCount) {
    EXPECT_EQ(splitStackedPartNumber("T106-21").partNumber, "T106-21");
    EXPECT_FALSE(splitStackedPartNumber("T106-21").stack);
    const StackedPartNumber stacked = splitStackedPartNumber("T106-21 x3");
    EXPECT_EQ(stacked.partNumber, "T106-21");
    EXPECT_EQ(stacked.stack, 3);
    EXPECT_EQ(splitStackedPartNumber("E150-13/Q102 X2").stack, 2);  // as the window upper-cases
    EXPECT_EQ(splitStackedPartNumber("T106-21 junk").partNumber, "T106-21");
    EXPECT_FALSE(splitStackedPartNumber("T106-21 junk").stack);
}

TEST(AnalysisEntry, HiddenVoltageFieldsAreNotChecked) {
    DesignRecord r;
    r.applicationType = kPowerline;
    RecordingMessages messages;
    AnalysisTexts texts = buckTexts();
    texts[5] = "volts";
    texts[6] = "?";
    EXPECT_TRUE(acceptAnalysisInputs(r, messages, texts));
    r.applicationType = kResonant;
    EXPECT_FALSE(acceptAnalysisInputs(r, messages, texts));  // the peak voltage is shown
}

TEST(AnalysisEntry, HeaderAndCaptionsFollowTheApplication) {
    EXPECT_EQ(analysisHeader(kDcBiased), "DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS");
    EXPECT_EQ(analysisHeader(kPowerline), "POWERLINE REQUENCY INDUCTOR ANALYSIS");
    EXPECT_EQ(analysisHeader(9), " ANALYSIS");
    EXPECT_EQ(analysisCaptions(kControlledSwing).voltage1, "PEAK INDUCTOR VOLTAGE");
    const AnalysisCaptions pfc = analysisCaptions(kPowerFactorBoost);
    EXPECT_EQ(pfc.voltage1, "PEAK REGULATOR INPUT VOLTAGE  ");
    EXPECT_EQ(pfc.voltage2, "REGULATOR DC OUTPUT VOLTAGE  ");
    EXPECT_EQ(pfc.frequencyUnits, "k HERTZ");
    const AnalysisCaptions line = analysisCaptions(kPowerline);
    EXPECT_EQ(line.current, "AC CURRENT");
    EXPECT_EQ(line.currentUnits, "AMPERES RMS");
    EXPECT_TRUE(line.voltage1.empty() && line.voltage2.empty());
    EXPECT_EQ(line.frequencyUnits, "HERTZ");
    const AnalysisCaptions resonant = analysisCaptions(kResonant);
    EXPECT_EQ(resonant.current, "PEAK CURRENT");
    EXPECT_EQ(resonant.voltage1, "PEAK VOLTAGE");
    EXPECT_TRUE(resonant.voltage2.empty());
    // Hidden rows are exactly the fields the entry check skips.
    for (int a = 0; a < kApplicationCount; ++a) {
        EXPECT_EQ(analysisFieldShown(a, 5), !analysisCaptions(a).voltage1.empty()) << a;
        EXPECT_EQ(analysisFieldShown(a, 6), !analysisCaptions(a).voltage2.empty()) << a;
    }
}

TEST(AnalysisEntry, SnapshotPutsTheRequirementsBackAsTheyWere) {
    DesignRecord r;
    r.maxCurrent = 5.127f;
    r.acCurrentMax = 1.5f;
    r.resonantPeakCurrent = 2.004f;
    r.onVoltage = 12.345f;
    r.offVoltage = 5;
    r.pfcPeakInputVoltage = 311.127f;
    r.pfcOutputVoltage = 400;
    r.resonantPeakVoltage = 100;
    r.frequencyKhz = 100.26f;
    r.lineFrequencyHz = 60;
    r.stackedCores = 1;
    r.wireStrands = 2;
    r.avgVoltage = 6.977f;
    r.pfcVoltageRatio = 0.7778f;
    r.rippleCurrent = 0.35f;
    const OperatingSnapshot snapshot = takeOperatingSnapshot(r);
    EXPECT_EQ(snapshot.texts[0], "  5.13");
    EXPECT_EQ(snapshot.texts[8], " 100.3");

    // What the analysis window's OK and the analysis write.
    RecordingMessages messages;
    AnalysisTexts texts = {"T106-21", "3", "#18", "40", "9", "24", "12", "50", "25", "4"};
    ASSERT_TRUE(acceptAnalysisInputs(r, messages, texts));
    r.avgVoltage = 16;
    r.pfcVoltageRatio = 2;
    r.rippleCurrent = 1;
    EXPECT_EQ(r.stackedCores, 3);

    // The requirements come back as they were, not as the fields showed them.
    restoreOperatingSnapshot(r, snapshot);
    EXPECT_EQ(r.maxCurrent, 5.127f);
    EXPECT_EQ(r.acCurrentMax, 1.5f);
    EXPECT_EQ(r.resonantPeakCurrent, 2.004f);
    EXPECT_EQ(r.onVoltage, 12.345f);
    EXPECT_EQ(r.offVoltage, 5);
    EXPECT_EQ(r.pfcPeakInputVoltage, 311.127f);
    EXPECT_EQ(r.frequencyKhz, 100.26f);
    EXPECT_EQ(r.lineFrequencyHz, 60);
    // The search inputs come back exactly.
    EXPECT_EQ(r.stackedCores, 1);
    EXPECT_EQ(r.wireStrands, 2);
    EXPECT_EQ(r.avgVoltage, 6.977f);
    EXPECT_EQ(r.pfcVoltageRatio, 0.7778f);
    EXPECT_EQ(r.rippleCurrent, 0.35f);
    // The part number, turns and ambient temperature stay as the analysis left them.
    EXPECT_EQ(r.corePartNumber, "T106-21");
    EXPECT_EQ(r.turns, 40);
    EXPECT_EQ(r.ambientTemp, 25);
}

TEST(AnalysisEntry, SnapshotOfExtremeValuesComesBackExactly) {
    DesignRecord r;
    r.maxCurrent = 3.4e38f;
    r.onVoltage = -1e-30f;
    const OperatingSnapshot snapshot = takeOperatingSnapshot(r);
    DesignRecord back;
    restoreOperatingSnapshot(back, snapshot);
    EXPECT_EQ(back.maxCurrent, 3.4e38f);
    EXPECT_EQ(back.onVoltage, -1e-30f);
}

TEST(AnalysisEntry, TypedPartNumberIsUpperCasedAndChecked) {
    EXPECT_EQ(checkTypedPartNumber("t106-21b").text, "T106-21B");
    EXPECT_FALSE(checkTypedPartNumber("e321-36/q102").error.has_value());
    const auto bad = checkTypedPartNumber("t106*21");
    ASSERT_TRUE(bad.error.has_value());
    EXPECT_EQ(*bad.error, "INVALID CHARACTER *21");
}

}  // namespace
}  // namespace korvell
