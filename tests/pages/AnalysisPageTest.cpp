#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

#include "pages/AnalysisPage.h"
#include "platform/Format.h"
#include "platform/Placement.h"
#include "support/DesignScenarios.h"
#include "support/PageChecks.h"
#include "support/RecordingCanvas.h"

namespace korvell {
namespace {

using test::DrawnText;
using test::RecordingCanvas;

// A 720-pixel window with a 10-pixel font: margin 20, value column 205, lines 13 apart (1.4
// times 10 formed in extended precision is just below 14) from y = 210; the second column starts
// 340 to the right of the first.
constexpr int kTop = 210;
constexpr int kPitch = 13;
constexpr int kMargin = 20;
constexpr int kValueColumn = 205;
constexpr int kColumnStep = 340;

AnalysisPageView view(int display) {
    AnalysisPageView v;
    v.windowWidth = 720;
    v.fontHeight = 10;
    v.display = display;
    v.dateText = "Tue Dec  8 09:05:03 2026";
    return v;
}

// A table whose every row has a value, so every row prints a number.
AnalysisTable filledTable() {
    AnalysisTable table;
    for (int i = 0; i < kAnalysisRows; ++i)
        table.rows[i].value = 1.0f + static_cast<float>(i);
    return table;
}

// Where the labels of the table rows stand, in row order, looking at the texts drawn after the
// `after` (all of them when null).
std::vector<const DrawnText*> labelsOf(const RecordingCanvas& canvas, const AnalysisTable& table,
                                       int first, int count, const DrawnText* after = nullptr) {
    std::vector<const DrawnText*> found;
    const auto start = after == nullptr ? canvas.texts.begin()
                                        : canvas.texts.begin() + (after - canvas.texts.data());
    for (int i = first; i < first + count; ++i) {
        const DrawnText* t = nullptr;
        for (auto it = start; it != canvas.texts.end(); ++it) {
            const DrawnText& drawn = *it;
            // SURFACE AREA appears twice in the table (rows 11 and 25): take the one not yet used.
            if (drawn.text == table.rows[i].label &&
                std::find(found.begin(), found.end(), &drawn) == found.end()) {
                t = &drawn;
                break;
            }
        }
        found.push_back(t);
    }
    return found;
}

TEST(AnalysisPage, ElectricalPageHoldsEightRowsThenSeven) {
    const AnalysisTable table = filledTable();
    const DesignRecord record;
    RecordingCanvas canvas(720, 600);
    drawAnalysisPage(canvas, record, table, view(kElectricalPage));

    const auto labels = labelsOf(canvas, table, 0, kElectricalRows);
    for (int i = 0; i < kElectricalRows; ++i) {
        ASSERT_NE(labels[i], nullptr) << i;
        const int column = i < 8 ? 0 : 1;
        EXPECT_EQ(labels[i]->x, kMargin + column * kColumnStep) << i;
        EXPECT_EQ(labels[i]->y, kTop + (i - column * 8) * kPitch) << i;
    }
    EXPECT_EQ(canvas.find("CORE OD"), nullptr);
    // The page area is cleared first: nine lines of the taller page.
    ASSERT_FALSE(canvas.fills.empty());
    const auto& fill = canvas.fills.front();
    EXPECT_EQ(fill.x, kMargin);
    EXPECT_EQ(fill.y, kTop);
    EXPECT_EQ(fill.w, 720 - 2 * kMargin);
    EXPECT_EQ(fill.h, 9 * kPitch);
    EXPECT_EQ(fill.color, colors::kSilver);
}

TEST(AnalysisPage, MechanicalPageHoldsNineRowsThenEight) {
    const AnalysisTable table = filledTable();
    const DesignRecord record;
    RecordingCanvas canvas(720, 600);
    drawAnalysisPage(canvas, record, table, view(kMechanicalPage));

    const int count = kAnalysisRows - kElectricalRows;
    const auto labels = labelsOf(canvas, table, kElectricalRows, count);
    for (int i = 0; i < count; ++i) {
        ASSERT_NE(labels[i], nullptr) << i;
        const int column = i < 9 ? 0 : 1;
        EXPECT_EQ(labels[i]->x, kMargin + column * kColumnStep) << i;
        EXPECT_EQ(labels[i]->y, kTop + (i - column * 9) * kPitch) << i;
    }
    EXPECT_EQ(canvas.find("INDUCTANCE"), nullptr);
}

TEST(AnalysisPage, ValuesEndAtTheValueColumnAndUnitsFollow) {
    AnalysisTable table = filledTable();
    table.rows[0].value = 123.4f;  // INDUCTANCE "%6.0f"
    const DesignRecord record;
    RecordingCanvas canvas(720, 600);
    drawAnalysisPage(canvas, record, table, view(kElectricalPage));
    const DrawnText* value = canvas.find("   123");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->x + canvas.textWidth(value->text), kMargin + kValueColumn);
    EXPECT_EQ(value->y, kTop);
    const DrawnText* units = canvas.find("U_H");
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->x, 2 * kMargin + kValueColumn);
    // The date ends two margins from the right edge, at the height of the header.
    const DrawnText* date = canvas.find("Tue Dec  8 09:05:03 2026");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->x + canvas.textWidth(date->text), 720 - 2 * kMargin);
    EXPECT_EQ(date->y, 26);
    EXPECT_TRUE(date->font.bold);
    EXPECT_EQ(date->font.height, 10);
}

