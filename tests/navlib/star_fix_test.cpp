#include "navlib/star_fix.h"

#include <gtest/gtest.h>

#include <GeographicLib/Rhumb.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "navlib/constants.h"
#include "navlib/false_warnings.h"
#include "navlib/hooks.h"
#include "navlib/number_format.h"
#include "navlib/sight_reduction.h"
#include "synthetic_sights.h"

using namespace orvex;
using namespace orvex::testing;

namespace {

// Eight sights half an hour apart from 19h30 UT: three and a half hours,
// long enough for the course and speed made good to show.
std::vector<double> HalfHourlySights() {
    std::vector<double> times;
    for (int k = 0; k < 8; ++k) times.push_back(kDay + 19.5 * kHour + k * 0.5 * kHour);
    return times;
}

EarthModel Sphere() {
    return EarthModel{1e100, 3437.7468};
}

// Distance between two positions in minutes of arc (nautical miles, near enough).
double MilesApart(double lat1, double lon1, double lat2, double lon2) {
    double dlon = std::remainder(lon2 - lon1, 360.0);
    const double dx = dlon * std::cos((lat1 + lat2) / 2.0 * kDegToRad);
    return 60.0 * std::hypot(lat2 - lat1, dx);
}

struct Scenario {
    Track truth;
    Conditions cond;
    std::vector<PlannedSight> plan;
    EarthModel E = Wgs84();
};

// Six stars in twenty minutes from a ship at 12 knots.
Scenario EveningStars(int count = 6, double biasDeg = 0.0) {
    Scenario s;
    s.truth = {35.0, -40.0, kDay + 22 * kHour, 60.0, 12.0};
    std::vector<double> times;
    for (int k = 0; k < count; ++k) times.push_back(kDay + 21.8 * kHour + k * 4 * kMinute);
    s.plan = SpreadStars(s.truth, times, s.E);
    for (PlannedSight& p : s.plan) p.biasDeg = biasDeg;
    return s;
}

struct FixRun {
    StarFixStatus status;
    ObservationSet obs;
    FixResult fix;
};

FixRun Solve(const Scenario& s, StarFixInputs in) {
    in.Ephemeris = ErfaEphemeris();
    FixRun run{StarFixStatus::Solved, MakeSights(s.truth, s.plan, s.cond, s.E), FixResult{}};
    run.status = ComputeStarFix(in, run.obs, run.fix, s.E);
    return run;
}

StarFixInputs DefaultInputs(const Scenario& s, double dLatMin = 15.0, double dLonMin = -20.0) {
    return MakeInputs(s.truth, s.truth.t0 - 1.5 * kHour, s.truth.t0, dLatMin, dLonMin,
                      s.truth.course, s.truth.speed, s.cond, s.E);
}

}  // namespace

// The synthetic sets place each sight on the true track with the program's
// own rhumb line; the track itself must be the true rhumb line on the
// ellipsoid, or a fault there would be built into the sights and solved
// back out unseen. GeographicLib's exact rhumb line is the judge, within the
// stated 2e-5 of the distance run.
TEST(SyntheticSights, TrueTrackIsTheEllipsoidRhumbLine) {
    const EarthModel E = Wgs84();
    const GeographicLib::Rhumb rhumb(E.SemiMajorAxis, 1.0 / E.InvFlattening);
    const Track tracks[] = {{35.0, -40.0, kDay, 60.0, 12.0},
                            {72.0, -40.0, kDay, 60.0, 12.0},
                            {35.0, -40.0, kDay, 70.0, 14.0},
                            {-20.0, 179.95, kDay, 358.0, 15.0},
                            {40.0, -30.0, kDay, 90.2, 15.0}};
    for (const Track& t : tracks)
        for (double hours : {-4.0, -1.5, -0.2, 0.3, 2.0}) {
            double la, lo, gla, glo;
            t.At(t.t0 + hours * kHour, E, la, lo);
            const double run = hours * t.speed;
            rhumb.Direct(t.lat, t.lon, t.course, run, gla, glo);
            const double tol = 2e-5 * std::fabs(run) + 1e-6;
            EXPECT_LT(MilesApart(la, lo, gla, glo), tol)
                << t.lat << " " << t.course << " " << hours;
        }
}

