// The help window (THelp, "KORVELL HELP"): a heading and two read-only texts of the same size, the
// getting-started guide and the help topics, one shown at a time.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace korvell {

class Desktop;

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(Desktop& desktop);

    // The guide, where the user left it.
    void showGettingStarted();
    // The topics, from their beginning.
    void showHelpTopics();

    QLabel* heading() const { return m_heading; }
    QPlainTextEdit* gettingStarted() const { return m_gettingStarted; }
    QPlainTextEdit* helpTopics() const { return m_helpTopics; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* m_heading = nullptr;
    QPlainTextEdit* m_gettingStarted = nullptr;
    QPlainTextEdit* m_helpTopics = nullptr;
};

}  // namespace korvell
