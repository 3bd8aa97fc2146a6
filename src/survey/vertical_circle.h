#pragma once
// How a vertical circle reading becomes an elevation angle. Field books name
// the circle's zero with a note ("v0ha", "v0na", "v0nc"); without one the
// circle reads zenith angles.
#include <string_view>

namespace kestrel {

enum class VerticalConvention {
  Zenith,  // no note: elevation = 90 - reading
  V0ha,    // zero on the horizon: readings are elevation angles
  V0na,    // zero at the nadir: elevation = reading - 90
  V0nc,    // elevation = 450 - reading
};

// The note keyword of a convention, lower case; empty for Zenith.
std::string_view VerticalConventionKeyword(VerticalConvention convention);

// The elevation angle in degrees of a reading in decimal degrees. A back-face
// reading turns the zenith convention by 180 degrees; the other conventions
// are never turned.
double ElevationDegrees(double readingDegrees, VerticalConvention convention,
                        bool backFace = false);

}  // namespace kestrel