TEST(AnalysisPage, LengthsFeetAndPoundsShowInTheDisplayUnits) {
    AnalysisTable table;
    table.rows[15].value = 1.25f;  // CORE OD, inch
    table.rows[18].value = 0.5f;   // CORE WEIGHT, Lbs
    table.rows[23].value = 10.0f;  // WIRE LENGTH, Ft
    DesignRecord metric;
    metric.lengthUnitName = "mm ";
    metric.lengthFactor = 25.4f;
    metric.longLengthUnitName = "m ";
    metric.longLengthFactor = 0.3048f;
    metric.weightUnitName = "gm";
    metric.weightFactor = 453.6f;
    RecordingCanvas canvas(720, 600);
    drawAnalysisPage(canvas, metric, table, view(kMechanicalPage));
    EXPECT_NE(canvas.find("31.750"), nullptr);
    EXPECT_NE(canvas.find("226.800"), nullptr);
    EXPECT_NE(canvas.find("   3.0"), nullptr);
    EXPECT_NE(canvas.find("mm "), nullptr);
    EXPECT_NE(canvas.find("gm"), nullptr);
    EXPECT_NE(canvas.find("m "), nullptr);
    EXPECT_EQ(canvas.find("INCH"), nullptr);
}

TEST(AnalysisPage, AbsurdWindowSizesDrawWithoutOverflow) {
    const AnalysisTable table = filledTable();
    const DesignRecord record;
    for (const auto& [width, font] : {std::pair{INT_MAX, INT_MAX}, std::pair{INT_MIN, INT_MIN},
                                      std::pair{0, 0}, std::pair{1, 1}}) {
        RecordingCanvas canvas(100, 100);
        AnalysisPageView v = view(kMechanicalPage);
        v.windowWidth = width;
        v.fontHeight = font;
        drawAnalysisPage(canvas, record, table, v);
        EXPECT_EQ(canvas.texts.size(), 1u + 3u * (kAnalysisRows - kElectricalRows));
    }
}

AnalysisPrintout printout() {
    AnalysisPrintout p;
    p.header = "DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS";
    p.dateText = "Tue Dec  8 09:05:03 2026";
    p.fontPoints = 12;
    const char* captions[8] = {"CORE PART NUMBER", "WIRE GAGE /  STRANDS",  "NUMBER OF TURNS",
                               "DC BIAS CURRENT",  "PEAK INDUCTOR VOLTAGE", "DC OUTPUT VOLTAGE",
                               "FREQUENCY",        "AMBIENT TEMPERATURE"};
    const char* texts[8] = {"T106-21", "#  18 AWG", "40",     "  5.00",
                            " 12.00",  "  5.00",    " 100.0", "  55.0"};
    const char* units[8] = {"", "", "", "AMPERES", "VOLTS", "VOLTS", "k HERTZ", "DEGREES C"};
    for (int j = 0; j < 8; ++j)
        p.entries[j] = {captions[j], texts[j], units[j]};
    p.stackText = "2";
    p.stackCaption = "NUMBER IN STACK";
    p.strandsText = "3";
    return p;
}

