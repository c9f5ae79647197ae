#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "pages/ResultsPage.h"
#include "platform/Format.h"
#include "platform/Placement.h"
#include "record/ResultCells.h"
#include "support/DesignScenarios.h"
#include "support/PageChecks.h"
#include "support/RecordingCanvas.h"

namespace korvell {
namespace {

using test::RecordingCanvas;

// A 1000-pixel window with a 10-pixel font: column 0 is 102 wide, columns 1-12 are 68, the
// margin 28, the label width 299, lines 13 apart; the first design row stands at y = 172.
constexpr int kRowTop = 172;
constexpr int kLine = 13;

ResultsPageView windowView(int scrollPosition = 0, int width = 1000) {
    ResultsPageView view;
    view.windowWidth = width;
    view.fontHeight = 10;
    view.scrollPosition = scrollPosition;
    view.applicationCaption = "POWER FACTOR BOOST INDUCTOR";
    view.windowCaption = "ELECTRICAL PROPERTIES DATA";
    view.dateText = "Mon Dec 07 12:34:56 2026";
    return view;
}

// A record after a search that found `count` designs, the end marker in the row after them.
DesignRecord recordWithDesigns(int count) {
    DesignRecord r;
    r.inductanceRequired = 0.1f;
    r.designCount = count;
    for (int i = 0; i < count; ++i) {
        DesignResult& d = r.designResults[i];
        d.partNumber = strprintf("T%d-26", 100 + i);
        d.price = 12.5f;
        d.turns = 25;
        d.wire = "#18";
        d.strands = 1;
    }
    if (count < kMaxDesigns) r.designResults[count].partNumber = kEndOfCatalogMarker;
    return r;
}

// The part numbers drawn in the rows, top to bottom.
std::vector<std::string> rowPartNumbers(const RecordingCanvas& canvas, int firstColumnX = 10) {
    std::vector<std::string> rows;
    for (const auto& t : canvas.texts)
        if (t.x == firstColumnX && t.y >= kRowTop) rows.push_back(t.text);
    return rows;
}

std::vector<std::string> partNumbers(int first, int last) {
    std::vector<std::string> out;
    for (int i = first; i <= last; ++i)
        out.push_back(strprintf("T%d-26", 100 + i));
    return out;
}

// The y of the two cursor lines, or nothing when no cursor was drawn.
std::vector<int> cursorLines(const RecordingCanvas& canvas) {
    std::vector<int> ys;
    for (const auto& l : canvas.lines)
        ys.push_back(l.y0);
    return ys;
}

std::vector<int> cursorAroundRow(int visibleRow) {
    const int y = kRowTop + visibleRow * kLine;
    return {y - 1, y + kLine - 1};
}

TEST(ResultsPage, ScrollingThroughTwentyFiveDesignsShowsTenRowsAroundTheCursor) {
    DesignRecord r = recordWithDesigns(25);
    RecordingCanvas canvas(1000, 700);
    const ResultsPageLayout layout = drawResultsPage(canvas, r, windowView(20));
    EXPECT_EQ(layout.scrollMaximum, 24);
    EXPECT_EQ(r.selectedDesign, 20);
    EXPECT_EQ(rowPartNumbers(canvas), partNumbers(15, 24));
    EXPECT_EQ(cursorLines(canvas), cursorAroundRow(5));

    DesignRecord thirty = recordWithDesigns(30);
    RecordingCanvas top(1000, 700);
    drawResultsPage(top, thirty, windowView(3));
    EXPECT_EQ(rowPartNumbers(top), partNumbers(0, 9));
    EXPECT_EQ(cursorLines(top), cursorAroundRow(3));
}

TEST(ResultsPage, OneDesignKeepsTheFullScrollRange) {
    for (int position = 0; position <= 10; ++position) {
        SCOPED_TRACE(position);
        DesignRecord r = recordWithDesigns(1);
        RecordingCanvas canvas(1000, 700);
        const ResultsPageLayout layout = drawResultsPage(canvas, r, windowView(position));
        EXPECT_EQ(layout.scrollMaximum, 40);
        std::vector<std::string> expected;
        if (position <= 5) expected = {"T100-26", kEndOfCatalogMarker};
        if (position == 6) expected = {kEndOfCatalogMarker};
        EXPECT_EQ(rowPartNumbers(canvas), expected);
        EXPECT_EQ(canvas.lines.size(), position <= 1 ? 2u : 0u);
    }
}

TEST(ResultsPage, SelectionStaysWithinTheFortyRows) {
    for (int position : {40, 39, 1000, INT_MAX}) {
        DesignRecord r = recordWithDesigns(40);
        RecordingCanvas canvas(1000, 700);
        const ResultsPageLayout layout = drawResultsPage(canvas, r, windowView(position));
        EXPECT_EQ(layout.scrollMaximum, 40);
        EXPECT_EQ(layout.scrollPosition, std::min(position, 40));
        EXPECT_EQ(r.selectedDesign, 39);
        EXPECT_EQ(rowPartNumbers(canvas), partNumbers(34, 39));
        EXPECT_EQ(cursorLines(canvas), cursorAroundRow(5));
    }
    DesignRecord r = recordWithDesigns(40);
    RecordingCanvas canvas(1000, 700);
    EXPECT_EQ(drawResultsPage(canvas, r, windowView(-7)).scrollPosition, 0);
    EXPECT_EQ(r.selectedDesign, 0);
}

TEST(ResultsPage, SummaryColumnsFollowTheApplication) {
    const auto columnsOf = [](int application) {
        DesignRecord r = recordWithDesigns(3);
        r.applicationType = static_cast<std::int8_t>(application);
        for (int k = 0; k < 9; ++k)
            r.reqtSummary[k] = {strprintf("LABEL %d ......", k), "12.50", "VOLTS"};
        RecordingCanvas canvas(1000, 700);
        drawResultsPage(canvas, r, windowView());
        std::vector<std::pair<int, int>> placed;  // (x, y) of every label drawn
        for (int k = 0; k < 9; ++k) {
            const auto* label = canvas.find(strprintf("LABEL %d ", k), true);
            placed.emplace_back(label ? label->x : -1, label ? label->y : -1);
        }
        return placed;
    };
    // Summary rows start 1.5 lines below the header line (30 + 19); the second column at A / 2.
    const std::vector<std::pair<int, int>> pfc = {{28, 49},  {28, 62},  {28, 75},
                                                  {-1, -1},  {-1, -1},  {500, 49},
                                                  {500, 62}, {500, 75}, {500, 88}};
    EXPECT_EQ(columnsOf(kPowerFactorBoost), pfc);
    const std::vector<std::pair<int, int>> powerline = {{28, 49}, {28, 62},  {28, 75},
                                                        {28, 88}, {500, 49}, {-1, -1},
                                                        {-1, -1}, {500, 62}, {500, 75}};
    EXPECT_EQ(columnsOf(kPowerline), powerline);

    DesignRecord r = recordWithDesigns(1);
    r.reqtSummary[5] = {"PEAK REGULATOR INPUT VOLTAGE", "311.00", "VOLTS"};
    r.applicationType = kPowerFactorBoost;
    RecordingCanvas canvas(1000, 700);
    drawResultsPage(canvas, r, windowView());
    EXPECT_EQ(canvas.find("311.00")->x, 500 + 299 - 36);  // ends at the label width
    EXPECT_EQ(canvas.find("VOLTS")->x, 500 + 28 + 299);
}

TEST(ResultsPage, StackedNoteStandsUnderCorePartNumber) {
    DesignRecord r = recordWithDesigns(2);
    r.stackedCores = 2;
    RecordingCanvas stacked(1000, 700);
    drawResultsPage(stacked, r, windowView());
    const auto* note = stacked.find("  ( # Stacked )");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->x, (102 - 90) / 2);
    EXPECT_EQ(note->y, stacked.find("CORE P/N")->y + kLine);

