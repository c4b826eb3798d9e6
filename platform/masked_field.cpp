#include "platform/masked_field.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <algorithm>

#include "navlib/hooks.h"
#include "platform/message_box.h"

namespace orvex {

namespace {
// True while a refused field takes the focus back: the focus events this
// causes on the field that was about to receive the focus are not an entry
// or a leave of that field.
bool g_focusBounce = false;

// After a refused entry that the user left by clicking another control, the
// click itself must not act (a button would run with the refused value
// standing): the press and release that caused the move are swallowed.
class ClickSwallower : public QObject {
  public:
    explicit ClickSwallower(QWidget* keep) : QObject(keep), keep_(keep) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type t = event->type();
        if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonRelease &&
            t != QEvent::MouseButtonDblClick)
            return false;
        if (watched == keep_) {  // the user clicks back into the field
            qApp->removeEventFilter(this);
            deleteLater();
            return false;
        }
        if (!watched->isWidgetType()) return false;  // the window sees it first
        if (t == QEvent::MouseButtonRelease) {
            qApp->removeEventFilter(this);
            deleteLater();
        }
        return true;
    }

  private:
    QWidget* keep_;
};

// A button pressed by its access key (Alt and its underlined letter) acts
// as a click would: the open field is left, and so committed, first; a
// refused entry keeps the focus and the button does not act.
class ShortcutCommitFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut) return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        auto* field = qobject_cast<MaskedField*>(QApplication::focusWidget());
        if (!button || !field || !button->isEnabled() || field->window() != button->window())
            return false;
        if (button->focusPolicy() & Qt::ClickFocus) {
            button->setFocus(Qt::ShortcutFocusReason);  // the field's leave commits it
            return field->hasFocus() && field->WasRejected();
        }
        return !field->Commit();
    }
};

void WatchAccessKeys() {
    static QPointer<QObject> filter;
    if (filter || !qApp) return;
    filter = new ShortcutCommitFilter(qApp);
    qApp->installEventFilter(filter);
}

bool IsPassingFocusReason(Qt::FocusReason r) {
    return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason ||
           r == Qt::MenuBarFocusReason;
}
}  // namespace

MaskedField::MaskedField(QWidget* parent) : QLineEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);  // its paste and undo would bypass the mask
    setDragEnabled(false);
    setAcceptDrops(false);
    back_ = WindowColor();
    WatchAccessKeys();
}

MaskedField::MaskedField(const QString& mask, QWidget* parent) : MaskedField(parent) {
    SetMask(mask);
}

void MaskedField::SetMask(const QString& mask) {
    mask_ = mask;
    places_.clear();
    for (int i = 0; i < mask.size(); ++i) {
        const QChar m = mask[i];
        switch (m.unicode()) {
            case u'#':
                places_.push_back({Kind::Digit, QChar()});
                break;
            case u'9':
                places_.push_back({Kind::DigitOrBlank, QChar()});
                break;
            case u'+':
                places_.push_back({Kind::DigitSignOrBlank, QChar()});
                break;
            case u'?':
                places_.push_back({Kind::Letter, QChar()});
                break;
            case u'&':
                places_.push_back({Kind::Any, QChar()});
                break;
            case u'A':
                places_.push_back({Kind::AlphaNum, QChar()});
                break;
            case u'a':
                places_.push_back({Kind::AlphaNumOrBlank, QChar()});
                break;
            case u'C':
                places_.push_back({Kind::AnyOrBlank, QChar()});
                break;
            case u'\\':
                if (i + 1 < mask.size()) {
                    ++i;
                    places_.push_back({Kind::Literal, mask[i]});
                }
                break;
            default:
                places_.push_back({Kind::Literal, m});
                break;
        }
    }
    QString t;
    for (const Place& p : places_) t += p.kind == Kind::Literal ? p.literal : kPrompt;
    setMaxLength(std::max(1, Width()));
    setText(t);
    setCursorPosition(0);
    typedByKeys_ = false;
}

bool MaskedField::IsInputPlace(int i) const {
    return i >= 0 && i < Width() && PlaceAt(i).kind != Kind::Literal;
}

bool MaskedField::Accepts(const Place& p, QChar c) const {
    if (c == kPrompt) return p.kind != Kind::Literal;
    const bool printable = c.isPrint() && c.unicode() >= 32;
    switch (p.kind) {
        case Kind::Literal:
            return false;
        case Kind::Digit:
            return c.isDigit() && c.unicode() < 128;
        case Kind::DigitOrBlank:
            return (c.isDigit() && c.unicode() < 128) || c == u' ';
        case Kind::DigitSignOrBlank:
            return (c.isDigit() && c.unicode() < 128) || c == u' ' || c == u'+' || c == u'-';
        case Kind::Letter:
            return c.isLetter();
        case Kind::Any:
            return printable;
        case Kind::AlphaNum:
            return c.isLetterOrNumber();
        case Kind::AlphaNumOrBlank:
            return c.isLetterOrNumber() || c == u' ';
        case Kind::AnyOrBlank:
            return printable;
    }
    return false;
}

