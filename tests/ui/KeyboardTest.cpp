// The program from the keyboard alone: every control of every window reached by Tab and none
// keeping the focus, Enter on a focused button pressing it, one control to each Alt letter of a
// window, and Esc closing a window with the keyboard going back where it came from.
#include <QAbstractButton>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QWindow>

#include "ui/AnalysisWindow.h"
#include "ui/CatalogWindow.h"
#include "ui/CoverWindow.h"
#include "ui/GraphWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/MaterialSelector.h"
#include "ui/ParametersWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"
#include "ui/WireTableWindow.h"

namespace korvell::test {

class KeyboardTest : public QObject {
    Q_OBJECT

  private:
    // Every window of the program, opened as its command opens it.
    static void openAll(TestDesktop& t) {
        Desktop& d = *t.desktop;
        searchBuckFilter(t);
        d.mainWindow().show();
        t.record().graphKind = 1;
        d.showGraphWindow();
        d.showResultsAnew();
        d.openParameters();
        d.openMaterialSelector();
        d.showHelpTopics();
        d.openCatalog();
        d.openWireTables();
        d.openAnalysis();
        d.openRequirements();
        settle();
    }

    static std::vector<QWidget*> windows(TestDesktop& t) {
        std::vector<QWidget*> all = t.desktop->windows();
        std::erase(all, static_cast<QWidget*>(&t.desktop->coverWindow()));
        return all;
    }

    static void focusWindow(QWidget& window) {
        window.activateWindow();
        settle();
    }

    // The letter after '&' in a caption, or 0.
    static QChar mnemonic(const QString& caption) {
        const int at = caption.indexOf('&');
        return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toUpper() : QChar();
    }

  private slots:
    void tabReachesEveryControlOfEveryWindowAndComesRound() {
        TestDesktop t;
        openAll(t);
        for (QWidget* window : windows(t)) {
            // The controls a user can reach: shown, enabled and taking the focus from Tab.
            QSet<QWidget*> reachable;
            for (QWidget* c : window->findChildren<QWidget*>()) {
                if (c->isVisibleTo(window) && c->isEnabled() && c->focusPolicy() != Qt::NoFocus &&
                    c->focusProxy() == nullptr && !c->isWindow() && c->isEnabledTo(window)) {
                    reachable.insert(c);
                }
            }
            // Controls inside a reachable control (a table's viewport) are its own business.
            for (QWidget* c : QSet<QWidget*>(reachable)) {
                for (QWidget* p = c->parentWidget(); p != window; p = p->parentWidget()) {
                    if (reachable.contains(p)) reachable.remove(c);
                }
            }
            // From one of them, round the chain back to it.
            if (reachable.isEmpty()) continue;
            focusWindow(*window);
            QWidget* start = *reachable.begin();
            start->setFocus(Qt::TabFocusReason);
            QSet<QWidget*> visited{start};
            for (qsizetype presses = 0; presses <= reachable.size(); ++presses) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                if (QApplication::focusWidget() == start) break;
                visited.insert(QApplication::focusWidget());
            }
            QVERIFY2(QApplication::focusWidget() == start,
                     qPrintable(window->objectName() + " keeps the focus in " +
                                QApplication::focusWidget()->objectName()));
            QSet<QWidget*> missed = reachable - visited;
            QStringList names;
            for (QWidget* m : missed)
                names << m->objectName() + ":" + m->metaObject()->className();
            QVERIFY2(missed.isEmpty(), qPrintable(window->objectName() + " " + names.join(" ")));
        }
    }

    void everyAltLetterOfAWindowBelongsToOneControl() {
        TestDesktop t;
        for (QWidget* window : windows(t)) {
            QMap<QChar, QString> owners;
            QStringList clashes;
            const auto take = [&](const QString& caption) {
                const QChar letter = mnemonic(caption);
                if (letter.isNull()) return;
                if (owners.contains(letter)) clashes << owners[letter] + " / " + caption;
                owners[letter] = caption;
            };
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
                take(b->text());
            for (QLabel* l : window->findChildren<QLabel*>()) {
                if (l->buddy() != nullptr) take(l->text());
            }
            for (QGroupBox* g : window->findChildren<QGroupBox*>())
                take(g->title());
            for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
                for (QAction* a : bar->actions())
                    take(a->text());
            }
            QVERIFY2(clashes.isEmpty(),
                     qPrintable(window->objectName() + ": " + clashes.join(", ")));
        }
        // The two letters that were shared now run their commands.
        TestDesktop d;
        MainWindow& main = d.desktop->mainWindow();
        main.show();
        focusWindow(main);
        // A button pressed by its letter shows itself pressed for a moment first.
        QTest::keyClick(&main, Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(d.desktop->resultsWindow().isVisible());
        focusWindow(main);
        QTest::keyClick(&main, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(d.desktop->requirementsWindow().isVisible());
    }

    void enterOnAFocusedButtonPressesIt() {
        TestDesktop t;
        Desktop& d = *t.desktop;
        d.mainWindow().show();
        // The requirements' OK checks what was typed: nothing yet, so it says so.
        d.openRequirements();
        settle();
        QPushButton* ok = control<QPushButton>(d.requirementsWindow(), "Button_OK");
        ok->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(t.messages.messages.size(), std::size_t{1});
        // The parameters' and the material selector's OK hide their windows.
        for (QWidget* window : {static_cast<QWidget*>(&d.parametersWindow()),
                                static_cast<QWidget*>(&d.materialSelector())}) {
            d.open(*window);
            settle();
            QPushButton* button = window == &d.parametersWindow()
                                      ? control<QPushButton>(*window, "Button_OK")
                                      : control<QPushButton>(*window, "Button1");
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY2(window->isHidden(), qPrintable(window->objectName()));
        }
        // The application name is a control too: Space on it moves to the next application.
        d.openRequirements();
        settle();
        auto* name = control<QLabel>(d.requirementsWindow(), "LabelApplication");
        name->setFocus(Qt::TabFocusReason);
        const int before = t.record().applicationType;
        QTest::keyClick(name, Qt::Key_Space);
        QCOMPARE(int(t.record().applicationType), (before + 1) % kApplicationCount);
    }

    void escClosesAWindowAndTheKeyboardGoesBack() {
        TestDesktop t;
        Desktop& d = *t.desktop;
        d.mainWindow().show();
        focusWindow(d.mainWindow());
        d.openRequirements();
        settle();
        // From the requirements to the material selector and back.
        d.openMaterialSelector();
        settle();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        QVERIFY(d.materialSelector().isHidden());
        QCOMPARE(QGuiApplication::focusWindow(), d.requirementsWindow().windowHandle());
        // Esc in a field of the requirements closes that window too.
        d.requirementsWindow().field(0)->setFocus();
        QTest::keyClick(d.requirementsWindow().field(0), Qt::Key_Escape);
        settle();
        QVERIFY(d.requirementsWindow().isHidden());
        QCOMPARE(QGuiApplication::focusWindow(), d.mainWindow().windowHandle());
        // The main window stays, whatever has the focus in it.
        QTest::keyClick(&d.mainWindow(), Qt::Key_Escape);
        QVERIFY(d.mainWindow().isVisible());
    }
};

namespace {
const RegisterUiTest<KeyboardTest> reg("KeyboardTest");
}

}  // namespace korvell::test

#include "KeyboardTest.moc"
