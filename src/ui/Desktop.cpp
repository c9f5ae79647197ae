#include "ui/Desktop.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QWindow>

#include "engine/DesignSearch.h"
#include "engine/ParametersEntry.h"
#include "platform/qt/QtMessages.h"
#include "ui/AnalysisWindow.h"
#include "ui/CatalogWindow.h"
#include "ui/CoverWindow.h"
#include "ui/ExplorerWindow.h"
#include "ui/GraphWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/MaterialSelector.h"
#include "ui/ParametersWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/WireTableWindow.h"

namespace korvell {

Desktop::Desktop(const DesktopOptions& options) : m_screenSize(options.screenSize) {
    if (options.messages != nullptr) {
        m_messages = options.messages;
    } else {
        m_ownMessages = std::make_unique<QtMessages>();
        m_messages = m_ownMessages.get();
    }
    if (options.printer != nullptr) {
        m_printer = options.printer;
    } else {
        m_ownPrinter = std::make_unique<SystemPagePrinter>();
        m_printer = m_ownPrinter.get();
    }
    if (m_screenSize.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        m_screenSize = screen != nullptr ? screen->size() : QSize(1024, 768);
        m_availableArea = screen != nullptr ? screen->availableGeometry() : QRect();
    }
    if (options.availableArea.isValid()) m_availableArea = options.availableArea;
    if (!m_availableArea.isValid()) m_availableArea = QRect(QPoint(0, 0), m_screenSize);

    m_files = std::make_unique<FileCommands>(
        *this, options.fileDialogs ? *options.fileDialogs : standardFileDialogs());

    // The windows in their start-up order: the main window first, the cover last.
    m_main = std::make_unique<MainWindow>(*this);
    m_materialSelector = std::make_unique<MaterialSelector>(*this);
    registerForm(m_materialSelector.get(), m_materialSelector.get());
    m_requirements = std::make_unique<RequirementsWindow>(*this);
    registerForm(m_requirements.get(), m_requirements.get());
    m_results = std::make_unique<ResultsWindow>(*this);
    registerForm(m_results.get(), m_results.get());
    m_parameters = std::make_unique<ParametersWindow>(*this);
    registerForm(m_parameters.get(), m_parameters.get());
    m_graph = std::make_unique<GraphWindow>(*this);
    registerForm(m_graph.get(), m_graph.get());
    m_analysis = std::make_unique<AnalysisWindow>(*this);
    registerForm(m_analysis.get(), m_analysis.get());
    m_help = std::make_unique<HelpWindow>(*this);
    registerForm(m_help.get(), nullptr);
    m_cover = std::make_unique<CoverWindow>(*this);
    registerForm(m_cover.get(), nullptr);
    // The reference windows came after the start-up order was fixed: they are created last.
    m_catalog = std::make_unique<CatalogWindow>(*this);
    registerForm(m_catalog.get(), m_catalog.get());
    m_wireTable = std::make_unique<WireTableWindow>(*this);
    registerForm(m_wireTable.get(), m_wireTable.get());
    m_explorer = std::make_unique<ExplorerWindow>(*this);
    registerForm(m_explorer.get(), m_explorer.get());
    registerForm(m_main.get(), nullptr);
    for (QWidget* window : windows())
        addWindowKeys(*window);

    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* window) { focusWindowChanged(window); });
}

Desktop::~Desktop() {
    disconnect(qApp, nullptr, this, nullptr);
    for (const Form& form : m_forms)
        form.widget->removeEventFilter(this);
    m_forms.clear();
    // The windows go in the reverse of their creation order, the main window last, while the
    // desktop that filters their events is still whole.
    m_explorer.reset();
    m_wireTable.reset();
    m_catalog.reset();
    m_cover.reset();
    m_help.reset();
    m_analysis.reset();
    m_graph.reset();
    m_parameters.reset();
    m_results.reset();
    m_requirements.reset();
    m_materialSelector.reset();
    m_main.reset();
}

std::vector<QWidget*> Desktop::windows() const {
    return {m_main.get(),         m_materialSelector.get(),
            m_requirements.get(), m_results.get(),
            m_parameters.get(),   m_graph.get(),
            m_analysis.get(),     m_help.get(),
            m_cover.get(),        m_catalog.get(),
            m_wireTable.get(),    m_explorer.get()};
}

