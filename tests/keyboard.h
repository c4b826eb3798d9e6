// A keyboard and a mouse as a navigator uses them, for the GUI tests.
//
// Keys go one at a time to whatever has the focus when each arrives, as
// the window system sends them from a real keyboard (US layout):
//   - a capital or a shifted sign (":", "_", "+", "(", ...) comes between a
//     press and a release of Shift, and the Shift press itself carries no
//     text (widgets see a key event that types nothing);
//   - every key is a press and a release, with the text it types;
//   - the event loop turns after each event, so timers and posted focus
//     moves run between keys, as they do between a person's keystrokes.
// Special characters of a typed string: '\t' Tab, '\b' Backspace, '\n'
// Return; everything else is itself. Shift+Tab, arrows and the like go
// through Press() with their modifiers, each modifier pressed before the
// key and released after it.
//
// Clicks land where a person clicks in a field: at its left end, in its
// middle, at its right end, on a given character or word of the text shown.
// Enter() enters a field as a person does: by Tab, Shift+Tab or a click.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace orvex::test {

// The widget a key goes to now, as the window system chooses it: a
// keyboard grab, an open popup (a menu), the focus widget, else the active
// window.
inline QWidget* KeyTarget() {
    if (QWidget* w = QWidget::keyboardGrabber()) return w;
    if (QWidget* p = QApplication::activePopupWidget())
        return p->focusWidget() ? p->focusWidget() : p;
    if (QWidget* w = QApplication::focusWidget()) return w;
    return QApplication::activeWindow();
}

namespace keyboard_detail {

// The modifier keys in the order a hand presses them.
struct ModifierKey {
    Qt::KeyboardModifier modifier;
    Qt::Key key;
};
constexpr ModifierKey kModifierKeys[] = {{Qt::ControlModifier, Qt::Key_Control},
                                         {Qt::AltModifier, Qt::Key_Alt},
                                         {Qt::ShiftModifier, Qt::Key_Shift}};

// Signs typed with Shift on a US keyboard.
inline bool NeedsShift(QChar c) {
    return c.isUpper() || QStringLiteral("~!@#$%^&*()_+{}|:\"<>?").contains(c);
}

// The key code of a printable character (for letters, the letter's key).
inline int KeyOf(QChar c) {
    if (c.isLetter() && c.unicode() < 128) return Qt::Key_A + (c.toUpper().unicode() - 'A');
    return QKeySequence(QString(c))[0].key();
}

// One key event to the widget of this moment, offered to the shortcuts
// first as a press from the window system is, then a turn of the event loop.
inline void Send(bool press, int key, Qt::KeyboardModifiers mods, const QString& text) {
    if (QWidget* to = KeyTarget()) QTest::simulateEvent(to, press, key, mods, text, false);
    QCoreApplication::processEvents();
}

}  // namespace keyboard_detail

// Presses `key` with the modifiers held: each modifier key goes down first
// (a press that types nothing), then the key, then they come up in reverse.
// As from the window system, a modifier's own press carries the modifiers
// held before it and its release those held until then.
inline void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    using namespace keyboard_detail;
    Qt::KeyboardModifiers held;
    for (const ModifierKey& m : kModifierKeys)
        if (mods & m.modifier) {
            Send(true, m.key, held, {});
            held |= m.modifier;
        }
    Send(true, key, held, text);
    Send(false, key, held, text);
    for (auto it = std::rbegin(kModifierKeys); it != std::rend(kModifierKeys); ++it)
        if (mods & it->modifier) {
            Send(false, it->key, held, {});
            held &= ~it->modifier;
        }
}

// Types one character as its key on the keyboard.
inline void TypeChar(QChar c) {
    using namespace keyboard_detail;
    if (c == '\t') return Press(Qt::Key_Tab);
    if (c == '\b') return Press(Qt::Key_Backspace);
    if (c == '\n') return Press(Qt::Key_Return);
    Press(KeyOf(c), NeedsShift(c) ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
}

// Types `keys` one by one, each to the focus widget of its moment.
inline void Type(const QString& keys) {
    for (const QChar c : keys) TypeChar(c);
}

inline void Tab() {
    Press(Qt::Key_Tab);
}
// Shift+Tab arrives from the window system as Backtab with Shift held.
inline void BackTab() {
    using namespace keyboard_detail;
    Send(true, Qt::Key_Shift, Qt::NoModifier, {});
    Send(true, Qt::Key_Backtab, Qt::ShiftModifier, {});
    Send(false, Qt::Key_Backtab, Qt::ShiftModifier, {});
    Send(false, Qt::Key_Shift, Qt::ShiftModifier, {});
}
// Alt and a letter, as for a menu's mnemonic.
inline void AltLetter(char letter) {
    Press(keyboard_detail::KeyOf(QChar(letter)), Qt::AltModifier, QString(QChar(letter)));
}

// Where a click lands in a field.
enum class Place { LeftEnd, Middle, RightEnd };

// The line a field shows its text in: the field itself, or the line edit
// inside a picker or a spin box.
inline QWidget* TextArea(QWidget* field) {
    if (qobject_cast<QLineEdit*>(field)) return field;
    if (auto* line = field->findChild<QLineEdit*>()) return line;
    return field;
}

// A press and release of the left button at `pos` of `w`, as a person
// clicks: the widget takes the focus by its own policy.
inline void ClickAt(QWidget* w, QPoint pos) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, pos);
    QCoreApplication::processEvents();
}

