#include "ephemeris/precession_nutation.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ephemeris/nutation_table.h"
#include "erfa_instant.h"

using namespace orvex;

namespace {

using orvex::testing::AngleDiff;

constexpr double kArcsec = 1.0 / 3600.0;

// Instants spread over 1900-2100 (T from -1 to +1).
std::vector<double> SampleCenturies(unsigned seed, int n) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> out{-1.0, 0.0, 1.0};
    for (int i = 0; i < n; ++i) out.push_back(dist(gen));
    return out;
}

}  // namespace

// The three IAU 1976 angles against ERFA (which returns them as zeta, z,
// theta in radians): a swapped pair of angles or a wrong quadratic term shows.
TEST(Precession, AnglesAgreeWithErfaPrec76) {
    for (double T : SampleCenturies(76, 500)) {
        double zeta = 0, theta = 0, z = 0;
        PrecessionAngles(T, zeta, theta, z);
        double rz = 0, rzz = 0, rth = 0;
        eraPrec76(ERFA_DJ00, 0.0, ERFA_DJ00, T * ERFA_DJC, &rz, &rzz, &rth);
        ASSERT_NEAR(zeta, rz * ERFA_DR2AS, 0.01) << T;
        ASSERT_NEAR(theta, rth * ERFA_DR2AS, 0.01) << T;
        ASSERT_NEAR(z, rzz * ERFA_DR2AS, 0.01) << T;
    }
}

// The rotation built from the angles must equal ERFA's precession matrix
// applied to the same place, all over the sky: a wrong sign in one of the
// three angles moves stars by up to a degree per century.
TEST(Precession, RotationAgreesWithErfaMatrix) {
    std::mt19937 gen(2102);
    std::uniform_real_distribution<double> ura(0.0, 360.0), udec(-89.5, 89.5), ut(-1.0, 1.0);
    for (int i = 0; i < 500; ++i) {
        const double ra = ura(gen), dec = udec(gen), T = ut(gen);
        double zeta = 0, theta = 0, z = 0;
        PrecessionAngles(T, zeta, theta, z);
        double newDec = 0, newRa = 0;
        ApplyPrecession(90.0 - zeta / 3600.0, theta / 3600.0, -90.0 - z / 3600.0, dec, ra, newDec,
                        newRa);
        ASSERT_GE(newRa, 0.0);
        ASSERT_LT(newRa, 360.0);

        double rp[3][3], p[3], q[3];
        eraPmat76(ERFA_DJ00, T * ERFA_DJC, rp);
        eraS2c(ra * ERFA_DD2R, dec * ERFA_DD2R, p);
        eraRxp(rp, p, q);
        double rra = 0, rdec = 0;
        eraC2s(q, &rra, &rdec);
        ASSERT_NEAR(newDec, rdec * ERFA_DR2D, 0.01 * kArcsec);
        ASSERT_NEAR(AngleDiff(newRa, rra * ERFA_DR2D) * std::cos(rdec), 0.0, 0.01 * kArcsec);
    }
}

// Zero angles leave a place where it was (only the right ascension is
// brought into 0..360).
TEST(Precession, ZeroAtEpoch) {
    double zeta = 1, theta = 1, z = 1;
    PrecessionAngles(0.0, zeta, theta, z);
    EXPECT_EQ(zeta, 0.0);
    EXPECT_EQ(theta, 0.0);
    EXPECT_EQ(z, 0.0);
    double dec = 0, ra = 0;
    ApplyPrecession(90.0, 0.0, -90.0, -16.7, 101.3, dec, ra);
    EXPECT_NEAR(dec, -16.7, 1e-9);
    EXPECT_NEAR(ra, 101.3, 1e-9);
    ApplyPrecession(90.0, 0.0, -90.0, 12.0, -10.0, dec, ra);
    EXPECT_NEAR(ra, 350.0, 1e-9);
}

// The published sums at the worked instants: a slip in a coefficient or a
// row's multiples shows at the third decimal.
TEST(Nutation, WorkedInstants) {
    double dpsi = 0, deps = 0;
    Nutation(-0.127296372348, dpsi, deps);
    EXPECT_NEAR(dpsi, -3.788, 0.0005);
    EXPECT_NEAR(deps, 9.443, 0.0005);
    Nutation(0.0, dpsi, deps);
    EXPECT_NEAR(dpsi, -13.923, 0.0005);
    EXPECT_NEAR(deps, -5.774, 0.0005);
}

