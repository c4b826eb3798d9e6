#include "companions/wizard_star_choice.h"

#include <cmath>

#include "ephemeris/ephemeris.h"
#include "ephemeris/twilight.h"
#include "navlib/array_lib.h"
#include "navlib/arrays.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "navlib/sight_reduction.h"

namespace orvex {

namespace {

// Mean Earth-Moon distance over the astronomical unit (both in km), the
// Moon's mean horizontal parallax (degrees) and its radius in Earth radii.
constexpr double kMoonMeanDistanceAu = 384401.0 / 149565800.0;
constexpr double kMoonMeanParallax = 0.9507;
constexpr double kMoonEarthRadiusRatio = 0.2725;
// The Sun's semi-diameter at 1 AU, degrees.
constexpr double kSunSemiDiameterAu = 0.266564;
// The Earth's equatorial radius in astronomical units.
constexpr double kEarthRadiusAu = 4.26345151e-05;
// Dip of the sea horizon, degrees per square root of a metre.
constexpr double kDipPerRootMetre = 0.029283;
// Below this parallax-corrected altitude the refraction is left out.
constexpr double kNoRefractionBelow = -3.0;

// Proposal limits: magnitude, sextant altitude band, azimuth spread.
constexpr double kProposedMagnitude = 1.3;
constexpr double kLowestProposed = 10.0;
constexpr double kHighestProposed = 70.0;
constexpr double kAzimuthSpread = 3.6;
constexpr double kMagnitudeFiller = 999.0;

double SinD(double x) {
    return std::sin(x * kDegToRad);
}
double CosD(double x) {
    return std::cos(x * kDegToRad);
}
double TanD(double x) {
    return std::tan(x * kDegToRad);
}

}  // namespace

double ComputeSextantAltitude(double hc, double heightEye, double dist, std::string_view name) {
    double sd = 0.0;
    double s = 0.0;
    if (name == "MOONLOW" || name == "MOONUPP") {
        sd = kMoonMeanDistanceAu / dist * kMoonMeanParallax * kMoonEarthRadiusRatio;
        s = (name == "MOONLOW") ? 1.0 : -1.0;
    } else if (name == "SUNLOW" || name == "SUNUPP") {
        sd = kSunSemiDiameterAu / dist;
        s = (name == "SUNLOW") ? 1.0 : -1.0;
    }
    const double h1 = hc - s * sd;
    const double p = ArcSin(CosD(h1) * kEarthRadiusAu / dist) * kRadToDeg;
    const double h2 = h1 - p;
    double h3 = h2;
    if (h2 >= kNoRefractionBelow) {
        double r = 1.0 / TanD(h2 + 7.31 / (h2 + 4.4));  // arc minutes
        r = r - 0.06 * SinD(14.7 * r + 13.0);
        h3 = h2 + r / 60.0;
    }
    return h3 + kDipPerRootMetre * std::sqrt(heightEye);
}

BodyPlace ComputeBodyPlace(std::string_view name, double when, double lat, double lon,
                           double heightEye) {
    EphemerisResult e;
    ComputeEphemeris(name, when, e);
    BodyPlace p;
    p.name = std::string(name);
    p.az = ComputeAzimuth(lat, e.gha, lon, e.dec);
    p.hc = ComputeAltitude(lat, lon, e.gha, e.dec);
    p.hs = ComputeSextantAltitude(p.hc, heightEye, e.dist, name);
    p.mag = BodyMagnitude(name, when);
    return p;
}

bool AzimuthConflict(double azI, double azJ) {
    const bool near = CompareBearings(azJ, azI - kAzimuthSpread) == 1 &&
                      CompareBearings(azJ, azI + kAzimuthSpread) == -1;
    const bool opposite = CompareBearings(azJ, azI + 180.0 + kAzimuthSpread) == -1 &&
                          CompareBearings(azJ, azI + 180.0 - kAzimuthSpread) == 1;
    return near || opposite;
}

StarCandidates ChooseStars(double when, double lat, double lon, double heightEye) {
    const std::vector<std::string>& names = BodyNames();
    const int n = static_cast<int>(names.size()) - 1;
    Vector mag(0, n), hs(0, n), az(0, n);
    std::vector<std::string> name(static_cast<size_t>(n + 1));
    int k = 0;
    for (const std::string& b : names) {
        if (b == "SUNLOW" || b == "SUNUPP") continue;
        EphemerisResult e;
        ComputeEphemeris(b, when, e);
        const double hc = ComputeAltitude(lat, lon, e.gha, e.dec);
        const double h = ComputeSextantAltitude(hc, heightEye, e.dist, b);
        if (h < 0.0) continue;
        name[static_cast<size_t>(k)] = b;
        hs(k) = h;
        mag(k) = BodyMagnitude(b, when);
        az(k) = ComputeAzimuth(lat, e.gha, lon, e.dec);
        ++k;
    }
    for (int i = k; i <= n; ++i) mag(i) = kMagnitudeFiller;
    SortParallel(mag, hs, az, name);

    StarCandidates c;
    for (int i = 0; i < k; ++i) {
        c.CandName.push_back(name[static_cast<size_t>(i)]);
        c.CandMag.push_back(mag(i));
        c.CandAz.push_back(az(i));
        c.CandHs.push_back(hs(i));
        c.CandSelected.push_back(mag(i) <= kProposedMagnitude && hs(i) >= kLowestProposed &&
                                 hs(i) <= kHighestProposed);
    }
    for (int i = 0; i < k; ++i) {
        for (int j = i + 1; j < k && c.CandSelected[i]; ++j) {
            if (!c.CandSelected[j] || !AzimuthConflict(c.CandAz[i], c.CandAz[j])) continue;
            if (c.CandMag[j] < c.CandMag[i])
                c.CandSelected[i] = false;
            else
                c.CandSelected[j] = false;
        }
    }
    return c;
}

StarCandidates VisibleBodies(double when, double lat, double lon, double heightEye) {
    StarCandidates c;
    for (const std::string& b : BodyNames()) {
        const BodyPlace p = ComputeBodyPlace(b, when, lat, lon, heightEye);
        if (p.hs < 0.0) continue;
        c.CandName.push_back(b);
        c.CandHs.push_back(p.hs);
        c.CandMag.push_back(p.mag);
        c.CandAz.push_back(p.az);
        c.CandSelected.push_back(false);
    }
    return c;
}

std::string FormatWizardAzimuth(double az) {
    return FormatNumber(az, "000°");
}

std::string FormatWizardAltitude(double hs) {
    return FormatDegreesMinutes(hs, "00°00'");
}

std::string FormatWizardMagnitude(double mag, std::string_view decSep) {
    return FormatNumber(mag, "+0.0;-0.0; 0.0", decSep);
}

std::string CandidateItemText(const StarCandidates& c, int i, std::string_view decSep) {
    const auto u = static_cast<size_t>(i);
    return FormatWizardMagnitude(c.CandMag[u], decSep) + " " + c.CandName[u] + ": " +
           FormatWizardAzimuth(c.CandAz[u]) + " / " + FormatWizardAltitude(c.CandHs[u]);
}

}  // namespace orvex
