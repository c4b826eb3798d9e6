#include "navlib/unit_conversions.h"

namespace orvex {

double CelsiusToFahrenheit(double c) {
    return (9.0 / 5.0) * c + 32.0;
}

double FahrenheitToCelsius(double f) {
    return (f - 32.0) * 5.0 / 9.0;
}

double MillibarsToInchesHg(double p) {
    return p * 0.02953;
}

double InchesHgToMillibars(double p) {
    return p * 33.8638;
}

}  // namespace orvex