// A letter page at 1200 dpi, printable 9600 × 12600: P = 210, M = 266, X = 1920, E = 5184.
TEST(AnalysisPage, PrintoutHoldsTitleHeaderEntriesAndBothPages) {
    const AnalysisTable table = filledTable();
    const DesignRecord record;
    RecordingCanvas canvas(9600, 12600, true);
    canvas.setDotsPerInch(1200);
    drawAnalysisPrintout(canvas, record, table, printout());

    const DrawnText* title = canvas.find("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->y, 1260);
    EXPECT_EQ(title->font.height, 250);          // 15 points at 1200 dpi
    EXPECT_EQ(title->x, (9600 - 47 * 150) / 2);  // centred: 47 characters of 150 pixels

    const DrawnText* header = canvas.find("DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->x, 1920);
    EXPECT_EQ(header->y, 1260 + 315);
    // 12 points would be 200 pixels; the header and the date would meet, so the text is made
    // smaller: the header, a blank and the date fill the line exactly.
    const int text = header->font.height;
    EXPECT_EQ(text, 180);
    const auto width = [text](std::string_view s) {
        return static_cast<int>(s.size()) * text * 6 / 10;
    };
    const DrawnText* date = canvas.find("Tue Dec  8 09:05:03 2026");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->x + width(date->text), 9600 - 2 * 266);
    EXPECT_GE(date->x, 1920 + width(header->text) + width(" "));
    EXPECT_EQ(date->y, header->y);

    // The entry rows, one line each from 2.5 lines below the header.
    const int firstEntry = header->y + 315 + 210;
    const char* captions[8] = {"CORE PART NUMBER", "WIRE GAGE /  STRANDS",  "NUMBER OF TURNS",
                               "DC BIAS CURRENT",  "PEAK INDUCTOR VOLTAGE", "DC OUTPUT VOLTAGE",
                               "FREQUENCY",        "AMBIENT TEMPERATURE"};
    for (int j = 0; j < 8; ++j) {
        const DrawnText* caption = canvas.find(captions[j]);
        ASSERT_NE(caption, nullptr) << captions[j];
        EXPECT_EQ(caption->x, 1920);
        EXPECT_EQ(caption->y, firstEntry + j * 210);
    }
    const DrawnText* part = canvas.find("T106-21");
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->x + width("T106-21"), 5184);
    const auto row0 = canvas.textsAt(firstEntry);
    ASSERT_EQ(row0.size(), 5u);
    EXPECT_EQ(row0[2].text, " X ");
    EXPECT_EQ(row0[2].x, 5184 + 266);
    EXPECT_EQ(row0[3].text, "2");
    EXPECT_EQ(row0[3].x, 5184 + 2 * 266);
    EXPECT_EQ(row0[4].text, "NUMBER IN STACK");
    EXPECT_EQ(row0[4].x, 5184 + 3 * 266);
    const auto row2 = canvas.textsAt(firstEntry + 210);
    ASSERT_EQ(row2.size(), 4u);
    EXPECT_EQ(row2[3].text, "3");
    const DrawnText* hertz = canvas.find("k HERTZ");
    ASSERT_NE(hertz, nullptr);
    EXPECT_EQ(hertz->x, 5184 + 266);

    // Both sections with all their rows: 8 + 7 and 9 + 8, the second column level with the first.
    const DrawnText* electrical = canvas.find("ELECTRICAL PROPERTIES:");
    ASSERT_NE(electrical, nullptr);
    EXPECT_EQ(electrical->x, 266);
    EXPECT_EQ(electrical->y, firstEntry + 8 * 210 + 2 * 210);
    const int electricalTop = electrical->y + 315;
    const auto eLabels = labelsOf(canvas, table, 0, kElectricalRows);
    for (int i = 0; i < kElectricalRows; ++i) {
        ASSERT_NE(eLabels[i], nullptr) << i;
        const int column = i < 8 ? 0 : 1;
        EXPECT_EQ(eLabels[i]->x, 266 + column * (4800 - 266)) << i;
        EXPECT_EQ(eLabels[i]->y, electricalTop + (i - 8 * column) * 210) << i;
    }
    const DrawnText* mechanical = canvas.find("MECHANICAL PROPERTIES:");
    ASSERT_NE(mechanical, nullptr);
    EXPECT_EQ(mechanical->y, electricalTop + 8 * 210 + 105);
    const int mechanicalTop = mechanical->y + 315;
    const auto mLabels =
        labelsOf(canvas, table, kElectricalRows, kAnalysisRows - kElectricalRows, mechanical);
    for (int i = 0; i < kAnalysisRows - kElectricalRows; ++i) {
        ASSERT_NE(mLabels[i], nullptr) << i;
        const int column = i < 9 ? 0 : 1;
        EXPECT_EQ(mLabels[i]->y, mechanicalTop + (i - 9 * column) * 210) << i;
    }
    // The whole page fits on the sheet.
    for (const DrawnText& t : canvas.texts)
        EXPECT_LT(t.y + t.font.height, 12600) << t.text;
}

