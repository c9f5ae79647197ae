// The analysis window: opened from the main window with the highlighted design, its keys (the
// part number's upper-casing and check, first key replaces, Enter twice, the arrows), OK's
// refusals with the page left as it was, the operating conditions put back on closing, the two
// pages, PRINT into a PDF file, the graph buttons, and agreement with the design search.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "export/SpiceModel.h"
#include "graphs/GraphRequest.h"
#include "platform/qt/Printing.h"
#include "ui/AnalysisWindow.h"
#include "ui/EntryKeys.h"
#include "ui/MainWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

namespace {

enum : int { kInductanceRow = 0, kRdcRow = 1, kCoreLossRow = 8, kCopperLossRow = 9, kRiseRow = 12 };

// Opens the analysis window as the main window's ANALYSIS button does.
AnalysisWindow& openAnalysis(TestDesktop& t) {
    control<QPushButton>(t.desktop->mainWindow(), "ANalysis")->click();
    settle();
    return t.desktop->analysisWindow();
}

QString text(AnalysisWindow& w, int k) {
    return w.field(k)->text();
}

// Types into a field as a user does after clicking into it.
void typeInto(AnalysisWindow& w, int k, const char* keys) {
    w.field(k)->setFocus(Qt::MouseFocusReason);
    typeKeys(w.field(k), keys);
}

QWidget* focused() {
    return QApplication::focusWidget();
}

}  // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithTheHighlightedDesignAndTheFocusInThePartNumber() {
        TestDesktop t;
        searchBuckFilter(t, "2");
        DesignRecord& r = t.record();
        r.selectedDesign = 3;
        const DesignResult row = r.designResults[3];
        QVERIFY(QString::fromStdString(row.partNumber).endsWith(" x2"));

        AnalysisWindow& w = openAnalysis(t);
        QVERIFY(w.isVisible());
        QCOMPARE(w.objectName(), QString("TAnalysis"));
        QCOMPARE(w.windowTitle(), QString("Analysis"));
        QCOMPARE(w.geometry(), QRect(128, 204, 767, 686));
        QCOMPARE(w.fontPoints(), 12);
        QCOMPARE(focused(), w.field(0));
        // The stacked part number is split into the bare part and the stack count.
        QCOMPARE(text(w, 0), QString::fromStdString(row.partNumber).section(' ', 0, 0));
        QCOMPARE(text(w, 1), QString("2"));
        QCOMPARE(text(w, 2), QString::fromStdString(row.wire + " AWG"));
        QCOMPARE(text(w, 3), QString::number(row.turns));
        QCOMPARE(text(w, 9), QString::number(row.strands));
        QCOMPARE(text(w, 4), QString("  5.00"));
        QCOMPARE(text(w, 5), QString(" 12.00"));
        QCOMPARE(text(w, 6), QString("  5.00"));
        QCOMPARE(text(w, 7), QString(" 100.0"));
        QCOMPARE(text(w, 8), QString("  55.0"));
        QCOMPARE(control<QLabel>(w, "Header")->text(),
                 QString("DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS"));
        QCOMPARE(control<QLabel>(w, "Label20")->text(), QString("NUMBER IN STACK"));
        QStringList buttons;
        for (const char* name : {"PRINT", "Electrical", "Mechanical", "Check", "Perm_vs_Idc",
                                 "Perm_vs_AC_Flux", "L_vs_I", "Loss", "Temp_Rise"}) {
            buttons << control<QPushButton>(w, name)->text();
        }
        QCOMPARE(buttons, (QStringList{"PRINT", "ELECTRICAL", "MECHANICAL", "CHECK", "DC PERM",
                                       "AC PERM ", "INDUCTANCE", "LOSS ", "T RISE"}));
        // The buttons stand in a row along the top edge, left to right.
        QVERIFY(control<QPushButton>(w, "PRINT")->x() < control<QPushButton>(w, "Temp_Rise")->x());
    }

    void captionsAndRowsFollowTheApplication() {
        TestDesktop t;
        t.record().applicationType = kPowerline;
        AnalysisWindow& w = openAnalysis(t);
        QCOMPARE(control<QLabel>(w, "Header")->text(),
                 QString("POWERLINE REQUENCY INDUCTOR ANALYSIS"));
        QCOMPARE(control<QLabel>(w, "Label4")->text(), QString("AC CURRENT"));
        QCOMPARE(control<QLabel>(w, "Label14")->text(), QString("AMPERES RMS"));
        QCOMPARE(control<QLabel>(w, "Label17")->text(), QString("HERTZ"));
        for (const char* name : {"Label5", "Label6", "Label15", "Label16", "Param_5", "Param_6"})
            QVERIFY2(w.findChild<QWidget*>(name)->isHidden(), name);

        // Letters left in the hidden voltage fields are not reported.
        w.field(5)->setText("volts");
        w.field(0)->setText("T106-21");
        w.field(2)->setText("#18");
        w.field(3)->setText("40");
        w.field(4)->setText("3");
        w.field(7)->setText("60");
        QVERIFY2(w.buttonOkClick(), t.messages.empty() ? "" : t.messages.last().text.c_str());
        QVERIFY(t.messages.empty());

        // Back to the PFC boost: the voltage rows come back with its captions.
        t.record().applicationType = kPowerFactorBoost;
        w.formActivate();
        QCOMPARE(control<QLabel>(w, "Label5")->text(), QString("PEAK REGULATOR INPUT VOLTAGE  "));
        QCOMPARE(control<QLabel>(w, "Label6")->text(), QString("REGULATOR DC OUTPUT VOLTAGE  "));
        QCOMPARE(control<QLabel>(w, "Label17")->text(), QString("k HERTZ"));
        QVERIFY(!w.field(5)->isHidden());
        QVERIFY(!w.field(6)->isHidden());
        t.record().applicationType = kResonant;
        w.formActivate();
        QCOMPARE(control<QLabel>(w, "Label4")->text(), QString("PEAK CURRENT"));
        QVERIFY(!w.field(5)->isHidden());
        QVERIFY(w.field(6)->isHidden());
    }

    void partNumberIsUpperCasedAndCheckedAsTyped() {
        TestDesktop t;
        AnalysisWindow& w = openAnalysis(t);
        w.field(0)->clear();
        typeInto(w, 0, "t106-2");
        QCOMPARE(text(w, 0), QString("T106-2"));
        QTest::keyClick(w.field(0), Qt::Key_Asterisk);
        QTest::keyClick(w.field(0), '1');
        QCOMPARE(t.messages.size(), std::size_t{1});
        QCOMPARE(t.messages.last().text, std::string("INVALID CHARACTER *1"));
        QCOMPARE(t.messages.last().caption, std::string("ERROR"));
        QCOMPARE(text(w, 0), QString("T106-2*1"));
        // While the error stands, Enter and Down leave the focus where it is.
        QTest::keyClick(w.field(0), Qt::Key_Return);
        QCOMPARE(focused(), w.field(0));
        QCOMPARE(t.messages.size(), std::size_t{2});
        QTest::keyClick(w.field(0), Qt::Key_Backspace);
        QTest::keyClick(w.field(0), Qt::Key_Backspace);
        QTest::keyClick(w.field(0), '1');
        QCOMPARE(t.messages.size(), std::size_t{2});
        QTest::keyClick(w.field(0), Qt::Key_Down);
        QCOMPARE(focused(), w.field(9));
        w.field(0)->setFocus();
        QTest::keyClick(w.field(0), Qt::Key_Return);
        QCOMPARE(focused(), w.field(1));
        // Typing in the part number never empties it first.
        typeInto(w, 0, "a");
        QCOMPARE(text(w, 0), QString("T106-21A"));
    }

    void numericFieldsFirstKeyReplacesAndStrayLettersGo() {
        TestDesktop t;
        searchBuckFilter(t);
        AnalysisWindow& w = openAnalysis(t);
        QCOMPARE(text(w, 4), QString("  5.00"));
        typeInto(w, 4, "7");
        QCOMPARE(text(w, 4), QString("7"));
        typeInto(w, 4, "x5");
        QCOMPARE(text(w, 4), QString("75"));
        // The ambient temperature takes a minus sign, the others do not; typed first, a minus
        // sign or a point replaces the value as a digit does.
        w.field(4)->setFocus();  // leaving field 4 raises the first-key flag
        typeInto(w, 8, "-2");
        QCOMPARE(text(w, 8), QString("-2"));
        w.field(4)->setFocus();
        typeInto(w, 7, "-2");
        QCOMPARE(text(w, 7), QString("2"));
        w.field(4)->setFocus();
        typeInto(w, 7, ".5");
        QCOMPARE(text(w, 7), QString(".5"));
        // The wire keeps its gage name: its first key replaces, no letter is taken away.
        typeInto(w, 2, "16 AWG");
        QCOMPARE(text(w, 2), QString("16 AWG"));
    }

    void enterTwiceRunsTheAnalysisAndTheArrowsWrap() {
        TestDesktop t;
        searchBuckFilter(t);
        AnalysisWindow& w = openAnalysis(t);
        // The highlighted design is analyzed as the window opens.
        const float opened = w.table().rows[kInductanceRow].value;
        QVERIFY(opened > 50);
        // Less DC bias: more of the permeability stays, and more inductance.
        w.field(4)->setText("1");
        // Enter, Up, Enter does not run it.
        w.field(4)->setFocus();
        QTest::keyClick(w.field(4), Qt::Key_Return);
        QCOMPARE(focused(), w.field(5));
        QTest::keyClick(w.field(5), Qt::Key_Up);
        QCOMPARE(focused(), w.field(4));
        QTest::keyClick(w.field(4), Qt::Key_Return);
        QCOMPARE(w.table().rows[kInductanceRow].value, opened);
        // Enter twice runs it; the focus has moved on after the first.
        QTest::keyClick(w.field(5), Qt::Key_Return);
        QCOMPARE(focused(), w.field(6));
        QTest::keyClick(w.field(6), Qt::Key_Return);
        QVERIFY(w.table().rows[kInductanceRow].value > opened);
        QVERIFY(t.messages.empty());

        // Up and Down wrap over the shown fields, in reading order.
        w.field(8)->setFocus();
        QTest::keyClick(w.field(8), Qt::Key_Down);
        QCOMPARE(focused(), w.field(0));
        w.field(2)->setFocus();
        QTest::keyClick(w.field(2), Qt::Key_Down);
        QCOMPARE(focused(), w.field(9));
        QTest::keyClick(w.field(9), Qt::Key_Down);
        QCOMPARE(focused(), w.field(3));
        QTest::keyClick(w.field(3), Qt::Key_Up);
        QCOMPARE(focused(), w.field(9));
        // The powerline analysis has no voltage rows to walk.
        t.record().applicationType = kPowerline;
        w.formActivate();
        w.field(4)->setFocus();
        QTest::keyClick(w.field(4), Qt::Key_Down);
        QCOMPARE(focused(), w.field(7));
    }

    void enterTwiceFromThePartNumberAnalyzesTheLoadedDesign() {
        TestDesktop t;
        searchBuckFilter(t);
        AnalysisWindow& w = openAnalysis(t);
        QCOMPARE(focused(), w.field(0));
        const float opened = w.table().rows[kInductanceRow].value;
        w.field(0)->setText("T130-13");
        QTest::keyClick(w.field(0), Qt::Key_Return);
        QCOMPARE(w.table().rows[kInductanceRow].value, opened);
        QTest::keyClick(focused(), Qt::Key_Return);
        QVERIFY(w.table().rows[kInductanceRow].value > 50);
        QVERIFY(w.table().rows[kInductanceRow].value != opened);
        QVERIFY(t.messages.empty());
    }

    void aRequirementsEntryRefusedForItsCharactersChangesNothing() {
        TestDesktop t;
        searchBuckFilter(t);
        AnalysisWindow& w = openAnalysis(t);
        w.field(4)->setText("7.5");  // a current of the analysis window's own
        QVERIFY(w.buttonOkClick());
        t.desktop->openRequirements();
        settle();
        RequirementsWindow& requirements = t.desktop->requirementsWindow();
        requirements.field(9)->setText("2.5");
        const DesignRecord before = t.record();
        requirements.buttonOkClick();
        QCOMPARE(t.messages.last().text,
                 std::string("INVALID CHARACTER in Parameter 9.  2.5 \nSTACKED CORES"));
        QVERIFY(t.record() == before);
    }

    void aKeyPressedElsewhereIsNotTypedIntoThePartNumber() {
        TestDesktop t;
        AnalysisWindow& w = openAnalysis(t);
        // Enter in the last field moves the focus round to the part number; its release lands
        // there but was not typed there.
        w.field(8)->setFocus();
        QTest::keyPress(w.field(8), Qt::Key_Return);
        QCOMPARE(focused(), w.field(0));
        QTest::keyRelease(w.field(0), Qt::Key_Return);
        QCOMPARE(focused(), w.field(0));
    }

    void refusalsShowTheSystemsMessageAndKeepThePage() {
        TestDesktop t;
        searchBuckFilter(t);
        AnalysisWindow& w = openAnalysis(t);
        w.setClock(fixedDate);
        QVERIFY(w.buttonOkClick());
        const float inductance = w.table().rows[kInductanceRow].value;
        const std::string drawnAt = w.pageView().dateText;
        QCOMPARE(drawnAt, std::string("Tue Dec  8 09:05:03 2026"));
        w.setClock([] {
            std::tm later = fixedDate();
            later.tm_hour = 10;
            return later;
        });

        struct Case {
            int field;
            const char* text;
            const char* message;
            const char* caption;
        };
        const Case cases[] = {
            {3, "4x", "INVALID CHARACTER  2 in Parameter 3.  4x ", "DATA ENTRY ERROR"},
            {2, "#77", "Invalid Wire Size", "DATA ENTRY ERROR"},
            {0, "X106-21", "\n MISSING E, T, or ST in CORE PART NUMBER", "DATA ENTRY ERROR"},
            {0, "", "MISSING CORE PART NUMBER", "DATA ENTRY ERROR"},
            {3, "0", "CHECK TURNS, STRANDS, STACKED CORES", "ESSENTIAL DATA MISSING"},
            {0, "T9999-21", "Core P/N T9999-21 NOT IN THE CATALOG", "ERROR "},
            // A winding that cannot be built, and a current beyond any inductor: no rows drawn.
            {3, "5000", "WINDOW FILL ", "ERROR "},
            {2, "0000", "WINDOW FILL ", "ERROR "},
            {4, "100001", "Parameter 4. (100001.00) Must Be In The Range", "DATA ENTRY ERROR"},
        };
        for (const Case& c : cases) {
            const QString before = text(w, c.field);
            w.field(c.field)->setText(c.text);
            t.messages.clear();
            QVERIFY2(!w.buttonOkClick(), c.text);
            QCOMPARE(t.messages.size(), std::size_t{1});
            QVERIFY2(t.messages.last().text.rfind(c.message, 0) == 0,
                     t.messages.last().text.c_str());
            QCOMPARE(t.messages.last().caption, std::string(c.caption));
            // An entry refused: the field at fault gets the keyboard with its text selected, and
            // is named below the system's text (the window counts its fields from 1, the
            // requirements window from 0). A winding that cannot be built is no one field's.
            if (std::string(c.message) != "WINDOW FILL ") {
                QCOMPARE(focused(), w.field(c.field));
                QCOMPARE(w.field(c.field)->selectedText(), w.field(c.field)->text());
                const char* label = c.field == 0   ? "Label0"
                                    : c.field == 2 ? "Label2"
                                    : c.field == 3 ? "Label3"
                                                   : "Label4";
                const QString shown = QString::fromStdString(t.messages.last().text);
                QVERIFY2(shown.endsWith("\n" + control<QLabel>(w, label)->text().trimmed()),
                         qPrintable(shown));
            }
            // The page of the last analysis stays on screen.
            QCOMPARE(w.table().rows[kInductanceRow].value, inductance);
            QCOMPARE(w.pageView().dateText, drawnAt);
            w.field(c.field)->setText(before);
        }
        // A refused PRINT prints nothing, a refused MECHANICAL leaves the page as it was.
        w.field(3)->setText("4x");
        w.mechanicalClick();
        QCOMPARE(w.pageView().display, int{kElectricalPage});
        QCOMPARE(w.displayMode(), int{kMechanicalPage});
        w.field(3)->setText("40");
        w.electricalClick();
        QCOMPARE(w.pageView().display, int{kElectricalPage});
        QVERIFY(w.pageView().dateText != drawnAt);
    }

    void awgZerosAreAnalyzedAndShownAsTheGageFound() {
        TestDesktop t;
        AnalysisWindow& w = openAnalysis(t);
        w.field(0)->setText("T106-21");
        w.field(2)->setText("0000");
        w.field(3)->setText("1");  // one turn of 0000 takes 65 % of the window
        w.field(4)->setText("5");
        w.field(7)->setText("100");
        QVERIFY(w.buttonOkClick());
        QCOMPARE(t.record().lastStoredWireGage, -3.0f);
        QCOMPARE(text(w, 2), QString("# 0000 AWG"));
        w.field(2)->setText("18");
        QVERIFY(w.buttonOkClick());
        QCOMPARE(text(w, 2), QString("# 18 AWG"));
    }

    void closingPutsTheRequirementsBackAsTheyWere() {
        TestDesktop t;
        searchBuckFilter(t);
        DesignRecord& r = t.record();
        // Conditions of other applications come back exactly too, not as the fields show them.
        r.pfcPeakInputVoltage = 311.127f;
        r.lineFrequencyHz = 59.994f;
        const float averageVoltage = r.avgVoltage;
        AnalysisWindow& w = openAnalysis(t);
        QVERIFY(w.holdsRequirements());
        w.field(1)->setText("3");
        w.field(4)->setText("9");
        w.field(5)->setText("24");
        w.field(7)->setText("50");
        w.field(9)->setText("2");
        QVERIFY(w.buttonOkClick());
        QCOMPARE(r.maxCurrent, 9.0f);
        QCOMPARE(r.stackedCores, 3);
        QVERIFY(r.avgVoltage != averageVoltage);
        // ANALYSIS again while open keeps the requirements, not what the window stored.
        openAnalysis(t);
        QVERIFY(w.close());
        QVERIFY(!w.holdsRequirements());
        QCOMPARE(r.maxCurrent, 5.0f);
        QCOMPARE(r.onVoltage, 12.0f);
        QCOMPARE(r.frequencyKhz, 100.0f);
        QCOMPARE(r.pfcPeakInputVoltage, 311.127f);
        QCOMPARE(r.lineFrequencyHz, 59.994f);
        QCOMPARE(r.stackedCores, 1);
        QCOMPARE(r.wireStrands, 1);
        QCOMPARE(r.avgVoltage, averageVoltage);
        // CALCULATE searches the requirements again: the same forty designs as before.
        const DesignResult first = r.designResults[0];
        t.desktop->mainWindow().calculateClick();
        QCOMPARE(r.designCount, 40);
        QCOMPARE(r.designResults[0].partNumber, first.partNumber);
        QCOMPARE(r.designResults[0].turns, first.turns);
    }

    void requirementsAcceptedWhileOpenSurviveClosing() {
        TestDesktop t;
        searchBuckFilter(t);
        DesignRecord& r = t.record();
        AnalysisWindow& w = openAnalysis(t);
        w.field(4)->setText("9");
        QVERIFY(w.buttonOkClick());

        // New requirements accepted in the requirements window while the analysis stays open.
        t.desktop->openRequirements();
        settle();
        RequirementsWindow& requirements = t.desktop->requirementsWindow();
        requirements.field(2)->setText("7");
        requirements.buttonOkClick();
        QCOMPARE(r.maxCurrent, 7.0f);
        // A refused OK stores nothing, and the analysis's current is not taken for a requirement.
        w.buttonOkClick();
        QCOMPARE(r.maxCurrent, 9.0f);
        t.desktop->openRequirements();
        settle();
        requirements.field(2)->setText("7q");
        requirements.buttonOkClick();
        QVERIFY(w.close());
        QCOMPARE(r.maxCurrent, 7.0f);
    }

    void pagesHoldEightAndSevenOrNineAndEightRows() {
        TestDesktop t;
        searchBuckFilter(t);
        AnalysisWindow& w = openAnalysis(t);
        QVERIFY(w.buttonOkClick());
        QCOMPARE(w.pageView().display, int{kElectricalPage});
        w.mechanicalClick();
        QCOMPARE(w.pageView().display, int{kMechanicalPage});
        // The display mode lasts: closing and opening again shows the mechanical page.
        w.close();
        openAnalysis(t);
        QCOMPARE(w.pageView().display, int{kMechanicalPage});
        w.electricalClick();
        QCOMPARE(w.pageView().display, int{kElectricalPage});
        // CHECK analyzes and shows the second opinion of that analysis.
        control<QPushButton>(w, "Check")->click();
        QCOMPARE(w.pageView().display, int{kCheckPage});
        QVERIFY(w.check().has_value());
        QCOMPARE(w.check()->programCopperLossW, double{w.table().rows[9].value});
        // The window draws the page it holds.
        const QImage shot = w.grab().toImage();
        QVERIFY(!shot.isNull());
    }

    void printPutsEntriesAndBothPagesOnOnePortraitPage() {
        QTemporaryDir dir;
        const QString path = dir.filePath("analysis.pdf");
        PdfFilePrinter printer(path);
        TestDesktop t(QSize(1280, 1024), &printer);
        searchBuckFilter(t, "2");
        t.record().selectedDesign = 2;
        AnalysisWindow& w = openAnalysis(t);
        w.setClock(fixedDate);
        w.field(9)->setText("2");  // twice the copper still fits the window

        // A refused analysis prints nothing.
        w.field(3)->setText("");
        control<QPushButton>(w, "PRINT")->click();
        QCOMPARE(printer.pagesPrinted(), 0);
        QCOMPARE(t.messages.last().text,
                 std::string("CHECK TURNS, STRANDS, STACKED CORES\nNUMBER OF TURNS"));

        w.field(3)->setText(QString::number(t.record().designResults[2].turns));
        control<QPushButton>(w, "PRINT")->click();
        QCOMPARE(printer.pagesPrinted(), 1);
        QCOMPARE(pdfPages(path), 1);
        // pdftotext lays the words out on a grid: runs of blanks may change.
        const QString page = pdfText(path).simplified();
        for (const char* words : {"KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS",
                                  "DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS",
                                  "CORE PART NUMBER",
                                  "NUMBER IN STACK",
                                  "WIRE GAGE /  STRANDS",
                                  "NUMBER OF TURNS",
                                  "DC BIAS CURRENT",
                                  "PEAK INDUCTOR VOLTAGE",
                                  "DC OUTPUT VOLTAGE",
                                  "FREQUENCY",
                                  "AMBIENT TEMPERATURE",
                                  "AMPERES",
                                  "VOLTS",
                                  "k HERTZ",
                                  "DEGREES C",
                                  "ELECTRICAL PROPERTIES:",
                                  "MECHANICAL PROPERTIES:",
                                  "SECOND OPINION:",
                                  "HOT DC RESISTANCE",
                                  "RIPPLE CU LOSS",
                                  "MODEL: DOWELL 1966",
                                  "YIELD:",
                                  "MEETING",
                                  "CHECK TEMP RISE",
                                  "10000 SAMPLES, SEED 20261208"}) {
            QVERIFY2(page.contains(QString(words).simplified()), words);
        }
        QVERIFY(page.contains("Tue Dec 8 09:05:03 2026"));
        QVERIFY(page.contains(text(w, 0)));
        QVERIFY(page.contains(text(w, 2).simplified()));
        // Every one of the 32 result rows, with its value.
        for (const AnalysisRow& row : w.table().rows) {
            QVERIFY2(page.contains(QString::fromStdString(row.label).simplified()),
                     row.label.c_str());
            const QString value =
                QString::fromStdString(analysisValueText(row, t.record())).trimmed();
            QVERIFY2(page.contains(value), value.toUtf8().constData());
        }
        // Portrait: taller than wide.
        QProcess info;
        info.start("pdfinfo", {path});
        info.waitForFinished(30000);
        const QString details = QString::fromUtf8(info.readAllStandardOutput());
        const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(details);
        QVERIFY(size.hasMatch());
        QVERIFY(size.captured(1).toDouble() < size.captured(2).toDouble());
    }

    void yieldPageShowsTheSpreadOfTheAnalyzedDesignAndItsGraph() {
        TestDesktop t;
        searchBuckFilter(t);
        DesignRecord& r = t.record();
        AnalysisWindow& w = openAnalysis(t);
        auto* spread = control<QPushButton>(w, "Button_Spread");
        QVERIFY(spread->isHidden());
        QVERIFY(!w.yield());
        control<QPushButton>(w, "Button_Yield")->click();
        QCOMPARE(control<QPushButton>(w, "Button_Yield")->text(), QString("YIELD"));
        QCOMPARE(w.pageView().display, int{kYieldPage});
        QVERIFY(w.yield().has_value());
        QCOMPARE(w.yield()->samples, kDefaultYieldSamples);
        QCOMPARE(static_cast<float>(w.yield()->inductanceUh.nominal), w.table().rows[0].value);
        QVERIFY(!spread->isHidden());
        // Left of OK, above the page, the graph's button beside it.
        auto* yield = control<QPushButton>(w, "Button_Yield");
        QCOMPARE(yield->y(), control<QPushButton>(w, "Button_OK")->y());
        QVERIFY(yield->geometry().right() < spread->x());
        QVERIFY(spread->geometry().right() < control<QPushButton>(w, "Button_OK")->x());
        spread->click();
        QCOMPARE(r.graphKind, std::int8_t{kInductanceSpread});
        QCOMPARE(r.graphSource, int{kAnalyzedDesign});
        // Another page does without the yield and its button.
        w.electricalClick();
        QVERIFY(!w.yield());
        QVERIFY(spread->isHidden());
    }

    void graphButtonsAskForGraphsOfTheAnalyzedDesign() {
        TestDesktop t;
        searchBuckFilter(t);
        DesignRecord& r = t.record();
        AnalysisWindow& w = openAnalysis(t);
        w.field(0)->setText("T106-21");
        r.graphSource = kHighlightedDesign;
        control<QPushButton>(w, "L_vs_I")->click();
        QCOMPARE(r.graphKind, std::int8_t{kInductanceVsCurrent});
        QCOMPARE(r.graphSource, int{kAnalyzedDesign});
        QCOMPARE(r.graphMaterialCode, std::string("-21"));
        control<QPushButton>(w, "Perm_vs_Idc")->click();
        QCOMPARE(r.graphKind, std::int8_t{kPercentPermVsDcBias});
        control<QPushButton>(w, "Perm_vs_AC_Flux")->click();
        QCOMPARE(r.graphKind, std::int8_t{kPercentPermVsAcFlux});
        control<QPushButton>(w, "Temp_Rise")->click();
        QCOMPARE(r.graphKind, std::int8_t{kTemperatureVsAge});
        QVERIFY(t.messages.empty());

        // A -37 core ages negligibly: the box with an empty text.
        w.field(0)->setText("T106-37");
        control<QPushButton>(w, "Temp_Rise")->click();
        QCOMPARE(t.messages.last().text, std::string());
        QCOMPARE(t.messages.last().caption,
                 std::string(" -37 and -39 MATERIALS EXHIBIT NEGLIGABLE AGING"));
        // A refused analysis asks for no graph.
        r.graphKind = 1;
        w.field(3)->setText("0");
        control<QPushButton>(w, "L_vs_I")->click();
        QCOMPARE(r.graphKind, std::int8_t{1});
    }

    void exportSpiceModelWritesTheAnalyzedDesignAfterASuccessfulAnalysis() {
        QTemporaryDir dir;
        TestDesktop t;
        searchBuckFilter(t);
        AnalysisWindow& w = openAnalysis(t);
        auto* button = control<QPushButton>(w, "Export_Spice");
        QCOMPARE(button->text(), QString("EXPORT SPICE MODEL"));
        // The highlighted design is analyzed as the window opens, so it can be exported at once.
        QVERIFY(button->isEnabled());
        w.field(0)->setText("T106-21");
        control<QPushButton>(w, "Button_OK")->click();
        QVERIFY(button->isEnabled());
        // The part number in the home folder is offered; a name without suffix gets ".cir".
        t.files.spiceAnswer = dir.filePath("choke");
        button->click();
        QCOMPARE(t.files.spiceSuggested, QDir::home().filePath("T106-21.cir"));
        QFile file(dir.filePath("choke.cir"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        SilentMessages quiet;
        const auto model =
            spiceModel(t.record(), w.table(), t.record().applicationType, false, quiet);
        QCOMPARE(file.readAll().toStdString(), spiceModelText(*model, SpiceDialect::Ngspice));
        QVERIFY(t.messages.empty());
        // A folder that is not there: the reason, no file. A refused analysis disables it.
        t.files.spiceAnswer = dir.filePath("missing/choke.cir");
        QVERIFY(!w.exportSpiceClick());
        QCOMPARE(t.messages.last().caption, std::string("EXPORT SPICE MODEL"));
        w.field(3)->setText("");
        t.files.spiceAnswer = dir.filePath("refused.cir");
        QVERIFY(!w.exportSpiceClick());
        QVERIFY(!button->isEnabled());
        QVERIFY(!QFile::exists(dir.filePath("refused.cir")));
    }

    void analysingAResultsRowReproducesIt() {
        TestDesktop t;
        searchBuckFilter(t);
        DesignRecord& r = t.record();
        for (const int row : {0, 7, 19, 39}) {
            r.selectedDesign = row;
            const DesignResult d = r.designResults[row];
            AnalysisWindow& w = openAnalysis(t);
            QVERIFY(w.buttonOkClick());
            const auto value = [&w](int k) { return static_cast<double>(w.table().rows[k].value); };
            const double milli = w.table().rows[kRdcRow].format == "%5.2fm" ? 0.001 : 1;
            // Inductance at the whole turns, within half a turn of the 100 uH asked for.
            const double band = std::pow(1 + 0.5 / d.turns, 2) - 1 + 0.01;
            QVERIFY2(std::fabs(value(kInductanceRow) / 100.0 - 1) < band, d.partNumber.c_str());
            QVERIFY(std::fabs(value(kRdcRow) * milli - d.rdc) <= 1e-5 * d.rdc);
            QVERIFY(std::fabs(value(kRdcRow + 1) * milli - d.rac) <= 1e-5 * d.rac);
            QVERIFY(std::fabs(value(kCoreLossRow) - d.coreLossW) <= 1e-4 * d.coreLossW + 1e-9);
            QVERIFY(std::fabs(value(kCopperLossRow) - d.copperLossW) <= 1e-4 * d.copperLossW);
            QVERIFY(std::fabs(value(kRiseRow) - d.tempRise) <= 1e-4 * d.tempRise);
            QVERIFY(w.close());
        }
    }
};

static RegisterUiTest<AnalysisWindowTest> registerAnalysisWindowTest("AnalysisWindowTest");

}  // namespace korvell::test

#include "AnalysisWindowTest.moc"
