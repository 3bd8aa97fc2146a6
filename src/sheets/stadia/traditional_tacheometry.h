#pragma once
// Optical tacheometry with an internally focusing telescope: the stadia
// distance is the multiplying constant times the staff intercept between the
// outer hairs (no additive constant), reduced to the horizontal and to a
// height difference by the elevation of the line of sight.
#include <optional>

namespace kestrel {

inline constexpr double kStadiaMultiplier = 100.0;
// A hair reading counts as not booked when it is empty or within this of zero.
inline constexpr double kHairZero = 1e-6;
// The 3Hair tolerance of a new sheet, in staff units.
inline constexpr double kDefaultHairTolerance = 0.01;

struct HairReadings {
  double low = 0.0;
  double mid = 0.0;
  double top = 0.0;
};

// |(top - mid) - (mid - low)|: how far the middle hair is from halfway.
double HairAsymmetry(const HairReadings& hairs);
// All three booked (magnitude from 1e-6 to 1e10) and asymmetric beyond
// `tolerance`.
bool HairsOutOfTolerance(const HairReadings& hairs, double tolerance);
// Fills the one reading that is not booked from the other two; false (and
// nothing changed) unless exactly one is missing.
bool FillMissingHair(double& low, double& mid, double& top);

struct TacheometryResult {
  double horizontal = 0.0;  // horizontal distance
  double rise = 0.0;        // from the trunnion axis to the middle hair's mark
};

// The stadia distance reduced by an elevation angle in degrees:
// horizontal = D cos^2 e, rise = D sin e |cos e| (a face-right reading rises
// as face left does).
TacheometryResult ReduceStadiaDistance(double stadiaDistance, double elevationDegrees);

}  // namespace kestrel
