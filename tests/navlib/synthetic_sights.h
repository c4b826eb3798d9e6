// Synthetic sight sets built from an independent truth, for the star-fix
// tests: the places of the stars come from ERFA (apparent place of date from
// the Hipparcos J2000 positions and proper motions below), the altitude from
// ERFA's horizon conversion at the true position of each sight on a true
// track, and the sextant altitude from the observed one by undoing the
// corrections a navigator applies (semi-diameter, parallax, refraction, dip,
// instrument error), each undone by iteration.
//
// Date-time values are days since 30 December 1899 (UT); ERFA is given the
// same instant as UT1 and TT.
#pragma once

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <string>
#include <vector>

#include "navlib/earth_model.h"
#include "navlib/rhumb_line.h"
#include "navlib/star_fix_types.h"

namespace orvex::testing {

// The sights' day, 15 March 2026 0h UT, and an hour and a minute of it, as
// date-time values (days).
inline constexpr double kDay = 46096.0;
inline constexpr double kHour = 1.0 / 24.0;
inline constexpr double kMinute = 1.0 / 1440.0;

// The WGS 84 ellipsoid, semi-major axis in nautical miles.
inline EarthModel Wgs84() {
    return EarthModel{298.257223563, 6378137.0 / 1852.0};
}

struct CatalogueStar {
    const char* name;
    double raH, raM, raS;     // J2000 right ascension
    double decD, decM, decS;  // J2000 declination, sign on every part
    double pmRa;              // proper motion on the sky, mas/yr (mu_alpha cos delta)
    double pmDec;             // mas/yr
};

// Hipparcos places (ICRS, epoch J2000) of bright navigational stars.
inline const std::vector<CatalogueStar>& TestCatalogue() {
    static const std::vector<CatalogueStar> stars = {
        {"ACHERNAR", 1, 37, 42.85, -57, -14, -12.3, 88.0, -40.1},
        {"ALDEBARAN", 4, 35, 55.24, 16, 30, 33.5, 63.5, -188.9},
        {"ALKAID", 13, 47, 32.44, 49, 18, 47.8, -121.2, -15.6},
        {"ALPHARD", 9, 27, 35.24, -8, -39, -31.0, -14.5, 33.3},
        {"ALPHECCA", 15, 34, 41.27, 26, 42, 52.9, 120.4, -89.6},
        {"ALPHERATZ", 0, 8, 23.26, 29, 5, 25.6, 135.7, -162.9},
        {"ALTAIR", 19, 50, 47.00, 8, 52, 6.0, 536.2, 385.3},
        {"ANTARES", 16, 29, 24.46, -26, -25, -55.2, -12.1, -23.3},
        {"ARCTURUS", 14, 15, 39.67, 19, 10, 56.7, -1093.4, -2000.1},
        {"BETELGEUSE", 5, 55, 10.31, 7, 24, 25.4, 27.5, 11.3},
        {"CANOPUS", 6, 23, 57.11, -52, -41, -44.4, 19.9, 23.2},
        {"CAPELLA", 5, 16, 41.36, 45, 59, 52.8, 75.5, -427.1},
        {"DENEB", 20, 41, 25.92, 45, 16, 49.2, 2.0, 1.9},
        {"DENEBOLA", 11, 49, 3.58, 14, 34, 19.4, -497.7, -114.7},
        {"DUBHE", 11, 3, 43.67, 61, 45, 3.7, -136.5, -35.3},
        {"ELTANIN", 17, 56, 36.37, 51, 29, 20.0, -8.5, -23.1},
        {"ENIF", 21, 44, 11.16, 9, 52, 30.0, 30.0, 1.4},
        {"FOMALHAUT", 22, 57, 39.05, -29, -37, -20.1, 329.2, -164.2},
        {"HAMAL", 2, 7, 10.41, 23, 27, 44.7, 188.6, -148.1},
        {"KAUS AUST", 18, 24, 10.32, -34, -23, -4.6, -39.6, -124.2},
        {"KOCHAB", 14, 50, 42.33, 74, 9, 19.8, -32.3, 11.9},
        {"MARKAB", 23, 4, 45.65, 15, 12, 19.0, 61.1, -42.6},
        {"MIRFAK", 3, 24, 19.37, 49, 51, 40.2, 24.1, -26.0},
        {"NUNKI", 18, 55, 15.93, -26, -17, -48.2, 13.9, -52.7},
        {"PEACOCK", 20, 25, 38.86, -56, -44, -6.3, 7.7, -86.2},
        {"POLLUX", 7, 45, 18.95, 28, 1, 34.3, -626.6, -45.8},
        {"PROCYON", 7, 39, 18.12, 5, 13, 30.0, -714.6, -1036.8},
        {"RASALHAGUE", 17, 34, 56.07, 12, 33, 36.1, 108.1, -221.6},
        {"REGULUS", 10, 8, 22.31, 11, 58, 2.0, -248.7, 5.6},
        {"RIGEL", 5, 14, 32.27, -8, -12, -5.9, 1.3, 0.5},
        {"SCHEDAR", 0, 40, 30.44, 56, 32, 14.4, 50.4, -32.1},
        {"SIRIUS", 6, 45, 8.92, -16, -42, -58.0, -546.0, -1223.1},
        {"SPICA", 13, 25, 11.58, -11, -9, -40.8, -42.4, -30.7},
        {"VEGA", 18, 36, 56.34, 38, 47, 1.3, 200.9, 286.2},
    };
    return stars;
}

inline const CatalogueStar* FindTestStar(const std::string& name) {
    for (const CatalogueStar& s : TestCatalogue())
        if (name == s.name) return &s;
    return nullptr;
}

// Julian date of a date-time value.
inline double JulianDate(double t) {
    return t + 2415018.5;
}

// ERFA's apparent place of a catalogue star: Greenwich hour angle (0..360)
// and declination, degrees; distance 272000 as the navigator's tables give
// for a star. Unknown names give false.
inline bool ErfaStarPlace(const std::string& name, double t, double& gha, double& dec,
                          double& dist) {
    const CatalogueStar* s = FindTestStar(name);
    if (!s) return false;
    const double ra = (s->raH + s->raM / 60.0 + s->raS / 3600.0) * 15.0 * ERFA_DD2R;
    const double de = (s->decD + s->decM / 60.0 + s->decS / 3600.0) * ERFA_DD2R;
    const double pr = s->pmRa / 1000.0 * ERFA_DAS2R / std::cos(de);  // dRA/dt, rad/yr
    const double pd = s->pmDec / 1000.0 * ERFA_DAS2R;
    double ri, di, eo;
    eraAtci13(ra, de, pr, pd, 0.0, 0.0, 2400000.5, JulianDate(t) - 2400000.5, &ri, &di, &eo);
    const double era = eraEra00(2400000.5, JulianDate(t) - 2400000.5);
    gha = eraAnp(era - ri) / ERFA_DD2R;
    dec = di / ERFA_DD2R;
    dist = 272000.0;
    return true;
}

// The ephemeris function the star fix takes, backed by ERFA.
inline EphemerisFunction ErfaEphemeris() {
    return [](const std::string& body, double t, double& gha, double& dec, double& dist) {
        if (!ErfaStarPlace(body, t, gha, dec, dist)) gha = dec = dist = std::nan("");
    };
}

// Geocentric altitude and azimuth (degrees) from ERFA's horizon conversion.
inline void ErfaAltAz(double lat, double lon, double gha, double dec, double& alt, double& az) {
    double a, e;
    eraHd2ae((gha + lon) * ERFA_DD2R, dec * ERFA_DD2R, lat * ERFA_DD2R, &a, &e);
    alt = e / ERFA_DD2R;
    az = a / ERFA_DD2R;
}

// The observing conditions of a set.
struct Conditions {
    double heightEye = 12.0;  // metres
    double tempAirC = 18.0;
    double tempWaterC = 16.0;
    double pressMBars = 1021.0;
    double instErrDeg = -1.5 / 60.0;
};

// Sextant altitude that a navigator would have read for an observed
// (geocentric, centre or limb as named) altitude ho: the corrections of the
// sight reduction undone one by one, from the last to the first.
inline double SextantAltitude(double ho, const std::string& body, double dist,
                              const Conditions& c) {
    const double d2r = 0.01745329251993889;  // the program's own conversion
    const double fa = c.tempAirC * 9.0 / 5.0 + 32.0;
    const double fw = c.tempWaterC * 9.0 / 5.0 + 32.0;
    double sd = 0.0;
    if (body == "SUNLOW" || body == "SUNUPP") sd = 0.266564 / dist;
    if (body == "MOONLOW" || body == "MOONUPP")
        sd = 0.2725 * 0.9507 * (384401.0 / 149565800.0) / dist;
    if (body == "SUNUPP" || body == "MOONUPP") sd = -sd;
    const double h2 = ho - sd;
    // Parallax: h2 = h1 + asin(R cos h1 / dist).
    double h1 = h2;
    for (int k = 0; k < 50; ++k)
        h1 = h2 - std::asin(4.26345151e-05 * std::cos(h1 * d2r) / dist) / d2r;
    // Refraction: h1 = ha - R(ha) (Pf + Tf - 1).
    const double tf = fa < 40.0 ? 520.0 / (460.0 + fa) : (fa > 60.0 ? 500.0 / (460.0 + fa) : 1.0);
    const double factor = c.pressMBars / 1010.16 + tf - 1.0;
    auto refraction = [&](double ha) {
        const double r0 = 1.0 / std::tan((ha + 7.31 / (ha + 4.4)) * d2r);
        return (r0 - 0.06 * std::sin((14.7 * r0 + 13.0) * d2r)) / 60.0;
    };
    double ha = h1;
    for (int k = 0; k < 100; ++k) ha = h1 + refraction(ha) * factor;
    // Dip and instrument error.
    const double dip = 0.029283 * std::sqrt(c.heightEye) + (fa - fw) * 0.11 / 60.0;
    return ha + dip - c.instErrDeg;
}

// A true track: the position at time t0 and the course and speed made good.
struct Track {
    double lat, lon, t0, course, speed;
    void At(double t, const EarthModel& E, double& la, double& lo) const {
        RhumbLineDirect(lat, lon, course, (t - t0) * 24.0 * speed, la, lo, E);
    }
};

struct PlannedSight {
    double time;
    std::string body;
    double biasDeg = 0.0;  // error added to the observed altitude
};

// The set of sights a navigator on the track would have taken.
inline ObservationSet MakeSights(const Track& truth, const std::vector<PlannedSight>& plan,
                                 const Conditions& c, const EarthModel& E) {
    ObservationSet obs(static_cast<int>(plan.size()));
    for (size_t k = 0; k < plan.size(); ++k) {
        const PlannedSight& p = plan[k];
        double la, lo, gha = 0, dec = 0, dist = 0, alt, az;
        truth.At(p.time, E, la, lo);
        ErfaStarPlace(p.body, p.time, gha, dec, dist);
        ErfaAltAz(la, lo, gha, dec, alt, az);
        const double hs = SextantAltitude(alt + p.biasDeg, p.body, dist, c);
        obs.SetSight(static_cast<int>(k) + 1, p.time, p.body, hs, c.instErrDeg);
    }
    return obs;
}

// For each time, the catalogue star between 15 and 70 degrees of altitude
// whose azimuth lies closest to 180 k / n + offset, plus 180 for odd k
// (k = 0..n-1), each star used once and none within 6 degrees of another's
// bearing or its reciprocal: a set spread round the horizon.
inline std::vector<PlannedSight> SpreadStars(const Track& truth, const std::vector<double>& times,
                                             const EarthModel& E, double offset = 10.0) {
    std::vector<PlannedSight> plan;
    std::vector<std::string> used;
    std::vector<double> bearings;
    const size_t n = times.size();
    for (size_t k = 0; k < n; ++k) {
        double la, lo;
        truth.At(times[k], E, la, lo);
        const double target = 180.0 * static_cast<double>(k) / static_cast<double>(n) +
                              (k % 2 ? 180.0 : 0.0) + offset;
        std::string best;
        double bestDiff = 1e9, bestAz = 0.0;
        for (const CatalogueStar& s : TestCatalogue()) {
            bool taken = false;
            for (const std::string& u : used) taken = taken || u == s.name;
            if (taken) continue;
            double gha = 0, dec = 0, dist = 0, alt, az;
            ErfaStarPlace(s.name, times[k], gha, dec, dist);
            ErfaAltAz(la, lo, gha, dec, alt, az);
            if (alt < 15.0 || alt > 70.0) continue;
            bool crowded = false;
            for (double b : bearings) {
                const double d = std::fabs(std::remainder(az - b, 180.0));
                crowded = crowded || d < 6.0;
            }
            if (crowded) continue;
            double diff = std::fabs(az - target);
            if (diff > 180.0) diff = 360.0 - diff;
            if (diff < bestDiff) {
                bestDiff = diff;
                bestAz = az;
                best = s.name;
            }
        }
        used.push_back(best);
        bearings.push_back(bestAz);
        plan.push_back({times[k], best});
    }
    return plan;
}

// Inputs of a fix whose estimated position is the truth at tEst moved by
// (dLatMin, dLonMin) minutes of arc, with the given dead-reckoning course
// and speed.
inline StarFixInputs MakeInputs(const Track& truth, double tEst, double tTrue, double dLatMin,
                                double dLonMin, double course, double speed, const Conditions& c,
                                const EarthModel& E) {
    StarFixInputs in;
    double la, lo;
    truth.At(tEst, E, la, lo);
    in.EstLat = la + dLatMin / 60.0;
    in.EstLong = lo + dLonMin / 60.0;
    in.TimeEstPos = tEst;
    in.TimeTruePos = tTrue;
    in.Course = course;
    in.Speed = speed;
    in.HeightEye = c.heightEye;
    in.TempAirC = c.tempAirC;
    in.TempWaterC = c.tempWaterC;
    in.PressMBars = c.pressMBars;
    return in;
}

}  // namespace orvex::testing
