#include "platform/qt/Fonts.h"

#include <QColor>

#include "platform/qt/QtText.h"

namespace korvell {
namespace {
constexpr const char* kSans = "Liberation Sans";
constexpr const char* kNarrow = "Liberation Sans Narrow";
}  // namespace

void installFontSubstitutions() {
    QFont::insertSubstitution("MS Sans Serif", kSans);
    QFont::insertSubstitution("Arial", kSans);
    QFont::insertSubstitution("Impact", kNarrow);
}

QFont toQFont(const FontSpec& wanted) {
    QFont font(toQ(wanted.name));
    const bool impact = wanted.name == "Impact";
    if (impact) {
        font.setFamily(kNarrow);
        font.setStretch(QFont::Condensed);
    }
    font.setPixelSize(wanted.height > 0 ? wanted.height : 1);
    font.setBold(wanted.bold || impact);
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    return font;
}

QFont designFont(const char* face, int pixelHeight, bool bold, bool italic) {
    FontSpec wanted;
    wanted.name = face;
    wanted.height = pixelHeight;
    wanted.bold = bold;
    wanted.italic = italic;
    return toQFont(wanted);
}

QColor toQColor(Color color) {
    return QColor(color.r, color.g, color.b);
}

}  // namespace korvell
