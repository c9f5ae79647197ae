#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "graphs/Plot.h"
#include "platform/Format.h"
#include "support/RecordingCanvas.h"

namespace korvell {
namespace {

using test::RecordingCanvas;

// A 1200 x 900 window: x0 120, xr 1100, yb 855, xl 60, yt 75; the plot spans rows 75 to 780.
const PlotFrame kFrame = windowPlotFrame(1200, 900);

PlotAxes axes(float xMin, int xDecades, float yMin = 0, float yMax = 100, int yDecades = 0,
              float sY = 1) {
    PlotAxes a;
    a.xMin = xMin;
    a.xDecades = xDecades;
    a.yMin = yMin;
    a.yMax = yMax;
    a.yDecades = yDecades;
    a.sY = sY;
    return a;
}

// The numbers under the x axis, left to right.
std::vector<std::string> xNumbers(const RecordingCanvas& canvas) {
    auto row = canvas.textsAt(scaled(0.92, kFrame.yb));
    std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    std::vector<std::string> numbers;
    for (const auto& t : row)
        numbers.push_back(trimmed(t.text));
    return numbers;
}

// The numbers left of the plot, bottom to top.
std::vector<std::string> yNumbers(const RecordingCanvas& canvas) {
    std::vector<test::DrawnText> column;
    for (const auto& t : canvas.texts)
        if (t.x < kFrame.x0 && t.y != scaled(0.92, kFrame.yb)) column.push_back(t);
    std::sort(column.begin(), column.end(), [](const auto& a, const auto& b) { return a.y > b.y; });
    std::vector<std::string> numbers;
    for (const auto& t : column)
        numbers.push_back(trimmed(t.text));
    return numbers;
}

// The rows of the grey grid, not the frame drawn over its outer lines.
std::vector<int> gridRows(const RecordingCanvas& canvas) {
    std::vector<int> rows;
    for (const auto& l : canvas.lines)
        if (l.y0 == l.y1 && l.color == kGridColor) rows.push_back(l.y0);
    return rows;
}

std::vector<std::string> run(double first, double step, int count, int decimals = 0) {
    std::vector<std::string> list;
    for (int i = 0; i < count; ++i)
        list.push_back(strprintf("%.*f", decimals, first + step * i));
    return list;
}

TEST(Plot, FramesComeFromTheSurfaceByIntegerDivision) {
    EXPECT_EQ(kFrame.x0, 120);
    EXPECT_EQ(kFrame.xr, 1100);
    EXPECT_EQ(kFrame.yb, 855);
    EXPECT_EQ(kFrame.xl, 60);
    EXPECT_EQ(kFrame.yt, 75);
    EXPECT_EQ(kFrame.wP, 980);
    EXPECT_EQ(kFrame.hP, -705);
    const PlotFrame page = pagePlotFrame(1105, 850);
    EXPECT_FLOAT_EQ(page.x0, 110.5f);  // 0.1 of the page width, not cut
    EXPECT_EQ(page.yt, 106);
    EXPECT_EQ(page.lowerEdge(), 807 - 106);
}

TEST(Plot, LogarithmicXAxisNumbersFollowTheExclusionRules) {
    struct Case {
        float xMin;
        int decades;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {0.1f,
         3,
         {"0.1", "0.2", "0.3", "0.5", "0.7", "1", "2", "3", "4", "5", "7", "10", "20", "30", "50",
          "70", "100"}},
        {1,
         3,
         {"1", "2", "3", "4", "5", "7", "10", "15", "20", "30", "40", "50", "70", "100", "200",
          "300", "500", "700", "1k"}},
        {1000, 5, {"1k", "3k", "10k", "30k", "100k", "300k", "1M", "3M", "10M", "30M", "100M"}},
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas(1200, 900);
        DrawGraphAxes(canvas, kFrame, axes(c.xMin, c.decades));
        EXPECT_EQ(xNumbers(canvas), c.numbers) << c.xMin;
        // A grid line for every multiplier of every decade but the last, which has one.
        const auto vertical =
            std::count_if(canvas.lines.begin(), canvas.lines.end(),
                          [](const auto& l) { return l.x0 == l.x1 && l.color == kGridColor; });
        EXPECT_EQ(vertical, 10 * c.decades + 1) << c.xMin;
    }
}

TEST(Plot, LinearYAxisDivisions) {
    struct Case {
        float yMin, yMax;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {90, 360, run(90, 10, 28)},  // 54 divisions halved to 27
        {0, 120, run(0, 12, 11)},   {0, 100, run(0, 10, 11)},
        {40, 100, run(40, 5, 13)},   // 0.2 (100 - 40) = 12 divisions
        {20, 520, run(20, 20, 26)},  // ratio 26: 25 divisions
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas(1200, 900);
        DrawGraphAxes(canvas, kFrame, axes(1, 3, c.yMin, c.yMax));
        EXPECT_EQ(yNumbers(canvas), c.numbers) << c.yMin << " to " << c.yMax;
        const auto rows = gridRows(canvas);
        ASSERT_EQ(rows.size(), c.numbers.size());
        EXPECT_EQ(rows.front(), kFrame.lowerEdge());
        EXPECT_EQ(rows.back(), kFrame.upperEdge());
    }
}

TEST(Plot, NumbersThatTheFormatsWouldMisstateGetTheirDecimals) {
    RecordingCanvas small(1200, 900);
    DrawGraphAxes(small, kFrame, axes(0.01f, 3, 0, 3));
    const auto x = xNumbers(small);
    ASSERT_GE(x.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(x.begin(), x.begin() + 6),
              (std::vector<std::string>{"0.01", "0.02", "0.03", "0.05", "0.07", "0.1"}));
    EXPECT_EQ(yNumbers(small), run(0, 0.3, 11, 1));

    // Core loss axis: from 10 mW/cm3 over three decades, 1500 reads 1.5k and not 2k.
    RecordingCanvas loss(1200, 900);
    DrawGraphAxes(loss, kFrame, axes(10, 3, 0, 100, 3, 10));
    EXPECT_EQ(yNumbers(loss),
              (std::vector<std::string>{"10",  "15",  "20",  "30",  "40",  "50",  "70", "100",
                                        "150", "200", "300", "400", "500", "700", "1k", "1.5k",
                                        "2k",  "3k",  "4k",  "5k",  "7k",  "10k"}));
    EXPECT_EQ(gridRows(loss).size(), 31u);  // 6, 8 and 9 have lines but no numbers
}

TEST(Plot, PensAreSetInPointsOnPaperAndAPixelOnTheWindow) {
    // At 1200 dpi: the grid 0.25 pt (4.17 pixels, never fewer: 5), the frame 0.75 pt, the cross
    // 1.5 pt (16.7 pixels a point).
    for (const auto& [printer, dpi, grid, frame, cross] :
         {std::tuple{true, 1200, 5, 13, 25}, std::tuple{false, 96, 1, 1, 2}}) {
        RecordingCanvas canvas(1200, 900, printer);
        canvas.setDotsPerInch(dpi);
        DrawGraphAxes(canvas, kFrame, axes(1, 3));
        for (const auto& l : canvas.lines)
            EXPECT_EQ(l.width, l.color == kGridColor ? grid : frame) << dpi;
        EXPECT_EQ(std::count_if(canvas.lines.begin(), canvas.lines.end(),
                                [](const auto& l) { return l.color == colors::kBlack; }),
                  4);  // the frame round the plot
        PlotTextAt(canvas, kPlotSymbol, 10, 50, kFrame, axes(1, 3));
        EXPECT_EQ(canvas.lines[canvas.lines.size() - 2].width, cross) << dpi;
    }
}

TEST(Plot, TextOverThePlotStandsOnAGroundInsideIt) {
    RecordingCanvas canvas(1200, 900);
    canvas.setFont({"MS Sans Serif", 10});
    // Near the right edge a long text is moved in until its ground ends at the plot's edge; a
    // text wider than the plot is written smaller.
    PlotTextAt(canvas, std::string(60, 'x'), 900, 50, kFrame, axes(1, 3), colors::kSilver);
    PlotTextAt(canvas, std::string(200, 'x'), 10, 50, kFrame, axes(1, 3));
    ASSERT_EQ(canvas.fills.size(), 2u);
    EXPECT_EQ(canvas.fills[0].color, colors::kSilver);
    EXPECT_EQ(canvas.fills[0].x + canvas.fills[0].w, kFrame.xr);
    EXPECT_LT(canvas.texts[1].font.height, 10);
    EXPECT_GE(canvas.fills[1].x, kFrame.x0);
    EXPECT_LE(canvas.fills[1].x + canvas.fills[1].w, kFrame.xr);
    EXPECT_EQ(canvas.font().height, 10);  // the canvas font is put back
}

TEST(Plot, PointsAboveOrBelowThePlotLiftThePen) {
    const PlotAxes a = axes(1, 3);
    const std::vector<CurvePoint> points = {{1, 10}, {2, 20}, {3, 150}, {4, 40},
                                            {5, 50}, {6, -1}, {7, 60},  {5000, 70}};
    RecordingCanvas canvas(1200, 900);
    DrawCurve(canvas, points, kFrame, a);
    const auto at = [&](const CurvePoint& p) {
        return std::make_pair(*plotX(kFrame, a, p.x), *plotY(kFrame, a, p.y));
    };
    std::vector<std::pair<int, int>> starts;
    for (std::size_t i = 0; i < canvas.lines.size(); ++i) {
        const auto& l = canvas.lines[i];
        if (i == 0 || canvas.lines[i - 1].x1 != l.x0 || canvas.lines[i - 1].y1 != l.y0)
            starts.emplace_back(l.x0, l.y0);
    }
    // Three strokes: 1-2, 4-5, and 7 on to a point far right of the plot (not clipped in x).
    EXPECT_EQ(starts,
              (std::vector<std::pair<int, int>>{at(points[0]), at(points[3]), at(points[6])}));
    EXPECT_EQ(canvas.lines.back().x1, at(points[7]).first);
    EXPECT_GT(canvas.lines.back().x1, kFrame.xr);

    // On a logarithmic y axis a point at or below 0 cannot be placed and lifts the pen too.
    RecordingCanvas logCanvas(1200, 900);
    const std::vector<CurvePoint> loss = {{10, 20}, {20, 0}, {30, 50}, {40, 60}};
    DrawCurve(logCanvas, loss, kFrame, axes(10, 3, 0, 100, 3, 10));
    ASSERT_EQ(logCanvas.lines.size(), 3u);
    EXPECT_EQ(logCanvas.lines[0].x0, logCanvas.lines[0].x1);  // the first point alone
    EXPECT_EQ(logCanvas.lines[1].x0, logCanvas.lines[1].x1);  // a new stroke at 30
}

TEST(Plot, SymbolIsACrossAndOtherTextIsCentred) {
    const PlotAxes a = axes(1, 3);
    RecordingCanvas canvas(1200, 900);
    canvas.setPen(colors::kRed, 1);
    PlotTextAt(canvas, "SYMBOL", 10, 50, kFrame, a);
    const int x = *plotX(kFrame, a, 10), y = *plotY(kFrame, a, 50);
    const int m = (1100 - 60) / 80;
    ASSERT_EQ(canvas.lines.size(), 2u);
    for (const auto& l : canvas.lines) {
        EXPECT_EQ(l.color, colors::kBlack);
        EXPECT_EQ(l.width, 2);
    }
    EXPECT_EQ(canvas.lines[0].x0, x - m);
    EXPECT_EQ(canvas.lines[0].x1, x + m);
    EXPECT_EQ(canvas.lines[1].y0, y - m);
    EXPECT_EQ(canvas.lines[1].y1, y + m);
    EXPECT_TRUE(canvas.texts.empty());
    canvas.lineTo(0, 0);
    EXPECT_EQ(canvas.lines.back().width, 1);  // the pen is back to the frame's, a pixel here

    PlotTextAt(canvas, "-21", 10, 50, kFrame, a);
    ASSERT_EQ(canvas.texts.size(), 1u);
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].color, colors::kWhite);
    EXPECT_EQ(canvas.texts[0].x, x - canvas.textWidth("-21") / 2);
    EXPECT_EQ(canvas.texts[0].y, y - canvas.textHeight("-21") / 2);
}

