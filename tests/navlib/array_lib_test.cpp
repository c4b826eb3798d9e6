#include "navlib/array_lib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "navlib/hooks.h"
#include "navlib/unit_conversions.h"

using namespace orvex;

namespace {

Vector Vec(int lower, std::initializer_list<double> values) {
    Vector v(lower, lower + static_cast<int>(values.size()) - 1);
    int i = lower;
    for (double x : values) v(i++) = x;
    return v;
}

}  // namespace

TEST(ArrayStatistics, WorkedValues) {
    const Vector a = Vec(1, {1, 2, 3, 6});
    EXPECT_EQ(ArrayMean(a), 3);
    EXPECT_EQ(ArrayMeanAbsDev(a), 1.5);
    // Element 0 of a 0-based array is part of it here.
    EXPECT_EQ(ArrayMean(Vec(0, {2, 4})), 3);
    // An empty array gives 0, not NaN.
    EXPECT_EQ(ArrayMean(Vector()), 0);
    EXPECT_EQ(ArrayMeanAbsDev(Vector()), 0);
}

TEST(ArrayStatistics, MaxMinRanges) {
    const Vector a = Vec(1, {4, -2, 9, 0, 9, -7});
    EXPECT_EQ(ArrayMax(a, -1, -1), 9);
    EXPECT_EQ(ArrayMin(a, -1, -1), -7);
    EXPECT_EQ(ArrayMax(a, 2, 2), -2);
    EXPECT_EQ(ArrayMin(a, 1, 4), -2);
    EXPECT_EQ(ArrayMax(a, 4, -1), 9);
    EXPECT_EQ(ArrayMax(a, 4, 4), 0);
    // An index beyond the array is kept inside it rather than read past it.
    EXPECT_EQ(ArrayMax(a, 1, 99), 9);
    EXPECT_EQ(ArrayMax(Vector(), -1, -1), 0);

    std::mt19937 gen(3);
    std::uniform_real_distribution<double> u(-1e3, 1e3);
    Vector r(0, 40);
    for (int i = 0; i <= 40; ++i) r(i) = u(gen);
    double mx = r(0), mn = r(0);
    for (int i = 0; i <= 40; ++i) mx = std::max(mx, r(i)), mn = std::min(mn, r(i));
    EXPECT_EQ(ArrayMax(r), mx);
    EXPECT_EQ(ArrayMin(r), mn);
}

// The table holds the chi-square quantile for two degrees of freedom,
// -2 ln(1 - p); a mistyped row would put the ellipse on the wrong scale.
TEST(EllipseScale, MatchesChiSquareQuantile) {
    for (double p : {0.3935, 0.5, 0.6826, 0.8647, 0.95, 0.9544, 0.99, 0.999}) {
        const double q = -2.0 * std::log(1.0 - p);
        EXPECT_NEAR(EllipseScaleForProbability(p), q, 5e-4 * q) << p;
    }
    EXPECT_EQ(EllipseScaleForProbability(0.95), 5.99146);
    EXPECT_EQ(EllipseScaleForProbability(0.9), -1);
    EXPECT_EQ(EllipseScaleForProbability(0.9500000001), -1);
}

// A bilinear function is reproduced exactly by bilinear interpolation
// anywhere inside the grid; a swapped index or a wrong cell shows at once.
TEST(Interpolate2D, ReproducesBilinearFunctions) {
    const Vector xs = Vec(1, {0.0, 0.2, 0.5, 1.0});
    const Vector ys = Vec(0, {0.5, 0.95, 0.99, 0.999});
    auto f = [](double x, double y) { return 3 + 2 * x - 5 * y + 7 * x * y; };
    Matrix t(1, 4, 0, 3);
    for (int i = 1; i <= 4; ++i)
        for (int j = 0; j <= 3; ++j) t(i, j) = f(xs(i), ys(j));
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> ux(0.0, 1.0), uy(0.5, 0.999);
    for (int k = 0; k < 2000; ++k) {
        const double x = ux(gen), y = uy(gen);
        EXPECT_NEAR(Interpolate2D(t, xs, ys, x, y), f(x, y), 1e-12);
    }
    // Grid points come back exactly, the last row and column included.
    for (int i = 1; i <= 4; ++i)
        for (int j = 0; j <= 3; ++j) EXPECT_EQ(Interpolate2D(t, xs, ys, xs(i), ys(j)), t(i, j));
    // A quarter of the way along x on a grid row of y.
    const double va = t(2, 1), vb = t(3, 1);
    EXPECT_NEAR(Interpolate2D(t, xs, ys, 0.2 + 0.25 * 0.3, 0.95), va + 0.25 * (vb - va), 1e-12);
    // Beyond the grid: the edge cell, never a read outside the table.
    EXPECT_EQ(Interpolate2D(t, xs, ys, 1.5, 0.95), t(4, 1));
    EXPECT_EQ(Interpolate2D(t, xs, ys, -1.0, 0.5), t(1, 0));
    EXPECT_TRUE(std::isfinite(Interpolate2D(t, xs, ys, NAN, NAN)));
}

