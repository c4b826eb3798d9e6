#include "sailing/core/utility_fault.h"

namespace orvex {

std::string UtilityErrorText(int number, const std::string& description) {
    std::string text =
        "An error occured in the RL/GC/ETA subroutine.\r\n"
        "The program will try to resume execution\r\n"
        "but please report the following error:\r\n";
    switch (number) {
        case UtilityFault::kDivisionByZero:
            return text + "Division by zero.";
        case UtilityFault::kOverflow:
            return text + "Overflow.";
        case UtilityFault::kIllegalCall:
            return text + "Illegal procedure call.";
        default:
            return text + "Error " + std::to_string(number) + ": " + description;
    }
}

}  // namespace orvex
