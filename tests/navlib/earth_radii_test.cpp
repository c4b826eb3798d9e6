#include "navlib/earth_radii.h"

#include <gtest/gtest.h>

#include <GeographicLib/Ellipsoid.hpp>
#include <cmath>

#include "navlib/earth_model.h"

using namespace orvex;

namespace {
constexpr double kWgs84InvF = 298.257223563;
constexpr double kWgs84A = 6378137.0 / 1852.0;  // nautical miles
constexpr double kClarke1880InvF = 293.465;
constexpr double kClarke1880A = 6378249.145 / 1852.0;
constexpr double kSphereInvF = 1e100;
}  // namespace

// The radii and the geocentric latitude must agree with an independent
// ellipsoid on two models; a wrong eccentricity formula (e.g. f instead of
// 2f - f^2) shows here at the metre level.
TEST(EarthRadii, AgreeWithGeographicLibOnTwoEllipsoids) {
    struct Model {
        double F, a;
    } models[] = {{kWgs84InvF, kWgs84A}, {kClarke1880InvF, kClarke1880A}};
    for (const auto& m : models) {
        const GeographicLib::Ellipsoid ell(m.a, 1.0 / m.F);
        for (double lat = -89.0; lat <= 89.0; lat += 7.0) {
            SCOPED_TRACE(lat);
            EXPECT_NEAR(RadiusMeridian(lat, m.F, m.a), ell.MeridionalCurvatureRadius(lat), 1e-7);
            EXPECT_NEAR(RadiusPrimeVertical(lat, m.F, m.a), ell.TransverseCurvatureRadius(lat),
                        1e-7);
            EXPECT_NEAR(GeodeticToGeocentric(lat, m.F), ell.GeocentricLatitude(lat), 1e-9);
            EXPECT_NEAR(GeocentricToGeodetic(lat, m.F), ell.InverseGeocentricLatitude(lat), 1e-9);
        }
    }
    const EarthModel E{kWgs84InvF, kWgs84A};
    EXPECT_DOUBLE_EQ(RadiusMeridian(33.0, E), RadiusMeridian(33.0, kWgs84InvF, kWgs84A));
    EXPECT_DOUBLE_EQ(RadiusPrimeVertical(33.0, E), RadiusPrimeVertical(33.0, kWgs84InvF, kWgs84A));
}

// Radii at the equator and at the poles, and the round trip of the latitude.
TEST(EarthRadii, EquatorPolesAndRoundTrip) {
    const double f = 1.0 / kWgs84InvF;
    const double e2 = 2 * f - f * f;
    EXPECT_NEAR(RadiusPrimeVertical(0, kWgs84InvF, kWgs84A), kWgs84A, 1e-12);
    EXPECT_NEAR(RadiusMeridian(0, kWgs84InvF, kWgs84A), kWgs84A * (1 - e2), 1e-9);
    const double polar = kWgs84A / std::sqrt(1 - e2);
    for (double lat : {90.0, -90.0}) {
        EXPECT_NEAR(RadiusPrimeVertical(lat, kWgs84InvF, kWgs84A), polar, 1e-9);
        EXPECT_NEAR(RadiusMeridian(lat, kWgs84InvF, kWgs84A), polar, 1e-9);
    }
    const double psi = GeodeticToGeocentric(45, kWgs84InvF);
    EXPECT_NEAR(psi, 44.8076, 1e-4);
    EXPECT_NEAR(GeocentricToGeodetic(psi, kWgs84InvF), 45.0, 1e-12);
    EXPECT_DOUBLE_EQ(GeodeticToGeocentric(-30, kWgs84InvF), -GeodeticToGeocentric(30, kWgs84InvF));
    EXPECT_EQ(GeodeticToGeocentric(0, kWgs84InvF), 0.0);
    EXPECT_EQ(GeocentricToGeodetic(0, kWgs84InvF), 0.0);
    EXPECT_NEAR(GeodeticToGeocentric(90, kWgs84InvF), 90.0, 1e-9);
    EXPECT_NEAR(GeodeticToGeocentric(-90, kWgs84InvF), -90.0, 1e-9);
}

// The sphere (1e100) must not pick up a rounding eccentricity: latitudes are
// returned unchanged and both radii equal the axis.
TEST(EarthRadii, SphereIsExact) {
    EXPECT_EQ(GeodeticToGeocentric(45, kSphereInvF), 45.0);
    EXPECT_EQ(GeocentricToGeodetic(45, kSphereInvF), 45.0);
    for (double lat = -90; lat <= 90; lat += 15) {
        EXPECT_DOUBLE_EQ(RadiusMeridian(lat, kSphereInvF, 3437.7468), 3437.7468);
        EXPECT_DOUBLE_EQ(RadiusPrimeVertical(lat, kSphereInvF, 3437.7468), 3437.7468);
    }
}