// Against ERFA's full 106-term IAU 1980 series over 1900-2100: the 63 terms
// kept must carry it to 0.01". A row with a wrong multiple or sign costs
// more than that.
TEST(Nutation, AgreesWithErfaNut80) {
    double worstPsi = 0, worstEps = 0;
    for (double T : SampleCenturies(80, 3000)) {
        double dpsi = 0, deps = 0;
        Nutation(T, dpsi, deps);
        double rpsi = 0, reps = 0;
        eraNut80(ERFA_DJ00, T * ERFA_DJC, &rpsi, &reps);
        worstPsi = std::max(worstPsi, std::fabs(dpsi - rpsi * ERFA_DR2AS));
        worstEps = std::max(worstEps, std::fabs(deps - reps * ERFA_DR2AS));
    }
    EXPECT_LT(worstPsi, 0.01);
    EXPECT_LT(worstEps, 0.01);
}

// The table is built once and kept; a later call with an earlier T must give
// what a first call would, and the rows keep their published ends.
TEST(Nutation, CallsAreIndependentAndTableEndsArePublished) {
    double a1 = 0, b1 = 0, a2 = 0, b2 = 0, a3 = 0, b3 = 0;
    Nutation(0.3, a1, b1);
    Nutation(-0.7, a2, b2);
    Nutation(0.3, a3, b3);
    EXPECT_EQ(a1, a3);
    EXPECT_EQ(b1, b3);
    EXPECT_NE(a1, a2);

    const NutationTerm& first = kNutationTerms[1];
    EXPECT_EQ(first.Om, 1);
    EXPECT_EQ(first.D + std::fabs(first.M) + std::fabs(first.Mp) + std::fabs(first.F), 0);
    EXPECT_EQ(first.S, -171996);
    EXPECT_EQ(first.S1, -174.2);
    EXPECT_EQ(first.C, 92025);
    EXPECT_EQ(first.C1, 8.9);
    const NutationTerm& last = kNutationTerms[kNutationTermCount];
    EXPECT_EQ(last.D, 2);
    EXPECT_EQ(last.M, -1);
    EXPECT_EQ(last.Mp, 0);
    EXPECT_EQ(last.F, 2);
    EXPECT_EQ(last.Om, 2);
    EXPECT_EQ(last.S, -3);
    EXPECT_EQ(last.C, 0);
    EXPECT_EQ(last.C1, 0);
}

// Laskar's obliquity agrees with the IAU 1980 mean obliquity to 0.01" over
// 1900-2100 and equals its constant term at J2000.
TEST(Obliquity, LaskarAgreesWithErfaObl80) {
    EXPECT_NEAR(MeanObliquityLaskar(0.0), 23.43929111, 1e-12);
    for (double T : SampleCenturies(1980, 500)) {
        const double ref = eraObl80(ERFA_DJ00, T * ERFA_DJC) * ERFA_DR2D;
        ASSERT_NEAR(MeanObliquityLaskar(T), ref, 0.01 * kArcsec) << T;
    }
}

// The first-order corrections against ERFA's rigorous nutation rotation (mean
// to true equator and equinox) away from the poles: a sign slip in p or q, or
// the true obliquity where the mean one belongs, costs tenths of a second.
TEST(Nutation, CorrectionsInRaDecAgreeWithRigorousRotation) {
    std::mt19937 gen(4);
    std::uniform_real_distribution<double> ura(0.0, 360.0), udec(-75.0, 75.0), ut(-1.0, 1.0);
    for (int i = 0; i < 300; ++i) {
        const double ra = ura(gen), dec = udec(gen), T = ut(gen);
        const double dj = T * ERFA_DJC;
        double rpsi = 0, reps = 0;
        eraNut80(ERFA_DJ00, dj, &rpsi, &reps);
        const double eps0 = eraObl80(ERFA_DJ00, dj);
        double dDec = 0, dRa = 0;
        NutationInRaDec(eps0 * ERFA_DR2D, -rpsi * ERFA_DR2AS, -reps * ERFA_DR2AS, dec, ra, dDec,
                        dRa);

        double rn[3][3], p[3], q[3];
        eraNumat(eps0, rpsi, reps, rn);
        eraS2c(ra * ERFA_DD2R, dec * ERFA_DD2R, p);
        eraRxp(rn, p, q);
        double rra = 0, rdec = 0;
        eraC2s(q, &rra, &rdec);
        const double trueDra = AngleDiff(rra * ERFA_DR2D, ra) * 3600.0;
        const double trueDdec = (rdec * ERFA_DR2D - dec) * 3600.0;
        ASSERT_NEAR(dDec, trueDdec, 0.005);
        ASSERT_NEAR(dRa * std::cos(dec * ERFA_DD2R), trueDra * std::cos(dec * ERFA_DD2R), 0.005);
    }
    double dDec = 1, dRa = 1;
    NutationInRaDec(23.44, 0.0, 0.0, 40.0, 100.0, dDec, dRa);
    EXPECT_EQ(dDec, 0.0);
    EXPECT_EQ(dRa, 0.0);
}
