#pragma once
// The steps between angle units that every reduction takes: decimal degrees
// to radians and back, and packed DMS straight to radians and back. Each step
// is written once here, so that two reductions of the same field book do the
// same floating-point arithmetic.
#include "survey/geometry.h"

namespace kestrel {

inline constexpr double kRadiansPerDegree = kPi / 180;

// Degrees x pi / 180, as one multiplication by the constant.
inline double DegreesToRadians(double degrees) { return degrees * kRadiansPerDegree; }
// The inverse step: a division by the same constant, so that a round trip
// gives the degrees back.
inline double RadiansToDegrees(double radians) { return radians / kRadiansPerDegree; }

// Packed DMS -> radians, through DmsToDegrees.
double DmsToRadians(double packedDms);
// Radians -> packed DMS, through DegreesToDms (so with its half-second carry).
double RadiansToDms(double radians);

}  // namespace kestrel
