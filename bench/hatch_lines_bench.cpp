#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "entities/hatch.h"
#include "platform/frame_link.h"

// Pattern lines cut from a 1000 by 1000 square at a spacing from 1 (about
// a thousand lines) down to 0.01 (a hundred thousand, at the density
// limit). The time per segment made stays flat when no step grows faster
// than the segments.

namespace {

void HatchSquare(benchmark::State& state) {
  const double spacing = 1000.0 / static_cast<double>(state.range(0));
  FcHatchEdgeList loops;
  auto square = std::make_unique<FcPLineEdge>();
  square->AddVertex({0, 0}, 0);
  square->AddVertex({1000, 0}, 0);
  square->AddVertex({1000, 1000}, 0);
  square->AddVertex({0, 1000}, 0);
  square->SetClosed(true);
  loops.Append(std::move(square));
  FcHPPattern pattern;
  pattern.SetType(kPatternUserDefined);
  pattern.SetScale(spacing);
  pattern.AddUserLine();
  std::vector<HatchSegment> segments;
  for (auto _ : state) {
    segments.clear();
    pattern.GenerateSegments(loops, segments);
    benchmark::DoNotOptimize(segments.data());
  }
  state.counters["segments"] = static_cast<double>(segments.size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(segments.size()));
}

// Lines across the square: 1000 (spacing 1) to 99,000, just below the
// limit of 100,000 segments, and 100,000 (spacing 0.01), which reaches it
// and is refused with no segments after the same work.
BENCHMARK(HatchSquare)->Arg(1000)->Arg(10000)->Arg(99000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
