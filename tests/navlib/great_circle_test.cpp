// Great-circle and geodesic sailing against GeographicLib, the worked values
// navigators check by hand, and the mirror symmetries of the Earth.
#include "navlib/great_circle.h"

#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <cmath>
#include <random>
#include <vector>

#include "navlib/arrays.h"
#include "navlib/constants.h"
#include "navlib/earth_model.h"
#include "navlib/earth_radii.h"
#include "navlib/hooks.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/solver_callback.h"
#include "navlib/solvers.h"

namespace orvex {
namespace {

using GeographicLib::Geodesic;
using GeographicLib::GeodesicLine;

constexpr double kNmPerMetre = 1.0 / 1852.0;

EarthModel Wgs84() {
    EarthModel E;
    E.InvFlattening = 298.257223563;
    E.SemiMajorAxis = 6378137.0 * kNmPerMetre;
    return E;
}

// The "Normal Sphere": one geographical mile per minute of arc.
EarthModel NormalSphere() {
    EarthModel E;
    E.InvFlattening = 1e100;
    E.SemiMajorAxis = 10800.0 / kPi;
    return E;
}

// GeographicLib's geodesic on the same model, lengths in nautical miles.
Geodesic OracleFor(const EarthModel& E) {
    const double f = E.InvFlattening > 1e50 ? 0.0 : 1.0 / E.InvFlattening;
    return Geodesic(E.SemiMajorAxis, f);
}

double AngleDiff(double a, double b) {
    return std::fabs(Norm180(a - b));
}

struct Route {
    double lat1, lon1, lat2, lon2;
};

// Routes across every quadrant and both hemispheres, between 300 miles and
// about 8000 miles (far from antipodal), not along a meridian.
std::vector<Route> RandomRoutes(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> lat(-70.0, 70.0), lon(-180.0, 180.0);
    const Geodesic g = OracleFor(Wgs84());
    std::vector<Route> out;
    while (static_cast<int>(out.size()) < n) {
        Route r{lat(gen), lon(gen), lat(gen), lon(gen)};
        double s = 0;
        g.Inverse(r.lat1, r.lon1, r.lat2, r.lon2, s);
        if (s < 300.0 || s > 8000.0 || AngleDiff(r.lon1, r.lon2) < 2.0) continue;
        out.push_back(r);
    }
    return out;
}

// The oracle's vertex: on the geodesic through the two positions, in the
// hemisphere of the position farther from the equator.
struct OracleVertex {
    double lat, lon, arcFromDeparture, arcTotal;
};
OracleVertex VertexOf(const Geodesic& g, const Route& r) {
    const GeodesicLine line = g.InverseLine(r.lat1, r.lon1, r.lat2, r.lon2);
    const double sigma1 = line.EquatorialArc();
    const bool north = (std::fabs(r.lat2) < std::fabs(r.lat1) ? r.lat1 : r.lat2) > 0;
    double a = Norm180((north ? 90.0 : -90.0) - sigma1);
    OracleVertex v{};
    line.ArcPosition(a, v.lat, v.lon);
    v.lon = Norm180(v.lon);
    v.arcFromDeparture = a;
    v.arcTotal = line.Arc();
    return v;
}

// The oracle's latitude of the geodesic from departure to arrival at a
// longitude between them (bisection on the arc).
double LatitudeAt(const Geodesic& g, const Route& r, double lon) {
    const GeodesicLine line = g.InverseLine(r.lat1, r.lon1, r.lat2, r.lon2);
    const double dir = Norm180(r.lon2 - r.lon1) > 0 ? 1.0 : -1.0;
    double lo = 0.0, hi = line.Arc();
    for (int i = 0; i < 80; ++i) {
        const double mid = (lo + hi) / 2;
        double la = 0, lo2 = 0;
        line.ArcPosition(mid, la, lo2);
        if (dir * Norm180(lo2 - lon) < 0)
            lo = mid;
        else
            hi = mid;
    }
    double la = 0, lo2 = 0;
    line.ArcPosition((lo + hi) / 2, la, lo2);
    return la;
}

// ---------------------------------------------------------------- worked values

// The worked example of the sailing manual: two positions on one parallel
// have their vertex on the mid meridian.
TEST(GreatCircleEllipsoid, WorkedExampleOnOneParallel) {
    const GreatCircleVertex v = GreatCircleEllipsoid(40, -10, 40, -60, NormalSphere());
    EXPECT_NEAR(v.VertexLat, 42.7949, 5e-5);
    EXPECT_NEAR(v.VertexLong, -35.0, 1e-9);
    EXPECT_NEAR(v.VertexParam, 1.0801, 5e-5);
    EXPECT_GT(v.VertexDist, 0.0);
}

// A vertex behind the departure (the track runs away from it) must be
// reported as outside the track, not as a distance.
TEST(GreatCircleEllipsoid, WorkedExampleVertexOutsideTrack) {
    const GreatCircleVertex v = GreatCircleEllipsoid(40, -10, -10, -60, NormalSphere());
    EXPECT_NEAR(v.VertexLat, 51.4687, 5e-5);
    EXPECT_NEAR(v.VertexLong, 38.0718, 5e-5);
    EXPECT_EQ(v.VertexDist, -1.0);
}

TEST(GreatCircleEllipsoid, SamePositionsGiveNoVertex) {
    const GreatCircleVertex v = GreatCircleEllipsoid(12.5, 33.0, 12.5, 33.0, Wgs84());
    EXPECT_EQ(v.VertexLat, 0.0);
    EXPECT_EQ(v.VertexLong, 0.0);
    EXPECT_EQ(v.VertexParam, 0.0);
    EXPECT_EQ(v.VertexDist, -1.0);
}

// A route along the equator has no vertex, is sailed due east or west, and
// its period is the 0/0 limit 360 (1 - f), not a division by zero.
TEST(GreatCircleEllipsoid, RouteAlongTheEquator) {
    RecordingReporter rec;
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        const GreatCircleVertex v = GreatCircleEllipsoid(0, 10, 0, 50, E);
        EXPECT_EQ(v.VertexDist, -1.0);
        EXPECT_EQ(v.VertexLat, 0.0);
        double course = 0;
        bool failed = false;
        EXPECT_EQ(GreatCircleComposite(10, v.VertexLat, v.VertexLong, v.VertexParam, E, 10, 50,
                                       course, failed),
                  0.0);
        EXPECT_EQ(course, 90.0);
        course = 0;
        GreatCircleComposite(50, v.VertexLat, v.VertexLong, v.VertexParam, E, 50, 10, course,
                             failed);
        EXPECT_EQ(course, 270.0);
        EXPECT_FALSE(failed);
        EXPECT_NEAR(GeodesicDistance(0, 10, 0, 50, E), E.SemiMajorAxis * 40 * kDegToRad, 1e-6);
    }
    GreatCircleEllipsoid(0, 10, 0, 50, Wgs84());  // sets 1 - e^2 of WGS 1984
    const double f = 1 / 298.257223563;
    EXPECT_NEAR(360.0 / IntegralMode8(0.0, 0.0), 360.0 * (1 - f), 1e-9);
    EXPECT_TRUE(rec.messages.empty());
}

// A track along a meridian has its vertex at a pole; the arccosine of the
// general formulas once flooded the navigator with boxes there.
TEST(GreatCircleEllipsoid, TrackAlongAMeridian) {
    RecordingReporter rec;
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        GreatCircleVertex v = GreatCircleEllipsoid(10, -30, 50, -30, E);
        EXPECT_EQ(v.VertexLat, 90.0);
        EXPECT_EQ(v.VertexDist, -1.0);
        v = GreatCircleEllipsoid(-10, -30, -50, -30, E);
        EXPECT_EQ(v.VertexLat, -90.0);
        // Over the pole: the vertex is on the track.
        v = GreatCircleEllipsoid(70, -30, 80, 150, E);
        EXPECT_EQ(v.VertexLat, 90.0);
        EXPECT_NEAR(v.VertexDist, GeodesicDistance(70, -30, 90, -30, E), 1e-9);
        double course = kNoCourse;
        bool failed = false;
        EXPECT_EQ(GreatCircleComposite(-20, v.VertexLat, v.VertexLong, v.VertexParam, E, 0, 0,
                                       course, failed),
                  0.0);
        EXPECT_TRUE(failed);
        // Nearly along a meridian the general case holds.
        const Geodesic g = OracleFor(E);
        const Route r{-60, 10, 30, 10.001};
        v = GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);
        EXPECT_NEAR(v.VertexLat, VertexOf(g, r).lat, 1e-4);
    }
    EXPECT_TRUE(rec.messages.empty());
}

