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
    // Date and time of day are read apart: the text is UT, and read as one
    // local date-time it would not exist in the hour a daylight-saving
    // change skips.
    const QString t = text.simplified();
    const qsizetype cut = t.lastIndexOf(' ');
    if (cut < 0) return false;
    const QTime time = QLocale::c().toTime(t.mid(cut + 1), "hh:mm:ss");
    for (const char* format : {"dd MMM yyyy", "d MMM yyyy"}) {
        const QDate date = QLocale::c().toDate(t.left(cut), format);
        if (date.isValid() && time.isValid()) {
            *days = MakeDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                                 time.second());
            return true;
        }
    }
    return false;
}

}  // namespace orvex
