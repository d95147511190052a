#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

#include "database/graph.h"
#include "display/display_surface.h"
#include "window/screen_device.h"
#include "entities/line.h"

// Regeneration and redraw of drawings of short lines scattered over a
// square, shown whole on a 1024 x 768 screen device. The times per entity
// stay flat from 100,000 to 1,000,000 lines when no step is quadratic.
// Lines are the only entity with geometry of its own so far.

namespace {

std::unique_ptr<FcGraph> MakeDrawing(int lineCount) {
  SetScreenDeviceFactory(MakeScreenDevice);
  auto graph = std::make_unique<FcGraph>();
  SetScreenDeviceFactory(nullptr);
  graph->GetDisplaySurface()->Resize(1024, 768);
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> coordinate(0.0, 10000.0);
  std::uniform_real_distribution<double> offset(-20.0, 20.0);
  for (int i = 0; i < lineCount; ++i) {
    auto* line = new FcLine;
    const FcPoint2d start{coordinate(random), coordinate(random)};
    line->SetStartPoint(start);
    line->SetEndPoint({start.x + offset(random), start.y + offset(random)});
    graph->AddEntity(line, false);
  }
  graph->GetDisplaySurface()->ZoomExtents();
  graph->Regen();
  return graph;
}

// One drawing per size, kept for the whole run: making it takes longer
// than what is measured.
FcGraph& DrawingOf(int lineCount) {
  static std::map<int, std::unique_ptr<FcGraph>> drawings;
  std::unique_ptr<FcGraph>& drawing = drawings[lineCount];
  if (!drawing) drawing = MakeDrawing(lineCount);
  return *drawing;
}

void SetTimePerEntity(benchmark::State& state) {
  state.counters["per_entity"] = benchmark::Counter(
      static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Regen(benchmark::State& state) {
  FcGraph& graph = DrawingOf(static_cast<int>(state.range(0)));
  for (auto _ : state) graph.Regen();
  SetTimePerEntity(state);
}

void BM_Redraw(benchmark::State& state) {
  FcGraph& graph = DrawingOf(static_cast<int>(state.range(0)));
  for (auto _ : state) graph.Redraw();
  SetTimePerEntity(state);
}

}  // namespace

BENCHMARK(BM_Regen)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redraw)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
