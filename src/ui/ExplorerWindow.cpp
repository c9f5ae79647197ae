#include "ui/ExplorerWindow.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <algorithm>

#include "engine/DesignSearch.h"
#include "engine/ParametersEntry.h"
#include "engine/RequirementsEntry.h"
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
constexpr int kClickRadius = 8;  // pixels round a point that still pick it
constexpr const char* kPdfName = "korvell-explorer.pdf";
constexpr int kDesignRole = Qt::UserRole;  // a row's index into the space's designs

// The window's own words.
constexpr const char* kCaption = "DESIGN EXPLORER";
constexpr const char* kIncomplete =
    "ENTER AND ACCEPT THE REQUIREMENTS FIRST: THE EXPLORER SHOWS THE DESIGNS OF ACCEPTED "
    "REQUIREMENTS";
constexpr const char* kNoDesign =
    "NO DESIGN MEETS THE REQUIREMENTS IN ANY SHAPE, STACK, STRANDS OR WINDING";
constexpr const char* kSelectFirst = "SELECT A DESIGN ON THE CHART OR IN THE TABLE FIRST";
constexpr const char* kTwoObjectives = "THE FRONT NEEDS TWO OR MORE OBJECTIVES";

struct EntryText {
    const char* name;
    const char* label;
    const char* accessible;
};
constexpr std::array<EntryText, kWhatIfEntries> kEntryTexts = {{
    {"WhatIfInductance", "L (\u00b5H)", "INDUCTANCE AT MAXIMUM CURRENT"},
    {"WhatIfCurrent", "I MAX (A)", "MAXIMUM CURRENT"},
    {"WhatIfRise", "MAX RISE (C)", "MAXIMUM TEMPERATURE RISE"},
}};
// The requirements field each entry stands for (the rise is parameter 0).
constexpr int kInductanceField = 0;
constexpr int kCurrentField = 2;

}  // namespace

// The listed front as a table: each row a design, its cells' texts and sort keys from the core;
// sorting reorders the rows, nothing is copied into widgets.
class ExplorerTableModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setDesigns(const DesignSpace& space) {
        beginResetModel();
        m_rows.clear();
        m_rows.reserve(space.listed.size());
        for (const std::size_t i : space.listed)
            m_rows.push_back({i, explorerCells(space.designs[i])});
        sortRows();
        endResetModel();
    }
    std::size_t design(int row) const { return m_rows[static_cast<std::size_t>(row)].design; }
    std::optional<int> rowOf(std::size_t design) const {
        for (std::size_t r = 0; r < m_rows.size(); ++r) {
            if (m_rows[r].design == design) return static_cast<int>(r);
        }
        return std::nullopt;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kExplorerColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const Row& row = m_rows[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole) {
            return toQ(row.cells[static_cast<std::size_t>(index.column())].text);
        }
        if (role == kDesignRole) return static_cast<qulonglong>(row.design);
        if (role == Qt::TextAlignmentRole && index.column() != kPartNumberColumn) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        if (section < 0 || section >= kExplorerColumns) return {};
        return toQ(kExplorerHeadings[static_cast<std::size_t>(section)]);
    }
    void sort(int column, Qt::SortOrder order) override {
        m_column = std::clamp(column, 0, kExplorerColumns - 1);
        m_order = order;
        emit layoutAboutToBeChanged();
        sortRows();
        emit layoutChanged();
    }

  private:
    struct Row {
        std::size_t design;
        std::array<ExplorerCell, kExplorerColumns> cells;
    };
    void sortRows() {
        const auto c = static_cast<std::size_t>(m_column);
        std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row& a, const Row& b) {
            const double ka = a.cells[c].sortKey;
            const double kb = b.cells[c].sortKey;
            return m_order == Qt::AscendingOrder ? ka < kb : kb < ka;
        });
    }
    std::vector<Row> m_rows;
    int m_column = kPriceColumn;  // cheapest first, until the engineer sorts by another column
    Qt::SortOrder m_order = Qt::AscendingOrder;
};

