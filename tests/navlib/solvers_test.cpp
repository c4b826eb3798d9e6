#include "navlib/solvers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "navlib/arrays.h"
#include "navlib/hooks.h"
#include "navlib/rhumb_line.h"
#include "navlib/solver_callback.h"

using namespace orvex;

namespace {

// A callback whose function and equations are given by the test; it counts
// and records every evaluation.
class TestFct : public NautLibFct {
  public:
    std::function<double(double)> fn = [](double) { return 0.0; };
    std::function<double(const Vector&, int)> eq = [](const Vector&, int) { return 0.0; };
    std::vector<double> probes;
    int equationCalls = 0;

    double f(double x, int) override {
        probes.push_back(x);
        return fn(x);
    }
    double SysEq(const Vector& x, int i) override {
        ++equationCalls;
        return eq(x, i);
    }
};

constexpr char kMathTitle[] = " Error in mathematical routine";
constexpr char kPart1[] = "Root-finding function (part 1) failed. See doc for help.";
constexpr char kPart2[] = "Root-finding function (part 2) failed. See doc for help.";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(SecantRoot, LinearFunctionInOneStep) {
    RecordingReporter rec;
    TestFct fn;
    fn.fn = [](double x) { return x - 2; };
    bool failed = false;
    EXPECT_DOUBLE_EQ(SecantRoot(fn, 0, 1, 1e-10, 50, 0, true, failed), 2.0);
    EXPECT_FALSE(failed);
    EXPECT_TRUE(rec.messages.empty());
}

// Each failure path: the box with bShowMsg, only the flag without it, and a
// success never clears a flag the caller left set.
TEST(SecantRoot, FailurePaths) {
    RecordingReporter rec;
    TestFct constant;
    constant.fn = [](double) { return 3.0; };
    bool failed = false;
    EXPECT_EQ(SecantRoot(constant, 0, 1, 1e-10, 50, 0, true, failed), 0.0);
    EXPECT_FALSE(failed);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_EQ(rec.messages[0].title, kMathTitle);
    EXPECT_EQ(rec.messages[0].text, kPart2);

    rec.Clear();
    EXPECT_EQ(SecantRoot(constant, 0, 1, 1e-10, 50, 0, false, failed), 0.0);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(rec.messages.empty());

    // maxIter 1 takes no step at all.
    TestFct linear;
    linear.fn = [](double x) { return x - 2; };
    failed = false;
    EXPECT_EQ(SecantRoot(linear, 0, 1, 1e-10, 1, 0, false, failed), 0.0);
    EXPECT_TRUE(failed);
    EXPECT_EQ(linear.probes.size(), 2u);

    // A success leaves the flag as the caller set it.
    failed = true;
    EXPECT_DOUBLE_EQ(SecantRoot(linear, 0, 1, 1e-10, 50, 0, false, failed), 2.0);
    EXPECT_TRUE(failed);

    // A function that turns NaN fails instead of iterating on garbage.
    TestFct nan;
    nan.fn = [](double x) { return x > 1.5 ? kNaN : x - 2; };
    failed = false;
    EXPECT_EQ(SecantRoot(nan, 0, 1, 1e-10, 1000, 0, false, failed), 0.0);
    EXPECT_TRUE(failed);
    EXPECT_LE(nan.probes.size(), 4u);
}

TEST(FindRoot, BracketsAndFindsKnownRoot) {
    RecordingReporter rec;
    TestFct fn;
    fn.fn = [](double x) { return std::cos(x) - x; };  // root 0.7390851332151607
    bool failed = false;
    EXPECT_NEAR(FindRoot(fn, 5.0, 0.3, -100, 100, false, 1e-12, 100, 0, true, failed),
                0.7390851332151607, 1e-11);
    EXPECT_NEAR(FindRoot(fn, -5.0, 0.3, -100, 100, false, 1e-12, 100, 0, true, failed),
                0.7390851332151607, 1e-11);
    EXPECT_FALSE(failed);
    EXPECT_TRUE(rec.messages.empty());
}

// f(x0) < 0 and f(x0 + step) >= 0: the secant starts at once on (x0, x0 + step).
TEST(FindRoot, ImmediateBracketGoesStraightToSecant) {
    TestFct fn;
    fn.fn = [](double x) { return x - 2; };
    bool failed = false;
    EXPECT_DOUBLE_EQ(FindRoot(fn, 0, 5, -10, 10, false, 1e-10, 50, 0, true, failed), 2.0);
    ASSERT_GE(fn.probes.size(), 4u);
    EXPECT_EQ(fn.probes[0], 0.0);
    EXPECT_EQ(fn.probes[1], 5.0);
    EXPECT_EQ(fn.probes[2], 0.0);  // the secant's own first two points
    EXPECT_EQ(fn.probes[3], 5.0);
}

// f(x0) >= 0 probes x0 - step first; a probe that moves away from zero turns
// the search round through x0.
TEST(FindRoot, TurnsRoundWhenFirstProbeMovesAway) {
    TestFct fn;
    fn.fn = [](double x) { return 10 - x; };  // root above x0
    bool failed = false;
    EXPECT_NEAR(FindRoot(fn, 0, 3, -100, 100, false, 1e-10, 50, 0, true, failed), 10.0, 1e-9);
    ASSERT_GE(fn.probes.size(), 4u);
    EXPECT_EQ(fn.probes[1], -3.0);
    EXPECT_EQ(fn.probes[2], 0.0);  // back through x0
    EXPECT_EQ(fn.probes[3], 3.0);
}

// A wrapped search continues from the wrapped value (370 -> 10).
TEST(FindRoot, WrapsProbesRoundTheInterval) {
    TestFct fn;
    fn.fn = [](double x) { return (x > 5 && x < 15) ? -1.0 : 1.0; };
    bool failed = false;
    FindRoot(fn, 340, 15, 0, 360, true, 1e-10, 3, 0, false, failed);
    ASSERT_GE(fn.probes.size(), 5u);
    const std::vector<double> expected{340, 325, 340, 355, 10};
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(fn.probes[i], expected[i], 1e-9);
}

// No sign change: the (part 1) failure after 1500 steps, never the (part 2).
TEST(FindRoot, NoSignChangeFailsAfterBoundedSteps) {
    RecordingReporter rec;
    TestFct fn;
    fn.fn = [](double x) { return 1 + x * x; };
    bool failed = false;
    EXPECT_EQ(FindRoot(fn, 0, 1, -1e300, 1e300, false, 1e-10, 50, 0, true, failed), 0.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, kPart1);
    EXPECT_EQ(fn.probes.size(), 2u + 1501u);
    EXPECT_FALSE(failed);

    rec.Clear();
    EXPECT_EQ(FindRoot(fn, 0, 1, -1e300, 1e300, false, 1e-10, 50, 0, false, failed), 0.0);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(rec.messages.empty());

    // A NaN from the function or as a start value stops at once.
    TestFct nan;
    nan.fn = [](double) { return kNaN; };
    failed = false;
    EXPECT_EQ(FindRoot(nan, 0, 1, -10, 10, false, 1e-10, 50, 0, false, failed), 0.0);
    EXPECT_TRUE(failed);
    EXPECT_EQ(nan.probes.size(), 1u);
    failed = false;
    EXPECT_EQ(FindRoot(fn, kNaN, 1, -10, 10, false, 1e-10, 50, 0, false, failed), 0.0);
    EXPECT_TRUE(failed);
}

// A failure of the refinement shows the (part 2) box only.
TEST(FindRoot, SecantFailureShowsPartTwoOnly) {
    RecordingReporter rec;
    TestFct fn;
    fn.fn = [](double x) { return x - 0.5; };
    bool failed = false;
    FindRoot(fn, 0, 1, -10, 10, false, 1e-10, 1, 0, true, failed);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, kPart2);
}

