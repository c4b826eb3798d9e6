#include "navlib/rhumb_line.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>

#include "navlib/constants.h"
#include "navlib/earth_radii.h"
#include "navlib/hooks.h"
#include "navlib/math_lib.h"
#include "navlib/message_throttle.h"
#include "navlib/nautical_angles.h"
#include "navlib/solver_callback.h"
#include "navlib/solvers.h"

namespace orvex {

namespace {

constexpr double kQuarterPi = 0.78539816339725;
constexpr double kMaxDistance = std::numeric_limits<double>::max();  // open upper bound
constexpr double kSouthPoleStandIn = -89.999999;
constexpr double kEquatorLengthNm = 21638.8;

constexpr char kNauticalTitle[] = " Error in nautical routine";
constexpr char kSpecialTitle[] = "Special case in nautical routine";
constexpr char kNoSolution[] = "There is no solution to the problem.";

// How the direct routine is run: 0 for every outside caller, the others only
// by the root-search functions of the solver callback.
enum class DirectMode {
    Normal = 0,          // arrival latitude and longitude; a pole crossing is the special case
    Latitude3 = 3,       // both, with no pole handling (distance search on the latitude)
    Longitude4 = 4,      // both, with no pole handling (distance search on the longitude)
    GivenLatitude = 11,  // the arrival latitude is given; only the longitude is computed
    LatitudeOnly = 12,   // only the arrival latitude; the longitude is left alone
};

void RefuseWith(const std::string& text) {
    ReportMessage(kIconExclamation + kButtonsOk, kNauticalTitle, text);
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

double SouthPoleGuard(double lat) {
    return lat == -90.0 ? kSouthPoleStandIn : lat;
}

bool IsParallelSailing(double course) {
    return (89.5 < course && course < 90.5) || (269.5 < course && course < 270.5);
}

bool IsDueEastOrWest(double course) {
    return course == 90.0 || course == 270.0;
}

double EccentricityOf(double F) {
    const double e = std::sqrt(2.0 / F - (1.0 / F) / F);
    return e < kZeroTolerance ? 0.0 : e;
}

// Isometric latitude, radians; on the sphere when e = 0. A latitude beyond a
// pole (tried by a distance search) is taken at the pole, where the program's
// half pi keeps the value finite.
// Odd in the latitude, so that the South Pole is as finite as the North.
double IsometricLatitude(double phi, double e) {
    if (phi < 0.0) return -IsometricLatitude(-phi, e);
    if (phi > kHalfPi) phi = kHalfPi;
    double psi = std::log(std::tan(kQuarterPi + phi / 2.0));
    if (e != 0.0) {
        const double es = e * std::sin(phi);
        psi += (e / 2.0) * std::log((1.0 - es) / (1.0 + es));
    }
    return psi;
}

double SphereIsometricLatitude(double phi) {
    return IsometricLatitude(phi, 0.0);
}

MessageThrottle& PoleCrossingThrottle() {
    static MessageThrottle throttle;
    return throttle;
}

SailingStatus PoleCrossing(double phi2, double& lat2, double& lon2) {
    const std::string text =
        "Your track is crossing a pole. Due to the definition of the rhumb line "
        "(see doc),\r\nthe solution is latitude 90\u00B0 and indefinite longitude.";
    if (PoleCrossingThrottle().Admit(text, TimerSeconds()))
        ReportMessage(kIconExclamation + kButtonsOk, kSpecialTitle, text);
    lat2 = phi2 < 0 ? -90.0 : 90.0;
    lon2 = 0.0;
    return SailingStatus::SpecialCase;
}

RhumbDeparture UnfilledDeparture(double lat1, double course, double F, double a) {
    RhumbDeparture d;
    d.lat1 = lat1;
    d.course = course;
    d.F = F;
    d.a = a;
    return d;
}

// The departure of a run, with the parts only the rhumb line through the
// isometric latitude needs (sin 2 phi1 for its arrival latitude, tan C and
// the departure's isometric latitude for its longitude) worked out when
// asked: a root search's step that needs none of them does not pay for them.
void FillDeparture(RhumbDeparture& d, bool latitudePart, bool longitudePart) {
    d.phi1 = SouthPoleGuard(d.lat1) * kDegToRad;
    d.C = d.course * kDegToRad;
    d.e = EccentricityOf(d.F);
    d.e2 = d.e * d.e;
    const double s = std::sin(d.phi1);
    d.W2 = 1.0 - d.e2 * (s * s);  // s * s is pow(s, 2) to the last bit
    d.M1 = d.a * (1.0 - d.e2) / std::pow(d.W2, 1.5);
    d.cosC = std::cos(d.C);
    d.sin2Phi1 = d.tanC = d.psi1 = 0.0;
    if (latitudePart) d.sin2Phi1 = std::sin(2.0 * d.phi1);
    if (longitudePart) {
        d.tanC = std::tan(d.C);
        d.psi1 = IsometricLatitude(d.phi1, d.e);
    }
}

SailingStatus DirectInMode(const RhumbDeparture& dep, double lon1, double dist, double& lat2,
                           double& lon2, DirectMode mode, RhumbArrival* arrival = nullptr) {
    double lat1 = dep.lat1;
    const double course = dep.course, F = dep.F, a = dep.a;
    if (dist == 0.0) {
        lat2 = lat1;
        lon2 = lon1;
        return SailingStatus::Solved;
    }
    const bool parallel = IsParallelSailing(course);
    lat1 = SouthPoleGuard(lat1);
    const double phi1 = dep.phi1;
    const double lambda1 = lon1 * kDegToRad;
    const double C = dep.C;

    const double e = dep.e;
    const double e2 = dep.e2;
    const double W2 = dep.W2;
    const double M1 = dep.M1;
    double phi2e = phi1 + dist * dep.cosC / M1;

    if (parallel) {
        // Within half a degree of east or west a long enough run still
        // reaches a pole (from 89.9 S on 269.6 it lies some 860 miles on):
        // it is the same special case as on any other course, never a
        // latitude beyond 90.
        if (mode == DirectMode::Normal && std::fabs(phi2e) > kHalfPi)
            return PoleCrossing(phi2e, lat2, lon2);
        if (mode == DirectMode::GivenLatitude)
            phi2e = lat2 * kDegToRad;
        else
            lat2 = phi2e * kRadToDeg;
        if (mode == DirectMode::LatitudeOnly) return SailingStatus::Solved;
        const double N1 = a / std::sqrt(W2);
        const double phim = (phi1 + phi2e) / 2.0;
        double dLambda;
        if (IsDueEastOrWest(course))
            dLambda = dist * std::sin(C) / (N1 * std::cos(phi1));
        else
            dLambda = (phi2e - phi1) * std::tan(C) * M1 / (N1 * std::cos(phim));
        lon2 = Norm180((lambda1 + dLambda) * kRadToDeg);
        return SailingStatus::Solved;
    }

    double phi2;
    if (mode == DirectMode::GivenLatitude) {
        phi2 = lat2 * kDegToRad;
    } else {
        phi2 = phi1 + ((1.0 - 0.75 * e2) * (phi2e - phi1) +
                       0.375 * e2 * (std::sin(2.0 * phi2e) - dep.sin2Phi1)) *
                          (M1 / a) / (1.0 - e2);
    }

    if (mode == DirectMode::Normal && std::fabs(phi2) > kHalfPi)
        return PoleCrossing(phi2, lat2, lon2);

    if (F > 1000.0) {
        // Mercator sailing: 60 miles to the degree, Clarke meridional parts.
        const double latArr = lat1 + (dist / 60.0) * std::cos(C);
        if (mode == DirectMode::Normal && std::fabs(latArr) > 90.0)
            return PoleCrossing(latArr, lat2, lon2);
        lat2 = latArr;
        lon2 = Norm180(lon1 + std::tan(C) * (MeridionalParts(lat2) - MeridionalParts(lat1)) / 60.0);
        return SailingStatus::Solved;
    }

    if (mode == DirectMode::LatitudeOnly) {
        lat2 = phi2 * kRadToDeg;
        return SailingStatus::Solved;
    }
    const double psi = IsometricLatitude(phi2, e);
    const double lambda2 = lambda1 + dep.tanC * (psi - dep.psi1);
    lon2 = Norm180(lambda2 * kRadToDeg);
    lat2 = phi2 * kRadToDeg;
    if (arrival) *arrival = {true, phi2, psi};
    return SailingStatus::Solved;
}

// One direct run of the solver callback in its mode, on a departure of its
// own with only the parts that mode needs.
SailingStatus DirectInMode(double lat1, double lon1, double course, double dist, double& lat2,
                           double& lon2, double F, double a, DirectMode mode) {
    RhumbDeparture dep = UnfilledDeparture(lat1, course, F, a);
    if (dist != 0.0 && !IsParallelSailing(course))
        FillDeparture(dep, mode != DirectMode::GivenLatitude, mode != DirectMode::LatitudeOnly);
    else
        FillDeparture(dep, false, false);
    return DirectInMode(dep, lon1, dist, lat2, lon2, mode);
}

// Length of the arc of the parallel lat (degrees) over dLambda (radians) on
// the ellipsoid: |dLambda| N cos(lat). The direct routine sails due east or
// west at a constant rate of longitude per mile, dist sin C / (N cos lat), so
// this is the exact root of the distance search on function 4. Taking it
// directly keeps a parallel near a pole, only a few miles round, from
// defeating the search's 10-mile probes (it once gave negative distances or
// a root-finding failure there).
double ParallelArc(double lat, double dLambda, double F, double a) {
    const double e = EccentricityOf(F);
    const double phi = lat * kDegToRad;
    const double N = a / std::sqrt(1.0 - e * e * std::pow(std::sin(phi), 2.0));
    return std::fabs(dLambda * N * std::cos(phi));
}

// Distance along a course within half a degree of east or west from lat1 to
// lat2 (degrees) on the ellipsoid. The direct routine sails such a course
// with the latitude changing at cos C / M1 radians per mile (M1 the radius in
// the meridian at the departure), so this is the exact root of the distance
// searches on functions 1 and 3 there. Within a few thousandths of a degree
// of east or west that slope is so small that the rounding of the latitude
// alone moves the searched distance by more than the search's 1e-8-mile
// tolerance, and the secant refinement failed on plain requests.
double ParallelSailingDistance(double lat1, double lat2, double course, double F, double a) {
    const double e = EccentricityOf(F);
    const double e2 = e * e;
    const double phi1 = lat1 * kDegToRad;
    const double W2 = 1.0 - e2 * std::pow(std::sin(phi1), 2.0);
    const double M1 = a * (1.0 - e2) / std::pow(W2, 1.5);
    return std::fabs((lat2 * kDegToRad - phi1) * M1 / std::cos(course * kDegToRad));
}

void CopyEarthModel(SolverParameters& P, const EarthModel& E) {
    P.SolvInvFlat = E.InvFlattening;
    P.SolvAxis = E.SemiMajorAxis;
}

// One root search of the rhumb-line routines on a new callback: the root
// finder's box on failure, 0 for the quantity and ok = false.
double Search(double x0, double step, double lo, double hi, bool wrap, int maxIter, int iFct,
              bool& ok) {
    NautLibFct fn;
    const RootOutcome r = RootSearch(fn, x0, step, lo, hi, wrap, 1e-08, maxIter, iFct);
    if (!r.ok()) {
        ReportRootFailure(r.failure);
        ok = false;
    }
    return r.root;
}

SailingStatus BadInput() {
    RefuseWith(kNoSolution);
    return SailingStatus::NoSolution;
}

}  // namespace

double MeridionalParts(double lat) {
    // Odd: a southern latitude, the South Pole included, mirrors the north.
    if (lat < 0.0) return -MeridionalParts(-lat);
    const double K = (21600.0 / 2.0) / kPi;
    const double f = 1.0 / 293.465000003029;
    const double e2 = f + f - f * f;
    const double e4 = std::pow(e2, 2.0);
    const double e6 = std::pow(e2, 3.0);
    const double L = lat * kDegToRad;
    const double s = std::sin(L);
    return K * (std::log(10.0) * Log10(std::tan(kQuarterPi + L / 2.0)) - e2 * s -
                (e4 / 3.0) * std::pow(s, 3.0) - (e6 / 5.0) * std::pow(s, 5.0));
}

double RhumbLineCallbackFunction(double x, int iFct, SolverParameters& P) {
    const double F = P.SolvInvFlat;
    const double a = P.SolvAxis;
    switch (iFct) {
        case 0:
            DirectInMode(P.SolvArg1, P.SolvArg2, x, P.SolvArg6, P.SolvArg7, P.SolvArg8, F, a,
                         DirectMode::GivenLatitude);
            return Norm180(P.SolvArg8 - P.SolvArg4);
        case 1:
            DirectInMode(P.SolvArg1, P.SolvArg2, P.SolvArg5, x, P.SolvArg7, P.SolvArg8, F, a,
                         DirectMode::LatitudeOnly);
            return P.SolvArg7 - P.SolvArg3;
        case 2: {
            double lat2 = x;
            DirectInMode(P.SolvArg1, P.SolvArg2, P.SolvArg5, P.SolvArg6, lat2, P.SolvArg8, F, a,
                         DirectMode::GivenLatitude);
            return Norm180(P.SolvArg8 - P.SolvArg4);
        }
        case 3:
            DirectInMode(P.SolvArg1, P.SolvArg2, P.SolvArg5, x, P.SolvArg7, P.SolvArg8, F, a,
                         DirectMode::Latitude3);
            return P.SolvArg7 - P.SolvArg3;
        case 4:
            DirectInMode(P.SolvArg1, P.SolvArg2, P.SolvArg5, x, P.SolvArg7, P.SolvArg8, F, a,
                         DirectMode::Longitude4);
            return Norm180(P.SolvArg8 - P.SolvArg4);
        case 14:
            return MeridionalParts(x) - P.SolvTargetMP;
        default:
            return 0.0;
    }
}

void ResetPoleCrossingThrottle() {
    PoleCrossingThrottle().Reset();
}

RhumbDeparture::RhumbDeparture(double lat, double heading, const EarthModel& E)
    : lat1(lat), course(heading), F(E.InvFlattening), a(E.SemiMajorAxis) {
    const bool rhumb = !IsParallelSailing(course);
    FillDeparture(*this, rhumb, rhumb);
}

SailingStatus RhumbLineFrom(const RhumbDeparture& d, double lon1, double dist, double& lat2,
                            double& lon2, RhumbArrival* arrival) {
    if (arrival) arrival->known = false;
    if (!AllFinite({d.lat1, lon1, d.course, dist})) {
        lat2 = lon2 = 0.0;
        return BadInput();
    }
    return DirectInMode(d, lon1, dist, lat2, lon2, DirectMode::Normal, arrival);
}

SailingStatus RhumbLineDirect(double lat1, double lon1, double course, double dist, double& lat2,
                              double& lon2, const EarthModel& E) {
    if (!AllFinite({lat1, lon1, course, dist})) {
        lat2 = lon2 = 0.0;
        return BadInput();
    }
    return DirectInMode(lat1, lon1, course, dist, lat2, lon2, E.InvFlattening, E.SemiMajorAxis,
                        DirectMode::Normal);
}

SailingStatus RhumbLineInverse(double lat1, double lon1, double lat2, double lon2, double& course,
                               double& dist, const EarthModel& E) {
    course = dist = 0.0;
    if (!AllFinite({lat1, lon1, lat2, lon2})) return BadInput();
    if (SamePosition(lat1, lon1, lat2, lon2)) return SailingStatus::Solved;
    // From or to a pole every rhumb line is the meridian.
    if (SameLatitude(std::fabs(lat1), 90.0) || SameLatitude(std::fabs(lat2), 90.0)) {
        course = lat2 > lat1 ? 360.0 : 180.0;
        dist = E.IsSphere() ? std::fabs(lat2 - lat1) * 60.0 : MeridianArc(lat1, lat2, E);
        return SailingStatus::Solved;
    }
    const bool sameLat = SameLatitude(lat1, lat2);
    lat1 = SouthPoleGuard(lat1);
    lat2 = SouthPoleGuard(lat2);
    SolverParameters& P = SharedSolverParameters();
    CopyEarthModel(P, E);

    if (E.IsSphere()) {
        const double dMP = (MeridionalParts(lat2) - MeridionalParts(lat1)) / 60.0;
        const double dLat = std::fabs(lat2 - lat1);
        const double dLon = Norm180(lon2 - lon1);
        double C;
        if (sameLat) {
            C = kHalfPi;
            dist = std::fabs(std::cos(lat1 * kDegToRad) * dLon) * 60.0;
        } else {
            C = std::atan(dLon / dMP);
            dist = std::fabs(dLat / std::cos(C)) * 60.0;
        }
        course = CourseFromQuadrant(C * kRadToDeg, lat1, lon1, lat2, lon2);
        return SailingStatus::Solved;
    }

    // First estimate: the sphere's isometric latitude on the radius a.
    const double a = E.SemiMajorAxis;
    const double phi1 = lat1 * kDegToRad;
    const double phi2 = lat2 * kDegToRad;
    const double dLambda = Norm180(lon2 - lon1) * kDegToRad;
    double C;
    if (sameLat) {
        C = kHalfPi;
        dist = std::fabs(dLambda * a * std::cos(phi1));
    } else {
        C = std::atan(dLambda / (SphereIsometricLatitude(phi2) - SphereIsometricLatitude(phi1)));
        dist = std::fabs((phi2 - phi1) * a / std::cos(C));
    }
    course = CourseFromQuadrant(C * kRadToDeg, lat1, lon1, lat2, lon2);

    // Refinement on the ellipsoid by the direct routine.
    bool ok = true;
    if (sameLat) {
        P.SolvArg1 = lat1;
        P.SolvArg2 = lon1;
        P.SolvArg4 = lon2;
        P.SolvArg5 = course;
        dist = ParallelArc(lat1, dLambda, E.InvFlattening, a);
    } else {
        P.SolvArg1 = lat1;
        P.SolvArg2 = lon1;
        P.SolvArg7 = lat2;
        P.SolvArg4 = lon2;
        P.SolvArg6 = dist;
        // The ellipsoid's own rhumb course, tan C = dlambda / (psi2 - psi1):
        // the root of the search function away from east and west.
        const double e = EccentricityOf(E.InvFlattening);
        const double dPsi = IsometricLatitude(phi2, e) - IsometricLatitude(phi1, e);
        const double courseE =
            CourseFromQuadrant(std::atan(dLambda / dPsi) * kRadToDeg, lat1, lon1, lat2, lon2);
        NautLibFct fn;
        const RootOutcome r = RootSearch(fn, course, 0.001, 0, 360, true, 1e-08, 1000, 0);
        bool found = r.ok();
        if (found) {
            course = Norm360(r.root);
            if (course < 1e-9) course += 360.0;  // due north reads 360
            // Close to east or west (latitudes a few tenths of a minute
            // apart, far apart in longitude) the search function turns
            // through whole circles within a thousandth of a degree of
            // course. The search can then miss its root, or settle on a
            // course that reaches the meridian only after another turn of
            // longitude, or one that heads the wrong way in latitude (north
            // for a southern arrival). Such a course is not the answer.
            const double Cr = course * kDegToRad;
            const bool rightWay = std::cos(Cr) * (lat2 - lat1) > 0.0;
            const bool sameTurn = std::fabs(std::tan(Cr) * dPsi - dLambda) < kHalfPi;
            found = rightWay && sameTurn;
        }
        // Then the ellipsoid's own course is the answer: it is what the search
        // looks for, and a plain request does not end in a root-finding failure.
        if (!found) course = courseE;
        P.SolvArg3 = lat2;
        P.SolvArg5 = course;
        P.SolvArg8 = lon2;
        if (IsParallelSailing(course))
            dist = ParallelSailingDistance(lat1, lat2, course, E.InvFlattening, a);
        else
            dist = Search(dist, 10, 0, kMaxDistance, false, 100, 1, ok);
    }
    return ok ? SailingStatus::Solved : SailingStatus::NoSolution;
}

SailingStatus RhumbLineByLatitude(double lat1, double lon1, double course, double lat2,
                                  double& lon2, double& dist, const EarthModel& E) {
    if (!AllFinite({lat1, lon1, course, lat2})) {
        lon2 = dist = 0.0;
        return BadInput();
    }
    if (SameLatitude(lat1, lat2)) {
        RefuseWith(IsDueEastOrWest(course)
                       ? "You have entered 2 same latitudes. There is no single solution to the "
                         "problem."
                       : "You have entered 2 same latitudes and a course which is neither E nor "
                         "W.\r\nThere is no solution to the problem.");
        lon2 = lon1;
        dist = 0.0;
        return SailingStatus::NoSolution;
    }
    lon2 = dist = 0.0;
    // Due east or west never changes latitude.
    if (IsDueEastOrWest(course)) return BadInput();
    const double az = MathAngleToAzimuth(course);
    if (az > 180.0 && lat2 > lat1) {
        RefuseWith(
            "The arrival latitude is North of the departure latitude but your course is "
            "headed to the South.\r\nThere is no solution to the problem.");
        return SailingStatus::NoSolution;
    }
    if (az < 180.0 && lat2 < lat1) {
        RefuseWith(
            "The arrival latitude is South of the departure latitude but your course is "
            "headed to the North.\r\nThere is no solution to the problem.");
        return SailingStatus::NoSolution;
    }
    lat1 = SouthPoleGuard(lat1);
    lat2 = SouthPoleGuard(lat2);
    const double C = course * kDegToRad;

    if (E.IsSphere()) {
        const double dMP = (MeridionalParts(lat2) - MeridionalParts(lat1)) / 60.0;
        lon2 = Norm180(lon1 + std::tan(C) * dMP);
        dist = std::fabs((lat2 - lat1) * 60.0 / std::cos(C));
        return SailingStatus::Solved;
    }

    const double e = EccentricityOf(E.InvFlattening);
    SolverParameters& P = SharedSolverParameters();
    CopyEarthModel(P, E);
    const double phi1 = lat1 * kDegToRad;
    const double phi2 = lat2 * kDegToRad;
    lon2 = Norm180((lon1 * kDegToRad +
                    std::tan(C) * (IsometricLatitude(phi2, e) - IsometricLatitude(phi1, e))) *
                   kRadToDeg);
    dist = std::fabs((phi2 - phi1) * E.SemiMajorAxis / std::cos(C));

    P.SolvArg1 = lat1;
    P.SolvArg2 = lon1;
    P.SolvArg3 = lat2;
    P.SolvArg4 = lon2;
    P.SolvArg5 = course;
    P.SolvArg6 = dist;
    bool ok = true;
    if (IsParallelSailing(course))
        dist = ParallelSailingDistance(lat1, lat2, course, E.InvFlattening, E.SemiMajorAxis);
    else
        dist = Search(dist, 10, 0, kMaxDistance, false, 100, 3, ok);
    if (!ok) {
        lon2 = 0.0;
        return SailingStatus::NoSolution;
    }
    if (dist > kEquatorLengthNm) {
        lon2 = dist = 0.0;
        return BadInput();
    }
    return SailingStatus::Solved;
}

SailingStatus RhumbLineByLongitude(double lat1, double lon1, double course, double lon2,
                                   double& lat2, double& dist, const EarthModel& E) {
    if (!AllFinite({lat1, lon1, course, lon2})) {
        lat2 = dist = 0.0;
        return BadInput();
    }
    const double courseN = Norm360(course);
    const bool meridian = courseN == 0.0 || courseN == 180.0;
    if (SameLongitude(lon1, lon2)) {
        RefuseWith(meridian ? "You have entered 2 same longitudes. There is no single solution to "
                              "the problem."
                            : "You have entered 2 same longitudes and a course which is neither N "
                              "nor S.\r\nThere is no solution to the problem.");
        lat2 = lat1;
        dist = 0.0;
        return SailingStatus::NoSolution;
    }
    lat2 = dist = 0.0;
    // Due north or south never changes longitude.
    if (meridian) return BadInput();
    const double dLonDeg = Norm180(lon2 - lon1);
    if (dLonDeg > 0 && course > 180.0) {
        RefuseWith(
            "The arrival longitude is East of the departure longitude but your course is "
            "headed to the West.\r\nThere is no solution to the problem.");
        return SailingStatus::NoSolution;
    }
    if (dLonDeg < 0 && course < 180.0) {
        RefuseWith(
            "The arrival longitude is West of the departure longitude but your course is "
            "headed to the East.\r\nThere is no solution to the problem.");
        return SailingStatus::NoSolution;
    }

    const bool parallel = IsParallelSailing(course);
    lat1 = SouthPoleGuard(lat1);
    SolverParameters& P = SharedSolverParameters();
    CopyEarthModel(P, E);
    P.SolvArg1 = lat1;
    P.SolvArg2 = lon1;
    P.SolvArg4 = lon2;
    P.SolvArg5 = course;

    const double a = E.SemiMajorAxis;
    const double phi1 = lat1 * kDegToRad;
    const double C = course * kDegToRad;
    const double dLambda = dLonDeg * kDegToRad;
    bool ok = true;

    if (IsDueEastOrWest(course)) {
        lat2 = lat1;
        if (E.IsSphere()) {
            dist = std::fabs(dLonDeg * 60.0 * std::cos(phi1));
        } else {
            dist = ParallelArc(lat1, dLambda, E.InvFlattening, a);
        }
        return SailingStatus::Solved;
    }

    double phi2;
    if (parallel) {
        dist = std::fabs(dLambda * a * std::cos(phi1) / std::sin(C));
        phi2 = phi1 + (dist / a) * std::cos(C);
    } else {
        phi2 = 2.0 * std::atan(std::exp((dLambda + SphereIsometricLatitude(phi1) * std::tan(C)) /
                                        std::tan(C))) -
               kHalfPi;
        dist = std::fabs((phi2 - phi1) * a / std::cos(C));
    }
    lat2 = phi2 * kRadToDeg;
    if (std::fabs(std::fabs(lat2) - 90.0) < 1e-06) {
        lat2 = dist = 0.0;
        return BadInput();
    }

    if (E.IsSphere()) {
        if (parallel) {
            dist = std::fabs(dLonDeg * 60.0 * std::cos(phi1) / std::sin(C));
            lat2 = lat1 + (dist / 60.0) * std::cos(C);
            return SailingStatus::Solved;
        }
        P.SolvTargetMP = MeridionalParts(lat1) + 60.0 * dLonDeg / std::tan(C);
        lat2 = Search(lat2, 0.1, -90, 90, true, 100, 14, ok);
        dist = std::fabs((lat2 - lat1) * 60.0 / std::cos(C));
        if (!ok) lat2 = dist = 0.0;
        return ok ? SailingStatus::Solved : SailingStatus::NoSolution;
    }

    dist = Search(dist, 10, 0, kMaxDistance, false, 100, 4, ok);
    P.SolvArg6 = dist;
    // The track winds round the pole and meets the wanted meridian again and
    // again, so the latitude search has many roots. It starts from the
    // latitude the direct routine reaches at the distance just found (the
    // root that belongs to it) rather than from the spherical estimate, from
    // which it once settled on a far crossing or on a "latitude" of 2921.
    double latAtDist = lat2;
    bool haveLatAtDist = false;
    if (ok) {
        double lonAtDist = 0.0;
        DirectInMode(lat1, lon1, course, dist, latAtDist, lonAtDist, E.InvFlattening, a,
                     DirectMode::Longitude4);
        haveLatAtDist = std::isfinite(latAtDist) && std::fabs(latAtDist) <= 90.0;
        if (haveLatAtDist) lat2 = latAtDist;
    }
    lat2 = Search(lat2, 0.1, -90, 90, true, 100, 2, ok);
    if (!ok) {
        lat2 = dist = 0.0;
        return SailingStatus::NoSolution;
    }
    // Within a few miles of a pole the longitude turns so fast with the
    // latitude that the search's 0.1-degree probes can still carry it to
    // another crossing. Both searches solve the same track, so their
    // latitudes agree to the searches' tolerance; when they do not, the
    // latitude that belongs to the distance found is the answer.
    if (haveLatAtDist && !(std::fabs(lat2 - latAtDist) <= 1e-6)) lat2 = latAtDist;
    // The root finder's last secant steps are not held to -90..90.
    if (!(std::fabs(lat2) <= 90.0)) {
        lat2 = dist = 0.0;
        return BadInput();
    }
    return SailingStatus::Solved;
}

}  // namespace orvex
