// Least-squares solution of an overdetermined linear system A x ~ b, plainly
// (normal equations and their Cholesky factor) and robustly (iteratively
// reweighted with Tukey's biweight on residuals centred on their median and
// scaled by their median absolute deviation): one equation per sight, one
// column per unknown. The star fix itself fits through robust_fit.h.
//
// Arrays are indexed from 1 (navlib/arrays.h); sizes come from the upper
// bounds: m = rows of A (equations), n = columns of A (unknowns). b, r and w
// have m elements, x has n, the triangular factor U is n x n with zeros
// below its diagonal and N = A^T A = U^T U.
//
// Arithmetic failures are not reported here: the routines return the kind of
// failure and leave their outputs as they were, and the caller (the star-fix
// solver) reports it.
#pragma once

#include <cmath>

#include "navlib/arithmetic_fault.h"
#include "navlib/arrays.h"

namespace orvex {

// Plain least squares through the normal equations.
//   A           m x n design matrix, read
//   b           m right-hand sides, read
//   x           out: the n unknowns (elements 1..n; x must already hold n)
//   copyFactor  when not 0 the upper triangular factor U is copied into U
//               (n x n, sized by the caller); when 0 U is not touched
// Returns ArithmeticFault::None on success. A negative pivot of the Cholesky
// factorisation gives InvalidArgument, a zero one DivisionByZero, any other
// non-finite number Overflow; x and U are then unchanged.
ArithmeticFault SolveLeastSquaresCholesky(const Matrix& A, const Vector& b, Vector& x,
                                          int copyFactor, Matrix& U);

// Robust least squares by iteratively reweighted plain solves.
//   A, b        read, never changed
//   r           in: the residuals (model minus observation) from which the
//               first weights are made; out: the residuals A x - b of the
//               returned solution, unscaled
//   x           out: the solution (n elements)
//   w           out: re-dimensioned to 1..m and filled with the square roots
//               of the Tukey biweights of the last pass, in [0, 1] (they were
//               made from the residuals of the solution before the last one)
//   copyFactor, U   as SolveLeastSquaresCholesky; U receives the factor of the
//               last weighted solve
// Each pass: centre r on its median and scale it by its median absolute
// deviation times 1.183 (for normal errors their mean absolute deviation),
// weight each equation by the square root of TukeyBiweight of its scaled
// residual, solve, recompute r; stop when the norm of the weighted gradient
// A^T W^2 r is below 0.001 (the first pass meets it but for rounding, as the
// solve zeroes that gradient). After 1001 passes " Error in mathematical
// routine" / "Overdetermined system not solved by weighted least square
// method." is shown and the last solution is returned as if converged.
// A residual common to every equation therefore moves no weight, and a wrong
// one among right ones still loses its weight however large it is.
// When the spread is 0 (more than half the residuals equal, all of them for
// a common error alone) or a pass would leave fewer equations with a
// positive weight than unknowns, no equation can be told wrong from the
// others: that pass solves with unit weights and ends the loop, so the plain
// solution comes back with w all 1. The star fix then names no wrong sight
// even for a wide fix: its check looks for a weight below 1, and there is
// none.
// Enough weighted equations (at least n) do not make the system solvable:
// rows that depend on one another (two identical sights) still give a
// singular system, which fails as in SolveLeastSquaresCholesky.
// On any arithmetic failure r, x, w and U are left as they were.
ArithmeticFault SolveWeightedLeastSquares(const Matrix& A, const Vector& b, Vector& r, Vector& x,
                                          Vector& w, int copyFactor, Matrix& U);

// r(i) = sum over j = 1..n of A(i, j) x(j) - b(i), i = 1..m (model minus
// observation). r must already hold m elements.
void ComputeResiduals(const Matrix& A, const Vector& b, const Vector& x, Vector& r);

// Tukey's tuning constant: 95 % efficiency on normally distributed residuals.
inline constexpr double kTukeyConstant = 4.685;

// Tukey's biweight of a scaled residual u: 0 when |u| > 4.685, otherwise
// (1 - (u / 4.685)^2)^2. Even in u; 1 at u = 0, 0 at |u| = 4.685. (Inline:
// a robust fit takes it for every equation in every pass.)
inline double TukeyBiweight(double u) {
    if (std::fabs(u) > kTukeyConstant) return 0.0;
    const double t = u / kTukeyConstant;
    const double s = 1.0 - t * t;
    return s * s;
}

}  // namespace orvex
