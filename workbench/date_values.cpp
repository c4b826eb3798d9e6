#include "workbench/date_values.h"

#include <QLocale>
#include <QTimeZone>

#include <cmath>

namespace orvex {

namespace {
const QDateTime& Epoch() {
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return e;
}
}  // namespace

double DateTimeToDays(const QDateTime& t) {
    const QDateTime utc(t.date(), t.time(), Qt::UTC);
    return static_cast<double>(Epoch().msecsTo(utc)) / 86400000.0;
}

QDateTime DaysToDateTime(double days) {
    const qint64 ms = static_cast<qint64>(std::llround(days * 86400000.0));
    return Epoch().addMSecs(ms);
}

QString FormatDialogTime(double days) {
    // Whole seconds, as the dialog shows them.
    const QDateTime t = DaysToDateTime(std::round(days * 86400.0) / 86400.0);
    return QLocale::c().toString(t, "dd MMM yyyy hh:mm:ss");
}

bool ParseDialogTime(const QString& text, double* days) {
    const QString t = text.trimmed();
    for (const char* format : {"dd MMM yyyy hh:mm:ss", "d MMM yyyy hh:mm:ss"}) {
        QDateTime v = QLocale::c().toDateTime(t, format);
        if (v.isValid()) {
            *days = DateTimeToDays(v);
            return true;
        }
    }
    return false;
}

}  // namespace orvex
