#include "navlib/sight_reduction.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "navlib/constants.h"
#include "navlib/hooks.h"
#include "navlib/unit_conversions.h"
#include "synthetic_sights.h"

using namespace orvex;

namespace {

constexpr double kD2R = ERFA_DD2R;

ObservationSet OneSight(const std::string& body, double hs, double dist) {
    ObservationSet obs(1);
    obs.SetSight(1, 46000.5, body, hs, 0.0);
    obs.ObsDist(1) = dist;
    obs.ObsLat(1) = 40.0;
    obs.ObsLong(1) = -20.0;
    obs.ObsGHA(1) = 35.0;
    obs.ObsDec(1) = 12.0;
    return obs;
}

double ReducedHo(const std::string& body, double hs, double dist, double heightEye = 0.0,
                 double tAir = 10.0, double tSea = 10.0, double press = 1010.16) {
    ObservationSet obs = OneSight(body, hs, dist);
    EXPECT_EQ(ReduceSights(1, heightEye, tAir, tSea, press, obs), ArithmeticFault::None);
    return obs.ObsHo(1);
}

}  // namespace

// Azimuth and altitude against ERFA's equatorial-to-horizon conversion over a
// dense random set of positions and places: a wrong sign of the hour angle
// or a swapped argument of the arctangent shows here.
TEST(SightReduction, AzimuthAndAltitudeMatchErfa) {
    std::mt19937 gen(42);
    std::uniform_real_distribution<double> lat(-89.0, 89.0), lon(-180.0, 180.0), gha(0.0, 360.0),
        dec(-70.0, 70.0);
    int compared = 0;
    for (int k = 0; k < 20000; ++k) {
        const double la = lat(gen), lo = lon(gen), g = gha(gen), d = dec(gen);
        double az, el;
        // ERFA is given the angles converted with the program's own pi, so
        // that only the formulas are compared.
        eraHd2ae((g + lo) * kDegToRad, d * kDegToRad, la * kDegToRad, &az, &el);
        if (std::fabs(el) > 89.0 * kD2R) continue;  // azimuth ill-defined near the zenith
        const double azDeg = az * kRadToDeg, elDeg = el * kRadToDeg;
        EXPECT_NEAR(ComputeAltitude(la, lo, g, d), elDeg, 1e-9);
        double zn = ComputeAzimuth(la, lo, g, d);
        EXPECT_GE(zn, 0.0);
        EXPECT_LT(zn, 360.0);
        double diff = std::fabs(zn - azDeg);
        if (diff > 180) diff = 360 - diff;
        EXPECT_LT(diff, 1e-9) << la << " " << lo << " " << g << " " << d;
        // The two angles of the hour angle may come in either order.
        EXPECT_EQ(ComputeAzimuth(la, g, lo, d), zn);
        ++compared;
    }
    EXPECT_GT(compared, 19000);
}

// The cardinal directions: due south 180, due north 0, east 90, west 270.
TEST(SightReduction, AzimuthCardinalPoints) {
    EXPECT_DOUBLE_EQ(ComputeAzimuth(40.0, 0.0, 0.0, 10.0), 180.0);
    EXPECT_DOUBLE_EQ(ComputeAzimuth(40.0, 0.0, 0.0, 60.0), 0.0);
    // On the equator a body on the equator six hours east/west is due east/west.
    EXPECT_NEAR(ComputeAzimuth(0.0, 270.0, 0.0, 0.0), 90.0, 1e-9);
    EXPECT_NEAR(ComputeAzimuth(0.0, 90.0, 0.0, 0.0), 270.0, 1e-9);
}

