#include "graphs/ExplorerChart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/Format.h"

namespace korvell {
namespace {

constexpr Color kFrontColor{220, 0, 0};
constexpr Color kGridColor{200, 200, 200};
// Colour per stack of 1 to 4 cores.
constexpr std::array<Color, 4> kStackColors = {Color{0, 90, 200}, Color{0, 150, 60},
                                               Color{230, 130, 0}, Color{140, 50, 170}};
constexpr std::array<const char*, 3> kShapeLegend = {"TOROID", "E-CORE", "COMPOSITE"};
// The largest plot (pixels) whose markers are drawn once per pixel, shape and colour.
constexpr long long kMostPixelsSpared = 4'000'000;

// A number of a scale as the axis prints it.
std::string tickText(double value) {
    if (value != 0 && (std::fabs(value) >= 1e5 || std::fabs(value) < 1e-3)) {
        return strprintf("%.0e", value);
    }
    return strprintf("%g", value);
}

// The marker of a shape, centred on (x, y), half-size s, as lines added to `lines`: toroid a
// plus, E-core a cross, composite a square.
void addMarker(std::vector<Segment>& lines, std::int8_t shape, int x, int y, int s) {
    switch (shape) {
        case kECore:
            lines.push_back({x - s, y - s, x + s + 1, y + s + 1});
            lines.push_back({x - s, y + s, x + s + 1, y - s - 1});
            break;
        case kComposite:
            lines.push_back({x - s, y - s, x + s, y - s});
            lines.push_back({x + s, y - s, x + s, y + s});
            lines.push_back({x + s, y + s, x - s, y + s});
            lines.push_back({x - s, y + s, x - s, y - s});
            break;
        default:
            lines.push_back({x - s, y, x + s + 1, y});
            lines.push_back({x, y - s, x, y + s + 1});
            break;
    }
}

// A ring of radius r round (x, y), as twelve chords.
void addRing(std::vector<Segment>& lines, int x, int y, int r) {
    constexpr int kChords = 12;
    const auto at = [&](int k) {
        const double a = 2 * 3.14159265358979 * k / kChords;
        return std::pair{x + static_cast<int>(std::lround(r * std::cos(a))),
                         y + static_cast<int>(std::lround(r * std::sin(a)))};
    };
    for (int k = 0; k < kChords; ++k) {
        const auto [x0, y0] = at(k);
        const auto [x1, y1] = at(k + 1);
        lines.push_back({x0, y0, x1, y1});
    }
}

std::string axisCaption(Objective objective) {
    return std::string(objectiveCaption(objective)) + " (" +
           std::string(objectiveUnits(objective)) + ")";
}

// A part of a surface as a surface of its own: the chart drawn into the upper part of a page.
class AreaCanvas : public Canvas {
  public:
    AreaCanvas(Canvas& base, int left, int top, int width, int height)
        : m_base(base), m_left(left), m_top(top), m_width(width), m_height(height) {}
    int width() const override { return m_width; }
    int height() const override { return m_height; }
    bool isPrinter() const override { return m_base.isPrinter(); }
    int dotsPerInch() const override { return m_base.dotsPerInch(); }
    void setBrushColor(Color color) override { m_base.setBrushColor(color); }
    void fillRect(int x, int y, int w, int h) override {
        m_base.fillRect(x + m_left, y + m_top, w, h);
    }
    void setPen(Color color, int width) override { m_base.setPen(color, width); }
    void moveTo(int x, int y) override { m_base.moveTo(x + m_left, y + m_top); }
    void lineTo(int x, int y) override { m_base.lineTo(x + m_left, y + m_top); }
    void setFont(const FontSpec& font) override { m_base.setFont(font); }
    const FontSpec& font() const override { return m_base.font(); }
    void textOut(int x, int y, std::string_view text) override {
        m_base.textOut(x + m_left, y + m_top, text);
    }
    int textWidth(std::string_view text) override { return m_base.textWidth(text); }
    int textHeight(std::string_view text) override { return m_base.textHeight(text); }

