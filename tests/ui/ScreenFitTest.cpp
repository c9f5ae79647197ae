// Every window on the screens the program is used on: opened wholly on the screen with room for
// its frame, every shown control inside its window, and no caption, list or button text cut off.
// Run once as it stands and once at a device-pixel ratio of 2 (QT_SCALE_FACTOR=2), where a
// 3840 × 2160 screen is the 1920 × 1080 one to the windows.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/Placement.h"
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

class ScreenFitTest : public QObject {
    Q_OBJECT

  private:
    // Where a control is cut by its parent or its text by its own edges, a line saying so.
    static QStringList faults(QWidget& window, const QRect& area) {
        QStringList found;
        const QRect frame = window.geometry().adjusted(-kUsualFrame.left, -kUsualFrame.top,
                                                       kUsualFrame.right, kUsualFrame.bottom);
        if (!area.contains(frame)) found << window.objectName() + " off the screen";
        for (QWidget* c : window.findChildren<QWidget*>()) {
            if (c->isWindow() || !c->isVisibleTo(&window)) continue;
            const QString name = window.objectName() + "/" + c->objectName();
            if (!c->parentWidget()->rect().contains(c->geometry())) found << name + " cut off";
            if (const auto* label = qobject_cast<QLabel*>(c); label && !label->text().isEmpty()) {
                const bool fits = label->wordWrap()
                                      ? label->heightForWidth(label->width()) <= label->height()
                                      : label->sizeHint().width() <= label->width() &&
                                            label->fontMetrics().height() <= label->height();
                if (!fits) found << name + " text cut: " + label->text();
            } else if (const auto* box = qobject_cast<QCheckBox*>(c)) {
                if (box->sizeHint().width() > box->width()) found << name + " text cut";
            } else if (const auto* button = qobject_cast<QPushButton*>(c)) {
                // The room the style leaves the caption inside the button's edges.
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect room =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const QFontMetrics fm = button->fontMetrics();
                if (fm.horizontalAdvance(QString(button->text()).remove('&')) > room.width() ||
                    fm.height() > room.height()) {
                    found << name + " text cut: " + button->text();
                }
            } else if (const auto* list = qobject_cast<QComboBox*>(c)) {
                if (list->sizeHint().width() > list->width()) found << name + " text cut";
            } else if (const auto* bar = qobject_cast<QMenuBar*>(c)) {
                if (bar->sizeHint().width() > bar->width()) found << name + " menus cut";
            }
        }
        return found;
    }

  private slots:
    void everyWindowFitsTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        for (const QSize s : {QSize(1024, 768), QSize(1280, 720), QSize(1366, 768),
                              QSize(1920, 1080), QSize(2560, 1440), QSize(3840, 2160)}) {
            QTest::addRow("%dx%d", s.width(), s.height()) << s;
        }
    }

    void everyWindowFitsTheScreen() {
        QFETCH(QSize, screen);
        TestDesktop t(screen);
        searchBuckFilter(t);
        Desktop& d = *t.desktop;
        d.mainWindow().show();
        t.record().graphKind = 5;
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
        const QRect area(QPoint(0, 0), screen);
        if (screen == QSize(1024, 768)) {
            // The screen the placement rules were made for: every window where they put it.
            const int w = screen.width(), h = screen.height();
            const std::pair<QWidget*, Rect> rules[] = {
                {&d.mainWindow(), mainWindowPlacement(w, h)},
                {&d.requirementsWindow(), requirementsWindowPlacement(w, h)},
                {&d.resultsWindow(), resultsWindowPlacement(w, h)},
                {&d.parametersWindow(), parametersWindowPlacement(w, h)},
                {&d.graphWindow(), graphWindowPlacement(w, h)},
                {&d.analysisWindow(), analysisWindowPlacement(w, h).window},
                {&d.materialSelector(), materialSelectorPlacement(w, h)},
                {&d.helpWindow(), helpWindowPlacement(w, h)},
                {&d.catalogWindow(), catalogWindowPlacement(w, h)},
                {&d.wireTableWindow(), wireTableWindowPlacement(w, h)},
            };
            for (const auto& [window, r] : rules) {
                QCOMPARE(window->geometry(), QRect(r.left, r.top, r.width, r.height));
            }
        }
        const double ratio = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        QStringList found;
        for (QWidget* w : d.windows()) {
            if (w == static_cast<QWidget*>(&d.coverWindow())) continue;
            QCOMPARE(w->devicePixelRatio(), ratio);
            found << faults(*w, area);
        }
        // Each application's captions, in the two windows whose captions change with it.
        for (int a = 0; a < kApplicationCount; ++a) {
            t.record().applicationType = static_cast<std::int8_t>(a);
            d.requirementsWindow().formActivate();
            d.analysisWindow().formActivate();
            settle();
            found << faults(d.requirementsWindow(), area) << faults(d.analysisWindow(), area);
        }
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
    }
};

namespace {
const RegisterUiTest<ScreenFitTest> reg("ScreenFitTest");
}

}  // namespace korvell::test

#include "ScreenFitTest.moc"
