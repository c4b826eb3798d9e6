// Vectors and matrices of doubles with explicit index bounds.
//
// The library's matrix routines work on arrays indexed from 1 (first index
// the row) and take their sizes from the upper bounds. A few callers keep an
// unused element 0 in front, so the lower bound is part of the type:
// Vector(n) runs 1..n, Vector(0, n) runs 0..n. Element access is checked in
// debug builds; an index outside the bounds is a programming error.
#pragma once

#include <algorithm>
#include <cassert>
#include <vector>

namespace orvex {

class Vector {
  public:
    Vector() = default;
    explicit Vector(int upper) : Vector(1, upper) {}
    Vector(int lower, int upper)
        : lo_(lower),
          hi_(upper),
          d_(upper >= lower ? static_cast<size_t>(upper - lower + 1) : 0, 0.0) {}

    int lbound() const { return lo_; }
    int ubound() const { return hi_; }

    double& operator()(int i) {
        assert(i >= lo_ && i <= hi_);
        return d_[static_cast<size_t>(i - lo_)];
    }
    double operator()(int i) const {
        assert(i >= lo_ && i <= hi_);
        return d_[static_cast<size_t>(i - lo_)];
    }

    void Resize(int lower, int upper) { *this = Vector(lower, upper); }
    void Fill(double v) { std::fill(d_.begin(), d_.end(), v); }

  private:
    int lo_ = 1;
    int hi_ = 0;
    std::vector<double> d_;
};

class Matrix {
  public:
    Matrix() = default;
    Matrix(int rows, int cols) : Matrix(1, rows, 1, cols) {}
    Matrix(int rowLower, int rowUpper, int colLower, int colUpper)
        : rlo_(rowLower),
          rhi_(rowUpper),
          clo_(colLower),
          chi_(colUpper),
          d_(rowUpper >= rowLower && colUpper >= colLower
                 ? static_cast<size_t>(rowUpper - rowLower + 1) *
                       static_cast<size_t>(colUpper - colLower + 1)
                 : 0,
             0.0) {}

    int lbound1() const { return rlo_; }
    int ubound1() const { return rhi_; }  // rows
    int lbound2() const { return clo_; }
    int ubound2() const { return chi_; }  // columns

    double& operator()(int i, int j) {
        assert(i >= rlo_ && i <= rhi_ && j >= clo_ && j <= chi_);
        return d_[index(i, j)];
    }
    double operator()(int i, int j) const {
        assert(i >= rlo_ && i <= rhi_ && j >= clo_ && j <= chi_);
        return d_[index(i, j)];
    }

    void Fill(double v) { std::fill(d_.begin(), d_.end(), v); }

  private:
    size_t index(int i, int j) const {
        return static_cast<size_t>(i - rlo_) * static_cast<size_t>(chi_ - clo_ + 1) +
               static_cast<size_t>(j - clo_);
    }
    int rlo_ = 1, rhi_ = 0, clo_ = 1, chi_ = 0;
    std::vector<double> d_;
};

}  // namespace orvex
