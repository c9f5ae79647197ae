#include "graphs/GraphPage.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <vector>

#include "graphs/Curves.h"
#include "graphs/GraphRequest.h"
#include "graphs/Plot.h"
#include "graphs/SpreadGraph.h"
#include "materials/CoreLoss.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"
#include "platform/SvgCanvas.h"

namespace korvell {
namespace {

constexpr int kMaxPixels = 100000;
constexpr const char* kFontName = "MS Sans Serif";
constexpr const char* kDataErrorCaption = "Graph Data ERROR";

// Printed page: the font the page works from is a sixtieth of the page height (about ten points
// on a landscape letter page); the title is 1.5 times it, the captions and numbers 0.7 of that.
constexpr int kPageFontLines = 60;
constexpr double kTitleScale = 1.5;
constexpr double kCaptionScale = 0.7;
constexpr double kXCaptionRow = 0.9;
constexpr double kDateRow = 0.95;

constexpr double kTimeCeilingH = 1e6;       // aging points from here on are not drawn
constexpr double kDataProductFloor = 1e-6;  // below it a results row's aging data is missing
constexpr double kSmallestSurfaceCm2 = 0.1;
constexpr double kSmallestXMin = 0.001;
constexpr double kDegreesStep = 20;  // the temperature axis runs between multiples of 20 °C

// Values of the design a graph of kinds 7-9 shows.
struct GraphedDesign {
    std::string name;
    double ae = 0;           // cm²
    double al = 0;           // nH/turn²
    double b = 0;            // peak AC flux density, gauss
    double lm = 0;           // cm
    double percentPerm = 0;  // %
    double temperature = 0;  // ambient plus rise, °C
    double turns = 0;
    double ambient = 0;      // °C
    double lossMw = 0;       // core plus copper loss, mW
    double surfaceArea = 0;  // cm²
    double coreVolume = 0;   // cm³
};

bool allFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Whether every number a graph of the design reads is a number: the legends print them.
bool finiteDesign(const GraphedDesign& d, const DesignRecord& r) {
    return allFinite({d.ae, d.al, d.b, d.lm, d.percentPerm, d.temperature, d.turns, d.ambient,
                      d.lossMw, d.surfaceArea, d.coreVolume, r.maxCurrent, r.acCurrentMax,
                      r.lineFrequencyHz, r.frequencyKhz, r.pfcVoltageRatio, r.tempRiseFactor,
                      r.tempRiseExponent});
}

int applicationOf(const DesignRecord& record) {
    return std::clamp<int>(record.applicationType, 0, kApplicationCount - 1);
}

GraphedDesign analyzedDesign(const DesignRecord& r) {
    GraphedDesign d;
    d.name = r.corePartNumber;
    d.ae = r.coreAe;
    d.al = r.coreAl;
    d.b = r.fluxAc;
    d.lm = r.coreLe;
    d.percentPerm = r.percentPerm;
    d.ambient = r.ambientTemp;
    d.temperature = d.ambient + r.tempRise;
    d.turns = r.turns;
    d.lossMw = static_cast<double>(r.coreLossMw) + r.copperLossMw;
    d.surfaceArea = r.surfaceArea;
    d.coreVolume = r.coreVolume;
    return d;
}

GraphedDesign highlightedRowDesign(const DesignRecord& r) {
    const DesignResult& row = highlightedDesign(r);
    const auto& dimensions = r.designDimensions[std::clamp(r.selectedDesign, 0, kMaxDesigns - 1)];
    GraphedDesign d;
    d.name = row.partNumber;
    d.ae = dimensions.slot[0].value_or(0);
    d.al = row.al;
    d.b = row.bac;
    d.lm = dimensions.slot[1].value_or(0);
    d.percentPerm = row.percentPerm;
    d.ambient = r.designParamsByApplication[applicationOf(r)][8];
    d.temperature = d.ambient + row.tempRise;
    d.turns = row.turns;
    d.lossMw = 1000 * (static_cast<double>(row.coreLossW) + row.copperLossW);
    d.surfaceArea = row.surfaceArea;
    d.coreVolume = row.coreVolume;
    return d;
}

// A curve of one design with what is written on it.
struct DesignCurve {
    Curve points;
    std::string legend;
    bool legendOnDefaultAxes = false;  // the negligible-aging legend
    std::optional<CurvePoint> operatingPoint;
};

// Inductance (µH) against current (A): the DC-bias curve with oersted turned into amperes, or for
// the powerline application the AC operating-point curve with its flux at initial permeability
// turned into RMS amperes.
std::optional<DesignCurve> inductanceCurve(const DesignRecord& record, Messages& messages,
                                           const GraphedDesign& d) {
    const bool powerline = applicationOf(record) == kPowerline;
    const double kL = d.turns * d.turns * 0.01 * d.al * 0.001;  // µH per percent
    double kI = 0;
    std::optional<Curve> curve;
    if (powerline) {
        curve = AcFluxCurve(messages, record.graphMaterialCode, true, kCurvePoints);
        kI = 10 / std::sqrt(2.0) * d.ae / d.turns / d.al;
    } else {
        curve = DcBiasCurve(record.graphMaterialCode, kCurvePoints);
        kI = d.lm / (kFourPiTenthsAsUsed * d.turns);
    }
    if (!curve || !std::isfinite(kI) || !std::isfinite(kL)) return std::nullopt;

    DesignCurve result;
    for (const CurvePoint& p : *curve) {
        result.points.push_back({static_cast<float>(p.x * kI), static_cast<float>(p.y * kL)});
    }
    const double current = powerline ? record.acCurrentMax : record.maxCurrent;
    const double inductance = kL * d.percentPerm;
    result.legend = powerline ? strprintf("CORE:   %s: %4.0f Turns,  %4.0f uH @ %3.1f Amperes RMS",
                                          d.name.c_str(), d.turns, inductance, current)
                              : strprintf(" CORE:  %s: %4.0f Turns,  %4.0f uH @ %3.1f Amperes",
                                          d.name.c_str(), d.turns, inductance, current);
    result.operatingPoint = CurvePoint{static_cast<float>(current), static_cast<float>(inductance)};
    return result;
}

// The part of a curve on a logarithmic current axis that starts at `xMin`: currents below it lie
// off the graph (a powerline curve reaches down to milliamperes), so the curve starts at the axis
// with its value there, interpolated on the logarithmic scale.
Curve fromTheAxis(const Curve& points, double xMin) {
    Curve kept;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!(points[i].x >= xMin)) continue;
        if (kept.empty() && i > 0 && points[i - 1].x > 0 && points[i].x > xMin) {
            const double from = std::log(points[i - 1].x);
            const double t = (std::log(xMin) - from) / (std::log(points[i].x) - from);
            const double y = points[i - 1].y + t * (points[i].y - points[i - 1].y);
            kept.push_back({static_cast<float>(xMin), static_cast<float>(y)});
        }
        kept.push_back(points[i]);
    }
    return kept.empty() ? points : kept;
}

