#include "display/graph_display.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

#include "database/block.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/graph_view_link.h"
#include "database/layer.h"
#include "database/viewport.h"
#include "display/display_surface.h"
#include "display/large_heap_steps.h"
#include "display/print_pass.h"
#include "display/regen_pass.h"
#include "display/view_transform.h"
#include "entities/insert.h"
#include "platform/frame_link.h"

namespace {

constexpr const char* kRegenerating = "Regenerating...";

bool ThawedAndShown(const FcEntity& entity) {
  const FcLayer* layer = entity.GetLayer();
  return entity.GetInvisible() == 0 && (layer == nullptr || (!layer->IsFrozen() && layer->IsOn()));
}

bool ForScreen(const FcEntity& entity) {
  const FcLayer* layer = entity.GetLayer();
  return entity.GetInvisible() == 0 && (layer == nullptr || !layer->IsFrozen());
}

bool ForPrinting(const FcEntity& entity) {
  return ThawedAndShown(entity) && (entity.GetLayer() == nullptr || entity.GetLayer()->IsPlottable());
}

// The percentage of a pass over count entities, posted (a regeneration
// must not wait for the window thread) each time more than a 75th of them
// has passed since the last report.
class PostedProgress {
 public:
  explicit PostedProgress(int count) : count_(count) {}

  void At(int index) {
    if (index - lastReported_ <= count_ / 75) return;
    lastReported_ = index;
    ProgressPosition(static_cast<int>(std::int64_t{index} * 100 / count_), true);
  }

 private:
  int count_;
  int lastReported_ = 0;
};

void CopyLinetypeScale(const FcGraph& graph, FcDisplaySurface& surface) {
  surface.drawingLinetypeScale = graph.GetSysVars().ltscale;
}

// A pass that rebuilds the whole list in draw order: by the current space's
// draw-order table when it has one, else by handle.
void BeginFullPass(const FcGraph& graph, FcDisplaySurface& surface) {
  const FcBlock* block = graph.GetCurrentBlock();
  const FcSortEntsTable* table = block != nullptr ? block->GetSortEntsTable() : nullptr;
  surface.BeginDraw(table != nullptr ? 2 : 1, table);
  surface.RemoveAllGroups();
  CopyLinetypeScale(graph, surface);
}

// A frozen layer draws nothing.
void DrawIfShown(FcDisplaySurface& surface, FcEntity& entity) {
  if (ForScreen(entity)) DrawIntoPass(surface, entity);
}

void DrawCurrentSpace(const FcGraph& graph, FcDisplaySurface& surface, FcEntityTest drawn, bool reportProgress) {
  const FcEntitySets* entities = graph.GetCurrentEntitySet();
  if (entities == nullptr) return;
  const int count = entities->GetCount();
  PostedProgress progress(count);
  std::function<void(int)> report;
  if (reportProgress) report = [&progress](int done) { progress.At(done); };
  DrawEntitiesIntoPass(surface, *entities, drawn, report);
}

// Print and export: the current space regenerated into their own surface.
void RegenForOutput(const FcGraph& graph, FcDisplaySurface& surface, FcEntityTest drawn, const char* nextStep) {
  PrintMessage(kRegenerating);
  BeginFullPass(graph, surface);
  ProgressStart(kRegenerating);
  DrawCurrentSpace(graph, surface, drawn, true);
  surface.EndDraw();
  ProgressEnd();
  PrintMessage(nextStep);
}

// Parts of this many entities keep an export's list small while their
// threads still have enough to do.
constexpr int kEntitiesPerExportPart = 1 << 16;

// A list built part by part is the whole pass's list cut in pieces when the
// pass orders its groups by entity handle, the set holds the entities in
// that order, and each entity draws only into its own group: an entity
// that draws only itself, or a block reference, whose nested entities all
// join the reference's group.
bool DrawsInHandleOrder(const FcGraph& graph, const FcEntitySets& entities) {
  const FcBlock* block = graph.GetCurrentBlock();
  if (block != nullptr && block->GetSortEntsTable() != nullptr) return false;
  FcHandle previous = 0;
  for (const FcEntity* entity : entities) {
    if (entity == nullptr) continue;
    if (entity->GetHandle() <= previous) return false;
    if (!entity->DrawsOnlyItself() && dynamic_cast<const FcInsert*>(entity) == nullptr) return false;
    previous = entity->GetHandle();
  }
  return true;
}

}  // namespace

