#include "pages/ResultsPage.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/Format.h"
#include "record/ResultCells.h"

namespace korvell {
namespace {

constexpr int kSummaryRows = 9;
constexpr int kLastRow = kMaxDesigns - 1;
constexpr int kRowsShown = 10;
// The highlighted design stands in the sixth visible row when there are rows above it.
constexpr int kRowsAboveCursor = 5;
// Sizes the window reports are limited to this, so no placement product can overflow.
constexpr int kMaxPixels = 100000;
constexpr int kMaxFontHeight = 10000;

// Below this inductance (mH) no requirements have been accepted yet and no rows are drawn.
constexpr double kNoInductanceMh = 0.0001;

constexpr const char* kTitle = "KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS";
// The widest summary label; the table is never laid out narrower than 3.6 times its width.
constexpr const char* kWidestLabel = "INDUCTANCE AT MAX CURRENT";
// Put back when the first summary label was lost (the program's own spelling).
constexpr const char* kFirstSummaryLabel = "INDUCATANCE AT MAX CURRENT:";
constexpr std::size_t kShortestSummaryLabel = 10;

// The placement quantities of one drawing, in pixels of the surface drawn on.
struct Geometry {
    int tableWidth = 0;   // A
    int firstColumn = 0;  // width of column 0
    int otherColumn = 0;  // width of columns 1-12
    int margin = 0;       // U
    int labelWidth = 0;   // G
    int lineHeight = 0;   // Wl
    int headerLine = 0;   // V
    int tableTop = 0;     // T
    int columns = kResultColumns;
    int columnWidth(int c) const { return c == 0 ? firstColumn : otherColumn; }
    int totalWidth() const { return firstColumn + (columns - 1) * otherColumn; }
};

// The cells of the display shown: its two heading lines and each design's cells. The CHECK
// display takes its columns after the part number from the checked figures of the search.
struct TableCells {
    TableCells(const DesignRecord& r, int shown, const ResultsCheck* checked)
        : record(r),
          display(shown),
          check(checked),
          headings(resultHeadings(r, shown == kCheckDisplay ? kElectricalDisplay : shown)) {}
    const DesignRecord& record;
    int display;
    const ResultsCheck* check;
    ResultHeadings headings;  // of the electrical or dimensions display
    int columns() const {
        return display == kCheckDisplay ? 1 + static_cast<int>(checkColumns().size())
                                        : kResultColumns;
    }
    std::string heading(int line, int c) const {
        if (display != kCheckDisplay) return headings[line][c];
        if (c == 0) return line == 0 ? "CORE P/N" : "";
        const CheckColumn& column = checkColumns()[static_cast<std::size_t>(c - 1)];
        return line == 0 ? column.heading : column.units;
    }
    std::string cell(int r, int c) const {
        if (display != kCheckDisplay || c == 0) {
            return resultCellText(record, display == kCheckDisplay ? kElectricalDisplay : display,
                                  r, c);
        }
        if (check == nullptr || r < 0 || r >= static_cast<int>(check->designs.size())) return "-";
        return checkCellText(check->designs[static_cast<std::size_t>(r)],
                             static_cast<std::size_t>(c - 1));
    }
};

FontSpec pageFont(int height) {
    FontSpec font;
    font.name = "Arial";
    font.height = height;
    font.color = colors::kBlack;
    font.bold = true;
    return font;
}

void setFontHeight(Canvas& canvas, int height) {
    FontSpec font = canvas.font();
    font.height = height;
    canvas.setFont(font);
}

int limitedPixels(int value, int maximum) {
    return std::clamp(value, 0, maximum);
}

// The window's layout: the table at the window's width, widened so the summary labels fit,
// with lines 1.4 font heights apart. Measures in the window font, which it leaves set.
Geometry windowGeometry(Canvas& canvas, const ResultsPageView& view) {
    const int h = limitedPixels(view.fontHeight, kMaxFontHeight);
    canvas.setFont(pageFont(h));
    Geometry g;
    g.tableWidth = std::max(limitedPixels(view.windowWidth, kMaxPixels),
                            scaled(3.6, canvas.textWidth(kWidestLabel)));
    g.firstColumn = scaled(0.103, g.tableWidth);
    g.otherColumn = scaled(0.068, g.tableWidth);
    g.margin = scaled(0.028, g.tableWidth);
    g.labelWidth = scaled(0.3, g.tableWidth);
    g.lineHeight = scaled(1.4, h);
    g.headerLine = 3 * h;
    g.tableTop = 14 * h;
    return g;
}

// The printed layout: the table across the page width, sixty lines to the page height.
Geometry printerGeometry(const Canvas& canvas) {
    const int p = limitedPixels(canvas.width(), kMaxPixels);
    const int q = limitedPixels(canvas.height(), kMaxPixels);
    Geometry g;
    g.tableWidth = p;
    g.firstColumn = p * 105 / 1024;
    g.otherColumn = p * 70 / 1024;
    g.margin = p / 36;
    g.labelWidth = scaled(0.3, p);
    g.lineHeight = q / 60;
    g.headerLine = q / 10;
    g.tableTop = q / 5;
    return g;
}

void drawRightAligned(Canvas& canvas, int right, int y, const std::string& text) {
    canvas.textOut(right - canvas.textWidth(text), y, text);
}

// Title, application and window captions and the date above the printed table. The page font
// is the window's font scaled so that a printed line holds it as a window line does.
void drawPrintedHeader(Canvas& canvas, const Geometry& g, const ResultsPageView& view,
                       const std::string& pageText = {}) {
    const int p = g.tableWidth;
    canvas.setFont(pageFont(g.lineHeight * 10 / 14));
    setFontHeight(canvas, scaled(1.25, canvas.font().height));
    canvas.textOut((p - canvas.textWidth(kTitle)) / 2, g.headerLine - 3 * g.lineHeight, kTitle);
    setFontHeight(canvas, scaled(0.8, canvas.font().height));
    canvas.textOut((p - canvas.textWidth(view.applicationCaption)) / 2,
                   g.headerLine - scaled(1.5, g.lineHeight), view.applicationCaption);
    canvas.textOut(g.margin, g.headerLine, view.windowCaption);
    drawRightAligned(canvas, p - g.margin, g.headerLine, view.dateText);
    if (!pageText.empty())
        drawRightAligned(canvas, p - g.margin, g.headerLine - scaled(1.5, g.lineHeight), pageText);
}

// The nine requirement rows the application shows, in two columns: label, value ending at the
// label width, units after it.
void drawSummary(Canvas& canvas, const Geometry& g, const DesignRecord& record) {
    const int application = record.applicationType;
    const int y0 = g.headerLine + scaled(1.5, g.lineHeight);
    int x0 = g.margin;
    int y = y0;
    for (int k = 0; k < kSummaryRows; ++k) {
        if (!summaryRowShown(application, k)) continue;
        if (k == 5 || (k == 4 && application == kPowerline)) {
            x0 = g.tableWidth / 2;
            y = y0;
        }
        const RequirementSummaryRow& row = record.reqtSummary[k];
        canvas.textOut(x0, y, row.label);
        drawRightAligned(canvas, x0 + g.labelWidth, y, row.value);
        canvas.textOut(x0 + g.margin + g.labelWidth, y, row.units);
        y += g.lineHeight;
    }
}

// The two heading lines, each cell centred in its column; returns the y of the first row.
int drawHeadings(Canvas& canvas, const Geometry& g, const TableCells& cells) {
    int y = g.tableTop;
    for (int line = 0; line < 2; ++line) {
        int x = 0;
        for (int c = 0; c < cells.columns(); ++c) {
            const std::string text = cells.heading(line, c);
            int left = x + (g.columnWidth(c) - canvas.textWidth(text)) / 2;
            // "MAGNETIC, cm" spans columns 5 and 6 of the dimension headings.
            if (cells.display == kDimensionsDisplay && line == 0 && c == 5)
                left += g.columnWidth(4) / 2;
            canvas.textOut(left, y, text);
            x += g.columnWidth(c);
        }
        y += g.lineHeight;
    }
    return y + g.lineHeight / 2;
}

// Two lines bracketing the highlighted row: red and a pixel wide on the window, black and half a
// point wide on paper (a printer's single dot is too faint to see).
void drawCursor(Canvas& canvas, const Geometry& g, int y) {
    constexpr double kCursorPenPoints = 0.5;
    canvas.setPen(canvas.isPrinter() ? colors::kBlack : colors::kRed,
                  penWidth(canvas, kCursorPenPoints));
    const int right = g.totalWidth();
    canvas.moveTo(0, y - 1);
    canvas.lineTo(right, y - 1);
    canvas.moveTo(0, y + g.lineHeight - 1);
    canvas.lineTo(right, y + g.lineHeight - 1);
}

// One design row: the part number a tenth of the first column in, every other cell ending at
// nine tenths of its column. An end-of-search row shows its part number only.
// Draws a cell's text in the room its column gives it: a text wider than that room (a wire of
// thousands of strands, say) is drawn in a font just small enough to fit, so that no cell runs
// into its neighbour. right < 0 places the text's left edge at `left` instead of its right edge
// at `right`.
void drawCell(Canvas& canvas, int left, int right, int room, int y, const std::string& text) {
    const FontSpec font = canvas.font();
    int width = canvas.textWidth(text);
    if (width > room && room > 0) {
        FontSpec smaller = font;
        smaller.height =
            std::max(1, static_cast<int>(static_cast<long long>(font.height) * room / width));
        canvas.setFont(smaller);
        width = canvas.textWidth(text);
    }
    canvas.textOut(right < 0 ? left : right - width, y, text);
    if (!(canvas.font() == font)) canvas.setFont(font);
}

void drawRow(Canvas& canvas, const Geometry& g, const TableCells& cells, int r, int y,
             bool cursor) {
    int x = 0;
    for (int c = 0; c < cells.columns(); ++c) {
        const std::string text = cells.cell(r, c);
        if (c == 0) {
            if (cursor && r == cells.record.selectedDesign) drawCursor(canvas, g, y);
            const int indent = g.firstColumn / 10;
            drawCell(canvas, x + indent, -1, g.firstColumn - indent, y, text);
            if (text.find("END") != std::string::npos) return;
        } else {
            const int right = x + scaled(0.9, g.otherColumn);
            drawCell(canvas, x, right, right - x, y, text);
        }
        x += g.columnWidth(c);
    }
}

// Up to ten rows from `first`, stopping at the first row without a part number. Before any
// requirements have been accepted the rows take their place but nothing is drawn in them.
// Returns the y below the last row.
int drawRows(Canvas& canvas, const Geometry& g, const TableCells& cells, int first, int count,
             int y, bool cursor = true) {
    const DesignRecord& record = cells.record;
    const bool requirementsAccepted = record.inductanceRequired > kNoInductanceMh;
    const int last = std::min(first + count - 1, kLastRow);
    for (int r = first; r <= last; ++r) {
        if (record.designResults[r].partNumber.size() < 2) break;
        if (requirementsAccepted) drawRow(canvas, g, cells, r, y, cursor);
        y += g.lineHeight;
    }
    return y;
}

}  // namespace

int resultsRowAt(const ResultsPageLayout& layout, int y) {
    if (layout.rowHeight <= 0 || y < layout.rowsTop) return -1;
    const int i = (y - layout.rowsTop) / layout.rowHeight;
    return i < layout.rowCount ? layout.firstRow + i : -1;
}

std::string resultsDateText(const std::tm& local) {
    const DateNames names = dateNames(local);
    const long long year = static_cast<long long>(local.tm_year) + 1900;
    return trimmed(strprintf("%s %s %02d %02d:%02d:%02d %4lld\n", names.weekday, names.month,
                             local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, year));
}

bool summaryRowShown(int application, int row) {
    if ((row == 3 || row == 4) &&
        (application == kDcBiased || application == kPowerFactorBoost || application == kResonant))
        return false;
    if ((row == 5 || row == 6) && application == kPowerline) return false;
    if (row == 6 && application == kResonant) return false;
    return true;
}

std::string_view resultsWindowCaption(int displayMode) {
    if (displayMode == kCheckDisplay) return "CHECKED PROPERTIES DATA";
    return displayMode == kDimensionsDisplay ? "DIMENSIONAL PROPERTIES DATA"
                                             : "ELECTRICAL PROPERTIES DATA";
}

int resultsDisplayOf(const DesignRecord& record) {
    if (record.displayMode == kDimensionsDisplay || record.displayMode == kCheckDisplay)
        return record.displayMode;
    return kElectricalDisplay;
}

int resultsPageHeight(int fontHeight) {
    const int h = limitedPixels(fontHeight, kMaxFontHeight);
    const int line = scaled(1.4, h);
    // The headings' two lines and a half, the rows, a blank line, STATUS: and the status line.
    return 14 * h + 2 * line + line / 2 + kRowsShown * line + 3 * line;
}

int resultsRowsPerPrintedPage(const Canvas& canvas) {
    const Geometry g = printerGeometry(canvas);
    // The rows begin two and a half lines below the table's top and end a page-tenth above the
    // page's foot.
    const int firstRow = g.tableTop + 2 * g.lineHeight + g.lineHeight / 2;
    const int lastRow = limitedPixels(canvas.height(), kMaxPixels) * 9 / 10;
    return g.lineHeight > 0 ? std::max(1, (lastRow - firstRow) / g.lineHeight) : kMaxDesigns;
}

int drawAllResultsPages(Canvas& canvas, DesignRecord& record, const ResultsPageView& view) {
    const int designs = std::clamp(record.designCount, 0, kMaxDesigns);
    const int perPage = resultsRowsPerPrintedPage(canvas);
    const int pages = std::max(1, (designs + perPage - 1) / perPage);
    const Geometry g = printerGeometry(canvas);
    const TableCells cells{record, resultsDisplayOf(record), view.check};
    Geometry table = g;
    table.columns = cells.columns();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !canvas.newPage()) break;
        drawPrintedHeader(canvas, g, view, strprintf("PAGE %d OF %d", page + 1, pages));
        drawSummary(canvas, g, record);
        const int y = drawHeadings(canvas, table, cells);
        drawRows(canvas, table, cells, page * perPage, std::min(perPage, designs - page * perPage),
                 y, false);
    }
    record.printRequested = 0;
    return pages;
}

