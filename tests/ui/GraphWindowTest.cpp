// The graph window: placement, the commands that open it for each kind, the one-time message of
// a results row whose data cannot be aged, and PRINT GRAPH on a landscape page.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "platform/qt/Printing.h"
#include "ui/GraphWindow.h"
#include "ui/MainWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

namespace {

QString title(GraphWindow& w) {
    return control<QLabel>(w, "TitleLabel")->text();
}

// Shows the graph window the way a command leaves it, drawn.
void drawn(TestDesktop& t) {
    settle();
    t.desktop->graphWindow().repaint();
    settle();
}

}  // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void placementFollowsTheScreen() {
        TestDesktop t(QSize(1280, 1024));
        GraphWindow& w = t.desktop->graphWindow();
        QCOMPARE(w.geometry(), QRect(160, 256, 960, 682));
        QCOMPARE(w.windowTitle(), QString("Graphics"));
        QVERIFY(control<QPushButton>(w, "Button_PrintGraph")->isHidden());
    }

    void materialCommandsOpenTheirGraphs() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        GraphWindow& w = t.desktop->graphWindow();
        control<QAction>(main, "InitialPermvsDCBiasM")->trigger();
        drawn(t);
        QVERIFY(w.isVisible());
        QCOMPARE(title(w), QString("INITIAL PERMEABILITY vs DC BIAS"));
        QCOMPARE(control<QLabel>(w, "X_Label")->text(), QString("DC BIAS IN OERSTEADS"));
        QCOMPARE(w.lastLayout().curvesDrawn, kSelectableMaterialCount);
        QVERIFY(!control<QPushButton>(w, "Button_PrintGraph")->isHidden());

        // The pop-up twin of the last item: core loss at 100 kHz of every selected material.
        t.record().selectedMaterials[0].clear();
        control<QAction>(main, "CORELOSS100kHZ1")->trigger();
        drawn(t);
        QCOMPARE(title(w), QString("CORE LOSS vs PEAK AC FLUX DENSITY @ 100 kHZ"));
        QCOMPARE(w.lastLayout().curvesDrawn, kSelectableMaterialCount - 1);
    }

    void resultsButtonsOpenTheDesignGraphs() {
        TestDesktop t;
        searchBuckFilter(t);
        ResultsWindow& results = t.desktop->resultsWindow();
        GraphWindow& w = t.desktop->graphWindow();
        // The first design whose material ages.
        int row = 0;
        while (t.record().designResults[row].partNumber.find("-37") != std::string::npos ||
               t.record().designResults[row].partNumber.find("-39") != std::string::npos) {
            ++row;
        }
        t.record().selectedDesign = row;
        results.inductanceClick();
        drawn(t);
        QCOMPARE(title(w), QString("INDUCTANCE vs CURRENT"));
        QCOMPARE(w.lastLayout().curvesDrawn, 1);
        results.tRiseClick();
        drawn(t);
        QCOMPARE(title(w), QString("CORE TEMPERATURE vs TIME"));
        QVERIFY(t.messages.empty());
    }

    // SAVE GRAPH writes the graph as korvell plot draws it: an SVG page that an XML reader
    // takes whole, with the graph's title and the design's legend.
    void saveGraphWritesTheGraphAsAnSvgDrawing() {
        QTemporaryDir dir;
        TestDesktop t;
        searchBuckFilter(t);
        t.desktop->resultsWindow().inductanceClick();
        drawn(t);
        GraphWindow& w = t.desktop->graphWindow();
        auto* save = control<QPushButton>(w, "Button_SaveGraph");
        QVERIFY(save->isVisible());
        w.saveGraphClick();  // cancelled: nothing written
        QVERIFY(QDir(dir.path()).isEmpty());
        t.files.graphAnswer = dir.filePath("choke");
        save->click();
        const QString path = dir.filePath("choke.svg");
        QVERIFY(QFile::exists(path));
        QProcess python;
        python.start("python3", {"-c",
                                 "import sys, xml.etree.ElementTree as E\n"
                                 "r = E.parse(sys.argv[1]).getroot()\n"
                                 "print('|'.join(e.text or '' for e in r.iter() "
                                 "if e.tag.endswith('text')))",
                                 path});
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.exitCode(), 0);
        const QString texts = QString::fromUtf8(python.readAllStandardOutput());
        QVERIFY2(texts.contains("INDUCTANCE vs CURRENT") && texts.contains("CORE:"),
                 qPrintable(texts));
        QVERIFY(t.messages.empty());
    }

    void agingDataThatCannotBeAgedIsReportedOncePerOpening() {
        TestDesktop t;
        DesignResult& row = t.record().designResults[0];
        row.partNumber = "T106-26";
        row.turns = 30;
        row.bac = 50;
        row.coreLossW = 0.5f;
        row.surfaceArea = 20;
        row.coreVolume = 2;
        t.record().frequencyKhz = 100;
        // No magnetic cross-section in the dimensions: the aging product is zero.
        t.desktop->resultsWindow().tRiseClick();
        drawn(t);
        GraphWindow& w = t.desktop->graphWindow();
        QCOMPARE(t.messages.size(), std::size_t{1});
        QCOMPARE(t.messages.last().caption, std::string("Graph Data ERROR"));
        QVERIFY(t.messages.last().text.rfind("Index   0:", 0) == 0);
        w.repaint();
        settle();
        QCOMPARE(t.messages.size(), std::size_t{1});
        QCOMPARE(w.lastLayout().curvesDrawn, 0);
    }

    void printGraphPutsTheGraphOnALandscapePage() {
        QTemporaryDir dir;
        const QString path = dir.filePath("graph.pdf");
        PdfFilePrinter printer(path);
        TestDesktop t(QSize(1280, 1024), &printer);
        control<QAction>(t.desktop->mainWindow(), "PercentInitialPermvsDCBias1")->trigger();
        drawn(t);
        GraphWindow& w = t.desktop->graphWindow();
        w.printGraphClick();
        QCOMPARE(printer.pagesPrinted(), 1);
        settle();
        w.repaint();
        QVERIFY(!control<QPushButton>(w, "Button_PrintGraph")->isHidden());

        QProcess process;
        process.start("pdftotext", {path, "-"});
        process.waitForFinished(30000);
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(text.contains("PERCENT INITIAL PERMEABILITY vs DC BIAS"), qPrintable(text));
        QVERIFY(text.contains("DC BIAS IN OERSTEADS"));
        QVERIFY(text.contains("-21") && text.contains("-39"));
    }
};

static RegisterUiTest<GraphWindowTest> registerGraphWindowTest("GraphWindowTest");

}  // namespace korvell::test

#include "GraphWindowTest.moc"
