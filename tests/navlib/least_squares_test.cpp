#include "navlib/least_squares.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "navlib/arrays.h"
#include "navlib/hooks.h"
#include "navlib/robust_fit.h"

using namespace orvex;

namespace {

// A straight-line fit y = c0 + c1 t over m points.
Matrix LineDesign(int m) {
    Matrix A(m, 2);
    for (int i = 1; i <= m; ++i) {
        A(i, 1) = 1.0;
        A(i, 2) = 0.5 * i - 2.0;
    }
    return A;
}

Matrix RandomDesign(int m, int n, std::mt19937& gen) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix A(m, n);
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) A(i, j) = u(gen);
    return A;
}

}  // namespace

// The robust weights: a wrong threshold or a sign-sensitive formula would
// let a wrong sight keep its weight, or punish a sight for being low.
TEST(TukeyBiweight, ThresholdAndSymmetry) {
    EXPECT_DOUBLE_EQ(TukeyBiweight(0.0), 1.0);
    EXPECT_NEAR(TukeyBiweight(4.685), 0.0, 1e-15);
    EXPECT_EQ(TukeyBiweight(4.6851), 0.0);
    EXPECT_EQ(TukeyBiweight(-4.6851), 0.0);
    EXPECT_DOUBLE_EQ(TukeyBiweight(-2.0), TukeyBiweight(2.0));
    const double t = 2.0 / 4.685;
    EXPECT_DOUBLE_EQ(TukeyBiweight(2.0), (1 - t * t) * (1 - t * t));
}

// The normal-equation solve must meet the optimality condition A^T (A x - b)
// = 0 and its factor must rebuild A^T A; a wrong index in the forward or back
// substitution breaks one of the two.
TEST(SolveLeastSquaresCholesky, OptimalAndFactorRebuildsNormalMatrix) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n = 1; n <= 4; ++n) {
        const int m = 12;
        const Matrix A = RandomDesign(m, n, gen);
        Vector b(m);
        for (int i = 1; i <= m; ++i) b(i) = u(gen);
        Vector x(n);
        Matrix U(n, n);
        ASSERT_EQ(SolveLeastSquaresCholesky(A, b, x, 1, U), ArithmeticFault::None);
        Vector r(m);
        ComputeResiduals(A, b, x, r);
        for (int j = 1; j <= n; ++j) {
            double g = 0;
            for (int i = 1; i <= m; ++i) g += A(i, j) * r(i);
            EXPECT_NEAR(g, 0.0, 1e-12) << "n=" << n << " j=" << j;
        }
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                double utu = 0, ata = 0;
                for (int k = 1; k <= n; ++k) utu += U(k, i) * U(k, j);
                for (int k = 1; k <= m; ++k) ata += A(k, i) * A(k, j);
                EXPECT_NEAR(utu, ata, 1e-12);
                if (j < i) {
                    EXPECT_EQ(U(i, j), 0.0);
                }
            }
    }
}

// An exactly consistent system is solved exactly.
TEST(SolveLeastSquaresCholesky, ConsistentSystemExact) {
    std::mt19937 gen(11);
    const Matrix A = RandomDesign(6, 4, gen);
    const double truth[5] = {0, 0.3, -1.2, 2.5, 0.01};
    Vector b(6);
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 4; ++j) b(i) += A(i, j) * truth[j];
    Vector x(4);
    Matrix U(4, 4);
    ASSERT_EQ(SolveLeastSquaresCholesky(A, b, x, 0, U), ArithmeticFault::None);
    for (int j = 1; j <= 4; ++j) EXPECT_NEAR(x(j), truth[j], 1e-12);
}

// copyFactor 0 must leave the caller's U alone (the star fix keeps the factor
// of the weighted solve there).
TEST(SolveLeastSquaresCholesky, CopyFactorZeroLeavesFactor) {
    const Matrix A = LineDesign(5);
    Vector b(5);
    for (int i = 1; i <= 5; ++i) b(i) = i;
    Vector x(2);
    Matrix U(2, 2);
    U.Fill(7.0);
    ASSERT_EQ(SolveLeastSquaresCholesky(A, b, x, 0, U), ArithmeticFault::None);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) EXPECT_EQ(U(i, j), 7.0);
}

