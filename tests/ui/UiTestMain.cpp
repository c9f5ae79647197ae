// Runs one window test class, named by the first argument, on the offscreen platform.
#include <QApplication>
#include <QTest>
#include <clocale>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/qt/Fonts.h"
#include "ui/UiTests.h"

namespace {

// The offscreen platform cannot raise windows or pass size hints; it says so on every window.
// Those notes are dropped so that real warnings stand out.
QtMessageHandler defaultHandler = nullptr;
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith("This plugin does not support")) return;
    defaultHandler(type, context, text);
}

}  // namespace

int main(int argc, char* argv[]) {
    defaultHandler = qInstallMessageHandler(quietOffscreenNotes);
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    korvell::installFontSubstitutions();
    const auto& classes = korvell::test::uiTestClasses();
    if (argc < 2) {
        int failures = 0;
        for (const auto& [name, make] : classes) {
            auto object = make();
            failures += QTest::qExec(object.get(), 1, argv);
        }
        return failures;
    }
    const auto it = classes.find(argv[1]);
    if (it == classes.end()) {
        std::fprintf(stderr, "unknown test class %s\n", argv[1]);
        return 2;
    }
    auto object = it->second();
    // The remaining arguments go to Qt Test (test function names, -v2 and so on).
    argv[1] = argv[0];
    return QTest::qExec(object.get(), argc - 1, argv + 1);
}
