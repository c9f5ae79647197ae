// The material selector: its rows and buttons, the first opening checking all fourteen, SELECT
// ALL and INVERT, the selection written on OK and when another window of the program takes the
// focus, a box keeping a check the selection no longer holds, and a search with nothing selected.
#include <QCheckBox>
#include <QLabel>

#include "engine/DesignSearch.h"
#include "ui/MainWindow.h"
#include "ui/MaterialSelector.h"
#include "ui/RequirementsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

namespace {

MaterialSelector& openFromMainWindow(TestDesktop& t) {
    control<QPushButton>(t.desktop->mainWindow(), "MaterialSel")->click();
    settle();
    return t.desktop->materialSelector();
}

int checkedCount(MaterialSelector& w) {
    int n = 0;
    for (int k = 0; k < kSelectableMaterialCount; ++k)
        n += w.checkBox(k)->isChecked() ? 1 : 0;
    return n;
}

}  // namespace

class MaterialSelectorTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsButtonsAndHintsAreTheSelectors() {
        TestDesktop t;
        MaterialSelector& w = t.desktop->materialSelector();
        QVERIFY(!w.isEnabled());
        QVERIFY(!w.isVisible());
        QCOMPARE(w.windowTitle(),
                 QString("Korvell Materials for Power Conversion and Line Filter Applications"));
        QCOMPARE(w.toolTip(), QString("Select any or all From the List"));
        const char* codes[] = {"11", "13", "16", "17", "21", "23", "25",
                               "27", "29", "31", "32", "36", "37", "39"};
        for (int k = 0; k < kSelectableMaterialCount; ++k) {
            QCheckBox* box = w.checkBox(k);
            QCOMPARE(box->objectName(), QString("CheckBox_") + codes[k]);
            QCOMPARE(box->text(), QString("-") + codes[k]);
            QVERIFY(!box->isChecked());
            // Each description stands to the right of its box, rows top to bottom.
            const QString label =
                k >= 12 ? QString("Label") + codes[k] : QString("Label_") + codes[k];
            QLabel* description = control<QLabel>(w, label.toUtf8().constData());
            QVERIFY(description->wordWrap());
            QVERIFY(description->x() > box->x());
            if (k > 0) QVERIFY(box->y() > w.checkBox(k - 1)->y());
        }
        QCOMPARE(control<QLabel>(w, "Label_27")->text(), control<QLabel>(w, "Label_25")->text());
        QCOMPARE(control<QLabel>(w, "Label_31")->text(),
                 QString("The least expensive material.  Characteristics similar to -21 material. "
                         " Popular in large sizes."));
        QCOMPARE(w.checkBox(5)->toolTip(), control<QLabel>(w, "Label_23")->text());
        QCOMPARE(control<QPushButton>(w, "INVERT")->text(), QString("INVERT SELECTION"));
        QCOMPARE(control<QPushButton>(w, "INVERT")->toolTip(),
                 QString("PRESS TO DE-SELECT ALL SELECTED MATERIALS"));
        QCOMPARE(control<QPushButton>(w, "SELECT_ALL")->text(), QString("SELECT ALL"));
        QCOMPARE(control<QPushButton>(w, "Button1")->text(), QString("OK"));
    }

    void tabWalksTheRowsThenTheButtons() {
        TestDesktop t;
        MaterialSelector& w = openFromMainWindow(t);
        w.checkBox(0)->setFocus();
        for (int k = 1; k < kSelectableMaterialCount; ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w.checkBox(k));
        }
        for (const char* name : {"INVERT", "SELECT_ALL", "Button1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
        }
        // Space on a box checks or clears it, as a click does.
        w.checkBox(3)->setFocus();
        QTest::keyClick(w.checkBox(3), Qt::Key_Space);
        QVERIFY(!w.checkBox(3)->isChecked());
    }

    void firstOpeningChecksAllFourteenAndInvertTwiceRestores() {
        TestDesktop t;
        MaterialSelector& w = openFromMainWindow(t);
        QVERIFY(w.isVisible());
        QVERIFY(w.isEnabled());
        QCOMPARE(checkedCount(w), kSelectableMaterialCount);
        QTest::mouseClick(control<QPushButton>(w, "INVERT"), Qt::LeftButton);
        QCOMPARE(checkedCount(w), 0);
        QTest::mouseClick(control<QPushButton>(w, "INVERT"), Qt::LeftButton);
        QCOMPARE(checkedCount(w), kSelectableMaterialCount);
        w.checkBox(2)->setChecked(false);
        w.invertClick();
        QCOMPARE(checkedCount(w), 1);
        QVERIFY(w.checkBox(2)->isChecked());
        // SELECT ALL only checks; the selection changes when OK is pressed.
        w.selectAllClick();
        QCOMPARE(checkedCount(w), kSelectableMaterialCount);
    }

    void okWritesTheSelectionAndHides() {
        TestDesktop t;
        MaterialSelector& w = openFromMainWindow(t);
        w.invertClick();
        w.checkBox(4)->setChecked(true);   // -21
        w.checkBox(11)->setChecked(true);  // -36
        t.record().selectedMaterials[15] = "-2";
        QTest::mouseClick(control<QPushButton>(w, "Button1"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.isEnabled());
        for (int k = 0; k < kSelectableMaterialCount; ++k) {
            QCOMPARE(t.record().selectedMaterials[k], k == 4    ? std::string("-21")
                                                      : k == 11 ? std::string("-36")
                                                                : std::string());
        }
        QCOMPARE(t.record().selectedMaterials[15], std::string("-2"));
    }

    void anotherWindowTakingTheFocusWritesTheSelection() {
        TestDesktop t;
        MaterialSelector& w = openFromMainWindow(t);
        w.checkBox(0)->setChecked(false);
        // The requirements window comes forward: the selector is deactivated.
        t.desktop->openRequirements();
        settle();
        QCOMPARE(t.record().selectedMaterials[0], std::string());
        QCOMPARE(t.record().selectedMaterials[1], std::string("-13"));
        // It opens the selector again from its CORE MATERIAL button.
        control<QPushButton>(t.desktop->requirementsWindow(), "ButtonMaterial")->click();
        settle();
        QVERIFY(w.isVisible());
        QVERIFY(!w.checkBox(0)->isChecked());
    }

    void aBoxKeepsACheckTheSelectionNoLongerHolds() {
        TestDesktop t;
        MaterialSelector& w = openFromMainWindow(t);
        t.desktop->openRequirements();
        settle();
        // The selection loses -11 elsewhere; the box, checked before, stays checked.
        t.record().selectedMaterials[0].clear();
        t.desktop->openMaterialSelector();
        settle();
        QVERIFY(w.checkBox(0)->isChecked());
    }

    void nothingSelectedFindsNoIronPowderCore() {
        TestDesktop t;
        MaterialSelector& w = openFromMainWindow(t);
        w.invertClick();
        w.okClick();
        for (int k = 0; k < kSelectableMaterialCount; ++k)
            QVERIFY(t.record().selectedMaterials[k].empty());
        searchBuckFilter(t);
        QCOMPARE(t.record().designCount, 0);
        QCOMPARE(t.record().designResults[0].partNumber, std::string(kEndOfCatalogMarker));
    }
};

static RegisterUiTest<MaterialSelectorTest> registerMaterialSelectorTest("MaterialSelectorTest");

}  // namespace korvell::test

#include "MaterialSelectorTest.moc"
