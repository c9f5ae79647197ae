#include "ui/HelpWindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "pages/HelpTexts.h"
#include "platform/Placement.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "ui/Desktop.h"
#include "ui/Widgets.h"

namespace korvell {
namespace {

constexpr int kHeadingHeight = 28;
constexpr int kMargin = 8;

QPlainTextEdit* makeText(QWidget* parent, const char* name, std::string_view text) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setTabChangesFocus(true);
    edit->setFont(designFont("MS Sans Serif", 15));
    edit->setPlainText(toQ(text));
    edit->setTabStopDistance(4 * edit->fontMetrics().horizontalAdvance(' ') * 2);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->hide();
    return edit;
}

}  // namespace

HelpWindow::HelpWindow(Desktop& desktop) {
    setObjectName("THelp");
    setWindowTitle("KORVELL HELP");
    setSilverBackground(*this);

    m_heading = new QLabel(this);
    m_heading->setObjectName("Label1");
    m_heading->setFont(designFont("Arial", 16, true, true));
    m_gettingStarted = makeText(this, "Memo1", gettingStartedText());
    m_helpTopics = makeText(this, "Memo2", helpTopicsText());

    const QSize screen = desktop.screenSize();
    const Rect place = helpWindowPlacement(screen.width(), screen.height());
    desktop.placeWindow(*this, place);
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_heading->setGeometry(kMargin, 4, width() - 2 * kMargin, kHeadingHeight - 4);
    const QRect text(kMargin, kHeadingHeight, width() - 2 * kMargin,
                     height() - kHeadingHeight - kMargin);
    m_gettingStarted->setGeometry(text);
    m_helpTopics->setGeometry(text);
}

void HelpWindow::showGettingStarted() {
    m_gettingStarted->show();
    m_helpTopics->hide();
    m_heading->setText("GETTING STARTED");
}

void HelpWindow::showHelpTopics() {
    m_gettingStarted->hide();
    m_helpTopics->show();
    m_helpTopics->moveCursor(QTextCursor::Start);
    m_helpTopics->verticalScrollBar()->setValue(0);
    m_heading->setText("HELP TOPICS");
}

}  // namespace korvell
