#pragma once
// Plane coordinate geometry shared by the reductions. Coordinates are easting
// and northing in the sheet's length unit; bearings are radians clockwise
// from north, with -1.0 for "no bearing".
namespace kestrel {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kNoBearing = -1.0;

// Bearing from point 1 to point 2 in [0, 2π]; kNoBearing when both
// differences are below 1e-6.
double BearingBetween(double e1, double n1, double e2, double n2);

// Plane distance; 0 when both differences are below 1e-6.
double DistanceBetween(double e1, double n1, double e2, double n2);

// The coordinate step of a polar observation.
void PolarStep(double bearingRadians, double distance, double& dEast, double& dNorth);

// The angle turned from backsight bearing b1 to foresight bearing b2, in
// [0, 2π): clockwise (b2 - b1) when `clockwise`, else b1 - b2.
double AngleBetween(double b1, double b2, bool clockwise);

}  // namespace kestrel
