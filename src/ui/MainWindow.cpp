#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>

#include "engine/DesignSearch.h"
#include "engine/ParametersEntry.h"
#include "engine/RequirementsEntry.h"
#include "graphs/GraphRequest.h"
#include "platform/qt/Fonts.h"
#include "record/ResultCells.h"
#include "ui/Desktop.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr const char* kCaption = "KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS";

// Design-time geometry, in pixels on a screen 1024 wide; scaled to the screen at creation.
constexpr int kWindowFontHeight = 14;
constexpr int kToolButtonHeight = 24;
constexpr int kToolButtonFont = 15;
constexpr int kFunctionFont = 15;

struct ToolButton {
    const char* name;
    const char* caption;
    const char* hint;
};
constexpr std::array<ToolButton, 6> kToolButtons = {{
    {"Button_Catalog", "", ""},
    {"Button_Analysis", "A&NALYSIS", ""},
    {"Button_Design", "&DESIGN", ""},
    {"Button_Material", "&MATERIAL", ""},
    // &DESIGN has D, DA&TA DISPLAY T: DATA TABLE takes the B.
    {"Button_DataTable", "DATA TA&BLE", ""},
    {"Button_Calculate", "&CALCULATE",
     "Recalculates using updated material or parameter selection"},
}};

// Title labels: name, text, face height, bold, italic, colour red, top, height.
struct TitleLabel {
    const char* name;
    const char* text;
    int fontHeight;
    bool bold;
    bool italic;
    bool red;
    int top;
    int height;
};
constexpr std::array<TitleLabel, 4> kTitleLabels = {{
    {"KorvName", "KORVELL", 80, false, false, true, 4, 92},
    {"TitleLabl", "DESIGN OF INDUCTORS FOR POWER FILTER APPLICATIONS", 27, true, false, false, 96,
     34},
    {"AUTHORLABEL", "Engineered by the Korvell Inductors applications team", 17, true, true, false,
     130, 22},
    {"DateLabel", "MARCH 20, 2004", 17, true, true, false, 152, 22},
}};

// Command buttons of the function group: column (0 automatic design, 1 existing designs,
// 2 references), slot from the top, slots it spans, hidden at start.
struct FunctionButton {
    const char* name;
    const char* caption;
    const char* hint;
    int column;
    int slot;
    int span;
    bool hidden;
};
constexpr std::array<FunctionButton, 13> kFunctionButtons = {{
    {"DCBiased", "DC BIASED", "Design of DC Biased Filter Inductors", 0, 0, 1, false},
    {"ControlledSwing", "CONTROLLED SWING", "Design of DC Biased Controlled Swing Filter Inductors",
     0, 1, 1, false},
    {"WideSwing", "WIDE SWING", "Design of DC Biased Wide Swing FIlter Inductors", 0, 2, 1, false},
    {"PFC_Boost", "PFC BOOST", "Design of Power Factor Correction Boost Converter Inductors", 0, 3,
     1, false},
    {"Pwrline_freq", "60 HZ", "Design of AC Powerline Frequency Inductors", 0, 4, 1, false},
    {"Resonant", "RESONANT", "Design of  Resonant Converter Inductors", 0, 5, 1, false},
    {"ANalysis", "ANALYSIS",
     "Analize An Existing Inductor Design.  Calculates inductance, flux densities, losses.", 1, 0,
     1, false},
    {"GettingStarted", "GETTING STARTED", "Press For A Guide To Using This Program", 1, 1, 2,
     false},
    {"CATALOG", "CATALOG", "View the Korvell Catalog", 2, 0, 1, true},
    {"MaterialsData", "MATERIALS DATA", "View the Magnetic Properties of Korvell Materials", 2, 0,
     1, false},
    {"MaterialSel", "MATERIAL SELECTION", "Select One or More Iron Powder Matrials", 2, 1, 1,
     false},
    {"WireTabl", "WIRE TABLES", "View the Wire Table", 2, 2, 1, false},
    {"Sales", "SALES OFFICES", "Listing of Sales Offices and Stocking Distributors", 2, 3, 1, true},
}};

