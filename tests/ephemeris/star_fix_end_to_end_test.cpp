// The star fix end to end with the program's own ephemeris: the sights are
// made from an independent sky (ERFA's apparent places) and undone
// corrections, then solved as the program solves them. What remains between
// the fix and the truth is the difference between the two ephemerides.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ephemeris/star_fix_ephemeris.h"
#include "navlib/constants.h"
#include "navlib/hooks.h"
#include "navlib/star_fix.h"
#include "tests/navlib/synthetic_sights.h"

using namespace orvex;
using namespace orvex::testing;

namespace {

double MilesApart(double lat1, double lon1, double lat2, double lon2) {
    const double dlon = std::remainder(lon2 - lon1, 360.0);
    return 60.0 * std::hypot(lat2 - lat1, dlon * std::cos((lat1 + lat2) / 2.0 * kDegToRad));
}

struct Result {
    StarFixStatus status;
    ObservationSet obs;
    FixResult fix;
};

Result Solve(const Track& truth, const std::vector<PlannedSight>& plan, StarFixInputs in,
             const Conditions& c = Conditions()) {
    const EarthModel E = Wgs84();
    in.Ephemeris = StarFixEphemeris();
    Result r{StarFixStatus::Solved, MakeSights(truth, plan, c, E), FixResult{}};
    r.status = ComputeStarFix(in, r.obs, r.fix, E);
    return r;
}

StarFixInputs Inputs(const Track& truth, double course, double speed, double dLat = 12.0,
                     double dLon = -18.0) {
    return MakeInputs(truth, truth.t0 - 2 * kHour, truth.t0, dLat, dLon, course, speed,
                      Conditions(), Wgs84());
}

std::vector<double> Times(double start, int count, double stepMinutes) {
    std::vector<double> t;
    for (int k = 0; k < count; ++k) t.push_back(start + k * stepMinutes * kMinute);
    return t;
}

// ERFA's geocentric apparent place of the Sun (Earth's heliocentric
// position reversed, with the annual aberration) or of the Moon (its GCRS
// position), as Greenwich hour angle and declination (degrees) and distance
// (astronomical units).
void ErfaSunMoonPlace(const std::string& body, double t, double& gha, double& dec, double& dist) {
    const double mjd = JulianDate(t) - 2400000.5;
    double p[3];
    if (body.rfind("SUN", 0) == 0) {
        double pvh[2][3], pvb[2][3];
        eraEpv00(2400000.5, mjd, pvh, pvb);
        double toSun[3] = {-pvh[0][0], -pvh[0][1], -pvh[0][2]};
        double u[3], v[3];
        eraPn(toSun, &dist, u);
        for (int k = 0; k < 3; ++k) v[k] = pvb[1][k] * ERFA_AULT / ERFA_DAYSEC;
        eraAb(u, v, dist, std::sqrt(1.0 - eraPdp(v, v)), p);
    } else {
        double pv[2][3];
        eraMoon98(2400000.5, mjd, pv);
        eraPn(pv[0], &dist, p);
    }
    double rc2i[3][3], q[3], ra, de;
    eraC2i06a(2400000.5, mjd, rc2i);
    eraRxp(rc2i, p, q);
    eraC2s(q, &ra, &de);
    gha = eraAnp(eraEra00(2400000.5, mjd) - ra) / ERFA_DD2R;
    dec = de / ERFA_DD2R;
}

// Sights of the Sun's and the Moon's limbs taken on the true track.
ObservationSet SunMoonSights(const Track& truth, const std::vector<PlannedSight>& plan,
                             const Conditions& c) {
    ObservationSet obs(static_cast<int>(plan.size()));
    for (size_t k = 0; k < plan.size(); ++k) {
        double la, lo, gha, dec, dist, alt, az;
        truth.At(plan[k].time, Wgs84(), la, lo);
        ErfaSunMoonPlace(plan[k].body, plan[k].time, gha, dec, dist);
        ErfaAltAz(la, lo, gha, dec, alt, az);
        obs.SetSight(static_cast<int>(k) + 1, plan[k].time, plan[k].body,
                     SextantAltitude(alt, plan[k].body, dist, c), c.instErrDeg);
    }
    return obs;
}

}  // namespace

