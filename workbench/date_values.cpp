#include "workbench/date_values.h"

#include <QLocale>

#include "navlib/date_time.h"
#include "platform/pc_clock.h"

namespace orvex {

namespace {
const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}

double DateTimeToDays(const QDateTime& t) {
    return ToDateValue(t);
}

QString FormatDialogTime(double days) {
    const CalendarTime c = SplitDateTime(days);
    return QString("%1 %2 %3 %4:%5:%6")
        .arg(c.day, 2, 10, QChar('0'))
        .arg(kMonths[c.month - 1])
        .arg(c.year, 4, 10, QChar('0'))
        .arg(c.hour, 2, 10, QChar('0'))
        .arg(c.minute, 2, 10, QChar('0'))
        .arg(c.second, 2, 10, QChar('0'));
}

bool ParseDialogTime(const QString& text, double* days) {
    const QString t = text.trimmed();
    for (const char* format : {"dd MMM yyyy hh:mm:ss", "d MMM yyyy hh:mm:ss"}) {
        const QDateTime v = QLocale::c().toDateTime(t, format);
        if (v.isValid()) {
            *days = ToDateValue(v);
            return true;
        }
    }
    return false;
}

}  // namespace orvex
