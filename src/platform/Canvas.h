// The drawing surface that every page of the program is laid out on: the results table, the
// analysis pages, the graphs and the cover. The desktop program implements it on a window, a
// printer page or an image; tests implement it with fixed font metrics and record every call.
//
// Coordinates are integer device pixels with the origin at the top left. Text is placed by the
// top left corner of its cell (not by its baseline), so a row of height Wl drawn at y occupies
// y .. y + Wl.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvell {

// A line from (x0, y0) to (x1, y1).
struct Segment {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

namespace colors {
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kSilver{192, 192, 192};
}  // namespace colors

// A font as the pages ask for it. height is the character height in pixels (the em size,
// without the internal leading), the absolute value of a negative font height.
struct FontSpec {
    std::string name = "Arial";
    int height = 16;
    Color color = colors::kBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Size of the surface in pixels: the client area of a window, the printable page.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Whether this surface is a printer page (the pages draw their printed form on it).
    virtual bool isPrinter() const { return false; }
    // Starts a new sheet of the same size on a printer; false where the surface has one page
    // only (a window, an image) or the printer refused it, so a drawing of several pages stops
    // after the first.
    virtual bool newPage() { return false; }

    // Resolution of the surface, pixels per inch: a font given in points is this many pixels
    // high per 72 points (a screen's 96, a printer's 300 or 1200).
    virtual int dotsPerInch() const { return 96; }

    // Fills a rectangle with the brush colour.
    virtual void setBrushColor(Color color) = 0;
    virtual void fillRect(int x, int y, int w, int h) = 0;

    // Lines: the pen is moved without drawing, then drawn to the next point.
    virtual void setPen(Color color, int width) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Many lines in the current pen at once (thousands of chart markers): a surface that can
    // hand them over in one call does; the pen's position afterwards is undefined.
    virtual void drawSegments(const std::vector<Segment>& segments) {
        for (const Segment& s : segments) {
            moveTo(s.x0, s.y0);
            lineTo(s.x1, s.y1);
        }
    }
    // Many lines in several colours, each batch in its colour and a pen `width` wide, later
    // batches over earlier ones (a chart's markers, a colour per stack); the pen afterwards is
    // the last batch's.
    struct SegmentBatch {
        Color color;
        std::vector<Segment> segments;
    };
    virtual void drawSegmentBatches(const std::vector<SegmentBatch>& batches, int width) {
        for (const SegmentBatch& batch : batches) {
            setPen(batch.color, width);
            drawSegments(batch.segments);
        }
    }

    // Text in the current font, its cell's top left corner at (x, y), on a transparent
    // background.
    virtual void setFont(const FontSpec& font) = 0;
    virtual const FontSpec& font() const = 0;
    virtual void textOut(int x, int y, std::string_view text) = 0;
    virtual int textWidth(std::string_view text) = 0;
    virtual int textHeight(std::string_view text) = 0;
};

// The thinnest stroke on paper, points: a printer's single dot (0.06 pt at 1200 dpi) is too
// faint to see.
inline constexpr double kThinnestPrintedPoints = 0.25;

// The thinnest pen a printed page draws with, in its pixels: kThinnestPrintedPoints rounded up.
inline int thinnestPrintedPen(int dotsPerInch) {
    const double pixels = kThinnestPrintedPoints * dotsPerInch / 72.0;
    const int whole = static_cast<int>(pixels);
    return std::max(1, whole < pixels ? whole + 1 : whole);
}

// A product of a whole number of pixels and a decimal constant, formed in extended precision
// (the constant taken as the nearest double) and cut to its integer part, as every placement
// rule of the windows and pages asks: 0.12 × 650 gives 77, where double arithmetic would round
// the product to 78.
inline int scaled(double factor, int pixels) {
    return static_cast<int>(static_cast<long double>(factor) * static_cast<long double>(pixels));
}

// The width of a pen `points` wide on a surface: on a printed page at the page's resolution, at
// least one device pixel; on a window `screenPixels` (one pixel, as a window draws its lines).
inline int penWidth(const Canvas& canvas, double points, int screenPixels = 1) {
    if (!canvas.isPrinter()) return screenPixels;
    const double pixels = points * canvas.dotsPerInch() / 72.0 + 0.5;
    const int thinnest = thinnestPrintedPen(std::clamp(canvas.dotsPerInch(), 1, 100000));
    return pixels < thinnest ? thinnest : pixels > 1000 ? 1000 : static_cast<int>(pixels);
}

// Where a text stands on a surface: the cell its textOut fills, in pixels.
struct TextBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    // Whether the two cells share any pixel (cells that only touch do not).
    bool meets(const TextBox& other) const {
        return left < other.right() && other.left < right() && top < other.bottom() &&
               other.top < bottom();
    }
};

}  // namespace korvell
