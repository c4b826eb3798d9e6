// The periodic terms of the truncated lunar theory (ELP-2000/82 as abridged
// in the standard textbook of astronomical algorithms): 60 terms for the
// longitude and the distance, 60 for the latitude, in the published order.
//
// Each row holds the multiples of the fundamental arguments D (mean
// elongation), M (Sun's mean anomaly), M' (Moon's mean anomaly) and F
// (argument of latitude), and the coefficients:
//   longitude  sine term, millionths of a degree
//   distance   cosine term, thousandths of a kilometre (metres)
//   latitude   sine term, millionths of a degree
// A coefficient the publication leaves blank is 0.
#pragma once

#include <array>

namespace orvex {

struct MoonLongitudeDistanceTerm {
    double d, m, mp, f;  // multiples of D, M, M', F
    double longitude;    // 1e-6 degree
    double distance;     // 1e-3 km
};

struct MoonLatitudeTerm {
    double d, m, mp, f;  // multiples of D, M, M', F
    double latitude;     // 1e-6 degree
};

inline constexpr int kMoonTermCount = 60;

// The two tables, rows 0..59 (published rows 1..60).
const std::array<MoonLongitudeDistanceTerm, kMoonTermCount>& MoonLongitudeDistanceTable();
const std::array<MoonLatitudeTerm, kMoonTermCount>& MoonLatitudeTable();

}  // namespace orvex
