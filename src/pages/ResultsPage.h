// The results table page: the header, the requirements summary, the two heading lines of the
// ELECTRICAL or DIMENSIONS display, the ten design rows around the highlighted design with the
// cursor lines, and the status lines. The results window draws it on itself on every show,
// activation, resize and paint; PRINT draws it on one landscape printer page. Both go through
// drawResultsPage, so what is printed is what the window shows.
#pragma once

#include <array>
#include <ctime>
#include <string>

#include "analysis/ResultsCheck.h"
#include "platform/Canvas.h"
#include "record/DesignRecord.h"
#include "record/ResultCells.h"

namespace korvell {

// The third display beside ELECTRICAL and DIMENSIONS: each design's figures checked again (L,
// the hot resistance, the checked losses and rise, and the LIMIT verdict).
inline constexpr int kCheckDisplay = 2;

// What the window tells the page about itself.
struct ResultsPageView {
    int windowWidth = 0;             // outer width of the window, Wf, pixels
    int fontHeight = 16;             // absolute height of the window's font (Arial bold), pixels
    int scrollPosition = 0;          // position of the scroll bar before this drawing
    int scrollBarWidth = 16;         // width of the vertical scroll bar, pixels
    std::string applicationCaption;  // the requirements window's application name
    std::string windowCaption;       // "ELECTRICAL PROPERTIES DATA" or "DIMENSIONAL ..."
    std::string dateText;            // resultsDateText of the current local time
    // The checked figures of the search, for the CHECK display (its cells read "-" without).
    const ResultsCheck* check = nullptr;
};

// Where the window must put its controls after a drawing, from the page's own arithmetic.
struct ResultsPageLayout {
    int buttonWidth = 0;
    // Lefts of PrintBtn, DIMENSIONS, ELECTRICAL, Button_Check, InductanceBtn, T_RiseBtn, in that
    // order.
    std::array<int, 6> buttonLefts{};
    int scrollMaximum = 40;
    int scrollPosition = 0;  // the position limited to the maximum
    int scrollLeft = 0;
    int scrollTop = 0;
    int scrollHeight = 0;
    // The design rows on the window: row firstRow + i stands from rowsTop + i × rowHeight, for
    // rowCount rows (those with a design).
    int rowsTop = 0;
    int rowHeight = 0;
    int firstRow = 0;
    int rowCount = 0;
};

// The results row at window height y of a drawn page, or -1 when y is on no design row.
int resultsRowAt(const ResultsPageLayout& layout, int y);

// The date of the page header: "%s %s %02d %02d:%02d:%02d %4d" with English three-letter
// weekday and month names, for example "Mon Dec 07 12:34:56 2026"; a weekday or month outside
// the calendar reads "???".
std::string resultsDateText(const std::tm& local);

// Whether summary row k (0..8) is shown for an application: rows 3 and 4 only for the swing and
// powerline applications, rows 5 and 6 not for powerline, row 6 not for resonant.
bool summaryRowShown(int application, int row);

// The caption of the results window for a display mode.
std::string_view resultsWindowCaption(int displayMode);
// The display the record's displayMode asks for: DIMENSIONS, CHECK, else ELECTRICAL.
int resultsDisplayOf(const DesignRecord& record);

// The height of window the page takes on the screen, from the window's top to below the status
// line, for a window font `fontHeight` pixels high: the window is never made shorter.
int resultsPageHeight(int fontHeight);

// Draws the page. On a printer canvas (canvas.isPrinter()) the page is laid out on the canvas's
// size with the printed header (title, application, window caption, date) and ends with the
// table; the STATUS lines are the window's only. On a window canvas it is laid out on the
// window's width and font over a silver background. Writes the record's selectedDesign (from the
// scroll position), printRequested (back to 0 after printing), raises inductanceRequired to its
// floor of 0.0001 mH and, on the window, puts the first summary label back when it was lost.
// The returned layout is the window's in both cases (buttons and scroll bar placed for the
// window), so the window may apply it after printing as well.
ResultsPageLayout drawResultsPage(Canvas& canvas, DesignRecord& record,
                                  const ResultsPageView& view);

// The designs of the last search that one printed page holds below its header and summary.
int resultsRowsPerPrintedPage(const Canvas& canvas);
// PRINT ALL DESIGNS: every design of the last search in the display shown, as many printed
// pages as they need (canvas.newPage between them), each with the printed header, the
// requirements summary, the date and "PAGE 1 OF 3". No cursor is drawn. Returns the pages.
int drawAllResultsPages(Canvas& canvas, DesignRecord& record, const ResultsPageView& view);

}  // namespace korvell
