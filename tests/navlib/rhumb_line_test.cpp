#include "navlib/rhumb_line.h"

#include <gtest/gtest.h>

#include <GeographicLib/Ellipsoid.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "navlib/constants.h"
#include "navlib/earth_model.h"
#include "navlib/hooks.h"
#include "navlib/math_lib.h"
#include "navlib/solver_callback.h"

using namespace orvex;

namespace {

const EarthModel kNormalSphere{1e100, 3437.7468};
const EarthModel kWgs84{298.257223563, 6378137.0 / 1852.0};
const EarthModel kInternational1924{297.0, 6378388.0 / 1852.0};
constexpr double kClarkeInvF = 293.465000003029;
constexpr double kClarkeA = 6378249.145 / 1852.0;

constexpr char kNautical[] = " Error in nautical routine";
constexpr char kNoSolution[] = "There is no solution to the problem.";

double AngleDiff(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

// Courses strictly within half a degree of 090/270 are parallel sailing, a
// local approximation; the oracle comparisons keep clear of them.
bool InParallelBand(double course) {
    return std::fabs(std::remainder(course - 90.0, 180.0)) <= 0.6;
}

// The ellipsoid forms find the arrival latitude from the distance with a
// first-order meridian-arc series: its relative error is about 2e-5 of the
// distance run (2 m in 100 nm, 0.1 nm in 5000 nm).
constexpr double kMeridianSeriesRel = 2.5e-5;

struct Leg {
    double lat1, lon1, course, dist;
};

// A spread of legs that stay clear of the poles and of longitude differences
// over 180 degrees.
std::vector<Leg> TestLegs(const GeographicLib::Ellipsoid& ell) {
    std::vector<Leg> legs;
    for (double lat1 = -78; lat1 <= 78; lat1 += 13)
        for (double course = 1.5; course < 360; course += 11.7)
            for (double dist : {0.5, 20.0, 150.0, 500.0, 1500.0, 4000.0}) {
                if (InParallelBand(course)) continue;
                const double lat2 = lat1 + dist * std::cos(course * kDegToRad) / 60.0;
                if (std::fabs(lat2) > 86) continue;
                const double dlon = std::tan(course * kDegToRad) *
                                    (ell.IsometricLatitude(lat2) - ell.IsometricLatitude(lat1));
                if (std::fabs(dlon) > 170) continue;
                legs.push_back({lat1, -30.0 + lat1, course, dist});
            }
    return legs;
}

}  // namespace

// The meridional parts are the Clarke 1880 isometric latitude in minutes,
// whatever model is in use; a truncated series or the wrong flattening shows
// at the 1e-3 minute level.
TEST(MeridionalParts, ClarkeIsometricLatitudeInMinutes) {
    const GeographicLib::Ellipsoid clarke(kClarkeA, 1.0 / kClarkeInvF);
    for (double lat = -89.5; lat <= 89.5; lat += 0.5)
        EXPECT_NEAR(MeridionalParts(lat), 60.0 * clarke.IsometricLatitude(lat), 1e-5) << lat;
    EXPECT_NEAR(MeridionalParts(0), 0.0, 1e-8);
    EXPECT_NEAR(MeridionalParts(-37.25), -MeridionalParts(37.25), 1e-8);
    EXPECT_TRUE(std::isfinite(MeridionalParts(90)));
    EXPECT_GT(MeridionalParts(90), MeridionalParts(89.9999));
}

// Guards the South Pole's infinite meridional parts (the North Pole's are
// finite): a run onto it gave a NaN longitude, reported as solved.
TEST(RhumbLineSphere, BothPolesAlike) {
    EXPECT_EQ(MeridionalParts(-90), -MeridionalParts(90));
    const EarthModel sixtyMilesADegree{1e100, 10800.0 / kPi};
    double lat = 0, lon = 0;
    EXPECT_EQ(RhumbLineDirect(-89, 20, 180, 60, lat, lon, sixtyMilesADegree),
              SailingStatus::Solved);
    EXPECT_EQ(lat, -90.0);
    EXPECT_NEAR(lon, 20.0, 1e-6);
}

// The navigator's worked example on the Normal Sphere.
TEST(RhumbLineSphere, WorkedExampleOneDegreeEachWay) {
    RecordingReporter rec;
    double course = 0, dist = 0;
    EXPECT_EQ(RhumbLineInverse(0, 0, 1, 1, course, dist, kNormalSphere), SailingStatus::Solved);
    EXPECT_NEAR(course, 45.194, 0.0005);
    EXPECT_NEAR(dist, 85.142, 0.0005);
    EXPECT_TRUE(rec.messages.empty());
}

// The "sphere" is Mercator sailing: the course is the Clarke 1880 rhumb
// course and the distance 60 miles to the degree of latitude. Using the
// model's own (zero) eccentricity or a true spherical distance fails here.
TEST(RhumbLineSphere, IsMercatorSailingWithClarkeParts) {
    const GeographicLib::Ellipsoid ell(kClarkeA, 1.0 / kClarkeInvF);
    const GeographicLib::Rhumb clarke(kClarkeA, 1.0 / kClarkeInvF);
    for (const Leg& L : TestLegs(ell)) {
        SCOPED_TRACE(testing::Message() << L.lat1 << " " << L.course << " " << L.dist);
        double lat2, lon2;
        ASSERT_EQ(RhumbLineDirect(L.lat1, L.lon1, L.course, L.dist, lat2, lon2, kNormalSphere),
                  SailingStatus::Solved);
        const double C = L.course * kDegToRad;
        EXPECT_NEAR(lat2, L.lat1 + L.dist * std::cos(C) / 60.0, 1e-9);
        double s12, azi12;
        clarke.Inverse(L.lat1, L.lon1, lat2, lon2, s12, azi12);
        if (L.dist > 1) {
            EXPECT_LT(AngleDiff(azi12, L.course), 1e-6);
        }

        double course, dist;
        ASSERT_EQ(RhumbLineInverse(L.lat1, L.lon1, lat2, lon2, course, dist, kNormalSphere),
                  SailingStatus::Solved);
        if (L.dist > 1) {
            EXPECT_LT(AngleDiff(course, azi12), 1e-6);
        }
        EXPECT_NEAR(dist, 60.0 * std::fabs(lat2 - L.lat1) / std::fabs(std::cos(course * kDegToRad)),
                    1e-6);
        EXPECT_NEAR(dist, L.dist, 1e-6 * L.dist + 1e-7);

        double lonB, distB;
        ASSERT_EQ(RhumbLineByLatitude(L.lat1, L.lon1, L.course, lat2, lonB, distB, kNormalSphere),
                  SailingStatus::Solved);
        EXPECT_NEAR(lonB, lon2, 1e-8);
        EXPECT_NEAR(distB, L.dist, 1e-6 * L.dist + 1e-7);
        if (std::fabs(Norm180(lon2 - L.lon1)) > 0.01) {
            double latC, distC = 0;
            ASSERT_EQ(
                RhumbLineByLongitude(L.lat1, L.lon1, L.course, lon2, latC, distC, kNormalSphere),
                SailingStatus::Solved);
            EXPECT_NEAR(latC, lat2, 1e-7);
            EXPECT_NEAR(distC, L.dist, 1e-5 * L.dist);
        }
    }
}

// The ellipsoid forms against an independent rhumb line on two ellipsoids.
// The course is solved exactly; the distance carries the meridian-series
// error only.
TEST(RhumbLineEllipsoid, AgreesWithGeographicLibOnTwoEllipsoids) {
    RecordingReporter rec;
    for (const EarthModel& E : {kWgs84, kInternational1924}) {
        const GeographicLib::Ellipsoid ell(E.SemiMajorAxis, 1.0 / E.InvFlattening);
        const GeographicLib::Rhumb rh(E.SemiMajorAxis, 1.0 / E.InvFlattening);
        for (const Leg& L : TestLegs(ell)) {
            SCOPED_TRACE(testing::Message()
                         << E.InvFlattening << ": " << L.lat1 << " " << L.course << " " << L.dist);
            double lat2, lon2;
            rh.Direct(L.lat1, L.lon1, L.course, L.dist, lat2, lon2);
            const double distTol = kMeridianSeriesRel * L.dist;

            double course, dist;
            ASSERT_EQ(RhumbLineInverse(L.lat1, L.lon1, lat2, lon2, course, dist, E),
                      SailingStatus::Solved);
            EXPECT_LT(AngleDiff(course, L.course), 1e-6);
            EXPECT_NEAR(dist, L.dist, distTol);

            double la, lo;
            ASSERT_EQ(RhumbLineDirect(L.lat1, L.lon1, L.course, L.dist, la, lo, E),
                      SailingStatus::Solved);
            const double north = (la - lat2) * 60.0;
            const double east = Norm180(lo - lon2) * 60.0 * std::cos(lat2 * kDegToRad);
            EXPECT_LT(std::hypot(north, east), distTol + 1e-6);

            double lonB, distB;
            ASSERT_EQ(RhumbLineByLatitude(L.lat1, L.lon1, L.course, lat2, lonB, distB, E),
                      SailingStatus::Solved);
            EXPECT_NEAR(Norm180(lonB - lon2), 0.0, 1e-8);
            EXPECT_NEAR(distB, L.dist, distTol);

            if (std::fabs(Norm180(lon2 - L.lon1)) > 0.01) {
                double latC, distC = 0;
                ASSERT_EQ(RhumbLineByLongitude(L.lat1, L.lon1, L.course, lon2, latC, distC, E),
                          SailingStatus::Solved);
                EXPECT_NEAR(latC, lat2, 1e-7);
                EXPECT_NEAR(distC, L.dist, distTol + 1e-6);
            }
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

// On a parallel the ellipsoid distance is the arc of the parallel, N cos(lat) dlon.
TEST(RhumbLineEllipsoid, ParallelsAndMeridians) {
    const GeographicLib::Rhumb rh(kWgs84.SemiMajorAxis, 1.0 / kWgs84.InvFlattening);
    double course, dist, s12, azi;
    ASSERT_EQ(RhumbLineInverse(40, 10, 40, 25, course, dist, kWgs84), SailingStatus::Solved);
    rh.Inverse(40, 10, 40, 25, s12, azi);
    EXPECT_EQ(course, 90.0);
    EXPECT_NEAR(dist, s12, 1e-7);
    ASSERT_EQ(RhumbLineInverse(40, 25, 40, 10, course, dist, kWgs84), SailingStatus::Solved);
    EXPECT_EQ(course, 270.0);
    EXPECT_NEAR(dist, s12, 1e-7);
    // Due north reads 360, due south 180.
    ASSERT_EQ(RhumbLineInverse(10, 5, 30, 5, course, dist, kWgs84), SailingStatus::Solved);
    EXPECT_NEAR(course, 360.0, 1e-9);
    ASSERT_EQ(RhumbLineInverse(30, 5, 10, 5, course, dist, kWgs84), SailingStatus::Solved);
    EXPECT_NEAR(course, 180.0, 1e-9);
    // Due east along the parallel by longitude.
    double lat2;
    dist = 0;
    ASSERT_EQ(RhumbLineByLongitude(40, 10, 90, 25, lat2, dist, kWgs84), SailingStatus::Solved);
    EXPECT_EQ(lat2, 40.0);
    EXPECT_NEAR(dist, s12, 1e-7);
}

// Along a parallel close to a pole (a few miles round) the distance search
// once stepped 10 miles at a time round and round it: the inverse returned
// negative distances or a root-finding failure, from 89.99 on. The arc of the
// parallel must come out at every latitude, also at the poles themselves
// (the program's short pi costs up to a few parts in 1e7 of it next to a pole).
TEST(RhumbLineEllipsoid, ParallelsCloseToAPole) {
    RecordingReporter rec;
    const GeographicLib::Rhumb rh(kWgs84.SemiMajorAxis, 1.0 / kWgs84.InvFlattening);
    for (double lat : {80.0, 89.0, 89.9, 89.99, 89.999, 89.9999, -89.99, -89.9999})
        for (double dlon : {0.5, 10.0, 90.0, 179.0}) {
            double s12, azi, course, dist, lat2;
            rh.Inverse(lat, 10, lat, 10 + dlon, s12, azi);
            ASSERT_EQ(RhumbLineInverse(lat, 10, lat, 10 + dlon, course, dist, kWgs84),
                      SailingStatus::Solved)
                << lat << " " << dlon;
            EXPECT_EQ(course, 90.0);
            EXPECT_NEAR(dist, s12, 1e-9 + 1e-6 * s12) << lat << " " << dlon;
            ASSERT_EQ(RhumbLineInverse(lat, 10 + dlon, lat, 10, course, dist, kWgs84),
                      SailingStatus::Solved);
            EXPECT_EQ(course, 270.0);
            EXPECT_NEAR(dist, s12, 1e-9 + 1e-6 * s12);
            ASSERT_EQ(RhumbLineByLongitude(lat, 10, 90, 10 + dlon, lat2, dist, kWgs84),
                      SailingStatus::Solved);
            EXPECT_EQ(lat2, lat);
            EXPECT_NEAR(dist, s12, 1e-9 + 1e-6 * s12);
        }
    // Both positions on a pole: a parallel a millionth of a degree round it.
    for (double lat : {-90.0, 90.0}) {
        double course, dist;
        ASSERT_EQ(RhumbLineInverse(lat, -131.6, lat, 70.6, course, dist, kWgs84),
                  SailingStatus::Solved);
        EXPECT_GE(dist, 0.0);
        EXPECT_LT(dist, 1e-3);
    }
    EXPECT_TRUE(rec.messages.empty());
}

// Close to a pole the rhumb line winds round it and meets the wanted
// meridian again and again; the ellipsoid's latitude search once settled on
// a far crossing (75.8 for a 23-mile run from 89.7 N) or on no latitude at
// all (2921, -41681). A result must be the arrival of the direct routine
// over the distance it gives.
TEST(RhumbLineByLongitude, EllipsoidNearAPoleGivesTheArrivalOfItsOwnDistance) {
    RecordingReporter rec;
    struct Case {
        double lat1, lon1, course, lon2;
    };
    std::vector<Case> cases = {{-89.005865, 158.204839, 269.904085, 57.476001},
                               {89.720107, -101.376755, 270.491296, 179.381925},
                               {89.993463, -173.734765, 269.808468, 7.212381},
                               {-89.957569, 84.118156, 269.812752, 42.770658},
                               {-89.9999, -9.27962, 269.6, -31.682}};
    for (double lat1 : {89.9, 89.99, -89.95, 89.72, -89.0, 75.0})
        for (double course : {269.6, 269.9, 270.3, 90.2, 89.7, 80.0, 280.0})
            for (double dlon : {-150.0, -30.0, 20.0, 170.0})
                cases.push_back({lat1, 10.0, course, 10.0 + dlon});
    int solved = 0;
    for (const Case& c : cases) {
        double lat2 = 0, dist = 0;
        if (RhumbLineByLongitude(c.lat1, c.lon1, c.course, c.lon2, lat2, dist, kWgs84) !=
            SailingStatus::Solved)
            continue;
        ++solved;
        ASSERT_LE(std::fabs(lat2), 90.0) << c.lat1 << " " << c.course << " " << c.lon2;
        double la = 0, lo = 0;
        RhumbLineDirect(c.lat1, c.lon1, c.course, dist, la, lo, kWgs84);
        EXPECT_NEAR(la, lat2, 1e-6) << c.lat1 << " " << c.course << " " << c.lon2;
        EXPECT_LT(AngleDiff(lo, c.lon2) * 60.0 * std::cos(la * kDegToRad), 0.01)
            << c.lat1 << " " << c.course << " " << c.lon2;
    }
    EXPECT_GT(solved, 40);
}

// Two positions a few tenths of a minute apart in latitude and far apart in
// longitude: the course lies within a thousandth of a degree of east or west.
// There the course search once found no root, or a course heading north for
// a southern arrival, and the distance search could not meet its tolerance:
// a plain request gave a root-finding failure (one in sixteen such legs) or
// a distance 40 % too long. The answer must agree with an independent rhumb
// line, without a message.
TEST(RhumbLineEllipsoid, NearlyEastWestLegsFarApart) {
    RecordingReporter rec;
    const GeographicLib::Rhumb rh(kWgs84.SemiMajorAxis, 1.0 / kWgs84.InvFlattening);
    struct Pair {
        double lat1, lat2, dlon;
    };
    std::vector<Pair> pairs = {{68.208996, 68.210080, 153.639654},
                               {22.0 + 19.9 / 60, 22.0 + 20.1 / 60, 137.173},
                               {-25.101666666666667, -25.105, 149.95345669882747},
                               {58.113333333333337, 58.111666666666672, -150.96019929901956},
                               {-48.875, -48.876666666666665, 142.38816344438757}};
    for (double lat = -70; lat <= 70; lat += 17.5)
        for (double dlon : {-170.0, -95.0, 60.0, 120.0, 178.0})
            for (int tenths : {1, -2, 3}) pairs.push_back({lat, lat + tenths / 600.0, dlon});
    for (const Pair& p : pairs) {
        double s12, azi, course, dist;
        rh.Inverse(p.lat1, 0, p.lat2, p.dlon, s12, azi);
        ASSERT_EQ(RhumbLineInverse(p.lat1, 0, p.lat2, p.dlon, course, dist, kWgs84),
                  SailingStatus::Solved)
            << p.lat1 << " " << p.lat2 << " " << p.dlon;
        EXPECT_LT(AngleDiff(course, azi), 1e-5) << p.lat1 << " " << p.lat2 << " " << p.dlon;
        EXPECT_NEAR(dist, s12, 5e-5 * s12) << p.lat1 << " " << p.lat2 << " " << p.dlon;
        // The arrival latitude given with the course comes back to the same distance.
        double lon2, distB;
        ASSERT_EQ(RhumbLineByLatitude(p.lat1, 0, Norm360(azi), p.lat2, lon2, distB, kWgs84),
                  SailingStatus::Solved);
        EXPECT_NEAR(distB, s12, 5e-5 * s12);
    }
    EXPECT_TRUE(rec.messages.empty());
}

// Sphere special cases: same position, one parallel, the meridian, the 180th meridian.
TEST(RhumbLineSphere, SpecialDirections) {
    RecordingReporter rec;
    double course = -1, dist = -1;
    EXPECT_EQ(RhumbLineInverse(12.5, 40, 12.50001, 40.00001, course, dist, kNormalSphere),
              SailingStatus::Solved);
    EXPECT_EQ(course, 0.0);
    EXPECT_EQ(dist, 0.0);
    EXPECT_TRUE(rec.messages.empty());

    RhumbLineInverse(60, 10, 60, 12, course, dist, kNormalSphere);
    EXPECT_EQ(course, 90.0);
    EXPECT_NEAR(dist, 60.0, 1e-9);
    RhumbLineInverse(60, 12, 60, 10, course, dist, kNormalSphere);
    EXPECT_EQ(course, 270.0);
    RhumbLineInverse(10, 5, 11, 5, course, dist, kNormalSphere);
    EXPECT_EQ(course, 360.0);
    EXPECT_NEAR(dist, 60.0, 1e-9);
    RhumbLineInverse(11, 5, 10, 5, course, dist, kNormalSphere);
    EXPECT_EQ(course, 180.0);
    // Across the 180th meridian the short way: 179 E to 179 W is 2 degrees east.
    RhumbLineInverse(0, 179, 0, -179, course, dist, kNormalSphere);
    EXPECT_EQ(course, 90.0);
    EXPECT_NEAR(dist, 120.0, 1e-9);
    RhumbLineInverse(20, 179, 21, -179, course, dist, kNormalSphere);
    EXPECT_GT(course, 0.0);
    EXPECT_LT(course, 90.0);
    RhumbLineInverse(20, 179, 21, -179, course, dist, kWgs84);
    EXPECT_GT(course, 0.0);
    EXPECT_LT(course, 90.0);
    EXPECT_LT(dist, 200.0);
}

TEST(RhumbLineDirect, ZeroDistanceAndParallelSailing) {
    double lat2 = 1, lon2 = 1;
    EXPECT_EQ(RhumbLineDirect(-90, 33, 45, 0, lat2, lon2, kWgs84), SailingStatus::Solved);
    EXPECT_EQ(lat2, -90.0);
    EXPECT_EQ(lon2, 33.0);
    // Due east from 60 N for 60 miles on the Normal Sphere: two degrees of longitude.
    RhumbLineDirect(60, 10, 90, 60, lat2, lon2, kNormalSphere);
    EXPECT_NEAR(lat2, 60.0, 1e-9);
    EXPECT_NEAR(lon2, 12.0, 1e-5);
    // On 090.4 the latitude moves by dist cos C / a radians.
    RhumbLineDirect(60, 10, 90.4, 60, lat2, lon2, kNormalSphere);
    EXPECT_NEAR(lat2, 60 + 60 * std::cos(90.4 * kDegToRad) / 3437.7468 * kRadToDeg, 1e-12);
    EXPECT_NEAR(lon2, 12.0, 1e-3);
    // Across the 180th meridian the longitude is brought back into -180..180.
    RhumbLineDirect(0, 179, 90, 120, lat2, lon2, kNormalSphere);
    EXPECT_NEAR(lon2, -179.0, 1e-5);
}

// A track over a pole stops at the pole; the message is throttled to one a
// second through the clock hook, and every later call inside the second
// still gives the same answer.
TEST(RhumbLineDirect, PoleCrossingMessageOncePerSecond) {
    RecordingReporter rec;
    ManualClock clock(1000.2);
    ResetPoleCrossingThrottle();
    double lat2 = 0, lon2 = 5;
    EXPECT_EQ(RhumbLineDirect(80, 20, 0, 900, lat2, lon2, kNormalSphere),
              SailingStatus::SpecialCase);
    EXPECT_EQ(lat2, 90.0);
    EXPECT_EQ(lon2, 0.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].style, kIconExclamation + kButtonsOk);
    EXPECT_EQ(rec.messages[0].title, "Special case in nautical routine");
    EXPECT_EQ(rec.messages[0].text,
              "Your track is crossing a pole. Due to the definition of the rhumb line (see "
              "doc),\r\nthe solution is latitude 90\u00B0 and indefinite longitude.");

    clock.seconds = 1000.9;
    lat2 = lon2 = 7;
    EXPECT_EQ(RhumbLineDirect(80, 20, 0, 900, lat2, lon2, kNormalSphere),
              SailingStatus::SpecialCase);
    EXPECT_EQ(lat2, 90.0);
    EXPECT_EQ(lon2, 0.0);
    EXPECT_EQ(rec.messages.size(), 1u);

    // The southern pole on an ellipsoid, five seconds later: a new message.
    clock.seconds = 1005.0;
    EXPECT_EQ(RhumbLineDirect(-80, 20, 170, 900, lat2, lon2, kWgs84), SailingStatus::SpecialCase);
    EXPECT_EQ(lat2, -90.0);
    EXPECT_EQ(rec.messages.size(), 2u);

    // A root search that probes past a pole never shows it, and a direct call
    // after such a search is again a normal one.
    clock.seconds = 2000.0;
    double lon, dist;
    EXPECT_EQ(RhumbLineByLatitude(80, 20, 10, 89.9, lon, dist, kWgs84), SailingStatus::Solved);
    EXPECT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(RhumbLineDirect(80, 20, 0, 900, lat2, lon2, kWgs84), SailingStatus::SpecialCase);
    EXPECT_EQ(rec.messages.size(), 3u);
}

// Within half a degree of east or west the direct routine sails a parallel,
// but a long run near a pole still crosses it: once that gave latitudes such
// as -90.19 or 91.42 as a normal result. It is the pole-crossing case.
TEST(RhumbLineDirect, NearlyEastWestRunOverAPoleStopsAtThePole) {
    RecordingReporter rec;
    ManualClock clock(500.0);
    ResetPoleCrossingThrottle();
    double lat2 = 1, lon2 = 1;
    EXPECT_EQ(RhumbLineDirect(-89.9, 113.0, 269.6, 1620, lat2, lon2, kWgs84),
              SailingStatus::SpecialCase);
    EXPECT_EQ(lat2, -90.0);
    EXPECT_EQ(lon2, 0.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, "Special case in nautical routine");
    clock.seconds = 510.0;
    EXPECT_EQ(RhumbLineDirect(89.5, -33.0, 89.502, 9828, lat2, lon2, kNormalSphere),
              SailingStatus::SpecialCase);
    EXPECT_EQ(lat2, 90.0);
    EXPECT_EQ(rec.messages.size(), 2u);
    // Short of the pole the parallel sailing goes on as before.
    EXPECT_EQ(RhumbLineDirect(-89.9, 113.0, 269.6, 60, lat2, lon2, kWgs84), SailingStatus::Solved);
    EXPECT_GT(lat2, -90.0);
    EXPECT_LT(lat2, -89.9);
    EXPECT_EQ(rec.messages.size(), 2u);
}

// A departure worked out once gives every run the direct routine gives, to
// the bit, with the same status and messages: parallels, the sphere, poles
// reached, no distance, a non-finite input. The arrival's isometric latitude
// it gives is the ellipsoid's.
TEST(RhumbLineFrom, IsTheDirectRoutineOnAKeptDeparture) {
    RecordingReporter rec;
    ManualClock clock(100.0);
    const GeographicLib::Ellipsoid ell(kWgs84.SemiMajorAxis, 1.0 / kWgs84.InvFlattening);
    int compared = 0;
    for (const EarthModel& E : {kNormalSphere, kWgs84})
        for (double lat1 : {-90.0, -61.3, 0.0, 47.2, 89.95})
            for (double course : {0.0, 33.0, 90.0, 90.3, 180.0, 269.7, 270.0, 311.0}) {
                const RhumbDeparture d(lat1, course, E);
                for (double dist : {0.0, -120.0, 15.0, 800.0, 7000.0}) {
                    clock.seconds += 5.0;  // each pole crossing shows its message
                    rec.Clear();
                    double lat2 = 1, lon2 = 2;
                    RhumbArrival arrival;
                    const SailingStatus s1 = RhumbLineFrom(d, -17.5, dist, lat2, lon2, &arrival);
                    const size_t shown = rec.messages.size();
                    clock.seconds += 5.0;
                    double lat2d = 1, lon2d = 2;
                    const SailingStatus s2 =
                        RhumbLineDirect(lat1, -17.5, course, dist, lat2d, lon2d, E);
                    ASSERT_EQ(s1, s2) << lat1 << " " << course << " " << dist;
                    EXPECT_EQ(shown, rec.messages.size() - shown);
                    EXPECT_EQ(lat2, lat2d) << lat1 << " " << course << " " << dist;
                    EXPECT_EQ(lon2, lon2d) << lat1 << " " << course << " " << dist;
                    // (the program's quarter pi, 4.5e-14 short, tells near a pole)
                    if (arrival.known) {
                        EXPECT_EQ(arrival.phi * kRadToDeg, lat2);
                        EXPECT_NEAR(arrival.psi, ell.IsometricLatitude(lat2) * kDegToRad,
                                    1e-12 / std::cos(lat2 * kDegToRad));
                    }
                    ++compared;
                }
            }
    EXPECT_EQ(compared, 400);
    rec.Clear();
    double lat2 = 1, lon2 = 2;
    EXPECT_EQ(RhumbLineFrom(RhumbDeparture(10, 45, kWgs84), NAN, 10, lat2, lon2),
              SailingStatus::NoSolution);
    EXPECT_EQ(lat2, 0.0);
    EXPECT_EQ(rec.messages.size(), 1u);
}

// Every routine, mirrored north/south and east/west, gives the mirrored
// answer (a sign slip in the quadrant logic or the course search shows here).
TEST(RhumbLine, MirrorSymmetry) {
    RecordingReporter rec;
    struct Case {
        double lat1, lon1, course, dist;
    } cases[] = {{12, 5, 37, 300}, {48, -20, 160, 900}, {3, 100, 85, 2500},
                 {60, 0, 300, 45}, {25, 170, 60, 600},  {40, 10, 90.3, 200}};
    const auto mirrorNS = [](double c) { return Norm360(180.0 - c); };
    const auto mirrorEW = [](double c) { return Norm360(360.0 - c); };
    for (const EarthModel& E : {kNormalSphere, kWgs84}) {
        for (const Case& k : cases) {
            SCOPED_TRACE(testing::Message() << E.InvFlattening << " " << k.lat1 << " " << k.course);
            double lat2, lon2;
            RhumbLineDirect(k.lat1, k.lon1, k.course, k.dist, lat2, lon2, E);
            double sLat, sLon, wLat, wLon;
            RhumbLineDirect(-k.lat1, k.lon1, mirrorNS(k.course), k.dist, sLat, sLon, E);
            RhumbLineDirect(k.lat1, -k.lon1, mirrorEW(k.course), k.dist, wLat, wLon, E);
            EXPECT_NEAR(sLat, -lat2, 1e-9);
            EXPECT_NEAR(Norm180(sLon - lon2), 0, 1e-9);
            EXPECT_NEAR(wLat, lat2, 1e-9);
            EXPECT_NEAR(Norm180(wLon + lon2), 0, 1e-9);

            double c, d, cs, ds, cw, dw;
            RhumbLineInverse(k.lat1, k.lon1, lat2, lon2, c, d, E);
            RhumbLineInverse(-k.lat1, k.lon1, -lat2, lon2, cs, ds, E);
            RhumbLineInverse(k.lat1, -k.lon1, lat2, -lon2, cw, dw, E);
            EXPECT_LT(AngleDiff(cs, mirrorNS(c)), 1e-7);
            EXPECT_LT(AngleDiff(cw, mirrorEW(c)), 1e-7);
            EXPECT_NEAR(ds, d, 1e-6);
            EXPECT_NEAR(dw, d, 1e-6);

            double lo, dl, los, dls, low, dlw;
            RhumbLineByLatitude(k.lat1, k.lon1, k.course, lat2, lo, dl, E);
            RhumbLineByLatitude(-k.lat1, k.lon1, mirrorNS(k.course), -lat2, los, dls, E);
            RhumbLineByLatitude(k.lat1, -k.lon1, mirrorEW(k.course), lat2, low, dlw, E);
            EXPECT_NEAR(Norm180(los - lo), 0, 1e-8);
            EXPECT_NEAR(Norm180(low + lo), 0, 1e-8);
            EXPECT_NEAR(dls, dl, 1e-6);
            EXPECT_NEAR(dlw, dl, 1e-6);

            double la = 0, dg = 0, las = 0, dgs = 0, law = 0, dgw = 0;
            RhumbLineByLongitude(k.lat1, k.lon1, k.course, lon2, la, dg, E);
            RhumbLineByLongitude(-k.lat1, k.lon1, mirrorNS(k.course), lon2, las, dgs, E);
            RhumbLineByLongitude(k.lat1, -k.lon1, mirrorEW(k.course), -lon2, law, dgw, E);
            EXPECT_NEAR(las, -la, 1e-7);
            EXPECT_NEAR(law, la, 1e-7);
            EXPECT_NEAR(dgs, dg, 1e-5);
            EXPECT_NEAR(dgw, dg, 1e-5);
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

// Each refusal of the by-latitude case: its text, its neutral outputs and
// the NoSolution status that tells it from a result of zeros.
TEST(RhumbLineByLatitude, Refusals) {
    RecordingReporter rec;
    double lon2 = 99, dist = 99;
    const auto expectLast = [&](const std::string& text) {
        ASSERT_FALSE(rec.messages.empty());
        EXPECT_EQ(rec.messages.back().style, kIconExclamation + kButtonsOk);
        EXPECT_EQ(rec.messages.back().title, kNautical);
        EXPECT_EQ(rec.messages.back().text, text);
    };
    EXPECT_EQ(RhumbLineByLatitude(20, 7, 90, 20, lon2, dist, kWgs84), SailingStatus::NoSolution);
    expectLast("You have entered 2 same latitudes. There is no single solution to the problem.");
    EXPECT_EQ(lon2, 7.0);
    EXPECT_EQ(dist, 0.0);
    EXPECT_EQ(RhumbLineByLatitude(20, 7, 45, 20, lon2, dist, kNormalSphere),
              SailingStatus::NoSolution);
    expectLast(
        "You have entered 2 same latitudes and a course which is neither E nor W.\r\n"
        "There is no solution to the problem.");
    EXPECT_EQ(RhumbLineByLatitude(20, 7, 45, 10, lon2, dist, kNormalSphere),
              SailingStatus::NoSolution);
    expectLast(
        "The arrival latitude is South of the departure latitude but your course is "
        "headed to the North.\r\nThere is no solution to the problem.");
    EXPECT_EQ(lon2, 0.0);
    EXPECT_EQ(dist, 0.0);
    EXPECT_EQ(RhumbLineByLatitude(20, 7, 135, 30, lon2, dist, kWgs84), SailingStatus::NoSolution);
    expectLast(
        "The arrival latitude is North of the departure latitude but your course is "
        "headed to the South.\r\nThere is no solution to the problem.");
    // Due east or west with two latitudes: refused rather than a huge answer.
    for (double c : {90.0, 270.0})
        for (const EarthModel& E : {kNormalSphere, kWgs84}) {
            lon2 = dist = 99;
            EXPECT_EQ(RhumbLineByLatitude(20, 7, c, 30, lon2, dist, E), SailingStatus::NoSolution);
            expectLast(kNoSolution);
            EXPECT_EQ(lon2, 0.0);
            EXPECT_EQ(dist, 0.0);
        }
    // An ellipsoid leg longer than the equator.
    EXPECT_EQ(RhumbLineByLatitude(-60, 7, 89, 60, lon2, dist, kWgs84), SailingStatus::NoSolution);
    expectLast(kNoSolution);
    EXPECT_EQ(lon2, 0.0);
    EXPECT_EQ(dist, 0.0);
    // An arrival at the south pole is taken at -89.999999, like a departure.
    rec.Clear();
    for (const EarthModel& E : {kNormalSphere, kWgs84}) {
        EXPECT_EQ(RhumbLineByLatitude(-80, 7, 180, -90, lon2, dist, E), SailingStatus::Solved);
        EXPECT_TRUE(std::isfinite(lon2));
        EXPECT_NEAR(dist, 600, 4);  // 10 degrees of latitude
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(RhumbLineByLongitude, Refusals) {
    RecordingReporter rec;
    double lat2 = 99, dist = 99;
    const auto expectLast = [&](const std::string& text) {
        ASSERT_FALSE(rec.messages.empty());
        EXPECT_EQ(rec.messages.back().style, kIconExclamation + kButtonsOk);
        EXPECT_EQ(rec.messages.back().title, kNautical);
        EXPECT_EQ(rec.messages.back().text, text);
    };
    EXPECT_EQ(RhumbLineByLongitude(20, 7, 0, 7, lat2, dist, kWgs84), SailingStatus::NoSolution);
    expectLast("You have entered 2 same longitudes. There is no single solution to the problem.");
    EXPECT_EQ(lat2, 20.0);
    EXPECT_EQ(dist, 0.0);
    EXPECT_EQ(RhumbLineByLongitude(20, 7, 180, 7, lat2, dist, kWgs84), SailingStatus::NoSolution);
    expectLast("You have entered 2 same longitudes. There is no single solution to the problem.");
    EXPECT_EQ(RhumbLineByLongitude(20, 7, 45, 7, lat2, dist, kWgs84), SailingStatus::NoSolution);
    expectLast(
        "You have entered 2 same longitudes and a course which is neither N nor S.\r\n"
        "There is no solution to the problem.");
    EXPECT_EQ(RhumbLineByLongitude(20, 7, 200, 9, lat2, dist, kWgs84), SailingStatus::NoSolution);
    expectLast(
        "The arrival longitude is East of the departure longitude but your course is "
        "headed to the West.\r\nThere is no solution to the problem.");
    EXPECT_EQ(lat2, 0.0);
    EXPECT_EQ(dist, 0.0);
    EXPECT_EQ(RhumbLineByLongitude(20, 7, 20, 5, lat2, dist, kNormalSphere),
              SailingStatus::NoSolution);
    expectLast(
        "The arrival longitude is West of the departure longitude but your course is "
        "headed to the East.\r\nThere is no solution to the problem.");
    // Due north or south between two meridians: refused, not a division by tan 0.
    for (double c : {0.0, 180.0, 360.0})
        for (const EarthModel& E : {kNormalSphere, kWgs84}) {
            lat2 = dist = 99;
            EXPECT_EQ(RhumbLineByLongitude(20, 7, c, 9, lat2, dist, E), SailingStatus::NoSolution);
            expectLast(kNoSolution);
            EXPECT_EQ(lat2, 0.0);
            EXPECT_EQ(dist, 0.0);
            EXPECT_EQ(RhumbLineByLongitude(20, 9, c, 7, lat2, dist, E), SailingStatus::NoSolution);
            expectLast(kNoSolution);
        }
    // An arrival that would lie at a pole.
    lat2 = dist = 99;
    EXPECT_EQ(RhumbLineByLongitude(0, 0, 1, 90, lat2, dist, kNormalSphere),
              SailingStatus::NoSolution);
    expectLast(kNoSolution);
    EXPECT_EQ(lat2, 0.0);
    EXPECT_EQ(dist, 0.0);
}

// Input that is not a number is refused, never passed on as a result.
TEST(RhumbLine, NonFiniteInputRefused) {
    RecordingReporter rec;
    const double nan = std::nan("");
    double a = 1, b = 1;
    EXPECT_EQ(RhumbLineDirect(nan, 0, 45, 10, a, b, kWgs84), SailingStatus::NoSolution);
    EXPECT_EQ(RhumbLineInverse(0, 0, nan, 1, a, b, kWgs84), SailingStatus::NoSolution);
    EXPECT_EQ(RhumbLineByLatitude(0, 0, nan, 1, a, b, kWgs84), SailingStatus::NoSolution);
    EXPECT_EQ(RhumbLineByLongitude(0, 0, 45, nan, a, b, kWgs84), SailingStatus::NoSolution);
    EXPECT_EQ(rec.messages.size(), 4u);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(b, 0.0);
}

// The callback's rhumb-line functions run the direct routine in their own
// modes: function 0 keeps the given arrival latitude, function 1 computes
// only the latitude and leaves the longitude slot alone, and their roots are
// the oracle's course and arrival latitude.
TEST(RhumbLineCallback, FunctionsRunTheDirectRoutineInTheirModes) {
    const GeographicLib::Rhumb rh(kWgs84.SemiMajorAxis, 1.0 / kWgs84.InvFlattening);
    double lat2, lon2;
    rh.Direct(35, -20, 62, 700, lat2, lon2);
    SolverParameters P;
    P.SolvInvFlat = kWgs84.InvFlattening;
    P.SolvAxis = kWgs84.SemiMajorAxis;
    P.SolvArg1 = 35;
    P.SolvArg2 = -20;
    P.SolvArg3 = lat2;
    P.SolvArg4 = lon2;
    P.SolvArg5 = 62;
    P.SolvArg6 = 700;
    P.SolvArg7 = lat2;
    NautLibFct fn(P);

    EXPECT_NEAR(fn.f(62, 0), 0.0, 1e-9);
    EXPECT_EQ(P.SolvArg7, lat2);  // the given latitude is kept
    EXPECT_NEAR(fn.f(lat2, 2), 0.0, 1e-9);

    P.SolvArg8 = 12345;
    EXPECT_NEAR(fn.f(700, 1), 0.0, kMeridianSeriesRel * 700 / 60);
    EXPECT_EQ(P.SolvArg8, 12345.0);  // the longitude slot is left alone

    // Modes 3 and 4 compute both, and past a pole give finite values of the
    // right sign without any message.
    RecordingReporter rec;
    P.SolvArg5 = 10;
    P.SolvArg3 = 89.9;
    EXPECT_GT(fn.f(5000, 3), 0.0);
    EXPECT_TRUE(std::isfinite(fn.f(5000, 4)));
    EXPECT_TRUE(std::isfinite(P.SolvArg8));
    EXPECT_TRUE(rec.messages.empty());
}
