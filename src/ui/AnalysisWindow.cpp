#include "ui/AnalysisWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "export/MasDocument.h"
#include "export/SpiceModel.h"
#include "graphs/GraphRequest.h"
#include "platform/Format.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"
#include "report/DesignReport.h"
#include "ui/Desktop.h"
#include "ui/EntryKeys.h"
#include "ui/FileCommands.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr const char* kCaption = "Analysis";
constexpr const char* kPdfName = "korvell-analysis.pdf";
constexpr const char* kExportCaption = "EXPORT SPICE MODEL";
constexpr const char* kExportMasCaption = "EXPORT MAS";
// Characters a field holds (read back with at most this many).
constexpr int kFieldLength = 13;

// The buttons along the top edge, left to right, with what each runs; the row shares the
// window's width among however many there are.
struct Button {
    const char* name;
    const char* caption;
    void (*click)(AnalysisWindow&);
};
constexpr std::array<Button, 9> kButtons = {{
    {"PRINT", "PRINT", [](AnalysisWindow& w) { w.printClick(); }},
    {"Electrical", "ELECTRICAL", [](AnalysisWindow& w) { w.electricalClick(); }},
    {"Mechanical", "MECHANICAL", [](AnalysisWindow& w) { w.mechanicalClick(); }},
    {"Check", "CHECK", [](AnalysisWindow& w) { w.checkClick(); }},
    {"Perm_vs_Idc", "DC PERM", [](AnalysisWindow& w) { w.designGraphClick(kPercentPermVsDcBias); }},
    {"Perm_vs_AC_Flux", "AC PERM ",
     [](AnalysisWindow& w) { w.designGraphClick(kPercentPermVsAcFlux); }},
    {"L_vs_I", "INDUCTANCE", [](AnalysisWindow& w) { w.designGraphClick(kInductanceVsCurrent); }},
    {"Loss", "LOSS ", [](AnalysisWindow& w) { w.lossClick(); }},
    {"Temp_Rise", "T RISE", [](AnalysisWindow& w) { w.tRiseClick(); }},
}};

// Caption labels of fields 0..8 with the design's texts; rows 4..6 and the frequency units take
// the application's captions on activation.
struct CaptionLabel {
    const char* name;
    const char* text;
};
constexpr std::array<CaptionLabel, 9> kCaptionLabels = {{
    {"Label0", "CORE PART NUMBER"},
    {"Label20", "NUMBER IN STACK"},
    {"Label2", "WIRE GAGE /  STRANDS"},
    {"Label3", "NUMBER OF TURNS"},
    {"Label4", "DC BIAS CURRENT"},
    {"Label5", "PEAK INDUCTOR VOLTAGE"},
    {"Label6", "DC OUTPUT VOLTAGE"},
    {"Label7", "FREQUENCY"},
    {"Label8", "AMBIENT TEMPERATURE"},
}};
// Unit labels of fields 4..8.
constexpr std::array<CaptionLabel, 5> kUnitLabels = {{
    {"Label14", "AMPERES"},
    {"Label15", "VOLTS"},
    {"Label16", "VOLTS"},
    {"Label17", "k HERTZ"},
    {"Label18", "DEGREES C"},
}};

// The fields of the left panel, top to bottom; the stack count and the strands stand in the unit
// panel beside the part number and the wire.
constexpr std::array<int, 8> kPanelRows = {kPartNumberField, kWireField,     kTurnsField,
                                           kCurrentField,    kVoltage1Field, kVoltage2Field,
                                           kFrequencyField,  kAmbientField};
// Enter and the arrows walk the fields as they are read: left to right, then down.
constexpr std::array<int, kAnalysisFieldCount> kWalkingOrder = {
    kPartNumberField, kStackField,    kWireField,     kStrandsField,   kTurnsField,
    kCurrentField,    kVoltage1Field, kVoltage2Field, kFrequencyField, kAmbientField};

