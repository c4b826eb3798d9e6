#include "navlib/unit_conversions.h"

namespace orvex {

namespace {

// Feet shown per metre, and the international foot in metres (exact).
constexpr double kFeetPerMetre = 3.28084;
constexpr double kMetresPerFoot = 0.3048;

}  // namespace

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

double MetresToFeet(double m) {
    return m * kFeetPerMetre;
}

double FeetToMetres(double ft) {
    return ft * kMetresPerFoot;
}

}  // namespace orvex
