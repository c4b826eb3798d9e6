#include "companions/core/wizard_star_choice.h"

#include "ephemeris/ephemeris.h"
#include "ephemeris/twilight.h"
#include "navlib/array_lib.h"
#include "navlib/arrays.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "navlib/sight_reduction.h"

namespace orvex {

namespace {

// Proposal limits: magnitude, sextant altitude band, azimuth spread.
constexpr double kProposedMagnitude = 1.3;
constexpr double kLowestProposed = 10.0;
constexpr double kHighestProposed = 70.0;
constexpr double kAzimuthSpread = 3.6;
constexpr double kMagnitudeFiller = 999.0;

}  // namespace

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
    const auto count = static_cast<size_t>(k);
    for (size_t i = 0; i < count; ++i) {
        for (size_t j = i + 1; j < count && c.CandSelected[i]; ++j) {
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