// No two texts drawn on one line overlap.
void expectNoTextsMeet(RecordingCanvas& canvas) {
    for (std::size_t i = 0; i < canvas.texts.size(); ++i) {
        for (std::size_t j = i + 1; j < canvas.texts.size(); ++j) {
            const DrawnText& a = canvas.texts[i];
            const DrawnText& b = canvas.texts[j];
            if (a.y != b.y) continue;
            const auto visible = [](const DrawnText& t) {
                const auto first = t.text.find_first_not_of(' ');
                const auto last = t.text.find_last_not_of(' ');
                const int w = t.font.height * 6 / 10;
                if (first == std::string::npos) return std::pair{t.x, t.x};
                return std::pair{t.x + static_cast<int>(first) * w,
                                 t.x + static_cast<int>(last + 1) * w};
            };
            const auto [a0, a1] = visible(a);
            const auto [b0, b1] = visible(b);
            EXPECT_TRUE(a1 <= b0 || b1 <= a0) << a.text << " | " << b.text;
        }
    }
}

TEST(AnalysisPage, LongCaptionsMakeThePrintedTextSmallerNotOverlapping) {
    AnalysisTable table = filledTable();
    table.rows[5].label = "AVG. AC FLUX DENSITY";
    table.rows[13].value = 123456.0f;
    const DesignRecord record;
    RecordingCanvas canvas(9600, 12600, true);
    canvas.setDotsPerInch(1200);
    AnalysisPrintout p = printout();
    p.header = "POWER FACTOR BOOST INDUCTOR ANALYSIS";
    p.entries[4] = {"PEAK REGULATOR INPUT VOLTAGE  ", "311.00", "VOLTS"};
    p.entries[5] = {"REGULATOR DC OUTPUT VOLTAGE  ", "400.00", "VOLTS"};
    drawAnalysisPrintout(canvas, record, table, p);
    expectNoTextsMeet(canvas);
    EXPECT_LT(canvas.find("ELECTRICAL PROPERTIES:")->font.height, 200);
}

TEST(AnalysisPage, ANarrowWindowsPageKeepsItsTextsApart) {
    AnalysisTable table = filledTable();
    table.rows[5].label = "AVG. AC FLUX DENSITY";
    table.rows[13].value = 123456.0f;
    const DesignRecord record;
    for (const int display : {int{kElectricalPage}, int{kMechanicalPage}}) {
        RecordingCanvas canvas(563, 384);
        AnalysisPageView v = view(display);
        v.windowWidth = 563;
        v.fontHeight = 11;
        drawAnalysisPage(canvas, record, table, v);
        expectNoTextsMeet(canvas);
        EXPECT_LT(canvas.texts.back().font.height, 11);
    }
}

