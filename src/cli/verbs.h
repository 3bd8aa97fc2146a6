#pragma once
// The verbs of kestrel-cli. Each Add* function declares its verbs' options on
// the program's command line and registers what runs when the verb is given.
// A verb ends normally on success and throws CliError otherwise.
#include <functional>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/sheet_session.h"

namespace kestrel::cli {

struct Verb {
  CLI::App* command;
  std::function<void()> run;
};

// show, edit, copy, paste: a sheet's rows and the grid's operations.
void AddSheetVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs);
// new, path: sheet files and the host's command line.
void AddJobVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs);
// reduce, list, check, landxml, strings, points, job: reductions and reports.
void AddReportVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs);
// export, plot: the reduced points as CSV or DXF, the plan as SVG.
void AddExportVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs);
// adjust, misclose: a traverse's adjustments and misclose.
void AddTraverseVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs);
// geodetic show|set, grid-corrections: the projection parameters and one
// line's grid corrections.
void AddGeodeticVerbs(CLI::App& app, std::vector<Verb>& verbs);
// upload, duplicates, send-strings, getdb, codetable: the host's point database.
void AddHostVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs);
// lsq: the least squares adjustment of a precision stadia sheet.
void AddLsqVerbs(CLI::App& app, const GlobalOptions& global, std::vector<Verb>& verbs);

}  // namespace kestrel::cli
