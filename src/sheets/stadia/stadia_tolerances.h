#pragma once
// The limits below which the radiation sheets take a value as zero, and the
// value an unreduced shot is given. Each has one name, used wherever the rule
// applies, with the case that decided its size.

namespace kestrel {

// A station whose easting, northing and height all lie within this of zero
// is booked as "not known yet" (field crews enter 0, 0, 0 for a mark whose
// coordinates will come later). The reduction lists such a station only until
// a real one with its number arrives, and a set-up on it is reported ("STN
// point %4u has zero coordinates"). Coordinates are booked to the millimetre,
// so anything below a millimetre is such a booking; the comparison is strict,
// so the 0.001 given to unreduced shots is not taken for one.
inline constexpr double kZeroStationLimit = 0.001;

// Collecting the set-up points to fetch from the host: a station supplies no
// coordinates only when all three lie within a tenth of a millimetre of zero.
// Tighter than the reduction's millimetre on purpose: asking the host
// replaces what the sheet holds, so a station booked a fraction of a
// millimetre off zero (a value carried over from a rounded import, 0.0005 say)
// counts as supplied and is never overwritten from the host.
inline constexpr double kNoCoordinateLimit = 0.0001;

// The easting and northing (and, but for HD/RL rows, the height) of a shot
// that no valid set-up reduces: a value no surveyed point has, that still
// shows in every cell and listing.
inline constexpr double kUnreducedCoordinate = 0.001;

// Orientations smaller than this many degrees (about 0.1 second) are taken as
// none: a set-up whose backsight reading matches the computed bearing to the
// tenth of a second would otherwise carry the last bits of the bearing's
// arithmetic into every shot.
inline constexpr double kNoOrientationDegrees = 2.7e-5;

}  // namespace kestrel
