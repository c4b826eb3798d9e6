#include "navlib/matrix_lib.h"

#include <cmath>
#include <utility>

#include "navlib/hooks.h"

namespace orvex {

namespace {

constexpr double kSingularPivot = 1e-8;
const char* const kMathTitle = " Error in mathematical routine";

void ReportSingular() {
    ReportMessage(kIconExclamation + kButtonsOk, kMathTitle,
                  "Singular matrix. Unable to invert it.");
}

}  // namespace

void MatAdd(const Matrix& A, const Matrix& B, Matrix& C, int) {
    for (int i = 1; i <= A.ubound1(); ++i)
        for (int j = 1; j <= A.ubound2(); ++j) C(i, j) = A(i, j) + B(i, j);
}

void MatAdd(const Vector& A, const Vector& B, Vector& C, int) {
    for (int i = 1; i <= A.ubound(); ++i) C(i) = A(i) + B(i);
}

void MatSubtract(const Matrix& A, const Matrix& B, Matrix& C, int) {
    for (int i = 1; i <= A.ubound1(); ++i)
        for (int j = 1; j <= A.ubound2(); ++j) C(i, j) = A(i, j) - B(i, j);
}

void MatSubtract(const Vector& A, const Vector& B, Vector& C, int) {
    for (int i = 1; i <= A.ubound(); ++i) C(i) = A(i) - B(i);
}

void MatCopy(const Matrix& A, Matrix& B, int) {
    for (int i = 1; i <= A.ubound1(); ++i)
        for (int j = 1; j <= A.ubound2(); ++j) B(i, j) = A(i, j);
}

void MatCopy(const Vector& A, Vector& B, int) {
    for (int i = 1; i <= A.ubound(); ++i) B(i) = A(i);
}

void MatScale(double k, const Matrix& A, Matrix& B, int) {
    for (int i = 1; i <= A.ubound1(); ++i)
        for (int j = 1; j <= A.ubound2(); ++j) B(i, j) = k * A(i, j);
}

void MatScale(double k, const Vector& A, Vector& B, int) {
    for (int i = 1; i <= A.ubound(); ++i) B(i) = k * A(i);
}

void MatTranspose(const Matrix& A, Matrix& B) {
    for (int i = 1; i <= A.ubound1(); ++i)
        for (int j = 1; j <= A.ubound2(); ++j) B(j, i) = A(i, j);
}

void MatSqrtAbs(Matrix& A, int) {
    // Every stored element of a weight matrix is turned, square or not.
    for (int i = 1; i <= A.ubound1(); ++i)
        for (int j = 1; j <= A.ubound2(); ++j) A(i, j) = std::sqrt(std::fabs(A(i, j)));
}

void MatSqrtAbs(Vector& A, int) {
    for (int i = 1; i <= A.ubound(); ++i) A(i) = std::sqrt(std::fabs(A(i)));
}

double DotProduct(const Vector& U, const Vector& V) {
    double s = 0.0;
    for (int i = 1; i <= U.ubound(); ++i) s += U(i) * V(i);
    return s;
}

double VecNorm(const Vector& V) {
    double s = 0.0;
    for (int i = V.lbound(); i <= V.ubound(); ++i) s += V(i) * V(i);
    return std::sqrt(s);
}

void MatMultiply(const Matrix& A, const Matrix& B, Matrix& C, int mode) {
    if (mode != 0) return;
    if (A.ubound2() != B.ubound1()) {
        ReportMessage(kIconExclamation + kButtonsOk, kMathTitle,
                      "Unable to multiply matrixes. No correct sizes.");
        return;
    }
    for (int i = 1; i <= A.ubound1(); ++i) {
        for (int j = 1; j <= B.ubound2(); ++j) {
            double s = 0.0;
            for (int k = 1; k <= A.ubound2(); ++k) s += A(i, k) * B(k, j);
            C(i, j) = s;
        }
    }
}

void MatMultiply(const Vector& A, const Matrix& B, Vector& C, int mode) {
    if (mode != 1) return;
    for (int j = 1; j <= B.ubound2(); ++j) {
        double s = 0.0;
        for (int k = 1; k <= A.ubound(); ++k) s += A(k) * B(k, j);
        C(j) = s;
    }
}

void MatMultiply(const Matrix& A, const Vector& B, Vector& C, int mode) {
    if (mode != 2) return;
    for (int i = 1; i <= A.ubound1(); ++i) {
        double s = 0.0;
        for (int k = 1; k <= B.ubound(); ++k) s += A(i, k) * B(k);
        C(i) = s;
    }
}

void MatMultiply(const Vector& A, const Vector& B, Matrix& C, int mode) {
    if (mode != 3) return;
    for (int i = 1; i <= A.ubound(); ++i)
        for (int j = 1; j <= B.ubound(); ++j) C(i, j) = A(i) * B(j);
}

bool MatInvert(Matrix& A, Matrix& Ainv, double& det) {
    const int n = A.ubound1();
    // Start from the identity whatever Ainv held: a reused result array must
    // not leak its old off-diagonal values into the inverse.
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) Ainv(i, j) = (i == j) ? 1.0 : 0.0;
    det = 1.0;

    for (int k = 1; k <= n; ++k) {
        if (k < n) {
            int p = k;
            double best = std::fabs(A(k, k));
            for (int i = k + 1; i <= n; ++i) {
                if (std::fabs(A(i, k)) > best) {
                    best = std::fabs(A(i, k));
                    p = i;
                }
            }
            if (p != k) {
                for (int j = 1; j <= n; ++j) {
                    std::swap(A(p, j), A(k, j));
                    std::swap(Ainv(p, j), Ainv(k, j));
                }
                det = -det;
            }
        }
        if (std::fabs(A(k, k)) < kSingularPivot) {
            ReportSingular();
            return false;
        }
        const double piv = A(k, k);
        det *= piv;
        for (int j = 1; j <= n; ++j) {
            A(k, j) /= piv;
            Ainv(k, j) /= piv;
        }
        for (int i = 1; i <= n; ++i) {
            if (i == k) continue;
            const double f = A(i, k);
            for (int j = 1; j <= n; ++j) {
                A(i, j) -= f * A(k, j);
                Ainv(i, j) -= f * Ainv(k, j);
            }
        }
    }
    return true;
}

bool InvertUpperTriangular(Matrix& A) {
    const int n = A.ubound1();
    // Row i uses its own already inverted entries and the rows below it,
    // which are still the original ones: the loop order is what makes the
    // in-place inversion work.
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            if (std::fabs(A(j, j)) < kSingularPivot) {
                // For j == i this also guards the first diagonal element,
                // which no earlier row has tested.
                ReportSingular();
                return false;
            }
            if (j == i) {
                A(i, i) = 1.0 / A(i, i);
            } else if (j < i) {
                A(i, j) = 0.0;
            } else {
                double s = 0.0;
                for (int k = i; k <= j - 1; ++k) s += A(i, k) * A(k, j);
                A(i, j) = -s / A(j, j);
            }
        }
    }
    return true;
}

}  // namespace orvex