// A second opinion with figures as wide as the rows hold: milliohms, a runaway, large changes.
SecondOpinion hotOpinion() {
    SecondOpinion o;
    o.application = kPowerFactorBoost;
    o.windingTempC = 312.5;
    o.rdcHotOhm = 0.0633;
    o.programRdcOhm = 0.0550;
    o.layers = 12;
    o.porosity = 0.844;
    o.skinDepthIn = 0.0094;
    o.acFactorFundamental = 113.8;
    o.rippleRmsA = 10.9;
    o.rippleCopperLossW = 24.44;
    o.dcCopperLossW = 26.15;
    o.copperLossW = 50.59;
    o.programCopperLossW = 18.95;
    o.totalLossW = 77.01;
    o.programTotalLossW = 45.37;
    o.tempRiseC = 257.4;
    o.programTempRiseC = 170.8;
    o.copperLossChangePercent = 166.9;
    o.tempRiseChangePercent = 50.7;
    return o;
}

// Where the texts of the CHECK page stand (that they keep apart on every screen is checked with
// the other pages below).
TEST(AnalysisPage, CheckPageShowsBothOpinionsInTwoColumnsAndItsModel) {
    const AnalysisTable table = filledTable();
    const DesignRecord record;
    const SecondOpinion check = hotOpinion();
    RecordingCanvas canvas(720, 600);
    drawAnalysisPage(canvas, record, table, view(kCheckPage), &check);
    EXPECT_EQ(canvas.find("INDUCTANCE"), nullptr);
    // Seven rows a column under the heading line, the status and model below them.
    const auto rows = checkRows(check);
    const DrawnText* heading = canvas.find("SECOND OPINION");
    ASSERT_NE(heading, nullptr);
    for (int i = 0; i < kCheckRows; ++i) {
        const DrawnText* label = canvas.find(rows[i].row.label);
        ASSERT_NE(label, nullptr) << rows[i].row.label;
        EXPECT_EQ(label->y, heading->y + (1 + i % 7) * kPitch) << rows[i].row.label;
        EXPECT_EQ(label->x, heading->x + (i < 7 ? 0 : kColumnStep)) << rows[i].row.label;
    }
    const DrawnText* status = canvas.find("THERMAL RUNAWAY   MODEL: DOWELL 1966", true);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->y, heading->y + 8 * kPitch);
    // The program's own figure stands level with the second opinion's.
    EXPECT_EQ(canvas.find("55.00m")->y, canvas.find("HOT DC RESISTANCE")->y);

    // Before any analysis the CHECK page is empty.
    RecordingCanvas empty(720, 600);
    drawAnalysisPage(empty, record, table, view(kCheckPage));
    EXPECT_EQ(empty.texts.size(), 1u);  // the date
}

TEST(AnalysisPage, PrintoutAddsTheSecondOpinionBelowBothPages) {
    const AnalysisTable table = filledTable();
    const DesignRecord record;
    const SecondOpinion check = hotOpinion();
    RecordingCanvas canvas(9600, 12600, true);
    canvas.setDotsPerInch(1200);
    drawAnalysisPrintout(canvas, record, table, printout(), &check);
    expectNoTextsMeet(canvas);
    const DrawnText* section = canvas.find("SECOND OPINION:");
    ASSERT_NE(section, nullptr);
    EXPECT_GT(section->y, canvas.find("WOUND OD")->y);
    EXPECT_LT(canvas.texts.back().y, 12600 - 210);  // the status line, above the bottom line
    EXPECT_NE(canvas.find("TEMP RISE CHANGE"), nullptr);
}

