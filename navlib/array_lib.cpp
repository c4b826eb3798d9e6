#include "navlib/array_lib.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "navlib/hooks.h"

namespace orvex {

double ArrayMean(const Vector& a) {
    const int count = a.ubound() - a.lbound() + 1;
    if (count <= 0) return 0.0;
    double s = 0.0;
    for (int i = a.lbound(); i <= a.ubound(); ++i) s += a(i);
    return s / count;
}

double ArrayMeanAbsDev(const Vector& a) {
    const int count = a.ubound() - a.lbound() + 1;
    if (count <= 0) return 0.0;
    const double mean = ArrayMean(a);
    double s = 0.0;
    for (int i = a.lbound(); i <= a.ubound(); ++i) s += std::fabs(a(i) - mean);
    return s / count;
}

namespace {

// Resolves the -1 placeholders and keeps the range inside the array.
bool ScanRange(const Vector& a, int& from, int& to) {
    if (a.ubound() < a.lbound()) return false;
    if (from == -1) from = a.lbound();
    if (to == -1) to = a.ubound();
    from = std::clamp(from, a.lbound(), a.ubound());
    to = std::clamp(to, a.lbound(), a.ubound());
    return true;
}

}  // namespace

double ArrayMax(const Vector& a, int from, int to) {
    if (!ScanRange(a, from, to)) return 0.0;
    double m = a(from);
    for (int i = from + 1; i <= to; ++i)
        if (a(i) > m) m = a(i);
    return m;
}

double ArrayMin(const Vector& a, int from, int to) {
    if (!ScanRange(a, from, to)) return 0.0;
    double m = a(from);
    for (int i = from + 1; i <= to; ++i)
        if (a(i) < m) m = a(i);
    return m;
}

double EllipseScaleForProbability(double p) {
    static const double kTable[][2] = {
        {0.3935, 1.0},   {0.5, 1.38629},   {0.6826, 2.29518}, {0.8647, 4.0},
        {0.95, 5.99146}, {0.9544, 6.1757}, {0.99, 9.21034},   {0.999, 13.81551},
    };
    for (const auto& row : kTable)
        if (p == row[0]) return row[1];
    return -1.0;
}

namespace {

// The grid cell holding v: lo = hi on a grid value, else the bracketing pair.
// A value beyond the grid takes the nearest end.
void FindCell(const Vector& g, double v, int& lo, int& hi) {
    const int first = g.lbound(), last = g.ubound();
    bool found = false;
    for (int i = first; i <= last - 1; ++i) {
        if (v == g(i)) {
            lo = hi = i;
            found = true;
        } else if (g(i) <= v && v < g(i + 1)) {
            lo = i;
            hi = i + 1;
            found = true;
        }
    }
    if (v == g(last)) {
        lo = hi = last;
        found = true;
    }
    if (!found) lo = hi = (v > g(last)) ? last : first;
}

}  // namespace

double Interpolate2D(const Matrix& t, const Vector& xs, const Vector& ys, double x, double y) {
    if (xs.ubound() < xs.lbound() || ys.ubound() < ys.lbound()) return 0.0;
    int i0 = 0, i1 = 0, j0 = 0, j1 = 0;
    FindCell(xs, x, i0, i1);
    FindCell(ys, y, j0, j1);
    double va, vb;
    if (j0 == j1) {
        va = t(i0, j0);
        vb = t(i1, j0);
    } else {
        const double fy = (y - ys(j0)) / (ys(j1) - ys(j0));
        va = t(i0, j0) + fy * (t(i0, j1) - t(i0, j0));
        vb = t(i1, j0) + fy * (t(i1, j1) - t(i1, j0));
    }
    if (i0 == i1) return va;
    return va + (x - xs(i0)) / (xs(i1) - xs(i0)) * (vb - va);
}

void SortParallel(Vector& a, Vector& b, Vector& c, std::vector<std::string>& names) {
    const int lo = a.lbound(), hi = a.ubound();
    for (int i = lo; i <= hi; ++i) {
        int m = i;
        for (int k = i + 1; k <= hi; ++k)
            if (a(k) < a(m)) m = k;
        if (m != i) {
            SwapValues(a(i), a(m));
            SwapValues(b(i), b(m));
            SwapValues(c(i), c(m));
            SwapValues(names.at(static_cast<size_t>(i - lo)),
                       names.at(static_cast<size_t>(m - lo)));
        }
    }
}

int BinarySearchText(const std::string& key, const std::vector<std::string>& list, int lowerBound) {
    const size_t b = key.find_first_not_of(' ');
    const std::string k =
        (b == std::string::npos) ? std::string() : key.substr(b, key.find_last_not_of(' ') - b + 1);
    int lo = lowerBound;
    int hi = lowerBound + static_cast<int>(list.size()) - 1;
    while (hi >= lo) {
        // (lo + hi) / 2 rounded half to even.
        const int sum = lo + hi;
        int mid = static_cast<int>(std::floor(sum / 2.0));
        if (sum % 2 != 0 && mid % 2 != 0) ++mid;
        const std::string& item = list[static_cast<size_t>(mid - lowerBound)];
        const int cmp = k.compare(item);  // byte order, case-sensitive
        if (cmp == 0) return mid;
        if (cmp < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return -1;
}

void Pause(float seconds) {
    if (!(seconds > 0.0f)) return;
    double start = TimerSeconds();
    for (;;) {
        PumpEvents();
        const double now = TimerSeconds();
        if (now < start) start -= 86400.0;  // midnight has passed
        // The duration is single precision; so is the comparison, so that a
        // pause of 0.3 s ends on the tick that reads 0.3 s later.
        if (static_cast<float>(now - start) >= seconds) return;
        // Give the processor back between two rounds of events.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace orvex
