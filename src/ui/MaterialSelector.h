// The material selector (TMaterialSelector): a small modeless window with a check box and a
// description for each of the fourteen iron-powder materials the design search may use. The
// check marks become the design record's selection when OK is pressed or when the window loses
// the focus to another window of the program.
#pragma once

#include <QWidget>
#include <array>

#include "record/DesignRecord.h"
#include "ui/FormEvents.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace korvell {

class Desktop;

class MaterialSelector : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit MaterialSelector(Desktop& desktop);

    // Checks the box of every material the selection holds; a box is never cleared here, so it
    // keeps a check the selection no longer holds.
    void formActivate() override;
    // Writes the selection from the check marks.
    void formDeactivate() override;
    // A record put in whole (a design file, NEW): the boxes show exactly its list.
    void showSelection();

    void selectAllClick();
    void invertClick();
    void okClick();

    QCheckBox* checkBox(int k) const { return m_boxes[static_cast<std::size_t>(k)]; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void writeSelection();
    // The rows at the design's pitch, closer where the window is shorter, the buttons below.
    void layOutRows();

    Desktop& m_desktop;
    std::array<QCheckBox*, kSelectableMaterialCount> m_boxes{};
    std::array<QLabel*, kSelectableMaterialCount> m_labels{};
    std::array<QPushButton*, 3> m_buttons{};  // INVERT SELECTION, SELECT ALL, OK
};

}  // namespace korvell