// The chart: drawn by the core on every paint; a click asks the window for the design under it.
class ExplorerChartWidget : public QWidget {
  public:
    explicit ExplorerChartWidget(ExplorerWindow& window) : QWidget(&window), m_window(window) {
        setObjectName("ExplorerChart");
        setAccessibleName("DESIGN CHART");
        setMinimumSize(320, 240);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_OpaquePaintEvent);
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

ExplorerWindow::ExplorerWindow(Desktop& desktop) : m_desktop(desktop), m_emptyText(kIncomplete) {
    setObjectName("TExplorerForm");
    setWindowTitle(kCaption);
    setAccessibleName(kCaption);
    setSilverBackground(*this);
    setFont(designFont("MS Sans Serif", kFontHeight));
    m_chart = new ExplorerChartWidget(*this);
    buildControls();
    buildTable();
    layOut();
    const QSize screen = m_desktop.screenSize();
    m_desktop.placeWindow(*this, explorerWindowPlacement(screen.width(), screen.height()));
}

ExplorerWindow::~ExplorerWindow() = default;

void ExplorerWindow::buildControls() {
    const auto axisBox = [this](const char* name, const char* accessible, Objective chosen) {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        box->setAccessibleName(accessible);
        for (int k = 0; k < kObjectiveCount; ++k)
            box->addItem(toQ(std::string(objectiveCaption(static_cast<Objective>(k)))));
        box->setCurrentIndex(static_cast<int>(chosen));
        connect(box, &QComboBox::currentIndexChanged, this, [this] { axisChanged(); });
        return box;
    };
    m_xAxis = axisBox("XAxisBox", "HORIZONTAL AXIS", Objective::Price);
    m_yAxis = axisBox("YAxisBox", "VERTICAL AXIS", Objective::Loss);
    const std::vector<Objective> chosen = ExploreSettings{}.objectives;
    for (int k = 0; k < kObjectiveCount; ++k) {
        const auto objective = static_cast<Objective>(k);
        auto* box = new QCheckBox(toQ(std::string(objectiveLabel(objective))), this);
        box->setObjectName(toQ("Objective_" + std::string(objectiveName(objective))));
        box->setAccessibleName(toQ("OBJECTIVE " + std::string(objectiveLabel(objective))));
        box->setChecked(std::find(chosen.begin(), chosen.end(), objective) != chosen.end());
        connect(box, &QCheckBox::toggled, this, [this] { objectivesChanged(); });
        m_objectiveBoxes[static_cast<std::size_t>(k)] = box;
    }
    for (int k = 0; k < kWhatIfEntries; ++k) {
        auto* entry = new QLineEdit(this);
        entry->setObjectName(kEntryTexts[static_cast<std::size_t>(k)].name);
        entry->setAccessibleName(kEntryTexts[static_cast<std::size_t>(k)].accessible);
        entry->setMaximumWidth(fontMetrics().horizontalAdvance("0000000000"));
        connect(entry, &QLineEdit::textEdited, this, [this] { entryEdited(); });
        m_entries[static_cast<std::size_t>(k)] = entry;
    }
    m_designAt = new QComboBox(this);
    m_designAt->setObjectName("DesignAtBox");
    m_designAt->setAccessibleName("DESIGN AT");
    for (const std::string_view choice : kDesignAtChoices)
        m_designAt->addItem(toQ(choice));
    connect(m_designAt, &QComboBox::activated, this, [this] { entryEdited(); });
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
    m_status = new QLabel(this);
    m_status->setObjectName("StatusLabel");
    m_status->setAccessibleName("EXPLORER STATUS");
    m_status->setWordWrap(true);
}

void ExplorerWindow::buildTable() {
    m_model = new ExplorerTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName("FrontTable");
    m_table->setAccessibleName("TRADE-OFF FRONT");
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setTabKeyNavigation(false);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setSortIndicator(kPriceColumn, Qt::AscendingOrder);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Columns sized from the headings and the first rows, not from every cell of a long front.
    m_table->horizontalHeader()->setResizeContentsPrecision(40);
    m_table->setMinimumSize(280, 160);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { tableSelectionChanged(); });
}

