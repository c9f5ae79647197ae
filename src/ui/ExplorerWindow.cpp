#include "ui/ExplorerWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "engine/DesignSearch.h"
#include "engine/ParametersEntry.h"
#include "engine/RequirementsEntry.h"
#include "platform/Format.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"
#include "ui/AnalysisWindow.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr int kFontHeight = 13;
constexpr int kClickRadius = 8;  // pixels round a point that still pick it
constexpr const char* kPdfName = "korvell-explorer.pdf";

// The window's own words.
constexpr const char* kCaption = "DESIGN EXPLORER";
constexpr const char* kIncomplete =
    "ENTER AND ACCEPT THE REQUIREMENTS FIRST: THE EXPLORER SHOWS THE DESIGNS OF ACCEPTED "
    "REQUIREMENTS";
constexpr const char* kNoDesign =
    "NO DESIGN MEETS THE REQUIREMENTS IN ANY SHAPE, STACK, STRANDS OR WINDING";
constexpr const char* kSelectFirst = "SELECT A DESIGN ON THE CHART OR IN THE TABLE FIRST";

// A table cell that sorts by its number where it holds one.
class CellItem : public QTableWidgetItem {
  public:
    CellItem(const std::string& text, std::optional<double> number)
        : QTableWidgetItem(toQ(text)), m_number(number) {}
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* cell = dynamic_cast<const CellItem*>(&other);
        if (cell && m_number && cell->m_number) return *m_number < *cell->m_number;
        return QTableWidgetItem::operator<(other);
    }

  private:
    std::optional<double> m_number;
};

}  // namespace

// The chart: drawn by the core on every paint; a click asks the window for the design under it.
class ExplorerChartWidget : public QWidget {
  public:
    explicit ExplorerChartWidget(ExplorerWindow& window) : QWidget(&window), m_window(window) {
        setObjectName("ExplorerChart");
        setAccessibleName("DESIGN CHART");
        setMinimumSize(360, 280);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    const ExplorerChartLayout& layout() const { return m_layout; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QtCanvas canvas(painter, width(), height());
        m_layout = drawExplorerChart(canvas, m_window.space(), m_window.view());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (const auto design = m_window.designAt(event->position().toPoint())) {
            m_window.selectDesign(design);
        }
    }

  private:
    ExplorerWindow& m_window;
    ExplorerChartLayout m_layout;
};

ExplorerWindow::ExplorerWindow(Desktop& desktop) : m_desktop(desktop) {
    setObjectName("TExplorerForm");
    setWindowTitle(kCaption);
    setAccessibleName(kCaption);
    setSilverBackground(*this);
    setFont(designFont("MS Sans Serif", kFontHeight));

    m_chart = new ExplorerChartWidget(*this);

    const auto axisBox = [this](const char* name, const char* accessible, Objective chosen) {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        box->setAccessibleName(accessible);
        for (int k = 0; k < kObjectiveCount; ++k)
            box->addItem(toQ(std::string(objectiveCaption(static_cast<Objective>(k)))));
        box->setCurrentIndex(static_cast<int>(chosen));
        connect(box, &QComboBox::currentIndexChanged, this, [this] { m_chart->update(); });
        return box;
    };
    m_xAxis = axisBox("XAxisBox", "HORIZONTAL AXIS", Objective::Price);
    m_yAxis = axisBox("YAxisBox", "VERTICAL AXIS", Objective::Loss);
    auto* xLabel = new QLabel("X AXIS", this);
    xLabel->setObjectName("XAxisLabel");
    xLabel->setBuddy(m_xAxis);
    auto* yLabel = new QLabel("Y AXIS", this);
    yLabel->setObjectName("YAxisLabel");
    yLabel->setBuddy(m_yAxis);

    const auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(QString(caption).remove('&'));
        return b;
    };
    m_analyze = button("&ANALYZE", "Button_Analyze");
    m_use = button("&USE", "Button_Use");
    m_print = button("&PRINT", "Button_Print");
    connect(m_analyze, &QPushButton::clicked, this, [this] { analyzeClick(); });
    connect(m_use, &QPushButton::clicked, this, [this] { useClick(); });
    connect(m_print, &QPushButton::clicked, this, [this] { printClick(); });

    m_table = new QTableWidget(0, kExplorerColumns, this);
    m_table->setObjectName("FrontTable");
    m_table->setAccessibleName("TRADE-OFF FRONT");
    QStringList headings;
    for (const char* heading : kExplorerHeadings)
        headings << heading;
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setSortingEnabled(true);
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->setMinimumWidth(300);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { tableSelectionChanged(); });

    m_status = new QLabel(this);
    m_status->setObjectName("StatusLabel");
    m_status->setAccessibleName("EXPLORER STATUS");
    m_status->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(xLabel);
    controls->addWidget(m_xAxis);
    controls->addWidget(yLabel);
    controls->addWidget(m_yAxis);
    controls->addStretch();
    controls->addWidget(m_analyze);
    controls->addWidget(m_use);
    controls->addWidget(m_print);
    auto* grid = new QGridLayout(this);
    grid->addLayout(controls, 0, 0, 1, 2);
    grid->addWidget(m_chart, 1, 0);
    grid->addWidget(m_table, 1, 1);
    grid->addWidget(m_status, 2, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    const QSize screen = m_desktop.screenSize();
    m_desktop.placeWindow(*this, graphWindowPlacement(screen.width(), screen.height()));
}

