// Calculate Coordinates on Traditional Stadia sheets of 10^4 to 10^6 rows,
// one set-up per 100 rows (10^4 set-ups on the largest).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "generated_sheets.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/traditional.h"

namespace kestrel::bench {
namespace {

constexpr std::size_t kBlockRows = 100;

TraditionalRow Row(int type, std::uint16_t point) {
  TraditionalRow row;
  row.type = static_cast<std::int8_t>(type);
  row.point = point;
  return row;
}

// Blocks of 100 rows: the set-up and backsight stations, the AT/BS row, a
// note and 96 shots of the three kinds. Every tenth set-up stands on the
// first shot of the block before instead of a station, so that set-ups are
// also found among the shots. The sheet reduces without messages.
std::vector<TraditionalRow> GenerateTraditionalRows(std::size_t rowCount) {
  std::vector<TraditionalRow> rows;
  rows.reserve(rowCount + kBlockRows);
  for (std::size_t block = 0; rows.size() < rowCount; ++block) {
    const auto station = static_cast<std::uint16_t>(1 + block % 20000);
    const auto backsight = static_cast<std::uint16_t>(20001 + block % 10000);
    const auto firstShot = static_cast<std::uint16_t>(30001 + block % 10000);
    const bool onShot = block % 10 == 9;
    const double e0 = 1000.0 + 10.0 * static_cast<double>(block);
    const auto setupPoint = onShot ? static_cast<std::uint16_t>(firstShot - 1) : station;
    if (!onShot) {
      TraditionalRow stn = Row(kTradStn, station);
      stn.east = e0;
      stn.north = 5000.0;
      stn.height = 100.0f;
      rows.push_back(stn);
    }
    TraditionalRow bs = Row(kTradStn, backsight);
    bs.east = e0 + 50.0;
    bs.north = 5050.0;
    bs.height = 101.0f;
    rows.push_back(bs);
    TraditionalRow at = Row(kTradAtBs, setupPoint);
    at.hz = 10.3000f;
    SetTraditionalBacksight(at, backsight);
    at.midHair = 1.45f;
    rows.push_back(at);
    TraditionalRow note = Row(kTradFnote, kTradNoPoint);
    note.note = "go 0.5";
    rows.push_back(note);
    for (std::size_t i = 0; i < kBlockRows - 4 + (onShot ? 1 : 0); ++i) {
      const int type = kTradThreeHair + static_cast<int>(i % 3);
      const auto point =
          i == 0 ? firstShot : static_cast<std::uint16_t>(40001 + (block * 97 + i) % 25000);
      TraditionalRow shot = Row(type, point);
      shot.hz = static_cast<float>((i * 37) % 360) + 0.1530f;
      shot.obs2 = 88.4500f + static_cast<float>(i % 5);
      shot.lowHair = 1.0f;
      shot.midHair = type == kTradThreeHair ? 1.25f : type == kTradMhSd ? 50.0f : 0.5f;
      shot.topHair = 1.5f;
      rows.push_back(shot);
    }
  }
  rows.resize(rowCount);
  return rows;
}

void BM_TraditionalReduce(benchmark::State& state) {
  BenchSheet b;
  Traditional sheet{b.ctx};
  sheet.Rows() = GenerateTraditionalRows(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    sheet.Command(kCmdCalculate);
    benchmark::DoNotOptimize(sheet.Rows().back().east);
  }
  if (!sheet.MessageLines().empty()) state.SkipWithError(sheet.MessageLines().front().c_str());
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_TraditionalReduce)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kestrel::bench