// A departure on the equator (or within a hair of it) on the sphere: the
// start value of p multiplied the cosine of a right angle by the cotangent of
// the 1e-07 substitute, and the vertex came out at the pole (0.0007 degree
// off at 1e-06 degree of latitude), with every course and waypoint wrong.
TEST(GreatCircleEllipsoid, DepartureOnTheEquator) {
    RecordingReporter rec;
    for (const EarthModel& E : {NormalSphere(), Wgs84()}) {
        const Geodesic g = OracleFor(E);
        for (const double lat1 : {0.0, 1e-6, -1e-6, 1e-4}) {
            for (const Route& r : {Route{lat1, 10, 30, 50}, Route{lat1, 10, -30, 50},
                                   Route{lat1, -20, 50, -160}, Route{lat1, 170, -45, -150}}) {
                SCOPED_TRACE(testing::Message() << r.lat1 << " " << r.lon1 << " " << r.lat2 << " "
                                                << r.lon2 << " F " << E.InvFlattening);
                const GreatCircleVertex v = GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);
                const OracleVertex o = VertexOf(g, r);
                EXPECT_NEAR(v.VertexLat, o.lat, 1e-4);
                EXPECT_LT(AngleDiff(v.VertexLong, o.lon), 1e-4);
                double azi1 = 0, azi2 = 0, s = 0;
                g.Inverse(r.lat1, r.lon1, r.lat2, r.lon2, s, azi1, azi2);
                double c1 = 0, c2 = 0;
                bool failed = false;
                EXPECT_NEAR(GreatCircleComposite(r.lon1, v.VertexLat, v.VertexLong, v.VertexParam,
                                                 E, r.lon1, r.lon2, c1, failed),
                            r.lat1, 1e-4);
                EXPECT_NEAR(GreatCircleComposite(r.lon2, v.VertexLat, v.VertexLong, v.VertexParam,
                                                 E, r.lon1, r.lon2, c2, failed),
                            r.lat2, 1e-4);
                EXPECT_LT(AngleDiff(c1, azi1), 0.002);
                EXPECT_LT(AngleDiff(c2, azi2), 0.002);
            }
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

// Courses of a track along a meridian: the vertex sits at a pole and the
// courses were left as the caller's variable held them (000 shown for a
// route due south). A position at a pole gave a NaN vertex longitude on the
// sphere and a flood of arccosine boxes on the ellipsoid.
TEST(GreatCircleComposite, CoursesAlongAMeridianAndFromAPole) {
    RecordingReporter rec;
    struct Case {
        Route r;
        double vertexLat, course1, course2;
    };
    const Case cases[] = {
        {{10, -30, 50, -30}, 90, 360, 360},    {{50, -30, 10, -30}, 90, 180, 180},
        {{-10, -30, -50, -30}, -90, 180, 180}, {{-50, -30, -10, -30}, -90, 360, 360},
        {{-10, 20, 30, 20}, 90, 360, 360},     {{30, 20, -10, 20}, 90, 180, 180},
        {{70, -30, 80, 150}, 90, 360, 180},    {{-70, -30, -80, 150}, -90, 180, 360},
        {{90, 6, 40, 7}, 90, 180, 180},        {{40, 7, 90, 100}, 90, 360, 360},
        {{-90, 149, 66, 69}, -90, 360, 360},   {{66, 69, -90, 149}, -90, 180, 180},
        {{90, 0, -30, 170}, 90, 180, 180},
    };
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        const Geodesic g = OracleFor(E);
        for (const Case& c : cases) {
            const Route& r = c.r;
            SCOPED_TRACE(testing::Message() << r.lat1 << " " << r.lon1 << " " << r.lat2 << " "
                                            << r.lon2 << " F " << E.InvFlattening);
            const GreatCircleVertex v = GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);
            EXPECT_EQ(v.VertexLat, c.vertexLat);
            EXPECT_EQ(v.VertexParam, 0.0);
            EXPECT_TRUE(std::isfinite(v.VertexLong));
            double c1 = 0, c2 = 0;
            bool failed = false;
            GreatCircleComposite(r.lon1, v.VertexLat, v.VertexLong, v.VertexParam, E, r.lon1,
                                 r.lon2, c1, failed);
            GreatCircleComposite(r.lon2, v.VertexLat, v.VertexLong, v.VertexParam, E, r.lon1,
                                 r.lon2, c2, failed);
            EXPECT_EQ(c1, c.course1);
            EXPECT_EQ(c2, c.course2);
            double s = 0;
            g.Inverse(r.lat1, r.lon1, r.lat2, r.lon2, s);
            EXPECT_NEAR(GeodesicDistance(r.lat1, r.lon1, r.lat2, r.lon2, E), s, 2e-5 * s + 0.002);
        }
        // Both positions at one pole are one position.
        const GreatCircleVertex same = GreatCircleEllipsoid(90, 10, 90, -100, E);
        EXPECT_EQ(same.VertexDist, -1.0);
        EXPECT_EQ(same.VertexLat, 0.0);
    }
    EXPECT_TRUE(rec.messages.empty());
}

