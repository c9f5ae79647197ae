// What the desktop benchmarks share: a counter of the paint events a window receives, so a
// benchmark can tell it was really drawn, and a wait for queued window-system events.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>

namespace korvell::bench {

class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

inline void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

}  // namespace korvell::bench
