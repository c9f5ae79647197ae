#include "ui/MaterialSelector.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "materials/Materials.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "ui/Desktop.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr const char* kCaption =
    "Korvell Materials for Power Conversion and Line Filter Applications";
constexpr const char* kHint = "Select any or all From the List";

// The labels top to bottom, in the order of the selectable materials; each shows the material
// table's description.
constexpr std::array<const char*, kSelectableMaterialCount> kLabelNames = {
    "Label_11", "Label_13", "Label_16", "Label_17", "Label_21", "Label_23", "Label_25",
    "Label_27", "Label_29", "Label_31", "Label_32", "Label_36", "Label37",  "Label39",
};

// The form's design, 588 × 676: fourteen rows, the buttons below them. On a screen too short for
// it the rows close up, down to two lines of description each.
constexpr int kTop = 10;
constexpr int kRowPitch = 43;
constexpr int kLeastRowPitch = 34;
constexpr int kButtonGap = 8;
constexpr int kBottomMargin = 10;
constexpr int kBoxLeft = 14;
constexpr int kBoxWidth = 64;
constexpr int kLabelLeft = 84;
constexpr int kLabelWidth = 490;
constexpr int kButtonWidth = 170;
constexpr int kButtonHeight = 32;

}  // namespace

MaterialSelector::MaterialSelector(Desktop& desktop) : m_desktop(desktop) {
    setObjectName("TMaterialSelector");
    setWindowTitle(kCaption);
    setToolTip(kHint);
    setSilverBackground(*this);
    setFont(designFont("MS Sans Serif", 13));

    const QFont boxFont = designFont("MS Sans Serif", 14, true);
    for (int k = 0; k < kSelectableMaterialCount; ++k) {
        const auto code = kSelectableMaterials[static_cast<std::size_t>(k)];
        auto* box = new QCheckBox(toQ(code), this);
        // CheckBox_11 for -11: the code without its dash.
        box->setObjectName("CheckBox_" + toQ(code.substr(1)));
        box->setFont(boxFont);
        const MaterialFacts* facts = findMaterial(code);
        const std::string_view description = facts ? facts->description : std::string_view();
        auto* label = new QLabel(toQ(description), this);
        label->setObjectName(kLabelNames[static_cast<std::size_t>(k)]);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        box->setAccessibleDescription(label->text());
        m_boxes[k] = box;
        m_labels[k] = label;
    }
    // -23 carries its description as its own hint.
    m_boxes[5]->setToolTip(m_labels[5]->text());

    const auto makeButton = [this](const char* name, const char* caption, int slot) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        m_buttons[static_cast<std::size_t>(slot)] = button;
        return button;
    };
    QPushButton* invert = makeButton("INVERT", "INVERT SELECTION", 0);
    invert->setToolTip("PRESS TO DE-SELECT ALL SELECTED MATERIALS");
    QPushButton* selectAll = makeButton("SELECT_ALL", "SELECT ALL", 1);
    QPushButton* ok = makeButton("Button1", "OK", 2);
    connect(invert, &QPushButton::clicked, this, [this] { invertClick(); });
    connect(selectAll, &QPushButton::clicked, this, [this] { selectAllClick(); });
    connect(ok, &QPushButton::clicked, this, [this] { okClick(); });

    // Tab order: the rows, then the three buttons.
    QWidget* previous = m_boxes[0];
    for (std::size_t k = 1; k < m_boxes.size(); ++k) {
        setTabOrder(previous, m_boxes[k]);
        previous = m_boxes[k];
    }
    for (QWidget* next : {static_cast<QWidget*>(invert), static_cast<QWidget*>(selectAll),
                          static_cast<QWidget*>(ok)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    const QSize screen = m_desktop.screenSize();
    const Rect place = materialSelectorPlacement(screen.width(), screen.height());
    const int leastHeight = kTop + kSelectableMaterialCount * kLeastRowPitch + kButtonGap +
                            kButtonHeight + kBottomMargin;
    m_desktop.placeWindow(*this, place,
                          QSize(kLabelLeft + kLabelWidth + kBottomMargin, leastHeight));
    layOutRows();
    setEnabled(false);
}

void MaterialSelector::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutRows();
}

void MaterialSelector::layOutRows() {
    const int room = height() - kTop - kButtonGap - kButtonHeight - kBottomMargin;
    const int pitch = std::clamp(room / kSelectableMaterialCount, kLeastRowPitch, kRowPitch);
    for (int k = 0; k < kSelectableMaterialCount; ++k) {
        const int top = kTop + k * pitch;
        m_boxes[k]->setGeometry(kBoxLeft, top, kBoxWidth, pitch - 2);
        m_labels[k]->setGeometry(kLabelLeft, top, kLabelWidth, pitch - 2);
    }
    const int buttonsTop = kTop + kSelectableMaterialCount * pitch + kButtonGap;
    for (std::size_t slot = 0; slot < m_buttons.size(); ++slot) {
        m_buttons[slot]->setGeometry(30 + static_cast<int>(slot) * (kButtonWidth + 9), buttonsTop,
                                     kButtonWidth, kButtonHeight);
    }
}

void MaterialSelector::formActivate() {
    const DesignRecord& record = m_desktop.record();
    for (int k = 0; k < kSelectableMaterialCount; ++k) {
        if (materialSlotSelected(record, k)) m_boxes[k]->setChecked(true);
    }
}

void MaterialSelector::showSelection() {
    const DesignRecord& record = m_desktop.record();
    for (int k = 0; k < kSelectableMaterialCount; ++k)
        m_boxes[k]->setChecked(materialSlotSelected(record, k));
}

void MaterialSelector::formDeactivate() {
    writeSelection();
}

void MaterialSelector::writeSelection() {
    std::array<bool, kSelectableMaterialCount> checked{};
    for (std::size_t k = 0; k < checked.size(); ++k)
        checked[k] = m_boxes[k]->isChecked();
    const auto before = m_desktop.record().selectedMaterials;
    writeMaterialSelection(m_desktop.record(), checked);
    if (m_desktop.record().selectedMaterials != before) m_desktop.recordChanged();
}

void MaterialSelector::selectAllClick() {
    for (QCheckBox* box : m_boxes)
        box->setChecked(true);
}

void MaterialSelector::invertClick() {
    for (QCheckBox* box : m_boxes)
        box->setChecked(!box->isChecked());
}

void MaterialSelector::okClick() {
    writeSelection();
    setEnabled(false);
    hide();
    m_desktop.returnFromWindow(*this);
}

}  // namespace korvell
