// The design explorer's chart: every design of the design space on two chosen objectives, a
// marker per core shape and a colour per stack count, the front of those two objectives joined
// and highlighted, the selected design ringed, and a legend. Drawn on any Canvas: the explorer
// window, its printed page and the command line's SVG.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "explore/DesignSpace.h"
#include "platform/Canvas.h"

namespace korvell {

struct ExplorerChartView {
    Objective x = Objective::Price;
    Objective y = Objective::Loss;
    std::optional<std::size_t> selected;  // index into the space's designs
};

// One axis of the chart: linear, or logarithmic where the values span more than a decade.
struct ChartScale {
    double low = 0;
    double high = 1;
    bool logarithmic = false;
    std::vector<double> ticks;
    // Position of a value between low (0) and high (1).
    double fraction(double value) const;
};

// The scale that holds every value given: a logarithmic one over whole decades (ticks at 1, 2
// and 5 of each decade) when all are positive and the largest is more than ten times the
// smallest, else a linear one from a round number to a round number (ticks at steps of 1, 2 or
// 5 times a power of ten).
ChartScale chartScale(const std::vector<double>& values);

struct ExplorerChartLayout {
    int left = 0;  // the plot's frame, pixels
    int top = 0;
    int right = 0;
    int bottom = 0;
    std::vector<std::optional<std::pair<int, int>>> points;  // per design, where it was drawn
    std::vector<std::size_t> front;  // the front of the two axes, by ascending x
};

// Draws the chart over the whole surface; returns where each design landed.
ExplorerChartLayout drawExplorerChart(Canvas& canvas, const DesignSpace& space,
                                      const ExplorerChartView& view);

// The printed page (landscape): the chart over the upper part, the front below it as a table
// in the order of `rows` (indices into the designs) as far as the page holds them, the rest
// counted.
void drawExplorerPage(Canvas& canvas, const DesignSpace& space, const ExplorerChartView& view,
                      const std::vector<std::size_t>& rows);

// The cells of a front table row: part number, shape, stack, strands, winding, wire, price,
// total loss, surface area, temperature rise.
constexpr int kExplorerColumns = 10;
extern const std::array<const char*, kExplorerColumns> kExplorerHeadings;
std::array<std::string, kExplorerColumns> explorerCells(const ExploredDesign& design);

// The design drawn nearest to a pixel, within `radius` pixels; none when no design is that close.
std::optional<std::size_t> designNear(const ExplorerChartLayout& layout, int x, int y, int radius);

}  // namespace korvell