TEST(SolveNonlinearSystem, LinearSystemInFirstBroydenIteration) {
    RecordingReporter rec;
    TestFct fn;
    // 2u + v = 5 (equation 3), u - 3v = -1 (equation 4): u = 2, v = 1.
    fn.eq = [](const Vector& x, int i) {
        if (i == 3) return 2 * x(1) + x(2) - 5;
        if (i == 4) return x(1) - 3 * x(2) + 1;
        return 1e9;  // a wrong equation number would show
    };
    Vector x(2);
    x(1) = 10;
    x(2) = -7;
    EXPECT_TRUE(SolveNonlinearSystem(fn, x, 1e-6, 10, 3));
    EXPECT_NEAR(x(1), 2.0, 1e-7);
    EXPECT_NEAR(x(2), 1.0, 1e-7);
    EXPECT_TRUE(rec.messages.empty());
    // n^2 + n for the Jacobian (two per difference: 2 n^2), then n per iteration.
    EXPECT_EQ(fn.equationCalls, 2 * 4 + 2 + 2);
}

TEST(SolveNonlinearSystem, CircleAndDiagonal) {
    TestFct fn;
    fn.eq = [](const Vector& x, int i) {
        return i == 1 ? x(1) * x(1) + x(2) * x(2) - 4 : x(1) - x(2);
    };
    Vector x(2);
    x(1) = 1.0;
    x(2) = 1.2;
    EXPECT_TRUE(SolveNonlinearSystem(fn, x, 1e-10, 50, 1));
    EXPECT_NEAR(x(1), std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(x(2), std::sqrt(2.0), 1e-9);
}

TEST(SolveNonlinearSystem, FailurePaths) {
    RecordingReporter rec;
    TestFct fn;
    fn.eq = [](const Vector& x, int i) { return i == 1 ? x(1) + x(2) - 2 : x(1) - x(2); };
    Vector x(2);
    x(1) = 5;
    x(2) = 0;
    // maxIter 0: the first step is taken, then the failure box.
    EXPECT_FALSE(SolveNonlinearSystem(fn, x, 1e-8, 0, 1));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, kMathTitle);
    EXPECT_EQ(rec.messages[0].text, "Nonlinear system solution failed. See doc for help.");
    EXPECT_NEAR(x(1), 1.0, 1e-6);

    // A singular Jacobian: the matrix routine's own box stops the solver.
    rec.Clear();
    TestFct singular;
    singular.eq = [](const Vector& x, int) { return x(1) + x(2); };
    x(1) = 1;
    x(2) = 1;
    EXPECT_FALSE(SolveNonlinearSystem(singular, x, 1e-8, 10, 1));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Singular matrix. Unable to invert it.");
    EXPECT_EQ(x(1), 1.0);

    // NaN residuals stop with the solver's box, not a loop.
    rec.Clear();
    TestFct nan;
    nan.eq = [](const Vector& x, int i) { return x(1) > 1.5 ? kNaN : (i == 1 ? x(1) - 3 : x(2)); };
    x(1) = 0;
    x(2) = 0;
    EXPECT_FALSE(SolveNonlinearSystem(nan, x, 1e-8, 1000, 1));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Nonlinear system solution failed. See doc for help.");
    EXPECT_TRUE(std::isfinite(x(1)));
}

