#include "navlib/math_lib.h"

#include <cmath>

#include "navlib/constants.h"
#include "navlib/hooks.h"

namespace orvex {

namespace {
double Sgn(double x) {
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}
double Fix(double x) {
    return std::trunc(x);
}
}  // namespace

double Log10(double x) {
    return std::log(x) / std::log(10.0);
}

double PolyEval(double x, int n, const std::vector<double>& a) {
    if (n < 0) return 0.0;
    if (static_cast<size_t>(n) >= a.size()) n = static_cast<int>(a.size()) - 1;
    return PolyEval(x, n, a.data());
}

double FracPart(double x) {
    return ModReal(x, 1.0);
}

double ScaleToRange(double x, double lo, double hi, bool wrap) {
    if (lo >= hi) {
        ReportMessage(kIconCritical + kButtonsOk, " Error in mathematical routine",
                      "Unable to scale your number due to an incorrect range. See doc for help.");
        return 0.0;
    }
    double r;
    if (!wrap) {
        r = x < lo ? lo : (x > hi ? hi : x);
    } else if (lo == 0.0) {
        r = ModReal(x, hi) + (x < 0 ? hi : 0.0);
    } else if (hi == 0.0) {
        r = ModReal(x, lo) + (x > 0 ? lo : 0.0);
    } else if (x < lo) {
        double q = 0;
        r = ModReal(x, lo, &q);
        if (!IsEven(q)) r += hi;
    } else if (x > hi) {
        double q = 0;
        r = ModReal(x, hi, &q);
        if (!IsEven(q)) r += lo;
    } else {
        r = x;
    }
    return std::fabs(r) < kZeroTolerance ? 0.0 : r;
}

bool IsEven(double x) {
    return x / 2.0 == Fix(x / 2.0);
}

double ArcSin(double x) {
    if (std::fabs(x) > 1.0) {
        ReportMessage(kIconCritical + kButtonsOk, " Error in Arc Sinus routine",
                      "| Argument Sinus |  >  1.\r\nReturn \xC2\xB1 Pi / 2.");
        return Sgn(x) * kHalfPi;
    }
    if (std::fabs(x) == 1.0) return Sgn(x) * kHalfPi;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double ArcCos(double x) {
    if (std::fabs(x) > 1.0) {
        ReportMessage(kIconCritical + kButtonsOk, " Error in Arc Cosinus routine",
                      "| Argument Cosinus |  >  1.\r\nReturn 0 or Pi.");
        return x > 1.0 ? 0.0 : kPi;
    }
    if (x == 0.0) return kHalfPi;
    // For x < 0 the quotient is negative or -0 (at x = -1): both belong in
    // the second quadrant.
    const double r = std::atan(std::sqrt(1.0 - x * x) / x);
    return x < 0 ? r + kPi : r;
}

double DegToDM(double x) {
    const double d = Fix(x);
    const double f = x - d;
    if (std::fabs(std::fabs(f) - 1.0) < kSameAngleTolerance) return Fix(x + Sgn(x) * 0.5);
    return d + f * 60.0 / 100.0;
}

double DMToDeg(double x) {
    const double d = Fix(x);
    return d + (x - d) * 100.0 / 60.0;
}

double DMSToDeg(double x) {
    const double d = Fix(x);
    const double f = (x - d) * 100.0;
    double m = Fix(f);
    // A whole number of minutes stored just below itself (7.22 is
    // 7.2199999...) must not truncate to the minute before with 99.99
    // seconds.
    if (std::fabs(f - m) > 1.0 - 1e-8) m = std::round(f);
    return d + m / 60.0 + (f - m) / 36.0;
}

double MathAngleToAzimuth(double x) {
    return Norm360(450.0 - Norm360(x));
}

double Hypot(double x, double y) {
    double r, theta;
    CartesianToPolar(x, y, r, theta);
    return r;
}

void CartesianToPolar(double x, double y, double& r, double& theta) {
    if (x == 0.0 && y == 0.0) {
        r = 0.0;
        theta = 0.0;
        return;
    }
    r = std::sqrt(x * x + y * y);
    theta = Atan2Deg(x, y);
}

void EclipticToEquatorial(double lambda, double eps, double& dec, double& ra) {
    const double l = lambda * kDegToRad, e = eps * kDegToRad;
    ra = Atan2Deg(std::cos(l), std::sin(l) * std::cos(e));
    dec = ArcSin(std::sin(l) * std::sin(e)) * kRadToDeg;
}

void SphericalToCartesian(double r, double lat, double lon, double& x, double& y, double& z) {
    const double la = lat * kDegToRad, lo = lon * kDegToRad;
    x = r * std::cos(la) * std::cos(lo);
    y = r * std::cos(la) * std::sin(lo);
    z = r * std::sin(la);
}

void CartesianToSpherical(double x, double y, double z, double& r, double& lat, double& lon) {
    if (x == 0.0 && y == 0.0 && z == 0.0) {
        r = lat = lon = 0.0;
        return;
    }
    r = std::sqrt(x * x + y * y + z * z);
    lat = ArcSin(z / r) * kRadToDeg;
    lon = Atan2Deg(x, y);
}

}  // namespace orvex
