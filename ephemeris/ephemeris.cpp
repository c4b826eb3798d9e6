#include "ephemeris/ephemeris.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ephemeris/moon.h"
#include "ephemeris/planets.h"
#include "ephemeris/stars.h"
#include "ephemeris/sun.h"
#include "ephemeris/time_argument.h"

namespace orvex {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// 100 January 1, 0h and 9999 December 31, 23:59:59.
constexpr double kFirstDateValue = -657434.0;
constexpr double kLastDateValue = 2958465.0 + 86399.0 / 86400.0;

// Gregorian date of a day count from 1970 January 1 (proleptic calendar).
void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

// Day 0 of the date-time values, 1899 December 30, counted from 1970 January 1.
constexpr std::int64_t kDateEpochFrom1970 = -25569;

bool IsPlanet(std::string_view n) {
    return n == "MARS" || n == "JUPITER" || n == "SATURN" || n == "VENUS";
}

}  // namespace

const std::vector<std::string>& BodyNames() {
    static const std::vector<std::string> names = {
        "ACAMAR",     "ACHERNAR",    "ACRUX",     "ADHARA",    "ALDEBARAN", "ALIOTH",
        "ALKAID",     "ALNA'IR",     "ALNILAM",   "ALPHARD",   "ALPHECCA",  "ALPHERATZ",
        "ALTAIR",     "ANKAA",       "ANTARES",   "ARCTURUS",  "ATRIA",     "AVIOR",
        "BELLATRIX",  "BETELGEUSE",  "CANOPUS",   "CAPELLA",   "DENEB",     "DENEBOLA",
        "DIPHDA",     "DUBHE",       "ELNATH",    "ELTANIN",   "ENIF",      "FOMALHAUT",
        "GACRUX",     "GIENAH",      "HADAR",     "HAMAL",     "JUPITER",   "KAUS AUST",
        "KOCHAB",     "MARKAB",      "MARS",      "MENKAR",    "MENKENT",   "MIAPLACIDUS",
        "MIRFAK",     "MOONLOW",     "MOONUPP",   "NUNKI",     "PEACOCK",   "POLARIS",
        "POLLUX",     "PROCYON",     "RASALHAGUE", "REGULUS",  "RIGEL",     "RIGIL KENT",
        "SABIK",      "SATURN",      "SCHEDAR",   "SHAULA",    "SIRIUS",    "SPICA",
        "SUHAIL",     "SUNLOW",      "SUNUPP",    "VEGA",      "VENUS",     "ZUBEN'UBI"};
    return names;
}

EphemerisInstant SplitEphemerisInstant(double when) {
    // The whole part counts days from day 0 (towards zero for negative
    // values); the fraction, taken without its sign, is the time of day.
    // Outside the date type (years 100 to 9999) the value is held at its
    // limits; a NaN reads as day 0.
    if (std::isnan(when)) when = 0.0;
    when = std::clamp(when, kFirstDateValue, kLastDateValue);
    const double whole = std::trunc(when);
    std::int64_t days = static_cast<std::int64_t>(whole);
    std::int64_t seconds = std::llround(std::fabs(when - whole) * kSecondsPerDay);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += 1;
    }
    EphemerisInstant t;
    CivilFromDays(days + kDateEpochFrom1970, t.year, t.month, t.day);
    const auto h = seconds / 3600, m = (seconds / 60) % 60, s = seconds % 60;
    t.hours = static_cast<double>(h) + static_cast<double>(m) / 60.0 +
              static_cast<double>(s) / 3600.0;
    return t;
}

double EphemerisTimeArgument(double when) {
    const EphemerisInstant t = SplitEphemerisInstant(when);
    return JulianCenturiesJ2000(t.day, t.month, t.year, t.hours);
}

void ComputeEphemeris(std::string_view name, double when, EphemerisResult& result) {
    const double T = EphemerisTimeArgument(when);
    if (IsPlanet(name)) {
        PlanetPlace p;
        PlanetEphemeris(name, T, p);
        result.gha = p.gha;
        result.dec = p.dec;
        result.dist = p.delta;
        result.extra1 = p.r;
        result.extra2 = p.beta;
        result.extra3 = p.lambda;
    } else if (name == "SUNLOW" || name == "SUNUPP") {
        SunEphemeris(T, result.gha, result.dec, result.dist);
    } else if (name == "MOONLOW" || name == "MOONUPP") {
        MoonEphemeris(T, result.gha, result.dec, result.dist);
    } else {
        StarEphemeris(name, T, result.gha, result.dec);
        result.dist = kStarDistance;
    }
}

void ComputeEphemeris(std::string_view name, double when, double& gha, double& dec, double& dist,
                      double& extra1, double& extra2, double& extra3) {
    EphemerisResult r;
    r.extra1 = extra1;
    r.extra2 = extra2;
    r.extra3 = extra3;
    ComputeEphemeris(name, when, r);
    gha = r.gha;
    dec = r.dec;
    dist = r.dist;
    extra1 = r.extra1;
    extra2 = r.extra2;
    extra3 = r.extra3;
}

}  // namespace orvex
