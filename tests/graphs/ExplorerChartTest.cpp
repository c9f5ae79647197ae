#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "graphs/ExplorerChart.h"
#include "support/RecordingCanvas.h"

namespace korvell {
namespace {

constexpr Color kFront{220, 0, 0};

ExploredDesign madeUp(std::int8_t shape, int stack, float price, float lossW) {
    ExploredDesign d;
    d.shape = shape;
    d.stack = stack;
    d.result.price = price;
    d.result.coreLossW = lossW;
    d.result.partNumber = "T50-26";
    return d;
}

// Price and loss of five designs: three on the front of the two (1/4, 2/2, 4/1), two beaten.
DesignSpace smallSpace() {
    DesignSpace space;
    space.objectives = {Objective::Price, Objective::Loss};
    space.designs = {madeUp(kToroid, 1, 1, 4), madeUp(kECore, 2, 2, 2), madeUp(kToroid, 1, 4, 1),
                     madeUp(kECore, 1, 3, 3), madeUp(kToroid, 2, 5, 5)};
    chooseObjectives(space, {Objective::Price, Objective::Loss}, 0);
    return space;
}

// Whether a line of the front's colour joins two points, either way round.
bool joinedInRed(const test::RecordingCanvas& canvas, std::pair<int, int> a,
                 std::pair<int, int> b) {
    return std::any_of(canvas.lines.begin(), canvas.lines.end(), [&](const test::DrawnLine& l) {
        return l.color == kFront &&
               ((l.x0 == a.first && l.y0 == a.second && l.x1 == b.first && l.y1 == b.second) ||
                (l.x1 == a.first && l.y1 == a.second && l.x0 == b.first && l.y0 == b.second));
    });
}

TEST(ExplorerChart, ScalesAreLinearOrLogarithmicByTheRangeOfTheValues) {
    struct Case {
        std::vector<double> values;
        bool logarithmic;
        double low;
        double high;
    };
    const Case cases[] = {
        {{1, 4}, false, 1, 4},         // steps of 0.5 from round ends
        {{0.11, 62}, true, 0.1, 100},  // whole decades
        {{3, 3}, false, 2.7, 3.3},     // one value: a range round it
        {{-2, 5}, false, -2, 6},       // negative values stay linear, steps of 2
        {{}, false, 0, 1},
    };
    for (const auto& c : cases) {
        const ChartScale scale = chartScale(c.values);
        EXPECT_EQ(scale.logarithmic, c.logarithmic);
        EXPECT_NEAR(scale.low, c.low, 1e-9);
        EXPECT_NEAR(scale.high, c.high, 1e-9);
        for (const double v : c.values) {
            EXPECT_GE(scale.fraction(v), -1e-9);
            EXPECT_LE(scale.fraction(v), 1 + 1e-9);
        }
        ASSERT_GE(scale.ticks.size(), 2U);
        EXPECT_NEAR(scale.ticks.front(), scale.low, 1e-9);
        EXPECT_NEAR(scale.ticks.back(), scale.high, 1e-9);
    }
}

// A logarithmic scale places a value where its logarithm lies between the decades, to far
// better than a pixel, over many decades.
TEST(ExplorerChart, LogarithmicScalePlacesValuesByTheirLogarithm) {
    const ChartScale scale = chartScale({0.11, 62});
    ASSERT_TRUE(scale.logarithmic);
    for (const double v : {0.1, 0.2, 0.37, 1.0, 3.0, 7.07, 10.0, 55.5, 100.0})
        EXPECT_NEAR(scale.fraction(v), (std::log10(v) + 1) / 3, 1e-12) << v;
    const ChartScale wide = chartScale({3e-4, 8e5});
    for (const double v : {3e-4, 0.0123, 1.0, 456.0, 8e5})
        EXPECT_NEAR(wide.fraction(v), (std::log10(v) + 4) / 10, 1e-12) << v;
}

TEST(ExplorerChart, DrawsAxesTheFrontLineAndTheLegend) {
    test::RecordingCanvas canvas(800, 600);
    const DesignSpace space = smallSpace();
    ExplorerChartView view;
    view.selected = 1;
    const ExplorerChartLayout layout = drawExplorerChart(canvas, space, view);

    EXPECT_NE(canvas.find("DESIGN EXPLORER: TOTAL LOSS AGAINST PRICE"), nullptr);
    EXPECT_NE(canvas.find("PRICE (US$)"), nullptr);
    EXPECT_NE(canvas.find("TOTAL LOSS (W)"), nullptr);
    for (const char* legend : {"TOROID", "E-CORE", "1 CORE", "2 CORES", "FRONT"})
        EXPECT_NE(canvas.find(legend), nullptr) << legend;
    EXPECT_EQ(canvas.find("COMPOSITE"), nullptr);
    EXPECT_EQ(canvas.find("3 CORES"), nullptr);

    // Every design inside the frame; cheaper to the left, lower loss further down.
    ASSERT_EQ(layout.points.size(), space.designs.size());
    for (const auto& p : layout.points) {
        ASSERT_TRUE(p);
        EXPECT_GE(p->first, layout.left);
        EXPECT_LE(p->first, layout.right);
        EXPECT_GE(p->second, layout.top);
        EXPECT_LE(p->second, layout.bottom);
    }
    EXPECT_LT(layout.points[0]->first, layout.points[2]->first);
    EXPECT_LT(layout.points[0]->second, layout.points[2]->second);

    // The listed front joined in ascending price, in the front's colour, point to point, each
    // of its points filled red and ringed; the axes being the only objectives.
    ASSERT_EQ(layout.front, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_TRUE(layout.joined);
    for (std::size_t k = 0; k + 1 < layout.front.size(); ++k) {
        EXPECT_TRUE(joinedInRed(canvas, *layout.points[layout.front[k]],
                                *layout.points[layout.front[k + 1]]))
            << k;
    }
    for (const std::size_t i : layout.front) {
        const auto [x, y] = *layout.points[i];
        const bool filled = std::any_of(canvas.fills.begin(), canvas.fills.end(), [&](auto& f) {
            return f.color == kFront && f.x <= x && x < f.x + f.w && f.y <= y && y < f.y + f.h;
        });
        const auto ringChords =
            std::count_if(canvas.lines.begin(), canvas.lines.end(), [&](const auto& l) {
                return l.color == kFront && std::abs(l.x0 - x) > 2 && std::abs(l.x0 - x) < 12 &&
                       std::abs(l.y0 - y) < 12;
            });
        EXPECT_TRUE(filled) << i;
        EXPECT_GE(ringChords, 4) << i;
    }

    // A click finds the design under it, and nothing far from every design.
    const auto [x, y] = *layout.points[3];
    EXPECT_EQ(designNear(layout, x + 2, y - 1, 8), std::optional<std::size_t>(3));
    EXPECT_EQ(designNear(layout, layout.left - 50, layout.top - 50, 8), std::nullopt);
}

// A front of more objectives than the two axes is marked but never joined: a line would claim an
// order the front does not have. A click near a marked point takes it over an unmarked one as
// near.
TEST(ExplorerChart, MarksExactlyTheListedFrontAndJoinsItOnlyOnItsOwnAxes) {
    test::RecordingCanvas canvas(800, 600);
    DesignSpace space = smallSpace();
    space.designs[3].result.surfaceArea = -1;  // best on size: joins the front of three
    chooseObjectives(space, {Objective::Price, Objective::Loss, Objective::Size}, 0);
    const ExplorerChartLayout layout = drawExplorerChart(canvas, space, {});
    std::vector<std::size_t> marked = layout.front;
    std::sort(marked.begin(), marked.end());
    EXPECT_EQ(marked, (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_FALSE(layout.joined);
    for (std::size_t k = 0; k + 1 < layout.front.size(); ++k) {
        EXPECT_FALSE(joinedInRed(canvas, *layout.points[layout.front[k]],
                                 *layout.points[layout.front[k + 1]]));
    }
    ExplorerChartLayout near;
    near.points = {std::pair{100, 100}, std::pair{104, 100}};
    near.front = {1};
    EXPECT_EQ(designNear(near, 101, 100, 8), std::optional<std::size_t>(1));
    EXPECT_EQ(designNear(near, 100, 120, 8), std::nullopt);
}

// Chart text never smaller than the window asks, however small the chart.
TEST(ExplorerChart, TextIsNoSmallerThanTheTableBesideIt) {
    test::RecordingCanvas canvas(400, 300);
    ExplorerChartView view;
    view.minFontHeight = 15;
    drawExplorerChart(canvas, smallSpace(), view);
    ASSERT_FALSE(canvas.texts.empty());
    for (const auto& t : canvas.texts)
        EXPECT_GE(t.font.height, 15) << t.text;
}

TEST(ExplorerChart, NoDesignsGiveEmptyAxesAndTheReason) {
    test::RecordingCanvas canvas(640, 480);
    DesignSpace space;
    space.objectives = {Objective::Size, Objective::TempRise};
    ExplorerChartView view;
    view.x = Objective::Size;
    view.y = Objective::TempRise;
    const ExplorerChartLayout layout = drawExplorerChart(canvas, space, view);
    EXPECT_NE(canvas.find("NO DESIGN MEETS THE REQUIREMENTS"), nullptr);
    EXPECT_NE(canvas.find("SURFACE AREA (cm2)"), nullptr);
    EXPECT_TRUE(layout.points.empty());
    EXPECT_EQ(canvas.find("LEGEND"), nullptr);
    // The window's own reason, where it has one.
    test::RecordingCanvas told(640, 480);
    view.emptyText = "ENTER AND ACCEPT THE REQUIREMENTS FIRST";
    drawExplorerChart(told, space, view);
    EXPECT_NE(told.find("ENTER AND ACCEPT THE REQUIREMENTS FIRST"), nullptr);
    EXPECT_EQ(told.find("NO DESIGN MEETS THE REQUIREMENTS"), nullptr);
}

}  // namespace
}  // namespace korvell
