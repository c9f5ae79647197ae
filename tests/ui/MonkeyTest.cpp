// A monkey test of the windows: seeded random keys, clicks, list choices, typed texts and menu
// commands over every window of the program, asserting after each event that nothing drawn (and
// now and then nothing the reference windows list) holds nan or inf, that the results hold finite
// numbers, and that an entry refused for its characters left the record exactly as it was.
// KORVELL_MONKEY_EVENTS sets the number of events (default 3000) and KORVELL_MONKEY_SEED the seed.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cmath>
#include <random>

#include "pages/ReferenceListings.h"
#include "pages/ResultsPage.h"
#include "platform/qt/Printing.h"
#include "support/RecordingCanvas.h"
#include "ui/CatalogWindow.h"
#include "ui/MainWindow.h"
#include "ui/ParametersWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/UiTests.h"
#include "ui/Widgets.h"
#include "ui/WireTableWindow.h"

namespace korvell::test {

namespace {

int environmentNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// Texts a hostile user types into a field.
const std::vector<QString>& hostileTexts() {
    static const std::vector<QString> texts = {
        "",        "0",   "-0",         "1e99",        "99999999999", "..",   "nan",
        "inf",     " 5 ", "0.0001",     "2.5",         "-55",         "100",  "12",
        "5",       "0.5", "1000000",    "3.4e38",      "-1",          "   ",  "1.2.3",
        "65",      "400", "311",        "60",          "795.8",       "0000", "#18",
        "T106-26", "x",   "2147483647", "0.000000001", "200.5",       "1316", "-200",
    };
    return texts;
}

const std::vector<int>& monkeyKeys() {
    static const std::vector<int> keys = {
        Qt::Key_0,         Qt::Key_1,        Qt::Key_5,      Qt::Key_9,    Qt::Key_Period,
        Qt::Key_Minus,     Qt::Key_A,        Qt::Key_E,      Qt::Key_X,    Qt::Key_Space,
        Qt::Key_Return,    Qt::Key_Return,   Qt::Key_Up,     Qt::Key_Down, Qt::Key_Tab,
        Qt::Key_Backspace, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End,  Qt::Key_Home,
        Qt::Key_Escape,
    };
    return keys;
}

bool finite(float value) {
    return std::isfinite(value);
}

// Every number of every results row is finite.
bool resultsFinite(const DesignRecord& r) {
    for (int i = 0; i < kMaxDesigns; ++i) {
        const DesignResult& d = r.designResults[i];
        for (float v : {d.price, d.al, d.fillPercent, d.rdc, d.rac, d.bac, d.percentPerm,
                        d.coreLossW, d.copperLossW, d.tempRise, d.build, d.woundOd, d.woundId,
                        d.woundHeight, d.bobbinDim, d.surfaceArea, d.coreVolume}) {
            if (!finite(v)) return false;
        }
    }
    return true;
}

// The texts the results page draws of a copy of the record, in both displays.
std::vector<std::string> drawnTexts(const DesignRecord& record) {
    std::vector<std::string> texts;
    for (int display : {0, 1}) {
        DesignRecord copy = record;
        copy.displayMode = static_cast<std::int8_t>(display);
        RecordingCanvas canvas(1200, 800);
        ResultsPageView view;
        view.windowWidth = 1200;
        view.scrollPosition = copy.selectedDesign;
        drawResultsPage(canvas, copy, view);
        for (const DrawnText& t : canvas.texts)
            texts.push_back(t.text);
    }
    return texts;
}

// The texts of the reference windows that are open: every catalog cell and wire-table cell.
std::vector<QString> referenceTexts(Desktop& desktop) {
    std::vector<QString> texts;
    CatalogWindow& catalog = desktop.catalogWindow();
    if (catalog.isVisible()) {
        for (int r = 0; r < catalog.rowCount(); ++r)
            for (int k = 0; k < kCatalogColumns; ++k)
                texts.push_back(catalog.cellText(r, k));
    }
    QTableWidget* wires = desktop.wireTableWindow().grid();
    if (desktop.wireTableWindow().isVisible()) {
        for (int r = 0; r < wires->rowCount(); ++r)
            for (int k = 0; k < wires->columnCount(); ++k)
                texts.push_back(wires->item(r, k)->text());
    }
    return texts;
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

  private slots:
    void randomEventsOverEveryWindow() {
        QTemporaryDir dir;
        PdfFilePrinter printer(dir.filePath("monkey.pdf"));
        TestDesktop t(QSize(1280, 1024), &printer);
        // The FILES menu saves to and opens one design file of the run.
        t.files.saveAnswer = dir.filePath("monkey.korvell.json");
        t.files.openAnswer = t.files.saveAnswer;
        t.desktop->start();
        settle();

        const int events = environmentNumber("KORVELL_MONKEY_EVENTS", 3000);
        const auto seed =
            static_cast<std::uint32_t>(environmentNumber("KORVELL_MONKEY_SEED", 2026));
        std::mt19937 random(seed);
        const auto pick = [&](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
        };

        std::vector<QAction*> commands;
        for (QAction* action : t.desktop->mainWindow().findChildren<QAction*>()) {
            if (!action->isSeparator() && !action->menu()) commands.push_back(action);
        }
        QVERIFY(commands.size() >= 40);

        for (int event = 0; event < events; ++event) {
            std::vector<QWidget*> windows;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && !qobject_cast<QMenu*>(w)) windows.push_back(w);
            }
            QWidget* window = windows[pick(windows.size())];
            const DesignRecord before = t.record();
            const std::size_t shown = t.messages.size();
            QString what;

            switch (pick(10)) {
                case 0:
                case 1:
                case 2:
                case 3: {
                    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
                    const int key = monkeyKeys()[pick(monkeyKeys().size())];
                    what = QString("key %1 to %2").arg(key).arg(target->objectName());
                    QTest::keyClick(target, static_cast<Qt::Key>(key));
                    break;
                }
                case 4:
                case 5: {
                    auto buttons = window->findChildren<QPushButton*>();
                    buttons.removeIf([](QPushButton* b) { return !b->isVisible(); });
                    if (buttons.empty()) break;
                    QPushButton* button = buttons[pick(buttons.size())];
                    what = "click " + button->objectName() + " of " + window->objectName();
                    button->click();
                    break;
                }
                case 6: {
                    QAction* action = commands[pick(commands.size())];
                    what = "command " + action->objectName();
                    action->trigger();
                    break;
                }
                case 7: {
                    auto fields = window->findChildren<QLineEdit*>();
                    fields.removeIf([](QLineEdit* f) { return !f->isVisible(); });
                    if (fields.empty()) break;
                    QLineEdit* field = fields[pick(fields.size())];
                    field->setFocus();
                    field->setText(hostileTexts()[pick(hostileTexts().size())]);
                    what = "text " + field->text() + " into " + field->objectName();
                    break;
                }
                case 8: {
                    auto lists = window->findChildren<QComboBox*>();
                    lists.removeIf([](QComboBox* c) { return !c->isVisible() || !c->count(); });
                    if (lists.empty()) break;
                    QComboBox* list = lists[pick(lists.size())];
                    const int index =
                        static_cast<int>(pick(static_cast<std::size_t>(list->count())));
                    list->setCurrentIndex(index);
                    emit list->activated(index);
                    what = "choose " + list->objectName();
                    break;
                }
                default: {
                    auto labels = window->findChildren<ClickLabel*>();
                    labels.removeIf([](ClickLabel* l) { return !l->isVisible(); });
                    if (!labels.empty()) {
                        emit labels[pick(labels.size())]->clicked();
                        what = "application name";
                    }
                    break;
                }
            }

            const QString where = QString("event %1 (seed %2): %3").arg(event).arg(seed).arg(what);
            const DesignRecord& after = t.record();
            if (t.messages.size() > shown &&
                t.messages.last().text.rfind("INVALID CHARACTER", 0) == 0) {
                QVERIFY2(after == before,
                         qPrintable("a refused entry changed the record, " + where));
            }
            QVERIFY2(resultsFinite(after), qPrintable("a result is not finite, " + where));
            for (const std::string& text : drawnTexts(after)) {
                QVERIFY2(
                    text.find("nan") == std::string::npos && text.find("inf") == std::string::npos,
                    qPrintable(QString::fromStdString(text) + " drawn, " + where));
            }
            // Now and then the window system catches up (activations, focus, painting), and the
            // reference windows are read.
            if (event % 16 == 0) {
                settle();
                for (const QString& text : referenceTexts(*t.desktop)) {
                    QVERIFY2(!text.contains("nan") && !text.contains("inf"),
                             qPrintable(text + " shown, " + where));
                }
            }
        }
        int searches = 0;
        for (const Message& m : t.messages.messages)
            searches += m.text.find("CORES MEETING REQUIREMENTS") != std::string::npos;
        std::fprintf(stderr,
                     "%d events, %zu messages, %d searches ended at the end of the catalog\n",
                     events, t.messages.size(), searches);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* menu = qobject_cast<QMenu*>(w)) menu->close();
        }
    }
};

static RegisterUiTest<MonkeyTest> registerMonkeyTest("MonkeyTest");

}  // namespace korvell::test

#include "MonkeyTest.moc"
