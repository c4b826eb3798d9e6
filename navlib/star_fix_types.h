// The data of one star fix: what the navigator enters, the set of sights
// with its per-sight working arrays, and the fix that comes out.
//
// Units: angles in decimal degrees (latitude north positive, longitude east
// positive, courses and azimuths 0..360 clockwise from north); times are
// date-time values in days (UT, time of day as the fraction); speeds in
// knots; height of eye in metres; temperatures in degrees Celsius; pressure
// in hectopascals.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "navlib/arrays.h"

namespace orvex {

// The place of a body for an instant, as the ephemeris gives it.
//   body   upper-case body name ("SIRIUS", "SUNLOW", "MOONUPP", "VENUS", ...)
//   time   UT instant, days
//   gha    out: Greenwich hour angle, degrees 0..360
//   dec    out: declination, degrees
//   dist   out: distance, astronomical units (272000 for a star)
// The navigation library does not link the ephemeris; the program passes
// the real one (ComputeEphemeris) in, tests may pass their own.
using EphemerisFunction = std::function<void(const std::string& body, double time, double& gha,
                                             double& dec, double& dist)>;

// The set of sights and the per-sight working and result arrays. Element 0 of
// ObsTime, ObsLat and ObsLong belongs to the position at the wanted time;
// every other array runs 1..ObsCount (ObsBody also has an unused element 0).
struct ObservationSet {
    int ObsCount = 0;  // 0..50

    Vector ObsTime;                    // 0..n, sight time (UT, days); 0: wanted time
    std::vector<std::string> ObsBody;  // 0..n, body name; element 0 unused
    Vector ObsHs;                      // sextant altitude, degrees
    Vector ObsInstErr;                 // instrument correction, degrees (added to ObsHs)

    Vector ObsLat;        // 0..n, position assigned to each sight; 0: position at the wanted time
    Vector ObsLong;       // 0..n
    Vector ObsGHA;        // Greenwich hour angle at the sight time, degrees
    Vector ObsDec;        // declination, degrees
    Vector ObsDist;       // distance, astronomical units
    Vector ObsHo;         // observed altitude, degrees
    Vector ObsHc;         // computed altitude, degrees
    Vector ObsIntercept;  // ObsHo - ObsHc, degrees
    Vector ObsZn;         // true azimuth, degrees
    Vector ObsWeight;     // robust weight, 0..1

    ObservationSet() = default;
    // A set dimensioned for n sights, every value 0 and every name empty.
    explicit ObservationSet(int n) { Resize(n); }

    // Dimensions every array for n sights (ObsTime, ObsLat, ObsLong 0..n,
    // the others 1..n), all values 0, and sets ObsCount = n.
    void Resize(int n) {
        ObsCount = n;
        ObsTime = Vector(0, n);
        ObsBody.assign(static_cast<size_t>(n > 0 ? n + 1 : 1), std::string());
        ObsHs = Vector(n);
        ObsInstErr = Vector(n);
        ObsLat = Vector(0, n);
        ObsLong = Vector(0, n);
        ObsGHA = Vector(n);
        ObsDec = Vector(n);
        ObsDist = Vector(n);
        ObsHo = Vector(n);
        ObsHc = Vector(n);
        ObsIntercept = Vector(n);
        ObsZn = Vector(n);
        ObsWeight = Vector(n);
    }

    // Fills the four entered values of sight i (1..ObsCount).
    void SetSight(int i, double time, const std::string& body, double hs, double instErr) {
        ObsTime(i) = time;
        ObsBody[static_cast<size_t>(i)] = body;
        ObsHs(i) = hs;
        ObsInstErr(i) = instErr;
    }
};

// What the navigator enters besides the sights, read once per fix.
struct StarFixInputs {
    double EstLat = 0.0;  // estimated position, degrees
    double EstLong = 0.0;
    double TimeEstPos = 0.0;      // time of the estimated position, days (UT)
    double TimeTruePos = 0.0;     // time at which the position is wanted, days (UT)
    double Course = 0.0;          // dead-reckoning course, degrees
    double Speed = 0.0;           // dead-reckoning speed, knots
    double HeightEye = 0.0;       // metres, >= 0
    double TempAirC = 10.0;       // degrees Celsius
    double TempWaterC = 10.0;     // degrees Celsius
    double PressMBars = 1010.16;  // hectopascals
    double Proba = 0.95;          // probability level: 0.5, 0.95, 0.99 or 0.999
    bool FullRoutine = true;      // correct course and speed when the sights allow it
    bool FindSystErr = false;     // look for an altitude error common to all sights
    EphemerisFunction Ephemeris;  // the place of each body (required)
};

// The fix.
struct FixResult {
    double MppLat = 0.0;   // most probable position at the wanted time, degrees
    double MppLong = 0.0;  // -180..180
    double Course = 0.0;   // course, degrees 0..360 (corrected with four unknowns)
    double Speed = 0.0;    // speed, knots (corrected with four unknowns)
    int GoodObsCount = 0;  // sights well spread in bearing
    int UnknownCount = 0;  // 4 with course and speed, else 2
    int IterCount = 0;     // iterations made; 101 when the limit was hit
    Vector StdDev;         // 1..UnknownCount: latitude (deg), longitude (deg of
                           // longitude), course (deg), speed (knots)
    // The probability ellipse of the full covariance of latitude and
    // longitude, given by its extents north (degrees of latitude) and east
    // (degrees of longitude); 0 when the precision is not known.
    double EllipseNS = 0.0;
    double EllipseEW = 0.0;
    double Correlation = 0.0;   // of the latitude and longitude errors, -1..1
    double CircleRadius = 0.0;  // circle of equal probability, degrees; -1 for a
                                // probability level outside the table
    double SystErr = 0.0;       // systematic altitude error, minutes of arc
                                // (positive: the observed altitudes are too high)
    double Proba = 0.95;        // the level the ellipse and circle were made for
    double RunEstLat = 0.0;     // the estimated position run to the wanted time
    double RunEstLong = 0.0;    // with the entered course and speed
};

// How a fix ended. The messages the navigator sees are shown in any case.
enum class StarFixStatus {
    Solved,             // converged
    NotConverged,       // iteration limit hit; the results of the last iteration
    TooFewSights,       // fewer than two sights; no result written
    ArithmeticFailure,  // a step failed (reported); the results may be incomplete
    LinesTooFlat,       // every line of position on one bearing (reported); no result written
};

}  // namespace orvex
