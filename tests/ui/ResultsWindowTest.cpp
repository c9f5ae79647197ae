// The results window: placement and font, the scroll bar and its keys, the two displays, the
// graph buttons' checks, and PRINT on one landscape page read back from the PDF file.
#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "graphs/GraphRequest.h"
#include "platform/qt/Printing.h"
#include "ui/AnalysisWindow.h"
#include "ui/MainWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class ResultsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void placementAndFontFollowTheScreen() {
        TestDesktop t(QSize(1280, 1024));
        ResultsWindow& w = t.desktop->resultsWindow();
        // 0.95 x 1280 formed in extended precision is just below 1216 and cut to 1215.
        QCOMPARE(w.geometry(), QRect(32, 171, 1215, 686));
        QCOMPARE(w.windowTitle(), QString("ELECTRICAL PROPERTIES DATA"));
        QCOMPARE(w.pageFontHeight(), 16 * w.logicalDpiY() / 96);
        TestDesktop small(QSize(800, 600));
        QCOMPARE(small.desktop->resultsWindow().geometry(), QRect(20, 100, 759, 480));
    }

    void scrollKeysMoveTheHighlightedDesign() {
        TestDesktop t;
        searchBuckFilter(t);
        QCOMPARE(t.record().designCount, 40);
        t.desktop->showResultsAnew();
        ResultsWindow& w = t.desktop->resultsWindow();
        settle();
        QScrollBar* bar = w.scrollBar();
        QCOMPARE(bar->maximum(), 40);
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(t.record().selectedDesign, 1);
        QTest::keyClick(bar, Qt::Key_PageDown);
        QCOMPARE(t.record().selectedDesign, 21);
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(bar->value(), 40);
        QCOMPARE(t.record().selectedDesign, 39);
    }

    void fewerDesignsLimitTheScrollBarAndKeepItsPosition() {
        TestDesktop t;
        ResultsWindow& w = t.desktop->resultsWindow();
        DesignRecord& r = t.record();
        r.inductanceRequired = 0.1f;
        for (int i = 0; i < 25; ++i) {
            r.designResults[i].partNumber = "T" + std::to_string(50 + i) + "-26";
            r.designResults[i].turns = 10;
        }
        r.designResults[25].partNumber = kEndOfCatalogMarker;
        r.designCount = 25;
        w.scrollBar()->setValue(30);
        w.show();
        settle();
        QCOMPARE(w.scrollBar()->maximum(), 24);
        QCOMPARE(w.scrollBar()->value(), 24);
        QCOMPARE(r.selectedDesign, 24);
    }

    void displayButtonsSwitchTheCaptionAndTheTable() {
        TestDesktop t;
        ResultsWindow& w = t.desktop->resultsWindow();
        w.show();
        settle();
        QTest::mouseClick(control<QPushButton>(w, "DIMENSIONS"), Qt::LeftButton);
        QCOMPARE(t.record().displayMode, std::int8_t{1});
        QCOMPARE(w.windowTitle(), QString("DIMENSIONAL PROPERTIES DATA"));
        QTest::mouseClick(control<QPushButton>(w, "ELECTRICAL"), Qt::LeftButton);
        QCOMPARE(t.record().displayMode, std::int8_t{0});
        QCOMPARE(w.windowTitle(), QString("ELECTRICAL PROPERTIES DATA"));
        // Buttons read PRINT, DISPLAY DIMENSIONS, DISPLAY ELECTRICAL, DISPLAY CHECK, INDUCTANCE,
        // T RISE.
        w.repaint();
        const int b = static_cast<int>(0.15L * w.frameGeometry().width());
        QCOMPARE(control<QPushButton>(w, "PrintBtn")->x(), static_cast<int>(0.25L * b));
        QCOMPARE(control<QPushButton>(w, "Button_Check")->x(), static_cast<int>(3.25L * b) + 6);
        QCOMPARE(control<QPushButton>(w, "T_RiseBtn")->x(), static_cast<int>(5.25L * b) + 10);
        QCOMPARE(control<QPushButton>(w, "InductanceBtn")->width(), b);
    }

    void graphButtonsCheckTheHighlightedDesign() {
        TestDesktop t;
        ResultsWindow& w = t.desktop->resultsWindow();
        DesignResult& row = t.record().designResults[0];
        t.record().graphKind = 2;
        w.inductanceClick();  // no turns: nothing
        QCOMPARE(t.record().graphKind, std::int8_t{2});

        row.partNumber = "T106-37";
        row.turns = 30;
        row.coreLossW = 0.0005f;
        w.tRiseClick();
        QCOMPARE(t.messages.last().text,
                 std::string("Design Exhibits Negligable Core Loss, 5.00e-04"));
        QCOMPARE(t.messages.last().caption, std::string(" DATA ERROR.  UNABLE TO DISPLAY AGING"));
        row.coreLossW = 0.25f;
        w.tRiseClick();
        QCOMPARE(t.messages.last().text,
                 std::string(" -37 and -39 MATERIALS EXHIBIT NEGLIGABLE AGING"));
        row.partNumber = "T106-26";
        const std::size_t shown = t.messages.size();
        w.tRiseClick();
        QCOMPARE(t.messages.size(), shown);
        QCOMPARE(t.record().graphKind, std::int8_t{9});
        w.inductanceClick();
        QCOMPARE(t.record().graphKind, std::int8_t{7});
        QCOMPARE(t.record().graphMaterialCode, std::string("-26"));
        // The page's pop-up menu: the inductance spread of the highlighted design.
        auto* spread = w.findChild<QAction*>("SpreadAction");
        QVERIFY(spread != nullptr && w.actions().contains(spread));
        QCOMPARE(w.contextMenuPolicy(), Qt::ActionsContextMenu);
        t.record().graphSource = kAnalyzedDesign;
        spread->trigger();
        QCOMPARE(t.record().graphKind, std::int8_t{kInductanceSpread});
        QCOMPARE(t.record().graphSource, int{kHighlightedDesign});
    }

    void aPageThatCannotBeWrittenSaysWhyAndLeavesTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("kept.pdf");
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("old page");
        kept.close();
        QVERIFY(kept.setPermissions(QFileDevice::ReadOwner));
        for (const QString& target : {path, QString("/dev/full")}) {
            PdfFilePrinter printer(target);
            TestDesktop t(QSize(1280, 1024), &printer);
            searchBuckFilter(t, "2");
            t.desktop->showResultsAnew();
            QTest::mouseClick(control<QPushButton>(t.desktop->resultsWindow(), "PrintBtn"),
                              Qt::LeftButton);
            QCOMPARE(printer.pagesPrinted(), 0);
            QCOMPARE(t.messages.size(), std::size_t{1});
            QVERIFY2(
                t.messages.last().text.find("COULD NOT BE WRITTEN: IT IS") != std::string::npos,
                t.messages.last().text.c_str());
        }
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old page"));
    }

    void printPutsTheWindowsPageOnOneLandscapePage() {
        QTemporaryDir dir;
        const QString path = dir.filePath("results.pdf");
        PdfFilePrinter printer(path);
        TestDesktop t(QSize(1280, 1024), &printer);
        t.desktop->openRequirements();  // its application caption heads the page
        searchBuckFilter(t, "2");
        t.desktop->showResultsAnew();
        ResultsWindow& w = t.desktop->resultsWindow();
        w.setClock(fixedDate);
        settle();
        w.scrollBar()->setValue(12);
        QCOMPARE(t.record().selectedDesign, 12);
        QTest::mouseClick(control<QPushButton>(w, "PrintBtn"), Qt::LeftButton);
        QCOMPARE(printer.pagesPrinted(), 1);
        QCOMPARE(t.record().printRequested, 0);

        const QString text = pdfText(path);
        QVERIFY2(text.contains("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS"),
                 qPrintable(text));
        QVERIFY(text.contains("DC BIASED OUTPUT FILTER INDUCTOR"));
        QVERIFY(text.contains("ELECTRICAL PROPERTIES DATA"));
        QVERIFY(text.contains("Tue Dec 08 09:05:03 2026"));
        QVERIFY(text.contains("( # Stacked )"));
        QVERIFY(text.contains("INDUCTANCE AT MAX CURRENT:"));
        // The ten rows around the highlighted design, 7 to 16, and no others.
        for (int i = 0; i < kMaxDesigns; ++i) {
            const QString part = QString::fromStdString(t.record().designResults[i].partNumber);
            const bool shownRow = i >= 7 && i <= 16;
            QVERIFY2(text.contains(part + " ") == shownRow || !shownRow,
                     qPrintable(QString("row %1 %2").arg(i).arg(part)));
        }
        QVERIFY(text.contains(QString::fromStdString(t.record().designResults[7].partNumber)));
        QVERIFY(
            !text.contains(QString::fromStdString(t.record().designResults[6].partNumber) + " "));
        QVERIFY(
            !text.contains(QString::fromStdString(t.record().designResults[17].partNumber) + " "));
    }

    // A click leaves the keyboard where the user works: the next Enter opens the highlighted
    // design's analysis (computed), never a second page from the PRINT clicked before.
    void aClickedPrintThenEnterPrintsNothing() {
        QTemporaryDir dir;
        PdfFilePrinter printer(dir.filePath("results.pdf"));
        TestDesktop t(QSize(1280, 720), &printer);
        searchBuckFilter(t);
        t.desktop->showResultsAnew();
        ResultsWindow& w = t.desktop->resultsWindow();
        settle();
        auto* print = control<QPushButton>(w, "PrintBtn");
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(printer.pagesPrinted(), 1);
        QVERIFY(!print->hasFocus());
        QCOMPARE(w.focusWidget(), w.scrollBar());
        QTest::keyClick(w.focusWidget(), Qt::Key_Return);
        QTest::keyClick(w.focusWidget(), Qt::Key_Enter);
        QCOMPARE(printer.pagesPrinted(), 1);
        // Every push button of every window takes the focus from Tab only.
        for (QWidget* window : t.desktop->windows()) {
            for (QPushButton* button : window->findChildren<QPushButton*>())
                QVERIFY2(button->focusPolicy() == Qt::TabFocus, qPrintable(button->objectName()));
        }
        QVERIFY(print->text().startsWith("&"));  // Alt+P prints from the keyboard
    }

    void theMouseSelectsScrollsAndOpensTheAnalysis() {
        TestDesktop t;
        searchBuckFilter(t);
        t.desktop->showResultsAnew();
        ResultsWindow& w = t.desktop->resultsWindow();
        settle();
        w.repaint();
        // A new search starts at its first design.
        QCOMPARE(t.record().selectedDesign, 0);
        // The row under a click is highlighted: the rows stand 1.4 font heights apart from
        // 16.5 lines down.
        const int h = w.pageFontHeight();
        const int line = static_cast<int>(1.4L * h);
        const int rowsTop = 14 * h + 2 * line + line / 2;
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(100, rowsTop + 3 * line + line / 2));
        QCOMPARE(t.record().selectedDesign, 3);
        // The wheel moves down the list a design a notch.
        QWheelEvent down(QPointF(100, rowsTop), w.mapToGlobal(QPointF(100, rowsTop)), {},
                         QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&w, &down);
        QCOMPARE(t.record().selectedDesign, 5);
        // A double-click opens the design's analysis, already computed.
        w.repaint();
        QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(100, rowsTop + 5 * line + line / 2));
        settle();
        AnalysisWindow& analysis = t.desktop->analysisWindow();
        QVERIFY(analysis.isVisible());
        const std::string part = t.record().designResults[t.record().selectedDesign].partNumber;
        QCOMPARE(analysis.field(0)->text(), QString::fromStdString(part.substr(0, part.find(' '))));
        QVERIFY(analysis.table().rows[0].value > 50);  // the inductance
        QVERIFY(t.messages.empty());
    }

    void checkDisplayAndPrintAllDesigns() {
        QTemporaryDir dir;
        const QString path = dir.filePath("all.pdf");
        PdfFilePrinter printer(path);
        TestDesktop t(QSize(1280, 1024), &printer);
        searchBuckFilter(t);
        t.desktop->showResultsAnew();
        ResultsWindow& w = t.desktop->resultsWindow();
        w.setClock(fixedDate);
        settle();
        QTest::mouseClick(control<QPushButton>(w, "Button_Check"), Qt::LeftButton);
        QCOMPARE(t.record().displayMode, std::int8_t{kCheckDisplay});
        QCOMPARE(w.windowTitle(), QString("CHECKED PROPERTIES DATA"));
        QCOMPARE(w.resultsCheck().designs.size(), std::size_t{kMaxDesigns});
        const ResultsCheck* computed = &w.resultsCheck();
        w.repaint();
        QCOMPARE(&w.resultsCheck(), computed);  // once per search, not per paint

        control<QAction>(t.desktop->mainWindow(), "PRINTALL1")->trigger();
        QCOMPARE(printer.pagesPrinted(), 1);  // one print job
        QCOMPARE(pdfPages(path), 2);
        const QString text = pdfText(path);
        QVERIFY2(text.contains("PAGE 1 OF 2") && text.contains("PAGE 2 OF 2"), qPrintable(text));
        QVERIFY(text.contains("CHECKED PROPERTIES DATA"));
        QVERIFY(text.contains("Rdc HOT"));
        QVERIFY(text.contains("DC BIASED OUTPUT FILTER INDUCTOR"));
        for (int i = 0; i < kMaxDesigns; ++i) {
            QVERIFY2(text.contains(QString::fromStdString(t.record().designResults[i].partNumber)),
                     qPrintable(QString::number(i)));
        }
    }
};

static RegisterUiTest<ResultsWindowTest> registerResultsWindowTest("ResultsWindowTest");

}  // namespace korvell::test

#include "ResultsWindowTest.moc"
