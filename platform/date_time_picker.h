// The date-time picker of every window: a whole date and time typed as
// people write it, and Tab leaving it as it leaves any other field.
#pragma once

#include <QDateTimeEdit>

namespace orvex {

// A date-time picker that Tab leaves in one step, as it leaves every other
// field; the arrow keys still move between its date and time parts. A
// whole date and time can be typed as people write it, separators and all
// ("11 Sep 2026 21:00:00"): a separator key (any printable character that is
// no letter or digit) moves to the next part, or does nothing when the part
// just typed was complete and the picker has moved on by itself; on the last
// part it does nothing. A separator never leaves the picker.
class DateTimePicker : public QDateTimeEdit {
  public:
    using QDateTimeEdit::QDateTimeEdit;

    // Makes the day the current part with the caret after its first
    // `typed` characters (0 to 2) and nothing selected, so that the next digit
    // completes the day (a grid cell opened by a typed digit).
    void ContinueDay(int typed);

  protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    // True when the last key completed a part and the picker moved on.
    bool movedOn_ = false;
};

}  // namespace orvex
