#include "survey/geometry.h"

#include <cmath>

namespace kestrel {
namespace {

constexpr double kTwoPi = 2 * kPi;

// Coordinate differences below this are taken as no difference at all.
constexpr double kCoincident = 1e-6;

}  // namespace

double BearingBetween(double e1, double n1, double e2, double n2) {
  const double dEast = e2 - e1;
  const double dNorth = n2 - n1;
  if (std::fabs(dEast) < kCoincident && std::fabs(dNorth) < kCoincident) return kNoBearing;
  if (std::fabs(dNorth) < kCoincident) return dEast >= 0 ? kPi / 2 : 3 * kPi / 2;

  double bearing = std::atan(dEast / dNorth);
  if (dNorth < 0) bearing += kPi;
  if (dNorth > 0 && dEast < 0) bearing += kTwoPi;
  if (bearing > kTwoPi) bearing -= kTwoPi;
  if (bearing < 0) bearing += kTwoPi;
  return bearing;
}

double DistanceBetween(double e1, double n1, double e2, double n2) {
  const double dEast = e1 - e2;
  const double dNorth = n1 - n2;
  if (std::fabs(dEast) < kCoincident && std::fabs(dNorth) < kCoincident) return 0.0;
  return std::sqrt(dEast * dEast + dNorth * dNorth);
}

void PolarStep(double bearingRadians, double distance, double& dEast, double& dNorth) {
  dEast = std::sin(bearingRadians) * distance;
  dNorth = std::cos(bearingRadians) * distance;
}

double AngleBetween(double b1, double b2, bool clockwise) {
  // Each bearing is brought into [0, 2π] once; callers pass bearings at most
  // one turn out.
  const auto intoCircle = [](double b) {
    if (b < 0) return b + kTwoPi;
    if (b > kTwoPi) return b - kTwoPi;
    return b;
  };
  b1 = intoCircle(b1);
  b2 = intoCircle(b2);
  double angle = clockwise ? b2 - b1 : b1 - b2;
  if (angle < 0) angle += kTwoPi;
  return angle;
}

}  // namespace kestrel
