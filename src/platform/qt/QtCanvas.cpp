#include "platform/qt/QtCanvas.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <algorithm>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"

namespace korvell {
namespace {

// Bresenham's line from (x0, y0) to (x1, y1), both ends set as the raster engine draws them,
// into an image whose top left stands at `origin`; pixels outside the image are left out.
void plotLine(QImage& image, QPoint origin, const Segment& s, QRgb colour) {
    const int w = image.width();
    const int h = image.height();
    int x = s.x0 - origin.x();
    int y = s.y0 - origin.y();
    const int xEnd = s.x1 - origin.x();
    const int yEnd = s.y1 - origin.y();
    const int dx = std::abs(xEnd - x);
    const int dy = -std::abs(yEnd - y);
    const int sx = x < xEnd ? 1 : -1;
    const int sy = y < yEnd ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
        if (x == xEnd && y == yEnd) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}
}  // namespace

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

void QtCanvas::drawSegments(const std::vector<Segment>& segments) {
    const QColor pen = m_pen.color();
    const Color colour{static_cast<std::uint8_t>(pen.red()), static_cast<std::uint8_t>(pen.green()),
                       static_cast<std::uint8_t>(pen.blue())};
    drawSegmentBatches({{colour, segments}}, m_pen.width());
}

void QtCanvas::drawSegmentBatches(const std::vector<SegmentBatch>& batches, int width) {
    std::size_t count = 0;
    for (const SegmentBatch& batch : batches)
        count += batch.segments.size();
    // Thousands of short one-pixel lines on a screen (a chart's markers) are set pixel by pixel
    // into one transparent image laid over the surface: stroking each through the raster engine
    // costs a frame. A printer, a wider pen or a transformed painter strokes them as lines.
    constexpr std::size_t kManySegments = 256;
    if (count < kManySegments || m_printer || width > 1 || !m_painter.transform().isIdentity()) {
        for (const SegmentBatch& batch : batches) {
            setPen(batch.color, width);
            QVector<QLine> lines;
            lines.reserve(static_cast<qsizetype>(batch.segments.size()));
            for (const Segment& s : batch.segments)
                lines.append(QLine(s.x0, s.y0, s.x1, s.y1));
            m_painter.setPen(m_pen);
            m_painter.drawLines(lines);
        }
        return;
    }
    QRect box;
    for (const SegmentBatch& batch : batches) {
        for (const Segment& s : batch.segments) {
            box |= QRect(QPoint(std::min(s.x0, s.x1), std::min(s.y0, s.y1)),
                         QPoint(std::max(s.x0, s.x1), std::max(s.y0, s.y1)));
        }
    }
    box &= QRect(0, 0, m_width, m_height);
    if (!batches.empty()) setPen(batches.back().color, width);
    if (box.isEmpty()) return;
    QImage image(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (const SegmentBatch& batch : batches) {
        const QRgb colour = qPremultiply(toQColor(batch.color).rgba());
        for (const Segment& s : batch.segments)
            plotLine(image, box.topLeft(), s, colour);
    }
    m_painter.drawImage(box.topLeft(), image);
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
