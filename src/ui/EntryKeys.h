// The keyboard behaviour of the entry windows (requirements, design parameters, analysis), written
// once and attached to each window's fields:
// - a letter or digit key first empties the field when the window's first-key flag is up (the
//   typed value replaces the one shown), in windows that ask for it;
// - before a letter or digit lands, a field that already holds a character outside its typing
//   set loses its last character, so a stray letter disappears with the next key;
// - Enter moves to the next shown field, after the last to the first; two Enters in a row run OK;
// - the Up and Down arrows move to the previous and next shown field, wrapping around;
// - leaving a field raises the first-key flag and tells the window.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;

namespace korvell {

class EntryKeys : public QObject {
  public:
    struct Field {
        QLineEdit* edit;
        std::string typingChars;  // characters a field may hold while typing, blank included
    };
    struct Rules {
        std::vector<Field> fields;  // in the order Enter and the arrows walk them
        bool firstKeyReplaces = true;
        std::function<void()> ok;                 // two Enters in a row
        std::function<void(QLineEdit*)> leaving;  // a field lost the focus to another control
    };

    EntryKeys(QObject* parent, Rules rules);

    void raiseFirstKeyFlag() { m_firstKey = true; }
    bool firstKeyFlag() const { return m_firstKey; }
    int enterCount() const { return m_enterCount; }
    void resetEnterCount() { m_enterCount = 0; }

    // The fields shown at present, in walking order.
    std::vector<QLineEdit*> shownFields() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const Field* fieldOf(QObject* watched) const;
    void moveFocus(QLineEdit* from, int step);
    void typingKey(const Field& field);

    Rules m_rules;
    bool m_firstKey = true;
    int m_enterCount = 0;
};

}  // namespace korvell
