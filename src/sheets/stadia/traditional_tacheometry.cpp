// Stadia hair checks and the tacheometric reduction of a sight.
#include "sheets/stadia/traditional_tacheometry.h"

#include <cmath>
#include <numbers>

#include "survey/empty_value.h"

namespace kestrel {

namespace {

bool Booked(double value) {
  const double size = std::fabs(value);
  return size >= kHairZero && size <= kEmptyThreshold;
}

}  // namespace

double HairAsymmetry(const HairReadings& hairs) {
  return std::fabs((hairs.top - hairs.mid) - (hairs.mid - hairs.low));
}

bool HairsOutOfTolerance(const HairReadings& hairs, double tolerance) {
  if (!Booked(hairs.low) || !Booked(hairs.mid) || !Booked(hairs.top)) return false;
  return HairAsymmetry(hairs) > tolerance;
}

bool FillMissingHair(double& low, double& mid, double& top) {
  const int missing = !Booked(low) + !Booked(mid) + !Booked(top);
  if (missing != 1) return false;
  if (!Booked(top)) {
    top = 2 * mid - low;
  } else if (!Booked(low)) {
    low = 2 * mid - top;
  } else {
    mid = (top - low) / 2 + low;
  }
  return true;
}

TacheometryResult ReduceStadiaDistance(double stadiaDistance, double elevationDegrees) {
  const double e = elevationDegrees * std::numbers::pi / 180.0;
  const double c = std::cos(e);
  return {stadiaDistance * c * c, stadiaDistance * std::sin(e) * std::fabs(c)};
}

}  // namespace kestrel
