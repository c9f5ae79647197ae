// The desktop program: the application object, the windows, the message loop. Closing the main
// window ends the program.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <clocale>
#include <exception>

#include "platform/qt/Fonts.h"
#include "ui/Desktop.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Field texts are read and written with a point, whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(korvell::kApplicationTitle);
    QGuiApplication::setDesktopFileName("com.korvell.inductors");
    QApplication::setWindowIcon(QIcon(":/icons/korvell-inductors.png"));
    korvell::installFontSubstitutions();
    try {
        korvell::Desktop desktop;
        desktop.start();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, korvell::kApplicationTitle, error.what());
    }
    return 0;
}
