#include <gtest/gtest.h>

#include <ostream>

#include "pages/AnalysisPage.h"
#include "pages/ResultsPage.h"
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

// The screens the program is used on, 4:3 and 5:4 as well as wide ones; 3840 × 2160 at a
// device-pixel ratio of 2 is a 1920 × 1080 screen to the placement rules.
struct Screen {
    int width, height;
    int scalingWidth, resultsPoints, analysisPoints;
};
constexpr Screen kScreens[] = {
    {1024, 768, 1024, 10, 10},  {1280, 1024, 1280, 12, 12}, {1280, 720, 960, 9, 9},
    {1366, 768, 1024, 10, 10},  {1920, 1080, 1440, 12, 12}, {2560, 1440, 1920, 12, 12},
    {3840, 2160, 2880, 12, 12},
};

TEST(Placement, ContentsScaleByTheSmallerOfTheWidthAndHeightRatios) {
    for (const Screen& s : kScreens) {
        EXPECT_EQ(scalingWidth(s.width, s.height), s.scalingWidth) << s.width << "x" << s.height;
        EXPECT_EQ(resultsFontPoints(s.width, s.height), s.resultsPoints) << s.width;
        EXPECT_EQ(analysisWindowPlacement(s.width, s.height).fontPoints, s.analysisPoints)
            << s.width;
    }
    // A wide screen no taller than 768 takes the analysis layout of a 1024 × 768 one, as wide a
    // share of its own width.
    const AnalysisWindowPlacement wide = analysisWindowPlacement(1366, 768);
    EXPECT_EQ(wide.window, (Rect{136, 153, 1092, 514}));
    EXPECT_EQ(wide.fieldPanelLeft, scaled(0.42, 1092));
}

TEST(Placement, EveryWindowLiesOnTheScreenWithItsFrameAndHoldsItsPage) {
    for (const Screen& s : kScreens) {
        const Rect screen{0, 0, s.width, s.height};
        const Rect rules[] = {
            mainWindowPlacement(s.width, s.height),
            requirementsWindowPlacement(s.width, s.height),
            resultsWindowPlacement(s.width, s.height),
            parametersWindowPlacement(s.width, s.height),
            graphWindowPlacement(s.width, s.height),
            analysisWindowPlacement(s.width, s.height).window,
            materialSelectorPlacement(s.width, s.height),
            helpWindowPlacement(s.width, s.height),
            catalogWindowPlacement(s.width, s.height),
            wireTableWindowPlacement(s.width, s.height),
        };
        for (const Rect& rule : rules) {
            const Rect r = fitOnScreen(rule, 0, 0, screen);
            EXPECT_GE(r.left - kUsualFrame.left, 0) << s.width << "x" << s.height;
            EXPECT_GE(r.top - kUsualFrame.top, 0) << s.width << "x" << s.height;
            EXPECT_LE(r.left + r.width + kUsualFrame.right, s.width) << s.width;
            EXPECT_LE(r.top + r.height + kUsualFrame.bottom, s.height) << s.height;
            // On the screen the rules were made for, every window stays where they put it.
            if (s.width == 1024 && s.height == 768) {
                EXPECT_EQ(r, rule);
            }
        }
        // The result pages fit in their windows at the font the screen gives them.
        const int resultsFont = pixelsForPoints(s.resultsPoints, 96);
        EXPECT_LE(resultsPageHeight(resultsFont), resultsWindowPlacement(s.width, s.height).height)
            << s.width << "x" << s.height;
        const AnalysisWindowPlacement analysis = analysisWindowPlacement(s.width, s.height);
        EXPECT_LE(analysisPageHeight(pixelsForPoints(analysis.fontPoints, 96)),
                  analysis.window.height)
            << s.width << "x" << s.height;
    }
}

TEST(Placement, FittingGrowsToTheMinimumThenCutsAndMovesOntoTheArea) {
    const Rect area{0, 0, 1280, 720};
    const FrameMargins none{};
    struct Case {
        Rect wanted;
        int minWidth, minHeight;
        Rect fitted;
    };
    const Case cases[] = {
        {{256, 108, 768, 432}, 600, 456, {256, 108, 768, 456}},  // grown below, still on screen
        {{100, 600, 400, 300}, 0, 0, {100, 420, 400, 300}},      // moved up onto the screen
        {{-50, -10, 400, 300}, 0, 0, {0, 0, 400, 300}},          // moved right and down
        {{0, 0, 2000, 900}, 0, 0, {0, 0, 1280, 720}},            // cut to the screen
        {{10, 10, 100, 100}, 3000, 0, {0, 10, 1280, 100}},       // a minimum beyond the screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitOnScreen(c.wanted, c.minWidth, c.minHeight, area, none), c.fitted);
    // The frame is kept on the area too: a title bar above the client area, borders around.
    EXPECT_EQ(fitOnScreen({0, 0, 1280, 720}, 0, 0, area), (Rect{4, 30, 1272, 686}));
    // An area that does not start at the corner (a panel along the top).
    EXPECT_EQ(fitOnScreen({10, 5, 300, 200}, 0, 0, {0, 40, 1280, 680}), (Rect{10, 70, 300, 200}));
}

TEST(Placement, GroupsOfTheMainWindowHoldTheirControls) {
    // The least length whose cut share reaches the need.
    EXPECT_EQ(lengthHolding(176, 0.27), 652);  // 0.27 x 651 = 175.77
    EXPECT_EQ(lengthHolding(78, 0.12), 651);   // 0.12 x 650 is cut to 77
    EXPECT_EQ(lengthHolding(0, 0.5), 0);
    EXPECT_EQ(lengthHolding(10, 0), 0);
    const Size minimum = mainWindowMinimumClient({850, 178}, {735, 290});
    EXPECT_EQ(minimum, (Size{945, 660}));
    const MainWindowLayout layout = mainWindowLayout(minimum.width, minimum.width, minimum.height);
    EXPECT_GE(layout.titleGroup.width, 850);
    EXPECT_GE(layout.titleGroup.height, 178);
    EXPECT_GE(layout.functionGroup.width, 735);
    EXPECT_GE(layout.functionGroup.height, 290);
}

}  // namespace
}  // namespace korvell
