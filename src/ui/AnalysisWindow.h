// The analysis window (TAnalysis): one existing inductor, entered or taken from the results table,
// analyzed by the core (acceptAnalysisInputs, AnalyzeDesign) and shown as its ELECTRICAL or
// MECHANICAL page (drawAnalysisPage) below the entry fields, as the CHECK page its second
// opinion beside the program's own figures, or as the YIELD page its Monte Carlo yield; PRINT puts
// the entries and the pages on one portrait sheet; REPORT writes the design report and EXPORT MAS
// its MAS document; four buttons ask for graphs of the analyzed design. Opening it keeps the
// requirements' operating conditions, and closing it puts them back.
#pragma once

#include <QWidget>
#include <array>
#include <ctime>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "pages/AnalysisPage.h"
#include "ui/FormEvents.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvell {

class Desktop;
class EntryKeys;

class AnalysisWindow : public QWidget, public FormEvents {
    Q_OBJECT
  public:
    explicit AnalysisWindow(Desktop& desktop);

    void formActivate() override;
    void formDeactivate() override;

    // LoadAnalysisInputs: keeps the requirements' operating conditions, then fills the fields
    // from the highlighted results row and the requirements.
    void loadInputs();
    // After loadInputs: a core chosen in the catalog replaces the loaded one, one in the stack.
    void loadCatalogPart(std::string_view partNumber);
    // Loads a design given as its results row in place of the highlighted one.
    void loadDesign(const DesignResult& design);

    // The requirements window is about to store requirements: the operating conditions this
    // window replaced go back first, so that what is stored there is the user's requirements
    // alone; once stored they are what closing this window puts back.
    void putRequirementsBack();
    void takeRequirements();
    // A record put in whole (a design file, NEW) has no requirements of this window's to put
    // back.
    void forgetRequirements() { m_snapshot.reset(); }

    // Handlers. The OK returns whether the analysis ran and its page was drawn.
    bool buttonOkClick();
    void electricalClick();
    void mechanicalClick();
    void checkClick();
    void yieldClick();
    void lossClick();
    void printClick();
    void designGraphClick(int kind);  // DC PERM, AC PERM, INDUCTANCE
    void tRiseClick();
    // EXPORT SPICE MODEL: analyzes the fields again, then writes the design's SPICE model to a
    // file the user names. True when written.
    bool exportSpiceClick();
    // EXPORT MAS: analyzes the fields again, then writes the design as a MAS document to a file
    // the user names. True when written.
    bool exportMasClick();
    // REPORT: analyzes the fields again, then writes the design report (PDF) to a file the user
    // names. True when written.
    bool reportClick();

    QLineEdit* field(int k) const { return m_fields[static_cast<std::size_t>(k)]; }
    EntryKeys& keys() const { return *m_keys; }
    const AnalysisTable& table() const { return m_table; }
    const std::optional<SecondOpinion>& check() const { return m_check; }
    // The yield of the analysis in the table, once the YIELD page or PRINT asked for it.
    const std::optional<YieldReport>& yield() const { return m_yield; }
    // The texts behind the fields: as loaded, or as last read by OK or on leaving the window.
    const AnalysisTexts& texts() const { return m_texts; }
    int displayMode() const { return m_displayMode; }
    // The page as last drawn (activation, or an analysis).
    const AnalysisPageView& pageView() const { return m_page; }
    int fontPoints() const { return m_fontPoints; }
    bool holdsRequirements() const { return m_snapshot.has_value(); }
    // The clock of the page and the printout; tests fix it.
    void setClock(std::function<std::tm()> clock) { m_clock = std::move(clock); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void placeControls(int fieldLeft, int unitLeft);
    void applyCaptions();
    void showTexts();
    void readFields();
    void partNumberKeys(const QKeyEvent& key);
    void drawResults();
    AnalysisPrintout printout() const;

    Desktop& m_desktop;
    AnalysisTable m_table;
    // The second opinion of the analysis in the table.
    std::optional<SecondOpinion> m_check;
    std::optional<YieldReport> m_yield;
    AnalysisTexts m_texts;
    // The texts as last loaded from the record, and the exact values they show rounded.
    AnalysisTexts m_loadedTexts;
    ExactOperatingPoint m_exact;
    std::optional<OperatingSnapshot> m_snapshot;
    int m_displayMode = kElectricalPage;
    AnalysisPageView m_page;
    bool m_pageDrawn = false;
    bool m_partNumberError = false;
    int m_fontPoints = 0;
    int m_fontHeight = 16;
    std::function<std::tm()> m_clock;

    std::array<QLineEdit*, kAnalysisFieldCount> m_fields{};
    // Caption labels of fields 0..8 (field 1's is "NUMBER IN STACK"), unit labels of fields 4..8.
    std::array<QLabel*, 9> m_captions{};
    std::array<QLabel*, kAnalysisFieldCount> m_units{};
    std::array<QLabel*, 2> m_times{};  // the "X" before the stack count and the strands
    QLabel* m_header = nullptr;
    std::vector<QPushButton*> m_buttons;  // the top row, left to right
    QPushButton* m_ok = nullptr;
    // Enabled while the last analysis succeeded.
    QPushButton* m_export = nullptr;
    QPushButton* m_exportMas = nullptr;
    QPushButton* m_report = nullptr;
    QPushButton* m_yieldButton = nullptr;  // YIELD
    QPushButton* m_spread = nullptr;       // L SPREAD, on the YIELD page
    EntryKeys* m_keys = nullptr;
};

}  // namespace korvell
