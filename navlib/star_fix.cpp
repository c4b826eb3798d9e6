#include "navlib/star_fix.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "navlib/array_lib.h"
#include "navlib/constants.h"
#include "navlib/earth_radii.h"
#include "navlib/fix_precision.h"
#include "navlib/hooks.h"
#include "navlib/math_lib.h"
#include "navlib/message_throttle.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "navlib/rhumb_line.h"
#include "navlib/robust_fit.h"
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
// A robust fit needs at least this many sights more than its unknowns (a
// common error counted): with fewer, the residuals cannot tell a wrong
// sight from the spread of the good ones (one good sight set aside makes
// the others agree), and the fit is plain.
constexpr int kMinRedundancy = 4;
// The smallest spread of good sights the robust fit assumes, radians
// (0.01', a tenth of what a sextant reads): exact sights would otherwise
// weigh each other by their rounding.
constexpr double kLeastRobustScale = 0.01 / 60.0 * kDegToRad;
// The weights of a fit that only prepares the next one have settled when
// none moves by more than this; those of any other fit, by more than the
// second.
constexpr double kCoarseWeights = 1e-3;
constexpr double kFineWeights = 1e-5;

const char* const kFlatCrossingTitle = " Error when computing the true position";
const char* const kFlatCrossingText =
    "The lines of position cross too flatly to fix the position:\r\n"
    "all the bodies were observed within 3.6° of one bearing or of its opposite.\r\n"
    "Please add an observation of a body in another direction.";

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

