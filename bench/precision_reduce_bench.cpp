// Calculate Coordinates with grid corrections on Precision Stadia field books
// of 10^4 to 10^6 rows, one set-up per 100 rows, on MGA coordinates.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "generated_sheets.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/precision_reduction.h"
#include "sheets/stadia/precision_stadia.h"

namespace kestrel::bench {
namespace {

// Every tenth set-up stands on a station and sights another (oriented from
// coordinates); the others stand on the previous set-up's first shot and
// sight the previous set-up (oriented from that observed direction,
// reversed). Shots: seven slope shots, one of each other kind and a note in
// ten rows.
std::vector<PrecisionStadiaRow> GeneratePrecisionRows(std::size_t count) {
  std::vector<PrecisionStadiaRow> rows;
  rows.reserve(count + 3);
  std::uint32_t previousSetup = 0;
  std::uint32_t nextSetup = 0;
  for (std::uint32_t setup = 0; rows.size() < count; ++setup) {
    const std::uint32_t base = 1000 * (setup + 1);
    std::uint32_t at = nextSetup;
    std::uint32_t backsight = previousSetup;
    if (setup % 10 == 0) {
      at = base + 998;
      backsight = base + 999;
      const double e = 400000.0 + 37.0 * setup;
      const double n = 6100000.0 + 23.0 * setup;
      for (auto [p, de] : {std::pair{at, 0.0}, {backsight, 150.0}}) {
        PrecisionStadiaRow stn = BlankPrecisionRow(kStadiaStn);
        stn.point = p, stn.east = e + de, stn.north = n + 80.0, stn.height = 120.0;
        rows.push_back(stn);
      }
    }
    PrecisionStadiaRow atbs = BlankPrecisionRow(kStadiaAtBs);
    atbs.point = at, atbs.hz = 12.3456, atbs.dist = 1.55;
    SetBacksightNumber(atbs, backsight);
    rows.push_back(atbs);
    previousSetup = at;
    nextSetup = base;
    const std::size_t end = std::min(count, rows.size() + 97);
    for (std::uint32_t j = 0; rows.size() < end; ++j) {
      PrecisionStadiaRow row = BlankPrecisionRow(kStadiaSdHt);
      const int kind = static_cast<int>(j % 10);
      row.type = kind == 7   ? kStadiaHzDh
                 : kind == 8 ? kStadiaHdRl
                 : kind == 9 ? kStadiaFnote
                             : kStadiaSdHt;
      if (row.type == kStadiaFnote) {
        row.note = j % 20 == 9 ? "go 0.25" : "null";
      } else {
        row.point = base + j;
        row.hz = std::fmod(17.3 * j, 360.0);
        row.obs2 = row.type == kStadiaSdHt ? 88.451234 : 0.5;
        row.dist = 40.0 + j;
        row.targetHt = 1.6;
        if (row.type == kStadiaHdRl) row.height = 101.5;
      }
      rows.push_back(row);
    }
  }
  return rows;
}

void BM_PrecisionReduceWithGridCorrections(benchmark::State& state) {
  std::vector<PrecisionStadiaRow> rows =
      GeneratePrecisionRows(static_cast<std::size_t>(state.range(0)));
  PrecisionReductionState reduction;
  PrecisionReductionOptions options;
  options.gridCorrections = true;
  options.verticalAdjustment = 12.0;
  std::size_t messages = 0;
  for (auto _ : state) {
    const PrecisionReductionResult result = ReducePrecisionStadia(rows, reduction, options);
    messages = result.messages.size();
    benchmark::DoNotOptimize(rows.back().east);
  }
  if (messages != 0) state.SkipWithError("the generated sheet gave messages");
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PrecisionReduceWithGridCorrections)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same as the user runs it: the sheet's Calculate Coordinates with the
// "Geoid Correction" box ticked, which also writes the corrections report
// (a line per slope shot) into the job folder.
void BM_PrecisionCalculateCommand(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    state.SkipWithError("no scratch folder");
    return;
  }
  const std::filesystem::path folder = pattern;
  BenchSheet b;
  b.app.job = {.drive = "", .folder = pattern + "/", .job = "tst"};
  b.app.geoidCorrection = true;
  b.app.verticalAdjustment = 12.0;
  PrecisionStadia sheet(b.ctx);
  sheet.SetGeoidDataPath((folder / "GeoidData").string());
  sheet.Rows() = GeneratePrecisionRows(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    sheet.Command(kCmdCalculate);
    benchmark::DoNotOptimize(sheet.Rows().back().east);
  }
  if (!sheet.MessageLines().empty()) state.SkipWithError(sheet.MessageLines().front().c_str());
  if (b.shell.opened.empty()) state.SkipWithError("no corrections report");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PrecisionCalculateCommand)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kestrel::bench
