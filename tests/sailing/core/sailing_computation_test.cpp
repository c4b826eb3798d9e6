// The sailing utilities' computations without the window: the choice of the
// rhumb-line problem, the ETA table, the great circle with its composite
// sailing and waypoints.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "navlib/constants.h"
#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/math_lib.h"
#include "sailing/core/eta_table.h"
#include "sailing/core/great_circle_sailing.h"
#include "sailing/core/rhumb_line_utility.h"
#include "sailing/core/utility_fault.h"
#include "sailing_test_models.h"

namespace orvex {
namespace {

std::array<bool, 12> Flags(std::initializer_list<int> set) {
    std::array<bool, 12> f{};
    for (int i : set) f[static_cast<size_t>(i)] = true;
    return f;
}

// Guards the choice of problem: a wrong first match would, say, solve the
// direct problem when the navigator gave an arrival latitude.
TEST(RhumbLineUtility, ProblemFollowsTheEnteredInputs) {
    using P = RhumbLineProblem;
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 10, 11})), P::Direct);
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 10, 2})), P::ByLatitude);
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 10, 3})), P::ByLongitude);
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 2, 3})), P::Inverse);
    // A distance without a course poses nothing.
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 2, 11})), P::None);
    // Three, five or six inputs pose nothing.
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 10})), P::None);
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 2, 3, 10})), P::None);
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 1, 2, 3, 10, 11})), P::None);
    // Four inputs without the whole departure.
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({2, 3, 10, 11})), P::DepartureIncomplete);
    EXPECT_EQ(ChooseRhumbLineProblem(Flags({0, 2, 3, 10})), P::DepartureIncomplete);
}

// The four problems against GeographicLib's rhumb line on WGS 84: a wrong
// argument order (course and distance swapped, arrival latitude taken for the
// longitude) gives answers miles off.
TEST(RhumbLineUtility, FourProblemsAgreeWithGeographicLib) {
    const EarthModel E = Wgs84();
    const GeographicLib::Rhumb rhumb(GeographicLib::Constants::WGS84_a(),
                                     GeographicLib::Constants::WGS84_f());
    double lat2 = 0, lon2 = 0;
    rhumb.Direct(45.0, -5.0, 45.0, 100.0 * kNm, lat2, lon2);

    RhumbLineValues v;
    v.Lat1 = 45.0;
    v.Long1 = -5.0;
    v.Course = 45.0;
    v.Dist = 100.0;
    EXPECT_EQ(SolveRhumbLine(RhumbLineProblem::Direct, v, E), SailingStatus::Solved);
    EXPECT_NEAR(v.Lat2, lat2, 1e-4);
    EXPECT_NEAR(v.Long2, lon2, 1e-4);

    RhumbLineValues inv;
    inv.Lat1 = 45.0;
    inv.Long1 = -5.0;
    inv.Lat2 = lat2;
    inv.Long2 = lon2;
    EXPECT_EQ(SolveRhumbLine(RhumbLineProblem::Inverse, inv, E), SailingStatus::Solved);
    EXPECT_NEAR(inv.Course, 45.0, 1e-4);
    EXPECT_NEAR(inv.Dist, 100.0, 0.01);

    RhumbLineValues byLat = inv;
    byLat.Long2 = 0;
    byLat.Dist = 0;
    SolveRhumbLine(RhumbLineProblem::ByLatitude, byLat, E);
    EXPECT_NEAR(byLat.Long2, lon2, 1e-4);
    EXPECT_NEAR(byLat.Dist, 100.0, 0.01);

    RhumbLineValues byLong = inv;
    byLong.Lat2 = 0;
    byLong.Dist = 0;
    SolveRhumbLine(RhumbLineProblem::ByLongitude, byLong, E);
    EXPECT_NEAR(byLong.Lat2, lat2, 1e-4);
    EXPECT_NEAR(byLong.Dist, 100.0, 0.01);
}

// ---- ETA table -------------------------------------------------------------------

