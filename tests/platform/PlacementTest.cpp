#include <gtest/gtest.h>

#include <ostream>

#include "platform/Canvas.h"
#include "platform/Placement.h"

namespace korvell {

void PrintTo(const Rect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

TEST(Placement, ProductsAreCutInExtendedPrecision) {
    EXPECT_EQ(scaled(0.12, 650), 77);  // 78 in double arithmetic
    EXPECT_EQ(scaled(0.95, 1280), 1215);
    EXPECT_EQ(scaled(0.5, 3), 1);
    EXPECT_EQ(scaled(0.5, -3), -1);
}

TEST(Placement, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(mulDivRounded(14, 1280, 1024), 18);  // 17.5
    EXPECT_EQ(mulDivRounded(15, 1280, 1024), 19);  // 18.75
    EXPECT_EQ(mulDivRounded(-14, 1280, 1024), -18);
    EXPECT_EQ(mulDivRounded(14, 800, 1024), 11);  // 10.94
    EXPECT_EQ(mulDivRounded(7, 3, 0), 7);
}

TEST(Placement, MainWindowLayoutOfA1000By705Window) {
    const MainWindowLayout layout = mainWindowLayout(1000, 992, 655);
    EXPECT_EQ(layout.toolButtonWidth, 142);
    EXPECT_EQ(layout.buttonPanelWidth, 992);
    EXPECT_EQ(layout.titleGroup, (Rect{49, 78, 892, 176}));
    EXPECT_EQ(layout.functionGroup, (Rect{99, 314, 793, 288}));
}

TEST(Placement, WindowsFromTheScreenSize) {
    EXPECT_EQ(mainWindowPlacement(1024, 768), (Rect{51, 38, 921, 691}));
    EXPECT_EQ(requirementsWindowPlacement(1280, 1024), (Rect{204, 153, 614, 522}));
    EXPECT_EQ(requirementsWindowPlacement(1024, 768), (Rect{204, 115, 614, 460}));
    // 0.15 x 600 formed in extended precision is just below 90.
    EXPECT_EQ(requirementsWindowPlacement(800, 600), (Rect{160, 89, 600, 450}));
    EXPECT_EQ(resultsWindowPlacement(1024, 768), (Rect{25, 128, 972, 514}));
    EXPECT_EQ(resultsWindowPlacement(800, 600), (Rect{20, 100, 759, 480}));
    EXPECT_EQ(parametersWindowPlacement(1280, 1024), (Rect{256, 204, 767, 696}));
    EXPECT_EQ(graphWindowPlacement(1280, 1024), (Rect{160, 256, 960, 682}));
}

TEST(Placement, AnalysisWindowFontAndPanelsFollowTheScreen) {
    struct Case {
        int sw, sh;
        Rect window;
        int fieldPanel, unitPanel, points;
    };
    const Case cases[] = {
        // 0.6 x 1280 in extended precision is just below 768.
        {1280, 1024, {128, 204, 767, 686}, 352, 460, 12},
        {1024, 768, {102, 153, 819, 514}, 343, 491, 10},
        {800, 600, {80, 120, 704, 480}, 295, 422, 9},
        {640, 480, {64, 96, 563, 384}, 236, 337, kAnalysisDesignFontPoints},
    };
    for (const Case& c : cases) {
        const AnalysisWindowPlacement place = analysisWindowPlacement(c.sw, c.sh);
        EXPECT_EQ(place.window, c.window) << c.sw;
        EXPECT_EQ(place.fieldPanelLeft, c.fieldPanel) << c.sw;
        EXPECT_EQ(place.unitPanelLeft, c.unitPanel) << c.sw;
        EXPECT_EQ(place.fontPoints, c.points) << c.sw;
    }
    // The font steps at 1200, 1020 and 720 pixels of screen width.
    EXPECT_EQ(analysisWindowPlacement(1200, 900).fontPoints, 10);
    EXPECT_EQ(analysisWindowPlacement(1020, 900).fontPoints, 9);
    EXPECT_EQ(analysisWindowPlacement(720, 900).fontPoints, kAnalysisDesignFontPoints);
}

TEST(Placement, HelpSelectorAndCoverPicture) {
    EXPECT_EQ(helpWindowPlacement(1280, 1024), (Rect{256, 204, 921, 696}));
    EXPECT_EQ(helpWindowPlacement(1024, 768), (Rect{204, 153, 737, 522}));
    EXPECT_EQ(materialSelectorPlacement(1280, 1024), (Rect{346, 174, 588, 676}));
    EXPECT_EQ(materialSelectorPlacement(800, 600), (Rect{106, 0, 588, 600}));
    EXPECT_EQ(materialSelectorPlacement(-5, 0), (Rect{0, 0, 0, 0}));
    EXPECT_EQ(coverPicturePlacement(1280, 1024), (Rect{320, 665, 640, 215}));
}

TEST(Placement, ReferenceWindowsFromTheScreenSize) {
    EXPECT_EQ(catalogWindowPlacement(1280, 1024), (Rect{128, 102, 1024, 768}));
    EXPECT_EQ(catalogWindowPlacement(1024, 768), (Rect{102, 76, 819, 576}));
    // Whole pixels by integer division: 7 × 1024 / 10 = 716.8 gives 716.
    EXPECT_EQ(wireTableWindowPlacement(1280, 1024), (Rect{192, 153, 896, 716}));
    EXPECT_EQ(wireTableWindowPlacement(1024, 768), (Rect{153, 115, 716, 537}));
}

TEST(Placement, PointSizesInPixels) {
    EXPECT_EQ(pixelsForPoints(12, 96), 16);
    EXPECT_EQ(pixelsForPoints(12, 1200), 200);
    EXPECT_EQ(pixelsForPoints(9, 300), 38);  // 37.5
}

TEST(Placement, ResultsFontGrowsWithTheScreen) {
    EXPECT_EQ(resultsFontPoints(1280, 1024), 12);
    EXPECT_EQ(resultsFontPoints(1200, 900), 10);
    EXPECT_EQ(resultsFontPoints(1024, 768), 10);
    EXPECT_EQ(resultsFontPoints(1020, 768), 9);
    EXPECT_EQ(resultsFontPoints(720, 540), 7);
}

// Fonts follow the smaller of the width and height ratios: a wide screen takes the font of the
// 4:3 screen it holds (3840 × 2160 at a device-pixel ratio of 2 is 1920 × 1080 here).
TEST(Placement, ContentsScaleByTheSmallerOfTheWidthAndHeightRatios) {
    struct Case {
        int sw, sh, scaling, points;  // the results and the analysis font alike
    };
    for (const Case& c :
         {Case{1024, 768, 1024, 10}, Case{1280, 1024, 1280, 12}, Case{1280, 720, 960, 9},
          Case{1366, 768, 1024, 10}, Case{1920, 1080, 1440, 12}, Case{3840, 2160, 2880, 12}}) {
        EXPECT_EQ(scalingWidth(c.sw, c.sh), c.scaling) << c.sw << "x" << c.sh;
        EXPECT_EQ(resultsFontPoints(c.sw, c.sh), c.points) << c.sw << "x" << c.sh;
        EXPECT_EQ(analysisWindowPlacement(c.sw, c.sh).fontPoints, c.points) << c.sw << "x" << c.sh;
    }
}

TEST(Placement, FittingGrowsToTheMinimumThenKeepsWindowAndFrameOnTheArea) {
    const Rect area{0, 40, 1280, 680};  // a panel along the top of a 1280 × 720 screen
    const FrameMargins none{};
    EXPECT_EQ(fitOnScreen({256, 108, 768, 432}, 600, 456, area, none), (Rect{256, 108, 768, 456}));
    EXPECT_EQ(fitOnScreen({100, 600, 400, 300}, 0, 0, area, none), (Rect{100, 420, 400, 300}));
    EXPECT_EQ(fitOnScreen({-50, 0, 3000, 300}, 0, 0, area, none), (Rect{0, 40, 1280, 300}));
    EXPECT_EQ(fitOnScreen({10, 5, 300, 200}, 0, 0, area), (Rect{10, 70, 300, 200}));
    // The window placed nearest the screen's edges on 1024 × 768 stays where its rule puts it.
    const Rect screen{0, 0, 1024, 768};
    EXPECT_EQ(fitOnScreen(mainWindowPlacement(1024, 768), 0, 0, screen),
              mainWindowPlacement(1024, 768));
}

TEST(Placement, GroupsOfTheMainWindowHoldTheirControls) {
    EXPECT_EQ(lengthHolding(78, 0.12), 651);  // 0.12 x 650 is cut to 77
    EXPECT_EQ(mainWindowMinimumClient({850, 178}, {735, 290}), (Size{945, 660}));
}

}  // namespace
}  // namespace korvell
