// The solver callback's functions 5..13 and its six equations: the geodesic,
// the composite sailing and the twilight search.
#include <cmath>

#include "navlib/constants.h"
#include "navlib/great_circle.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/solver_callback.h"

namespace orvex {

namespace {

constexpr double kOutOfDomainRaise = 1e-13;

// Integrand of the longitude-scale factors: the rate of change of the
// geodesic's longitude along the auxiliary sphere, exact on the ellipsoid.
// trig is cos(x) (function 7, x counted from the vertex) or sin(x)
// (function 8, x counted from the node).
double ScaleIntegrand(double trig, double a, double oneMinusE2) {
    const double t2 = std::tan(a) * std::tan(a) * trig * trig;
    return std::sqrt((oneMinusE2 * oneMinusE2 + t2) / (oneMinusE2 + t2));
}

// Function 5: the longitude difference between the two positions predicted
// by the track with parameter p, minus the real one.
double VertexLongitudeResidual(double p, const SolverParameters& P, double& remembered) {
    const double A1 = P.SolvArg1, A3 = P.SolvArg3;
    if (std::fabs(p / A3) > 1.0 || std::fabs(p / A1) > 1.0) return remembered + kOutOfDomainRaise;
    const int s1 = LongitudeSense(P.SolvGeo, P.SolvArg4);
    const int s2 = LongitudeSense(P.SolvGeo, P.SolvArg2);
    const double T3 = GeodesicLongitudeFromVertex(A3, p, P.HalfE2);
    const double T1 = GeodesicLongitudeFromVertex(A1, p, P.HalfE2);
    remembered = Norm180((P.SolvArg4 - P.SolvArg2) - s1 * kRadToDeg * T3 + s2 * kRadToDeg * T1);
    return remembered;
}

// Function 6: the longitude from the vertex of the point of the track whose
// geocentric latitude has the cotangent p, minus the wanted one.
double TrackLongitudeResidual(double p, const SolverParameters& P, double& remembered) {
    const double G2 = P.SolvGeo2;
    if (p == 0.0 || std::fabs(G2 / p) > 1.0) return remembered + kOutOfDomainRaise;
    const int s = LongitudeSense(P.SolvGeo, P.SolvArg2);
    const double T = GeodesicLongitudeFromVertex(p, G2, P.HalfE2);
    remembered = Norm180((P.SolvArg2 - P.SolvGeo) - s * kRadToDeg * T);
    return remembered;
}

// A longitude difference (radians) the short way round, -pi..pi: the two
// longitudes may lie on either side of the 180th meridian.
double Wrap(double d) {
    return std::remainder(d, 2.0 * kPi);
}

// The longitude (radians) from a vertex of longitude x to a point of
// longitude lon, counted from the opposite vertex, half a period away, on
// the point's side.
double FromOppositeVertex(double lon, double x, double halfPeriod) {
    double d = std::remainder(lon - x, 2.0 * kPi);
    return d >= 0 ? d - halfPeriod : d + halfPeriod;
}

// Functions 12 and 13: the Sun at the time x (a UT date-time value); 12 its
// hour angle from the observer's meridian, 13 its altitude above the target.
double SunSearchFunction(double x, int iFct, SolverParameters& P) {
    if (!P.SolvSunPlace) return 0.0;
    double gha = 0.0, dec = 0.0, dist = 0.0;
    P.SolvSunPlace(x, gha, dec, dist);
    P.SolvSunGHA = gha;
    P.SolvSunDec = dec;
    P.SolvArg6 = dist;
    if (iFct == 12) return Norm180(P.SolvSunGHA - P.SolvLongWest);
    const double d = P.SolvSunDec * kDegToRad;
    const double sinAlt =
        std::sin(P.SolvArg1) * std::sin(d) +
        std::cos(d) * std::cos(P.SolvArg1) * std::cos(P.SolvSunGHA * kDegToRad + P.SolvArg2);
    return kRadToDeg * ArcSin(sinAlt) - P.SolvSunAlt;
}

}  // namespace

double GreatCircleCallbackFunction(double x, int iFct, SolverParameters& P, double& remembered) {
    switch (iFct) {
        case 5:
            return VertexLongitudeResidual(x, P, remembered);
        case 6:
            return TrackLongitudeResidual(x, P, remembered);
        case 7:
            return ScaleIntegrand(std::cos(x), P.SolvIntA, P.OneMinusE2);
        case 8:
            return ScaleIntegrand(std::sin(x), P.SolvIntA, P.OneMinusE2);
        case 9: {
            // The departure lies on the geodesic whose vertex is (a, x).
            const double a = P.SolvIntA, A1 = P.SolvArg1, A2 = P.SolvArg2;
            const double K = IntegralMode7(A1, a);
            return std::tan(a) * std::cos(K * Wrap(x - A2)) - std::tan(A1);
        }
        case 10: {
            // The same for a departure in the other hemisphere: it lies near
            // the opposite vertex (-a), half a period of longitude from x.
            const double a = P.SolvIntA, A1 = P.SolvArg1, A2 = P.SolvArg2;
            const double K1 = IntegralMode7(a, a);
            const double K2 = IntegralMode7(A1, -a);
            P.SolvIntA = a;  // the factor took the opposite vertex as its parameter
            return std::tan(-a) * std::cos(K2 * FromOppositeVertex(A2, x, kPi / K1)) - std::tan(A1);
        }
        case 11: {
            // The arrival lies on the geodesic whose vertex is (a, x).
            const double a = P.SolvIntA, A3 = P.SolvArg3, A4 = P.SolvArg4;
            const double K = IntegralMode7(A3, a);
            return std::tan(a) * std::cos(K * Wrap(x - A4)) - std::tan(A3);
        }
        case 12:
        case 13:
            return SunSearchFunction(x, iFct, P);
        default:
            return 0.0;
    }
}

double GreatCircleCallbackEquation(const Vector& x, int i, SolverParameters& P) {
    const double u = x(1), v = x(2);
    switch (i) {
        case 1:
            return std::tan(u) * std::cos(IntegralMode7(P.SolvArg1, u) * Wrap(v - P.SolvArg2)) -
                   std::tan(P.SolvArg1);
        case 2:
        case 6:
            return std::tan(u) * std::cos(IntegralMode7(P.SolvArg3, u) * Wrap(v - P.SolvArg4)) -
                   std::tan(P.SolvArg3);
        case 3:
            return std::tan(u) * std::sin(IntegralMode8(P.SolvArg1, u) * Wrap(P.SolvArg2 - v)) -
                   std::tan(P.SolvArg1);
        case 4:
            return std::tan(u) * std::sin(IntegralMode8(P.SolvArg3, u) * Wrap(P.SolvArg4 - v)) -
                   std::tan(P.SolvArg3);
        case 5: {
            // First position near the opposite vertex (-u), half a period away.
            const double K1 = IntegralMode7(u, u);
            const double K = IntegralMode7(P.SolvArg1, -u);
            return std::tan(-u) * std::cos(K * FromOppositeVertex(P.SolvArg2, v, kPi / K1)) -
                   std::tan(P.SolvArg1);
        }
        default:
            return 0.0;
    }
}

}  // namespace orvex
