#pragma once
// Choosing the sheet to work on: at start-up, for File Open and for the
// sheets' append command. The dialog itself is behind SheetChooser.
#include <string>
#include <string_view>

#include "job/application_state.h"
#include "job/sheet_chooser.h"

namespace kestrel {

// Stands for "the command line names no sheet number".
inline constexpr int kNoSheetNumber = -999;

// Works out the sheet type and number to offer and either builds the path
// straight from the job (a number was given and a type flag is set) or asks
// the chooser. `recentFile` is the first entry of the recent-file list, or
// empty. Returns 1 when a sheet is chosen (then `path` holds it, in the form
// its pattern or the dialog gave it; see NativePath) and 0 when the user
// cancels (then `path` and `app` are untouched). File Open passes
// kNoSheetNumber.
//
// A number with no type flag set (an unknown keyword on the command line)
// shows the dialog with that number rather than guessing a type.
int ChooseSheet(ApplicationState& app, std::string& path, int number, const std::string& recentFile,
                SheetChooser& chooser);

// A confirmed choice becomes the application's: only the chosen type's flag is
// set, and the job's drive, folder and name are taken from the chosen path.
void ApplySheetChoice(ApplicationState& app, const SheetChoice& choice);

// The job name a sheet path stands for: the file title of a job-first name
// of a job-first kind ("tst.precisionstadia2"), otherwise the extension
// without its dot ("c:\data\stad1.tst" -> "tst").
std::string JobNameOfSheetPath(SheetType type, std::string_view path);

}  // namespace kestrel
