// The analysis pages: the ELECTRICAL page (result rows 0-14) or the MECHANICAL page (rows 15-31)
// that the analysis window draws below its entry fields, and the printed analysis on one portrait
// page (title, header, the entries as the window shows them and both pages of results). Screen
// and paper lay the result rows out with the same two-column rule: row i of n stands in column
// 2i / (n + 1), so the first column holds 8 of 15 rows or 9 of 17.
#pragma once

#include <array>
#include <string>

#include "analysis/Analysis.h"
#include "analysis/SecondOpinion.h"
#include "analysis/Tolerance.h"
#include "platform/Canvas.h"
#include "record/DesignRecord.h"

namespace korvell {

// The ELECTRICAL and MECHANICAL pages of the result rows, the CHECK page of the second opinion
// and the YIELD page of the design's Monte Carlo yield.
enum AnalysisDisplay : int {
    kElectricalPage = 0,
    kMechanicalPage = 1,
    kCheckPage = 2,
    kYieldPage = 3
};
// The pages of results the window shows, one at a time.
inline constexpr int kAnalysisDisplays = 4;

// What the window tells the page about itself.
struct AnalysisPageView {
    int windowWidth = 0;            // outer width of the window, pixels
    int fontHeight = 16;            // absolute height of the window's font (Arial bold), pixels
    int display = kElectricalPage;  // which page of results
    std::string dateText;           // standardDateText of the time the page was drawn
};

// Draws the page of results on the window: clears the page area (from 21 font heights down, nine
// lines of 1.4 font heights), the date at the top right, then the rows of the page with their
// values converted to the record's display units. The CHECK page shows the second opinion of the
// same analysis, `check`: a heading line, its rows in two columns with the program's own figure
// beside each, then its status and model; without one it stays empty. The YIELD page shows the
// yield of the same analysis, `yield`: a heading line, a row per figure across the width (nominal,
// at the ends of the Al tolerance, mean, min, max, 1st and 99th percentiles, the share of parts
// meeting its requirement, units), then the line naming the model; without one it stays empty.
void drawAnalysisPage(Canvas& canvas, const DesignRecord& record, const AnalysisTable& table,
                      const AnalysisPageView& view, const SecondOpinion* check = nullptr,
                      const YieldReport* yield = nullptr);

// The height of window the result pages take, from its top to below the last row of the tallest
// page, for a window font `fontHeight` pixels high: the window is never made shorter.
int analysisPageHeight(int fontHeight);

// One entry row of the printed analysis, as the window shows it.
struct AnalysisEntryLine {
    std::string caption;  // the caption label
    std::string text;     // the field
    std::string units;    // the unit label (rows 4 to 8)
};

// What the printed analysis takes from the window.
struct AnalysisPrintout {
    std::string header;  // the application's name and " ANALYSIS"
    std::string dateText;
    int fontPoints = 12;  // size of the window's font; the title is 1.25 times larger
    // Entry rows 0, 2, 3, 4, 5, 6, 7 and 8 (the stack count is printed within row 0, the strands
    // within row 2), hidden rows included.
    std::array<AnalysisEntryLine, 8> entries;
    std::string stackText;
    std::string stackCaption;
    std::string strandsText;
};

// Draws the whole analysis on a portrait page: the program's title, the header and the date, the
// entry rows, then "ELECTRICAL PROPERTIES:" and "MECHANICAL PROPERTIES:" each with its rows, and
// "SECOND OPINION:" with the CHECK page's rows when `check` is given, and "YIELD:" with the YIELD
// page's rows and model line when `yield` is given (the lines then stand H / 68 apart instead of
// H / 60, so that the page holds them all).
void drawAnalysisPrintout(Canvas& canvas, const DesignRecord& record, const AnalysisTable& table,
                          const AnalysisPrintout& printout, const SecondOpinion* check = nullptr,
                          const YieldReport* yield = nullptr);

}  // namespace korvell
