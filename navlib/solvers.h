// Generic numeric solvers: secant refinement of a root, a root finder that
// brackets a sign change by stepping and then refines it, Broyden's method
// for a small nonlinear system, and adaptive Simpson quadrature.
//
// None of them knows its problem: each evaluates it only through a solver
// callback (navlib/solver_callback.h), f(x, iFct) or SysEq(x, i), whose data
// the caller has put in the shared solver parameters before the call. The
// routines keep no state between calls and may nest (a function evaluated by
// a root search may start an integral on a new callback).
//
// Failures are shown with the stop icon under " Error in mathematical
// routine" (or, for the root finders with bShowMsg false, only flagged) and
// the routine returns a neutral value; nothing is retried. Every routine has
// a hard bound on its work and fails at once on a NaN or an infinite
// argument or function value instead of wandering on.
#pragma once

#include "navlib/arrays.h"
#include "navlib/solver_callback.h"

namespace orvex {

// Secant refinement of a root of fn.f(., iFct) from the two points x0, x1.
//   tol      the step |x2 - x1| below which x2 is returned
//   maxIter  at most maxIter - 1 secant steps (none when maxIter < 2)
// On failure (equal function values at the two last points, no convergence,
// or a value that is not finite): with bShowMsg the box "Root-finding
// function (part 2) failed. See doc for help."; without it bFailed = true.
// Returns the root, 0 on failure. A success never writes bFailed.
double SecantRoot(NautLibFct& fn, double x0, double x1, double tol, int maxIter, int iFct,
                  bool bShowMsg, bool& bFailed);

// Root of fn.f(., iFct) near x0: steps from x0 by step until the function
// changes sign (at most 1500 steps; the step turns round when the first probe
// moves away from zero), then refines between x0 and the last probe by
// SecantRoot(tol, maxIter). Every probe is brought into lo..hi by
// ScaleToRange (clamped, or wrapped round the interval when bWrap).
// No sign change within 1500 steps (or a value that is not finite): with
// bShowMsg the box "Root-finding function (part 1) failed. See doc for
// help.", without it bFailed = true; a failed refinement gives the (part 2)
// failure of SecantRoot instead, never both. Returns the root, 0 on failure.
double FindRoot(NautLibFct& fn, double x0, double step, double lo, double hi, bool bWrap,
                double tol, int maxIter, int iFct, bool bShowMsg, bool& bFailed);

// The same searches without any message: the outcome says which stage failed
// so that a caller can show the matching box later (ReportRootFailure) and
// still know that no root was found.
enum class RootFailure { None, Bracket, Secant };
struct RootOutcome {
    double root = 0.0;  // 0 on failure
    RootFailure failure = RootFailure::None;
    bool ok() const { return failure == RootFailure::None; }
};
RootOutcome SecantSearch(NautLibFct& fn, double x0, double x1, double tol, int maxIter, int iFct);
RootOutcome RootSearch(NautLibFct& fn, double x0, double step, double lo, double hi, bool bWrap,
                       double tol, int maxIter, int iFct);
// Root of fn.f(., iFct) within a..b, where the function changes sign (or
// is 0 at an end): regula falsi in its Illinois form, every probe inside
// the bracket, until the bracket is narrower than tol (at most maxIter
// probes). Without a sign change between a and b, on a value that is not
// finite or when maxIter runs out: failure Bracket, root 0, no message.
RootOutcome BracketedSearch(NautLibFct& fn, double a, double b, double tol, int maxIter, int iFct);
// Shows the box FindRoot / SecantRoot show for that failure (nothing for None).
void ReportRootFailure(RootFailure failure);

// Solves the n equations iFirst .. iFirst + n - 1 of fn.SysEq for the n
// unknowns x(1..n) (n = upper bound of x) by Broyden's method on the inverse
// of a forward-difference Jacobian (step 1e-6). x holds the start values on
// entry and the solution on return. The first Newton step is always taken;
// convergence (Euclidean norm of the step below tol) is tested after each
// Broyden update.
// More than maxIter updates, or a value that is not finite: the box
// "Nonlinear system solution failed. See doc for help."; x keeps the last
// finite iterate. A singular Jacobian is reported by MatInvert and stops the
// solver with x at its start values.
// Returns true when converged.
bool SolveNonlinearSystem(NautLibFct& fn, Vector& x, double tol, int maxIter, int iFirst);

// Integral of fn.f(., iFct) from a to b by adaptive Simpson quadrature: an
// interval is accepted when its two halves differ from it by less than its
// tolerance (10 tol for the whole interval, halved at each split). An
// interval still inaccurate at level maxLevel (1 = the whole interval), a
// value that is not finite, or more than kMaxSimpsonIntervals intervals in
// all: the box "Numerical Integration function failed. See doc for help."
// and 0. a = b gives 0. A cubic is integrated exactly at the first test.
inline constexpr long kMaxSimpsonIntervals = 1000000;
double IntegrateSimpson(NautLibFct& fn, double a, double b, double tol, int maxLevel, int iFct);

}  // namespace orvex