void Desktop::placeWindow(QWidget& window, const Rect& placement, QSize minimum) const {
    minimum = minimum.expandedTo(window.minimumSizeHint()).expandedTo(QSize(0, 0));
    const QRect& a = m_availableArea;
    const Rect fitted = fitOnScreen(placement, minimum.width(), minimum.height(),
                                    {a.x(), a.y(), a.width(), a.height()});
    window.setMinimumSize(minimum.boundedTo(QSize(fitted.width, fitted.height)));
    window.setGeometry(fitted.left, fitted.top, fitted.width, fitted.height);
}

void Desktop::start() {
    m_main->show();
    showCover();
}

void Desktop::addWindowKeys(QWidget& window) {
    // A click never gives a button the keyboard focus (Tab does): the next Enter goes on to
    // where the user works, never to a PRINT clicked before.
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        button->installEventFilter(this);
        button->setFocusPolicy(Qt::TabFocus);
    }
    if (&window == m_main.get() || &window == static_cast<QWidget*>(m_cover.get())) return;
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    connect(escape, &QShortcut::activated, this, [this, &window] {
        window.close();
        returnFromWindow(window);
    });
}

void Desktop::returnFromWindow(QWidget& closed) {
    QWidget* back = m_previousForm.data();
    if (back == nullptr || back == &closed || !back->isVisible()) back = m_main.get();
    if (back->isVisible()) back->activateWindow();
}

void Desktop::registerForm(QWidget* widget, FormEvents* events) {
    m_forms.push_back({widget, events});
    widget->installEventFilter(this);
}

bool Desktop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (button != nullptr && plain &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (button->isEnabled() && !key->isAutoRepeat()) button->click();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
    // A window that is hidden stops being the active one, so showing it again activates it.
    if (event->type() == QEvent::Hide && watched == m_activeForm.data()) {
        for (const Form& form : m_forms) {
            if (form.widget == watched && form.events != nullptr) form.events->formDeactivate();
        }
        m_activeForm = nullptr;
    }
    return QObject::eventFilter(watched, event);
}

void Desktop::focusWindowChanged(QWindow* window) {
    if (window == nullptr) return;
    for (const Form& form : m_forms) {
        if (form.widget->windowHandle() == window) {
            activate(*form.widget);
            return;
        }
    }
    // A message box, a file dialog or a menu: the active window of the program stays.
}

void Desktop::activate(QWidget& widget) {
    if (m_activeForm.data() == &widget) return;
    QWidget* previous = m_activeForm.data();
    m_activeForm = &widget;
    if (previous != nullptr) m_previousForm = previous;
    for (const Form& form : m_forms) {
        if (form.widget == previous && form.events != nullptr) form.events->formDeactivate();
    }
    for (const Form& form : m_forms) {
        if (form.widget == &widget && form.events != nullptr) form.events->formActivate();
    }
}

void Desktop::closeOtherWindows() {
    for (const Form& form : m_forms) {
        if (form.widget != m_main.get()) form.widget->hide();
    }
}

void Desktop::recordReplaced() {
    m_analysis->forgetRequirements();
    m_materialSelector->showSelection();
    m_main->markShape(m_record.coreShape);
    m_results->scrollBar()->setValue(0);
    recordChanged();
}

void Desktop::openExplorer() {
    open(*m_explorer);
    m_explorer->formActivate();
}

void Desktop::recordChanged() {
    if (m_explorer) m_explorer->recordChanged();
    // An accepted change since the last NEW, OPEN or SAVE (which clear the mark after it).
    if (m_files) m_files->setDesignModified(true);
}

void Desktop::openAnalysisOfDesign(const DesignResult& design) {
    sendMainWindowBack();
    closeGraphWindow();
    m_analysis->loadInputs();
    m_analysis->loadDesign(design);
    m_analysis->field(0)->setFocus(Qt::OtherFocusReason);
    open(*m_analysis);
    // A design picked from all the designs is one the search found, so it is analyzed at once.
    m_analysis->buttonOkClick();
}

