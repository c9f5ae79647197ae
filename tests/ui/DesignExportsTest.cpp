// The design report and the MAS export from the desktop: REPORT and EXPORT MAS in the analysis
// window, FILES > DESIGN REPORT for the highlighted design of the last search.
#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include "export/MasDocument.h"
#include "ui/AnalysisWindow.h"
#include "ui/MainWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class DesignExportsTest : public QObject {
    Q_OBJECT

  private slots:
    void analysisWindowWritesTheReportAndTheMasDocumentOfWhatItAnalyzed() {
        QTemporaryDir dir;
        TestDesktop t;
        searchBuckFilter(t);
        control<QPushButton>(t.desktop->mainWindow(), "ANalysis")->click();
        settle();
        AnalysisWindow& w = t.desktop->analysisWindow();
        w.setClock(fixedDate);
        auto* mas = control<QPushButton>(w, "Export_Mas");
        QCOMPARE(mas->text(), QString("EXPORT MAS"));
        // Opened with a highlighted design, the window has analyzed it already.
        QVERIFY(mas->isEnabled());
        w.field(0)->setText("T106-21");

        // REPORT analyzes the fields first, then offers the part number's report file.
        t.files.exportAnswer = dir.filePath("choke");
        control<QPushButton>(w, "Report")->click();
        QCOMPARE(t.files.exportCaption, QString("DESIGN REPORT"));
        QCOMPARE(t.files.exportSuggested, QDir::home().filePath("T106-21-report.pdf"));
        const QString report = dir.filePath("choke.pdf");
        QVERIFY(pdfPages(report) >= 5);
        const QString text = pdfText(report);
        for (const char* fact :
             {"T106-21", "09:05:03 2026", "WINDING INSTRUCTIONS", ".subckt T106_21"}) {
            QVERIFY2(text.contains(fact), fact);
        }
        QVERIFY(mas->isEnabled());

        t.files.exportAnswer = dir.filePath("choke");
        mas->click();
        QCOMPARE(t.files.exportSuggested, QDir::home().filePath("T106-21.mas.json"));
        QFile file(dir.filePath("choke.mas.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), masDocumentText(t.record(), w.table()));
        QVERIFY(t.messages.empty());

        // A refused analysis writes neither and disables EXPORT MAS; a cancelled dialog none.
        w.field(3)->setText("");
        t.files.exportAnswer = dir.filePath("refused");
        QVERIFY(!w.reportClick());
        QVERIFY(!w.exportMasClick());
        QVERIFY(!mas->isEnabled());
        QVERIFY(!QFile::exists(dir.filePath("refused.pdf")));
        QVERIFY(!QFile::exists(dir.filePath("refused.mas.json")));
    }

    void filesDesignReportReportsTheHighlightedDesignOrSaysThereIsNone() {
        QTemporaryDir dir;
        TestDesktop t;
        QAction* item = control<QAction>(t.desktop->mainWindow(), "DESIGNREPORTm");
        QCOMPARE(item->text(), QString("DESIGN REPORT"));
        t.files.exportAnswer = dir.filePath("none.pdf");
        item->trigger();
        QCOMPARE(t.messages.last().caption, std::string("NOTICE: "));
        QVERIFY(t.files.exportSuggested.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("none.pdf")));

        searchBuckFilter(t);
        t.record().selectedDesign = 3;
        const std::string part = t.record().designResults[3].partNumber;
        t.files.exportAnswer = dir.filePath("row.pdf");
        item->trigger();
        QVERIFY(pdfText(dir.filePath("row.pdf")).contains(QString::fromStdString(part)));
        // A folder that is not there: the reason, under the export's caption.
        t.files.exportAnswer = dir.filePath("missing/row.pdf");
        QVERIFY(!t.desktop->files().designReport());
        QCOMPARE(t.messages.last().caption, std::string("DESIGN REPORT"));
    }
};

namespace {
const RegisterUiTest<DesignExportsTest> registered("DesignExportsTest");
}  // namespace

}  // namespace korvell::test

#include "DesignExportsTest.moc"
