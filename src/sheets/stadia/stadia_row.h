#pragma once
// One row of a Stadia field book and its row types. The first 69 bytes of a
// row (type to height) are what the sheet file holds for it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "survey/empty_value.h"

namespace kestrel {

// Codes 0 (STN), 1 (AT/BS) and 2 (Fnote) are the same on every radiation
// sheet; each sheet numbers its own shot types from 3.
enum StadiaRowType : int {
  kStadiaStn = 0,    // known station: point and entered coordinates
  kStadiaAtBs = 1,   // set-up: instrument point, backsight point and reading
  kStadiaFnote = 2,  // field note read as options by the reduction
  kStadiaSdHt = 3,   // slope distance and vertical circle reading
  kStadiaHzDh = 4,   // horizontal distance and height difference
  kStadiaHdRl = 5,   // horizontal distance and entered reduced level
  kStadiaChk = 6,    // check shot, observed like SD/HT
};
inline constexpr int kStadiaRowTypeCount = 7;

// The keywords of the type column in code order, and its drop list.
inline constexpr std::array<std::string_view, kStadiaRowTypeCount> kStadiaTypeKeywords = {
    "STN", "AT/BS", "Fnote", "SD/HT", "HZ/DH", "HD/RL", "CHK"};
inline constexpr const char* kStadiaTypeChoices = "STN\nAT/BS\nFnote\nSD/HT\nHZ/DH\nHD/RL\nCHK\n";

struct StadiaRow {
  std::int8_t type = kStadiaStn;
  // In memory only, never in the file: a bit per column (1 << column) whose
  // typed number had a letter inside it (see LetterInsideNumber).
  std::uint16_t typedLetters = 0;
  std::uint32_t point = kNoPoint;  // AT/BS: the instrument point
  double hz = kEmptyValue;         // horizontal circle reading, packed DMS
  // Vertical circle reading (SD/HT, CHK), height difference (HZ/DH); on an
  // AT/BS row the backsight number lives in its low 32 bits (see below).
  double obs2 = kEmptyValue;
  double spare = kEmptyValue;
  double dist = kEmptyValue;  // slope or horizontal distance; AT/BS: instrument height
  double targetHt = kEmptyValue;
  double east = kEmptyValue;
  double north = kEmptyValue;
  double height = kEmptyValue;  // HD/RL: the entered reduced level
  std::string code{};
  std::string comment{};
  std::string note{};  // Fnote text; AT/BS rows may carry "v0ha", "v0na", "v0nc"
};

// A row as a new one starts: every double empty, no point, empty texts.
StadiaRow BlankStadiaRow(int type = kStadiaStn);

// "STN" ... "CHK"; empty for a type code outside 0 to 6.
std::string_view StadiaTypeKeyword(int type);
// The type code of a keyword compared exactly (case matters); -1 for any other
// text.
int StadiaTypeFromKeyword(std::string_view keyword);

// Shot rows are observed from a set-up: SD/HT, HZ/DH, HD/RL and CHK.
inline bool IsStadiaShot(int type) { return type >= kStadiaSdHt && type <= kStadiaChk; }

// The backsight number of an AT/BS row is the little-endian low 32 bits of
// obs2's bit pattern; the high 32 bits are left as they were. A backsight never
// entered (obs2 still holding the empty value) counts as no backsight.
bool HasBacksight(const StadiaRow& row);
std::uint32_t BacksightNumber(const StadiaRow& row);  // 0 when there is none
void SetBacksightNumber(StadiaRow& row, std::uint32_t number);

}  // namespace kestrel