// The results row's aging data as the refusal quotes it.
std::string agingDataText(const DesignRecord& record, const GraphedDesign& d, double fHz) {
    return strprintf(
        "Index %3d:  B = %6.0f, f = %6.0f \n ac = %6.3f,  T = %6.0f \n loss, mw =%6.3f \n  surf = "
        "%6.3f, vol = %6.3f, t_expon = %4.1f ",
        std::clamp(record.selectedDesign, 0, kMaxDesigns - 1), d.b, fHz, d.ae, d.ambient, d.lossMw,
        d.surfaceArea, d.coreVolume, static_cast<double>(record.tempRiseExponent));
}

// Decay loss (kind 8, mW) or core temperature (kind 9, °C) against time (hours), from the aging
// model's 32 samples below 1e6 hours. A design that does not age gets the negligible-aging
// legend, placed on the default axes.
std::optional<DesignCurve> agingCurve(const DesignRecord& record, Messages& messages,
                                      const GraphedDesign& d, int kind) {
    const int application = applicationOf(record);
    const double fHz = application == kPowerline ? record.lineFrequencyHz
                                                 : 1000 * static_cast<double>(record.frequencyKhz);
    const double fluxFactor = application == kPowerFactorBoost
                                  ? std::sqrt(pfcLossFactor(record.pfcVoltageRatio, 2.0, 12))
                                  : 1;
    const std::string material = materialCodeOf(d.name);
    if (record.graphSource != kAnalyzedDesign) {
        // A row without data multiplies to nothing. The ambient temperature is no sign of
        // missing data (0 °C and below are valid), so it takes no part in the product.
        const double product =
            d.b * fHz * d.ae * d.lossMw * d.surfaceArea * d.coreVolume * record.tempRiseExponent;
        if (!(product >= kDataProductFloor)) {
            messages.show(agingDataText(record, d, fHz), kDataErrorCaption);
            return std::nullopt;
        }
        if (d.surfaceArea < kSmallestSurfaceCm2) return std::nullopt;
    }
    if (material.empty()) return std::nullopt;

    AgingInputs in;
    in.material = material;
    in.fluxGauss = d.b * fluxFactor;
    in.frequencyHz = fHz;
    in.aeCm2 = d.ae;
    in.ambientC = d.ambient;
    in.lossMw = d.lossMw;
    in.surfaceCm2 = d.surfaceArea;
    in.volumeCm3 = d.coreVolume;
    in.riseFactor = record.tempRiseFactor;
    in.riseExponent = record.tempRiseExponent;
    AgingCurvePoints samples;
    agingCurve(
        kind == kTemperatureVsAge ? AgingCurveKind::Temperature : AgingCurveKind::LossIncrease, in,
        samples);
    // Times of zero: no loss to age (or no aging data), nothing to draw.
    if (!(samples[0].first > 0)) return std::nullopt;

    DesignCurve result;
    for (const auto& [time, value] : samples) {
        if (!(time < kTimeCeilingH)) break;
        result.points.push_back({time, value});
    }
    const bool negligible =
        result.points.empty() || result.points.back().x == result.points.front().x;
    if (!negligible) {
        result.legend = strprintf("CORE:  %s @ %4.0f Gauss ac, %3.0f deg C", d.name.c_str(), d.b,
                                  d.temperature);
        return result;
    }
    // With no sample below the ceiling, the aging is negligible over the ceiling itself.
    const double lastTime = result.points.empty() ? kTimeCeilingH : result.points.back().x;
    result.legend = strprintf(
        "CORE:  %s: %4.0f Turns, EXHIBITS NEGLIGIBLE AGING OVER  %4.0e HOURS @%4.0f Gauss",
        d.name.c_str(), d.turns, lastTime, d.b);
    result.legendOnDefaultAxes = true;
    return result;
}

