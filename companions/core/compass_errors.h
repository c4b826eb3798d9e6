// Gyro and compass errors from the true bearing of a body: the arithmetic of
// the azimuth tool, without widgets.
//
// All values are degrees. Errors are "true minus indicated", folded into
// -180..+180 (a magnitude of exactly 180 stays as it is).
#pragma once

namespace orvex {

struct CompassErrors {
    double gyroError = 0;     // true bearing - gyro bearing, -180..180
    double trueHeading = 0;   // gyro heading + gyro error, 0..360
    double compassError = 0;  // true heading - compass heading, -180..180
    double deviation = 0;     // compass error - variation (not folded)
};

// e - 360 sign(e) when |e| > 180, else e.
double FoldError(double e);

// The errors of the gyro and the magnetic compass.
//   trueBearing     the body's true bearing (computed), 0..360
//   gyroBearing     the body's bearing read on the gyro repeater, 0..360
//   gyroHeading     the ship's heading read on the gyro, 0..360
//   compassHeading  the ship's heading read on the magnetic compass, 0..360
//   variation       magnetic variation, east positive, west negative
CompassErrors ComputeCompassErrors(double trueBearing, double gyroBearing, double gyroHeading,
                                   double compassHeading, double variation);

}  // namespace orvex
