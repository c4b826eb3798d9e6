#include "platform/locale_info.h"

namespace orvex {

QString DecimalSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QStringLiteral(" ") : point.left(1);
}

QString SystemDecimalSeparator() {
    return DecimalSeparatorOf(QLocale::system());
}

}  // namespace orvex
