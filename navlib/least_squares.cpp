#include "navlib/least_squares.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "navlib/array_lib.h"
#include "navlib/hooks.h"
#include "navlib/matrix_lib.h"

namespace orvex {

namespace {

// The median absolute deviation times this is, for normally distributed
// residuals, their mean absolute deviation (sqrt(2 / pi) / 0.674490), so the
// cut-off keeps its meaning of 4.685 mean absolute deviations from the centre.
constexpr double kMadToMeanAbsDev = 1.183;
// The robust loop stops when the weighted gradient is smaller than this.
constexpr double kGradientTolerance = 0.001;
constexpr int kMaxRobustPasses = 1000;

bool AllFinite(const Vector& v) {
    for (int i = v.lbound(); i <= v.ubound(); ++i)
        if (!std::isfinite(v(i))) return false;
    return true;
}

bool AllFinite(const Matrix& m) {
    for (int i = m.lbound1(); i <= m.ubound1(); ++i)
        for (int j = m.lbound2(); j <= m.ubound2(); ++j)
            if (!std::isfinite(m(i, j))) return false;
    return true;
}

// The kind of failure of a square root about to be taken.
ArithmeticFault PivotFault(double d) {
    if (std::isnan(d)) return ArithmeticFault::Overflow;
    if (d < 0.0) return ArithmeticFault::InvalidArgument;
    if (d == 0.0) return ArithmeticFault::DivisionByZero;
    return ArithmeticFault::None;
}

double Median(std::vector<double> v) {
    const size_t h = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(h), v.end());
    const double upper = v[h];
    if (v.size() % 2 != 0) return upper;
    const double lower = *std::max_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(h));
    return (lower + upper) / 2.0;
}

// The centre (median) of the residuals r(1..m) and their spread about it
// (median absolute deviation times kMadToMeanAbsDev). Both ignore a minority
// of wild residuals, and a value common to every residual moves only the
// centre.
void RobustCentreAndScale(const Vector& r, double& centre, double& scale) {
    std::vector<double> v;
    for (int i = r.lbound(); i <= r.ubound(); ++i) v.push_back(r(i));
    centre = Median(v);
    for (double& x : v) x = std::fabs(x - centre);
    scale = kMadToMeanAbsDev * Median(v);
}

}  // namespace

void ComputeResiduals(const Matrix& A, const Vector& b, const Vector& x, Vector& r) {
    const int m = A.ubound1();
    const int n = A.ubound2();
    for (int i = 1; i <= m; ++i) {
        double s = 0.0;
        for (int j = 1; j <= n; ++j) s += A(i, j) * x(j);
        r(i) = s - b(i);
    }
}

ArithmeticFault SolveLeastSquaresCholesky(const Matrix& A, const Vector& b, Vector& x,
                                          int copyFactor, Matrix& U) {
    const int m = A.ubound1();
    const int n = A.ubound2();

    // Normal equations N = A^T A.
    Matrix At(n, m);
    MatTranspose(A, At);
    Matrix N(n, n);
    MatMultiply(At, A, N, 0);

    // Cholesky factor, row by row: N = U^T U.
    Matrix Uw(n, n);
    for (int i = 1; i <= n; ++i) {
        double d = N(i, i);
        for (int k = 1; k <= i - 1; ++k) d -= Uw(k, i) * Uw(k, i);
        if (const ArithmeticFault f = PivotFault(d); f != ArithmeticFault::None) return f;
        Uw(i, i) = std::sqrt(d);
        for (int j = i + 1; j <= n; ++j) {
            double s = N(i, j);
            for (int k = 1; k <= i - 1; ++k) s -= Uw(k, i) * Uw(k, j);
            Uw(i, j) = s / Uw(i, i);
        }
    }
    if (!AllFinite(Uw)) return ArithmeticFault::Overflow;

    // c = A^T b.
    Vector c(n);
    for (int i = 1; i <= n; ++i) {
        double s = 0.0;
        for (int k = 1; k <= m; ++k) s += A(k, i) * b(k);
        c(i) = s;
    }

    // Forward substitution U^T y = c, then back substitution U x = y.
    Vector y(n);
    for (int i = 1; i <= n; ++i) {
        double s = c(i);
        for (int k = 1; k <= i - 1; ++k) s -= Uw(k, i) * y(k);
        y(i) = s / Uw(i, i);
    }
    Vector xw(n);
    for (int i = n; i >= 1; --i) {
        double s = y(i);
        for (int k = i + 1; k <= n; ++k) s -= Uw(i, k) * xw(k);
        xw(i) = s / Uw(i, i);
    }
    if (!AllFinite(xw)) return ArithmeticFault::Overflow;

    for (int i = 1; i <= n; ++i) x(i) = xw(i);
    if (copyFactor != 0) MatCopy(Uw, U, 0);
    return ArithmeticFault::None;
}

