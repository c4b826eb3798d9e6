#include "ephemeris/moon.h"

#include <cmath>

#include "ephemeris/moon_tables.h"
#include "ephemeris/planets.h"
#include "ephemeris/precession_nutation.h"
#include "ephemeris/time_argument.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"

namespace orvex {

namespace {

constexpr double kMeanDistanceKm = 385000.56;
constexpr double kKmPerAu = 149565800.0;  // the program's astronomical unit
constexpr double kHourAngleReduction = 0.5 / 60.0;

double Sin(double degrees) {
    return std::sin(degrees * kDegToRad);
}

// 1 for terms without M, E for |M multiple| 1, E^2 otherwise.
double EccentricityWeight(double mMultiple, double E) {
    if (mMultiple == 0.0) return 1.0;
    if (std::fabs(mMultiple) == 1.0) return E;
    return E * E;
}

}  // namespace

MoonArguments MoonArgumentsAt(double T) {
    const double T2 = T * T;
    const double T3 = std::pow(T, 3);
    const double T4 = std::pow(T, 4);
    MoonArguments a;
    a.Lp = Norm360(218.3164591 + 481267.88134236 * T - 0.0013268 * T2 + T3 / 538841.0 -
                   T4 / 65194000.0);
    a.D =
        Norm360(297.8502042 + 445267.1115168 * T - 0.00163 * T2 + T3 / 545868.0 - T4 / 113065000.0);
    a.M = Norm360(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0);
    a.Mp =
        Norm360(134.9634114 + 477198.8676313 * T + 0.008997 * T2 + T3 / 69699.0 - T4 / 14712000.0);
    a.F = Norm360(93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000.0 +
                  T4 / 863310000.0);
    a.A1 = Norm360(119.75 + 131.849 * T);
    a.A2 = Norm360(53.09 + 479264.29 * T);
    a.A3 = Norm360(313.45 + 481266.484 * T);
    a.E = 1.0 - 0.002516 * T - 0.0000074 * T2;
    return a;
}

void MoonPeriodicSums(const MoonArguments& a, double& sumL, double& sumB, double& sumR) {
    double sl = 0.0, sr = 0.0, sb = 0.0;
    for (const auto& row : MoonLongitudeDistanceTable()) {
        const double w = EccentricityWeight(row.m, a.E);
        const double arg = (row.m * a.M + row.d * a.D + row.mp * a.Mp + row.f * a.F) * kDegToRad;
        sl += w * row.longitude * std::sin(arg);
        sr += w * row.distance * std::cos(arg);
    }
    for (const auto& row : MoonLatitudeTable()) {
        const double w = EccentricityWeight(row.m, a.E);
        const double arg = (row.m * a.M + row.d * a.D + row.mp * a.Mp + row.f * a.F) * kDegToRad;
        sb += w * row.latitude * std::sin(arg);
    }
    // Venus (A1), Jupiter (A2) and the flattening of the Earth (L' - F, A3).
    sl += 3958.0 * Sin(a.A1) + 1962.0 * Sin(a.Lp - a.F) + 318.0 * Sin(a.A2);
    sb += -2235.0 * Sin(a.Lp) + 382.0 * Sin(a.A3) + 175.0 * Sin(a.A1 - a.F) +
          175.0 * Sin(a.A1 + a.F) + 127.0 * Sin(a.Lp - a.Mp) - 115.0 * Sin(a.Lp + a.Mp);
    sumL = sl;
    sumB = sb;
    sumR = sr;
}

MoonSeriesResult MoonSeries(double T) {
    MoonSeriesResult s;
    s.args = MoonArgumentsAt(T);
    MoonPeriodicSums(s.args, s.sumL, s.sumB, s.sumR);
    s.longitude = s.args.Lp + s.sumL / 1000000.0;
    s.latitude = s.sumB / 1000000.0;
    s.distanceKm = kMeanDistanceKm + s.sumR / 1000.0;
    return s;
}

void MoonEphemeris(double T, double& gha, double& dec, double& dist) {
    const MoonSeriesResult s = MoonSeries(T);
    dist = s.distanceKm / kKmPerAu;

    double dpsi = 0.0, deps = 0.0;
    Nutation(T, dpsi, deps);
    const double apparentLongitude = s.longitude + dpsi / 3600.0;
    const double eps = MeanObliquityLaskar(T) + deps / 3600.0;

    double ra = 0.0;
    EclipticToEquatorialFull(s.latitude, apparentLongitude, eps, dec, ra);

    const double gast = GreenwichMeanSiderealTime(T) + dpsi * std::cos(eps * kDegToRad) / 3600.0;
    gha = Norm360(gast - ra - kHourAngleReduction);
}

}  // namespace orvex
