// Plot drawing primitives of the graphs: the grid with its numbered scales, a curve through data
// points and a text or cross marker at a data position. They keep no state: every call gets the
// plot frame (pixels of the surface) and the axis settings (data units), and draws on the canvas
// it is given, the graph window's or the printed page's.
//
// The x axis is logarithmic over xDecades decades from xMin. The y axis is linear from yMin to
// yMax (yDecades 0; sY scales y - yMin before placing, 1 except for the initial-permeability
// graph) or logarithmic over yDecades decades from sY.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "graphs/Curves.h"
#include "platform/Canvas.h"

namespace korvell {

// Where the plot lies on a surface, pixels with y growing downwards. The plot spans x0 .. xr
// and yt (upper edge) .. yb - yt (lower edge); y-axis numbers start no further left than xl.
struct PlotFrame {
    float x0 = 0;  // left edge
    int xr = 0;    // right edge
    int yb = 0;    // base line
    int xl = 0;    // leftmost position of the y-axis numbers
    int yt = 0;    // top margin: the upper edge
    float wP = 0;  // width, xr - x0
    float hP = 0;  // height, 2 yt - yb (negative: upwards)

    int upperEdge() const { return yt; }
    int lowerEdge() const { return yb - yt; }
};

// The frame of a window's client area: x0 = W/10, xr = 11W/12, yb = 19H/20, xl = W/20,
// yt = H/12 (integer divisions).
PlotFrame windowPlotFrame(int width, int height);
// The frame of a printed page: x0 = 0.1 W, xr = 11W/12, yb = 19H/20, xl = W/20, yt = H/8.
PlotFrame pagePlotFrame(int width, int height);

// Pen weights of the graphs, in points, as a printed page draws them; a window draws every line
// one pixel wide (the cross two). The grid is a lighter grey than the curves and the frame, so
// that on paper the curves stand out from it.
inline constexpr double kCurvePenPoints = 0.6;
inline constexpr double kGridPenPoints = 0.25;
inline constexpr double kFramePenPoints = 0.75;
inline constexpr double kSymbolPenPoints = 1.5;
inline constexpr Color kGridColor{128, 128, 128};

struct PlotAxes {
    float xMin = 1;
    float sY = 1;
    float yMin = 0;
    float yMax = 100;
    int xDecades = 3;
    int yDecades = 0;  // 0: linear y axis
    // With xDecades 0 and xMax above xMin: a linear x axis from xMin to xMax, divided in
    // xDivisions.
    float xMax = 0;
    int xDivisions = 10;
    bool linearX() const { return xDecades == 0 && xMax > xMin; }
};

// Pixel column of a data x: floor(x0 + 0.5 + wP log10(x / xMin) / xDecades) on the logarithmic
// axis (floor(x0 + 0.5 + wP x / xMin) with xDecades 0; floor(x0 + 0.5 + wP (x - xMin) / (xMax -
// xMin)) on a linear axis). None where x cannot be placed (x <= 0 on the logarithmic axis, a
// range without width).
std::optional<int> plotX(const PlotFrame& frame, const PlotAxes& axes, double x);
// Pixel row of a data y: floor(hP (y - yMin) sY / (yMax - yMin) + 0.5) + yb - yt on the linear
// axis, floor(yb + hP log10(y / sY) / yDecades + 0.5 - yt) on the logarithmic one. None where y
// cannot be placed (y <= 0 on the logarithmic axis, an empty range).
std::optional<int> plotY(const PlotFrame& frame, const PlotAxes& axes, double y);

// The grid (grey, kGridPenPoints), the frame round the plot (black, kFramePenPoints) and the
// numbered scales in the canvas font; leaves the frame's pen set.
// Linear y: d divisions (10; for yMin >= 10, yMax/yMin - 1 when that ratio exceeds 10, else
// 0.2 (yMax - yMin); halved when above 27), numbered "%3.0f" left of the plot. Logarithmic y:
// a line per tick multiplier (1, 1.5, 2, 3 ... 9) of each decade within the plot, numbered but
// for 6, 8 and 9. Logarithmic x: a line per tick multiplier, numbered below the plot unless a
// rule leaves the number out (6, 8, 9; 1.5 and 4 of the first decade and 1.5 of the second when
// xMin < 1; the values 1.5, 150 and 400 of the tick; all but 1 and 3 over four decades or more).
// Numbers print "%3.1f" below 1, "%3.0f", "%3.0fk" and "%3.0fM"; a number those formats would
// show wrongly (0.01 as "0.0", 1500 as "2k", 0.3 as "0") gets the decimals it needs. A number
// whose cell would meet that of the number written before it on its axis is left out, so that
// a small plot's scale stays legible. A linear x axis has a line and a number ("%.*f" with the
// decimals its step needs) at each of its xDivisions. Returns the leftmost x of the y-axis numbers
// (x0 when none), where a caption beside them must end.
int DrawGraphAxes(Canvas& canvas, const PlotFrame& frame, const PlotAxes& axes);

// A polyline through the points in the pen the caller set (red). A point that cannot be placed
// or lies above or below the plot lifts the pen; the next point inside starts a new line. Points
// beyond the plot's left and right edges are drawn. An xMin of exactly 0 is taken as 1.
void DrawCurve(Canvas& canvas, std::span<const CurvePoint> points, const PlotFrame& frame,
               const PlotAxes& axes);

// Writes the text centred on the data position (x, y) in the canvas font, on a ground of the
// `ground` colour (the surface's background) so that neither grid nor curves run through it;
// the text is moved the least distance that keeps its ground inside the plot, and made smaller
// when it is wider than the plot. Returns the cell written. The text "SYMBOL" draws a cross
// instead: black strokes of kSymbolPenPoints (two pixels on a window), (xr - xl) / 80 pixels each
// way, and leaves a black pen of the frame's weight. Nothing when the position cannot be placed.
std::optional<TextBox> PlotTextAt(Canvas& canvas, std::string_view text, double x, double y,
                                  const PlotFrame& frame, const PlotAxes& axes,
                                  Color ground = colors::kWhite);

// Where PlotTextAt writes a text at the data position (x, y), and the font it writes it in (the
// canvas font, made smaller when the text with its ground is wider than the plot); none where
// the position cannot be placed. The text is not written.
struct PlacedText {
    TextBox cell;
    FontSpec font;
};
std::optional<PlacedText> placePlotText(Canvas& canvas, std::string_view text, double x, double y,
                                        const PlotFrame& frame, const PlotAxes& axes);

// Whether the polyline DrawCurve draws through the points passes through a box of pixels.
bool curvePassesThrough(std::span<const CurvePoint> points, const PlotFrame& frame,
                        const PlotAxes& axes, const TextBox& box);

// The cell of a text in the canvas font centred on a pixel position.
TextBox centredTextBox(Canvas& canvas, std::string_view text, int x, int y);
// The margin of a text's ground round its cell, in the canvas font: an eighth of a line.
int groundMargin(Canvas& canvas);
// The ground a text is written on: its cell and a margin round it.
TextBox groundOf(Canvas& canvas, const TextBox& cell);
// The cell moved the least distance that puts its ground inside the plot (to the plot's left or
// top edge when it is larger than the plot).
TextBox keptInsidePlot(Canvas& canvas, const PlotFrame& frame, TextBox cell);
// Whether a box lies wholly inside the plot.
bool insidePlot(const PlotFrame& frame, const TextBox& box);
// Writes the text in its cell on its ground of the `ground` colour.
void writeOnGround(Canvas& canvas, std::string_view text, const TextBox& cell, Color ground);

// How far each arm of the cross marker reaches from its centre, pixels: (xr - xl) / 80.
int plotSymbolReach(const PlotFrame& frame);

// The text that draws the cross marker.
inline constexpr std::string_view kPlotSymbol = "SYMBOL";

}  // namespace korvell
