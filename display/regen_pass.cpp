#include "display/regen_pass.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/text_style.h"
#include "display/display_surface.h"
#include "display/large_heap_steps.h"
#include "platform/frame_link.h"

namespace {

// A worker given fewer entities costs more to start than it saves.
constexpr int kEntitiesPerWorker = 8192;
// The set is cut into this many runs per thread, taken in turn.
constexpr int kRunsPerWorker = 8;
// How often a worker adds its finished entities to the shared count.
constexpr int kProgressBatch = 1024;

int WorkerCount(const FcDisplaySurface& surface, int count) {
  if (count <= 1) return 1;
  if (surface.regenThreads > 0) return std::min(surface.regenThreads, count);
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return std::clamp(count / kEntitiesPerWorker, 1, cores);
}

// The groups an entity opened: its run's groups before groupEnd that the
// run's earlier entities did not open.
struct GroupMark {
  int entity = 0;
  int groupEnd = 0;
};

// Entities drawn through a surface of their own, with the groups each of
// them opened, so that the groups can join the list in entity order.
struct RegenRun {
  std::unique_ptr<FcDisplaySurface> surface;
  std::vector<GroupMark> marks;
  // The run's range of the set; the entities that share what they draw
  // are drawn by one run of their own, in set order.
  int first = 0;
  int last = 0;
  int lastDrawn = -1;
  // What the run's entities printed, held until every thread is done.
  std::vector<std::string> messages;
  std::exception_ptr error;
  // Set once the run is drawn: its groups may join the list.
  std::atomic<bool> finished{false};
};

void DrawMarked(RegenRun& run, FcEntity& entity, int index) {
  FcDisplaySurface& surface = *run.surface;
  const int before = surface.GetGroupCount();
  DrawIntoPass(surface, entity);
  run.lastDrawn = index;
  const int after = surface.GetGroupCount();
  if (after > before) run.marks.push_back({index, after});
}

// The entities of the run's range that draw only themselves, with the
// lines they print held. report, when set, hears the shared count now and
// then (runs drawn on the calling thread).
void DrawWorkerRun(RegenRun& run, const FcEntitySets& entities, FcEntityTest drawn, std::atomic<int>& done,
                   const std::function<void(int)>* report) {
  HeldMessages held;
  int batch = 0;
  try {
    for (int i = run.first; i < run.last; ++i) {
      FcEntity* entity = entities.GetAt(i);
      if (entity != nullptr && entity->DrawsOnlyItself() && drawn(*entity)) DrawMarked(run, *entity, i);
      if (++batch < kProgressBatch) continue;
      const int total = done.fetch_add(batch) + batch;
      batch = 0;
      if (report != nullptr) (*report)(total);
    }
  } catch (...) {
    run.error = std::current_exception();
  }
  const int total = done.fetch_add(batch) + batch;
  if (report != nullptr) (*report)(total);
  run.messages = held.Take();
}

// Moves the groups of the run's marks up to (not including) the entity.
class MarkCursor {
 public:
  explicit MarkCursor(RegenRun& run) : run_(run) {}

  void AdoptBefore(FcDisplaySurface& surface, int entity) {
    for (; next_ < run_.marks.size() && run_.marks[next_].entity < entity; ++next_) {
      surface.AdoptGroups(*run_.surface, groupStart_, run_.marks[next_].groupEnd);
      groupStart_ = run_.marks[next_].groupEnd;
    }
  }

 private:
  RegenRun& run_;
  std::size_t next_ = 0;
  int groupStart_ = 0;
};

// Moves the groups of the runs into the list in set order, the shared
// run's groups among them by entity, as far as the runs are finished. The
// calling thread adopts between the runs it draws itself, so that little
// is left to it once the other threads are done.
class RunAdopter {
 public:
  RunAdopter(FcDisplaySurface& surface, RegenRun& shared, std::vector<RegenRun>& runs)
      : surface_(surface), sharedCursor_(shared), runs_(runs) {}

  // The finished runs that follow the last one adopted; a run that failed
  // stops the adoption, its error is raised once every thread is done.
  // Raises nothing while other threads draw: a failure to adopt is kept
  // for AdoptRest.
  void AdoptFinished() {
    try {
      for (; !error_ && next_ < runs_.size(); ++next_) {
        RegenRun& run = runs_[next_];
        if (!run.finished.load(std::memory_order_acquire) || run.error) return;
        Adopt(run);
      }
    } catch (...) {
      error_ = std::current_exception();
    }
  }

  // Every run, and the shared run's groups after the last of them; only
  // once the other threads are done.
  void AdoptRest() {
    AdoptFinished();
    if (error_) std::rethrow_exception(error_);
    sharedCursor_.AdoptBefore(surface_, INT_MAX);
  }

 private:
  void Adopt(RegenRun& run) {
    MarkCursor cursor(run);
    for (const GroupMark& mark : run.marks) {
      sharedCursor_.AdoptBefore(surface_, mark.entity);
      cursor.AdoptBefore(surface_, mark.entity + 1);
    }
  }

