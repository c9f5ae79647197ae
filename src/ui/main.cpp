// The desktop program: the application object, the windows, the message loop. Closing the main
// window ends the program. An exception that escapes the start-up or the message loop ends it
// too, after its message has been shown.
#include <QIcon>
#include <clocale>
#include <optional>
#include <string>

#include "platform/qt/Fonts.h"
#include "ui/Desktop.h"
#include "ui/DesktopApplication.h"

int main(int argc, char* argv[]) {
    korvell::DesktopApplication application(argc, argv);
    // Field texts are read and written with a point, whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    korvell::DesktopApplication::setApplicationName(korvell::kApplicationTitle);
    korvell::DesktopApplication::setDesktopFileName("com.korvell.inductors");
    korvell::DesktopApplication::setWindowIcon(QIcon(":/icons/korvell-inductors.png"));
    korvell::installFontSubstitutions();

    std::optional<std::string> escaped;
    int status = 0;
    try {
        korvell::Desktop desktop;
        desktop.start();
        status = korvell::DesktopApplication::exec();
    } catch (...) {
        escaped = korvell::currentExceptionMessage();
    }
    // The windows are gone by now, so the box stands alone.
    if (!escaped) escaped = application.escaped();
    if (escaped) {
        korvell::showEscapedException(*escaped);
        return 0;
    }
    return status;
}
