// What the program reads of the user's locale: the decimal separator that
// every input mask and shown number uses (DecSep), read once at start.
#pragma once

#include <QLocale>
#include <QString>

#include "navlib/number_format.h"

namespace orvex {

// The first character of the locale's decimal separator ("." or "," in
// practice). A locale that gives none yields a single blank, which every
// mask and text built with it then carries.
QString DecimalSeparatorOf(const QLocale& locale);

// The user's decimal separator (QLocale::system()).
QString SystemDecimalSeparator();

// The locale's month and weekday names for the date patterns, the short
// ones without an abbreviation's full stop ("Dez", not "Dez.").
DateNames DateNamesOf(const QLocale& locale);

}  // namespace orvex
