// The wire-table window: opened from the REFERENCES menu and the WIRE TABLES button, the table of
// the gage standard and the display units chosen in the parameters window, shown anew when they
// change, and never a figure that is not a number.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "ui/MainWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/UiTests.h"
#include "ui/WireTableWindow.h"

namespace korvell::test {

namespace {

WireTableWindow& openFromMenu(TestDesktop& t) {
    control<QAction>(t.desktop->mainWindow(), "WIRETABLESm")->trigger();
    settle();
    return t.desktop->wireTableWindow();
}

QStringList headings(WireTableWindow& w) {
    QStringList list;
    for (int k = 0; k < w.grid()->columnCount(); ++k)
        list << w.grid()->horizontalHeaderItem(k)->text();
    return list;
}

QStringList rowTexts(WireTableWindow& w, int row) {
    QStringList list;
    for (int k = 0; k < w.grid()->columnCount(); ++k)
        list << w.grid()->item(row, k)->text();
    return list;
}

// The units and the gage standard chosen in the parameters window, stored with its OK.
void chooseInParameters(TestDesktop& t, int units, int gageStandard) {
    control<QAction>(t.desktop->mainWindow(), "PARAMETERS1")->trigger();
    settle();
    ParametersWindow& parameters = t.desktop->parametersWindow();
    control<QComboBox>(parameters, "UnitsBox")->setCurrentIndex(units);
    control<QComboBox>(parameters, "WireGageBox")->setCurrentIndex(gageStandard);
    parameters.buttonOkClick();
    settle();
}

}  // namespace

class WireTableWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensFromTheMenuAndTheButtonWithTheAwgTable() {
        TestDesktop t;
        WireTableWindow& w = openFromMenu(t);
        QVERIFY(w.isVisible());
        QCOMPARE(w.objectName(), QString("TWireTableForm"));
        QCOMPARE(w.windowTitle(), QString("WIRE TABLES"));
        QCOMPARE(w.geometry(), QRect(192, 153, 896, 716));
        QCOMPARE(w.grid()->rowCount(), 54);
        QCOMPARE(headings(w),
                 (QStringList{"SIZE\nAWG", "AREA\ncmil", "BARE DIA\nin", "BUILD\nin", "DIA\nin",
                              "MAX DIA\nin", "RESISTANCE\nohms/ft", "WEIGHT\nLbs/ft"}));
        QCOMPARE(w.grid()->item(0, 0)->text(), QString("0000"));
        QCOMPARE(rowTexts(w, 13), (QStringList{"10", "10383.6", "0.10190", "0.00230", "0.10420",
                                               "0.10610", "0.00099879", "0.031608"}));
        QVERIFY(w.title()->text().contains("AMERICAN, AWG"));
        QVERIFY(w.title()->text().contains("ENGLISH"));
        // The table is to read, not to edit.
        QCOMPARE(w.grid()->editTriggers(), QAbstractItemView::NoEditTriggers);

        w.hide();
        QTest::mouseClick(control<QPushButton>(t.desktop->mainWindow(), "WireTabl"),
                          Qt::LeftButton);
        settle();
        QVERIFY(w.isVisible());
        QCOMPARE(w.grid()->rowCount(), 54);
    }

    void followsTheGageStandardAndTheUnitsOfTheParameters() {
        TestDesktop t;
        chooseInParameters(t, 0, kSwg);
        WireTableWindow& w = openFromMenu(t);
        QCOMPARE(w.grid()->rowCount(), 50);
        QCOMPARE(headings(w),
                 (QStringList{"SIZE\nSWG", "AREA\nmm²", "BARE DIA\nmm", "BUILD\nmm", "DIA\nmm",
                              "MAX DIA\nmm", "RESISTANCE\nohms/m", "WEIGHT\ngm/m"}));
        QCOMPARE(w.grid()->item(0, 0)->text(), QString("1"));
        // SWG 1 is 0.300 in, 7.62 mm across.
        QCOMPARE(w.grid()->item(0, 2)->text(), QString("7.6200"));
        QVERIFY(w.title()->text().contains("BRITISH, SWG"));
        QVERIFY(w.title()->text().contains("METRIC"));

        // Changed while the table is open: the next activation shows the new table.
        chooseInParameters(t, 0, kAwg);
        t.desktop->open(w);
        settle();
        QCOMPARE(w.grid()->rowCount(), 54);
        QCOMPARE(rowTexts(w, 13), (QStringList{"10", "5.2615", "2.5883", "0.0584", "2.6467",
                                               "2.6949", "0.0032769", "47.038"}));

        chooseInParameters(t, 1, kMetricWire);
        control<QAction>(t.desktop->mainWindow(), "WIRETABLESm")->trigger();
        settle();
        QCOMPARE(w.grid()->rowCount(), 40);
        QCOMPARE(w.grid()->item(0, 0)->text(), QString("8.00"));
        QCOMPARE(headings(w)[0], QString("SIZE\nmm"));
        QCOMPARE(headings(w)[2], QString("BARE DIA\nin."));
        QVERIFY(t.messages.empty());
    }

    void everyStandardInEveryUnitShowsOnlyNumbers() {
        TestDesktop t;
        for (int units = 0; units < 3; ++units) {
            for (int standard = 0; standard < 3; ++standard) {
                chooseInParameters(t, units, standard);
                WireTableWindow& w = openFromMenu(t);
                QVERIFY(w.grid()->rowCount() >= 40);
                for (int r = 0; r < w.grid()->rowCount(); ++r) {
                    for (int k = 0; k < w.grid()->columnCount(); ++k) {
                        const QString text = w.grid()->item(r, k)->text();
                        QVERIFY2(!text.isEmpty() && !text.contains("nan") && !text.contains("inf"),
                                 qPrintable(QString("%1 %2: %3").arg(r).arg(k).arg(text)));
                    }
                }
            }
        }
    }
};

static RegisterUiTest<WireTableWindowTest> registerWireTableWindowTest("WireTableWindowTest");

}  // namespace korvell::test

#include "WireTableWindowTest.moc"