bool ExportCurrentSpaceInParts(const FcGraph& graph, FcDisplaySurface& surface, const std::string& fileName,
                               int partEntities) {
  const FcEntitySets* entities = graph.GetCurrentEntitySet();
  if (entities == nullptr || partEntities < 1 || entities->GetCount() <= partEntities ||
      !DrawsInHandleOrder(graph, *entities)) {
    return false;
  }
  const int count = entities->GetCount();
  // Each part is smaller than a pass that needs small pages, but the parts
  // of a large drawing fault in as much fresh memory as one such pass:
  // with large pages the full mixed drawing spent 0.7-0.9 s of its export
  // in the kernel, a quarter of it 0.05 s.
  std::optional<SmallPagesWhileThreadsFault> smallPages;
  if (count >= kSmallPagesFromEntities) smallPages.emplace();
  PrintMessage(kRegenerating);
  ProgressStart(kRegenerating);
  PostedProgress progress(count);
  int first = 0;
  surface.ExportInParts(fileName, [&](FcDisplaySurface& into) {
    const int last = std::min(count, first + partEntities);
    into.BeginDraw(1, nullptr);
    CopyLinetypeScale(graph, into);
    into.ReserveGroups(last - first);
    const int partStart = first;
    DrawEntitiesIntoPass(into, *entities, first, last, ThawedAndShown,
                         [&progress, partStart](int done) { progress.At(partStart + done); });
    into.EndDraw();
    first = last;
    return first < count;
  });
  ProgressEnd();
  PrintMessage("Exporting...");
  return true;
}

void FcGraphDisplay::DrawEntity(FcEntity* entity) {
  if (entity == nullptr) return;
  surface_.BeginDraw(0, nullptr);
  CopyLinetypeScale(graph_, surface_);
  DrawIfShown(surface_, *entity);
  surface_.EndDraw();
}

void FcGraphDisplay::DrawEntities(const FcEntitySets* entities) {
  if (entities == nullptr) return;
  surface_.BeginDraw(0, nullptr);
  CopyLinetypeScale(graph_, surface_);
  for (FcEntity* entity : *entities) {
    if (entity != nullptr) DrawIfShown(surface_, *entity);
  }
  surface_.EndDraw();
}

void FcGraphDisplay::RemoveFromDisplay(FcEntity* entity) {
  if (entity != nullptr) surface_.RemoveGroup(entity->GetHandle());
}

void FcGraphDisplay::HighlightEntities(bool highlight, const FcEntitySets* entities) {
  if (entities == nullptr) return;
  for (const FcEntity* entity : *entities) {
    if (entity != nullptr) surface_.HighlightGroup(highlight, entity->GetHandle());
  }
}

void FcGraphDisplay::Regen() {
  surface_.highPrecision = false;
  BeginFullPass(graph_, surface_);
  ProgressStart(kRegenerating);
  DrawCurrentSpace(graph_, surface_, ForScreen, true);
  surface_.EndDraw();
  ProgressEnd();
  RequestView(graph_, FcViewRequest::kRedrawNow);
}

void FcGraphDisplay::Redraw() {
  if (surface_.NeedsRegen()) {
    Regen();
    return;
  }
  surface_.Redraw();
  RequestView(graph_, FcViewRequest::kRepaint);
}

void FcGraphDisplay::UpdateLayerDisplay() {
  for (int i = 0; i < graph_.GetLayerList().GetCount(); ++i) {
    const FcLayer* layer = graph_.GetLayerList().GetAt(i);
    if (layer == nullptr) continue;
    const CDataArray<FcHandle>& members = layer->GetEntityHandles();
    for (int j = 0; j < members.count; ++j) surface_.SetGroupVisible(members.items[j], layer->IsOn());
  }
  graph_.Redraw();
}

void FcGraphDisplay::RegenToSurface(FcDisplaySurface& surface) {
  BeginFullPass(graph_, surface);
  DrawCurrentSpace(graph_, surface, ForPrinting, false);
  surface.EndDraw();
}

