// The fit of one linearised star fix: a small overdetermined linear system
// M z ~ b (one equation per sight, a few unknowns), solved plainly or by a
// robust MM estimate that a minority of wrong equations cannot pull away.
//
// The robust estimate, in three stages:
//  1. a start that ignores up to about half of the equations: the least
//     median of squares over elemental sets of p equations (all of them when
//     there are few, else a fixed pseudo-random choice, so the same data give
//     the same fix), refined by concentration steps (least squares on the h
//     equations that fit it best, h = (m + p + 1) / 2); or a start given by
//     the caller (the fit of the last iteration of the star fix);
//  2. a scale from the residuals of that start (ResidualScale), or one
//     given by the caller;
//  3. Tukey's biweight (constant 4.685) with that scale held fixed,
//     reweighted from the start until no weight moves by more than a
//     tolerance (1e-5 unless the caller says otherwise; at most 1001 passes).
// Units are the caller's: z in the units of b over those of M's columns.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "navlib/arithmetic_fault.h"

namespace orvex {

// Latitude, longitude, course, speed and a constant common to every sight.
inline constexpr int kMaxFitUnknowns = 5;

// The system: m equations, p unknowns (1..kMaxFitUnknowns), the design
// row-major in `a` (m x p), the right-hand sides in `b`.
struct FitSystem {
    int m = 0;
    int p = 0;
    std::vector<double> a;
    std::vector<double> b;

    void Resize(int rows, int cols) {
        m = rows;
        p = cols;
        a.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0.0);
        b.assign(static_cast<std::size_t>(rows), 0.0);
    }
    double& A(int i, int j) { return a[static_cast<std::size_t>(i * p + j)]; }
    double A(int i, int j) const { return a[static_cast<std::size_t>(i * p + j)]; }
};

using FitMatrix = std::array<double, kMaxFitUnknowns * kMaxFitUnknowns>;  // row-major p x p

// What a fit gives back. Indices from 0.
struct FitOutcome {
    std::array<double, kMaxFitUnknowns> z{};  // the unknowns
    std::vector<double> w;                    // biweight of each equation, 0..1 (1 plainly)
    std::vector<double> r;                    // residuals M z - b
    double scale = 0.0;  // robust: the fixed scale; plain: sqrt(sum r^2 / (m - p)), 0 when m = p
    // Covariance of z with the variance factor included, and the degrees of
    // freedom behind that factor (0: none, the precision is not known).
    FitMatrix cov{};
    int dof = 0;
    bool robust = false;  // false: plain least squares
    int passes = 0;       // reweighting passes made
    bool settled = true;  // false: the weights still moved after 1001 passes
};

// Plain least squares through the Cholesky factor of the normal equations.
// A non-positive pivot gives InvalidArgument (negative) or DivisionByZero
// (zero), any non-finite number Overflow; `out` is then left as it was.
ArithmeticFault FitPlain(const FitSystem& s, FitOutcome& out);

// The unknowns of FitPlain alone, to the bit, without residuals or
// covariance. Failures as FitPlain; z is then left as it was.
ArithmeticFault SolvePlain(const FitSystem& s, std::array<double, kMaxFitUnknowns>& z);

// When FitRobust works out the covariance: with the fit, or later through
// AddRobustCovariance (a fit that may only prepare another need not pay for
// it).
enum class CovarianceTime { WithFit, Later };

// The MM estimate described above. `start`: p unknowns to start from, or
// nullptr for the elemental-set start. `scale`: the scale to reweight with,
// or 0 to measure it from the start (stage 2). `leastScale`: the smallest
// scale measured (> 0; sights of perfect numbers would otherwise give a
// scale of 0). With m <= p this is FitPlain. Failures as FitPlain.
// The covariance is that of the last weighted solve with its weights held
// fixed, scaled by the mean square residual of the equations that count
// (weight above 0) on their degrees of freedom (their number less p), or by
// the square of the trimmed scale of those equations when that is larger
// (the ones set aside were chosen as those that fit worst, so among good
// equations the others agree better than good ones do).
// weightTolerance: the weights have settled when none moves by more than
// this in a pass (a fit that only prepares another may take a coarse one).
// when: CovarianceTime::Later leaves cov at 0 and dof at 0 for
// AddRobustCovariance to fill.
ArithmeticFault FitRobust(const FitSystem& s, const double* start, double scale, double leastScale,
                          FitOutcome& out, double weightTolerance = 1e-5,
                          CovarianceTime when = CovarianceTime::WithFit);

// The covariance and its degrees of freedom of a robust fit of s that
// FitRobust made with CovarianceTime::Later: the numbers it would have given
// with the fit (a plain fit has them already and is left alone). Failures as
// FitPlain; the fit is then left as it was.
ArithmeticFault AddRobustCovariance(const FitSystem& s, FitOutcome& fit);

// The scale of stage 2 for the residuals of z (p unknowns), the larger of
// two estimates of the standard deviation of normal errors, each unmoved by
// a few wrong equations: 1.4826 times the median absolute residual, times
// (1 + 5 / (m - p)) for the few residuals of a small set and those a start
// fits exactly; and the root mean square of the residuals within 14 times
// the first (gross errors left out), without their largest ones as well, as
// many as the third of the spare ones, (m - p) / 3, less the gross ones,
// divided by the mean square of a normal variable within the central share
// of its distribution that is kept and by the degrees of freedom (the
// median alone may fall to nearly 0 when half of a small set happens to
// agree). Never below leastScale (nor for m <= p).
double ResidualScale(const FitSystem& s, const double* z, double leastScale);

// The elemental-set start of stage 1 alone (tests): the unknowns whose h-th
// smallest absolute residual is least, before the concentration steps.
// Returns false when no elemental set could be solved.
bool LeastMedianStart(const FitSystem& s, std::array<double, kMaxFitUnknowns>& z);

}  // namespace orvex
