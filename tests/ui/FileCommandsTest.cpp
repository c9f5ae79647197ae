// The FILES menu: SAVE AS, NEW, OPEN and CLOSE of design files, the CSV export, the caption
// naming the open file, and a damaged file refused whole.
#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "files/DesignFile.h"
#include "platform/qt/Printing.h"
#include "support/HostileFiles.h"
#include "ui/MainWindow.h"
#include "ui/MaterialSelector.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

namespace {

void command(TestDesktop& t, const char* name) {
    control<QAction>(t.desktop->mainWindow(), name)->trigger();
    settle();
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void saveNewOpenBringsTheDesignBackAndCalculateRepeatsIt() {
        QTemporaryDir dir;
        TestDesktop t;
        searchBuckFilter(t);
        t.record().selectedMaterials[0].clear();
        const DesignRecord designed = t.record();
        MainWindow& main = t.desktop->mainWindow();

        t.files.saveAnswer = dir.filePath("buck");
        command(t, "SAVEAS1");
        const QString path = dir.filePath("buck.korvell.json");
        QVERIFY(QFile::exists(path));
        QCOMPARE(main.windowTitle(),
                 QString("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS - buck.korvell.json[*]"));

        t.files.confirmAnswer = false;
        command(t, "NEW1");
        QCOMPARE(t.files.questions, 1);
        QVERIFY(t.record() == designed);  // kept: the user cancelled

        t.files.confirmAnswer = true;
        command(t, "NEW1");
        QVERIFY(inputsAtStartUpValues(t.record()));
        QCOMPARE(t.record().designCount, 0);
        QCOMPARE(main.windowTitle(), QString("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS[*]"));
        command(t, "NEW1");
        QCOMPARE(t.files.questions, 2);  // NEW at the start-up values asks nothing

        t.files.openAnswer = path;
        command(t, "OPEN1");
        QVERIFY(t.messages.empty());
        QVERIFY(t.record().requirementsByApplication == designed.requirementsByApplication);
        QVERIFY(t.record().selectedMaterials == designed.selectedMaterials);
        QVERIFY(t.record().designResults == designed.designResults);
        QVERIFY(t.desktop->resultsWindow().isVisible());
        QCOMPARE(main.windowTitle(),
                 QString("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS - buck.korvell.json[*]"));

        // The requirements window shows the saved requirements, and CALCULATE repeats the search.
        t.desktop->openRequirements();
        settle();
        QCOMPARE(t.desktop->requirementsWindow().field(0)->text(), QString("100.00"));
        const auto saved = t.record().designResults;
        t.record().designResults = {};
        main.calculateClick();
        QVERIFY(t.record().designResults == saved);

        command(t, "CLOSEm");
        QCOMPARE(main.windowTitle(), QString("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS[*]"));
        QVERIFY(t.record().designResults == saved);
    }

    void aDamagedFileIsRefusedWholeWithOneMessage() {
        QTemporaryDir dir;
        TestDesktop t;
        searchBuckFilter(t);
        const DesignRecord before = t.record();
        QFile file(dir.filePath("damaged.korvell.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        std::string text = designFileText(searchedRecordOfAnotherKind());
        text.replace(text.find("\"maxTempRiseC\": 40.0"), 20, "\"maxTempRiseC\": 400.0");
        file.write(text.c_str());
        file.close();
        t.files.openAnswer = file.fileName();
        command(t, "OPEN1");
        QCOMPARE(t.messages.size(), std::size_t{1});
        QCOMPARE(t.messages.last().caption, std::string("DESIGN FILE ERROR"));
        QVERIFY2(t.messages.last().text.find("maxTempRiseC: 400") != std::string::npos,
                 t.messages.last().text.c_str());
        QVERIFY(t.record() == before);
    }

    void hostileFilesAreRefusedAndTheProgramGoesOn() {
        const test::HostileFiles hostile;
        TestDesktop t;
        searchBuckFilter(t);
        const DesignRecord before = t.record();
        for (const auto& file : hostile.files()) {
            t.messages.clear();
            t.files.openAnswer = QString::fromStdString(file.path);
            command(t, "OPEN1");
            QCOMPARE(t.messages.size(), std::size_t{1});
            QCOMPARE(t.messages.last().caption, std::string("DESIGN FILE ERROR"));
            QVERIFY2(t.messages.last().text.find(file.refusal) != std::string::npos,
                     t.messages.last().text.c_str());
            QVERIFY(t.record() == before);
        }
    }

    void theSelectorShowsAnOpenedSelection() {
        QTemporaryDir dir;
        TestDesktop t;
        DesignRecord saved;
        for (int k = 1; k < kSelectableMaterialCount; ++k)
            saved.selectedMaterials[k].clear();
        const QString path = dir.filePath("one.korvell.json");
        QVERIFY(!saveDesignFile(path.toStdString(), saved));
        // The selector was opened before with every box checked.
        t.desktop->openMaterialSelector();
        settle();
        t.files.openAnswer = path;
        command(t, "OPEN1");
        t.desktop->openMaterialSelector();
        settle();
        t.desktop->materialSelector().okClick();
        QVERIFY(t.record().selectedMaterials == saved.selectedMaterials);
    }

    void saveAsCsvExportsBothDisplays() {
        QTemporaryDir dir;
        TestDesktop t;
        searchBuckFilter(t);
        t.files.saveAnswer = dir.filePath("designs.csv");
        t.files.saveAsCsv = true;
        command(t, "SAVEAS1");
        QFile file(dir.filePath("designs.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 41);
        QVERIFY(lines[0].startsWith("\"CORE P/N\",\"PRICE US$\""));
        QVERIFY(lines[0].contains("WOUND DIMENSIONS, in"));
        QVERIFY(lines[1].startsWith("\"T80-13A/91\""));
        // An export is not a design file: the caption names none.
        QCOMPARE(t.desktop->mainWindow().windowTitle(),
                 QString("KORVELL INDUCTORS FOR POWER FILTER APPLICATIONS[*]"));
    }

    // A search is work: the caption carries the modified mark, closing asks "SAVE CHANGES TO
    // THE DESIGN?", CANCEL keeps the program open, SAVE goes through SAVE AS without a file, and
    // NEW and OPEN ask the same.
    void unsavedWorkIsAskedAboutBeforeItIsLost() {
        QTemporaryDir dir;
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        main.show();
        settle();
        QVERIFY(!main.isWindowModified());
        RequirementsWindow& requirements = t.desktop->requirementsWindow();
        t.desktop->openRequirements();
        settle();
        for (const auto& [field, text] :
             {std::pair{0, "100"}, {2, "5"}, {5, "12"}, {6, "5"}, {7, "100"}})
            requirements.field(field)->setText(text);
        requirements.buttonOkClick();
        QVERIFY(t.record().designCount > 0);
        QVERIFY(main.isWindowModified());

        t.files.saveChangesAnswer = SaveChangesAnswer::Cancel;
        QVERIFY(!main.close());
        QCOMPARE(t.files.saveChangesQuestions, 1);
        QVERIFY(main.isVisible());
        command(t, "NEW1");
        QCOMPARE(t.files.saveChangesQuestions, 2);
        QVERIFY(t.record().designCount > 0);  // kept
        t.files.openAnswer = dir.filePath("never.korvell.json");
        command(t, "OPEN1");
        QCOMPARE(t.files.saveChangesQuestions, 3);
        QVERIFY(t.messages.empty());  // the open dialog was never reached

        // SAVE with no file yet asks for a name; a cancelled SAVE AS keeps the program open.
        t.files.saveChangesAnswer = SaveChangesAnswer::Save;
        QVERIFY(!main.close());
        QVERIFY(main.isVisible());
        t.files.saveAnswer = dir.filePath("work");
        QVERIFY(main.close());
        QVERIFY(QFile::exists(dir.filePath("work.korvell.json")));
        QVERIFY(!main.isWindowModified());

        // Saved work closes without a question; DISCARD closes with one.
        main.show();
        const int asked = t.files.saveChangesQuestions;
        QVERIFY(main.close());
        QCOMPARE(t.files.saveChangesQuestions, asked);
        main.show();
        t.desktop->recordChanged();
        QVERIFY(main.isWindowModified());
        t.files.saveChangesAnswer = SaveChangesAnswer::Discard;
        QVERIFY(main.close());
        QCOMPARE(t.files.saveChangesQuestions, asked + 1);
    }

    // A design file opened shows its designs under the application they were made for, on the
    // window and on the printed page, as after a search.
    void openKeepsTheApplicationLine() {
        QTemporaryDir dir;
        const QString path = dir.filePath("pfc.korvell.json");
        DesignRecord saved;
        saved.applicationType = kPowerFactorBoost;
        RequirementTexts texts = requirementFieldTexts(saved);
        texts[0] = "400";
        texts[2] = "5";
        texts[5] = "311";
        texts[6] = "400";
        texts[7] = "65";
        RecordingMessages quiet;
        QVERIFY(acceptRequirements(saved, quiet, texts));
        run_design_search(saved, quiet);
        QVERIFY(!saveDesignFile(path.toStdString(), saved));

        const QString pdf = dir.filePath("page.pdf");
        PdfFilePrinter printer(pdf);
        TestDesktop t(QSize(1280, 1024), &printer);
        t.files.openAnswer = path;
        command(t, "OPEN1");
        QVERIFY(!t.desktop->mainWindow().isWindowModified());
        ResultsWindow& results = t.desktop->resultsWindow();
        QVERIFY(results.isVisible());
        QCOMPARE(results.pageView().applicationCaption, std::string("POWER FACTOR BOOST INDUCTOR"));
        results.printClick();
        QVERIFY2(pdfText(pdf).contains("POWER FACTOR BOOST INDUCTOR"), qPrintable(pdfText(pdf)));
    }

  private:
    static DesignRecord searchedRecordOfAnotherKind() {
        DesignRecord r;
        r.applicationType = kPowerline;
        return r;
    }
};

static RegisterUiTest<FileCommandsTest> registerFileCommandsTest("FileCommandsTest");

}  // namespace korvell::test

#include "FileCommandsTest.moc"
