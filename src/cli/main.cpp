// kestrel-cli: every sheet operation without a window. The program parses its
// command line, hands the work to the core and prints the result; see
// `kestrel-cli --help` and the help of each verb.
#include <map>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_errors.h"
#include "cli/verbs.h"
#include "survey/angles.h"
#include "survey/distances.h"

namespace kestrel::cli {

namespace {

void AddGlobalOptions(CLI::App& app, GlobalOptions& global) {
  const std::map<std::string, int> bearings{
      {"whole", kWholeCircle}, {"quadrant", kQuadrant}, {"grads", kGrads}};
  const std::map<std::string, int> distances{
      {"metres", kMetres}, {"decfeet", kDecimalFeet}, {"feetinches", kFeetInches}};
  app.add_option("--bearing", global.bearingMode, "how angles are shown and typed")
      ->transform(CLI::CheckedTransformer(bearings).description(""))
      ->type_name("whole|quadrant|grads")
      ->default_str("whole");
  app.add_option("--distance", global.distanceUnit, "how lengths are shown and typed")
      ->transform(CLI::CheckedTransformer(distances).description(""))
      ->type_name("metres|decfeet|feetinches")
      ->default_str("metres");
  app.add_flag("--progress", global.progress, "show the progress texts on standard error");
  app.add_flag("--yes", global.answerYes, "answer Yes / OK to the sheet's questions");
  app.add_flag("--force", global.force,
               "save over the sheet file even when another program changed it since it was read");
  app.add_option("--number", global.number,
                 "the answer to a number question (a new level sheet's road number; "
                 "without it the number offered)");
}

int Run(int argc, char** argv) {
  CLI::App app{"kestrel-cli: the field book's sheets without a window"};
  app.footer(
      "Texts are UTF-8 on the terminal. Exit status: 0 done, 1 the sheet refused\n"
      "(its message on standard error), 2 a usage error.");
  app.require_subcommand(1);
  app.fallthrough();
  GlobalOptions global;
  AddGlobalOptions(app, global);
  std::vector<Verb> verbs;
  AddSheetVerbs(app, global, verbs);
  AddJobVerbs(app, global, verbs);
  AddReportVerbs(app, global, verbs);
  AddExportVerbs(app, global, verbs);
  AddTraverseVerbs(app, global, verbs);
  AddGeodeticVerbs(app, verbs);
  AddHostVerbs(app, global, verbs);
  AddLsqVerbs(app, global, verbs);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  }
  try {
    for (const Verb& verb : verbs) {
      if (verb.command->parsed()) verb.run();
    }
  } catch (const CliError& e) {
    if (*e.what() != '\0') WriteRaw(stderr, std::string("kestrel-cli: ") + e.what() + "\n");
    return e.Status();
  }
  return kExitOk;
}

}  // namespace
}  // namespace kestrel::cli

int main(int argc, char** argv) { return kestrel::cli::Run(argc, argv); }
