// The results window (TDataForm1): the designs of the last search, ten rows at a time around the
// highlighted design, in the ELECTRICAL or DIMENSIONS display. The page is drawn by the core
// (drawResultsPage) on every show, activation, resize and paint; PRINT draws the same page on one
// landscape printer page.
#pragma once

#include <QWidget>
#include <array>
#include <ctime>
#include <functional>
#include <optional>

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
    void checkClick();
    void printClick();
    // FILES > PRINT ALL DESIGNS: every design of the last search in the display shown.
    void printAllClick();
    // Double-click or Enter on the table: the analysis of the highlighted design, computed.
    void openHighlightedAnalysis();
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

    // The checked figures of the present search (computed when first needed after a search).
    const ResultsCheck& resultsCheck();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // A click on a design row highlights it; the wheel scrolls the designs.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void applyLayout(const ResultsPageLayout& layout);
    void showDisplay(int display);
    // After a command the keyboard goes back to the table.
    void backToTable();

    Desktop& m_desktop;
    QFrame* m_bevel = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_electrical = nullptr;
    QPushButton* m_dimensions = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_inductance = nullptr;
    QPushButton* m_tRise = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    int m_fontHeight = 16;
    std::function<std::tm()> m_clock;
    ResultsPageLayout m_layout;
    int m_wheelTurned = 0;  // eighths of a degree the wheel turned short of a whole notch
    std::optional<ResultsCheck> m_checked;
};

}  // namespace korvell