// The row count rule: a range holding a whole number of intervals ends on the
// maximum without a repeated row; another adds the maximum as a last row.
TEST(EtaTable, RowCountsAndSpeeds) {
    EXPECT_EQ(EtaRowCount(10, 24, 0.5), 29);
    EXPECT_EQ(EtaRowCount(10, 24, 3), 6);
    EXPECT_EQ(EtaRowCount(12, 12, 0.5), 1);
    EXPECT_EQ(EtaRowCount(12, 12, 0.0), 1);  // equal speeds: interval 0 is harmless

    EtaInputs in;
    in.DepTime = MakeDateTime(2026, 3, 1, 12);
    in.Dist = 240;
    in.Interval = 3;
    const auto rows = ComputeEtaTable(in);
    ASSERT_EQ(rows.size(), 6u);
    const double speeds[] = {10, 13, 16, 19, 22, 24};
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_DOUBLE_EQ(rows[i].Speed, speeds[i]);
    in.Interval = 0.5;
    const auto half = ComputeEtaTable(in);
    ASSERT_EQ(half.size(), 29u);
    EXPECT_DOUBLE_EQ(half.back().Speed, 24.0);
    EXPECT_EQ(EtaSpeedText(10.5, "."), "10.5");
    EXPECT_EQ(EtaSpeedText(10.25, ","), "10,25");
    EXPECT_EQ(EtaSpeedText(10, "."), "10.0");
}

// Rounding to quarters of an hour: 14:07:29 is nearer 14:00, 14:07:31 nearer
// 14:15; to the second, the time stays.
TEST(EtaTable, RoundingToQuartersAndSeconds) {
    EtaInputs in;
    in.DepTime = MakeDateTime(2026, 3, 1, 12);
    in.MinSpeed = in.MaxSpeed = 10;
    in.Round = 96;
    // 2 h 07 min 29 s at 10 knots.
    in.Dist = 10.0 * (2.0 + 7.0 / 60 + 29.0 / 3600);
    EXPECT_EQ(EtaTimeText(ComputeEtaTable(in)[0].EtaUT), "1 Mar 2026 14:00:00");
    in.Dist = 10.0 * (2.0 + 7.0 / 60 + 31.0 / 3600);
    EXPECT_EQ(EtaTimeText(ComputeEtaTable(in)[0].EtaUT), "1 Mar 2026 14:15:00");
    in.Round = 240;
    EXPECT_EQ(EtaTimeText(ComputeEtaTable(in)[0].EtaUT), "1 Mar 2026 14:06:00");
    in.Round = 86400;
    EXPECT_EQ(EtaTimeText(ComputeEtaTable(in)[0].EtaUT), "1 Mar 2026 14:07:31");
}

// Zones: a departure at 12:00 in zone +2 leaves at 10:00 UTC; the local
// column in the same zone reads departure + distance / speed.
TEST(EtaTable, ZonesAndZeroDistance) {
    EtaInputs in;
    in.DepTime = MakeDateTime(2026, 3, 1, 12);
    in.ZoneDep = 2;
    in.ZoneLocal = 2;
    in.MinSpeed = in.MaxSpeed = 12;
    in.Dist = 36;
    const EtaRow r = ComputeEtaTable(in)[0];
    EXPECT_EQ(EtaTimeText(r.EtaUT), "1 Mar 2026 13:00:00");
    EXPECT_EQ(EtaTimeText(r.EtaLT), "1 Mar 2026 15:00:00");
    in.Dist = 0;
    in.ZoneLocal = -5;
    const EtaRow z = ComputeEtaTable(in)[0];
    EXPECT_EQ(EtaTimeText(z.EtaUT), "1 Mar 2026 10:00:00");
    EXPECT_EQ(EtaTimeText(z.EtaLT), "1 Mar 2026 05:00:00");
}

