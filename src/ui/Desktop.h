// The desktop program's application object: it owns the design record, the message boxes and the
// printer, creates the windows once in their start-up order and carries the commands that pass
// from one window to another (open, send back, show the results anew). Windows reach each other
// only through it, so nothing is global.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Messages.h"
#include "record/DesignRecord.h"
#include "ui/FormEvents.h"

class QWidget;
class QWindow;

namespace korvell {

class PagePrinter;
class QtMessages;
class MainWindow;
class RequirementsWindow;
class ResultsWindow;
class ParametersWindow;
class GraphWindow;

// The application title, shown on message boxes and by the desktop for the program.
inline constexpr const char* kApplicationTitle = "INDUCTOR DESIGN FOR POWER FILTERS";

struct DesktopOptions {
    // Message sink and printer; the program's own (message boxes, the default printer or a PDF
    // file) when not given.
    Messages* messages = nullptr;
    PagePrinter* printer = nullptr;
    // Screen size that placement works from; the primary screen's when empty.
    QSize screenSize;
};

class Desktop : public QObject {
  public:
    explicit Desktop(const DesktopOptions& options = {});
    ~Desktop() override;

    DesignRecord& record() { return m_record; }
    Messages& messages() { return *m_messages; }
    PagePrinter& printer() { return *m_printer; }
    QSize screenSize() const { return m_screenSize; }

    MainWindow& mainWindow() { return *m_main; }
    RequirementsWindow& requirementsWindow() { return *m_requirements; }
    ResultsWindow& resultsWindow() { return *m_results; }
    ParametersWindow& parametersWindow() { return *m_parameters; }
    GraphWindow& graphWindow() { return *m_graph; }

    // Shows the main window (start-up).
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

    // Hides every window but the main one (the main window is closing).
    void closeOtherWindows();

    // The graph window: closed before a graph command sets the request, shown after it, so it
    // draws the new graph even when it was open.
    void closeGraphWindow();
    void showGraphWindow();

    // Prints one page drawn by `draw` (the default printer, or a PDF file named by the user where
    // none is installed); a failure is reported. False when nothing was printed.
    bool printPage(QWidget* parent, bool landscape, const char* pdfName,
                   const std::function<void(Canvas&)>& draw);

    // Windows that later parts of the program fill in; until they exist these do nothing.
    void openMaterialSelector() {}
    void openAnalysis() {}
    void showGettingStarted() {}
    void showHelpTopics() {}
    void showCover() {}

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

    DesignRecord m_record;
    std::unique_ptr<QtMessages> m_ownMessages;
    std::unique_ptr<PagePrinter> m_ownPrinter;
    Messages* m_messages;
    PagePrinter* m_printer;
    QSize m_screenSize;

    // Windows in their creation order; the main window first.
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<RequirementsWindow> m_requirements;
    std::unique_ptr<ResultsWindow> m_results;
    std::unique_ptr<ParametersWindow> m_parameters;
    std::unique_ptr<GraphWindow> m_graph;

    std::vector<Form> m_forms;
    QPointer<QWidget> m_activeForm;
};

}  // namespace korvell
