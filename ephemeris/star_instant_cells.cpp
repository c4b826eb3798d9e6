#include "ephemeris/star_instant_cells.h"

#include <cmath>

#include "ephemeris/sun.h"

namespace orvex {

namespace {

constexpr double kDaysPerCentury = 36525.0;
constexpr double kCellDays = 0.25;
// Cells kept at once: a fix rarely spans more than two or three.
constexpr size_t kCellsKept = 8;
constexpr double kPi = 3.14159265358979323846;

// The value at x (-1..1) of the Chebyshev series with coefficients c, the
// first one counted half (Clenshaw's recurrence).
double Chebyshev(const std::array<double, StarInstantCells::kNodes>& c, double x) {
    double b1 = 0.0, b2 = 0.0;
    for (int j = StarInstantCells::kNodes - 1; j >= 1; --j) {
        const double b = 2.0 * x * b1 - b2 + c[static_cast<size_t>(j)];
        b2 = b1;
        b1 = b;
    }
    return x * b1 - b2 + 0.5 * c[0];
}

}  // namespace

const StarInstantCells::Cell& StarInstantCells::CellOf(long long index) {
    for (const Cell& c : cells_)
        if (c.index == index) return c;
    if (cells_.size() >= kCellsKept) cells_.clear();
    constexpr int n = kNodes;
    Cell cell;
    cell.index = index;
    // T counts from 2000 January 1, 12h UT: half a day after the cells' start.
    cell.mid = ((static_cast<double>(index) + 0.5) * kCellDays - 0.5) / kDaysPerCentury;
    cell.half = kCellDays / 2.0 / kDaysPerCentury;
    std::array<double, n> dpsi{}, deps{}, sun{};
    for (int k = 0; k < n; ++k) {
        const double x = std::cos(kPi * (k + 0.5) / n);
        const StarInstant at = StarInstantAt(cell.mid + cell.half * x);
        dpsi[static_cast<size_t>(k)] = at.dpsi;
        deps[static_cast<size_t>(k)] = at.deps;
        if (k == 0) cell.sunOrigin = at.sunLongitude;
        // Whole turns taken out: the longitude may pass 360 within a cell.
        const double d = at.sunLongitude - cell.sunOrigin;
        sun[static_cast<size_t>(k)] = d - 360.0 * std::round(d / 360.0);
    }
    for (int j = 0; j < n; ++j) {
        double a = 0.0, b = 0.0, c = 0.0;
        for (int k = 0; k < n; ++k) {
            const double w = std::cos(kPi * j * (k + 0.5) / n);
            a += dpsi[static_cast<size_t>(k)] * w;
            b += deps[static_cast<size_t>(k)] * w;
            c += sun[static_cast<size_t>(k)] * w;
        }
        cell.dpsi[static_cast<size_t>(j)] = 2.0 * a / n;
        cell.deps[static_cast<size_t>(j)] = 2.0 * b / n;
        cell.sun[static_cast<size_t>(j)] = 2.0 * c / n;
    }
    cells_.push_back(cell);
    return cells_.back();
}

StarInstant StarInstantCells::At(double T) {
    const long long index =
        static_cast<long long>(std::floor((T * kDaysPerCentury + 0.5) / kCellDays));
    const Cell& cell = CellOf(index);
    const double x = (T - cell.mid) / cell.half;
    StarInstant at;
    at.T = T;
    at.eps0 = SunMeanObliquity(T);
    at.dpsi = Chebyshev(cell.dpsi, x);
    at.deps = Chebyshev(cell.deps, x);
    at.sunLongitude = cell.sunOrigin + Chebyshev(cell.sun, x);
    return at;
}

}  // namespace orvex