// A rank-deficient design (two equal columns) has a zero pivot: the failure
// must be returned and x left as it was, never NaNs handed on.
TEST(SolveLeastSquaresCholesky, SingularNormalMatrixFailsWithoutWriting) {
    Matrix A(4, 2);
    for (int i = 1; i <= 4; ++i) A(i, 1) = A(i, 2) = i;
    Vector b(4);
    b.Fill(1.0);
    Vector x(2);
    x.Fill(-3.0);
    Matrix U(2, 2);
    const ArithmeticFault f = SolveLeastSquaresCholesky(A, b, x, 1, U);
    EXPECT_NE(f, ArithmeticFault::None);
    EXPECT_EQ(x(1), -3.0);
    EXPECT_EQ(x(2), -3.0);
    EXPECT_EQ(U(1, 1), 0.0);
}

// Residuals symmetric about their mean give equal weights: the robust solve
// must then return the plain solution after its first pass.
TEST(SolveWeightedLeastSquares, EqualWeightsGivePlainSolution) {
    const int m = 8;
    const Matrix A = LineDesign(m);
    Vector b(m);
    for (int i = 1; i <= m; ++i) b(i) = 1.0 + 0.25 * (0.5 * i - 2.0) + ((i % 2) ? 0.1 : -0.1);
    Vector xPlain(2);
    Matrix U0(2, 2);
    ASSERT_EQ(SolveLeastSquaresCholesky(A, b, xPlain, 0, U0), ArithmeticFault::None);

    Vector r(m);
    for (int i = 1; i <= m; ++i) r(i) = (i % 2) ? 1.0 : -1.0;
    Vector x(2), w;
    Matrix U(2, 2);
    ASSERT_EQ(SolveWeightedLeastSquares(A, b, r, x, w, 1, U), ArithmeticFault::None);
    EXPECT_NEAR(x(1), xPlain(1), 1e-12);
    EXPECT_NEAR(x(2), xPlain(2), 1e-12);
    ASSERT_EQ(w.lbound(), 1);
    ASSERT_EQ(w.ubound(), m);
    // Converged at the first pass: the weights are those of the caller's
    // residuals (1 from their median 0, one spread of 1.183), as square roots.
    const double expected = std::sqrt(TukeyBiweight(1.0 / 1.183));
    for (int i = 1; i <= m; ++i) EXPECT_NEAR(w(i), expected, 1e-15);
    // r holds the unscaled residuals of the returned solution.
    Vector rCheck(m);
    ComputeResiduals(A, b, x, rCheck);
    for (int i = 1; i <= m; ++i) EXPECT_NEAR(r(i), rCheck(i), 1e-15);
}

// One gross outlier among good points loses its weight and the fit equals
// the fit of the good points alone.
TEST(SolveWeightedLeastSquares, GrossOutlierGetsWeightZero) {
    const int m = 12;
    const Matrix A = LineDesign(m);
    std::mt19937 gen(3);
    std::normal_distribution<double> noise(0.0, 0.01);
    Vector b(m);
    for (int i = 1; i <= m; ++i) b(i) = 2.0 - 0.5 * A(i, 2) + noise(gen);
    b(5) += 3.0;

    Vector x(2), r(m), w;
    Matrix U(2, 2);
    ASSERT_EQ(SolveLeastSquaresCholesky(A, b, x, 0, U), ArithmeticFault::None);
    ComputeResiduals(A, b, x, r);
    ASSERT_EQ(SolveWeightedLeastSquares(A, b, r, x, w, 1, U), ArithmeticFault::None);
    EXPECT_EQ(w(5), 0.0);
    for (int i = 1; i <= m; ++i)
        if (i != 5) {
            EXPECT_GT(w(i), 0.5);
        }

    // Reference: plain fit without the outlier.
    Matrix A2(m - 1, 2);
    Vector b2(m - 1);
    for (int i = 1, k = 1; i <= m; ++i)
        if (i != 5) {
            A2(k, 1) = A(i, 1);
            A2(k, 2) = A(i, 2);
            b2(k++) = b(i);
        }
    Vector x2(2);
    ASSERT_EQ(SolveLeastSquaresCholesky(A2, b2, x2, 0, U), ArithmeticFault::None);
    EXPECT_NEAR(x(1), x2(1), 0.01);
    EXPECT_NEAR(x(2), x2(2), 0.01);
}

