#pragma once
// The corrections that take a line measured on the ground to the Transverse
// Mercator grid: the arc-to-chord correction of a direction, the line scale
// factor and the sea-level correction of a distance. Coordinates are grid
// eastings and northings in metres; heights are above the ellipsoid.
#include "adjust/geoid_parameters.h"

namespace kestrel {

class GridCorrections {
 public:
  explicit GridCorrections(const GeoidParameters& values);

  // Seconds of arc to add to the direction of the projected line at point 1
  // to give the grid bearing of the chord to point 2. Heights are not used.
  double ArcToChord(double e1, double n1, double h1, double e2, double n2, double h2) const;

  // Grid distance over ellipsoidal distance for the line. Heights are not used.
  double LineScaleFactor(double e1, double n1, double h1, double e2, double n2, double h2) const;

  // The length to take off a horizontal distance to bring it to the
  // ellipsoid, in the coordinates' unit.
  double SeaLevelCorrection(double e1, double n1, double h1, double e2, double n2, double h2) const;

  // The line scale factor and the sea-level correction at once (one
  // latitude for both).
  void ScaleAndSeaLevel(double e1, double n1, double h1, double e2, double n2, double h2,
                        double& lineScaleFactor, double& seaLevelCorrection) const;

 private:
  struct Radii {
    double meanRadius;    // sqrt(rho nu), metres
    double scaledRadius;  // k0 sqrt(rho nu), metres
    double radiusGrowth;  // d ln(scaledRadius) / d northing, per metre
  };
  // The radii at the latitude of the line's mean northing.
  Radii RadiiAt(double n1, double n2) const;
  double ScaleFactorFor(const Radii& radii, double e1, double e2) const;
  double SeaLevelFor(const Radii& radii, double e1, double n1, double h1, double e2, double n2,
                     double h2) const;

  GeoidParameters values_;
  double e2_;           // first eccentricity squared
  double polarFactor_;  // a sqrt(1 - e2), metres
};

}  // namespace kestrel