// Characters a numeric field may hold while typing; a stray one goes with the next key.
std::string typingChars(int field) {
    return field == kAmbientField ? "-.0123456789" : ".0123456789";
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

AnalysisWindow::AnalysisWindow(Desktop& desktop) : m_desktop(desktop), m_clock(localNow) {
    setObjectName("TAnalysis");
    setWindowTitle(kCaption);
    setSilverBackground(*this);

    const QSize screen = m_desktop.screenSize();
    const AnalysisWindowPlacement place = analysisWindowPlacement(screen.width(), screen.height());
    m_fontPoints = place.fontPoints;
    m_fontHeight = pixelsForPoints(m_fontPoints, logicalDpiY());
    setFont(designFont("Arial", m_fontHeight, true));

    buildControls();

    EntryKeys::Rules rules;
    for (const int k : kWalkingOrder) {
        EntryKeys::Field entry{m_fields[k], typingChars(k)};
        if (k == kPartNumberField)
            entry.ownKeys = [this](const QKeyEvent& key) { partNumberKeys(key); };
        // The wire takes its gage name as typed; OK checks it.
        if (k == kWireField) entry.typingChars.clear();
        rules.fields.push_back(std::move(entry));
    }
    rules.firstKeyReplaces = true;
    rules.ok = [this] { m_ok->click(); };
    m_keys = new EntryKeys(this, std::move(rules));

    const Rect& w = place.window;
    resize(w.width, w.height);
    placeControls(place.fieldPanelLeft, place.unitPanelLeft);
    // Never so short that the last row of a page of results goes below the window.
    const int needed = std::max(controlsExtent(*this).height(), analysisPageHeight(m_fontHeight));
    m_desktop.placeWindow(*this, w, QSize(0, needed));
    placeControls(place.fieldPanelLeft, place.unitPanelLeft);
}

void AnalysisWindow::buildControls() {
    const QFont buttonFont = designFont("Arial", m_fontHeight * 3 / 4, true);
    for (const Button& b : kButtons) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setFont(buttonFont);
        connect(button, &QPushButton::clicked, this, [this, click = b.click] { click(*this); });
        m_buttons.push_back(button);
    }

    m_header = new QLabel(this);
    m_header->setObjectName("Header");
    // Its text stands level with the date the page writes at the right.
    m_header->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (int k = 0; k < kAnalysisFieldCount; ++k) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Param_%1").arg(k));
        edit->setMaxLength(kFieldLength);
        const bool text = k == kPartNumberField || k == kWireField;
        edit->setAlignment(text ? Qt::AlignLeft | Qt::AlignVCenter
                                : Qt::AlignRight | Qt::AlignVCenter);
        m_fields[k] = edit;
    }
    for (std::size_t k = 0; k < kCaptionLabels.size(); ++k) {
        auto* label = new QLabel(kCaptionLabels[k].text, this);
        label->setObjectName(kCaptionLabels[k].name);
        label->setBuddy(m_fields[k]);
        m_captions[k] = label;
    }
    for (std::size_t j = 0; j < kUnitLabels.size(); ++j) {
        auto* label = new QLabel(kUnitLabels[j].text, this);
        label->setObjectName(kUnitLabels[j].name);
        m_units[kCurrentField + j] = label;
    }
    for (const auto& [index, name] : {std::pair{0, "Label11a"}, std::pair{1, "Label2a"}}) {
        auto* times = new QLabel("X", this);
        times->setObjectName(name);
        times->setAlignment(Qt::AlignCenter);
        m_times[static_cast<std::size_t>(index)] = times;
    }

    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("Button_OK");
    connect(m_ok, &QPushButton::clicked, this, [this] { buttonOkClick(); });
    m_export = new QPushButton(kExportCaption, this);
    m_export->setObjectName("Export_Spice");
    m_export->setEnabled(false);
    connect(m_export, &QPushButton::clicked, this, [this] { exportSpiceClick(); });
    m_exportMas = new QPushButton(kExportMasCaption, this);
    m_exportMas->setObjectName("Export_Mas");
    m_exportMas->setEnabled(false);
    connect(m_exportMas, &QPushButton::clicked, this, [this] { exportMasClick(); });
    m_report = new QPushButton("REPORT", this);
    m_report->setObjectName("Report");
    connect(m_report, &QPushButton::clicked, this, [this] { reportClick(); });
    // The YIELD page, and its graph: the inductance spread of its parts. They stand left of OK,
    // above the page, where the top row has no room left on a small screen.
    m_yieldButton = new QPushButton("YIELD", this);
    m_yieldButton->setObjectName("Button_Yield");
    connect(m_yieldButton, &QPushButton::clicked, this, [this] { yieldClick(); });
    m_spread = new QPushButton("L SPREAD", this);
    m_spread->setObjectName("Button_Spread");
    m_spread->hide();
    connect(m_spread, &QPushButton::clicked, this, [this] { designGraphClick(kInductanceSpread); });

    // Tab order: the fields as Enter walks them, OK, then the buttons of the top row.
    QWidget* previous = nullptr;
    const auto chain = [this, &previous](QWidget* next) {
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    };
    for (const int k : kWalkingOrder)
        chain(m_fields[k]);
    chain(m_ok);
    chain(m_export);
    chain(m_exportMas);
    chain(m_report);
    chain(m_yieldButton);
    chain(m_spread);
    for (QPushButton* button : m_buttons)
        chain(button);
}