// A fix with as many unknowns as sights (counting a common error sought)
// has no check: its precision cannot be known, and the navigator is told.
void ReportNoRedundancy(int sights, int unknowns) {
    ReportMessage(kIconInformation + kButtonsOk, "Position without a check",
                  "There are no more observations than unknowns (" + std::to_string(sights) +
                      " for " + std::to_string(unknowns) +
                      "):\r\nthe position has no check, and its precision cannot be estimated.\r\n"
                      "No ellipse and no circle are given; one more observation would give them.");
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

// Isometric latitude and its derivative by the latitude, radians.
double Isometric(double phi, double e, double sinPhi) {
    const double es = e * sinPhi;
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

namespace {

// RunReachesPole with the cosine of the course given.
bool ReachesPole(double lat, double cosCourse, double dist) {
    if (dist == 0.0) return false;
    const double reach = lat + dist * cosCourse / kLeastMilesPerDegree;
    return std::fabs(lat) >= 90.0 - kPoleMargin || std::fabs(reach) >= 90.0 - kPoleMargin;
}

}  // namespace

bool RunReachesPole(double lat, double course, double dist) {
    return dist != 0.0 && ReachesPole(lat, std::cos(course * kDegToRad), dist);
}

bool RunAlongCourse(double lat, double lon, double course, double dist, double& lat2, double& lon2,
                    const EarthModel& E) {
    lat2 = lat;
    lon2 = lon;
    if (RunReachesPole(lat, course, dist)) return false;
    RhumbLineDirect(lat, lon, course, dist, lat2, lon2, E);
    return true;
}

namespace {

// RunPositionToSight; with psi given, also the isometric latitude (radians)
// of each sight's position at psi[i - 1] where its run worked it out for the
// latitude the derivatives take (the radians of ObsLat(i) to the bit, north
// of the equator, where both take it the same way), else NaN.
ArithmeticFault RunToSights(int n, double course, double speed, const Vector& ObsTime,
                            Vector& ObsLat, Vector& ObsLong, Vector& meridianLat,
                            const EarthModel& E, bool* poleReached, std::vector<double>* psi) {
    if (psi) psi->assign(static_cast<size_t>(std::max(n, 0)), NAN);
    const double lat0 = ObsLat(0);
    const double lon0 = ObsLong(0);
    const double m0 = RadiusMeridian(lat0, E);
    // Every run leaves from the same latitude on the same course.
    const RhumbDeparture departure(lat0, course, E);
    ArithmeticFault result = ArithmeticFault::None;
    if (poleReached) *poleReached = false;
    for (int i = 1; i <= n; ++i) {
        const double run = (ObsTime(i) - ObsTime(0)) * 24.0 * speed;
        double lat = lat0, lon = lon0;
        if (ReachesPole(lat0, departure.cosC, run)) {
            if (poleReached) *poleReached = true;
            meridianLat(i) = lat0;
            ObsLat(i) = lat0;
            ObsLong(i) = lon0;
            continue;
        }
        RhumbArrival arrival;
        RhumbLineFrom(departure, lon0, run, lat, lon, &arrival);
        const double mlat = lat0 + run * departure.cosC * kRadToDeg / m0;
        if (!std::isfinite(mlat) || !std::isfinite(lat) || !std::isfinite(lon)) {
            if (result == ArithmeticFault::None)
                result = m0 == 0.0 ? ArithmeticFault::DivisionByZero : ArithmeticFault::Overflow;
            continue;
        }
        meridianLat(i) = mlat;
        ObsLat(i) = lat;
        ObsLong(i) = lon;
        if (psi && arrival.known && arrival.phi >= 0.0 && arrival.phi == lat * kDegToRad)
            (*psi)[static_cast<size_t>(i - 1)] = arrival.psi;
    }
    return result;
}

}  // namespace

ArithmeticFault RunPositionToSight(int n, double course, double speed, const Vector& ObsTime,
                                   Vector& ObsLat, Vector& ObsLong, Vector& meridianLat,
                                   const EarthModel& E, bool* poleReached) {
    return RunToSights(n, course, speed, ObsTime, ObsLat, ObsLong, meridianLat, E, poleReached,
                       nullptr);
}

namespace {

// What the derivatives of every sight share: the position at the wanted
// time, the course and speed, the Earth model.
struct PartialsBase {
    PartialsBase(double lat0, double course, double knots, int unknownCount, const EarthModel& E)
        : speed(knots), four(unknownCount == 4) {
        const double F = E.InvFlattening;
        a = E.SemiMajorAxis;
        e2 = 2.0 / F - (1.0 / F) / F;
        e = std::sqrt(e2);
        phi0 = lat0 * kDegToRad;
        m0 = RadiusMeridian(lat0, F, a);
        n0 = RadiusPrimeVertical(lat0, F, a);
        const double sinPhi0 = std::sin(phi0);
        sin2Phi0 = std::sin(2.0 * phi0);
        cos2Phi0 = std::cos(2.0 * phi0);
        w0 = std::sqrt(1.0 - e2 * sinPhi0 * sinPhi0);
        const double c = course * kDegToRad;
        sinC = std::sin(c);
        cosC = std::cos(c);
        tanC = std::tan(c);
        eastWest = (course > 89.5 && course < 90.5) || (course > 269.5 && course < 270.5);
        k = 3.0 * e2 * sin2Phi0 / (2.0 * std::pow(1.0 - e2 * sinPhi0 * sinPhi0, 2.5));
        isometric0 = eastWest ? 0.0 : Isometric(phi0, e, sinPhi0);
        slope0 = tanC * IsometricDerivative(phi0, e2);
    }
    double speed;
    bool four;
    double a, e2, e, phi0, m0, n0, sin2Phi0, cos2Phi0, w0, sinC, cosC, tanC, k, isometric0, slope0;
    bool eastWest;
};

// The trigonometry of one sight at its position, shared by its computed
// altitude, its azimuth and the altitude's derivatives.
struct SightTrig {
    double sinPhi, cosPhi, sinDec, cosDec, sinLha, cosLha;
};

SightTrig TrigOf(double lat, double lon, double gha, double sinDec, double cosDec) {
    const double phi = lat * kDegToRad;
    const double lha = (lon + gha) * kDegToRad;
    return {std::sin(phi), std::cos(phi), sinDec, cosDec, std::sin(lha), std::cos(lha)};
}

// D1 .. D8 of one sight (D5 .. D8 only with four unknowns); false when its
// body is in the zenith (cos Hc = 0). psi: the isometric latitude of the
// sight's position when its run gave it (RunToSights), else NaN.
bool SightPartials(const PartialsBase& b, const SightTrig& t, double lat, double cosHc, double dt,
                   double meridianLat, double psi, double out[8]) {
    if (cosHc == 0.0) return false;
    const double phi = lat * kDegToRad;
    out[0] = (t.sinDec * t.cosPhi - t.sinPhi * t.cosDec * t.cosLha) / cosHc;
    out[1] = -t.cosDec * t.cosPhi * t.sinLha / cosHc;
    // IsometricDerivative(phi, e2) from the same sine and cosine.
    const double slope = 1.0 / t.cosPhi - b.e2 * t.cosPhi / (1.0 - b.e2 * t.sinPhi * t.sinPhi);
    const double e2 = b.e2, a = b.a, speed = b.speed;
    const double northing = 24.0 * speed * dt * b.cosC;
    const double g = 1.0 - 3.0 * e2 * b.sin2Phi0 * b.w0 * northing / (2.0 * a * (1.0 - e2));
    double d3 = 0.0, d4 = 0.0, d5 = 0.0, d6 = 0.0, d7 = 0.0, d8 = 0.0;
    if (b.eastWest) {
        // Parallel sailing on the radii of the middle latitude.
        const double phiM = (b.phi0 + phi) / 2.0;
        const double cosM = std::cos(phiM), tanM = std::tan(phiM);
        d3 = g;
        d4 = (24.0 * speed * dt * b.sinC / cosM) *
             ((1.0 + d3) * tanM / (2.0 * b.n0) - e2 * b.sin2Phi0 / (2.0 * a * b.w0));
        if (b.four) {
            d5 = -24.0 * speed * dt * b.sinC / b.m0;
            d6 = (24.0 * speed * dt / (b.n0 * cosM)) * (b.cosC + tanM * b.sinC * d5 / 2.0);
            d7 = 24.0 * dt * b.cosC / b.m0;
            d8 = (24.0 * dt * b.sinC / (b.n0 * cosM)) * (1.0 + speed * tanM * d7 / 2.0);
        }
    } else {
        // The rhumb line through the isometric latitude.
        const double phiBar = meridianLat * kDegToRad;
        const double p = b.tanC * slope;
        const double cos2Bar = std::cos(2.0 * phiBar);
        d3 = 1.0 +
             b.k * ((phiBar - b.phi0) * (1.0 - 0.75 * e2) +
                    0.375 * e2 * (std::sin(2.0 * phiBar) - b.sin2Phi0)) +
             ((cos2Bar * g - b.cos2Phi0) * 0.75 * e2 + (1.0 - 0.75 * e2) * (g - 1.0)) * b.m0 /
                 (a * (1.0 - e2));
        d4 = -b.slope0 + d3 * p;
        if (b.four) {
            const double arc = 1.0 - 0.75 * e2 + 0.75 * e2 * cos2Bar;
            d5 = -24.0 * speed * dt * b.sinC / (a * (1.0 - e2)) * arc;
            if (std::isnan(psi)) psi = Isometric(phi, b.e, t.sinPhi);
            d6 = (psi - b.isometric0) / (b.cosC * b.cosC) + p * d5;
            d7 = 24.0 * dt * b.cosC / (a * (1.0 - e2)) * arc;
            d8 = p * d7;
        }
    }
    out[2] = d3;
    out[3] = d4;
    out[4] = d5;
    out[5] = d6;
    out[6] = d7;
    out[7] = d8;
    return true;
}

// Copies the derivatives worked out aside (sight i's eight at 8 (i - 1))
// into D, unless one is not finite.
ArithmeticFault KeepPartials(int n, bool four, const std::vector<double>& work, RunPartials& D) {
    for (double v : work)
        if (!std::isfinite(v)) return ArithmeticFault::Overflow;
    Vector* out[8] = {&D.D1, &D.D2, &D.D3, &D.D4, &D.D5, &D.D6, &D.D7, &D.D8};
    for (int j = 0; j < (four ? 8 : 4); ++j) {
        Vector& v = *out[j];
        if (v.lbound() != 1 || v.ubound() != n) v = Vector(n);
        for (int i = 1; i <= n; ++i) v(i) = work[static_cast<size_t>(8 * (i - 1) + j)];
    }
    return ArithmeticFault::None;
}

// The same into the fix's own store of derivatives (sight i's eight at
// 8 (i - 1)): D1 to D4, and D5 to D8 with four unknowns.
ArithmeticFault KeepPartials(bool four, const std::vector<double>& work,
                             std::vector<double>& kept) {
    for (double v : work)
        if (!std::isfinite(v)) return ArithmeticFault::Overflow;
    const size_t columns = four ? 8 : 4;
    for (size_t at = 0; at < work.size(); at += 8)
        for (size_t j = 0; j < columns; ++j) kept[at + j] = work[at + j];
    return ArithmeticFault::None;
}

}  // namespace

ArithmeticFault ComputeRunPartials(int n, double course, double speed, const Vector& ObsTime,
                                   const Vector& ObsLat, const Vector& ObsLong,
                                   const Vector& meridianLat, const Vector& ObsDec,
                                   const Vector& ObsGHA, const Vector& ObsHc, int unknownCount,
                                   RunPartials& D, const EarthModel& E) {
    const PartialsBase base(ObsLat(0), course, speed, unknownCount, E);
    // Worked out aside: a failure leaves D as it was.
    std::vector<double> work(8 * static_cast<size_t>(std::max(n, 0)), 0.0);
    for (int i = 1; i <= n; ++i) {
        const double dec = ObsDec(i) * kDegToRad;
        const SightTrig t = TrigOf(ObsLat(i), ObsLong(i), ObsGHA(i), std::sin(dec), std::cos(dec));
        if (!SightPartials(base, t, ObsLat(i), std::cos(ObsHc(i) * kDegToRad),
                           ObsTime(i) - ObsTime(0), meridianLat(i), NAN,
                           &work[static_cast<size_t>(8 * (i - 1))]))
            return ArithmeticFault::DivisionByZero;
    }
    return KeepPartials(n, unknownCount == 4, work, D);
}

bool EnoughSightsForFix(int obsCount) {
    if (obsCount >= 2) return true;
    ReportMessage(kIconCritical + kButtonsOk, " Error when computing the true position",
                  "You must enter at least 2 observations in order\r\nto get a star fix.");
    return false;
}

namespace {

// One fix computation: its inputs, what it has found so far, and the state
// of its iterations. The steps of ComputeStarFix below work on it in turn.
struct FixWork {
    FixWork(const StarFixInputs& i, ObservationSet& o, FixResult& f, const EarthModel& e)
        : in(i), obs(o), fix(f), E(e), n(o.ObsCount) {}

    const StarFixInputs& in;
    ObservationSet& obs;
    FixResult& fix;
    const EarthModel& E;
    const int n;
    int k = 2;  // unknowns of the fix: 2, or 4 with course and speed
    double course = 0.0, speed = 0.0;
    double runLat = 0.0, runLong = 0.0;  // the estimated position run to the wanted time
    Vector meridianLat;
    std::vector<double> psi;  // isometric latitude of each sight's position (RunToSights)
    RunPartials D;
    bool poleRun = false;
    bool observedReduced = false;  // ObsHo holds every sight's observed altitude
    Vector sinDec, cosDec;         // of each sight's body
    // The trigonometry of each sight at its position (sight i at i - 1),
    // when it is that of the positions in ObsLat and ObsLong.
    std::vector<SightTrig> trig;
    bool trigCurrent = false;
    // The derivatives D1 to D8 of each sight (sight i's at 8 (i - 1)): those
    // kept, and those of this iteration until all are good.
    std::vector<double> partials, partialsAside;
    bool failed = false;

    // The iterations.
    int iter = 0;
    bool limitHit = false;
    int lastKk = 2;      // unknowns of the last iteration (2 on a pole)
    Vector x;            // the last correction, radians and knots
    FitSystem sys;       // the last linearised system
    FitOutcome fit;      // the last fit (robust: its covariance once the iterations end)
    FitSystem fitSys;    // the system it fitted
    FitSystem shiftSys;  // the position columns, for the shift of a common error
    bool fitted = false;
    int fitP = 0;                         // its unknowns
    bool scaleHeld = false;               // its scale was measured at a fit near the fix
    bool withOffset = false;              // the fit has a constant common to every sight
    std::array<double, 4> offsetShift{};  // the plain solution of a unit common error

    // Reports a failed step; the caller then goes on with the next one.
    bool Ok(ArithmeticFault f) {
        if (f == ArithmeticFault::None) return true;
        ShowErrorReport(FaultDescription(f));
        failed = true;
        return false;
    }
};

// The entered arrays must hold every sight; the working and result arrays
// are dimensioned here when they do not fit.
bool ArraysFit(ObservationSet& obs, int n) {
    auto holds = [n](const Vector& v, int lower) { return v.lbound() <= lower && v.ubound() >= n; };
    if (n < 0 || !holds(obs.ObsTime, 0) || !holds(obs.ObsHs, 1) || !holds(obs.ObsInstErr, 1) ||
        obs.ObsBody.size() < static_cast<size_t>(n) + 1)
        return false;
    for (Vector* v : {&obs.ObsLat, &obs.ObsLong})
        if (!holds(*v, 0)) *v = Vector(0, n);
    for (Vector* v : {&obs.ObsGHA, &obs.ObsDec, &obs.ObsDist, &obs.ObsHo, &obs.ObsHc,
                      &obs.ObsIntercept, &obs.ObsZn})
        if (!holds(*v, 1)) *v = Vector(n);
    return true;
}

// Steps 1 to 3: working arrays, the estimated position run to the wanted
// time, every sight placed on the track.
void PlaceSightsOnTrack(FixWork& w) {
    const int n = w.n;
    w.meridianLat = Vector(n);
    w.partials.assign(8 * static_cast<size_t>(n), 0.0);
    w.obs.ObsWeight = Vector(n);
    w.fix.SystErr = 0.0;
    w.fix.Proba = w.in.Proba;
    w.course = w.fix.Course = w.in.Course;
    w.speed = w.fix.Speed = w.in.Speed;

    double lat = 0.0, lon = 0.0;
    RunAlongCourse(w.in.EstLat, w.in.EstLong, w.course,
                   w.speed * 24.0 * (w.in.TimeTruePos - w.in.TimeEstPos), lat, lon, w.E);
    if (std::isfinite(lat) && std::isfinite(lon)) {
        w.obs.ObsLat(0) = lat;
        w.obs.ObsLong(0) = lon;
    } else {
        w.Ok(ArithmeticFault::Overflow);
    }
    w.runLat = w.fix.RunEstLat = w.obs.ObsLat(0);
    w.runLong = w.fix.RunEstLong = w.obs.ObsLong(0);

    w.obs.ObsTime(0) = w.in.TimeTruePos;
    w.Ok(RunToSights(n, w.course, w.speed, w.obs.ObsTime, w.obs.ObsLat, w.obs.ObsLong,
                     w.meridianLat, w.E, &w.poleRun, &w.psi));
}

// Step 4: the places of the bodies, once per fix.
void FindBodyPlaces(FixWork& w) {
    for (int i = 1; i <= w.n; ++i) {
        double gha = 0.0, dec = 0.0, dist = 0.0;
        w.in.Ephemeris(w.obs.ObsBody[static_cast<size_t>(i)], w.obs.ObsTime(i), gha, dec, dist);
        if (std::isfinite(gha) && std::isfinite(dec) && std::isfinite(dist)) {
            w.obs.ObsGHA(i) = gha;
            w.obs.ObsDec(i) = dec;
            w.obs.ObsDist(i) = dist;
        } else {
            w.Ok(ArithmeticFault::Overflow);
        }
    }
    w.sinDec = w.cosDec = Vector(w.n);
    for (int i = 1; i <= w.n; ++i) {
        const double dec = w.obs.ObsDec(i) * kDegToRad;
        w.sinDec(i) = std::sin(dec);
        w.cosDec(i) = std::cos(dec);
    }
}

// The trigonometry of every sight at its position, worked out when the
// positions have moved since (the declinations' sines and cosines are
// taken once per fix).
const std::vector<SightTrig>& SightTrigs(FixWork& w) {
    if (!w.trigCurrent) {
        w.trig.resize(static_cast<size_t>(w.n));
        for (int i = 1; i <= w.n; ++i)
            w.trig[static_cast<size_t>(i - 1)] = TrigOf(w.obs.ObsLat(i), w.obs.ObsLong(i),
                                                        w.obs.ObsGHA(i), w.sinDec(i), w.cosDec(i));
        w.trigCurrent = true;
    }
    return w.trig;
}

// ComputeAzimuth of every sight at its position.
void ComputeAzimuths(FixWork& w) {
    const std::vector<SightTrig>& trig = SightTrigs(w);
    for (int i = 1; i <= w.n; ++i) {
        const SightTrig& t = trig[static_cast<size_t>(i - 1)];
        w.obs.ObsZn(i) =
            Atan2Deg(t.cosPhi * t.sinDec - t.sinPhi * t.cosDec * t.cosLha, -t.cosDec * t.sinLha);
    }
}

// Step 6: the sights that count in the spread of bearings (see
// CountSpreadBearings).
int GoodSights(const FixWork& w) {
    std::vector<double> zn(static_cast<size_t>(w.n));
    for (int i = 1; i <= w.n; ++i) zn[static_cast<size_t>(i - 1)] = w.obs.ObsZn(i);
    return CountSpreadBearings(zn);
}

// Step 7: two unknowns, or four with course and speed. At a dead-reckoning
// speed of 0 the sight positions do not depend on the course, its column of
// the design matrix is all zeros and the normal equations are singular: a
// ship stopped or an observer ashore solves for the position only.
int ChooseUnknowns(const FixWork& w) {
    const int n = w.n;
    const double spanHours =
        n >= 1 ? (ArrayMax(w.obs.ObsTime, 1, n) - ArrayMin(w.obs.ObsTime, 1, n)) * 24.0 : 0.0;
    return (spanHours > kMinRunSpanHours && w.in.FullRoutine && n > kMinSightsForRun &&
            w.fix.GoodObsCount > kMinSightsForRun && w.speed != 0.0)
               ? 4
               : 2;
}

// Lines of position all within the bearing window of one bearing or its
// reciprocal cross too flatly for a position: say so.
void ReportFlatCrossing() {
    ReportMessage(kIconExclamation + kButtonsOk, kFlatCrossingTitle, kFlatCrossingText);
}

// Steps 9d to 9e for sights whose observed altitudes are reduced: each
// sight's computed altitude and intercept (as ReduceSights) and derivatives
// (as ComputeRunPartials) from one set of sines and cosines at its position,
// kept for its azimuth (as ComputeAzimuth) when the iterations end. A
// failure leaves that sight's altitude and intercept, or all the
// derivatives, as they were.
void LineariseReduced(FixWork& w, int kk, bool atPole) {
    const int n = w.n;
    ObservationSet& obs = w.obs;
    const PartialsBase base(obs.ObsLat(0), atPole ? 0.0 : w.course, atPole ? 0.0 : w.speed, kk,
                            w.E);
    std::vector<double>& work = w.partialsAside;  // every entry written before it is kept
    work.resize(8 * static_cast<size_t>(n));
    const std::vector<SightTrig>& trig = SightTrigs(w);
    ArithmeticFault altitudes = ArithmeticFault::None, partials = ArithmeticFault::None;
    for (int i = 1; i <= n; ++i) {
        const SightTrig& t = trig[static_cast<size_t>(i - 1)];
        const double hc = ArcSin(t.sinPhi * t.sinDec + t.cosPhi * t.cosDec * t.cosLha) * kRadToDeg;
        const double intercept = obs.ObsHo(i) - hc;
        if (std::isfinite(hc) && std::isfinite(intercept)) {
            obs.ObsHc(i) = hc;
            obs.ObsIntercept(i) = intercept;
        } else if (altitudes == ArithmeticFault::None) {
            altitudes = ArithmeticFault::Overflow;
        }
        if (partials == ArithmeticFault::None &&
            !SightPartials(base, t, obs.ObsLat(i), std::cos(obs.ObsHc(i) * kDegToRad),
                           obs.ObsTime(i) - obs.ObsTime(0), w.meridianLat(i),
                           w.psi[static_cast<size_t>(i - 1)],
                           &work[static_cast<size_t>(8 * (i - 1))]))
            partials = ArithmeticFault::DivisionByZero;
    }
    w.Ok(altitudes);
    w.Ok(partials == ArithmeticFault::None ? KeepPartials(kk == 4, work, w.partials) : partials);
}

// Steps 9c to 9f: the sights run to their times, reduced, and the rows of
// the design matrix (chain rule: the altitude by the sight's position times
// the position by the unknowns) with the intercepts in radians. Returns the
// unknowns of this iteration: on a pole, or where the track would reach one,
// the rhumb line has no longitude, and the iteration takes every sight at
// the solution's position and solves for that position alone, which moves
// it off the pole.
int Linearise(FixWork& w) {
    const int n = w.n;
    ObservationSet& obs = w.obs;
    if (w.iter > 1) {
        w.Ok(RunToSights(n, w.course, w.speed, obs.ObsTime, obs.ObsLat, obs.ObsLong, w.meridianLat,
                         w.E, &w.poleRun, &w.psi));
        w.trigCurrent = false;
    }
    const bool atPole = w.poleRun || std::fabs(obs.ObsLat(0)) >= 90.0 - kPoleMargin;
    if (atPole) {
        w.trigCurrent = false;
        w.psi.assign(static_cast<size_t>(n), NAN);
        for (int i = 1; i <= n; ++i) {
            obs.ObsLat(i) = w.meridianLat(i) = obs.ObsLat(0);
            obs.ObsLong(i) = obs.ObsLong(0);
        }
    }
    const int kk = atPole ? 2 : w.k;
    // The observed altitudes do not change with the position: once reduced
    // without a failure, the computed altitudes, the azimuths and the
    // derivatives are taken together from one set of sines and cosines.
    if (w.observedReduced) {
        LineariseReduced(w, kk, atPole);
    } else {
        const ArithmeticFault f =
            ReduceSights(n, w.in.HeightEye, w.in.TempAirC, w.in.TempWaterC, w.in.PressMBars, obs);
        w.observedReduced = f == ArithmeticFault::None;
        w.Ok(f);
        if (w.Ok(ComputeRunPartials(n, atPole ? 0.0 : w.course, atPole ? 0.0 : w.speed, obs.ObsTime,
                                    obs.ObsLat, obs.ObsLong, w.meridianLat, obs.ObsDec, obs.ObsGHA,
                                    obs.ObsHc, kk, w.D, w.E))) {
            const Vector* D[8] = {&w.D.D1, &w.D.D2, &w.D.D3, &w.D.D4,
                                  &w.D.D5, &w.D.D6, &w.D.D7, &w.D.D8};
            for (int j = 0; j < (kk == 4 ? 8 : 4); ++j)
                for (int i = 1; i <= n; ++i)
                    w.partials[static_cast<size_t>(8 * (i - 1) + j)] = (*D[j])(i);
        }
    }

    // A common error is an unknown when it is sought and there are sights
    // for it, and in any robust fit, so that it moves no weight.
    const bool robust = n - (kk + 1) >= kMinRedundancy;
    w.withOffset = n > 2 && (w.in.FindSystErr ? n >= kk + 1 : robust);
    FitSystem& s = w.sys;
    const int columns = kk + (w.withOffset ? 1 : 0);
    if (s.m != n || s.p != columns) s.Resize(n, columns);  // every entry is written below
    for (int i = 1; i <= n; ++i) {
        const int r = i - 1;
        const double* D = &w.partials[static_cast<size_t>(8 * r)];  // D1 at D[0]
        s.A(r, 0) = D[0] * D[2] + D[1] * D[3];
        s.A(r, 1) = D[1];
        if (kk == 4) {
            s.A(r, 2) = D[0] * D[4] + D[1] * D[5];
            s.A(r, 3) = D[0] * D[6] + D[1] * D[7];
        }
        if (w.withOffset) s.A(r, kk) = 1.0;
        s.b[static_cast<size_t>(r)] = obs.ObsIntercept(i) * kDegToRad;
    }
    return kk;
}

// Two lines of position cross in one point (Cramer's rule, the intercepts
// in degrees).
void CrossTwoLines(FixWork& w, Vector& x) {
    const FitSystem& s = w.sys;
    const double i1 = w.obs.ObsIntercept(1), i2 = w.obs.ObsIntercept(2);
    const double det = s.A(0, 0) * s.A(1, 1) - s.A(1, 0) * s.A(0, 1);
    if (det == 0.0) {
        w.Ok(ArithmeticFault::DivisionByZero);
        return;
    }
    const double x1 = (i1 * s.A(1, 1) - i2 * s.A(0, 1)) / det;
    const double x2 = (s.A(0, 0) * i2 - s.A(1, 0) * i1) / det;
    if (std::isfinite(x1) && std::isfinite(x2)) {
        x(1) = x1 * kDegToRad;
        x(2) = x2 * kDegToRad;
    } else {
        w.Ok(ArithmeticFault::Overflow);
    }
}

// The plain least-squares solution of the position unknowns for an error of
// 1 common to every sight: how far such an error moves a plain fix.
bool PlainShiftOfCommonError(const FitSystem& joint, int kk, FitSystem& s,
                             std::array<double, 4>& shift) {
    s.Resize(joint.m, kk);
    for (int i = 0; i < joint.m; ++i) {
        for (int j = 0; j < kk; ++j) s.A(i, j) = joint.A(i, j);
        s.b[static_cast<size_t>(i)] = 1.0;
    }
    std::array<double, kMaxFitUnknowns> z{};
    if (SolvePlain(s, z) != ArithmeticFault::None) return false;
    for (int j = 0; j < kk; ++j) shift[static_cast<size_t>(j)] = z[static_cast<size_t>(j)];
    return true;
}

// Step 9h: the correction from three sights or more. With enough redundant
// sights a robust fit (the first from its own start, the next ones from the
// last fit); otherwise plain least squares. The common error, when it is an
// unknown: sought, it is the systematic error and the position is the fit's;
// not sought, it moves the position as it moves a plain fix.
void SolveCorrection(FixWork& w, int kk, Vector& x) {
    const int n = w.n;
    const FitSystem& s = w.sys;
    const bool robust = w.withOffset && n - s.p >= kMinRedundancy;
    const bool shiftByOffset = w.withOffset && !w.in.FindSystErr;
    std::array<double, 4> shift{};
    if (shiftByOffset && !PlainShiftOfCommonError(s, kk, w.shiftSys, shift)) {
        w.Ok(ArithmeticFault::DivisionByZero);
        return;
    }
    // The last fit, seen from the position it moved to: the common error
    // as it was, the position where its fit put it.
    std::array<double, kMaxFitUnknowns> start{};
    const bool fromLast = robust && w.fitted && w.fit.robust && w.fitP == s.p && w.lastKk == kk;
    if (fromLast && w.withOffset) {
        const double c = w.fit.z[static_cast<size_t>(kk)];
        start[static_cast<size_t>(kk)] = c;
        if (shiftByOffset)
            for (int j = 0; j < kk; ++j)
                start[static_cast<size_t>(j)] = -c * shift[static_cast<size_t>(j)];
    }
    // The scale: measured at the start of a fit from scratch (the first);
    // then, in the iteration after it, measured again at that iteration's
    // fit, whose lines of position pass near the fix; from then on held, so
    // that the iterations fit one and the same objective. Only the last
    // fit's covariance is wanted: it is worked out after the iterations.
    constexpr CovarianceTime later = CovarianceTime::Later;
    FitOutcome out;
    ArithmeticFault f = ArithmeticFault::None;
    if (!robust) {
        f = FitPlain(s, out);
    } else if (!fromLast) {
        // Lines of position taken at the estimate: a coarse fit will do, the
        // next iteration fits them again near the fix.
        f = FitRobust(s, nullptr, 0.0, kLeastRobustScale, out, kCoarseWeights, later);
        w.scaleHeld = false;
    } else if (!w.scaleHeld) {
        f = FitRobust(s, start.data(), w.fit.scale, kLeastRobustScale, out, kCoarseWeights, later);
        if (f == ArithmeticFault::None) {
            const double scale = ResidualScale(s, out.z.data(), kLeastRobustScale);
            const std::array<double, kMaxFitUnknowns> z = out.z;
            f = FitRobust(s, z.data(), scale, kLeastRobustScale, out, kFineWeights, later);
            w.scaleHeld = true;
        }
    } else {
        f = FitRobust(s, start.data(), w.fit.scale, kLeastRobustScale, out, kFineWeights, later);
    }
    if (!w.Ok(f)) return;
    if (!out.settled)
        ReportMessage(kIconCritical + kButtonsOk, " Error in mathematical routine",
                      "Overdetermined system not solved by weighted least square method.\r\n"
                      "See doc for help.");
    for (int j = 0; j < kk; ++j) {
        double v = out.z[static_cast<size_t>(j)];
        if (shiftByOffset) v += out.z[static_cast<size_t>(kk)] * shift[static_cast<size_t>(j)];
        x(j + 1) = v;
    }
    if (w.withOffset && w.in.FindSystErr)
        w.fix.SystErr = out.z[static_cast<size_t>(kk)] * kRadToDeg * 60.0;
    // The weights as square roots of the biweights.
    for (int i = 1; i <= n; ++i) w.obs.ObsWeight(i) = std::sqrt(out.w[static_cast<size_t>(i - 1)]);
    w.fit = std::move(out);
    w.fitSys = s;
    w.fitted = true;
    w.fitP = s.p;
    w.offsetShift = shift;
}

// Step 9: the iterations, until the corrections fall below their limits.
void Iterate(FixWork& w) {
    Vector xk(w.k), xPos(2);
    bool converged = false;
    while (!converged) {
        ++w.iter;
        if (w.iter > kMaxIterations) {
            ReportMessage(kIconCritical + kButtonsOk, " Error in nautical routine",
                          "The main routine don't converge on a solution. See doc for help.");
            w.limitHit = true;
            break;
        }
        const double lastLat = w.obs.ObsLat(0);
        const double lastCourse = w.course;
        const double lastSpeed = w.speed;

        const int kk = Linearise(w);
        Vector& x = kk == w.k ? xk : xPos;
        if (w.n == 2)
            CrossTwoLines(w, x);
        else
            SolveCorrection(w, kk, x);

        // The correction as a step on the Earth: x(1) north, x(2) times the
        // cosine of the latitude east, both radians. Its length is judged,
        // not the degrees of longitude, which grow without bound at a pole.
        const double moved = StepOnSphere(w.obs.ObsLat(0), w.obs.ObsLong(0), x(1),
                                          x(2) * std::cos(lastLat * kDegToRad));
        w.obs.ObsLong(0) = Norm180(w.obs.ObsLong(0));
        if (kk == 4) {
            w.course += x(3) * kRadToDeg;
            w.speed += x(4);
        }
        w.lastKk = kk;

        if (w.iter > 1) {
            converged = moved < kPositionLimit;
            if (kk == 4)
                converged = converged && std::fabs(w.course - lastCourse) < kCourseLimit &&
                            std::fabs(w.speed - lastSpeed) < kSpeedLimit;
        }
    }
    w.fix.IterCount = w.iter;
    // A fix that ended on a pole solved for its position alone.
    if (w.lastKk != w.k) {
        w.k = w.lastKk;
        w.fix.UnknownCount = w.k;
        w.fix.StdDev = Vector(w.k);
    }
}

// The covariance of the fix's unknowns (k x k, radians and knots) from the
// last fit: with the common error sought, the block of the others; not
// sought, that of the unknowns moved by the common error as a plain fix.
std::array<double, 16> FixCovariance(const FixWork& w) {
    const int k = w.k;
    const int p = w.sys.p;
    std::array<double, 16> C{};
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < k; ++j) {
            double v = w.fit.cov[static_cast<size_t>(i * p + j)];
            if (w.withOffset && !w.in.FindSystErr) {
                const double gi = w.offsetShift[static_cast<size_t>(i)];
                const double gj = w.offsetShift[static_cast<size_t>(j)];
                v += gi * w.fit.cov[static_cast<size_t>(k * p + j)] +
                     gj * w.fit.cov[static_cast<size_t>(i * p + k)] +
                     gi * gj * w.fit.cov[static_cast<size_t>(k * p + k)];
            }
            C[static_cast<size_t>(i * k + j)] = v;
        }
    return C;
}

// Step 11: standard deviations, ellipse and circle at the wanted level. The
// deviation of a sight is estimated from the residuals, so the ellipse's
// scale is the quantile for that estimate; the ellipse is the one of the
// full covariance of latitude and longitude, given by its extents north and
// east. With no sight to spare there is no estimate: everything stays 0 and
// the navigator is told.
void Statistics(FixWork& w) {
    FixResult& fix = w.fix;
    const int k = w.k;
    fix.StdDev = Vector(k);
    fix.Correlation = 0.0;
    if (w.fitted && !w.Ok(AddRobustCovariance(w.fitSys, w.fit))) return;
    if (w.n == 2 || !w.fitted || w.fit.dof <= 0) {
        if (w.n == 2 || w.fitted) ReportNoRedundancy(w.n, k + (w.withOffset ? 1 : 0));
        return;
    }
    const std::array<double, 16> C = FixCovariance(w);
    Vector stdDev(k);
    for (int j = 1; j <= k; ++j) {
        const double v = C[static_cast<size_t>((j - 1) * k + (j - 1))];
        if (!(v >= 0.0) || !std::isfinite(v)) {
            w.Ok(ArithmeticFault::InvalidArgument);
            return;
        }
        stdDev(j) = std::sqrt(v) * (j <= 3 ? kRadToDeg : 1.0);
    }
    fix.StdDev = stdDev;
    const double cNN = C[0], cEE = C[static_cast<size_t>(k + 1)], cNE = C[1];
    fix.Correlation = cNN > 0.0 && cEE > 0.0 ? cNE / std::sqrt(cNN * cEE) : 0.0;

    bool level = false;
    for (double p : kProbabilityLevels) level = level || w.in.Proba == p;
    if (!level) {
        fix.CircleRadius = -1.0;
        w.Ok(ArithmeticFault::InvalidArgument);
        return;
    }
    const double scale = std::sqrt(EllipseScale(w.in.Proba, w.fit.dof));
    fix.EllipseNS = scale * stdDev(1);
    fix.EllipseEW = scale * stdDev(2);

    // The circle: principal deviations in arc (the longitude's by the cosine
    // of the latitude).
    const double cosLat = std::cos(w.obs.ObsLat(0) * kDegToRad);
    const double a = cNN, c = cEE * cosLat * cosLat, b = cNE * cosLat;
    const double mean = (a + c) / 2.0, half = std::hypot((a - c) / 2.0, b);
    const double s1 = std::sqrt(mean + half), s2 = std::sqrt(std::max(mean - half, 0.0));
    const double radius = CircleRadius(w.in.Proba, s1, s2, w.fit.dof);
    if (radius < 0.0)
        w.Ok(ArithmeticFault::InvalidArgument);
    else
        fix.CircleRadius = radius * kRadToDeg;
}

// Step 13: a wide fix names the sight that weighs least.
void CheckWrongObservation(const FixWork& w) {
    const FixResult& fix = w.fix;
    if (fix.StdDev.ubound() < 2 ||
        !(fix.StdDev(1) > kWrongObsDeviation || fix.StdDev(2) > kWrongObsDeviation))
        return;
    int worst = 0;
    double least = 1.0;
    for (int i = 1; i <= w.n; ++i)
        if (w.obs.ObsWeight(i) < least) {
            least = w.obs.ObsWeight(i);
            worst = i;
        }
    if (worst > 0)
        ReportMessage(kIconInformation + kButtonsOk, "Wrong observation",
                      "The observation of " + w.obs.ObsBody[static_cast<size_t>(worst)] + " at " +
                          FormatDateTime(w.obs.ObsTime(worst), "hh:mm:ss") +
                          " is most probably erroneous.\r\n"
                          "Please check and correct if necessary.\r\n"
                          "In the meantime, the following results are unreliable.");
}

}  // namespace

int CountSpreadBearings(const std::vector<double>& zn) {
    // A sight loses its place when an earlier counted sight lies strictly
    // within the window of its bearing or of the reciprocal. Bearings folded
    // onto 0..180 fall in buckets as wide as the window, so only the bucket
    // of a sight and its two neighbours can hold such a sight; the exact
    // test then decides, on bearings normalised once (the window's edges
    // of each counted sight, the bearing of each sight tested).
    const int n = static_cast<int>(zn.size());
    constexpr int kBuckets = 45;  // 4 degrees each, wider than the window
    std::array<int, kBuckets> head;
    head.fill(-1);
    std::vector<int> next(static_cast<size_t>(n), -1);
    std::vector<std::array<double, 4>> edges(static_cast<size_t>(n));
    auto bucketOf = [](double z) {
        double f = std::fmod(z, 180.0);
        if (f < 0.0) f += 180.0;
        const int b = static_cast<int>(f / (180.0 / kBuckets));
        return b >= kBuckets ? kBuckets - 1 : (b < 0 ? 0 : b);
    };
    int good = 0;
    for (int j = 0; j < n; ++j) {
        const double zj = zn[static_cast<size_t>(j)];
        if (!std::isfinite(zj)) {  // counts, and eliminates nobody
            ++good;
            continue;
        }
        const double z = Norm360(zj);
        const int bj = bucketOf(zj);
        bool crowded = false;
        for (int d = -1; d <= 1 && !crowded; ++d)
            for (int i = head[static_cast<size_t>((bj + d + kBuckets) % kBuckets)];
                 i >= 0 && !crowded; i = next[static_cast<size_t>(i)]) {
                const std::array<double, 4>& e = edges[static_cast<size_t>(i)];
                const bool near = CompareNormalisedBearings(z, e[0]) == -1 &&
                                  CompareNormalisedBearings(z, e[1]) == 1;
                const bool opposite = CompareNormalisedBearings(z, e[2]) == -1 &&
                                      CompareNormalisedBearings(z, e[3]) == 1;
                crowded = near || opposite;
            }
        if (crowded) continue;
        edges[static_cast<size_t>(j)] = {Norm360(zj + kBearingWindow), Norm360(zj - kBearingWindow),
                                         Norm360(zj + 180.0 + kBearingWindow),
                                         Norm360(zj + 180.0 - kBearingWindow)};
        next[static_cast<size_t>(j)] = head[static_cast<size_t>(bj)];
        head[static_cast<size_t>(bj)] = j;
        ++good;
    }
    return good;
}

StarFixStatus ComputeStarFix(const StarFixInputs& in, ObservationSet& obs, FixResult& fix,
                             const EarthModel& E) {
    TechnicalMessageLimit oneTechnicalBox;
    const int n = obs.ObsCount;
    if (!ArraysFit(obs, n)) {
        ShowErrorReport("Error 9: Subscript out of range");
        return StarFixStatus::ArithmeticFailure;
    }
    if (!in.Ephemeris) {
        ShowErrorReport("Error 91: no ephemeris was given to the fix.");
        return StarFixStatus::ArithmeticFailure;
    }
    FixWork w(in, obs, fix, E);
    PlaceSightsOnTrack(w);
    FindBodyPlaces(w);
    ComputeAzimuths(w);
    fix.GoodObsCount = GoodSights(w);
    w.k = fix.UnknownCount = ChooseUnknowns(w);
    if (!EnoughSightsForFix(n)) return StarFixStatus::TooFewSights;
    // Azimuths from a pole say nothing; there the spread is judged at the end.
    const bool fromPole = std::fabs(obs.ObsLat(0)) >= 90.0 - kPoleMargin;
    if (fix.GoodObsCount < 2 && !fromPole) {
        ReportFlatCrossing();
        return StarFixStatus::LinesTooFlat;
    }

    // Step 8: the statistics start from 0 together, so that a statistics
    // step that fails never leaves the ellipse or the circle of an earlier
    // fix beside this fix's deviations.
    fix.StdDev = Vector(w.k);
    fix.EllipseEW = fix.EllipseNS = fix.CircleRadius = 0.0;
    fix.Correlation = 0.0;
    // The observed altitudes, once (they do not depend on the position): the
    // first iteration's reduction made ahead.
    {
        const ArithmeticFault f = ReduceObservedAltitudes(n, in.HeightEye, in.TempAirC,
                                                          in.TempWaterC, in.PressMBars, obs);
        w.observedReduced = f == ArithmeticFault::None;
        w.Ok(f);
    }
    Iterate(w);

    // Step 10: azimuths at the last sight positions.
    ComputeAzimuths(w);
    if (fromPole && GoodSights(w) < 2) {
        ReportFlatCrossing();
        return StarFixStatus::LinesTooFlat;
    }
    Statistics(w);

    // Step 12: the fix; the run estimated position goes back to element 0.
    fix.MppLat = obs.ObsLat(0);
    fix.MppLong = Norm180(obs.ObsLong(0));
    fix.Course = Norm360(w.course);
    fix.Speed = w.speed;
    obs.ObsLat(0) = w.runLat;
    obs.ObsLong(0) = w.runLong;

    CheckWrongObservation(w);

    if (w.failed) return StarFixStatus::ArithmeticFailure;
    return w.limitHit ? StarFixStatus::NotConverged : StarFixStatus::Solved;
}

}  // namespace orvex
