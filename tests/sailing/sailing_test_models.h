// The two Earth models the sailing tests compute on.
#pragma once

#include "navlib/constants.h"
#include "navlib/earth_model.h"

namespace orvex {

inline constexpr double kNm = 1852.0;

inline EarthModel Wgs84() {
    return EarthModel{298.257223563, 6378137.0 / kNm};
}
inline EarthModel NormalSphere() {
    return EarthModel{1e100, 10800.0 / kPi};
}

}  // namespace orvex
