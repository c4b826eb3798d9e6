// Texts of the windows as the user's locale shows them, written in the tests
// as the C locale shows them: every decimal point of a number (a point after
// a digit, "_", "°" or "'" and before a digit or "_") becomes the user's
// decimal separator, and every English short month name the user's. The
// suite runs once in the C locale and once under LC_ALL=de_DE.UTF-8.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <string>

#include "navlib/number_format.h"
#include "platform/locale_info.h"

namespace orvex::test {

// The decimal separator and month names a window started now reads.
inline std::string ShownSep() {
    return DecimalSeparatorOf(QLocale()).toStdString();
}

// The decimal points alone (texts a user typed, read back by the fields),
// with the given separator or the user's.
inline QString ShownNumbers(const QString& text, const QString& sep) {
    static const QRegularExpression point(QStringLiteral("(?<=[0-9_°'])\\.(?=[0-9_])"));
    QString t = text;
    t.replace(point, sep);
    return t;
}
inline QString ShownNumbers(const QString& text) {
    return ShownNumbers(text, DecimalSeparatorOf(QLocale()));
}
inline std::string ShownNumbers(const std::string& text) {
    return ShownNumbers(QString::fromStdString(text)).toStdString();
}

inline QString Shown(const QString& text) {
    QString t = ShownNumbers(text);
    const DateNames english;
    const DateNames user = DateNamesOf(QLocale());
    for (size_t m = 0; m < 12; ++m) {
        const QRegularExpression name("\\b" + QString::fromStdString(english.monthShort[m]) +
                                      "\\b");
        t.replace(name, QString::fromStdString(user.monthShort[m]));
    }
    return t;
}
inline QString Shown(const char* text) {
    return Shown(QString::fromUtf8(text));
}
inline std::string Shown(const std::string& text) {
    return Shown(QString::fromStdString(text)).toStdString();
}

}  // namespace orvex::test