  FcDisplaySurface& surface_;
  MarkCursor sharedCursor_;
  std::vector<RegenRun>& runs_;
  std::size_t next_ = 0;
  std::exception_ptr error_;
};

// Takes the next run not yet taken until none is left, so that a thread
// the machine keeps waiting leaves its share to the others. The calling
// thread passes its adopter.
void DrawRunsInTurn(std::vector<RegenRun>& runs, std::atomic<std::size_t>& next, const FcEntitySets& entities,
                    FcEntityTest drawn, std::atomic<int>& done, const std::function<void(int)>* report,
                    RunAdopter* adopter) {
  for (std::size_t r = next.fetch_add(1); r < runs.size(); r = next.fetch_add(1)) {
    DrawWorkerRun(runs[r], entities, drawn, done, report);
    runs[r].finished.store(true, std::memory_order_release);
    if (adopter != nullptr) adopter->AdoptFinished();
  }
}

void DrawOnOneThread(FcDisplaySurface& surface, const FcEntitySets& entities, int first, int last,
                     FcEntityTest drawn, const std::function<void(int)>& progress) {
  for (int i = first; i < last; ++i) {
    FcEntity* entity = entities.GetAt(i);
    if (entity != nullptr && drawn(*entity)) DrawIntoPass(surface, *entity);
    if (progress) progress(i - first);
  }
}

void DrawOnWorkers(FcDisplaySurface& surface, const FcEntitySets& entities, int first, int last, FcEntityTest drawn,
                   int workers, const std::function<void(int)>& progress) {
  const int count = last - first;
  // Block references, dimensions and the like draw entities other
  // references draw too, and may change the drawing: one run draws them
  // all first, in set order, before any worker starts.
  RegenRun shared;
  shared.surface = surface.MakeRegenWorker();
  for (int i = first; i < last; ++i) {
    FcEntity* entity = entities.GetAt(i);
    if (entity != nullptr && !entity->DrawsOnlyItself() && drawn(*entity)) DrawMarked(shared, *entity, i);
  }
  // Texts look their styles up by name and handle: the indexes are built
  // here so that the workers only read them.
  if (const FcGraph* graph = surface.GetOwner()) graph->GetTextStyleList().BuildIndexes();

  const int runCount = std::min(count, workers * kRunsPerWorker);
  std::vector<RegenRun> runs(static_cast<std::size_t>(runCount));
  for (std::size_t r = 0; r < runs.size(); ++r) {
    RegenRun& run = runs[r];
    run.first = first + static_cast<int>(std::int64_t{count} * static_cast<std::int64_t>(r) / runCount);
    run.last = first + static_cast<int>(std::int64_t{count} * static_cast<std::int64_t>(r + 1) / runCount);
    run.surface = surface.MakeRegenWorker();
    run.surface->ReserveGroups(run.last - run.first);
  }
  std::atomic<std::size_t> next{0};
  std::atomic<int> done{0};
  const LargeHeapSteps heapSteps;
  std::optional<SmallPagesWhileThreadsFault> smallPages;
  if (count >= kSmallPagesFromEntities) smallPages.emplace();
  std::vector<std::thread> threads;
  for (int w = 1; w < workers; ++w) {
    try {
      threads.emplace_back(DrawRunsInTurn, std::ref(runs), std::ref(next), std::cref(entities), drawn, std::ref(done),
                           nullptr, nullptr);
    } catch (const std::system_error&) {
      // No thread to be had: this one takes its runs.
    }
  }
  // The list makes room for the groups while the other threads draw.
  surface.ReserveGroups(count);
  RunAdopter adopter(surface, shared, runs);
  DrawRunsInTurn(runs, next, entities, drawn, done, progress ? &progress : nullptr, &adopter);
  for (std::thread& thread : threads) thread.join();
  smallPages.reset();
  for (const RegenRun& run : runs) {
    for (const std::string& message : run.messages) PrintMessage(message);
  }
  for (const RegenRun& run : runs) {
    if (run.error) std::rethrow_exception(run.error);
  }

  adopter.AdoptRest();
  const RegenRun* lastDrawer = &shared;
  for (const RegenRun& run : runs) {
    if (run.lastDrawn > lastDrawer->lastDrawn) lastDrawer = &run;
  }
  if (lastDrawer->lastDrawn >= 0) surface.TakePenOf(*lastDrawer->surface);
}

}  // namespace

void DrawIntoPass(FcDisplaySurface& surface, FcEntity& entity) {
  surface.contextLayer = nullptr;
  entity.Draw(&surface);
  const FcLayer* layer = entity.GetLayer();
  if (layer != nullptr && !layer->IsOn()) surface.SetGroupVisible(entity.GetHandle(), false);
}

void DrawEntitiesIntoPass(FcDisplaySurface& surface, const FcEntitySets& entities, FcEntityTest drawn,
                          const std::function<void(int done)>& progress) {
  DrawEntitiesIntoPass(surface, entities, 0, entities.GetCount(), drawn, progress);
}

void DrawEntitiesIntoPass(FcDisplaySurface& surface, const FcEntitySets& entities, int first, int last,
                          FcEntityTest drawn, const std::function<void(int done)>& progress) {
  first = std::max(first, 0);
  last = std::min(last, entities.GetCount());
  if (first >= last) return;
  const int workers = WorkerCount(surface, last - first);
  if (workers <= 1) {
    surface.ReserveGroups(last - first);
    DrawOnOneThread(surface, entities, first, last, drawn, progress);
    return;
  }
  DrawOnWorkers(surface, entities, first, last, drawn, workers, progress);
}
