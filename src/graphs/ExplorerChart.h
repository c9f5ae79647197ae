// The design explorer's chart: every design of the design space on two chosen figures, a marker
// per core shape and a colour per stack count, the listed designs of the thinned front marked
// in red and ringed, the selected design framed, and a legend. Drawn on any Canvas: the explorer
// window, its printed pages and the command line's SVG. Also the cells of the front table, the
// status line of a selected design and the printed pages.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "explore/DesignSpace.h"
#include "platform/Canvas.h"

namespace korvell {

// What the chart says when the space holds no design.
inline constexpr const char* kNoDesignChartText = "NO DESIGN MEETS THE REQUIREMENTS";

struct ExplorerChartView {
    Objective x = Objective::Price;
    Objective y = Objective::Loss;
    std::optional<std::size_t> selected;  // index into the space's designs
    // The chart's text is never smaller than this (pixels): the table beside it.
    int minFontHeight = 0;
    // Said across an empty chart: why there is no design.
    std::string emptyText = kNoDesignChartText;
};

// One axis of the chart: linear, or logarithmic where the values span more than a decade.
struct ChartScale {
    double low = 0;
    double high = 1;
    bool logarithmic = false;
    double log2Low = 0;  // of a logarithmic scale: log2 of its ends
    double log2High = 1;
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
    // The listed designs of the thinned front that were marked, by ascending x.
    std::vector<std::size_t> front;
    // Whether they were joined by a line: only when the two axes are the front's only
    // objectives.
    bool joined = false;
};

// Draws the chart over the whole surface; returns where each design landed.
ExplorerChartLayout drawExplorerChart(Canvas& canvas, const DesignSpace& space,
                                      const ExplorerChartView& view);

// A figure of an objective as the table, the status line and the pages show it ("12.34"); empty
// when it is not known.
std::string objectiveText(Objective objective, double value);

// The inductance of a design at its maximum current, µH, as the search found it (the analysis
// of its turns).
double designInductanceUh(const ExploredDesign& design);

// The cells of a front table row, each with the number it sorts by (as the catalog listing
// gives them): the figure shown, unrounded; a part number by shape, catalog row and stack; a
// wire by its copper area; a figure not known sorts last.
struct ExplorerCell {
    std::string text;
    double sortKey = 0;
};
enum ExplorerColumn : int {
    kPartNumberColumn,
    kTurnsColumn,
    kWireColumn,
    kPriceColumn,
    kLossColumn,
    kSizeColumn,
    kRiseColumn,
    kCheckLossColumn,
    kCheckRiseColumn,
    kInductanceColumn,
    kSimilarColumn,
    kShapeColumn,
    kStackColumn,
    kStrandsColumn,
    kWindingColumn,
    kExplorerColumns
};
extern const std::array<const char*, kExplorerColumns> kExplorerHeadings;
std::array<ExplorerCell, kExplorerColumns> explorerCells(const ExploredDesign& design);
// The column that shows an objective's figure.
ExplorerColumn objectiveColumn(Objective objective);

// The status line of a selected design: part number, stack, turns, wire × strands and winding,
// then each objective with its units ("T90-17, 1 CORE, 23 TURNS, #14 × 2, FULL WINDOW; PRICE
// 1.23 US$, TOTAL LOSS 0.456 W, SURFACE AREA 12.3 cm2").
std::string explorerStatusText(const ExploredDesign& design,
                               const std::vector<Objective>& objectives);

// What the printed pages say above the chart: the requirements explored, one line each, and the
// date.
struct ExplorerPrintout {
    std::vector<std::string> requirements;
    std::string dateText;
};

// The printout (landscape): on the first page the requirements, the date, the objectives and
// epsilon, and the chart; then the thinned front in the order of `rows` (indices into the
// designs) with its turns, over as many pages as it takes, each page numbered "PAGE k OF n".
// On a surface of one page (newPage() false) it stops after the first. Returns the page count.
int drawExplorerPages(Canvas& canvas, const DesignSpace& space, const ExplorerChartView& view,
                      const std::vector<std::size_t>& rows, const ExplorerPrintout& printout);

// The design drawn nearest to a pixel, within `radius` pixels; none when no design is that close.
// A marked design of the front wins over unmarked ones drawn as near.
std::optional<std::size_t> designNear(const ExplorerChartLayout& layout, int x, int y, int radius);

}  // namespace korvell
