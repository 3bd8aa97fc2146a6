#pragma once
// The Transverse Mercator grid the job's coordinates are in: the ellipsoid, the
// zone width and the grid's origin, with the two named sets surveyors use.
#include <string>

namespace kestrel {

struct GeoidParameters {
  double a = 6378137.0;       // semi-major axis, metres
  double invF = 298.2572221;  // inverse flattening
  double zoneWidth = 6.0;     // degrees; kept and edited, not used by the corrections
  double k0 = 0.9996;         // central scale factor
  double FE = 500000.0;       // false easting, metres
  double FN = 10000000.0;     // false northing, metres
  std::string name = "MGA";   // "MGA", "ISG" or "CUSTOM"

  bool operator==(const GeoidParameters&) const = default;
};

inline constexpr const char* kPresetMga = "MGA";
inline constexpr const char* kPresetIsg = "ISG";
inline constexpr const char* kPresetCustom = "CUSTOM";

// The named set's values; false (and `out` untouched) for any other name.
// "CUSTOM" has no values of its own and also gives false.
bool PresetGeoidParameters(const std::string& name, GeoidParameters& out);

// Empty when the values describe a usable projection, else a sentence naming
// the first value that does not (non-finite numbers, a non-positive axis or
// scale factor, a flattening whose inverse is not above 1, a zone width
// outside (0, 360]).
std::string CheckGeoidParameters(const GeoidParameters& values);

}  // namespace kestrel
