// Elementary angle arithmetic: remainders, normalisation, arcsine and
// arccosine with their error reports, packed sexagesimal forms, the
// two-argument arctangent in degrees and the polar, spherical and ecliptic
// conversions.
//
// Angles are decimal degrees; only ArcSin and ArcCos return radians. All
// degree/radian conversions use the constants of navlib/constants.h.
#pragma once

#include <cmath>
#include <vector>

#include "navlib/constants.h"

namespace orvex {

// log(x) / log(10). x > 0 is the caller's to keep.
double Log10(double x);

// Sum over i = 0..n of a[i] * x^i in ascending order, each power the last
// one times x (x^0 = 1 also for x = 0). n < 0 gives 0. a must hold at least n + 1 coefficients.
// (Inline, as are ModReal and Norm360: the ephemeris takes dozens of them
// for every place, most with a constant degree.)
inline double PolyEval(double x, int n, const double* a) {
    // Ascending terms, each power the last one times x: the same sum as with
    // the powers taken one by one, to the last bit or two of a term.
    if (n < 0) return 0.0;
    double sum = a[0];
    double power = 1.0;
    for (int i = 1; i <= n; ++i) {
        power *= x;
        sum += a[i] * power;
    }
    return sum;
}
double PolyEval(double x, int n, const std::vector<double>& a);

// Real remainder with the sign of x: r = (x/y - Fix(x/y)) * y. A remainder
// within 1e-11 below a positive y counts as a whole period (0). When q is
// given it receives Fix(x/y). y != 0 is the caller's to keep.
inline double ModReal(double x, double y, double* q = nullptr) {
    const double ratio = x / y;
    const double whole = std::trunc(ratio);
    double r = (ratio - whole) * y;
    if (std::fabs(r - y) < kZeroTolerance) r = 0.0;
    if (q) *q = whole;
    return r;
}

// ModReal(x, 1): the fractional part with the sign of x.
double FracPart(double x);

// x brought into -180..+180 (both ends possible: 180 stays 180, -180 stays -180).
inline double Norm180(double x) {
    const double r = ModReal(x, 360.0);
    if (std::fabs(r) <= 180.0) return r;
    return r - (r > 0 ? 1.0 : (r < 0 ? -1.0 : 0.0)) * 360.0;
}

// x brought into 0 (included) .. 360 (excluded); anything within 1e-11 of a
// whole turn is 0.
inline double Norm360(double x) {
    const double r = ModReal(x, 360.0);
    if (std::fabs(r) < kZeroTolerance) return 0.0;
    return r < 0 ? r + 360.0 : r;
}

// x clamped (wrap false) or wrapped (wrap true) into lo..hi. lo >= hi shows
// " Error in mathematical routine" and gives 0. A result within 1e-11 of 0 is 0.
double ScaleToRange(double x, double lo, double hi, bool wrap);

// True when x / 2 has no fractional part.
bool IsEven(double x);

// Arcsine in radians, -kHalfPi..kHalfPi. |x| > 1 shows " Error in Arc Sinus
// routine" and gives Sgn(x) * kHalfPi.
double ArcSin(double x);

// Arccosine in radians, 0..kPi. |x| > 1 shows " Error in Arc Cosinus routine"
// and gives 0 (x > 1) or kPi (x < -1).
double ArcCos(double x);

// Decimal degrees to packed D.MMmmm (degrees + minutes/100). A fraction within
// 8e-05 of the next whole degree rounds to that degree, away from zero.
double DegToDM(double x);

// Packed D.MMmmm to decimal degrees.
double DMToDeg(double x);

// Packed DD.MMSS (or HH.MMSS) to decimal units.
double DMSToDeg(double x);

// Norm360(450 - Norm360(x)): counter-clockwise from east <-> clockwise from north.
double MathAngleToAzimuth(double x);

// Direction of the vector (x, y) in degrees 0..360 from the x axis toward the
// y axis; 0 for the zero vector. With x northward and y eastward it is a
// bearing clockwise from north.
inline double Atan2Deg(double x, double y) {
    if (x == 0.0 && y == 0.0) return 0.0;
    if (x == 0.0) return y > 0 ? 90.0 : 270.0;
    return Norm360(std::atan(y / x) * kRadToDeg + (x < 0 ? 180.0 : 0.0));
}

// sqrt(x^2 + y^2).
double Hypot(double x, double y);

// r = sqrt(x^2 + y^2), theta = Atan2Deg(x, y); both 0 for the zero vector.
void CartesianToPolar(double x, double y, double& r, double& theta);

// A point of the ecliptic at longitude lambda (degrees), obliquity eps
// (degrees): declination (degrees) and right ascension (0..360 degrees).
void EclipticToEquatorial(double lambda, double eps, double& dec, double& ra);

// r, latitude and longitude (degrees) to Cartesian coordinates.
void SphericalToCartesian(double r, double lat, double lon, double& x, double& y, double& z);

// Cartesian coordinates to r, latitude (-90..90) and longitude (0..360),
// degrees; all three 0 at the origin.
void CartesianToSpherical(double x, double y, double z, double& r, double& lat, double& lon);

}  // namespace orvex
