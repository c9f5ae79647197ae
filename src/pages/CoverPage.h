// The cover shown over the main window at start: six lines of text on black, and the Korvell
// logo, a toroidal core with its winding and the name beside it, drawn in the cover's picture.
#pragma once

#include <array>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/Placement.h"

namespace korvell {

// The cover's six lines, top to bottom.
inline constexpr std::array<std::string_view, 6> kCoverLines = {
    "Inductor", "Design Software",   "Using",
    "Korvell",  "Iron Powder Cores", "Any key or click to begin"};

// Fills the surface black and draws the six lines in red Impact (the first five centred, an
// eighth, a twenty-fourth or a twelfth of the height tall) and the last in small white Arial.
void drawCoverPage(Canvas& canvas);

// Draws the logo into the area: a toroid seen from above at a slant, its top face and walls in
// two tones, a copper winding round it with its two leads, and "KORVELL" beside it. Assumes a
// black background.
void drawKorvellLogo(Canvas& canvas, const Rect& area);

}  // namespace korvell