// The top of an automatic y axis: the next of 1, 3, 10, 30, ... times a power of ten at or above
// the largest value.
double roundedTop(double yMax) {
    const double decade = std::log10(yMax);
    const double halfDecades = std::ceil(2 * decade);
    if (std::fmod(halfDecades, 2) == 0) return std::pow(10.0, halfDecades / 2);
    const double three = 3 * std::pow(10.0, std::floor(decade));
    // Between 3 and 3.16 times a power of ten the half decade rounds below the curve.
    return three >= yMax ? three : std::pow(10.0, std::floor(decade) + 1);
}

// Axes fitted to a design curve; none when the curve has nothing to place (no positive x, no
// positive inductance or loss, values beyond single precision).
std::optional<PlotAxes> automaticAxes(int kind, const Curve& points) {
    double xMax = 0, yMax = -HUGE_VAL;
    for (const CurvePoint& p : points) {
        if (std::isfinite(p.x)) xMax = std::max(xMax, double(p.x));
        if (std::isfinite(p.y)) yMax = std::max(yMax, double(p.y));
    }
    const double yFirst = points.front().y;
    if (!(xMax > 0) || !std::isfinite(yFirst)) return std::nullopt;

    PlotAxes axes;
    axes.xDecades = kind == kInductanceVsCurrent ? 3 : 4;
    axes.xMin = static_cast<float>(
        std::max(std::pow(10.0, std::ceil(std::log10(xMax)) - axes.xDecades), kSmallestXMin));
    double top = 0, bottom = 0;
    if (kind == kTemperatureVsAge) {
        top = std::ceil(yMax / kDegreesStep) * kDegreesStep;
        bottom = std::floor(yFirst / kDegreesStep) * kDegreesStep;
        // All samples at one temperature on a multiple of 20 would leave no range.
        if (!(top > bottom)) top = bottom + kDegreesStep;
    } else {
        if (!(yMax > 0)) return std::nullopt;
        top = roundedTop(yMax);
    }
    axes.yMax = static_cast<float>(top);
    axes.yMin = static_cast<float>(bottom);
    if (!std::isfinite(axes.xMin) || !std::isfinite(axes.yMax) || !std::isfinite(axes.yMin)) {
        return std::nullopt;
    }
    return axes;
}

