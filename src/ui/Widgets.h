// Small pieces shared by the windows: the silver window colour, coloured label text, a label
// that runs a command when clicked or, having the focus, on Space or Enter (the application name
// of the entry windows), and the look of the reference windows' tables.
#pragma once

#include <QColor>
#include <QLabel>

class QTableView;

namespace korvell {

void setSilverBackground(QWidget& widget);

// The size that holds every shown control of a window laid out by hand, with a margin to the
// right of and below the farthest.
QSize controlsExtent(const QWidget& window);
void setTextColor(QWidget& widget, const QColor& color);

// A table to read: rows chosen whole, one at a time, nothing edited, no row numbers, rows a
// little taller than the font, columns sharing the width; Tab moves on to the next control.
void setUpListing(QTableView& table);

class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A dotted frame around the text while it has the focus.
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvell
