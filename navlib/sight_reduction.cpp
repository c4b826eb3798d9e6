#include "navlib/sight_reduction.h"

#include <cmath>

#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/unit_conversions.h"

namespace orvex {

namespace {

// Dip of the sea horizon, degrees per square-root metre of height of eye
// (1.75698 minutes of arc).
constexpr double kDipPerRootMetre = 0.029283;
// Dip correction for an air warmer than the sea: 0.11' per degree Fahrenheit.
constexpr double kDipPerFahrenheit = 0.11 / 60.0;
// Pressure of the standard refraction table, hectopascals.
constexpr double kStandardPressure = 1010.16;
// The Earth's equatorial radius in astronomical units.
constexpr double kEarthRadiusAU = 4.26345151e-05;
// Moon: mean horizontal parallax (degrees) at its mean distance (km), the
// astronomical unit (km) and the ratio of its radius to the Earth's.
constexpr double kMoonMeanHP = 0.9507;
constexpr double kMoonMeanDistanceKm = 384401.0;
constexpr double kAstronomicalUnitKm = 149565800.0;
constexpr double kMoonRadiusRatio = 0.2725;
// Sun: semi-diameter at one astronomical unit, degrees (15.99384').
constexpr double kSunSemiDiameterAU = 0.266564;

}  // namespace

double ComputeAltitude(double lat, double lon, double gha, double dec) {
    const double s =
        std::sin(lat * kDegToRad) * std::sin(dec * kDegToRad) +
        std::cos(lat * kDegToRad) * std::cos(dec * kDegToRad) * std::cos((gha + lon) * kDegToRad);
    return ArcSin(s) * kRadToDeg;
}

double ComputeAzimuth(double lat, double angle1, double angle2, double dec) {
    const double lha = (angle1 + angle2) * kDegToRad;
    const double x = std::cos(lat * kDegToRad) * std::sin(dec * kDegToRad) -
                     std::sin(lat * kDegToRad) * std::cos(dec * kDegToRad) * std::cos(lha);
    const double y = -std::cos(dec * kDegToRad) * std::sin(lha);
    return Atan2Deg(x, y);
}

ArithmeticFault ReduceSights(int count, double heightEye, double tempAirC, double tempWaterC,
                             double pressMBars, ObservationSet& obs) {
    if (count < 1) return ArithmeticFault::None;

    // Quantities common to the set.
    const double fa = CelsiusToFahrenheit(tempAirC);
    const double fw = CelsiusToFahrenheit(tempWaterC);
    if (heightEye < 0.0) return ArithmeticFault::InvalidArgument;
    const double dip = kDipPerRootMetre * std::sqrt(heightEye) + (fa - fw) * kDipPerFahrenheit;
    double tf = 1.0;
    if (fa < 40.0 || fa > 60.0) {
        if (460.0 + fa == 0.0) return ArithmeticFault::DivisionByZero;
        tf = (fa < 40.0 ? 520.0 : 500.0) / (460.0 + fa);
    }
    const double pf = pressMBars / kStandardPressure;
    if (!std::isfinite(dip) || !std::isfinite(tf) || !std::isfinite(pf))
        return ArithmeticFault::Overflow;

    ArithmeticFault first = ArithmeticFault::None;
    auto fail = [&first](ArithmeticFault f) {
        if (first == ArithmeticFault::None) first = f;
    };

    for (int i = 1; i <= count; ++i) {
        // Apparent altitude.
        const double ha = obs.ObsHs(i) + obs.ObsInstErr(i) - dip;

        // Bennett's mean refraction (minutes), refined, in degrees.
        if (ha + 4.4 == 0.0) {
            fail(ArithmeticFault::DivisionByZero);
            continue;
        }
        const double t = std::tan((ha + 7.31 / (ha + 4.4)) * kDegToRad);
        if (t == 0.0) {
            fail(ArithmeticFault::DivisionByZero);
            continue;
        }
        const double r0 = 1.0 / t;
        const double r = (r0 - 0.06 * std::sin((14.7 * r0 + 13.0) * kDegToRad)) / 60.0;
        const double h1 = ha - r * (pf + tf - 1.0);

        // Parallax in altitude.
        const double dist = obs.ObsDist(i);
        if (dist == 0.0) {
            fail(ArithmeticFault::DivisionByZero);
            continue;
        }
        const double h2 = h1 + ArcSin(kEarthRadiusAU * std::cos(h1 * kDegToRad) / dist) * kRadToDeg;

        // Semi-diameter by limb.
        const std::string& body = obs.ObsBody[static_cast<size_t>(i)];
        double sd = 0.0;
        if (body == "MOONLOW" || body == "MOONUPP") {
            const double hp = kMoonMeanHP * (kMoonMeanDistanceKm / kAstronomicalUnitKm) / dist;
            sd = kMoonRadiusRatio * hp;
        } else if (body == "SUNLOW" || body == "SUNUPP") {
            sd = kSunSemiDiameterAU / dist;
        }
        if (body == "SUNUPP" || body == "MOONUPP") sd = -sd;
        const double ho = h2 + sd;

        const double hc =
            ComputeAltitude(obs.ObsLat(i), obs.ObsLong(i), obs.ObsGHA(i), obs.ObsDec(i));
        const double intercept = ho - hc;
        if (!std::isfinite(ho) || !std::isfinite(hc) || !std::isfinite(intercept)) {
            fail(ArithmeticFault::Overflow);
            continue;
        }
        obs.ObsHo(i) = ho;
        obs.ObsHc(i) = hc;
        obs.ObsIntercept(i) = intercept;
    }
    return first;
}

}  // namespace orvex
