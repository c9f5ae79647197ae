// The catalog window: opened from the REFERENCES menu at the record's core shape, the shape and
// material lists, sorting by a click on a column heading (numbers by value), the figures in the
// display units chosen in the parameters window, and ANALYZE opening the analysis window with the
// chosen core.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include "ui/AnalysisWindow.h"
#include "ui/CatalogWindow.h"
#include "ui/MainWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

namespace {

enum : int { kPartColumn = 0, kAlColumn = 2, kWindowColumn = 5, kOdColumn = 7 };

CatalogWindow& openFromMenu(TestDesktop& t) {
    control<QAction>(t.desktop->mainWindow(), "KORVELLCATALOG1")->trigger();
    settle();
    return t.desktop->catalogWindow();
}

QTableView* grid(CatalogWindow& w) {
    return control<QTableView>(w, "CatalogGrid");
}

QString heading(CatalogWindow& w, int column) {
    return grid(w)->model()->headerData(column, Qt::Horizontal).toString();
}

// Clicks a column heading as a user does.
void clickHeading(CatalogWindow& w, int column) {
    QHeaderView* header = grid(w)->horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

// The row showing a part number, or -1.
int rowOf(CatalogWindow& w, const QString& partNumber) {
    for (int r = 0; r < w.rowCount(); ++r)
        if (w.cellText(r, kPartColumn) == partNumber) return r;
    return -1;
}

// Clicks a row as a user does.
void clickRow(CatalogWindow& w, int row) {
    QTableView* view = grid(w);
    view->scrollTo(view->model()->index(row, kPartColumn));
    const QRect cell = view->visualRect(view->model()->index(row, kPartColumn));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

class CatalogWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensFromTheMenuWithEveryToroid() {
        TestDesktop t;
        CatalogWindow& w = openFromMenu(t);
        QVERIFY(w.isVisible());
        QCOMPARE(w.objectName(), QString("TCatalogForm"));
        QCOMPARE(w.windowTitle(), QString("KORVELL CATALOG"));
        QCOMPARE(w.geometry(), QRect(128, 102, 1024, 768));
        QCOMPARE(control<QComboBox>(w, "ShapeBox")->currentText(), QString("TOROID"));
        QCOMPARE(w.rowCount(), 446);
        QCOMPARE(control<QLabel>(w, "CountLabel")->text(), QString("446 CORES"));
        // Smallest core first, as the design search walks the catalog.
        QCOMPARE(w.cellText(0, kPartColumn), QString("T12-11"));
        QStringList headings;
        for (int k = 0; k < grid(w)->model()->columnCount(); ++k)
            headings << heading(w, k);
        QCOMPARE(headings, (QStringList{"PART NUMBER", "PERM", "AL\nnH/T²", "AE\ncm²", "LE\ncm",
                                        "WINDOW\nin²", "MLT\nin", "OD\nin", "ID\nin", "HT\nin"}));
        const int t106 = rowOf(w, "T106-21");
        QStringList cells;
        for (int k = 0; k < 10; ++k)
            cells << w.cellText(t106, k);
        QCOMPARE(cells, (QStringList{"T106-21", "75", "101.3", "0.677", "6.30", "0.2552", "1.992",
                                     "1.060", "0.570", "0.437"}));
        auto* materials = control<QComboBox>(w, "MaterialBox");
        QCOMPARE(materials->count(), 17);
        QCOMPARE(materials->itemText(0), QString("ALL"));
        QCOMPARE(materials->itemText(1), QString("-11"));
        // Nothing chosen yet: nothing to analyze.
        QVERIFY(!control<QPushButton>(w, "Button_Analyze")->isEnabled());
        QVERIFY(t.messages.empty());
    }

    void opensAtTheRecordsShapeAndTheShapeListChangesIt() {
        TestDesktop t;
        t.record().coreShape = kECore;
        CatalogWindow& w = openFromMenu(t);
        QCOMPARE(control<QComboBox>(w, "ShapeBox")->currentText(), QString("E-CORE"));
        QCOMPARE(w.rowCount(), 152);
        QCOMPARE(heading(w, kOdColumn), QString("A\nin"));
        QCOMPARE(heading(w, kOdColumn + 1), QString("B\nin"));
        QCOMPARE(w.cellText(0, kPartColumn), QString("E50-13"));

        control<QComboBox>(w, "ShapeBox")->setCurrentIndex(kComposite);
        QCOMPARE(w.rowCount(), 10);
        QCOMPARE(heading(w, kOdColumn), QString("OD\nin"));
        auto* materials = control<QComboBox>(w, "MaterialBox");
        QCOMPARE(materials->count(), 3);
        QCOMPARE(materials->itemText(2), QString("-413"));
        // The window's list does not change the shape the design search uses.
        QCOMPARE(t.record().coreShape, std::int8_t{kECore});
    }

    void aMaterialNarrowsTheListAndAllBringsEveryCoreBack() {
        TestDesktop t;
        CatalogWindow& w = openFromMenu(t);
        auto* materials = control<QComboBox>(w, "MaterialBox");
        materials->setCurrentIndex(materials->findText("-21"));
        QCOMPARE(w.rowCount(), 65);
        QCOMPARE(control<QLabel>(w, "CountLabel")->text(), QString("65 CORES"));
        for (int r = 0; r < w.rowCount(); ++r) {
            const QString part = w.cellText(r, kPartColumn);
            QVERIFY2(part.contains("-21"), qPrintable(part));
            QCOMPARE(w.cellText(r, 1), QString("75"));
        }
        // -13 holds its /91 variants.
        materials->setCurrentIndex(materials->findText("-13"));
        QCOMPARE(w.rowCount(), 52);
        QVERIFY(rowOf(w, "T106-13A/91") >= 0);
        materials->setCurrentIndex(0);
        QCOMPARE(w.rowCount(), 446);
    }

    void aHeadingClickSortsByValueAndAgainTurnsTheOrder() {
        TestDesktop t;
        CatalogWindow& w = openFromMenu(t);
        clickHeading(w, kAlColumn);
        // By value: 101.3 comes after 13.1, which a sort of the texts would not do.
        for (int r = 1; r < w.rowCount(); ++r) {
            QVERIFY2(w.cellText(r - 1, kAlColumn).toDouble() <= w.cellText(r, kAlColumn).toDouble(),
                     qPrintable(QString("row %1").arg(r)));
        }
        QVERIFY(w.cellText(0, kAlColumn).toDouble() < 2.0);
        QCOMPARE(w.rowCount(), 446);

        clickHeading(w, kAlColumn);
        for (int r = 1; r < w.rowCount(); ++r)
            QVERIFY(w.cellText(r - 1, kAlColumn).toDouble() >= w.cellText(r, kAlColumn).toDouble());

        // The sort stays when the material changes.
        auto* materials = control<QComboBox>(w, "MaterialBox");
        materials->setCurrentIndex(materials->findText("-36"));
        for (int r = 1; r < w.rowCount(); ++r)
            QVERIFY(w.cellText(r - 1, kAlColumn).toDouble() >= w.cellText(r, kAlColumn).toDouble());

        // The part number sorts by the catalog's order, smallest core first.
        materials->setCurrentIndex(0);
        clickHeading(w, kPartColumn);
        if (w.cellText(0, kPartColumn) != "T12-11") clickHeading(w, kPartColumn);
        QCOMPARE(w.cellText(0, kPartColumn), QString("T12-11"));
        QCOMPARE(w.cellText(1, kPartColumn), QString("T12-13"));
    }

    void metricUnitsShowMillimetresOnTheNextActivation() {
        TestDesktop t;
        CatalogWindow& w = openFromMenu(t);
        auto* materials = control<QComboBox>(w, "MaterialBox");
        materials->setCurrentIndex(materials->findText("-21"));
        clickRow(w, rowOf(w, "T106-21"));
        QCOMPARE(w.selectedPartNumber(), QString("T106-21"));

        control<QAction>(t.desktop->mainWindow(), "PARAMETERS1")->trigger();
        settle();
        ParametersWindow& parameters = t.desktop->parametersWindow();
        control<QComboBox>(parameters, "UnitsBox")->setCurrentIndex(0);
        parameters.buttonOkClick();
        t.desktop->open(w);
        settle();

        QCOMPARE(heading(w, kOdColumn), QString("OD\nmm"));
        QCOMPARE(heading(w, kWindowColumn), QString("WINDOW\nmm²"));
        // Ae and le stay in the catalog's centimetres.
        QCOMPARE(heading(w, 3), QString("AE\ncm²"));
        const int row = rowOf(w, "T106-21");
        QCOMPARE(w.cellText(row, kOdColumn), QString("26.92"));
        QCOMPARE(w.cellText(row, kOdColumn + 1), QString("14.48"));
        QCOMPARE(w.cellText(row, kWindowColumn), QString("164.63"));
        QCOMPARE(w.cellText(row, 3), QString("0.677"));
        // What the user had chosen stays.
        QCOMPARE(materials->currentText(), QString("-21"));
        QCOMPARE(w.rowCount(), 65);
        QCOMPARE(w.selectedPartNumber(), QString("T106-21"));
    }

    void analyzeOpensTheAnalysisWithTheChosenCore() {
        TestDesktop t;
        searchBuckFilter(t, "2");
        const DesignResult highlighted = t.record().designResults[t.record().selectedDesign];
        CatalogWindow& w = openFromMenu(t);
        clickRow(w, rowOf(w, "T130-36"));
        auto* analyze = control<QPushButton>(w, "Button_Analyze");
        QVERIFY(analyze->isEnabled());
        QTest::mouseClick(analyze, Qt::LeftButton);
        settle();

        AnalysisWindow& analysis = t.desktop->analysisWindow();
        QVERIFY(analysis.isVisible());
        QCOMPARE(analysis.field(kPartNumberField)->text(), QString("T130-36"));
        QCOMPARE(analysis.field(kStackField)->text(), QString("1"));
        // The rest comes from the highlighted design and the requirements, as ANALYSIS loads it.
        QCOMPARE(analysis.field(kTurnsField)->text(), QString::number(highlighted.turns));
        QCOMPARE(analysis.field(kCurrentField)->text(), QString("  5.00"));
        QCOMPARE(QApplication::focusWidget(), analysis.field(kPartNumberField));

        QVERIFY(analysis.buttonOkClick());
        QVERIFY(t.messages.empty());
        QCOMPARE(t.record().corePartNumber, std::string("T130-36"));
        QCOMPARE(t.record().stackedCores, 1);
    }

    void enterOnAChosenRowAnalyzesItToo() {
        TestDesktop t;
        t.record().coreShape = kComposite;
        CatalogWindow& w = openFromMenu(t);
        clickRow(w, rowOf(w, "ST106-413B"));
        QTest::keyClick(grid(w), Qt::Key_Return);
        settle();
        QVERIFY(t.desktop->analysisWindow().isVisible());
        QCOMPARE(t.desktop->analysisWindow().field(kPartNumberField)->text(),
                 QString("ST106-413B"));
    }

    void analyzeWithoutAChosenCoreDoesNothing() {
        TestDesktop t;
        CatalogWindow& w = openFromMenu(t);
        w.analyzeClick();
        settle();
        QVERIFY(!t.desktop->analysisWindow().isVisible());
        QVERIFY(t.messages.empty());
    }
};

static RegisterUiTest<CatalogWindowTest> registerCatalogWindowTest("CatalogWindowTest");

}  // namespace korvell::test

#include "CatalogWindowTest.moc"