// A click in a field's text area at its left end, middle or right end.
inline void Click(QWidget* field, Place where) {
    QWidget* area = TextArea(field);
    const QRect r = area->rect();
    const int x = where == Place::LeftEnd  ? r.left() + 2
                  : where == Place::Middle ? r.center().x()
                                           : r.right() - 2;
    ClickAt(area, QPoint(x, r.center().y()));
}

// A click on the left half of character `index` of the text a field shows
// (the caret goes before that character).
inline void ClickOnChar(QWidget* field, int index) {
    auto* line = qobject_cast<QLineEdit*>(TextArea(field));
    if (line == nullptr) return Click(field, Place::Middle);
    const int y = line->rect().center().y();
    int x = line->width() / 2;
    // The caret jumps past the character where the click crosses its middle.
    for (int probe = 0; probe < line->width(); ++probe)
        if (line->cursorPositionAt(QPoint(probe, y)) > index) {
            x = probe - 1;
            break;
        }
    ClickAt(line, QPoint(x, y));
}

// A click inside the k-th word (run of letters and digits, from 0) of the
// text a field shows: on a date-time picker, its k-th part.
inline void ClickOnWord(QWidget* field, int k) {
    auto* line = qobject_cast<QLineEdit*>(TextArea(field));
    const QString t = line ? line->text() : QString();
    for (int i = 0, word = -1; i < t.size(); ++i) {
        if (!t[i].isLetterOrNumber() || (i > 0 && t[i - 1].isLetterOrNumber())) continue;
        if (++word == k)
            return ClickOnChar(field, i + 1 < t.size() && t[i + 1].isLetterOrNumber() ? i + 1 : i);
    }
}

// How a person enters a field: Tab from the control before it, Shift+Tab
// from the control after it, or a click at the left end, middle or right
// end of its text.
enum class Way { Tab, BackTab, LeftEnd, Middle, RightEnd };
inline const char* NameOf(Way w) {
    static const char* const names[] = {"Tab", "Shift+Tab", "click left", "click middle",
                                        "click right"};
    return names[static_cast<int>(w)];
}

// The control a Tab (after false) or a Shift+Tab (after true) comes from to
// reach `field`: its neighbour in the focus chain that Tab stops on.
inline QWidget* TabNeighbour(QWidget* field, bool after) {
    QWidget* w = field;
    for (int guard = 0; guard < 1000; ++guard) {
        w = after ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == nullptr || w == field) return nullptr;
        if (field->isAncestorOf(w) || w->focusProxy() != nullptr) continue;
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisible() && w->isEnabled() &&
            w->window() == field->window())
            return w;
    }
    return nullptr;
}

// Enters `field` the way given; true when it has the focus then.
inline bool Enter(QWidget* field, Way way) {
    if (way == Way::Tab || way == Way::BackTab) {
        if (QWidget* from = TabNeighbour(field, way == Way::BackTab))
            from->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        way == Way::Tab ? Tab() : BackTab();
    } else {
        Click(field, way == Way::LeftEnd  ? Place::LeftEnd
                     : way == Way::Middle ? Place::Middle
                                          : Place::RightEnd);
    }
    return field->hasFocus();
}

// The one widget of type T named `name` under `root`; null when there is
// none or more than one.
template <class T = QWidget>
T* Named(const QObject* root, const QString& name) {
    const QList<T*> found = root->findChildren<T*>(name);
    return found.size() == 1 ? found[0] : nullptr;
}

// A click in the middle of a button, as a person clicks what is shown; a
// hidden or disabled button takes no click.
inline void ClickButton(QWidget* button) {
    if (button == nullptr || !button->isVisible() || !button->isEnabled()) return;
    ClickAt(button, button->rect().center());
}

}  // namespace orvex::test
