// The keys of one entry typed into a date-time picker, read as people write
// a date and a time: "11 Sep 2026 21:00:00", "8 Dec 2026 19.41.30",
// "1 mar 2026 6:05:00". The entry knows nothing of widgets; the picker feeds
// it the characters typed and shows what it reads.
//
// The parts (day, month, year, hours, minutes, seconds) are typed in the
// order the picker shows them, from the part where the entry began:
//   - digits fill the part; a part is complete, and the next one takes the
//     following keys, when no further digit could belong to it (two digits,
//     four for the year, or a first digit too high for a second one: "4" as
//     the day, "3" as the hour, "6" as the minutes);
//   - a month is typed as its number or by the letters of its name (short or
//     long, any case); once the letters name one month fully, it is complete;
//   - any other printable character (a blank, ":", ".", "/" ...) ends the
//     part being typed; it does nothing while nothing is typed in the part,
//     so "11 Sep" and "11  Sep" read alike;
//   - an entry begun on a later part (a click on the hours, Shift+Tab to the
//     seconds) that does not fit there (a letter in a part of digits, a key
//     after the last part) was a whole date and time: it is read again from
//     the first part, with every key typed so far.
// Parts not typed keep the value the picker held when the entry began.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace orvex {

class DateTimeEntry {
  public:
    enum class Part { Day, Month, Year, Hour, Minute, Second, Other };

    // parts: the picker's parts in the order shown; monthNames[m - 1]: the
    // names month m may be typed as (letters other than a-z and accented
    // ones, such as the "." of "Sep.", are ignored).
    DateTimeEntry(std::vector<Part> parts, std::vector<QStringList> monthNames);

    // Begins an entry at part `first` (0 based) over `base`, the value whose
    // untyped parts stay; `typed` holds keys already typed (the first digit
    // that opened a grid cell). The instant must lie in [min, max].
    void Begin(int first, const QDateTime& base, const QDateTime& min, const QDateTime& max,
               const QString& typed = {});

    // Takes one typed printable character.
    void Type(QChar c) { keys_ += c; }
    // Takes back the last key typed; false when none is left.
    bool Backspace();
    bool Typed() const { return !keys_.isEmpty(); }
    const QDateTime& Base() const { return base_; }

    struct Reading {
        int Current = 0;     // the part the next key goes to; Parts() when all are typed
        QDateTime Value;     // the instant typed; invalid when it is none
        QString Problem;     // why Value is invalid, in words for the user
        QDateTime Shown;     // what the picker may show meanwhile (invalid: keep)
        bool Whole = false;  // read from the first part: later keys restart nothing
    };
    // The entry as it stands. Shown is Value, or while a part is still being
    // typed ("2" of the year "2026") the value with that part as it was.
    Reading Read() const;
    int Parts() const { return static_cast<int>(parts_.size()); }

  private:
    struct Split {
        QStringList Texts;  // what was typed in each part
        int Current = 0;
        int First = 0;  // the part the reading began at
    };
    Split Interpret(int first) const;
    // The month that `letters` begin to name (0 when none or several); with
    // exact, only when they name it fully.
    int MonthOf(const QString& letters, bool exact) const;
    bool BeginsAMonth(const QString& letters) const;
    // The instant of the typed texts over the base; skip: a part read as it
    // was (-1 none).
    QDateTime Compose(const Split& s, int skip, QString* problem) const;

    std::vector<Part> parts_;
    std::vector<QStringList> months_;  // folded letters of each month's names
    QDateTime base_, min_, max_;
    int first_ = 0;
    QString keys_;
};

}  // namespace orvex
