#include "ui/ParametersWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "ui/Desktop.h"
#include "ui/EntryKeys.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr int kRowTop = 56;
constexpr int kRowPitch = 30;
constexpr int kLabelLeft = 16;
constexpr int kLabelWidth = 300;
constexpr int kFieldLeft = 320;
constexpr int kFieldWidth = 110;
constexpr int kFieldHeight = 24;
constexpr int kUnitsLeft = 442;
constexpr int kUnitsWidth = 160;
// The application name is centred across the window; its label is stretched to the window's
// width, from this width at creation.
constexpr int kDesignWidth = 600;

}  // namespace

ParametersWindow::ParametersWindow(Desktop& desktop) : m_desktop(desktop) {
    setObjectName("TParamsForm");
    setWindowTitle("DESIGN_PARAMETERS");
    setSilverBackground(*this);
    setFont(designFont("MS Sans Serif", 13, true));

    m_application = new ClickLabel(this);
    m_application->setObjectName("LabelApplication");
    m_application->setToolTip("Click Here to Change the Application.");
    m_application->setAlignment(Qt::AlignCenter);
    QFont applicationFont = designFont("MS Sans Serif", 16, true);
    applicationFont.setUnderline(true);
    m_application->setFont(applicationFont);
    setTextColor(*m_application, Qt::red);
    m_application->setGeometry(0, 14, kDesignWidth, 24);
    connect(m_application, &ClickLabel::clicked, this, [this] { labelApplicationClick(); });

    const QFont fieldFont = designFont("MS Sans Serif", 15, true);
    const auto makeField = [&](const QString& name, int top) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(11);
        edit->setAlignment(Qt::AlignRight);
        edit->setFont(fieldFont);
        edit->setGeometry(kFieldLeft, top, kFieldWidth, kFieldHeight);
        return edit;
    };
    for (int k = 0; k < kDesignParameterFieldCount; ++k) {
        const int top = kRowTop + k * kRowPitch;
        const DesignParameterRowCaptions& captions = kDesignParameterRowCaptions[k];
        auto* label = new QLabel(toQ(captions.label), this);
        label->setObjectName(QString("ParamLabel%1").arg(k));
        label->setGeometry(kLabelLeft, top, kLabelWidth, kFieldHeight);
        m_labels[k] = label;
        auto* units = new QLabel(toQ(captions.units), this);
        units->setObjectName(QString("ParamUnits%1").arg(k));
        units->setGeometry(kUnitsLeft, top, kUnitsWidth, kFieldHeight);
        m_units[k] = units;
        m_fields[k] = makeField(QString("Param%1").arg(k), top);
        m_fields[k]->setAccessibleName(toQ(captions.label));
        label->setBuddy(m_fields[k]);
    }
    // Row 1 has two labels: the copper area of the AWG and SWG standards on the row, the current
    // density of the metric standard just under it; both stay shown.
    m_density = makeField("Param1A", kRowTop + kRowPitch);
    m_density->setAccessibleName(toQ(kCurrentDensityRowCaptions.label));
    m_labels[1]->setText(toQ(kDesignParameterRowCaptions[1].label) + " /\n" +
                         toQ(kCurrentDensityRowCaptions.label));
    m_units[1]->setText(toQ(kDesignParameterRowCaptions[1].units) + " /\n" +
                        toQ(kCurrentDensityRowCaptions.units));
    m_labels[1]->setGeometry(kLabelLeft, kRowTop + kRowPitch - 4, kLabelWidth, kFieldHeight + 8);
    m_units[1]->setGeometry(kUnitsLeft, kRowTop + kRowPitch - 4, kUnitsWidth, kFieldHeight + 8);

    const int listTop = kRowTop + kDesignParameterFieldCount * kRowPitch + 10;
    auto* unitsLabel = new QLabel("MEASUREMENT UNITS", this);
    unitsLabel->setObjectName("Label9");
    unitsLabel->setGeometry(kLabelLeft, listTop, 220, kFieldHeight);
    m_unitsBox = new QComboBox(this);
    m_unitsBox->setObjectName("UnitsBox");
    m_unitsBox->setAccessibleName("MEASUREMENT UNITS");
    m_unitsBox->setGeometry(kLabelLeft, listTop + 24, 220, 26);
    auto* gageLabel = new QLabel("WIRE GAGE STANDARD", this);
    gageLabel->setObjectName("Label19");
    gageLabel->setGeometry(kFieldLeft, listTop, 240, kFieldHeight);
    m_gageBox = new QComboBox(this);
    m_gageBox->setObjectName("WireGageBox");
    m_gageBox->setAccessibleName("WIRE GAGE STANDARD");
    m_gageBox->setGeometry(kFieldLeft, listTop + 24, 240, 26);
    connect(m_gageBox, &QComboBox::activated, this,
            [this](int index) { wireGageBoxChange(index); });

    // The design choices: how the rise is judged, and the Al tolerance the turns are solved at.
    const int choicesTop = listTop + 60;
    const auto makeLabel = [this](const char* name, const char* text, int left, int top, int w) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setGeometry(left, top, w, kFieldHeight);
        return label;
    };
    makeLabel("LabelRiseLimitBy", "RISE LIMIT BY", kLabelLeft, choicesTop, 160);
    m_riseBox = new QComboBox(this);
    m_riseBox->setObjectName("RiseLimitBox");
    m_riseBox->setAccessibleName("RISE LIMIT BY");
    m_riseBox->setToolTip("PROGRAM: THE PROGRAM'S RULE; CHECK: THE SECOND OPINION'S RISE");
    m_riseBox->setGeometry(kLabelLeft, choicesTop + 24, 160, 26);
    QLabel* toleranceLabel = makeLabel("LabelAlTolerance", "AL TOLERANCE", 196, choicesTop, 130);
    m_tolerance = makeField("Param9", choicesTop + 24);
    m_tolerance->setGeometry(196, choicesTop + 24, 90, kFieldHeight);
    m_tolerance->setAccessibleName("AL TOLERANCE");
    toleranceLabel->setBuddy(m_tolerance);
    makeLabel("LabelAlToleranceUnits", "PCT", 292, choicesTop + 24, 40);
    makeLabel("LabelDesignAt", "DESIGN AT", 350, choicesTop, 200);
    m_designAtBox = new QComboBox(this);
    m_designAtBox->setObjectName("DesignAtBox");
    m_designAtBox->setAccessibleName("DESIGN AT");
    m_designAtBox->setToolTip("WORST CASE: TURNS THAT REACH THE INDUCTANCE AT THE LOW END OF AL");
    m_designAtBox->setGeometry(350, choicesTop + 24, 200, 26);

    const int buttonsTop = choicesTop + 62;
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("Button_OK");
    m_ok->setToolTip("PRESS TO STORE CHANGES AND CONTINUE");
    m_ok->setGeometry(180, buttonsTop, 120, 30);
    connect(m_ok, &QPushButton::clicked, this, [this] { buttonOkClick(); });
    m_cancel = new QPushButton("CANCEL", this);
    m_cancel->setObjectName("ButtonCancel");
    m_cancel->setGeometry(360, buttonsTop, 120, 30);
    connect(m_cancel, &QPushButton::clicked, this, [this] { buttonCancelClick(); });

    // Tab order: Param0, Param1A, Param2 .. Param8, the two lists, OK, then Param1; after them
    // CANCEL and the application name, so that the keyboard reaches every control.
    std::vector<QWidget*> order = {m_fields[0], m_density};
    for (int k = 2; k < kDesignParameterFieldCount; ++k)
        order.push_back(m_fields[k]);
    order.insert(order.end(), {m_unitsBox, m_gageBox, m_riseBox, m_tolerance, m_designAtBox, m_ok,
                               m_fields[1], m_cancel, m_application});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Enter and the arrows walk the fields in creation order, the hidden form of row 1 left out.
    EntryKeys::Rules rules;
    rules.fields.push_back({m_fields[0], " .0123456789"});
    rules.fields.push_back({m_fields[1], " .0123456789"});
    rules.fields.push_back({m_density, " .0123456789"});
    for (int k = 2; k < kDesignParameterFieldCount; ++k)
        rules.fields.push_back({m_fields[k], k == 8 ? " -.0123456789" : " .0123456789"});
    rules.fields.push_back({m_tolerance, " .0123456789"});
    // The first-key flag rises here as in the requirements window, but empties nothing.
    rules.firstKeyReplaces = false;
    rules.ok = [this] { m_ok->click(); };
    m_keys = new EntryKeys(this, std::move(rules));

    const QSize screen = m_desktop.screenSize();
    const Rect place = parametersWindowPlacement(screen.width(), screen.height());
    m_desktop.placeWindow(*this, place, controlsExtent(*this));
}

void ParametersWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_application->setGeometry(0, m_application->y(), width(), m_application->height());
}

void ParametersWindow::formActivate() {
    loadFields();
    // A keyboard user can type at once: the focus goes to the first field the first time.
    if (focusWidget() == nullptr) m_fields[0]->setFocus(Qt::OtherFocusReason);
}

void ParametersWindow::loadFields() {
    const DesignRecord& record = m_desktop.record();
    const int a = record.applicationType;
    m_application->setText(a >= 0 && a < kApplicationCount ? toQ(kApplicationNames[a]) : QString());
    m_texts = designParameterFieldTexts(record);
    for (int k = 0; k < kDesignParameterFieldCount; ++k) {
        m_fields[k]->setText(toQ(m_texts[k]));
        m_fields[k]->setCursorPosition(static_cast<int>(m_fields[k]->text().size()));
    }
    m_density->setText(toQ(m_texts[1]));
    m_density->setCursorPosition(static_cast<int>(m_density->text().size()));

    m_unitsBox->clear();
    for (const DisplayUnits& units : kDisplayUnits)
        m_unitsBox->addItem(toQ(units.choice));
    m_unitsBox->setCurrentIndex(record.unitSystem);
    m_gageBox->clear();
    for (const WireGageStandard& standard : kWireGageStandards)
        m_gageBox->addItem(toQ(standard.choice));
    m_gageBox->setCurrentIndex(record.wireGageSystem);

    const DesignChoiceEntry choices = designChoiceEntry(record);
    m_riseBox->clear();
    for (const std::string_view choice : kRiseLimitByChoices)
        m_riseBox->addItem(toQ(choice));
    m_riseBox->setCurrentIndex(choices.riseLimitBy);
    m_designAtBox->clear();
    for (const std::string_view choice : kDesignAtChoices)
        m_designAtBox->addItem(toQ(choice));
    m_designAtBox->setCurrentIndex(choices.designAt);
    m_toleranceText = choices.alTolerance;
    m_tolerance->setText(toQ(m_toleranceText));
    m_tolerance->setCursorPosition(static_cast<int>(m_tolerance->text().size()));

    const bool metric = record.wireGageSystem == kMetricWire;
    m_fields[1]->setVisible(!metric);
    m_density->setVisible(metric);
    m_keys->raiseFirstKeyFlag();
}

