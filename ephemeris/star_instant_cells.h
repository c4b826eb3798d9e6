// The instant terms of star places (stars.h: the nutation, the Sun's
// longitude for the aberration, the mean obliquity) for many instants close
// together, as a star fix asks for them: worked out in full at six instants
// of each six-hour cell of UT (0h, 6h, 12h and 18h to the next) and taken at
// any instant of the cell from the polynomial through them (Chebyshev
// interpolation of degree 5). The nutation and the Sun's longitude change
// so smoothly over six hours that the polynomial leaves them within 1e-9"
// of the full terms (1e-13" is typical), while a fix of fifty sights works
// out its terms a few times instead of fifty.
//
// The terms at an instant depend on that instant alone (the cells are
// fixed), never on which instants were asked before; the object only keeps
// the cells it has worked out, a few at a time. One object serves one
// thread at a time.
#pragma once

#include <array>
#include <vector>

#include "ephemeris/stars.h"

namespace orvex {

class StarInstantCells {
  public:
    // The instant terms for T (Julian centuries of UT from J2000.0; any
    // finite value). The mean obliquity is the polynomial itself.
    StarInstant At(double T);

    static constexpr int kNodes = 6;

  private:
    struct Cell {
        long long index = 0;           // six-hour steps from 2000 January 1, 0h UT
        double mid = 0.0, half = 0.0;  // the cell's middle and half its length, as T
        double sunOrigin = 0.0;        // the Sun's longitude at the first node, degrees
        // Chebyshev coefficients of the nutation (seconds of arc) and of the
        // Sun's longitude less sunOrigin (degrees).
        std::array<double, kNodes> dpsi{}, deps{}, sun{};
    };
    const Cell& CellOf(long long index);
    std::vector<Cell> cells_;
};

}  // namespace orvex
