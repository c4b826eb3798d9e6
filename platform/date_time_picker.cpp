#include "platform/date_time_picker.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace orvex {

void DateTimePicker::ContinueDay(int typed) {
    setCurrentSection(QDateTimeEdit::DaySection);
    lineEdit()->deselect();
    lineEdit()->setCursorPosition(typed);
    movedOn_ = false;
}

void DateTimePicker::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool plain = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    const bool printable = plain && text.size() == 1 && text[0].isPrint();
    if (printable && !text[0].isLetterOrNumber()) {
        // A separator: the next part, unless the picker is there already.
        event->accept();
        const int next = currentSectionIndex() + 1;
        if (!movedOn_ && next < sectionCount()) {
            setCurrentSectionIndex(next);
            setSelectedSection(currentSection());
        }
        movedOn_ = false;
        return;
    }
    const int before = currentSectionIndex();
    QDateTimeEdit::keyPressEvent(event);
    movedOn_ = printable && currentSectionIndex() != before;
}

void DateTimePicker::focusInEvent(QFocusEvent* event) {
    movedOn_ = false;
    QDateTimeEdit::focusInEvent(event);
}

}  // namespace orvex
