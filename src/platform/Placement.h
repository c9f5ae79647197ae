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

// Pixel height of a point size on a surface of the given dots per inch, as a font height is
// derived from its size: points × dpi / 72, rounded.
int pixelsForPoints(int points, int dotsPerInch);

// Screen width on which the main window's controls have their design size.
constexpr int kDesignScreenWidth = 1024;

// The width of the 4:3 screen that a screen holds: min(SW, 4 SH / 3). The rules that grow the
// windows' contents and fonts with the screen width take this width, so that they follow the
// smaller of the width and height ratios: a 1366 × 768 screen gets the contents of a 1024 × 768
// one, a 1920 × 1080 screen those of a 1440 × 1080 one; 4:3 and 5:4 screens keep their own width.
int scalingWidth(int screenWidth, int screenHeight);

// Room the window manager's decorations usually take around a window's client area: a title
// bar above it and thin borders.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
inline constexpr FrameMargins kUsualFrame{4, 30, 4, 4};

// The client rectangle of a window that wants to be at `wanted` and needs at least
// minWidth × minHeight for its controls: grown to that minimum, then cut to the area (less the
// frame) and moved the least distance that puts it with its frame wholly on the area. A window
// that fits stays where its placement rule put it.
Rect fitOnScreen(const Rect& wanted, int minWidth, int minHeight, const Rect& area,
                 const FrameMargins& frame = kUsualFrame);

// The least length whose share (a product cut to its integer part, as the layout rules form it)
// is at least `required`: the client size at which a group given that share holds its controls.
int lengthHolding(int required, double share);

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

// The smallest client area at which the layout gives the title group and the function group the
// sizes their controls need.
struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};
Size mainWindowMinimumClient(Size titleGroupNeeds, Size functionGroupNeeds);

// The requirements window: on screens up to 768 pixels high 0.15 × SH from the top and
// 0.2 × SW from the left, 0.6 of the screen's size (0.75 on screens up to 640 high); on taller
// screens the fixed place 204, 153 and size 614 × 522.
Rect requirementsWindowPlacement(int screenWidth, int screenHeight);

// The results window: top 0.167 × SH, left 0.025 × SW, height 0.67 × SH (0.8 × SH on screens up
// to 720 high), width 0.95 × SW.
Rect resultsWindowPlacement(int screenWidth, int screenHeight);

// Point size of the results window's font: 12 on screens wider than 1200, 10 wider than 1020,
// 9 wider than 720, else 7; the width taken is the screen's scalingWidth.
int resultsFontPoints(int screenWidth, int screenHeight);

// The parameters window: top 0.2 × SH, left 0.2 × SW, height 0.68 × SH, width 0.6 × SW.
Rect parametersWindowPlacement(int screenWidth, int screenHeight);

// The graph window: top SH / 4, left SW / 8, height 2 SH / 3, width 3 SW / 4.
Rect graphWindowPlacement(int screenWidth, int screenHeight);

// The design explorer: nearly the whole screen, so that its chart and its table are both
// readable: SW / 32 from the left and SH / 32 from the top, 15 SW / 16 wide, 15 SH / 16 high.
Rect explorerWindowPlacement(int screenWidth, int screenHeight);

// The explorer's chart and table side by side from this window width (pixels) up, one above
// the other below it.
inline constexpr int kExplorerSideBySideWidth = 1400;

// The analysis window: top 0.2 × SH, left 0.1 × SW, 0.8 × SW wide and 0.67 × SH high; on screens
// up to 720 high 0.8 × SH high and 0.88 × SW wide. On screens wider than 1200 it is 0.6 × SW
// wide with a 12 point font, the field panel at 0.46 and the unit panel at 0.6 of its width;
// otherwise the panels at 0.42 and 0.6 of its width and 10 points on screens wider than 1020,
// 9 wider than 720, else the form's design size. The width the steps are taken at is the
// screen's scalingWidth, so that the font grows only as far as the screen's height allows.
struct AnalysisWindowPlacement {
    Rect window;
    int fieldPanelLeft = 0;
    int unitPanelLeft = 0;
    int fontPoints = 0;
};
constexpr int kAnalysisDesignFontPoints = 8;
AnalysisWindowPlacement analysisWindowPlacement(int screenWidth, int screenHeight);

// The material selector: its design size of 588 × 676 centred on the screen, cut to the screen
// where that is smaller.
Rect materialSelectorPlacement(int screenWidth, int screenHeight);

// The help window: top 0.2 × SH, left 0.2 × SW, height 0.68 × SH, width 0.72 × SW.
Rect helpWindowPlacement(int screenWidth, int screenHeight);

// The catalog window: top SH / 10, left SW / 10, width 4 SW / 5, height 3 SH / 4 (integer
// division of the products).
Rect catalogWindowPlacement(int screenWidth, int screenHeight);

// The wire-table window: top 3 SH / 20, left 3 SW / 20, width 7 SW / 10, height 7 SH / 10.
Rect wireTableWindowPlacement(int screenWidth, int screenHeight);

// The picture of the cover: left 0.25 × W, width 0.5 × W, top 0.65 × H, height 0.21 × H of the
// cover's client area.
Rect coverPicturePlacement(int clientWidth, int clientHeight);

}  // namespace korvell
