// Calculate Coordinates, saving and loading on Stadia sheets of 10^4 to 10^6
// rows (one set-up per 100 rows). KESTREL_BENCH_HUGE=1 adds 10^7 rows.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "generated_sheets.h"
#include "sheets/command_codes.h"

namespace kestrel::bench {
namespace {

void RowCounts(benchmark::internal::Benchmark* b) {
  for (std::int64_t rows : {10000, 100000, 1000000}) b->Arg(rows);
  if (const char* huge = std::getenv("KESTREL_BENCH_HUGE"); huge != nullptr && *huge == '1') {
    b->Arg(10000000);
  }
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void CountRows(benchmark::State& state) {
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

// A scratch folder for sheet files, removed afterwards.
class ScratchFile {
 public:
  ScratchFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestrel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
  }
  ~ScratchFile() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  std::string Path() const { return (folder_ / "stad1.tst").string(); }

 private:
  std::filesystem::path folder_;
};

void BM_StadiaReduce(benchmark::State& state) {
  BenchSheet b;
  b.sheet.Rows() = GenerateStadiaRows(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    b.sheet.Command(kCmdCalculate);
    benchmark::DoNotOptimize(b.sheet.Rows().back().east);
  }
  if (!b.sheet.MessageLines().empty()) state.SkipWithError(b.sheet.MessageLines().front().c_str());
  CountRows(state);
}

void BM_StadiaSave(benchmark::State& state) {
  BenchSheet b;
  ScratchFile file;
  b.sheet.Rows() = GenerateStadiaRows(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) b.sheet.SaveToFile(file.Path());
  if (!b.messages.texts.empty()) state.SkipWithError(b.messages.texts.front().c_str());
  CountRows(state);
}

void BM_StadiaLoad(benchmark::State& state) {
  BenchSheet b;
  ScratchFile file;
  b.sheet.Rows() = GenerateStadiaRows(static_cast<std::size_t>(state.range(0)));
  b.sheet.SaveToFile(file.Path());  // a failure shows as a message
  if (!b.messages.texts.empty()) state.SkipWithError(b.messages.texts.front().c_str());
  for (auto _ : state) {
    if (b.sheet.LoadFromFile(file.Path()) != 1) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(b.sheet.Rows().data());
  }
  if (b.sheet.Rows().size() != static_cast<std::size_t>(state.range(0))) {
    state.SkipWithError("rows lost on loading");
  }
  CountRows(state);
}

BENCHMARK(BM_StadiaReduce)->Apply(RowCounts);
BENCHMARK(BM_StadiaSave)->Apply(RowCounts);
BENCHMARK(BM_StadiaLoad)->Apply(RowCounts);

}  // namespace
}  // namespace kestrel::bench
