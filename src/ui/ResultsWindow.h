// The results window (TDataForm1): the designs of the last search, ten rows at a time around the
// highlighted design, in the ELECTRICAL or DIMENSIONS display. The page is drawn by the core
// (drawResultsPage) on every show, activation, resize and paint; PRINT draws the same page on one
// landscape printer page.
#pragma once

#include <QWidget>
#include <array>
#include <ctime>
#include <functional>

#include "pages/ResultsPage.h"
#include "ui/FormEvents.h"

class QFrame;
class QPushButton;
class QScrollBar;

namespace korvell {

class Desktop;

class ResultsWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit ResultsWindow(Desktop& desktop);

    void formActivate() override;

    // Handlers.
    void electricalClick();
    void dimensionsClick();
    void printClick();
    void inductanceClick();
    void tRiseClick();
    // INDUCTANCE SPREAD of the pop-up menu: graph 10 of the highlighted design.
    void spreadClick();

    QScrollBar* scrollBar() const { return m_scrollBar; }
    // Font height of the page in pixels (Arial bold at the window's point size).
    int pageFontHeight() const { return m_fontHeight; }
    // The view the page is drawn from at this moment.
    ResultsPageView pageView();
    // The clock of the page header; tests fix it.
    void setClock(std::function<std::tm()> clock) { m_clock = std::move(clock); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyLayout(const ResultsPageLayout& layout);

    Desktop& m_desktop;
    QFrame* m_bevel = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_electrical = nullptr;
    QPushButton* m_dimensions = nullptr;
    QPushButton* m_inductance = nullptr;
    QPushButton* m_tRise = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    int m_fontHeight = 16;
    std::function<std::tm()> m_clock;
};

}  // namespace korvell