// The top row of buttons, the header level with the page's date, the caption column at the left,
// the field panel and the unit panel; every row a little taller than the font.
void AnalysisWindow::placeControls(int fieldLeft, int unitLeft) {
    const int h = m_fontHeight;
    const int w = width();
    const int margin = w / 36;
    const int buttonWidth = (w - margin) / static_cast<int>(m_buttons.size());
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setGeometry(margin / 2 + static_cast<int>(i) * buttonWidth, 1,
                                  buttonWidth - 2, std::min(h + 6, 24));
    }
    // The page writes its date at the right end of the header's line.
    constexpr int kHeaderTop = 26;
    const int rowHeight = scaled(1.45, h);
    m_header->setGeometry(margin, kHeaderTop, w - 2 * margin, rowHeight);

    const int firstRow = kHeaderTop + scaled(1.6, h) + 2;
    const int pitch = scaled(1.8, h);
    const int fieldWidth = std::max(unitLeft - fieldLeft - margin / 2, h);
    const int countWidth = 3 * h;
    for (std::size_t r = 0; r < kPanelRows.size(); ++r) {
        const int k = kPanelRows[r];
        const int top = firstRow + static_cast<int>(r) * pitch;
        m_captions[k]->setGeometry(margin, top, fieldLeft - margin - 4, rowHeight);
        m_fields[k]->setGeometry(fieldLeft, top, fieldWidth, rowHeight);
        if (m_units[k] != nullptr) {
            m_units[k]->setGeometry(unitLeft, top, w - unitLeft - margin, rowHeight);
        }
    }
    // Beside the part number: X, the stack count, its caption; beside the wire: X, the strands.
    for (const auto& [row, count, times] :
         {std::tuple{0, kStackField, 0}, std::tuple{1, kStrandsField, 1}}) {
        const int top = firstRow + row * pitch;
        m_times[static_cast<std::size_t>(times)]->setGeometry(unitLeft, top, h, rowHeight);
        m_fields[count]->setGeometry(unitLeft + h + 2, top, countWidth, rowHeight);
    }
    const int captionLeft = unitLeft + h + countWidth + 10;
    m_captions[kStackField]->setGeometry(captionLeft, firstRow,
                                         std::max(w - captionLeft - margin, h), rowHeight);
    const int okTop = firstRow + static_cast<int>(kPanelRows.size()) * pitch;
    m_ok->setGeometry(fieldLeft, okTop, fieldWidth, rowHeight);
    // Beside OK, as wide as its caption needs.
    m_export->setGeometry(unitLeft, okTop, m_export->sizeHint().width(), rowHeight);
    m_exportMas->setGeometry(m_export->geometry().right() + 1 + h / 2, okTop,
                             m_exportMas->sizeHint().width(), rowHeight);
    // Below the captions, left of OK: the YIELD page, the design report, and the yield's graph
    // (shown on the YIELD page).
    const int gap = margin / 2;
    m_yieldButton->setGeometry(margin, okTop, m_yieldButton->sizeHint().width(), rowHeight);
    m_report->setGeometry(m_yieldButton->geometry().right() + gap, okTop,
                          m_report->sizeHint().width(), rowHeight);
    m_spread->setGeometry(m_report->geometry().right() + gap, okTop, m_spread->sizeHint().width(),
                          rowHeight);
}

void AnalysisWindow::applyCaptions() {
    const int a = m_desktop.record().applicationType;
    m_header->setText(toQ(analysisHeader(a)));
    const AnalysisCaptions captions = analysisCaptions(a);
    const auto caption = [](QLabel* label, std::string_view text) {
        if (!text.empty()) label->setText(toQ(text));
    };
    caption(m_captions[kCurrentField], captions.current);
    caption(m_units[kCurrentField], captions.currentUnits);
    caption(m_captions[kVoltage1Field], captions.voltage1);
    caption(m_captions[kVoltage2Field], captions.voltage2);
    caption(m_units[kFrequencyField], captions.frequencyUnits);
    for (const int k : {kVoltage1Field, kVoltage2Field}) {
        const bool shown = analysisFieldShown(a, k);
        m_captions[k]->setVisible(shown);
        m_fields[k]->setVisible(shown);
        m_units[k]->setVisible(shown);
    }
    for (int k = 0; k < static_cast<int>(m_captions.size()); ++k)
        m_fields[k]->setAccessibleName(m_captions[k]->text());
    m_fields[kStrandsField]->setAccessibleName("STRANDS");
}

