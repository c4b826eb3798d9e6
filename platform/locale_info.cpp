#include "platform/locale_info.h"

namespace orvex {

QString DecimalSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QStringLiteral(" ") : point.left(1);
}

QString SystemDecimalSeparator() {
    return DecimalSeparatorOf(QLocale::system());
}

DateNames DateNamesOf(const QLocale& locale) {
    auto name = [](QString n) {
        if (n.endsWith('.')) n.chop(1);
        return n.toStdString();
    };
    DateNames d;
    for (int m = 1; m <= 12; ++m) {
        d.monthShort[static_cast<size_t>(m - 1)] = name(locale.monthName(m, QLocale::ShortFormat));
        d.monthLong[static_cast<size_t>(m - 1)] = name(locale.monthName(m, QLocale::LongFormat));
    }
    // DateNames counts the days from Sunday, QLocale from Monday (1) to Sunday (7).
    for (int day = 0; day < 7; ++day) {
        const int q = day == 0 ? 7 : day;
        d.dayShort[static_cast<size_t>(day)] = name(locale.dayName(q, QLocale::ShortFormat));
        d.dayLong[static_cast<size_t>(day)] = name(locale.dayName(q, QLocale::LongFormat));
    }
    return d;
}

}  // namespace orvex
