// The date-time picker of every window: a whole date and time typed as
// people write it, and Tab leaving it as it leaves any other field.
#pragma once

#include <QDateTimeEdit>
#include <optional>

#include "platform/date_time_entry.h"

namespace orvex {

// A date-time picker that Tab leaves in one step, as it leaves every other
// field; the arrow keys still move between its date and time parts and step
// them.
//
// The printable keys typed after the picker is entered, however it was
// entered (Tab, Shift+Tab, a click on any part), make one entry, read as
// DateTimeEntry reads it: "11 Sep 2026 21:00:00" sets exactly that instant,
// with ":" or any other separator between the parts, a Shift press before a
// capital or a ":" changing nothing. Keys typed on a later part change that
// part and the ones after it ("30" after a click on the minutes), unless
// they do not fit there: then they are read as a whole date from the first
// part. Backspace takes back the last key of the entry.
//
// The entry ends, and the picker holds what it typed, when all its parts
// are typed, when another key (Tab, an arrow, Return) is pressed, when the
// picker is clicked or left. An entry that makes no instant ("31 Sep 2026",
// the hour 25) is refused there: the message titled " Error in input data"
// says why, and the picker goes back to the value it had before the entry.
// Whatever reads the picker's value when it is left reads it settled.
class DateTimePicker : public QDateTimeEdit {
  public:
    explicit DateTimePicker(QWidget* parent = nullptr);

    // Begins an entry at the day part, its first `typed` characters (0 to 2)
    // as shown taken as typed, so that the next digit completes the day (a
    // grid cell opened by a typed digit).
    void ContinueDay(int typed);

  protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void BeginEntry(int part, const QString& typed);
    void ShowEntry();
    // Ends the entry: the instant typed, or its refusal and the value from
    // before it.
    void Settle();
    // Ends the entry without taking it: the value from before it (Esc).
    void Abandon();

    std::optional<DateTimeEntry> entry_;
};

}  // namespace orvex
