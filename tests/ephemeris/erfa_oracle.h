// Independent places of the Moon and the planets from ERFA, for comparing
// the ephemeris with. The instant given as T (Julian centuries from J2000.0)
// is used both as UT (sidereal time) and as TT (the theories), as the
// ephemeris itself does: the comparison then measures the theories and the
// reductions, not delta-T.
#pragma once

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace orvex::testing {

struct OraclePlace {
    double gha = 0;   // degrees 0..360
    double dec = 0;   // degrees
    double dist = 0;  // km
};

inline constexpr double kJ2000 = 2451545.0;

// Apparent (true equator and equinox of date) GHA and declination of a GCRS
// direction p at the instant.
inline void ApparentHourAngle(const double p[3], double T, OraclePlace& out) {
    const double d2 = T * 36525.0;
    double rnpb[3][3];
    eraPnm06a(kJ2000, d2, rnpb);
    double q[3];
    eraRxp(rnpb, const_cast<double*>(p), q);
    double ra = 0, dec = 0;
    eraC2s(q, &ra, &dec);
    const double gast = eraGst06a(kJ2000, d2, kJ2000, d2);
    out.gha = eraAnp(gast - ra) * ERFA_DR2D;
    out.dec = dec * ERFA_DR2D;
}

// The Moon from the same lunar theory (Meeus' abridgement of ELP-2000/82),
// geometric, GCRS, then precession-nutation to the true equator of date.
inline OraclePlace MoonOracle(double T) {
    double pv[2][3];
    eraMoon98(kJ2000, T * 36525.0, pv);
    OraclePlace out;
    ApparentHourAngle(pv[0], T, out);
    out.dist = eraPm(pv[0]) * ERFA_DAU / 1000.0;
    return out;
}

// A planet (ERFA numbering: 2 Venus, 4 Mars, 5 Jupiter, 6 Saturn) from the
// Simon et al. 1994 theory: geocentric with light time, annual aberration
// (relativistic, from the Earth's barycentric velocity), precession and
// nutation. dist is the geometric distance at the light-time instant, km.
inline OraclePlace PlanetOracle(int np, double T) {
    const double d2 = T * 36525.0;
    double pvh[2][3], pvb[2][3];
    eraEpv00(kJ2000, d2, pvh, pvb);
    double p[3] = {0, 0, 0};
    double tau = 0.0;
    for (int it = 0; it < 4; ++it) {
        double pv[2][3];
        eraPlan94(kJ2000, d2 - tau, np, pv);
        eraPmp(pv[0], pvh[0], p);
        tau = eraPm(p) * ERFA_AULT / ERFA_DAYSEC;
    }
    double dist = 0, u[3];
    eraPn(p, &dist, u);
    double v[3];
    eraSxp(ERFA_AULT / ERFA_DAYSEC, pvb[1], v);
    const double bm1 = std::sqrt(1.0 - eraPdp(v, v));
    double ppr[3];
    eraAb(u, v, eraPm(pvh[0]), bm1, ppr);
    OraclePlace out;
    ApparentHourAngle(ppr, T, out);
    out.dist = dist * ERFA_DAU / 1000.0;
    return out;
}

// The difference of two hour angles on the circle, minutes of arc.
inline double HourAngleDiffMinutes(double a, double b) {
    return std::remainder(a - b, 360.0) * 60.0;
}

}  // namespace orvex::testing
