#include "ui/CatalogWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "pages/ReferenceListings.h"
#include "platform/Format.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "ui/Desktop.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr const char* kCaption = "KORVELL CATALOG";
constexpr const char* kAllMaterials = "ALL";
// The role a cell sorts by: the figure shown, or a part number's place in the catalog.
constexpr int kSortRole = Qt::UserRole;

QLabel* caption(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// The display units the figures depend on.
std::string unitsOf(const DesignRecord& r) {
    return r.lengthUnitName + strprintf("|%.9g", static_cast<double>(r.lengthFactor));
}

}  // namespace

CatalogWindow::CatalogWindow(Desktop& desktop) : m_desktop(desktop) {
    setObjectName("TCatalogForm");
    setWindowTitle(kCaption);
    setSilverBackground(*this);
    setFont(designFont("Arial", 15, true));

    m_shapeBox = new QComboBox(this);
    m_shapeBox->setObjectName("ShapeBox");
    for (const std::string_view name : kShapeNames)
        m_shapeBox->addItem(toQ(name));
    m_shapeBox->setToolTip("The core shape whose catalog is listed");

    m_materialBox = new QComboBox(this);
    m_materialBox->setObjectName("MaterialBox");
    m_materialBox->setToolTip("List the cores of one material, or of ALL materials");

    m_count = caption("CountLabel", "", this);
    m_analyze = new QPushButton("ANALYZE", this);
    m_analyze->setObjectName("Button_Analyze");
    m_analyze->setToolTip("Analyze an inductor wound on the chosen core");
    m_analyze->setEnabled(false);

    m_model = new QStandardItemModel(0, kCatalogColumns, this);
    m_model->setSortRole(kSortRole);
    m_table = new QTableView(this);
    m_table->setObjectName("CatalogGrid");
    m_table->setModel(m_model);
    setUpListing(*m_table);
    // The figures share the width the part numbers leave.
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    // A part number sorts by its place in the catalog: smallest core first, as the design
    // search walks it.
    m_table->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);

    auto* top = new QHBoxLayout;
    top->addWidget(caption("ShapeLabel", "SHAPE", this));
    top->addWidget(m_shapeBox);
    top->addSpacing(16);
    top->addWidget(caption("MaterialLabel", "MATERIAL", this));
    top->addWidget(m_materialBox);
    top->addSpacing(16);
    top->addWidget(m_count);
    top->addStretch(1);
    top->addWidget(m_analyze);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);

    connect(m_shapeBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { showShape(index); });
    connect(m_materialBox, &QComboBox::currentIndexChanged, this, [this] { fillTable(); });
    connect(m_analyze, &QPushButton::clicked, this, [this] { analyzeClick(); });
    connect(m_table, &QTableView::activated, this, [this] { analyzeClick(); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { chosenRowChanged(); });

    const QSize screen = m_desktop.screenSize();
    const Rect place = catalogWindowPlacement(screen.width(), screen.height());
    m_desktop.placeWindow(*this, place);
}

void CatalogWindow::formActivate() {
    // The catalog is listed on the first showing, not at start-up.
    if (m_shape < 0) {
        showShape(m_desktop.record().coreShape);
    } else if (unitsOf(m_desktop.record()) != m_unitsShown) {
        fillTable();
    }
}

void CatalogWindow::showShape(int shape) {
    if (shape < 0 || shape >= static_cast<int>(kShapeNames.size())) return;
    m_shape = shape;
    {
        const QSignalBlocker blocker(m_shapeBox);
        m_shapeBox->setCurrentIndex(shape);
    }
    m_rows = listCatalog(static_cast<std::int8_t>(shape), m_desktop.messages()).rows;
    {
        const QSignalBlocker blocker(m_materialBox);
        m_materialBox->clear();
        m_materialBox->addItem(kAllMaterials);
        for (const std::string& code : catalogMaterialChoices(m_rows))
            m_materialBox->addItem(toQ(code));
        m_materialBox->setCurrentIndex(0);
    }
    m_table->clearSelection();
    fillTable();
    m_table->scrollToTop();
}

void CatalogWindow::fillTable() {
    if (m_shape < 0) return;
    const DesignRecord& record = m_desktop.record();
    const auto shape = static_cast<std::int8_t>(m_shape);
    const QString chosen = selectedPartNumber();
    const std::string material =
        m_materialBox->currentIndex() > 0 ? m_materialBox->currentText().toStdString() : "";

    const auto headings = catalogHeadings(record, shape);
    for (int k = 0; k < kCatalogColumns; ++k) {
        m_model->setHorizontalHeaderItem(
            k, new QStandardItem(toQ(listingHeadingText(headings[static_cast<std::size_t>(k)]))));
    }
    m_model->setRowCount(0);
    const std::vector<CatalogRow> rows = catalogRowsOfMaterial(m_rows, material);
    for (const CatalogRow& row : rows) {
        QList<QStandardItem*> items;
        const auto cells = catalogCells(record, shape, row);
        for (int k = 0; k < kCatalogColumns; ++k) {
            const ListingCell& cell = cells[static_cast<std::size_t>(k)];
            auto* item = new QStandardItem(toQ(cell.text));
            item->setData(cell.sortKey, kSortRole);
            item->setEditable(false);
            if (k > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items.append(item);
        }
        m_model->appendRow(items);
    }
    const QHeaderView* header = m_table->horizontalHeader();
    m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    m_table->resizeColumnToContents(0);
    m_count->setText(QString("%1 CORES").arg(rows.size()));
    m_unitsShown = unitsOf(record);

    // The core that was chosen stays chosen while it is listed.
    const QList<QStandardItem*> found = m_model->findItems(chosen, Qt::MatchExactly, 0);
    if (!chosen.isEmpty() && !found.isEmpty()) {
        m_table->selectRow(found.front()->row());
        m_table->scrollTo(m_model->index(found.front()->row(), 0));
    }
    chosenRowChanged();
}

void CatalogWindow::chosenRowChanged() {
    m_analyze->setEnabled(!selectedPartNumber().isEmpty());
}

QString CatalogWindow::selectedPartNumber() const {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows(0);
    if (rows.isEmpty()) return {};
    return m_model->data(rows.front()).toString();
}

int CatalogWindow::rowCount() const {
    return m_model->rowCount();
}

QString CatalogWindow::cellText(int row, int column) const {
    return m_model->data(m_model->index(row, column)).toString();
}

void CatalogWindow::analyzeClick() {
    const QString part = selectedPartNumber();
    if (part.isEmpty()) return;
    m_desktop.openAnalysisOf(part.toStdString());
}

}  // namespace korvell
