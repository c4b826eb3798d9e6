#include "ephemeris/ephemeris.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/moon.h"
#include "ephemeris/planets.h"
#include "ephemeris/star_instant_cells.h"
#include "ephemeris/stars.h"
#include "ephemeris/sun.h"
#include "ephemeris/time_argument.h"
#include "navlib/date_time.h"

namespace orvex {

namespace {

bool IsPlanet(std::string_view n) {
    return n == "MARS" || n == "JUPITER" || n == "SATURN" || n == "VENUS";
}

}  // namespace

const std::vector<std::string>& BodyNames() {
    static const std::vector<std::string> names = {
        "ACAMAR",    "ACHERNAR",   "ACRUX",      "ADHARA",   "ALDEBARAN", "ALIOTH",
        "ALKAID",    "ALNA'IR",    "ALNILAM",    "ALPHARD",  "ALPHECCA",  "ALPHERATZ",
        "ALTAIR",    "ANKAA",      "ANTARES",    "ARCTURUS", "ATRIA",     "AVIOR",
        "BELLATRIX", "BETELGEUSE", "CANOPUS",    "CAPELLA",  "DENEB",     "DENEBOLA",
        "DIPHDA",    "DUBHE",      "ELNATH",     "ELTANIN",  "ENIF",      "FOMALHAUT",
        "GACRUX",    "GIENAH",     "HADAR",      "HAMAL",    "JUPITER",   "KAUS AUST",
        "KOCHAB",    "MARKAB",     "MARS",       "MENKAR",   "MENKENT",   "MIAPLACIDUS",
        "MIRFAK",    "MOONLOW",    "MOONUPP",    "NUNKI",    "PEACOCK",   "POLARIS",
        "POLLUX",    "PROCYON",    "RASALHAGUE", "REGULUS",  "RIGEL",     "RIGIL KENT",
        "SABIK",     "SATURN",     "SCHEDAR",    "SHAULA",   "SIRIUS",    "SPICA",
        "SUHAIL",    "SUNLOW",     "SUNUPP",     "VEGA",     "VENUS",     "ZUBEN'UBI"};
    return names;
}

EphemerisInstant SplitEphemerisInstant(double when) {
    // The library's calendar: days from 1899 December 30, the fraction of a
    // negative value taken without its sign, rounded to the second, held at
    // the ends of years 100 to 9999; a NaN reads as day 0.
    const CalendarTime c = SplitDateTime(when);
    EphemerisInstant t;
    t.year = c.year;
    t.month = c.month;
    t.day = c.day;
    t.hours = c.hour + c.minute / 60.0 + c.second / 3600.0;
    return t;
}

double EphemerisTimeArgument(double when) {
    const EphemerisInstant t = SplitEphemerisInstant(when);
    return JulianCenturiesJ2000(t.day, t.month, t.year, t.hours);
}

namespace {

void Compute(std::string_view name, double when, EphemerisResult& result, StarInstantCells* cells) {
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
        if (cells)
            StarEphemeris(name, cells->At(T), result.gha, result.dec);
        else
            StarEphemeris(name, T, result.gha, result.dec);
        result.dist = kStarDistance;
    }
}

}  // namespace

void ComputeEphemeris(std::string_view name, double when, EphemerisResult& result) {
    Compute(name, when, result, nullptr);
}

void ComputeEphemeris(std::string_view name, double when, EphemerisResult& result,
                      StarInstantCells& cells) {
    Compute(name, when, result, &cells);
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
