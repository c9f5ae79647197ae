// The design workflow from the keyboard alone, as an engineer runs it: the cover away, the menu to
// the requirements, five numbers and Enter twice, the results scrolled and switched to DIMENSIONS,
// and the numbers shown agree with the korvell command line for the same requirements.
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>

#include "platform/Format.h"
#include "record/ResultCells.h"
#include "ui/CoverWindow.h"
#include "ui/MainWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

namespace {

// Types a value into the focused field and moves on with Enter.
void enterValue(const char* value) {
    QWidget* field = QApplication::focusWidget();
    QVERIFY(field != nullptr);
    typeKeys(field, value);
    QTest::keyClick(field, Qt::Key_Return);
}

QStringList cliRows(const QStringList& arguments) {
    QProcess process;
    process.start(KORVELL_CLI_PATH, arguments);
    process.waitForFinished(60000);
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    lines.removeAll("");
    return lines;
}

}  // namespace

class WorkflowTest : public QObject {
    Q_OBJECT

  private slots:
    void aDcBiasedDesignFromTheKeyboard() {
        TestDesktop t;
        MainWindow& main = t.desktop->mainWindow();
        t.desktop->start();
        settle();
        // The program starts with its cover; a key takes it away.
        CoverWindow& cover = t.desktop->coverWindow();
        QVERIFY(cover.isVisible());
        QTest::keyClick(&cover, Qt::Key_Space);
        QVERIFY(!cover.isVisible());
        main.activateWindow();
        settle();

        // Alt+A opens AUTOMATIC DESIGNS; Enter takes its first item, DC BIASED.
        QTest::keyClick(&main, Qt::Key_A, Qt::AltModifier);
        settle();
        QMenu* designs = control<QMenu>(main, "AutomaticDesignsMenu");
        QVERIFY(designs->isVisible());
        QTest::keyClick(designs, Qt::Key_Return);
        settle();
        RequirementsWindow& requirements = t.desktop->requirementsWindow();
        QVERIFY(requirements.isVisible());
        QCOMPARE(QApplication::focusWidget(), requirements.field(0));

        enterValue("100");                             // uH
        enterValue("0");                               // no resistance limit
        enterValue("5");                               // A
        enterValue("12");                              // ON volts
        enterValue("5");                               // OFF volts
        typeKeys(QApplication::focusWidget(), "100");  // kHz
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle();

        ResultsWindow& results = t.desktop->resultsWindow();
        QVERIFY2(t.messages.empty(), t.messages.empty() ? "" : t.messages.last().text.c_str());
        QVERIFY(results.isVisible());
        QCOMPARE(t.record().designCount, 40);
        QCOMPARE(QApplication::focusWidget(), results.scrollBar());
        QTest::keyClick(results.scrollBar(), Qt::Key_Down);
        QTest::keyClick(results.scrollBar(), Qt::Key_Down);
        QCOMPARE(t.record().selectedDesign, 2);
        // Tab to DISPLAY DIMENSIONS (after the scroll bar and DISPLAY ELECTRICAL), Space presses.
        QTest::keyClick(results.scrollBar(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("DIMENSIONS"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(t.record().displayMode, std::int8_t{kDimensionsDisplay});

        // The same designs, cell for cell, as the command line prints them.
        for (int display : {kElectricalDisplay, kDimensionsDisplay}) {
            QStringList arguments = {"design",    "--app",       "dc",    "--inductance", "100",
                                     "--current", "5",           "--von", "12",           "--voff",
                                     "5",         "--frequency", "100",   "--csv"};
            if (display == kDimensionsDisplay) arguments << "--dimensions";
            const QStringList rows = cliRows(arguments);
            QCOMPARE(rows.size(), 41);
            for (int i = 0; i < 40; ++i) {
                QStringList cells;
                for (int c = 0; c < kResultColumns; ++c) {
                    cells << "\"" +
                                 QString::fromStdString(
                                     trimmed(resultCellText(t.record(), display, i, c))) +
                                 "\"";
                }
                // The inductances the designs reach follow the table's columns.
                QVERIFY2(rows[i + 1].startsWith(cells.join(",") + ","), qPrintable(rows[i + 1]));
            }
        }
    }
};

static RegisterUiTest<WorkflowTest> registerWorkflowTest("WorkflowTest");

}  // namespace korvell::test

#include "WorkflowTest.moc"