  private:
    Canvas& m_base;
    int m_left;
    int m_top;
    int m_width;
    int m_height;
};

// The chart's frame, scales and fonts on one surface.
struct ChartFrame {
    int W = 0;
    int H = 0;
    FontSpec font;
    FontSpec titleFont;
    int lineHeight = 0;
    ChartScale sx;
    ChartScale sy;
    std::vector<double> xs;  // per design, the two figures
    std::vector<double> ys;
    int s = 2;  // half-size of a marker
    int px(const ExplorerChartLayout& l, double v) const {
        return l.left + static_cast<int>(std::lround(sx.fraction(v) * (l.right - l.left)));
    }
    int py(const ExplorerChartLayout& l, double v) const {
        return l.bottom - static_cast<int>(std::lround(sy.fraction(v) * (l.bottom - l.top)));
    }
};

ChartFrame chartFrame(Canvas& canvas, const DesignSpace& space, const ExplorerChartView& view,
                      ExplorerChartLayout& layout) {
    ChartFrame f;
    f.W = canvas.width();
    f.H = canvas.height();
    f.font.height = std::max({8, view.minFontHeight, std::min(f.W, f.H) / 45});
    f.titleFont = f.font;
    f.titleFont.bold = true;
    f.titleFont.height = f.font.height * 5 / 4;
    canvas.setFont(f.font);
    f.lineHeight = canvas.textHeight("0");
    // Room for the tick numbers and the captions however large the text: the frame's margins
    // grow with the line height.
    layout.left = std::max(f.W / 10, f.lineHeight * 4);
    layout.top = std::max(f.H / 10, f.lineHeight * 3);
    layout.bottom = f.H - std::max(f.H / 8, f.lineHeight * 3);
    layout.right = std::max(layout.left + 1, std::min(f.W * 3 / 4, f.W - f.lineHeight * 9));
    f.xs.reserve(space.designs.size());
    f.ys.reserve(space.designs.size());
    for (const auto& d : space.designs) {
        f.xs.push_back(d.objective(view.x));
        f.ys.push_back(d.objective(view.y));
    }
    f.sx = chartScale(f.xs);
    f.sy = chartScale(f.ys);
    f.s = std::max(2, std::min(f.W, f.H) / 250);
    return f;
}

void drawTitle(Canvas& canvas, const ChartFrame& f, const ExplorerChartView& view) {
    canvas.setFont(f.titleFont);
    const std::string title = "DESIGN EXPLORER: " + std::string(objectiveCaption(view.y)) +
                              " AGAINST " + std::string(objectiveCaption(view.x));
    canvas.textOut(std::max(0, (f.W - canvas.textWidth(title)) / 2), f.H / 40, title);
    canvas.setFont(f.font);
}

// The grid at the ticks, the tick numbers where they do not overlap, the frame and the captions.
void drawScales(Canvas& canvas, const ChartFrame& f, const ExplorerChartLayout& l,
                const ExplorerChartView& view) {
    const int lineHeight = f.lineHeight;
    std::vector<Segment> grid;
    for (const double t : f.sx.ticks)
        grid.push_back({f.px(l, t), l.top, f.px(l, t), l.bottom});
    for (const double t : f.sy.ticks)
        grid.push_back({l.left, f.py(l, t), l.right, f.py(l, t)});
    canvas.setPen(kGridColor, penWidth(canvas, 0.25));
    canvas.drawSegments(grid);
    int lastRight = -1;
    for (const double t : f.sx.ticks) {
        const int x = f.px(l, t);
        const std::string text = tickText(t);
        const int w = canvas.textWidth(text);
        if (x - w / 2 > lastRight) {
            canvas.textOut(x - w / 2, l.bottom + lineHeight / 4, text);
            lastRight = x + w / 2 + w / 4;
        }
    }
    int lastTop = f.H + 1;
    for (const double t : f.sy.ticks) {
        const int y = f.py(l, t);
        const std::string text = tickText(t);
        if (y + lineHeight / 2 < lastTop) {
            canvas.textOut(l.left - canvas.textWidth(text) - lineHeight / 3, y - lineHeight / 2,
                           text);
            lastTop = y - lineHeight / 2;
        }
    }
    canvas.setPen(colors::kBlack, penWidth(canvas, 0.75));
    canvas.drawSegments({{l.left, l.top, l.right, l.top},
                         {l.right, l.top, l.right, l.bottom},
                         {l.right, l.bottom, l.left, l.bottom},
                         {l.left, l.bottom, l.left, l.top}});
    const std::string xCaption = axisCaption(view.x) + (f.sx.logarithmic ? ", LOG" : "");
    canvas.textOut(l.left + (l.right - l.left - canvas.textWidth(xCaption)) / 2,
                   l.bottom + lineHeight * 3 / 2, xCaption);
    const std::string yCaption = axisCaption(view.y) + (f.sy.logarithmic ? ", LOG" : "");
    canvas.textOut(std::max(0, l.left - lineHeight * 3), l.top - lineHeight * 3 / 2, yCaption);
}

// Every design with both figures drawable: its markers gathered per stack colour and drawn in
// one call, a batch per colour. A marker of the same shape and colour already drawn on the same
// pixel is not drawn again: it would change nothing, and thousands of designs share pixels.
void drawDesigns(Canvas& canvas, const DesignSpace& space, const ChartFrame& f,
                 ExplorerChartLayout& l) {
    std::vector<Canvas::SegmentBatch> byStack(kStackColors.size());
    for (std::size_t k = 0; k < kStackColors.size(); ++k)
        byStack[k].color = kStackColors[k];
    const int w = std::max(1, l.right - l.left + 1);
    const int h = std::max(1, l.bottom - l.top + 1);
    // On a screen's plot, a bit per pixel, shape and colour; a printer's page at its
    // resolution would need too many, and draws every marker.
    const bool sparing = static_cast<long long>(w) * h <= kMostPixelsSpared;
    std::vector<bool> drawn(sparing ? kStackColors.size() * kShapeLegend.size() *
                                          static_cast<std::size_t>(w) * static_cast<std::size_t>(h)
                                    : 0);
    l.points.resize(space.designs.size());
    for (std::size_t i = 0; i < space.designs.size(); ++i) {
        const double x = f.xs[i];
        const double y = f.ys[i];
        if (!std::isfinite(x) || !std::isfinite(y)) continue;
        if ((f.sx.logarithmic && !(x > 0)) || (f.sy.logarithmic && !(y > 0))) continue;
        const auto& d = space.designs[i];
        const auto [px, py] = std::pair{f.px(l, x), f.py(l, y)};
        l.points[i] = std::pair{px, py};
        const std::size_t colour = static_cast<std::size_t>(std::clamp(d.stack, 1, 4) - 1);
        const std::size_t shape = static_cast<std::size_t>(std::clamp<int>(d.shape, 0, 2));
        const std::size_t at =
            ((colour * kShapeLegend.size() + shape) * static_cast<std::size_t>(h) +
             static_cast<std::size_t>(std::clamp(py - l.top, 0, h - 1))) *
                static_cast<std::size_t>(w) +
            static_cast<std::size_t>(std::clamp(px - l.left, 0, w - 1));
        if (sparing) {
            if (drawn[at]) continue;
            drawn[at] = true;
        }
        addMarker(byStack[colour].segments, d.shape, px, py, f.s);
    }
    canvas.drawSegmentBatches(byStack, penWidth(canvas, 0.5));
}

// The listed designs of the thinned front: a red mark and a red ring each, joined by ascending
// x only when the two axes are the front's only objectives (else a line would claim an order
// the front does not have); the selected design framed in black.
void drawFront(Canvas& canvas, const DesignSpace& space, const ChartFrame& f,
               const ExplorerChartView& view, ExplorerChartLayout& l) {
    for (const std::size_t i : space.listed) {
        if (i < l.points.size() && l.points[i]) l.front.push_back(i);
    }
    std::stable_sort(l.front.begin(), l.front.end(), [&](std::size_t a, std::size_t b) {
        return f.xs[a] < f.xs[b] || (f.xs[a] == f.xs[b] && f.ys[a] < f.ys[b]);
    });
    const auto& o = space.objectives;
    l.joined = o.size() == 2 && std::find(o.begin(), o.end(), view.x) != o.end() &&
               std::find(o.begin(), o.end(), view.y) != o.end() && view.x != view.y;
    const int s = f.s;
    std::vector<Segment> lines;
    for (std::size_t k = 0; l.joined && k + 1 < l.front.size(); ++k) {
        const auto [x0, y0] = *l.points[l.front[k]];
        const auto [x1, y1] = *l.points[l.front[k + 1]];
        lines.push_back({x0, y0, x1, y1});
    }
    canvas.setPen(kFrontColor, penWidth(canvas, 1.5, 2));
    canvas.drawSegments(lines);
    // The rings in a one-pixel pen on a screen: hundreds of them drawn as wide lines would
    // cost more than every other design's marker.
    std::vector<Segment> rings;
    for (const std::size_t i : l.front)
        addRing(rings, l.points[i]->first, l.points[i]->second, 2 * s + 1);
    canvas.setPen(kFrontColor, penWidth(canvas, 1.0));
    canvas.drawSegments(rings);
    canvas.setBrushColor(kFrontColor);
    for (const std::size_t i : l.front) {
        const auto [x, y] = *l.points[i];
        canvas.fillRect(x - s, y - s, 2 * s + 1, 2 * s + 1);
    }
    if (view.selected && *view.selected < l.points.size() && l.points[*view.selected]) {
        const auto [x, y] = *l.points[*view.selected];
        const int r = 3 * s + 2;
        canvas.setPen(colors::kBlack, penWidth(canvas, 1.5, 2));
        canvas.drawSegments({{x - r, y - r, x + r, y - r},
                             {x + r, y - r, x + r, y + r},
                             {x + r, y + r, x - r, y + r},
                             {x - r, y + r, x - r, y - r}});
    }
}

// The legend right of the frame: the shapes present, the stacks present, the front's mark and
// the counts.
void drawLegend(Canvas& canvas, const DesignSpace& space, const ChartFrame& f,
                const ExplorerChartLayout& l) {
    const int lineHeight = f.lineHeight;
    const int s = f.s;
    const int lx = l.right + std::max(f.W / 40, lineHeight / 2);
    int ly = l.top;
    const int step = lineHeight * 3 / 2;
    canvas.setFont(f.titleFont);
    canvas.textOut(lx, ly, "LEGEND");
    canvas.setFont(f.font);
    ly += step;
    std::array<bool, 3> shapes{};
    std::array<bool, 4> stacks{};
    for (const auto& d : space.designs) {
        shapes[static_cast<std::size_t>(std::clamp<int>(d.shape, 0, 2))] = true;
        stacks[static_cast<std::size_t>(std::clamp(d.stack, 1, 4) - 1)] = true;
    }
    const int mark = lx + s + 1;
    const int textX = lx + 4 * s + lineHeight / 2;
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        if (!shapes[k]) continue;
        std::vector<Segment> marker;
        addMarker(marker, static_cast<std::int8_t>(k), mark, ly + lineHeight / 2, s);
        canvas.setPen(colors::kBlack, penWidth(canvas, 0.5));
        canvas.drawSegments(marker);
        canvas.textOut(textX, ly, kShapeLegend[k]);
        ly += step;
    }
    for (std::size_t k = 0; k < stacks.size(); ++k) {
        if (!stacks[k]) continue;
        canvas.setBrushColor(kStackColors[k]);
        canvas.fillRect(lx, ly + lineHeight / 2 - s, 2 * s + 1, 2 * s + 1);
        canvas.textOut(textX, ly,
                       k == 0 ? std::string("1 CORE") : strprintf("%d CORES", int(k + 1)));
        ly += step;
    }
    canvas.setBrushColor(kFrontColor);
    canvas.fillRect(lx, ly + lineHeight / 2 - s, 2 * s + 1, 2 * s + 1);
    canvas.textOut(textX, ly, "FRONT");
    ly += step;
    canvas.textOut(lx, ly, strprintf("%zu DESIGNS", space.designs.size()));
    ly += step;
    canvas.textOut(lx, ly, strprintf("%zu LISTED", l.front.size()));
    ly += step;
    canvas.textOut(lx, ly, strprintf("OF %zu ON THE FRONT", space.front.size()));
}

std::string objectivesText(const std::vector<Objective>& objectives) {
    std::string names;
    for (const Objective o : objectives)
        names += (names.empty() ? "" : ", ") + std::string(objectiveCaption(o));
    return names;
}

// The columns a printed row shows, in order: the table's, the check figures only where the
// space has them.
std::vector<int> printedColumns(const DesignSpace& space) {
    std::vector<int> columns;
    for (int c = 0; c < kExplorerColumns; ++c) {
        if (!space.checkFigures && (c == kCheckLossColumn || c == kCheckRiseColumn)) continue;
        columns.push_back(c);
    }
    return columns;
}

// The front's table on a page from y down: headings, then rows [first, last) of `rows`, each
// column as wide as its widest text.
void drawFrontRows(Canvas& canvas, const DesignSpace& space, const std::vector<std::size_t>& rows,
                   std::size_t first, std::size_t last, int left, int y, int line,
                   const FontSpec& font) {
    const std::vector<int> columns = printedColumns(space);
    std::vector<std::array<ExplorerCell, kExplorerColumns>> cells;
    for (std::size_t k = first; k < last; ++k)
        cells.push_back(explorerCells(space.designs[rows[k]]));
    FontSpec bold = font;
    bold.bold = true;
    canvas.setFont(bold);
    std::vector<int> xs;
    int x = left;
    for (const int c : columns) {
        xs.push_back(x);
        int w = canvas.textWidth(kExplorerHeadings[static_cast<std::size_t>(c)]);
        for (const auto& row : cells)
            w = std::max(w, canvas.textWidth(row[static_cast<std::size_t>(c)].text));
        x += w + line;
    }
    for (std::size_t k = 0; k < columns.size(); ++k)
        canvas.textOut(xs[k], y, kExplorerHeadings[static_cast<std::size_t>(columns[k])]);
    canvas.setFont(font);
    for (const auto& row : cells) {
        y += line;
        for (std::size_t k = 0; k < columns.size(); ++k)
            canvas.textOut(xs[k], y, row[static_cast<std::size_t>(columns[k])].text);
    }
}

// log2 of a positive finite value, to about 1e-12, by arithmetic alone: the binary exponent, and
// the logarithm of the mantissa (brought into [0.71, 1.41)) as 2 atanh((m - 1) / (m + 1)) by its
// series. A chart places tens of thousands of points per frame, and the library's logarithm,
// called from a window's paint, has been measured at a hundred nanoseconds a call.
double log2Of(double value) {
    int exponent = 0;
    double m = std::frexp(value, &exponent);
    if (m < 0.70710678118654752) {
        m *= 2;
        --exponent;
    }
    const double z = (m - 1) / (m + 1);
    const double z2 = z * z;
    const double series =
        1 + z2 * (1.0 / 3 +
                  z2 * (1.0 / 5 + z2 * (1.0 / 7 + z2 * (1.0 / 9 + z2 * (1.0 / 11 + z2 / 13)))));
    return exponent + 2 * z * series * 1.4426950408889634;
}

}  // namespace

