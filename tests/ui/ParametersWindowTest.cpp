// The design parameters window: the texts it loads per application, its range and character
// refusals, the metric current-density form of row 1, the lists, Enter twice and CANCEL.
#include <QComboBox>
#include <QLabel>

#include "ui/EntryKeys.h"
#include "ui/MainWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class ParametersWindowTest : public QObject {
    Q_OBJECT

  private:
    static ParametersWindow& open(TestDesktop& t) {
        t.desktop->openParameters();
        settle();
        return t.desktop->parametersWindow();
    }
    static void chooseGage(ParametersWindow& w, int index) {
        auto* box = control<QComboBox>(w, "WireGageBox");
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

  private slots:
    void loadsTheApplicationsParametersWithThePfcRiseOf80() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        QCOMPARE(w.windowTitle(), QString("DESIGN_PARAMETERS"));
        QCOMPARE(w.field(0)->text(), QString(" 40.00"));
        QCOMPARE(w.field(1)->text(), QString("150.00"));
        QCOMPARE(w.field(6)->text(), QString("0.8330"));
        QCOMPARE(w.field(8)->text(), QString(" 55.00"));
        QVERIFY(w.currentDensityField()->isHidden());
        for (int i = 0; i < 3; ++i)
            w.labelApplicationClick();
        QCOMPARE(control<QLabel>(w, "LabelApplication")->text(),
                 QString("POWER FACTOR BOOST INDUCTOR"));
        QCOMPARE(w.field(0)->text(), QString(" 80.00"));
        for (int i = 0; i < 6; ++i)
            w.labelApplicationClick();
        QCOMPARE(t.record().applicationType, std::int8_t{kPowerFactorBoost});
        // The lists hold their three choices however often the window is loaded.
        QCOMPARE(control<QComboBox>(w, "UnitsBox")->count(), 3);
        QCOMPARE(control<QComboBox>(w, "WireGageBox")->itemText(2), QString("BRITISH, SWG"));
        QCOMPARE(control<QComboBox>(w, "UnitsBox")->currentText(), QString("ENGLISH"));
    }

    void rangeAndCharacterRefusalsNameTheField() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        w.field(0)->setText("200");
        w.field(8)->setText("-55");
        w.buttonOkClick();
        QVERIFY(t.messages.empty());
        QVERIFY(!w.isVisible());
        QCOMPARE(t.record().maxTempRise, 200.0f);
        QCOMPARE(t.record().ambientTemp, -55.0f);

        open(t);
        w.field(0)->setText("200.5");
        w.buttonOkClick();
        QCOMPARE(t.messages.last().text,
                 std::string("Parameter 1. (200.50) Must Be In The Range:   0.00 To 200.00"
                             "\nMAXIMUM TEMPERATURE RISE"));
        QCOMPARE(w.focusWidget(), w.field(0));
        QCOMPARE(t.messages.last().caption, std::string("PARAMETER OUT OF RANGE ERROR"));
        QVERIFY(w.isVisible());

        w.field(0)->setText("50");
        w.field(3)->setText("-40");
        w.buttonOkClick();
        QCOMPARE(t.messages.last().text, std::string("INVALID CHARACTER in Parameter 3.  -40 "
                                                     "\nMINIMUM % PERM UNDER DC BIAS"));
        QCOMPARE(t.record().maxTempRise, 200.0f);
    }

    void metricCurrentDensityIsStoredAsCopperArea() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        chooseGage(w, kMetricWire);
        QCOMPARE(t.record().wireGageSystem, std::int8_t{kMetricWire});
        QVERIFY(w.field(1)->isHidden());
        QVERIFY(!w.currentDensityField()->isHidden());
        QCOMPARE(w.currentDensityField()->text(), QString("1316.00"));
        w.currentDensityField()->setText("1316");
        w.buttonOkClick();
        QVERIFY(t.messages.empty());
        QCOMPARE(t.record().minCopperAreaCma, 150.0f);
        QCOMPARE(t.record().wireGageName, std::string("mm "));

        open(t);
        QCOMPARE(w.currentDensityField()->text(), QString("1316.00"));
        chooseGage(w, kAwg);
        QCOMPARE(w.field(1)->text(), QString("150.00"));
        QVERIFY(w.currentDensityField()->isHidden());
        // AWG to SWG leaves row 1 as it is.
        w.field(1)->setText("200");
        chooseGage(w, kSwg);
        QCOMPARE(w.field(1)->text(), QString("200"));
        QVERIFY(!w.field(1)->isHidden());
    }

    void typingRemovesAStrayLetterAndEnterTwiceStores() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        w.field(2)->clear();
        w.field(2)->setFocus();
        typeKeys(w.field(2), "12a3");
        QCOMPARE(w.field(2)->text(), QString("123"));
        w.field(2)->setText("55");
        // A digit typed into a freshly loaded field is added to it; no digit is lost to the
        // blank the value is shown with.
        w.field(3)->setFocus();
        w.field(3)->end(false);
        typeKeys(w.field(3), "5");
        QCOMPARE(w.field(3)->text(), QString(" 40.005"));
        w.field(3)->setText("45");
        QTest::keyClick(w.field(3), Qt::Key_Return);
        QTest::keyClick(w.field(4), Qt::Key_Return);
        QVERIFY(t.messages.empty());
        QVERIFY(!w.isVisible());
        QCOMPARE(t.record().maxFillFactor, 0.55f);
        QCOMPARE(t.record().minPercentPerm, 45.0f);
    }

    // The design choices are taken with the parameters; a refused AL TOLERANCE stores nothing.
    void designChoicesAreStoredForTheApplication() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        QCOMPARE(w.toleranceField()->text(), QString("  8.00"));
        QCOMPARE(w.riseLimitBox()->itemText(1), QString("CHECK"));
        QCOMPARE(w.designAtBox()->itemText(1), QString("WORST CASE"));
        w.field(0)->setText("45");
        w.toleranceField()->setText("40");
        w.buttonOkClick();
        QCOMPARE(t.messages.size(), std::size_t{1});
        QVERIFY(w.isVisible());
        QCOMPARE(t.record().maxTempRise, 40.0f);
        w.toleranceField()->setText("12");
        w.riseLimitBox()->setCurrentIndex(1);
        w.designAtBox()->setCurrentIndex(1);
        w.buttonOkClick();
        QVERIFY(!w.isVisible());
        const DesignChoices expected{kRiseByCheck, 12, kDesignAtWorstCase};
        QVERIFY(t.record().designChoicesByApplication[kDcBiased] == expected);
        QCOMPARE(t.record().designAt, std::int8_t{kDesignAtWorstCase});
        QCOMPARE(t.record().maxTempRise, 45.0f);
    }

    void arrowsWalkTheShownFieldsOnly() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        w.field(0)->setFocus();
        QTest::keyClick(w.field(0), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.field(1));
        QTest::keyClick(w.field(1), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.field(2));
        QTest::keyClick(w.field(2), Qt::Key_Up);
        QTest::keyClick(w.field(1), Qt::Key_Up);
        QTest::keyClick(w.field(0), Qt::Key_Up);
        // Up from the first field wraps to the last: AL TOLERANCE, after the nine.
        QCOMPARE(QApplication::focusWidget(), w.toleranceField());
        QCOMPARE(w.keys().shownFields().size(), std::size_t{10});
    }

    void cancelRestoresTheTextsAndKeepsTheWindowOpen() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        w.field(7)->setText("3");
        w.buttonCancelClick();
        QCOMPARE(w.field(7)->text(), QString("  0.25"));
        QVERIFY(w.isVisible());
    }

    void unitsChoiceSetsTheDisplayUnits() {
        TestDesktop t;
        ParametersWindow& w = open(t);
        control<QComboBox>(w, "UnitsBox")->setCurrentIndex(0);
        w.buttonOkClick();
        QCOMPARE(t.record().unitSystem, 0);
        QCOMPARE(t.record().lengthUnitName, std::string("mm "));
        QCOMPARE(t.record().lengthFactor, 25.4f);
    }
};

static RegisterUiTest<ParametersWindowTest> registerParametersWindowTest("ParametersWindowTest");

}  // namespace korvell::test

#include "ParametersWindowTest.moc"
