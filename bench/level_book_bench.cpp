// Calculate, saving and loading on level books of 10^4 to 10^6 rows.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "generated_sheets.h"
#include "sheets/command_codes.h"
#include "sheets/level/level_book.h"

namespace kestrel::bench {
namespace {

void LevelRowCounts(benchmark::internal::Benchmark* b) {
  for (std::int64_t rows : {10000, 100000, 1000000}) b->Arg(rows);
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void CountLevelRows(benchmark::State& state) {
  state.counters["rows_per_second"] = benchmark::Counter(
      static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

// A levelling run along a road: a change point every tenth row, intermediate
// sights between, a chainage on every row, an offset on most and a comment
// on every fiftieth.
std::vector<LevelBookRow> GenerateLevelBook(std::size_t count) {
  std::vector<LevelBookRow> rows(count);
  for (std::size_t i = 0; i < count; ++i) {
    LevelBookRow& row = rows[i];
    const float reading = 0.5f + static_cast<float>(i % 37) * 0.07f;
    if (i == 0) {
      row.SetValue(kLevelBs, 1.234);
      row.SetValue(kLevelRl, 100.0);
    } else if (i % 10 == 0) {
      row.SetValue(kLevelFs, reading);
      row.SetValue(kLevelBs, 3.0 - reading);
    } else {
      row.SetValue(kLevelIm, reading);
    }
    row.SetValue(kLevelChainage, static_cast<double>(i) * 20.0);
    if (i % 4 != 0) row.SetValue(kLevelOffset, static_cast<double>(i % 4) * 2.5 - 5.0);
    if (i % 50 == 0) row.comment = "peg " + std::to_string(i);
  }
  return rows;
}

class ScratchLevelFile {
 public:
  ScratchLevelFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestrel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
  }
  ~ScratchLevelFile() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  std::string Path() const { return (folder_ / "lvlbk1.tst").string(); }

 private:
  std::filesystem::path folder_;
};

void BM_LevelBookReduce(benchmark::State& state) {
  BenchSheet b;
  LevelBook book(b.ctx);
  book.Rows() = GenerateLevelBook(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    book.Command(kCmdCalculate);
    benchmark::DoNotOptimize(book.Rows().back().values);
  }
  CountLevelRows(state);
}

void BM_LevelBookSave(benchmark::State& state) {
  BenchSheet b;
  LevelBook book(b.ctx);
  ScratchLevelFile file;
  book.Rows() = GenerateLevelBook(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) book.SaveToFile(file.Path());
  if (!b.messages.texts.empty()) state.SkipWithError(b.messages.texts.front().c_str());
  CountLevelRows(state);
}

void BM_LevelBookLoad(benchmark::State& state) {
  BenchSheet b;
  LevelBook book(b.ctx);
  ScratchLevelFile file;
  book.Rows() = GenerateLevelBook(static_cast<std::size_t>(state.range(0)));
  book.SaveToFile(file.Path());
  if (!b.messages.texts.empty()) state.SkipWithError(b.messages.texts.front().c_str());
  for (auto _ : state) {
    if (book.LoadFromFile(file.Path()) != 1) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(book.Rows().data());
  }
  if (book.Rows().size() != static_cast<std::size_t>(state.range(0))) {
    state.SkipWithError("rows lost on loading");
  }
  CountLevelRows(state);
}

BENCHMARK(BM_LevelBookReduce)->Apply(LevelRowCounts);
BENCHMARK(BM_LevelBookSave)->Apply(LevelRowCounts);
BENCHMARK(BM_LevelBookLoad)->Apply(LevelRowCounts);

}  // namespace
}  // namespace kestrel::bench
