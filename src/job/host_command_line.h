#pragma once
// The one argument with which the host starts the program:
//   type,drive,folder,job[,a,b[,number]]   or   type   or nothing.
// "stadia,c:,\data\,tst,0,3,4" names stadia sheet 4 of job tst in the folder
// c:\data\ with the host's distance unit 3; a native folder works the same way
// ("stadia,,/home/me/jobs/,tst,0,3,4").
#include <optional>
#include <string>
#include <string_view>

#include "job/application_state.h"

namespace kestrel {

struct HostCommandLine {
  // False when the program was started without an argument (an empty
  // argument counts as none): the document then starts empty.
  bool hasArgument = false;
  // The argument as the program goes on to use it: "%s%s.%s" of drive, folder
  // and job when it had commas, else as given.
  std::string path;
  // The sheet number when the command line names one.
  std::optional<int> sheetNumber;

  // The number for ChooseSheet: the sheet number, or kNoSheetNumber.
  int NumberForChooser() const;
};

// Reads the argument into `app`: the keyword's type flag (an unknown word sets
// none), the job location, the host's value and distance unit.
//
// With commas the fields are type, drive, folder, job, a, b and sheet number;
// fields after the seventh are ignored. Fields the argument stops short of
// keep their defaults ("c:", "\data\", "tst", 0), an empty sheet-number field
// counts as none, and a folder without a trailing separator gets one in its
// own style so that the sheet name does not run into the folder name. a and b
// are read as integers (unreadable text reads 0). The distance unit counts as
// known only when b is given and is not -1 (the host's "leave the selector
// alone").
//
// Without commas the whole argument is the keyword, the job location takes
// its defaults and a and b are 0.
HostCommandLine ApplyHostCommandLine(std::string_view argument, ApplicationState& app);

}  // namespace kestrel
