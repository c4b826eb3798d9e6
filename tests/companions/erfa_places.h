// Independent places of the catalogue stars for an observer, from ERFA, for
// checking the wizard's and the azimuth tool's figures.
#pragma once

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "ephemeris/star_catalogue.h"
#include "navlib/math_lib.h"

namespace orvex::testing {

// Days since 1899 December 30 are Julian days from this origin.
inline constexpr double kDateOrigin = 2415018.5;

// Observed azimuth and airless topocentric altitude (degrees) of a catalogue
// star from ERFA, with the UT taken as UTC and UT1 (no delta-T, as the
// ephemeris has it).
inline void ErfaStarAzAlt(const CatalogueEntry& e, double ut, double lat, double lon, double& az,
                          double& alt) {
    const double dc = DMSToDeg(e.dec) * ERFA_DD2R;
    const double rc = DMSToDeg(e.ra) * 15.0 * ERFA_DD2R;
    const double pr = e.pmRa / std::cos(dc) * ERFA_DAS2R;
    const double pd = e.pmDec * ERFA_DAS2R;
    double aob, zob, hob, dob, rob, eo;
    eraAtco13(rc, dc, pr, pd, 0.0, 0.0, kDateOrigin, ut, 0.0, lon * ERFA_DD2R, lat * ERFA_DD2R, 0.0,
              0.0, 0.0, 0.0, 0.0, 0.0, 0.55, &aob, &zob, &hob, &dob, &rob, &eo);
    az = aob * ERFA_DR2D;
    alt = 90.0 - zob * ERFA_DR2D;
}

}  // namespace orvex::testing