struct ColumnHead {
    const char* name;
    const char* caption;
    const char* hint;
};
constexpr std::array<ColumnHead, 3> kColumnHeads = {{
    {"DesignLabl", "AUTOMATIC DESIGN FUNCTIONS",
     "Select From The List Below. Program Will Prompt for Your Requirements"},
    {"AnalLabl", "EXISTING DESIGNS", ""},
    {"RefLabl", "REFERENCES", "Choose From The List of References Below"},
}};

// Function group geometry on the design screen.
constexpr int kColumnWidth = 245;
constexpr int kButtonWidth = 205;
constexpr int kHeadTop = 22;
constexpr int kFirstButtonTop = 50;
constexpr int kButtonHeight = 32;
constexpr int kButtonPitch = 37;
// Room a group keeps below its lowest line or button, inside its frame.
constexpr int kGroupMargin = 4;

// The six material-property graphs, as menu items, pop-up items and graph kinds.
struct MaterialGraph {
    const char* menuName;
    const char* menuCaption;
    const char* popupName;
    const char* popupCaption;
};
constexpr std::array<MaterialGraph, 6> kMaterialGraphs = {{
    {"InitialPermvsDCBiasM", "Initial Perm vs DC Bias", "INITIALPERMvsDCBIAS1",
     "INITIAL PERM vs DC BIAS"},
    {"PercentInitialPermvsDCBias1", "Percent Initial Perm vs DC Bias",
     "PERCENTINITIALPERMvsDCBIAS2", "PERCENT INITIAL PERM vs DC BIAS"},
    {"PercentInitialPermvsACFluxDensity1", "Percent Initial Perm vs AC Flux Density",
     "PERCENTINITIALPERMvsACFLUXDENSITY2", "PERCENT INITIAL PERM vs AC FLUX DENSITY"},
    {"EffectivePermvsFrequencym", "Effective Perm vs Frequency", "EFFECTIVEPERMvsFREQUENCY1",
     "EFFECTIVE PERM vs FREQUENCY"},
    {"CoreLossm", "Core Loss @ 1 kHz", "CORELOSS1kHZ1", "CORE LOSS @ 1kHZ"},
    {"CoreLossm2", "Core Loss @ 100 kHz", "CORELOSS100kHZ1", "CORE LOSS @ 100 kHZ"},
}};

}  // namespace

MainWindow::MainWindow(Desktop& desktop) : m_desktop(desktop) {
    setObjectName("TMainForm");
    // "[*]" is where the caption shows that the design holds unsaved changes.
    setWindowTitle(QString(kCaption) + "[*]");
    setSilverBackground(*this);

    const QSize screen = m_desktop.screenSize();
    // The contents grow with the screen as far as both its width and its height allow.
    const int scaling = scalingWidth(screen.width(), screen.height());
    m_scaleNum = scaling > 0 ? scaling : kDesignScreenWidth;
    setFont(designFont("MS Sans Serif", s(kWindowFontHeight)));

    m_client = new QWidget(this);
    m_client->setObjectName("ClientArea");
    setCentralWidget(m_client);

    buildMenus();
    buildToolBar(m_client);

    m_buttonPanel = new QLabel("REQUIREMENTS DATA AREA", m_client);
    m_buttonPanel->setObjectName("ButtonPanl");
    m_buttonPanel->hide();

    buildTitleGroup(m_client);
    buildFunctionGroup(m_client);

    // The client area never gets so small that a group cuts its lines or buttons off: the
    // title lines need their text's width, the column heads and buttons their design places.
    int titleWidth = 0;
    for (const QLabel* label : m_titleLabels)
        titleWidth = std::max(titleWidth, label->sizeHint().width());
    const TitleLabel& lastLine = kTitleLabels.back();
    const QRect buttons = m_functionGroup->childrenRect();
    const int margin = s(kGroupMargin);
    const Size client = mainWindowMinimumClient(
        {titleWidth + 2 * margin, s(lastLine.top + lastLine.height) + margin},
        {buttons.right() + 1, buttons.bottom() + 1 + margin});
    m_client->setMinimumSize(client.width, client.height);
    m_desktop.placeWindow(*this, mainWindowPlacement(screen.width(), screen.height()));
}

