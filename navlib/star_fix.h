// The star-fix solver: the most probable position at a wanted time from one
// set of sextant sights, by an iterated least-squares fit of all the lines of
// position at once, each sight reduced at its own time on the track run from
// the estimated position.
//
// Angles in decimal degrees (latitude north positive, longitude east
// positive), times in days (UT), speeds in knots, distances in nautical
// miles. The Earth model gives e^2 = 2/F - 1/F^2 from its inverse flattening
// F (the sphere, F = 1e100, simply has e^2 of about 0) and the semi-major
// axis a in nautical miles.
#pragma once

#include <vector>

#include "navlib/arithmetic_fault.h"
#include "navlib/arrays.h"
#include "navlib/earth_model.h"
#include "navlib/star_fix_types.h"

namespace orvex {

// True with at least two sights (a fix needs two lines of position);
// otherwise tells the navigator so through ReportMessage and returns false.
bool EnoughSightsForFix(int obsCount);

// Computes the fix.
//   in    the estimated position and its time, the wanted time, the
//         dead-reckoning course and speed, the conditions, the probability
//         level, the options and the ephemeris (see StarFixInputs)
//   obs   in: ObsCount and the entered ObsTime(1..n), ObsBody, ObsHs,
//         ObsInstErr (ObservationSet::Resize dimensions everything; arrays
//         of the wrong size are refused with the error report "Error 9:
//         Subscript out of range", the working and result arrays are
//         dimensioned by the solver when they do not fit); out: ObsTime(0) = the wanted time,
//         ObsLat(0), ObsLong(0) = the estimated position run to the wanted
//         time on the entered course and speed; ObsGHA, ObsDec, ObsDist of
//         every sight; ObsLat(i), ObsLong(i), ObsHo, ObsHc, ObsIntercept of
//         the last iteration; ObsZn at the last sight positions; ObsWeight
//   fix   out: the Fix result. Course and Speed are the entered ones, or the
//         corrected ones when four unknowns were solved (Course 0..360);
//         MppLong is in -180..180
//   E     Earth model
// The unknowns are the latitude and longitude at the wanted time, and the
// course and speed as well when FullRoutine is on, the sights span more
// than 3 h, more than seven sights (counting once those within 3.6
// degrees of an earlier one's bearing or its reciprocal) are given and the
// dead-reckoning speed is not 0 (at rest the course cannot be found).
// Sights whose bearings all lie within 3.6 degrees of one bearing or its
// reciprocal cross too flatly for a position: that is reported ("The lines
// of position cross too flatly...") and LinesTooFlat returned, with no
// position written.
//
// Two sights are solved exactly. More: each iteration fits the lines of
// position by least squares (robust_fit.h), with a constant common to every
// sight as a further unknown when FindSystErr is on (it is the SystErr of
// the last iteration) or when the fit is robust. The fit is robust (an MM
// estimate: a start that ignores up to half of the sights, then Tukey's
// biweight at a fixed scale until the weights settle; each iteration after
// the first starts from the last one's fit) when there are at least four
// sights more than its unknowns; otherwise plain. Without FindSystErr the
// common constant moves the fix as it moves a plain least-squares fix and
// moves no weight: an error common to every sight passes into the fix as in
// plain least squares. ObsWeight holds the square roots of the biweights
// (all 1 for a plain fit, all 0 for two sights).
//
// Statistics: StdDev from the covariance of the fit; the ellipse at Proba
// is that of the full covariance of latitude and longitude, scaled by the
// quantile for a deviation estimated on the fit's degrees of freedom
// (fix_precision.h), and given by its extents north and east, with
// Correlation; the circle holds Proba under the same distribution. A fix
// with no sight to spare (two sights, or as many sights as unknowns) has no
// estimate: StdDev, ellipse and circle stay 0 and "Position without a
// check" says so.
//
// Each correction is a step on the Earth (north, and east by the longitude
// times the cosine of the latitude) along a great circle, so the latitude
// never leaves -90..90: over a pole it folds back with the longitude turned
// by 180 degrees. An iteration on a pole, or whose runs to the sights would
// reach one, takes every sight at the solution's position and solves for
// that position alone (a fix that ends there has UnknownCount 2). At most
// 100 iterations; convergence when the position moves less than 0.0004
// degree of arc (and course less than 0.25 degree, speed less than 0.025
// knot), never before the second iteration.
//
// Messages (through ReportMessage): fewer than two sights; lines too flat;
// no check; no convergence in 100 iterations; a sight that is most probably
// wrong (when a standard deviation exceeds 10'); and " ERROR REPORT" for an
// arithmetic failure, the same text at most once a second (clock hook
// TimerSeconds), after which the fix goes on with the next step, the failed
// step's results unchanged. Of the technical boxes (critical or
// exclamation icon) one computation shows at most one, the first.
StarFixStatus ComputeStarFix(const StarFixInputs& in, ObservationSet& obs, FixResult& fix,
                             const EarthModel& E);

// True when a rhumb line of dist nautical miles (negative: backwards) on
// course (degrees) from latitude lat (degrees) starts on a pole (within
// 1e-4 degree) or would come that near one; a dist of 0 never does.
bool RunReachesPole(double lat, double course, double dist);

// The dead-reckoning run of dist miles on course from (lat, lon), degrees:
// RhumbLineDirect, except that a run from or over a pole (RunReachesPole),
// where the rhumb line has no longitude, is not made: (lat2, lon2) is then
// the start and the answer false, without a message.
bool RunAlongCourse(double lat, double lon, double course, double dist, double& lat2, double& lon2,
                    const EarthModel& E);

// Runs the position at the wanted time, (ObsLat(0), ObsLong(0)) at ObsTime(0),
// along course (degrees) at speed (knots) to the time of each sight 1..n
// (backwards for an earlier sight): writes ObsLat(i), ObsLong(i) (the rhumb
// line) and meridianLat(i), the latitude by the meridian arc alone, degrees.
// A run from or over a pole leaves that sight at the position at the wanted
// time and sets *poleReached (when given). Returns a failure when a position
// comes out non-finite (that sight is then left as it was).
ArithmeticFault RunPositionToSight(int n, double course, double speed, const Vector& ObsTime,
                                   Vector& ObsLat, Vector& ObsLong, Vector& meridianLat,
                                   const EarthModel& E, bool* poleReached = nullptr);

// The derivatives that make one row of the design matrix per sight.
//   D1, D2  altitude by latitude and by longitude of the sight's position
//           (per radian)
//   D3, D4  latitude and longitude of the sight's position by the latitude
//           at the wanted time
//   D5, D6  the same by the course (per radian); D7, D8 by the speed (per
//           knot); the four only with four unknowns
struct RunPartials {
    Vector D1, D2, D3, D4, D5, D6, D7, D8;
};

// Fills the derivatives for sights 1..n (each array re-dimensioned to 1..n;
// D5 to D8 only when unknownCount is 4) from the positions of the last run
// (ObsLat, ObsLong, meridianLat, with element 0 the position at the wanted
// time ObsTime(0)), the places ObsDec, ObsGHA and the altitudes ObsHc.
// Courses strictly within half a degree of 090 or 270 use the parallel
// sailing forms. A body in the zenith (cos Hc = 0) gives DivisionByZero, any
// other non-finite value Overflow; the arrays are then left as they were.
ArithmeticFault ComputeRunPartials(int n, double course, double speed, const Vector& ObsTime,
                                   const Vector& ObsLat, const Vector& ObsLong,
                                   const Vector& meridianLat, const Vector& ObsDec,
                                   const Vector& ObsGHA, const Vector& ObsHc, int unknownCount,
                                   RunPartials& D, const EarthModel& E);

// The number of sights that count in the spread of bearings, from their
// azimuths (degrees) in sight order: a sight strictly within 3.6 degrees of
// the bearing of an earlier counted sight, or of its reciprocal, does not
// count (exactly 3.6 degrees away it does), and a sight that does not count
// puts none out. A non-finite azimuth counts.
int CountSpreadBearings(const std::vector<double>& azimuths);

// Radius of the circle holding probability p of a bivariate normal error
// with standard deviations s1 and s2 along its axes (same unit as s1, s2):
// k(p, q) x max(s1, s2), q = min/max, k interpolated linearly in q from a
// table for p = 0.5, 0.95, 0.99, 0.999 exactly. Any other p gives -1.
// A zero deviation gives 0 and DivisionByZero in fault (when given).
double EllipseProbabilityFactor(double p, double s1, double s2, ArithmeticFault* fault = nullptr);

// Forgets the last " ERROR REPORT" text and its time (tests).
void ResetStarFixErrorReport();

}  // namespace orvex
