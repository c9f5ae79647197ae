// The requirements window (TReqtForm1): the requirements of the current application, its core
// shape and winding type; OK (or Enter twice) checks them, runs the design search and shows the
// results. The captions, the checks and what OK stores are the core's (RequirementsEntry); this
// window only puts texts into fields and reads them back.
#pragma once

#include <QWidget>
#include <array>

#include "engine/RequirementsEntry.h"
#include "ui/FormEvents.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvell {

class Desktop;
class EntryKeys;
class ClickLabel;

class RequirementsWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit RequirementsWindow(Desktop& desktop);

    void formActivate() override;

    // Handlers, public so that tests and the main window can drive them.
    void labelApplicationClick();
    void buttonOkClick();
    void buttonCancelClick();

    QLineEdit* field(int k) const { return m_fields[static_cast<std::size_t>(k)]; }
    EntryKeys& keys() const { return *m_keys; }
    QString applicationCaption() const;
    // The texts last shown or accepted.
    const RequirementTexts& storedTexts() const { return m_texts; }

  private:
    void buildRows();
    void buildControls();
    void showTexts(const RequirementTexts& texts);
    RequirementTexts fieldTexts() const;
    void paramExit();
    void applyCaptions();

    Desktop& m_desktop;
    std::array<QLabel*, kRequirementFieldCount> m_labels{};
    std::array<QLabel*, kRequirementFieldCount> m_units{};  // rows 9 and 10 have none
    std::array<QLineEdit*, kRequirementFieldCount> m_fields{};
    ClickLabel* m_application = nullptr;
    QLabel* m_shapeLabel = nullptr;
    QComboBox* m_shapeBox = nullptr;
    QLabel* m_composite = nullptr;
    QComboBox* m_windingBox = nullptr;
    QLabel* m_ripple = nullptr;
    bool m_refusing = false;       // an OK's refusal is moving the keyboard to the field at fault
    int m_rippleApplication = -1;  // the application whose ripple the ripple line shows
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_material = nullptr;
    EntryKeys* m_keys = nullptr;
    RequirementTexts m_texts;
};

}  // namespace korvell
