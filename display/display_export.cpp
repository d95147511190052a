#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "display/display_surface.h"
#include "display/large_heap_steps.h"
#include "display/progress_steps.h"
#include "display/view_transform.h"

namespace {

// Exports of up to this many groups finish too fast to need progress.
constexpr int kExportProgressMinimum = 1000;
// A list is cut into slices of this many groups, whatever the machine, so
// that the file is the same on every machine and with any number of
// threads; fewer groups cost more in making the slice's device than their
// drawing and compression on another thread save.
constexpr int kGroupsPerExportSlice = 8192;

int AutomaticSliceCount(int groups) { return std::max(1, (groups + kGroupsPerExportSlice - 1) / kGroupsPerExportSlice); }

int ExportThreadCount(int requested, int slices) {
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return std::clamp(requested > 0 ? requested : cores, 1, slices);
}

// A contiguous run of the list's slots drawn through a surface of its own,
// which shares the view and holds the slice's device.
struct ExportSlice {
  std::unique_ptr<FcDisplaySurface> surface;
  std::size_t first = 0;
  std::size_t last = 0;
  // A group failed to draw: like the export in one piece, the output ends
  // with what was drawn before it.
  bool failed = false;
  int groupsDrawn = 0;
};

}  // namespace

void FcDisplaySurface::Export(const std::string& fileName, int slices, bool consume) {
  if (device_ == nullptr) return;
  const int count = LiveGroupCount();
  FcProgressSteps progress(OnWindowThread() && count > kExportProgressMinimum, "Exporting", count);
  device_->BeginPaint({nullptr, fileName}, 0);
  ExportGroups(slices, progress, consume);
  device_->EndPaint();
  if (consume) RemoveAllGroups();
}

void FcDisplaySurface::ExportInParts(const std::string& fileName,
                                     const std::function<bool(FcDisplaySurface& into)>& drawPart) {
  if (device_ == nullptr) return;
  // The parts' progress is the regeneration's.
  FcProgressSteps progress(false, "Exporting", 0);
  device_->BeginPaint({nullptr, fileName}, 0);
  // The parts' groups are released as they are drawn: kept by the heaps,
  // not handed back to the system, their memory serves the parts that
  // follow without being faulted in afresh.
  const LargeHeapSteps heapSteps;
  // The next part is regenerated here into a list of its own while another
  // thread draws this one into the device, so that neither waits for the
  // last and slowest thread of the other; the parts still reach the device
  // one after the other, in order.
  std::unique_ptr<FcDisplaySurface> next = MakeRegenWorker();
  next->regenThreads = regenThreads;
  RemoveAllGroups();
  bool more = drawPart(*this);
  bool whole = true;
  while (whole) {
    if (!more) {
      whole = ExportGroups(0, progress, true);
      break;
    }
    bool exported = true;
    std::exception_ptr exportError;
    const auto exportPart = [this, &progress, &exported, &exportError] {
      try {
        exported = ExportGroups(0, progress, true);
      } catch (...) {
        exportError = std::current_exception();
      }
    };
    std::optional<std::thread> exporter;
    try {
      exporter.emplace(exportPart);
    } catch (const std::system_error&) {
      // No thread to be had: the part is drawn before the next is built.
      exportPart();
    }
    next->RemoveAllGroups();
    try {
      more = drawPart(*next);
    } catch (...) {
      if (exporter) exporter->join();
      throw;
    }
    if (exporter) exporter->join();
    if (exportError) std::rethrow_exception(exportError);
    whole = exported;
    // This list, drawn and emptied, builds the part after the next.
    TakeGroupsOf(*next);
  }
  RemoveAllGroups();
  device_->EndPaint();
}

void FcDisplaySurface::TakeGroupsOf(FcDisplaySurface& other) {
  std::swap(groups_, other.groups_);
  std::swap(holes_, other.holes_);
  std::swap(passStart_, other.passStart_);
  std::swap(handleIndex_, other.handleIndex_);
  currentGroup_ = -1;
  other.currentGroup_ = -1;
}

bool FcDisplaySurface::ExportGroups(int slices, FcProgressSteps& progress, bool consume) {
  if (slices <= 0) slices = AutomaticSliceCount(LiveGroupCount());
  if (slices >= 2) {
    if (const std::optional<bool> whole = ExportInSlices(slices, progress, consume)) return *whole;
  }
  return ExportInOnePiece(progress, consume);
}

bool FcDisplaySurface::ExportInOnePiece(FcProgressSteps& progress, bool consume) {
  // A group that fails to draw ends the pass, but the export device still
  // finishes its file and the progress display still ends.
  try {
    int done = 0;
    for (std::unique_ptr<FcDsGroupEnts>& group : groups_) {
      if (!group) continue;
      group->Draw(*this);
      if (consume) group.reset();
      progress.Advance(++done);
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

std::optional<bool> FcDisplaySurface::ExportInSlices(int sliceCount, FcProgressSteps& progress, bool consume) {
  std::vector<ExportSlice> slices(static_cast<std::size_t>(sliceCount));
  const std::size_t total = groups_.size();
  for (std::size_t i = 0; i < slices.size(); ++i) {
    std::unique_ptr<FcDisplayDevice> device = device_->MakeSliceDevice();
    if (device == nullptr) return std::nullopt;
    ExportSlice& slice = slices[i];
    slice.surface = std::make_unique<FcDisplaySurface>(owner_);
    FcDisplaySurface& surface = *slice.surface;
    surface.SetDevice(std::move(device));
    surface.PushView();
    *surface.view_ = *view_;
    surface.view_->previous = nullptr;
    surface.viewUnchanged = viewUnchanged;
    surface.interactiveMode = interactiveMode;
    surface.offscreen = offscreen;
    surface.penWidths_ = penWidths_;
    slice.first = total * i / slices.size();
    slice.last = total * (i + 1) / slices.size();
  }
  // Every group belongs to one slice and draws only into its own
  // primitives and the slice's device, so the slices share nothing they
  // write; each thread takes the next slice not yet taken until none is
  // left, so that a thread the machine keeps waiting leaves its share to
  // the others.
  std::atomic<std::size_t> next{0};
  const auto drawInTurn = [this, consume, &slices, &next] {
    for (std::size_t s = next.fetch_add(1); s < slices.size(); s = next.fetch_add(1)) {
      ExportSlice& slice = slices[s];
      try {
        for (std::size_t i = slice.first; i < slice.last; ++i) {
          if (!groups_[i]) continue;
          groups_[i]->Draw(*slice.surface);
          if (consume) groups_[i].reset();
          ++slice.groupsDrawn;
        }
      } catch (...) {
        slice.failed = true;
      }
      slice.surface->GetDevice()->EndPaint();
    }
  };
  std::vector<std::thread> threads;
  for (int t = 1; t < ExportThreadCount(exportThreads, sliceCount); ++t) {
    try {
      threads.emplace_back(drawInTurn);
    } catch (const std::system_error&) {
      // No thread to be had: this one takes its slices.
    }
  }
  drawInTurn();
  for (std::thread& thread : threads) thread.join();
  int done = 0;
  for (ExportSlice& slice : slices) {
    device_->TakeSlice(*slice.surface->GetDevice());
    slice.surface.reset();
    done += slice.groupsDrawn;
    progress.Advance(done);
    if (slice.failed) return false;
  }
  return true;
}
