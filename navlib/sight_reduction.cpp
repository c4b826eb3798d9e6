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
constexpr double kMoonMeanDistanceAU = kMoonMeanDistanceKm / kAstronomicalUnitKm;
// Sun: semi-diameter at one astronomical unit, degrees (15.99384').
constexpr double kSunSemiDiameterAU = 0.266564;
// Below this altitude (degrees) an expected sextant altitude has no
// refraction.
constexpr double kNoRefractionBelow = -3.0;

bool IsMoon(std::string_view body) {
    return body == "MOONLOW" || body == "MOONUPP";
}
bool IsSun(std::string_view body) {
    return body == "SUNLOW" || body == "SUNUPP";
}
bool IsUpperLimb(std::string_view body) {
    return body == "SUNUPP" || body == "MOONUPP";
}

// Dip of the sea horizon for a height of eye (metres), degrees.
double Dip(double heightEye) {
    return kDipPerRootMetre * std::sqrt(heightEye);
}

// Bennett's mean refraction at altitude h (degrees), refined, in minutes of
// arc; false at the formula's pole (h = -4.4 or a zero tangent).
bool RefractionMinutes(double h, double& minutes) {
    if (h + 4.4 == 0.0) return false;
    const double t = std::tan((h + 7.31 / (h + 4.4)) * kDegToRad);
    if (t == 0.0) return false;
    const double r0 = 1.0 / t;
    minutes = r0 - 0.06 * std::sin((14.7 * r0 + 13.0) * kDegToRad);
    return true;
}

// Parallax in altitude at altitude h (degrees) of a body dist AU away,
// degrees.
double Parallax(double h, double dist) {
    return ArcSin(kEarthRadiusAU * std::cos(h * kDegToRad) / dist) * kRadToDeg;
}

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

namespace {

// ReduceSights, or with `observedOnly` the observed altitudes alone.
ArithmeticFault Reduce(int count, double heightEye, double tempAirC, double tempWaterC,
                       double pressMBars, ObservationSet& obs, bool observedOnly) {
    if (count < 1) return ArithmeticFault::None;

    // Quantities common to the set.
    const double fa = CelsiusToFahrenheit(tempAirC);
    const double fw = CelsiusToFahrenheit(tempWaterC);
    if (heightEye < 0.0) return ArithmeticFault::InvalidArgument;
    const double dip = Dip(heightEye) + (fa - fw) * kDipPerFahrenheit;
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

        // Refraction, in degrees.
        double rMinutes = 0.0;
        if (!RefractionMinutes(ha, rMinutes)) {
            fail(ArithmeticFault::DivisionByZero);
            continue;
        }
        const double r = rMinutes / 60.0;
        const double h1 = ha - r * (pf + tf - 1.0);

        // Parallax in altitude.
        const double dist = obs.ObsDist(i);
        if (dist == 0.0) {
            fail(ArithmeticFault::DivisionByZero);
            continue;
        }
        const double h2 = h1 + Parallax(h1, dist);

        // Semi-diameter by limb.
        const std::string& body = obs.ObsBody[static_cast<size_t>(i)];
        double sd = 0.0;
        if (IsMoon(body)) {
            const double hp = kMoonMeanHP * kMoonMeanDistanceAU / dist;
            sd = kMoonRadiusRatio * hp;
        } else if (IsSun(body)) {
            sd = kSunSemiDiameterAU / dist;
        }
        if (IsUpperLimb(body)) sd = -sd;
        const double ho = h2 + sd;
        if (observedOnly) {
            if (std::isfinite(ho))
                obs.ObsHo(i) = ho;
            else
                fail(ArithmeticFault::Overflow);
            continue;
        }

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

}  // namespace

ArithmeticFault ReduceSights(int count, double heightEye, double tempAirC, double tempWaterC,
                             double pressMBars, ObservationSet& obs) {
    return Reduce(count, heightEye, tempAirC, tempWaterC, pressMBars, obs, false);
}

ArithmeticFault ReduceObservedAltitudes(int count, double heightEye, double tempAirC,
                                        double tempWaterC, double pressMBars, ObservationSet& obs) {
    return Reduce(count, heightEye, tempAirC, tempWaterC, pressMBars, obs, true);
}

ArithmeticFault RecomputeIntercepts(int count, ObservationSet& obs) {
    ArithmeticFault first = ArithmeticFault::None;
    for (int i = 1; i <= count; ++i) {
        const double ho = obs.ObsHo(i);
        const double hc =
            ComputeAltitude(obs.ObsLat(i), obs.ObsLong(i), obs.ObsGHA(i), obs.ObsDec(i));
        const double intercept = ho - hc;
        if (!std::isfinite(ho) || !std::isfinite(hc) || !std::isfinite(intercept)) {
            if (first == ArithmeticFault::None) first = ArithmeticFault::Overflow;
            continue;
        }
        obs.ObsHc(i) = hc;
        obs.ObsIntercept(i) = intercept;
    }
    return first;
}

double ComputeSextantAltitude(double hc, double heightEye, double dist, std::string_view name) {
    // The Moon's semi-diameter is multiplied out in another order than in
    // ReduceSights, so that the expected altitudes stay what they have been
    // to the last bit.
    double sd = 0.0;
    if (IsMoon(name))
        sd = kMoonMeanDistanceAU / dist * kMoonMeanHP * kMoonRadiusRatio;
    else if (IsSun(name))
        sd = kSunSemiDiameterAU / dist;
    if (IsUpperLimb(name)) sd = -sd;
    const double h1 = hc - sd;
    const double h2 = h1 - Parallax(h1, dist);
    double h3 = h2;
    double rMinutes = 0.0;
    if (h2 >= kNoRefractionBelow && RefractionMinutes(h2, rMinutes)) h3 = h2 + rMinutes / 60.0;
    return h3 + Dip(heightEye);
}

}  // namespace orvex
