// The design explorer (TExplorerForm): every design of the design space of the record's
// requirements as a chart on two chosen figures, drawn by the core (drawExplorerChart), and the
// thinned trade-off front as a sortable table, chart and table in a splitter (side by side on
// a wide window, one above the other on a narrower one). Check boxes choose the objectives of
// the one front that both show; a marked point clicked selects its row and a row selected marks
// its point; the status line names the selected design. Its own entries for the inductance,
// the maximum current and the maximum temperature rise recompute the space at each change that
// passes the field's check. ANALYZE opens the analysis window with the selected design, USE
// takes the entries into the requirements with the design's shape, stack, strands and winding
// and runs the ordinary search, PRINT prints the requirements, the chart and the whole listed
// front, page after page. The window follows the record: after every accepted change it
// computes the space anew.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "explore/DesignSpace.h"
#include "graphs/ExplorerChart.h"
#include "platform/Messages.h"
#include "ui/FormEvents.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableView;

namespace korvell {

class Desktop;
class ExplorerChartWidget;
class ExplorerTableModel;

// The what-if entries, in their order.
enum ExplorerEntry : int { kWhatIfInductance, kWhatIfCurrent, kWhatIfRise, kWhatIfEntries };

class ExplorerWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit ExplorerWindow(Desktop& desktop);
    ~ExplorerWindow() override;

    void formActivate() override;

    // The record changed (requirements, parameters, materials, a design file): the entries start
    // again from it and the space is computed anew now when the window is shown, else when it is
    // next shown.
    void recordChanged();
    // Computes the space of the record as the entries change it, and redraws.
    void refresh();

    const DesignSpace& space() const { return m_space; }
    std::optional<std::size_t> selected() const { return m_selected; }
    // Selects a design (index into the space's designs): its point framed, its row selected
    // where it is listed, the status line naming it.
    void selectDesign(std::optional<std::size_t> design);
    // The design drawn nearest a point of the chart, within a few pixels (a marked one first).
    std::optional<std::size_t> designAt(QPoint chartPoint) const;
    QWidget* chart() const;
    // Where the last drawing on the window put each design.
    const ExplorerChartLayout& chartLayout() const;
    QTableView* table() const { return m_table; }
    QLabel* status() const { return m_status; }
    QSplitter* splitter() const { return m_splitter; }
    QLineEdit* entry(ExplorerEntry which) const { return m_entries[which]; }
    QCheckBox* objectiveBox(Objective objective) const {
        return m_objectiveBoxes[static_cast<std::size_t>(objective)];
    }
    QComboBox* xAxis() const { return m_xAxis; }
    QComboBox* yAxis() const { return m_yAxis; }
    // DESIGN AT: the space of nominal turns, or of turns that reach the inductance at the low
    // end of the Al tolerance.
    QComboBox* designAtBox() const { return m_designAt; }
    // The design of a table row as the table is sorted now.
    std::size_t rowDesign(int row) const;

    void analyzeClick();
    void useClick();
    void printClick();

    ExplorerChartView view() const;
    // The listed designs in the table's order.
    std::vector<std::size_t> tableOrder() const;
    // The objectives checked.
    std::vector<Objective> checkedObjectives() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();
    void buildTable();
    void layOut();
    void loadEntries();
    // The record the space is swept for: the accepted one with the entries as typed; none, with
    // the field's message in the status line, when an entry is refused.
    std::optional<DesignRecord> exploredRecord(Messages& messages) const;
    void entryEdited();
    void objectivesChanged();
    void axisChanged();
    void fillTable();
    void tableSelectionChanged();
    void showSummary();
    bool checkFiguresWanted() const;

    Desktop& m_desktop;
    ExplorerChartWidget* m_chart = nullptr;
    QTableView* m_table = nullptr;
    ExplorerTableModel* m_model = nullptr;
    QSplitter* m_splitter = nullptr;
    QComboBox* m_xAxis = nullptr;
    QComboBox* m_yAxis = nullptr;
    QComboBox* m_designAt = nullptr;
    std::array<QCheckBox*, kObjectiveCount> m_objectiveBoxes{};
    std::array<QLineEdit*, kWhatIfEntries> m_entries{};
    QLabel* m_status = nullptr;
    QPushButton* m_analyze = nullptr;
    QPushButton* m_use = nullptr;
    QPushButton* m_print = nullptr;
    DesignSpace m_space;
    std::optional<DesignRecord> m_explored;  // the record the space was swept for
    std::optional<std::size_t> m_selected;
    QString m_emptyText;  // what an empty chart says
    bool m_stale = true;
    bool m_filling = false;
    bool m_columnsSized = false;
};

}  // namespace korvell
