#pragma once
// The least squares settings and the job's "ls_parm" file that gives them.
//
// The file is plain text, read when the adjustment opens and never written:
//   line 1: the mode number, 1 (horizontal), 2 (vertical) or 3 (both);
//   mode 1: "dacc,ppm,hzacc"          distance accuracy in mm, scale in ppm,
//                                     angular accuracy in seconds;
//   mode 2: "refraction"              seconds per km; the accuracies are 0;
//   mode 3: "dacc,ppm,hzacc" then "refraction" on the next line.
// The values are integers; a value that is not a number reads as 0.
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

enum LeastSquaresMode : int {
  kLsHorizontal = 0,
  kLsVertical = 1,
  kLsBoth = 2,
};

struct LeastSquaresSettings {
  double distanceAccuracyMm = 2.0;  // "d_acc (mm's)"
  double ppm = 3.0;                 // distance scale accuracy, parts per million
  double angularAccuracySec = 5.0;  // "Hz-acc", seconds of arc
  double refraction = 0.0;          // seconds per km (not used in the computation)
  int mode = kLsBoth;
};

struct LsParmReading {
  LeastSquaresSettings settings;
  // Empty, or why the file's values were not taken.
  std::string message;
};

// The message when the first number is not a mode.
inline constexpr const char* kLsParmBadMode =
    "ls_parm: the first number is %d, not 1, 2 or 3; the defaults 2mm + 3 ppm, 5 seconds and "
    "Horizontal + Vertical are used";

// The file's text read into settings. A first number that is not 1, 2 or 3
// gives the defaults and the message.
LsParmReading ParseLsParm(std::string_view text);

// The job's parameters file, a pattern for JobLocation::ReportPath.
inline constexpr const char* kLsParmName = "%s%sls_parm.%s";

// The file read; the defaults when it is missing or cannot be read.
LsParmReading ReadLsParm(const std::string& path);

}  // namespace kestrel
