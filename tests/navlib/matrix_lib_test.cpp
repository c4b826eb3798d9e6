#include "navlib/matrix_lib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "navlib/arrays.h"
#include "navlib/hooks.h"

using namespace orvex;

namespace {

Matrix Make(int rows, int cols, std::initializer_list<double> values) {
    Matrix m(rows, cols);
    auto it = values.begin();
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m(i, j) = *it++;
    return m;
}

Matrix Random(int n, std::mt19937& gen) {
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    Matrix m(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) m(i, j) = u(gen);
    return m;
}

Matrix Product(const Matrix& a, const Matrix& b) {
    Matrix c(a.ubound1(), b.ubound2());
    MatMultiply(a, b, c, 0);
    return c;
}

Matrix Transposed(const Matrix& a) {
    Matrix t(a.ubound2(), a.ubound1());
    MatTranspose(a, t);
    return t;
}

void ExpectIdentity(const Matrix& m, double tol) {
    for (int i = 1; i <= m.ubound1(); ++i)
        for (int j = 1; j <= m.ubound2(); ++j)
            EXPECT_NEAR(m(i, j), i == j ? 1.0 : 0.0, tol) << i << "," << j;
}

// Cholesky factor written independently in the test: N = U^T U, U upper.
Matrix CholeskyUpper(const Matrix& N) {
    const int n = N.ubound1();
    Matrix U(n, n);
    for (int i = 1; i <= n; ++i) {
        double d = N(i, i);
        for (int k = 1; k < i; ++k) d -= U(k, i) * U(k, i);
        U(i, i) = std::sqrt(d);
        for (int j = i + 1; j <= n; ++j) {
            double s = N(i, j);
            for (int k = 1; k < i; ++k) s -= U(k, i) * U(k, j);
            U(i, j) = s / U(i, i);
        }
    }
    return U;
}

// Determinant by cofactor expansion, independent of the elimination.
double Det(const Matrix& m) {
    const int n = m.ubound1();
    if (n == 1) return m(1, 1);
    double d = 0.0;
    for (int c = 1; c <= n; ++c) {
        Matrix minor(n - 1, n - 1);
        for (int i = 2; i <= n; ++i)
            for (int j = 1, jj = 1; j <= n; ++j)
                if (j != c) minor(i - 1, jj++) = m(i, j);
        d += ((c % 2) ? 1.0 : -1.0) * m(1, c) * Det(minor);
    }
    return d;
}

}  // namespace