// A track within a thousandth of a degree of a meridian has its vertex a
// hair from the pole; it is an ordinary track with a latitude and a course
// at every longitude, yet it was refused as a vertex at the pole (no course
// at departure or arrival).
TEST(GreatCircleComposite, NearlyAlongAMeridian) {
    RecordingReporter rec;
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        const Geodesic g = OracleFor(E);
        for (const Route& r :
             {Route{88.8, -150.404, -18.19, -150.403}, Route{-35.11, -160.045, -88.59, -160.044},
              Route{89.99, 91.80, -33.29, 91.60}}) {
            SCOPED_TRACE(testing::Message() << r.lat1 << " " << r.lon1 << " " << r.lat2 << " "
                                            << r.lon2 << " F " << E.InvFlattening);
            const GreatCircleVertex v = GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);
            double azi1 = 0, azi2 = 0, s = 0;
            g.Inverse(r.lat1, r.lon1, r.lat2, r.lon2, s, azi1, azi2);
            double c1 = 0, c2 = 0;
            bool failed1 = true, failed2 = true;
            GreatCircleComposite(r.lon1, v.VertexLat, v.VertexLong, v.VertexParam, E, r.lon1,
                                 r.lon2, c1, failed1);
            GreatCircleComposite(r.lon2, v.VertexLat, v.VertexLong, v.VertexParam, E, r.lon1,
                                 r.lon2, c2, failed2);
            EXPECT_FALSE(failed1);
            EXPECT_FALSE(failed2);
            EXPECT_LT(AngleDiff(c1, azi1), 0.002);
            EXPECT_LT(AngleDiff(c2, azi2), 0.002);
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

// Round numbers put a departure exactly at the vertex (45 S 180 to the
// equator at 90 W leaves due east), at a pole, on the equator or on one
// meridian: the quotients of the formulas then round a hair over 1 and the
// arccosine box was shown for a perfectly good route. Every output must be a
// number and no box may appear.
TEST(GreatCircle, RoundNumbersGiveNoBoxAndNoNaN) {
    RecordingReporter rec;
    const double lats[] = {-90, -45, -1e-9, 0, 1e-9, 45, 90};
    const double lons[] = {-180, -90, 0, 90, 180};
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        for (double la1 : lats)
            for (double lo1 : lons)
                for (double la2 : lats)
                    for (double lo2 : lons) {
                        SCOPED_TRACE(testing::Message() << la1 << " " << lo1 << " " << la2 << " "
                                                        << lo2 << " F " << E.InvFlattening);
                        const GreatCircleVertex v = GreatCircleEllipsoid(la1, lo1, la2, lo2, E);
                        double c1 = 0, c2 = kNoCourse;
                        bool failed = false;
                        const double l1 = GreatCircleComposite(
                            lo1, v.VertexLat, v.VertexLong, v.VertexParam, E, lo1, lo2, c1, failed);
                        const double l2 =
                            GreatCircleComposite(Norm180(lo1 + 7), v.VertexLat, v.VertexLong,
                                                 v.VertexParam, E, 0, 0, c2, failed);
                        for (double x : {v.VertexLat, v.VertexLong, v.VertexParam, v.VertexDist, l1,
                                         l2, c1, c2, GeodesicDistance(la1, lo1, la2, lo2, E)}) {
                            ASSERT_TRUE(std::isfinite(x));
                        }
                        ASSERT_TRUE(rec.messages.empty());
                    }
    }
    // The departure at the vertex: due east, vertex where the oracle puts it.
    const Geodesic g = OracleFor(NormalSphere());
    const GreatCircleVertex v = GreatCircleEllipsoid(-45, -180, 0, -90, NormalSphere());
    EXPECT_NEAR(v.VertexLat, -45.0, 1e-9);
    EXPECT_LT(AngleDiff(v.VertexLong, 180.0), 1e-9);
    EXPECT_NEAR(v.VertexLat, VertexOf(g, Route{-45, -180, 0, -90}).lat, 1e-9);
}

