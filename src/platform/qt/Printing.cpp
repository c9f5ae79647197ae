#include "platform/qt/Printing.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include "platform/FileAccess.h"
#include "platform/PrintServer.h"
#include "platform/qt/QtCanvas.h"

namespace korvell {

PrintOutcome PagePrinter::printOnto(QPrinter& printer, QPageLayout::Orientation orientation,
                                    const PageDrawing& draw) {
    printer.setPageOrientation(orientation);
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::Failed;
    QtCanvas canvas(painter, printer.width(), printer.height(), true);
    draw(canvas);
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

PrintOutcome PagePrinter::printPdf(const QString& path, QPageLayout::Orientation orientation,
                                   const PageDrawing& draw) {
    m_lastDestination = path;
    QTemporaryFile scratch(QDir::temp().filePath("korvell-page-XXXXXX.pdf"));
    if (!scratch.open()) {
        m_lastFailure =
            "THE PAGE COULD NOT BE MADE INTO A PDF FILE: THE TEMPORARY FOLDER "
            "TAKES NO FILES";
        return PrintOutcome::Failed;
    }
    scratch.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(scratch.fileName());
    const PrintOutcome outcome = printOnto(printer, orientation, draw);
    if (outcome != PrintOutcome::Printed) return outcome;
    QFile made(scratch.fileName());
    const QByteArray pdf = made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
    // A PDF file ends with its end-of-file marker; one cut short by a full disk does not.
    if (!pdf.trimmed().endsWith("%%EOF")) {
        m_lastFailure = "THE PAGE COULD NOT BE MADE INTO A PDF FILE: THE TEMPORARY FOLDER IS FULL";
        return PrintOutcome::Failed;
    }
    if (auto failure = writeFileAtomically(path.toStdString(),
                                           std::string_view(pdf.constData(), pdf.size()))) {
        m_lastFailure = std::move(*failure);
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

PrintOutcome SystemPagePrinter::printPage(QWidget* parent, QPageLayout::Orientation orientation,
                                          const QString& pdfName, const PageDrawing& draw) {
    m_lastFailure.clear();
    QString caption = "NO PRINTER INSTALLED.  SAVE THE PAGE AS A PDF FILE";
    // Asked first with a time limit: the printer query itself waits on a stuck server for
    // minutes, with the whole program frozen.
    if (!printServerAnswers(std::chrono::seconds(2))) {
        caption = "THE PRINT SERVER DOES NOT ANSWER.  SAVE THE PAGE AS A PDF FILE";
    } else if (const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
               !defaultPrinter.isNull()) {
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        m_lastDestination = defaultPrinter.printerName();
        return printOnto(printer, orientation, draw);
    }
    const QString suggested = QDir::home().filePath(pdfName);
    QString path = QFileDialog::getSaveFileName(parent, caption, suggested, "PDF files (*.pdf)");
    if (path.isEmpty()) return PrintOutcome::Cancelled;
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
    return printPdf(path, orientation, draw);
}

PrintOutcome PdfFilePrinter::printPage(QWidget*, QPageLayout::Orientation orientation,
                                       const QString&, const PageDrawing& draw) {
    m_lastFailure.clear();
    const PrintOutcome outcome = printPdf(m_path, orientation, draw);
    if (outcome == PrintOutcome::Printed) ++m_pages;
    return outcome;
}

}  // namespace korvell