// What a plot drew: its curves, and where its y-axis numbers begin (x0 of the frame when it drew
// no axes), which a caption beside them must keep clear of.
struct PlotDrawn {
    int curves = 0;
    int numbersLeft = 0;
};

// Where a design graph's legend goes: eight tenths of the way up the plot at a hundred times the
// axis's start, as the graph has always put it, unless the curve or the operating point's cross
// passes under its ground there; then the nearest height clear of both, higher first, then the
// same at ten, a thousand and one times the start. The first place when none is clear.
std::optional<PlacedText> placeLegend(Canvas& canvas, const PlotFrame& frame,
                                      const PlotAxes& curveAxes, const PlotAxes& legendAxes,
                                      const std::string& text, const Curve& points,
                                      const std::optional<CurvePoint>& operatingPoint) {
    std::optional<TextBox> cross;
    if (operatingPoint) {
        const auto x = plotX(frame, curveAxes, operatingPoint->x);
        const auto y = plotY(frame, curveAxes, operatingPoint->y);
        const int reach = plotSymbolReach(frame);
        if (x && y) cross = TextBox{*x - reach, *y - reach, 2 * reach + 1, 2 * reach + 1};
    }
    const auto clear = [&](const PlacedText& placed) {
        const TextBox ground = groundOf(canvas, placed.cell);
        return !curvePassesThrough(points, frame, curveAxes, ground) &&
               !(cross && cross->meets(ground));
    };
    const double span = legendAxes.yMax - legendAxes.yMin;
    const int decades = std::max(legendAxes.xDecades, 1);
    std::optional<PlacedText> first;
    for (const double across : {100.0, 10.0, 1000.0, 1.0}) {
        if (across > std::pow(10.0, decades)) continue;
        for (const double up : {0.8, 0.9, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1}) {
            const auto placed = placePlotText(canvas, text, across * legendAxes.xMin,
                                              legendAxes.yMin + up * span, frame, legendAxes);
            if (!placed) continue;
            if (!first) first = placed;
            if (clear(*placed)) return placed;
        }
    }
    return first;
}

PlotDrawn drawDesignGraph(Canvas& canvas, const PlotFrame& frame, const DesignRecord& record,
                          Messages& messages, int kind, Color ground) {
    PlotDrawn drawn{0, static_cast<int>(frame.x0)};
    const GraphedDesign d = record.graphSource == kAnalyzedDesign ? analyzedDesign(record)
                                                                  : highlightedRowDesign(record);
    if (!finiteDesign(d, record)) return drawn;
    const auto curve = kind == kInductanceVsCurrent ? inductanceCurve(record, messages, d)
                                                    : agingCurve(record, messages, d, kind);
    if (!curve || curve->points.empty()) return drawn;
    const auto axes = automaticAxes(kind, curve->points);
    if (!axes) return drawn;

    drawn.numbersLeft = DrawGraphAxes(canvas, frame, *axes);
    canvas.setPen(colors::kRed, penWidth(canvas, kCurvePenPoints));
    // The aging model's first sample lies where its aging begins to tell (often thousands of
    // hours); until then the core holds its loss and temperature at 0 hours, so the curve starts
    // at the axis with that first value.
    Curve points = curve->points;
    if (kind != kInductanceVsCurrent && !points.empty() && points.front().x > axes->xMin)
        points.insert(points.begin(), CurvePoint{axes->xMin, points.front().y});
    if (kind == kInductanceVsCurrent) points = fromTheAxis(points, axes->xMin);
    DrawCurve(canvas, points, frame, *axes);
    // The legend over the grid, where neither the curve nor the operating point's cross passes.
    const PlotAxes legendAxes = curve->legendOnDefaultAxes ? PlotAxes{} : *axes;
    if (const auto legend = placeLegend(canvas, frame, *axes, legendAxes, curve->legend, points,
                                        curve->operatingPoint)) {
        const FontSpec font = canvas.font();
        canvas.setFont(legend->font);
        writeOnGround(canvas, curve->legend, legend->cell, ground);
        canvas.setFont(font);
    }
    if (curve->operatingPoint) {
        PlotTextAt(canvas, kPlotSymbol, curve->operatingPoint->x, curve->operatingPoint->y, frame,
                   *axes);
    }
    drawn.curves = 1;
    return drawn;
}

