#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "analysis/Analysis.h"
#include "engine/DesignSearch.h"
#include "graphs/GraphPage.h"
#include "graphs/GraphRequest.h"
#include "graphs/Plot.h"
#include "platform/Format.h"
#include "support/DesignScenarios.h"
#include "support/PageChecks.h"
#include "support/RecordingCanvas.h"

namespace korvell {
namespace {

using test::DrawnLine;
using test::RecordingCanvas;

constexpr int kWidth = 1200;
constexpr int kHeight = 900;
const PlotFrame kFrame = windowPlotFrame(kWidth, kHeight);

struct Drawing {
    RecordingCanvas canvas{kWidth, kHeight};
    RecordingMessages messages;
    GraphPageLayout layout;
};

Drawing draw(const DesignRecord& record, bool printer = false) {
    Drawing d;
    d.canvas = RecordingCanvas(kWidth, kHeight, printer);
    GraphView view;
    view.dateText = "Mon Dec 07 12:34:56 2026";
    d.layout = drawGraphPage(d.canvas, record, d.messages, view);
    return d;
}

std::vector<DrawnLine> redLines(const RecordingCanvas& canvas) {
    std::vector<DrawnLine> red;
    for (const auto& l : canvas.lines)
        if (l.color == colors::kRed) red.push_back(l);
    return red;
}

// Strokes of the curves: a red line that does not start where the one before it ended.
int redStrokes(const RecordingCanvas& canvas) {
    const auto red = redLines(canvas);
    int strokes = 0;
    for (std::size_t i = 0; i < red.size(); ++i) {
        if (i == 0 || red[i - 1].x1 != red[i].x0 || red[i - 1].y1 != red[i].y0) ++strokes;
    }
    return strokes;
}

std::pair<int, int> redXSpan(const RecordingCanvas& canvas) {
    int lo = 1 << 30, hi = -(1 << 30);
    for (const auto& l : redLines(canvas)) {
        lo = std::min({lo, l.x0, l.x1});
        hi = std::max({hi, l.x0, l.x1});
    }
    return {lo, hi};
}

// The axes the page chose, read back from its numbers: the leftmost x number and the y numbers
// at the lower and upper edges (window frame).
struct ReadAxes {
    std::string xFirst, yBottom, yTop;
};
ReadAxes readAxes(const RecordingCanvas& canvas) {
    ReadAxes a;
    int left = 1 << 30;
    const int h = canvas.font().height * 12 / 10;
    for (const auto& t : canvas.texts) {
        if (t.y == scaled(0.92, kFrame.yb) && t.x < left) {
            left = t.x;
            a.xFirst = trimmed(t.text);
        }
        if (t.x < kFrame.x0 && t.y == kFrame.upperEdge() - h / 2) a.yTop = trimmed(t.text);
        if (t.x < kFrame.x0 && t.y == kFrame.lowerEdge() - h / 2) a.yBottom = trimmed(t.text);
    }
    return a;
}

PlotAxes axesOf(const ReadAxes& read, int xDecades) {
    PlotAxes a;
    a.xMin = std::stof(read.xFirst);
    a.xDecades = xDecades;
    a.yMin = std::stof(read.yBottom);
    a.yMax = std::stof(read.yTop);
    return a;
}

// The design a results table highlights after a search.
DesignRecord searched(DesignRecord r) {
    SilentMessages silent;
    run_design_search(r, silent);
    r.selectedDesign = 0;
    return r;
}

// A T106-21 core with `turns` of #18 wire analyzed under the record's requirements, as the
// graph of the analyzed design.
bool analyzed(DesignRecord& r, float turns, AnalysisTable& table) {
    r.corePartNumber = "T106-21";
    r.turns = turns;
    r.lastStoredWireGage = 18;
    r.graphSource = kAnalyzedDesign;
    SilentMessages silent;
    return AnalyzeDesign(r, silent, table, r.applicationType) == 1;
}

// A results row as the search stores it, with the values the graphs read.
DesignRecord withRow(float al, int turns) {
    DesignRecord r = testing::buckFilter();
    DesignResult& row = r.designResults[0];
    row.partNumber = "T106-21";
    row.al = al;
    row.turns = turns;
    row.bac = 150;
    row.percentPerm = 80;
    row.coreLossW = 0.4f;
    row.copperLossW = 0.5f;
    row.tempRise = 20;
    row.surfaceArea = 25;
    row.coreVolume = 4.3f;
    r.designDimensions[0].slot[0] = 0.677f;
    r.designDimensions[0].slot[1] = 6.3f;
    r.graphSource = kHighlightedDesign;
    r.graphMaterialCode = "-21";
    return r;
}

TEST(GraphPage, MaterialGraphsDrawOneLabelledCurvePerSelectedMaterial) {
    DesignRecord r;
    for (auto& slot : r.selectedMaterials)
        if (slot != "-13" && slot != "-21" && slot != "-36") slot.clear();
    for (int kind = 1; kind <= 6; ++kind) {
        r.graphKind = static_cast<std::int8_t>(kind);
        const Drawing d = draw(r);
        EXPECT_EQ(d.layout.curvesDrawn, 3) << kind;
        EXPECT_EQ(redStrokes(d.canvas), 3) << kind;
        for (const char* code : {"-13", "-21", "-36"}) {
            EXPECT_EQ(std::count_if(d.canvas.texts.begin(), d.canvas.texts.end(),
                                    [&](const auto& t) { return t.text == code; }),
                      1)
                << kind << " " << code;
        }
        EXPECT_EQ(d.layout.title, graphCaptions(kind, "").title);
        EXPECT_TRUE(d.messages.empty());
    }
}

TEST(GraphPage, DcBiasCurvesSpanTheirGrid) {
    DesignRecord r;
    r.graphKind = kPercentPermVsDcBias;
    PlotAxes a;
    struct Case {
        const char* code;
        float xMin;
        double first, last;
    };
    // Composites from 0.1 Oe on an axis from 0.1; -32 and -39 stop at 250 Oe, the others at 350.
    for (const Case c : {Case{"-411", 0.1f, 0.1, 28}, Case{"-32", 1, 1, 250},
                         Case{"-39", 1, 1, 250}, Case{"-21", 1, 2, 350}}) {
        r.graphMaterialCode = c.code;
        const Drawing d = draw(r);
        a.xMin = c.xMin;
        EXPECT_EQ(readAxes(d.canvas).xFirst, c.xMin < 1 ? "0.1" : "1") << c.code;
        const auto [lo, hi] = redXSpan(d.canvas);
        EXPECT_EQ(lo, *plotX(kFrame, a, c.first)) << c.code;
        EXPECT_NEAR(hi, *plotX(kFrame, a, c.last), 1) << c.code;
        EXPECT_EQ(redStrokes(d.canvas), 1) << c.code;
    }
}

TEST(GraphPage, InductanceAxisTopsAtOneThreeTenOrThirty) {
    // 50 turns: 2.5 uH per 100 nH/turn^2 of Al at 100 %; the -21 curve starts near 100 %.
    const float firstPercent = DcBiasCurve("-21", kCurvePoints)->front().y;
    struct Case {
        double peak;
        const char* top;
    };
    // A peak between 300 and 316 would rise above a top of 300: it gets 1000.
    for (const Case c : {Case{250, "300"}, Case{600, "1000"}, Case{95, "100"}, Case{310, "1000"},
                         Case{2.5, "3.0"}}) {
        DesignRecord r = withRow(static_cast<float>(c.peak / (0.025 * firstPercent)), 50);
        r.graphKind = kInductanceVsCurrent;
        const Drawing d = draw(r);
        ASSERT_EQ(d.layout.curvesDrawn, 1) << c.peak;
        EXPECT_EQ(readAxes(d.canvas).yTop, c.top) << c.peak;
        EXPECT_EQ(readAxes(d.canvas).yBottom, c.peak < 10 ? "0.0" : "0") << c.peak;
        EXPECT_EQ(redStrokes(d.canvas), 1) << c.peak;  // nothing cut off at the top
    }
}

TEST(GraphPage, CrossMarksTheLegendsOperatingPointOnTheCurve) {
    AnalysisTable table;
    DesignRecord r = testing::buckFilter();
    ASSERT_TRUE(analyzed(r, 40, table));
    r.graphKind = kInductanceVsCurrent;
    r.graphMaterialCode = "-21";
    const Drawing d = draw(r);

    const auto* legend = d.canvas.find(" CORE:  T106-21:   40 Turns,", true);
    ASSERT_NE(legend, nullptr);
    float turns = 0, microhenry = 0, amperes = 0;
    ASSERT_EQ(std::sscanf(legend->text.c_str(), " CORE: T106-21: %f Turns, %f uH @ %f Amperes",
                          &turns, &microhenry, &amperes),
              3)
        << legend->text;
    EXPECT_EQ(amperes, 5.0f);
    // The analysis's inductance, L = N^2 Al mu% 1e-5 uH.
    const double inductance = 40.0 * 40 * 0.01 * r.coreAl * 0.001 * r.percentPerm;
    EXPECT_NEAR(inductance, table.rows[0].value, 1e-3 * inductance);
    EXPECT_EQ(microhenry, std::round(inductance));

    std::vector<DrawnLine> cross;
    for (const auto& l : d.canvas.lines)
        if (l.width == 2) cross.push_back(l);
    ASSERT_EQ(cross.size(), 2u);
    const int cx = (cross[0].x0 + cross[0].x1) / 2, cy = (cross[1].y0 + cross[1].y1) / 2;
    const PlotAxes axes = axesOf(readAxes(d.canvas), 3);
    EXPECT_EQ(cx, *plotX(kFrame, axes, amperes));
    EXPECT_EQ(cy, *plotY(kFrame, axes, static_cast<float>(inductance)));

    // Distance from the cross to the red polyline.
    double nearest = 1e9;
    for (const auto& l : redLines(d.canvas)) {
        const double dx = l.x1 - l.x0, dy = l.y1 - l.y0, length2 = dx * dx + dy * dy;
        const double t =
            length2 > 0 ? std::clamp(((cx - l.x0) * dx + (cy - l.y0) * dy) / length2, 0.0, 1.0) : 0;
        nearest = std::min(nearest, std::hypot(l.x0 + t * dx - cx, l.y0 + t * dy - cy));
    }
    EXPECT_LE(nearest, 2.0);
}

// On every common screen and on paper, the design legend's ground stands where neither the
// curve nor the operating point's cross passes.
TEST(GraphPage, TheDesignLegendStandsClearOfTheCurveAndTheCross) {
    // Chokes whose inductance at low current stands near eight tenths of the axis, where the
    // legend has always gone.
    for (const float mH : {0.08f, 0.2f, 0.24f}) {
        DesignRecord base = testing::buckFilter();
        base.inductanceRequired = mH;
        base = searched(base);
        for (int row = 0; row < base.designCount; row += 2) {
            DesignRecord r = base;
            r.selectedDesign = row;
            ASSERT_TRUE(requestInductanceGraph(r));
            std::vector<test::ScreenSize> surfaces = {test::kLandscapePage};
            for (const test::ScreenSize& s : test::kCommonScreens) {
                const Rect place = graphWindowPlacement(s.width, s.height);
                surfaces.push_back({place.width, place.height});
            }
            for (const test::ScreenSize& s : surfaces) {
                const bool paper = s.width == test::kLandscapePage.width;
                RecordingCanvas canvas(s.width, s.height, paper);
                canvas.setDotsPerInch(paper ? 1200 : 96);
                RecordingMessages messages;
                drawGraphPage(canvas, r, messages, GraphView{});
                const auto* legend = canvas.find(" CORE:  ", true);
                ASSERT_NE(legend, nullptr) << s.width;
                // The legend's ground: its cell and an eighth of a line round it.
                const int margin = legend->font.height * 12 / 10 / 8;
                const double left = legend->x - margin, top = legend->y - margin;
                const double right =
                    legend->x +
                    static_cast<double>(legend->text.size()) * legend->font.height * 6 / 10 +
                    margin;
                const double bottom = legend->y + legend->font.height * 12 / 10 + margin;
                for (const auto& l : canvas.lines) {
                    if (l.color != colors::kRed && l.color != colors::kBlack) continue;
                    if (l.color == colors::kBlack && l.width <= penWidth(canvas, kFramePenPoints))
                        continue;  // the frame round the plot
                    // Sample each stroke finely: none of its points falls on the ground.
                    for (int k = 0; k <= 200; ++k) {
                        const double x = l.x0 + (l.x1 - l.x0) * k / 200.0;
                        const double y = l.y0 + (l.y1 - l.y0) * k / 200.0;
                        EXPECT_FALSE(x > left && x < right && y > top && y < bottom)
                            << s.width << "x" << s.height << " at " << x << "," << y << " row "
                            << row << " of " << mH << " mH";
                    }
                }
            }
        }
    }
}

// On paper no stroke is thinner than a quarter point: at 1200 dpi, 4.17 pixels make at least 5.
TEST(GraphPage, EveryPrintedStrokeIsAtLeastAQuarterPoint) {
    DesignRecord design = testing::buckFilter();
    AnalysisTable table;
    ASSERT_TRUE(analyzed(design, 40, table));
    design.graphMaterialCode = "-21";
    for (int kind = 1; kind <= kTemperatureVsAge; ++kind) {
        DesignRecord r = kind < kInductanceVsCurrent ? DesignRecord{} : design;
        r.graphKind = static_cast<std::int8_t>(kind);
        for (const int dpi : {300, 600, 1200}) {
            RecordingCanvas paper(13200, 10200, true);
            paper.setDotsPerInch(dpi);
            RecordingMessages messages;
            drawGraphPage(paper, r, messages, GraphView{});
            ASSERT_FALSE(paper.lines.empty()) << kind;
            for (const auto& l : paper.lines)
                ASSERT_GE(l.width * 72.0 / dpi, kThinnestPrintedPoints) << kind << " " << dpi;
        }
    }
}

// The aging model's first sample lies thousands of hours in; the curve begins at the axis with
// the first sample's value, not decades into the plot.
TEST(GraphPage, AgingCurvesStartAtTheTimeAxis) {
    DesignRecord r = testing::buckFilter();
    r.onVoltage = 40;
    r.ambientTemp = 80;
    AnalysisTable table;
    ASSERT_TRUE(analyzed(r, 20, table));
    for (const int kind : {kLossVsAge, kTemperatureVsAge}) {
        r.graphKind = static_cast<std::int8_t>(kind);
        const Drawing d = draw(r);
        ASSERT_EQ(d.layout.curvesDrawn, 1);
        const auto red = redLines(d.canvas);
        ASSERT_FALSE(red.empty());
        EXPECT_EQ(red.front().x0, static_cast<int>(kFrame.x0 + 0.5f)) << kind;
        EXPECT_EQ(red.front().y0, red.front().y1) << kind;  // level until the first sample
        EXPECT_EQ(redStrokes(d.canvas), 1) << kind;
    }
}

TEST(GraphPage, PowerlineInductanceIsInRmsAmperes) {
    DesignRecord r = searched(testing::powerlineChoke());
    ASSERT_GT(r.designCount, 0);
    ASSERT_TRUE(requestInductanceGraph(r));
    const Drawing d = draw(r);
    ASSERT_EQ(d.layout.curvesDrawn, 1);
    EXPECT_EQ(d.layout.xCaption, "CURRENT IN AMPERES");
    const auto* legend = d.canvas.find("Amperes RMS", true);
    ASSERT_NE(legend, nullptr);
    EXPECT_NE(legend->text.find("@ 10.0 Amperes RMS"), std::string::npos) << legend->text;

    // The first point is the 10 gauss flux at initial permeability in RMS amperes, or the axis
    // where that lies below it: no part of the curve leaves the plot.
    const DesignResult& row = highlightedDesign(r);
    const double ae = *r.designDimensions[0].slot[0];
    const double first = 10 * 10 / std::sqrt(2.0) * ae / row.turns / row.al;
    const PlotAxes axes = axesOf(readAxes(d.canvas), 3);
    EXPECT_NEAR(redXSpan(d.canvas).first, *plotX(kFrame, axes, std::max<double>(first, axes.xMin)),
                1);
    EXPECT_GE(redXSpan(d.canvas).first, kFrame.x0 - 1);
}

TEST(GraphPage, AgingGraphsOfTheAnalyzedDesign) {
    // 164 gauss at 80 deg C: a core that ages within the graph's million hours.
    DesignRecord r = testing::buckFilter();
    r.onVoltage = 40;
    r.ambientTemp = 80;
    AnalysisTable table;
    ASSERT_TRUE(analyzed(r, 20, table));

    r.graphKind = kTemperatureVsAge;
    Drawing d = draw(r);
    ASSERT_EQ(d.layout.curvesDrawn, 1);
    const auto axes = readAxes(d.canvas);
    const float bottom = std::stof(axes.yBottom), top = std::stof(axes.yTop);
    EXPECT_EQ(std::fmod(bottom, 20.0f), 0);
    EXPECT_EQ(std::fmod(top, 20.0f), 0);
    EXPECT_LE(bottom, r.ambientTemp + r.tempRise);
    EXPECT_EQ(redStrokes(d.canvas), 1);
    EXPECT_NE(
        d.canvas.find(strprintf("CORE:  T106-21 @ %4.0f Gauss ac, %3.0f deg C",
                                static_cast<double>(r.fluxAc), double(r.ambientTemp) + r.tempRise)),
        nullptr);

    r.graphKind = kLossVsAge;
    d = draw(r);
    ASSERT_EQ(d.layout.curvesDrawn, 1);
    EXPECT_EQ(readAxes(d.canvas).yBottom, "0");
    EXPECT_EQ(d.layout.yCaption, "DECAY LOSS, mW");
}

TEST(GraphPage, CoreThatDoesNotAgeGetsTheNegligibleAgingLegendOnce) {
    DesignRecord r = testing::buckFilter();
    r.corePartNumber = "T106-37";
    r.turns = 40;
    r.fluxAc = 100;
    r.coreAe = 0.677f;
    r.coreLossMw = 200;
    r.copperLossMw = 300;
    r.surfaceArea = 25;
    r.coreVolume = 4.3f;
    r.graphSource = kAnalyzedDesign;
    for (const int kind : {kLossVsAge, kTemperatureVsAge}) {
        r.graphKind = static_cast<std::int8_t>(kind);
        Drawing d = draw(r);
        const std::string legend =
            "CORE:  T106-37:   40 Turns, EXHIBITS NEGLIGIBLE AGING OVER  1e+05 HOURS @ 100 Gauss";
        ASSERT_EQ(std::count_if(d.canvas.texts.begin(), d.canvas.texts.end(),
                                [&](const auto& t) { return t.text == legend; }),
                  1)
            << kind;
        // At the height of 80 on the default axes, moved in from (100, 80) so that it ends
        // inside the plot, on a ground over the grid.
        const auto* text = d.canvas.find(legend);
        const PlotAxes defaults;
        EXPECT_EQ(text->y + d.canvas.textHeight(legend) / 2, *plotY(kFrame, defaults, 80));
        const auto& ground = d.canvas.fills.back();
        EXPECT_TRUE(ground.x >= kFrame.x0 && ground.x + ground.w <= kFrame.xr);
        EXPECT_TRUE(d.messages.empty());
    }
}

TEST(GraphPage, ResultsRowWithoutAgingDataIsRefused) {
    DesignRecord r = withRow(100, 40);
    r.graphKind = kTemperatureVsAge;
    r.designResults[0].coreVolume = 0;
    const Drawing d = draw(r);
    ASSERT_EQ(d.messages.size(), 1u);
    EXPECT_EQ(d.messages.last().caption, "Graph Data ERROR");
    EXPECT_EQ(d.messages.last().text.rfind("Index   0:  B =    150, f = 100000 \n ac =  0.677,", 0),
              0u)
        << d.messages.last().text;
    EXPECT_EQ(d.layout.curvesDrawn, 0);
    EXPECT_TRUE(d.canvas.lines.empty());  // only the captions: no axes, curve or legend
    EXPECT_EQ(d.layout.title, "CORE TEMPERATURE vs TIME");

    // A complete row ages at any ambient temperature, freezing ones included.
    for (const float ambient : {0.0f, -40.0f, 55.0f}) {
        DesignRecord cold = withRow(100, 40);
        cold.graphKind = kTemperatureVsAge;
        cold.designParamsByApplication[kDcBiased][8] = ambient;
        const Drawing c = draw(cold);
        EXPECT_TRUE(c.messages.empty()) << ambient;
        EXPECT_EQ(c.layout.curvesDrawn, 1) << ambient;
    }
    // No curve either for a part number without a material code or a tiny surface.
    DesignRecord noCode = withRow(100, 40);
    noCode.graphKind = kLossVsAge;
    noCode.designResults[0].partNumber = "T106";
    EXPECT_EQ(draw(noCode).layout.curvesDrawn, 0);
    noCode.designResults[0].partNumber = "T106-21";
    noCode.designResults[0].surfaceArea = 0.05f;
    EXPECT_EQ(draw(noCode).layout.curvesDrawn, 0);
}

TEST(GraphPage, DesignsWithoutUsableNumbersDrawOnlyTheCaptions) {
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    std::vector<DesignRecord> records;
    records.push_back(withRow(100, 0));  // no turns
    records.push_back(withRow(0, 40));   // no Al
    records.push_back(withRow(100, 40));
    records.back().designResults[0].percentPerm = kNan;
    records.push_back(withRow(100, 40));
    records.back().maxCurrent = kInf;
    DesignRecord analyzedNothing = testing::buckFilter();  // nothing analyzed yet
    analyzedNothing.graphSource = kAnalyzedDesign;
    analyzedNothing.graphMaterialCode = "-21";
    records.push_back(analyzedNothing);
    analyzedNothing.corePartNumber = "T106-21";
    analyzedNothing.fluxAc = kNan;
    records.push_back(analyzedNothing);
    for (std::size_t i = 0; i < records.size(); ++i) {
        for (const int kind : {kInductanceVsCurrent, kLossVsAge, kTemperatureVsAge}) {
            records[i].graphKind = static_cast<std::int8_t>(kind);
            const Drawing d = draw(records[i]);
            if (i < 2 && kind != kInductanceVsCurrent) continue;  // those rows can still age
            EXPECT_EQ(d.layout.curvesDrawn, 0) << i << " kind " << kind;
            EXPECT_TRUE(redLines(d.canvas).empty()) << i << " kind " << kind;
            for (const auto& t : d.canvas.texts) {
                EXPECT_EQ(t.text.find("nan"), std::string::npos) << t.text;
                EXPECT_EQ(t.text.find("inf"), std::string::npos) << t.text;
            }
        }
    }
}

TEST(GraphPage, PrintedPageCarriesItsCaptionsAndTheDate) {
    DesignRecord r;
    r.graphKind = kCoreLoss1kHz;
    Drawing d = draw(r, true);
    // Paper: no window background, only the white grounds of the labels.
    for (const auto& fill : d.canvas.fills)
        EXPECT_EQ(fill.color, colors::kWhite);
    EXPECT_FALSE(d.layout.showPrintButton);
    const int base = kHeight / 60;
    const auto* title = d.canvas.find("CORE LOSS vs PEAK AC FLUX DENSITY @ 1 kHZ");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font.height, scaled(1.5, base));
    const int titleWidth = static_cast<int>(title->text.size()) * title->font.height * 6 / 10;
    EXPECT_EQ(title->x, (kWidth - titleWidth) / 2);
    const auto* x = d.canvas.find("PEAK AC FLUX DENSITY IN GAUSS");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->y, scaled(0.9, kHeight));
    EXPECT_EQ(x->font.height, scaled(0.7, scaled(1.5, base)));
    const auto* date = d.canvas.find("Mon Dec 07 12:34:56 2026");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->x + d.canvas.textWidth(date->text), kWidth - 3 * (kWidth / 36));
    // The y caption stays left of the plot, "mW/cm3" broken after its '/' to keep clear of the
    // numbers; the plot is framed on the page.
    const auto* y = d.canvas.find("LOSS");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->x, kWidth / 36);
    EXPECT_NE(d.canvas.find("mW/"), nullptr);
    const PlotFrame page = pagePlotFrame(kWidth, kHeight);
    for (const auto& t : d.canvas.texts) {
        if (t.x != kWidth / 36) continue;
        EXPECT_LT(t.x + d.canvas.textWidth(t.text), page.x0) << t.text;
    }
    EXPECT_EQ(d.canvas.lines.front().x0, static_cast<int>(page.x0));
}

