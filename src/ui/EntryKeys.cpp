#include "ui/EntryKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "platform/qt/QtText.h"

namespace korvell {
namespace {

// A key that puts a character into the field (a digit, a letter, a point, a minus sign, a blank).
bool typesACharacter(const QKeyEvent& key) {
    const auto shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return !(key.modifiers() & shortcut) && !key.text().isEmpty() && key.text().front().isPrint();
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

bool EntryKeys::isTypingKey(const QKeyEvent& key) {
    // Ctrl, Alt and Meta combinations are shortcuts (select all, copy, Alt+O), not typing.
    const auto shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (key.modifiers() & shortcut) return false;
    const int k = key.key();
    return (k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z);
}

EntryKeys::EntryKeys(QObject* parent, Rules rules) : QObject(parent), m_rules(std::move(rules)) {
    for (const Field& field : m_rules.fields)
        field.edit->installEventFilter(this);
}

std::vector<QLineEdit*> EntryKeys::shownFields() const {
    std::vector<QLineEdit*> shown;
    for (const Field& field : m_rules.fields) {
        if (!field.edit->isHidden()) shown.push_back(field.edit);
    }
    return shown;
}

const EntryKeys::Field* EntryKeys::fieldOf(QObject* watched) const {
    const auto it = std::find_if(m_rules.fields.begin(), m_rules.fields.end(),
                                 [watched](const Field& f) { return f.edit == watched; });
    return it == m_rules.fields.end() ? nullptr : &*it;
}

void EntryKeys::moveFocus(QLineEdit* from, int step) {
    const std::vector<QLineEdit*> shown = shownFields();
    if (shown.empty()) return;
    const auto it = std::find(shown.begin(), shown.end(), from);
    const int n = static_cast<int>(shown.size());
    const int at = it == shown.end() ? 0 : static_cast<int>(it - shown.begin());
    // The focus moves as a click would put it, so the caret stays where the text left it.
    shown[static_cast<std::size_t>(((at + step) % n + n) % n)]->setFocus(Qt::OtherFocusReason);
}

void EntryKeys::typingKey(const Field& field) {
    m_enterCount = 0;
    QLineEdit* edit = field.edit;
    if (m_firstKey && m_rules.firstKeyReplaces) edit->clear();
    m_firstKey = false;
    const std::string text = edit->text().toStdString();
    if (!field.typingChars.empty() &&
        text.find_first_not_of(field.typingChars) != std::string::npos) {
        edit->setText(toQ(text.substr(0, text.size() - 1)));
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
    }
}

void EntryKeys::countEnter() {
    if (++m_enterCount > 1) {
        m_enterCount = 0;
        if (m_rules.ok) m_rules.ok();
    }
}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event) {
    const Field* field = fieldOf(watched);
    if (field == nullptr) return QObject::eventFilter(watched, event);

    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            m_pressedIn = watched;
            m_pressedKey = key->key();
            if (field->ownKeys) return false;
            bool consumed = false;
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                m_enterCount = 0;
                consumed = true;
            } else if (isEnter(key->key())) {
                ++m_enterCount;
                moveFocus(field->edit, 1);
                consumed = true;
            } else if (isTypingKey(*key)) {
                typingKey(*field);
            } else if (typesACharacter(*key)) {
                // A point or a minus sign typed first replaces the value as a digit does, so
                // that ".5" or "-20" can be typed over it.
                m_enterCount = 0;
                if (m_firstKey && m_rules.firstKeyReplaces) field->edit->clear();
                m_firstKey = false;
            }
            if (m_enterCount > 1) {
                m_enterCount = 0;
                if (m_rules.ok) m_rules.ok();
            }
            return consumed;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (field->ownKeys) {
                const bool pressedHere = m_pressedIn == watched && m_pressedKey == key->key();
                if (pressedHere && !key->isAutoRepeat()) field->ownKeys(*key);
                return false;
            }
            if (key->key() == Qt::Key_Up) {
                moveFocus(field->edit, -1);
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                moveFocus(field->edit, 1);
                return true;
            }
            return false;
        }
        case QEvent::FocusOut: {
            // Only a move to another control of the window leaves the field; the window losing
            // the focus to a message box or another program does not.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
                return false;
            }
            m_firstKey = true;
            if (m_rules.leaving) m_rules.leaving(field->edit);
            return false;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace korvell