// The cell of a material label at a pixel point of its curve: centred on it, or just above or
// just below it (variant 0, 1, 2).
TextBox labelCell(Canvas& canvas, const std::string& text, int x, int y, int variant) {
    TextBox cell = centredTextBox(canvas, text, x, y);
    const int margin = groundMargin(canvas);
    if (variant == 1) cell.top = y - cell.height - 2 * margin;
    if (variant == 2) cell.top = y + 2 * margin;
    return cell;
}

// Where a curve's label goes: the kind's label point when the label's ground lies inside the
// plot clear of the grounds in `taken`, else the point nearest to it along the curve (centred,
// then above, then below it) where it does; the kind's point, kept inside the plot, when none
// is clear.
TextBox placeLabel(Canvas& canvas, const PlotFrame& frame, const PlotAxes& own,
                   const MaterialCurve& curve, const std::vector<TextBox>& taken) {
    const std::size_t n = curve.points.size();
    const std::size_t home = std::min(curve.labelIndex, n - 1);
    const float rise = curve.label.y - curve.points[home].y;
    const auto clear = [&](const TextBox& cell) {
        const TextBox g = groundOf(canvas, cell);
        return insidePlot(frame, g) && std::none_of(taken.begin(), taken.end(),
                                                    [&](const TextBox& t) { return t.meets(g); });
    };
    for (std::size_t step = 0; step < n; ++step) {
        for (const std::size_t i : {home - step, home + step}) {
            if (i >= n || (step == 0 && i != home)) continue;
            const auto x = plotX(frame, own, curve.points[i].x);
            const auto y = plotY(frame, own, curve.points[i].y + rise);
            if (!x || !y) continue;
            for (int variant = 0; variant < 3; ++variant) {
                const TextBox cell = labelCell(canvas, curve.material, *x, *y, variant);
                if (clear(cell)) return cell;
            }
        }
    }
    const auto x = plotX(frame, own, curve.label.x);
    const auto y = plotY(frame, own, curve.label.y);
    return keptInsidePlot(
        canvas, frame, centredTextBox(canvas, curve.material, x.value_or(frame.xr), y.value_or(0)));
}

PlotDrawn drawMaterialGraph(Canvas& canvas, const PlotFrame& frame, const DesignRecord& record,
                            Messages& messages, int kind, Color ground) {
    PlotDrawn drawn{0, static_cast<int>(frame.x0)};
    const auto settings = materialGraphSettings(kind, record.graphMaterialCode);
    if (!settings) return drawn;
    PlotAxes axes;
    axes.xMin = static_cast<float>(settings->xMin);
    axes.xDecades = settings->xDecades;
    axes.yMin = static_cast<float>(settings->yMin);
    axes.yMax = static_cast<float>(settings->yMax);
    axes.sY = static_cast<float>(settings->sY);
    axes.yDecades = settings->yDecades;
    drawn.numbersLeft = DrawGraphAxes(canvas, frame, axes);

    const auto curves = materialGraphCurves(record, messages, kind);
    const auto ownAxes = [&](const MaterialCurve& curve) {
        PlotAxes own = axes;
        own.sY = static_cast<float>(curve.sY);
        return own;
    };
    canvas.setPen(colors::kRed, penWidth(canvas, kCurvePenPoints));
    for (const MaterialCurve& curve : curves)
        DrawCurve(canvas, curve.points, frame, ownAxes(curve));
    // The labels over all the curves, each clear of those before it.
    std::vector<TextBox> taken;
    for (const MaterialCurve& curve : curves) {
        if (curve.points.empty()) continue;
        const TextBox cell = placeLabel(canvas, frame, ownAxes(curve), curve, taken);
        writeOnGround(canvas, curve.material, cell, ground);
        taken.push_back(groundOf(canvas, cell));
    }
    drawn.curves = static_cast<int>(curves.size());
    return drawn;
}

FontSpec graphFont(int height) {
    FontSpec font;
    font.name = kFontName;
    font.height = std::max(height, 1);
    font.color = colors::kBlack;
    return font;
}

