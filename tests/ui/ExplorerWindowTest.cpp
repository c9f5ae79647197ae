#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>

#include "analysis/AnalysisEntry.h"
#include "platform/qt/Printing.h"
#include "ui/AnalysisWindow.h"
#include "ui/ExplorerWindow.h"
#include "ui/MainWindow.h"
#include "ui/MaterialSelector.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class ExplorerWindowTest : public QObject {
    Q_OBJECT

  private:
    // The explorer opened from DATA DISPLAY after a search of the buck filter, drawn once.
    static ExplorerWindow& opened(TestDesktop& t) {
        searchBuckFilter(t);
        control<QAction>(t.desktop->mainWindow(), "DESIGNEXPLORERm")->trigger();
        settle();
        ExplorerWindow& w = t.desktop->explorerWindow();
        w.repaint();
        return w;
    }

    static std::size_t tableDesign(const ExplorerWindow& w, int row) {
        return static_cast<std::size_t>(w.table()->item(row, 0)->data(Qt::UserRole).toULongLong());
    }

  private slots:
    void opensWithTheChartAndTheFront() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        QVERIFY(w.isVisible());
        QCOMPARE(w.objectName(), QString("TExplorerForm"));
        QCOMPARE(w.windowTitle(), QString("DESIGN EXPLORER"));
        QVERIFY(!w.space().designs.empty());
        QCOMPARE(w.table()->rowCount(), static_cast<int>(w.space().front.size()));
        QCOMPARE(w.chartLayout().points.size(), w.space().designs.size());
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (c->focusPolicy() != Qt::NoFocus && !qobject_cast<QLabel*>(c) && c->isVisible() &&
                c->parentWidget() == &w) {
                QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
            }
        }
        // The shortcut opens it too.
        QCOMPARE(control<QAction>(t.desktop->mainWindow(), "DESIGNEXPLORERm")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_E));
    }

    void incompleteRequirementsGiveAnEmptyChartAndTheReason() {
        TestDesktop t;
        t.desktop->openExplorer();
        settle();
        ExplorerWindow& w = t.desktop->explorerWindow();
        QVERIFY(w.space().designs.empty());
        QCOMPARE(w.table()->rowCount(), 0);
        QVERIFY(w.status()->text().startsWith("ENTER AND ACCEPT THE REQUIREMENTS"));
    }

    void aPointSelectsItsRowAndARowItsPoint() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        const std::size_t f = w.space().front[w.space().front.size() / 2];
        const auto [x, y] = *w.chartLayout().points[f];
        QTest::mouseClick(w.chart(), Qt::LeftButton, {}, QPoint(x, y));
        QVERIFY(w.selected().has_value());
        QCOMPARE(w.chartLayout().points[*w.selected()], w.chartLayout().points[f]);
        if (w.space().designs[*w.selected()].onFront) {
            const auto rows = w.table()->selectionModel()->selectedRows();
            QCOMPARE(rows.size(), 1);
            QCOMPARE(tableDesign(w, rows.front().row()), *w.selected());
        }
        // Sorted by loss, the row picked selects its own design.
        w.table()->sortItems(7);
        w.table()->selectRow(3);
        QCOMPARE(w.selected(), std::optional<std::size_t>(tableDesign(w, 3)));
    }

    void analyzeOpensTheAnalysisWithTheDesign() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        w.analyzeClick();  // nothing selected: says so, opens nothing
        QVERIFY(!t.desktop->analysisWindow().isVisible());
        const ExploredDesign& d = w.space().designs[w.space().front.back()];
        w.selectDesign(w.space().front.back());
        w.analyzeClick();
        settle();
        AnalysisWindow& a = t.desktop->analysisWindow();
        QVERIFY(a.isVisible());
        QCOMPARE(a.field(kPartNumberField)->text().toStdString(),
                 splitStackedPartNumber(d.result.partNumber).partNumber);
        QCOMPARE(a.field(kStackField)->text().toInt(), d.stack);
        QCOMPARE(a.field(kTurnsField)->text().toInt(), d.result.turns);
        QCOMPARE(a.field(kStrandsField)->text().toInt(), d.result.strands);
        // Analyzed at once: the analysis gives the row's own resistance.
        QCOMPARE(t.record().dcResistance, d.result.rdc);
    }

    void useRunsTheSearchOnTheDesignsCombination() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        // A stacked, stranded design of the front, if there is one.
        std::size_t pick = w.space().front.front();
        for (const std::size_t i : w.space().front) {
            if (w.space().designs[i].stack > 1 && w.space().designs[i].strands > 1) pick = i;
        }
        const ExploredDesign d = w.space().designs[pick];
        w.selectDesign(pick);
        w.useClick();
        settle();
        const DesignRecord& r = t.record();
        QCOMPARE(int{r.coreShape}, int{d.shape});
        QCOMPARE(r.stackedCores, d.stack);
        QCOMPARE(r.wireStrands, d.strands);
        QCOMPARE(int{r.windingMode}, int{d.winding});
        QVERIFY(t.desktop->resultsWindow().isVisible());
        t.desktop->resultsWindow().repaint();
        QVERIFY(r.designCount > 0);
        bool listed = false;
        for (int i = 0; i < std::min(r.designCount, kMaxDesigns); ++i)
            listed = listed || r.designResults[i] == d.result;
        if (listed) QVERIFY(r.designResults[r.selectedDesign] == d.result);
    }

    void followsTheMaterialSelection() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        const std::size_t before = w.space().designs.size();
        MaterialSelector& m = t.desktop->materialSelector();
        t.desktop->openMaterialSelector();
        settle();
        m.invertClick();
        m.checkBox(4)->setChecked(true);  // -21 alone
        m.okClick();
        settle();
        QVERIFY(w.space().designs.size() < before);
        for (const auto& d : w.space().designs) {
            if (d.shape != kComposite)
                QVERIFY(d.result.partNumber.find("-21") != std::string::npos);
        }
    }

    void printPutsTheChartAndTheFrontOnOnePage() {
        QTemporaryDir dir;
        const QString path = dir.filePath("explorer.pdf");
        PdfFilePrinter printer(path);
        TestDesktop t(QSize(1280, 1024), &printer);
        ExplorerWindow& w = opened(t);
        w.printClick();
        QCOMPARE(printer.pagesPrinted(), 1);
        QCOMPARE(pdfPages(path), 1);
        const QString text = pdfText(path);
        QVERIFY2(text.contains("DESIGN EXPLORER: TOTAL LOSS AGAINST PRICE"), qPrintable(text));
        QVERIFY(text.contains("THE FRONT OF PRICE, TOTAL LOSS, SURFACE AREA"));
        QVERIFY(text.contains(
            QString::fromStdString(w.space().designs[w.tableOrder().front()].result.partNumber)));
    }
};

static RegisterUiTest<ExplorerWindowTest> registerExplorerWindowTest("ExplorerWindowTest");

}  // namespace korvell::test

#include "ExplorerWindowTest.moc"
