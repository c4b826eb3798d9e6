#include "workbench/observation_texts.h"

#include <QFileInfo>
#include <QLocale>

#include "navlib/date_time.h"
#include "workbench/core/observation_table.h"

namespace orvex {

bool ReadGridTime(const QString& text, double* days) {
    return ReadCellTime(text.toStdString(), days);
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
