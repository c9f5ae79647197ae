#include "ui/Widgets.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
#include <QTableView>

#include "platform/qt/Fonts.h"

namespace korvell {

void setSilverBackground(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QSize controlsExtent(const QWidget& window) {
    constexpr int kMargin = 10;
    const QRect extent = window.childrenRect();
    if (extent.isEmpty()) return {};
    return {extent.right() + 1 + kMargin, extent.bottom() + 1 + kMargin};
}

void setTextColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, color);
    widget.setPalette(palette);
}

void setUpListing(QTableView& table) {
    table.setFont(designFont("MS Sans Serif", 14));
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.verticalHeader()->hide();
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table.setAlternatingRowColors(true);
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