// The yield of a 40-turn T106-21 buck choke asked for 87 µH, over a few hundred parts.
YieldReport smallYield(DesignRecord& r) {
    r = testing::buckFilter();
    r.corePartNumber = "T106-21";
    r.turns = 40;
    r.wireStrands = 1;
    r.stackedCores = 1;
    r.lastStoredWireGage = 18;
    r.inductanceRequired = 0.087f;
    AnalysisTable table;
    RecordingMessages messages;
    EXPECT_EQ(AnalyzeDesign(r, messages, table, r.applicationType), 1);
    YieldSettings settings;
    settings.samples = 400;
    return *designYield(r, r.applicationType, settings);
}

TEST(AnalysisPage, YieldPageShowsEveryFigureAcrossTheWidthAndItsModel) {
    DesignRecord record;
    const YieldReport yield = smallYield(record);
    const AnalysisTable table = filledTable();
    RecordingCanvas canvas(720, 600);
    drawAnalysisPage(canvas, record, table, view(kYieldPage), nullptr, &yield);
    EXPECT_EQ(canvas.find("INDUCTANCE SPREAD"), nullptr);
    const DrawnText* heading = canvas.find("YIELD");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->y, kTop);
    // A row per figure under the heading, each value ending at its heading's right edge.
    const auto rows = yieldRows(yield);
    ASSERT_EQ(rows.size(), 6u);
    const DrawnText* nominal = canvas.find("NOMINAL");
    const DrawnText* meeting = canvas.find("MEETING");
    ASSERT_TRUE(nominal && meeting && canvas.find("AL -8 %") && canvas.find("P99"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DrawnText* label = canvas.find(rows[i].label);
        ASSERT_NE(label, nullptr) << rows[i].label;
        EXPECT_EQ(label->y, kTop + static_cast<int>(1 + i) * kPitch) << rows[i].label;
        EXPECT_EQ(label->x, kMargin);
    }
    const DrawnText* first =
        canvas.find(trimmed(yieldValueText(rows[0], yield.inductanceUh.nominal)));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->x + canvas.textWidth(first->text), nominal->x + canvas.textWidth("NOMINAL"));
    const DrawnText* share = canvas.find(yieldFractionText(yield.fractionMeetingInductance));
    ASSERT_NE(share, nullptr);
    EXPECT_EQ(share->y, kTop + kPitch);
    EXPECT_EQ(share->x + canvas.textWidth(share->text), meeting->x + canvas.textWidth("MEETING"));
    const DrawnText* model = canvas.find(yieldModelText(yield));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->y, kTop + 7 * kPitch);
    EXPECT_EQ(test::pageFaults(canvas, 720, 600), std::vector<std::string>{});

    // Before any yield the YIELD page is empty.
    RecordingCanvas empty(720, 600);
    drawAnalysisPage(empty, record, table, view(kYieldPage));
    EXPECT_EQ(empty.texts.size(), 1u);  // the date
}

TEST(AnalysisPage, PrintoutAddsTheYieldBelowTheSecondOpinionOnTheSamePage) {
    DesignRecord record;
    const YieldReport yield = smallYield(record);
    const AnalysisTable table = filledTable();
    const SecondOpinion check = hotOpinion();
    RecordingCanvas canvas(9600, 12600, true);
    canvas.setDotsPerInch(1200);
    drawAnalysisPrintout(canvas, record, table, printout(), &check, &yield);
    expectNoTextsMeet(canvas);
    const DrawnText* section = canvas.find("YIELD:");
    ASSERT_NE(section, nullptr);
    EXPECT_GT(section->y, canvas.find("TEMP RISE CHANGE")->y);
    EXPECT_EQ(canvas.texts.back().text, yieldModelText(yield));
    EXPECT_LT(canvas.texts.back().y, 12600 - 12600 / 40);  // clear of the bottom of the page
}

TEST(AnalysisPage, PrintedFontFollowsTheWindowsPointSize) {
    const AnalysisTable table;
    const DesignRecord record;
    RecordingCanvas canvas(2400, 3150, true);
    canvas.setDotsPerInch(300);
    AnalysisPrintout p = printout();
    p.fontPoints = 10;  // title 12 points, the rest 9
    drawAnalysisPrintout(canvas, record, table, p);
    EXPECT_EQ(canvas.find("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS")->font.height, 50);
    EXPECT_EQ(canvas.find("ELECTRICAL PROPERTIES:")->font.height, 38);  // 37.5 rounded
}

