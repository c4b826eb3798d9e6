// The reasoning of the star-fix wizard, without widgets: where each body
// stands for an observer at an instant, the sextant altitude a navigator
// should expect to read, and the proposal of bright stars at good altitudes
// spread in azimuth. The wizard window and the azimuth tool's list of
// visible bodies call these and only show the results.
//
// Angles are decimal degrees (latitude north and longitude east positive),
// times UT date-time values (days since 1899 December 30, 0h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// Where a body stands for the observer at an instant.
struct BodyPlace {
    std::string name;
    double az = 0;   // true azimuth, degrees 0..360
    double hc = 0;   // computed altitude of the centre, degrees
    double hs = 0;   // expected sextant altitude (ComputeSextantAltitude), degrees
    double mag = 0;  // apparent visual magnitude
};

// The place of body `name` at UT `when` for an observer at (lat, lon) with
// the eye heightEye metres above the sea.
BodyPlace ComputeBodyPlace(std::string_view name, double when, double lat, double lon,
                           double heightEye);

// The wizard's candidates: bodies whose expected sextant altitude is not
// negative, ordered by ascending magnitude, each with its proposal flag.
struct StarCandidates {
    std::vector<std::string> CandName;
    std::vector<double> CandMag;
    std::vector<double> CandAz;
    std::vector<double> CandHs;
    std::vector<bool> CandSelected;
    int Count() const { return static_cast<int>(CandName.size()); }
};

// True when two bearings (degrees) lie strictly within 3.6 degrees of each
// other, or of each other's reciprocal, on the circle: two stars so placed
// give lines of position too nearly parallel to cross well.
bool AzimuthConflict(double azI, double azJ);

// The proposal for the twilight instant `when` at (lat, lon), heightEye
// metres: every body of BodyNames but the Sun with an expected sextant
// altitude of 0 or more, sorted by magnitude (brightest first); a body is
// proposed when its magnitude is 1.3 or brighter and its sextant altitude
// lies within 10..70 degrees (bounds included), and of two proposed bodies
// in conflict (AzimuthConflict) the fainter is dropped (of two equally
// bright, the later in the list).
StarCandidates ChooseStars(double when, double lat, double lon, double heightEye);

// Every body of BodyNames, the Sun's and the Moon's limbs included, whose
// expected sextant altitude at `when` is 0 or more, in BodyNames order; no
// body is proposed (CandSelected all false).
StarCandidates VisibleBodies(double when, double lat, double lon, double heightEye);

// The texts the wizard shows.
//   azimuth "000°"; altitude "00°00'" (degrees and whole minutes);
//   magnitude "+0.0;-0.0; 0.0" with the user's decimal separator decSep.
std::string FormatWizardAzimuth(double az);
std::string FormatWizardAltitude(double hs);
std::string FormatWizardMagnitude(double mag, std::string_view decSep);
// The list item of a candidate: magnitude, name, ": ", azimuth, " / ",
// altitude, e.g. "+0.5 BETELGEUSE: 123° / 35°30'".
std::string CandidateItemText(const StarCandidates& c, int i, std::string_view decSep);

}  // namespace orvex
