// Start-up, cover and help: the nine windows in their creation order and the two reference
// windows after them, the cover over the main window until a key or a click (the key goes no
// further), CATALOG showing it again, the help window's two texts, and the outermost handler of
// an escaped exception.
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <stdexcept>

#include "pages/HelpTexts.h"
#include "ui/AnalysisWindow.h"
#include "ui/CoverWindow.h"
#include "ui/DesktopApplication.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class StartUpTest : public QObject {
    Q_OBJECT

  private slots:
    void windowsAreCreatedOnceInTheirOrder() {
        TestDesktop t;
        QStringList names;
        for (QWidget* window : t.desktop->windows())
            names << window->objectName();
        QCOMPARE(names,
                 (QStringList{"TMainForm", "TMaterialSelector", "TReqtForm1", "TDataForm1",
                              "TParamsForm", "TGraphicsForm", "TAnalysis", "THelp", "TCoverForm",
                              "TCatalogForm", "TWireTableForm", "TExplorerForm"}));
        for (QWidget* window : t.desktop->windows())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    void theCoverLiesOverTheMainWindowUntilAKey() {
        TestDesktop t;
        t.desktop->start();
        settle();
        CoverWindow& cover = t.desktop->coverWindow();
        QVERIFY(t.desktop->mainWindow().isVisible());
        QVERIFY(cover.isVisible());
        QCOMPARE(cover.geometry(), QRect(0, 0, 1280, 1024));
        QVERIFY(cover.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(cover.picture()->objectName(), QString("Image1"));
        QCOMPARE(cover.picture()->geometry(), QRect(320, 665, 640, 215));
        QCOMPARE(QApplication::activeWindow(), &cover);

        // Alt+N is the main window's ANALYSIS: on the cover it only takes the cover away.
        QTest::keyClick(&cover, Qt::Key_N, Qt::AltModifier);
        settle();
        QVERIFY(!cover.isVisible());
        QVERIFY(!t.desktop->analysisWindow().isVisible());
        QVERIFY(t.desktop->mainWindow().isVisible());
        QVERIFY(t.messages.empty());
        // The keyboard is the main window's again.
        QCOMPARE(QApplication::activeWindow(), &t.desktop->mainWindow());
    }

    void aClickOnTheCoverOrItsPictureTakesItAway() {
        TestDesktop t;
        t.desktop->start();
        settle();
        CoverWindow& cover = t.desktop->coverWindow();
        QTest::mouseClick(cover.picture(), Qt::LeftButton);
        QVERIFY(!cover.isVisible());
        // CATALOG shows it again.
        control<QPushButton>(t.desktop->mainWindow(), "CATALOG")->click();
        settle();
        QVERIFY(cover.isVisible());
        QTest::mouseClick(&cover, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!cover.isVisible());
    }

    void gettingStartedAndHelpTopicsShareTheHelpWindow() {
        TestDesktop t;
        HelpWindow& help = t.desktop->helpWindow();
        QCOMPARE(help.windowTitle(), QString("KORVELL HELP"));
        QCOMPARE(help.geometry(), QRect(256, 204, 921, 696));
        QVERIFY(help.gettingStarted()->isHidden());
        QVERIFY(help.helpTopics()->isHidden());
        QVERIFY(help.heading()->font().bold() && help.heading()->font().italic());

        control<QPushButton>(t.desktop->mainWindow(), "GettingStarted")->click();
        settle();
        QVERIFY(help.isVisible());
        QCOMPARE(help.heading()->text(), QString("GETTING STARTED"));
        QVERIFY(!help.gettingStarted()->isHidden());
        QVERIFY(help.helpTopics()->isHidden());
        QVERIFY(help.gettingStarted()->isReadOnly());
        QVERIFY(help.gettingStarted()->toPlainText().startsWith(
            "This program consists of three primary functions, Automatic Design, Analysis, and "
            "References."));
        QCOMPARE(help.gettingStarted()->size(), help.helpTopics()->size());

        t.desktop->showHelpTopics();
        settle();
        QCOMPARE(help.heading()->text(), QString("HELP TOPICS"));
        QVERIFY(help.gettingStarted()->isHidden());
        QVERIFY(!help.helpTopics()->isHidden());
        QVERIFY(help.helpTopics()->toPlainText().startsWith("HELP TOPICS"));
        for (const std::string_view topic : kHelpTopics) {
            QVERIFY(help.helpTopics()->toPlainText().contains(
                QString::fromUtf8(topic.data(), static_cast<qsizetype>(topic.size()))));
        }
    }

    void helpTopicsComeBackAtTheTopGettingStartedWhereItWasLeft() {
        TestDesktop t;
        HelpWindow& help = t.desktop->helpWindow();
        t.desktop->showHelpTopics();
        settle();
        QScrollBar* topics = help.helpTopics()->verticalScrollBar();
        QVERIFY(topics->maximum() > 0);
        topics->setValue(topics->maximum());
        help.helpTopics()->moveCursor(QTextCursor::End);
        t.desktop->showGettingStarted();
        settle();
        QScrollBar* guide = help.gettingStarted()->verticalScrollBar();
        QVERIFY(guide->maximum() > 0);
        guide->setValue(guide->maximum() / 2);
        const int left = guide->value();

        t.desktop->showHelpTopics();
        settle();
        QCOMPARE(topics->value(), 0);
        QCOMPARE(help.helpTopics()->textCursor().position(), 0);
        t.desktop->showGettingStarted();
        settle();
        QCOMPARE(guide->value(), left);
    }

    void anEscapedExceptionIsKeptWithItsMessage() {
        ExceptionGuard guard;
        QVERIFY(guard.deliver([] { return true; }));
        QVERIFY(!guard.escaped());
        QVERIFY(
            !guard.deliver([]() -> bool { throw std::runtime_error("catalog table damaged"); }));
        QCOMPARE(*guard.escaped(), std::string("catalog table damaged"));
        // The first one is what the box shows.
        QVERIFY(!guard.deliver([]() -> bool { throw std::logic_error("later"); }));
        QCOMPARE(*guard.escaped(), std::string("catalog table damaged"));

        ExceptionGuard other;
        QVERIFY(!other.deliver([]() -> bool { throw 42; }));
        QVERIFY(other.escaped().has_value());
        QVERIFY(!other.escaped()->empty());
    }
};

static RegisterUiTest<StartUpTest> registerStartUpTest("StartUpTest");

}  // namespace korvell::test

#include "StartUpTest.moc"
