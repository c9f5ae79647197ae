#include "ui/DesktopApplication.h"

#include <QMessageBox>
#include <exception>

#include "platform/qt/QtText.h"
#include "ui/Desktop.h"

namespace korvell {

std::string currentExceptionMessage() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "An unknown error ended the program.";
    }
}

bool ExceptionGuard::deliver(const std::function<bool()>& delivery) {
    try {
        return delivery();
    } catch (...) {
        if (!m_escaped) m_escaped = currentExceptionMessage();
        QCoreApplication::exit(0);
        return false;
    }
}

DesktopApplication::DesktopApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DesktopApplication::notify(QObject* receiver, QEvent* event) {
    return m_guard.deliver([&] { return QApplication::notify(receiver, event); });
}

void showEscapedException(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, toQ(message), QMessageBox::Ok);
    box.setObjectName("ExceptionBox");
    box.exec();
}

}  // namespace korvell
