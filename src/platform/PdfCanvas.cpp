#include "platform/PdfCanvas.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace korvell {
namespace {

constexpr int kMaxPixels = 100000;
constexpr double kPointsPerInch = 72;

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

const char* familyOf(const FontSpec& font) {
    if (font.name == "Arial Narrow" || font.name == "Impact") return "Liberation Sans Narrow";
    if (font.name == "Courier New" || font.name == "Courier") return "Liberation Mono";
    return "Liberation Sans";
}

void setSource(cairo_t* cr, Color c) {
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// Length of the well-formed UTF-8 sequence of a character at or above U+0080 at text[i], or 0.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string printableUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = utf8Length(text, i);
        if (length == 0) {
            out += '?';
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

PdfCanvas::PdfCanvas(int dotsPerInch) : m_dpi(std::clamp(dotsPerInch, 72, 2400)) {
    m_surface = cairo_pdf_surface_create_for_stream(appendBytes, &m_bytes, kA4Paper.widthPt,
                                                    kA4Paper.heightPt);
    m_cr = cairo_create(m_surface);
}

PdfCanvas::~PdfCanvas() {
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

void PdfCanvas::setDocumentInfo(const std::string& title, const std::string& creator) {
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_TITLE,
                                   printableUtf8(title).c_str());
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR,
                                   printableUtf8(creator).c_str());
}

void PdfCanvas::beginPage(PaperSize size) {
    if (m_finished) return;
    endStroke();
    if (m_pages > 0) cairo_show_page(m_cr);
    const double w = std::clamp(size.widthPt, 1.0, 14400.0);
    const double h = std::clamp(size.heightPt, 1.0, 14400.0);
    cairo_pdf_surface_set_size(m_surface, w, h);
    cairo_identity_matrix(m_cr);
    // Drawing is in dots; the page is in points.
    cairo_scale(m_cr, kPointsPerInch / m_dpi, kPointsPerInch / m_dpi);
    m_width = std::min(static_cast<int>(w * m_dpi / kPointsPerInch), kMaxPixels);
    m_height = std::min(static_cast<int>(h * m_dpi / kPointsPerInch), kMaxPixels);
    ++m_pages;
    applyFont();
}

void PdfCanvas::ensurePage() {
    if (m_pages == 0) beginPage(kA4Paper);
}

void PdfCanvas::fillRect(int x, int y, int w, int h) {
    if (m_finished || w <= 0 || h <= 0) return;
    ensurePage();
    endStroke();
    setSource(m_cr, m_brush);
    cairo_rectangle(m_cr, x, y, w, h);
    cairo_fill(m_cr);
}

void PdfCanvas::setPen(Color color, int width) {
    const int w = std::clamp(width, 1, 1000);
    if (m_stroking && (color != m_penColor || w != m_penWidth)) endStroke();
    m_penColor = color;
    m_penWidth = w;
}

void PdfCanvas::moveTo(int x, int y) {
    endStroke();
    m_x = x;
    m_y = y;
}

void PdfCanvas::lineTo(int x, int y) {
    if (m_finished) return;
    ensurePage();
    if (!m_stroking) {
        cairo_new_path(m_cr);
        cairo_move_to(m_cr, m_x, m_y);
        m_stroking = true;
    }
    cairo_line_to(m_cr, x, y);
    m_x = x;
    m_y = y;
}

void PdfCanvas::endStroke() {
    if (!m_stroking) return;
    m_stroking = false;
    setSource(m_cr, m_penColor);
    cairo_set_line_width(m_cr, m_penWidth);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(m_cr);
}

void PdfCanvas::setFont(const FontSpec& font) {
    m_font = font;
    applyFont();
}

void PdfCanvas::applyFont() {
    cairo_select_font_face(
        m_cr, familyOf(m_font), m_font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
        m_font.bold || m_font.name == "Impact" ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_cr, std::clamp(m_font.height, 1, kMaxPixels));
}

void PdfCanvas::textOut(int x, int y, std::string_view text) {
    if (m_finished) return;
    ensurePage();
    endStroke();
    const std::string shown = printableUtf8(text);
    cairo_font_extents_t font;
    cairo_font_extents(m_cr, &font);
    // The cell's top left corner is given; cairo places text by its baseline.
    const double baseline = y + font.ascent;
    setSource(m_cr, m_font.color);
    cairo_move_to(m_cr, x, baseline);
    cairo_show_text(m_cr, shown.c_str());
    if (m_font.underline) {
        cairo_text_extents_t extents;
        cairo_text_extents(m_cr, shown.c_str(), &extents);
        const double thickness = std::max(1.0, m_font.height / 15.0);
        cairo_rectangle(m_cr, x, baseline + 2 * thickness, extents.x_advance, thickness);
        cairo_fill(m_cr);
    }
}

int PdfCanvas::textWidth(std::string_view text) {
    ensurePage();
    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, printableUtf8(text).c_str(), &extents);
    return static_cast<int>(std::lround(std::clamp(extents.x_advance, 0.0, 1e9)));
}

int PdfCanvas::textHeight(std::string_view) {
    ensurePage();
    cairo_font_extents_t font;
    cairo_font_extents(m_cr, &font);
    return static_cast<int>(std::lround(std::clamp(font.ascent + font.descent, 0.0, 1e9)));
}

std::optional<std::string> PdfCanvas::finish(std::string& error) {
    if (m_finished) {
        error = "the document was already finished";
        return std::nullopt;
    }
    ensurePage();
    endStroke();
    cairo_show_page(m_cr);
    cairo_surface_finish(m_surface);
    m_finished = true;
    const cairo_status_t status = cairo_surface_status(m_surface);
    const cairo_status_t drawing = cairo_status(m_cr);
    if (status != CAIRO_STATUS_SUCCESS || drawing != CAIRO_STATUS_SUCCESS) {
        error = std::string("the PDF could not be made: ") +
                cairo_status_to_string(status != CAIRO_STATUS_SUCCESS ? status : drawing);
        return std::nullopt;
    }
    return std::move(m_bytes);
}

}  // namespace korvell
