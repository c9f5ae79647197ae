// Small pieces shared by the windows: the silver window colour, coloured label text, and a label
// that runs a command when clicked (the application name of the entry windows).
#pragma once

#include <QColor>
#include <QLabel>

namespace korvell {

void setSilverBackground(QWidget& widget);
void setTextColor(QWidget& widget, const QColor& color);

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace korvell
