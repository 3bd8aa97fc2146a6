#include "adjust/grid_corrections.h"

#include <cmath>

#include "survey/geometry.h"

namespace kestrel {

namespace {
constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kSineOfOneSecond = 4.84813681109536e-6;
// Metres of meridian per degree of latitude, and the first term of the
// series that turns a meridian distance into a latitude.
constexpr double kMetresPerDegree = 111132.952;
constexpr double kMeridianSeriesTerm = 16038.508;
}  // namespace

GridCorrections::GridCorrections(const GeoidParameters& values) : values_(values) {
  const double a = values_.a;
  const double b = a * (1.0 - 1.0 / values_.invF);
  e2_ = (a * a - b * b) / (a * a);
  polarFactor_ = a * std::sqrt(1.0 - e2_);
}

GridCorrections::Radii GridCorrections::RadiiAt(double n1, double n2) const {
  const double m = ((n1 - values_.FN) + (n2 - values_.FN)) / 2.0;
  const double phi0 = m / values_.k0 / kMetresPerDegree;
  // The series term takes the square of the sine of the first estimate; the
  // radii change by a few parts in a million across a degree, so this
  // latitude is near enough for them.
  const double s0 = std::sin(phi0 * kRadiansPerDegree);
  const double phi = (m / values_.k0 + kMeridianSeriesTerm * s0 * s0) / kMetresPerDegree;
  const double s = std::sin(phi * kRadiansPerDegree);
  const double w = 1.0 - e2_ * s * s;
  // rho = a (1 - e2) / w^1.5 and nu = a / w^0.5, so sqrt(rho nu) is
  // a sqrt(1 - e2) / w.
  const double rho = values_.a * (1.0 - e2_) / (w * std::sqrt(w));
  const double meanRadius = polarFactor_ / w;
  const double growth = e2_ * std::sin(2.0 * phi * kRadiansPerDegree) / (w * values_.k0 * rho);
  return {meanRadius, values_.k0 * meanRadius, growth};
}

double GridCorrections::ArcToChord(double e1, double n1, double, double e2, double n2,
                                   double) const {
  const Radii radii = RadiiAt(n1, n2);
  const double r = radii.scaledRadius;
  const double x1 = e1 - values_.FE;
  const double x2 = e2 - values_.FE;
  const double s = 2.0 * x1 + x2;
  // The projected line bends towards the central meridian because the scale
  // grows with the distance from it. The fourth-order factor, and the term
  // for the radius changing with the northing along an east-west line, are
  // each worth a few hundredths of a second near a zone's edge.
  const double towardsMeridian = (n1 - n2) * s / (6.0 * r * r) * (1.0 - s * s / (27.0 * r * r));
  const double alongNorthing =
      -(e2 - e1) * (3.0 * x1 * x1 + 2.0 * x1 * x2 + x2 * x2) / (12.0 * r * r) * radii.radiusGrowth;
  // Adding 0 turns a negative zero into a zero, which prints without a sign.
  return (towardsMeridian + alongNorthing) / kSineOfOneSecond + 0.0;
}

double GridCorrections::LineScaleFactor(double e1, double n1, double, double e2, double n2,
                                        double) const {
  return ScaleFactorFor(RadiiAt(n1, n2), e1, e2);
}

double GridCorrections::ScaleFactorFor(const Radii& radii, double e1, double e2) const {
  const double r = radii.scaledRadius;
  const double x1 = e1 - values_.FE;
  const double x2 = e2 - values_.FE;
  const double q = (x1 * x1 + x1 * x2 + x2 * x2) / (6.0 * r * r);
  // q / 6 is the fourth-order term of the point scale factor averaged along
  // the line; without it the factor is some tenths of a ppm out near a
  // zone's edge.
  return values_.k0 * (1.0 + q * (1.0 + q / 6.0));
}

double GridCorrections::SeaLevelCorrection(double e1, double n1, double h1, double e2, double n2,
                                           double h2) const {
  return SeaLevelFor(RadiiAt(n1, n2), e1, n1, h1, e2, n2, h2);
}

double GridCorrections::SeaLevelFor(const Radii& radii, double e1, double n1, double h1, double e2,
                                    double n2, double h2) const {
  const double d = DistanceBetween(e1, n1, e2, n2);
  return (h1 + h2) * d / 2.0 / radii.meanRadius;
}

void GridCorrections::ScaleAndSeaLevel(double e1, double n1, double h1, double e2, double n2,
                                       double h2, double& lineScaleFactor,
                                       double& seaLevelCorrection) const {
  const Radii radii = RadiiAt(n1, n2);
  lineScaleFactor = ScaleFactorFor(radii, e1, e2);
  seaLevelCorrection = SeaLevelFor(radii, e1, n1, h1, e2, n2, h2);
}

}  // namespace kestrel
