// Temperature, pressure and height conversions shown beside the navigator's
// inputs. Temperatures in degrees Celsius / Fahrenheit, pressures in
// hectopascals (millibars) / inches of mercury, heights in metres / feet.
// The two pressure factors are the customary rounded ones and not exact
// inverses of each other: a round trip comes back within 0.003 hPa.
// Heights are kept in metres. A height typed in feet becomes metres with the
// exact international foot (0.3048 m); a height is shown in feet with
// 3.28084 ft/m, 1/0.3048 = 3.2808399 rounded to six figures. A round trip
// feet -> metres -> feet gains 3.2e-8 of the height (0.0000032 ft on 100 ft).
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

// m (metres) * 3.28084: every height shown in feet (the height-of-eye field
// beside the metres, the numeric report, the wizard's height in feet).
double MetresToFeet(double m);

// ft (feet) * 0.3048: every height typed in feet, kept in metres.
double FeetToMetres(double ft);

}  // namespace orvex
