#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "graphs/SpreadGraph.h"

namespace korvell {
namespace {

TEST(SpreadGraph, HistogramCoversTheSamplesAndTheRequirementOnRoundSteps) {
    const struct {
        std::vector<double> samples;
        std::optional<double> required;
        float xMin, xMax;
        int divisions;
    } cases[] = {
        {{20.1, 21.85, 23.58}, 22.0, 20.0f, 24.0f, 8},      // steps of 0.5
        {{20.1, 21.85, 23.58}, 30.0, 20.0f, 30.0f, 5},      // out to the requirement, steps of 2
        {{1010, 1030, 1052}, std::nullopt, 1010, 1060, 5},  // steps of 10
        {{22, 22, 22}, 22.0, 21.7f, 22.3f, 6},              // no spread: centred, steps of 0.1
    };
    for (const auto& c : cases) {
        const SpreadHistogram h = spreadHistogram(c.samples, c.required);
        EXPECT_TRUE(h.axes.linearX());
        EXPECT_NEAR(h.axes.xMin, c.xMin, 1e-4) << c.samples[0];
        EXPECT_NEAR(h.axes.xMax, c.xMax, 1e-4) << c.samples[0];
        EXPECT_EQ(h.axes.xDivisions, c.divisions) << c.samples[0];
        EXPECT_EQ(h.percent.size(), static_cast<std::size_t>(c.divisions * h.binsPerDivision));
        EXPECT_NEAR(std::accumulate(h.percent.begin(), h.percent.end(), 0.0), 100, 1e-9);
        // The tallest bar stays below the legends.
        const double tallest = *std::max_element(h.percent.begin(), h.percent.end());
        EXPECT_LE(tallest, 0.65 * h.axes.yMax);
    }
}

TEST(SpreadGraph, LinearAxisPlacesValuesBetweenItsEnds) {
    const PlotFrame frame = windowPlotFrame(1000, 800);
    PlotAxes axes;
    axes.xDecades = 0;
    axes.xMin = 20;
    axes.xMax = 24;
    EXPECT_EQ(plotX(frame, axes, 20), static_cast<int>(std::floor(frame.x0 + 0.5)));
    EXPECT_EQ(plotX(frame, axes, 24), frame.xr);
    EXPECT_EQ(plotX(frame, axes, 22), static_cast<int>(std::floor(frame.x0 + 0.5 + frame.wP / 2)));
    // Without an upper end the old rule stands: x over xMin across the width.
    axes.xMax = 0;
    EXPECT_EQ(plotX(frame, axes, 10), static_cast<int>(std::floor(frame.x0 + 0.5 + frame.wP / 2)));
}

}  // namespace
}  // namespace korvell
