#include "ephemeris/sun.h"

#include <cmath>

#include "ephemeris/precession_nutation.h"
#include "ephemeris/time_argument.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"

namespace orvex {

namespace {

// Newcomb's elements of the Sun, ascending powers of T1900 (centuries from
// 1900 January 0.5).
constexpr double kMeanLongitude[3] = {279.69668, 36000.76892, 0.0003025};
constexpr double kMeanObliquity[4] = {23.452294, -0.0130125, -0.00000164, 0.000000503};
constexpr double kMeanAnomaly[4] = {358.47583, 35999.04975, -0.000150, -0.0000033};
constexpr double kEccentricity[3] = {0.01675104, -0.0000418, -0.000000126};

// Arguments of the periodic perturbations by Venus (A, B), Jupiter (C), the
// Moon (D) and the long-period inequality (E), and by Venus again (H).
constexpr double kArgA[2] = {153.23, 22518.7541};
constexpr double kArgB[2] = {216.57, 45037.5082};
constexpr double kArgC[2] = {312.69, 32964.3577};
constexpr double kArgD[3] = {350.74, 445267.1142, -0.00144};
constexpr double kArgE[2] = {231.19, 20.2};
constexpr double kArgH[2] = {353.4, 65928.7155};

// The perturbation argument in radians, reduced to one turn first.
double Argument(double t1900, int degree, const double* coefficients) {
    return Norm360(PolyEval(t1900, degree, coefficients)) * kDegToRad;
}

constexpr int kKeplerMaxSteps = 50;
constexpr double kRadiusFactor = 1.0000002;

}  // namespace

double SunMeanObliquity(double T) {
    return Norm360(PolyEval(T + 1.0, 3, kMeanObliquity));
}

SunElements SunMeanElements(double T) {
    const double t = T + 1.0;
    SunElements el;
    el.L = Norm360(PolyEval(t, 2, kMeanLongitude));
    el.eps0 = Norm360(PolyEval(t, 3, kMeanObliquity));
    el.M = Norm360(PolyEval(t, 3, kMeanAnomaly));
    el.e = PolyEval(t, 2, kEccentricity);

    const double a = Argument(t, 1, kArgA);
    const double b = Argument(t, 1, kArgB);
    const double c = Argument(t, 1, kArgC);
    const double d = Argument(t, 2, kArgD);
    const double e = Argument(t, 1, kArgE);
    const double h = Argument(t, 1, kArgH);

    el.L += (134.0 * std::cos(a) + 154.0 * std::cos(b) + 200.0 * std::cos(c) + 179.0 * std::sin(d) +
             178.0 * std::sin(e)) /
            100000.0;
    el.dR = (543.0 * std::sin(a) + 1575.0 * std::sin(b) + 1627.0 * std::sin(c) +
             3076.0 * std::cos(d) + 927.0 * std::sin(h)) /
            100000000.0;
    return el;
}

void SolveKepler(double e, double M, double& gamma, double& r) {
    if (std::isnan(e) || std::isnan(M)) {
        gamma = r = std::nan("");
        return;
    }
    M = Norm360(M);
    const double m = M * kDegToRad;
    double E = e;
    if (std::fabs(e) < 1.0) {
        // Newton's method from the start m + e sin m + (e^2 / 2) sin 2m, in
        // error below e^3. A step leaves at most e / (2 (1 - e)) times the
        // square of the error it starts from: it is the last one once that
        // bound on its own size, or the step itself, is within the
        // tolerance (for the Sun's eccentricity one step from that start).
        const double sm = std::sin(m), cm = std::cos(m);
        E = m + e * sm * (1.0 + e * cm);
        const double bound = std::fabs(e) / (1.0 - std::fabs(e));
        for (int step = 0; step < kKeplerMaxSteps; ++step) {
            const double dE = (E - e * std::sin(E) - m) / (1.0 - e * std::cos(E));
            E -= dE;
            if (bound * dE * dE <= kZeroTolerance || std::fabs(dE) <= kZeroTolerance) break;
        }
    } else {
        // No orbit: the fixed-point iteration from e, for as long as allowed.
        for (int step = 0; step < kKeplerMaxSteps; ++step) {
            const double next = m + e * std::sin(E);
            const bool converged = std::fabs(next - E) <= kZeroTolerance;
            E = next;
            if (converged) break;
        }
    }
    const double x = std::cos(E) - e;
    const double y = std::sqrt(1.0 - e * e) * std::sin(E);
    r = Hypot(x, y);
    gamma = Atan2Deg(x, y) - M;
}

void SunEphemeris(double T, double& gha, double& dec, double& R) {
    const SunElements el = SunMeanElements(T);
    double gamma = 0.0, r = 0.0;
    SolveKepler(el.e, el.M, gamma, r);
    R = r * kRadiusFactor + el.dR;
    const double trueLongitude = el.L + gamma;

    double dpsi = 0.0, deps = 0.0;
    Nutation(T, dpsi, deps);
    // Aberration as the constant -20.484", not divided by the distance.
    const double lambda = trueLongitude + (dpsi - kAberrationConstant) / 3600.0;
    const double eps = el.eps0 + deps / 3600.0;

    double ra = 0.0;
    EclipticToEquatorial(lambda, eps, dec, ra);
    gha = Norm360(GreenwichMeanSiderealTime(T) + dpsi * std::cos(eps * kDegToRad) / 3600.0 - ra);
}

}  // namespace orvex