// Standard conditions (10 C, 1010.16 hPa, no dip): only the refraction acts,
// and it must agree with ERFA's refraction model for the same atmosphere
// within a few hundredths of a minute above 15 degrees.
TEST(SightReduction, StandardRefractionMatchesErfa) {
    double refa, refb;
    eraRefco(1010.16, 10.0, 0.0, 0.55, &refa, &refb);
    for (double hs = 15.0; hs <= 85.0; hs += 5.0) {
        const double ho = ReducedHo("SIRIUS", hs, 272000.0);
        // Refraction applied in ERFA's model: observed zenith distance z,
        // true z = z + A tan z + B tan^3 z.
        const double z = (90.0 - hs) * kD2R;
        const double tz = std::tan(z);
        const double erfaRefraction = (refa * tz + refb * tz * tz * tz) / kD2R;
        EXPECT_NEAR((hs - ho) * 60.0, erfaRefraction * 60.0, 0.03) << hs;
        EXPECT_GT(hs - ho, 0.0);
    }
}

// Dip: a height of eye h lowers the apparent altitude by 1.75698' sqrt(h);
// an air warmer than the sea adds 0.11' per degree Fahrenheit.
TEST(SightReduction, DipShiftsApparentAltitude) {
    const double h = 16.0;
    const double dip = 0.029283 * 4.0;
    EXPECT_NEAR(ReducedHo("VEGA", 30.0 + dip, 272000.0, h), ReducedHo("VEGA", 30.0, 272000.0),
                1e-12);
    // Air 5 C warmer than the sea: 9 F, 0.99' more dip. Compare at equal
    // air temperature so that the refraction factor is the same.
    const double warmDip = 9.0 * 0.11 / 60.0;
    EXPECT_NEAR(ReducedHo("VEGA", 30.0 + warmDip, 272000.0, 0.0, 15.0, 10.0),
                ReducedHo("VEGA", 30.0, 272000.0, 0.0, 15.0, 15.0), 1e-12);
}

// The temperature factor is 1 from 40 F to 60 F inclusive and jumps outside.
TEST(SightReduction, TemperatureFactorEdges) {
    const double hs = 10.0;
    const double base = hs - ReducedHo("DENEB", hs, 272000.0);
    auto refractionAt = [&](double c) { return hs - ReducedHo("DENEB", hs, 272000.0, 0.0, c, c); };
    const double c40 = FahrenheitToCelsius(40.0), c60 = FahrenheitToCelsius(60.0);
    EXPECT_NEAR(refractionAt(c40), base, 1e-12);
    EXPECT_NEAR(refractionAt(c60), base, 1e-12);
    // Just below 40 F: 520 / (460 + 40) = 1.04; just above 60 F: 500/520.
    EXPECT_NEAR(refractionAt(c40 - 1e-6) / base, 1.04, 1e-6);
    EXPECT_NEAR(refractionAt(c60 + 1e-6) / base, 500.0 / 520.0, 1e-6);
    // Pressure scales additively: 2 % more pressure, 2 % more refraction.
    EXPECT_NEAR((hs - ReducedHo("DENEB", hs, 272000.0, 0.0, 10.0, 10.0, 1010.16 * 1.02)) / base,
                1.02, 1e-8);
}

// Limbs: lower and upper limb differ by the whole diameter; a lower-case name
// is not a limb; the semi-diameter comes last, after refraction and parallax.
TEST(SightReduction, SemiDiameterByLimb) {
    const double d = 0.9833;
    const double low = ReducedHo("SUNLOW", 35.0, d), upp = ReducedHo("SUNUPP", 35.0, d);
    EXPECT_NEAR(low - upp, 2.0 * 0.266564 / d, 1e-12);
    EXPECT_NEAR(ReducedHo("sunlow", 35.0, d), (low + upp) / 2.0, 1e-12);

    // The Moon at its mean distance: semi-diameter 0.2725 x 0.9507 degree and
    // a parallax in altitude of asin(sin HP cos h1), about HP cos h.
    const double moonDist = 384401.0 / 149565800.0;
    const double mLow = ReducedHo("MOONLOW", 35.0, moonDist);
    const double mUpp = ReducedHo("MOONUPP", 35.0, moonDist);
    EXPECT_NEAR(mLow - mUpp, 2.0 * 0.2725 * 0.9507, 1e-12);
    const double centre = (mLow + mUpp) / 2.0;
    const double star = ReducedHo("MOONLIGHT", 35.0, 272000.0);
    EXPECT_NEAR(centre - star, 0.9507 * std::cos(35.0 * kD2R), 0.01);
}

