#include "workbench/observation_texts.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QTime>

#include "navlib/date_time.h"

namespace orvex {

bool ReadGridTime(const QString& text, double* days) {
    const QString t = text.simplified();
    if (t.isEmpty()) return false;
    const QStringList parts = t.split(u' ');
    if (parts.size() != 3 && parts.size() != 4) return false;
    const QDate d = QLocale::c().toDate(parts[0] + ' ' + parts[1] + ' ' + parts[2], "d MMM yyyy");
    if (!d.isValid()) return false;
    QTime h(0, 0, 0);
    if (parts.size() == 4) {
        h = QTime::fromString(parts[3], "h:mm:ss");
        if (!h.isValid()) h = QTime::fromString(parts[3], "h:mm");
        if (!h.isValid()) return false;
    }
    *days = MakeDateTime(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
    return true;
}

void RemoveFilledRow(CellFilledTable& filled, int r) {
    if (r < 1 || r > 50) return;
    auto empty = [&](int row) {
        if (row > 50) return true;
        for (bool f : filled[static_cast<size_t>(row)])
            if (f) return false;
        return true;
    };
    int last = r;
    while (last < 50 && !empty(last + 1)) ++last;
    for (int row = r; row < last; ++row)
        filled[static_cast<size_t>(row)] = filled[static_cast<size_t>(row + 1)];
    filled[static_cast<size_t>(last)].fill(false);
}

QString DefaultObservationFileName(const QString& folder, double timeTruePos) {
    const CalendarTime c = SplitDateTime(timeTruePos);
    QString month = QLocale().monthName(c.month, QLocale::ShortFormat);
    month.remove('.');
    const QString stem = QString("%1%2%3")
                             .arg(c.day, 2, 10, QChar('0'))
                             .arg(month)
                             .arg(c.year % 100, 2, 10, QChar('0'));
    QString name;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        name = stem + QChar(letter);
        if (!QFileInfo::exists(folder + "/" + name + ".obs")) break;
    }
    return name;
}

}  // namespace orvex
