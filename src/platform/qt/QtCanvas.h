// The drawing surface on a QPainter: a window during its paint event, a printer page or an
// image. The painter must stay active while the canvas is used.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "platform/Canvas.h"

namespace korvell {

class QtCanvas : public Canvas {
  public:
    // width and height: the surface in the painter's device pixels (the client area, or the
    // printable page).
    QtCanvas(QPainter& painter, int width, int height, bool printer = false);

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    bool isPrinter() const override { return m_printer; }
    int dotsPerInch() const override;

    void setBrushColor(Color color) override;
    void fillRect(int x, int y, int w, int h) override;
    void setPen(Color color, int width) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setFont(const FontSpec& font) override;
    const FontSpec& font() const override { return m_font; }
    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;
    bool newPage() override;

  private:
    QPainter& m_painter;
    int m_width;
    int m_height;
    bool m_printer;
    FontSpec m_font;
    QFont m_qfont;
    QFontMetrics m_metrics;
    QColor m_brush{Qt::white};
    QPen m_pen{Qt::black};
    QPoint m_position;
};

}  // namespace korvell
