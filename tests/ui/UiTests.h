// Registry of the window test classes and helpers shared by them.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Messages.h"
#include "ui/Desktop.h"

namespace korvell::test {

using UiTestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, UiTestFactory>& uiTestClasses();

// Registers a test class under its name at start-up.
template <typename T>
struct RegisterUiTest {
    explicit RegisterUiTest(const char* name) {
        uiTestClasses()[name] = [] { return std::make_unique<T>(); };
    }
};

// A desktop on a fixed 1280 × 1024 screen whose message boxes are recorded, not shown.
// Answers to the FILES menu's questions, set by a test; no dialog is ever shown.
struct ScriptedDialogs {
    QString saveAnswer;  // empty: the save dialog is cancelled
    bool saveAsCsv = false;
    QString openAnswer;  // empty: the open dialog is cancelled
    bool confirmAnswer = true;
    int questions = 0;
    // "SAVE CHANGES TO THE DESIGN?": answered DISCARD unless a test says otherwise.
    SaveChangesAnswer saveChangesAnswer = SaveChangesAnswer::Discard;
    int saveChangesQuestions = 0;
    QString spiceAnswer;     // empty: the export dialog is cancelled
    QString spiceSuggested;  // what the export dialog was offered
    QString exportAnswer;    // a report or MAS export; empty: cancelled
    QString exportSuggested;
    QString exportCaption;
    QString graphAnswer;  // empty: SAVE GRAPH's dialog is cancelled
    FileDialogs dialogs() {
        FileDialogs d;
        d.saveName = [this](QWidget*, const QString&, bool& csv) {
            csv = saveAsCsv;
            return saveAnswer;
        };
        d.openName = [this](QWidget*, const QString&) { return openAnswer; };
        d.spiceModelName = [this](QWidget*, const QString& suggested) {
            spiceSuggested = suggested;
            return spiceAnswer;
        };
        d.exportName = [this](QWidget*, const QString& caption, const QString& suggested,
                              const QString&) {
            exportCaption = caption;
            exportSuggested = suggested;
            return exportAnswer;
        };
        d.graphName = [this](QWidget*, const QString&) { return graphAnswer; };
        d.confirm = [this](QWidget*, const QString&, const QString&) {
            ++questions;
            return confirmAnswer;
        };
        d.saveChanges = [this](QWidget*, const QString&, const QString&) {
            ++saveChangesQuestions;
            return saveChangesAnswer;
        };
        return d;
    }
};

// A desktop on a fixed 1280 × 1024 screen whose message boxes are recorded, not shown, and whose
// file dialogs answer from `files`.
struct TestDesktop {
    RecordingMessages messages;
    ScriptedDialogs files;
    std::unique_ptr<Desktop> desktop;
    explicit TestDesktop(QSize screen = QSize(1280, 1024), PagePrinter* printer = nullptr) {
        DesktopOptions options;
        options.messages = &messages;
        options.printer = printer;
        options.screenSize = screen;
        options.fileDialogs = files.dialogs();
        desktop = std::make_unique<Desktop>(options);
    }
    DesignRecord& record() { return desktop->record(); }
};

// Lets queued window-system events (activation, focus) arrive.
inline void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// The control of a window by its object name; fails the test when there is none.
template <typename T>
T* control(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s in %s", name, qPrintable(window.objectName()));
    return found;
}

// The date every printed page of the tests carries: Tue Dec 08 09:05:03 2026.
std::tm fixedDate();

// A 100 uH, 5 A buck output filter (12 V on, 5 V off, 100 kHz) accepted and searched as the
// requirements window does, with the stack count given.
void searchBuckFilter(TestDesktop& t, const char* stack = "1");

// The text of a PDF file, laid out (pdftotext -layout), and its number of pages (pdfinfo).
QString pdfText(const QString& path);
int pdfPages(const QString& path);

// Types text into the focused widget key by key, as a user does.
inline void typeKeys(QWidget* widget, const char* keys) {
    for (const char* k = keys; *k; ++k)
        QTest::keyClick(widget, *k);
}

}  // namespace korvell::test
