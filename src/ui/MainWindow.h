// The main window (TMainForm): the program's home and its only navigation point. Its menu bar,
// tool bar and command buttons set selections in the design record and open the other windows;
// CALCULATE runs the design search again with the current requirements.
#pragma once

#include <QMainWindow>
#include <array>

#include "platform/Placement.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QFrame;

namespace korvell {

class Desktop;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Desktop& desktop);

    // Handlers, public so that the commands can be driven the way a user drives them.
    void applicationCommand(int application);  // DC BIASED ... RESONANT (menu)
    void resonantButtonClick();
    void shapeCommand(int shape);
    void materialGraphCommand(int kind);
    void designGraphCommand(int kind);
    void agingGraphCommand(int kind);
    void dataTableCommand(int displayMode, bool sendBack);
    void calculateClick();
    void materialsDataPopup(QPoint at);

    QMenu* popupMenu() const { return m_popup; }
    // The check mark of the CORES menu on a shape (a record put in whole).
    void markShape(int shape);

    // Scale of the design-time geometry (screen width / 1024) used at creation.
    int scaleNumerator() const { return m_scaleNum; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Closing the main window ends the program: the other windows close with it.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar(QWidget* client);
    void buildTitleGroup(QWidget* client);
    void buildFunctionGroup(QWidget* client);
    void applyLayout();
    int s(int designPixels) const;  // design-time pixels scaled to this screen
    QAction* addCommand(QMenu* menu, const char* name, const char* caption);

    Desktop& m_desktop;
    int m_scaleNum = kDesignScreenWidth;

    QWidget* m_client = nullptr;
    QFrame* m_bevel = nullptr;
    QWidget* m_toolbarPanel = nullptr;
    QWidget* m_toolBar = nullptr;
    std::array<QPushButton*, 6> m_toolButtons{};
    QLabel* m_buttonPanel = nullptr;
    QGroupBox* m_titleGroup = nullptr;
    std::array<QLabel*, 4> m_titleLabels{};
    QGroupBox* m_functionGroup = nullptr;
    QMenu* m_popup = nullptr;
    std::array<QAction*, 3> m_shapeActions{};
};

}  // namespace korvell
