#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "entities/hatch.h"

// Pattern lines cut from a 1000 by 1000 square. The time per segment made
// stays flat when no step grows faster than the segments: across the
// number of lines (one segment each), and across the number of dashes cut
// on a fixed number of lines.

namespace {

void AddSquare(FcHatchEdgeList& loops) {
  auto square = std::make_unique<FcPLineEdge>();
  square->AddVertex({0, 0}, 0);
  square->AddVertex({1000, 0}, 0);
  square->AddVertex({1000, 1000}, 0);
  square->AddVertex({0, 1000}, 0);
  square->SetClosed(true);
  loops.Append(std::move(square));
}

void Generate(benchmark::State& state, const FcHPPattern& pattern, std::int64_t work) {
  FcHatchEdgeList loops;
  AddSquare(loops);
  std::vector<HatchSegment> segments;
  for (auto _ : state) {
    segments.clear();
    pattern.GenerateSegments(loops, segments);
    benchmark::DoNotOptimize(segments.data());
  }
  state.counters["segments"] = static_cast<double>(segments.size());
  state.SetItemsProcessed(state.iterations() * work);
}

// Continuous lines at a spacing of 1000 / n, one segment each: spacing 1
// (1000 lines) down to 0.01 (100,000 lines, the most segments a hatch
// keeps); 100,010 lines pass the limit and are refused, with no segments,
// after the same work.
void HatchSquareLines(benchmark::State& state) {
  FcHPPattern pattern;
  pattern.SetType(kPatternUserDefined);
  pattern.SetScale(1000.0 / static_cast<double>(state.range(0)));
  pattern.AddUserLine();
  Generate(state, pattern, state.range(0));
}

BENCHMARK(HatchSquareLines)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(100000)
    ->Arg(100010)
    ->Unit(benchmark::kMillisecond);

// 100 lines, each cut into about n / 100 dashes: 1000 to 90,000 segments.
void HatchSquareDashes(benchmark::State& state) {
  const double period = 1000.0 * 100.0 / static_cast<double>(state.range(0));
  FcHPLine family;
  family.offset = {0, 10};
  family.dashCount = 2;
  family.dashes = {period / 2, -period / 2};
  FcHPPattern pattern;
  pattern.AddLine(family);
  Generate(state, pattern, state.range(0));
}

BENCHMARK(HatchSquareDashes)->Arg(1000)->Arg(3000)->Arg(10000)->Arg(30000)->Arg(90000)->Unit(benchmark::kMillisecond);

}  // namespace
