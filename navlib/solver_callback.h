// The solver callback: the one object through which the generic root finder,
// integrator and equation solver (navlib/solvers.h) evaluate their problem,
// and the shared block of solver parameters that hands the problem data to it.
//
// f(x, iFct) is a catalogue of scalar functions of one real unknown:
//   0..4   the direct rhumb line run with a searched course, distance or
//          arrival latitude (navlib/rhumb_line.h)
//   5..11  the geodesic's longitude differences, the integrands of its two
//          longitude-scale factors and the tangent-point functions of the
//          composite sailing (great-circle sailing)
//   12, 13 the Sun's hour angle and altitude for the twilight search
//   14     MeridionalParts(x) - SolvTargetMP
// SysEq(x, i) is a catalogue of six equations in two unknowns x(1), x(2)
// (the vertex equations of the geodesic through two points), i = 1..6.
// Numbers outside the catalogues give 0.
//
// A caller fills the parameters it needs, creates a new NautLibFct and hands
// it to one solver call; it owns the parameters until that call returns. The
// block is process-wide (one thread runs everything) so that a function
// evaluated by one solver may itself start a nested solver (an integral
// inside a root search) on the same data.
#pragma once

#include <functional>

#include "navlib/arrays.h"

namespace orvex {

// The shared solver parameters. All 0 at start; whoever uses them overwrites
// what the previous user left.
struct SolverParameters {
    // Target meridional parts, minutes of arc (function 14).
    double SolvTargetMP = 0.0;
    // Rhumb line (functions 0..4): departure latitude and longitude, target
    // arrival latitude and longitude, course, distance (degrees, nautical
    // miles); SolvArg7 holds the given arrival latitude of function 0 and
    // receives the arrival latitude of each direct run, SolvArg8 its arrival
    // longitude. The great-circle, composite and twilight functions give
    // SolvArg1..SolvArg4 and SolvArg6 their own meanings (cotangents of
    // geocentric latitudes, latitudes and longitudes in radians, the Sun's
    // distance in astronomical units).
    double SolvArg1 = 0.0;
    double SolvArg2 = 0.0;
    double SolvArg3 = 0.0;
    double SolvArg4 = 0.0;
    double SolvArg5 = 0.0;
    double SolvArg6 = 0.0;
    double SolvArg7 = 0.0;
    double SolvArg8 = 0.0;
    // The Earth model handed to the direct rhumb line by functions 0..4:
    // inverse flattening and semi-major axis (nautical miles).
    double SolvInvFlat = 0.0;
    double SolvAxis = 0.0;
    // Parameter a of the geodesic integrands 7, 8 and of functions 9..11
    // (a vertex latitude, radians).
    double SolvIntA = 0.0;
    // The vertex longitude (degrees) for functions 5 and 6.
    double SolvGeo = 0.0;
    // p of the track (cotangent of the geocentric vertex latitude), function 6.
    double SolvGeo2 = 0.0;
    // 1 - e^2 and e^2 / 2 of the ellipsoid in use.
    double OneMinusE2 = 0.0;
    double HalfE2 = 0.0;
    // The Sun's Greenwich hour angle and declination (degrees) at the last
    // time evaluated by functions 12 and 13.
    double SolvSunGHA = 0.0;
    double SolvSunDec = 0.0;
    // Norm360 of minus the observer's longitude (degrees), twilight search.
    double SolvLongWest = 0.0;
    // Target altitude of the Sun (degrees), twilight search.
    double SolvSunAlt = 0.0;
    // The Sun's place for functions 12 and 13, set by the twilight search
    // (the ephemeris lies outside this library): for a UT date-time value
    // (days) it gives the Greenwich hour angle and declination (degrees) and
    // the distance (astronomical units). Unset, both functions give 0.
    std::function<void(double when, double& gha, double& dec, double& dist)> SolvSunPlace;
};

// The process-wide block every solver caller fills.
SolverParameters& SharedSolverParameters();

class NautLibFct {
  public:
    // An instance on the shared block (the normal case) or on a block of the
    // caller's own.
    NautLibFct();
    explicit NautLibFct(SolverParameters& params);
    virtual ~NautLibFct() = default;
    NautLibFct(const NautLibFct&) = delete;
    NautLibFct& operator=(const NautLibFct&) = delete;

    // Value of scalar function iFct (0..14) at x; 0 for any other number.
    virtual double f(double x, int iFct);

    // Residual of equation i (1..6) at the two unknowns x(1), x(2); 0 for any
    // other number. x must be indexed at least 1..2.
    virtual double SysEq(const Vector& x, int i);

    // The value that function 5 or 6 last computed within its domain on this
    // instance (0 for a new one).
    double Remembered() const { return remembered_; }

    SolverParameters& Params() { return params_; }

  private:
    SolverParameters& params_;
    double remembered_ = 0.0;
};

// Functions 0..4 and 14 (the rhumb line); defined with the rhumb-line
// sailings. Other numbers give 0.
double RhumbLineCallbackFunction(double x, int iFct, SolverParameters& P);

// Functions 5..13 (geodesic, composite sailing and twilight search).
// remembered is the instance's remembered value of functions 5 and 6: they
// update it within their domain and return it + 1e-13 outside. Other numbers
// give 0.
double GreatCircleCallbackFunction(double x, int iFct, SolverParameters& P, double& remembered);

// Equations 1..6 of the geodesic vertex; other numbers give 0.
double GreatCircleCallbackEquation(const Vector& x, int i, SolverParameters& P);

}  // namespace orvex