    r.stackedCores = 1;
    RecordingCanvas single(1000, 700);
    drawResultsPage(single, r, windowView());
    EXPECT_EQ(single.find("Stacked", true), nullptr);
}

TEST(ResultsPage, MetricDimensionsShowMillimetres) {
    DesignRecord r = recordWithDesigns(1);
    r.displayMode = kDimensionsDisplay;
    r.lengthUnitName = "mm ";
    r.lengthFactor = 25.4f;
    r.designDimensions[0].slot[2] = 1.25f;  // core OD, inches
    RecordingCanvas canvas(1000, 700);
    drawResultsPage(canvas, r, windowView());
    EXPECT_NE(canvas.find("CORE DIMENSIONS, mm "), nullptr);
    EXPECT_NE(canvas.find("WOUND DIMENSIONS, mm "), nullptr);
    const auto* od = canvas.find("31.750");
    ASSERT_NE(od, nullptr);
    EXPECT_EQ(od->x, 170 + 61 - 36);
    EXPECT_EQ(od->y, kRowTop);
    // "MAGNETIC, cm" is centred on column 5 and moved on by half of column 4.
    EXPECT_EQ(canvas.find("MAGNETIC, cm")->x, 374 + (68 - 72) / 2 + 34);
}

TEST(ResultsPage, NarrowWindowIsLaidOutAtTheSummaryWidth) {
    DesignRecord r = recordWithDesigns(3);
    RecordingCanvas canvas(400, 700);
    const ResultsPageLayout layout = drawResultsPage(canvas, r, windowView(0, 400));
    // 3.6 × the width of "INDUCTANCE AT MAX CURRENT" (150) gives a 540-pixel table.
    EXPECT_EQ(layout.scrollLeft, 540 - 4 * 16);
    EXPECT_EQ(canvas.find("PRICE")->x, 55 + (36 - 30) / 2);
    EXPECT_EQ(canvas.lines.at(0).x1, 55 + 12 * 36);
    EXPECT_EQ(canvas.find("Mon Dec", true)->x, 540 - 2 * 15 - 144);
}

TEST(ResultsPage, NoRowsBeforeRequirementsAreAccepted) {
    DesignRecord fresh;
    RecordingCanvas canvas(1000, 700);
    drawResultsPage(canvas, fresh, windowView());
    EXPECT_TRUE(rowPartNumbers(canvas).empty());
    EXPECT_TRUE(canvas.lines.empty());
    EXPECT_EQ(fresh.inductanceRequired, 0.0001f);
    EXPECT_EQ(fresh.reqtSummary[0].label, "INDUCATANCE AT MAX CURRENT:");
    EXPECT_EQ(canvas.find("STATUS:")->y, kRowTop + kLine);
    EXPECT_NE(canvas.find("  0 Designs, First CORE: "), nullptr);

    // Designs left from a search still take their lines, empty.
    DesignRecord stale = recordWithDesigns(3);
    stale.inductanceRequired = 0;
    RecordingCanvas rows(1000, 700);
    drawResultsPage(rows, stale, windowView());
    EXPECT_EQ(rows.find("T100-26"), nullptr);
    EXPECT_TRUE(rows.lines.empty());
    EXPECT_EQ(rows.find("STATUS:")->y, kRowTop + 5 * kLine);
    EXPECT_EQ(rows.find("  3 Designs, First CORE: T100-26")->y, kRowTop + 6 * kLine);
}

TEST(ResultsPage, WindowColumnArithmeticAtAThousandPixels) {
    DesignRecord r = recordWithDesigns(2);
    RecordingCanvas canvas(1000, 700);
    const ResultsPageLayout layout = drawResultsPage(canvas, r, windowView(1));

    // Six buttons of 0.15 × 1000 (just below 150 in extended precision, cut to 149).
    EXPECT_EQ(layout.buttonWidth, 149);
    EXPECT_EQ(layout.buttonLefts, (std::array<int, 6>{37, 188, 339, 490, 641, 792}));
    EXPECT_EQ(layout.scrollTop, 2 * kLine + 140);
    EXPECT_EQ(layout.scrollHeight, 136);
    EXPECT_EQ(layout.scrollLeft, 936);
    EXPECT_EQ(layout.scrollMaximum, 1);

    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].color, colors::kSilver);
    EXPECT_EQ(canvas.find("POWER FACTOR BOOST INDUCTOR")->x, 28);
    EXPECT_EQ(canvas.find("Mon Dec 07 12:34:56 2026")->x, 1000 - 56 - 144);

    EXPECT_EQ(canvas.find("CORE P/N")->x, (102 - 48) / 2);
    EXPECT_EQ(canvas.find("CORE P/N")->y, 140);
    EXPECT_EQ(canvas.find("PRICE")->x, 102 + (68 - 30) / 2);
    EXPECT_EQ(canvas.find("Temp Rise")->x, 102 + 11 * 68 + (68 - 54) / 2);

    const auto row = canvas.textsAt(kRowTop + kLine);
    ASSERT_EQ(row.size(), 13u);
    EXPECT_EQ(row[0].x, 10);
    EXPECT_EQ(row[1].text, " 12.50");
    EXPECT_EQ(row[1].x, 102 + 61 - 36);
    EXPECT_EQ(row[3].x, 102 + 2 * 68 + 61 - 24);
    EXPECT_EQ(row[0].font, (FontSpec{"Arial", 10, colors::kBlack, true}));

    // The end marker shows its part number only; the cursor brackets row 1 across the table.
    EXPECT_EQ(canvas.textsAt(kRowTop + 2 * kLine).size(), 1u);
    ASSERT_EQ(canvas.lines.size(), 2u);
    for (const auto& line : canvas.lines) {
        EXPECT_EQ(line.x0, 0);
        EXPECT_EQ(line.x1, 102 + 12 * 68);
        EXPECT_EQ(line.color, colors::kRed);
        EXPECT_EQ(line.width, 1);
    }
    EXPECT_EQ(cursorLines(canvas), cursorAroundRow(1));
    EXPECT_EQ(canvas.find("STATUS:")->x, 28);
    EXPECT_EQ(canvas.find("STATUS:")->y, kRowTop + 4 * kLine);
}

