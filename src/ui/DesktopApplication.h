// The application object of the desktop program and its outermost handler: an exception that
// escapes an event handler, the start-up or the message loop ends the message loop, and its
// message is shown in the application's standard exception box before the program ends normally.
#pragma once

#include <QApplication>
#include <functional>
#include <optional>
#include <string>

namespace korvell {

// The message of the exception being handled: what() of a standard exception, a fixed text for
// any other. Call only inside a catch block.
std::string currentExceptionMessage();

// Runs one delivery of an event. An exception escaping it is kept (the first one) and the message
// loop is asked to end; the delivery then counts as not handled.
class ExceptionGuard {
  public:
    bool deliver(const std::function<bool()>& delivery);
    const std::optional<std::string>& escaped() const { return m_escaped; }

  private:
    std::optional<std::string> m_escaped;
};

class DesktopApplication : public QApplication {
  public:
    DesktopApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    const std::optional<std::string>& escaped() const { return m_guard.escaped(); }

  private:
    ExceptionGuard m_guard;
};

// The standard exception box: the application title as caption, the message, an OK button.
void showEscapedException(const std::string& message);

}  // namespace korvell
