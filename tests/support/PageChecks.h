// Checks of a page drawn on the recording canvas: that no two of its texts meet and that all it
// drew lies on the surface; and the screens the program is used on.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "support/RecordingCanvas.h"

namespace korvell::test {

// 4:3, 16:9 and wider screens; 3840 × 2160 at a device-pixel ratio of 2 is 1920 × 1080 to the
// windows, so it is tested as that.
struct ScreenSize {
    int width;
    int height;
};
inline constexpr ScreenSize kCommonScreens[] = {{1024, 768},  {1280, 720},  {1366, 768},
                                                {1920, 1080}, {2560, 1440}, {3840, 2160}};

// A letter page at 1200 dpi, less the printer's margins, landscape and portrait.
inline constexpr ScreenSize kLandscapePage{12600, 9600};
inline constexpr ScreenSize kPortraitPage{9600, 12600};

// The cell a text takes on the recording canvas, blanks at either end left out (they take room
// but show nothing).
inline TextBox inkOf(const DrawnText& t) {
    const auto first = t.text.find_first_not_of(' ');
    if (first == std::string::npos) return {t.x, t.y, 0, 0};
    const auto last = t.text.find_last_not_of(' ');
    const int w = t.font.height * 6 / 10;
    return {t.x + static_cast<int>(first) * w, t.y, static_cast<int>(last + 1 - first) * w,
            t.font.height * 12 / 10};
}

// "a | b" for every two texts whose cells meet.
inline std::vector<std::string> meetingTexts(const RecordingCanvas& canvas) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < canvas.texts.size(); ++i) {
        for (std::size_t j = i + 1; j < canvas.texts.size(); ++j) {
            const TextBox a = inkOf(canvas.texts[i]), b = inkOf(canvas.texts[j]);
            if (a.width > 0 && b.width > 0 && a.meets(b)) {
                found.push_back(canvas.texts[i].text + " | " + canvas.texts[j].text);
            }
        }
    }
    return found;
}

// Every text, line and fill that reaches beyond the surface's width × height.
inline std::vector<std::string> drawnOutside(const RecordingCanvas& canvas, int width, int height) {
    std::vector<std::string> found;
    const auto on = [&](int x, int y) { return x >= 0 && y >= 0 && x <= width && y <= height; };
    for (const DrawnText& t : canvas.texts) {
        const TextBox ink = inkOf(t);
        if (ink.width > 0 && !(on(ink.left, ink.top) && on(ink.right(), ink.bottom())))
            found.push_back("text " + t.text);
    }
    for (const DrawnLine& l : canvas.lines) {
        if (!on(l.x0, l.y0) || !on(l.x1, l.y1)) found.push_back("line");
    }
    for (const FilledRect& f : canvas.fills) {
        if (!on(f.x, f.y) || !on(f.x + f.w, f.y + f.h)) found.push_back("fill");
    }
    return found;
}

}  // namespace korvell::test
