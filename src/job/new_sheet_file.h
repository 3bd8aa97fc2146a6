#pragma once
// Making sure a chosen sheet file exists before the document reads it. A new
// sheet file holds the five bytes "empty", which every sheet reads as a sheet
// without rows.
#include <string>
#include <string_view>

#include "job/sheet_types.h"
#include "platform/ports.h"

namespace kestrel {

inline constexpr std::string_view kEmptySheetBytes = "empty";

// "New": a file that exists and is not empty is left alone; otherwise it is
// created (or emptied) under an exclusive lock and given the bytes "empty".
// When that fails the message "failed to create file %s" (the path as given)
// is shown. `path` may be in Windows form. Returns whether the file is usable.
bool PrepareNewSheetFile(const std::string& path, Messages& messages);

// "Open Existing": a level sheet that does not exist or is empty is first made
// as "New" makes it; other sheet types are left for the document to read.
// Returns whether the file exists afterwards.
bool PrepareExistingSheetFile(SheetType type, const std::string& path, Messages& messages);

}  // namespace kestrel