void ExplorerWindow::layOut() {
    auto* objectives = new QHBoxLayout;
    objectives->addWidget(new QLabel("FRONT OF", this));
    for (QCheckBox* box : m_objectiveBoxes)
        objectives->addWidget(box);
    objectives->addStretch();
    const auto labelled = [this](QHBoxLayout* row, const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        row->addWidget(label);
        row->addWidget(buddy);
    };
    for (int k = 0; k < kWhatIfEntries; ++k) {
        labelled(objectives, toQ(kEntryTexts[static_cast<std::size_t>(k)].label),
                 m_entries[static_cast<std::size_t>(k)]);
    }
    auto* controls = new QHBoxLayout;
    labelled(controls, "X AXIS", m_xAxis);
    labelled(controls, "Y AXIS", m_yAxis);
    labelled(controls, "DESIGN AT", m_designAt);
    controls->addStretch();
    controls->addWidget(m_analyze);
    controls->addWidget(m_use);
    controls->addWidget(m_print);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("ExplorerSplitter");
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_chart);
    m_splitter->addWidget(m_table);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    auto* grid = new QVBoxLayout(this);
    grid->addLayout(objectives);
    grid->addLayout(controls);
    grid->addWidget(m_splitter, 1);
    grid->addWidget(m_status);
}

void ExplorerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const Qt::Orientation wanted =
        width() >= kExplorerSideBySideWidth ? Qt::Horizontal : Qt::Vertical;
    if (m_splitter->orientation() != wanted) {
        m_splitter->setOrientation(wanted);
        const int whole = wanted == Qt::Horizontal ? m_splitter->width() : m_splitter->height();
        m_splitter->setSizes({whole * 3 / 5, whole - whole * 3 / 5});
    }
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
    v.minFontHeight = QFontInfo(m_table->font()).pixelSize();
    if (m_space.designs.empty()) v.emptyText = m_emptyText.toStdString();
    return v;
}

std::vector<Objective> ExplorerWindow::checkedObjectives() const {
    std::vector<Objective> objectives;
    for (int k = 0; k < kObjectiveCount; ++k) {
        if (m_objectiveBoxes[static_cast<std::size_t>(k)]->isChecked())
            objectives.push_back(static_cast<Objective>(k));
    }
    return objectives;
}

bool ExplorerWindow::checkFiguresWanted() const {
    const ExplorerChartView v = view();
    return needsCheckFigures(checkedObjectives()) || isCheckObjective(v.x) || isCheckObjective(v.y);
}

void ExplorerWindow::formActivate() {
    if (m_stale) refresh();
}

void ExplorerWindow::recordChanged() {
    m_stale = true;
    loadEntries();
    if (isVisible()) refresh();
}

void ExplorerWindow::loadEntries() {
    const DesignRecord& r = m_desktop.record();
    const RequirementTexts texts = requirementFieldTexts(r);
    DesignRecord active = r;
    loadActiveDesignParameters(active);
    const DesignParameterTexts parameters = designParameterFieldTexts(active);
    m_entries[kWhatIfInductance]->setText(toQ(trimmed(texts[kInductanceField])));
    m_entries[kWhatIfCurrent]->setText(toQ(trimmed(texts[kCurrentField])));
    m_entries[kWhatIfRise]->setText(toQ(trimmed(parameters[0])));
    m_designAt->setCurrentIndex(active.designAt == kDesignAtWorstCase ? 1 : 0);
}

std::optional<DesignRecord> ExplorerWindow::exploredRecord(Messages& messages) const {
    DesignRecord r = m_desktop.record();
    loadActiveDesignParameters(r);
    RequirementTexts texts = requirementFieldTexts(r);
    texts[kInductanceField] = m_entries[kWhatIfInductance]->text().toStdString();
    texts[kCurrentField] = m_entries[kWhatIfCurrent]->text().toStdString();
    if (r.applicationType == kResonant) {
        if (const auto frequency = updateResonantFrequency(r, texts)) texts[7] = *frequency;
    }
    if (!acceptRequirements(r, messages, texts)) return std::nullopt;
    DesignParameterTexts parameters = designParameterFieldTexts(r);
    parameters[0] = m_entries[kWhatIfRise]->text().toStdString();
    if (!acceptDesignParameters(r, messages, parameters, r.unitSystem, r.wireGageSystem)) {
        return std::nullopt;
    }
    DesignChoiceEntry choices = designChoiceEntry(r);
    choices.designAt = m_designAt->currentIndex();
    const std::optional<DesignChoices> checked = checkDesignChoices(messages, choices);
    if (!checked) return std::nullopt;
    storeDesignChoices(r, *checked);
    return r;
}

