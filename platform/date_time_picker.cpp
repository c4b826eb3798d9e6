#include "platform/date_time_picker.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/masked_field.h"
#include "platform/message_box.h"

namespace orvex {

namespace {

bool IsModifierKey(int key) {
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
            return true;
        default:
            return false;
    }
}

// The character a key types into an entry, or a null one.
QChar TypedChar(const QKeyEvent* e) {
    const QString text = e->text();
    const bool plain = !(e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (!plain || text.size() != 1 || !text[0].isPrint()) return {};
    return text[0];
}

// Focus that only passes to a message box, a popup or a menu and comes back.
bool IsPassingReason(Qt::FocusReason r) {
    return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason ||
           r == Qt::MenuBarFocusReason;
}

DateTimeEntry::Part PartOf(QDateTimeEdit::Section s) {
    using Part = DateTimeEntry::Part;
    switch (s) {
        case QDateTimeEdit::DaySection:
            return Part::Day;
        case QDateTimeEdit::MonthSection:
            return Part::Month;
        case QDateTimeEdit::YearSection:
            return Part::Year;
        case QDateTimeEdit::HourSection:
            return Part::Hour;
        case QDateTimeEdit::MinuteSection:
            return Part::Minute;
        case QDateTimeEdit::SecondSection:
            return Part::Second;
        default:
            return Part::Other;
    }
}

}  // namespace

DateTimePicker::DateTimePicker(QWidget* parent) : QDateTimeEdit(parent) {
    lineEdit()->installEventFilter(this);
}

void DateTimePicker::BeginEntry(int part, const QString& typed) {
    std::vector<DateTimeEntry::Part> parts;
    for (int i = 0; i < sectionCount(); ++i) parts.push_back(PartOf(sectionAt(i)));
    std::vector<QStringList> months;
    const QLocale l = locale();
    for (int m = 1; m <= 12; ++m)
        months.push_back({l.monthName(m, QLocale::ShortFormat), l.monthName(m, QLocale::LongFormat),
                          l.standaloneMonthName(m, QLocale::ShortFormat),
                          l.standaloneMonthName(m, QLocale::LongFormat)});
    entry_.emplace(std::move(parts), std::move(months));
    entry_->Begin(part, dateTime(), minimumDateTime(), maximumDateTime(), typed);
}

void DateTimePicker::ContinueDay(int typed) {
    setCurrentSection(QDateTimeEdit::DaySection);
    BeginEntry(currentSectionIndex(), lineEdit()->text().left(std::clamp(typed, 0, 2)));
    ShowEntry();
}

void DateTimePicker::ShowEntry() {
    const DateTimeEntry::Reading r = entry_->Read();
    // Keys that make no instant yet show the value from before the entry, so
    // that nothing read meanwhile takes a day they do not mean.
    const QDateTime shown = r.Shown.isValid() ? r.Shown : entry_->Base();
    if (shown != dateTime()) setDateTime(shown);
    setCurrentSectionIndex(std::min(r.Current, sectionCount() - 1));
    setSelectedSection(currentSection());
    // Every part typed from the first: the entry is whole, and a refused one
    // is told now (begun on a later part, it may yet be read from the first).
    if (r.Whole && r.Current >= entry_->Parts() && !r.Problem.isEmpty()) Settle();
}

void DateTimePicker::Settle() {
    if (!entry_) return;
    const bool typed = entry_->Typed();
    const DateTimeEntry::Reading r = entry_->Read();
    const QDateTime before = entry_->Base();
    entry_.reset();  // before any message: its focus moves end nothing more
    if (!typed) return;
    if (r.Problem.isEmpty()) {
        if (r.Value != dateTime()) setDateTime(r.Value);
        return;
    }
    setDateTime(before);
    setCurrentSectionIndex(0);
    setSelectedSection(currentSection());
    ShowMessage(kIconExclamation + kButtonsOk, kInputErrorTitle, r.Problem, window());
}

void DateTimePicker::Abandon() {
    if (entry_ && entry_->Typed()) setDateTime(entry_->Base());
    entry_.reset();
}

bool DateTimePicker::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:  // a shortcut (Alt+N, Ctrl+S) may read the value
        case QEvent::KeyPress: {
            if (watched != this) break;
            const auto* k = static_cast<QKeyEvent*>(event);
            if (IsModifierKey(k->key()) || !TypedChar(k).isNull()) break;
            if (k->key() == Qt::Key_Backspace && entry_ && entry_->Typed()) break;
            if (k->key() == Qt::Key_Escape) {
                if (event->type() == QEvent::KeyPress) Abandon();
            } else {
                Settle();  // Tab, Return, an arrow, a shortcut: the entry ends first
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            Settle();  // the click chooses a part: the next key begins there
            break;
        case QEvent::FocusOut:
            if (watched == this && !IsPassingReason(static_cast<QFocusEvent*>(event)->reason()))
                Settle();
            break;
        default:
            break;
    }
    return false;
}

void DateTimePicker::keyPressEvent(QKeyEvent* event) {
    const QChar c = TypedChar(event);
    if (isReadOnly()) return QDateTimeEdit::keyPressEvent(event);
    if (!c.isNull()) {
        if (!entry_) BeginEntry(currentSectionIndex(), {});
        entry_->Type(c);
        ShowEntry();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Backspace && entry_ && entry_->Backspace()) {
        ShowEntry();
        event->accept();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void DateTimePicker::focusInEvent(QFocusEvent* event) {
    QDateTimeEdit::focusInEvent(event);
    if (!IsPassingReason(event->reason())) entry_.reset();
    // First in line again: the entry is settled before any other filter of
    // the picker (a window's commit when the picker is left) reads the value.
    installEventFilter(this);
}

}  // namespace orvex