// A zero interval across a range of speeds is a division by zero, reported
// as such instead of an endless table.
TEST(EtaTable, ZeroIntervalIsADivisionByZero) {
    try {
        EtaRowCount(10, 24, 0);
        FAIL();
    } catch (const UtilityFault& f) {
        EXPECT_EQ(f.Number(), UtilityFault::kDivisionByZero);
    }
    EXPECT_EQ(UtilityErrorText(11, "x"),
              "An error occured in the RL/GC/ETA subroutine.\r\n"
              "The program will try to resume execution\r\n"
              "but please report the following error:\r\nDivision by zero.");
    EXPECT_EQ(UtilityErrorText(6, "x").substr(UtilityErrorText(6, "x").size() - 9), "Overflow.");
    EXPECT_NE(UtilityErrorText(42, "Thing").find("Error 42: Thing"), std::string::npos);
}

// ---- Great circle --------------------------------------------------------------------

struct GeoTruth {
    double dist;        // nm
    double azi1, azi2;  // degrees 0..360
    double vertexLat;   // degrees
};

GeoTruth Truth(const EarthModel& E, double lat1, double lon1, double lat2, double lon2) {
    const double f = E.IsSphere() ? 0.0 : 1.0 / E.InvFlattening;
    const GeographicLib::Geodesic g(E.SemiMajorAxis * kNm, f);
    GeoTruth t{};
    double s12 = 0, a1 = 0, a2 = 0;
    g.Inverse(lat1, lon1, lat2, lon2, s12, a1, a2);
    t.dist = s12 / kNm;
    t.azi1 = Norm360(a1);
    t.azi2 = Norm360(a2);
    const GeographicLib::GeodesicLine line = g.Line(lat1, lon1, a1);
    const double alpha0 = line.EquatorialAzimuth() * kDegToRad;
    const double beta0 = std::acos(std::fabs(std::sin(alpha0)));
    t.vertexLat = std::atan(std::tan(beta0) / (1.0 - f)) * kRadToDeg;
    return t;
}

// The whole computation against GeographicLib's geodesic, on WGS 84 and on
// the sphere: distance, vertex latitude and the two courses. Guards the
// hand-over of the vertex and the direction of travel to the course routine.
TEST(GreatCircleSailing, AgreesWithGeographicLib) {
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        GreatCircleInputs in;
        in.Lat3 = 37.8;
        in.Long3 = -122.5;  // off San Francisco
        in.Lat4 = 35.0;
        in.Long4 = 140.0;  // off Japan
        const GreatCircleResult r = ComputeGreatCircle(in, E);
        const GeoTruth t = Truth(E, in.Lat3, in.Long3, in.Lat4, in.Long4);
        EXPECT_FALSE(r.VertexOutside);
        EXPECT_NEAR(r.Theoretical, t.dist, 2e-5 * t.dist);
        EXPECT_NEAR(r.Vertex.VertexLat, t.vertexLat, 2e-3);
        EXPECT_NEAR(r.DepartureCourse, t.azi1, 0.02);
        EXPECT_NEAR(r.ArrivalCourse, t.azi2, 0.02);
        EXPECT_FALSE(r.Composite);
        EXPECT_FALSE(r.HasWaypoints);
        // One rhumb line is longer than the great circle.
        EXPECT_GT(r.SingleRLDist, r.Theoretical);
        EXPECT_GT(r.Period, 300.0);
        EXPECT_LE(r.Period, 360.0);
    }
}

// A route along a meridian has no latitude as a function of longitude: the
// courses come from the rhumb line and a longitude interval must not loop.
TEST(GreatCircleSailing, MeridianRouteTakesTheMeridianCourses) {
    GreatCircleInputs in;
    in.Lat3 = 10.0;
    in.Long3 = -30.0;
    in.Lat4 = 40.0;
    in.Long4 = -30.0;
    in.IntervalEntered = true;
    in.Interval = 5.0;
    RecordingReporter rec;
    const GreatCircleResult r = ComputeGreatCircle(in, Wgs84());
    EXPECT_NEAR(Norm180(r.DepartureCourse), 0.0, 1e-6);
    EXPECT_NEAR(Norm180(r.ArrivalCourse), 0.0, 1e-6);
    ASSERT_TRUE(r.HasWaypoints);
    EXPECT_EQ(r.ArrivalRow, 2);  // departure, arrival
    EXPECT_NEAR(r.SumOfRhumbLines, r.Theoretical, 0.01);

    // Across the pole: due north to it, due south away from it.
    in.Lat3 = 60.0;
    in.Long3 = -10.0;
    in.Lat4 = 70.0;
    in.Long4 = 170.0;
    const GreatCircleResult pole = ComputeGreatCircle(in, Wgs84());
    EXPECT_NEAR(Norm180(pole.DepartureCourse), 0.0, 1e-6);
    EXPECT_NEAR(pole.ArrivalCourse, 180.0, 1e-6);
    EXPECT_NEAR(pole.Theoretical, Truth(Wgs84(), 60, -10, 70, 170).dist, 0.05);
}