TEST(SortParallel, KeepsRowsTogether) {
    Vector a = Vec(1, {3, 1, 2}), b = Vec(1, {30, 10, 20}), c = Vec(1, {-3, -1, -2});
    std::vector<std::string> names = {"C", "A", "B"};
    SortParallel(a, b, c, names);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(a(i), i);
        EXPECT_EQ(b(i), 10 * i);
        EXPECT_EQ(c(i), -i);
    }
    // Random rows with repeated keys: each row must stay whole and the keys
    // must come out in the order std::sort gives.
    std::mt19937 gen(9);
    std::uniform_int_distribution<int> u(0, 20);
    Vector k(0, 49), p(0, 49), q(0, 49);
    std::vector<std::string> n(50);
    std::vector<double> ref;
    for (int i = 0; i <= 49; ++i) {
        k(i) = u(gen);
        p(i) = k(i) * 2;
        q(i) = k(i) * 3;
        n[static_cast<size_t>(i)] = std::to_string(static_cast<int>(k(i)));
        ref.push_back(k(i));
    }
    std::sort(ref.begin(), ref.end());
    SortParallel(k, p, q, n);
    for (int i = 0; i <= 49; ++i) {
        EXPECT_EQ(k(i), ref[static_cast<size_t>(i)]);
        EXPECT_EQ(p(i), 2 * k(i));
        EXPECT_EQ(q(i), 3 * k(i));
        EXPECT_EQ(n[static_cast<size_t>(i)], std::to_string(static_cast<int>(k(i))));
    }
}

TEST(BinarySearchText, FindsTrimmedKeysCaseSensitively) {
    const std::vector<std::string> bodies = {"ACHERNAR", "ALDEBARAN", "JUPITER", "MARS",
                                             "MOONLOW",  "MOONUPP",   "SATURN",  "SUNLOW",
                                             "SUNUPP",   "VEGA",      "VENUS"};
    for (size_t i = 0; i < bodies.size(); ++i) {
        EXPECT_EQ(BinarySearchText(bodies[i], bodies), static_cast<int>(i));
        EXPECT_EQ(BinarySearchText(bodies[i], bodies, 1), static_cast<int>(i) + 1);
    }
    EXPECT_EQ(BinarySearchText("  MARS ", bodies), 3);
    EXPECT_EQ(BinarySearchText("mars", bodies), -1);
    EXPECT_EQ(BinarySearchText("MOON", bodies), -1);
    EXPECT_EQ(BinarySearchText("", bodies), -1);
    EXPECT_EQ(BinarySearchText("   ", bodies), -1);
    EXPECT_EQ(BinarySearchText("MARS", {}), -1);
    // Bytes above 127 sort after ASCII (unsigned byte order).
    const std::vector<std::string> bytes = {"A", "Z", "\xC3\xA9"};
    EXPECT_EQ(BinarySearchText("\xC3\xA9", bytes), 2);
}

// The middle of lo..hi rounds half to even: the first probe of 0..3 is 2,
// of 0..4 also 2. A list of equal names shows which index is probed first.
TEST(BinarySearchText, FirstProbeRoundsHalfToEven) {
    EXPECT_EQ(BinarySearchText("M", std::vector<std::string>(4, "M")), 2);
    EXPECT_EQ(BinarySearchText("M", std::vector<std::string>(5, "M")), 2);
    EXPECT_EQ(BinarySearchText("M", std::vector<std::string>(2, "M")), 0);     // 0.5 -> 0
    EXPECT_EQ(BinarySearchText("M", std::vector<std::string>(2, "M"), 1), 2);  // 1.5 -> 2
}

// The pause must run across midnight, where the clock starts again from 0;
// a pause that only compared raw readings would wait a whole day.
TEST(Pause, RunsAcrossMidnightAndPumpsEvents) {
    ManualClock clock(86399.9);
    int pumps = 0;
    SetEventPump([&] {
        ++pumps;
        clock.seconds = std::fmod(clock.seconds + 0.1, 86400.0);
    });
    Pause(0.3f);
    EXPECT_NEAR(clock.seconds, 0.2, 1e-9);
    EXPECT_EQ(pumps, 3);

    pumps = 0;
    Pause(0.0f);
    Pause(-1.0f);
    EXPECT_EQ(pumps, 0);
    SetEventPump(nullptr);
}

TEST(UnitConversions, WorkedValues) {
    EXPECT_DOUBLE_EQ(CelsiusToFahrenheit(20), 68);
    EXPECT_DOUBLE_EQ(FahrenheitToCelsius(68), 20);
    EXPECT_DOUBLE_EQ(CelsiusToFahrenheit(-40), -40);
    EXPECT_NEAR(MillibarsToInchesHg(1013), 29.91389, 1e-9);
    const double back = InchesHgToMillibars(MillibarsToInchesHg(1013));
    EXPECT_NEAR(back, 1013, 0.003);
    EXPECT_NE(back, 1013);
    // The standard atmosphere: 1013.25 hPa is 29.92 inHg.
    EXPECT_NEAR(MillibarsToInchesHg(1013.25), 29.92, 0.005);
}

// A nautical mile, 1852 m, is 6076.115 international feet; the feet shown
// use the rounded factor, the metres kept the exact foot.
TEST(UnitConversions, HeightsInFeet) {
    EXPECT_NEAR(MetresToFeet(1852), 6076.115, 1e-3);
    EXPECT_NEAR(FeetToMetres(6076.115), 1852, 1e-3);
    EXPECT_NEAR(MetresToFeet(FeetToMetres(327.9)), 327.9, 2e-5);  // far below the 0.1 shown
}
