// The keyboard behaviour of the entry windows (requirements, design parameters, analysis), written
// once and attached to each window's fields:
// - the first key that types a character (a letter, a digit, a point or a minus sign) empties the
//   field when the window's first-key flag is up (the typed value replaces the one shown), in
//   windows that ask for it;
// - before a letter or digit lands, a field that already holds a character outside its typing
//   set loses its last character, so a stray letter disappears with the next key;
// - Enter moves to the next shown field, after the last to the first; two Enters in a row run OK;
// - the Up and Down arrows move to the previous and next shown field, wrapping around;
// - leaving a field raises the first-key flag and tells the window;
// - a field may keep its keys to itself (the analysis window's part number): it is walked to
//   but not from, and the window hears each key released in it that was also pressed in it.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QKeyEvent;
class QLineEdit;

namespace korvell {

class EntryKeys : public QObject {
  public:
    struct Field {
        QLineEdit* edit;
        // Characters a field may hold while typing; empty for a field that takes any (whose
        // text the window checks at OK, as a wire size with its gage name).
        std::string typingChars;
        // The window's own handling of the keys released in the field; when set, the field
        // takes no part in typing, Enter and the arrows.
        std::function<void(const QKeyEvent&)> ownKeys = {};
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
    // An Enter handled by a field's own keys counts as one of two in a row: the second runs OK.
    void countEnter();

    // The fields shown at present, in walking order.
    std::vector<QLineEdit*> shownFields() const;

    // A letter or digit key, typed without Ctrl, Alt or Meta (keypad digits count).
    static bool isTypingKey(const QKeyEvent& key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const Field* fieldOf(QObject* watched) const;
    void moveFocus(QLineEdit* from, int step);
    void typingKey(const Field& field);

    Rules m_rules;
    bool m_firstKey = true;
    int m_enterCount = 0;
    // The field and key of the last key pressed, so that a key whose press moved the focus on
    // is not taken as typed in the field its release lands in.
    QObject* m_pressedIn = nullptr;
    int m_pressedKey = 0;
};

}  // namespace korvell