// A T106-21 with 40 turns of #18 analyzed as a buck output filter, on every common screen: each
// page of results, the second opinion's included, with every text clear of every other and on
// the window.
TEST(AnalysisPage, EveryPageKeepsItsTextsApartAndOnTheWindowOnEveryScreen) {
    DesignRecord r = testing::buckFilter();
    r.corePartNumber = "T106-21";
    r.turns = 40;
    r.wireStrands = 1;
    r.stackedCores = 1;
    r.lastStoredWireGage = 18;
    AnalysisTable table;
    RecordingMessages messages;
    ASSERT_EQ(AnalyzeDesign(r, messages, table, r.applicationType), 1);
    const SecondOpinion check = secondOpinion(r, r.applicationType);
    DesignRecord yielded;
    const YieldReport yield = smallYield(yielded);
    for (const test::ScreenSize& s : test::kCommonScreens) {
        const AnalysisWindowPlacement place = analysisWindowPlacement(s.width, s.height);
        for (int display = 0; display < kAnalysisDisplays; ++display) {
            AnalysisPageView v = view(display);
            v.windowWidth = place.window.width;
            v.fontHeight = pixelsForPoints(place.fontPoints, 96);
            RecordingCanvas canvas(place.window.width, place.window.height);
            drawAnalysisPage(canvas, r, table, v, &check, &yield);
            EXPECT_EQ(test::pageFaults(canvas, place.window.width, place.window.height),
                      std::vector<std::string>{})
                << s.width << "x" << s.height << " page " << display;
        }
    }
}

// The same inductor analyzed at DC: no core loss, so aging is NEGLIGIBLE; the skin depth is
// infinite, and reads so; and no page's type is any smaller than at 100 kHz, nor any figure
// wider than the room its column gives it.
TEST(AnalysisPage, AnAnalysisAtZeroHertzShowsNoAbsurdFigureAndKeepsItsType) {
    std::map<double, std::map<int, int>> labelHeights;  // frequency, page: height of its labels
    for (const double kHz : {100.0, 0.0}) {
        DesignRecord r = testing::buckFilter();
        r.frequencyKhz = static_cast<float>(kHz);
        r.corePartNumber = "T106-21";
        r.turns = 40;
        r.lastStoredWireGage = 18;
        AnalysisTable table;
        RecordingMessages messages;
        ASSERT_EQ(AnalyzeDesign(r, messages, table, r.applicationType), 1);
        const SecondOpinion check = secondOpinion(r, r.applicationType);
        if (kHz == 0) {
            EXPECT_EQ(analysisValueText(table.rows[kTimeTo115Row], r), "NEGLIGIBLE");
            EXPECT_EQ(analysisValueText(table.rows[kLifeLimitRow], r), "NEGLIGIBLE");
        }
        for (int display = 0; display < kAnalysisDisplays; ++display) {
            AnalysisPageView v = view(display);
            v.windowWidth = 1024;
            v.fontHeight = 16;
            RecordingCanvas canvas(1024, 700);
            drawAnalysisPage(canvas, r, table, v, &check);
            expectNoTextsMeet(canvas);
            bool infinite = false;
            for (const DrawnText& text : canvas.texts) {
                // No figure runs to a float's 39 digits.
                EXPECT_EQ(text.text.find("0000000000000"), std::string::npos) << text.text;
                EXPECT_EQ(text.text.find("340282"), std::string::npos) << text.text;
                infinite = infinite || trimmed(text.text) == kInfiniteText;
            }
            labelHeights[kHz][display] = canvas.find("INDUCTANCE") != nullptr
                                             ? canvas.find("INDUCTANCE")->font.height
                                             : canvas.texts.back().font.height;
            if (display == kCheckPage) {
                EXPECT_EQ(infinite, kHz == 0);  // the skin depth
            }
        }
    }
    EXPECT_EQ(labelHeights[0.0], labelHeights[100.0]);
}

}  // namespace
}  // namespace korvell
