// The Earth model every sailing and fix routine takes: a sphere or one of the
// reference ellipsoids.
#pragma once

namespace orvex {

struct EarthModel {
    // Inverse flattening 1/f. Above 1000 the spherical formulas are used
    // (the sphere itself is given as 1e100).
    double InvFlattening = 298.257223560493;
    // Semi-major axis, nautical miles.
    double SemiMajorAxis = 6378137.0 / 1852.0;

    bool IsSphere() const { return InvFlattening > 1000.0; }
    // Flattening f (0 on the sphere).
    double Flattening() const { return IsSphere() ? 0.0 : 1.0 / InvFlattening; }
};

}  // namespace orvex
