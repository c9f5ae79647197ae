// Small pieces shared by the windows: the silver window colour, coloured label text, a label
// that runs a command when clicked or, having the focus, on Space or Enter (the application name
// of the entry windows), and the look of the reference windows' tables.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "engine/EntryFields.h"
#include "platform/Messages.h"

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

// The message sink of an entry window's OK: the entry check's message, with the caption of the
// field at fault (as the window shows it) on a line of its own below the system's text, so the
// user need not know how the window numbers its fields.
class FieldCaptionMessages : public Messages {
  public:
    FieldCaptionMessages(Messages& messages, const EntryFault& fault,
                         std::function<QString(int field)> captionOf)
        : m_messages(messages), m_fault(fault), m_captionOf(std::move(captionOf)) {}
    void show(std::string_view text, std::string_view caption) override;

  private:
    Messages& m_messages;
    const EntryFault& m_fault;
    std::function<QString(int field)> m_captionOf;
};

// After a refusal the keyboard goes to the field at fault, its text selected to be typed over.
void focusFieldAtFault(QLineEdit* field);

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