// Exact sights from an independent sky and corrections: the fix must come
// back to the true position (a wrong sign in a derivative, a wrong run to the
// sight times or a wrong correction would leave it off).
TEST(ComputeStarFix, ExactStarSightsGiveTruePosition) {
    for (const EarthModel& E : {Wgs84(), Sphere()}) {
        RecordingReporter rec;
        Scenario s = EveningStars();
        s.E = E;
        FixRun run = Solve(s, DefaultInputs(s));
        EXPECT_EQ(run.status, StarFixStatus::Solved);
        EXPECT_TRUE(rec.messages.empty());
        EXPECT_EQ(run.fix.UnknownCount, 2);
        EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.005);
        EXPECT_GE(run.fix.IterCount, 2);
        // Exact sights: tiny deviations, every weight near 1.
        EXPECT_LT(run.fix.StdDev(1) * 60.0, 0.01);
        for (int i = 1; i <= 6; ++i) EXPECT_NEAR(run.obs.ObsIntercept(i) * 60.0, 0.0, 0.05);
        // The estimated position run to the wanted time is handed back in
        // element 0, the wanted time in ObsTime(0).
        EXPECT_DOUBLE_EQ(run.obs.ObsTime(0), s.truth.t0);
        EXPECT_DOUBLE_EQ(run.obs.ObsLat(0), run.fix.RunEstLat);
        EXPECT_NEAR(MilesApart(run.obs.ObsLat(0), run.obs.ObsLong(0), s.truth.lat + 0.25,
                               s.truth.lon - 1.0 / 3.0),
                    0.0, 0.5);
        // Azimuths at the final sight positions agree with ERFA's.
        for (int i = 1; i <= 6; ++i) {
            double la, lo, gha, dec, dist, alt, az;
            s.truth.At(run.obs.ObsTime(i), s.E, la, lo);
            ASSERT_TRUE(ErfaStarPlace(run.obs.ObsBody[static_cast<size_t>(i)], run.obs.ObsTime(i),
                                      gha, dec, dist));
            ErfaAltAz(la, lo, gha, dec, alt, az);
            EXPECT_NEAR(run.obs.ObsZn(i), az, 0.01);
        }
    }
}

// A common altitude error: with the systematic-error option the solver
// measures it (positive when the altitudes are too high) and the position
// stays true; without it the error is not reported.
TEST(ComputeStarFix, CommonBiasGivesSystematicError) {
    for (double k : {3.0, -2.0}) {
        RecordingReporter rec;
        Scenario s = EveningStars(8, k / 60.0);
        StarFixInputs in = DefaultInputs(s);
        in.FindSystErr = true;
        FixRun run = Solve(s, in);
        EXPECT_EQ(run.status, StarFixStatus::Solved);
        EXPECT_NEAR(run.fix.SystErr, k, 0.15) << k;
        EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.1);

        in.FindSystErr = false;
        FixRun plain = Solve(s, in);
        EXPECT_EQ(plain.fix.SystErr, 0.0);
        EXPECT_EQ(plain.status, StarFixStatus::Solved) << k;
        EXPECT_TRUE(rec.messages.empty()) << rec.messages.back().text;
    }
}

