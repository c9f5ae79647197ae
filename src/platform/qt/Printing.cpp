#include "platform/qt/Printing.h"

#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

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

PrintOutcome SystemPagePrinter::printPage(QWidget* parent, QPageLayout::Orientation orientation,
                                          const QString& pdfName, const PageDrawing& draw) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        m_lastDestination = defaultPrinter.printerName();
        return printOnto(printer, orientation, draw);
    }
    const QString suggested = QDir::home().filePath(pdfName);
    QString path =
        QFileDialog::getSaveFileName(parent, "NO PRINTER INSTALLED.  SAVE THE PAGE AS A PDF FILE",
                                     suggested, "PDF files (*.pdf)");
    if (path.isEmpty()) return PrintOutcome::Cancelled;
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    m_lastDestination = path;
    return printOnto(printer, orientation, draw);
}

PrintOutcome PdfFilePrinter::printPage(QWidget*, QPageLayout::Orientation orientation,
                                       const QString&, const PageDrawing& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_path);
    m_lastDestination = m_path;
    const PrintOutcome outcome = printOnto(printer, orientation, draw);
    if (outcome == PrintOutcome::Printed) ++m_pages;
    return outcome;
}

}  // namespace korvell