ArithmeticFault SolveWeightedLeastSquares(const Matrix& A, const Vector& b, Vector& r, Vector& x,
                                          Vector& w, int copyFactor, Matrix& U) {
    const int m = A.ubound1();
    const int n = A.ubound2();

    // Work on copies: the caller's arrays change only when the whole loop
    // has run without an arithmetic failure.
    Vector rw(m);
    for (int i = 1; i <= m; ++i) rw(i) = r(i);
    Vector xw(n);
    for (int i = 1; i <= n; ++i) xw(i) = x(i);
    Matrix Uw(n, n);
    const bool wantFactor = copyFactor != 0;

    // The square-root weights: the diagonal of the weight matrix, the only
    // part of it that is not 0.
    Vector W(m);
    Matrix WA(m, n);
    Vector Wb(m);

    int passes = 0;
    for (;;) {
        // Residuals from their median in units of their spread about it, and
        // square-root weights on the diagonal.
        double centre = 0.0, s = 0.0;
        RobustCentreAndScale(rw, centre, s);
        if (!std::isfinite(centre) || !std::isfinite(s)) return ArithmeticFault::Overflow;
        W.Fill(0.0);
        int weighted = 0;
        if (s > 0.0) {
            for (int i = 1; i <= m; ++i) {
                W(i) = TukeyBiweight((rw(i) - centre) / s);
                if (W(i) > 0.0) ++weighted;
            }
        }
        // A zero spread (more than half the residuals equal: all of them,
        // when a common error is all there is) tells no sight from another;
        // nor can fewer weighted equations than unknowns be solved. This pass
        // is then the plain solution, with unit weights, and the last.
        const bool plain = weighted < n;
        if (plain) W.Fill(1.0);
        for (int i = 1; i <= m; ++i) W(i) = std::sqrt(std::fabs(W(i)));

        for (int i = 1; i <= m; ++i) {
            for (int j = 1; j <= n; ++j) WA(i, j) = W(i) * A(i, j);
            Wb(i) = W(i) * b(i);
        }

        if (const ArithmeticFault f =
                SolveLeastSquaresCholesky(WA, Wb, xw, wantFactor ? -1 : 0, Uw);
            f != ArithmeticFault::None)
            return f;
        ComputeResiduals(A, b, xw, rw);
        if (!AllFinite(rw)) return ArithmeticFault::Overflow;

        // Gradient of the weighted sum of squares, (WA)^T (W r) = A^T W^2 r.
        double gradient2 = 0.0;
        for (int j = 1; j <= n; ++j) {
            double g = 0.0;
            for (int i = 1; i <= m; ++i) g += WA(i, j) * (W(i) * rw(i));
            gradient2 += g * g;
        }
        const double gradient = std::sqrt(gradient2);

        ++passes;
        if (plain || gradient < kGradientTolerance || passes > kMaxRobustPasses) break;
    }
    if (passes > kMaxRobustPasses)
        ReportMessage(kIconCritical + kButtonsOk, " Error in mathematical routine",
                      "Overdetermined system not solved by weighted least square method.\r\n"
                      "See doc for help.");

    for (int i = 1; i <= m; ++i) r(i) = rw(i);
    for (int i = 1; i <= n; ++i) x(i) = xw(i);
    w.Resize(1, m);
    for (int i = 1; i <= m; ++i) w(i) = W(i);
    if (wantFactor) MatCopy(Uw, U, 0);
    return ArithmeticFault::None;
}

}  // namespace orvex