// All residuals equal (spread 0), or all far off by the same amount: no
// equation stands apart, so the plain solution comes back, with unit weights
// or equal ones. Both once failed ("Division by zero", or every weight 0 and
// a singular system), so a common altitude error on precise sights gave no
// fix at all.
TEST(SolveWeightedLeastSquares, ResidualsThatDoNotStandApartGiveThePlainSolution) {
    const Matrix A = LineDesign(6);
    Vector b(6);
    for (int i = 1; i <= 6; ++i) b(i) = 1.0 + 0.5 * i + (i % 2 ? 1e-7 : -1e-7);
    Vector plain(2);
    Matrix U0(2, 2);
    ASSERT_EQ(SolveLeastSquaresCholesky(A, b, plain, 1, U0), ArithmeticFault::None);
    for (double spread : {0.0, 1e-6}) {  // residuals 3 each, or 3 +- 1e-6
        Vector r(6);
        for (int i = 1; i <= 6; ++i) r(i) = 3.0 + (i % 2 ? spread : -spread);
        Vector x(2), w(6);
        Matrix U(2, 2);
        ASSERT_EQ(SolveWeightedLeastSquares(A, b, r, x, w, 1, U), ArithmeticFault::None);
        EXPECT_NEAR(x(1), plain(1), 1e-9);
        EXPECT_NEAR(x(2), plain(2), 1e-9);
        EXPECT_NEAR(U(1, 1), w(1) * U0(1, 1), 1e-12);
        for (int i = 1; i <= 6; ++i) EXPECT_EQ(w(i), spread == 0.0 ? 1.0 : w(1));
    }
}

// Flag 0: the robust solve also leaves U untouched.
TEST(SolveWeightedLeastSquares, CopyFactorZeroLeavesFactor) {
    const Matrix A = LineDesign(6);
    Vector b(6);
    for (int i = 1; i <= 6; ++i) b(i) = std::sin(i);
    Vector r(6);
    for (int i = 1; i <= 6; ++i) r(i) = std::cos(i);
    Vector x(2), w;
    Matrix U(2, 2);
    U.Fill(5.0);
    ASSERT_EQ(SolveWeightedLeastSquares(A, b, r, x, w, 0, U), ArithmeticFault::None);
    EXPECT_EQ(U(1, 2), 5.0);
    EXPECT_EQ(U(2, 1), 5.0);
}

// Numbers so large that rounding alone keeps the weighted gradient above
// its tolerance: the robust loop must stop after its 1001st pass, say so
// once in its own words, and still hand back a usable solution (a loop
// without its limit would never return here).
TEST(SolveWeightedLeastSquares, PassLimitShowsMessageAndReturnsSolution) {
    RecordingReporter rec;
    const int m = 7;
    Matrix A = LineDesign(m);
    Vector b(m), r(m);
    for (int i = 1; i <= m; ++i) {
        A(i, 1) *= 1e9;
        A(i, 2) *= 1e9;
        b(i) = 1e9 * (3.0 + 2.0 * A(i, 2) / 1e9 + 0.01 * std::sin(3.0 * i));
    }
    Vector x(2), w;
    Matrix U(2, 2);
    ASSERT_EQ(SolveLeastSquaresCholesky(A, b, x, 0, U), ArithmeticFault::None);
    ComputeResiduals(A, b, x, r);
    ASSERT_EQ(SolveWeightedLeastSquares(A, b, r, x, w, 1, U), ArithmeticFault::None);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_EQ(rec.messages[0].title, " Error in mathematical routine");
    EXPECT_EQ(rec.messages[0].text,
              "Overdetermined system not solved by weighted least square method.\r\n"
              "See doc for help.");
    EXPECT_NEAR(x(1), 3.0, 0.05);
    EXPECT_NEAR(x(2), 2.0, 0.05);
    EXPECT_EQ(w.ubound(), m);
    EXPECT_GT(U(1, 1), 0.0);
}

