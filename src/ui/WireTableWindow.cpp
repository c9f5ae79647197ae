#include "ui/WireTableWindow.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "materials/WireRows.h"
#include "pages/ReferenceListings.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "ui/Desktop.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr const char* kCaption = "WIRE TABLES";

}  // namespace

WireTableWindow::WireTableWindow(Desktop& desktop) : m_desktop(desktop) {
    setObjectName("TWireTableForm");
    setWindowTitle(kCaption);
    setSilverBackground(*this);

    m_title = new QLabel(this);
    m_title->setObjectName("TitleLabel");
    m_title->setFont(designFont("Arial", 15, true));
    // The standard, the units and the temperature on one line, or on two in a narrow window.
    m_title->setWordWrap(true);

    m_grid = new QTableWidget(0, kWireColumns, this);
    m_grid->setObjectName("WireGrid");
    setUpListing(*m_grid);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_grid, 1);

    const QSize screen = m_desktop.screenSize();
    const Rect place = wireTableWindowPlacement(screen.width(), screen.height());
    m_desktop.placeWindow(*this, place);
}

void WireTableWindow::formActivate() {
    fillTable();
}

void WireTableWindow::fillTable() {
    const DesignRecord& record = m_desktop.record();
    std::vector<WireRow> rows;
    listWireTable(record.wireGageSystem, m_desktop.messages(), rows);

    m_title->setText(toQ(wireTableTitle(record)));
    const auto headings = wireTableHeadings(record);
    QStringList labels;
    for (const ListingHeading& h : headings)
        labels << toQ(listingHeadingText(h));
    m_grid->setHorizontalHeaderLabels(labels);
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto cells = wireTableCells(record, rows[static_cast<std::size_t>(r)]);
        for (int k = 0; k < kWireColumns; ++k) {
            auto* item = new QTableWidgetItem(toQ(cells[static_cast<std::size_t>(k)].text));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, k, item);
        }
    }
}

}  // namespace korvell
