#include "graphs/ExplorerChart.h"

#include <algorithm>
#include <array>
#include <cmath>
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

// A number of a scale as the axis prints it.
std::string tickText(double value) {
    if (value != 0 && (std::fabs(value) >= 1e5 || std::fabs(value) < 1e-3)) {
        return strprintf("%.0e", value);
    }
    return strprintf("%g", value);
}

// The marker of a shape, centred on (x, y), half-size s: toroid a plus, E-core a cross,
// composite a square.
void drawMarker(Canvas& canvas, std::int8_t shape, int x, int y, int s) {
    switch (shape) {
        case kECore:
            canvas.moveTo(x - s, y - s);
            canvas.lineTo(x + s + 1, y + s + 1);
            canvas.moveTo(x - s, y + s);
            canvas.lineTo(x + s + 1, y - s - 1);
            break;
        case kComposite:
            canvas.moveTo(x - s, y - s);
            canvas.lineTo(x + s, y - s);
            canvas.lineTo(x + s, y + s);
            canvas.lineTo(x - s, y + s);
            canvas.lineTo(x - s, y - s);
            break;
        default:
            canvas.moveTo(x - s, y);
            canvas.lineTo(x + s + 1, y);
            canvas.moveTo(x, y - s);
            canvas.lineTo(x, y + s + 1);
            break;
    }
}

Color stackColor(int stack) {
    return kStackColors[static_cast<std::size_t>(std::clamp(stack, 1, 4) - 1)];
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

}  // namespace

const std::array<const char*, kExplorerColumns> kExplorerHeadings = {
    "PART NUMBER", "SHAPE",   "STACK",  "STRANDS",  "WINDING",
    "WIRE",        "PRICE $", "LOSS W", "AREA cm2", "RISE C"};

std::array<std::string, kExplorerColumns> explorerCells(const ExploredDesign& d) {
    const auto trim = [](const std::string& text) {
        const auto first = text.find_first_not_of(' ');
        if (first == std::string::npos) return std::string();
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    };
    return {d.result.partNumber,
            kShapeLegend[static_cast<std::size_t>(std::clamp<int>(d.shape, 0, 2))],
            strprintf("%d", d.stack),
            strprintf("%d", d.result.strands),
            d.winding == kSingleLayer ? "SINGLE LAYER" : "FULL WINDOW",
            trim(d.result.wire),
            strprintf("%.2f", static_cast<double>(d.result.price)),
            strprintf("%.3f", d.totalLossW()),
            strprintf("%.1f", static_cast<double>(d.result.surfaceArea)),
            strprintf("%.1f", static_cast<double>(d.result.tempRise))};
}

void drawExplorerPage(Canvas& canvas, const DesignSpace& space, const ExplorerChartView& view,
                      const std::vector<std::size_t>& rows) {
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.setBrushColor(colors::kWhite);
    canvas.fillRect(0, 0, W, H);
    const int chartHeight = H * 3 / 5;
    AreaCanvas chart(canvas, 0, 0, W, chartHeight);
    drawExplorerChart(chart, space, view);

    FontSpec font;
    font.height = std::max(6, H / 75);
    canvas.setFont(font);
    const int line = canvas.textHeight("0") * 6 / 5;
    const int left = W / 20;
    const int columnWidth = (W - 2 * left) / kExplorerColumns;
    int y = chartHeight + line / 2;
    FontSpec bold = font;
    bold.bold = true;
    canvas.setFont(bold);
    canvas.textOut(left, y,
                   strprintf(
                       "THE FRONT OF %s: %zu DESIGNS",
                       [&] {
                           std::string names;
                           for (const Objective o : space.objectives)
                               names +=
                                   (names.empty() ? "" : ", ") + std::string(objectiveCaption(o));
                           return names;
                       }()
                           .c_str(),
                       space.front.size()));
    y += line;
    for (int c = 0; c < kExplorerColumns; ++c)
        canvas.textOut(left + c * columnWidth, y, kExplorerHeadings[static_cast<std::size_t>(c)]);
    y += line;
    canvas.setFont(font);
    std::size_t shown = 0;
    for (const std::size_t i : rows) {
        if (i >= space.designs.size()) continue;
        if (y + 2 * line > H) break;
        const auto cells = explorerCells(space.designs[i]);
        for (int c = 0; c < kExplorerColumns; ++c)
            canvas.textOut(left + c * columnWidth, y, cells[static_cast<std::size_t>(c)]);
        y += line;
        ++shown;
    }
    if (shown < rows.size()) {
        canvas.textOut(left, y, strprintf("... AND %zu MORE", rows.size() - shown));
    }
}

