// The keyboard walk of the main window's tab sets and pickers.
#pragma once

#include <QDateTimeEdit>

class QTabWidget;

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
    // `typed` characters and nothing selected, so that the next digit
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

// Keeps Tab in the reading order of `tabs`: each time a tab's page shows,
// its controls that Tab reaches follow the tab row from top to bottom and,
// within a line, from left to right; Tab on the last one goes back to the
// tab row and Shift+Tab on the tab row to the last one, so the walk stays
// on the page (the start screen's pictures lie under it). Controls inside another control (a grid's
// in-cell editors) are left to that control.
void KeepReadingTabOrder(QTabWidget* tabs);

}  // namespace orvex
