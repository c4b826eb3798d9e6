// The Sun's altitude for an observer from ERFA, and the times it crosses
// an altitude, as an independent reference for the twilight planning.
#pragma once

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace orvex::testing {

inline constexpr double kDateValueToJd = 2415018.5;

// The Sun's geocentric apparent place (true equator and equinox of date) and
// its Greenwich hour angle from ERFA, at a UT date-time value.
struct OracleSun {
    double gha, dec, dist;  // radians, radians, AU
};
inline OracleSun SunFromErfa(double when) {
    const double ut = when + kDateValueToJd - 2451545.0;
    const double tt = ut + 69.0 / 86400.0;
    double pvh[2][3], pvb[2][3];
    eraEpv00(2451545.0, tt, pvh, pvb);
    double p[3] = {-pvh[0][0], -pvh[0][1], -pvh[0][2]};
    double dist = 0, u[3];
    eraPn(p, &dist, u);
    double v[3];
    eraSxp(ERFA_AULT / ERFA_DAYSEC, pvb[1], v);
    double ppr[3];
    eraAb(u, v, eraPm(pvh[0]), std::sqrt(1.0 - eraPdp(v, v)), ppr);
    // Precession-nutation and the equation of the equinoxes change by less
    // than 0.2" a day: taken once per day, at 0h.
    static double cachedDay = -1e300, rnpb[3][3], eqeq = 0;
    const double day = std::floor(tt);
    if (day != cachedDay) {
        cachedDay = day;
        eraPnm06a(2451545.0, day, rnpb);
        eqeq = eraEe06a(2451545.0, day);
    }
    double q[3];
    eraRxp(rnpb, ppr, q);
    double ra = 0, dec = 0;
    eraC2s(q, &ra, &dec);
    return {eraAnp(eraGmst06(2451545.0, ut, 2451545.0, tt) + eqeq - ra), dec, dist};
}

inline double SunAltitude(double when, double lat, double lon) {
    const OracleSun s = SunFromErfa(when);
    const double phi = lat * ERFA_DD2R;
    return std::asin(std::sin(phi) * std::sin(s.dec) +
                     std::cos(phi) * std::cos(s.dec) * std::cos(s.gha + lon * ERFA_DD2R)) *
           ERFA_DR2D;
}

template <class F>
inline double Bisect(F f, double a, double b) {
    const bool rising = f(a) < 0;
    for (int i = 0; i < 40; ++i) {
        const double m = (a + b) / 2;
        if ((f(m) < 0) == rising)
            a = m;
        else
            b = m;
    }
    return (a + b) / 2;
}

// The oracle's time of upper transit near local noon of the date d0.
inline double OracleTransit(double d0, double lon) {
    const double noon = d0 + (12.0 - lon / 15.0) / 24.0;
    auto lha = [&](double t) {
        return std::remainder(SunFromErfa(t).gha + lon * ERFA_DD2R, ERFA_D2PI);
    };
    return Bisect(lha, noon - 0.1, noon + 0.1);
}

// The oracle's crossing of the altitude target before (dir -1) or after
// (dir +1) the transit; 0 when the Sun does not reach it within 12 hours.
inline double OracleCrossing(double transit, double lat, double lon, double target, int dir) {
    auto f = [&](double t) { return SunAltitude(t, lat, lon) - target; };
    if (f(transit) < 0) return 0;
    const double step = 10.0 / 1440.0;
    for (double t = transit; std::fabs(t - transit) < 0.5; t += dir * step) {
        if (f(t + dir * step) < 0) return Bisect(f, t, t + dir * step);
    }
    return 0;
}

}  // namespace orvex::testing
