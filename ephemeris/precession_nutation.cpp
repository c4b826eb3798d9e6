#include "ephemeris/precession_nutation.h"

#include <cmath>

#include "ephemeris/nutation_table.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"

namespace orvex {

namespace {

// IAU 1976 precession from J2000.0, seconds of arc per power of T.
constexpr double kZeta[4] = {0.0, 2306.2181, 0.30188, 0.017998};
constexpr double kTheta[4] = {0.0, 2004.3109, -0.42665, -0.041833};
constexpr double kZ[4] = {0.0, 2306.2181, 1.09468, 0.018203};

// Fundamental arguments of the nutation, degrees per power of T.
constexpr double kElongation[4] = {297.85036, 445267.11148, -0.0019142, 1.0 / 189474.0};
constexpr double kSunAnomaly[4] = {357.52772, 35999.05034, -0.0001603, -1.0 / 300000.0};
constexpr double kMoonAnomaly[4] = {134.96298, 477198.867398, 0.0086972, 1.0 / 56250.0};
constexpr double kMoonLatitude[4] = {93.27191, 483202.017538, -0.0036825, 1.0 / 327270.0};
constexpr double kMoonNode[4] = {125.04452, -1934.136261, 0.0020708, 1.0 / 450000.0};

// Laskar's mean obliquity in powers of U = T / 100: 23d26'21.448", then
// seconds of arc turned into degrees.
constexpr double kLaskar[11] = {23.43929111,      -4680.93 / 3600.0, -1.55 / 3600.0,
                                1999.25 / 3600.0, -51.38 / 3600.0,   -249.67 / 3600.0,
                                -39.05 / 3600.0,  7.12 / 3600.0,     27.87 / 3600.0,
                                5.79 / 3600.0,    2.45 / 3600.0};

}  // namespace

void PrecessionAngles(double T, double& zeta, double& theta, double& z) {
    zeta = PolyEval(T, 3, kZeta);
    theta = PolyEval(T, 3, kTheta);
    z = PolyEval(T, 3, kZ);
}

void ApplyPrecession(double a1, double a2, double a3, double dec, double ra, double& newDec,
                     double& newRa) {
    double delta = 0.0, side = 0.0;
    RotateSpherical(ra + 90.0 - a1, 90.0 - dec, a2, delta, side);
    newDec = 90.0 - side;
    newRa = Norm360(90.0 - delta - a3);
}

void Nutation(double T, double& dpsi, double& deps) {
    const double d = Norm360(PolyEval(T, 3, kElongation));
    const double m = Norm360(PolyEval(T, 3, kSunAnomaly));
    const double mp = Norm360(PolyEval(T, 3, kMoonAnomaly));
    const double f = Norm360(PolyEval(T, 3, kMoonLatitude));
    const double om = Norm360(PolyEval(T, 3, kMoonNode));

    double sumPsi = 0.0, sumEps = 0.0;
    for (int i = 1; i <= kNutationTermCount; ++i) {
        const NutationTerm& r = kNutationTerms[i];
        const double arg = (r.D * d + r.M * m + r.Mp * mp + r.F * f + r.Om * om) * kDegToRad;
        sumPsi += (r.S + r.S1 * T) * std::sin(arg);
        sumEps += (r.C + r.C1 * T) * std::cos(arg);
    }
    dpsi = sumPsi / 10000.0;
    deps = sumEps / 10000.0;
}

void NutationInRaDec(double eps, double p, double q, double dec, double ra, double& dDec,
                     double& dRa) {
    // p sin eps cos ra, p sin eps sin ra and p cos eps are the rectangular
    // coordinates of a vector of length p at polar distance eps, longitude ra.
    double x = 0.0, y = 0.0, zc = 0.0;
    SphericalToCartesian(p, 90.0 - eps, ra, x, y, zc);
    const double a = ra * kDegToRad;
    dDec = -(x + q * std::sin(a));
    dRa = std::tan(dec * kDegToRad) * (q * std::cos(a) - y) - zc;
}

double MeanObliquityLaskar(double T) {
    return Norm360(PolyEval(T / 100.0, 10, kLaskar));
}

}  // namespace orvex
