#include "ephemeris/twilight.h"

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

constexpr double kLargestDouble = 1.7976931348623e+308;
constexpr double kMinute = 1.0 / 1440.0;

void SunPlace(double when, double& gha, double& dec, double& dist) {
    EphemerisResult sun;
    ComputeEphemeris("SUNLOW", when, sun);
    gha = sun.gha;
    dec = sun.dec;
    dist = sun.dist;
}

// One search of the callback function iFct from the start time t0, first
// step `step` days, as the twilight planning runs them.
double SearchTime(NautLibFct& fn, double t0, double step, int iFct) {
    bool failed = false;
    return FindRoot(fn, t0, step, -kLargestDouble, kLargestDouble, false, 0.0005, 100, iFct, true,
                    failed);
}

}  // namespace

bool StarSightTwilight(double lat, double lon, double day, double heightEye, TwilightTimes& times) {
    const double d0 = std::trunc(day);
    double gha0 = 0.0, dec0 = 0.0, dist0 = 0.0;
    SunPlace(d0, gha0, dec0, dist0);
    if (std::fabs(std::tan(lat * kDegToRad) * std::tan(dec0 * kDegToRad)) > 1.0) return false;

    TwilightTimes found = times;
    SolverParameters& P = SharedSolverParameters();
    P.SolvSunPlace = SunPlace;
    P.SolvLongWest = Norm360(-lon);
    NautLibFct fn;  // one instance serves every search

    const double noon = d0 + (12.0 - lon / 15.0) / 24.0;
    found[kMeridianPassage] = SearchTime(fn, noon, 2.0 * kMinute, 12);

    P.SolvSunAlt = 0.0;
    P.SolvArg1 = lat * kDegToRad;
    P.SolvArg2 = lon * kDegToRad;
    struct Pair {
        double target;
        int morning, evening;
    };
    const double visible = VisibleSunriseAltitude(heightEye, dist0);
    for (const Pair& pair :
         {Pair{0.0, kSunrise, kSunset}, Pair{visible, kVisibleSunrise, kVisibleSunset},
          Pair{-3.0, kMorningSightsEnd, kEveningSightsStart},
          Pair{-9.0, kMorningSightsStart, kEveningSightsEnd}}) {
        // A target the Sun does not reach that day is known beforehand:
        // its two times are not available (0), and no search is run.
        if (!AltitudeReached(pair.target, lat, dec0)) {
            found[pair.morning] = found[pair.evening] = 0.0;
            continue;
        }
        P.SolvSunAlt = pair.target;
        const double H = HourAngleFromAltitude(pair.target, lat, dec0) / 360.0;  // days
        found[pair.morning] = SearchTime(fn, found[kMeridianPassage] - H, kMinute, 13);
        found[pair.evening] = SearchTime(fn, found[kMeridianPassage] + H, kMinute, 13);
    }
    P.SolvSunPlace = nullptr;
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