// The inverse must be a true inverse on both sides and the determinant must
// carry the sign of every row exchange; a lost sign or a pivot taken from the
// wrong row shows here on random matrices of the sizes the fix uses.
TEST(MatInvert, InverseTimesMatrixIsIdentityAndDeterminantMatches) {
    RecordingReporter rec;
    std::mt19937 gen(7);
    for (int n = 1; n <= 6; ++n) {
        for (int rep = 0; rep < 50; ++rep) {
            const Matrix A = Random(n, gen);
            Matrix work = A, inv(n, n);
            double det = 0;
            ASSERT_TRUE(MatInvert(work, inv, det));
            ExpectIdentity(work, 1e-9);
            ExpectIdentity(Product(inv, A), 1e-8);
            ExpectIdentity(Product(A, inv), 1e-8);
            const double ref = Det(A);
            EXPECT_NEAR(det, ref, 1e-9 * std::max(1.0, std::fabs(ref)));
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

// A result array reused from an earlier call must not spoil the inverse.
TEST(MatInvert, ReusedResultArrayDoesNotLeakIntoInverse) {
    RecordingReporter rec;
    Matrix A = Make(2, 2, {2, 0, 0, 4});
    Matrix inv = Make(2, 2, {9, 9, 9, 9});
    double det = 0;
    MatInvert(A, inv, det);
    EXPECT_EQ(inv(1, 1), 0.5);
    EXPECT_EQ(inv(1, 2), 0.0);
    EXPECT_EQ(inv(2, 1), 0.0);
    EXPECT_EQ(inv(2, 2), 0.25);
    EXPECT_EQ(det, 8);
}

TEST(MatInvert, WorkedCases) {
    RecordingReporter rec;
    {
        Matrix A = Make(2, 2, {0, 1, 1, 0}), inv(2, 2);
        double det = 0;
        EXPECT_TRUE(MatInvert(A, inv, det));
        EXPECT_EQ(det, -1);
        EXPECT_EQ(inv(1, 2), 1);
        EXPECT_EQ(inv(2, 1), 1);
        EXPECT_EQ(inv(1, 1), 0);
        EXPECT_EQ(inv(2, 2), 0);
    }
    EXPECT_TRUE(rec.messages.empty());
    {
        // Singular at the second column: one box, det the first pivot.
        Matrix A = Make(2, 2, {1, 2, 2, 4}), inv(2, 2);
        double det = 0;
        EXPECT_FALSE(MatInvert(A, inv, det));
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].style, kIconExclamation + kButtonsOk);
        EXPECT_EQ(rec.messages[0].title, " Error in mathematical routine");
        EXPECT_EQ(rec.messages[0].text, "Singular matrix. Unable to invert it.");
        EXPECT_EQ(det, -2);  // rows exchanged, pivot 2
    }
}

// Two equally large candidates below the diagonal: the upper one is kept.
// The matrix is singular at the second column, so the determinant reported
// so far is the first pivot with the sign of the exchange: -1 when row 2 was
// taken, +1 had the lower row 3 (value -1) been taken.
TEST(MatInvert, EqualCandidatesKeepUpperRow) {
    RecordingReporter rec;
    Matrix A = Make(3, 3, {0, 0, 1, 1, 2, 0, -1, -2, 0}), inv(3, 3);
    double det = 0;
    EXPECT_FALSE(MatInvert(A, inv, det));
    EXPECT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(det, -1);
    EXPECT_EQ(A(1, 2), 2);  // row 2 moved to the top
}

// The singular threshold is strict: 1e-8 is a usable pivot, 0.99e-8 is not.
TEST(MatInvert, PivotThreshold) {
    RecordingReporter rec;
    Matrix A = Make(1, 1, {1e-8}), inv(1, 1);
    double det = 0;
    EXPECT_TRUE(MatInvert(A, inv, det));
    EXPECT_DOUBLE_EQ(inv(1, 1), 1e8);
    Matrix B = Make(1, 1, {0.99e-8}), inv2(1, 1);
    EXPECT_FALSE(MatInvert(B, inv2, det));
    EXPECT_EQ(rec.messages.size(), 1u);
}

// The fix inverts the Cholesky factor of its normal equations to get the
// covariance: U^-1 U^-T must be N^-1 and U^T U must give N back. A wrong
// loop order in the in-place inversion reads overwritten entries and fails.
TEST(InvertUpperTriangular, CholeskyFactorGivesBackTheMatrixAndItsInverse) {
    RecordingReporter rec;
    std::mt19937 gen(11);
    for (int n = 1; n <= 6; ++n) {
        for (int rep = 0; rep < 30; ++rep) {
            const Matrix M = Random(n + 2, gen);
            Matrix Mn(n + 2, n);
            for (int i = 1; i <= n + 2; ++i)
                for (int j = 1; j <= n; ++j) Mn(i, j) = M(i, j);
            const Matrix N = Product(Transposed(Mn), Mn);
            const Matrix U = CholeskyUpper(N);
            const Matrix UtU = Product(Transposed(U), U);
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j)
                    EXPECT_NEAR(UtU(i, j), N(i, j), 1e-9 * (1 + std::fabs(N(i, j))));

            Matrix Ui = U;
            ASSERT_TRUE(InvertUpperTriangular(Ui));
            for (int i = 2; i <= n; ++i)
                for (int j = 1; j < i; ++j) EXPECT_EQ(Ui(i, j), 0.0);
            ExpectIdentity(Product(U, Ui), 1e-9);

            Matrix Nw = N, Ninv(n, n);
            double det = 0;
            ASSERT_TRUE(MatInvert(Nw, Ninv, det));
            const Matrix cov = Product(Ui, Transposed(Ui));
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j)
                    EXPECT_NEAR(cov(i, j), Ninv(i, j), 1e-8 * (1 + std::fabs(Ninv(i, j))));
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(InvertUpperTriangular, WorkedCaseAndSingular) {
    RecordingReporter rec;
    Matrix A = Make(2, 2, {2, 1, 0, 4});
    EXPECT_TRUE(InvertUpperTriangular(A));
    EXPECT_EQ(A(1, 1), 0.5);
    EXPECT_EQ(A(1, 2), -0.125);
    EXPECT_EQ(A(2, 1), 0.0);
    EXPECT_EQ(A(2, 2), 0.25);
    EXPECT_TRUE(rec.messages.empty());

    Matrix S = Make(3, 3, {1, 2, 3, 0, 0, 1, 0, 0, 5});
    EXPECT_FALSE(InvertUpperTriangular(S));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Singular matrix. Unable to invert it.");

    // A zero first diagonal element is reported, not turned into infinity.
    Matrix Z = Make(1, 1, {0});
    EXPECT_FALSE(InvertUpperTriangular(Z));
    EXPECT_EQ(rec.messages.size(), 2u);
    EXPECT_TRUE(std::isfinite(Z(1, 1)));
}

TEST(MatMultiply, ModesAndSizeCheck) {
    RecordingReporter rec;
    const Matrix A = Make(2, 2, {1, 2, 3, 4});
    Vector ones(2);
    ones.Fill(1);
    Vector c(2);
    MatMultiply(A, ones, c, 2);
    EXPECT_EQ(c(1), 3);
    EXPECT_EQ(c(2), 7);
    MatMultiply(ones, A, c, 1);
    EXPECT_EQ(c(1), 4);
    EXPECT_EQ(c(2), 6);
    Vector u(2), v(2);
    u(1) = 1;
    u(2) = 2;
    v(1) = 3;
    v(2) = 4;
    Matrix outer(2, 2);
    MatMultiply(u, v, outer, 3);
    EXPECT_EQ(outer(1, 1), 3);
    EXPECT_EQ(outer(1, 2), 4);
    EXPECT_EQ(outer(2, 1), 6);
    EXPECT_EQ(outer(2, 2), 8);
    EXPECT_TRUE(rec.messages.empty());

    // A mode that does not match leaves the result alone.
    Vector keep(2);
    keep.Fill(42);
    MatMultiply(A, ones, keep, 7);
    EXPECT_EQ(keep(1), 42);

    // 2 x 3 times 2 x 2: size box, C unchanged.
    const Matrix wide = Make(2, 3, {1, 2, 3, 4, 5, 6});
    Matrix C(2, 2);
    C.Fill(-1);
    MatMultiply(wide, A, C, 0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Unable to multiply matrixes. No correct sizes.");
    EXPECT_EQ(rec.messages[0].title, " Error in mathematical routine");
    EXPECT_EQ(rec.messages[0].style, kIconExclamation + kButtonsOk);
    EXPECT_EQ(C(1, 1), -1);
}

// Element 0 of a vector dimensioned from 0 counts in the norm but in
// nothing else; mixing that up skews every weight of the fix.
TEST(MatrixLib, IndexZeroRules) {
    Vector v(0, 2);
    v(0) = 3;
    v(1) = 0;
    v(2) = 4;
    EXPECT_EQ(VecNorm(v), 5);
    EXPECT_EQ(DotProduct(v, v), 16);

    Vector w(0, 2);
    w(0) = -7;
    w(1) = -4;
    w(2) = 9;
    MatSqrtAbs(w, 1);
    EXPECT_EQ(w(0), -7);
    EXPECT_EQ(w(1), 2);
    EXPECT_EQ(w(2), 3);

    Vector a(0, 2), b(0, 2), c(0, 2);
    a.Fill(1);
    b.Fill(2);
    c.Fill(100);
    MatAdd(a, b, c, 1);
    EXPECT_EQ(c(0), 100);
    EXPECT_EQ(c(2), 3);
    MatSubtract(a, b, c, 1);
    EXPECT_EQ(c(1), -1);
    MatScale(2.5, b, c, 1);
    EXPECT_EQ(c(2), 5);
    EXPECT_EQ(c(0), 100);
    MatCopy(a, c, 1);
    EXPECT_EQ(c(1), 1);
    EXPECT_EQ(c(0), 100);
}

TEST(MatrixLib, ElementWiseMatrixForms) {
    const Matrix A = Make(2, 3, {1, 2, 3, 4, 5, 6});
    const Matrix B = Make(2, 3, {6, 5, 4, 3, 2, 1});
    Matrix C(2, 3);
    MatAdd(A, B, C, 0);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(C(i, j), 7);
    MatSubtract(A, B, C, 0);
    EXPECT_EQ(C(1, 1), -5);
    EXPECT_EQ(C(2, 3), 5);
    MatScale(-2, A, C, 0);
    EXPECT_EQ(C(2, 2), -10);
    MatCopy(B, C, 0);
    EXPECT_EQ(C(1, 2), 5);
    const Matrix T = Transposed(A);
    EXPECT_EQ(T.ubound1(), 3);
    EXPECT_EQ(T(3, 1), 3);
    EXPECT_EQ(T(1, 2), 4);
    Matrix S = Make(2, 3, {-4, 9, 16, 0, -1, 25});
    MatSqrtAbs(S, 0);
    EXPECT_EQ(S(1, 1), 2);
    EXPECT_EQ(S(1, 3), 4);
    EXPECT_EQ(S(2, 2), 1);
    EXPECT_EQ(S(2, 3), 5);
}