void AnalysisWindow::showTexts() {
    for (int k = 0; k < kAnalysisFieldCount; ++k) {
        m_fields[k]->clear();
        m_fields[k]->setText(toQ(m_texts[k]));
    }
}

void AnalysisWindow::readFields() {
    for (int k = 0; k < kAnalysisFieldCount; ++k)
        m_texts[k] = m_fields[k]->text().left(kFieldLength).toStdString();
}

void AnalysisWindow::formActivate() {
    applyCaptions();
    showTexts();
    m_keys->raiseFirstKeyFlag();
    drawResults();
}

void AnalysisWindow::formDeactivate() {
    // What was typed and not yet analyzed comes back when the window is activated again.
    readFields();
}

void AnalysisWindow::loadInputs() {
    DesignRecord& record = m_desktop.record();
    // Opened again while open: the requirements go back first, so that they are what is kept.
    putRequirementsBack();
    m_snapshot = takeOperatingSnapshot(record);
    loadAnalysisInputs(record, m_texts);
    m_loadedTexts = m_texts;
    m_exact = exactOperatingPoint(record);
    m_partNumberError = false;
    showTexts();
}

void AnalysisWindow::loadDesign(const DesignResult& design) {
    loadAnalysisInputsOf(m_desktop.record(), design, m_texts);
    m_loadedTexts = m_texts;
    m_exact = exactOperatingPoint(m_desktop.record());
    showTexts();
}

void AnalysisWindow::loadCatalogPart(std::string_view partNumber) {
    takeCatalogPart(m_texts, partNumber);
    showTexts();
}

void AnalysisWindow::putRequirementsBack() {
    if (m_snapshot) restoreOperatingSnapshot(m_desktop.record(), *m_snapshot);
}

void AnalysisWindow::takeRequirements() {
    if (m_snapshot) m_snapshot = takeOperatingSnapshot(m_desktop.record());
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    putRequirementsBack();
    m_snapshot.reset();
    QWidget::closeEvent(event);
}

void AnalysisWindow::partNumberKeys(const QKeyEvent& key) {
    QLineEdit* edit = m_fields[kPartNumberField];
    if (EntryKeys::isTypingKey(key) || isEnter(key.key())) {
        const TypedPartNumber typed = checkTypedPartNumber(edit->text().toStdString());
        const QString upper = toQ(typed.text);
        if (edit->text() != upper) {
            const int caret = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(caret);
        }
        m_partNumberError = typed.error.has_value();
        if (typed.error) m_desktop.messages().show(*typed.error, "ERROR");
    }
    if (EntryKeys::isTypingKey(key)) m_keys->resetEnterCount();
    if (m_partNumberError) return;
    if (isEnter(key.key())) {
        // Enter in the part number counts as the first of two, so that a design loaded from
        // the results table is analyzed by Enter twice from where the window opens.
        m_fields[kStackField]->setFocus(Qt::OtherFocusReason);
        m_keys->countEnter();
    }
    if (key.key() == Qt::Key_Down) m_fields[kStrandsField]->setFocus(Qt::OtherFocusReason);
}

bool AnalysisWindow::buttonOkClick() {
    readFields();
    DesignRecord& record = m_desktop.record();
    EntryFault fault;
    FieldCaptionMessages messages(m_desktop.messages(), fault, [this](int field) {
        if (field == kStrandsField) return QString("WIRE STRANDS");
        return field >= 0 && field < static_cast<int>(m_captions.size()) ? m_captions[field]->text()
                                                                         : QString();
    });
    const bool accepted = acceptAnalysisInputs(record, messages, m_texts, &fault);
    // The wire is shown as the size found, once it was found.
    m_fields[kWireField]->setText(toQ(m_texts[kWireField]));
    m_export->setEnabled(false);
    m_exportMas->setEnabled(false);
    if (!accepted) {
        if (fault.field >= 0 && fault.field < kAnalysisFieldCount) {
            focusFieldAtFault(m_fields[fault.field]);
            m_keys->raiseFirstKeyFlag();  // the first key replaces the text at fault
        }
        return false;
    }
    // The fields show the loaded operating conditions rounded; unchanged, they are analyzed at
    // the values the search used.
    keepExactLoadedValues(record, m_exact, m_loadedTexts, m_texts);
    if (AnalyzeDesign(record, m_desktop.messages(), m_table, record.applicationType) <= 0) {
        return false;
    }
    m_export->setEnabled(true);
    m_exportMas->setEnabled(true);
    m_check = secondOpinion(record, record.applicationType);
    // The yield takes thousands of analyses: only for the page that shows it.
    m_yield.reset();
    if (m_displayMode == kYieldPage) m_yield = designYield(record, record.applicationType, {});
    drawResults();
    return true;
}

