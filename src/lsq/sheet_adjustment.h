#pragma once
// The adjustment as the "Least Squares Adjustment" command runs it on a
// Precision Stadia sheet of a job: the settings from the job's ls_parm, the
// recalculation, the run, the write-back and the report file. The desktop
// dialog and kestrel-cli's lsq verb share it.
#include <functional>
#include <string>
#include <vector>

#include "job/job_location.h"
#include "lsq/least_squares.h"
#include "lsq/ls_parameters.h"
#include "platform/ports.h"
#include "sheets/stadia/precision_stadia.h"

namespace kestrel {

// Printable Output's file in the job folder.
inline constexpr const char* kLeastSquaresReportName = "%s%sLeastSquaresReport.rtf";
// A file an older adjustment left in the job folder; removed by every run.
inline constexpr const char* kOldOutputName = "%s%soutput.%s";
// The report box's font size, points.
inline constexpr int kLeastSquaresFontSize = 10;

// The settings the dialog opens with: the job's ls_parm, else the defaults.
LsParmReading JobLeastSquaresSettings(const JobLocation& job);

// Calculate Coordinates, as the command runs it before the dialog opens.
void RecalculateForAdjustment(PrecisionStadia& sheet);

// "Continue": the adjustment of the sheet's rows with the geoid bar's state
// from the application state. The sheet is not changed (WriteBackAdjusted).
LeastSquaresResult AdjustPrecisionSheet(PrecisionStadia& sheet,
                                        const LeastSquaresSettings& settings,
                                        const std::function<void()>& tick = {});

// The report as the report box holds it: an RTF document.
std::string LeastSquaresRtf(const std::vector<std::string>& lines);

// "Printable Output": the report written to LeastSquaresReport.rtf in the job
// folder. Returns the path, or empty when it could not be written.
std::string WriteLeastSquaresReport(const JobLocation& job, Messages& messages,
                                    const std::vector<std::string>& lines);

}  // namespace kestrel
