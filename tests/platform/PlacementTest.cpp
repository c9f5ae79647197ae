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

TEST(Placement, ResultsFontGrowsWithTheScreen) {
    EXPECT_EQ(resultsFontPoints(1280), 12);
    EXPECT_EQ(resultsFontPoints(1200), 10);
    EXPECT_EQ(resultsFontPoints(1024), 10);
    EXPECT_EQ(resultsFontPoints(1020), 9);
    EXPECT_EQ(resultsFontPoints(720), 7);
}

}  // namespace
}  // namespace korvell