// One sight 20' wrong among ten exact ones far north: its weight falls to
// 0, every other stays near 1 and the fix is the truth; the spread of the
// fix stays small, so nobody is named. (Once the single reweighting from
// the plain residuals left it a weight and the fix 10' wide.) Sights wide
// apart make a wide fix: the one that weighs least is named.
TEST(ComputeStarFix, BlunderLosesWeightAndWideFixNamesTheLeast) {
    RecordingReporter rec;
    Scenario s;
    s.truth = {72.0, -40.0, kDay + 22 * kHour, 60.0, 12.0};
    std::vector<double> times;
    for (int k = 0; k < 10; ++k) times.push_back(kDay + 21.8 * kHour + k * 3 * kMinute);
    s.plan = SpreadStars(s.truth, times, s.E);
    const int bad = 4;
    s.plan[bad - 1].biasDeg = 20.0 / 60.0;
    FixRun run = Solve(s, DefaultInputs(s));
    EXPECT_EQ(run.status, StarFixStatus::Solved);
    EXPECT_EQ(run.obs.ObsWeight(bad), 0.0);
    for (int i = 1; i <= 10; ++i)
        if (i != bad) {
            EXPECT_GT(run.obs.ObsWeight(i), 0.9) << i;
        }
    EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.01);
    EXPECT_TRUE(rec.messages.empty());

    for (int k = 0; k < 10; ++k) s.plan[static_cast<size_t>(k)].biasDeg = (k % 3 - 1) * 25.0 / 60.0;
    run = Solve(s, DefaultInputs(s));
    ASSERT_GT(run.fix.StdDev(2), 0.1666667);
    int least = 1;
    for (int i = 2; i <= 10; ++i)
        if (run.obs.ObsWeight(i) < run.obs.ObsWeight(least)) least = i;
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, "Wrong observation");
    EXPECT_EQ(rec.messages[0].style, kIconInformation + kButtonsOk);
    const std::string expected = "The observation of " +
                                 s.plan[static_cast<size_t>(least - 1)].body + " at " +
                                 FormatDateTime(run.obs.ObsTime(least), "hh:mm:ss") +
                                 " is most probably erroneous.\r\n"
                                 "Please check and correct if necessary.\r\n"
                                 "In the meantime, the following results are unreliable.";
    EXPECT_EQ(rec.messages[0].text, expected);
}

// Eight well-spread sights over three and a half hours: the course and
// speed made good are found, from a dead reckoning 10 degrees and 2 knots off.
TEST(ComputeStarFix, EightSightsOverThreeHoursRecoverCourseAndSpeed) {
    RecordingReporter rec;
    Scenario s;
    s.truth = {35.0, -40.0, kDay + 23.0 * kHour, 70.0, 14.0};
    std::vector<double> times = HalfHourlySights();
    s.plan = SpreadStars(s.truth, times, s.E);
    StarFixInputs in =
        MakeInputs(s.truth, kDay + 19 * kHour, s.truth.t0, 10.0, -10.0, 60.0, 12.0, s.cond, s.E);
    FixRun run = Solve(s, in);
    EXPECT_EQ(run.status, StarFixStatus::Solved);
    EXPECT_EQ(run.fix.GoodObsCount, 8);
    ASSERT_EQ(run.fix.UnknownCount, 4);
    EXPECT_NEAR(run.fix.Course, 70.0, 0.05);
    EXPECT_NEAR(run.fix.Speed, 14.0, 0.02);
    EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.01);
    EXPECT_EQ(run.fix.StdDev.ubound(), 4);
    EXPECT_TRUE(rec.messages.empty());

    // The same sights with the option off: course and speed stay as entered.
    in.FullRoutine = false;
    FixRun trunc = Solve(s, in);
    EXPECT_EQ(trunc.fix.UnknownCount, 2);
    EXPECT_EQ(trunc.fix.Course, 60.0);
    EXPECT_EQ(trunc.fix.Speed, 12.0);
}

// A ship stopped (or an observer ashore) with eight well-spread sights over
// three and a half hours: at speed 0 the course has no effect on any sight,
// so solving for it would make the normal equations singular and hand back
// the dead reckoning as the fix. Only the position is solved.
TEST(ComputeStarFix, StationaryObserverSolvesPositionOnly) {
    RecordingReporter rec;
    ManualClock clock;
    ResetStarFixErrorReport();
    Scenario s;
    s.truth = {35.0, -40.0, kDay + 23.0 * kHour, 70.0, 0.0};
    std::vector<double> times = HalfHourlySights();
    s.plan = SpreadStars(s.truth, times, s.E);
    StarFixInputs in =
        MakeInputs(s.truth, kDay + 19 * kHour, s.truth.t0, 10.0, -10.0, 70.0, 0.0, s.cond, s.E);
    FixRun run = Solve(s, in);
    EXPECT_EQ(run.status, StarFixStatus::Solved);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(run.fix.GoodObsCount, 8);
    EXPECT_EQ(run.fix.UnknownCount, 2);
    EXPECT_EQ(run.fix.Course, 70.0);
    EXPECT_EQ(run.fix.Speed, 0.0);
    EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.01);

    // Any speed at all keeps the course and speed in the fix.
    s.truth.speed = 0.5;
    s.plan = SpreadStars(s.truth, times, s.E);
    in = MakeInputs(s.truth, kDay + 19 * kHour, s.truth.t0, 10.0, -10.0, 70.0, 0.5, s.cond, s.E);
    FixRun slow = Solve(s, in);
    EXPECT_EQ(slow.fix.UnknownCount, 4);
    EXPECT_LT(MilesApart(slow.fix.MppLat, slow.fix.MppLong, s.truth.lat, s.truth.lon), 0.01);
}