// Waypoints on whole degrees spaced by the interval, from the first whole
// degree past the departure in the direction of travel.
TEST(GreatCircleSailing, WaypointLongitudesEastAndWest) {
    const EarthModel E = Wgs84();
    GreatCircleInputs in;
    in.Lat3 = 40.0;
    in.Long3 = 10.0;
    in.Lat4 = 45.0;
    in.Long4 = 30.0;
    in.IntervalEntered = true;
    in.Interval = 5.0;
    GreatCircleResult r = ComputeGreatCircle(in, E);
    ASSERT_EQ(r.ArrivalRow, 6);
    const double east[] = {10, 11, 16, 21, 26, 30};
    for (int i = 1; i <= 6; ++i) EXPECT_DOUBLE_EQ(r.Waypoints[i][2], east[i - 1]) << i;

    in.Long4 = -10.0;
    r = ComputeGreatCircle(in, E);
    ASSERT_EQ(r.ArrivalRow, 5);
    const double west[] = {10, 5, 0, -5, -10};
    for (int i = 1; i <= 5; ++i) EXPECT_DOUBLE_EQ(r.Waypoints[i][2], west[i - 1]) << i;

    // Each waypoint lies on the geodesic (GeographicLib), the legs add up,
    // and the distance to go closes on the arrival.
    const GeographicLib::Geodesic g(GeographicLib::Constants::WGS84_a(),
                                    GeographicLib::Constants::WGS84_f());
    double s13 = 0, a13 = 0, a23 = 0, s12 = 0, a1 = 0, a2 = 0;
    g.Inverse(in.Lat3, in.Long3, in.Lat4, in.Long4, s12, a1, a2);
    for (int i = 2; i <= 4; ++i) {
        // Distance from the track: departure-waypoint-arrival adds up.
        g.Inverse(in.Lat3, in.Long3, r.Waypoints[i][1], r.Waypoints[i][2], s13, a13, a23);
        double s32 = 0, b1 = 0, b2 = 0;
        g.Inverse(r.Waypoints[i][1], r.Waypoints[i][2], in.Lat4, in.Long4, s32, b1, b2);
        EXPECT_NEAR(s13 + s32, s12, 5.0) << i;  // metres
        EXPECT_NEAR(r.Waypoints[i][5], r.Waypoints[i - 1][5] + r.Waypoints[i - 1][4], 1e-9);
        EXPECT_NEAR(r.Waypoints[i][6], r.SumOfRhumbLines - r.Waypoints[i][5], 1e-9);
    }
    EXPECT_DOUBLE_EQ(r.Waypoints[5][6], 0.0);
    EXPECT_GE(r.SumOfRhumbLines, r.Theoretical);
    EXPECT_LT(r.SumOfRhumbLines - r.Theoretical, 0.5);
}