int MainWindow::s(int designPixels) const {
    return mulDivRounded(designPixels, m_scaleNum, kDesignScreenWidth);
}

QAction* MainWindow::addCommand(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");

    QMenu* files = bar->addMenu("&FILES");
    files->setObjectName("FilesMenu");
    connect(addCommand(files, "NEW1", "NEW"), &QAction::triggered, this,
            [this] { m_desktop.files().newDesign(); });
    connect(addCommand(files, "OPEN1", "OPEN"), &QAction::triggered, this,
            [this] { m_desktop.files().openDesign(); });
    connect(addCommand(files, "CLOSEm", "CLOSE"), &QAction::triggered, this,
            [this] { m_desktop.files().closeDesign(); });
    connect(addCommand(files, "SAVEAS1", "SAVE AS"), &QAction::triggered, this,
            [this] { m_desktop.files().saveDesignAs(); });
    connect(addCommand(files, "DESIGNREPORTm", "DESIGN REPORT"), &QAction::triggered, this,
            [this] { m_desktop.files().designReport(); });
    connect(addCommand(files, "PRINTALL1", "PRINT ALL DESIGNS"), &QAction::triggered, this,
            [this] { m_desktop.resultsWindow().printAllClick(); });

    QMenu* references = bar->addMenu("&REFERENCES");
    references->setObjectName("ReferencesMenu");
    connect(addCommand(references, "KORVELLCATALOG1", "KORVELL CATALOG"), &QAction::triggered, this,
            [this] { m_desktop.openCatalog(); });
    connect(addCommand(references, "MATERIALSDATA1", "MATERIALS DATA"), &QAction::triggered, this,
            [this] { materialsDataPopup(QPoint(180, 80)); });
    connect(addCommand(references, "WIRETABLESm", "WIRE TABLES"), &QAction::triggered, this,
            [this] { m_desktop.openWireTables(); });
    addCommand(references, "SALESOFFICES1", "SALES OFFICES");

    QMenu* designs = bar->addMenu("&AUTOMATIC DESIGNS");
    designs->setObjectName("AutomaticDesignsMenu");
    const std::array<std::pair<const char*, const char*>, 6> designItems = {{
        {"DCBiasedM", "DC BIASED"},
        {"CONTROLLEDSWINGm", "CONTROLLED SWING"},
        {"WIDESWINGm", "WIDE SWING"},
        {"PFCBOOST1", "PFC BOOST"},
        {"N60HZ1", "60 HZ"},
        {"RESONANT2", "RESONANT"},
    }};
    for (int a = 0; a < kApplicationCount; ++a) {
        connect(addCommand(designs, designItems[a].first, designItems[a].second),
                &QAction::triggered, this, [this, a] { applicationCommand(a); });
    }

    // &REFERENCES has R: CORES takes the E.
    QMenu* cores = bar->addMenu("COR&ES");
    cores->setObjectName("CoresMenu");
    const std::array<std::pair<const char*, const char*>, 3> shapeItems = {{
        {"TOROIDm", "TOROID"},
        {"ECOREm", "E-CORE"},
        {"COMPOSITEm", "COMPOSITE"},
    }};
    for (int shape = 0; shape < 3; ++shape) {
        QAction* action = addCommand(cores, shapeItems[shape].first, shapeItems[shape].second);
        action->setCheckable(true);
        action->setChecked(shape == kToroid);
        connect(action, &QAction::triggered, this, [this, shape] { shapeCommand(shape); });
        m_shapeActions[shape] = action;
    }
    cores->addSeparator();
    connect(addCommand(cores, "MATERIALSm", "&MATERIAL SELECTION"), &QAction::triggered, this,
            [this] { m_desktop.openMaterialSelector(); });
    QMenu* properties = cores->addMenu("MATERIALS PROPERTIES");
    properties->setObjectName("MATERIALSPROPERTIESm");
    properties->menuAction()->setObjectName("MATERIALSPROPERTIESmItem");

    m_popup = new QMenu(this);
    m_popup->setObjectName("PopupMenu1");
    for (int i = 0; i < 6; ++i) {
        const int kind = i + 1;
        connect(addCommand(properties, kMaterialGraphs[i].menuName, kMaterialGraphs[i].menuCaption),
                &QAction::triggered, this, [this, kind] { materialGraphCommand(kind); });
        connect(addCommand(m_popup, kMaterialGraphs[i].popupName, kMaterialGraphs[i].popupCaption),
                &QAction::triggered, this, [this, kind] { materialGraphCommand(kind); });
    }

    QMenu* display = bar->addMenu("DA&TA DISPLAY");
    display->setObjectName("DataDisplayMenu");
    connect(addCommand(display, "ELECTRICALm", "ELECTRICAL"), &QAction::triggered, this,
            [this] { dataTableCommand(kElectricalDisplay, true); });
    connect(addCommand(display, "DIMENSIONALm", "DIMENSIONAL"), &QAction::triggered, this,
            [this] { dataTableCommand(kDimensionsDisplay, false); });
    connect(addCommand(display, "PERMvsDCBIAS1", "% PERM vs DC BIAS"), &QAction::triggered, this,
            [this] { designGraphCommand(kPercentPermVsDcBias); });
    connect(addCommand(display, "PERMvsACFLUX1", "% PERM vs AC FLUX"), &QAction::triggered, this,
            [this] { designGraphCommand(kPercentPermVsAcFlux); });
    connect(addCommand(display, "INDUCTANCEvsCURRENTm", "INDUCTANCE vs CURRENT"),
            &QAction::triggered, this, [this] { designGraphCommand(kInductanceVsCurrent); });
    connect(addCommand(display, "LOSSvsAGEm", "LOSS vs AGE"), &QAction::triggered, this,
            [this] { agingGraphCommand(kLossVsAge); });
    connect(addCommand(display, "TEMPERATUREvsAGE1", "TEMPERATURE vs AGE"), &QAction::triggered,
            this, [this] { agingGraphCommand(kTemperatureVsAge); });
    display->addSeparator();
    QAction* explorer = addCommand(display, "DESIGNEXPLORERm", "DESIGN EXPLORER");
    explorer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    explorer->setShortcutContext(Qt::ApplicationShortcut);
    connect(explorer, &QAction::triggered, this, [this] { m_desktop.openExplorer(); });

    QAction* params = bar->addAction("&PARAMS");
    params->setObjectName("PARAMETERS1");
    connect(params, &QAction::triggered, this, [this] { m_desktop.openParameters(); });
    QAction* options = bar->addAction("&OPTIONS ");
    options->setObjectName("OptionMenu");
    QAction* help = bar->addAction("&HELP");
    help->setObjectName("HelpMenu");
    connect(help, &QAction::triggered, this, [this] { m_desktop.showHelpTopics(); });
}