// Four unknowns need a span of MORE than 3 hours: exactly 3.0 gives two.
TEST(ComputeStarFix, SpanOfExactlyThreeHoursGivesTwoUnknowns) {
    for (double span : {3.0, 3.01}) {
        RecordingReporter rec;
        Scenario s;
        s.truth = {35.0, -40.0, kDay + 23.0 * kHour, 70.0, 14.0};
        std::vector<double> times;
        for (int k = 0; k < 8; ++k) times.push_back(kDay + 0.75 + k * (span / 7.0) * kHour);
        times.back() = kDay + 0.75 + span / 24.0;
        ASSERT_EQ((times.back() - times.front()) * 24.0 > 3.0, span > 3.0);
        s.plan = SpreadStars(s.truth, times, s.E);
        FixRun run = Solve(s, DefaultInputs(s));
        EXPECT_EQ(run.fix.GoodObsCount, 8);
        EXPECT_EQ(run.fix.UnknownCount, span > 3.0 ? 4 : 2) << span;
    }
}

// Two sights of one body seconds apart count once in the bearing spread,
// which with eight sights forces two unknowns.
TEST(ComputeStarFix, SameBodyTwiceCountsOnce) {
    RecordingReporter rec;
    Scenario s;
    s.truth = {35.0, -40.0, kDay + 23.0 * kHour, 70.0, 14.0};
    std::vector<double> times = HalfHourlySights();
    s.plan = SpreadStars(s.truth, times, s.E);
    s.plan[7] = {s.plan[6].time + 10.0 / 86400.0, s.plan[6].body};
    FixRun run = Solve(s, DefaultInputs(s));
    EXPECT_EQ(run.fix.GoodObsCount, 7);
    EXPECT_EQ(run.fix.UnknownCount, 2);
}

// The bearing-spread count with bodies placed at chosen azimuths: a sight
// strictly within 3.6 degrees of an earlier counted sight's bearing, or of
// its reciprocal, does not count; 3.61 degrees away it does; a sight that
// no longer counts eliminates nobody.
TEST(ComputeStarFix, BearingSpreadWindows) {
    RecordingReporter rec;
    // Observer at 0 N 0 E at rest. A body at local hour angle 300 (east) or
    // 60 (west) is put at the wanted azimuth by its declination, found by
    // bisection on ERFA's horizon conversion.
    auto decFor = [](double lha, double az) {
        double lo = -80.0, hi = 80.0;
        auto azOf = [lha](double dec) {
            double a, e;
            eraHd2ae(lha * ERFA_DD2R, dec * ERFA_DD2R, 0.0, &a, &e);
            return a / ERFA_DD2R;
        };
        const bool rising = azOf(hi) > azOf(lo);
        for (int k = 0; k < 200; ++k) {
            const double mid = (lo + hi) / 2.0;
            ((azOf(mid) < az) == rising ? lo : hi) = mid;
        }
        return (lo + hi) / 2.0;
    };
    struct Body {
        double az;
        bool counts;
    };
    const Body bodies[] = {{60.0, true},    {63.59, false}, {56.39, true}, {66.5, true},
                           {243.59, false}, {150.0, true},  {320.0, true}, {146.41, false}};
    const int n = 8;
    std::vector<double> gha(n + 1), dec(n + 1);
    const double t = kDay + 20 * kHour;
    ObservationSet obs(n);
    Conditions c;
    for (int i = 1; i <= n; ++i) {
        const double lha = bodies[i - 1].az < 180.0 ? 300.0 : 60.0;
        gha[i] = lha;
        dec[i] = decFor(lha, bodies[i - 1].az);
        double alt, az;
        ErfaAltAz(0.0, 0.0, gha[i], dec[i], alt, az);
        ASSERT_NEAR(az, bodies[i - 1].az, 1e-9);
        ASSERT_GT(alt, 5.0);
        ORVEX_GCC12_FALSE_RESTRICT_BEGIN  // "B" + string (navlib/false_warnings.h)
        obs.SetSight(i, t, "B" + std::to_string(i), SextantAltitude(alt, "B", 272000.0, c),
                     c.instErrDeg);
        ORVEX_GCC12_FALSE_RESTRICT_END
    }
    StarFixInputs in =
        MakeInputs(Track{0.0, 0.0, t, 0.0, 0.0}, t, t, 3.0, -4.0, 0.0, 0.0, c, Wgs84());
    in.Ephemeris = [&](const std::string& body, double, double& g, double& d, double& dist) {
        const int i = std::stoi(body.substr(1));
        g = gha[static_cast<size_t>(i)];
        d = dec[static_cast<size_t>(i)];
        dist = 272000.0;
    };
    FixResult fix;
    EXPECT_EQ(ComputeStarFix(in, obs, fix, Wgs84()), StarFixStatus::Solved);
    int expected = 0;
    for (const Body& b : bodies) expected += b.counts;
    EXPECT_EQ(fix.GoodObsCount, expected);
    EXPECT_LT(MilesApart(fix.MppLat, fix.MppLong, 0.0, 0.0), 0.005);
    EXPECT_TRUE(rec.messages.empty());
}

