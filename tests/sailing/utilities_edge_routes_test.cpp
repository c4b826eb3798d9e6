// Routes at the edges a navigator meets, typed key by key into the
// utilities page: across the pole from the opposite meridian under a
// limit, a limit on the equator, rhumb lines from and to a pole. What the
// page shows is checked against GeographicLib.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "sailing/great_circle_report_box.h"
#include "utilities_driver.h"

namespace orvex {
namespace {

constexpr double kMetresPerMile = 1852.0;
const GeographicLib::Geodesic& Wgs84() {
    static const GeographicLib::Geodesic g(6378137.0, 1 / 298.257223563);
    return g;
}

// The utilities page of a started, active window, opened from its menu,
// with the numbers of its report read back.
struct Page : test::UtilitiesDriver {
    using test::UtilitiesDriver::UtilitiesDriver;
    // Types the route (and the limits) from the great-circle departure on,
    // then clicks Compute.
    void TypeGreatCircle(const QStringList& texts) {
        TypeFields("mskLat_2", texts);
        Click("cmdCompute_1");
    }
    // The first number after `label` in the report.
    double After(const QString& label) {
        const QString r = Report();
        const int at = r.indexOf(label);
        EXPECT_GE(at, 0) << label.toStdString();
        static const QRegularExpression number("-?[0-9]+([.,][0-9]+)?");
        const QString n = number.match(r, at + label.size()).captured(0);
        return ParseNumberText(n.toStdString(), w->State().DecSep);
    }
};

// GeographicLib's great circle from (lat, lon) heading `sense` (+1 east,
// -1 west) to its vertex on the parallel `limit`: the distance (miles) and
// the longitude of the tangent point.
std::pair<double, double> ToTangent(double lat, double lon, double limit, int sense) {
    const double f = Wgs84().Flattening(), d = M_PI / 180;
    auto reduced = [f, d](double phi) { return std::atan((1 - f) * std::tan(phi * d)); };
    const double fromNorth = std::asin(std::cos(reduced(limit)) / std::cos(reduced(lat))) / d;
    const bool north = limit > 0;
    const GeographicLib::GeodesicLine line =
        Wgs84().Line(lat, lon, sense * (north ? fromNorth : 180 - fromNorth));
    double lo = 0, hi = 1e7, lat2 = 0, lon2 = 0, azi2 = 0;
    for (int i = 0; i < 80; ++i) {
        const double mid = (lo + hi) / 2;
        line.Position(mid, lat2, lon2, azi2);
        ((std::fabs(azi2) < 90) == north ? lo : hi) = mid;
    }
    return {lo / kMetresPerMile, lon2};
}

// The shorter of the two composite sailings round the pole.
double CompositeByGeographicLib(double lat1, double lon1, double lat2, double lon2, double limit) {
    const GeographicLib::Rhumb rhumb(6378137.0, 1 / 298.257223563);
    double best = 1e9;
    for (int sense : {1, -1}) {
        const auto [s1, t1] = ToTangent(lat1, lon1, limit, sense);
        const auto [s2, t2] = ToTangent(lat2, lon2, limit, -sense);
        double along = 0, azi = 0;
        rhumb.Inverse(limit, t1, limit, t2, along, azi);
        best = std::min(best, s1 + along / kMetresPerMile + s2);
    }
    return best;
}

// Guards the composite sailing between two opposite meridians: both
// tangent points were sought westward, and the sailing ran round the world
// to 67° S (3983.8 miles, a "saving" of -19994.6) without a word.
TEST(UtilitiesEdgeRoutes, CompositeBetweenOppositeMeridians) {
    const struct {
        QStringList typed;
        double lat1, lon1, lat2, lon2, limit;
    } cases[] = {
        {{"70000N", "010000E", "70000N", "170000W", "8000", "0500"}, 70, 10, 70, -170, 80},
        {{"65000S", "010000E", "65000S", "170000W", "7500", "0500"}, -65, 10, -65, -170, -75}};
    for (const auto& c : cases) {
        Page p("mnuUtilGC");
        p.TypeGreatCircle(c.typed);
        ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
        ASSERT_TRUE(p.Report().contains("Composite sailing:"));
        const double expected = CompositeByGeographicLib(c.lat1, c.lon1, c.lat2, c.lon2, c.limit);
        EXPECT_NEAR(p.After("The total theoretical distance is "), expected, 0.15) << c.lat1;
        // Every waypoint between the two parallels, the sum of the rhumb
        // lines a little longer than the composite.
        const QStringList lines = p.Report().split(QRegularExpression("[\r\n\u2028\u2029]"));
        int waypoints = 0;
        for (const QString& l : lines) {
            if (!l.contains(QRegularExpression("^\\d\\d°\\d\\d'.\\d [NS] \\d{3}°"))) continue;
            ++waypoints;
            const double lat = ParseLatitude(l.left(10).toStdString());
            EXPECT_GE(std::fabs(lat), std::fabs(c.lat1) - 1e-9) << l.toStdString();
            EXPECT_LE(std::fabs(lat), std::fabs(c.limit) + 1e-9) << l.toStdString();
        }
        EXPECT_GT(waypoints, 20);
        const double sum = p.After("the sum of the rhumb lines distances is");
        EXPECT_GT(sum, expected);
        EXPECT_LT(sum, expected + 2.0);
    }
}

// Guards a limit of 00°00', which passed the sign rule: four technical
// boxes and a composite sailing through 0° N 0° E. It is refused as any
// limit nearer the equator than the departure.
TEST(UtilitiesEdgeRoutes, LimitOnTheEquatorRefused) {
    Page p("mnuUtilGC");
    p.TypeGreatCircle({"37480N", "122300W", "35000N", "140000E", "0000"});
    ASSERT_EQ(p.script.messages.size(), 1u) << p.script.LastText().toStdString();
    EXPECT_EQ(p.script.messages[0].title, " Error in input data");
    EXPECT_EQ(p.script.messages[0].text,
              "The maximum latitude is smaller than the departure latitude.");
    EXPECT_FALSE(p.Named("rtfCalcWP")->isVisible());
}

// Guards the rhumb line from or to a pole, which is the meridian: from the
// North Pole it read 181.1° and 1808.08 miles, and on the sphere a run onto
// the South Pole gave an "Overflow" (its meridional parts were infinite).
TEST(UtilitiesEdgeRoutes, RhumbLineFromAndToAPole) {
    Page p("mnuUtilRL");
    p.TypeFields("mskLat_0", {"90000N", "000000E", "60000N"});
    test::Type("030000W");
    p.Click("cmdCompute_0");
    ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    // The pole lies on every meridian: on the arrival's, GeographicLib's
    // rhumb line is the meridian too.
    const GeographicLib::Rhumb rhumb(6378137.0, 1 / 298.257223563);
    double s12 = 0, azi = 0;
    rhumb.Inverse(90, -30, 60, -30, s12, azi);
    EXPECT_EQ(p.Shown("mskCourse_1"), test::Shown("180°.0"));
    EXPECT_EQ(p.Shown("mskDist").toStdString(),
              FormatNumber(s12 / kMetresPerMile, "00000.00", test::ShownSep()));

    // On the Normal Sphere, due south from 89° S to the pole.
    p.ChangeEllipsoid("Normal Sphere - 0");
    ASSERT_TRUE(p.w->State().E.IsSphere());
    p.Click("cmdErase_6");
    p.TypeFields("mskLat_0", {"89000S", "020000E", "90000S", ""});
    test::Type("1800\t");
    EXPECT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
    EXPECT_EQ(p.Shown("mskLong_1"), test::Shown("020°00'.0 E"));
    EXPECT_EQ(p.Shown("mskDist"), test::Shown("00060.00"));
}

// Guards the great circles from and to a pole: a false saving beside the
// meridian, the pole at an end called "outside the track", and a due-north
// leg printed "360°.0".
TEST(UtilitiesEdgeRoutes, GreatCirclesFromAndToAPole) {
    const struct {
        QStringList typed;
        double lat1, lon1, lat2, lon2;
    } cases[] = {{{"90000N", "000000E", "60000N", "030000W", "", "0500"}, 90, 0, 60, -30},
                 {{"90000S", "000000E", "60000S", "045000E", "", "0500"}, -90, 0, -60, 45},
                 {{"90000N", "000000E", "90000S", "000000E", "", "0500"}, 90, 0, -90, 0},
                 {{"60000N", "030000W", "90000N", "000000E", "", "0500"}, 60, -30, 90, 0}};
    for (const auto& c : cases) {
        Page p("mnuUtilGC");
        p.TypeGreatCircle(c.typed);
        ASSERT_TRUE(p.script.messages.empty()) << p.script.LastText().toStdString();
        SCOPED_TRACE(p.Report().toStdString());
        EXPECT_EQ(p.After("This means a saving of "), 0.0);
        double s12 = 0;
        Wgs84().Inverse(c.lat1, c.lon1, c.lat2, c.lon2, s12);
        EXPECT_NEAR(p.After("The total theoretical distance is "), s12 / kMetresPerMile, 0.05);
        const double toVertex = std::fabs(c.lat1) == 90 ? 0.0 : s12 / kMetresPerMile;
        EXPECT_NEAR(p.After("The Vertex distance from the departure point is "), toVertex, 0.05);
        // Due north is 000°.0 (the 360° of the period is no course).
        EXPECT_FALSE(p.Report().contains(QRegularExpression("360°.0   |course is 360|= 360")));
        if (c.lat2 > c.lat1) {
            EXPECT_TRUE(p.Report().contains(test::Shown("000°.0   ")));
        }
    }
}

}  // namespace
}  // namespace orvex
