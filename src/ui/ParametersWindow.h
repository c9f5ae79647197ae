// The design parameters window (TParamsForm): the nine design parameters of the current
// application, the measurement units and the wire gage standard, and the design choices (RISE
// LIMIT BY, AL TOLERANCE, DESIGN AT). OK checks and stores them
// through the core (ParametersEntry) and hides the window; it starts no search.
#pragma once

#include <QWidget>
#include <array>

#include "engine/ParametersEntry.h"
#include "ui/FormEvents.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvell {

class Desktop;
class EntryKeys;
class ClickLabel;

class ParametersWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit ParametersWindow(Desktop& desktop);

    void formActivate() override;

    void labelApplicationClick();
    void wireGageBoxChange(int index);
    void buttonOkClick();
    void buttonCancelClick();

    // Param0 .. Param8 (row 1 as Param1, the copper area); Param1A is the metric form of row 1.
    QLineEdit* field(int k) const { return m_fields[static_cast<std::size_t>(k)]; }
    QLineEdit* currentDensityField() const { return m_density; }
    // AL TOLERANCE (Param9) and the two choice lists (RiseLimitBox, DesignAtBox).
    QLineEdit* toleranceField() const { return m_tolerance; }
    QComboBox* riseLimitBox() const { return m_riseBox; }
    QComboBox* designAtBox() const { return m_designAtBox; }
    EntryKeys& keys() const { return *m_keys; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void loadFields();

    Desktop& m_desktop;
    std::array<QLineEdit*, kDesignParameterFieldCount> m_fields{};
    QLineEdit* m_density = nullptr;
    std::array<QLabel*, kDesignParameterFieldCount> m_labels{};
    std::array<QLabel*, kDesignParameterFieldCount> m_units{};
    ClickLabel* m_application = nullptr;
    QComboBox* m_unitsBox = nullptr;
    QComboBox* m_gageBox = nullptr;
    QComboBox* m_riseBox = nullptr;
    QLineEdit* m_tolerance = nullptr;
    QComboBox* m_designAtBox = nullptr;
    std::string m_toleranceText;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    EntryKeys* m_keys = nullptr;
    DesignParameterTexts m_texts;
};

}  // namespace korvell