// Two sights: the exact crossing (Cramer's rule with the determinant for
// both unknowns), weights 0 and no statistics, which the navigator is told.
TEST(ComputeStarFix, TwoSightsCrossExactly) {
    RecordingReporter rec;
    Scenario s = EveningStars(2);
    FixRun run = Solve(s, DefaultInputs(s));
    EXPECT_EQ(run.status, StarFixStatus::Solved);
    EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.005);
    EXPECT_EQ(run.obs.ObsWeight(1), 0.0);
    EXPECT_EQ(run.obs.ObsWeight(2), 0.0);
    EXPECT_EQ(run.fix.StdDev(1), 0.0);
    EXPECT_EQ(run.fix.EllipseNS, 0.0);
    EXPECT_EQ(run.fix.EllipseEW, 0.0);
    EXPECT_EQ(run.fix.CircleRadius, 0.0);
    EXPECT_EQ(run.fix.SystErr, 0.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, "Position without a check");
}

// Two sights where the first body is on the meridian (its line of position
// runs east-west, A(1,2) = 0): the crossing is still found.
TEST(ComputeStarFix, TwoSightsFirstBodyOnMeridian) {
    RecordingReporter rec;
    Scenario s = EveningStars(2);
    // Put the ship under the meridian of the first body at its sight time.
    double gha, dec, dist;
    ErfaStarPlace(s.plan[0].body, s.plan[0].time, gha, dec, dist);
    s.truth.speed = 0.0;
    s.truth.lon = -gha + 360.0 * std::round(gha / 360.0);
    s.truth.lat = dec > 0 ? dec - 40.0 : dec + 40.0;
    FixRun run = Solve(s, DefaultInputs(s, 5.0, 5.0));
    EXPECT_EQ(run.status, StarFixStatus::Solved);
    EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.005);
}

// Three sights and two unknowns: one redundant sight cannot tell which is
// wrong, so no reweighting: every weight 1.
TEST(ComputeStarFix, ThreeSightsArePlainLeastSquares) {
    RecordingReporter rec;
    Scenario s = EveningStars(3);
    s.plan[1].biasDeg = 2.0 / 60.0;
    FixRun run = Solve(s, DefaultInputs(s));
    EXPECT_EQ(run.status, StarFixStatus::Solved);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(run.obs.ObsWeight(i), 1.0);
    // Residual check: the plain fit spreads the error over the three.
    double sumAbs = 0;
    for (int i = 1; i <= 3; ++i) sumAbs += std::fabs(run.obs.ObsIntercept(i));
    EXPECT_GT(sumAbs * 60.0, 0.5);
    EXPECT_GT(run.fix.StdDev(1), 0.0);
}

