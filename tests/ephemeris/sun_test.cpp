#include "ephemeris/sun.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "ephemeris/time_argument.h"
#include "erfa_instant.h"

using namespace orvex;

namespace {

using orvex::testing::AngleDiff;

// ERFA's apparent Sun for the instant given both as UT1 and TT: the
// geocentric direction from the barycentric-heliocentric Earth ephemeris,
// annual aberration from the Earth's barycentric velocity, then bias,
// precession and nutation (IAU 2006/2000A) to the true equator and equinox;
// the hour angle from the apparent sidereal time.
void ErfaSun(double T, double& gha, double& dec, double& dist) {
    const double dj = T * ERFA_DJC;
    double pvh[2][3], pvb[2][3];
    eraEpv00(ERFA_DJ00, dj, pvh, pvb);
    double p[3] = {-pvh[0][0], -pvh[0][1], -pvh[0][2]};
    double u[3];
    eraPn(p, &dist, u);
    double v[3];
    for (int i = 0; i < 3; ++i) v[i] = pvb[1][i] * ERFA_AULT / ERFA_DAYSEC;
    const double bm1 = std::sqrt(1.0 - eraPdp(v, v));
    double app[3];
    eraAb(u, v, dist, bm1, app);
    double rnpb[3][3], q[3];
    eraPnm06a(ERFA_DJ00, dj, rnpb);
    eraRxp(rnpb, app, q);
    double ra = 0, d = 0;
    eraC2s(q, &ra, &d);
    dec = d * ERFA_DR2D;
    gha = eraAnp(eraGst06a(ERFA_DJ00, dj, ERFA_DJ00, dj) - ra) * ERFA_DR2D;
}

}  // namespace

// The published mean elements at J2000.0 (T1900 = 1): a wrong power or a
// perturbation term with the wrong function shows in the fifth decimal.
TEST(Sun, MeanElementsAtJ2000) {
    const SunElements el = SunMeanElements(0.0);
    EXPECT_NEAR(el.L, 280.461696, 1e-6);
    EXPECT_NEAR(el.eps0, 23.439280, 1e-6);
    EXPECT_NEAR(el.M, 357.525427, 1e-6);
    EXPECT_NEAR(el.e, 0.016709114, 1e-9);
    EXPECT_NEAR(el.dR, 0.0000110, 1e-7);
    double gamma = 0, r = 0;
    SolveKepler(el.e, el.M, gamma, r);
    EXPECT_NEAR(gamma, -0.084430, 1e-6);
    EXPECT_NEAR(r, 0.983307, 1e-6);
    EXPECT_NEAR(el.L + gamma, 280.377265, 1e-6);
    EXPECT_NEAR(r * 1.0000002 + el.dR, 0.983318, 1e-6);
}

// Kepler's equation at its special points, and against the textbook
// closed-form check E - e sin E = M for a spread of anomalies.
TEST(Sun, SolveKeplerSpecialPoints) {
    double gamma = 1, r = 0;
    for (double M : {0.0, 37.0, 180.0, 299.5}) {
        SolveKepler(0.0, M, gamma, r);
        EXPECT_NEAR(gamma, 0.0, 1e-9) << M;
        EXPECT_NEAR(r, 1.0, 1e-12) << M;
    }
    SolveKepler(0.2, 0.0, gamma, r);
    EXPECT_NEAR(gamma, 0.0, 1e-9);
    EXPECT_NEAR(r, 0.8, 1e-12);
    SolveKepler(0.2, 360.0, gamma, r);
    EXPECT_NEAR(gamma, 0.0, 1e-9);
    EXPECT_NEAR(r, 0.8, 1e-12);
    SolveKepler(0.2, 180.0, gamma, r);
    EXPECT_NEAR(gamma, 0.0, 1e-8);
    EXPECT_NEAR(r, 1.2, 1e-12);

    // True anomaly against the half-angle formula for an eccentricity like
    // Mars's; negative and over-turn anomalies are brought into 0..360.
    const double e = 0.0934;
    for (double M = -400.0; M <= 400.0; M += 7.3) {
        SolveKepler(e, M, gamma, r);
        const double m = std::fmod(std::fmod(M, 360.0) + 360.0, 360.0) * ERFA_DD2R;
        double E = m;
        for (int i = 0; i < 100; ++i) E = E - (E - e * std::sin(E) - m) / (1 - e * std::cos(E));
        const double v = 2.0 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
        EXPECT_NEAR(AngleDiff(m * ERFA_DR2D + gamma, v * ERFA_DR2D), 0.0, 1e-8) << M;
        EXPECT_NEAR(r, 1 - e * std::cos(E), 1e-10) << M;
    }
}

