#pragma once
// The six sheet kinds, in the order of the table selection dialog's radio
// buttons: what is fixed about each without its sheet (command-line keyword,
// file name pattern, the stems its file names carry, labels, Browse filters)
// and the reading of a file name as a kind. The host names the six kinds, so
// this table is complete even while some kinds have no sheet; what makes a
// sheet of a kind is registered in sheets/ (sheet_kind_registry.h).
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

// One entry of the Browse dialog's file type list.
struct BrowseFilter {
  const char* description;  // "Stadia Entry (stad*.*)"
  const char* pattern;      // "stad*.*"
};

// How a kind's file name is formed from the job and the sheet number.
enum class SheetNameForm {
  NumberFirst,  // stem, number, then the job as extension: "stad3.tst"
  JobFirst,     // the job as title, then ".<stem>" and the number: "tst.precisionstadia3"
};

struct SheetTypeInfo {
  SheetType type;
  const char* keyword;  // command-line keyword: "stadia"
  SheetNameForm form;
  const char* label;      // the number field's label: "Survey Number"
  const char* radioText;  // "Stadia"
  // The stems a file name of this kind may begin with (lower case), the one
  // new names are built from first ("stad"), then older ones ("lvl2sh");
  // unused entries are null.
  std::array<const char*, 2> nameStems;
  // The Browse dialog's filters for this kind; the first is preselected.
  std::array<BrowseFilter, 2> filters;
  // The number field's label after a file of this kind was browsed.
  const char* browsedLabel;
  // Another kind whose files this kind's sheet also reads ("Open Existing" of
  // a stadia file while precision stadia is chosen).
  std::optional<SheetType> readsFilesOf;

  // The stem new file names are built from.
  constexpr const char* Stem() const { return nameStems[0]; }
};

const SheetTypeInfo& SheetTypeInfoOf(SheetType type);
const std::array<SheetTypeInfo, kSheetTypeCount>& SheetTypeTable();

// The type whose command-line keyword is exactly `keyword` ("stadia"); nullopt
// for any other word.
std::optional<SheetType> SheetTypeFromKeyword(std::string_view keyword);
// The keywords in table order, for help texts: "stadia, traditional, ... or
// precisionstadia".
std::string SheetKeywordList();

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
// The same for a drive, folder and job name given separately.
std::string SheetFileName(SheetType type, std::string_view drive, std::string_view folder,
                          std::string_view job, int number);

// A kind and number read from a file name.
struct SheetNameMatch {
  SheetType type = SheetType::Stadia;
  int number = 0;
};

// Where in a file name a stem counts.
enum class StemPlace { Anywhere, AtStart };

// The first kind, in table order and each kind's stems in order, whose stem
// the lower-cased file name (folder left out, extension kept) holds at
// `place`; the integer after the stem is the number. Searched anywhere,
// "tst.precisionstadia2" holds "stad" and so comes out as a stadia sheet
// numbered 0 ("ia2" reads as 0): a job-first name needs JobFirstSheetName.
std::optional<SheetNameMatch> FindSheetStem(std::string_view path, StemPlace place);

// A job-first name: the lower-cased file name holds "." and a job-first
// kind's stem ("stad1.tst.precisionstadia2" too); the number is what follows.
std::optional<SheetNameMatch> JobFirstSheetName(std::string_view path);

// What a sheet file's name says it is: a job-first name, else the first stem
// found anywhere. nullopt when the name is no sheet's.
std::optional<SheetNameMatch> RecognizeSheetFile(std::string_view path);

}  // namespace kestrel
