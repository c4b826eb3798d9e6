#include "navlib/star_fix.h"

#include <cmath>
#include <string>

#include "navlib/array_lib.h"
#include "navlib/constants.h"
#include "navlib/earth_radii.h"
#include "navlib/hooks.h"
#include "navlib/least_squares.h"
#include "navlib/math_lib.h"
#include "navlib/matrix_lib.h"
#include "navlib/message_throttle.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "navlib/rhumb_line.h"
#include "navlib/sight_reduction.h"

namespace orvex {

namespace {

// The system's quarter pi (kPi / 4).
constexpr double kQuarterPi = 0.78539816339725;

constexpr int kMaxIterations = 100;
// Convergence limits: change of latitude and longitude (degrees), course
// (degrees) and speed (knots) made by one iteration.
constexpr double kPositionLimit = 0.0004;
constexpr double kCourseLimit = 0.25;
constexpr double kSpeedLimit = 0.025;
// Two sights closer than this in bearing (or to the reciprocal) count once
// when judging the spread of the set, degrees.
constexpr double kBearingWindow = 3.6;
// Course and speed are solved only over more than this span of sight times,
// hours, and with more than kMinSightsForRun sights (and well-spread ones).
constexpr double kMinRunSpanHours = 3.0;
constexpr int kMinSightsForRun = 7;
// A run that would come nearer a pole than this (degrees) is not made: the
// rhumb line has no longitude there.
constexpr double kPoleMargin = 1e-4;
// Fewer miles than this in a degree of any meridian: a run's reach in
// latitude is never underestimated.
constexpr double kLeastMilesPerDegree = 59.5;
// A standard deviation above this (degrees, 10') calls for the
// wrong-observation check.
constexpr double kWrongObsDeviation = 0.1666667;

const char* const kErrorReportTitle = " ERROR REPORT";

// The last error report shown and when, kept across fixes so that a failure
// repeating in every iteration is shown once.
MessageThrottle& LastErrorReport() {
    static MessageThrottle throttle;
    return throttle;
}

std::string FaultDescription(ArithmeticFault f) {
    switch (f) {
        case ArithmeticFault::DivisionByZero:
            return "Division by zero.";
        case ArithmeticFault::Overflow:
            return "Overflow.";
        case ArithmeticFault::InvalidArgument:
            return "Illegal procedure call.";
        case ArithmeticFault::None:
            break;
    }
    return "Error 0: no error.";
}

void ShowErrorReport(const std::string& description) {
    const std::string text =
        "An error occured in the main subroutine.\r\n"
        "The program will try to resume execution\r\n"
        "but please report the following error:\r\n" +
        description;
    if (LastErrorReport().Admit(text, TimerSeconds()))
        ReportMessage(kIconCritical + kButtonsOk, kErrorReportTitle, text);
}

bool AllFinite(const Vector& v) {
    for (int i = v.lbound(); i <= v.ubound(); ++i)
        if (!std::isfinite(v(i))) return false;
    return true;
}

// Isometric latitude and its derivative by the latitude, radians.
double Isometric(double phi, double e) {
    const double es = e * std::sin(phi);
    return std::log(std::tan(kQuarterPi + phi / 2.0)) + e / 2.0 * std::log((1.0 - es) / (1.0 + es));
}
double IsometricDerivative(double phi, double e2) {
    const double s = std::sin(phi);
    return 1.0 / std::cos(phi) - e2 * std::cos(phi) / (1.0 - e2 * s * s);
}

// Moves (lat, lon) (degrees) by north and east radians of arc along a great
// circle: over a pole the latitude folds back and the longitude turns by
// 180 degrees; however small the cosine of the latitude, the longitude moves
// by at most 180 degrees. Returns the distance moved, degrees of arc.
double StepOnSphere(double& lat, double& lon, double north, double east) {
    const double d = std::hypot(north, east);
    if (d == 0.0) return 0.0;
    const double phi = lat * kDegToRad;
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double ca = north / d, sa = east / d;
    const double sinD = std::sin(d), cosD = std::cos(d);
    double s = sinPhi * cosD + cosPhi * sinD * ca;
    s = s > 1.0 ? 1.0 : (s < -1.0 ? -1.0 : s);
    const double lat2 = std::asin(s) * kRadToDeg;  // the system's radians: clamp to 90
    lat = lat2 > 90.0 ? 90.0 : (lat2 < -90.0 ? -90.0 : lat2);
    lon += std::atan2(sa * sinD, cosPhi * cosD - sinPhi * sinD * ca) * kRadToDeg;
    return d * kRadToDeg;
}

// The radius factor k of the circle of equal probability: rows the
// probability levels, columns the axis ratio 0, 0.1, ..., 1.
constexpr double kProbabilityLevels[4] = {0.5, 0.95, 0.99, 0.999};
constexpr double kCircleFactor[4][11] = {
    {0.67449, 0.68199, 0.70585, 0.74993, 0.80785, 0.87042, 0.93365, 0.99621, 1.05769, 1.11807,
     1.17741},
    {1.95996, 1.96253, 1.97041, 1.98420, 2.00514, 2.03586, 2.08130, 2.14598, 2.23029, 2.33180,
     2.44775},
    {2.57583, 2.57778, 2.58377, 2.59421, 2.60995, 2.63257, 2.66533, 2.71515, 2.79069, 2.89743,
     3.03485},
    {3.29053, 3.29206, 3.29673, 3.30489, 3.31715, 3.33464, 3.35949, 3.39647, 3.45698, 3.55939,
     3.71692},
};

}  // namespace

void ResetStarFixErrorReport() {
    LastErrorReport().Reset();
}

double EllipseProbabilityFactor(double p, double s1, double s2, ArithmeticFault* fault) {
    if (fault) *fault = ArithmeticFault::None;
    if (s1 == 0.0 || s2 == 0.0 || !std::isfinite(s1) || !std::isfinite(s2)) {
        if (fault)
            *fault = (s1 == 0.0 || s2 == 0.0) ? ArithmeticFault::DivisionByZero
                                              : ArithmeticFault::Overflow;
        return 0.0;
    }
    const double q = s1 < s2 ? s1 / s2 : s2 / s1;

    int row = 0;
    for (int i = 0; i < 4; ++i)
        if (p == kProbabilityLevels[i]) row = i + 1;
    if (row == 0) return -1.0;

    Matrix table(1, 4, 0, 10);
    Vector levels(1, 4);
    Vector ratios(0, 10);
    for (int i = 1; i <= 4; ++i) {
        levels(i) = kProbabilityLevels[i - 1];
        for (int j = 0; j <= 10; ++j) table(i, j) = kCircleFactor[i - 1][j];
    }
    for (int j = 0; j <= 10; ++j) ratios(j) = j / 10.0;
    const double k = Interpolate2D(table, levels, ratios, p, q);
    return k * (s1 > s2 ? s1 : s2);
}

bool RunReachesPole(double lat, double course, double dist) {
    if (dist == 0.0) return false;
    const double reach = lat + dist * std::cos(course * kDegToRad) / kLeastMilesPerDegree;
    return std::fabs(lat) >= 90.0 - kPoleMargin || std::fabs(reach) >= 90.0 - kPoleMargin;
}

bool RunAlongCourse(double lat, double lon, double course, double dist, double& lat2, double& lon2,
                    const EarthModel& E) {
    lat2 = lat;
    lon2 = lon;
    if (RunReachesPole(lat, course, dist)) return false;
    RhumbLineDirect(lat, lon, course, dist, lat2, lon2, E);
    return true;
}

ArithmeticFault RunPositionToSight(int n, double course, double speed, const Vector& ObsTime,
                                   Vector& ObsLat, Vector& ObsLong, Vector& meridianLat,
                                   const EarthModel& E, bool* poleReached) {
    const double lat0 = ObsLat(0);
    const double lon0 = ObsLong(0);
    const double m0 = RadiusMeridian(lat0, E);
    ArithmeticFault result = ArithmeticFault::None;
    if (poleReached) *poleReached = false;
    for (int i = 1; i <= n; ++i) {
        const double run = (ObsTime(i) - ObsTime(0)) * 24.0 * speed;
        double lat = lat0, lon = lon0;
        if (!RunAlongCourse(lat0, lon0, course, run, lat, lon, E)) {
            if (poleReached) *poleReached = true;
            meridianLat(i) = lat0;
            ObsLat(i) = lat0;
            ObsLong(i) = lon0;
            continue;
        }
        const double mlat = lat0 + run * std::cos(course * kDegToRad) * kRadToDeg / m0;
        if (!std::isfinite(mlat) || !std::isfinite(lat) || !std::isfinite(lon)) {
            if (result == ArithmeticFault::None)
                result = m0 == 0.0 ? ArithmeticFault::DivisionByZero : ArithmeticFault::Overflow;
            continue;
        }
        meridianLat(i) = mlat;
        ObsLat(i) = lat;
        ObsLong(i) = lon;
    }
    return result;
}

ArithmeticFault ComputeRunPartials(int n, double course, double speed, const Vector& ObsTime,
                                   const Vector& ObsLat, const Vector& ObsLong,
                                   const Vector& meridianLat, const Vector& ObsDec,
                                   const Vector& ObsGHA, const Vector& ObsHc, int unknownCount,
                                   RunPartials& D, const EarthModel& E) {
    const double F = E.InvFlattening;
    const double a = E.SemiMajorAxis;
    const double e2 = 2.0 / F - (1.0 / F) / F;
    const double e = std::sqrt(e2);
    const double phi0 = ObsLat(0) * kDegToRad;
    const double m0 = RadiusMeridian(ObsLat(0), F, a);
    const double n0 = RadiusPrimeVertical(ObsLat(0), F, a);
    const double sinPhi0 = std::sin(phi0);
    const double sin2Phi0 = std::sin(2.0 * phi0);
    const double w0 = std::sqrt(1.0 - e2 * sinPhi0 * sinPhi0);
    const double c = course * kDegToRad;
    const double sinC = std::sin(c), cosC = std::cos(c), tanC = std::tan(c);
    const bool eastWest = (course > 89.5 && course < 90.5) || (course > 269.5 && course < 270.5);
    const bool four = unknownCount == 4;

    Vector d1(n), d2(n), d3(n), d4(n), d5(n), d6(n), d7(n), d8(n);
    for (int i = 1; i <= n; ++i) {
        const double phi = ObsLat(i) * kDegToRad;
        const double dec = ObsDec(i) * kDegToRad;
        const double lha = (ObsLong(i) + ObsGHA(i)) * kDegToRad;
        const double cosHc = std::cos(ObsHc(i) * kDegToRad);
        if (cosHc == 0.0) return ArithmeticFault::DivisionByZero;
        d1(i) =
            (std::sin(dec) * std::cos(phi) - std::sin(phi) * std::cos(dec) * std::cos(lha)) / cosHc;
        d2(i) = -std::cos(dec) * std::cos(phi) * std::sin(lha) / cosHc;

        const double dt = ObsTime(i) - ObsTime(0);
        const double northing = 24.0 * speed * dt * cosC;
        const double g = 1.0 - 3.0 * e2 * sin2Phi0 * w0 * northing / (2.0 * a * (1.0 - e2));

        if (eastWest) {
            // Parallel sailing on the radii of the middle latitude.
            const double phiM = (phi0 + phi) / 2.0;
            const double cosM = std::cos(phiM), tanM = std::tan(phiM);
            d3(i) = g;
            d4(i) = (24.0 * speed * dt * sinC / cosM) *
                    ((1.0 + d3(i)) * tanM / (2.0 * n0) - e2 * sin2Phi0 / (2.0 * a * w0));
            if (four) {
                d5(i) = -24.0 * speed * dt * sinC / m0;
                d6(i) = (24.0 * speed * dt / (n0 * cosM)) * (cosC + tanM * sinC * d5(i) / 2.0);
                d7(i) = 24.0 * dt * cosC / m0;
                d8(i) = (24.0 * dt * sinC / (n0 * cosM)) * (1.0 + speed * tanM * d7(i) / 2.0);
            }
        } else {
            // The rhumb line through the isometric latitude.
            const double phiBar = meridianLat(i) * kDegToRad;
            const double p = tanC * IsometricDerivative(phi, e2);
            const double k =
                3.0 * e2 * sin2Phi0 / (2.0 * std::pow(1.0 - e2 * sinPhi0 * sinPhi0, 2.5));
            d3(i) = 1.0 +
                    k * ((phiBar - phi0) * (1.0 - 0.75 * e2) +
                         0.375 * e2 * (std::sin(2.0 * phiBar) - sin2Phi0)) +
                    ((std::cos(2.0 * phiBar) * g - std::cos(2.0 * phi0)) * 0.75 * e2 +
                     (1.0 - 0.75 * e2) * (g - 1.0)) *
                        m0 / (a * (1.0 - e2));
            d4(i) = -tanC * IsometricDerivative(phi0, e2) + d3(i) * p;
            if (four) {
                const double arc = 1.0 - 0.75 * e2 + 0.75 * e2 * std::cos(2.0 * phiBar);
                d5(i) = -24.0 * speed * dt * sinC / (a * (1.0 - e2)) * arc;
                d6(i) = (Isometric(phi, e) - Isometric(phi0, e)) / (cosC * cosC) + p * d5(i);
                d7(i) = 24.0 * dt * cosC / (a * (1.0 - e2)) * arc;
                d8(i) = p * d7(i);
            }
        }
    }
    if (!AllFinite(d1) || !AllFinite(d2) || !AllFinite(d3) || !AllFinite(d4) ||
        (four && (!AllFinite(d5) || !AllFinite(d6) || !AllFinite(d7) || !AllFinite(d8))))
        return ArithmeticFault::Overflow;
    D.D1 = d1;
    D.D2 = d2;
    D.D3 = d3;
    D.D4 = d4;
    if (four) {
        D.D5 = d5;
        D.D6 = d6;
        D.D7 = d7;
        D.D8 = d8;
    }
    return ArithmeticFault::None;
}

bool EnoughSightsForFix(int obsCount) {
    if (obsCount >= 2) return true;
    ReportMessage(kIconCritical + kButtonsOk, " Error when computing the true position",
                  "You must enter at least 2 observations in order\r\nto get a star fix.");
    return false;
}

StarFixStatus ComputeStarFix(const StarFixInputs& in, ObservationSet& obs, FixResult& fix,
                             const EarthModel& E) {
    const int n = obs.ObsCount;
    bool failed = false;
    // Reports a failed step; the caller then goes on with the next one.
    auto ok = [&failed](ArithmeticFault f) {
        if (f == ArithmeticFault::None) return true;
        ShowErrorReport(FaultDescription(f));
        failed = true;
        return false;
    };

    // The entered arrays must hold every sight; the working and result
    // arrays are dimensioned here when they do not fit.
    auto holds = [n](const Vector& v, int lower) { return v.lbound() <= lower && v.ubound() >= n; };
    if (n < 0 || !holds(obs.ObsTime, 0) || !holds(obs.ObsHs, 1) || !holds(obs.ObsInstErr, 1) ||
        obs.ObsBody.size() < static_cast<size_t>(n) + 1) {
        ShowErrorReport("Error 9: Subscript out of range");
        return StarFixStatus::ArithmeticFailure;
    }
    for (Vector* v : {&obs.ObsLat, &obs.ObsLong})
        if (!holds(*v, 0)) *v = Vector(0, n);
    for (Vector* v : {&obs.ObsGHA, &obs.ObsDec, &obs.ObsDist, &obs.ObsHo, &obs.ObsHc,
                      &obs.ObsIntercept, &obs.ObsZn})
        if (!holds(*v, 1)) *v = Vector(n);

    // 1. Working arrays.
    Vector meridianLat(n);
    RunPartials D;
    D.D1 = D.D2 = D.D3 = D.D4 = D.D5 = D.D6 = D.D7 = D.D8 = Vector(n);
    std::vector<bool> spread(static_cast<size_t>(n) + 1, true);
    obs.ObsWeight = Vector(n);
    fix.SystErr = 0.0;
    fix.Proba = in.Proba;
    double course = in.Course;
    double speed = in.Speed;
    fix.Course = course;
    fix.Speed = speed;

    // 2. Dead reckoning to the wanted time.
    {
        double lat = 0.0, lon = 0.0;
        RunAlongCourse(in.EstLat, in.EstLong, course,
                       speed * 24.0 * (in.TimeTruePos - in.TimeEstPos), lat, lon, E);
        if (std::isfinite(lat) && std::isfinite(lon)) {
            obs.ObsLat(0) = lat;
            obs.ObsLong(0) = lon;
        } else {
            ok(ArithmeticFault::Overflow);
        }
    }
    const double runLat = obs.ObsLat(0);
    const double runLong = obs.ObsLong(0);
    fix.RunEstLat = runLat;
    fix.RunEstLong = runLong;

    // 3. Every sight on the track.
    obs.ObsTime(0) = in.TimeTruePos;
    bool poleRun = false;
    ok(RunPositionToSight(n, course, speed, obs.ObsTime, obs.ObsLat, obs.ObsLong, meridianLat, E,
                          &poleRun));

    // 4. The places of the bodies, once per fix.
    if (!in.Ephemeris) {
        ShowErrorReport("Error 91: no ephemeris was given to the fix.");
        return StarFixStatus::ArithmeticFailure;
    }
    for (int i = 1; i <= n; ++i) {
        double gha = 0.0, dec = 0.0, dist = 0.0;
        in.Ephemeris(obs.ObsBody[static_cast<size_t>(i)], obs.ObsTime(i), gha, dec, dist);
        if (std::isfinite(gha) && std::isfinite(dec) && std::isfinite(dist)) {
            obs.ObsGHA(i) = gha;
            obs.ObsDec(i) = dec;
            obs.ObsDist(i) = dist;
        } else {
            ok(ArithmeticFault::Overflow);
        }
    }

    // 5. Azimuths from the estimated track.
    for (int i = 1; i <= n; ++i)
        obs.ObsZn(i) = ComputeAzimuth(obs.ObsLat(i), obs.ObsLong(i), obs.ObsGHA(i), obs.ObsDec(i));

    // 6. Spread in bearing: a sight within 3.6 degrees of an earlier, still
    // counted sight's bearing or its reciprocal does not count.
    for (int i = 1; i <= n; ++i) {
        if (!spread[static_cast<size_t>(i)]) continue;
        const double zi = obs.ObsZn(i);
        for (int j = i + 1; j <= n; ++j) {
            const double zj = obs.ObsZn(j);
            const bool near = CompareBearings(zj, zi + kBearingWindow) == -1 &&
                              CompareBearings(zj, zi - kBearingWindow) == 1;
            const bool opposite = CompareBearings(zj, zi + 180.0 + kBearingWindow) == -1 &&
                                  CompareBearings(zj, zi + 180.0 - kBearingWindow) == 1;
            if (near || opposite) spread[static_cast<size_t>(j)] = false;
        }
    }
    int good = 0;
    for (int i = 1; i <= n; ++i)
        if (spread[static_cast<size_t>(i)]) ++good;
    fix.GoodObsCount = good;

    // 7. Two or four unknowns. At a dead-reckoning speed of 0 the sight
    // positions do not depend on the course, its column of the design matrix
    // is all zeros and the normal equations are singular: a ship stopped or
    // an observer ashore solves for the position only.
    const double spanHours =
        n >= 1 ? (ArrayMax(obs.ObsTime, 1, n) - ArrayMin(obs.ObsTime, 1, n)) * 24.0 : 0.0;
    int k = (spanHours > kMinRunSpanHours && in.FullRoutine && n > kMinSightsForRun &&
             good > kMinSightsForRun && speed != 0.0)
                ? 4
                : 2;
    fix.UnknownCount = k;
    if (!EnoughSightsForFix(n)) return StarFixStatus::TooFewSights;

    // 8. The linear system. The statistics start from 0 together, so that a
    // statistics step that fails never leaves the ellipse or the circle of
    // an earlier fix beside this fix's deviations.
    fix.StdDev = Vector(k);
    fix.EllipseEW = fix.EllipseNS = fix.CircleRadius = 0.0;
    Vector stdDev(k);
    // The unknowns and the factor of the last weighted solve, of all the
    // unknowns or of the position alone (an iteration on a pole). A failed
    // solve leaves them as they were.
    Vector xk(k), xPos(2);
    Matrix Uk4(k, k), Uk2(2, 2);
    bool atPole = false;
    int lastKk = k;
    Vector b(n);
    Vector r(n);
    const bool robust = n - k > 1;  // one redundant sight cannot tell a wrong one
    int iter = 0;
    bool converged = false;
    bool limitHit = false;

    // 9. Iterations.
    while (!converged) {
        ++iter;
        if (iter > kMaxIterations) {
            ReportMessage(kIconCritical + kButtonsOk, " Error in nautical routine",
                          "The main routine don't converge on a solution. See doc for help.");
            limitHit = true;
            break;
        }
        const double lastLat = obs.ObsLat(0);
        const double lastCourse = course;
        const double lastSpeed = speed;

        if (iter > 1)
            ok(RunPositionToSight(n, course, speed, obs.ObsTime, obs.ObsLat, obs.ObsLong,
                                  meridianLat, E, &poleRun));
        // On a pole, or where the track would reach one, the rhumb line has
        // no longitude: this iteration takes every sight at the solution's
        // position and solves for that position alone, which moves it off
        // the pole.
        atPole = poleRun || std::fabs(obs.ObsLat(0)) >= 90.0 - kPoleMargin;
        if (atPole)
            for (int i = 1; i <= n; ++i) {
                obs.ObsLat(i) = meridianLat(i) = obs.ObsLat(0);
                obs.ObsLong(i) = obs.ObsLong(0);
            }
        const int kk = atPole ? 2 : k;
        ok(ReduceSights(n, in.HeightEye, in.TempAirC, in.TempWaterC, in.PressMBars, obs));
        ok(ComputeRunPartials(n, atPole ? 0.0 : course, atPole ? 0.0 : speed, obs.ObsTime,
                              obs.ObsLat, obs.ObsLong, meridianLat, obs.ObsDec, obs.ObsGHA,
                              obs.ObsHc, kk, D, E));

        // Chain rule: the altitude by the sight's position times the
        // position by the unknowns.
        Matrix A(n, kk);
        Vector& x = kk == k ? xk : xPos;
        Matrix& U = kk == k ? Uk4 : Uk2;
        for (int i = 1; i <= n; ++i) {
            A(i, 1) = D.D1(i) * D.D3(i) + D.D2(i) * D.D4(i);
            A(i, 2) = D.D2(i);
            if (kk == 4) {
                A(i, 3) = D.D1(i) * D.D5(i) + D.D2(i) * D.D6(i);
                A(i, 4) = D.D1(i) * D.D7(i) + D.D2(i) * D.D8(i);
            }
        }

        if (n == 2) {
            // Two lines of position cross in one point.
            const double i1 = obs.ObsIntercept(1), i2 = obs.ObsIntercept(2);
            const double det = A(1, 1) * A(2, 2) - A(2, 1) * A(1, 2);
            if (det == 0.0) {
                ok(ArithmeticFault::DivisionByZero);
            } else {
                const double x1 = (i1 * A(2, 2) - i2 * A(1, 2)) / det;
                const double x2 = (A(1, 1) * i2 - A(2, 1) * i1) / det;
                if (std::isfinite(x1) && std::isfinite(x2)) {
                    x(1) = x1 * kDegToRad;
                    x(2) = x2 * kDegToRad;
                } else {
                    ok(ArithmeticFault::Overflow);
                }
            }
        } else {
            for (int i = 1; i <= n; ++i) b(i) = obs.ObsIntercept(i) * kDegToRad;
            ok(SolveLeastSquaresCholesky(A, b, x, 0, U));
            ComputeResiduals(A, b, x, r);
            if (in.FindSystErr) {
                const double m = ArrayMean(r);
                if (std::isfinite(m)) {
                    if (iter == 1) fix.SystErr = -m * kRadToDeg * 60.0;
                    for (int i = 1; i <= n; ++i) {
                        b(i) += m;
                        r(i) -= m;
                    }
                } else {
                    ok(ArithmeticFault::Overflow);
                }
            }
            if (robust) {
                // Without the systematic error sought, an error common to
                // every sight passes into the fix as in the plain solution
                // and moves no weight.
                if (in.FindSystErr)
                    ok(SolveWeightedLeastSquares(A, b, r, x, obs.ObsWeight, 1, U));
                else
                    ok(SolveWeightedLeastSquaresCommonOffset(A, b, r, x, obs.ObsWeight, 1, U));
            } else {
                if (ok(SolveLeastSquaresCholesky(A, b, x, 1, U))) ComputeResiduals(A, b, x, r);
                obs.ObsWeight.Fill(1.0);
            }
        }

        // The correction as a step on the Earth: x(1) north, x(2) times the
        // cosine of the latitude east, both radians. Its length is judged,
        // not the degrees of longitude, which grow without bound at a pole.
        const double moved =
            StepOnSphere(obs.ObsLat(0), obs.ObsLong(0), x(1), x(2) * std::cos(lastLat * kDegToRad));
        obs.ObsLong(0) = Norm180(obs.ObsLong(0));
        if (kk == 4) {
            course += x(3) * kRadToDeg;
            speed += x(4);
        }
        lastKk = kk;

        if (iter > 1) {
            converged = moved < kPositionLimit;
            if (kk == 4)
                converged = converged && std::fabs(course - lastCourse) < kCourseLimit &&
                            std::fabs(speed - lastSpeed) < kSpeedLimit;
        }
    }
    fix.IterCount = iter;
    // A fix that ended on a pole solved for its position alone.
    Matrix& U = lastKk == k ? Uk4 : Uk2;
    if (lastKk != k) {
        k = lastKk;
        fix.UnknownCount = k;
        fix.StdDev = Vector(k);
        stdDev = Vector(k);
    }

    // 10. Azimuths at the last sight positions.
    for (int i = 1; i <= n; ++i)
        obs.ObsZn(i) = ComputeAzimuth(obs.ObsLat(i), obs.ObsLong(i), obs.ObsGHA(i), obs.ObsDec(i));

    // 11. Standard deviations, ellipse and circle.
    if (n == 2) {
        fix.EllipseEW = fix.EllipseNS = fix.CircleRadius = 0.0;
    } else {
        Matrix ui = U;
        if (!InvertUpperTriangular(ui)) {
            failed = true;  // its own message is shown
        } else {
            Matrix uit(k, k), q(k, k);
            MatTranspose(ui, uit);
            MatMultiply(ui, uit, q, 0);
            const double s02 = DotProduct(r, r) / (n - k);
            MatScale(s02, q, q, 0);
            bool finite = true;
            for (int j = 1; j <= k; ++j) {
                if (!(q(j, j) >= 0.0)) finite = false;
                stdDev(j) = std::sqrt(std::fabs(q(j, j))) * (j <= 3 ? kRadToDeg : 1.0);
            }
            if (finite && AllFinite(stdDev)) {
                fix.StdDev = stdDev;
                const double scale = EllipseScaleForProbability(in.Proba);
                if (scale < 0.0) {
                    ok(ArithmeticFault::InvalidArgument);
                } else {
                    fix.EllipseEW = std::sqrt(scale) * stdDev(2);
                    fix.EllipseNS = std::sqrt(scale) * stdDev(1);
                }
                ArithmeticFault f = ArithmeticFault::None;
                const double radius = EllipseProbabilityFactor(in.Proba, stdDev(1), stdDev(2), &f);
                if (ok(f)) fix.CircleRadius = radius;
            } else {
                ok(ArithmeticFault::InvalidArgument);
            }
        }
    }

    // 12. The fix; the run estimated position goes back to element 0.
    fix.MppLat = obs.ObsLat(0);
    fix.MppLong = Norm180(obs.ObsLong(0));
    fix.Course = Norm360(course);
    fix.Speed = speed;
    obs.ObsLat(0) = runLat;
    obs.ObsLong(0) = runLong;

    // 13. A wide fix: name the sight that weighs least.
    if (fix.StdDev.ubound() >= 2 &&
        (fix.StdDev(1) > kWrongObsDeviation || fix.StdDev(2) > kWrongObsDeviation)) {
        int worst = 0;
        double least = 1.0;
        for (int i = 1; i <= n; ++i)
            if (obs.ObsWeight(i) < least) {
                least = obs.ObsWeight(i);
                worst = i;
            }
        if (worst > 0)
            ReportMessage(kIconInformation + kButtonsOk, "Wrong observation",
                          "The observation of " + obs.ObsBody[static_cast<size_t>(worst)] + " at " +
                              FormatDateTime(obs.ObsTime(worst), "hh:mm:ss") +
                              " is most probably erroneous.\r\n"
                              "Please check and correct if necessary.\r\n"
                              "In the meantime, the following results are unreliable.");
    }

    if (failed) return StarFixStatus::ArithmeticFailure;
    return limitHit ? StarFixStatus::NotConverged : StarFixStatus::Solved;
}

}  // namespace orvex