void ExplorerWindow::entryEdited() {
    if (!requirementsComplete(m_desktop.record())) return;
    RecordingMessages refusal;
    if (!exploredRecord(refusal)) {
        // The field's own message, here rather than in a box, so typing goes on.
        const auto& m = refusal.empty() ? Message{} : refusal.last();
        m_status->setText(toQ(trimmed(m.caption) + ": " + trimmed(m.text)));
        return;
    }
    refresh();
}

void ExplorerWindow::refresh() {
    m_stale = false;
    std::optional<std::size_t> before = m_selected;
    const ExploredDesign previous =
        before && *before < m_space.designs.size() ? m_space.designs[*before] : ExploredDesign{};
    m_selected.reset();
    m_space = DesignSpace{};
    m_explored.reset();
    if (!requirementsComplete(m_desktop.record())) {
        m_emptyText = kIncomplete;
    } else {
        RecordingMessages refusal;
        m_explored = exploredRecord(refusal);
        if (!m_explored) {
            // The entries hold what the record refuses (a design file put in): start again.
            loadEntries();
            m_explored = exploredRecord(refusal);
        }
        if (m_explored) {
            ExploreSettings settings;
            settings.objectives = checkedObjectives();
            settings.checkFigures = checkFiguresWanted();
            settings.refusals = false;  // the window shows no why-not list
            m_space = explore_design_space(*m_explored, settings);
        }
        m_emptyText = kNoDesign;
    }
    fillTable();
    // The same design stays selected where the new space has it.
    if (before) {
        for (std::size_t i = 0; i < m_space.designs.size(); ++i) {
            const ExploredDesign& d = m_space.designs[i];
            if (d.shape == previous.shape && d.stack == previous.stack &&
                d.strands == previous.strands && d.winding == previous.winding &&
                d.result.partNumber == previous.result.partNumber) {
                m_selected = i;
                break;
            }
        }
    }
    selectDesign(m_selected);
}

void ExplorerWindow::showSummary() {
    if (m_space.designs.empty()) {
        m_status->setText(m_emptyText);
        return;
    }
    std::string objectives;
    for (const Objective o : m_space.objectives)
        objectives += (objectives.empty() ? "" : ", ") + std::string(objectiveLabel(o));
    m_status->setText(
        toQ(strprintf("%zu DESIGNS, %zu ON THE FRONT OF %s, %zu LISTED (EACH STANDS FOR THOSE "
                      "WITHIN %g %%); CLICK A MARKED POINT OR A ROW",
                      m_space.designs.size(), m_space.front.size(), objectives.c_str(),
                      m_space.listed.size(), 100 * m_space.epsilon)));
}

void ExplorerWindow::objectivesChanged() {
    const std::vector<Objective> objectives = checkedObjectives();
    if (objectives.size() < 2) {
        // Put the box just unchecked back.
        auto* box = qobject_cast<QCheckBox*>(sender());
        if (box) {
            const QSignalBlocker block(box);
            box->setChecked(true);
        }
        m_status->setText(kTwoObjectives);
        return;
    }
    if (needsCheckFigures(objectives) && !m_space.checkFigures && !m_space.designs.empty()) {
        refresh();
        return;
    }
    const std::optional<std::size_t> keep = m_selected;
    chooseObjectives(m_space, objectives, m_space.epsilon);
    fillTable();
    selectDesign(keep);
}

void ExplorerWindow::axisChanged() {
    if (checkFiguresWanted() && !m_space.checkFigures && !m_space.designs.empty()) {
        refresh();
        return;
    }
    m_chart->update();
}

