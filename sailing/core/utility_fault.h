// A run-time failure inside one of the utilities' computations (rhumb line,
// great circle, ETA table). The computations test their divisors and results
// and throw this instead of showing a NaN; the utilities page catches it and
// shows the error report once.
#pragma once

#include <stdexcept>
#include <string>

namespace orvex {

class UtilityFault : public std::runtime_error {
  public:
    // Error numbers as the error report names them: 5 an illegal call,
    // 6 an overflow (a result that is not finite), 11 a division by zero.
    static constexpr int kIllegalCall = 5;
    static constexpr int kOverflow = 6;
    static constexpr int kDivisionByZero = 11;

    UtilityFault(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int Number() const { return number_; }

  private:
    int number_;
};

// The text of the utilities' error report for an error number and its
// description:
//   "An error occured in the RL/GC/ETA subroutine." CR LF
//   "The program will try to resume execution" CR LF
//   "but please report the following error:" CR LF
// then "Division by zero." (11), "Overflow." (6), "Illegal procedure call."
// (5) or "Error " number ": " description.
std::string UtilityErrorText(int number, const std::string& description);

}  // namespace orvex
