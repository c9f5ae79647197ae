#include "graphs/Plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/Format.h"

namespace korvell {
namespace {

// Sizes of a surface are limited to this, so no placement product can overflow.
constexpr int kMaxPixels = 100000;
// Placed positions are limited to this far off the surface (points far outside in x are drawn).
constexpr double kMaxCoordinate = 1e6;
// At most this many decades on an axis and divisions on a linear y axis.
constexpr int kMaxDecades = 12;
constexpr int kMaxDivisions = 1000;

constexpr int kDefaultDivisions = 10;
constexpr int kMostDivisions = 27;  // more are halved
constexpr double kDivisionsPerUnit = 0.2;
constexpr double kLabelRow = 0.92;     // x-axis numbers: their top at 0.92 yb
constexpr int kSymbolParts = 80;       // the cross reaches (xr - xl) / 80 each way
constexpr int kGroundMarginParts = 8;  // a text's ground reaches 1/8 of a line beyond its cell

// Tick multipliers within a decade.
constexpr std::array<double, 10> kTicks = {1, 1.5, 2, 3, 4, 5, 6, 7, 8, 9};

// Relative tolerance of "whole number" tests on single-precision axis values.
constexpr double kWholeTolerance = 1e-4;
constexpr int kMostDecimals = 3;

std::optional<int> toPixel(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return static_cast<int>(std::clamp(value, -kMaxCoordinate, kMaxCoordinate));
}

PlotFrame completeFrame(PlotFrame f) {
    f.wP = static_cast<float>(f.xr - static_cast<double>(f.x0));
    f.hP = static_cast<float>(2 * f.yt - f.yb);
    return f;
}

bool isWhole(double value) {
    return std::fabs(value - std::round(value)) <=
           kWholeTolerance * std::max(1.0, std::fabs(value));
}

// Decimals that show the value as it is (at most kMostDecimals).
int decimalsOf(double value) {
    double scaledValue = value;
    for (int decimals = 0; decimals < kMostDecimals; ++decimals, scaledValue *= 10) {
        if (isWhole(scaledValue)) return decimals;
    }
    return kMostDecimals;
}

// "%3.0f" and a suffix; with the decimals a value that is not whole needs.
std::string numberText(double value, const char* suffix, int minDecimals = 0) {
    const int decimals = std::max(minDecimals, decimalsOf(value));
    return strprintf("%3.*f%s", decimals, value, suffix);
}

bool unnumberedTick(double k) {
    return k == 6 || k == 8 || k == 9;
}

// The number of the x tick v (= 10^r k) of value X = v xMin.
std::string xAxisNumber(double X) {
    if (X < 1) return numberText(X, "", 1);
    if (X < 1000) return numberText(X, "");
    if (X >= 1000000) return numberText(X / 1000000, "M");
    return numberText(X / 1000, "k");
}

bool xTickNumbered(int r, double k, double v, double X, const PlotAxes& axes, int decades) {
    if (unnumberedTick(k)) return false;
    if (axes.xMin < 1 && ((r == 0 && (k == 1.5 || k == 4)) || (r == 1 && k == 1.5))) {
        return false;
    }
    if (std::fabs(X - 1.5) < 1e-6 || v == 150 || v == 400) return false;
    if (decades >= 4 && k != 1 && k != 3) return false;
    return true;
}

// Divisions of a linear y axis.
int linearDivisions(const PlotAxes& axes) {
    int d = kDefaultDivisions;
    if (axes.yMin >= 10) {
        const double ratio = static_cast<double>(axes.yMax) / axes.yMin;
        const double raw = ratio > 10 ? ratio - 1 : kDivisionsPerUnit * (axes.yMax - axes.yMin);
        d = raw > 0 ? static_cast<int>(std::min(raw, double(kMaxDivisions))) : 0;
        if (d > kMostDivisions) d /= 2;
    }
    // An axis of no divisions would divide by zero: it gets one.
    return std::max(d, 1);
}

// The numbers of one axis, written in order along it: each is left out when its cell would meet
// that of the number written before it.
class AxisNumbers {
  public:
    explicit AxisNumbers(Canvas& canvas, int left) : m_canvas(canvas), m_left(left) {}
    void write(int x, int y, const std::string& number) {
        const TextBox cell{x, y, m_canvas.textWidth(number), m_canvas.textHeight(number)};
        if (m_last && cell.meets(*m_last)) return;
        m_canvas.textOut(x, y, number);
        m_last = cell;
        m_left = std::min(m_left, x);
    }
    int left() const { return m_left; }

