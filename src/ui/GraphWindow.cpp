#include "ui/GraphWindow.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "pages/ResultsPage.h"
#include "platform/Format.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"
#include "ui/Desktop.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr int kFontHeight = 13;
constexpr const char* kPdfName = "korvell-graph.pdf";

void place(QWidget* widget, const Rect& r) {
    widget->setGeometry(r.left, r.top, r.width, r.height);
}

}  // namespace

GraphWindow::GraphWindow(Desktop& desktop) : m_desktop(desktop), m_clock(localNow) {
    setObjectName("TGraphicsForm");
    setWindowTitle("Graphics");
    setSilverBackground(*this);
    setFont(designFont("MS Sans Serif", kFontHeight));

    m_title = new QLabel(this);
    m_title->setObjectName("TitleLabel");
    m_title->setFont(designFont("Arial", 18, true));
    m_title->setAlignment(Qt::AlignCenter);

    m_xCaption = new QLabel(this);
    m_xCaption->setObjectName("X_Label");
    m_xCaption->setFont(designFont("Arial", 14, true));
    m_xCaption->setAlignment(Qt::AlignCenter);

    // The page breaks the y caption into lines and chooses its font so that it fits its column.
    m_yCaption = new QLabel(this);
    m_yCaption->setObjectName("Y_label");
    m_yCaption->setFont(toQFont(GraphView{}.yCaptionFont));
    m_yCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_print = new QPushButton("PRINT GRAPH", this);
    m_print->setObjectName("Button_PrintGraph");
    m_print->hide();
    connect(m_print, &QPushButton::clicked, this, [this] { printGraphClick(); });
    m_save = new QPushButton("SAVE GRAPH", this);
    m_save->setObjectName("Button_SaveGraph");
    m_save->setToolTip("SAVE THE GRAPH AS AN SVG DRAWING");
    m_save->hide();
    connect(m_save, &QPushButton::clicked, this, [this] { saveGraphClick(); });

    const QSize screen = m_desktop.screenSize();
    const Rect placement = graphWindowPlacement(screen.width(), screen.height());
    m_desktop.placeWindow(*this, placement);
}

GraphView GraphWindow::view() const {
    GraphView view;
    view.fontHeight = kFontHeight;
    view.background = colors::kSilver;
    return view;
}

void GraphWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    m_pending.clear();
    m_layout = drawGraphPage(canvas, m_desktop.record(), m_pending, view());
    painter.end();
    applyLayout();
    if (m_messagesDue && !m_pending.empty()) {
        m_messagesDue = false;
        // A message box is not shown from inside a paint: it waits for the paint to end.
        QTimer::singleShot(0, this, [this] { showPendingMessages(); });
    }
}

void GraphWindow::applyLayout() {
    m_title->setText(toQ(m_layout.title));
    m_xCaption->setText(toQ(m_layout.xCaption));
    QStringList lines;
    for (const std::string& line : m_layout.yCaptionLines)
        lines << toQ(line);
    m_yCaption->setText(lines.join('\n'));
    if (!m_layout.yCaptionLines.empty()) m_yCaption->setFont(toQFont(m_layout.yCaptionFont));
    place(m_title, m_layout.titleBar);
    place(m_xCaption, m_layout.xCaptionBar);
    place(m_yCaption, m_layout.yCaptionColumn);
    if (m_layout.showPrintButton) {
        place(m_print, m_layout.printButton);
        m_print->show();
        place(m_save, m_layout.saveButton);
        m_save->show();
    }
}

void GraphWindow::showPendingMessages() {
    const std::vector<Message> messages = m_pending.messages;
    for (const Message& m : messages)
        m_desktop.messages().show(m.text, m.caption);
}

void GraphWindow::opened() {
    m_messagesDue = true;
    update();
}

void GraphWindow::formActivate() {
    update();
}

void GraphWindow::printGraphClick() {
    m_print->hide();
    GraphView printed = view();
    printed.dateText = resultsDateText(m_clock());
    RecordingMessages ignored;  // shown already when the window drew the same graph
    m_desktop.printPage(this, QPageLayout::Landscape, kPdfName, [&](Canvas& canvas) {
        drawGraphPage(canvas, m_desktop.record(), ignored, printed);
    });
    update();
}

void GraphWindow::saveGraphClick() {
    GraphView saved = view();
    saved.dateText = resultsDateText(m_clock());
    RecordingMessages ignored;  // shown already when the window drew the same graph
    const std::string svg = graphSvg(m_desktop.record(), ignored, saved);
    m_desktop.files().saveGraph(
        this, strprintf("korvell-graph-%d.svg", m_desktop.record().graphKind), svg);
}

}  // namespace korvell