// Dead reckoning already on the truth: the corrections are below the limits
// in the first iteration, yet two iterations are made.
TEST(ComputeStarFix, AlreadyConvergedTakesTwoIterations) {
    RecordingReporter rec;
    Scenario s = EveningStars();
    FixRun run = Solve(s, DefaultInputs(s, 0.0, 0.0));
    EXPECT_EQ(run.fix.IterCount, 2);
}

// Circles of equal altitude that do not meet: the iteration cannot settle.
// It stops after 100 iterations with its message, IterCount 101, and the
// results are still written.
TEST(ComputeStarFix, IterationLimit) {
    RecordingReporter rec;
    ManualClock clock;
    ResetStarFixErrorReport();
    Scenario s = EveningStars(2);
    s.truth.speed = 0.0;
    ObservationSet obs = MakeSights(s.truth, s.plan, s.cond, s.E);
    // Both bodies far higher than they are: zenith distances too small for
    // the circles to meet.
    obs.ObsHs(1) = 88.0;
    obs.ObsHs(2) = 88.0;
    StarFixInputs in = DefaultInputs(s);
    in.Ephemeris = ErfaEphemeris();
    FixResult fix;
    fix.MppLat = 999.0;
    const StarFixStatus st = ComputeStarFix(in, obs, fix, s.E);
    ASSERT_FALSE(rec.messages.empty());
    bool sawLimit = false;
    for (const auto& m : rec.messages)
        if (m.title == " Error in nautical routine") {
            sawLimit = true;
            EXPECT_EQ(m.text, "The main routine don't converge on a solution. See doc for help.");
            EXPECT_EQ(m.style, kIconCritical + kButtonsOk);
        }
    EXPECT_TRUE(sawLimit);
    EXPECT_EQ(fix.IterCount, 101);
    EXPECT_TRUE(st == StarFixStatus::NotConverged || st == StarFixStatus::ArithmeticFailure);
    EXPECT_NE(fix.MppLat, 999.0);
    EXPECT_TRUE(std::isfinite(fix.MppLat));
    EXPECT_GE(fix.MppLong, -180.0);
    EXPECT_LE(fix.MppLong, 180.0);
}

// A probability level outside the four of the table: no circle (-1) and the
// ellipse step fails through the error report, once.
TEST(ComputeStarFix, ProbabilityOutsideTable) {
    RecordingReporter rec;
    ManualClock clock;
    ResetStarFixErrorReport();
    Scenario s = EveningStars();
    StarFixInputs in = DefaultInputs(s);
    in.Proba = 0.9;
    // The result of an earlier fix is still in the caller's variables: the
    // failed ellipse step must not leave its ellipse beside this fix.
    in.Ephemeris = ErfaEphemeris();
    FixRun run{StarFixStatus::Solved, MakeSights(s.truth, s.plan, s.cond, s.E), FixResult{}};
    run.fix.EllipseNS = run.fix.EllipseEW = run.fix.CircleRadius = 0.5;
    run.status = ComputeStarFix(in, run.obs, run.fix, s.E);
    EXPECT_EQ(run.status, StarFixStatus::ArithmeticFailure);
    EXPECT_EQ(run.fix.CircleRadius, -1.0);
    EXPECT_EQ(run.fix.EllipseNS, 0.0);
    EXPECT_EQ(run.fix.EllipseEW, 0.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " ERROR REPORT");
    EXPECT_EQ(rec.messages[0].style, kIconCritical + kButtonsOk);
    EXPECT_EQ(rec.messages[0].text,
              "An error occured in the main subroutine.\r\n"
              "The program will try to resume execution\r\n"
              "but please report the following error:\r\n"
              "Illegal procedure call.");
    // The position itself is sound.
    EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.005);

    // At 95 % the ellipse agrees with the deviations: six sights for two
    // unknowns, a deviation estimated on 4 degrees of freedom, F(2, 4).
    in.Proba = 0.95;
    FixRun good = Solve(s, in);
    const double k = std::sqrt(4.0 * (std::sqrt(20.0) - 1.0));
    EXPECT_NEAR(good.fix.EllipseNS, k * good.fix.StdDev(1), 1e-12 * good.fix.EllipseNS);
    EXPECT_NEAR(good.fix.EllipseEW, k * good.fix.StdDev(2), 1e-12 * good.fix.EllipseEW);
    EXPECT_GT(good.fix.CircleRadius, 0.0);
}

