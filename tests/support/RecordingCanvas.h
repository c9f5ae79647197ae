// A drawing surface for page tests: fixed font metrics (every character is a fixed fraction of
// the font height wide) and a record of every text, line and fill, so tests can assert where
// the pages put things.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"

namespace korvell::test {

struct DrawnText {
    int x;
    int y;
    std::string text;
    FontSpec font;
};

struct DrawnLine {
    int x0;
    int y0;
    int x1;
    int y1;
    Color color;
    int width;
};

struct FilledRect {
    int x;
    int y;
    int w;
    int h;
    Color color;
};

class RecordingCanvas : public Canvas {
  public:
    RecordingCanvas(int width, int height, bool printer = false)
        : m_width(width), m_height(height), m_printer(printer) {}

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    bool isPrinter() const override { return m_printer; }
    // A printer canvas takes further sheets, counted; what they hold is recorded on after the
    // texts of the sheets before.
    bool newPage() override {
        if (!m_printer) return false;
        ++pages;
        ++pagesStarted;
        return true;
    }
    int pagesStarted = 0;  // the same count, as the explorer's printout tests read it
    int dotsPerInch() const override { return m_dotsPerInch; }
    void setDotsPerInch(int dpi) { m_dotsPerInch = dpi; }

    void setBrushColor(Color color) override { m_brush = color; }
    void fillRect(int x, int y, int w, int h) override { fills.push_back({x, y, w, h, m_brush}); }

    void setPen(Color color, int width) override {
        m_penColor = color;
        m_penWidth = width;
    }
    void moveTo(int x, int y) override {
        m_x = x;
        m_y = y;
    }
    void lineTo(int x, int y) override {
        lines.push_back({m_x, m_y, x, y, m_penColor, m_penWidth});
        m_x = x;
        m_y = y;
    }

    void setFont(const FontSpec& font) override { m_font = font; }
    const FontSpec& font() const override { return m_font; }
    void textOut(int x, int y, std::string_view text) override {
        texts.push_back({x, y, std::string(text), m_font});
    }
    // Each character is 0.6 of the font height wide (0.6 × 10 = 6 pixels at height 10).
    int textWidth(std::string_view text) override {
        return static_cast<int>(text.size()) * m_font.height * 6 / 10;
    }
    int textHeight(std::string_view) override { return m_font.height * 12 / 10; }

    // The first text drawn that equals (or, with contains, holds) the given text; null if none.
    const DrawnText* find(std::string_view text, bool contains = false) const {
        const auto it = std::find_if(texts.begin(), texts.end(), [&](const DrawnText& t) {
            return contains ? t.text.find(text) != std::string::npos : t.text == text;
        });
        return it == texts.end() ? nullptr : &*it;
    }
    // Every text drawn at the given y.
    std::vector<DrawnText> textsAt(int y) const {
        std::vector<DrawnText> row;
        for (const auto& t : texts)
            if (t.y == y) row.push_back(t);
        return row;
    }

    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<FilledRect> fills;
    int pages = 1;

  private:
    int m_width;
    int m_height;
    bool m_printer;
    int m_dotsPerInch = 96;
    Color m_brush = colors::kWhite;
    Color m_penColor = colors::kBlack;
    int m_penWidth = 1;
    int m_x = 0;
    int m_y = 0;
    FontSpec m_font;
};

}  // namespace korvell::test