void Desktop::useDesignCombination(std::int8_t shape, int stack, int strands, std::int8_t winding,
                                   const DesignResult& design) {
    DesignRecord& r = m_record;
    r.coreShape = shape;
    r.stackedCores = stack;
    r.wireStrands = strands;
    r.windingMode = winding;
    m_main->markShape(shape);
    r.designCount = 0;
    r.selectedDesign = 0;
    loadActiveDesignParameters(r);
    run_design_search(r, *m_messages);
    int row = 0;
    for (int i = 0; i < std::min(r.designCount, kMaxDesigns); ++i) {
        if (r.designResults[i] == design) {
            row = i;
            break;
        }
    }
    m_requirements->hide();
    showResultsAnew();
    m_results->scrollBar()->setValue(row);
    m_results->update();
}

void Desktop::open(QWidget& window) {
    window.setEnabled(true);
    window.show();
    window.raise();
    window.activateWindow();
    // The window is activated when the window system moves the focus to it. When the focus is
    // there already (the window was hidden and is shown again), no such news will come.
    if (QGuiApplication::focusWindow() == window.windowHandle()) activate(window);
}

void Desktop::sendMainWindowBack() {
    m_main->lower();
}

void Desktop::openRequirements() {
    open(*m_requirements);
}

void Desktop::openParameters() {
    open(*m_parameters);
}

void Desktop::closeGraphWindow() {
    m_graph->hide();
}

void Desktop::showGraphWindow() {
    open(*m_graph);
    m_graph->opened();
}

void Desktop::showResultsAnew() {
    // A new search starts at its first design, an opened one at the design it was saved with.
    m_results->scrollBar()->setValue(m_record.selectedDesign);
    m_results->hide();
    open(*m_results);
    recordChanged();
}

void Desktop::openMaterialSelector() {
    open(*m_materialSelector);
}

void Desktop::openAnalysis() {
    openAnalysisOf({});
}

void Desktop::openAnalysisOf(std::string_view catalogPartNumber) {
    sendMainWindowBack();
    closeGraphWindow();
    m_analysis->loadInputs();
    if (!catalogPartNumber.empty()) m_analysis->loadCatalogPart(catalogPartNumber);
    m_analysis->field(0)->setFocus(Qt::OtherFocusReason);
    open(*m_analysis);
    // The highlighted design of a search is one the program found: it is shown analyzed at once,
    // not as zeros until OK.
    const bool designHighlighted = m_record.selectedDesign >= 0 &&
                                   m_record.selectedDesign < m_record.designCount &&
                                   m_record.selectedDesign < kMaxDesigns;
    if (catalogPartNumber.empty() && designHighlighted) m_analysis->buttonOkClick();
}

void Desktop::showGettingStarted() {
    m_help->showGettingStarted();
    open(*m_help);
}

void Desktop::showHelpTopics() {
    m_help->showHelpTopics();
    open(*m_help);
}

void Desktop::showCover() {
    m_cover->coverScreen(m_screenSize);
    open(*m_cover);
}

void Desktop::openCatalog() {
    m_catalog->showShape(m_record.coreShape);
    open(*m_catalog);
}

void Desktop::openWireTables() {
    m_wireTable->fillTable();
    open(*m_wireTable);
}

void Desktop::agingGraph(AgingMenuOutcome outcome) {
    switch (outcome) {
        case AgingMenuOutcome::ShowGraph:
            closeGraphWindow();
            showGraphWindow();
            break;
        case AgingMenuOutcome::NegligibleMaterial:
            m_messages->show("", kNegligibleAgingText);
            break;
        case AgingMenuOutcome::Nothing:
            break;
    }
}

bool Desktop::storeRequirements(const std::function<bool()>& store) {
    if (!m_analysis->holdsRequirements()) return store();
    const DesignRecord before = m_record;
    m_analysis->putRequirementsBack();
    const DesignRecord putBack = m_record;
    const bool accepted = store();
    // A refusal that stored nothing (a character check) leaves the record as it was, the
    // analysis window's entries included.
    if (!accepted && m_record == putBack) {
        m_record = before;
        return false;
    }
    m_analysis->takeRequirements();
    return accepted;
}

void Desktop::printPage(QWidget* parent, QPageLayout::Orientation orientation,
                        const QString& pdfName, const PageDrawing& draw) {
    if (m_printer->printPage(parent, orientation, pdfName, draw) == PrintOutcome::Failed) {
        const std::string& why = m_printer->lastFailure();
        m_messages->show(why.empty() ? "THE PAGE COULD NOT BE PRINTED.  CHECK THE PRINTER." : why,
                         "ERROR ");
    }
}

}  // namespace korvell
