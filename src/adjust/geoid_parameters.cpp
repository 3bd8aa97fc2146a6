#include "adjust/geoid_parameters.h"

#include <cmath>

namespace kestrel {

bool PresetGeoidParameters(const std::string& name, GeoidParameters& out) {
  if (name == kPresetMga) {
    out = GeoidParameters{};
    return true;
  }
  if (name == kPresetIsg) {
    out = GeoidParameters{6378160.0, 298.25, 2.0, 0.99994, 300000.0, 5000000.0, kPresetIsg};
    return true;
  }
  return false;
}

std::string CheckGeoidParameters(const GeoidParameters& v) {
  const double numbers[] = {v.a, v.invF, v.zoneWidth, v.k0, v.FE, v.FN};
  for (double x : numbers) {
    if (!std::isfinite(x)) return "Every geodetic value must be a finite number";
  }
  // Upper bounds keep the corrections finite for any coordinate a sheet holds.
  if (!(v.a > 0.0 && v.a < 1e9)) return "The semi-major axis must be above 0";
  if (!(v.invF > 1.0)) return "The inverse flattening must be above 1";
  if (!(v.zoneWidth > 0.0 && v.zoneWidth <= 360.0)) {
    return "The zone width must be above 0 and at most 360 degrees";
  }
  if (!(v.k0 > 0.0 && v.k0 < 10.0)) return "The central scale factor must be above 0";
  if (std::fabs(v.FE) > 1e10 || std::fabs(v.FN) > 1e10) {
    return "The false easting and northing must be below 1e10";
  }
  return {};
}

}  // namespace kestrel
