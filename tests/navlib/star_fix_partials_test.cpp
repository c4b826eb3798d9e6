#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "navlib/constants.h"
#include "navlib/fix_precision.h"
#include "navlib/hooks.h"
#include "navlib/sight_reduction.h"
#include "navlib/star_fix.h"

using namespace orvex;

namespace {

struct RunSetup {
    double lat0, lon0, course, speed;
    EarthModel E;
};

constexpr int kSights = 6;

// Sight times from 3 h before to 2 h after the wanted time, and places of
// bodies all round the sky.
Vector Times() {
    Vector t(0, kSights);
    t(0) = 46096.9;
    const double offsets[kSights] = {-3.0, -2.2, -1.0, -0.3, 0.8, 2.0};
    for (int i = 1; i <= kSights; ++i) t(i) = t(0) + offsets[i - 1] / 24.0;
    return t;
}

void Places(Vector& gha, Vector& dec) {
    gha = Vector(kSights);
    dec = Vector(kSights);
    const double g[kSights] = {20.0, 75.0, 130.0, 200.0, 260.0, 330.0};
    const double d[kSights] = {35.0, -10.0, 55.0, 5.0, -40.0, 20.0};
    for (int i = 1; i <= kSights; ++i) {
        gha(i) = g[i - 1];
        dec(i) = d[i - 1];
    }
}

// Sight positions for the run from (lat0, lon0).
void Run(const RunSetup& s, double lat0, double course, double speed, Vector& lat, Vector& lon,
         Vector& mlat) {
    const Vector t = Times();
    lat = Vector(0, kSights);
    lon = Vector(0, kSights);
    mlat = Vector(kSights);
    lat(0) = lat0;
    lon(0) = s.lon0;
    ASSERT_EQ(RunPositionToSight(kSights, course, speed, t, lat, lon, mlat, s.E),
              ArithmeticFault::None);
}

// Checks D1..D8 of ComputeRunPartials against central differences of the
// run (RunPositionToSight) and of the computed altitude.
// lonRel: relative tolerance on the longitude derivatives D4, D6, D8.
void CheckPartials(const RunSetup& s, double tolerance, double lonRel = 0.0) {
    SCOPED_TRACE(::testing::Message()
                 << "course " << s.course << " lat " << s.lat0 << " F " << s.E.InvFlattening);
    const Vector t = Times();
    Vector gha, dec;
    Places(gha, dec);
    Vector lat, lon, mlat;
    Run(s, s.lat0, s.course, s.speed, lat, lon, mlat);
    Vector hc(kSights);
    for (int i = 1; i <= kSights; ++i) hc(i) = ComputeAltitude(lat(i), lon(i), gha(i), dec(i));
    RunPartials D;
    ASSERT_EQ(
        ComputeRunPartials(kSights, s.course, s.speed, t, lat, lon, mlat, dec, gha, hc, 4, D, s.E),
        ArithmeticFault::None);

    // Altitude by latitude and longitude of the sight (per radian).
    const double h = 1e-5;  // degrees
    for (int i = 1; i <= kSights; ++i) {
        const double d1 = (ComputeAltitude(lat(i) + h, lon(i), gha(i), dec(i)) -
                           ComputeAltitude(lat(i) - h, lon(i), gha(i), dec(i))) /
                          (2 * h);
        const double d2 = (ComputeAltitude(lat(i), lon(i) + h, gha(i), dec(i)) -
                           ComputeAltitude(lat(i), lon(i) - h, gha(i), dec(i))) /
                          (2 * h);
        EXPECT_NEAR(D.D1(i), d1, 1e-7) << i;
        EXPECT_NEAR(D.D2(i), d2, 1e-7) << i;
    }

    // Position of each sight by the latitude at the wanted time, the course
    // and the speed.
    Vector la1, lo1, m1, la2, lo2, m2;
    Run(s, s.lat0 + h, s.course, s.speed, la1, lo1, m1);
    Run(s, s.lat0 - h, s.course, s.speed, la2, lo2, m2);
    for (int i = 1; i <= kSights; ++i) {
        EXPECT_NEAR(D.D3(i), (la1(i) - la2(i)) / (2 * h), tolerance) << "D3 " << i;
        const double d4 = std::remainder(lo1(i) - lo2(i), 360.0) / (2 * h);
        EXPECT_NEAR(D.D4(i), d4, tolerance + lonRel * std::fabs(d4)) << "D4 " << i;
    }
    Run(s, s.lat0, s.course + h, s.speed, la1, lo1, m1);
    Run(s, s.lat0, s.course - h, s.speed, la2, lo2, m2);
    for (int i = 1; i <= kSights; ++i) {
        EXPECT_NEAR(D.D5(i), (la1(i) - la2(i)) / (2 * h), tolerance) << "D5 " << i;
        const double d6 = std::remainder(lo1(i) - lo2(i), 360.0) / (2 * h);
        EXPECT_NEAR(D.D6(i), d6, tolerance + lonRel * std::fabs(d6)) << "D6 " << i;
    }
    const double hv = 1e-3;  // knots
    Run(s, s.lat0, s.course, s.speed + hv, la1, lo1, m1);
    Run(s, s.lat0, s.course, s.speed - hv, la2, lo2, m2);
    for (int i = 1; i <= kSights; ++i) {
        // Per knot, the position in radians.
        EXPECT_NEAR(D.D7(i), (la1(i) - la2(i)) * kDegToRad / (2 * hv), tolerance * 1e-2)
            << "D7 " << i;
        const double d8 = std::remainder(lo1(i) - lo2(i), 360.0) * kDegToRad / (2 * hv);
        EXPECT_NEAR(D.D8(i), d8, tolerance * 1e-2 + lonRel * std::fabs(d8)) << "D8 " << i;
    }
}

}  // namespace

