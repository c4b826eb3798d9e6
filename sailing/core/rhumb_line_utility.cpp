#include "sailing/core/rhumb_line_utility.h"

#include <cstddef>

namespace orvex {

RhumbLineProblem ChooseRhumbLineProblem(const std::array<bool, 12>& f) {
    const bool course = f[10], dist = f[11];
    // The four positions' coordinates, the course and the distance.
    constexpr std::array<std::size_t, 6> kInputs{0, 1, 2, 3, 10, 11};
    int count = 0;
    for (std::size_t i : kInputs) count += f[i] ? 1 : 0;
    if (count != 4 || (dist && !course)) return RhumbLineProblem::None;
    if (!f[0] || !f[1]) return RhumbLineProblem::DepartureIncomplete;
    if (course && dist) return RhumbLineProblem::Direct;
    if (course && f[2]) return RhumbLineProblem::ByLatitude;
    if (course && f[3]) return RhumbLineProblem::ByLongitude;
    return RhumbLineProblem::Inverse;  // departure and arrival, four flags
}

SailingStatus SolveRhumbLine(RhumbLineProblem problem, RhumbLineValues& v, const EarthModel& E) {
    switch (problem) {
        case RhumbLineProblem::Direct:
            return RhumbLineDirect(v.Lat1, v.Long1, v.Course, v.Dist, v.Lat2, v.Long2, E);
        case RhumbLineProblem::ByLatitude:
            return RhumbLineByLatitude(v.Lat1, v.Long1, v.Course, v.Lat2, v.Long2, v.Dist, E);
        case RhumbLineProblem::ByLongitude:
            return RhumbLineByLongitude(v.Lat1, v.Long1, v.Course, v.Long2, v.Lat2, v.Dist, E);
        case RhumbLineProblem::Inverse:
            return RhumbLineInverse(v.Lat1, v.Long1, v.Lat2, v.Long2, v.Course, v.Dist, E);
        default:
            return SailingStatus::NoSolution;
    }
}

}  // namespace orvex
