#include "platform/qt/Fonts.h"

#include <QColor>

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

QFont toQFont(const FontSpec& spec) {
    QFont font(QString::fromStdString(spec.name));
    const bool impact = spec.name == "Impact";
    if (impact) {
        font.setFamily(kNarrow);
        font.setStretch(QFont::Condensed);
    }
    font.setPixelSize(spec.height > 0 ? spec.height : 1);
    font.setBold(spec.bold || impact);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    return font;
}

QFont designFont(const char* face, int pixelHeight, bool bold, bool italic) {
    FontSpec spec;
    spec.name = face;
    spec.height = pixelHeight;
    spec.bold = bold;
    spec.italic = italic;
    return toQFont(spec);
}

QColor toQColor(Color color) {
    return QColor(color.r, color.g, color.b);
}

}  // namespace korvell