// The same error report within a second is shown once; a second later, or
// with another text, again.
TEST(ComputeStarFix, ErrorReportShownOncePerSecond) {
    RecordingReporter rec;
    ManualClock clock(1000.2);
    ResetStarFixErrorReport();
    Scenario s = EveningStars();
    StarFixInputs in = DefaultInputs(s);
    in.Proba = 0.9;
    Solve(s, in);
    clock.seconds = 1001.9;  // 1001 - 1000 = 1 whole second: still suppressed
    Solve(s, in);
    EXPECT_EQ(rec.messages.size(), 1u);
    clock.seconds = 1003.0;  // 2 whole seconds after the last one
    Solve(s, in);
    EXPECT_EQ(rec.messages.size(), 2u);

    // A failure repeated in every iteration (a body with distance 0) is shown
    // once, and the fix still comes from the other sights.
    rec.Clear();
    ResetStarFixErrorReport();
    in.Proba = 0.95;
    const std::string broken = s.plan[0].body;
    in.Ephemeris = [broken](const std::string& body, double t, double& gha, double& dec,
                            double& dist) {
        ErfaStarPlace(body, t, gha, dec, dist);
        if (body == broken) dist = 0.0;
    };
    ObservationSet obs = MakeSights(s.truth, s.plan, s.cond, s.E);
    FixResult fix;
    EXPECT_EQ(ComputeStarFix(in, obs, fix, s.E), StarFixStatus::ArithmeticFailure);
    int reports = 0;
    for (const auto& m : rec.messages) reports += m.title == " ERROR REPORT";
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(std::isfinite(fix.MppLat));
}

// Two different failures in every iteration (a body at distance 0, another
// with no place) alternated their texts past the one-second rule: one fix
// computation showed box after box. Now one technical box per computation.
TEST(ComputeStarFix, OneTechnicalBoxPerComputation) {
    RecordingReporter rec;
    ManualClock clock;
    ResetStarFixErrorReport();
    Scenario s = EveningStars();
    StarFixInputs in = DefaultInputs(s);
    const std::string near = s.plan[0].body, lost = s.plan[1].body;
    in.Ephemeris = [&](const std::string& body, double t, double& gha, double& dec, double& dist) {
        ErfaStarPlace(body, t, gha, dec, dist);
        if (body == near) dist = 0.0;
        if (body == lost) gha = std::nan("");
    };
    ObservationSet obs = MakeSights(s.truth, s.plan, s.cond, s.E);
    FixResult fix;
    ComputeStarFix(in, obs, fix, s.E);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " ERROR REPORT");
}

// Fewer than two sights: the message, and no result written.
TEST(ComputeStarFix, TooFewSights) {
    RecordingReporter rec;
    Scenario s = EveningStars(1);
    FixResult fix;
    fix.MppLat = 12.0;
    fix.IterCount = 7;
    fix.EllipseNS = 3.0;
    StarFixInputs in = DefaultInputs(s);
    in.Ephemeris = ErfaEphemeris();
    ObservationSet obs = MakeSights(s.truth, s.plan, s.cond, s.E);
    EXPECT_EQ(ComputeStarFix(in, obs, fix, s.E), StarFixStatus::TooFewSights);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " Error when computing the true position");
    EXPECT_EQ(rec.messages[0].text,
              "You must enter at least 2 observations in order\r\nto get a star fix.");
    EXPECT_EQ(fix.MppLat, 12.0);
    EXPECT_EQ(fix.IterCount, 7);
    EXPECT_EQ(fix.EllipseNS, 3.0);
}

// Across the 180th meridian and on a course through north the results come
// back normalised: longitude -180..180, course 0..360.
TEST(ComputeStarFix, DatelineAndNorthCourse) {
    RecordingReporter rec;
    Scenario s;
    s.truth = {-20.0, 179.95, kDay + 23.0 * kHour, 358.0, 15.0};
    std::vector<double> times = HalfHourlySights();
    s.plan = SpreadStars(s.truth, times, s.E);
    StarFixInputs in =
        MakeInputs(s.truth, kDay + 19 * kHour, s.truth.t0, 5.0, 10.0, 5.0, 15.0, s.cond, s.E);
    FixRun run = Solve(s, in);
    ASSERT_EQ(run.fix.UnknownCount, 4);
    EXPECT_GE(run.fix.MppLong, -180.0);
    EXPECT_LE(run.fix.MppLong, 180.0);
    EXPECT_LT(MilesApart(run.fix.MppLat, run.fix.MppLong, s.truth.lat, s.truth.lon), 0.01);
    EXPECT_GE(run.fix.Course, 0.0);
    EXPECT_LT(run.fix.Course, 360.0);
    EXPECT_NEAR(run.fix.Course, 358.0, 0.05);
}

