// The requirements window driven from the keyboard: first key replaces, stray letters removed,
// Enter moves on and Enter twice runs OK, the arrows wrap; captions and rows by application; the
// shape and winding rules; ripple and resonant frequency on leaving a field; OK's refusals.
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <cmath>

#include "ui/AnalysisWindow.h"
#include "ui/EntryKeys.h"
#include "ui/MainWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class RequirementsWindowTest : public QObject {
    Q_OBJECT

  private:
    // Opens the requirements window for an application, as the main window's commands do.
    static RequirementsWindow& openFor(TestDesktop& t, int application) {
        t.desktop->mainWindow().applicationCommand(application);
        settle();
        return t.desktop->requirementsWindow();
    }
    static QString text(RequirementsWindow& w, int k) { return w.field(k)->text(); }
    static void typeInto(RequirementsWindow& w, int k, const char* keys) {
        w.field(k)->setFocus();
        typeKeys(w.field(k), keys);
    }

  private slots:
    void opensWithTheApplicationsValuesAndTheFocusInTheFirstField() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kDcBiased);
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(), QString("REQUIREMENTS"));
        QCOMPARE(w.applicationCaption(), QString("DC BIASED OUTPUT FILTER INDUCTOR"));
        QCOMPARE(text(w, 0), QString("  0.00"));
        QCOMPARE(text(w, 8), QString("  55.0"));
        QCOMPARE(text(w, 9), QString("   1"));
        QCOMPARE(QApplication::focusWidget(), w.field(0));
        QCOMPARE(w.field(2)->accessibleName(), QString("MAXIMUM CURRENT"));
    }

    void firstKeyReplacesAndAStrayLetterGoesWithTheNextKey() {
        TestDesktop t;
        t.record().requirementsByApplication[0][7] = 10;
        RequirementsWindow& w = openFor(t, kDcBiased);
        QCOMPARE(text(w, 7), QString(" 10.00"));
        typeInto(w, 7, "5");
        QCOMPARE(text(w, 7), QString("5"));

        typeInto(w, 0, "1x");
        QCOMPARE(text(w, 0), QString("1x"));
        QTest::keyClick(w.field(0), '0');
        QCOMPARE(text(w, 0), QString("10"));
        // A letter left at the end is caught by OK.
        typeInto(w, 0, "q");
        w.buttonOkClick();
        QCOMPARE(t.messages.last().text,
                 std::string("INVALID CHARACTER in Parameter 0.  10q \nINDUCTANCE AT MAX CURRENT"));
        // The field at fault has the keyboard, its text selected to be typed over.
        QCOMPARE(QApplication::focusWidget(), w.field(0));
        QCOMPARE(w.field(0)->selectedText(), QString("10q"));
        QCOMPARE(t.messages.last().caption, std::string("DATA ENTRY ERROR"));
        // The window keeps what was typed, and the first key replaces it.
        QCOMPARE(text(w, 0), QString("10q"));
        QTest::keyClick(w.field(0), '5');
        QCOMPARE(text(w, 0), QString("5"));
    }

    void enterMovesOnAndEnterTwiceRunsTheDesign() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kDcBiased);
        QLineEdit* first = w.field(0);
        first->setFocus();
        // Enter, a digit, Enter: two fields on, no design.
        QTest::keyClick(first, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.field(1));
        QTest::keyClick(w.field(1), '0');
        QTest::keyClick(w.field(1), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.field(2));
        QVERIFY(t.messages.empty());
        QVERIFY(w.isVisible());

        typeKeys(w.field(2), "5");
        QTest::keyClick(w.field(2), Qt::Key_Return);
        typeKeys(w.field(5), "12");
        QTest::keyClick(w.field(5), Qt::Key_Return);
        typeKeys(w.field(6), "5");
        QTest::keyClick(w.field(6), Qt::Key_Return);
        typeKeys(w.field(7), "100");
        QTest::keyClick(w.field(7), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.field(8));
        // The inductance is still 0: the two Enters run OK, which refuses it.
        QTest::keyClick(w.field(8), Qt::Key_Return);
        QTest::keyClick(w.field(9), Qt::Key_Return);
        QCOMPARE(t.messages.size(), std::size_t{1});
        QCOMPARE(t.messages.last().text,
                 std::string("SPECIFIED INDUCTANCE:  0.0 nH is beyond the 100 nH lower Limit "
                             "\nINDUCTANCE AT MAX CURRENT"));

        typeInto(w, 0, "100");
        QTest::keyClick(w.field(0), Qt::Key_Return);
        QTest::keyClick(w.field(1), Qt::Key_Return);
        settle();
        QVERIFY(!w.isVisible());
        QVERIFY(t.desktop->resultsWindow().isVisible());
        QVERIFY(t.record().designCount > 0);
        QCOMPARE(t.record().reqtSummary[0].value, std::string("100"));
    }

    void arrowsMoveOverTheShownFieldsAndWrap() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kPowerline);
        w.field(0)->setFocus();
        QTest::keyClick(w.field(0), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.field(10));
        QTest::keyClick(w.field(10), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.field(0));
        w.field(4)->setFocus();
        // Powerline hides rows 5 and 6.
        QTest::keyClick(w.field(4), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.field(7));
        // An arrow between two Enters starts nothing.
        QTest::keyClick(w.field(7), Qt::Key_Return);
        QTest::keyClick(w.field(8), Qt::Key_Up);
        QTest::keyClick(w.field(7), Qt::Key_Return);
        QVERIFY(t.messages.empty());
    }

    void captionsAndRowsFollowTheApplication() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kPowerline);
        const auto label = [&](const char* name) { return control<QLabel>(w, name); };
        QCOMPARE(label("Label12")->text(), QString("AMPERES RMS"));
        QCOMPARE(label("Label14")->text(), QString("AMPERES RMS"));
        QCOMPARE(label("Label17")->text(), QString("HERTZ"));
        QVERIFY(!w.field(3)->isHidden());
        QVERIFY(w.field(5)->isHidden() && label("Label5")->isHidden() &&
                label("Label15")->isHidden());
        QVERIFY(w.field(6)->isHidden());

        w.labelApplicationClick();  // resonant
        QCOMPARE(t.record().applicationType, std::int8_t{kResonant});
        QCOMPARE(label("Label2")->text(), QString("PEAK CURRENT"));
        QCOMPARE(label("Label5")->text(), QString("PEAK VOLTAGE"));
        QCOMPARE(label("Label12")->text(), QString("AMPERES"));
        QCOMPARE(label("Label17")->text(), QString("kHERTZ"));
        QVERIFY(!w.field(5)->isHidden());
        QVERIFY(w.field(6)->isHidden() && w.field(3)->isHidden());

        for (int i = 0; i < 4; ++i)
            w.labelApplicationClick();  // round to the power factor boost
        QCOMPARE(label("Label5")->text(), QString("PEAK REGULATOR INPUT VOLTAGE"));
        QCOMPARE(label("Label6")->text(), QString("REGULATOR DC OUTPUT VOLTAGE"));
        QCOMPARE(label("Label0")->toolTip(),
                 QString("INDUCTANCE AT MAXIMUM CURRENT INDICATED BELOW"));
        QCOMPARE(label("Label5")->toolTip(), QString("SWITCH MODE INDUCTOR \"ON\" VOLTAGE"));
        QCOMPARE(label("Label19")->text(), QString("WIRE STRANDS"));
    }

    void wideSwingSwitchesToCompositeAndTheShapeComesBack() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kDcBiased);
        auto* shapes = control<QComboBox>(w, "ShapeBox");
        QCOMPARE(shapes->count(), 3);
        shapes->setCurrentIndex(kECore);
        emit shapes->activated(kECore);
        QCOMPARE(t.record().coreShape, std::int8_t{kECore});

        w.labelApplicationClick();  // controlled swing keeps the E-core
        QCOMPARE(t.record().coreShape, std::int8_t{kECore});
        w.labelApplicationClick();  // wide swing
        QCOMPARE(t.record().coreShape, std::int8_t{kComposite});
        QVERIFY(shapes->isHidden());
        QVERIFY(control<QPushButton>(w, "ButtonMaterial")->isHidden());
        QVERIFY(!control<QLabel>(w, "Label39")->isHidden());
        w.labelApplicationClick();  // power factor boost
        QCOMPARE(t.record().coreShape, std::int8_t{kECore});
        QCOMPARE(shapes->currentIndex(), int{kECore});
        QVERIFY(!shapes->isHidden());
        QCOMPARE(shapes->count(), 3);
    }

    void resonantStartsSingleLayerAndTheWindingComesBack() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kPowerline);
        auto* windings = control<QComboBox>(w, "WindgBox");
        QCOMPARE(windings->currentIndex(), int{kFullWindow});
        w.labelApplicationClick();
        QCOMPARE(t.record().windingMode, std::int8_t{kSingleLayer});
        QCOMPARE(windings->currentText(), QString("SINGLE LAYER"));
        w.labelApplicationClick();
        QCOMPARE(t.record().windingMode, std::int8_t{kFullWindow});
    }

    void leavingAFieldShowsTheRippleAndTheResonantFrequency() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kDcBiased);
        typeInto(w, 0, "50");
        typeInto(w, 2, "5");
        typeInto(w, 5, "7");
        typeInto(w, 6, "5");
        typeInto(w, 7, "100");
        w.field(8)->setFocus();
        QCOMPARE(control<QLabel>(w, "RippleLabel")->text(),
                 QString("RIPPLE CURRENT:   0.583 AMPERES  p-p"));

        w.labelApplicationClick();
        w.labelApplicationClick();
        w.labelApplicationClick();
        w.labelApplicationClick();
        w.labelApplicationClick();  // resonant
        typeInto(w, 0, "10");
        typeInto(w, 2, "2");
        typeInto(w, 5, "100");
        w.field(8)->setFocus();
        QCOMPARE(text(w, 7), QString("795.8"));
    }

    void okRefusesFractionalStacksAndReportsTheLastFailingCheck() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kDcBiased);
        w.field(9)->setText("2.5");
        w.buttonOkClick();
        QCOMPARE(t.messages.last().text,
                 std::string("INVALID CHARACTER in Parameter 9.  2.5 \nSTACKED CORES"));
        QCOMPARE(QApplication::focusWidget(), w.field(9));

        // Both the inductance and the current missing: only the inductance is reported.
        w.field(9)->setText("1");
        w.buttonOkClick();
        QCOMPARE(t.messages.size(), std::size_t{2});
        QCOMPARE(t.messages.last().text,
                 std::string("SPECIFIED INDUCTANCE:  0.0 nH is beyond the 100 nH lower Limit "
                             "\nINDUCTANCE AT MAX CURRENT"));
        QVERIFY(w.isVisible());
        QCOMPARE(t.record().designCount, 0);
    }

    void cancelPutsTheShownTextsBack() {
        TestDesktop t;
        t.record().requirementsByApplication[0][2] = 3;
        RequirementsWindow& w = openFor(t, kDcBiased);
        typeInto(w, 2, "77");
        QCOMPARE(text(w, 2), QString("77"));
        w.buttonCancelClick();
        QCOMPARE(text(w, 2), QString("  3.00"));
        QVERIFY(w.isVisible());
        QVERIFY(w.keys().firstKeyFlag());
    }

    void aMessageBoxKeepsTheTypedTextsWhereAnotherWindowReloadsThem() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kDcBiased);
        QCOMPARE(t.desktop->activeForm(), &w);
        typeInto(w, 0, "100");
        QMessageBox box(QMessageBox::NoIcon, "DATA ENTRY ERROR", "text");
        box.show();
        t.desktop->focusWindowChanged(box.windowHandle());
        box.hide();
        t.desktop->focusWindowChanged(w.windowHandle());
        QCOMPARE(text(w, 0), QString("100"));

        // Coming back from the main window reloads the window from the record.
        t.desktop->mainWindow().show();
        t.desktop->focusWindowChanged(t.desktop->mainWindow().windowHandle());
        t.desktop->focusWindowChanged(w.windowHandle());
        QCOMPARE(text(w, 0), QString("  0.00"));
    }

    // One PFC ripple: the requirements window's line and the analysis's row are the boost's
    // largest ripple over the line cycle, the same figure for the same inductance (the ripple
    // goes as 1 / L). The line goes when the application changes; the powerline choke has none.
    void thePfcRippleIsTheSameInTheRequirementsAndTheAnalysis() {
        TestDesktop t;
        RequirementsWindow& w = openFor(t, kPowerFactorBoost);
        for (const auto& [field, value] :
             {std::pair{0, "500"}, {2, "5"}, {5, "120"}, {6, "400"}, {7, "65"}})
            w.field(field)->setText(value);
        w.field(1)->setFocus();
        w.field(7)->setFocus();  // leaving a field figures the ripple
        auto* ripple = control<QLabel>(w, "RippleLabel");
        QCOMPARE(ripple->text(), QString("RIPPLE CURRENT:   2.585 AMPERES  p-p"));
        w.buttonOkClick();
        QVERIFY(t.record().designCount > 0);
        control<QPushButton>(t.desktop->mainWindow(), "ANalysis")->click();
        settle();
        const AnalysisTable& table = t.desktop->analysisWindow().table();
        const double inductanceUh = table.rows[0].value;
        const double analyzed = table.rows[3].value;  // RIPPLE CURRENT, A p-p
        QVERIFY(analyzed > 0);
        QVERIFY2(std::fabs(analyzed * inductanceUh / 500 - 2.5846) < 0.002,
                 qPrintable(QString::number(analyzed * inductanceUh / 500)));

        t.desktop->analysisWindow().close();
        openFor(t, kDcBiased);
        QCOMPARE(ripple->text(), QString());  // the PFC figure is not the buck's
        openFor(t, kPowerline);
        for (int k = 0; k < 8; ++k) {
            if (!w.field(k)->isVisible()) continue;
            w.field(k)->setFocus();
        }
        w.field(0)->setFocus();
        QCOMPARE(ripple->text(), QString());
    }
};

static RegisterUiTest<RequirementsWindowTest> registerRequirementsWindowTest(
    "RequirementsWindowTest");

}  // namespace korvell::test

#include "RequirementsWindowTest.moc"
