// The desktop program's application object: it owns the design record, the message boxes and the
// printer, creates the windows once in their start-up order and carries the commands that pass
// from one window to another (open, send back, show the results anew). Windows reach each other
// only through it, so nothing is global.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "graphs/GraphRequest.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"
#include "platform/Placement.h"
#include "platform/qt/Printing.h"
#include "record/DesignRecord.h"
#include "ui/FileCommands.h"
#include "ui/FormEvents.h"

class QWindow;

namespace korvell {

class QtMessages;
class MainWindow;
class MaterialSelector;
class RequirementsWindow;
class ResultsWindow;
class ParametersWindow;
class GraphWindow;
class AnalysisWindow;
class HelpWindow;
class CoverWindow;
class CatalogWindow;
class WireTableWindow;
class ExplorerWindow;

// The application title, shown on message boxes and by the desktop for the program.
inline constexpr const char* kApplicationTitle = "INDUCTOR DESIGN FOR POWER FILTERS";

struct DesktopOptions {
    // Message sink and printer; the program's own (message boxes, the default printer or a PDF
    // file) when not given.
    Messages* messages = nullptr;
    PagePrinter* printer = nullptr;
    // Screen size that placement works from; the primary screen's when empty.
    QSize screenSize;
    // The part of the screen windows may take (less the desktop's panels); the primary screen's
    // when no screen size is given, else the whole given screen.
    QRect availableArea;
    // The questions of the FILES menu; the program's own dialogs when not given.
    std::optional<FileDialogs> fileDialogs;
};

class Desktop : public QObject {
  public:
    explicit Desktop(const DesktopOptions& options = {});
    ~Desktop() override;

    DesignRecord& record() { return m_record; }
    Messages& messages() { return *m_messages; }
    PagePrinter& printer() { return *m_printer; }
    QSize screenSize() const { return m_screenSize; }
    QRect availableArea() const { return m_availableArea; }

    // Puts a window where its placement rule says, never smaller than `minimum` (nor than its
    // layout asks), kept with its frame wholly on the available area; the window is given that
    // minimum size too.
    void placeWindow(QWidget& window, const Rect& placement, QSize minimum = {}) const;

    MainWindow& mainWindow() { return *m_main; }
    MaterialSelector& materialSelector() { return *m_materialSelector; }
    RequirementsWindow& requirementsWindow() { return *m_requirements; }
    ResultsWindow& resultsWindow() { return *m_results; }
    ParametersWindow& parametersWindow() { return *m_parameters; }
    GraphWindow& graphWindow() { return *m_graph; }
    AnalysisWindow& analysisWindow() { return *m_analysis; }
    HelpWindow& helpWindow() { return *m_help; }
    CoverWindow& coverWindow() { return *m_cover; }
    CatalogWindow& catalogWindow() { return *m_catalog; }
    WireTableWindow& wireTableWindow() { return *m_wireTable; }
    ExplorerWindow& explorerWindow() { return *m_explorer; }

    // The windows in the order they were created.
    std::vector<QWidget*> windows() const;

    // Shows the main window and the cover over it (start-up).
    void start();

    // To open a window: enable it, then show it and bring it to the front.
    void open(QWidget& window);
    // Moves the main window to the bottom of the stacking order.
    void sendMainWindowBack();

    void openRequirements();
    void openParameters();
    // After a new search: the results window is closed and shown again, so that it draws the new
    // designs in front.
    void showResultsAnew();

    // Hides every window but the main one (the main window is closing, or a record is put in).
    void closeOtherWindows();

    // A window closed by its own command (Esc, or an OK that only hides it): the keyboard goes
    // back to the window of the program that was active before it, else to the main window.
    // Without a window manager to pass it on, it would stay with no window at all.
    void returnFromWindow(QWidget& closed);

    // The FILES menu.
    FileCommands& files() { return *m_files; }
    // After the whole record was replaced (a design file opened, NEW): the windows forget what
    // they held of the record before.
    void recordReplaced();