// ---------------------------------------------------------------- distance

// On the equator the half-sum of the latitudes is a tiny substitute; the
// cosine of an arctangent of a huge number once lost all its digits there.
TEST(GeodesicDistance, QuarterOfTheEquatorOnTheNormalSphere) {
    EXPECT_NEAR(GeodesicDistance(0, 0, 0, 90, NormalSphere()), 5400.0, 1e-4);
}

// Two positions on one meridian were once reported 0 miles apart.
TEST(GeodesicDistance, AlongOneMeridian) {
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        const Geodesic g = OracleFor(E);
        double s = 0;
        g.Inverse(10, -30, 50, -30, s);
        EXPECT_NEAR(GeodesicDistance(10, -30, 50, -30, E), s, 2e-5 * s + 0.002);
        g.Inverse(-35, 120, 20, 120, s);
        EXPECT_NEAR(GeodesicDistance(-35, 120, 20, 120, E), s, 2e-5 * s + 0.002);
    }
}

TEST(GeodesicDistance, AgreesWithGeographicLib) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> lat(-89.0, 89.0), lon(-180.0, 180.0);
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        const Geodesic g = OracleFor(E);
        int n = 0;
        while (n < 2000) {
            const double la1 = lat(gen), lo1 = lon(gen), la2 = lat(gen), lo2 = lon(gen);
            double s = 0, a12 = g.Inverse(la1, lo1, la2, lo2, s);
            if (a12 > 170.0) continue;  // nearly antipodal: outside the formula
            ++n;
            ASSERT_NEAR(GeodesicDistance(la1, lo1, la2, lo2, E), s, 2e-5 * s + 0.002)
                << la1 << " " << lo1 << " " << la2 << " " << lo2;
        }
    }
}

// ---------------------------------------------------------------- vertex