TEST(GraphPage, WindowDrawingFillsItsBackgroundAndPlacesItsControls) {
    DesignRecord r;
    r.graphKind = kEffectivePermVsFrequency;
    const Drawing d = draw(r);
    ASSERT_GE(d.canvas.fills.size(), 1u);  // the background, then the labels' grounds
    EXPECT_EQ(d.canvas.fills[0].x, kWidth / 100);
    EXPECT_EQ(d.canvas.fills[0].w, kWidth - kWidth / 100);
    EXPECT_EQ(d.canvas.fills[0].color, colors::kSilver);
    EXPECT_TRUE(d.layout.showPrintButton);
    EXPECT_EQ(d.layout.yCaption, "PERM");
    EXPECT_EQ(d.layout.xCaption, "FREQUENCY in HERTZ");
    // The labels do not cover the plot or its numbers.
    EXPECT_LE(d.layout.titleBar.top + d.layout.titleBar.height, kFrame.upperEdge());
    EXPECT_GT(d.layout.xCaptionBar.top, scaled(0.92, kFrame.yb));
    EXPECT_LE(d.layout.yCaptionColumn.left + d.layout.yCaptionColumn.width, kFrame.x0);
    EXPECT_EQ(d.layout.yCaptionLines, std::vector<std::string>{"PERM"});
    EXPECT_TRUE(d.canvas.find("FREQUENCY in HERTZ") == nullptr);  // the window's label shows it

    for (const int kind : {0, 11, -3}) {
        r.graphKind = static_cast<std::int8_t>(kind);
        const Drawing none = draw(r);
        EXPECT_TRUE(none.canvas.lines.empty() && none.canvas.texts.empty()) << kind;
        EXPECT_EQ(none.layout.title, "") << kind;
    }
}

