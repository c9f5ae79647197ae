#include "platform/Placement.h"

#include <algorithm>
#include <cstdint>

#include "platform/Canvas.h"

namespace korvell {

int mulDivRounded(int value, int num, int den) {
    if (den == 0) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * num;
    const std::int64_t half = (den > 0 ? den : -den) / 2;
    const bool negative = (product < 0) != (den < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product);
    const std::int64_t divisor = den > 0 ? den : -den;
    const std::int64_t rounded = (magnitude + half) / divisor;
    return static_cast<int>(negative ? -rounded : rounded);
}

int pixelsForPoints(int points, int dotsPerInch) {
    return mulDivRounded(points, dotsPerInch, 72);
}

int scalingWidth(int sw, int sh) {
    return std::min(sw, static_cast<int>(static_cast<long long>(sh) * 4 / 3));
}

namespace {
// The position on [low, high - length] nearest to `wanted` (low when the length does not fit).
int keptWithin(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length));
}
}  // namespace

Rect fitOnScreen(const Rect& wanted, int minWidth, int minHeight, const Rect& area,
                 const FrameMargins& frame) {
    const int roomWidth = std::max(area.width - frame.left - frame.right, 0);
    const int roomHeight = std::max(area.height - frame.top - frame.bottom, 0);
    Rect r;
    r.width = std::min(std::max(wanted.width, minWidth), roomWidth);
    r.height = std::min(std::max(wanted.height, minHeight), roomHeight);
    r.left = keptWithin(wanted.left, r.width, area.left + frame.left,
                        area.left + area.width - frame.right);
    r.top = keptWithin(wanted.top, r.height, area.top + frame.top,
                       area.top + area.height - frame.bottom);
    return r;
}

int lengthHolding(int required, double share) {
    if (required <= 0 || !(share > 0)) return 0;
    int n = static_cast<int>(required / share);
    while (scaled(share, n) < required)
        ++n;
    while (n > 0 && scaled(share, n - 1) >= required)
        --n;
    return n;
}

Rect mainWindowPlacement(int sw, int sh) {
    return {sw / 20, sh / 20, scaled(0.9, sw), scaled(0.9, sh)};
}

MainWindowLayout mainWindowLayout(int outerWidth, int cw, int ch) {
    MainWindowLayout layout;
    layout.toolButtonWidth = outerWidth / 7;
    layout.buttonPanelWidth = cw;
    layout.titleGroup = {scaled(0.05, cw), scaled(0.12, ch), scaled(0.9, cw), scaled(0.27, ch)};
    layout.functionGroup = {scaled(0.1, cw), scaled(0.48, ch), scaled(0.8, cw), scaled(0.44, ch)};
    return layout;
}

Size mainWindowMinimumClient(Size title, Size function) {
    return {std::max(lengthHolding(title.width, 0.9), lengthHolding(function.width, 0.8)),
            std::max(lengthHolding(title.height, 0.27), lengthHolding(function.height, 0.44))};
}

Rect requirementsWindowPlacement(int sw, int sh) {
    if (sh > 768) return {204, 153, 614, 522};
    const double share = sh > 640 ? 0.6 : 0.75;
    return {scaled(0.2, sw), scaled(0.15, sh), scaled(share, sw), scaled(share, sh)};
}

Rect resultsWindowPlacement(int sw, int sh) {
    return {scaled(0.025, sw), scaled(0.167, sh), scaled(0.95, sw),
            scaled(sh > 720 ? 0.67 : 0.8, sh)};
}

int resultsFontPoints(int screenWidth, int screenHeight) {
    const int sw = scalingWidth(screenWidth, screenHeight);
    if (sw > 1200) return 12;
    if (sw > 1020) return 10;
    if (sw > 720) return 9;
    return 7;
}

Rect parametersWindowPlacement(int sw, int sh) {
    return {scaled(0.2, sw), scaled(0.2, sh), scaled(0.6, sw), scaled(0.68, sh)};
}

Rect graphWindowPlacement(int sw, int sh) {
    return {sw / 8, sh / 4, 3 * sw / 4, 2 * sh / 3};
}

Rect explorerWindowPlacement(int sw, int sh) {
    return {sw / 32, sh / 32, 15 * sw / 16, 15 * sh / 16};
}

AnalysisWindowPlacement analysisWindowPlacement(int sw, int sh) {
    AnalysisWindowPlacement place;
    Rect& w = place.window;
    w = {scaled(0.1, sw), scaled(0.2, sh), scaled(0.8, sw), scaled(0.67, sh)};
    if (sh <= 720) {
        w.height = scaled(0.8, sh);
        w.width = scaled(0.88, sw);
    }
    const int steps = scalingWidth(sw, sh);
    if (steps > 1200) {
        w.width = scaled(0.6, sw);
        place.fontPoints = 12;
        place.fieldPanelLeft = scaled(0.46, w.width);
    } else {
        place.fieldPanelLeft = scaled(0.42, w.width);
        place.fontPoints = steps > 1020 ? 10 : steps > 720 ? 9 : kAnalysisDesignFontPoints;
    }
    place.unitPanelLeft = scaled(0.6, w.width);
    return place;
}

Rect materialSelectorPlacement(int sw, int sh) {
    constexpr int kWidth = 588;
    constexpr int kHeight = 676;
    const int width = std::clamp(sw, 0, kWidth);
    const int height = std::clamp(sh, 0, kHeight);
    return {(std::max(sw, 0) - width) / 2, (std::max(sh, 0) - height) / 2, width, height};
}

Rect helpWindowPlacement(int sw, int sh) {
    return {scaled(0.2, sw), scaled(0.2, sh), scaled(0.72, sw), scaled(0.68, sh)};
}

Rect catalogWindowPlacement(int sw, int sh) {
    return {sw / 10, sh / 10, sw * 4 / 5, sh * 3 / 4};
}

Rect wireTableWindowPlacement(int sw, int sh) {
    return {sw * 3 / 20, sh * 3 / 20, sw * 7 / 10, sh * 7 / 10};
}

Rect coverPicturePlacement(int cw, int ch) {
    return {scaled(0.25, cw), scaled(0.65, ch), scaled(0.5, cw), scaled(0.21, ch)};
}

}  // namespace korvell
