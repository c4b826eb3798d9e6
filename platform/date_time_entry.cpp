#include "platform/date_time_entry.h"

#include <QLocale>
#include <algorithm>

namespace orvex {

namespace {

QString LettersOf(const QString& name) {
    QString out;
    for (const QChar c : name)
        if (c.isLetter()) out += c.toCaseFolded();
    return out;
}

bool HasDigit(const QString& t) {
    for (const QChar c : t)
        if (c.isDigit()) return true;
    return false;
}

// True when no further digit can belong to a part holding `t`.
bool DigitsComplete(DateTimeEntry::Part part, const QString& t) {
    using Part = DateTimeEntry::Part;
    if (t.isEmpty()) return false;
    const int first = t[0].digitValue();
    switch (part) {
        case Part::Day:
            return t.size() >= 2 || first > 3;
        case Part::Month:
            return t.size() >= 2 || first > 1;
        case Part::Year:
            return t.size() >= 4;
        case Part::Hour:
            return t.size() >= 2 || first > 2;
        case Part::Minute:
        case Part::Second:
            return t.size() >= 2 || first > 5;
        case Part::Other:
            return t.size() >= 2;
    }
    return true;
}

}  // namespace

DateTimeEntry::DateTimeEntry(std::vector<Part> parts, std::vector<QStringList> monthNames)
    : parts_(std::move(parts)) {
    for (const QStringList& names : monthNames) {
        QStringList folded;
        for (const QString& n : names)
            if (!LettersOf(n).isEmpty()) folded << LettersOf(n);
        months_.push_back(folded);
    }
}

void DateTimeEntry::Begin(int first, const QDateTime& base, const QDateTime& min,
                          const QDateTime& max, const QString& typed) {
    first_ = std::clamp(first, 0, std::max(0, Parts() - 1));
    base_ = base;
    min_ = min;
    max_ = max;
    keys_ = typed;
}

bool DateTimeEntry::Backspace() {
    if (keys_.isEmpty()) return false;
    keys_.chop(1);
    return true;
}

bool DateTimeEntry::BeginsAMonth(const QString& letters) const {
    for (const QStringList& names : months_)
        for (const QString& n : names)
            if (n.startsWith(letters)) return true;
    return false;
}

int DateTimeEntry::MonthOf(const QString& letters, bool exact) const {
    const QString typed = LettersOf(letters);
    if (typed.isEmpty()) return 0;
    int found = 0;
    bool named = false;
    for (int m = 0; m < static_cast<int>(months_.size()); ++m)
        for (const QString& n : months_[static_cast<size_t>(m)])
            if (n.startsWith(typed)) {
                if (found != 0 && found != m + 1) return 0;  // several months begin so
                found = m + 1;
                named = named || n == typed;
            }
    return exact && !named ? 0 : found;
}

DateTimeEntry::Split DateTimeEntry::Interpret(int first) const {
    Split s;
    s.Texts = QStringList(Parts());
    s.Current = first;
    s.First = first;
    for (const QChar c : keys_) {
        // A key the part being typed cannot take ends that part and goes to
        // the next one ("1Sep", "Jun2026").
        for (;;) {
            if (s.Current >= Parts()) {
                if (first > 0) return Interpret(0);  // a whole date and time
                break;
            }
            const Part part = parts_[static_cast<size_t>(s.Current)];
            QString& t = s.Texts[s.Current];
            if (c.isDigit()) {
                if (part == Part::Month && !t.isEmpty() && !HasDigit(t)) {
                    ++s.Current;
                    continue;
                }
                t += QChar(u'0' + c.digitValue());
                if (DigitsComplete(part, t)) ++s.Current;
            } else if (c.isLetter()) {
                if (part == Part::Month && !HasDigit(t) && BeginsAMonth(LettersOf(t + c))) {
                    t += c;
                    if (MonthOf(t, true) != 0) ++s.Current;
                } else if (part != Part::Month && !t.isEmpty()) {
                    ++s.Current;
                    continue;
                } else if (part != Part::Month && first > 0) {
                    return Interpret(0);
                }
            } else if (!t.isEmpty()) {
                ++s.Current;
            }
            break;
        }
    }
    return s;
}

QDateTime DateTimeEntry::Compose(const Split& s, int skip, QString* problem) const {
    const QDate d0 = base_.date();
    const QTime t0 = base_.time();
    int day = d0.day(), month = d0.month(), year = d0.year();
    int hour = t0.hour(), minute = t0.minute(), second = t0.second(), msec = t0.msec();
    auto fail = [&](const QString& why) {
        if (problem) *problem = why;
        return QDateTime();
    };
    for (int i = 0; i < Parts(); ++i) {
        const QString& t = s.Texts[i];
        if (t.isEmpty() || i == skip) continue;
        msec = 0;  // a typed time has whole seconds
        const int n = HasDigit(t) ? t.toInt() : 0;
        switch (parts_[static_cast<size_t>(i)]) {
            case Part::Day:
                if (n < 1 || n > 31) return fail(QString("There is no day %1.").arg(t));
                day = n;
                break;
            case Part::Month:
                month = HasDigit(t) ? n : MonthOf(t, false);
                if (!HasDigit(t) && month == 0)
                    return fail(QString("\"%1\" is not the name of one month.").arg(t));
                if (month < 1 || month > 12) return fail(QString("There is no month %1.").arg(t));
                break;
            case Part::Year:
                year = n;
                if (year < min_.date().year() || year > max_.date().year())
                    return fail(QString("The year must lie between %1 and %2.")
                                    .arg(min_.date().year())
                                    .arg(max_.date().year()));
                break;
            case Part::Hour:
                if (n > 23) return fail(QString("There is no hour %1.").arg(t));
                hour = n;
                break;
            case Part::Minute:
                if (n > 59) return fail(QString("There is no minute %1.").arg(t));
                minute = n;
                break;
            case Part::Second:
                if (n > 59) return fail(QString("There is no second %1.").arg(t));
                second = n;
                break;
            case Part::Other:
                break;
        }
    }
    if (!QDate::isValid(year, month, day)) {
        const QString name = QLocale::c().monthName(month, QLocale::ShortFormat);
        return fail(QString("There is no %1 %2 %3.").arg(day).arg(name).arg(year));
    }
    const QDateTime v(QDate(year, month, day), QTime(hour, minute, second, msec), base_.timeSpec(),
                      base_.offsetFromUtc());
    if (!v.isValid() || v < min_ || v > max_) {
        const QString format = QStringLiteral("d MMM yyyy HH:mm:ss");
        return fail(
            QString("The date must lie between %1 and %2.")
                .arg(QLocale::c().toString(min_, format), QLocale::c().toString(max_, format)));
    }
    return v;
}

DateTimeEntry::Reading DateTimeEntry::Read() const {
    const Split s = Interpret(first_);
    Reading r;
    r.Current = s.Current;
    r.Whole = s.First == 0;
    r.Value = Compose(s, -1, &r.Problem);
    r.Shown = r.Value;
    // A part still being typed may make no date yet ("2" of the year).
    if (!r.Shown.isValid() && s.Current < Parts()) r.Shown = Compose(s, s.Current, nullptr);
    return r;
}

}  // namespace orvex
