// Small helpers over one-dimensional arrays of doubles (mean, mean absolute
// deviation, largest and smallest element), the probability-to-scale table
// and the two-dimensional table interpolation of the error ellipse, a
// parallel sort and a binary search of texts for the windows, and the pause
// that lets the window system run during a short wait.
//
// Arrays keep their own bounds (orvex::Vector, orvex::Matrix); a routine
// takes its range from the lower and upper bound unless it says otherwise.
// Text lists are std::vector<std::string> whose element k stands for index
// lowerBound + k, so that the indices seen by the caller match the numeric
// arrays they run beside. None of these routines reports an error or keeps
// state.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "navlib/arrays.h"

namespace orvex {

// Exchanges two values of any type.
template <typename T>
void SwapValues(T& a, T& b) {
    T t = std::move(a);
    a = std::move(b);
    b = std::move(t);
}

// Sum of all elements / element count. An empty array gives 0.
double ArrayMean(const Vector& a);

// Mean absolute deviation from ArrayMean(a): sum of |a(i) - mean| / count.
// An empty array gives 0.
double ArrayMeanAbsDev(const Vector& a);

// Largest (smallest) value among a(from..to); from = -1 stands for the lower
// bound, to = -1 for the upper bound. The scan starts with a(from) and an
// element replaces it only when strictly larger (smaller). Indices outside
// the array are brought to its bounds; an empty array gives 0.
double ArrayMax(const Vector& a, int from = -1, int to = -1);
double ArrayMin(const Vector& a, int from = -1, int to = -1);

// The square of the factor that enlarges a one-sigma error ellipse to hold
// probability p (the chi-square quantile for two degrees of freedom):
//   0.3935 -> 1, 0.5 -> 1.38629, 0.6826 -> 2.29518, 0.8647 -> 4,
//   0.95 -> 5.99146, 0.9544 -> 6.1757, 0.99 -> 9.21034, 0.999 -> 13.81551.
// p is compared for exact equality; any other value gives -1.
double EllipseScaleForProbability(double p);

// Bilinear interpolation in the table t at (x, y).
//   t   the table; its first index runs over the bounds of xs, its second
//       over the bounds of ys
//   xs, ys  ascending grid values
// A point on both grids returns the table value exactly. A point beyond the
// grid (the caller's to avoid) takes the nearest edge cell instead of
// reading outside the table.
double Interpolate2D(const Matrix& t, const Vector& xs, const Vector& ys, double x, double y);

// Selection sort of a ascending; the same exchanges are applied to b, c and
// names (names[k] stands for index a.lbound() + k). b, c and names must hold
// every index of a. Equal keys need not keep their order.
void SortParallel(Vector& a, Vector& b, Vector& c, std::vector<std::string>& names);

// Binary search of key (leading and trailing blanks removed) in list,
// sorted in binary (byte, case-sensitive) order. list[k] stands for index
// lowerBound + k. Returns the index of the exact match, or -1. The middle of
// lo..hi is (lo + hi) / 2 rounded half to even.
int BinarySearchText(const std::string& key, const std::vector<std::string>& list,
                     int lowerBound = 0);

// Returns after `seconds` (seconds) have passed on the clock hook
// (TimerSeconds), letting the window system handle its events (PumpEvents)
// meanwhile; the wait runs right across midnight. Zero or a negative
// duration returns at once without processing events.
void Pause(float seconds);

}  // namespace orvex