// Composite sailing under a limit the vertex passes: on the sphere the
// tangent points satisfy cos(dLong) = tan(lat) / tan(L) exactly, the legs add
// up to more than the plain great circle, and the parallel leg runs due east.
TEST(GreatCircleSailing, CompositeSailingOnTheSphere) {
    const EarthModel E = NormalSphere();
    GreatCircleInputs in;
    in.Lat3 = 40.0;
    in.Long3 = 140.0;
    in.Lat4 = 35.0;
    in.Long4 = -125.0;
    in.LimitEntered = true;
    in.Limit = 45.0;
    in.IntervalEntered = true;
    in.Interval = 10.0;
    RecordingReporter rec;
    const GreatCircleResult r = ComputeGreatCircle(in, E);
    ASSERT_TRUE(r.Composite);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_DOUBLE_EQ(r.Limit, 45.0);
    const double tanL = std::tan(45.0 * kDegToRad);
    EXPECT_NEAR(std::cos((r.T1 - in.Long3) * kDegToRad), std::tan(40.0 * kDegToRad) / tanL, 1e-7);
    EXPECT_NEAR(std::cos(Norm180(in.Long4 - r.T2) * kDegToRad), std::tan(35.0 * kDegToRad) / tanL,
                1e-7);
    EXPECT_DOUBLE_EQ(r.ParallelCourse, 90.0);
    const GeoTruth plain = Truth(E, in.Lat3, in.Long3, in.Lat4, in.Long4);
    EXPECT_GT(r.Theoretical, plain.dist);
    EXPECT_NEAR(r.Theoretical, r.Leg[0] + r.Leg[1] + r.Leg[2], 1e-9);
    // The first tangent point's row carries the parallel leg.
    bool found = false;
    for (int i = 1; i < r.ArrivalRow; ++i)
        if (r.Waypoints[i][1] == 45.0 && r.Waypoints[i][2] == r.T1) {
            EXPECT_DOUBLE_EQ(r.Waypoints[i][3], 90.0);
            EXPECT_NEAR(r.Waypoints[i][4], r.Leg[0], 1e-9);
            EXPECT_DOUBLE_EQ(r.Waypoints[i + 1][2], r.T2);
            found = true;
        }
    EXPECT_TRUE(found);
    // No waypoint passes the limit.
    for (int i = 1; i <= r.ArrivalRow; ++i) EXPECT_LE(r.Waypoints[i][1], 45.0 + 1e-9);
}

// A limit on the southern side follows the vertex's hemisphere; a limit the
// vertex does not pass gives no composite sailing; a limit nearer the equator
// than the departure is refused.
TEST(GreatCircleSailing, LimitRules) {
    const EarthModel E = Wgs84();
    GreatCircleInputs in;
    in.Lat3 = -33.9;
    in.Long3 = 18.4;  // Cape Town
    in.Lat4 = -31.9;
    in.Long4 = 115.8;  // Fremantle
    in.LimitEntered = true;
    in.Limit = 40.0;  // the vertex lies near 44.5 S
    RecordingReporter rec;
    GreatCircleResult r = ComputeGreatCircle(in, E);
    EXPECT_DOUBLE_EQ(r.Limit, -40.0);
    EXPECT_TRUE(r.Composite);
    EXPECT_EQ(r.LimitError, 0);
    in.Limit = 70.0;
    r = ComputeGreatCircle(in, E);
    EXPECT_FALSE(r.Composite);
    in.Limit = 30.0;
    r = ComputeGreatCircle(in, E);
    EXPECT_EQ(r.LimitError, 1);
}

// The latitude of the GeographicLib geodesic from (lat1, lon1) to (lat2, lon2)
// where it crosses the meridian lon (the longitude unrolled along the track).
double TruthLatitudeAt(const EarthModel& E, double lat1, double lon1, double lat2, double lon2,
                       double lon) {
    const GeographicLib::Geodesic g(E.SemiMajorAxis * kNm, 1.0 / E.InvFlattening);
    double s12 = 0, a1 = 0, a2 = 0;
    g.Inverse(lat1, lon1, lat2, lon2, s12, a1, a2);
    const GeographicLib::GeodesicLine line = g.Line(lat1, lon1, a1);
    const unsigned caps = GeographicLib::GeodesicLine::LATITUDE |
                          GeographicLib::GeodesicLine::LONGITUDE |
                          GeographicLib::GeodesicLine::LONG_UNROLL;
    double lat = 0, end = 0, x = 0;
    line.GenPosition(false, s12, caps, lat, end, x, x, x, x, x, x);
    const double sense = end > lon1 ? 1.0 : -1.0;  // longitude runs one way along the track
    double offset = Norm180(lon - lon1);
    if (offset * sense < 0) offset += 360.0 * sense;
    double lo = 0, hi = s12, ln = 0;
    for (int i = 0; i < 80; ++i) {
        const double mid = (lo + hi) / 2;
        line.GenPosition(false, mid, caps, lat, ln, x, x, x, x, x, x);
        ((ln - lon1) * sense < offset * sense ? lo : hi) = mid;
    }
    return lat;
}

