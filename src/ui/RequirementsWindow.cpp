#include "ui/RequirementsWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/DesignSearch.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "ui/Desktop.h"
#include "ui/EntryKeys.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr const char* kHeading = "DESIGN REQUIREMENTS";

// Hints of the row labels, rows 0..10.
constexpr std::array<const char*, kRequirementFieldCount> kRowHints = {
    "INDUCTANCE AT MAXIMUM CURRENT INDICATED BELOW",
    "MAXIMUM ALLOWABLE RESISTANCE AT DC.  ENTER 0.0 IF NOT APPLICABLE",
    "MAXIMUM PEAK OPERATING CURRENT",
    "INDUCTANCE AT MINIMUM CURRENT INDICATED BELOW",
    "MINIMUM AVERAGE OPERATING CURRENT FOR SWINGING INDUCTOR",
    "SWITCH MODE INDUCTOR \"ON\" VOLTAGE",
    "SWITCH MODE INDUCTOR \"OFF\" VOLTAGE",
    "SWITCHMODE OPERATING FREQUENCY",
    "AMBIENT TEMPERATURE USED IN CALCULATING WIRE RESISTANCE",
    "NUMBER OF CORES IN STACK.  MINIMUM = 1",
    " NUMBER OF PARALLEL CONNECTED MAGNET WIRES TO USE",
};

// Characters a field may hold while typing (the OK accepts the same, blanks included).
std::string typingChars(int k) {
    if (k == 8) return " -.0123456789";
    return " .0123456789";
}

constexpr std::array<const char*, 3> kShapes = {"TOROID", "E-CORE", "COMPOSITE"};
constexpr std::array<const char*, 2> kWindings = {"FULL WINDOW", "SINGLE LAYER"};

// The form's design: 604 × 420, rows 24 pixels apart.
constexpr int kDesignWidth = 604;
constexpr int kRowTop = 64;
constexpr int kRowPitch = 24;
constexpr int kLabelLeft = 16;
constexpr int kLabelWidth = 236;
constexpr int kFieldLeft = 258;
constexpr int kFieldWidth = 104;
constexpr int kCountFieldWidth = 48;
constexpr int kFieldHeight = 21;
constexpr int kUnitsLeft = 372;
constexpr int kUnitsWidth = 220;
constexpr int kFontHeight = 13;

}  // namespace

RequirementsWindow::RequirementsWindow(Desktop& desktop) : m_desktop(desktop) {
    setObjectName("TReqtForm1");
    setWindowTitle("REQUIREMENTS");
    setSilverBackground(*this);
    setFont(designFont("MS Sans Serif", kFontHeight, true));

    auto* heading = new QLabel(kHeading, this);
    heading->setObjectName("HeadingLabel");
    heading->setFont(designFont("MS Sans Serif", 17, true));
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 6, kDesignWidth, 24);

    m_application = new ClickLabel(this);
    m_application->setObjectName("LabelApplication");
    m_application->setToolTip("Click Here to Change the Application.");
    m_application->setAlignment(Qt::AlignCenter);
    QFont applicationFont = designFont("MS Sans Serif", 15, true);
    applicationFont.setUnderline(true);
    m_application->setFont(applicationFont);
    setTextColor(*m_application, Qt::red);
    m_application->setGeometry(0, 32, kDesignWidth, 22);
    connect(m_application, &ClickLabel::clicked, this, [this] { labelApplicationClick(); });

    buildRows();
    buildControls();

    EntryKeys::Rules rules;
    for (int k = 0; k < kRequirementFieldCount; ++k)
        rules.fields.push_back({m_fields[k], typingChars(k)});
    rules.firstKeyReplaces = true;
    rules.ok = [this] { m_ok->click(); };
    rules.leaving = [this](QLineEdit* edit) {
        if (edit != m_fields[9] && edit != m_fields[10]) paramExit();
    };
    m_keys = new EntryKeys(this, std::move(rules));

    const QSize screen = m_desktop.screenSize();
    const Rect place = requirementsWindowPlacement(screen.width(), screen.height());
    m_desktop.placeWindow(*this, place, controlsExtent(*this));
}