ResultsPageLayout drawResultsPage(Canvas& canvas, DesignRecord& record,
                                  const ResultsPageView& view) {
    ResultsPageLayout layout;
    const int windowWidth = limitedPixels(view.windowWidth, kMaxPixels);
    // Six buttons, a quarter button in from the left and two pixels apart.
    layout.buttonWidth = scaled(0.15, windowWidth);
    const int b = layout.buttonWidth;
    layout.buttonLefts = {scaled(0.25, b),     scaled(1.25, b) + 2, scaled(2.25, b) + 4,
                          scaled(3.25, b) + 6, scaled(4.25, b) + 8, scaled(5.25, b) + 10};

    // The scroll bar stands beside the window's table whichever surface is drawn on.
    const Geometry window = windowGeometry(canvas, view);
    layout.scrollHeight = scaled(10.5, window.lineHeight);
    layout.scrollTop = 2 * window.lineHeight + window.tableTop;
    layout.scrollLeft = window.tableWidth - 4 * limitedPixels(view.scrollBarWidth, kMaxPixels / 4);

    const bool printing = canvas.isPrinter();
    const Geometry g = printing ? printerGeometry(canvas) : window;
    if (printing) {
        drawPrintedHeader(canvas, g, view);
    } else {
        canvas.setBrushColor(colors::kSilver);
        canvas.fillRect(0, 0, canvas.width(), canvas.height());
        canvas.textOut(g.margin, g.headerLine, view.applicationCaption);
        drawRightAligned(canvas, g.tableWidth - 2 * g.margin, g.headerLine, view.dateText);
        if (record.reqtSummary[0].label.size() < kShortestSummaryLabel)
            record.reqtSummary[0].label = kFirstSummaryLabel;
    }

    drawSummary(canvas, g, record);

    if (record.inductanceRequired < kNoInductanceMh)
        record.inductanceRequired = static_cast<float>(kNoInductanceMh);

    // Anything but the dimensions and check displays shows the electrical one.
    const TableCells cells{record, resultsDisplayOf(record), view.check};
    Geometry table = g;
    table.columns = cells.columns();
    int y = drawHeadings(canvas, table, cells);

    // The bar runs over the designs found; with fewer than two (or a full list) it keeps its
    // whole range, one step past the last row, which the selection below never passes.
    constexpr int kFullScrollRange = kMaxDesigns;
    layout.scrollMaximum = record.designCount >= 2 && record.designCount <= kLastRow
                               ? record.designCount - 1
                               : kFullScrollRange;
    layout.scrollPosition = std::clamp(view.scrollPosition, 0, layout.scrollMaximum);
    record.selectedDesign = std::min(layout.scrollPosition, kLastRow);
    const int first = std::max(0, record.selectedDesign - kRowsAboveCursor);

    const int rowsTop = y;
    y = drawRows(canvas, table, cells, first, kRowsShown, y);
    // Where the window holds the rows it shows (its own layout, whichever surface this was).
    layout.rowHeight = window.lineHeight;
    layout.rowsTop =
        printing ? window.tableTop + 2 * window.lineHeight + window.lineHeight / 2 : rowsTop;
    layout.firstRow = first;
    layout.rowCount = g.lineHeight > 0 ? (y - rowsTop) / g.lineHeight : 0;

    if (printing) {
        // The status lines belong to the window; the printed page ends with the table.
        record.printRequested = 0;
    } else {
        y += g.lineHeight;
        canvas.textOut(g.margin, y, "STATUS:");
        y += g.lineHeight;
        canvas.textOut(g.margin, y,
                       strprintf("%3d Designs, First CORE: %s", record.designCount,
                                 record.designResults[0].partNumber.c_str()));
    }
    return layout;
}

}  // namespace korvell