    // The material selector, modeless.
    void openMaterialSelector();
    // The main window's ANALYSIS: the main window goes back, the graph window closes, the
    // analysis window is loaded from the highlighted design and the requirements and opened with
    // the focus in its part number.
    void openAnalysis();
    // The same with a core chosen in the catalog: loaded as above, then that part number, one
    // in the stack, in place of the highlighted design's core.
    void openAnalysisOf(std::string_view catalogPartNumber);
    void showGettingStarted();
    void showHelpTopics();
    // The cover, full screen over the main window, until a key or a click.
    void showCover();
    // REFERENCES: the catalog of the record's core shape, and the wire table of its gage
    // standard in its display units.
    void openCatalog();
    void openWireTables();

    // DATA DISPLAY > DESIGN EXPLORER: the design space of the record's requirements.
    void openExplorer();
    // The record's requirements, parameters or materials changed: the explorer computes anew.
    void recordChanged();
    // The explorer's ANALYZE: the analysis window opened with the given design.
    void openAnalysisOfDesign(const DesignResult& design);
    // The explorer's USE: the shape, stack, strands and winding become the requirements', the
    // ordinary search runs, and the results window shows the design highlighted where the
    // search lists it.
    void useDesignCombination(std::int8_t shape, int stack, int strands, std::int8_t winding,
                              const DesignResult& design);

    // The graph window: closed before a graph command sets the request, shown after it, so it
    // draws the new graph even when it was open.
    void closeGraphWindow();
    void showGraphWindow();
    // Carries out an aging graph command: the graph shown anew, or the negligible-aging box.
    void agingGraph(AgingMenuOutcome outcome);

    // Runs the requirements window's storing of the requirements (store returns whether they
    // were accepted). An open analysis window first puts back the operating conditions its own
    // entries replaced and afterwards keeps the stored requirements as those to put back.
    bool storeRequirements(const std::function<bool()>& store);

    // Prints one page through the program's printer; a page the printer refused is reported.
    void printPage(QWidget* parent, QPageLayout::Orientation orientation, const QString& pdfName,
                   const PageDrawing& draw);

    // The window of the program that was activated last (null when none, or after it was hidden).
    QWidget* activeForm() const { return m_activeForm; }

    // The window system moved the focus to this window: a window of the program that was not the
    // active one is activated (and the one before deactivated); any other window (a message box,
    // a dialog, a menu) or none changes nothing.
    void focusWindowChanged(QWindow* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Form {
        QWidget* widget;
        FormEvents* events;
    };
    void registerForm(QWidget* widget, FormEvents* events);
    void activate(QWidget& widget);
    // Keys every window shares: Enter or Return presses the push button that has the focus, as
    // Space does; Esc closes any window but the main one and the cover.
    void addWindowKeys(QWidget& window);

    DesignRecord m_record;
    std::unique_ptr<QtMessages> m_ownMessages;
    std::unique_ptr<PagePrinter> m_ownPrinter;
    Messages* m_messages;
    PagePrinter* m_printer;
    QSize m_screenSize;
    QRect m_availableArea;

    // Windows in their creation order: the main window first, the cover last of the nine of
    // start-up, then the two reference windows.
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<MaterialSelector> m_materialSelector;
    std::unique_ptr<RequirementsWindow> m_requirements;
    std::unique_ptr<ResultsWindow> m_results;
    std::unique_ptr<ParametersWindow> m_parameters;
    std::unique_ptr<GraphWindow> m_graph;
    std::unique_ptr<AnalysisWindow> m_analysis;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<CoverWindow> m_cover;
    std::unique_ptr<CatalogWindow> m_catalog;
    std::unique_ptr<WireTableWindow> m_wireTable;
    std::unique_ptr<ExplorerWindow> m_explorer;

    std::unique_ptr<FileCommands> m_files;
    std::vector<Form> m_forms;
    QPointer<QWidget> m_activeForm;
    QPointer<QWidget> m_previousForm;  // the one active before it
};

}  // namespace korvell