void RequirementsWindow::buildRows() {
    for (int k = 0; k < kRequirementFieldCount; ++k) {
        const int top = kRowTop + k * kRowPitch;
        auto* label = new QLabel(this);
        label->setObjectName(k == 10 ? "Label19" : QString("Label%1").arg(k));
        label->setToolTip(kRowHints[k]);
        label->setGeometry(kLabelLeft, top, kLabelWidth, kFieldHeight);
        m_labels[k] = label;

        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Param%1").arg(k));
        edit->setMaxLength(12);
        const bool count = k >= 9;
        edit->setAlignment(count ? Qt::AlignCenter : Qt::AlignRight);
        const int width = count ? kCountFieldWidth : kFieldWidth;
        edit->setGeometry(kFieldLeft + (kFieldWidth - width) / 2 * (count ? 1 : 0), top, width,
                          kFieldHeight);
        label->setBuddy(edit);
        m_fields[k] = edit;

        if (k <= 8) {
            auto* units = new QLabel(this);
            units->setObjectName(QString("Label1%1").arg(k));
            units->setGeometry(kUnitsLeft, top, kUnitsWidth, kFieldHeight);
            m_units[k] = units;
        }
    }
}

void RequirementsWindow::buildControls() {
    const int top = kRowTop + kRequirementFieldCount * kRowPitch + 4;

    m_ripple = new QLabel(this);
    m_ripple->setObjectName("RippleLabel");
    m_ripple->setGeometry(kLabelLeft, top, 400, kFieldHeight);

    m_shapeLabel = new QLabel("CORE SHAPE", this);
    m_shapeLabel->setObjectName("ShapeLabel");
    m_shapeLabel->setGeometry(kLabelLeft, top + 28, 150, kFieldHeight);
    m_shapeBox = new QComboBox(this);
    m_shapeBox->setObjectName("ShapeBox");
    m_shapeBox->setAccessibleName("CORE SHAPE");
    m_shapeBox->setGeometry(kLabelLeft, top + 48, 150, 24);
    m_composite = new QLabel("COMPOSITE", this);
    m_composite->setObjectName("Label39");
    m_composite->setGeometry(kLabelLeft, top + 48, 150, 24);
    connect(m_shapeBox, &QComboBox::activated, this, [this](int index) {
        m_desktop.record().coreShape = static_cast<std::int8_t>(index % 3);
    });

    auto* windingLabel = new QLabel("WINDING TYPE:", this);
    windingLabel->setObjectName("WindingLabel");
    windingLabel->setGeometry(190, top + 28, 160, kFieldHeight);
    m_windingBox = new QComboBox(this);
    m_windingBox->setObjectName("WindgBox");
    m_windingBox->setAccessibleName("WINDING TYPE");
    m_windingBox->setGeometry(190, top + 48, 160, 24);
    connect(m_windingBox, &QComboBox::activated, this, [this](int index) {
        m_desktop.record().windingMode = static_cast<std::int8_t>(index % 2);
    });

    m_material = new QPushButton("CORE &MATERIAL", this);
    m_material->setObjectName("ButtonMaterial");
    m_material->setToolTip("PRESS TO CHANGE LIST OF CORE MATERIALS");
    m_material->setGeometry(390, top + 44, 190, 30);
    connect(m_material, &QPushButton::clicked, this, [this] { m_desktop.openMaterialSelector(); });

    m_ok = new QPushButton("&OK", this);
    m_ok->setObjectName("Button_OK");
    m_ok->setToolTip("PRESS TO BEGIN DESIGN PROCESS");
    m_ok->setGeometry(150, top + 84, 120, 30);
    connect(m_ok, &QPushButton::clicked, this, [this] { buttonOkClick(); });

    m_cancel = new QPushButton("&CANCEL", this);
    m_cancel->setObjectName("ButtonCancel");
    m_cancel->setGeometry(330, top + 84, 120, 30);
    connect(m_cancel, &QPushButton::clicked, this, [this] { buttonCancelClick(); });

    // Tab order: the fields top to bottom, the two lists, the buttons, the application name.
    QWidget* previous = m_fields[0];
    for (QWidget* next : std::initializer_list<QWidget*>{
             m_fields[1], m_fields[2], m_fields[3], m_fields[4], m_fields[5], m_fields[6],
             m_fields[7], m_fields[8], m_fields[9], m_fields[10], m_shapeBox, m_windingBox, m_ok,
             m_cancel, m_material, m_application}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

QString RequirementsWindow::applicationCaption() const {
    return m_application->text();
}

void RequirementsWindow::showTexts(const RequirementTexts& texts) {
    for (int k = 0; k < kRequirementFieldCount; ++k)
        m_fields[k]->setText(toQ(texts[k]));
}

RequirementTexts RequirementsWindow::fieldTexts() const {
    RequirementTexts texts;
    for (int k = 0; k < kRequirementFieldCount; ++k)
        texts[k] = m_fields[k]->text().toStdString();
    return texts;
}

void RequirementsWindow::applyCaptions() {
    const int a = m_desktop.record().applicationType;
    for (int k = 0; k < kRequirementFieldCount; ++k) {
        const RequirementRowCaptions captions = requirementRowCaptions(a, k);
        m_labels[k]->setText(toQ(captions.label));
        m_labels[k]->setVisible(captions.visible);
        m_fields[k]->setVisible(captions.visible);
        m_fields[k]->setAccessibleName(m_labels[k]->text());
        if (m_units[k]) {
            m_units[k]->setText(toQ(captions.units));
            m_units[k]->setVisible(captions.visible);
        }
    }
    const bool wideSwing = a == kWideSwing;
    m_material->setVisible(!wideSwing);
    m_shapeBox->setVisible(!wideSwing);
    m_composite->setVisible(wideSwing);
}

void RequirementsWindow::formActivate() {
    DesignRecord& record = m_desktop.record();
    m_texts = requirementFieldTexts(record);
    showTexts(m_texts);
    const int a = record.applicationType;
    m_application->setText(a >= 0 && a < kApplicationCount ? toQ(kApplicationNames[a]) : QString());
    applyApplicationSelections(record);
    applyCaptions();
    // The ripple line belongs to the application it was figured for.
    if (a != m_rippleApplication) m_ripple->clear();

    m_shapeBox->clear();
    for (const char* shape : kShapes)
        m_shapeBox->addItem(shape);
    m_shapeBox->setCurrentIndex(record.coreShape);
    m_windingBox->clear();
    for (const char* winding : kWindings)
        m_windingBox->addItem(winding);
    m_windingBox->setCurrentIndex(record.windingMode);
    m_keys->raiseFirstKeyFlag();

    // A keyboard user can type at once: the focus goes to the first shown field.
    const auto shown = m_keys->shownFields();
    if (!shown.empty() && !shown.front()->hasFocus()) shown.front()->setFocus(Qt::OtherFocusReason);
}

void RequirementsWindow::labelApplicationClick() {
    DesignRecord& record = m_desktop.record();
    record.applicationType =
        static_cast<std::int8_t>((record.applicationType + 1) % kApplicationCount);
    formActivate();
}

void RequirementsWindow::paramExit() {
    if (m_refusing) return;
    RequirementTexts texts = fieldTexts();
    const std::string ripple = leaveRequirementField(m_desktop.record(), texts);
    m_ripple->setText(toQ(ripple));
    m_rippleApplication = m_desktop.record().applicationType;
    m_fields[7]->setText(toQ(texts[7]));
}

void RequirementsWindow::buttonCancelClick() {
    showTexts(m_texts);
    m_keys->raiseFirstKeyFlag();
    paramExit();
}

void RequirementsWindow::buttonOkClick() {
    DesignRecord& record = m_desktop.record();
    const RequirementTexts texts = fieldTexts();
    EntryFault fault;
    FieldCaptionMessages messages(m_desktop.messages(), fault, [this](int field) {
        return field >= 0 && field < kRequirementFieldCount ? m_labels[field]->text() : QString();
    });
    if (!m_desktop.storeRequirements(
            [&] { return acceptRequirements(record, messages, texts, &fault); })) {
        // Leaving the field the keyboard was in figures nothing here: the refusal changes
        // nothing of the record.
        m_refusing = true;
        if (fault.field >= 0 && fault.field < kRequirementFieldCount) {
            focusFieldAtFault(m_fields[fault.field]);
            m_keys->raiseFirstKeyFlag();  // the first key replaces the text at fault
        }
        m_refusing = false;
        return;
    }
    m_texts = texts;
    run_design_search(record, m_desktop.messages());
    hide();
    m_desktop.showResultsAnew();
}

}  // namespace korvell
