// Graph kind 10, INDUCTANCE SPREAD: a histogram of the inductance at the design current of the
// parts of one design's Monte Carlo yield, the requirement as a vertical line, and the share of
// the parts that reach it in the legend. Drawn with the plot primitives on the graph window, its
// printed page and the command line's SVG.
#pragma once

#include <optional>
#include <vector>

#include "analysis/Tolerance.h"
#include "graphs/Plot.h"
#include "platform/Canvas.h"
#include "record/DesignRecord.h"

namespace korvell {

// The yield (inductance only) of the design the graph request names: the analyzed design
// (graphSource 1), analyzed again from the entries the record holds, or the highlighted results
// row (graphSource 0), analyzed as the analysis window loads it. None when that analysis fails.
std::optional<YieldReport> spreadGraphYield(const DesignRecord& record,
                                            const YieldSettings& settings);

// The bins of the histogram: a linear axis from a round number below the smallest sample (or the
// requirement) to one above the largest, in divisions of 1, 2 or 5 times a power of ten, each
// division split into binsPerDivision bins; the percent of the samples in each bin.
struct SpreadHistogram {
    PlotAxes axes;
    int binsPerDivision = 4;
    std::vector<double> percent;  // per bin, left to right
    double binWidth() const;
};
SpreadHistogram spreadHistogram(const std::vector<double>& samples, std::optional<double> required);

// Draws the histogram, the requirement line and the legends in the frame; returns the leftmost x
// of the y-axis numbers, or none when nothing could be drawn (no yield).
std::optional<int> drawSpreadGraph(Canvas& canvas, const PlotFrame& frame,
                                   const DesignRecord& record, const YieldSettings& settings,
                                   Color ground);

}  // namespace korvell