  private:
    Canvas& m_canvas;
    int m_left;
    std::optional<TextBox> m_last;
};

int drawLinearYScale(Canvas& canvas, const PlotFrame& f, const PlotAxes& axes) {
    const int d = linearDivisions(axes);
    const double range = static_cast<double>(axes.yMax) - axes.yMin;
    const int decimals = std::max(decimalsOf(range / d), decimalsOf(axes.yMin));
    const int x0 = static_cast<int>(f.x0);
    AxisNumbers numbers(canvas, x0);
    for (int r = 0; r <= d; ++r) {
        const auto y = toPixel(std::floor(r * double(f.hP) / d + 0.5 + f.yb - f.yt));
        if (!y) continue;
        canvas.moveTo(x0, *y);
        canvas.lineTo(f.xr, *y);
        const std::string number = strprintf("%3.*f", decimals, axes.yMin + range * r / d);
        const int w = canvas.textWidth(number);
        numbers.write(std::max(x0 - 5 * w / 4, f.xl), *y - canvas.textHeight(number) / 2, number);
    }
    return numbers.left();
}

int drawLogYScale(Canvas& canvas, const PlotFrame& f, const PlotAxes& axes, int decades) {
    const int x0 = static_cast<int>(f.x0);
    AxisNumbers numbers(canvas, x0);
    for (int r = 0; r <= decades; ++r) {
        for (const double k : kTicks) {
            if (r == decades && k != 1) break;
            const double v = std::pow(10.0, r) * k;
            const auto y = toPixel(std::floor(f.yb + f.hP * std::log10(v) / decades + 0.5 - f.yt));
            if (!y || *y > f.lowerEdge() || *y < f.upperEdge()) break;
            canvas.moveTo(x0, *y);
            canvas.lineTo(f.xr, *y);
            if (unnumberedTick(k)) continue;
            const double value = v * axes.sY;
            const std::string number =
                value >= 1000 ? numberText(value / 1000, "k") : numberText(value, "");
            const int w = canvas.textWidth(number);
            numbers.write(std::max(x0 - 3 * w / 2, f.xl), *y - canvas.textHeight(number) / 2,
                          number);
        }
    }
    return numbers.left();
}

void drawLogXScale(Canvas& canvas, const PlotFrame& f, const PlotAxes& axes) {
    const int decades = std::clamp(axes.xDecades, 1, kMaxDecades);
    const int labelRow = scaled(kLabelRow, f.yb);
    AxisNumbers numbers(canvas, 0);
    for (int r = 0; r <= decades; ++r) {
        for (const double k : kTicks) {
            if (r == decades && k != 1) break;
            const double v = std::pow(10.0, r) * k;
            const auto x = toPixel(std::floor(std::log10(v) * f.wP / decades + f.x0 + 0.5));
            if (!x) continue;
            canvas.moveTo(*x, f.upperEdge());
            canvas.lineTo(*x, f.lowerEdge());
            const double X = v * axes.xMin;
            if (!xTickNumbered(r, k, v, X, axes, decades)) continue;
            const std::string number = xAxisNumber(X);
            numbers.write(*x - canvas.textWidth(number) / 2, labelRow, number);
        }
    }
}

void drawLinearXScale(Canvas& canvas, const PlotFrame& f, const PlotAxes& axes) {
    const int d = std::clamp(axes.xDivisions, 1, kMaxDivisions);
    const double range = static_cast<double>(axes.xMax) - axes.xMin;
    const int decimals = std::max(decimalsOf(range / d), decimalsOf(axes.xMin));
    const int labelRow = scaled(kLabelRow, f.yb);
    AxisNumbers numbers(canvas, 0);
    for (int r = 0; r <= d; ++r) {
        const auto x = toPixel(std::floor(f.x0 + 0.5 + f.wP * r / d));
        if (!x) continue;
        canvas.moveTo(*x, f.upperEdge());
        canvas.lineTo(*x, f.lowerEdge());
        const std::string number = strprintf("%.*f", decimals, axes.xMin + range * r / d);
        numbers.write(*x - canvas.textWidth(number) / 2, labelRow, number);
    }
}

}  // namespace

PlotFrame windowPlotFrame(int width, int height) {
    const int w = std::clamp(width, 0, kMaxPixels);
    const int h = std::clamp(height, 0, kMaxPixels);
    return completeFrame({static_cast<float>(w / 10), w * 11 / 12, h * 19 / 20, w / 20, h / 12});
}

PlotFrame pagePlotFrame(int width, int height) {
    const int w = std::clamp(width, 0, kMaxPixels);
    const int h = std::clamp(height, 0, kMaxPixels);
    return completeFrame({static_cast<float>(w * 0.1), w * 11 / 12, h * 19 / 20, w / 20, h / 8});
}

std::optional<int> plotX(const PlotFrame& f, const PlotAxes& axes, double x) {
    if (axes.xDecades > 0) {
        if (!(x > 0)) return std::nullopt;
        return toPixel(std::floor(f.x0 + 0.5 + f.wP * std::log10(x / axes.xMin) / axes.xDecades));
    }
    if (axes.linearX()) {
        return toPixel(std::floor(f.x0 + 0.5 + f.wP * (x - axes.xMin) / (axes.xMax - axes.xMin)));
    }
    if (axes.xDecades == 0) return toPixel(std::floor(f.x0 + 0.5 + f.wP * x / axes.xMin));
    return std::nullopt;
}

std::optional<int> plotY(const PlotFrame& f, const PlotAxes& axes, double y) {
    if (axes.yDecades > 0) {
        if (!(y > 0)) return std::nullopt;
        return toPixel(
            std::floor(f.yb + f.hP * std::log10(y / axes.sY) / axes.yDecades + 0.5 - f.yt));
    }
    if (axes.yDecades < 0) return std::nullopt;
    const double range = static_cast<double>(axes.yMax) - axes.yMin;
    const double placed = std::floor(f.hP * (y - axes.yMin) * axes.sY / range + 0.5);
    if (!std::isfinite(placed)) return std::nullopt;
    return toPixel(placed + f.yb - f.yt);
}

int DrawGraphAxes(Canvas& canvas, const PlotFrame& frame, const PlotAxes& axes) {
    canvas.setPen(kGridColor, penWidth(canvas, kGridPenPoints));
    const int numbersLeft =
        axes.yDecades > 0 ? drawLogYScale(canvas, frame, axes, std::min(axes.yDecades, kMaxDecades))
                          : drawLinearYScale(canvas, frame, axes);
    if (axes.linearX()) {
        drawLinearXScale(canvas, frame, axes);
    } else {
        drawLogXScale(canvas, frame, axes);
    }
    // The frame over the grid's outer lines.
    const int x0 = static_cast<int>(frame.x0);
    canvas.setPen(colors::kBlack, penWidth(canvas, kFramePenPoints));
    canvas.moveTo(x0, frame.upperEdge());
    canvas.lineTo(frame.xr, frame.upperEdge());
    canvas.lineTo(frame.xr, frame.lowerEdge());
    canvas.lineTo(x0, frame.lowerEdge());
    canvas.lineTo(x0, frame.upperEdge());
    return numbersLeft;
}

void DrawCurve(Canvas& canvas, std::span<const CurvePoint> points, const PlotFrame& frame,
               const PlotAxes& axes) {
    PlotAxes placing = axes;
    if (placing.xMin == 0 && !placing.linearX()) placing.xMin = 1;
    bool penDown = false;
    for (const CurvePoint& p : points) {
        const auto y = plotY(frame, placing, p.y);
        const auto x = y ? plotX(frame, placing, p.x) : std::nullopt;
        if (!x || *y < frame.upperEdge() || *y > frame.lowerEdge()) {
            penDown = false;
            continue;
        }
        if (!penDown) canvas.moveTo(*x, *y);
        canvas.lineTo(*x, *y);
        penDown = true;
    }
}

TextBox centredTextBox(Canvas& canvas, std::string_view text, int x, int y) {
    const int w = canvas.textWidth(text);
    const int h = canvas.textHeight(text);
    return {x - w / 2, y - h / 2, w, h};
}

int groundMargin(Canvas& canvas) {
    return std::max(1, canvas.textHeight("0") / kGroundMarginParts);
}

TextBox groundOf(Canvas& canvas, const TextBox& cell) {
    const int margin = groundMargin(canvas);
    return {cell.left - margin, cell.top - margin, cell.width + 2 * margin,
            cell.height + 2 * margin};
}

TextBox keptInsidePlot(Canvas& canvas, const PlotFrame& frame, TextBox cell) {
    const int margin = groundMargin(canvas);
    const int left = static_cast<int>(frame.x0) + margin;
    const int top = frame.upperEdge() + margin;
    cell.left = std::clamp(cell.left, left, std::max(left, frame.xr - margin - cell.width));
    cell.top = std::clamp(cell.top, top, std::max(top, frame.lowerEdge() - margin - cell.height));
    return cell;
}

bool insidePlot(const PlotFrame& frame, const TextBox& box) {
    return box.left >= static_cast<int>(frame.x0) && box.right() <= frame.xr &&
           box.top >= frame.upperEdge() && box.bottom() <= frame.lowerEdge();
}

void writeOnGround(Canvas& canvas, std::string_view text, const TextBox& cell, Color ground) {
    const TextBox g = groundOf(canvas, cell);
    canvas.setBrushColor(ground);
    canvas.fillRect(g.left, g.top, g.width, g.height);
    canvas.textOut(cell.left, cell.top, text);
}

std::optional<TextBox> PlotTextAt(Canvas& canvas, std::string_view text, double x, double y,
                                  const PlotFrame& frame, const PlotAxes& axes, Color ground) {
    const auto px = plotX(frame, axes, x);
    const auto py = plotY(frame, axes, y);
    if (!px || !py) return std::nullopt;
    if (text == kPlotSymbol) {
        const int m = (frame.xr - frame.xl) / kSymbolParts;
        canvas.setPen(colors::kBlack, penWidth(canvas, kSymbolPenPoints, 2));
        canvas.moveTo(*px - m, *py);
        canvas.lineTo(*px + m, *py);
        canvas.moveTo(*px, *py - m);
        canvas.lineTo(*px, *py + m);
        canvas.setPen(colors::kBlack, penWidth(canvas, kFramePenPoints));
        return std::nullopt;
    }
    const FontSpec font = canvas.font();
    const auto placed = placePlotText(canvas, text, x, y, frame, axes);
    if (!placed) return std::nullopt;
    canvas.setFont(placed->font);
    writeOnGround(canvas, text, placed->cell, ground);
    if (!(canvas.font() == font)) canvas.setFont(font);
    return placed->cell;
}

int plotSymbolReach(const PlotFrame& frame) {
    return (frame.xr - frame.xl) / kSymbolParts;
}

std::optional<PlacedText> placePlotText(Canvas& canvas, std::string_view text, double x, double y,
                                        const PlotFrame& frame, const PlotAxes& axes) {
    const auto px = plotX(frame, axes, x);
    const auto py = plotY(frame, axes, y);
    if (!px || !py) return std::nullopt;
    // A text wider than the plot, with its ground, is written smaller.
    const FontSpec font = canvas.font();
    PlacedText placed{{}, font};
    const int room = frame.xr - static_cast<int>(frame.x0);
    const int needed = groundOf(canvas, centredTextBox(canvas, text, 0, 0)).width;
    if (needed > room && room > 0) {
        placed.font.height =
            std::max(1, static_cast<int>(static_cast<long long>(font.height) * room / needed));
        canvas.setFont(placed.font);
    }
    placed.cell = keptInsidePlot(canvas, frame, centredTextBox(canvas, text, *px, *py));
    if (!(canvas.font() == font)) canvas.setFont(font);
    return placed;
}

namespace {

// Whether the segment from (x0, y0) to (x1, y1) meets the box (its edges included): an end
// inside it, or a crossing of one of its edges.
bool segmentMeets(double x0, double y0, double x1, double y1, const TextBox& box) {
    const double left = box.left, right = box.right(), top = box.top, bottom = box.bottom();
    const auto inside = [&](double x, double y) {
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (inside(x0, y0) || inside(x1, y1)) return true;
    // Clip the segment's parameter range to the box, one slab at a time (Liang-Barsky).
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const auto clip = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    return clip(-dx, x0 - left) && clip(dx, right - x0) && clip(-dy, y0 - top) &&
           clip(dy, bottom - y0) && t0 <= t1;
}

}  // namespace

bool curvePassesThrough(std::span<const CurvePoint> points, const PlotFrame& frame,
                        const PlotAxes& axes, const TextBox& box) {
    std::optional<std::pair<int, int>> previous;
    for (const CurvePoint& p : points) {
        const auto x = plotX(frame, axes, p.x);
        const auto y = plotY(frame, axes, p.y);
        if (!x || !y) {
            previous.reset();
            continue;
        }
        if (previous && segmentMeets(previous->first, previous->second, *x, *y, box)) return true;
        if (!previous && segmentMeets(*x, *y, *x, *y, box)) return true;
        previous = std::pair{*x, *y};
    }
    return false;
}

}  // namespace korvell