// Start values that already solve the system: the first step is zero, so the
// Broyden update has nothing to learn from (dx = 0, y = 0). Dividing by its
// zero denominator once turned the inverse into NaN and reported a failure
// for a system that was solved from the start.
TEST(SolveNonlinearSystem, StartOnTheSolutionConverges) {
    RecordingReporter rec;
    TestFct fn;
    fn.eq = [](const Vector& x, int i) {
        return i == 1 ? x(1) * x(1) + x(2) * x(2) - 25 : x(1) - 3;
    };
    Vector x(2);
    x(1) = 3;
    x(2) = 4;
    EXPECT_TRUE(SolveNonlinearSystem(fn, x, 1e-10, 20, 1));
    EXPECT_EQ(x(1), 3.0);
    EXPECT_EQ(x(2), 4.0);
    EXPECT_TRUE(rec.messages.empty());
}

// Simpson's rule is exact for a cubic: the first test passes, five evaluations.
TEST(IntegrateSimpson, CubicExactAtFirstTest) {
    TestFct fn;
    fn.fn = [](double x) { return 4 * x * x * x - 3 * x * x + 2 * x - 7; };
    const double F = [](double x) { return x * x * x * x - x * x * x + x * x - 7 * x; }(3.5) -
                     [](double x) { return x * x * x * x - x * x * x + x * x - 7 * x; }(-1.25);
    EXPECT_NEAR(IntegrateSimpson(fn, -1.25, 3.5, 1e-12, 1, 0), F, 1e-10);
    EXPECT_EQ(fn.probes.size(), 5u);
}

