// The catalog window (TCatalogForm, "KORVELL CATALOG"): every core of one shape with its catalog
// figures in the display units (listCatalog, catalogCells), narrowed to one material if asked,
// sorted by any column with a click on its heading. ANALYZE, a double click or Enter on a row
// opens the analysis window with the chosen core.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "materials/CatalogRows.h"
#include "ui/FormEvents.h"

class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace korvell {

class Desktop;

class CatalogWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit CatalogWindow(Desktop& desktop);

    // The display units may have changed in the parameters window: the figures are shown anew
    // when they did.
    void formActivate() override;

    // The cores of a shape (0 toroid, 1 E-core, 2 composite), every material.
    void showShape(int shape);
    void analyzeClick();

    // The part number of the chosen row; empty when no row is chosen.
    QString selectedPartNumber() const;
    // The rows shown, in their order on the screen.
    int rowCount() const;
    QString cellText(int row, int column) const;

  private:
    void fillTable();
    void chosenRowChanged();

    Desktop& m_desktop;
    int m_shape = -1;
    std::vector<CatalogRow> m_rows;  // every row of the shape
    std::string m_unitsShown;        // the display units the figures were shown in

    QComboBox* m_shapeBox = nullptr;
    QComboBox* m_materialBox = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_analyze = nullptr;
    QTableView* m_table = nullptr;
    QStandardItemModel* m_model = nullptr;
};

}  // namespace korvell
