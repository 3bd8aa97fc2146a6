// Calculate Coordinates, the Bowditch adjustment and the adjustment report on
// closed traverses of 10^2 to 10^5 legs round a many-sided figure.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "job/sheet_chooser.h"
#include "platform/recording_ports.h"
#include "sheets/command_codes.h"
#include "sheets/traverse/traverse.h"
#include "sheets/traverse/traverse_report.h"
#include "survey/angles.h"

namespace kestrel::bench {
namespace {

class NoChooser : public SheetChooser {
 public:
  std::optional<SheetChoice> Choose(const JobLocation&, SheetType, int) override { return {}; }
};

// Writes the report as RTF every time it is offered.
class RtfReport : public TraverseReportChooser {
 public:
  std::optional<TraverseReportChoice> Choose() override { return TraverseReportChoice{}; }
};

struct TraverseBench {
  explicit TraverseBench(const std::string& folder) {
    app.job = JobLocation{"", folder + "/", "bench"};
    sheet.SetReportChooser(&report);
  }
  ApplicationState app;
  RecordingMessages messages;
  RecordingProgress progress;
  MemoryClipboard clipboard;
  RecordingShell shell;
  ScriptedDialogs dialogs;
  FixedUnitSelectors units;
  NoChooser chooser;
  SheetContext ctx{app, messages, progress, clipboard, shell, dialogs, units, chooser};
  RtfReport report;
  Traverse sheet{ctx};
};

// A station, a route note and `legs` legs of 25 round a regular figure, each
// booked to the millimetre and the second so that the figure misses closing.
void FillTraverse(Traverse& sheet, int legs) {
  std::vector<TraverseRow>& rows = sheet.Rows();
  TraverseRow start = BlankTraverseRow(kTravStn);
  start.at = 1;
  start.east = 10000.0;
  start.north = 20000.0;
  start.height = 100.0f;
  rows.push_back(start);
  TraverseRow note = BlankTraverseRow(kTravFnote);
  note.note = "tr 1." + std::to_string(legs) + ",1";
  rows.push_back(note);
  for (int k = 0; k < legs; ++k) {
    TraverseRow leg = BlankTraverseRow(kTravTraverse);
    leg.at = static_cast<std::uint32_t>(k + 1);
    leg.to = k + 1 == legs ? 1u : static_cast<std::uint32_t>(k + 2);
    const double degrees = 360.0 * k / legs;
    leg.angle = std::round(DegreesToDms(degrees) * 10000.0) / 10000.0;
    leg.vertical = 90.0;
    leg.slope_dist = 25.0 + (k % 7) * 0.001;
    leg.inst_ht = 1.5f;
    leg.target_ht = 1.5f;
    rows.push_back(leg);
  }
  sheet.RowsChanged();
}

void BM_TraverseCalculateBowditchReport(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    state.SkipWithError("no scratch folder");
    return;
  }
  {
    TraverseBench b(pattern);
    FillTraverse(b.sheet, static_cast<int>(state.range(0)));
    for (auto _ : state) {
      b.sheet.Command(kCmdCalculate);
      b.sheet.Command(kCmdBowditch);
      benchmark::DoNotOptimize(b.sheet.Rows().back().adj_east);
    }
    if (b.shell.opened.empty()) state.SkipWithError("no report was written");
  }
  std::error_code ignored;
  std::filesystem::remove_all(pattern, ignored);
  state.counters["legs_per_second"] = benchmark::Counter(
      static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_TraverseCalculateBowditchReport)
    ->Arg(100)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kestrel::bench