QWidget* ExplorerWindow::chart() const {
    return m_chart;
}

const ExplorerChartLayout& ExplorerWindow::chartLayout() const {
    return m_chart->layout();
}

ExplorerChartView ExplorerWindow::view() const {
    ExplorerChartView v;
    v.x = static_cast<Objective>(std::max(0, m_xAxis->currentIndex()));
    v.y = static_cast<Objective>(std::max(0, m_yAxis->currentIndex()));
    v.selected = m_selected;
    return v;
}

void ExplorerWindow::formActivate() {
    if (m_stale) refresh();
}

void ExplorerWindow::recordChanged() {
    m_stale = true;
    if (isVisible()) refresh();
}

void ExplorerWindow::refresh() {
    m_stale = false;
    m_selected.reset();
    m_space = DesignSpace{};
    const DesignRecord& record = m_desktop.record();
    if (!requirementsComplete(record)) {
        m_status->setText(kIncomplete);
    } else {
        // The sweep works on its own copy of the record with the application's parameters.
        DesignRecord copy = record;
        loadActiveDesignParameters(copy);
        m_space = explore_design_space(copy, ExploreSettings{});
        m_status->setText(m_space.designs.empty()
                              ? QString(kNoDesign)
                              : toQ(strprintf("%zu DESIGNS, %zu ON THE FRONT OF PRICE, LOSS AND "
                                              "SIZE; CLICK A POINT OR A ROW",
                                              m_space.designs.size(), m_space.front.size())));
    }
    fillTable();
    m_chart->update();
}

void ExplorerWindow::fillTable() {
    m_filling = true;
    m_table->setSortingEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(m_space.front.size()));
    int row = 0;
    for (const std::size_t i : m_space.front) {
        const ExploredDesign& d = m_space.designs[i];
        const auto cells = explorerCells(d);
        const std::array<std::optional<double>, kExplorerColumns> numbers = {
            std::nullopt,
            std::nullopt,
            static_cast<double>(d.stack),
            static_cast<double>(d.result.strands),
            std::nullopt,
            std::nullopt,
            static_cast<double>(d.result.price),
            d.totalLossW(),
            static_cast<double>(d.result.surfaceArea),
            static_cast<double>(d.result.tempRise)};
        for (int c = 0; c < kExplorerColumns; ++c) {
            auto* item = new CellItem(cells[static_cast<std::size_t>(c)],
                                      numbers[static_cast<std::size_t>(c)]);
            item->setData(Qt::UserRole, static_cast<qulonglong>(i));
            m_table->setItem(row, c, item);
        }
        ++row;
    }
    m_table->setSortingEnabled(true);
    // Cheapest first, until the engineer sorts by another column.
    m_table->sortItems(6, Qt::AscendingOrder);
    // Sized once from the headings and the first rows, not from every cell of a long front.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setResizeContentsPrecision(40);
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_filling = false;
}

std::vector<std::size_t> ExplorerWindow::tableOrder() const {
    std::vector<std::size_t> order;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (const auto* item = m_table->item(row, 0)) {
            order.push_back(static_cast<std::size_t>(item->data(Qt::UserRole).toULongLong()));
        }
    }
    return order;
}

void ExplorerWindow::tableSelectionChanged() {
    if (m_filling) return;
    const auto items = m_table->selectedItems();
    if (items.isEmpty()) return;
    const auto design = static_cast<std::size_t>(items.front()->data(Qt::UserRole).toULongLong());
    if (m_selected != design) {
        m_selected = design;
        m_chart->update();
    }
}

void ExplorerWindow::selectDesign(std::optional<std::size_t> design) {
    if (design && *design >= m_space.designs.size()) design.reset();
    m_selected = design;
    m_filling = true;
    m_table->clearSelection();
    if (design) {
        for (int row = 0; row < m_table->rowCount(); ++row) {
            const auto* item = m_table->item(row, 0);
            if (item && item->data(Qt::UserRole).toULongLong() == *design) {
                m_table->selectRow(row);
                m_table->scrollToItem(item);
                break;
            }
        }
    }
    m_filling = false;
    if (design) {
        const auto cells = explorerCells(m_space.designs[*design]);
        QStringList parts;
        for (const auto& cell : cells)
            parts << toQ(cell);
        m_status->setText(parts.join("  "));
    }
    m_chart->update();
}

std::optional<std::size_t> ExplorerWindow::designAt(QPoint chartPoint) const {
    return designNear(m_chart->layout(), chartPoint.x(), chartPoint.y(), kClickRadius);
}

void ExplorerWindow::analyzeClick() {
    if (!m_selected) {
        m_status->setText(kSelectFirst);
        return;
    }
    m_desktop.openAnalysisOfDesign(m_space.designs[*m_selected].result);
}

void ExplorerWindow::useClick() {
    if (!m_selected) {
        m_status->setText(kSelectFirst);
        return;
    }
    const ExploredDesign design = m_space.designs[*m_selected];
    m_desktop.useDesignCombination(design.shape, design.stack, design.strands, design.winding,
                                   design.result);
}

void ExplorerWindow::printClick() {
    const ExplorerChartView printed = view();
    const std::vector<std::size_t> rows = tableOrder();
    m_desktop.printPage(this, QPageLayout::Landscape, kPdfName,
                        [&](Canvas& canvas) { drawExplorerPage(canvas, m_space, printed, rows); });
}

}  // namespace korvell
