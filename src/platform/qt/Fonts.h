// Fonts of the desktop program. The windows and pages name the faces of their design ("MS Sans
// Serif", "Arial", "Impact"); these map them to faces every Debian machine has, so that layouts
// measure the same everywhere: MS Sans Serif and Arial to Liberation Sans, Impact to a bold
// Liberation Sans Narrow.
#pragma once

#include <QFont>

#include "platform/Canvas.h"

namespace korvell {

// Registers the substitutions with Qt; call once after the application object exists.
void installFontSubstitutions();

// The Qt font of a page font: the face (Impact made bold and condensed), the character height
// in pixels, bold, italic and underline.
QFont toQFont(const FontSpec& font);

// A window font of the design: face and character height in pixels.
QFont designFont(const char* face, int pixelHeight, bool bold = false, bool italic = false);

QColor toQColor(Color color);

}  // namespace korvell