// Every graph on the window of every common screen and on paper: no two texts meet (the
// fourteen material labels of a graph included), nothing leaves the surface.
TEST(GraphPage, TextsKeepApartAndOnTheSurfaceOnEveryScreenAndOnPaper) {
    std::vector<DesignRecord> graphs(kCoreLoss100kHz);  // all fourteen materials selected
    for (int kind = 1; kind <= kCoreLoss100kHz; ++kind)
        graphs[kind - 1].graphKind = static_cast<std::int8_t>(kind);
    AnalysisTable table;
    DesignRecord design = testing::buckFilter();
    ASSERT_TRUE(analyzed(design, 40, table));
    for (const int kind : {kInductanceVsCurrent, kLossVsAge, kTemperatureVsAge}) {
        design.graphKind = static_cast<std::int8_t>(kind);
        graphs.push_back(design);
    }
    design.corePartNumber = "T106-37";  // the long negligible-aging legend
    graphs.push_back(design);
    std::vector<test::ScreenSize> surfaces = {test::kLandscapePage};
    for (const test::ScreenSize& s : test::kCommonScreens) {
        const Rect place = graphWindowPlacement(s.width, s.height);
        surfaces.push_back({place.width, place.height});
    }
    for (const DesignRecord& r : graphs) {
        for (const test::ScreenSize& s : surfaces) {
            const bool paper = s.width == test::kLandscapePage.width;
            RecordingCanvas canvas(s.width, s.height, paper);
            canvas.setDotsPerInch(paper ? 1200 : 96);
            RecordingMessages messages;
            drawGraphPage(canvas, r, messages, GraphView{13, colors::kSilver, "Mon Dec 07 2026"});
            EXPECT_EQ(test::pageFaults(canvas, s.width, s.height), std::vector<std::string>{})
                << int{r.graphKind} << " on " << s.width << "x" << s.height;
        }
    }
}

}  // namespace
}  // namespace korvell
