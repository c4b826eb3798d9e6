// The kinds of arithmetic failure the fix computation checks for.
//
// C++ floating point does not trap: a division by zero or the square root of
// a negative number quietly gives an infinity or a NaN. The routines of the
// least-squares fit, the sight reduction and the star-fix solver therefore
// test their divisors and arguments, and every result with std::isfinite,
// and hand back which kind of failure stopped a step. A step that fails
// leaves its outputs as they were.
#pragma once

namespace orvex {

enum class ArithmeticFault {
    None,
    DivisionByZero,   // a zero divisor (a zero pivot, deviation or determinant)
    Overflow,         // a result that is not finite for another reason
    InvalidArgument,  // e.g. the square root of a negative number
};

}  // namespace orvex