// Routes to, from and over a pole once put every waypoint on the equator,
// each with a box, and their rhumb lines fell short of the great circle: a
// track along meridians has no latitude at the longitudes between them. Its
// waypoints are its ends and the pole it crosses, joined along the
// meridians. A route just off the pole is an ordinary steep track.
TEST(GreatCircleSailing, WaypointsOfPolarRoutes) {
    const EarthModel E = Wgs84();
    auto route = [](double lat3, double lon3, double lat4, double lon4) {
        GreatCircleInputs in;
        in.Lat3 = lat3;
        in.Long3 = lon3;
        in.Lat4 = lat4;
        in.Long4 = lon4;
        in.IntervalEntered = true;
        in.Interval = 5.0;
        return in;
    };
    struct Case {
        GreatCircleInputs in;
        std::vector<double> lats, courses;  // the rows' latitudes, the legs' courses
    };
    const Case cases[] = {
        {route(80, 10, 80, -170), {80, 90, 80}, {360, 180}},
        {route(90, 0, 60, -30), {90, 60}, {180}},
        {route(-70, -60, -75, 120), {-70, -90, -75}, {180, 360}},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.in.Lat3) + " " + std::to_string(c.in.Long4);
        RecordingReporter rec;
        const GreatCircleResult r = ComputeGreatCircle(c.in, E);
        EXPECT_TRUE(rec.messages.empty()) << name << ": " << rec.messages.size() << " boxes";
        ASSERT_EQ(r.ArrivalRow, static_cast<int>(c.lats.size())) << name;
        for (int i = 1; i <= r.ArrivalRow; ++i)
            EXPECT_DOUBLE_EQ(r.Waypoints[i][1], c.lats[i - 1]) << name << " row " << i;
        for (int i = 1; i < r.ArrivalRow; ++i)
            EXPECT_DOUBLE_EQ(r.Waypoints[i][3], c.courses[i - 1]) << name << " row " << i;
        const double truth = Truth(E, c.in.Lat3, c.in.Long3, c.in.Lat4, c.in.Long4).dist;
        EXPECT_NEAR(r.Theoretical, truth, 1e-4) << name;
        EXPECT_NEAR(r.SumOfRhumbLines, truth, 1e-4) << name;
        EXPECT_GE(r.SumOfRhumbLines, r.Theoretical) << name;
    }

    // Just off the pole: every whole-degree waypoint on GeographicLib's
    // geodesic (within the 0.0003 degree at which the track's latitude is
    // taken for the vertex's), and the rhumb lines no shorter than it.
    const GreatCircleInputs in = route(80, 10, 80, -169);
    RecordingReporter rec;
    const GreatCircleResult r = ComputeGreatCircle(in, E);
    EXPECT_TRUE(rec.messages.empty());
    ASSERT_EQ(r.ArrivalRow, 37);  // 10 E, 5 E, 0, 5 W ... 165 W, 169 W
    for (int i = 2; i < r.ArrivalRow; ++i)
        EXPECT_NEAR(r.Waypoints[i][1], TruthLatitudeAt(E, 80, 10, 80, -169, r.Waypoints[i][2]),
                    3e-4)
            << "row " << i << " at " << r.Waypoints[i][2];
    const double truth = Truth(E, 80, 10, 80, -169).dist;
    EXPECT_NEAR(r.Theoretical, truth, 0.05);
    EXPECT_GE(r.SumOfRhumbLines, r.Theoretical);
    EXPECT_LT(r.SumOfRhumbLines - truth, 1.0);
}

}  // namespace
}  // namespace orvex
