#include <benchmark/benchmark.h>

#include "database/graph.h"
#include "files/object_registrations.h"
#include "database/undo_items.h"
#include "entities/line.h"

// Edits of many entities at once: each should cost a pass over the member
// lists and the draw order, not one pass per entity.

namespace {

FcLine* AddLine(FcGraph& graph, double x) {
  auto* line = new FcLine;
  line->SetStartPoint({x, 0});
  line->SetEndPoint({x + 1, x});
  graph.AddEntity(line, false);
  return line;
}

void EraseHalfOfALargeLayer(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    FcGraph graph;
    FcEntitySets doomed(kFcModelSpaceGrowth);
    // Owned by the block while it is filled, the set appends without
    // looking for each entity's place in the block.
    doomed.SetOwnerBlock(graph.GetCurrentBlock());
    for (int i = 0; i < count; ++i) {
      FcLine* line = AddLine(graph, i);
      if (i % 2 == 0) doomed.Add(line);
    }
    doomed.SetOwnerBlock(nullptr);
    state.ResumeTiming();
    graph.EraseEntities(doomed);
  }
}
BENCHMARK(EraseHalfOfALargeLayer)->Arg(100000)->Unit(benchmark::kMillisecond);

void UndoAndRedoCreationOfManyLines(benchmark::State& state) {
  RegisterObjectFactories();
  const int count = static_cast<int>(state.range(0));
  FcGraph graph;
  FcEntSetsUndoItem item;
  for (int i = 0; i < count; ++i) item.Record(kUndoCreated, AddLine(graph, i));
  for (auto _ : state) {
    item.Undo(graph);
    item.Redo(graph);
  }
}
BENCHMARK(UndoAndRedoCreationOfManyLines)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
