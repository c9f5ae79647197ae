// Every window on the screens the program is used on, and from the keyboard alone. Run as it
// stands and at a device-pixel ratio of 2 (QT_SCALE_FACTOR=2): 3840 × 2160 at 200 %.
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QWindow>

#include "platform/Placement.h"
#include "ui/AnalysisWindow.h"
#include "ui/CoverWindow.h"
#include "ui/MainWindow.h"
#include "ui/MaterialSelector.h"
#include "ui/ParametersWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"

namespace korvell::test {

class EveryWindowTest : public QObject {
    Q_OBJECT

  private:
    // Every window of the program, opened as its command opens it, after a search; the entry
    // windows show the longest captions, the power factor boost's.
    static std::vector<QWidget*> openAll(TestDesktop& t) {
        Desktop& d = *t.desktop;
        searchBuckFilter(t);
        t.record().applicationType = kPowerFactorBoost;
        d.mainWindow().show();
        t.record().graphKind = 5;
        d.showGraphWindow();
        d.showResultsAnew();
        d.openParameters();
        d.openMaterialSelector();
        d.showHelpTopics();
        d.openCatalog();
        d.openWireTables();
        d.openExplorer();
        d.openAnalysis();
        d.openRequirements();
        settle();
        std::vector<QWidget*> all = d.windows();
        std::erase(all, static_cast<QWidget*>(&d.coverWindow()));
        return all;
    }

    // A line for each control cut by its parent, each caption cut by its control's edges, and
    // the window when it or its frame leaves the screen.
    static QStringList faults(QWidget& window, const QRect& screen) {
        QStringList found;
        const QRect frame = window.geometry().adjusted(-kUsualFrame.left, -kUsualFrame.top,
                                                       kUsualFrame.right, kUsualFrame.bottom);
        if (!screen.contains(frame)) found << window.objectName() + " off the screen";
        for (QWidget* c : window.findChildren<QWidget*>()) {
            if (c->isWindow() || !c->isVisibleTo(&window)) continue;
            const QString name = window.objectName() + "/" + c->objectName();
            if (!c->parentWidget()->rect().contains(c->geometry())) found << name + " cut off";
            bool fits = true;
            if (const auto* label = qobject_cast<QLabel*>(c)) {
                fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                         : label->sizeHint().width() <= label->width();
            } else if (qobject_cast<QPushButton*>(c) || qobject_cast<QCheckBox*>(c) ||
                       qobject_cast<QComboBox*>(c) || qobject_cast<QMenuBar*>(c)) {
                fits = c->sizeHint().width() <= c->width();
            }
            if (!fits) found << name + " caption cut";
        }
        return found;
    }

  private slots:
    void fitsEveryScreen_data() {
        QTest::addColumn<QSize>("screen");
        for (const QSize s : {QSize(1024, 768), QSize(1280, 720), QSize(1366, 768),
                              QSize(1920, 1080), QSize(2560, 1440), QSize(3840, 2160)})
            QTest::addRow("%dx%d", s.width(), s.height()) << s;
    }

    void fitsEveryScreen() {
        QFETCH(QSize, screen);
        TestDesktop t(screen);
        Desktop& d = *t.desktop;
        QStringList found;
        for (QWidget* w : openAll(t)) {
            QCOMPARE(w->devicePixelRatio(),
                     qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
            found << faults(*w, QRect(QPoint(0, 0), screen));
        }
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
        // On the screen the rules were made for, the windows that could grow stand as they did.
        if (screen == QSize(1024, 768)) {
            QCOMPARE(d.mainWindow().geometry(), QRect(51, 38, 921, 691));
            QCOMPARE(d.requirementsWindow().geometry(), QRect(204, 115, 614, 460));
            QCOMPARE(d.analysisWindow().geometry(), QRect(102, 153, 819, 514));
            QCOMPARE(d.parametersWindow().geometry(), QRect(204, 153, 614, 522));
        }
    }

    void keyboardReachesEveryControl() {
        TestDesktop t;
        for (QWidget* window : openAll(t)) {
            const auto takesFocus = [window](QWidget* c) {
                return !c->isWindow() && c->isVisibleTo(window) && c->isEnabled() &&
                       c->focusPolicy() != Qt::NoFocus && c->focusProxy() == nullptr;
            };
            QSet<QWidget*> controls;  // those a user can reach; not the parts of another
            for (QWidget* c : window->findChildren<QWidget*>()) {
                bool part = false;
                for (QWidget* p = c->parentWidget(); p != window; p = p->parentWidget())
                    part = part || takesFocus(p);
                if (takesFocus(c) && !part) controls.insert(c);
            }
            // Tab goes round them all and back to where it started: none keeps the focus.
            if (controls.isEmpty()) continue;
            window->activateWindow();
            settle();
            QWidget* start = *controls.begin();
            start->setFocus(Qt::TabFocusReason);
            QSet<QWidget*> visited{start};
            for (qsizetype i = 0; i <= controls.size() && visited.size() <= controls.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                if (QApplication::focusWidget() == start) break;
                visited.insert(QApplication::focusWidget());
            }
            QVERIFY2(QApplication::focusWidget() == start && visited == controls,
                     qPrintable(window->objectName()));
            // No two buttons or menus of a window answer to one Alt letter.
            QStringList letters;
            const auto take = [&letters](const QString& caption) {
                if (const qsizetype at = caption.indexOf('&'); at >= 0)
                    letters << caption.mid(at + 1, 1).toUpper();
            };
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
                take(b->text());
            for (QMenuBar* bar : window->findChildren<QMenuBar*>())
                for (QAction* a : bar->actions())
                    take(a->text());
            QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
        }
    }

    void enterPressesAFocusedButtonAndEscClosesAWindow() {
        TestDesktop t;
        Desktop& d = *t.desktop;
        d.mainWindow().show();
        d.mainWindow().activateWindow();
        settle();
        // The requirements' OK checks what was typed (nothing yet), and says so.
        d.openRequirements();
        settle();
        auto* ok = control<QPushButton>(d.requirementsWindow(), "Button_OK");
        ok->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(t.messages.messages.size(), std::size_t{1});
        // The material selector's OK hides it, the keyboard goes back to the requirements.
        d.openMaterialSelector();
        settle();
        auto* selectorOk = control<QPushButton>(d.materialSelector(), "Button1");
        selectorOk->setFocus(Qt::TabFocusReason);
        QTest::keyClick(selectorOk, Qt::Key_Enter, Qt::KeypadModifier);
        settle();
        QVERIFY(d.materialSelector().isHidden());
        QCOMPARE(QGuiApplication::focusWindow(), d.requirementsWindow().windowHandle());
        // Esc in a field closes its window.
        QTest::keyClick(d.requirementsWindow().field(0), Qt::Key_Escape);
        QVERIFY(d.requirementsWindow().isHidden());
    }
};

namespace {
const RegisterUiTest<EveryWindowTest> reg("EveryWindowTest");
}

}  // namespace korvell::test

#include "EveryWindowTest.moc"