TEST(IntegrateSimpson, AdaptiveAndEdgeCases) {
    RecordingReporter rec;
    TestFct fn;
    fn.fn = [](double x) { return std::sin(x); };
    EXPECT_NEAR(IntegrateSimpson(fn, 0, 3.141592653589793, 1e-10, 50, 0), 2.0, 1e-9);
    // Reversed interval gives the negative.
    EXPECT_NEAR(IntegrateSimpson(fn, 3.141592653589793, 0, 1e-10, 50, 0), -2.0, 1e-9);
    EXPECT_EQ(IntegrateSimpson(fn, 1.0, 1.0, 1e-8, 10, 0), 0.0);
    EXPECT_TRUE(rec.messages.empty());

    // maxLevel 1 fails unless the first test passes; the partial sum is dropped.
    EXPECT_EQ(IntegrateSimpson(fn, 0, 3.141592653589793, 1e-10, 1, 0), 0.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_EQ(rec.messages[0].title, kMathTitle);
    EXPECT_EQ(rec.messages[0].text, "Numerical Integration function failed. See doc for help.");

    // A NaN integrand fails at once instead of splitting down to level 100.
    rec.Clear();
    TestFct nan;
    nan.fn = [](double x) { return x > 0.3 ? kNaN : x; };
    EXPECT_EQ(IntegrateSimpson(nan, 0, 1, 1e-8, 100, 0), 0.0);
    EXPECT_EQ(rec.messages.size(), 1u);
    EXPECT_LE(nan.probes.size(), 5u);
}

// The callback's catalogue ends at 0..14 and 1..6; a new instance remembers 0.
TEST(NautLibFct, OutOfCatalogueNumbersGiveZero) {
    NautLibFct fn;
    EXPECT_EQ(fn.f(1.0, 15), 0.0);
    EXPECT_EQ(fn.f(1.0, -1), 0.0);
    Vector x(2);
    x(1) = 0.3;
    x(2) = 0.2;
    EXPECT_EQ(fn.SysEq(x, 0), 0.0);
    EXPECT_EQ(fn.SysEq(x, 7), 0.0);
    EXPECT_EQ(fn.Remembered(), 0.0);
}

// Function 14 inverts the meridional parts; on a block of the test's own so
// that the shared one is not disturbed.
TEST(NautLibFct, MeridionalPartsInversion) {
    SolverParameters P;
    P.SolvTargetMP = MeridionalParts(37.5);
    NautLibFct fn(P);
    EXPECT_NEAR(fn.f(37.5, 14), 0.0, 1e-9);
    bool failed = false;
    EXPECT_NEAR(FindRoot(fn, 30, 0.1, -90, 90, true, 1e-10, 100, 14, false, failed), 37.5, 1e-9);
    EXPECT_FALSE(failed);
    EXPECT_NE(&fn.Params(), &SharedSolverParameters());
}
