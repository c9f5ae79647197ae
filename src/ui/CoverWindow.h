// The cover (TCoverForm): borderless and black over the whole screen, the six lines of the cover
// page painted on it and the Korvell logo in its picture (Image1). The first key or click hides
// it and hands the keyboard to the main window; the key goes no further.
#pragma once

#include <QWidget>

namespace korvell {

class Desktop;

class CoverWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CoverWindow(Desktop& desktop);

    // Places the cover over the whole screen, at its top left corner.
    void coverScreen(QSize screen);

    QWidget* picture() const { return m_picture; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void dismiss();

    Desktop& m_desktop;
    QWidget* m_picture = nullptr;
};

}  // namespace korvell
