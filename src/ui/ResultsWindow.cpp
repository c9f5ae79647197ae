#include "ui/ResultsWindow.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include "graphs/GraphRequest.h"
#include "platform/Format.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"
#include "record/ResultCells.h"
#include "ui/Desktop.h"
#include "ui/RequirementsWindow.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr int kButtonHeight = 20;
constexpr int kPageStep = 20;
constexpr const char* kPdfName = "korvell-results.pdf";

}  // namespace

ResultsWindow::ResultsWindow(Desktop& desktop) : m_desktop(desktop), m_clock(localNow) {
    setObjectName("TDataForm1");
    setWindowTitle(toQ(resultsWindowCaption(kElectricalDisplay)));
    setSilverBackground(*this);

    const QSize screen = m_desktop.screenSize();
    m_fontHeight =
        pixelsForPoints(resultsFontPoints(screen.width(), screen.height()), logicalDpiY());
    setFont(designFont("Arial", m_fontHeight, true));

    m_bevel = new QFrame(this);
    m_bevel->setObjectName("Bevel1");
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName("ScrollBar1");
    m_scrollBar->setAccessibleName("HIGHLIGHTED DESIGN");
    m_scrollBar->setRange(0, kMaxDesigns);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(kPageStep);
    m_scrollBar->setFocusPolicy(Qt::StrongFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] { repaint(); });

    const auto makeButton = [this](const char* name, const char* caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setFont(designFont("Arial", m_fontHeight * 3 / 4, true));
        return button;
    };
    m_print = makeButton("PrintBtn", "&PRINT");
    m_electrical = makeButton("ELECTRICAL", "DISPLAY ELECTRICAL");
    m_dimensions = makeButton("DIMENSIONS", "DISPLAY DIMENSIONS");
    m_check = makeButton("Button_Check", "DISPLAY CHECK");
    m_check->setToolTip(
        "EACH DESIGN CHECKED AGAIN: L, HOT RESISTANCE, CHECKED LOSSES AND RISE, LIMITS");
    m_inductance = makeButton("InductanceBtn", "INDUCTANCE");
    m_tRise = makeButton("T_RiseBtn", "T RISE");
    connect(m_print, &QPushButton::clicked, this, [this] { printClick(); });
    connect(m_electrical, &QPushButton::clicked, this, [this] { electricalClick(); });
    connect(m_dimensions, &QPushButton::clicked, this, [this] { dimensionsClick(); });
    connect(m_check, &QPushButton::clicked, this, [this] { checkClick(); });
    connect(m_inductance, &QPushButton::clicked, this, [this] { inductanceClick(); });
    connect(m_tRise, &QPushButton::clicked, this, [this] { tRiseClick(); });
    // The highlighted design's inductance spread, from the page's pop-up menu.
    auto* spread = new QAction("INDUCTANCE SPREAD", this);
    spread->setObjectName("SpreadAction");
    connect(spread, &QAction::triggered, this, [this] { spreadClick(); });
    addAction(spread);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    // The scroll bar first, so the arrow keys move the highlighted design one row and the page
    // keys twenty.
    setTabOrder(m_scrollBar, m_electrical);
    setTabOrder(m_electrical, m_dimensions);
    setTabOrder(m_dimensions, m_check);
    setTabOrder(m_check, m_print);
    setTabOrder(m_print, m_tRise);
    setTabOrder(m_tRise, m_inductance);
    setFocusProxy(m_scrollBar);
    // Enter on the table opens the highlighted design's analysis.
    m_scrollBar->installEventFilter(this);

    const Rect place = resultsWindowPlacement(screen.width(), screen.height());
    // Never so short that the status lines go below the window.
    m_desktop.placeWindow(*this, place, QSize(0, resultsPageHeight(m_fontHeight)));
}

ResultsPageView ResultsWindow::pageView() {
    ResultsPageView view;
    view.windowWidth = frameGeometry().width();
    view.fontHeight = m_fontHeight;
    view.scrollPosition = m_scrollBar->value();
    view.scrollBarWidth = m_scrollBar->sizeHint().width();
    // The application the designs were made for, from the record: after OPEN the requirements
    // window has not been shown yet.
    const int application = m_desktop.record().applicationType;
    view.applicationCaption =
        application >= 0 && application < kApplicationCount
            ? std::string(kApplicationNames[application])
            : m_desktop.requirementsWindow().applicationCaption().toStdString();
    view.windowCaption = windowTitle().toStdString();
    view.dateText = resultsDateText(m_clock());
    if (resultsDisplayOf(m_desktop.record()) == kCheckDisplay) view.check = &resultsCheck();
    return view;
}

const ResultsCheck& ResultsWindow::resultsCheck() {
    const DesignRecord& record = m_desktop.record();
    if (!m_checked || !m_checked->isFor(record)) m_checked = checkResults(record);
    return *m_checked;
}

void ResultsWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    const ResultsPageLayout layout = drawResultsPage(canvas, m_desktop.record(), pageView());
    painter.end();
    m_layout = layout;
    applyLayout(layout);
}

void ResultsWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int row = resultsRowAt(m_layout, event->position().toPoint().y());
        if (row >= 0) {
            m_scrollBar->setValue(row);
            backToTable();
            event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void ResultsWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        resultsRowAt(m_layout, event->position().toPoint().y()) >= 0) {
        mousePressEvent(event);
        openHighlightedAnalysis();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void ResultsWindow::wheelEvent(QWheelEvent* event) {
    // One design per notch (120 eighths of a degree), down the list as the wheel turns back; a
    // fine wheel's or a touchpad's smaller steps add up to notches.
    constexpr int kNotch = 120;
    m_wheelTurned += event->angleDelta().y();
    const int notches = m_wheelTurned / kNotch;
    m_wheelTurned -= notches * kNotch;
    if (notches != 0) m_scrollBar->setValue(m_scrollBar->value() - notches);
    event->accept();
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scrollBar && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!key->isAutoRepeat()) openHighlightedAnalysis();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ResultsWindow::openHighlightedAnalysis() {
    const DesignRecord& record = m_desktop.record();
    if (record.selectedDesign < 0 || record.selectedDesign >= record.designCount) return;
    m_desktop.openAnalysis();
}

void ResultsWindow::backToTable() {
    if (isVisible()) m_scrollBar->setFocus(Qt::OtherFocusReason);
}

void ResultsWindow::applyLayout(const ResultsPageLayout& layout) {
    m_bevel->setGeometry(0, 0, width(), 2);
    const std::array<QPushButton*, 6> buttons = {m_print, m_dimensions, m_electrical,
                                                 m_check, m_inductance, m_tRise};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const QRect wanted(layout.buttonLefts[i], 2, layout.buttonWidth, kButtonHeight);
        if (buttons[i]->geometry() != wanted) buttons[i]->setGeometry(wanted);
    }
    const QRect bar(layout.scrollLeft, layout.scrollTop, m_scrollBar->sizeHint().width(),
                    layout.scrollHeight);
    if (m_scrollBar->geometry() != bar) m_scrollBar->setGeometry(bar);
    if (m_scrollBar->maximum() != layout.scrollMaximum) {
        // Limiting the position to the new maximum asks for another drawing, which then takes
        // the highlighted design from it.
        m_scrollBar->setMaximum(layout.scrollMaximum);
    }
}

void ResultsWindow::formActivate() {
    update();
}

void ResultsWindow::showDisplay(int display) {
    m_desktop.record().displayMode = static_cast<std::int8_t>(display);
    setWindowTitle(toQ(resultsWindowCaption(display)));
    setEnabled(true);
    repaint();
    backToTable();
}

void ResultsWindow::electricalClick() {
    showDisplay(kElectricalDisplay);
}

void ResultsWindow::dimensionsClick() {
    showDisplay(kDimensionsDisplay);
}

void ResultsWindow::checkClick() {
    showDisplay(kCheckDisplay);
}

void ResultsWindow::printClick() {
    DesignRecord& record = m_desktop.record();
    record.printRequested = 1;
    const ResultsPageView view = pageView();
    m_desktop.printPage(this, QPageLayout::Landscape, kPdfName,
                        [&](Canvas& canvas) { drawResultsPage(canvas, record, view); });
    record.printRequested = 0;
    repaint();
    backToTable();
}

void ResultsWindow::printAllClick() {
    DesignRecord& record = m_desktop.record();
    if (record.designCount <= 0) {
        m_desktop.messages().show("NO DESIGNS TO PRINT: RUN A DESIGN FIRST", "NOTICE: ");
        return;
    }
    // The caption of the display shown, whether or not the window has been shown.
    setWindowTitle(toQ(resultsWindowCaption(resultsDisplayOf(record))));
    record.printRequested = 1;
    const ResultsPageView view = pageView();
    m_desktop.printPage(this, QPageLayout::Landscape, kPdfName,
                        [&](Canvas& canvas) { drawAllResultsPages(canvas, record, view); });
    record.printRequested = 0;
    if (isVisible()) repaint();
}

void ResultsWindow::inductanceClick() {
    DesignRecord& record = m_desktop.record();
    if (highlightedDesign(record).turns <= 0) return;
    m_desktop.closeGraphWindow();
    requestInductanceGraph(record);
    m_desktop.showGraphWindow();
}

void ResultsWindow::spreadClick() {
    DesignRecord& record = m_desktop.record();
    if (highlightedDesign(record).turns <= 0) return;
    m_desktop.closeGraphWindow();
    requestDesignGraph(record, kInductanceSpread);
    m_desktop.showGraphWindow();
}

void ResultsWindow::tRiseClick() {
    const std::string refusal = requestTemperatureRiseGraph(m_desktop.record());
    if (!refusal.empty()) {
        m_desktop.messages().show(refusal, kAgingRefusalCaption);
        return;
    }
    m_desktop.closeGraphWindow();
    m_desktop.showGraphWindow();
}

}  // namespace korvell
