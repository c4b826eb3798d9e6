#include "ephemeris/star_fix_ephemeris.h"

#include "ephemeris/ephemeris.h"

namespace orvex {

EphemerisFunction StarFixEphemeris() {
    return [](const std::string& body, double time, double& gha, double& dec, double& dist) {
        EphemerisResult r;
        ComputeEphemeris(body, time, r);
        gha = r.gha;
        dec = r.dec;
        dist = r.dist;
    };
}

}  // namespace orvex