// A caption broken into lines no wider than `room`: between words, and after a '/' within a
// word ("mW/" and "cm3"); the font made smaller when a line is wider still.
struct FittedCaption {
    std::vector<std::string> lines;
    FontSpec font;
};
FittedCaption fitCaption(Canvas& canvas, const std::string& caption, const FontSpec& font,
                         int room) {
    struct Piece {
        std::string text;
        bool afterBlank;  // a new word, not the rest of one
    };
    std::vector<Piece> pieces;
    std::istringstream words(caption);
    for (std::string word; words >> word;) {
        for (std::size_t start = 0; start < word.size();) {
            const std::size_t slash = word.find('/', start);
            const std::size_t end = slash == std::string::npos ? word.size() : slash + 1;
            pieces.push_back({word.substr(start, end - start), start == 0});
            start = end;
        }
    }
    room = std::max(room, 1);
    FittedCaption fitted{{}, font};
    constexpr int kTries = 4;  // widths follow the height closely; a few steps settle it
    for (int step = 0; step < kTries; ++step) {
        canvas.setFont(fitted.font);
        fitted.lines.clear();
        int widest = 0;
        for (const Piece& piece : pieces) {
            if (!fitted.lines.empty()) {
                const std::string joined =
                    fitted.lines.back() + (piece.afterBlank ? " " : "") + piece.text;
                if (canvas.textWidth(joined) <= room) {
                    fitted.lines.back() = joined;
                    widest = std::max(widest, canvas.textWidth(joined));
                    continue;
                }
            }
            fitted.lines.push_back(piece.text);
            widest = std::max(widest, canvas.textWidth(piece.text));
        }
        if (widest <= room || fitted.font.height <= 1) break;
        fitted.font.height = std::max(
            1, static_cast<int>(static_cast<long long>(fitted.font.height) * room / widest));
    }
    return fitted;
}

// Title, captions and date of the printed page, the y caption ending a blank short of the y-axis
// numbers that begin at numbersLeft.
void drawPrintedCaptions(Canvas& canvas, const GraphCaptions& captions, const GraphView& view,
                         int numbersLeft) {
    const int W = std::clamp(canvas.width(), 0, kMaxPixels);
    const int H = std::clamp(canvas.height(), 0, kMaxPixels);
    FontSpec font = graphFont(scaled(kTitleScale, H / kPageFontLines));
    canvas.setFont(font);
    canvas.textOut((W - canvas.textWidth(captions.title)) / 2,
                   H / 10 - canvas.textHeight(captions.title) / 2, captions.title);

    font = graphFont(scaled(kCaptionScale, font.height));
    canvas.setFont(font);
    canvas.textOut((W - canvas.textWidth(captions.xCaption)) / 2, scaled(kXCaptionRow, H),
                   captions.xCaption);
    const int left = W / 36;
    const FittedCaption y =
        fitCaption(canvas, captions.yCaption, font, numbersLeft - canvas.textWidth(" ") - left);
    canvas.setFont(y.font);
    const int lineHeight = canvas.textHeight(captions.yCaption);
    int top = H / 2 - static_cast<int>(y.lines.size()) * lineHeight / 2;
    for (const std::string& line : y.lines) {
        canvas.textOut(left, top, line);
        top += lineHeight;
    }
    canvas.setFont(font);
    if (!view.dateText.empty()) {
        const std::string date = trimmed(view.dateText);
        canvas.textOut(W - 3 * (W / 36) - canvas.textWidth(date), scaled(kDateRow, H) + H / 60,
                       date);
    }
}

// Where the window's labels and button go around its plot; the y caption's column ends a blank
// short of the y-axis numbers that begin at numbersLeft, its caption fitted into it.
void placeWindowControls(Canvas& canvas, const PlotFrame& frame, const GraphView& view,
                         int numbersLeft, GraphPageLayout& layout) {
    const int W = std::clamp(canvas.width(), 0, kMaxPixels);
    const int H = std::clamp(canvas.height(), 0, kMaxPixels);
    const int h = canvas.textHeight("0");
    const int font = std::clamp(view.fontHeight, 1, kMaxPixels / 8);
    layout.titleBar = {0, 0, W, std::max(frame.upperEdge() - h, 0)};
    const int numbersEnd = scaled(0.92, frame.yb) + h;
    layout.xCaptionBar = {0, numbersEnd, W, std::max(H - numbersEnd, 0)};
    const int columnRight = numbersLeft - canvas.textWidth(" ");
    layout.yCaptionColumn = {W / 100, frame.upperEdge(), std::max(columnRight - W / 100, 0),
                             std::max(frame.lowerEdge() - frame.upperEdge(), 0)};
    layout.printButton = {W / 100 + font / 2, font / 4, 8 * font, 2 * font};
    layout.saveButton = {layout.printButton.left + 17 * font / 2, font / 4, 8 * font, 2 * font};
    FontSpec captionFont = view.yCaptionFont;
    captionFont.height = std::clamp(captionFont.height, 1, kMaxPixels / 8);
    const FittedCaption y =
        fitCaption(canvas, layout.yCaption, captionFont, layout.yCaptionColumn.width);
    layout.yCaptionLines = y.lines;
    layout.yCaptionFont = y.font;
}

}  // namespace

