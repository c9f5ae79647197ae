// The graph page: one of the nine graphs of the design record's graphKind, drawn by core code on
// a drawing surface. The graph window calls drawGraphPage from its paint handler (a QtCanvas over
// itself) and from PRINT GRAPH (a QtCanvas over the printer page, isPrinter() true, landscape);
// the command line calls it on an SVG page. Every call recomputes every curve from the record
// and the material models, so the graph always shows the current data.
//
// Kinds 1-6 are material-property graphs: one red curve per material (graphMaterialCode alone,
// or every selected material), labelled with its code, over fixed axes. Kinds 7-9 are graphs of
// one design, the analyzed one (graphSource 1) or the highlighted results row (graphSource 0):
// inductance against current with the operating point crossed, decay loss and core temperature
// against time, each over automatic axes with a legend line.
//
// How the graph window uses it:
//   - paintEvent: QPainter over the window, QtCanvas(painter, width(), height()) (the client
//     area), then drawGraphPage(canvas, record, pending, view) where `pending` is a
//     RecordingMessages; after painter.end(), set TitleLabel, X_Label and Y_label to the
//     returned captions and place them, and PRINT GRAPH, at the returned rectangles; show PRINT
//     GRAPH when showPrintButton says so. The same data refuses the same way at every repaint,
//     so show what `pending` holds (through the program's Messages) once per opening of the
//     window, not at every paint, and never while the painter is active.
//   - PRINT GRAPH: hide the button, print one landscape page whose drawing calls drawGraphPage
//     on the printer's canvas with the same view, then update(): the next paint draws the window
//     and shows the button again. The printed page carries its own title, captions and date.
//   - view.fontHeight: the pixel height of the window's font (axis numbers and legends on the
//     window); view.background: the window's button-face colour; view.dateText: the date line
//     of the printed page (for example resultsDateText of the local time); empty for none;
//     view.yCaptionFont: the font of Y_label, which shows the returned yCaptionLines, one to a
//     line, in the returned yCaptionFont.
#pragma once

#include <string>
#include <vector>

#include "analysis/Tolerance.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"
#include "platform/Placement.h"
#include "record/DesignRecord.h"

namespace korvell {

struct GraphView {
    int fontHeight = 13;                 // the window's font, pixels
    Color background = colors::kSilver;  // the window's button-face colour
    std::string dateText;                // printed page only
    FontSpec yCaptionFont{"Arial Narrow", 12, colors::kBlack, true};  // the window's Y_label
    YieldSettings yield{};  // kind 10: how the parts of the spread are drawn
};

// What the window shows around the plot after a drawing.
struct GraphPageLayout {
    std::string title;     // TitleLabel
    std::string xCaption;  // X_Label
    std::string yCaption;  // Y_label
    // The y caption as Y_label shows it: broken into lines and in a font that fit its column.
    std::vector<std::string> yCaptionLines;
    FontSpec yCaptionFont;
    // The window's labels: a bar across the top, a bar across the bottom below the x-axis
    // numbers, a narrow column that ends short of the y-axis numbers; PRINT GRAPH at the top
    // left. In the window's client pixels; empty after a printed drawing.
    Rect titleBar;
    Rect xCaptionBar;
    Rect yCaptionColumn;
    Rect printButton;
    Rect saveButton;  // SAVE GRAPH, beside PRINT GRAPH
    // True after a drawing on the window; false after a printed one (the window shows the
    // button again at its next paint).
    bool showPrintButton = false;
    int curvesDrawn = 0;  // 0: only the captions (no curve could be made)
};

// Titles and captions of a graph kind (1-10); empty texts for any other kind.
struct GraphCaptions {
    std::string title;
    std::string xCaption;
    std::string yCaption;
};
GraphCaptions graphCaptions(int kind, const std::string& graphMaterialCode);

// Draws graph record.graphKind on the canvas, as described above; writes nothing to the record.
//   - Window (canvas.isPrinter() false): the client area right of width / 100 is filled with
//     view.background, the plot is framed by windowPlotFrame and numbered and labelled in
//     "MS Sans Serif" of view.fontHeight; the captions are the window's labels, not drawn.
//   - Printed page: the plot framed by pagePlotFrame, its numbers and legends in the caption
//     font, then the title (a page font of height / 60 pixels, times 1.5, its centre at a tenth
//     of the height, centred across), the x caption (0.7 of the title size, centred, its top at
//     0.9 of the height), the y caption (from width / 36, centred on mid-height, broken between
//     words and after a '/' and made smaller where needed so that it ends short of the y-axis
//     numbers) and view.dateText (ending at width - 3 (width / 36), at 0.95 of the height +
//     height / 60).
// Curves are drawn kCurvePenPoints wide on paper, a pixel on the window. Legends and material
// labels stand on grounds of the background colour (white on paper) inside the plot; each
// material label stands at a point of its own curve, the kind's label point where its ground
// is clear of the labels placed before it, else the nearest point along the curve where it is.
// A results row whose aging data (flux, frequency, area, loss, surface, volume, exponent)
// multiply to less than 1e-6 is refused with its index text under "Graph Data ERROR" and no
// curve; that is the only message, and it comes at every drawing of such a row. Kind 10 draws the
// inductance spread of the design (graphs/SpreadGraph.h) with view.yield's samples. A kind
// outside 1-10 draws only the window's background (nothing on a page).
GraphPageLayout drawGraphPage(Canvas& canvas, const DesignRecord& record, Messages& messages,
                              const GraphView& view);

// The graph as an SVG document: drawGraphPage on an SVG canvas of a landscape page, 1100 × 850
// pixels, in its printed form. `korvell plot` and the graph window's SAVE GRAPH both write this.
// The layout of that drawing goes to `layout` when given.
std::string graphSvg(const DesignRecord& record, Messages& messages, const GraphView& view,
                     GraphPageLayout* layout = nullptr);

}  // namespace korvell