void MainWindow::buildToolBar(QWidget* client) {
    m_bevel = new QFrame(client);
    m_bevel->setObjectName("Bevel1");
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);

    m_toolbarPanel = new QWidget(client);
    m_toolbarPanel->setObjectName("Toolbar");

    m_toolBar = new QWidget(client);
    m_toolBar->setObjectName("ToolBar1");
    const QFont font = designFont("MS Sans Serif", s(kToolButtonFont), true);
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(kToolButtons[i].caption, m_toolBar);
        button->setObjectName(kToolButtons[i].name);
        button->setFont(font);
        button->setToolTip(kToolButtons[i].hint);
        m_toolButtons[i] = button;
    }
    m_toolButtons[0]->setAccessibleName("CATALOG");
    connect(m_toolButtons[1], &QPushButton::clicked, this, [this] { m_desktop.openAnalysis(); });
    connect(m_toolButtons[2], &QPushButton::clicked, this, [this] {
        m_desktop.sendMainWindowBack();
        m_desktop.openRequirements();
    });
    connect(m_toolButtons[3], &QPushButton::clicked, this, [this] {
        m_desktop.sendMainWindowBack();
        m_desktop.openMaterialSelector();
    });
    connect(m_toolButtons[4], &QPushButton::clicked, this,
            [this] { dataTableCommand(kElectricalDisplay, true); });
    connect(m_toolButtons[5], &QPushButton::clicked, this, [this] { calculateClick(); });
}

