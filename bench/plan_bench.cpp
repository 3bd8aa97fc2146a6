// The plan of a reduced Stadia sheet of 10^4 to 10^6 rows: taking the plan
// from the rows, building the view and its point index, a click's hit test,
// and drawing the whole plan as SVG with labels.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "generated_sheets.h"
#include "plan/plan_svg.h"
#include "plan/plan_view.h"
#include "sheets/command_codes.h"
#include "sheets/stadia/family_kind.h"

namespace kestrel::bench {
namespace {

void RowCounts(benchmark::internal::Benchmark* b) {
  for (std::int64_t rows : {10000, 100000, 1000000}) b->Arg(rows);
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}

SheetPlan ReducedPlan(std::int64_t rows) {
  BenchSheet b;
  b.sheet.Rows() = GenerateStadiaRows(static_cast<std::size_t>(rows));
  b.sheet.Command(kCmdCalculate);
  return FamilyPlan(b.sheet);
}

void BM_PlanFromRows(benchmark::State& state) {
  BenchSheet b;
  b.sheet.Rows() = GenerateStadiaRows(static_cast<std::size_t>(state.range(0)));
  b.sheet.Command(kCmdCalculate);
  for (auto _ : state) benchmark::DoNotOptimize(FamilyPlan(b.sheet));
}
BENCHMARK(BM_PlanFromRows)->Apply(RowCounts);

void BM_PlanViewBuild(benchmark::State& state) {
  const SheetPlan plan = ReducedPlan(state.range(0));
  for (auto _ : state) {
    const PlanView view(plan, 1000, 800);
    benchmark::DoNotOptimize(view.PixelsPerMetre());
  }
}
BENCHMARK(BM_PlanViewBuild)->Apply(RowCounts);

// 1000 clicks spread over the view, zoomed to all.
void BM_PlanHitTest(benchmark::State& state) {
  const PlanView view(ReducedPlan(state.range(0)), 1000, 800);
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      benchmark::DoNotOptimize(view.HitRow({(i * 37) % 1000 + 0.5, (i * 53) % 800 + 0.5}, 5.0));
    }
  }
}
BENCHMARK(BM_PlanHitTest)->Apply(RowCounts);

void BM_PlanSvg(benchmark::State& state) {
  const PlanView view(ReducedPlan(state.range(0)), 1000, 800);
  for (auto _ : state) benchmark::DoNotOptimize(PlanSvg(view, true));
}
BENCHMARK(BM_PlanSvg)->Apply(RowCounts);

}  // namespace
}  // namespace kestrel::bench
