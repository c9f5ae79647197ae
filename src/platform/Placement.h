// Where the windows go on the screen and how the main window lays out its groups when resized.
// Every rule works in whole pixels: integer division, and products of a pixel count and a
// decimal constant cut to their integer part (see scaled in Canvas.h).
#pragma once

namespace korvell {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A design-time size or position scaled by num / den with rounding to the nearest integer, as
// a control tree is scaled to the screen (halves away from zero).
int mulDivRounded(int value, int num, int den);

// Screen width on which the main window's controls have their design size.
constexpr int kDesignScreenWidth = 1024;

// The main window at creation: top SH / 20, left SW / 20, height and width 0.9 of the screen's.
Rect mainWindowPlacement(int screenWidth, int screenHeight);

// The main window's layout on every resize, from its outer width and its client size.
struct MainWindowLayout {
    int toolButtonWidth = 0;  // outer width / 7, each of the six tool-bar buttons
    int buttonPanelWidth = 0;
    Rect titleGroup;     // 0.9 × CW wide at 0.05 × CW, 0.27 × CH high at 0.12 × CH
    Rect functionGroup;  // 0.8 × CW wide at 0.1 × CW, 0.44 × CH high at 0.48 × CH
};
MainWindowLayout mainWindowLayout(int outerWidth, int clientWidth, int clientHeight);

// The requirements window: on screens up to 768 pixels high 0.15 × SH from the top and
// 0.2 × SW from the left, 0.6 of the screen's size (0.75 on screens up to 640 high); on taller
// screens the fixed place 204, 153 and size 614 × 522.
Rect requirementsWindowPlacement(int screenWidth, int screenHeight);

// The results window: top 0.167 × SH, left 0.025 × SW, height 0.67 × SH (0.8 × SH on screens up
// to 720 high), width 0.95 × SW.
Rect resultsWindowPlacement(int screenWidth, int screenHeight);

// Point size of the results window's font: 12 on screens wider than 1200, 10 wider than 1020,
// 9 wider than 720, else 7.
int resultsFontPoints(int screenWidth);

// The parameters window: top 0.2 × SH, left 0.2 × SW, height 0.68 × SH, width 0.6 × SW.
Rect parametersWindowPlacement(int screenWidth, int screenHeight);

// The graph window: top SH / 4, left SW / 8, height 2 SH / 3, width 3 SW / 4.
Rect graphWindowPlacement(int screenWidth, int screenHeight);

}  // namespace korvell