bool MaskedField::SameLiteral(QChar literal, QChar c) {
    if (literal == c) return true;
    return IsSeparator(literal) && IsSeparator(c);
}

int MaskedField::NextInputPlace(int from) const {
    for (int i = std::max(0, from); i < Width(); ++i)
        if (PlaceAt(i).kind != Kind::Literal) return i;
    return -1;
}

int MaskedField::PreviousInputPlace(int before) const {
    for (int i = std::min(before, Width()) - 1; i >= 0; --i)
        if (PlaceAt(i).kind != Kind::Literal) return i;
    return -1;
}

void MaskedField::SetPlace(int i, QChar c) {
    writtenByProgram_ = false;
    QString t = text();
    if (t.size() != Width()) return;
    t[i] = c;
    const int caret = cursorPosition();
    setText(t);
    setCursorPosition(caret);
}

void MaskedField::ClearRange(int from, int to) {
    writtenByProgram_ = false;
    QString t = text();
    if (t.size() != Width()) return;
    for (int i = std::max(0, from); i < std::min(to, Width()); ++i)
        if (IsInputPlace(i)) t[i] = kPrompt;
    setText(t);
}

QString MaskedField::FittedText(const QString& s, bool* whole) const {
    QString t;
    bool kept = true;
    int k = 0;  // index in s
    for (int i = 0; i < Width(); ++i) {
        const Place& p = PlaceAt(i);
        if (p.kind == Kind::Literal) {
            if (k < s.size() && SameLiteral(p.literal, s[k])) ++k;
            t += p.literal;
            continue;
        }
        if (k < s.size()) {
            const QChar c = s[k++];
            const bool taken = Accepts(p, c);
            t += taken ? c : kPrompt;
            if (!taken && c != kPrompt && c != u' ') kept = false;
        } else {
            t += kPrompt;
        }
    }
    for (; k < s.size(); ++k)  // beyond the mask
        if (s[k] != kPrompt && s[k] != u' ') kept = false;
    if (whole) *whole = kept;
    return t;
}

void MaskedField::SetMaskedText(const QString& s) {
    writtenByProgram_ = false;
    setText(FittedText(s));
    setCursorPosition(0);
    typedByKeys_ = false;
}

void MaskedField::ShowCommitted(const QString& text) {
    if (!typedByKeys_) return;
    const QString stored = FittedText(text);
    // The same text with the leading zeros of its whole part as prompts.
    QString blanked = stored;
    for (int i = 0; i < Width(); ++i) {
        if (!IsInputPlace(i)) {
            if (IsSeparator(PlaceAt(i).literal)) break;
            continue;
        }
        if (blanked[i] != u'0') break;
        blanked[i] = kPrompt;
    }
    if (this->text() != stored && this->text() != blanked) SetMaskedText(stored);
}

bool MaskedField::MoveWholePartBeforeSeparator() {
    int sep = -1;
    for (int i = 0; i < Width() && sep < 0; ++i)
        if (!IsInputPlace(i) && IsSeparator(PlaceAt(i).literal)) sep = i;
    const int caret = cursorPosition();
    if (sep < 0 || caret <= sep) return false;
    QString typed;  // what the entry typed so far, in order
    for (int i = 0; i < caret; ++i)
        if (IsInputPlace(i) && text()[i] != kPrompt) typed += text()[i];
    QString t = FittedText(QString());
    int place = sep;
    for (int k = static_cast<int>(typed.size()) - 1; k >= 0; --k) {
        place = PreviousInputPlace(place);
        if (place < 0 || !Accepts(PlaceAt(place), typed[k])) return false;
        t[place] = typed[k];
    }
    setText(t);
    setCursorPosition(sep + 1);
    return true;
}

void MaskedField::StartEntry() {
    entryPending_ = false;
    inEntry_ = true;
    entrySeparator_ = false;
    writtenByProgram_ = false;
    setText(FittedText(QString()));
    setCursorPosition(std::clamp(entryPlace_, 0, Width()));
}

QString MaskedField::TypedTextOf(const QString& t) const {
    QString typed;
    for (int i = 0; i < std::min(static_cast<int>(t.size()), Width()); ++i) {
        if (!IsInputPlace(i)) continue;
        if (t[i] == kPrompt || t[i] == u' ') continue;
        typed += t[i];
    }
    return typed;
}

QColor MaskedField::WindowColor() {
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

void MaskedField::SetBackColor(const QColor& colour) {
    back_ = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, colour);
    setPalette(pal);
}

void MaskedField::EnsureMaskedWidth() {
    // A text put in with QLineEdit::setText or clear() is fitted to the mask.
    if (text().size() != Width()) {
        const int caret = std::min(cursorPosition(), Width());
        SetMaskedText(text());
        setCursorPosition(caret);
    }
}

