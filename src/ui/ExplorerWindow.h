// The design explorer (TExplorerForm): every design of the design space of the record's
// requirements as a chart on two chosen objectives, drawn by the core (drawExplorerChart), and
// the trade-off front as a sortable table beside it. A point clicked selects its row and a row
// selected marks its point. ANALYZE opens the analysis window with the selected design, USE
// makes its shape, stack, strands and winding the requirements' and runs the ordinary search,
// PRINT puts the chart and the front on one landscape page. The window follows the record: after
// every accepted change it computes the space anew.
#pragma once

#include <QWidget>
#include <optional>

#include "explore/DesignSpace.h"
#include "graphs/ExplorerChart.h"
#include "ui/FormEvents.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace korvell {

class Desktop;
class ExplorerChartWidget;

class ExplorerWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit ExplorerWindow(Desktop& desktop);

    void formActivate() override;

    // The record changed (requirements, parameters, materials, a design file): computed anew now
    // when the window is shown, else when it is next shown.
    void recordChanged();
    // Computes the space of the record as it stands and redraws.
    void refresh();

    const DesignSpace& space() const { return m_space; }
    std::optional<std::size_t> selected() const { return m_selected; }
    // Selects a design (index into the space's designs): its point ringed, its row selected.
    void selectDesign(std::optional<std::size_t> design);
    // The design drawn nearest a point of the chart, within a few pixels.
    std::optional<std::size_t> designAt(QPoint chartPoint) const;
    QWidget* chart() const;
    // Where the last drawing on the window put each design.
    const ExplorerChartLayout& chartLayout() const;
    QTableWidget* table() const { return m_table; }
    QLabel* status() const { return m_status; }

    void analyzeClick();
    void useClick();
    void printClick();

    ExplorerChartView view() const;
    // The designs of the front in the table's order.
    std::vector<std::size_t> tableOrder() const;

  private:
    void fillTable();
    void tableSelectionChanged();

    Desktop& m_desktop;
    ExplorerChartWidget* m_chart = nullptr;
    QTableWidget* m_table = nullptr;
    QComboBox* m_xAxis = nullptr;
    QComboBox* m_yAxis = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_analyze = nullptr;
    QPushButton* m_use = nullptr;
    QPushButton* m_print = nullptr;
    DesignSpace m_space;
    std::optional<std::size_t> m_selected;
    bool m_stale = true;
    bool m_filling = false;
};

}  // namespace korvell
