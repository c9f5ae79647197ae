#include "platform/Placement.h"

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

Rect requirementsWindowPlacement(int sw, int sh) {
    if (sh > 768) return {204, 153, 614, 522};
    const double share = sh > 640 ? 0.6 : 0.75;
    return {scaled(0.2, sw), scaled(0.15, sh), scaled(share, sw), scaled(share, sh)};
}

Rect resultsWindowPlacement(int sw, int sh) {
    return {scaled(0.025, sw), scaled(0.167, sh), scaled(0.95, sw),
            scaled(sh > 720 ? 0.67 : 0.8, sh)};
}

int resultsFontPoints(int sw) {
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

}  // namespace korvell
