#include "ui/Widgets.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTableView>

#include "platform/qt/Fonts.h"

namespace korvell {

void FieldCaptionMessages::show(std::string_view text, std::string_view caption) {
    const QString field =
        m_fault.field >= 0 && m_captionOf ? m_captionOf(m_fault.field) : QString();
    // The caption as its label shows it: no trailing colon or blanks.
    QString name = field.trimmed();
    while (name.endsWith(':'))
        name.chop(1);
    if (name.isEmpty()) {
        m_messages.show(text, caption);
        return;
    }
    std::string withField(text);
    withField += "\n" + name.toStdString();
    m_messages.show(withField, caption);
}

void focusFieldAtFault(QLineEdit* field) {
    if (field == nullptr || !field->isVisible()) return;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

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
    // Tab leaves the table for the next control; the arrow keys move between its rows.
    table.setTabKeyNavigation(false);
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit clicked();
            event->accept();
            return;
        }
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    const QRect text = fontMetrics().boundingRect(contentsRect(), int(alignment()), this->text());
    option.rect = text.adjusted(-2, 0, 2, 0) & rect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
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
