// The results window: placement and font, the scroll bar and its keys, the two displays, the
// graph buttons' checks, and PRINT on one landscape page read back from the PDF file.
#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "graphs/GraphRequest.h"
#include "platform/qt/Printing.h"
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
        // Buttons read PRINT, DISPLAY DIMENSIONS, DISPLAY ELECTRICAL, INDUCTANCE, T RISE.
        w.repaint();
        const int b = static_cast<int>(0.18L * w.frameGeometry().width());
        QCOMPARE(control<QPushButton>(w, "PrintBtn")->x(), static_cast<int>(0.25L * b));
        QCOMPARE(control<QPushButton>(w, "T_RiseBtn")->x(), static_cast<int>(4.25L * b) + 8);
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
};

static RegisterUiTest<ResultsWindowTest> registerResultsWindowTest("ResultsWindowTest");

}  // namespace korvell::test

#include "ResultsWindowTest.moc"