// A 2048 × 1200 page: lines 20 apart, the header line at 120, the table at 240; the window's
// 10-pixel font becomes 14, the title 17 and the rest of the page 13.
TEST(ResultsPage, PrintedPageCarriesItsHeader) {
    DesignRecord r = recordWithDesigns(3);
    r.printRequested = 1;
    RecordingCanvas page(2048, 1200, true);
    drawResultsPage(page, r, windowView());
    EXPECT_EQ(r.printRequested, 0);
    EXPECT_TRUE(page.fills.empty());

    const auto* title = page.find("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font.height, 17);
    EXPECT_EQ(title->x, (2048 - 479) / 2);
    EXPECT_EQ(title->y, 120 - 3 * 20);
    const auto* application = page.find("POWER FACTOR BOOST INDUCTOR");
    EXPECT_EQ(application->font.height, 13);
    EXPECT_EQ(application->x, (2048 - 210) / 2);
    EXPECT_EQ(application->y, 90);
    EXPECT_EQ(page.find("ELECTRICAL PROPERTIES DATA")->x, 2048 / 36);
    const auto* date = page.find("Mon Dec 07 12:34:56 2026");
    EXPECT_EQ(date->x, 2048 - 56 - 187);
    EXPECT_EQ(date->y, 120);
    EXPECT_EQ(page.find("STATUS:"), nullptr);
}

TEST(ResultsPage, PrinterGetsTheRowsTheWindowShows) {
    const auto cells = [](const RecordingCanvas& canvas, int rowTop) {
        std::vector<std::string> texts;
        for (const auto& t : canvas.texts)
            if (t.y >= rowTop && t.text != "STATUS:" &&
                t.text.find("Designs,") == std::string::npos)
                texts.push_back(t.text);
        return texts;
    };
    DesignRecord r = recordWithDesigns(25);
    RecordingCanvas window(1000, 700);
    drawResultsPage(window, r, windowView(20));
    RecordingCanvas page(2048, 1200, true);
    drawResultsPage(page, r, windowView(20));

    const int pageRowTop = 240 + 2 * 20 + 10;
    EXPECT_EQ(rowPartNumbers(page, 210 / 10), partNumbers(15, 24));
    EXPECT_EQ(cells(page, pageRowTop), cells(window, kRowTop));
    ASSERT_EQ(page.lines.size(), 2u);
    EXPECT_EQ(page.lines[0].y0, pageRowTop + 5 * 20 - 1);
    EXPECT_EQ(page.lines[1].y0, pageRowTop + 6 * 20 - 1);
    EXPECT_EQ(page.lines[0].x1, 210 + 12 * 140);
    EXPECT_EQ(page.lines[0].color, colors::kBlack);
}

TEST(ResultsPage, DateTextReadsLikeAClock) {
    std::tm t{};
    t.tm_wday = 1;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 12;
    t.tm_min = 34;
    t.tm_sec = 56;
    t.tm_year = 126;
    EXPECT_EQ(resultsDateText(t), "Mon Dec 07 12:34:56 2026");
    t.tm_wday = 7;
    t.tm_mon = -1;
    t.tm_year = INT_MAX;
    EXPECT_EQ(resultsDateText(t), "??? ??? 07 12:34:56 2147485547");
}

TEST(ResultsPage, ImpossibleRecordValuesDrawWithoutHarm) {
    for (int count : {-5, 0, 41, INT_MAX}) {
        DesignRecord r = recordWithDesigns(3);
        r.designCount = count;
        r.applicationType = 17;
        r.coreShape = -2;
        r.displayMode = 9;
        r.reqtSummary[0] = {"", "", ""};
        ResultsPageView view = windowView(INT_MIN, -50);
        view.fontHeight = INT_MAX;
        view.scrollBarWidth = INT_MAX;
        view.applicationCaption.clear();
        view.dateText.clear();
        RecordingCanvas canvas(1000, 700);
        const ResultsPageLayout layout = drawResultsPage(canvas, r, view);
        EXPECT_EQ(layout.scrollMaximum, 40);
        EXPECT_EQ(r.selectedDesign, 0);
        EXPECT_NE(canvas.find("PRICE"), nullptr);  // an unknown display shows ELECTRICAL
    }
}

// Every cell stays inside the room its column gives it, however many strands the wire has: a
// text that would run into the column before it is drawn in a smaller font instead.
TEST(ResultsPage, WideCellsShrinkIntoTheirColumns) {
    DesignRecord r = recordWithDesigns(2);
    r.designResults[0].strands = 16777216;
    r.designResults[0].partNumber = "T400-26D x16777216";
    RecordingCanvas canvas(1000, 700);
    drawResultsPage(canvas, r, windowView());
    const auto row = canvas.textsAt(kRowTop);
    ASSERT_EQ(row.size(), std::size_t{kResultColumns});
    int columnLeft = 0;
    for (int c = 0; c < kResultColumns; ++c) {
        const int width = c == 0 ? 102 : 68;
        const test::DrawnText& cell = row[static_cast<std::size_t>(c)];
        test::RecordingCanvas measure(10, 10);
        measure.setFont(cell.font);
        EXPECT_GE(cell.x, columnLeft) << cell.text;
        EXPECT_LE(cell.x + measure.textWidth(cell.text), columnLeft + width) << cell.text;
        columnLeft += width;
    }
    // The wire cell is the one that had to give way; its neighbours keep the page font.
    EXPECT_LT(row[4].font.height, 10);
    EXPECT_EQ(row[3].font.height, 10);
    EXPECT_LT(row[0].font.height, 10);
    // The next row is back in the page font.
    EXPECT_EQ(canvas.textsAt(kRowTop + kLine)[4].font.height, 10);
}

// On every common screen, in both displays and on paper, for the applications with the longest
// captions and with the most rows in the first column: no two texts meet, none leaves the window.
TEST(ResultsPage, TextsKeepApartAndOnTheWindowOnEveryScreen) {
    for (const auto& [application, fields] :
         {std::pair{kPowerFactorBoost, std::array{"400", "0", "5", "", "", "311", "400", "65"}},
          std::pair{kPowerline, std::array{"1000", "0", "5", "3000", "1", "", "", "60"}}}) {
        DesignRecord r;
        r.applicationType = application;
        RequirementTexts texts = requirementFieldTexts(r);
        for (std::size_t k = 0; k < fields.size(); ++k)
            if (*fields[k] != 0) texts[k] = fields[k];
        RecordingMessages messages;
        ASSERT_TRUE(acceptRequirements(r, messages, texts));
        run_design_search(r, messages);
        for (const int display : {int{kElectricalDisplay}, int{kDimensionsDisplay}}) {
            r.displayMode = static_cast<std::int8_t>(display);
            for (const test::ScreenSize& s : test::kCommonScreens) {
                const Rect place = resultsWindowPlacement(s.width, s.height);
                ResultsPageView view = windowView(5, place.width);
                view.fontHeight = pixelsForPoints(resultsFontPoints(s.width, s.height), 96);
                RecordingCanvas canvas(place.width, place.height);
                drawResultsPage(canvas, r, view);
                EXPECT_EQ(test::pageFaults(canvas, place.width, place.height),
                          std::vector<std::string>{})
                    << s.width << "x" << s.height;
            }
            RecordingCanvas paper(test::kLandscapePage.width, test::kLandscapePage.height, true);
            drawResultsPage(paper, r, windowView(5));
            EXPECT_EQ(test::pageFaults(paper, paper.width(), paper.height()),
                      std::vector<std::string>{});
        }
    }
}

// The CHECK display: the part number, then the checked columns of each design, headings and
// cells from the one column table; on the window around the cursor as the other displays, and
// every design on the printed pages of PRINT ALL DESIGNS.
TEST(ResultsPage, CheckDisplayShowsEachDesignsCheckedFigures) {
    DesignRecord r = testing::buckFilter();
    SilentMessages quiet;
    run_design_search(r, quiet);
    ASSERT_EQ(r.designCount, kMaxDesigns);
    r.displayMode = kCheckDisplay;
    const ResultsCheck check = checkResults(r);
    ResultsPageView view = windowView(12);
    view.check = &check;
    RecordingCanvas canvas(1000, 700);
    drawResultsPage(canvas, r, view);
    for (const char* heading :
         {"CORE P/N", "L", "L MIN", "L AT I MIN", "Rdc HOT", "CHECK Rise", "LIMIT"})
        EXPECT_NE(canvas.find(heading), nullptr) << heading;
    EXPECT_EQ(canvas.find("PRICE"), nullptr);  // no electrical column
    // The highlighted design's row: its part number and its checked cells, left to right.
    const test::DrawnText* part = canvas.find(r.designResults[12].partNumber);
    ASSERT_NE(part, nullptr);
    std::vector<std::string> row;
    for (const auto& text : canvas.texts)
        if (text.y == part->y && text.x > part->x) row.push_back(text.text);
    std::vector<std::string> expected;
    for (std::size_t c = 0; c < checkColumns().size(); ++c)
        expected.push_back(checkCellText(check.designs[12], c));
    EXPECT_EQ(row, expected);
    EXPECT_EQ(resultsWindowCaption(kCheckDisplay), "CHECKED PROPERTIES DATA");
}

TEST(ResultsPage, PrintAllDesignsPutsEveryDesignOnNumberedPages) {
    for (const int display : {int{kElectricalDisplay}, int{kCheckDisplay}}) {
        DesignRecord r = recordWithDesigns(kMaxDesigns);
        r.displayMode = static_cast<std::int8_t>(display);
        r.selectedDesign = 17;
        const ResultsCheck check = checkResults(r);  // no design analyzes: every cell reads "-"
        ResultsPageView view = windowView(17);
        view.check = &check;
        RecordingCanvas paper(2048, 1200, true);
        const int perPage = resultsRowsPerPrintedPage(paper);
        ASSERT_EQ(perPage, 39);  // the rows from 14.5 lines down to nine tenths of the page
        EXPECT_EQ(drawAllResultsPages(paper, r, view), 2);
        EXPECT_EQ(paper.pagesStarted, 1);
        // Each page has the header, the summary and its number; every design is printed once.
        for (const char* header : {"KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS",
                                   "POWER FACTOR BOOST INDUCTOR", "Mon Dec 07 12:34:56 2026"}) {
            EXPECT_EQ(std::count_if(paper.texts.begin(), paper.texts.end(),
                                    [&](const auto& text) { return text.text == header; }),
                      2)
                << header;
        }
        EXPECT_NE(paper.find("PAGE 1 OF 2"), nullptr);
        EXPECT_NE(paper.find("PAGE 2 OF 2"), nullptr);
        for (int i = 0; i < kMaxDesigns; ++i) {
            EXPECT_EQ(std::count_if(paper.texts.begin(), paper.texts.end(),
                                    [&](const auto& text) {
                                        return text.text == r.designResults[i].partNumber;
                                    }),
                      1)
                << i;
        }
        EXPECT_TRUE(paper.lines.empty());  // no cursor on a listing of every design
        // On a surface of one page the first page is drawn alone.
        RecordingCanvas window(2048, 1200);
        EXPECT_EQ(drawAllResultsPages(window, r, view), 2);
        EXPECT_EQ(window.find("PAGE 2 OF 2"), nullptr);
    }
}

TEST(ResultsPage, AClickFindsTheRowUnderIt) {
    DesignRecord r = recordWithDesigns(25);
    RecordingCanvas canvas(1000, 700);
    const ResultsPageLayout layout = drawResultsPage(canvas, r, windowView(20));
    EXPECT_EQ(layout.firstRow, 15);
    EXPECT_EQ(layout.rowCount, 10);
    EXPECT_EQ(resultsRowAt(layout, kRowTop), 15);
    EXPECT_EQ(resultsRowAt(layout, kRowTop + 3 * kLine + kLine / 2), 18);
    EXPECT_EQ(resultsRowAt(layout, kRowTop + 10 * kLine), -1);  // below the last row
    EXPECT_EQ(resultsRowAt(layout, kRowTop - 1), -1);           // on the headings
}

}  // namespace
}  // namespace korvell
