#include "platform/SvgCanvas.h"

#include <algorithm>
#include <cmath>

#include "platform/FontMetricsTables.h"
#include "platform/Format.h"

namespace korvell {
namespace {

constexpr int kMaxPixels = 100000;
constexpr const char* kFontFamily = "'Liberation Sans', Arial, sans-serif";

// Length of the well-formed UTF-8 sequence at text[i] that XML may carry, or 0.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    // U+FFFE and U+FFFF are not XML characters.
    if (lead == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE) return 0;
    return length;
}

const FaceMetrics& faceOf(const FontSpec& font) {
    return font.bold ? kLiberationSansBold : kLiberationSansRegular;
}

int fontUnitsToPixels(long units, const FontSpec& font, const FaceMetrics& face) {
    const double pixels = static_cast<double>(units) * std::max(font.height, 1) / face.unitsPerEm;
    return static_cast<int>(std::lround(std::min(pixels, 1e9)));
}

std::string colorText(Color c) {
    return strprintf("#%02x%02x%02x", c.r, c.g, c.b);
}

}  // namespace

std::string xmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            if (length == 0) {
                out += '?';
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
        }
        ++i;
    }
    return out;
}

SvgCanvas::SvgCanvas(int width, int height, bool printer)
    : m_width(std::clamp(width, 1, kMaxPixels)),
      m_height(std::clamp(height, 1, kMaxPixels)),
      m_printer(printer) {}

void SvgCanvas::fillRect(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    endStroke();
    m_body += strprintf("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", x, y,
                        w, h, colorText(m_brush).c_str());
}

void SvgCanvas::setPen(Color color, int width) {
    m_penColor = color;
    m_penWidth = std::max(width, 1);
}

void SvgCanvas::moveTo(int x, int y) {
    endStroke();
    m_x = x;
    m_y = y;
}

void SvgCanvas::lineTo(int x, int y) {
    if (!m_stroke.empty() && (m_strokeColor != m_penColor || m_strokeWidth != m_penWidth)) {
        endStroke();
    }
    if (m_stroke.empty()) {
        m_stroke.emplace_back(m_x, m_y);
        m_strokeColor = m_penColor;
        m_strokeWidth = m_penWidth;
    }
    m_stroke.emplace_back(x, y);
    m_x = x;
    m_y = y;
}

void SvgCanvas::endStroke() {
    if (m_stroke.size() < 2) {
        m_stroke.clear();
        return;
    }
    const std::string pen = strprintf("stroke=\"%s\" stroke-width=\"%d\"",
                                      colorText(m_strokeColor).c_str(), m_strokeWidth);
    if (m_stroke.size() == 2) {
        m_body +=
            strprintf("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" %s/>\n", m_stroke[0].first,
                      m_stroke[0].second, m_stroke[1].first, m_stroke[1].second, pen.c_str());
    } else {
        m_body += "<polyline fill=\"none\" " + pen + " points=\"";
        for (std::size_t i = 0; i < m_stroke.size(); ++i) {
            m_body += strprintf("%s%d,%d", i ? " " : "", m_stroke[i].first, m_stroke[i].second);
        }
        m_body += "\"/>\n";
    }
    m_stroke.clear();
}

void SvgCanvas::textOut(int x, int y, std::string_view text) {
    endStroke();
    const FaceMetrics& face = faceOf(m_font);
    // The cell's top left corner is given; SVG places text by its baseline.
    const int baseline = y + fontUnitsToPixels(face.ascender, m_font, face);
    std::string style;
    if (m_font.bold) style += " font-weight=\"bold\"";
    if (m_font.italic) style += " font-style=\"italic\"";
    if (m_font.underline) style += " text-decoration=\"underline\"";
    m_body += strprintf(
        "<text x=\"%d\" y=\"%d\" font-family=\"%s\" font-size=\"%d\" fill=\"%s\"%s "
        "xml:space=\"preserve\">",
        x, baseline, kFontFamily, std::max(m_font.height, 1), colorText(m_font.color).c_str(),
        style.c_str());
    m_body += xmlEscaped(text) + "</text>\n";
}

int SvgCanvas::textWidth(std::string_view text) {
    const FaceMetrics& face = faceOf(m_font);
    const int unknown = face.advance['?' - kFirstMeasuredChar];
    long units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= kFirstMeasuredChar && c <= kLastMeasuredChar) {
            units += face.advance[c - kFirstMeasuredChar];
            continue;
        }
        // One character outside printable ASCII: a whole UTF-8 sequence, or one stray byte.
        units += unknown;
        if (const std::size_t length = utf8SequenceLength(text, i); length > 1) i += length - 1;
    }
    return fontUnitsToPixels(units, m_font, face);
}

int SvgCanvas::textHeight(std::string_view) {
    const FaceMetrics& face = faceOf(m_font);
    return fontUnitsToPixels(face.ascender, m_font, face) +
           fontUnitsToPixels(face.descender, m_font, face);
}

std::string SvgCanvas::document() {
    endStroke();
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    doc += strprintf(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%d\" height=\"%d\" "
        "viewBox=\"0 0 %d %d\" stroke-linecap=\"square\">\n",
        m_width, m_height, m_width, m_height);
    doc += strprintf("<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n",
                     m_width, m_height);
    doc += m_body;
    doc += "</svg>\n";
    return doc;
}

}  // namespace korvell
