#include "graphs/SpreadGraph.h"

#include <algorithm>
#include <cmath>

#include "graphs/GraphRequest.h"
#include "platform/Format.h"

namespace korvell {
namespace {

constexpr int kTargetDivisions = 8;  // the x axis in about this many round steps
constexpr int kMaxBins = 200;        // bins of the whole axis, at most
constexpr int kYDivisions = 10;      // the linear y axis's default
constexpr double kHeadroom = 1.6;    // the tallest bin reaches 5/8 of the plot, below the legends
constexpr Color kBarColor{255, 200, 200};

// 1, 2 or 5 times a power of ten, at least `step`.
double roundStep(double step) {
    if (!(step > 0) || !std::isfinite(step)) return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    for (const double k : {1.0, 2.0, 5.0, 10.0}) {
        if (k * decade >= step * (1 - 1e-9)) return k * decade;
    }
    return 10 * decade;
}

}  // namespace

double SpreadHistogram::binWidth() const {
    const int bins = static_cast<int>(percent.size());
    return bins > 0 ? (static_cast<double>(axes.xMax) - axes.xMin) / bins : 0;
}

std::optional<YieldReport> spreadGraphYield(const DesignRecord& record,
                                            const YieldSettings& settings) {
    SilentMessages quiet;
    DesignRecord analyzed;
    AnalysisTable table;
    if (record.graphSource == kAnalyzedDesign) {
        analyzed = record;
        if (AnalyzeDesign(analyzed, quiet, table, analyzed.applicationType) <= 0) {
            return std::nullopt;
        }
    } else if (!analyzeResultsRow(record, record.selectedDesign, quiet, analyzed, table)) {
        return std::nullopt;
    }
    YieldSettings inductance = settings;
    inductance.inductanceOnly = true;
    return designYield(analyzed, analyzed.applicationType, inductance);
}

SpreadHistogram spreadHistogram(const std::vector<double>& samples,
                                std::optional<double> required) {
    SpreadHistogram h;
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (const double v : samples) {
        if (!std::isfinite(v)) continue;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    if (required && std::isfinite(*required)) {
        low = std::min(low, *required);
        high = std::max(high, *required);
    }
    if (!(low <= high)) low = high = 0;
    // A spread without width (no tolerance) still gets an axis, centred on its one value.
    if (!(high > low)) {
        const double half = std::max(std::fabs(high) * 0.01, 1e-6);
        low -= half;
        high += half;
    }
    const double width = high - low;
    const double step = roundStep(width / kTargetDivisions);
    const double first = std::floor(low / step) * step;
    double last = std::ceil(high / step) * step;
    if (!(last > first)) last = first + step;
    const int divisions = std::max(1, static_cast<int>(std::lround((last - first) / step)));
    h.binsPerDivision = std::clamp(kMaxBins / divisions, 1, 4);
    h.axes.xDecades = 0;
    h.axes.xMin = static_cast<float>(first);
    h.axes.xMax = static_cast<float>(first + divisions * step);
    h.axes.xDivisions = divisions;

    const int bins = divisions * h.binsPerDivision;
    h.percent.assign(static_cast<std::size_t>(bins), 0);
    const double binWidth = (static_cast<double>(h.axes.xMax) - h.axes.xMin) / bins;
    std::size_t counted = 0;
    for (const double v : samples) {
        if (!std::isfinite(v)) continue;
        const int bin = std::clamp(static_cast<int>((v - h.axes.xMin) / binWidth), 0, bins - 1);
        h.percent[static_cast<std::size_t>(bin)] += 1;
        ++counted;
    }
    double tallest = 0;
    for (double& p : h.percent) {
        p = counted > 0 ? 100 * p / static_cast<double>(counted) : 0;
        tallest = std::max(tallest, p);
    }
    h.axes.yMin = 0;
    h.axes.yMax = static_cast<float>(kYDivisions * roundStep(tallest * kHeadroom / kYDivisions));
    return h;
}

std::optional<int> drawSpreadGraph(Canvas& canvas, const PlotFrame& frame,
                                   const DesignRecord& record, const YieldSettings& settings,
                                   Color ground) {
    const auto yield = spreadGraphYield(record, settings);
    if (!yield) return std::nullopt;
    const SpreadHistogram h =
        spreadHistogram(yield->inductanceSamplesUh, yield->requiredInductanceUh);
    const int numbersLeft = DrawGraphAxes(canvas, frame, h.axes);

    // The bars: filled, then outlined as one curve along their tops.
    const double binWidth = h.binWidth();
    Curve outline;
    canvas.setBrushColor(kBarColor);
    for (std::size_t i = 0; i < h.percent.size(); ++i) {
        const double left = h.axes.xMin + binWidth * static_cast<double>(i);
        const double right = left + binWidth;
        const double top = h.percent[i];
        const auto x0 = plotX(frame, h.axes, left);
        const auto x1 = plotX(frame, h.axes, right);
        const auto yTop = plotY(frame, h.axes, top);
        const auto yBase = plotY(frame, h.axes, 0);
        if (x0 && x1 && yTop && yBase && *yBase > *yTop) {
            canvas.fillRect(*x0, *yTop, *x1 - *x0, *yBase - *yTop);
        }
        outline.push_back({static_cast<float>(left), 0});
        outline.push_back({static_cast<float>(left), static_cast<float>(top)});
        outline.push_back({static_cast<float>(right), static_cast<float>(top)});
        outline.push_back({static_cast<float>(right), 0});
    }
    canvas.setPen(colors::kRed, penWidth(canvas, kCurvePenPoints));
    DrawCurve(canvas, outline, frame, h.axes);

    const double middle = 0.5 * (static_cast<double>(h.axes.xMin) + h.axes.xMax);
    const std::string part = record.graphSource == kAnalyzedDesign
                                 ? record.corePartNumber
                                 : highlightedDesign(record).partNumber;
    std::string legend;
    if (yield->requiredInductanceUh) {
        const double required = *yield->requiredInductanceUh;
        canvas.setPen(colors::kBlue, penWidth(canvas, kCurvePenPoints * 2, 2));
        const Curve line = {{static_cast<float>(required), h.axes.yMin},
                            {static_cast<float>(required), h.axes.yMax}};
        DrawCurve(canvas, line, frame, h.axes);
        PlotTextAt(canvas, strprintf("REQUIRED %.4g uH", required), required, 0.94 * h.axes.yMax,
                   frame, h.axes, ground);
        legend =
            strprintf("CORE:  %s:  %s OF %d PARTS MEET THE INDUCTANCE ASKED FOR", part.c_str(),
                      yieldFractionText(yield->fractionMeetingInductance).c_str(), yield->samples);
    } else {
        legend = strprintf("CORE:  %s:  %d PARTS, NO INDUCTANCE ASKED FOR", part.c_str(),
                           yield->samples);
    }
    PlotTextAt(canvas, legend, middle, 0.85 * h.axes.yMax, frame, h.axes, ground);
    PlotTextAt(canvas, yieldModelText(*yield), middle, 0.77 * h.axes.yMax, frame, h.axes, ground);
    return numbersLeft;
}

}  // namespace korvell
