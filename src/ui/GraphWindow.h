// The graph window (TGraphicsForm): one of the nine graphs of the design record's graph request,
// drawn by the core (drawGraphPage) on every activation, resize and paint, and printed on one
// landscape page by PRINT GRAPH through the same drawing.
#pragma once

#include <QWidget>
#include <ctime>
#include <functional>

#include "graphs/GraphPage.h"
#include "ui/FormEvents.h"

class QLabel;
class QPushButton;

namespace korvell {

class Desktop;

class GraphWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit GraphWindow(Desktop& desktop);

    void formActivate() override;

    // Shown by a graph command: the messages of the first drawing are shown once.
    void opened();
    void printGraphClick();
    // SAVE GRAPH: the graph as an SVG drawing, as korvell plot draws it.
    void saveGraphClick();

    // The layout of the last drawing on the window.
    const GraphPageLayout& lastLayout() const { return m_layout; }
    void setClock(std::function<std::tm()> clock) { m_clock = std::move(clock); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    GraphView view() const;
    void applyLayout();
    void showPendingMessages();

    Desktop& m_desktop;
    QLabel* m_title = nullptr;
    QLabel* m_xCaption = nullptr;
    QLabel* m_yCaption = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_save = nullptr;
    GraphPageLayout m_layout;
    RecordingMessages m_pending;
    bool m_messagesDue = false;
    std::function<std::tm()> m_clock;
};

}  // namespace korvell