// A set whose entered arrays are shorter than its count is refused with the
// error report instead of reading past the arrays; result arrays that do not
// fit are dimensioned by the solver.
TEST(ComputeStarFix, ArraysOfTheWrongSize) {
    RecordingReporter rec;
    ManualClock clock;
    ResetStarFixErrorReport();
    Scenario s = EveningStars();
    StarFixInputs in = DefaultInputs(s);
    in.Ephemeris = ErfaEphemeris();
    ObservationSet obs = MakeSights(s.truth, s.plan, s.cond, s.E);
    obs.ObsCount = 7;
    FixResult fix;
    EXPECT_EQ(ComputeStarFix(in, obs, fix, s.E), StarFixStatus::ArithmeticFailure);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " ERROR REPORT");

    rec.Clear();
    obs.ObsCount = 6;
    obs.ObsZn = Vector();
    obs.ObsLat = Vector(3);
    EXPECT_EQ(ComputeStarFix(in, obs, fix, s.E), StarFixStatus::Solved);
    EXPECT_EQ(obs.ObsZn.ubound(), 6);
    EXPECT_EQ(obs.ObsLat.lbound(), 0);
    EXPECT_LT(MilesApart(fix.MppLat, fix.MppLong, s.truth.lat, s.truth.lon), 0.005);
}

// An estimated position on a pole: the longitude derivative there is about
// 1e-13, so the first longitude step was some 1e13 degrees, the later ones
// were lost to rounding and the fix was shown 100s of miles off as a good
// one (or, moving, ended in error reports). Exact sights must give the truth
// and the fix from an estimate a degree off the pole, from either pole,
// stationary or moving, with no message and no latitude beyond 90. Last, a
// ship by the pole with its estimate across it: the steps pass over the pole
// and fold back.
TEST(ComputeStarFix, EstimatedPositionOnAPole) {
    RecordingReporter rec;
    std::vector<double> times;
    for (int k = 0; k < 6; ++k) times.push_back(kDay + 21.8 * kHour + k * 3 * kMinute);
    for (double speed : {0.0, 12.0, -1.0}) {
        Scenario s;
        s.truth = {38.2, -31.8, kDay + 22 * kHour, 60.0, speed};
        if (speed < 0) s.truth = {89.9, 100.0, kDay + 22 * kHour, 0.0, 0.0};
        s.plan = SpreadStars(s.truth, times, s.E);
        StarFixInputs in = DefaultInputs(s);
        in.EstLat = speed < 0 ? 89.8 : 89.0;
        in.EstLong = speed < 0 ? -80.0 : in.EstLong;
        const FixRun near = Solve(s, in);
        ASSERT_EQ(near.status, StarFixStatus::Solved);
        EXPECT_LE(near.fix.MppLat, 90.0);
        EXPECT_LT(MilesApart(near.fix.MppLat, near.fix.MppLong, s.truth.lat, s.truth.lon), 0.01);
        for (double pole : {90.0, -90.0})
            for (double lon : {0.0, 100.0, -31.8}) {
                in.EstLat = pole;
                in.EstLong = lon;
                const FixRun run = Solve(s, in);
                EXPECT_EQ(run.status, StarFixStatus::Solved) << pole << " " << lon << " " << speed;
                EXPECT_LE(std::fabs(run.fix.MppLat), 90.0);
                EXPECT_LT(
                    MilesApart(run.fix.MppLat, run.fix.MppLong, near.fix.MppLat, near.fix.MppLong),
                    0.001)
                    << pole << " " << lon << " " << speed;
            }
    }
    EXPECT_TRUE(rec.messages.empty()) << rec.messages.front().text;
}
