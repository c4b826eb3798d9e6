// The one formatter of numbers and dates for every window, report and
// printout. Patterns are the familiar display patterns:
//
// Numbers ("000°.0", "#0'.00", "##0.0#", "+00.00;-00.00", "+0.0;-0.0; 0.0"):
//   0      a digit, shown also when it is a leading or trailing zero
//   #      a digit, left out when it is a leading zero (in the integer part)
//          or a trailing zero (in the decimals)
//   .      the decimal point; printed as the decimal separator decSep (the
//          user's DecSep, any one character, UTF-8)
//   ;      separates sections: positive;negative;zero. With a negative
//          section a negative value is printed in it without a minus sign;
//          with one section a negative value gets a leading "-". The zero
//          section is used when the value rounds to zero at the shown
//          precision. A value that rounds to zero never prints as "-0".
//   else   any other character (°, ', +, blank, letters, UTF-8 text) is
//          printed as it stands.
// The value is rounded half away from zero to the number of decimal places
// of the section, on its 15-significant-digit decimal form (so 1.005 shows as
// 1.01, as a navigator reading the figure expects). Integer digits beyond the
// placeholders are all printed. NaN and infinities print every "0" place as
// "-" (e.g. "--°--'.-"), never a number.
//
// Dates ("d mmm yyyy hh:mm:ss", "dd mmm yyyy hh:mm:ss", "d mmm yyyy hh:mm",
// "hh:nn:ss", "ddmmmyy"):
//   d dd          day of month, without / with a leading zero
//   ddd dddd      weekday abbreviated / in full
//   m mm          month number, or minutes right after an hour or right
//                 before seconds
//   mmm mmmm      month name abbreviated / in full
//   yy yyyy       year in two / four digits; y alone the day of the year
//   h hh          hour 0..23; n nn minutes; s ss seconds
// Letters are read in either case; every other character is printed as it
// stands. The time is rounded to the nearest second first.
//
// Nothing here reads the C library's locale: the separator is decSep alone,
// and a value prints alike under every LC_NUMERIC of the user.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orvex {

// Month and weekday names for the date patterns; English unless the program
// hands in the user's own.
struct DateNames {
    std::array<std::string, 12> monthShort{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> monthLong{"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    std::array<std::string, 7> dayShort{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> dayLong{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                       "Thursday", "Friday", "Saturday"};
};

// value formatted with a number pattern (see above). An empty pattern gives
// the shortest plain form of the value (up to 15 significant digits).
std::string FormatNumber(double value, std::string_view pattern, std::string_view decSep = ".");

// An angle in decimal degrees shown as degrees and minutes with a
// degree-minute pattern ("00°00'.0", "000°00'.0", "00°00'",
// "+0°00'.0;-0°00'.0"): the pattern's integer places hold degrees and two
// digits of minutes, its decimals the fraction of a minute. The total
// minutes are rounded to the shown precision first and then split, so the
// minutes never read 60 (12.9992° with one decimal is 13°00'.0; 12°59'.95
// rounds to 13°00'.0). The sign selects the section as in FormatNumber.
std::string FormatDegreesMinutes(double degrees, std::string_view pattern,
                                 std::string_view decSep = ".");

// A date-time value (days, navlib/date_time.h) formatted with a date pattern.
std::string FormatDateTime(double when, std::string_view pattern,
                           const DateNames& names = DateNames());

}  // namespace orvex