double ChartScale::fraction(double value) const {
    if (logarithmic) {
        if (!(value > 0)) return 0;
        // The decades of the ends are known: one logarithm per value.
        return (log2Of(value) - log2Low) / (log2High - log2Low);
    }
    return high > low ? (value - low) / (high - low) : 0.5;
}

ChartScale chartScale(const std::vector<double>& values) {
    ChartScale scale;
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    for (const double v : values) {
        if (!std::isfinite(v)) continue;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (lo > hi) {
        lo = 0;
        hi = 1;
    }
    if (lo > 0 && hi > 10 * lo) {
        scale.logarithmic = true;
        const double first = std::floor(std::log10(lo));
        const double last = std::ceil(std::log10(hi));
        scale.low = std::pow(10.0, first);
        scale.high = std::pow(10.0, last);
        scale.log2Low = log2Of(scale.low);
        scale.log2High = log2Of(scale.high);
        for (double d = first; d < last; ++d) {
            for (const double m : {1.0, 2.0, 5.0})
                scale.ticks.push_back(m * std::pow(10.0, d));
        }
        scale.ticks.push_back(scale.high);
        return scale;
    }
    if (hi == lo) {
        // One value: a range round it.
        const double half = lo == 0 ? 1 : std::fabs(lo) * 0.1;
        lo -= half;
        hi += half;
    }
    const double raw = (hi - lo) / 6;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= raw) break;
    }
    scale.low = std::floor(lo / step) * step;
    scale.high = std::ceil(hi / step) * step;
    for (double t = scale.low; t <= scale.high + step * 0.5; t += step)
        scale.ticks.push_back(std::fabs(t) < step * 1e-9 ? 0 : t);
    return scale;
}