// The design matrix of the fix is built from these derivatives: a wrong sign
// or factor slows the iteration or, for course and speed, moves the answer.
// Ellipsoid, general courses in every quadrant.
TEST(ComputeRunPartials, MatchCentralDifferencesOnEllipsoid) {
    const EarthModel wgs{298.257223563, 6378137.0 / 1852.0};
    for (double course : {30.0, 135.0, 200.0, 315.0, 358.0})
        for (double lat0 : {-50.0, 10.0, 45.0})
            CheckPartials({lat0, -30.0, course, 18.0, wgs}, 1e-5);
}

// Courses within half a degree of east or west take the parallel-sailing
// forms; the longitude by the latitude (D4) has its last term subtracted.
TEST(ComputeRunPartials, EastWestCoursesMatchCentralDifferences) {
    const EarthModel wgs{298.257223563, 6378137.0 / 1852.0};
    for (double course : {89.8, 90.2, 269.6, 270.4})
        for (double lat0 : {-50.0, 10.0, 45.0})
            CheckPartials({lat0, 150.0, course, 18.0, wgs}, 1e-5);
}

// On the sphere model. Its rhumb line is the navigator's Mercator sailing
// with the meridional parts of the Clarke 1880 spheroid, while the
// derivatives take the sphere's own (e = 0) isometric latitude: the
// longitude derivatives of general courses differ by the spheroid's
// eccentricity, up to 0.7 % (e² of Clarke 1880), which only slows the iteration imperceptibly.
// The rest, and the parallel-sailing forms, agree exactly.
TEST(ComputeRunPartials, MatchCentralDifferencesOnSphere) {
    const EarthModel sphere{1e100, 3437.7468};
    for (double course : {30.0, 135.0, 315.0})
        for (double lat0 : {-50.0, 10.0, 45.0})
            CheckPartials({lat0, -30.0, course, 18.0, sphere}, 1e-5, 0.008);
    for (double course : {89.8, 90.2, 269.6, 270.4})
        for (double lat0 : {-50.0, 10.0, 45.0})
            CheckPartials({lat0, -30.0, course, 18.0, sphere}, 1e-5);
}