GraphCaptions graphCaptions(int kind, const std::string& graphMaterialCode) {
    if (const auto settings = materialGraphSettings(kind, graphMaterialCode)) {
        return {std::string(settings->title), std::string(settings->xCaption),
                std::string(settings->yCaption)};
    }
    switch (kind) {
        case kInductanceVsCurrent:
            return {"INDUCTANCE vs CURRENT", "CURRENT IN AMPERES", " L, uH"};
        case kLossVsAge:
            return {"DECAY LOSS vs TIME", "TIME IN HOURS", "DECAY LOSS, mW"};
        case kTemperatureVsAge:
            return {"CORE TEMPERATURE vs TIME", "TIME IN HOURS", "TEMP, DEG C"};
        case kInductanceSpread:
            return {"INDUCTANCE SPREAD", "INDUCTANCE AT THE DESIGN CURRENT, uH", "PARTS, %"};
        default:
            return {};
    }
}

GraphPageLayout drawGraphPage(Canvas& canvas, const DesignRecord& record, Messages& messages,
                              const GraphView& view) {
    const int kind = record.graphKind;
    const GraphCaptions captions = graphCaptions(kind, record.graphMaterialCode);
    GraphPageLayout layout;
    layout.title = captions.title;
    layout.xCaption = captions.xCaption;
    layout.yCaption = captions.yCaption;

    const bool printing = canvas.isPrinter();
    const int W = std::clamp(canvas.width(), 0, kMaxPixels);
    const int H = std::clamp(canvas.height(), 0, kMaxPixels);
    const PlotFrame frame = printing ? pagePlotFrame(W, H) : windowPlotFrame(W, H);
    if (printing) {
        if (captions.title.empty()) return layout;
        // The numbers and legends in the caption font: 0.7 of the title's.
        canvas.setFont(graphFont(scaled(kCaptionScale, scaled(kTitleScale, H / kPageFontLines))));
    } else {
        canvas.setBrushColor(view.background);
        canvas.fillRect(W / 100, 0, W - W / 100, H);
        canvas.setFont(graphFont(std::min(view.fontHeight, kMaxPixels / 8)));
    }

    // Texts over the plot stand on the surface's own background: white paper, the window's face.
    const Color ground = printing ? colors::kWhite : view.background;
    PlotDrawn drawn{0, static_cast<int>(frame.x0)};
    if (kind >= kInitialPermVsDcBias && kind <= kCoreLoss100kHz) {
        drawn = drawMaterialGraph(canvas, frame, record, messages, kind, ground);
    } else if (kind >= kInductanceVsCurrent && kind <= kTemperatureVsAge) {
        drawn = drawDesignGraph(canvas, frame, record, messages, kind, ground);
    } else if (kind == kInductanceSpread) {
        if (const auto left = drawSpreadGraph(canvas, frame, record, view.yield, ground)) {
            drawn = {1, *left};
        }
    }
    layout.curvesDrawn = drawn.curves;

    if (printing) {
        drawPrintedCaptions(canvas, captions, view, drawn.numbersLeft);
    } else {
        placeWindowControls(canvas, frame, view, drawn.numbersLeft, layout);
        layout.showPrintButton = true;
    }
    return layout;
}

std::string graphSvg(const DesignRecord& record, Messages& messages, const GraphView& view,
                     GraphPageLayout* layout) {
    constexpr int kPageWidth = 1100;
    constexpr int kPageHeight = 850;
    SvgCanvas page(kPageWidth, kPageHeight, true);
    const GraphPageLayout drawn = drawGraphPage(page, record, messages, view);
    if (layout != nullptr) *layout = drawn;
    return page.document();
}

}  // namespace korvell