ExplorerChartLayout drawExplorerChart(Canvas& canvas, const DesignSpace& space,
                                      const ExplorerChartView& view) {
    ExplorerChartLayout layout;
    canvas.setBrushColor(colors::kWhite);
    canvas.fillRect(0, 0, canvas.width(), canvas.height());
    const ChartFrame f = chartFrame(canvas, space, view, layout);
    drawTitle(canvas, f, view);
    drawScales(canvas, f, layout, view);
    if (space.designs.empty()) {
        const std::string& none = view.emptyText;
        canvas.textOut(layout.left + (layout.right - layout.left - canvas.textWidth(none)) / 2,
                       (layout.top + layout.bottom) / 2 - f.lineHeight / 2, none);
        return layout;
    }
    drawDesigns(canvas, space, f, layout);
    drawFront(canvas, space, f, view, layout);
    drawLegend(canvas, space, f, layout);
    return layout;
}

std::string objectiveText(Objective objective, double value) {
    if (!std::isfinite(value)) return {};
    switch (objective) {
        case Objective::Price:
            return strprintf("%.2f", value);
        case Objective::Loss:
        case Objective::CheckLoss:
            return strprintf("%.3f", value);
        default:
            return strprintf("%.1f", value);
    }
}

double designInductanceUh(const ExploredDesign& d) {
    return d.result.inductanceUh;
}