// Newton's method from its second-order start meets Kepler's equation to
// the tolerance of the fixed-point iteration it replaces, 1e-11 radian,
// for the eccentricities of the Sun and the planets and far beyond (the
// fixed point, 50 steps from e, was 3e-3 off at 0.9): the
// equation of the centre against the solution in long double, and the
// radius vector.
TEST(Sun, SolveKeplerToItsTolerance) {
    for (double e : {0.0, 0.0167, 0.0484, 0.0934, 0.25, 0.6, 0.9}) {
        double worst = 0.0;
        for (double M = -400.0; M <= 400.0; M += 0.37) {
            double gamma = 0, r = 0;
            SolveKepler(e, M, gamma, r);
            const long double m =
                std::fmod(std::fmod(M, 360.0) + 360.0, 360.0) * 0.01745329251993889L;
            long double E = m;
            for (int i = 0; i < 60; ++i) E -= (E - e * std::sin(E) - m) / (1 - e * std::cos(E));
            const long double v =
                std::atan2(std::sqrt(1.0L - e * e) * std::sin(E), std::cos(E) - e);
            const long double dv = std::remainder(
                static_cast<double>((m + gamma * 0.01745329251993889L - v)), 2.0 * M_PI);
            // dv / dE = sqrt(1 - e^2) / (1 - e cos E): back to the anomaly E.
            const double dE =
                static_cast<double>(dv * (1 - e * std::cos(E)) / std::sqrt(1 - e * e));
            worst = std::max(worst, std::fabs(dE));
            EXPECT_NEAR(r, static_cast<double>(1 - e * std::cos(E)), 1e-11) << e << " " << M;
        }
        EXPECT_LT(worst, 1e-11) << e;
    }
}

// A NaN must come back at once, not spin in the iteration for ever; an
// eccentricity the iteration cannot handle stops after its bound.
TEST(Sun, SolveKeplerEndsOnBadInput) {
    double gamma = 0, r = 0;
    SolveKepler(std::numeric_limits<double>::quiet_NaN(), 10.0, gamma, r);
    EXPECT_TRUE(std::isnan(gamma));
    EXPECT_TRUE(std::isnan(r));
    SolveKepler(0.1, std::numeric_limits<double>::quiet_NaN(), gamma, r);
    EXPECT_TRUE(std::isnan(gamma));
    EXPECT_TRUE(std::isnan(r));
    SolveKepler(3.0, 100.0, gamma, r);  // diverges: must still return
    SUCCEED();
}

// Against ERFA's apparent Sun, 1990-2040: within 0.3' in hour angle and 0.12'
// in declination, and the distance to 1e-4 au. A wrong sign of the
// aberration or of the equation of the equinoxes, or a perturbation term
// dropped, breaks these limits.
TEST(Sun, AgreesWithErfaApparentSun1990To2040) {
    std::mt19937 gen(2104);
    std::uniform_real_distribution<double> dist(JulianCenturiesJ2000(1, 1, 1990, 0.0),
                                                JulianCenturiesJ2000(31, 12, 2040, 24.0));
    double worstGha = 0, worstDec = 0;
    for (int i = 0; i < 3000; ++i) {
        const double T = dist(gen);
        double gha = 0, dec = 0, R = 0;
        SunEphemeris(T, gha, dec, R);
        ASSERT_GE(gha, 0.0);
        ASSERT_LT(gha, 360.0);
        double rgha = 0, rdec = 0, rdist = 0;
        ErfaSun(T, rgha, rdec, rdist);
        worstGha = std::max(worstGha, std::fabs(AngleDiff(gha, rgha)) * 60.0);
        worstDec = std::max(worstDec, std::fabs(dec - rdec) * 60.0);
        ASSERT_NEAR(R, rdist, 1e-4) << T;
        ASSERT_GT(R, 0.983);
        ASSERT_LT(R, 1.017);
    }
    EXPECT_LT(worstGha, 0.3);
    EXPECT_LT(worstDec, 0.12);
    std::printf("Sun vs ERFA, worst: hour angle %.4f', declination %.4f'\n", worstGha, worstDec);
}

// The Sun's Newcomb obliquity (which the Sun, the planets and the stars use)
// stays within 0.1" of the IAU 1980 mean obliquity over 1900-2100 (0.04" at
// J2000, from the older constant term); a wrong sign of a power of T1900 would
// put it seconds of arc away at the ends of the range.
TEST(Sun, NewcombObliquityAgreesWithErfaObl80) {
    for (double T = -1.0; T <= 1.0; T += 0.01) {
        const double ref = eraObl80(ERFA_DJ00, T * ERFA_DJC) * ERFA_DR2D;
        ASSERT_NEAR((SunMeanElements(T).eps0 - ref) * 3600.0, 0.0, 0.1) << T;
    }
}
