#pragma once
// One row of a Precision Stadia field book: a Stadia row whose angles are
// kept to hundredths of a second, with the fields its reduction computes.
#include "sheets/stadia/stadia_row.h"

namespace kestrel {

struct PrecisionStadiaRow : StadiaRow {
  double spare2 = kEmptyValue;  // kept in the file only
  double spare3 = kEmptyValue;  // kept in the file only
  // Shots: the horizontal distance after the vertical, sea-level and scale
  // corrections; negative for a face-right reading.
  double reducedDist = kEmptyValue;
  // Shots: the bearing in decimal degrees the coordinates use; AT/BS: the
  // set-up's backsight bearing.
  double gridBearing = kEmptyValue;
  // SD/HT: the vertical reading after the refraction adjustment, packed DMS;
  // never kept in the file.
  double correctedVt = kEmptyValue;
};

inline PrecisionStadiaRow BlankPrecisionRow(int type = kStadiaStn) {
  PrecisionStadiaRow row;
  row.type = static_cast<std::int8_t>(type);
  return row;
}

}  // namespace kestrel
