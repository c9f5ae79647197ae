// A drawing surface that writes an SVG document: the command line draws graphs and pages on it
// with the same core routines as the windows and the printer.
//
// Texts are measured with the advance widths of Liberation Sans (regular and bold), the face the
// desktop program draws "Arial" and "MS Sans Serif" with, so a page is laid out as on the
// window; every face is measured and named as Liberation Sans (Arial, then sans-serif, as the
// viewer's fall-backs). A FontSpec height is the em size in pixels, as on the Qt surface.
//
// Connected strokes in one pen become one <polyline> (a single stroke a <line>): a curve drawn
// point to point is one element until the pen is lifted or changed. Texts are <text> elements
// with their blanks preserved; characters that XML cannot carry (control characters, broken
// UTF-8) are written as blanks and question marks. The surface starts as a white sheet.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Canvas.h"

namespace korvell {

class SvgCanvas : public Canvas {
  public:
    // width and height in pixels (at least 1); printer: the surface is a page, and the routines
    // draw their printed form on it.
    SvgCanvas(int width, int height, bool printer = false);

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    bool isPrinter() const override { return m_printer; }

    void setBrushColor(Color color) override { m_brush = color; }
    void fillRect(int x, int y, int w, int h) override;
    void setPen(Color color, int width) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setFont(const FontSpec& font) override { m_font = font; }
    const FontSpec& font() const override { return m_font; }
    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;

    // The whole document drawn so far.
    std::string document();

  private:
    void endStroke();

    int m_width;
    int m_height;
    bool m_printer;
    Color m_brush = colors::kWhite;
    Color m_penColor = colors::kBlack;
    int m_penWidth = 1;
    int m_x = 0;
    int m_y = 0;
    FontSpec m_font;
    // The connected strokes not yet written: their points and the pen they were drawn with.
    std::vector<std::pair<int, int>> m_stroke;
    Color m_strokeColor = colors::kBlack;
    int m_strokeWidth = 1;
    std::string m_body;
};

// The text as XML character data: markup characters escaped, control characters as blanks,
// bytes that are not well-formed UTF-8 as '?'.
std::string xmlEscaped(std::string_view text);

}  // namespace korvell