void MainWindow::buildTitleGroup(QWidget* client) {
    m_titleGroup = new QGroupBox(client);
    m_titleGroup->setObjectName("TitleGroup");
    for (int i = 0; i < 4; ++i) {
        const TitleLabel& t = kTitleLabels[i];
        auto* label = new QLabel(t.text, m_titleGroup);
        label->setObjectName(t.name);
        label->setFont(designFont("Arial", s(t.fontHeight), t.bold, t.italic));
        label->setAlignment(Qt::AlignCenter);
        if (t.red) setTextColor(*label, Qt::red);
        m_titleLabels[i] = label;
    }
}

void MainWindow::buildFunctionGroup(QWidget* client) {
    m_functionGroup = new QGroupBox(client);
    m_functionGroup->setObjectName("FunctionGroup");
    m_functionGroup->setFont(designFont("Arial", s(kFunctionFont), true));
    for (int c = 0; c < 3; ++c) {
        auto* head = new QLabel(kColumnHeads[c].caption, m_functionGroup);
        head->setObjectName(kColumnHeads[c].name);
        head->setToolTip(kColumnHeads[c].hint);
        head->setAlignment(Qt::AlignCenter);
        head->setGeometry(s(c * kColumnWidth), s(kHeadTop), s(kColumnWidth), s(kButtonHeight - 8));
    }
    for (const FunctionButton& b : kFunctionButtons) {
        auto* button = new QPushButton(b.caption, m_functionGroup);
        button->setObjectName(b.name);
        button->setToolTip(b.hint);
        const int left = b.column * kColumnWidth + (kColumnWidth - kButtonWidth) / 2;
        const int top = kFirstButtonTop + b.slot * kButtonPitch;
        const int height = kButtonHeight + (b.span - 1) * kButtonPitch;
        button->setGeometry(s(left), s(top), s(kButtonWidth), s(height));
        if (b.hidden) button->hide();
    }
    const auto button = [this](const char* name) {
        return m_functionGroup->findChild<QPushButton*>(name);
    };
    for (int a = 0; a < kApplicationCount; ++a) {
        QPushButton* b = button(kFunctionButtons[a].name);
        if (a == kResonant) {
            connect(b, &QPushButton::clicked, this, [this] { resonantButtonClick(); });
        } else {
            connect(b, &QPushButton::clicked, this, [this, a] { applicationCommand(a); });
        }
    }
    connect(button("ANalysis"), &QPushButton::clicked, this, [this] { m_desktop.openAnalysis(); });
    connect(button("GettingStarted"), &QPushButton::clicked, this,
            [this] { m_desktop.showGettingStarted(); });
    connect(button("CATALOG"), &QPushButton::clicked, this, [this] { m_desktop.showCover(); });
    connect(button("MaterialsData"), &QPushButton::clicked, this,
            [this] { materialsDataPopup(QPoint(480, 480)); });
    connect(button("MaterialSel"), &QPushButton::clicked, this, [this] {
        m_desktop.sendMainWindowBack();
        m_desktop.openMaterialSelector();
    });
    connect(button("WireTabl"), &QPushButton::clicked, this, [this] {
        m_desktop.sendMainWindowBack();
        m_desktop.openWireTables();
    });
    connect(button("Sales"), &QPushButton::clicked, this, [button] {
        button("Sales")->setEnabled(true);
        button("Sales")->show();
    });
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyLayout();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Unsaved work is saved or given up first; CANCEL keeps the program open.
    if (!m_desktop.files().settleChanges()) {
        event->ignore();
        return;
    }
    m_desktop.closeOtherWindows();
    QMainWindow::closeEvent(event);
}

