#include "platform/qt/QtCanvas.h"

#include <QPagedPaintDevice>
#include <algorithm>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"

namespace korvell {

QtCanvas::QtCanvas(QPainter& painter, int width, int height, bool printer)
    : m_painter(painter),
      m_width(width),
      m_height(height),
      m_printer(printer),
      m_qfont(toQFont(m_font)),
      m_metrics(m_qfont, painter.device()) {
    m_painter.setFont(m_qfont);
    m_pen.setCosmetic(false);
    setPen(colors::kBlack, 1);
}

bool QtCanvas::newPage() {
    auto* pages = dynamic_cast<QPagedPaintDevice*>(m_painter.device());
    return m_printer && pages != nullptr && pages->newPage();
}

int QtCanvas::dotsPerInch() const {
    const QPaintDevice* device = m_painter.device();
    return device != nullptr && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
}

void QtCanvas::setBrushColor(Color color) {
    m_brush = toQColor(color);
}

void QtCanvas::fillRect(int x, int y, int w, int h) {
    m_painter.fillRect(x, y, w, h, m_brush);
}

void QtCanvas::setPen(Color color, int width) {
    // On paper no stroke is thinner than a quarter point, whoever asked for it.
    const int thinnest = m_printer ? thinnestPrintedPen(dotsPerInch()) : 1;
    m_pen = QPen(toQColor(color), std::max(width, thinnest));
}

void QtCanvas::moveTo(int x, int y) {
    m_position = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y) {
    m_painter.setPen(m_pen);
    m_painter.drawLine(m_position, QPoint(x, y));
    m_position = QPoint(x, y);
}

void QtCanvas::setFont(const FontSpec& font) {
    m_font = font;
    m_qfont = toQFont(font);
    m_metrics = QFontMetrics(m_qfont, m_painter.device());
    m_painter.setFont(m_qfont);
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    m_painter.setPen(toQColor(m_font.color));
    m_painter.drawText(x, y + m_metrics.ascent(), toQ(text));
}

int QtCanvas::textWidth(std::string_view text) {
    return m_metrics.horizontalAdvance(toQ(text));
}

int QtCanvas::textHeight(std::string_view) {
    return m_metrics.height();
}

}  // namespace korvell
