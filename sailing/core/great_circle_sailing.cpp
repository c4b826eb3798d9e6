#include "sailing/core/great_circle_sailing.h"

#include <cmath>
#include <vector>

#include "navlib/constants.h"
#include "navlib/earth_radii.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/rhumb_line.h"
#include "navlib/solver_callback.h"
#include "navlib/solvers.h"
#include "sailing/core/utility_fault.h"

namespace orvex {

namespace {

int Sign(double x) {
    return x > 0.0 ? 1 : (x < 0.0 ? -1 : 0);
}

void CheckFinite(double x) {
    if (!std::isfinite(x)) throw UtilityFault(UtilityFault::kOverflow, "Overflow");
}

// e, 1 - e^2 and e^2 / 2 of the model into the shared solver block.
void SetEccentricity(const EarthModel& E) {
    const double F = E.InvFlattening;
    double e = std::sqrt(2.0 / F - 1.0 / (F * F));
    if (e < 1e-11) e = 0.0;
    SolverParameters& P = SharedSolverParameters();
    P.OneMinusE2 = 1.0 - e * e;
    P.HalfE2 = e * e / 2.0;
}

double Geocentric(double lat, const EarthModel& E) {
    return GeodeticToGeocentric(lat, E.InvFlattening);
}

// Longitude (degrees) where the geodesic of vertex latitude L through the
// position given by the solver arguments touches the parallel L.
double TangentLongitude(double seedDeg, int iFct) {
    NautLibFct fn;
    bool failed = false;
    const double root =
        FindRoot(fn, seedDeg * kDegToRad, 0.002, -kPi, kPi, true, 1e-8, 100, iFct, true, failed);
    return Norm180(root * kRadToDeg);
}

// Rows for a table sized by the interval count, with ten rows of margin.
WaypointTable MakeTable(double count) {
    const double n = std::nearbyint(std::fabs(count)) + 10.0;  // halves to even
    return WaypointTable(static_cast<size_t>(n) + 1, WaypointRow{});
}

// A track along meridians (its vertex at a pole) meets the longitudes
// between its meridians only at the pole: its points are the departure,
// the pole it crosses (given the arrival's meridian, along which it is
// left) and the arrival. Each leg runs due north or south along the
// meridian of its end off the pole; the legs add up to the track's length.
struct MeridianTrack {
    std::vector<std::array<double, 2>> points;  // latitude, longitude
    std::vector<double> legs;
    double length = 0.0;
};

MeridianTrack MeridianTrackOf(const GreatCircleInputs& in, const GreatCircleVertex& v,
                              const EarthModel& E) {
    MeridianTrack t;
    t.points.push_back({in.Lat3, in.Long3});
    // The pole crossed; a pole at one end is that end.
    if (v.VertexDist != -1.0 && !SameLatitude(v.VertexLat, in.Lat3) &&
        !SameLatitude(v.VertexLat, in.Lat4))
        t.points.push_back({v.VertexLat, in.Long4});
    t.points.push_back({in.Lat4, in.Long4});
    for (size_t j = 0; j + 1 < t.points.size(); ++j) {
        t.legs.push_back(MeridianArc(t.points[j][0], t.points[j + 1][0], E));
        t.length += t.legs.back();
    }
    return t;
}

// Rows of a meridian track from row k on; k is left on the arrival's row.
void MeridianWaypoints(WaypointTable& table, const MeridianTrack& t, int& k) {
    const size_t k0 = static_cast<size_t>(k);
    if (table.size() < k0 + t.points.size()) table.resize(k0 + t.points.size(), WaypointRow{});
    for (size_t j = 0; j < t.points.size(); ++j) {
        WaypointRow& row = table[k0 + j];
        row[1] = t.points[j][0];
        row[2] = t.points[j][1];
        if (j == 0) continue;
        WaypointRow& prev = table[k0 + j - 1];
        prev[3] = row[1] > prev[1] ? 360.0 : 180.0;
        prev[4] = t.legs[j - 1];
        row[5] = prev[5] + prev[4];
    }
    k = static_cast<int>(k0 + t.points.size() - 1);
}

}  // namespace

double CompositeVertexParam(double limit, const EarthModel& E) {
    const double p = Geocentric(limit, E);
    return std::tan((Sign(p) * 90.0 - p) * kDegToRad);
}

void ComputeWaypoints(WaypointTable& t, double lat1, double long1, double lat2, double long2,
                      double vertexLat, double vertexLong, double vertexParam, int& k,
                      double routeLong1, double routeLong2, double interval, const EarthModel& E) {
    auto row = [&t](int i) -> WaypointRow& {
        if (static_cast<size_t>(i) >= t.size()) t.resize(static_cast<size_t>(i) + 1, WaypointRow{});
        return t[static_cast<size_t>(i)];
    };
    const int k0 = k;
    row(k0)[1] = lat1;
    row(k0)[2] = long1;
    ++k;
    const int legSense = LongitudeSense(long1, long2);
    const double step = std::fabs(interval) * LongitudeSense(routeLong1, routeLong2);
    double lon = Norm180(std::trunc(long1 + (Sign(long1) + legSense) / 2.0));
    if (step != 0.0 && legSense != 0) {
        if (SameLongitude(lon, long1)) lon = Norm180(lon + step);
        // Each turn moves one step toward the arrival; the bound only guards
        // against a step that does not close on it.
        const int maxRows = k + static_cast<int>(360.0 / std::fabs(step)) + 2;
        while (LongitudeSense(lon, long2) == legSense && !SameLongitude(lon, long2) &&
               k < maxRows) {
            double course = kNoCourse;
            bool failed = false;
            const double lat = GreatCircleComposite(lon, vertexLat, vertexLong, vertexParam, E, 0.0,
                                                    0.0, course, failed);
            row(k)[2] = lon;
            row(k)[1] = failed ? kNoWaypointLatitude : lat;
            ++k;
            lon = Norm180(lon + step);
        }
    }
    row(k)[1] = lat2;
    row(k)[2] = long2;
    for (int i = k0; i <= k - 1; ++i) {
        WaypointRow& r = row(i);
        WaypointRow& next = row(i + 1);
        if (next[1] == kNoWaypointLatitude) {
            r[3] = i >= 1 ? row(i - 1)[3] : 0.0;
            double lat = 0.0, dist = 0.0;
            RhumbLineByLongitude(r[1], r[2], r[3], next[2], lat, dist, E);
            next[1] = lat;
            r[4] = dist;
        } else {
            RhumbLineInverse(r[1], r[2], next[1], next[2], r[3], r[4], E);
        }
        if (i > k0 && row(i - 1)[1] == vertexLat && r[1] == vertexLat)
            row(i - 1)[3] = LongitudeSense(long1, long2) == 1 ? 90.0 : 270.0;
        if (i >= 1) r[5] = row(i - 1)[5] + row(i - 1)[4];
        CheckFinite(r[4]);
    }
    if (k >= 1) row(k)[5] = row(k - 1)[5] + row(k - 1)[4];
}

GreatCircleResult ComputeGreatCircle(const GreatCircleInputs& in, const EarthModel& E) {
    GreatCircleResult r;
    r.Vertex = GreatCircleEllipsoid(in.Lat3, in.Long3, in.Lat4, in.Long4, E);
    const GreatCircleVertex& v = r.Vertex;
    r.VertexOutside = v.VertexDist == -1.0;
    const bool meridian = std::fabs(v.VertexLat) >= 90.0;  // a track along meridians

    if (!r.VertexOutside && in.LimitEntered) {
        r.LimitApplied = true;
        r.Limit = std::fabs(in.Limit) * Sign(v.VertexLat);
        const double L = r.Limit;
        // A limit on the equator is below every position off it.
        auto accepted = [L](double lat) {
            return (L != 0.0 && Sign(lat) != Sign(L)) || (lat >= 0.0 && L >= lat) ||
                   (lat < 0.0 && L <= lat);
        };
        if (!accepted(in.Lat3)) {
            r.LimitError = 1;
            return r;
        }
        if (!accepted(in.Lat4)) {
            r.LimitError = 2;
            return r;
        }
        r.Composite = std::fabs(v.VertexLat) > std::fabs(L);
    }

    if (r.Composite) {
        const double L = r.Limit;
        const double tanL = std::tan(L * kDegToRad);
        // Each tangent point lies toward the other position. With the two
        // meridians exactly opposite both senses would come out west: both
        // composites round the pole are then equally long, and the second
        // leg is taken on the side of the first (the waypoints' side).
        const int s1 = LongitudeSense(in.Long3, in.Long4);
        const int s2 = -s1;
        const double seed1 = Norm180(
            in.Long3 + s1 * std::fabs(ArcCos(std::tan(in.Lat3 * kDegToRad) / tanL)) * kRadToDeg);
        const double seed2 = Norm180(
            in.Long4 + s2 * std::fabs(ArcCos(std::tan(in.Lat4 * kDegToRad) / tanL)) * kRadToDeg);
        SetEccentricity(E);
        SolverParameters& P = SharedSolverParameters();
        P.SolvIntA = Geocentric(L, E) * kDegToRad;
        P.SolvArg1 = Geocentric(in.Lat3, E) * kDegToRad;
        P.SolvArg2 = in.Long3 * kDegToRad;
        r.T1 = TangentLongitude(seed1, Sign(in.Lat3) == Sign(L) ? 9 : 10);
        P.SolvIntA = Geocentric(L, E) * kDegToRad;
        P.SolvArg3 = Geocentric(in.Lat4, E) * kDegToRad;
        P.SolvArg4 = in.Long4 * kDegToRad;
        r.T2 = TangentLongitude(seed2, 11);
        r.Leg[1] = GeodesicDistance(in.Lat3, in.Long3, L, r.T1, E);
        RhumbLineInverse(L, r.T1, L, r.T2, r.ParallelCourse, r.Leg[0], E);
        r.Leg[2] = GeodesicDistance(L, r.T2, in.Lat4, in.Long4, E);
        for (double d : r.Leg) CheckFinite(d);
    }

    if (in.IntervalEntered && in.Interval != 0.0) {
        r.HasWaypoints = true;
        int k = 1;
        if (r.Composite) {
            const double count =
                (std::fabs(Norm180(r.T1 - in.Long3)) + std::fabs(Norm180(in.Long4 - r.T2))) /
                in.Interval;
            r.Waypoints = MakeTable(count);
            const double param = CompositeVertexParam(r.Limit, E);
            ComputeWaypoints(r.Waypoints, in.Lat3, in.Long3, r.Limit, r.T1, r.Limit, r.T1, param, k,
                             in.Long3, in.Long4, in.Interval, E);
            r.Waypoints[static_cast<size_t>(k)][3] = r.ParallelCourse;
            r.Waypoints[static_cast<size_t>(k)][4] = r.Leg[0];
            ++k;
            ComputeWaypoints(r.Waypoints, r.Limit, r.T2, in.Lat4, in.Long4, r.Limit, r.T2, param, k,
                             in.Long3, in.Long4, in.Interval, E);
        } else if (meridian) {
            r.Waypoints = MakeTable(0.0);
            MeridianWaypoints(r.Waypoints, MeridianTrackOf(in, v, E), k);
        } else {
            r.Waypoints = MakeTable(Norm180(in.Long4 - in.Long3) / in.Interval);
            ComputeWaypoints(r.Waypoints, in.Lat3, in.Long3, in.Lat4, in.Long4, v.VertexLat,
                             v.VertexLong, v.VertexParam, k, in.Long3, in.Long4, in.Interval, E);
        }
        r.ArrivalRow = k;
        const double sailed = r.Waypoints[static_cast<size_t>(k)][5];
        for (int i = k; i >= 1; --i)
            r.Waypoints[static_cast<size_t>(i)][6] =
                sailed - r.Waypoints[static_cast<size_t>(i)][5];
        r.SumOfRhumbLines = sailed;
    }

    // Along meridians the geodesic is the meridian arc itself, and the same
    // arcs as the waypoints' legs: their sum is then never the shorter.
    if (r.Composite)
        r.Theoretical = r.Leg[1] + r.Leg[0] + r.Leg[2];
    else if (meridian)
        r.Theoretical = MeridianTrackOf(in, v, E).length;
    else
        r.Theoretical = GeodesicDistance(in.Lat3, in.Long3, in.Lat4, in.Long4, E);
    CheckFinite(r.Theoretical);
    RhumbLineInverse(in.Lat3, in.Long3, in.Lat4, in.Long4, r.SingleRLCourse, r.SingleRLDist, E);

    SetEccentricity(E);
    const double p = Geocentric(v.VertexLat, E) * kDegToRad;
    const double k8 = IntegralMode8(p, p);
    if (k8 == 0.0) throw UtilityFault(UtilityFault::kDivisionByZero, "Division by zero");
    r.Period = 360.0 / k8;
    CheckFinite(r.Period);

    bool failed1 = false, failed2 = false;
    double c1 = 0.0, c2 = 0.0;
    GreatCircleComposite(in.Long3, v.VertexLat, v.VertexLong, v.VertexParam, E, in.Long3, in.Long4,
                         c1, failed1);
    GreatCircleComposite(in.Long4, v.VertexLat, v.VertexLong, v.VertexParam, E, in.Long3, in.Long4,
                         c2, failed2);
    // A route along a meridian: the course routine gives the meridian's
    // courses (360 or 180) although it finds no latitude; where it leaves a
    // course untouched, the meridian or the pole crossed decides it.
    auto meridianCourse = [&](bool departure) {
        if (SameLongitude(in.Long3, in.Long4)) return r.SingleRLCourse;
        const bool north = v.VertexLat > 0.0;
        return (north == departure) ? 360.0 : 180.0;
    };
    if (failed1 && c1 == 0.0) c1 = meridianCourse(true);
    if (failed2 && c2 == 0.0) c2 = meridianCourse(false);
    r.DepartureCourse = c1;
    r.ArrivalCourse = c2;
    return r;
}

}  // namespace orvex
