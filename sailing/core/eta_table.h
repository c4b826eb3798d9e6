// The ETA table: for a distance to go and a departure time, the time of
// arrival at every speed of a range, in UTC and in a chosen zone time,
// rounded to a number of steps per day.
#pragma once

#include <string>
#include <vector>

namespace orvex {

struct EtaInputs {
    double DepTime = 0.0;    // departure, days from 1899-12-30, in zone ZoneDep
    double ZoneDep = 0.0;    // hours east of Greenwich of the departure time
    double ZoneLocal = 0.0;  // hours east of Greenwich of the local ETA column
    double Dist = 0.0;       // distance to go, nautical miles, >= 0
    double MinSpeed = 10.0;  // knots, > 0
    double MaxSpeed = 24.0;  // knots, >= MinSpeed
    double Interval = 0.5;   // knots, > 0 (0 only when MinSpeed = MaxSpeed)
    double Round = 86400.0;  // steps per day: 86400 (second), 240 (tenth of hour), 96 (quarter)
};

struct EtaRow {
    double Speed = 0.0;  // knots, kept to hundredths
    double EtaUT = 0.0;  // days, rounded to the nearest step
    double EtaLT = 0.0;  // days, in ZoneLocal, rounded to the nearest step
};

// Number of speeds: k + 1 when the range holds a whole number k of intervals
// (the last speed is the maximum), k + 2 otherwise (the maximum follows the
// k + 1 regular speeds). Equal speeds give 1 whatever the interval.
// Throws UtilityFault (division by zero) for a zero or negative interval
// across a range of speeds.
int EtaRowCount(double minSpeed, double maxSpeed, double interval);

// The rows of the table, slowest first. Throws UtilityFault for a speed of
// zero or less, or a time that is not finite.
std::vector<EtaRow> ComputeEtaTable(const EtaInputs& in);

// The cell texts: the speed "##0.0#", the times "d mmm yyyy hh:mm:ss".
std::string EtaSpeedText(double speed, const std::string& decSep);
std::string EtaTimeText(double when);

}  // namespace orvex