void AnalysisWindow::drawResults() {
    m_page.windowWidth = frameGeometry().width();
    m_page.fontHeight = m_fontHeight;
    m_page.display = m_displayMode;
    m_page.dateText = standardDateText(m_clock());
    m_spread->setVisible(m_displayMode == kYieldPage && m_yield.has_value());
    m_pageDrawn = true;
    update();
}

void AnalysisWindow::paintEvent(QPaintEvent*) {
    if (!m_pageDrawn) return;
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    AnalysisPageView view = m_page;
    view.windowWidth = frameGeometry().width();
    drawAnalysisPage(canvas, m_desktop.record(), m_table, view, m_check ? &*m_check : nullptr,
                     m_yield ? &*m_yield : nullptr);
}

void AnalysisWindow::electricalClick() {
    m_displayMode = kElectricalPage;
    buttonOkClick();
}

void AnalysisWindow::mechanicalClick() {
    m_displayMode = kMechanicalPage;
    buttonOkClick();
}

void AnalysisWindow::checkClick() {
    m_displayMode = kCheckPage;
    buttonOkClick();
}

void AnalysisWindow::yieldClick() {
    m_displayMode = kYieldPage;
    buttonOkClick();
}

void AnalysisWindow::lossClick() {
    buttonOkClick();
}

AnalysisPrintout AnalysisWindow::printout() const {
    AnalysisPrintout out;
    out.header = m_header->text().toStdString();
    out.dateText = standardDateText(m_clock());
    out.fontPoints = m_fontPoints;
    for (std::size_t r = 0; r < kPanelRows.size(); ++r) {
        const int k = kPanelRows[r];
        AnalysisEntryLine& line = out.entries[r];
        line.caption = m_captions[k]->text().toStdString();
        line.text = m_fields[k]->text().toStdString();
        if (m_units[k] != nullptr) line.units = m_units[k]->text().toStdString();
    }
    out.stackText = m_fields[kStackField]->text().toStdString();
    out.stackCaption = m_captions[kStackField]->text().toStdString();
    out.strandsText = m_fields[kStrandsField]->text().toStdString();
    return out;
}

void AnalysisWindow::printClick() {
    // Only an analysis that ran is printed: its entries and results belong together.
    if (!buttonOkClick()) return;
    const AnalysisPrintout out = printout();
    const DesignRecord& record = m_desktop.record();
    if (!m_yield) m_yield = designYield(record, record.applicationType, {});
    m_desktop.printPage(this, QPageLayout::Portrait, kPdfName, [&](Canvas& canvas) {
        drawAnalysisPrintout(canvas, record, m_table, out, m_check ? &*m_check : nullptr,
                             m_yield ? &*m_yield : nullptr);
    });
}

void AnalysisWindow::designGraphClick(int kind) {
    if (!buttonOkClick()) return;
    if (!requestAnalyzedDesignGraph(m_desktop.record(), kind)) return;
    m_desktop.closeGraphWindow();
    m_desktop.showGraphWindow();
}

bool AnalysisWindow::exportSpiceClick() {
    // The model is of what the fields say now, as PRINT prints it.
    if (!buttonOkClick()) return false;
    DesignRecord& record = m_desktop.record();
    const auto model =
        spiceModel(record, m_table, record.applicationType, false, m_desktop.messages());
    if (!model) return false;
    return m_desktop.files().exportSpiceModel(this, spiceFileName(*model),
                                              spiceModelText(*model, SpiceDialect::Ngspice));
}

bool AnalysisWindow::exportMasClick() {
    if (!buttonOkClick()) return false;
    const DesignRecord& record = m_desktop.record();
    return m_desktop.files().exportDesignFile(this, FileCommands::kMas, masFileName(record),
                                              masDocumentText(record, m_table));
}

bool AnalysisWindow::reportClick() {
    // The report is of what the fields say now, as PRINT prints it.
    if (!buttonOkClick()) return false;
    ReportOptions options;
    options.paper = reportPaper();
    options.dateText = standardDateText(m_clock());
    std::string error;
    const auto bytes = designReportPdf({m_desktop.record(), m_table, m_texts}, options, error);
    if (!bytes) {
        m_desktop.messages().show(error, FileCommands::kReport.caption);
        return false;
    }
    return m_desktop.files().exportDesignFile(this, FileCommands::kReport,
                                              reportFileName(m_desktop.record()), *bytes);
}

void AnalysisWindow::tRiseClick() {
    if (!buttonOkClick()) return;
    m_desktop.agingGraph(requestAnalyzedAgingGraph(m_desktop.record()));
}

}  // namespace korvell
