// The main window: its menu bar, tool bar and command buttons, the check marks of the CORES
// menu, placement and the resize layout, and the calculate command.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "engine/DesignSearch.h"
#include "ui/MainWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    static QStringList actionNames(const QList<QAction*>& actions) {
        QStringList names;
        for (QAction* a : actions) {
            if (!a->isSeparator()) names << a->objectName() + "=" + a->text();
        }
        return names;
    }

  private slots:
    void menuBarHoldsEveryItemInOrder() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        QCOMPARE(main.windowTitle(), QString("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS[*]"));
        QStringList top;
        for (QAction* a : main.menuBar()->actions())
            top << a->text();
        QCOMPARE(top, (QStringList{"&FILES", "&REFERENCES", "&AUTOMATIC DESIGNS", "COR&ES",
                                   "DA&TA DISPLAY", "&PARAMS", "&OPTIONS ", "&HELP"}));
        const auto menu = [&](const char* name) { return control<QMenu>(main, name); };
        QCOMPARE(actionNames(menu("FilesMenu")->actions()),
                 (QStringList{"NEW1=NEW", "OPEN1=OPEN", "CLOSEm=CLOSE", "SAVEAS1=SAVE AS",
                              "DESIGNREPORTm=DESIGN REPORT", "PRINTALL1=PRINT ALL DESIGNS"}));
        QCOMPARE(actionNames(menu("ReferencesMenu")->actions()),
                 (QStringList{"KORVELLCATALOG1=KORVELL CATALOG", "MATERIALSDATA1=MATERIALS DATA",
                              "WIRETABLESm=WIRE TABLES", "SALESOFFICES1=SALES OFFICES"}));
        QCOMPARE(actionNames(menu("AutomaticDesignsMenu")->actions()),
                 (QStringList{"DCBiasedM=DC BIASED", "CONTROLLEDSWINGm=CONTROLLED SWING",
                              "WIDESWINGm=WIDE SWING", "PFCBOOST1=PFC BOOST", "N60HZ1=60 HZ",
                              "RESONANT2=RESONANT"}));
        QCOMPARE(actionNames(menu("CoresMenu")->actions()),
                 (QStringList{"TOROIDm=TOROID", "ECOREm=E-CORE", "COMPOSITEm=COMPOSITE",
                              "MATERIALSm=&MATERIAL SELECTION",
                              "MATERIALSPROPERTIESmItem=MATERIALS PROPERTIES"}));
        QCOMPARE(actionNames(menu("MATERIALSPROPERTIESm")->actions()),
                 (QStringList{"InitialPermvsDCBiasM=Initial Perm vs DC Bias",
                              "PercentInitialPermvsDCBias1=Percent Initial Perm vs DC Bias",
                              "PercentInitialPermvsACFluxDensity1=Percent Initial Perm vs AC Flux "
                              "Density",
                              "EffectivePermvsFrequencym=Effective Perm vs Frequency",
                              "CoreLossm=Core Loss @ 1 kHz", "CoreLossm2=Core Loss @ 100 kHz"}));
        QCOMPARE(actionNames(menu("DataDisplayMenu")->actions()),
                 (QStringList{"ELECTRICALm=ELECTRICAL", "DIMENSIONALm=DIMENSIONAL",
                              "PERMvsDCBIAS1=% PERM vs DC BIAS", "PERMvsACFLUX1=% PERM vs AC FLUX",
                              "INDUCTANCEvsCURRENTm=INDUCTANCE vs CURRENT",
                              "LOSSvsAGEm=LOSS vs AGE", "TEMPERATUREvsAGE1=TEMPERATURE vs AGE",
                              "DESIGNEXPLORERm=DESIGN EXPLORER"}));
        QCOMPARE(
            actionNames(main.popupMenu()->actions()),
            (QStringList{"INITIALPERMvsDCBIAS1=INITIAL PERM vs DC BIAS",
                         "PERCENTINITIALPERMvsDCBIAS2=PERCENT INITIAL PERM vs DC BIAS",
                         "PERCENTINITIALPERMvsACFLUXDENSITY2=PERCENT INITIAL PERM vs AC FLUX "
                         "DENSITY",
                         "EFFECTIVEPERMvsFREQUENCY1=EFFECTIVE PERM vs FREQUENCY",
                         "CORELOSS1kHZ1=CORE LOSS @ 1kHZ", "CORELOSS100kHZ1=CORE LOSS @ 100 kHZ"}));
    }

    void buttonsCarryCaptionsHintsAndStartHidden() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        QStringList tools;
        for (const char* name : {"Button_Catalog", "Button_Analysis", "Button_Design",
                                 "Button_Material", "Button_DataTable", "Button_Calculate"}) {
            tools << control<QPushButton>(main, name)->text();
        }
        QCOMPARE(tools, (QStringList{"", "A&NALYSIS", "&DESIGN", "&MATERIAL", "DATA TA&BLE",
                                     "&CALCULATE"}));
        QCOMPARE(control<QPushButton>(main, "Button_Calculate")->toolTip(),
                 QString("Recalculates using updated material or parameter selection"));
        QCOMPARE(control<QPushButton>(main, "Pwrline_freq")->text(), QString("60 HZ"));
        QCOMPARE(control<QPushButton>(main, "ANalysis")->toolTip(),
                 QString("Analize An Existing Inductor Design.  Calculates inductance, flux "
                         "densities, losses."));
        main.show();
        QVERIFY(control<QPushButton>(main, "CATALOG")->isHidden());
        QVERIFY(control<QPushButton>(main, "Sales")->isHidden());
        QVERIFY(control<QWidget>(main, "ButtonPanl")->isHidden());
        QVERIFY(control<QAction>(main, "TOROIDm")->isChecked());
        QCOMPARE(control<QLabel>(main, "KorvName")->text(), QString("KORVELL"));
        QCOMPARE(control<QLabel>(main, "DateLabel")->text(), QString("MARCH 20, 2004"));
    }

    void shapeMenuKeepsOneCheckMarkAndOpensRequirements() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        main.show();
        control<QAction>(main, "ECOREm")->trigger();
        QCOMPARE(t.record().coreShape, std::int8_t{kECore});
        QVERIFY(!control<QAction>(main, "TOROIDm")->isChecked());
        QVERIFY(control<QAction>(main, "ECOREm")->isChecked());
        QVERIFY(!control<QAction>(main, "COMPOSITEm")->isChecked());
        QVERIFY(t.desktop->requirementsWindow().isVisible());
        control<QAction>(main, "COMPOSITEm")->trigger();
        QVERIFY(!control<QAction>(main, "ECOREm")->isChecked());
        QVERIFY(control<QAction>(main, "COMPOSITEm")->isChecked());
    }

    void placementFollowsTheScreenAndTheScalingStep() {
        TestDesktop t(QSize(1280, 1024));
        MainWindow& main = t.desktop->mainWindow();
        QCOMPARE(main.geometry(), QRect(64, 51, 1152, 921));
        // Contents are scaled by 1280 / 1024: the window font of 14 pixels becomes 18.
        QCOMPARE(main.font().pixelSize(), 18);
        QCOMPARE(control<QPushButton>(main, "Button_Design")->font().pixelSize(), 19);
    }

    void resizeLaysOutTheGroupsFromTheClientSize() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        main.show();
        main.resize(1000, 705);
        settle();
        QWidget* client = main.centralWidget();
        const MainWindowLayout expected =
            mainWindowLayout(main.frameGeometry().width(), client->width(), client->height());
        const Rect title = expected.titleGroup;
        QCOMPARE(control<QGroupBox>(main, "TitleGroup")->geometry(),
                 QRect(title.left, title.top, title.width, title.height));
        const Rect function = expected.functionGroup;
        QCOMPARE(control<QGroupBox>(main, "FunctionGroup")->geometry(),
                 QRect(function.left, function.top, function.width, function.height));
        QCOMPARE(control<QPushButton>(main, "Button_Analysis")->width(),
                 main.frameGeometry().width() / 7);
    }

    void applicationCommandsSetTheApplication() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        control<QAction>(main, "PFCBOOST1")->trigger();
        QCOMPARE(t.record().applicationType, std::int8_t{kPowerFactorBoost});
        QVERIFY(t.desktop->requirementsWindow().isVisible());
        QTest::mouseClick(control<QPushButton>(main, "Pwrline_freq"), Qt::LeftButton);
        QCOMPARE(t.record().applicationType, std::int8_t{kPowerline});
    }

    void resonantButtonForcesSingleLayerWhereTheMenuItemDoesNot() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        t.record().lastApplication = kResonant;  // the window changes nothing on its own
        t.record().windingMode = kFullWindow;
        control<QAction>(main, "RESONANT2")->trigger();
        settle();
        QCOMPARE(t.record().applicationType, std::int8_t{kResonant});
        QCOMPARE(t.record().windingMode, std::int8_t{kFullWindow});
        QTest::mouseClick(control<QPushButton>(main, "Resonant"), Qt::LeftButton);
        settle();
        QCOMPARE(t.record().windingMode, std::int8_t{kSingleLayer});
    }

    void calculateWithIncompleteRequirementsOpensTheRequirements() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        main.show();
        main.calculateClick();
        QVERIFY(t.desktop->requirementsWindow().isVisible());
        QVERIFY(!t.desktop->resultsWindow().isVisible());
        QCOMPARE(t.record().designResults[0].partNumber, std::string());

        // A controlled swing whose inductance at minimum current equals that at maximum current.
        t.record().applicationType = kControlledSwing;
        t.record().inductanceRequired = 0.1f;
        t.record().inductanceAtMinCurrent = 0.1f;
        t.record().maxCurrent = 5;
        t.record().minCurrent = 1;
        t.desktop->requirementsWindow().hide();
        main.calculateClick();
        QVERIFY(t.desktop->requirementsWindow().isVisible());
        QCOMPARE(t.record().designResults[0].partNumber, std::string());
    }

    void calculateRunsTheSearchAndShowsTheResults() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        main.show();
        DesignRecord& r = t.record();
        r.inductanceRequired = 0.1f;
        r.maxCurrent = 5;
        r.onVoltage = 12;
        r.offVoltage = 5;
        r.avgVoltage = 2.0f * 12 * 5 / 17;
        r.frequencyKhz = 100;
        r.designCount = 7;
        main.calculateClick();
        QVERIFY(t.desktop->resultsWindow().isVisible());
        QVERIFY(!t.desktop->requirementsWindow().isVisible());
        QVERIFY(r.designCount > 0);
        QCOMPARE(r.designResults[0].partNumber.substr(0, 1), std::string("T"));
    }

    void agingCommandReportsNegligibleMaterialsAndIgnoresLosslessRows() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        QAction* aging = control<QAction>(main, "TEMPERATUREvsAGE1");
        aging->trigger();  // empty results list: nothing at all
        QVERIFY(t.messages.empty());

        DesignResult& row = t.record().designResults[0];
        row.partNumber = "T90-37";
        row.turns = 40;
        row.coreLossW = 0;
        aging->trigger();
        QVERIFY(t.messages.empty());
        row.coreLossW = 0.2f;
        aging->trigger();
        QCOMPARE(t.messages.size(), std::size_t{1});
        QCOMPARE(t.messages.last().text, std::string());
        QCOMPARE(t.messages.last().caption,
                 std::string(" -37 and -39 MATERIALS EXHIBIT NEGLIGABLE AGING"));

        row.partNumber = "T90-26 x2";
        aging->trigger();
        QCOMPARE(t.messages.size(), std::size_t{1});
        QCOMPARE(t.record().graphKind, std::int8_t{9});
        QCOMPARE(t.record().graphMaterialCode, std::string("-26"));
    }

    void designGraphsNeedAHighlightedDesignWithTurns() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        t.record().graphKind = 1;
        control<QAction>(main, "INDUCTANCEvsCURRENTm")->trigger();
        QCOMPARE(t.record().graphKind, std::int8_t{1});
        t.record().designResults[0] = {};
        t.record().designResults[0].partNumber = "T106-21";
        t.record().designResults[0].turns = 12;
        t.record().graphSource = 1;
        control<QAction>(main, "INDUCTANCEvsCURRENTm")->trigger();
        QCOMPARE(t.record().graphKind, std::int8_t{7});
        QCOMPARE(t.record().graphSource, 0);
        QCOMPARE(t.record().graphMaterialCode, std::string("-21"));
        control<QAction>(main, "PERMvsACFLUX1")->trigger();
        QCOMPARE(t.record().graphKind, std::int8_t{3});
        control<QAction>(main, "CORELOSS100kHZ1")->trigger();
        QCOMPARE(t.record().graphKind, std::int8_t{6});
        QCOMPARE(t.record().graphMaterialCode, std::string());
    }

    void dataDisplayCommandsSetTheDisplayAndShowTheResults() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        control<QAction>(main, "DIMENSIONALm")->trigger();
        QCOMPARE(t.record().displayMode, std::int8_t{1});
        QVERIFY(t.desktop->resultsWindow().isVisible());
        // The caption stays what the results window last set.
        QCOMPARE(t.desktop->resultsWindow().windowTitle(), QString("ELECTRICAL PROPERTIES DATA"));
        QTest::mouseClick(control<QPushButton>(main, "Button_DataTable"), Qt::LeftButton);
        QCOMPARE(t.record().displayMode, std::int8_t{0});
    }

    void controlsCarryAccessibleNames() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        QCOMPARE(control<QPushButton>(main, "Button_Catalog")->accessibleName(),
                 QString("CATALOG"));
        QVERIFY(!control<QPushButton>(main, "DCBiased")->text().isEmpty());
    }
};

static RegisterUiTest<MainWindowTest> registerMainWindowTest("MainWindowTest");

}  // namespace korvell::test

#include "MainWindowTest.moc"
