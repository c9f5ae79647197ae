#include "ui/Widgets.h"

#include <QMouseEvent>
#include <QPalette>

namespace korvell {

void setSilverBackground(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void setTextColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, color);
    widget.setPalette(palette);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

}  // namespace korvell
