// What the navigator gave the azimuth tool, as the window holds it once
// each field has been left.
#pragma once

#include <array>

namespace orvex {

struct AzimuthInputs {
    // The time of the observation: UT days since 1899 December 30.
    double obsTime = 0;
    // The ship's position, degrees: latitude -90..90 (north positive),
    // longitude -180..180 (east positive).
    double lat = 0;
    double lon = 0;
    // Degrees 0..360: the gyro bearing of the body, the gyro heading and
    // the compass heading.
    std::array<double, 3> direction{};
    // The magnetic variation, degrees: east positive, west negative (its
    // sign follows the E/W option buttons).
    double variation = 0;
};

}  // namespace orvex