// The robust fit of the star fix: its start fits the majority exactly
// (exact points are found whatever the outliers), and the reweighting gives
// wrong points no weight and the good ones the fit they make alone.
TEST(FitRobust, WrongPointsLoseTheirWeight) {
    std::mt19937 gen(11);
    std::normal_distribution<double> noise(0.0, 0.01);
    FitSystem s;
    s.Resize(10, 2);
    for (int i = 0; i < 10; ++i) {
        s.A(i, 0) = 1.0;
        s.A(i, 1) = 0.5 * i - 2.0;
        s.b[static_cast<size_t>(i)] = 2.0 - 0.5 * s.A(i, 1);
    }
    s.b[3] += 5.0;
    s.b[8] -= 3.0;
    std::array<double, kMaxFitUnknowns> z{};
    ASSERT_TRUE(LeastMedianStart(s, z));
    EXPECT_NEAR(z[0], 2.0, 1e-12);
    EXPECT_NEAR(z[1], -0.5, 1e-12);

    for (int i = 0; i < 10; ++i) s.b[static_cast<size_t>(i)] += noise(gen);
    FitOutcome out;
    ASSERT_EQ(FitRobust(s, nullptr, 0.0, 1e-9, out), ArithmeticFault::None);
    EXPECT_TRUE(out.robust);
    EXPECT_TRUE(out.settled);
    EXPECT_EQ(out.w[3], 0.0);
    EXPECT_EQ(out.w[8], 0.0);
    FitSystem good;
    good.Resize(8, 2);
    for (int i = 0, k = 0; i < 10; ++i)
        if (i != 3 && i != 8) {
            good.A(k, 0) = s.A(i, 0);
            good.A(k, 1) = s.A(i, 1);
            good.b[static_cast<size_t>(k++)] = s.b[static_cast<size_t>(i)];
        }
    FitOutcome plain;
    ASSERT_EQ(FitPlain(good, plain), ArithmeticFault::None);
    EXPECT_NEAR(out.z[0], plain.z[0], 0.005);
    EXPECT_NEAR(out.z[1], plain.z[1], 0.005);
    EXPECT_EQ(out.dof, 6);
    EXPECT_NEAR(out.cov[0], plain.cov[0], 0.5 * plain.cov[0]);
}

// A covariance worked out after the fit is the one worked out with it, and
// the plain unknowns alone are FitPlain's, to the bit.
TEST(FitRobust, CovarianceLaterIsTheCovarianceWithTheFit) {
    FitSystem s;
    s.Resize(12, 3);
    for (int i = 0; i < 12; ++i) {
        s.A(i, 0) = std::cos(0.5 * i);
        s.A(i, 1) = std::sin(0.5 * i);
        s.A(i, 2) = 1.0;
        s.b[static_cast<size_t>(i)] = 0.3 * s.A(i, 0) - 0.2 * s.A(i, 1) + 0.01 * std::sin(7.0 * i);
    }
    s.b[5] += 2.0;
    FitOutcome with, later;
    ASSERT_EQ(FitRobust(s, nullptr, 0.0, 1e-9, with), ArithmeticFault::None);
    ASSERT_EQ(FitRobust(s, nullptr, 0.0, 1e-9, later, 1e-5, CovarianceTime::Later),
              ArithmeticFault::None);
    EXPECT_EQ(later.dof, 0);
    EXPECT_EQ(later.cov[0], 0.0);
    ASSERT_EQ(AddRobustCovariance(s, later), ArithmeticFault::None);
    EXPECT_GT(with.dof, 0);
    EXPECT_EQ(later.dof, with.dof);
    EXPECT_EQ(later.cov, with.cov);
    EXPECT_EQ(later.z, with.z);

    FitOutcome plain;
    std::array<double, kMaxFitUnknowns> z{};
    ASSERT_EQ(FitPlain(s, plain), ArithmeticFault::None);
    ASSERT_EQ(SolvePlain(s, z), ArithmeticFault::None);
    EXPECT_EQ(z, plain.z);
    const FitMatrix before = plain.cov;
    EXPECT_EQ(AddRobustCovariance(s, plain), ArithmeticFault::None);  // plain: left alone
    EXPECT_EQ(plain.cov, before);
}
