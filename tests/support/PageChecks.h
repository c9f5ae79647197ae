// Checks of a page drawn on the recording canvas, and the screens the program is used on
// (3840 × 2160 at a device-pixel ratio of 2 is 1920 × 1080 to the windows).
#pragma once

#include <string>
#include <vector>

#include "support/RecordingCanvas.h"

namespace korvell::test {

struct ScreenSize {
    int width;
    int height;
};
inline constexpr ScreenSize kCommonScreens[] = {{1024, 768},  {1280, 720},  {1366, 768},
                                                {1920, 1080}, {2560, 1440}, {3840, 2160}};
// A letter page at 1200 dpi less the printer's margins, landscape.
inline constexpr ScreenSize kLandscapePage{12600, 9600};

// The cell of a text on the recording canvas, blanks at either end left out (a blank text has
// none, and meets nothing).
inline TextBox inkOf(const DrawnText& t) {
    const auto first = t.text.find_first_not_of(' ');
    if (first == std::string::npos) return {t.x, t.y, 0, 0};
    const int w = t.font.height * 6 / 10;
    return {t.x + static_cast<int>(first) * w, t.y,
            static_cast<int>(t.text.find_last_not_of(' ') + 1 - first) * w,
            t.font.height * 12 / 10};
}

// "a | b" for every two texts whose cells meet, and "off: a" for every text or line that
// reaches beyond width × height.
inline std::vector<std::string> pageFaults(const RecordingCanvas& canvas, int width, int height) {
    std::vector<std::string> found;
    const auto on = [&](int x, int y) { return x >= 0 && y >= 0 && x <= width && y <= height; };
    for (std::size_t i = 0; i < canvas.texts.size(); ++i) {
        const TextBox a = inkOf(canvas.texts[i]);
        if (!on(a.left, a.top) || !on(a.right(), a.bottom()))
            found.push_back("off: " + canvas.texts[i].text);
        for (std::size_t j = i + 1; j < canvas.texts.size(); ++j) {
            const TextBox b = inkOf(canvas.texts[j]);
            if (a.width > 0 && b.width > 0 && a.meets(b))
                found.push_back(canvas.texts[i].text + " | " + canvas.texts[j].text);
        }
    }
    for (const DrawnLine& l : canvas.lines) {
        if (!on(l.x0, l.y0) || !on(l.x1, l.y1)) found.push_back("off: a line");
    }
    return found;
}

}  // namespace korvell::test