void MainWindow::applyLayout() {
    const int cw = m_client->width();
    const int ch = m_client->height();
    const MainWindowLayout layout = mainWindowLayout(frameGeometry().width(), cw, ch);

    m_bevel->setGeometry(0, 0, cw, 2);
    m_toolbarPanel->setGeometry(0, 2, cw, 4);
    const int buttonHeight = s(kToolButtonHeight);
    m_toolBar->setGeometry(0, 6, cw, buttonHeight);
    for (int i = 0; i < 6; ++i) {
        m_toolButtons[i]->setGeometry(i * layout.toolButtonWidth, 0, layout.toolButtonWidth,
                                      buttonHeight);
    }
    m_buttonPanel->resize(layout.buttonPanelWidth, m_buttonPanel->height());

    const auto place = [](QWidget* w, const Rect& r) {
        w->setGeometry(r.left, r.top, r.width, r.height);
    };
    place(m_titleGroup, layout.titleGroup);
    place(m_functionGroup, layout.functionGroup);
    // The title lines stay centred across the group.
    for (int i = 0; i < 4; ++i) {
        m_titleLabels[i]->setGeometry(0, s(kTitleLabels[i].top), layout.titleGroup.width,
                                      s(kTitleLabels[i].height));
    }
}

void MainWindow::applicationCommand(int application) {
    m_desktop.record().applicationType = static_cast<std::int8_t>(application);
    m_desktop.openRequirements();
}

void MainWindow::resonantButtonClick() {
    m_desktop.record().applicationType = kResonant;
    m_desktop.record().windingMode = kSingleLayer;
    m_desktop.openRequirements();
}

void MainWindow::markShape(int shape) {
    for (int i = 0; i < 3; ++i)
        m_shapeActions[i]->setChecked(i == shape);
}

void MainWindow::shapeCommand(int shape) {
    markShape(shape);
    m_desktop.record().coreShape = static_cast<std::int8_t>(shape);
    m_desktop.openRequirements();
}

void MainWindow::materialGraphCommand(int kind) {
    m_desktop.closeGraphWindow();
    requestMaterialGraph(m_desktop.record(), kind);
    m_desktop.showGraphWindow();
}

void MainWindow::designGraphCommand(int kind) {
    DesignRecord& record = m_desktop.record();
    if (highlightedDesign(record).turns < 1) return;
    m_desktop.closeGraphWindow();
    requestDesignGraph(record, kind);
    m_desktop.showGraphWindow();
}

void MainWindow::agingGraphCommand(int kind) {
    m_desktop.agingGraph(requestAgingGraphFromMenu(m_desktop.record(), kind));
}

void MainWindow::dataTableCommand(int displayMode, bool sendBack) {
    if (sendBack) m_desktop.sendMainWindowBack();
    m_desktop.record().displayMode = static_cast<std::int8_t>(displayMode);
    ResultsWindow& results = m_desktop.resultsWindow();
    results.setEnabled(true);
    results.repaint();
    m_desktop.open(results);
}

void MainWindow::calculateClick() {
    DesignRecord& record = m_desktop.record();
    if (!requirementsComplete(record)) {
        m_desktop.sendMainWindowBack();
        m_desktop.openRequirements();
        return;
    }
    record.designCount = 0;
    loadActiveDesignParameters(record);
    run_design_search(record, m_desktop.messages());
    m_desktop.sendMainWindowBack();
    m_desktop.requirementsWindow().hide();
    ResultsWindow& results = m_desktop.resultsWindow();
    results.repaint();
    // A new search starts at its first design.
    results.scrollBar()->setValue(0);
    m_desktop.open(results);
    m_desktop.recordChanged();
}

void MainWindow::materialsDataPopup(QPoint at) {
    m_popup->popup(at);
}

}  // namespace korvell