void ParametersWindow::labelApplicationClick() {
    DesignRecord& record = m_desktop.record();
    record.applicationType =
        static_cast<std::int8_t>((record.applicationType + 1) % kApplicationCount);
    loadFields();
}

void ParametersWindow::wireGageBoxChange(int index) {
    DesignRecord& record = m_desktop.record();
    const int old = record.wireGageSystem;
    record.wireGageSystem = static_cast<std::int8_t>(index);
    const bool toMetric = index == kMetricWire;
    QLineEdit* from = toMetric ? m_fields[1] : m_density;
    QLineEdit* to = toMetric ? m_density : m_fields[1];
    const auto text = row1TextAfterGageChange(old, index, from->text().toStdString());
    if (!text) return;
    to->setText(toQ(*text));
    to->show();
    from->hide();
}

void ParametersWindow::buttonOkClick() {
    DesignRecord& record = m_desktop.record();
    DesignParameterTexts texts;
    for (int k = 0; k < kDesignParameterFieldCount; ++k)
        texts[k] = m_fields[k]->text().toStdString();
    if (record.wireGageSystem == kMetricWire) texts[1] = m_density->text().toStdString();
    m_texts = texts;
    DesignChoiceEntry entry;
    entry.riseLimitBy = m_riseBox->currentIndex();
    entry.alTolerance = m_tolerance->text().toStdString();
    entry.designAt = m_designAtBox->currentIndex();
    m_toleranceText = entry.alTolerance;
    EntryFault fault;
    FieldCaptionMessages messages(m_desktop.messages(), fault, [this](int field) {
        if (field == kAlToleranceField) return QString("AL TOLERANCE");
        return field >= 0 && field < kDesignParameterFieldCount ? m_labels[field]->text()
                                                                : QString();
    });
    // The choices are checked before the parameters store anything, and stored after them.
    const std::optional<DesignChoices> choices = checkDesignChoices(messages, entry, &fault);
    if (!choices) {
        if (fault.field == kAlToleranceField) focusFieldAtFault(m_tolerance);
        m_keys->raiseFirstKeyFlag();
        return;
    }
    if (!acceptDesignParameters(record, messages, texts, m_unitsBox->currentIndex(),
                                m_gageBox->currentIndex(), &fault)) {
        if (fault.field == 1 && record.wireGageSystem == kMetricWire) {
            focusFieldAtFault(m_density);
        } else if (fault.field >= 0 && fault.field < kDesignParameterFieldCount) {
            focusFieldAtFault(m_fields[fault.field]);
        }
        m_keys->raiseFirstKeyFlag();  // the first key replaces the text at fault
        return;
    }
    storeDesignChoices(record, *choices);
    setEnabled(false);
    hide();
    m_desktop.recordChanged();
    m_desktop.returnFromWindow(*this);
}

void ParametersWindow::buttonCancelClick() {
    for (int k = 0; k < kDesignParameterFieldCount; ++k)
        m_fields[k]->setText(toQ(m_texts[k]));
    m_tolerance->setText(toQ(m_toleranceText));
}

}  // namespace korvell
