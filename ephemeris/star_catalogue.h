// The catalogue of the system's 58 stars (the 57 navigational stars and
// POLARIS): J2000.0 mean places with proper motions and visual magnitudes.
#pragma once

#include <string_view>

namespace orvex {

// One row of the catalogue, in its packed form.
struct CatalogueEntry {
    double ra = 0.0;         // right ascension J2000.0, packed HH.MMSSs (2.58156 is
                             // 2h58m15.6s); DMSToDeg(ra) * 15 gives degrees
    double dec = 0.0;        // declination J2000.0, packed DD.MMSS with the sign on the
                             // whole number (-40.1817 is -40d18'17"); DMSToDeg gives degrees
    double pmRa = 0.0;       // proper motion eastward on the sky (already times cos dec),
                             // seconds of arc per year
    double pmDec = 0.0;      // proper motion in declination, seconds of arc per year
    double magnitude = 0.0;  // visual magnitude
};

struct CatalogueStar {
    const char* name;  // upper case, apostrophes and blanks included ("ALNA'IR")
    CatalogueEntry entry;
};

inline constexpr int kStarCount = 58;

// The rows in alphabetical order of their names.
extern const CatalogueStar kStarCatalogue[kStarCount];

// The row of the star with exactly this name (case-sensitive). A name that is
// not in the catalogue ("sirius", "SUNLOW", "") gives all five values 0, which
// the star routine turns into the apparent place of the J2000 equinox point.
CatalogueEntry StarCatalogue(std::string_view name);

// The row of kStarCatalogue that holds the name (exactly as written there),
// or -1 for a name outside the catalogue.
int StarIndex(std::string_view name);

}  // namespace orvex