bool MaskedField::TypeChar(QChar c) {
    if (rewrite_) c = rewrite_(c);
    if (Width() == 0) return false;
    EnsureMaskedWidth();
    if (entryPending_) StartEntry();
    if (inEntry_ && IsSeparator(c) && !entrySeparator_) {
        entrySeparator_ = true;
        if (MoveWholePartBeforeSeparator()) return true;
    }
    int pos = cursorPosition();
    if (hasSelectedText()) {
        const int s = selectionStart();
        const int e = s + static_cast<int>(selectedText().size());
        ClearRange(s, e);
        pos = s;
        setCursorPosition(pos);
    }
    const int q = NextInputPlace(pos);
    // A literal typed before the next input place: step past it.
    const int limit = q < 0 ? Width() : q;
    for (int i = pos; i < limit; ++i) {
        if (SameLiteral(PlaceAt(i).literal, c)) {
            setCursorPosition(i + 1);
            return true;
        }
    }
    if (q < 0) return false;
    if (Accepts(PlaceAt(q), c)) {
        SetPlace(q, c);
        setCursorPosition(q + 1);
        typedByKeys_ = true;
        return true;
    }
    // A literal further on (typing the separator early): move past it.
    for (int i = q + 1; i < Width(); ++i) {
        if (PlaceAt(i).kind == Kind::Literal && SameLiteral(PlaceAt(i).literal, c)) {
            setCursorPosition(i + 1);
            return true;
        }
    }
    return false;
}

void MaskedField::PasteText(const QString& s) {
    for (QChar c : s) {
        if (c == u'\r' || c == u'\n') break;
        TypeChar(c);
    }
}

void MaskedField::CutOrDelete(bool toClipboard) {
    if (!hasSelectedText()) return;
    const int s = selectionStart();
    const int e = s + static_cast<int>(selectedText().size());
    if (toClipboard) QApplication::clipboard()->setText(selectedText());
    ClearRange(s, e);
    setCursorPosition(s);
    typedByKeys_ = true;
}

void MaskedField::keyPressEvent(QKeyEvent* event) {
    EnsureMaskedWidth();
    if (event == QKeySequence::Copy || event == QKeySequence::SelectAll) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::Paste) {
        PasteText(QApplication::clipboard()->text());
        return;
    }
    if (event == QKeySequence::Cut) {
        entryPending_ = false;
        inEntry_ = false;
        CutOrDelete(true);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            entryPending_ = false;  // the text shown is edited in place
            inEntry_ = false;
            break;
        default:
            break;
    }
    switch (event->key()) {
        case Qt::Key_Backspace: {
            if (hasSelectedText()) {
                CutOrDelete(false);
            } else {
                const int p = PreviousInputPlace(cursorPosition());
                if (p >= 0) {
                    SetPlace(p, kPrompt);
                    setCursorPosition(p);
                    typedByKeys_ = true;
                }
            }
            return;
        }
        case Qt::Key_Delete: {
            if (hasSelectedText()) {
                CutOrDelete(false);
            } else {
                const int caret = cursorPosition();
                const int p = NextInputPlace(caret);
                if (p >= 0) {
                    SetPlace(p, kPrompt);
                    setCursorPosition(caret);
                    typedByKeys_ = true;
                }
            }
            return;
        }
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QLineEdit::keyPressEvent(event);
            return;
        default:
            break;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!typed.isEmpty() && !command && typed[0].isPrint()) {
        for (QChar c : typed) TypeChar(c);
        event->accept();
        return;
    }
    // Undo, redo and other editing shortcuts would bypass the mask.
    event->ignore();
}

void MaskedField::inputMethodEvent(QInputMethodEvent* event) {
    PasteText(event->commitString());
    event->accept();
}

void MaskedField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (g_focusBounce || IsPassingFocusReason(event->reason())) return;
    entryPending_ = true;
    inEntry_ = false;
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        deselect();
        setCursorPosition(std::clamp(entryPlace_, 0, Width()));
    }
    SetBackColor(WindowColor());
    if (enter_) enter_(*this);
}

void MaskedField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (g_focusBounce || IsPassingFocusReason(event->reason())) return;
    leftByMouse_ = event->reason() == Qt::MouseFocusReason;
    Commit();
    leftByMouse_ = false;
}

bool MaskedField::Commit() {
    if (inCommit_) return !rejected_;
    inCommit_ = true;
    rejected_ = false;
    if (commit_) commit_(*this);
    inCommit_ = false;
    return !rejected_;
}

void MaskedField::Reject(const QString& message, RejectMode mode) {
    rejected_ = true;
    entryPending_ = false;  // the text shown is corrected in place
    inEntry_ = false;
    ShowMessage(kIconExclamation + kButtonsOk, kInputErrorTitle, message, window());
    if (mode == RejectMode::ReplaceLastWithPrompt) {
        const int last = PreviousInputPlace(Width());
        if (last >= 0) {
            SetPlace(last, kPrompt);
            setCursorPosition(last);
        }
    }
    if (!hasFocus() && isVisible()) {
        g_focusBounce = true;
        setFocus(Qt::OtherFocusReason);
        g_focusBounce = false;
        // Only while the button that moved the focus is still down.
        if (leftByMouse_ && QGuiApplication::mouseButtons() != Qt::NoButton)
            qApp->installEventFilter(new ClickSwallower(this));
    }
}

}  // namespace orvex
