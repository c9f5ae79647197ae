// A part of a page as a page of its own: a routine that lays out a whole surface (the printed
// analysis, a printed graph) draws inside the rectangle left between the report's running head
// and foot, its coordinates moved by the rectangle's corner.
#pragma once

#include "platform/Canvas.h"

namespace korvell {

class InsetCanvas : public Canvas {
  public:
    InsetCanvas(Canvas& page, int left, int top, int width, int height)
        : m_page(page), m_left(left), m_top(top), m_width(width), m_height(height) {}

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    bool isPrinter() const override { return m_page.isPrinter(); }
    int dotsPerInch() const override { return m_page.dotsPerInch(); }
    void setBrushColor(Color color) override { m_page.setBrushColor(color); }
    void fillRect(int x, int y, int w, int h) override {
        m_page.fillRect(x + m_left, y + m_top, w, h);
    }
    void setPen(Color color, int width) override { m_page.setPen(color, width); }
    void moveTo(int x, int y) override { m_page.moveTo(x + m_left, y + m_top); }
    void lineTo(int x, int y) override { m_page.lineTo(x + m_left, y + m_top); }
    void setFont(const FontSpec& font) override { m_page.setFont(font); }
    const FontSpec& font() const override { return m_page.font(); }
    void textOut(int x, int y, std::string_view text) override {
        m_page.textOut(x + m_left, y + m_top, text);
    }
    int textWidth(std::string_view text) override { return m_page.textWidth(text); }
    int textHeight(std::string_view text) override { return m_page.textHeight(text); }

  private:
    Canvas& m_page;
    int m_left;
    int m_top;
    int m_width;
    int m_height;
};

}  // namespace korvell