// The navigator's day's work: a morning sight of the Sun's lower limb run up
// to a noon sight of its upper limb four and a half hours later, the ship
// making 15 knots. Two sights, so the exact crossing; the semi-diameters,
// the long run between the sights and the Sun's place must all be right for
// the fix to land on the truth (the navigator is told that two sights give
// no check of it). Then the Moon's lower limb (parallax near a degree) joins
// them.
TEST(StarFixEndToEnd, SunRunSunAndMoon) {
    RecordingReporter rec;
    const Conditions c;
    const Track truth{38.0, -25.0, kDay + 14.0 * kHour, 250.0, 15.0};
    std::vector<PlannedSight> plan = {{kDay + 9.5 * kHour, "SUNLOW"},
                                      {kDay + 14.0 * kHour, "SUNUPP"}};
    StarFixInputs in = Inputs(truth, 250.0, 15.0, 8.0, -12.0);
    in.TimeEstPos = kDay + 9.0 * kHour;
    in.Ephemeris = StarFixEphemeris();
    ObservationSet obs = SunMoonSights(truth, plan, c);
    FixResult fix;
    EXPECT_EQ(ComputeStarFix(in, obs, fix, Wgs84()), StarFixStatus::Solved);
    EXPECT_EQ(fix.UnknownCount, 2);
    EXPECT_LT(MilesApart(fix.MppLat, fix.MppLong, truth.lat, truth.lon), 0.1);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, "Position without a check");
    rec.Clear();

    plan.push_back({kDay + 11.0 * kHour, "MOONLOW"});
    obs = SunMoonSights(truth, plan, c);
    EXPECT_EQ(ComputeStarFix(in, obs, fix, Wgs84()), StarFixStatus::Solved);
    EXPECT_LT(MilesApart(fix.MppLat, fix.MppLong, truth.lat, truth.lon), 0.1);
    for (int i = 1; i <= 3; ++i) EXPECT_LT(std::fabs(obs.ObsIntercept(i)) * 60.0, 0.3) << i;
    EXPECT_TRUE(rec.messages.empty());
}

// Exact star sights: the program's ephemeris puts the fix within 0.1' of the
// truth, in both hemispheres.
TEST(StarFixEndToEnd, ExactStarSightsGiveTruePosition) {
    for (double lat : {35.0, -33.0}) {
        RecordingReporter rec;
        const Track truth{lat, -40.0, kDay + 22 * kHour, 60.0, 12.0};
        const auto plan = SpreadStars(truth, Times(kDay + 21.8 * kHour, 6, 4.0), Wgs84());
        Result r = Solve(truth, plan, Inputs(truth, 60.0, 12.0));
        EXPECT_EQ(r.status, StarFixStatus::Solved);
        EXPECT_TRUE(rec.messages.empty());
        const double miss = MilesApart(r.fix.MppLat, r.fix.MppLong, truth.lat, truth.lon);
        EXPECT_LT(miss, 0.1) << lat;
        // Every intercept at the fix is an ephemeris difference, well under 0.3'.
        for (int i = 1; i <= 6; ++i) EXPECT_LT(std::fabs(r.obs.ObsIntercept(i)) * 60.0, 0.3);
    }
}

// A common altitude error of k' is found as SystErr of about k'.
TEST(StarFixEndToEnd, CommonBiasGivesSystematicError) {
    RecordingReporter rec;
    const Track truth{35.0, -40.0, kDay + 22 * kHour, 60.0, 12.0};
    auto plan = SpreadStars(truth, Times(kDay + 21.7 * kHour, 8, 3.0), Wgs84());
    for (PlannedSight& p : plan) p.biasDeg = 2.5 / 60.0;
    StarFixInputs in = Inputs(truth, 60.0, 12.0);
    in.FindSystErr = true;
    Result r = Solve(truth, plan, in);
    EXPECT_NEAR(r.fix.SystErr, 2.5, 0.2);
    EXPECT_LT(MilesApart(r.fix.MppLat, r.fix.MppLong, truth.lat, truth.lon), 0.15);
}

// One sight 20' wrong among ten: it weighs nothing and the fix stays true.
TEST(StarFixEndToEnd, BlunderLosesItsWeight) {
    RecordingReporter rec;
    const Track truth{72.0, -40.0, kDay + 22 * kHour, 60.0, 12.0};
    auto plan = SpreadStars(truth, Times(kDay + 21.8 * kHour, 10, 3.0), Wgs84());
    plan[3].biasDeg = 20.0 / 60.0;
    Result r = Solve(truth, plan, Inputs(truth, 60.0, 12.0));
    EXPECT_EQ(r.obs.ObsWeight(4), 0.0);
    for (int i = 1; i <= 10; ++i)
        if (i != 4) {
            EXPECT_GT(r.obs.ObsWeight(i), 0.5) << i;
        }
    EXPECT_LT(MilesApart(r.fix.MppLat, r.fix.MppLong, truth.lat, truth.lon), 0.1);
    // The fix stays narrow, so nobody is named.
    EXPECT_TRUE(rec.messages.empty());
}

// Eight well-spread sights over three and a half hours recover the course
// and speed made good from a dead reckoning that is 10 degrees and 2 knots out.
TEST(StarFixEndToEnd, CourseAndSpeedOverThreeHours) {
    RecordingReporter rec;
    const Track truth{35.0, -40.0, kDay + 23 * kHour, 70.0, 14.0};
    const auto plan = SpreadStars(truth, Times(kDay + 19.5 * kHour, 8, 30.0), Wgs84());
    Result r = Solve(truth, plan, Inputs(truth, 60.0, 12.0, 10.0, -10.0));
    EXPECT_EQ(r.status, StarFixStatus::Solved);
    ASSERT_EQ(r.fix.UnknownCount, 4);
    EXPECT_NEAR(r.fix.Course, 70.0, 0.1);
    EXPECT_NEAR(r.fix.Speed, 14.0, 0.05);
    EXPECT_LT(MilesApart(r.fix.MppLat, r.fix.MppLong, truth.lat, truth.lon), 0.1);
    EXPECT_TRUE(rec.messages.empty());
}

// The Sun's two limbs and the Moon reach the fix through the real ephemeris:
// a mixed day-time set (stars are not needed for the plumbing) converges
// without messages and yields finite statistics.
TEST(StarFixEndToEnd, SunAndMoonSightsRunThrough) {
    RecordingReporter rec;
    const EarthModel E = Wgs84();
    ObservationSet obs(4);
    const double t = kDay + 14 * kHour;
    obs.SetSight(1, t, "SUNLOW", 40.0, 0.0);
    obs.SetSight(2, t, "SUNUPP", 40.5, 0.0);
    obs.SetSight(3, t + 20 * kMinute, "MOONLOW", 20.0, 0.0);
    obs.SetSight(4, t + 30 * kMinute, "VEGA", 30.0, 0.0);
    StarFixInputs in;
    in.EstLat = 40.0;
    in.EstLong = -30.0;
    in.TimeEstPos = t;
    in.TimeTruePos = t + 30 * kMinute;
    in.Course = 90.0;
    in.Speed = 10.0;
    in.Ephemeris = StarFixEphemeris();
    FixResult fix;
    ComputeStarFix(in, obs, fix, E);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(std::isfinite(obs.ObsGHA(i)));
        EXPECT_GT(obs.ObsDist(i), 0.0);
    }
    EXPECT_LT(obs.ObsDist(1), 1.1);
    EXPECT_LT(obs.ObsDist(3), 0.003);
    EXPECT_EQ(obs.ObsDist(4), 272000.0);
    // Both limbs of the Sun at one instant: the same centre.
    EXPECT_EQ(obs.ObsGHA(1), obs.ObsGHA(2));
    EXPECT_EQ(obs.ObsDec(1), obs.ObsDec(2));
    EXPECT_TRUE(std::isfinite(fix.MppLat));
}
