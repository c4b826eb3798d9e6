// The probability figures of a fix whose errors are normal with a standard
// deviation known only from the fit's own residuals: an estimate on `dof`
// degrees of freedom (dof 0: the standard deviation is taken as known).
// With an estimated deviation the standardised error is Student-like: the
// squared Mahalanobis distance of a two-dimensional error over 2 follows
// Fisher's F(2, dof), whose quantile has a closed form.
#pragma once

namespace orvex {

// k^2 such that the ellipse (x^T C^-1 x <= k^2) of the covariance C holds
// probability p (0 < p < 1): -2 ln(1 - p) with dof 0 (the chi-square value
// with two degrees of freedom), else dof ((1 - p)^(-2 / dof) - 1).
double EllipseScale(double p, int dof);

// The radius of the circle about the estimate that holds probability p
// (0 < p < 1) for principal standard deviations s1 and s2 (same unit, >= 0,
// not both 0) and dof as above; the same unit as s1 and s2. Computed from
// the exact distribution (a quadrature over the angle and Newton's method),
// good to 1e-6 of the radius. Non-finite or negative deviations give -1.
double CircleRadius(double p, double s1, double s2, int dof);

// The probability that the error lies within radius R of the estimate, for
// the same s1, s2 and dof (the function CircleRadius inverts).
double CircleProbability(double R, double s1, double s2, int dof);

}  // namespace orvex
