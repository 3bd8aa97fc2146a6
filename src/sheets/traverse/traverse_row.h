#pragma once
// One row of a traverse field book and its row types. The fields from `type`
// to `note` are the row's record in the sheet file; the adjusted coordinates
// live only in memory.
#include <cstdint>
#include <string>
#include <string_view>

#include "survey/empty_value.h"

namespace kestrel {

enum TraverseRowType : int {
  kTravStn = 0,       // known station: point and entered coordinates
  kTravBSite = 1,     // backsight: instrument point, backsight point, reading
  kTravFnote = 2,     // field note ("tr ", "angle", "network" steer the computation)
  kTravTraverse = 3,  // traverse leg
  kTravDual = 4,      // accepted as a type; carries no data
  kTravRounds = 5,    // as Dual
  kTravSShot = 6,     // side shot from a traverse station
  kTravClose = 7,     // closing observation onto a known line
  kTravRobj = 8,      // reference object: its own field holds the reference bearing
  kTravCheck = 9,     // check shot
};
inline constexpr int kTraverseRowTypeCount = 10;

// The drop list of the type column, one keyword per type in code order.
inline constexpr const char* kTraverseTypeChoices =
    "STN\nBSite\nFnote\nTraverse\nDual\nRounds\nSShot\nClose\nRobj\nCheck\n";

// Heights are single precision in the file; the empty value survives that.
inline constexpr float kEmptyFloat = 999999986991104.0f;

struct TraverseRow {
  std::uint8_t type = kTravStn;
  std::uint32_t at = kNoPoint;  // STN: the point; others: the instrument (from) point
  std::uint32_t to = kNoPoint;  // target point; BSite: the backsight point
  double angle = kEmptyValue;   // packed DMS, angle or bearing as typed
  // Packed DMS: computed by Calculate; on a Robj row the typed reference bearing.
  double bearing = kEmptyValue;
  double vertical = kEmptyValue;  // zenith angle, packed DMS
  double slope_dist = kEmptyValue;
  float inst_ht = kEmptyFloat;
  float target_ht = kEmptyFloat;
  double east = kEmptyValue;  // STN: entered; observations: computed
  double north = kEmptyValue;
  float height = kEmptyFloat;
  std::string code{};
  std::string spare_text{};  // kept and written, never shown
  std::string note{};
  // Shown in columns 9 to 11: the computed coordinates, replaced by adjusted
  // ones by an adjustment; STN rows copy their entered coordinates.
  double adj_east = kEmptyValue;
  double adj_north = kEmptyValue;
  double adj_height = kEmptyValue;
};

TraverseRow BlankTraverseRow(int type = kTravStn);

// "STN" ... "Check"; empty for Dual, Rounds and codes outside 0 to 9.
std::string_view TraverseTypeKeyword(int type);
// The type of a keyword compared exactly (Dual and Rounds included); -1 for
// any other text.
int TraverseTypeFromKeyword(std::string_view keyword);

// Rows observed from an instrument point onto a target point.
inline bool IsTraverseObservation(int type) {
  return type == kTravTraverse || type == kTravSShot || type == kTravClose || type == kTravCheck;
}

// The point a row stands for: STN, BSite and Robj rows their `at`, the
// observations their `to`; kNoPoint for notes and rows without data.
std::uint32_t TraverseRowPoint(const TraverseRow& row);

// Case-insensitive tests of a note's start.
bool NoteStartsWith(std::string_view note, std::string_view word);

}  // namespace kestrel
