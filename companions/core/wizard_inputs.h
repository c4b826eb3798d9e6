// What the navigator gave the star-fix wizard in its first step, as the
// window holds it once each field has been left.
#pragma once

#include <array>

namespace orvex {

struct WizardInputs {
    // The date of the observations: UT days since 1899 December 30, at 0 h
    // of the day the date field shows.
    double date = 0;
    // The observer's position, degrees: latitude -90..90 (north positive),
    // longitude -180..180 (east positive).
    double lat = 0;
    double lon = 0;
    // The height of the eye above the sea, metres (typed in metres or in
    // feet).
    double heightEye = 0;
    // Whether the date, the latitude, the longitude and the height of eye
    // have been entered (a refused entry leaves its flag and its value as
    // they were); the Sun's times need all four.
    std::array<bool, 4> entered{};

    bool Complete() const { return entered[0] && entered[1] && entered[2] && entered[3]; }
};

}  // namespace orvex
