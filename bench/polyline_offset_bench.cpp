#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "entities/polyline.h"
#include "entities/polyline_offset.h"

// Offsetting a closed polyline of n vertices: a regular polygon (every
// corner convex outward, so every joint is filled) and a star of
// alternating radii (every second corner concave, so every second joint is
// trimmed). Each joint searches the whole chain built so far, which the
// segments' boxes keep cheap; the counter shows every vertex kept.

namespace {

FcPolyline Polygon(int n, double wobble) {
  FcPolyline polyline;
  for (int i = 0; i < n; ++i) {
    const double angle = 2.0 * std::acos(-1.0) * i / n;
    const double radius = 1000.0 * (1.0 + ((i % 2) != 0 ? wobble : 0.0));
    polyline.AppendVertex({radius * std::cos(angle), radius * std::sin(angle)}, 0, 0, 0);
  }
  polyline.SetClosed(true);
  return polyline;
}

void Offset(benchmark::State& state, double wobble, double distance) {
  const int n = static_cast<int>(state.range(0));
  const FcPolyline source = Polygon(n, wobble);
  int vertices = 0;
  for (auto _ : state) {
    std::unique_ptr<FcPolyline> result(MakeOffsetPolyline(source, {0, 2000}, distance, kGapExtend));
    vertices = result ? result->GetVertexCount() : 0;
    benchmark::DoNotOptimize(vertices);
  }
  state.counters["vertices"] = vertices;
  state.SetItemsProcessed(state.iterations() * n);
}

void OffsetPolygonOutward(benchmark::State& state) { Offset(state, 0.0, 1.0); }
// The teeth are 10 deep and, at the most vertices, under 0.4 wide: the
// distance stays below half a tooth, so that every vertex keeps its copy.
void OffsetStarOutward(benchmark::State& state) { Offset(state, 0.01, 0.05); }

}  // namespace

BENCHMARK(OffsetPolygonOutward)->RangeMultiplier(4)->Range(256, 16384)->Unit(benchmark::kMillisecond);
BENCHMARK(OffsetStarOutward)->RangeMultiplier(4)->Range(256, 16384)->Unit(benchmark::kMillisecond);