bool FcGraphDisplay::PrintWindow(FcDeviceContext* printer, int deviceWidth, int deviceHeight, int offsetX, int offsetY,
                          int quarterTurns, int colorMode, const FcPoint2d& corner1, const FcPoint2d& corner2,
                          double pixelsPerUnit, int printerPixelsPerInch) {
  FcPrintPlacement placement;
  placement.corner1 = corner1;
  placement.corner2 = corner2;
  placement.unitsX = pixelsPerUnit;
  placement.unitsY = pixelsPerUnit;
  placement.offsetX = offsetX;
  placement.offsetY = offsetY;
  placement.quarterTurns = quarterTurns;
  placement.colorMode = colorMode;
  placement.printerPixelsPerInch = printerPixelsPerInch;
  FcDisplaySurface surface(&graph_);
  if (!PlacePrint(surface, deviceWidth, deviceHeight, placement)) return false;
  surface.highPrecision = true;
  RegenForOutput(graph_, surface, ForPrinting, "Printing...");
  return PrintSurfaceWindow(surface, printer, deviceWidth, deviceHeight, placement);
}

bool FcGraphDisplay::ExportWindow(const FcPoint2d& corner1, const FcPoint2d& corner2, std::unique_ptr<FcDisplayDevice>&& device,
                           int deviceWidth, int deviceHeight, const std::string& fileName) {
  if (!HasExtent(corner1, corner2) || device == nullptr) return false;
  FcDisplaySurface surface(&graph_);
  surface.SetDevice(std::move(device));
  surface.SetDeviceSize(deviceWidth, deviceHeight);
  SetOrderedWindow(*surface.GetView(), corner1, corner2);
  surface.FitWindowToDevice();
  // A large drawing goes part by part, whichever device takes it.
  if (!ExportCurrentSpaceInParts(graph_, surface, fileName, kEntitiesPerExportPart)) {
    RegenForOutput(graph_, surface, ThawedAndShown, "Exporting...");
    surface.Export(fileName, 0, true);
  }
  // An export that could not write its whole file says so, like a save.
  return surface.GetDevice() == nullptr || surface.GetDevice()->Succeeded();
}

std::vector<FcHandle> FcGraphDisplay::CollectInsideWindow(const FcPoint2d& min, const FcPoint2d& max) {
  return surface_.CollectInsideWindow(min, max);
}

std::vector<FcHandle> FcGraphDisplay::CollectCrossingWindow(const FcPoint2d& min, const FcPoint2d& max) {
  return surface_.CollectCrossingWindow(min, max);
}

std::vector<FcHandle> FcGraphDisplay::CollectOnScreen() { return surface_.CollectOnScreen(); }

bool FcGraphDisplay::PickOnScreen(const FcPoint2d& min, const FcPoint2d& max, FcHandle& entityHandle,
                                  FcHandle& primitiveHandle, int& partTag) {
  return surface_.PickOnScreen(min, max, entityHandle, primitiveHandle, partTag);
}

double FcGraphDisplay::PixelsToWorld(int pixels) const {
  const FcViewTransform* view = surface_.GetView();
  return view != nullptr ? view->PixelsToWorld(pixels) : 0.0;
}

int FcGraphDisplay::GetDeviceWidth() const {
  const FcViewTransform* view = surface_.GetView();
  return view != nullptr ? view->deviceX1 - view->deviceX0 : 0;
}

bool FcGraphDisplay::GetViewWindow(FcViewWindow& window) const {
  const FcViewTransform* view = surface_.GetView();
  if (view == nullptr) return false;
  window = {view->x0, view->y0, view->x1, view->y1};
  return true;
}

void FcGraphDisplay::SetViewWindow(const FcViewWindow& window) {
  FcViewTransform* view = surface_.GetView();
  if (view == nullptr) return;
  view->x0 = window.xmin;
  view->y0 = window.ymin;
  view->x1 = window.xmax;
  view->y1 = window.ymax;
  surface_.FitWindowToDevice();
  surface_.viewUnchanged = false;
  surface_.gripsChanged = true;
}

FcGraphDisplay::FcGraphDisplay(FcGraph& graph) : graph_(graph), surface_(&graph) { surface_.Resize(90, 120); }

void InstallGraphDisplay() {
  SetGraphViewFactory([](FcGraph& graph) { return std::make_unique<FcGraphDisplay>(graph); });
}
