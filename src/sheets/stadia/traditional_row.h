#pragma once
// One row of a Traditional Stadia field book, kept as the file holds it: the
// single-precision fields stay single so that a file read and written again
// is the same to the byte.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/archive.h"

namespace kestrel {

enum TraditionalRowType : int {
  kTradStn = 0,        // known station and its coordinates
  kTradAtBs = 1,       // set-up: instrument point, backsight reading and point
  kTradFnote = 2,      // field note read as options by the reduction
  kTradThreeHair = 3,  // bottom, middle and top hair readings
  kTradMhSd = 4,       // middle hair and stadia distance
  kTradMhSi = 5,       // middle hair and staff intercept
};
inline constexpr int kTradRowTypeCount = 6;
// Rows of types up to this one are kept when a file is read.
inline constexpr int kTradLastKeptType = 7;

// The keywords of the type column in code order, and its drop list.
inline constexpr std::array<std::string_view, kTradRowTypeCount> kTradTypeKeywords = {
    "STN", "AT/BS", "Fnote", "3Hair", "MH/SD", "MH/SI"};
inline constexpr const char* kTradTypeChoices = "STN\nAT/BS\nFnote\n3Hair\nMH/SD\nMH/SI\n";

inline constexpr std::uint16_t kTradNoPoint = 0xFFFF;
// The empty single (1e15 rounded to single precision).
inline constexpr float kTradEmptySingle = 999999986991104.0f;
inline constexpr double kTradEmptyDouble = 999999986991104.0;
// Bytes of a row's fixed part in the file.
inline constexpr std::size_t kTradRecordBytes = 43;

struct TraditionalRow {
  std::int8_t type = kTradStn;
  std::uint16_t point = kTradNoPoint;  // station, set-up point or observed point
  float hz = kTradEmptySingle;         // horizontal circle reading, packed DMS
  // Shots: the vertical circle reading (zenith, packed DMS). AT/BS: the
  // backsight number in the low two bytes of its bit pattern.
  float obs2 = kTradEmptySingle;
  float lowHair = kTradEmptySingle;  // 3Hair: bottom hair; MH/SD, MH/SI: middle hair
  float midHair = kTradEmptySingle;  // 3Hair: middle hair; SD; staff intercept; AT/BS: IH
  float topHair = kTradEmptySingle;  // 3Hair: top hair
  double east = kTradEmptyDouble;
  double north = kTradEmptyDouble;
  float height = kTradEmptySingle;
  std::string code{};
  std::string comment{};
  std::string note{};
};

inline bool IsTraditionalShot(int type) { return type >= kTradThreeHair && type <= kTradMhSi; }

// A single field as a double: empty when it is not finite (a damaged file).
double SingleValue(float value);

// The backsight number of an AT/BS row; 0 (none) when never entered.
std::uint16_t TraditionalBacksight(const TraditionalRow& row);
void SetTraditionalBacksight(TraditionalRow& row, std::uint16_t number);
// The same under the names the radiation family reads them by.
inline bool HasBacksight(const TraditionalRow& row) { return row.obs2 != kTradEmptySingle; }
inline std::uint32_t BacksightNumber(const TraditionalRow& row) {
  return TraditionalBacksight(row);
}
inline void SetBacksightNumber(TraditionalRow& row, std::uint32_t number) {
  SetTraditionalBacksight(row, static_cast<std::uint16_t>(number));
}
// After a type change: a field that only AT/BS rows read as a number's bits
// becomes empty when it is not a finite single.
void SanitizeTraditionalRow(TraditionalRow& row);

// The fixed part, then code, comment and note each ended by a zero byte.
void WriteTraditionalRecord(ArchiveWriter& out, const TraditionalRow& row);
// False when fewer than the fixed part's bytes remain. Texts cut by the end of
// the data keep what was read; control characters are dropped and the texts
// trimmed of blanks.
bool ReadTraditionalRecord(ArchiveReader& in, TraditionalRow& row);

}  // namespace kestrel