namespace {

double NormalCdf(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// Probability that a normal error with standard deviations 1 and q along
// its axes falls within radius r: integral over x of the density of x times
// the probability of |y| < sqrt(r^2 - x^2), by Simpson's rule.
double CircleProbability(double r, double q) {
    if (q == 0.0) return std::erf(r / std::sqrt(2.0));
    const int n = 20000;
    const double h = 2 * r / n;
    double sum = 0;
    for (int k = 0; k <= n; ++k) {
        const double x = -r + k * h;
        const double yMax = std::sqrt(std::max(0.0, r * r - x * x));
        const double f =
            std::exp(-x * x / 2) / std::sqrt(2 * 3.141592653589793) * (2 * NormalCdf(yMax / q) - 1);
        sum += f * ((k == 0 || k == n) ? 1 : (k % 2 ? 4 : 2));
    }
    return sum * h / 3;
}

}  // namespace

// The circle of equal probability: each row of the factor table, used
// through EllipseProbabilityFactor, must hold its probability for a
// bivariate normal error (within 1e-4).
TEST(EllipseProbabilityFactor, TableMatchesBivariateNormal) {
    for (double p : {0.5, 0.95, 0.99, 0.999})
        for (int i = 0; i <= 10; ++i) {
            const double q = i / 10.0;
            // The smaller deviation first or second gives the same radius.
            const double r = EllipseProbabilityFactor(p, 2.0, 2.0 * q == 0 ? 1e-300 : 2.0 * q);
            const double r2 = EllipseProbabilityFactor(p, 2.0 * q == 0 ? 1e-300 : 2.0 * q, 2.0);
            EXPECT_DOUBLE_EQ(r, r2);
            EXPECT_NEAR(CircleProbability(r / 2.0, q), p, 1e-4) << "p " << p << " q " << q;
        }
}

// Between the rows the factor is interpolated linearly; outside the four
// levels the answer is -1; a zero deviation is an arithmetic failure.
TEST(EllipseProbabilityFactor, InterpolationLevelsAndZero) {
    EXPECT_NEAR(EllipseProbabilityFactor(0.95, 1.0, 0.25), (1.97041 + 1.98420) / 2, 1e-12);
    EXPECT_NEAR(EllipseProbabilityFactor(0.5, 3.0, 3.0), 3 * 1.17741, 1e-12);
    EXPECT_EQ(EllipseProbabilityFactor(0.9, 1.0, 0.5), -1.0);
    EXPECT_EQ(EllipseProbabilityFactor(0.9500000001, 1.0, 0.5), -1.0);
    ArithmeticFault f = ArithmeticFault::None;
    EllipseProbabilityFactor(0.95, 0.0, 1.0, &f);
    EXPECT_EQ(f, ArithmeticFault::DivisionByZero);
}

// The ellipse's scale and the circle for a deviation known (dof 0) or
// estimated: the chi-square values, the closed form of F(2, dof), the
// table of the circle of equal probability, and its two limits, the circle
// (q = 1, the ellipse itself) and the line (q = 0, Student's t).
TEST(FixPrecision, EllipseScaleAndCircleAgainstTheirLimits) {
    const double chi2[4] = {1.38629, 5.99146, 9.21034, 13.81551};
    const double levels[4] = {0.5, 0.95, 0.99, 0.999};
    for (int l = 0; l < 4; ++l) {
        const double p = levels[l];
        EXPECT_NEAR(EllipseScale(p, 0), chi2[l], 1e-5);
        EXPECT_NEAR(EllipseScale(p, 100000), chi2[l], 1e-3);
        EXPECT_NEAR(EllipseScale(p, 3), 3.0 * (std::pow(1.0 - p, -2.0 / 3.0) - 1.0), 1e-9);
        for (int i = 0; i <= 10; ++i) {
            const double q = i / 10.0;
            const double r = CircleRadius(p, 2.0, 2.0 * q, 0);
            EXPECT_NEAR(r, EllipseProbabilityFactor(p, 2.0, 2.0 * q == 0 ? 1e-300 : 2.0 * q),
                        1e-4 * r)
                << p << " " << q;
            EXPECT_NEAR(CircleProbability(r / 2.0, q), p, 1e-6) << p << " " << q;
        }
        EXPECT_NEAR(CircleRadius(p, 1.5, 1.5, 4), 1.5 * std::sqrt(EllipseScale(p, 4)), 1e-9);
        EXPECT_NEAR(CircleProbability(CircleRadius(p, 3.0, 0.7, 6), 3.0, 0.7, 6), p, 1e-9);
    }
    EXPECT_NEAR(EllipseScale(0.95, 1), 399.0, 1e-9);
    EXPECT_NEAR(CircleRadius(0.95, 1.0, 0.0, 3), 3.182446305, 1e-6);  // t(3) at 0.975
    EXPECT_EQ(CircleRadius(0.95, 0.0, 0.0, 3), -1.0);
}
