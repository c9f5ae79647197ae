// The wire-table window (TWireTableForm, "WIRE TABLES"): every size of the current wire gage
// standard with its dimensions, resistance and weight in the display units (listWireTable,
// wireTableCells), shown anew on every opening and activation, since the standard and the units
// change in the parameters window.
#pragma once

#include <QWidget>

#include "ui/FormEvents.h"

class QLabel;
class QTableWidget;

namespace korvell {

class Desktop;

class WireTableWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit WireTableWindow(Desktop& desktop);

    void formActivate() override;

    // The table of the record's gage standard in its display units.
    void fillTable();

    QLabel* title() const { return m_title; }
    QTableWidget* grid() const { return m_grid; }

  private:
    Desktop& m_desktop;
    QLabel* m_title = nullptr;
    QTableWidget* m_grid = nullptr;
};

}  // namespace korvell