void ExplorerWindow::fillTable() {
    m_filling = true;
    m_model->setDesigns(m_space);
    const int sortColumn = m_table->horizontalHeader()->sortIndicatorSection();
    m_model->sort(sortColumn, m_table->horizontalHeader()->sortIndicatorOrder());
    const bool checksShown = !m_table->isColumnHidden(kCheckLossColumn);
    m_table->setColumnHidden(kCheckLossColumn, !m_space.checkFigures);
    m_table->setColumnHidden(kCheckRiseColumn, !m_space.checkFigures);
    // Sized from the contents on the first rows, and again when the checked columns come or go;
    // while the entries are typed the widths (the engineer's own, perhaps) stay.
    if (m_model->rowCount() > 0 && (!m_columnsSized || checksShown != m_space.checkFigures)) {
        m_table->resizeColumnsToContents();
        m_columnsSized = true;
    }
    m_filling = false;
}

std::size_t ExplorerWindow::rowDesign(int row) const {
    return m_model->design(row);
}

std::vector<std::size_t> ExplorerWindow::tableOrder() const {
    std::vector<std::size_t> order;
    for (int row = 0; row < m_model->rowCount(); ++row)
        order.push_back(m_model->design(row));
    return order;
}

void ExplorerWindow::tableSelectionChanged() {
    if (m_filling) return;
    const auto rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    const std::size_t design = m_model->design(rows.front().row());
    if (m_selected != design) selectDesign(design);
}

void ExplorerWindow::selectDesign(std::optional<std::size_t> design) {
    if (design && *design >= m_space.designs.size()) design.reset();
    m_selected = design;
    m_filling = true;
    m_table->clearSelection();
    if (design) {
        if (const auto row = m_model->rowOf(*design)) {
            m_table->selectRow(*row);
            m_table->scrollTo(m_model->index(*row, 0));
        }
    }
    m_filling = false;
    if (design) {
        m_status->setText(toQ(explorerStatusText(m_space.designs[*design], m_space.objectives)));
    } else {
        showSummary();
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
    if (!m_selected || !m_explored) {
        m_status->setText(kSelectFirst);
        return;
    }
    const ExploredDesign design = m_space.designs[*m_selected];
    // The entries become the requirements' and parameters' as their own windows would store
    // them; they passed the same checks when the space was computed.
    DesignRecord& r = m_desktop.record();
    RequirementTexts texts = requirementFieldTexts(*m_explored);
    DesignParameterTexts parameters = designParameterFieldTexts(*m_explored);
    const bool stored = m_desktop.storeRequirements(
        [&] { return acceptRequirements(r, m_desktop.messages(), texts); });
    if (!stored || !acceptDesignParameters(r, m_desktop.messages(), parameters, r.unitSystem,
                                           r.wireGageSystem)) {
        return;
    }
    storeDesignChoices(
        r, {m_explored->riseLimitBy, m_explored->alTolerancePercent, m_explored->designAt});
    m_desktop.useDesignCombination(design.shape, design.stack, design.strands, design.winding,
                                   design.result);
    m_desktop.recordChanged();
}

void ExplorerWindow::printClick() {
    const ExplorerChartView printed = [this] {
        ExplorerChartView v = view();
        v.minFontHeight = 0;
        return v;
    }();
    const std::vector<std::size_t> rows = tableOrder();
    ExplorerPrintout printout;
    if (m_explored) {
        const DesignRecord& r = *m_explored;
        for (int k = 0; k < kRequirementSummaryRows; ++k) {
            if (!summaryRowShown(r.applicationType, k)) continue;
            const RequirementSummaryRow& row = r.reqtSummary[static_cast<std::size_t>(k)];
            printout.requirements.push_back(trimmed(row.label) + " " + trimmed(row.value) + " " +
                                            trimmed(row.units));
        }
        printout.requirements.push_back(
            strprintf("MAX TEMPERATURE RISE: %.1f DEG C", static_cast<double>(r.maxTempRise)));
    }
    printout.dateText = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm").toStdString();
    m_desktop.printPage(this, QPageLayout::Landscape, kPdfName, [&](Canvas& canvas) {
        drawExplorerPages(canvas, m_space, printed, rows, printout);
    });
}

}  // namespace korvell
