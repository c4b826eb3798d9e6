// Temperature and pressure conversions shown beside the navigator's inputs.
// Temperatures in degrees Celsius / Fahrenheit, pressures in hectopascals
// (millibars) / inches of mercury. The two pressure factors are the
// customary rounded ones and not exact inverses of each other: a round trip
// comes back within 0.003 hPa.
#pragma once

namespace orvex {

// (9 / 5) * c + 32.
double CelsiusToFahrenheit(double c);

// (f - 32) * 5 / 9.
double FahrenheitToCelsius(double f);

// p (hPa) * 0.02953.
double MillibarsToInchesHg(double p);

// p (inches of mercury) * 33.8638.
double InchesHgToMillibars(double p);

}  // namespace orvex
