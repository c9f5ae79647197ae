#include "pages/AnalysisPage.h"

#include <algorithm>
#include <vector>

#include "platform/Format.h"
#include "platform/Placement.h"

namespace korvell {
namespace {

constexpr const char* kTitle = "KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS";
// Sizes the window reports are limited to this, so no placement product can overflow.
constexpr int kMaxPixels = 100000;
constexpr int kMaxFontHeight = 10000;
// The window's page begins this many font heights down, below the entry fields.
constexpr int kPageTopInFontHeights = 21;
// The date stands at this height of the window, level with the header.
constexpr int kDateTop = 26;

FontSpec pageFont(int height) {
    FontSpec font;
    font.name = "Arial";
    font.height = std::max(height, 1);
    font.color = colors::kBlack;
    font.bold = true;
    return font;
}

void drawRightAligned(Canvas& canvas, int right, int y, const std::string& text) {
    canvas.textOut(right - canvas.textWidth(text), y, text);
}

// A text at the left of a line and one ending at its right, `room` pixels apart.
struct FitLine {
    std::string left;
    std::string right;
    int room;
};

// The font height, at most `height`, at which no two texts of a line meet: the left text, a blank
// and the visible part of the right one fit in the room. Large fonts on a narrow window or page
// are made smaller rather than written over each other.
int fittedHeight(Canvas& canvas, int height, const std::vector<FitLine>& lines) {
    constexpr int kTries = 4;  // widths follow the height closely; a few steps settle it
    for (int step = 0; step < kTries && height > 1; ++step) {
        canvas.setFont(pageFont(height));
        int worst = 0;  // the needed width of the tightest line, in thousandths of its room
        for (const FitLine& line : lines) {
            if (line.room <= 0) continue;
            const long long needed = canvas.textWidth(line.left) + canvas.textWidth(" ") +
                                     canvas.textWidth(trimmed(line.right));
            worst =
                std::max(worst, static_cast<int>(std::min(needed * 1000 / line.room, 1000000LL)));
        }
        if (worst <= 1000) break;
        height = std::max(1, static_cast<int>(static_cast<long long>(height) * 1000 / worst));
    }
    return height;
}

// The text a row's figure is fitted with: the figure itself while it keeps within its format's
// width, else the format's 0. The page's type makes room for the figures the formats promise,
// and no single figure wider than that (a float's limit, INFINITE) makes it smaller: that one is
// drawn smaller alone.
std::string fittedFigure(const AnalysisRow& row, const std::string& text) {
    const std::string zero = figureText(row.format.c_str(), 0.0);
    return text.size() <= zero.size() ? text : zero;
}

// A figure ending at `right`, drawn within `room` pixels: one too wide for its room is drawn in a
// font just small enough to fit, alone, so it never runs into its label.
void drawFigure(Canvas& canvas, int right, int y, int room, const std::string& text) {
    const FontSpec font = canvas.font();
    // The blanks a format pads with may stand behind the label; the digits may not.
    const int visible = canvas.textWidth(trimmed(text));
    if (visible > room && room > 0) {
        FontSpec smaller = font;
        smaller.height =
            std::max(1, static_cast<int>(static_cast<long long>(font.height) * room / visible));
        canvas.setFont(smaller);
    }
    canvas.textOut(right - canvas.textWidth(text), y, text);
    if (!(canvas.font() == font)) canvas.setFont(font);
}

// The room a figure has between its label (and a blank) and the right edge it ends at.
int figureRoom(Canvas& canvas, const std::string& label, int span) {
    return span - canvas.textWidth(label) - canvas.textWidth(" ");
}

// The frame of a page of result rows: rows `pitch` apart from `top`, the first column at
// `margin`, the second half a width further on, each value ending `valueColumn` after its
// column's left edge and its units a margin after that.
struct RowsFrame {
    int width = 0;
    int margin = 0;
    int valueColumn = 0;
    int pitch = 0;
    int top = 0;
};

// Rows first .. first + n - 1 of the table in two columns; returns the y below the taller
// (first) column.
int drawResultRows(Canvas& canvas, const DesignRecord& record, const AnalysisTable& table,
                   int first, int n, const RowsFrame& f) {
    const int columnStep = f.width / 2 - f.margin;
    const int rowsInFirstColumn = (n + 1) / 2;
    for (int i = 0; i < n; ++i) {
        const AnalysisRow& row = table.rows[static_cast<std::size_t>(first + i)];
        const int c = 2 * i / (n + 1);
        const int x = c * columnStep + f.margin;
        const int y = (i - c * rowsInFirstColumn) * f.pitch + f.top;
        canvas.textOut(x, y, row.label);
        drawFigure(canvas, x + f.valueColumn, y, figureRoom(canvas, row.label, f.valueColumn),
                   analysisValueText(row, record));
        canvas.textOut(c * columnStep + 2 * f.margin + f.valueColumn, y,
                       analysisUnitsText(row, record));
    }
    return f.top + rowsInFirstColumn * f.pitch;
}

// Every result row as its label and value within the value column, and its units within what is
// left of its half of the width.
std::vector<FitLine> resultLines(const DesignRecord& record, const AnalysisTable& table,
                                 const RowsFrame& f) {
    std::vector<FitLine> lines;
    const int unitsRoom = f.width / 2 - 2 * f.margin - f.valueColumn;
    for (const AnalysisRow& row : table.rows) {
        lines.push_back(
            {row.label, fittedFigure(row, analysisValueText(row, record)), f.valueColumn});
        lines.push_back({analysisUnitsText(row, record), "", unitsRoom});
    }
    return lines;
}

// The CHECK page in each half of the width: the label at the column's left, the second opinion's
// value ending a quarter of the width on, the program's figure a tenth of the width further, and
// the units after it.
struct CheckColumns {
    int step;     // from one column to the next
    int value;    // right edge of the second opinion's value, from the column's left
    int program;  // right edge of the program's figure
    int units;    // left edge of the units
};
CheckColumns checkColumns(const RowsFrame& f) {
    const int value = f.width / 4;
    const int program = value + f.width / 10;
    return {f.width / 2 - f.margin, value, program, program + f.margin / 2};
}

constexpr int kCheckRowsPerColumn = (kCheckRows + 1) / 2;

std::string checkFootText(const SecondOpinion& check) {
    return checkStatusText(check) + "   MODEL: " + checkModelText(check.application);
}

// The heading line (with `heading` at the left of the first column), the check rows in two
// columns and the status line below them.
void drawCheckRows(Canvas& canvas, const DesignRecord& record, const SecondOpinion& check,
                   const RowsFrame& f, const char* heading) {
    const CheckColumns k = checkColumns(f);
    for (int c = 0; c < 2; ++c) {
        const int x = c * k.step + f.margin;
        if (c == 0) canvas.textOut(x, f.top, heading);
        drawRightAligned(canvas, x + k.value, f.top, "CHECK");
        drawRightAligned(canvas, x + k.program, f.top, "PROGRAM");
    }
    const auto rows = checkRows(check);
    for (int i = 0; i < kCheckRows; ++i) {
        const CheckRow& row = rows[static_cast<std::size_t>(i)];
        const int c = i / kCheckRowsPerColumn;
        const int x = c * k.step + f.margin;
        const int y = f.top + (1 + i - c * kCheckRowsPerColumn) * f.pitch;
        canvas.textOut(x, y, row.row.label);
        drawFigure(canvas, x + k.value, y, figureRoom(canvas, row.row.label, k.value),
                   analysisValueText(row.row, record));
        drawFigure(canvas, x + k.program, y, figureRoom(canvas, "", k.program - k.value),
                   checkProgramText(row, record));
        canvas.textOut(x + k.units, y, analysisUnitsText(row.row, record));
    }
    canvas.textOut(f.margin, f.top + (1 + kCheckRowsPerColumn) * f.pitch, checkFootText(check));
}

// The texts of the CHECK page within their rooms, for the font fitting.
void addCheckLines(std::vector<FitLine>& lines, const DesignRecord& record,
                   const SecondOpinion& check, const RowsFrame& f) {
    const CheckColumns k = checkColumns(f);
    lines.push_back({"SECOND OPINION", "CHECK", k.value});
    lines.push_back({"", "PROGRAM", k.program - k.value});
    for (const CheckRow& row : checkRows(check)) {
        lines.push_back(
            {row.row.label, fittedFigure(row.row, analysisValueText(row.row, record)), k.value});
        lines.push_back(
            {"", fittedFigure(row.row, checkProgramText(row, record)), k.program - k.value});
        lines.push_back({analysisUnitsText(row.row, record), "", k.step - k.units});
    }
    lines.push_back({checkFootText(check), "", f.width - 2 * f.margin});
}

// The YIELD page across the width: the label column, nine columns of right-aligned values
// (nominal, the ends of the Al tolerance, mean, min, max, p1, p99 and the share meeting the
// requirement) and the units.
struct YieldColumns {
    int label;   // width of the label column
    int column;  // width of each value column
};
constexpr int kYieldColumns = 9;
// Rows of the YIELD page at most: the heading, seven figures, the model line.
constexpr int kYieldLines = 9;
YieldColumns yieldColumns(const RowsFrame& f) {
    const int room = f.width - 2 * f.margin;
    const int label = room / 5;
    const int units = room / 12;
    return {label, std::max((room - label - units) / kYieldColumns, 1)};
}

std::array<std::string, kYieldColumns> yieldHeadings(const YieldReport& yield) {
    const std::string tol = strprintf("%.4g %%", yield.alTolerancePercent);
    return {"NOMINAL", "AL -" + tol, "AL +" + tol, "MEAN", "MIN", "MAX", "P1", "P99", "MEETING"};
}

std::array<std::string, kYieldColumns> yieldCells(const YieldRow& row) {
    const FigureSpread& s = row.spread;
    const auto value = [&row](double v) { return trimmed(yieldValueText(row, v)); };
    return {value(s.nominal),
            value(s.atLowTolerance.value_or(s.nominal)),
            value(s.atHighTolerance.value_or(s.nominal)),
            value(s.mean),
            value(s.min),
            value(s.max),
            value(s.p1),
            value(s.p99),
            row.fraction ? yieldFractionText(row.fraction) : ""};
}

// The heading line (with `heading` at the left), a row per figure, the model line below them.
void drawYieldRows(Canvas& canvas, const YieldReport& yield, const RowsFrame& f,
                   const char* heading) {
    const YieldColumns k = yieldColumns(f);
    const auto right = [&](int column) { return f.margin + k.label + (column + 1) * k.column; };
    canvas.textOut(f.margin, f.top, heading);
    const auto headings = yieldHeadings(yield);
    for (int c = 0; c < kYieldColumns; ++c)
        drawRightAligned(canvas, right(c), f.top, headings[static_cast<std::size_t>(c)]);
    int y = f.top;
    for (const YieldRow& row : yieldRows(yield)) {
        y += f.pitch;
        canvas.textOut(f.margin, y, row.label);
        const auto cells = yieldCells(row);
        for (int c = 0; c < kYieldColumns; ++c)
            drawRightAligned(canvas, right(c), y, cells[static_cast<std::size_t>(c)]);
        canvas.textOut(right(kYieldColumns - 1) + f.margin / 2, y, row.units);
    }
    canvas.textOut(f.margin, y + f.pitch, yieldModelText(yield));
}

// The texts of the YIELD page within their rooms, for the font fitting.
void addYieldLines(std::vector<FitLine>& lines, const YieldReport& yield, const RowsFrame& f) {
    const YieldColumns k = yieldColumns(f);
    for (const std::string& heading : yieldHeadings(yield))
        lines.push_back({"", heading, k.column});
    for (const YieldRow& row : yieldRows(yield)) {
        lines.push_back({row.label, "", k.label});
        for (const std::string& cell : yieldCells(row))
            lines.push_back({"", cell, k.column});
    }
    lines.push_back({yieldModelText(yield), "", f.width - 2 * f.margin});
}

struct PageRows {
    int first;
    int count;
};
PageRows pageRows(int display) {
    if (display == kMechanicalPage) return {kElectricalRows, kAnalysisRows - kElectricalRows};
    return {0, kElectricalRows};
}

// The frame of the window's result rows for its width and font.
RowsFrame windowRowsFrame(int windowWidth, int fontHeight) {
    RowsFrame f;
    f.width = std::clamp(windowWidth, 0, kMaxPixels);
    f.margin = f.width / 36;
    f.valueColumn = f.width * 2 / 7;
    f.pitch = scaled(1.4, fontHeight);
    f.top = kPageTopInFontHeights * fontHeight;
    return f;
}

}  // namespace

int analysisPageHeight(int fontHeight) {
    const int h = std::clamp(fontHeight, 1, kMaxFontHeight);
    const RowsFrame f = windowRowsFrame(0, h);
    int tallest = 0;  // lines of the tallest page: the taller column of rows, or for the CHECK
                      // page its heading, its taller column and its status line
    for (int display = 0; display < kAnalysisDisplays; ++display) {
        const int lines = display == kCheckPage   ? kCheckRowsPerColumn + 2
                          : display == kYieldPage ? kYieldLines
                                                  : (pageRows(display).count + 1) / 2;
        tallest = std::max(tallest, lines);
    }
    // The last line takes a whole line's pitch: its text with its descent.
    return f.top + tallest * f.pitch;
}

void drawAnalysisPage(Canvas& canvas, const DesignRecord& record, const AnalysisTable& table,
                      const AnalysisPageView& view, const SecondOpinion* check,
                      const YieldReport* yield) {
    const int h = std::clamp(view.fontHeight, 1, kMaxFontHeight);
    const RowsFrame f = windowRowsFrame(view.windowWidth, h);
    const int width = f.width;

    std::vector<FitLine> lines = resultLines(record, table, f);
    if (check != nullptr) addCheckLines(lines, record, *check, f);
    if (yield != nullptr) addYieldLines(lines, *yield, f);
    canvas.setFont(pageFont(fittedHeight(canvas, h, lines)));

    // The page of the last analysis goes, whatever its number of rows.
    constexpr int kClearedLines = 9;
    canvas.setBrushColor(colors::kSilver);
    canvas.fillRect(f.margin, f.top, width - 2 * f.margin, kClearedLines * f.pitch);
    drawRightAligned(canvas, width - 2 * f.margin, kDateTop, view.dateText);

    if (view.display == kCheckPage) {
        if (check != nullptr) drawCheckRows(canvas, record, *check, f, "SECOND OPINION");
        return;
    }
    if (view.display == kYieldPage) {
        if (yield != nullptr) drawYieldRows(canvas, *yield, f, "YIELD");
        return;
    }
    const PageRows rows = pageRows(view.display);
    drawResultRows(canvas, record, table, rows.first, rows.count, f);
}

void drawAnalysisPrintout(Canvas& canvas, const DesignRecord& record, const AnalysisTable& table,
                          const AnalysisPrintout& printout, const SecondOpinion* check,
                          const YieldReport* yield) {
    const int W = std::clamp(canvas.width(), 0, kMaxPixels);
    const int H = std::clamp(canvas.height(), 0, kMaxPixels);
    // With the yield the page holds nine lines more: they stand closer.
    const int P = H / (yield != nullptr ? 68 : 60);
    const int M = W / 36;
    const int X = W / 5;
    const int E = scaled(0.54, W);

    RowsFrame f;
    f.width = W;
    f.margin = M;
    f.valueColumn = W * 2 / 7;
    f.pitch = P;

    // The window's font at its point size on the page, 1.25 times larger for the title.
    const int titlePoints = scaled(1.25, std::clamp(printout.fontPoints, 1, 1000));
    const int textPoints = scaled(0.8, titlePoints);
    const int dpi = std::clamp(canvas.dotsPerInch(), 1, 100000);
    const int titleHeight =
        fittedHeight(canvas, pixelsForPoints(titlePoints, dpi), {{kTitle, "", W - 2 * M}});
    std::vector<FitLine> lines = resultLines(record, table, f);
    lines.push_back({printout.header, printout.dateText, W - 2 * M - X});
    for (const AnalysisEntryLine& entry : printout.entries)
        lines.push_back({entry.caption, entry.text, E - X});
    if (check != nullptr) addCheckLines(lines, record, *check, f);
    if (yield != nullptr) addYieldLines(lines, *yield, f);
    const int textHeight = fittedHeight(canvas, pixelsForPoints(textPoints, dpi), lines);

    canvas.setFont(pageFont(titleHeight));
    int y = H / 10;
    canvas.textOut((W - canvas.textWidth(kTitle)) / 2, y, kTitle);

    canvas.setFont(pageFont(textHeight));
    y += 3 * P / 2;
    canvas.textOut(X, y, printout.header);
    drawRightAligned(canvas, W - 2 * M, y, printout.dateText);

    y += 3 * P / 2 + P;
    for (std::size_t j = 0; j < printout.entries.size(); ++j) {
        const AnalysisEntryLine& entry = printout.entries[j];
        canvas.textOut(X, y, entry.caption);
        drawRightAligned(canvas, E, y, entry.text);
        if (j == 0) {
            canvas.textOut(E + M, y, " X ");
            canvas.textOut(E + 2 * M, y, printout.stackText);
            canvas.textOut(E + 3 * M, y, printout.stackCaption);
        } else if (j == 1) {
            canvas.textOut(E + M, y, " X ");
            canvas.textOut(E + 2 * M, y, printout.strandsText);
        } else if (j >= 3) {
            canvas.textOut(E + M, y, entry.units);
        }
        y += P;
    }

    y += 2 * P;
    for (const auto& [heading, display] : {std::pair{"ELECTRICAL PROPERTIES:", kElectricalPage},
                                           std::pair{"MECHANICAL PROPERTIES:", kMechanicalPage}}) {
        canvas.textOut(M, y, heading);
        y += 3 * P / 2;
        f.top = y;
        const PageRows rows = pageRows(display);
        y = drawResultRows(canvas, record, table, rows.first, rows.count, f) + P / 2;
    }
    if (check != nullptr) {
        canvas.textOut(M, y, "SECOND OPINION:");
        f.top = y + 3 * P / 2;
        drawCheckRows(canvas, record, *check, f, "");
        y = f.top + (2 + kCheckRowsPerColumn) * P + P / 2;
    }
    if (yield != nullptr) {
        canvas.textOut(M, y, "YIELD:");
        f.top = y + 3 * P / 2;
        drawYieldRows(canvas, *yield, f, "");
    }
}

}  // namespace korvell
