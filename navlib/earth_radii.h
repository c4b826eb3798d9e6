// Radii of curvature of the Earth model and the conversions between geodetic
// and geocentric latitude.
//
// Every routine derives the eccentricity afresh from the inverse flattening F:
// e^2 = 2/F - 1/F^2. The sphere is F = 1e100 (e^2 of about 2e-100), for which
// the radii equal the semi-major axis to double precision and both latitude
// conversions return their argument unchanged (an eccentricity below 1e-11
// counts as 0 there).
//
// F must not be 0; the Earth model never holds it.
#pragma once

#include "navlib/earth_model.h"

namespace orvex {

// Radius of curvature in the meridian, M = a (1 - e^2) / (1 - e^2 sin^2 lat)^1.5.
//   lat  geodetic latitude, degrees, -90..90
//   F    inverse flattening
//   a    semi-major axis, any unit; the radius comes out in that unit
// At the equator M = a (1 - e^2); at the poles M = a / sqrt(1 - e^2).
double RadiusMeridian(double lat, double F, double a);
double RadiusMeridian(double lat, const EarthModel& E);

// Radius of curvature in the prime vertical, N = a / sqrt(1 - e^2 sin^2 lat).
// Arguments as RadiusMeridian. At the equator N = a; at the poles N = M.
double RadiusPrimeVertical(double lat, double F, double a);
double RadiusPrimeVertical(double lat, const EarthModel& E);

// Length of the meridian arc between two geodetic latitudes, in the unit of
// E.SemiMajorAxis (never negative).
//   lat1, lat2  degrees, -90..90 (a pole included)
// Helmert's series in the third flattening n = f / (2 - f), to n^4: for
// the Earth's ellipsoids within 1e-9 of the length. On the sphere (inverse
// flattening above 1000) a |lat2 - lat1| in radians, 60 miles to the degree
// on the "Normal Sphere".
double MeridianArc(double lat1, double lat2, const EarthModel& E);

// Geocentric latitude of a geodetic latitude, degrees: atan((1 - e^2) tan lat).
//   lat  geodetic latitude, degrees, -90..90
// The sign is kept and the result lies in -90..90; +-90 gives +-90 within
// rounding (the tangent of the program's half pi is large but finite).
double GeodeticToGeocentric(double lat, double F);

// Geodetic latitude of a geocentric latitude, degrees: atan(tan lat / (1 - e^2)).
// The inverse of GeodeticToGeocentric, same ranges.
double GeocentricToGeodetic(double lat, double F);

}  // namespace orvex