TEST(Plot, AxesWithoutRangeOrPointsWithoutValuesDrawNothingAbsurd) {
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const std::vector<CurvePoint> points = {{kNan, 10}, {10, kInf}, {1e30f, 1e30f}, {5, 5},
                                            {-3, 50},   {0, 50},    {3e38f, 50}};
    const PlotAxes bad[] = {axes(1, 3, 50, 50),
                            axes(0, 3),
                            axes(-1, 3),
                            axes(1, 0),
                            axes(1, 3, 0, 100, 3, 0),
                            axes(1, -2, 0, 100, -1),
                            axes(1e-30f, 40, 1e30f, 3e38f)};
    for (const auto& a : bad) {
        RecordingCanvas canvas(1200, 900);
        DrawGraphAxes(canvas, kFrame, a);
        DrawCurve(canvas, points, kFrame, a);
        PlotTextAt(canvas, "SYMBOL", kNan, 1, kFrame, a);
        PlotTextAt(canvas, "X", 10, kInf, kFrame, a);
        for (const auto& l : canvas.lines) {
            for (int v : {l.x0, l.y0, l.x1, l.y1})
                EXPECT_LE(std::abs(v), 1000000);
        }
        for (const auto& t : canvas.texts)
            EXPECT_EQ(t.text.find("nan"), std::string::npos) << t.text;
    }
    // DrawCurve alone takes an xMin of 0 as 1.
    RecordingCanvas canvas(1200, 900);
    DrawCurve(canvas, std::vector<CurvePoint>{{10, 50}}, kFrame, axes(0, 3));
    ASSERT_EQ(canvas.lines.size(), 1u);
    EXPECT_EQ(canvas.lines[0].x0, *plotX(kFrame, axes(1, 3), 10));
}

}  // namespace
}  // namespace korvell
