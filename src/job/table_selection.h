#pragma once
// The rules of the "Field Table Selection" dialog as plain functions, so that
// the desktop dialog only wires its controls to them. Paths are kept in the
// form the path field shows (Windows form from the job, native from Browse).
#include <string>
#include <string_view>
#include <vector>

#include "job/job_location.h"
#include "job/sheet_types.h"

namespace kestrel {

// The number field's range.
inline constexpr int kMinSheetNumber = 1;
inline constexpr int kMaxSheetNumber = 99;

// The path field on opening, and again whenever the number changes: the
// type's file name for the job's drive, folder and name.
std::string InitialSheetPath(const JobLocation& job, SheetType type, int number);

// The path field after a radio button is chosen or Enter is pressed in the
// number field: the present path's drive and folder kept, the name rebuilt for
// the type and number. A stadia-like name keeps the present extension
// ("c:\data\stad3.tst" -> "c:\data\trav3.tst"); a precision stadia name is the
// extension without its dot, ".precisionstadia" and the number. When the
// present path is itself a precision stadia file its title stands in for the
// extension, so switching away from it and back keeps the job name.
std::string RebuildSheetPath(std::string_view presentPath, SheetType type, int number);

// The number label for a type ("Survey Number").
const char* LabelForType(SheetType type);

// Browse...: the file dialog's filters, in order: "All Files", then every
// kind's filters by their descriptions (byte order).
const std::vector<BrowseFilter>& BrowseFilters();
// The filters as one text: "description|pattern|" for each, then "|".
std::string BrowseFilterText();
// The filter preselected for a type, counted from 1 (stadia: 5, "Stadia Entry").
int BrowseFilterIndex(SheetType type);
// The file name the dialog starts with ("stad*.*").
const char* BrowseInitialName(SheetType type);
// The folder the dialog starts in: the present path's drive and folder, native.
std::string BrowseFolder(std::string_view presentPath);

// What the dialog shows after a file was browsed.
struct BrowsedSheet {
  SheetType type = SheetType::Stadia;
  int number = 1;
  const char* label = "";
  std::string path;
};

// The chosen file becomes the path. A name whose extension begins with "."
// and a job-first kind's stem (".precisionstadia") is of that kind, numbered
// by what follows, as its name begins with the job name and not a stem.
// Otherwise a lower-cased name that begins with a kind's stem (FindSheetStem
// at the start) decides the type, unless the present type also reads that
// kind's files (a "stad" file while precision stadia is chosen), and the
// integer after the stem becomes the number. Any other name keeps the present
// type and number. The label is the type's browsed label.
BrowsedSheet SheetFromBrowsedFile(const std::string& chosenPath, SheetType presentType,
                                  int presentNumber);

}  // namespace kestrel
