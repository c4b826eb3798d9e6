#include "navlib/great_circle.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "navlib/arrays.h"
#include "navlib/constants.h"
#include "navlib/earth_radii.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/solver_callback.h"
#include "navlib/solvers.h"

namespace orvex {

namespace {

constexpr double kSphereInvFlattening = 1e100;
constexpr double kLargestDouble = 1.7976931348623e+308;

int Sgn(double x) {
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

// e of the Earth model; below 1e-11 it is a sphere.
double Eccentricity(double F) {
    const double e2 = 2.0 / F - (1.0 / F) / F;
    const double e = std::sqrt(e2);
    return e < kZeroTolerance ? 0.0 : e;
}

void SetEllipsoidParameters(SolverParameters& P, double F) {
    const double e = Eccentricity(F);
    P.HalfE2 = e * e / 2.0;
    P.OneMinusE2 = 1.0 - e * e;
}

// cos(atan(u)) without the cancellation of taking the cosine of an angle
// close to a right angle.
double CosAtan(double u) {
    return 1.0 / std::sqrt(1.0 + u * u);
}

// Half the latitude difference, half the latitude sum and half the
// longitude difference (radians), each kept clear of 0 so that the
// quotients below stay finite; an exact 0 of the latitude difference stays 0.
struct HalfAngles {
    double Fh, Gh, Lh;
};
HalfAngles MakeHalfAngles(double lat1, double lon1, double lat2, double lon2) {
    HalfAngles h{};
    h.Fh = (lat2 - lat1) / 2.0 * kDegToRad;
    if (std::fabs(h.Fh) < kZeroTolerance) h.Fh = Sgn(h.Fh) * 1e-09;
    h.Gh = (lat1 + lat2) / 2.0 * kDegToRad;
    if (std::fabs(h.Gh) < kZeroTolerance) h.Gh = kZeroTolerance;
    h.Lh = Norm180(lon2 - lon1) / 2.0 * kDegToRad;
    if (std::fabs(h.Lh) < kZeroTolerance) h.Lh = kZeroTolerance;
    return h;
}

// Cotangent of a latitude given in degrees, with the sign of the latitude.
double Cotangent(double lat) {
    return std::tan((Sgn(lat) * 90.0 - lat) * kDegToRad);
}

// Integral of the scale integrand iFct (7 or 8) of the solver callback from
// `from` to `to`, with SolvIntA and OneMinusE2 as they stand. The integrand
// dips from 1 to 1 - f within about e / tan(a) of the points where its cosine
// (7) or sine (8) vanishes: narrow for a high vertex, and a single adaptive
// Simpson run can step over the dip and accept a result 5e-5 radian off. The
// interval is therefore cut at those points and into panels that double in
// width away from them, and each panel integrated on its own. Returns 0
// when a panel fails (the integrator has shown its box).
double ScaleIntegral(int iFct, double from, double to, double tol) {
    const SolverParameters& P = SharedSolverParameters();
    if (from == to) return 0.0;
    const double lo = std::min(from, to), hi = std::max(from, to);
    std::vector<double> cuts{lo, hi};
    const double e = std::sqrt(std::max(0.0, 1.0 - P.OneMinusE2));
    const double t = std::fabs(std::tan(P.SolvIntA));
    if (e > 0.0 && t > 0.0) {
        const double width = std::min(0.05, 0.1 * e / t);
        const double first = iFct == 7 ? kHalfPi : 0.0;
        for (double d = first + std::floor((lo - first) / kPi) * kPi; d <= hi + kPi; d += kPi) {
            for (double w = width; w < 1.0; w *= 2.0) {
                for (double c : {d - w, d, d + w}) {
                    if (c > lo && c < hi) cuts.push_back(c);
                }
            }
        }
    }
    std::sort(cuts.begin(), cuts.end());
    double sum = 0.0;
    for (size_t i = 1; i < cuts.size(); ++i) {
        if (cuts[i] == cuts[i - 1]) continue;
        NautLibFct fn;
        const double part = IntegrateSimpson(fn, cuts[i - 1], cuts[i], tol, 100, iFct);
        if (part == 0.0) return 0.0;
        sum += part;
    }
    return from < to ? sum : -sum;
}

// Longitude (radians) of a point from the vertex of the track with parameter
// p, exact on the ellipsoid: the spherical longitude divided by the scale
// factor of the geodesic.
//   A    cotangent of the point's geocentric latitude psi (radians)
double ExactLongitudeFromVertex(double A, double psi, double p) {
    double r = p / A;
    if (r > 1.0) r = 1.0;
    if (r < -1.0) r = -1.0;
    const double psiV = Sgn(p) * (kHalfPi - std::atan(std::fabs(p)));
    return ArcCos(r) / IntegralMode7(psi, psiV);
}

// p of the track through the two positions on the exact geodesic, by secant
// steps from the first-order value p0, with the senses s1 (arrival) and s2
// (departure) of the positions from the vertex. Returns the residual
// (degrees of longitude) left at the returned p.
double SecantVertexParam(double& p, double psi1, double psi2, double c1, double c2, double lon1,
                         double lon2, int s1, int s2) {
    const double limit = std::min(std::fabs(c1), std::fabs(c2));
    auto clampP = [&](double x) {
        if (std::fabs(x) > limit) x = std::copysign(limit, x);
        return x;
    };
    auto residual = [&](double x) {
        return Norm180((lon2 - lon1) - s1 * kRadToDeg * ExactLongitudeFromVertex(c2, psi2, x) +
                       s2 * kRadToDeg * ExactLongitudeFromVertex(c1, psi1, x));
    };
    double x0 = clampP(p);
    double f0 = residual(x0);
    double best = x0, bestF = f0;
    double x1 = clampP(x0 - std::copysign(1e-6 * (1.0 + std::fabs(x0)), x0));
    double f1 = residual(x1);
    for (int i = 0; i < 30 && f1 != f0 && std::isfinite(f1); ++i) {
        if (std::fabs(f1) < std::fabs(bestF)) {
            best = x1;
            bestF = f1;
        }
        const double x2 = clampP(x1 - f1 * (x1 - x0) / (f1 - f0));
        if (!std::isfinite(x2) || std::fabs(x2 - x1) < 1e-14 * (1.0 + std::fabs(x1))) break;
        x0 = x1;
        f0 = f1;
        x1 = x2;
        f1 = residual(x1);
    }
    if (std::isfinite(f1) && std::fabs(f1) < std::fabs(bestF)) {
        best = x1;
        bestF = f1;
    }
    p = best;
    return bestF;
}

// Refines p on the exact geodesic (the longitude equation of the callback
// holds to first order in the flattening only). A position within a hair of
// the vertex may lie on either side of it: both senses are tried for the
// position nearer the vertex and the better fit kept. Returns the sense of
// the departure from the vertex that goes with the refined p.
int RefineVertexParam(double& p, double psi1, double psi2, double c1, double c2, double lon1,
                      double lon2, double vertexLong) {
    const int s1 = LongitudeSense(vertexLong, lon2);
    const int s2 = LongitudeSense(vertexLong, lon1);
    double pa = p;
    const double fa = SecantVertexParam(pa, psi1, psi2, c1, c2, lon1, lon2, s1, s2);
    const bool departureNearer = std::fabs(c1) < std::fabs(c2);
    double pb = p;
    const double fb = SecantVertexParam(pb, psi1, psi2, c1, c2, lon1, lon2,
                                        departureNearer ? s1 : -s1, departureNearer ? -s2 : s2);
    if (std::fabs(fb) < std::fabs(fa)) {
        p = pb;
        return departureNearer ? -s2 : s2;
    }
    p = pa;
    return s2;
}

// The way out when the root search on the longitude equation finds nothing:
// the two vertex equations of the solver callback solved for the vertex
// (spherical start phiV, vertexLong, degrees). Returns p.
double SolveVertexEquations(double psi1, double psi2, double lon1, double lon2, double phiV,
                            double vertexLong) {
    SolverParameters& P = SharedSolverParameters();
    P.SolvArg1 = psi1 * kDegToRad;
    P.SolvArg3 = psi2 * kDegToRad;
    P.SolvArg2 = lon1 * kDegToRad;
    P.SolvArg4 = lon2 * kDegToRad;
    Vector x(2);
    x(1) = phiV * kDegToRad;
    x(2) = vertexLong * kDegToRad;
    int first = 1;
    if (Sgn(psi1) != Sgn(psi2)) {
        // Positions on both sides of the equator: within a quarter period of
        // the node both take the node form, else the first position is
        // counted from the opposite vertex.
        const double nodeLong = Norm180(LongitudeSense(vertexLong, lon1) * 90.0 + vertexLong);
        const double h = 90.0 / IntegralMode8(phiV * kDegToRad, phiV * kDegToRad);
        const double nMinus = Norm180(nodeLong - h);
        const double nPlus = Norm180(nodeLong + h);
        if (LongitudeSense(nPlus, lon1) == -1 && LongitudeSense(nPlus, lon2) == -1 &&
            LongitudeSense(nMinus, lon1) == 1 && LongitudeSense(nMinus, lon2) == 1) {
            // The node is ascending when the first position lies west of the vertex.
            x(1) = std::fabs(phiV) * kDegToRad * -LongitudeSense(vertexLong, lon1) * Sgn(phiV);
            x(2) = nodeLong * kDegToRad;
            first = 3;
        } else {
            first = 5;
        }
    }
    NautLibFct fn;
    SolveNonlinearSystem(fn, x, 1e-08, 150, first);
    const double u = std::fabs(x(1));
    if (!std::isfinite(u) || u == 0.0 || u > kHalfPi)
        return std::tan(kHalfPi - std::fabs(phiV) * kDegToRad) * Sgn(phiV);
    return std::tan(kHalfPi - u) * Sgn(std::fabs(psi2) < std::fabs(psi1) ? psi1 : psi2);
}

// Geocentric latitude psi (radians) of the geodesic whose vertex has the
// geocentric latitude psiV (radians), at the longitude dLong (radians, -pi..pi)
// from the vertex: Newton's method on the longitude integral
// I(w) = integral of function 7 from 0 to w = |dLong|, then
// tan psi = tan psiV cos w. False when the integral cannot be evaluated.
bool LatitudeOnGeodesic(double dLong, double psiV, double& psi) {
    SolverParameters& P = SharedSolverParameters();
    const double target = std::fabs(dLong);
    double w = target;
    for (int i = 0; i < 20; ++i) {
        P.SolvIntA = psiV;
        const double I = ScaleIntegral(7, 0.0, w, 1e-10);
        NautLibFct fn;
        const double g = fn.f(w, 7);
        if (!std::isfinite(I) || !(g > 0.0)) return false;
        const double dw = (I - target) / g;
        w -= dw;
        if (std::fabs(dw) < 1e-12) break;
    }
    psi = std::atan(std::tan(psiV) * std::cos(w));
    return std::isfinite(psi);
}

}  // namespace

double GeodesicLongitudeFromVertex(double A, double p, double halfE2) {
    const double q = std::sqrt(p * p + 1.0);
    // Arc of the auxiliary sphere from the vertex to the point; beyond the
    // node (the point in the other hemisphere) it exceeds a quarter circle.
    double sigma = std::atan(std::sqrt(std::fabs(A * A - p * p) / (p * p + 1.0)));
    if (p / A < 0) sigma = kPi - sigma;
    // The ellipsoid shortens the longitude from the vertex on either side of
    // the equator: the correction takes |p|, never its sign.
    // A point at the vertex itself may give |p / A| a rounding over 1.
    return ArcCos(std::clamp(p / A, -1.0, 1.0)) - (halfE2 * std::fabs(p) / q) * sigma;
}

double IntegralMode8(double phi, double a) {
    SolverParameters& P = SharedSolverParameters();
    // phi = a is the vertex itself, also for a track along the equator where
    // the quotient would be 0 / 0.
    const double ratio = (phi == a) ? 1.0 : std::tan(phi) / std::tan(a);
    const double s = ArcSin(ratio);
    P.SolvIntA = a;
    if (s == 0.0) {
        // The node itself: the limit of s / I is the reciprocal of the
        // integrand at 0.
        NautLibFct fn;
        const double g = fn.f(0.0, 8);
        return g > 0 ? 1.0 / g : 1.0;
    }
    const double I = ScaleIntegral(8, 0.0, s, 1e-08);
    if (I == 0.0 || !std::isfinite(I)) return 1.0;  // integrator failed (its box was shown)
    return s / I;
}

double IntegralMode7(double phi, double a) {
    if (std::fabs(a) < std::fabs(phi)) return IntegralMode8(a, a);
    if (std::fabs(a) == std::fabs(phi)) return IntegralMode8(phi, a);
    SolverParameters& P = SharedSolverParameters();
    const double c = ArcCos(std::tan(phi) / std::tan(a));
    P.SolvIntA = a;
    const double I = ScaleIntegral(7, 0.0, c, 1e-08);
    if (I == 0.0 || !std::isfinite(I)) return 1.0;
    return c / I;
}

GreatCircleVertex GreatCircleEllipsoid(double lat1, double lon1, double lat2, double lon2,
                                       const EarthModel& E) {
    GreatCircleVertex v;
    if (SameLatitude(lat1, lat2) && SameLongitude(lon1, lon2)) return v;
    const double F = E.InvFlattening;
    SolverParameters& P = SharedSolverParameters();
    SetEllipsoidParameters(P, F);
    // A track along the equator has no vertex.
    if (SameLatitude(lat1, 0.0) && SameLatitude(lat2, 0.0)) return v;
    // A track along a meridian has its vertex at a pole: the one it crosses
    // when the two positions lie on opposite meridians, else the pole on the
    // side of the position farther from the equator (not on the track). A
    // position at a pole lies on every meridian: the track is the meridian
    // of the other position, and its vertex that pole. The pole's longitude
    // tells the direction of travel: it is the meridian along which the
    // track, sailed on, runs into that pole (GreatCircleComposite gives the
    // courses from it).
    const bool pole1 = SameLatitude(std::fabs(lat1), 90.0);
    const bool pole2 = SameLatitude(std::fabs(lat2), 90.0);
    if (pole1 && pole2 && Sgn(lat1) == Sgn(lat2)) return v;  // one pole, one position
    const bool oppositeMeridians = SameLongitude(Norm180(lon2 - lon1), 180.0);
    if (SameLongitude(lon1, lon2) || oppositeMeridians || pole1 || pole2) {
        int pole = 1;
        v.VertexLong = lon1;
        v.VertexDist = -1.0;
        if (pole1) {
            // Leaving the pole along the arrival's meridian: the vertex is
            // the departure itself.
            pole = Sgn(lat1);
            v.VertexLong = Norm180(lon2 + 180.0);
            v.VertexDist = 0.0;
        } else if (pole2) {
            // Arriving at the pole along the departure's meridian: the
            // vertex is the arrival.
            pole = Sgn(lat2);
            v.VertexDist = MeridianArc(lat1, lat2, E);
        } else if (oppositeMeridians) {
            pole = lat1 + lat2 >= 0 ? 1 : -1;
            v.VertexDist = GeodesicDistance(lat1, lon1, pole * 90.0, lon1, E);
        } else {
            const double farther = std::fabs(lat2) > std::fabs(lat1) ? lat2 : lat1;
            pole = farther >= 0 ? 1 : -1;
            const bool toward = (pole > 0) == (lat2 > lat1);
            if (!toward) v.VertexLong = Norm180(lon1 + 180.0);
        }
        v.VertexLat = pole * 90.0;
        v.VertexParam = 0.0;
        return v;
    }

    // Spherical vertex from Napier's analogies: C is the angle at the
    // departure between the meridian and the track.
    const HalfAngles h = MakeHalfAngles(lat1, lon1, lat2, lon2);
    const double A = std::fabs(std::atan(std::cos(h.Fh) / (std::sin(h.Gh) * std::tan(h.Lh))));
    const double B = std::fabs(std::atan(std::sin(h.Fh) / (std::cos(h.Gh) * std::tan(h.Lh))));
    const bool firstNearerPole = std::fabs(lat2) < std::fabs(lat1);
    const double C = firstNearerPole ? A + B : A - B;
    double phiV = std::fabs(ArcCos(std::cos(lat1 * kDegToRad) * std::sin(C)));
    phiV *= Sgn(firstNearerPole ? lat1 : lat2);
    // |tan lat1| never exceeds |tan phiV|; when the departure is itself the
    // vertex the quotient may round to just over 1, which is no error.
    const double ratio = std::clamp(std::tan(lat1 * kDegToRad) / std::tan(phiV), -1.0, 1.0);
    const double dLong = std::fabs(ArcCos(ratio)) * kRadToDeg;
    const int s = C < kHalfPi ? LongitudeSense(lon1, lon2) : LongitudeSense(lon2, lon1);
    const double sphVertexLong = Norm180(lon1 + s * dLong);
    phiV *= kRadToDeg;
    double vertexLong = sphVertexLong;

    // Geocentric latitudes of the two positions and their cotangents.
    double psi1 = GeodeticToGeocentric(lat1, F);
    double psi2 = GeodeticToGeocentric(lat2, F);
    if (psi1 == 0.0) psi1 = 1e-07;
    if (psi2 == 0.0) psi2 = 1e-07;
    const double c1 = Cotangent(psi1);
    const double c2 = Cotangent(psi2);

    // p is the cotangent of the vertex latitude, on the sphere the result
    // itself: x / sqrt(1 - x^2) with x = cos(lat1) sin C, the cosine of the
    // spherical vertex latitude. The product cos(lon1 - vertexLong) * c1
    // loses its digits near the equator (the cosine of nearly a right angle
    // times a huge cotangent): at 1e-06 degree the vertex came out 0.0007
    // degree off, and on the equator itself (the 1e-07 substitute) at the
    // pole. On an ellipsoid it stays the root search's start value.
    double p = 0.0;
    if (F != kSphereInvFlattening) {
        p = std::cos(Norm180(lon1 - vertexLong) * kDegToRad) * c1;
    } else {
        const double x = std::cos(lat1 * kDegToRad) * std::sin(C);
        p = Sgn(phiV) * x / std::sqrt(std::max(1.0 - x * x, 1e-30));
    }

    int departureSense = LongitudeSense(vertexLong, lon1);
    if (F != kSphereInvFlattening) {
        // The longitude equation takes the sense of each position from the
        // vertex; the spherical vertex gives it first, and once more from the
        // ellipsoid's vertex when a position lies between the two.
        bool found = false;
        for (int pass = 0; pass < 2; ++pass) {
            P.SolvArg1 = c1;
            P.SolvArg3 = c2;
            P.SolvArg2 = lon1;
            P.SolvArg4 = lon2;
            P.SolvGeo = vertexLong;
            bool failed = false;
            NautLibFct fn;
            const double root = FindRoot(fn, p, 0.001, -kLargestDouble, kLargestDouble, false,
                                         1e-08, 750, 5, false, failed);
            if (failed) break;
            found = true;
            p = root;
            const double T = GeodesicLongitudeFromVertex(c1, p, P.HalfE2);
            const double newLong = Norm180(lon1 - LongitudeSense(vertexLong, lon1) * kRadToDeg * T);
            const bool sameSides =
                LongitudeSense(newLong, lon1) == LongitudeSense(vertexLong, lon1) &&
                LongitudeSense(newLong, lon2) == LongitudeSense(vertexLong, lon2);
            vertexLong = newLong;
            if (sameSides) break;
        }
        if (!found) p = SolveVertexEquations(psi1, psi2, lon1, lon2, phiV, vertexLong);
        departureSense = RefineVertexParam(p, psi1 * kDegToRad, psi2 * kDegToRad, c1, c2, lon1,
                                           lon2, vertexLong);
    }

    // Vertex longitude and latitude from p; on an ellipsoid the longitude
    // from the vertex is the exact integral form.
    const double T = F != kSphereInvFlattening ? ExactLongitudeFromVertex(c1, psi1 * kDegToRad, p)
                                               : GeodesicLongitudeFromVertex(c1, p, P.HalfE2);
    v.VertexLong = Norm180(lon1 - departureSense * kRadToDeg * T);
    const int hemisphere = p != 0.0 ? Sgn(p) : Sgn(std::fabs(psi2) < std::fabs(psi1) ? psi1 : psi2);
    v.VertexLat = GeocentricToGeodetic(hemisphere * 90.0 - kRadToDeg * std::atan(p), F);
    v.VertexParam = p;

    if (LongitudeSense(lon1, v.VertexLong) == LongitudeSense(lon1, lon2) &&
        LongitudeSense(lon2, v.VertexLong) == LongitudeSense(lon2, lon1)) {
        v.VertexDist =
            GeodesicDistance(GeocentricToGeodetic(psi1, F), lon1, v.VertexLat, v.VertexLong, E);
    } else {
        v.VertexDist = -1.0;
    }
    return v;
}

double GreatCircleComposite(double lon, double vertexLat, double vertexLong, double vertexParam,
                            const EarthModel& E, double fromLong, double toLong, double& course,
                            bool& failed) {
    failed = false;
    const double F = E.InvFlattening;
    SolverParameters& P = SharedSolverParameters();
    SetEllipsoidParameters(P, F);

    // A vertex at a pole: the track is a meridian and has no latitude as a
    // function of longitude. It runs into the pole along the vertex's
    // meridian and away from it along the opposite one; a longitude on
    // neither is that of a position at the pole itself, the departure
    // (leaving it) or the arrival (reaching it). A vertex merely near a pole
    // is an ordinary track, steep but with a latitude at every longitude.
    if (std::fabs(vertexLat) >= 90.0) {
        failed = true;
        if (course != kNoCourse) {
            bool toward = false;
            if (SameLongitude(lon, vertexLong)) {
                toward = true;
            } else if (!SameLongitude(lon, Norm180(vertexLong + 180.0))) {
                toward = SameLongitude(lon, toLong) && !SameLongitude(lon, fromLong);
            }
            course = toward == (vertexLat > 0) ? 360.0 : 180.0;
        }
        return 0.0;
    }
    const double psiV = GeodeticToGeocentric(vertexLat, F) * kDegToRad;
    const double delta = Norm180(vertexLong - lon) * kDegToRad;
    double phiS = std::fabs(std::atan(std::tan(psiV) * std::cos(delta)) * kRadToDeg);

    // Within the longitude from node to vertex of the vertex, the track lies
    // in the vertex's hemisphere.
    const double h = 90.0 / IntegralMode8(psiV, psiV);
    const double nMinus = Norm180(vertexLong - h);
    const double nPlus = Norm180(vertexLong + h);
    if (LongitudeSense(nPlus, lon) == -1 && LongitudeSense(nMinus, lon) == 1) {
        phiS *= Sgn(vertexLat);
    } else {
        phiS *= -Sgn(vertexLat);
    }

    if (std::fabs(phiS - psiV * kRadToDeg) < 0.0003) {
        course = LongitudeSense(fromLong, toLong) == 1 ? 90.0 : 270.0;
        return vertexLat;
    }

    if (std::fabs(phiS) < kZeroTolerance) phiS = kZeroTolerance;
    double p = Cotangent(phiS);

    if (F != kSphereInvFlattening) {
        // On the ellipsoid the latitude comes from the exact integral form
        // of the geodesic: the first-order longitude equation (callback
        // function 6) is off by up to 0.01 degree of latitude on steep
        // tracks, and a root search in the cotangent cannot cross the equator.
        double psi = 0.0;
        if (!LatitudeOnGeodesic(Norm180(lon - vertexLong) * kDegToRad, psiV, psi)) {
            failed = true;
            return 0.0;
        }
        phiS = psi * kRadToDeg;
        p = std::fabs(phiS) < kZeroTolerance ? std::copysign(1e11, phiS) : Cotangent(phiS);
    }

    const double phi = GeocentricToGeodetic(phiS, F);

    if (course != kNoCourse) {
        const double pv = vertexParam;
        const double d = p * p - pv * pv;
        double c = 90.0;
        if (d > 0.0) {
            c = std::fabs(kRadToDeg * std::atan(pv * std::sqrt((p * p + 1.0) / d) *
                                                (1.0 - P.HalfE2 * p * p / (p * p + 1.0))));
        }
        const int s = LongitudeSense(fromLong, toLong);
        const double lon2 = Norm180(lon + s * 0.00027777);
        double noCourse = kNoCourse;
        bool nextFailed = false;
        const double phi2 = GreatCircleComposite(lon2, vertexLat, vertexLong, vertexParam, E, 0.0,
                                                 0.0, noCourse, nextFailed);
        course = CourseFromQuadrant(c, phi, lon, phi2, lon2);
        // The nested call rewrote the shared parameters for the same model.
    }
    return phi;
}

double GeodesicDistance(double lat1, double lon1, double lat2, double lon2, const EarthModel& E) {
    const double k = 10800.0 / kPi;  // minutes of arc per radian
    const double f = 1.0 / E.InvFlattening;
    const HalfAngles h = MakeHalfAngles(lat1, lon1, lat2, lon2);
    const double cosA = CosAtan(std::cos(h.Fh) / (std::sin(h.Gh) * std::tan(h.Lh)));
    const double cosB = CosAtan(std::sin(h.Fh) / (std::cos(h.Gh) * std::tan(h.Lh)));
    const double H = std::atan(cosA / (cosB * std::tan(h.Gh)));
    const double D0 = std::fabs(H) * 6875.4935415716145;  // spherical distance, minutes
    const double sigma = D0 / k;
    const double half = std::fabs(H);
    const double sG = std::sin(h.Gh), cG = std::cos(h.Gh), sF = std::sin(h.Fh), cF = std::cos(h.Fh);
    const double T1 = (f * k / 2.0) * (3.0 * std::sin(sigma) - sigma) * sG * sG * cF * cF /
                      std::pow(std::cos(half), 2.0);
    const double T2 = (f * k / 2.0) * (3.0 * std::sin(sigma) + sigma) * cG * cG * sF * sF /
                      std::pow(std::sin(half), 2.0);
    return (D0 + T1 - T2) * E.SemiMajorAxis / k;
}

}  // namespace orvex
