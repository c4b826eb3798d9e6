#include "ephemeris/twilight.h"

#include <array>
#include <cmath>
#include <initializer_list>

#include "ephemeris/ephemeris.h"
#include "ephemeris/star_catalogue.h"
#include "ephemeris/time_argument.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/solver_callback.h"
#include "navlib/solvers.h"
#include "navlib/twilight.h"

namespace orvex {

namespace {

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kSecond = 1.0 / 86400.0;
// The day's altitudes are looked at every ten minutes from the meridian
// passage to twelve hours either side of it.
constexpr double kScanStep = 10.0 * kMinute;
constexpr int kScanSteps = 72;

void SunPlace(double when, double& gha, double& dec, double& dist) {
    EphemerisResult sun;
    ComputeEphemeris("SUNLOW", when, sun);
    gha = sun.gha;
    dec = sun.dec;
    dist = sun.dist;
}

// The Sun's true altitude (degrees) through function 13 with target 0.
double SunAltitude(NautLibFct& fn, double when) {
    SolverParameters& P = SharedSolverParameters();
    const double target = P.SolvSunAlt;
    P.SolvSunAlt = 0.0;
    const double h = fn.f(when, 13);
    P.SolvSunAlt = target;
    return h;
}

}  // namespace

bool StarSightTwilight(double lat, double lon, double day, double heightEye, TwilightTimes& times) {
    const double d0 = std::trunc(day);
    double gha0 = 0.0, dec0 = 0.0, dist0 = 0.0;
    SunPlace(d0, gha0, dec0, dist0);

    TwilightTimes found = times;
    SolverParameters& P = SharedSolverParameters();
    P.SolvSunPlace = SunPlace;
    P.SolvLongWest = Norm360(-lon);
    P.SolvArg1 = lat * kDegToRad;
    P.SolvArg2 = lon * kDegToRad;
    P.SolvSunAlt = 0.0;
    NautLibFct fn;  // one instance serves every search

    // The meridian passage of the day lies within the equation of time
    // (under 17 minutes) of noon at the longitude.
    const double noon = d0 + (12.0 - lon / 15.0) / 24.0;
    const double transit = BracketedSearch(fn, noon - 0.05, noon + 0.05, kSecond, 100, 12).root;
    found[kMeridianPassage] = transit;

    // The day runs from twelve hours before its meridian passage to twelve
    // hours after it. Its morning time of an altitude is the Sun's last
    // rise through it before the passage, its evening time the first
    // descent after; where the Sun stays above or below it on that side the
    // time is 0, "not on that day".
    std::array<double, 2 * kScanSteps + 1> altitude{};
    for (int k = -kScanSteps; k <= kScanSteps; ++k)
        altitude[static_cast<size_t>(k + kScanSteps)] = SunAltitude(fn, transit + k * kScanStep);
    auto crossing = [&](double target, int side) {
        if (altitude[kScanSteps] < target) return 0.0;
        for (int k = 1; k <= kScanSteps; ++k) {
            if (altitude[static_cast<size_t>(kScanSteps + side * k)] >= target) continue;
            P.SolvSunAlt = target;
            const double near = transit + side * (k - 1) * kScanStep;
            const double far = transit + side * k * kScanStep;
            return BracketedSearch(fn, near, far, kSecond, 100, 13).root;
        }
        return 0.0;
    };
    struct Pair {
        double target;
        int morning, evening;
    };
    const double visible = VisibleSunriseAltitude(heightEye, dist0);
    for (const Pair& pair :
         {Pair{0.0, kSunrise, kSunset}, Pair{visible, kVisibleSunrise, kVisibleSunset},
          Pair{-3.0, kMorningSightsEnd, kEveningSightsStart},
          Pair{-9.0, kMorningSightsStart, kEveningSightsEnd}}) {
        found[pair.morning] = crossing(pair.target, -1);
        found[pair.evening] = crossing(pair.target, +1);
    }
    P.SolvSunPlace = nullptr;
    // Neither rising nor setting that day: above the horizon all day long,
    // or below it.
    if (found[kSunrise] == 0.0 && found[kSunset] == 0.0) return false;
    times = found;
    return true;
}

double PlanetMagnitude(std::string_view name, double r, double delta, double R, double beta,
                       double lambda, double T) {
    // Without the planet's distances (its series could not be read) there is
    // no magnitude to give.
    if (!(r > 0.0 && delta > 0.0 && R > 0.0)) return 0.0;
    double cosI = (r * r + delta * delta - R * R) / (2.0 * r * delta);
    if (std::fabs(cosI) > 1.0 && std::fabs(cosI) < 1.0 + 1e-12) cosI = cosI > 0 ? 1.0 : -1.0;
    const double i = ArcCos(cosI) * kRadToDeg;
    const double L = 5.0 * Log10(r * delta);
    if (name == "MARS") return L - 1.52 + 0.016 * i;
    if (name == "JUPITER") return L - 9.40 + 0.005 * i;
    if (name == "VENUS") return L - 4.40 + 0.0009 * i + 0.000239 * i * i - 6.5e-07 * i * i * i;
    if (name == "SATURN") {
        // Inclination and node of the ring plane on the ecliptic of date.
        const double incl = (28.075216 - 0.012998 * T + 0.000004 * T * T) * kDegToRad;
        const double node = 169.50847 + 1.394681 * T + 0.000412 * T * T;
        const double b = beta * kDegToRad;
        const double B =
            ArcSin(std::sin(incl) * std::cos(b) * std::sin((lambda - node) * kDegToRad) -
                   std::cos(incl) * std::sin(b));
        const double sB = std::sin(B);
        return L - 8.88 + 0.044 * i - 2.6 * std::fabs(sB) + 1.25 * sB * sB;
    }
    return 0.0;
}

double BodyMagnitude(std::string_view name, double when) {
    if (name == "MARS" || name == "JUPITER" || name == "SATURN" || name == "VENUS") {
        EphemerisResult planet, sun;
        ComputeEphemeris(name, when, planet);
        ComputeEphemeris("SUNLOW", when, sun);
        const EphemerisInstant at = SplitEphemerisInstant(when);
        const double T = JulianCenturiesJ2000(at.day, at.month, at.year, at.hours);
        return PlanetMagnitude(name, planet.extra1, planet.dist, sun.dist, planet.extra2,
                               planet.extra3, T);
    }
    if (name == "SUNLOW" || name == "SUNUPP") return -26.86;
    if (name == "MOONLOW" || name == "MOONUPP") return -11.0;
    return StarCatalogue(name).magnitude;
}

}  // namespace orvex
