#include "ephemeris/star_fix_ephemeris.h"

#include "ephemeris/ephemeris.h"
#include "ephemeris/star_instant_cells.h"

namespace orvex {

EphemerisFunction StarFixEphemeris() {
    return [cells = StarInstantCells()](const std::string& body, double time, double& gha,
                                        double& dec, double& dist) mutable {
        EphemerisResult r;
        ComputeEphemeris(body, time, r, cells);
        gha = r.gha;
        dec = r.dec;
        dist = r.dist;
    };
}

}  // namespace orvex