void CheckVertices(const EarthModel& E, unsigned seed) {
    RecordingReporter rec;
    const Geodesic g = OracleFor(E);
    for (const Route& r : RandomRoutes(400, seed)) {
        const GreatCircleVertex v = GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);
        const OracleVertex o = VertexOf(g, r);
        SCOPED_TRACE(testing::Message()
                     << r.lat1 << " " << r.lon1 << " " << r.lat2 << " " << r.lon2);
        ASSERT_NEAR(v.VertexLat, o.lat, 1e-4);
        ASSERT_LT(AngleDiff(v.VertexLong, o.lon), 1e-4);
        const bool between = o.arcFromDeparture > 0 && o.arcFromDeparture < o.arcTotal;
        const bool nearEnd = AngleDiff(o.lon, r.lon1) < 0.01 || AngleDiff(o.lon, r.lon2) < 0.01;
        if (nearEnd) continue;
        ASSERT_EQ(v.VertexDist != -1.0, between);
        if (between) {
            double s = 0;
            g.Inverse(r.lat1, r.lon1, o.lat, o.lon, s);
            ASSERT_NEAR(v.VertexDist, s, 2e-5 * s + 0.002);
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(GreatCircleEllipsoid, VertexAgreesWithGeographicLibOnWgs84) {
    CheckVertices(Wgs84(), 11);
}
TEST(GreatCircleEllipsoid, VertexAgreesWithGeographicLibOnTheSphere) {
    CheckVertices(NormalSphere(), 12);
}

// ---------------------------------------------------------------- along the track

void CheckTrack(const EarthModel& E, unsigned seed) {
    RecordingReporter rec;
    const Geodesic g = OracleFor(E);
    for (const Route& r : RandomRoutes(150, seed)) {
        SCOPED_TRACE(testing::Message()
                     << r.lat1 << " " << r.lon1 << " " << r.lat2 << " " << r.lon2);
        const GreatCircleVertex v = GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);
        // Waypoints every 5 degrees of longitude, as the waypoint table cuts them.
        const double span = Norm180(r.lon2 - r.lon1);
        for (double d = 2.5; d < std::fabs(span); d += 5.0) {
            const double lon = Norm180(r.lon1 + (span > 0 ? d : -d));
            double course = kNoCourse;
            bool failed = true;
            const double lat = GreatCircleComposite(lon, v.VertexLat, v.VertexLong, v.VertexParam,
                                                    E, 0, 0, course, failed);
            ASSERT_FALSE(failed) << lon;
            ASSERT_NEAR(lat, LatitudeAt(g, r, lon), 1e-3) << lon;
            if (course != kNoCourse) {
                ASSERT_NEAR(lat, v.VertexLat, 0.0004);
            }
        }
        // Courses at departure and arrival.
        double azi1 = 0, azi2 = 0, s = 0;
        g.Inverse(r.lat1, r.lon1, r.lat2, r.lon2, s, azi1, azi2);
        double c1 = 0, c2 = 0;
        bool failed = false;
        GreatCircleComposite(r.lon1, v.VertexLat, v.VertexLong, v.VertexParam, E, r.lon1, r.lon2,
                             c1, failed);
        GreatCircleComposite(r.lon2, v.VertexLat, v.VertexLong, v.VertexParam, E, r.lon1, r.lon2,
                             c2, failed);
        // Within 0.0003 degree of the vertex latitude the course is taken as
        // due east or west.
        double lat = 0;
        double noCourse = kNoCourse;
        lat = GreatCircleComposite(r.lon1, v.VertexLat, v.VertexLong, v.VertexParam, E, 0, 0,
                                   noCourse, failed);
        if (std::fabs(lat - v.VertexLat) > 0.0003) {
            ASSERT_LT(AngleDiff(c1, azi1), 0.002);
        }
        noCourse = kNoCourse;
        lat = GreatCircleComposite(r.lon2, v.VertexLat, v.VertexLong, v.VertexParam, E, 0, 0,
                                   noCourse, failed);
        if (std::fabs(lat - v.VertexLat) > 0.0003) {
            ASSERT_LT(AngleDiff(c2, azi2), 0.002);
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(GreatCircleComposite, TrackAgreesWithGeographicLibOnWgs84) {
    CheckTrack(Wgs84(), 21);
}
TEST(GreatCircleComposite, TrackAgreesWithGeographicLibOnTheSphere) {
    CheckTrack(NormalSphere(), 22);
}

TEST(GreatCircleComposite, AtTheVertexGivesVertexAndEastOrWest) {
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        const GreatCircleVertex v = GreatCircleEllipsoid(40, -10, 40, -60, E);
        double course = kNoCourse;
        bool failed = false;
        EXPECT_EQ(GreatCircleComposite(v.VertexLong, v.VertexLat, v.VertexLong, v.VertexParam, E,
                                       -10, -60, course, failed),
                  v.VertexLat);
        EXPECT_EQ(course, 270.0);
        GreatCircleComposite(v.VertexLong, v.VertexLat, v.VertexLong, v.VertexParam, E, -60, -10,
                             course, failed);
        EXPECT_EQ(course, 90.0);
        course = kNoCourse;
        GreatCircleComposite(-20, v.VertexLat, v.VertexLong, v.VertexParam, E, -10, -60, course,
                             failed);
        EXPECT_EQ(course, kNoCourse);
    }
}

// ---------------------------------------------------------------- composite sailing

// The oracle's tangent point: the geodesic from (lat, lon) whose vertex lies
// on the limiting parallel, heading east or west.
void OracleTangent(const Geodesic& g, double f, double lat, double lon, double limit, bool east,
                   double& tLat, double& tLon) {
    const double b1 = std::atan((1 - f) * std::tan(lat * kDegToRad));
    const double bL = std::atan((1 - f) * std::tan(std::fabs(limit) * kDegToRad));
    double alpha = std::asin(std::cos(bL) / std::cos(b1)) * kRadToDeg;
    if (limit < 0) alpha = 180 - alpha;
    if (!east) alpha = -alpha;
    const GeodesicLine line = g.Line(lat, lon, alpha);
    double a = (limit > 0 ? 90.0 : -90.0) - line.EquatorialArc();
    a = a - 360.0 * std::floor(a / 360.0);
    line.ArcPosition(a, tLat, tLon);
    tLon = Norm180(tLon);
}

// The tangent longitudes of the composite sailing as the sailing utilities
// seek them: roots of callback functions 9 (or 10) and 11.
void CompositeTangents(const EarthModel& E, double lat3, double lon3, double lat4, double lon4,
                       double L, int firstFunction, double& t1, double& t2) {
    SolverParameters& P = SharedSolverParameters();
    const double F = E.InvFlattening;
    const double e2 = 2 / F - (1 / F) / F;
    P.OneMinusE2 = std::sqrt(e2) < 1e-11 ? 1.0 : 1.0 - e2;
    const double seed1 =
        Norm180(lon3 + LongitudeSense(lon3, lon4) *
                           std::fabs(ArcCos(std::tan(lat3 * kDegToRad) / std::tan(L * kDegToRad))) *
                           kRadToDeg);
    const double seed2 =
        Norm180(lon4 + LongitudeSense(lon4, lon3) *
                           std::fabs(ArcCos(std::tan(lat4 * kDegToRad) / std::tan(L * kDegToRad))) *
                           kRadToDeg);
    P.SolvIntA = GeodeticToGeocentric(L, F) * kDegToRad;
    P.SolvArg1 = GeodeticToGeocentric(lat3, F) * kDegToRad;
    P.SolvArg2 = lon3 * kDegToRad;
    bool failed = false;
    {
        NautLibFct fn;
        t1 = FindRoot(fn, seed1 * kDegToRad, 0.002, -kPi, kPi, true, 1e-8, 100, firstFunction, true,
                      failed) *
             kRadToDeg;
    }
    P.SolvIntA = GeodeticToGeocentric(L, F) * kDegToRad;
    P.SolvArg3 = GeodeticToGeocentric(lat4, F) * kDegToRad;
    P.SolvArg4 = lon4 * kDegToRad;
    {
        NautLibFct fn;
        t2 = FindRoot(fn, seed2 * kDegToRad, 0.002, -kPi, kPi, true, 1e-8, 100, 11, true, failed) *
             kRadToDeg;
    }
}

void CheckComposite(const EarthModel& E, double lat3, double lon3, double lat4, double lon4,
                    double L) {
    SCOPED_TRACE(testing::Message()
                 << lat3 << " " << lon3 << " " << lat4 << " " << lon4 << " " << L);
    RecordingReporter rec;
    const double f = E.InvFlattening > 1e50 ? 0.0 : 1.0 / E.InvFlattening;
    const Geodesic g = OracleFor(E);
    const bool east = LongitudeSense(lon3, lon4) == 1;
    double oLat = 0, oLon1 = 0, oLon2 = 0;
    OracleTangent(g, f, lat3, lon3, L, east, oLat, oLon1);
    EXPECT_NEAR(oLat, L, 1e-9);
    OracleTangent(g, f, lat4, lon4, L, !east, oLat, oLon2);
    const int first = (lat3 > 0) == (L > 0) ? 9 : 10;
    double t1 = 0, t2 = 0;
    CompositeTangents(E, lat3, lon3, lat4, lon4, L, first, t1, t2);
    EXPECT_LT(AngleDiff(t1, oLon1), 1e-3);
    EXPECT_LT(AngleDiff(t2, oLon2), 1e-3);
    // Function 9 holds in either hemisphere too; 10 must agree with it.
    if (first == 10) {
        double u1 = 0, u2 = 0;
        CompositeTangents(E, lat3, lon3, lat4, lon4, L, 9, u1, u2);
        EXPECT_LT(AngleDiff(u1, oLon1), 1e-3);
    }
    // The waypoints of each great-circle leg lie on the oracle's geodesic.
    const double pL = GeodeticToGeocentric(L, E.InvFlattening);
    const double pv = std::tan(((L > 0 ? 90.0 : -90.0) - pL) * kDegToRad);
    const Route leg{lat3, lon3, L, oLon1};
    const double span = Norm180(oLon1 - lon3);
    for (double d = 1.0; d < std::fabs(span) - 0.5; d += 4.0) {
        const double lon = Norm180(lon3 + (span > 0 ? d : -d));
        double course = kNoCourse;
        bool failed = false;
        const double lat = GreatCircleComposite(lon, L, t1, pv, E, 0, 0, course, failed);
        EXPECT_FALSE(failed);
        EXPECT_NEAR(lat, LatitudeAt(g, leg, lon), 1e-3) << lon;
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(CompositeSailing, TangentPointsAndWaypointsAgreeWithGeographicLib) {
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        CheckComposite(E, 35.0, 140.0, 48.0, -125.0, 49.0);   // Tokyo Bay to Juan de Fuca
        CheckComposite(E, 48.0, -125.0, 35.0, 140.0, 49.0);   // and back
        CheckComposite(E, -34.0, 18.0, -32.0, 116.0, -40.0);  // Cape Town to Fremantle
        CheckComposite(E, -12.0, -38.0, 40.0, -5.0, 45.0);    // from south of the equator
        CheckComposite(E, 12.0, 38.0, -40.0, 5.0, -45.0);     // its mirror
    }
}

// ---------------------------------------------------------------- symmetry

// A southern route must mirror its northern twin and a westward one its
// eastward twin; the ellipsoid correction once took the sign of p and put
// southern vertices 5 miles off.
TEST(GreatCircle, MirrorSymmetry) {
    RecordingReporter rec;
    for (const EarthModel& E : {Wgs84(), NormalSphere()}) {
        for (const Route& r : RandomRoutes(80, 31)) {
            SCOPED_TRACE(testing::Message()
                         << r.lat1 << " " << r.lon1 << " " << r.lat2 << " " << r.lon2);
            const GreatCircleVertex v = GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);
            const GreatCircleVertex ns = GreatCircleEllipsoid(-r.lat1, r.lon1, -r.lat2, r.lon2, E);
            const GreatCircleVertex ew = GreatCircleEllipsoid(r.lat1, -r.lon1, r.lat2, -r.lon2, E);
            EXPECT_NEAR(ns.VertexLat, -v.VertexLat, 1e-7);
            EXPECT_LT(AngleDiff(ns.VertexLong, v.VertexLong), 1e-7);
            EXPECT_NEAR(ns.VertexParam, -v.VertexParam, 1e-7);
            EXPECT_NEAR(ns.VertexDist, v.VertexDist, 1e-4);
            EXPECT_NEAR(ew.VertexLat, v.VertexLat, 1e-7);
            EXPECT_LT(AngleDiff(ew.VertexLong, -v.VertexLong), 1e-7);
            EXPECT_NEAR(ew.VertexDist, v.VertexDist, 1e-4);
            const double d = GeodesicDistance(r.lat1, r.lon1, r.lat2, r.lon2, E);
            EXPECT_NEAR(GeodesicDistance(-r.lat1, r.lon1, -r.lat2, r.lon2, E), d, 1e-7);
            EXPECT_NEAR(GeodesicDistance(r.lat1, -r.lon1, r.lat2, -r.lon2, E), d, 1e-7);
            EXPECT_NEAR(GeodesicDistance(r.lat2, r.lon2, r.lat1, r.lon1, E), d, 1e-7);
            const double lon = Norm180(r.lon1 + Norm180(r.lon2 - r.lon1) / 3);
            double c = 0, cns = 0, cew = 0;
            bool failed = false;
            const double lat = GreatCircleComposite(lon, v.VertexLat, v.VertexLong, v.VertexParam,
                                                    E, r.lon1, r.lon2, c, failed);
            EXPECT_NEAR(GreatCircleComposite(lon, ns.VertexLat, ns.VertexLong, ns.VertexParam, E,
                                             r.lon1, r.lon2, cns, failed),
                        -lat, 1e-7);
            EXPECT_NEAR(GreatCircleComposite(-lon, ew.VertexLat, ew.VertexLong, ew.VertexParam, E,
                                             -r.lon1, -r.lon2, cew, failed),
                        lat, 1e-7);
            EXPECT_LT(AngleDiff(cns, 180 - c), 1e-5);
            EXPECT_LT(AngleDiff(cew, -c), 1e-5);
        }
    }
    GreatCircleEllipsoid(40, 0, 50, 30, Wgs84());
    EXPECT_DOUBLE_EQ(IntegralMode8(-0.5, -0.7), IntegralMode8(0.5, 0.7));
    EXPECT_DOUBLE_EQ(IntegralMode7(-0.5, -0.7), IntegralMode7(0.5, 0.7));
    EXPECT_TRUE(rec.messages.empty());
}

// ---------------------------------------------------------------- factors and callback

TEST(IntegralFactors, SphereAndLimits) {
    SolverParameters& P = SharedSolverParameters();
    P.OneMinusE2 = 1.0;
    NautLibFct fn;
    P.SolvIntA = 0.8;
    for (double x : {0.0, 0.3, 1.2, 2.5}) {
        EXPECT_EQ(fn.f(x, 7), 1.0);
        EXPECT_EQ(fn.f(x, 8), 1.0);
    }
    EXPECT_NEAR(IntegralMode7(0.3, 0.8), 1.0, 1e-12);
    EXPECT_NEAR(IntegralMode8(0.3, 0.8), 1.0, 1e-12);
    GreatCircleEllipsoid(40, 0, 50, 30, Wgs84());  // 1 - e^2 of WGS 1984
    EXPECT_EQ(IntegralMode7(0.9, 0.5), IntegralMode8(0.5, 0.5));
    EXPECT_EQ(IntegralMode7(0.5, 0.5), IntegralMode8(0.5, 0.5));
    // Period of a geodesic is shorter than 360 degrees by about f cos(vertex).
    const double f = 1 / 298.257223563;
    EXPECT_NEAR(360.0 / IntegralMode8(0.7, 0.7), 360.0 * (1 - f * std::cos(0.7)), 0.01);
}

TEST(SolverCallbackGreatCircle, OutOfDomainAndEquations) {
    SolverParameters& P = SharedSolverParameters();
    P.SolvArg1 = 0.5;
    P.SolvArg3 = 2.0;
    P.SolvArg2 = 0;
    P.SolvArg4 = 30;
    P.SolvGeo = 10;
    P.HalfE2 = 0.0033;
    {
        NautLibFct fn;  // a new instance remembers 0
        EXPECT_EQ(fn.f(0.9, 5), 1e-13);
        EXPECT_EQ(fn.f(0.9, 5), 1e-13);
        const double inDomain = fn.f(0.3, 5);
        EXPECT_EQ(fn.Remembered(), inDomain);
        EXPECT_EQ(fn.f(0.9, 5), inDomain + 1e-13);
    }
    {
        NautLibFct fn;
        P.SolvGeo2 = 0.5;
        EXPECT_EQ(fn.f(0.0, 6), 1e-13);
        EXPECT_EQ(fn.f(0.2, 6), 1e-13);
    }
    P.SolvArg1 = 0.3;
    P.SolvArg2 = 0.1;
    P.SolvArg3 = 0.6;
    P.SolvArg4 = 0.9;
    P.OneMinusE2 = 1 - 0.0067;
    NautLibFct fn;
    Vector x(2);
    x(1) = 0.8;
    x(2) = 0.5;
    EXPECT_EQ(fn.SysEq(x, 6), fn.SysEq(x, 2));
    EXPECT_EQ(fn.SysEq(x, 0), 0.0);
    EXPECT_EQ(fn.SysEq(x, 7), 0.0);
}

// The geodesic's own equations hold at GeographicLib's vertex: function 5
// (to first order in the flattening) and the six vertex equations (exactly)
// for routes with southern vertices and across the equator, where the
// correction once took the sign of p and the arc from the vertex its acute
// value only.
TEST(SolverCallbackGreatCircle, EquationsVanishAtTheTrueVertex) {
    RecordingReporter rec;
    const EarthModel E = Wgs84();
    const double F = E.InvFlattening;
    const Geodesic g = OracleFor(E);
    SolverParameters& P = SharedSolverParameters();
    const Route routes[] = {{40, -10, 30, -60}, {-40, -10, -30, -60}, {-12, -38, 40, -5},
                            {12, 38, -40, 5},   {50, 170, -5, -120},  {-50, -170, 5, 120}};
    for (const Route& r : routes) {
        SCOPED_TRACE(testing::Message()
                     << r.lat1 << " " << r.lon1 << " " << r.lat2 << " " << r.lon2);
        GreatCircleEllipsoid(r.lat1, r.lon1, r.lat2, r.lon2, E);  // 1 - e^2, e^2 / 2
        const OracleVertex o = VertexOf(g, r);
        const double psiV = GeodeticToGeocentric(o.lat, F);
        const double p = std::tan(((psiV > 0 ? 90.0 : -90.0) - psiV) * kDegToRad);
        const double psi1 = GeodeticToGeocentric(r.lat1, F), psi2 = GeodeticToGeocentric(r.lat2, F);
        P.SolvArg1 = std::tan(((psi1 > 0 ? 90.0 : -90.0) - psi1) * kDegToRad);
        P.SolvArg3 = std::tan(((psi2 > 0 ? 90.0 : -90.0) - psi2) * kDegToRad);
        P.SolvArg2 = r.lon1;
        P.SolvArg4 = r.lon2;
        P.SolvGeo = o.lon;
        {
            NautLibFct fn;
            EXPECT_NEAR(fn.f(p, 5), 0.0, 2e-3);
        }
        // Function 6 at each end: the longitude from the vertex it predicts.
        P.SolvGeo2 = p;
        for (const double lat : {r.lat1, r.lat2}) {
            const double psi = GeodeticToGeocentric(lat, F);
            P.SolvArg2 = lat == r.lat1 ? r.lon1 : r.lon2;
            NautLibFct fn;
            EXPECT_NEAR(fn.f(std::tan(((psi > 0 ? 90.0 : -90.0) - psi) * kDegToRad), 6), 0.0, 2e-3);
        }
        P.SolvArg1 = psi1 * kDegToRad;
        P.SolvArg2 = r.lon1 * kDegToRad;
        P.SolvArg3 = psi2 * kDegToRad;
        P.SolvArg4 = r.lon2 * kDegToRad;
        NautLibFct fn;
        Vector x(2);
        x(1) = psiV * kDegToRad;
        x(2) = o.lon * kDegToRad;
        EXPECT_NEAR(fn.SysEq(x, 1), 0.0, 1e-7);
        EXPECT_NEAR(fn.SysEq(x, 2), 0.0, 1e-7);
        if ((psi1 > 0) != (psiV > 0)) {
            EXPECT_NEAR(fn.SysEq(x, 5), 0.0, 1e-7);
        }
        // The node form holds within a quarter period of the node; u takes
        // the sign of the latitudes east of it.
        const GeodesicLine line = g.InverseLine(r.lat1, r.lon1, r.lat2, r.lon2);
        double nLat = 0, nLon = 0;
        line.ArcPosition(-line.EquatorialArc(), nLat,
                         nLon);  // northward in the direction of travel
        const bool eastward = Norm180(r.lon2 - r.lon1) > 0;
        x(1) = std::fabs(psiV) * kDegToRad * (eastward ? 1 : -1);
        x(2) = nLon * kDegToRad;
        if (AngleDiff(r.lon1, nLon) < 80) {
            EXPECT_NEAR(fn.SysEq(x, 3), 0.0, 1e-7);
        }
        if (AngleDiff(r.lon2, nLon) < 80) {
            EXPECT_NEAR(fn.SysEq(x, 4), 0.0, 1e-7);
        }
    }
    EXPECT_TRUE(rec.messages.empty());
}

}  // namespace
}  // namespace orvex