// The intercept is Ho - Hc with Hc from the sight's own position; a count of
// 0 writes nothing.
TEST(SightReduction, InterceptAndEmptyCount) {
    ObservationSet obs = OneSight("RIGEL", 40.0, 272000.0);
    ASSERT_EQ(ReduceSights(1, 3.0, 12.0, 11.0, 1000.0, obs), ArithmeticFault::None);
    EXPECT_DOUBLE_EQ(obs.ObsHc(1), ComputeAltitude(40.0, -20.0, 35.0, 12.0));
    EXPECT_DOUBLE_EQ(obs.ObsIntercept(1), obs.ObsHo(1) - obs.ObsHc(1));

    ObservationSet untouched = OneSight("RIGEL", 40.0, 272000.0);
    untouched.ObsHo(1) = 1.5;
    EXPECT_EQ(ReduceSights(0, 3.0, 12.0, 11.0, 1000.0, untouched), ArithmeticFault::None);
    EXPECT_EQ(untouched.ObsHo(1), 1.5);
    EXPECT_EQ(untouched.ObsHc(1), 0.0);
}

// Arithmetic failures: a zero distance or a negative height of eye must be
// returned, never turned into NaNs in the set.
TEST(SightReduction, FailuresLeaveValuesUnchanged) {
    ObservationSet obs = OneSight("SUNLOW", 40.0, 0.0);
    obs.ObsHo(1) = 7.0;
    EXPECT_EQ(ReduceSights(1, 3.0, 10.0, 10.0, 1010.0, obs), ArithmeticFault::DivisionByZero);
    EXPECT_EQ(obs.ObsHo(1), 7.0);
    ObservationSet obs2 = OneSight("VEGA", 40.0, 272000.0);
    EXPECT_EQ(ReduceSights(1, -1.0, 10.0, 10.0, 1010.0, obs2), ArithmeticFault::InvalidArgument);
    EXPECT_EQ(obs2.ObsHo(1), 0.0);
}

// The whole chain of corrections against its inverse written out separately
// (the synthetic sight generator undoes each correction from the last to the
// first): every body kind, both limbs, cold air under 40 F over a warmer
// sea, warm air over 60 F, high and low pressure, a dip and an instrument
// correction, from 5 to 80 degrees. A correction applied in the wrong order,
// to the wrong altitude, with the wrong sign or the wrong limb shows here.
TEST(SightReduction, CorrectionsUndoTheGenerator) {
    orvex::testing::Conditions cold;
    cold.heightEye = 25.0;
    cold.tempAirC = -5.0;
    cold.tempWaterC = 2.0;
    cold.pressMBars = 1032.0;
    cold.instErrDeg = 2.0 / 60.0;
    orvex::testing::Conditions warm;
    warm.heightEye = 3.0;
    warm.tempAirC = 31.0;
    warm.tempWaterC = 24.0;
    warm.pressMBars = 992.0;
    warm.instErrDeg = -1.2 / 60.0;
    const struct {
        const char* body;
        double dist;
    } bodies[] = {{"SUNLOW", 0.9833},   {"SUNUPP", 1.0167}, {"MOONLOW", 0.00242},
                  {"MOONUPP", 0.00271}, {"VENUS", 0.28},    {"SIRIUS", 272000.0}};
    for (const orvex::testing::Conditions& c : {cold, warm})
        for (const auto& b : bodies)
            for (double ho : {5.0, 20.0, 45.0, 80.0}) {
                ObservationSet obs = OneSight(b.body, 0.0, b.dist);
                obs.ObsHs(1) = orvex::testing::SextantAltitude(ho, b.body, b.dist, c);
                obs.ObsInstErr(1) = c.instErrDeg;
                ASSERT_EQ(ReduceSights(1, c.heightEye, c.tempAirC, c.tempWaterC, c.pressMBars, obs),
                          ArithmeticFault::None);
                EXPECT_NEAR(obs.ObsHo(1), ho, 1e-9) << b.body << " " << ho << " " << c.tempAirC;
            }
}
