// Printing one page. The page is drawn by the same core routine as the window, on a QtCanvas
// over the printer. The desktop program sends it to the system's default printer without a
// dialog; on a machine with no printer installed it offers to save the page as a PDF file.
#pragma once

#include <QPageLayout>
#include <QString>
#include <functional>
#include <string>

#include "platform/Canvas.h"

class QPrinter;
class QWidget;

namespace korvell {

enum class PrintOutcome {
    Printed,    // the page went to the printer or into the PDF file
    Cancelled,  // no printer, and the user chose no PDF file
    Failed,     // the printer or the file refused the job
};

using PageDrawing = std::function<void(Canvas&)>;

class PagePrinter {
  public:
    virtual ~PagePrinter() = default;
    // Prints one page in the given orientation. pdfName is the file name offered when the page
    // has to go into a PDF file (for example "korvell-results.pdf").
    virtual PrintOutcome printPage(QWidget* parent, QPageLayout::Orientation orientation,
                                   const QString& pdfName, const PageDrawing& draw) = 0;
    // Where the last page went: the printer's name or the PDF file.
    const QString& lastDestination() const { return m_lastDestination; }
    // Why the last page failed, when the printer or the file said why; empty otherwise.
    const std::string& lastFailure() const { return m_lastFailure; }

  protected:
    // Draws the page onto a prepared printer; Failed when the printer cannot start the job.
    PrintOutcome printOnto(QPrinter& printer, QPageLayout::Orientation orientation,
                           const PageDrawing& draw);
    // Draws the page into a PDF file: made whole in a scratch file first, then written over
    // `path` by the program's one atomic writer, so a full disk leaves no fragment behind.
    PrintOutcome printPdf(const QString& path, QPageLayout::Orientation orientation,
                          const PageDrawing& draw);
    QString m_lastDestination;
    std::string m_lastFailure;
};

// The system's default printer, or, when none is installed or the print server does not answer
// within two seconds, a PDF file the user names in a save dialog that starts in the home folder.
class SystemPagePrinter : public PagePrinter {
  public:
    PrintOutcome printPage(QWidget* parent, QPageLayout::Orientation orientation,
                           const QString& pdfName, const PageDrawing& draw) override;
};

// Always into the given PDF file, without asking (tests and unattended runs).
class PdfFilePrinter : public PagePrinter {
  public:
    explicit PdfFilePrinter(QString path) : m_path(std::move(path)) {}
    PrintOutcome printPage(QWidget* parent, QPageLayout::Orientation orientation,
                           const QString& pdfName, const PageDrawing& draw) override;
    int pagesPrinted() const { return m_pages; }

  private:
    QString m_path;
    int m_pages = 0;
};

}  // namespace korvell
