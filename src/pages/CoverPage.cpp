#include "pages/CoverPage.h"

#include <algorithm>
#include <cmath>

#include "platform/PhysicalConstants.h"

namespace korvell {
namespace {

constexpr int kMaxPixels = 100000;

FontSpec coverFont(const char* name, int height, Color color) {
    FontSpec font;
    font.name = name;
    font.height = std::max(height, 1);
    font.color = color;
    return font;
}

// Colours of the logo: a blue-grey core (top face lit, walls in shadow) wound with copper.
constexpr Color kFace{88, 138, 178};
constexpr Color kWall{38, 66, 92};
constexpr Color kCopper{204, 122, 48};
constexpr Color kBackground = colors::kBlack;

Color shaded(Color c, double factor) {
    const auto channel = [factor](std::uint8_t v) {
        return static_cast<std::uint8_t>(std::clamp(v * factor, 0.0, 255.0));
    };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

// Half the width of an ellipse of semi-axes rx, ry at a height dy from its centre; negative
// outside it.
double halfWidth(double dy, double rx, double ry) {
    if (ry <= 0 || std::fabs(dy) > ry) return -1;
    const double q = dy / ry;
    return rx * std::sqrt(1 - q * q);
}

// A toroid seen from above at a slant: the top face is a ring of outer radius R and inner radius
// r squashed to k of its height, the walls drop t below it.
struct Toroid {
    double cx, cy;  // centre of the top face
    double R, r, k, t;
};

void fillSpan(Canvas& canvas, Color color, double x0, double x1, int y) {
    const int left = static_cast<int>(std::lround(x0));
    const int right = static_cast<int>(std::lround(x1));
    if (right <= left) return;
    canvas.setBrushColor(color);
    canvas.fillRect(left, y, right - left, 1);
}

// The core, one pixel row at a time: the walls' outline, the lit face, and in the hole the far
// inner wall above the opening.
void drawCore(Canvas& canvas, const Toroid& c) {
    const double top = c.cy - c.R * c.k;
    const double bottom = c.cy + c.t + c.R * c.k;
    for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y) {
        const double atTop = y + 0.5 - c.cy;  // from the centre of the top face
        const double atBottom = atTop - c.t;  // from the centre of the bottom face
        double wall = c.R;
        if (atTop < 0) wall = halfWidth(atTop, c.R, c.R * c.k);
        if (atBottom > 0) wall = halfWidth(atBottom, c.R, c.R * c.k);
        if (wall >= 0) fillSpan(canvas, kWall, c.cx - wall, c.cx + wall, y);

        const double outer = halfWidth(atTop, c.R, c.R * c.k);
        if (outer < 0) continue;
        // The face is lit from behind: brighter on its far side.
        const double light = 1.15 - 0.3 * (atTop + c.R * c.k) / (2 * c.R * c.k);
        fillSpan(canvas, shaded(kFace, light), c.cx - outer, c.cx + outer, y);
        const double inner = halfWidth(atTop, c.r, c.r * c.k);
        if (inner < 0) continue;
        fillSpan(canvas, shaded(kWall, 0.8), c.cx - inner, c.cx + inner, y);
        const double opening = std::min(inner, halfWidth(atBottom, c.r, c.r * c.k));
        if (opening > 0) fillSpan(canvas, kBackground, c.cx - opening, c.cx + opening, y);
    }
}

// The turns, evenly spread round the core but for a gap at the front where the leads leave:
// across the top face, down the outer wall on the near side and down the inner wall on the far
// side (seen through the hole).
void drawWinding(Canvas& canvas, const Toroid& c, int bottomOfArea) {
    constexpr int kTurns = 15;
    constexpr double kFirst = 115.0 * kPi / 180;
    constexpr double kLast = 425.0 * kPi / 180;
    const int pen = std::max(2, static_cast<int>(c.R / 26));
    canvas.setPen(kCopper, pen);
    const auto point = [&c](double radius, double angle) {
        return std::pair{static_cast<int>(std::lround(c.cx + radius * std::cos(angle))),
                         static_cast<int>(std::lround(c.cy + radius * c.k * std::sin(angle)))};
    };
    const int drop = static_cast<int>(std::lround(c.t));
    for (int n = 0; n < kTurns; ++n) {
        const double angle = kFirst + (kLast - kFirst) * n / (kTurns - 1);
        const auto [xi, yi] = point(c.r, angle);
        const auto [xo, yo] = point(c.R, angle);
        canvas.moveTo(xi, yi);
        canvas.lineTo(xo, yo);
        if (std::sin(angle) > 0) {
            canvas.lineTo(xo, yo + drop);
        } else {
            canvas.moveTo(xi, yi);
            canvas.lineTo(xi, yi + drop);
        }
        // The two leads leave the first and the last turn downwards, spreading a little.
        if (n == 0 || n == kTurns - 1) {
            const int spread = static_cast<int>(c.R * 0.1) * (std::cos(angle) < 0 ? -1 : 1);
            canvas.moveTo(xo, yo + drop);
            canvas.lineTo(xo + spread, bottomOfArea);
        }
    }
}

// Draws text in the font, made smaller when needed so that it is no wider than `width`.
void fitText(Canvas& canvas, FontSpec font, int x, int y, int width, std::string_view text) {
    canvas.setFont(font);
    const int natural = canvas.textWidth(text);
    if (natural > width && natural > 0) {
        font.height = std::max(1, font.height * width / natural);
        canvas.setFont(font);
    }
    canvas.textOut(x, y, text);
}

}  // namespace

void drawCoverPage(Canvas& canvas) {
    const int W = std::clamp(canvas.width(), 0, kMaxPixels);
    const int H = std::clamp(canvas.height(), 0, kMaxPixels);
    canvas.setBrushColor(colors::kBlack);
    canvas.fillRect(0, 0, W, H);

    const int B = H / 8;
    int y = H / 8;
    const std::array<int, 5> heights = {B, B, B / 3, 2 * B / 3, 2 * B / 3};
    for (std::size_t i = 0; i < kCoverLines.size(); ++i) {
        int x = 0;
        int height = 0;
        if (i < heights.size()) {
            height = heights[i];
            canvas.setFont(coverFont("Impact", height, colors::kRed));
            x = (W - canvas.textWidth(kCoverLines[i])) / 2;
        } else {
            height = B / 3;
            x = scaled(0.55, W);
            y += H / 3;
            canvas.setFont(coverFont("Arial", height, colors::kWhite));
        }
        canvas.textOut(x, y, kCoverLines[i]);
        y += height;
    }
}

void drawKorvellLogo(Canvas& canvas, const Rect& area) {
    const double w = std::clamp(area.width, 0, kMaxPixels);
    const double h = std::clamp(area.height, 0, kMaxPixels);
    if (w < 4 || h < 4) return;

    Toroid core{};
    core.k = 0.42;
    const double tall = 0.86 * h;  // the core's face and walls
    core.R = std::min(tall / (2 * core.k + 0.32), 0.22 * w);
    core.r = 0.55 * core.R;
    core.t = 0.32 * core.R;
    core.cx = area.left + 0.28 * w;
    core.cy = area.top + 0.04 * h + core.R * core.k;
    drawCore(canvas, core);
    drawWinding(canvas, core, area.top + static_cast<int>(0.98 * h));

    // The name beside the core, with a rule and the line of business under it.
    const int left = static_cast<int>(core.cx + core.R + 0.06 * w);
    const int room = area.left + static_cast<int>(0.98 * w) - left;
    if (room <= 0) return;
    const int nameTop = area.top + static_cast<int>(0.18 * h);
    const int nameHeight = static_cast<int>(0.42 * h);
    fitText(canvas, coverFont("Impact", nameHeight, colors::kRed), left, nameTop, room, "KORVELL");
    const int ruleY = nameTop + canvas.font().height + static_cast<int>(0.06 * h);
    canvas.setPen(colors::kRed, std::max(1, static_cast<int>(h / 60)));
    canvas.moveTo(left, ruleY);
    canvas.lineTo(left + room, ruleY);
    fitText(canvas, coverFont("Arial", static_cast<int>(0.1 * h), colors::kWhite), left,
            ruleY + static_cast<int>(0.05 * h), room, "IRON POWDER CORES FOR POWER FILTERS");
}

}  // namespace korvell
