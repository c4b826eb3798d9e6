#include "navlib/fix_precision.h"

#include <array>
#include <cmath>

namespace orvex {

namespace {

// Points of the midpoint rule over a quarter turn. The integrand is smooth
// and periodic, so the rule converges faster than any power of the count.
constexpr int kAnglePoints = 32;
// A quarter turn in radians, to the last bit (the system's pi stops at 12
// decimals).
constexpr double kQuarterTurn = 1.5707963267948966;

// cos^2 of the angles of the midpoint rule.
const std::array<double, kAnglePoints>& CosSquared() {
    static const std::array<double, kAnglePoints> table = [] {
        std::array<double, kAnglePoints> t{};
        for (int j = 0; j < kAnglePoints; ++j) {
            const double c = std::cos((j + 0.5) * kQuarterTurn / kAnglePoints);
            t[static_cast<size_t>(j)] = c * c;
        }
        return t;
    }();
    return table;
}

// The distribution of the squared radius in units of the deviation along
// one direction, t: P(rho^2 <= t) and its derivative by t. For normal
// errors rho^2 is chi-square with two degrees of freedom; for a deviation
// estimated on dof degrees of freedom rho^2 / 2 is F(2, dof).
void RadialDistribution(double t, int dof, double& P, double& dP) {
    if (dof <= 0) {
        const double e = std::exp(-t / 2.0);
        P = 1.0 - e;
        dP = e / 2.0;
    } else {
        // base^(-dof / 2): a whole power by squaring, times 1 / sqrt(base)
        // for an odd dof (the quadrature calls this for every angle of every
        // Newton step, where pow() was most of the circle's cost).
        const double base = 1.0 + t / dof;
        double power = 1.0, factor = base;
        for (int k = dof / 2; k > 0; k >>= 1) {
            if (k & 1) power *= factor;
            factor *= factor;
        }
        if (dof % 2 != 0) power *= std::sqrt(base);
        const double g = 1.0 / power;
        P = 1.0 - g;
        dP = g / base / 2.0;
    }
}

// The probability within radius R and its derivative by R. An error of
// principal deviations s1, s2 in the direction phi of the standardised
// plane has length rho sqrt(s1^2 cos^2 phi + s2^2 sin^2 phi).
void CircleDistribution(double R, double s1, double s2, int dof, double& P, double& dP) {
    const auto& c2 = CosSquared();
    double sum = 0.0, dsum = 0.0;
    for (int j = 0; j < kAnglePoints; ++j) {
        const double c = c2[static_cast<size_t>(j)];
        const double b = s1 * s1 * c + s2 * s2 * (1.0 - c);
        double p = 1.0, dp = 0.0;
        if (b > 0.0) {
            RadialDistribution(R * R / b, dof, p, dp);
            dp *= 2.0 * R / b;
        }
        sum += p;
        dsum += dp;
    }
    P = sum / kAnglePoints;
    dP = dsum / kAnglePoints;
}

}  // namespace

double EllipseScale(double p, int dof) {
    if (dof <= 0) return -2.0 * std::log1p(-p);
    return dof * std::expm1(-2.0 / dof * std::log1p(-p));
}

double CircleProbability(double R, double s1, double s2, int dof) {
    double P = 0.0, dP = 0.0;
    CircleDistribution(R, s1, s2, dof, P, dP);
    return P;
}

double CircleRadius(double p, double s1, double s2, int dof) {
    if (!(s1 >= 0.0) || !(s2 >= 0.0) || !std::isfinite(s1) || !std::isfinite(s2) ||
        (s1 == 0.0 && s2 == 0.0) || !(p > 0.0 && p < 1.0))
        return -1.0;
    const double big = s1 > s2 ? s1 : s2;
    // The circle through the ends of the ellipse's long axis holds at least
    // p (the ellipse lies inside it); the bracket starts at 0, as the short
    // axis may be 0.
    double lo = 0.0, hi = big * std::sqrt(EllipseScale(p, dof));
    // Start from the circular case scaled to the mean deviation.
    double R = std::sqrt((s1 * s1 + s2 * s2) / 2.0 * EllipseScale(p, dof));
    for (int step = 0; step < 60; ++step) {
        double P = 0.0, dP = 0.0;
        CircleDistribution(R, s1, s2, dof, P, dP);
        if (P < p)
            lo = R;
        else
            hi = R;
        double next = dP > 0.0 ? R - (P - p) / dP : (lo + hi) / 2.0;
        if (!(next > lo && next < hi)) next = (lo + hi) / 2.0;
        if (std::fabs(next - R) <= 1e-12 * big) return next;
        R = next;
    }
    return R;
}

}  // namespace orvex