double ChartScale::fraction(double value) const {
    if (logarithmic) {
        if (!(value > 0)) return 0;
        return (std::log10(value) - std::log10(low)) / (std::log10(high) - std::log10(low));
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
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.setBrushColor(colors::kWhite);
    canvas.fillRect(0, 0, W, H);

    FontSpec font;
    font.height = std::max(8, std::min(W, H) / 45);
    canvas.setFont(font);
    const int lineHeight = canvas.textHeight("0");
    layout.left = W / 10;
    layout.right = W * 3 / 4;
    layout.top = H / 10;
    layout.bottom = H - H / 8;
    const int plotW = layout.right - layout.left;
    const int plotH = layout.bottom - layout.top;

    // Title.
    FontSpec titleFont = font;
    titleFont.bold = true;
    titleFont.height = font.height * 5 / 4;
    canvas.setFont(titleFont);
    const std::string title = "DESIGN EXPLORER: " + std::string(objectiveCaption(view.y)) +
                              " AGAINST " + std::string(objectiveCaption(view.x));
    canvas.textOut(std::max(0, (W - canvas.textWidth(title)) / 2), H / 40, title);
    canvas.setFont(font);

    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(space.designs.size());
    ys.reserve(space.designs.size());
    for (const auto& d : space.designs) {
        xs.push_back(d.objective(view.x));
        ys.push_back(d.objective(view.y));
    }
    const ChartScale sx = chartScale(xs);
    const ChartScale sy = chartScale(ys);
    const auto px = [&](double v) {
        return layout.left + static_cast<int>(std::lround(sx.fraction(v) * plotW));
    };
    const auto py = [&](double v) {
        return layout.bottom - static_cast<int>(std::lround(sy.fraction(v) * plotH));
    };

    // Grid and scales.
    const int thin = penWidth(canvas, 0.25);
    canvas.setPen(kGridColor, thin);
    int lastRight = -1;
    for (const double t : sx.ticks) {
        const int x = px(t);
        canvas.moveTo(x, layout.top);
        canvas.lineTo(x, layout.bottom);
        const std::string text = tickText(t);
        const int w = canvas.textWidth(text);
        if (x - w / 2 > lastRight) {
            canvas.textOut(x - w / 2, layout.bottom + lineHeight / 4, text);
            lastRight = x + w / 2 + w / 4;
        }
    }
    int lastTop = H + 1;
    for (const double t : sy.ticks) {
        const int y = py(t);
        canvas.moveTo(layout.left, y);
        canvas.lineTo(layout.right, y);
        const std::string text = tickText(t);
        if (y + lineHeight / 2 < lastTop) {
            canvas.textOut(layout.left - canvas.textWidth(text) - lineHeight / 3,
                           y - lineHeight / 2, text);
            lastTop = y - lineHeight / 2;
        }
    }
    canvas.setPen(colors::kBlack, penWidth(canvas, 0.75));
    canvas.moveTo(layout.left, layout.top);
    canvas.lineTo(layout.right, layout.top);
    canvas.lineTo(layout.right, layout.bottom);
    canvas.lineTo(layout.left, layout.bottom);
    canvas.lineTo(layout.left, layout.top);
    const std::string xCaption = axisCaption(view.x) + (sx.logarithmic ? ", LOG" : "");
    canvas.textOut(layout.left + (plotW - canvas.textWidth(xCaption)) / 2,
                   layout.bottom + lineHeight * 3 / 2, xCaption);
    const std::string yCaption = axisCaption(view.y) + (sy.logarithmic ? ", LOG" : "");
    canvas.textOut(std::max(0, layout.left - lineHeight * 3), layout.top - lineHeight * 3 / 2,
                   yCaption);

    if (space.designs.empty()) {
        const std::string none = "NO DESIGN MEETS THE REQUIREMENTS";
        canvas.textOut(layout.left + (plotW - canvas.textWidth(none)) / 2,
                       layout.top + plotH / 2 - lineHeight / 2, none);
        return layout;
    }

    // Designs: a marker per shape, a colour per stack; the front on top of them.
    const int s = std::max(2, std::min(W, H) / 250);
    const int pen = penWidth(canvas, 0.5);
    layout.points.resize(space.designs.size());
    for (std::size_t i = 0; i < space.designs.size(); ++i) {
        const auto& d = space.designs[i];
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) continue;
        if (sx.logarithmic && !(xs[i] > 0)) continue;
        if (sy.logarithmic && !(ys[i] > 0)) continue;
        const int x = px(xs[i]);
        const int y = py(ys[i]);
        layout.points[i] = std::pair{x, y};
        canvas.setPen(stackColor(d.stack), pen);
        drawMarker(canvas, d.shape, x, y, s);
    }
    layout.front = frontOf(space.designs, {view.x, view.y});
    std::stable_sort(layout.front.begin(), layout.front.end(), [&](std::size_t a, std::size_t b) {
        return xs[a] < xs[b] || (xs[a] == xs[b] && ys[a] < ys[b]);
    });
    canvas.setPen(kFrontColor, penWidth(canvas, 1.5, 2));
    bool started = false;
    for (const std::size_t i : layout.front) {
        if (!layout.points[i]) continue;
        const auto [x, y] = *layout.points[i];
        if (started) {
            canvas.lineTo(x, y);
        } else {
            canvas.moveTo(x, y);
            started = true;
        }
    }
    canvas.setBrushColor(kFrontColor);
    for (const std::size_t i : layout.front) {
        if (!layout.points[i]) continue;
        const auto [x, y] = *layout.points[i];
        canvas.fillRect(x - s, y - s, 2 * s + 1, 2 * s + 1);
    }
    if (view.selected && *view.selected < layout.points.size() && layout.points[*view.selected]) {
        const auto [x, y] = *layout.points[*view.selected];
        const int r = 3 * s;
        canvas.setPen(colors::kBlack, penWidth(canvas, 1.5, 2));
        canvas.moveTo(x - r, y - r);
        canvas.lineTo(x + r, y - r);
        canvas.lineTo(x + r, y + r);
        canvas.lineTo(x - r, y + r);
        canvas.lineTo(x - r, y - r);
    }

    // Legend: the shapes present, the stacks present, the front.
    const int lx = layout.right + W / 40;
    int ly = layout.top;
    const int step = lineHeight * 3 / 2;
    canvas.setFont(titleFont);
    canvas.textOut(lx, ly, "LEGEND");
    canvas.setFont(font);
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
        canvas.setPen(colors::kBlack, pen);
        drawMarker(canvas, static_cast<std::int8_t>(k), mark, ly + lineHeight / 2, s);
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
    canvas.setPen(kFrontColor, penWidth(canvas, 1.5, 2));
    canvas.moveTo(lx, ly + lineHeight / 2);
    canvas.lineTo(lx + 3 * s, ly + lineHeight / 2);
    canvas.textOut(textX, ly, "FRONT");
    ly += step;
    canvas.textOut(lx, ly, strprintf("%zu DESIGNS", space.designs.size()));
    ly += step;
    canvas.textOut(lx, ly, strprintf("%zu ON THIS FRONT", layout.front.size()));
    return layout;
}

std::optional<std::size_t> designNear(const ExplorerChartLayout& layout, int x, int y, int radius) {
    std::optional<std::size_t> best;
    long long bestDistance = static_cast<long long>(radius) * radius;
    for (std::size_t i = 0; i < layout.points.size(); ++i) {
        if (!layout.points[i]) continue;
        const long long dx = layout.points[i]->first - x;
        const long long dy = layout.points[i]->second - y;
        const long long distance = dx * dx + dy * dy;
        if (distance <= bestDistance && (!best || distance < bestDistance)) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace korvell