const std::array<const char*, kExplorerColumns> kExplorerHeadings = {
    "PART NUMBER", "TURNS",  "WIRE",           "PRICE $",        "LOSS W",
    "SIZE cm2",    "RISE C", "CHECKED LOSS W", "CHECKED RISE C", "L (\u00b5H)",
    "SIMILAR",     "SHAPE",  "STACK",          "STRANDS",        "WINDING"};

ExplorerColumn objectiveColumn(Objective objective) {
    switch (objective) {
        case Objective::Price:
            return kPriceColumn;
        case Objective::Loss:
            return kLossColumn;
        case Objective::Size:
            return kSizeColumn;
        case Objective::TempRise:
            return kRiseColumn;
        case Objective::CheckLoss:
            return kCheckLossColumn;
        case Objective::CheckRise:
            return kCheckRiseColumn;
    }
    return kPriceColumn;
}

std::array<ExplorerCell, kExplorerColumns> explorerCells(const ExploredDesign& d) {
    const auto figure = [&d](Objective o) {
        const double v = d.objective(o);
        return ExplorerCell{objectiveText(o, v),
                            std::isfinite(v) ? v : std::numeric_limits<double>::infinity()};
    };
    const double inductance = designInductanceUh(d);
    std::array<ExplorerCell, kExplorerColumns> cells;
    cells[kPartNumberColumn] = {d.result.partNumber,
                                d.shape * 1e6 + d.catalogIndex * 10.0 + d.stack};
    cells[kTurnsColumn] = {strprintf("%d", d.result.turns), static_cast<double>(d.result.turns)};
    cells[kWireColumn] = {trimmed(d.result.wire), static_cast<double>(d.wire.area)};
    cells[kPriceColumn] = figure(Objective::Price);
    cells[kLossColumn] = figure(Objective::Loss);
    cells[kSizeColumn] = figure(Objective::Size);
    cells[kRiseColumn] = figure(Objective::TempRise);
    cells[kCheckLossColumn] = figure(Objective::CheckLoss);
    cells[kCheckRiseColumn] = figure(Objective::CheckRise);
    cells[kInductanceColumn] = {strprintf("%.1f", inductance), inductance};
    cells[kSimilarColumn] = {d.similar > 0 ? strprintf("+%d", d.similar) : std::string(),
                             static_cast<double>(d.similar)};
    cells[kShapeColumn] = {kShapeLegend[static_cast<std::size_t>(std::clamp<int>(d.shape, 0, 2))],
                           static_cast<double>(d.shape)};
    cells[kStackColumn] = {strprintf("%d", d.stack), static_cast<double>(d.stack)};
    cells[kStrandsColumn] = {strprintf("%d", d.result.strands),
                             static_cast<double>(d.result.strands)};
    cells[kWindingColumn] = {d.winding == kSingleLayer ? "SINGLE LAYER" : "FULL WINDOW",
                             static_cast<double>(d.winding)};
    return cells;
}

