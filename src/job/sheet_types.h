#pragma once
// The six sheet kinds, in the order of the table selection dialog's radio
// buttons, with their command-line keywords, file name patterns and labels.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "job/job_location.h"

namespace kestrel {

enum class SheetType : int {
  Stadia = 0,
  Traditional = 1,
  Traverse = 2,
  LevelBook = 3,
  LevelSheet = 4,
  PrecisionStadia = 5,
};
inline constexpr int kSheetTypeCount = 6;

struct SheetTypeInfo {
  SheetType type;
  const char* keyword;    // command-line keyword: "stadia"
  const char* stem;       // file-name stem: "stad" (precision: "precisionstadia")
  const char* pattern;    // "%s%sstad%1d.%s" (drive, folder, number, job)
  const char* label;      // "Survey Number"
  const char* radioText;  // "Stadia"
};

const SheetTypeInfo& SheetTypeInfoOf(SheetType type);
const std::array<SheetTypeInfo, kSheetTypeCount>& SheetTypeTable();

// The type whose command-line keyword is exactly `keyword` ("stadia"); nullopt
// for any other word.
std::optional<SheetType> SheetTypeFromKeyword(std::string_view keyword);

// The six flags of the application, of which at most one is set.
struct SheetTypeFlags {
  bool stadia = false;
  bool traditional = false;
  bool traverse = false;
  bool levelbook = false;
  bool levelsheet = false;
  bool precisionstadia = false;

  void Clear() { *this = SheetTypeFlags{}; }
  // Sets the type's flag and clears the other five.
  void Set(SheetType type);
  // The first set flag in the order stadia, traditional, traverse, levelbook,
  // levelsheet, precisionstadia.
  std::optional<SheetType> First() const;
};

// The sheet file's path for a type, job location and number (Windows form as
// the pattern gives it; see NativePath).
std::string SheetFileName(SheetType type, const JobLocation& job, int number);

}  // namespace kestrel
