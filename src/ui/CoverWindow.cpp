#include "ui/CoverWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "pages/CoverPage.h"
#include "platform/Placement.h"
#include "platform/qt/QtCanvas.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"

namespace korvell {
namespace {

// The cover's picture: the logo, drawn by the core; a click on it reaches the cover.
class LogoPicture : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QtCanvas canvas(painter, width(), height());
        drawKorvellLogo(canvas, Rect{0, 0, width(), height()});
    }
};

}  // namespace

CoverWindow::CoverWindow(Desktop& desktop)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_desktop(desktop) {
    setObjectName("TCoverForm");
    setWindowTitle("Korvell");
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    m_picture = new LogoPicture(this);
    m_picture->setObjectName("Image1");

    coverScreen(desktop.screenSize());
}

void CoverWindow::coverScreen(QSize screen) {
    setGeometry(0, 0, screen.width(), screen.height());
}

void CoverWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const Rect place = coverPicturePlacement(width(), height());
    m_picture->setGeometry(place.left, place.top, place.width, place.height);
}

void CoverWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtCanvas canvas(painter, width(), height());
    drawCoverPage(canvas);
}

bool CoverWindow::event(QEvent* event) {
    // Every key is the cover's: no shortcut of the windows beneath runs while it is up.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void CoverWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
    dismiss();
}

void CoverWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    dismiss();
}

void CoverWindow::dismiss() {
    hide();
    // Without a window manager to pass it on, the keyboard would stay with no window at all.
    QWidget& main = m_desktop.mainWindow();
    if (main.isVisible()) main.activateWindow();
}

}  // namespace korvell
