#include <gtest/gtest.h>

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
    return space;
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

    // The front joined in ascending price, in the front's colour, point to point.
    ASSERT_EQ(layout.front, (std::vector<std::size_t>{0, 1, 2}));
    std::vector<test::DrawnLine> frontLines;
    for (const auto& line : canvas.lines) {
        if (line.color == kFront && line.x0 != line.x1 && line.y0 != line.y1) {
            frontLines.push_back(line);
        }
    }
    ASSERT_EQ(frontLines.size(), 2U);
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(frontLines[k].x0, layout.points[layout.front[k]]->first);
        EXPECT_EQ(frontLines[k].y1, layout.points[layout.front[k + 1]]->second);
    }

    // A click finds the design under it, and nothing far from every design.
    const auto [x, y] = *layout.points[3];
    EXPECT_EQ(designNear(layout, x + 2, y - 1, 8), std::optional<std::size_t>(3));
    EXPECT_EQ(designNear(layout, layout.left - 50, layout.top - 50, 8), std::nullopt);
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
}

}  // namespace
}  // namespace korvell
