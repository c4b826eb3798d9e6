// The terms of the IAU 1980 theory of nutation with a sine amplitude of at
// least 0.0003", in the usual textbook order (largest first, the lunar node
// alone at the top).
#pragma once

namespace orvex {

struct NutationTerm {
    // Multiples of the fundamental arguments D, M, M', F, Omega.
    double D, M, Mp, F, Om;
    // Nutation in longitude S + S1 T (sine amplitude) and in obliquity
    // C + C1 T (cosine amplitude), units of 0.0001".
    double S, S1, C, C1;
};

inline constexpr int kNutationTermCount = 63;

// Rows 1..63 are the terms; row 0 exists so that the rows keep their
// published numbers, and is all zero.
extern const NutationTerm kNutationTerms[kNutationTermCount + 1];

}  // namespace orvex