std::string explorerStatusText(const ExploredDesign& d, const std::vector<Objective>& objectives) {
    std::string text = strprintf("%s, %s, %d TURNS, %s \u00d7 %d, %s", d.result.partNumber.c_str(),
                                 d.stack == 1 ? "1 CORE" : strprintf("%d CORES", d.stack).c_str(),
                                 d.result.turns, trimmed(d.result.wire).c_str(), d.result.strands,
                                 d.winding == kSingleLayer ? "SINGLE LAYER" : "FULL WINDOW");
    const char* separator = "; ";
    for (const Objective o : objectives) {
        const std::string value = objectiveText(o, d.objective(o));
        text +=
            separator + std::string(objectiveCaption(o)) + " " +
            (value.empty() ? std::string("UNKNOWN") : value + " " + std::string(objectiveUnits(o)));
        separator = ", ";
    }
    return text;
}

int drawExplorerPages(Canvas& canvas, const DesignSpace& space, const ExplorerChartView& view,
                      const std::vector<std::size_t>& rows, const ExplorerPrintout& printout) {
    const int W = canvas.width();
    const int H = canvas.height();
    FontSpec font;
    font.height = std::max(6, H / 70);
    canvas.setFont(font);
    const int line = canvas.textHeight("0") * 6 / 5;
    const int left = W / 20;
    const int top = H / 30;
    const int footer = H - top - line;
    // First page: heading, requirements, objectives, the chart, then rows below it.
    const int headingLines = 3 + static_cast<int>(printout.requirements.size() + 1) / 2;
    const int chartTop = top + headingLines * line;
    const int chartHeight = (H - chartTop) / 2;
    const int firstRowsTop = chartTop + chartHeight + line;
    const auto fitting = [&](int from) {
        return static_cast<std::size_t>(std::max(1, (footer - from) / line - 2));
    };
    std::vector<std::pair<std::size_t, std::size_t>> pages;  // rows [first, last) per page
    std::size_t next = std::min(rows.size(), fitting(firstRowsTop));
    pages.push_back({0, next});
    while (next < rows.size()) {
        const std::size_t last = std::min(rows.size(), next + fitting(top + 2 * line));
        pages.push_back({next, last});
        next = last;
    }
    const int count = static_cast<int>(pages.size());
    FontSpec bold = font;
    bold.bold = true;
    for (int p = 0; p < count; ++p) {
        if (p > 0 && !canvas.newPage()) return 1;
        canvas.setBrushColor(colors::kWhite);
        canvas.fillRect(0, 0, W, H);
        canvas.setFont(bold);
        canvas.textOut(left, top,
                       "DESIGN EXPLORER: THE FRONT OF " + objectivesText(space.objectives));
        canvas.textOut(W - left - canvas.textWidth(printout.dateText), top, printout.dateText);
        canvas.setFont(font);
        const std::string pageText = strprintf("PAGE %d OF %d", p + 1, count);
        canvas.textOut(W - left - canvas.textWidth(pageText), footer, pageText);
        int y = top + line;
        if (p == 0) {
            for (std::size_t k = 0; k < printout.requirements.size(); ++k) {
                canvas.textOut(k % 2 == 0 ? left : W / 2, y, printout.requirements[k]);
                if (k % 2 == 1 || k + 1 == printout.requirements.size()) y += line;
            }
            canvas.textOut(left, y,
                           strprintf("%zu DESIGNS, %zu ON THE FRONT, %zu LISTED: EACH STANDS FOR "
                                     "THE FRONT DESIGNS WITHIN %g %% OF IT ON EVERY OBJECTIVE",
                                     space.designs.size(), space.front.size(), rows.size(),
                                     100 * space.epsilon));
            AreaCanvas chart(canvas, 0, chartTop, W, chartHeight);
            drawExplorerChart(chart, space, view);
            canvas.setFont(font);
            y = firstRowsTop;
        }
        drawFrontRows(canvas, space, rows, pages[static_cast<std::size_t>(p)].first,
                      pages[static_cast<std::size_t>(p)].second, left, y, line, font);
    }
    return count;
}

std::optional<std::size_t> designNear(const ExplorerChartLayout& layout, int x, int y, int radius) {
    const long long reach = static_cast<long long>(radius) * radius;
    const auto nearest = [&](auto&& candidates) {
        std::optional<std::size_t> best;
        long long bestDistance = reach;
        for (const std::size_t i : candidates) {
            if (i >= layout.points.size() || !layout.points[i]) continue;
            const long long dx = layout.points[i]->first - x;
            const long long dy = layout.points[i]->second - y;
            const long long distance = dx * dx + dy * dy;
            if (distance <= bestDistance && (!best || distance < bestDistance)) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    };
    if (const auto marked = nearest(layout.front)) return marked;
    std::vector<std::size_t> every(layout.points.size());
    for (std::size_t i = 0; i < every.size(); ++i)
        every[i] = i;
    return nearest(every);
}

}  // namespace korvell
