#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
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

    static std::size_t tableDesign(const ExplorerWindow& w, int row) { return w.rowDesign(row); }
    static int rows(const ExplorerWindow& w) { return w.table()->model()->rowCount(); }

  private slots:
    void opensWithTheChartAndTheFront() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        QVERIFY(w.isVisible());
        QCOMPARE(w.objectName(), QString("TExplorerForm"));
        QCOMPARE(w.windowTitle(), QString("DESIGN EXPLORER"));
        QVERIFY(!w.space().designs.empty());
        QCOMPARE(rows(w), static_cast<int>(w.space().listed.size()));
        QVERIFY(w.space().listed.size() < w.space().front.size());
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
        QCOMPARE(rows(w), 0);
        QVERIFY(w.status()->text().startsWith("ENTER AND ACCEPT THE REQUIREMENTS"));
        // The chart says what the status line says.
        QCOMPARE(QString::fromStdString(w.view().emptyText), w.status()->text());
    }

    // Every marked point selects its own row, and the status line names it with its units; a
    // row selected, in any sort order, marks its point and the status line follows.
    void everyMarkedPointSelectsItsRowAndARowItsPoint() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        const auto marked = w.chartLayout().front;
        QCOMPARE(marked.size(), w.space().listed.size());
        for (const std::size_t f : marked) {
            const auto [x, y] = *w.chartLayout().points[f];
            QTest::mouseClick(w.chart(), Qt::LeftButton, {}, QPoint(x, y));
            // Two listed designs may fall on one pixel: either is the point clicked.
            QVERIFY(w.selected().has_value());
            QCOMPARE(w.chartLayout().points[*w.selected()], w.chartLayout().points[f]);
            const auto selectedRows = w.table()->selectionModel()->selectedRows();
            QCOMPARE(selectedRows.size(), 1);
            QCOMPARE(tableDesign(w, selectedRows.front().row()), *w.selected());
        }
        const ExploredDesign& last = w.space().designs[*w.selected()];
        const QString status = w.status()->text();
        QVERIFY2(status.startsWith(QString::fromStdString(last.result.partNumber)),
                 qPrintable(status));
        for (const char* part : {"TURNS", "US$", " W", "cm2"})
            QVERIFY2(status.contains(part), qPrintable(status));
        // Sorted by loss, the row picked selects its own design.
        w.table()->sortByColumn(kLossColumn, Qt::AscendingOrder);
        w.table()->selectRow(3);
        QCOMPARE(w.selected(), std::optional<std::size_t>(tableDesign(w, 3)));
        QVERIFY(w.status()->text().startsWith(
            QString::fromStdString(w.space().designs[tableDesign(w, 3)].result.partNumber)));
        for (int row = 1; row < rows(w); ++row) {
            QVERIFY(w.space().designs[tableDesign(w, row - 1)].totalLossW() <=
                    w.space().designs[tableDesign(w, row)].totalLossW());
        }
    }

    // The check boxes choose the one front of chart and table; the checked figures come in
    // when asked for, with their columns.
    void objectivesChooseTheOneFront() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        QVERIFY(w.table()->isColumnHidden(kCheckLossColumn));
        w.objectiveBox(Objective::Size)->setChecked(false);
        QCOMPARE(w.space().objectives, (std::vector<Objective>{Objective::Price, Objective::Loss}));
        w.repaint();
        QVERIFY(w.chartLayout().joined);
        w.objectiveBox(Objective::Loss)->setChecked(false);  // one left: refused
        QVERIFY(w.objectiveBox(Objective::Loss)->isChecked());
        QCOMPARE(w.status()->text(), QString("THE FRONT NEEDS TWO OR MORE OBJECTIVES"));
        w.objectiveBox(Objective::CheckRise)->setChecked(true);
        QVERIFY(w.space().checkFigures);
        QVERIFY(!w.table()->isColumnHidden(kCheckRiseColumn));
        w.repaint();
        QVERIFY(!w.chartLayout().joined);
        QCOMPARE(w.chartLayout().front.size(), w.space().listed.size());
    }

    // At 1280 x 720 the chart stands above the table, and the table shows its first seven
    // columns whole without scrolling sideways; a wide screen puts them side by side.
    void readableOnSmallAndWideScreens() {
        TestDesktop t(QSize(1280, 720));
        ExplorerWindow& w = opened(t);
        QCOMPARE(w.splitter()->orientation(), Qt::Vertical);
        const QHeaderView* header = w.table()->horizontalHeader();
        for (int c = kPartNumberColumn; c <= kRiseColumn; ++c) {
            QVERIFY2(header->sectionViewportPosition(c) + header->sectionSize(c) <=
                         w.table()->viewport()->width(),
                     kExplorerHeadings[static_cast<std::size_t>(c)]);
        }
        QCOMPARE(w.table()->horizontalScrollBar()->value(), 0);
        TestDesktop wide(QSize(1920, 1080));
        ExplorerWindow& v = opened(wide);
        QCOMPARE(v.splitter()->orientation(), Qt::Horizontal);
    }

    // Typing a new inductance moves the front at once; a refused value says why in the status
    // line and leaves the space as it was; USE takes the value into the requirements.
    void whatIfEntriesRecomputeAsTheyAreTyped() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        QLineEdit* inductance = w.entry(kWhatIfInductance);
        QCOMPARE(inductance->text(), QString("100.00"));
        const DesignSpace before = w.space();
        inductance->setFocus();
        inductance->selectAll();
        QTest::keyClicks(inductance, "150");
        QVERIFY(w.space().designs != before.designs);
        for (const std::size_t i : w.space().listed)
            QVERIFY(designInductanceUh(w.space().designs[i]) > 140);
        const DesignSpace typed = w.space();
        QTest::keyClicks(inductance, "x");
        QVERIFY2(w.status()->text().contains("INVALID CHARACTER"), qPrintable(w.status()->text()));
        QCOMPARE(w.space().designs, typed.designs);
        QTest::keyClick(inductance, Qt::Key_Backspace);
        w.entry(kWhatIfRise)->setText("30");
        QTest::keyClicks(w.entry(kWhatIfRise), "0");  // 300: beyond the parameter's range
        QVERIFY2(w.status()->text().contains("Must Be In The Range"),
                 qPrintable(w.status()->text()));
        w.entry(kWhatIfRise)->setText("");
        QTest::keyClicks(w.entry(kWhatIfRise), "45");
        w.selectDesign(w.space().listed.front());
        w.useClick();
        settle();
        QCOMPARE(t.record().inductanceRequired, 0.15f);
        QCOMPARE(t.record().maxTempRise, 45.0f);
        QCOMPARE(inductance->text(), QString("150.00"));
    }

    // DESIGN AT WORST CASE sweeps the space of turns that reach the inductance at the low end of
    // the Al tolerance; USE takes the choice into the parameters.
    void designAtWorstCaseMovesTheSpace() {
        TestDesktop t;
        ExplorerWindow& w = opened(t);
        const DesignSpace nominal = w.space();
        w.designAtBox()->setCurrentIndex(1);
        emit w.designAtBox()->activated(1);
        QVERIFY(w.space().designs != nominal.designs);
        for (const ExploredDesign& d : w.space().designs)
            QVERIFY(d.result.inductanceMinUh >= 100 * (1 - 1e-6));
        w.selectDesign(w.space().listed.front());
        w.useClick();
        settle();
        QCOMPARE(t.record().designChoicesByApplication[kDcBiased].designAt,
                 std::int8_t{kDesignAtWorstCase});
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

    // The printout stands on its own: requirements, date, objectives and epsilon with the chart
    // on the first page, then every listed design with its turns, the pages numbered.
    void printPutsTheRequirementsTheChartAndTheWholeListedFront() {
        QTemporaryDir dir;
        const QString path = dir.filePath("explorer.pdf");
        PdfFilePrinter printer(path);
        TestDesktop t(QSize(1280, 1024), &printer);
        ExplorerWindow& w = opened(t);
        w.objectiveBox(Objective::TempRise)->setChecked(true);  // a longer front
        w.printClick();
        const int pages = pdfPages(path);
        const QString text = pdfText(path);
        QVERIFY2(text.contains("DESIGN EXPLORER: TOTAL LOSS AGAINST PRICE"), qPrintable(text));
        QVERIFY(text.contains("THE FRONT OF PRICE, TOTAL LOSS, SURFACE AREA, TEMPERATURE RISE"));
        QVERIFY(text.contains("WITHIN 1 %"));
        QVERIFY(text.contains("AT MAX CURRENT"));  // the requirements summary
        QVERIFY(text.contains(QDate::currentDate().toString("yyyy-MM-dd")));
        QVERIFY(text.contains("TURNS"));
        QVERIFY(text.contains(QString("PAGE %1 OF %1").arg(pages)));
        QVERIFY(!text.contains("MORE"));
        for (const std::size_t i : w.tableOrder()) {
            QVERIFY(text.contains(QString::fromStdString(w.space().designs[i].result.partNumber)));
        }
    }
};

static RegisterUiTest<ExplorerWindowTest> registerExplorerWindowTest("ExplorerWindowTest");

}  // namespace korvell::test

#include "ExplorerWindowTest.moc"
