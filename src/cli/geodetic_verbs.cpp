// geodetic show|set and grid-corrections: the projection parameters kept
// beside the program, and the grid corrections of one line.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adjust/geoid_data.h"
#include "adjust/grid_corrections.h"
#include "cli/cli_errors.h"
#include "cli/verbs.h"
#include "platform/printf_format.h"
#include "platform/text_encoding.h"

namespace kestrel::cli {

namespace {

struct SetOptions {
  std::string preset;
  std::optional<double> a, invF, zoneWidth, k0, falseEasting, falseNorthing;
};

struct LineOptions {
  std::vector<double> values;  // E1 N1 H1 E2 N2 H2
};

// The values' file, and what reading it said (a damaged file is not fatal:
// the MGA values stand in, as in the desktop program).
std::unique_ptr<CGeoidData> OpenGeoidData() {
  auto data = std::make_unique<CGeoidData>(DefaultGeoidDataPath());
  if (!data->ReadMessage().empty()) {
    WriteRaw(stderr, "message: " + Cp1252ToUtf8(data->ReadMessage()) + "\n");
  }
  return data;
}

void PrintValues(const CGeoidData& data) {
  const GeoidParameters& v = data.values;
  std::string text = "file: " + data.Path() + "\n";
  text += "name: " + Cp1252ToUtf8(v.name) + "\n";
  text += Sprintf("semi-major axis: %.10g\n", v.a);
  text += Sprintf("inverse flattening: %.10g\n", v.invF);
  text += Sprintf("zone width: %.10g\n", v.zoneWidth);
  text += Sprintf("central scale factor: %.10g\n", v.k0);
  text += Sprintf("false easting: %.10g\n", v.FE);
  text += Sprintf("false northing: %.10g\n", v.FN);
  WriteRaw(stdout, text);
}

void RunSet(const SetOptions& options) {
  std::unique_ptr<CGeoidData> data = OpenGeoidData();
  GeoidParameters values = data->values;
  if (!options.preset.empty() && !PresetGeoidParameters(options.preset, values)) {
    throw UsageError("--preset must be MGA or ISG");
  }
  bool typed = false;
  const auto take = [&typed](const std::optional<double>& given, double& field) {
    if (!given) return;
    field = *given;
    typed = true;
  };
  take(options.a, values.a);
  take(options.invF, values.invF);
  take(options.zoneWidth, values.zoneWidth);
  take(options.k0, values.k0);
  take(options.falseEasting, values.FE);
  take(options.falseNorthing, values.FN);
  if (options.preset.empty() && !typed) throw UsageError("nothing to set");
  // Values typed by hand are a custom set, as the dialog's list shows them.
  if (typed) values.name = kPresetCustom;
  data->values = values;
  if (const std::string problem = data->Store(); !problem.empty()) {
    throw Refusal(Cp1252ToUtf8(problem));
  }
  PrintValues(*data);
}

void RunGridCorrections(const LineOptions& options) {
  std::unique_ptr<CGeoidData> data = OpenGeoidData();
  const GridCorrections corrections(data->values);
  const std::vector<double>& v = options.values;
  std::string text =
      Sprintf("arc-to-chord: %.6f\n", corrections.ArcToChord(v[0], v[1], v[2], v[3], v[4], v[5]));
  text += Sprintf("line scale factor: %.10f\n",
                  corrections.LineScaleFactor(v[0], v[1], v[2], v[3], v[4], v[5]));
  text += Sprintf("sea-level correction: %.6f\n",
                  corrections.SeaLevelCorrection(v[0], v[1], v[2], v[3], v[4], v[5]));
  WriteRaw(stdout, text);
}

}  // namespace

void AddGeodeticVerbs(CLI::App& app, std::vector<Verb>& verbs) {
  CLI::App* geodetic =
      app.add_subcommand("geodetic", "Show or change the projection parameters (GeoidData)");
  geodetic->require_subcommand(1);
  geodetic->footer(
      "The parameters live in Variable/GeoidData in the folder above the\n"
      "program's folder, or under $KESTREL_HOME when that is set. The file is\n"
      "written only when a value changes.\n");
  {
    CLI::App* show = geodetic->add_subcommand("show", "Print the parameters in force");
    verbs.push_back({show, [] { PrintValues(*OpenGeoidData()); }});
  }
  {
    auto options = std::make_shared<SetOptions>();
    CLI::App* set = geodetic->add_subcommand("set", "Change the parameters and save them");
    set->add_option("--preset", options->preset, "take a named set")->type_name("MGA|ISG");
    set->add_option("--a", options->a, "semi-major axis, metres");
    set->add_option("--inverse-flattening", options->invF, "inverse flattening");
    set->add_option("--zone-width", options->zoneWidth, "zone width, degrees");
    set->add_option("--k0", options->k0, "central scale factor");
    set->add_option("--false-easting", options->falseEasting, "false easting, metres");
    set->add_option("--false-northing", options->falseNorthing, "false northing, metres");
    set->footer(
        "A preset is applied first and single values after it; a set with any\n"
        "value typed is named CUSTOM. Prints the parameters saved.\n");
    verbs.push_back({set, [options] { RunSet(*options); }});
  }
  {
    auto options = std::make_shared<LineOptions>();
    CLI::App* line = app.add_subcommand(
        "grid-corrections", "Print the grid corrections of the line from point 1 to point 2");
    line->add_option("E1 N1 H1 E2 N2 H2", options->values,
                     "grid coordinates and heights of the two points, metres")
        ->expected(6)
        ->required();
    line->footer(
        "Prints the arc-to-chord correction at point 1 in seconds (added to the\n"
        "observed direction to give the chord's grid bearing), the line scale\n"
        "factor and the sea-level correction, with the parameters in force.\n");
    verbs.push_back({line, [options] { RunGridCorrections(*options); }});
  }
}

}  // namespace kestrel::cli
