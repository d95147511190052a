#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "database/block.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/graph_view_link.h"
#include "database/layer.h"
#include "display/display_surface.h"
#include "display/export_device.h"
#include "display/view_transform.h"
#include "platform/frame_link.h"

namespace {

constexpr const char* kRegenerating = "Regenerating...";

// Which entities of the current space a full pass draws.
using EntityTest = bool (*)(const FcEntity& entity);

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

// Draws one entity into the open pass. A frozen layer draws nothing; a
// layer that is off keeps the group, hidden, so that switching the layer on
// needs no regen.
void DrawIntoPass(FcDisplaySurface& surface, FcEntity& entity) {
  if (!ForScreen(entity)) return;
  surface.contextLayer = nullptr;
  entity.Draw(&surface);
  const FcLayer* layer = entity.GetLayer();
  if (layer != nullptr && !layer->IsOn()) surface.SetGroupVisible(entity.GetHandle(), false);
}

void DrawCurrentSpace(const FcGraph& graph, FcDisplaySurface& surface, EntityTest drawn, bool reportProgress) {
  const FcEntitySets* entities = graph.GetCurrentEntitySet();
  if (entities == nullptr) return;
  const int count = entities->GetCount();
  PostedProgress progress(count);
  for (int i = 0; i < count; ++i) {
    FcEntity* entity = entities->GetAt(i);
    if (entity != nullptr && drawn(*entity)) DrawIntoPass(surface, *entity);
    if (reportProgress) progress.At(i);
  }
}

// Print and export: the current space regenerated into their own surface.
void RegenForOutput(const FcGraph& graph, FcDisplaySurface& surface, EntityTest drawn, const char* nextStep) {
  PrintMessage(kRegenerating);
  BeginFullPass(graph, surface);
  ProgressStart(kRegenerating);
  DrawCurrentSpace(graph, surface, drawn, true);
  surface.EndDraw();
  ProgressEnd();
  PrintMessage(nextStep);
}

void SetOrderedWindow(FcViewTransform& view, const FcPoint2d& corner1, const FcPoint2d& corner2) {
  view.x0 = std::min(corner1.x, corner2.x);
  view.y0 = std::min(corner1.y, corner2.y);
  view.x1 = std::max(corner1.x, corner2.x);
  view.y1 = std::max(corner1.y, corner2.y);
}

// Truncated toward zero and held inside the device range, so that an odd
// scale cannot make the conversion undefined.
int TruncateToDevice(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, kLowest, kHighest));
}

bool HasExtent(const FcPoint2d& corner1, const FcPoint2d& corner2) {
  return corner1.x != corner2.x && corner1.y != corner2.y;
}

}  // namespace

void FcGraph::DrawEntity(FcEntity* entity) {
  if (entity == nullptr || displaySurface_ == nullptr) return;
  displaySurface_->BeginDraw(0, nullptr);
  CopyLinetypeScale(*this, *displaySurface_);
  DrawIntoPass(*displaySurface_, *entity);
  displaySurface_->EndDraw();
}

void FcGraph::DrawEntities(const FcEntitySets* entities) {
  if (entities == nullptr || displaySurface_ == nullptr) return;
  displaySurface_->BeginDraw(0, nullptr);
  CopyLinetypeScale(*this, *displaySurface_);
  for (FcEntity* entity : *entities) {
    if (entity != nullptr) DrawIntoPass(*displaySurface_, *entity);
  }
  displaySurface_->EndDraw();
}

void FcGraph::RedrawEntity(FcEntity* entity) {
  if (entity == nullptr) return;
  RemoveFromDisplay(entity);
  DrawEntity(entity);
}

void FcGraph::RedrawEntities(const FcEntitySets* entities) {
  if (entities == nullptr) return;
  for (FcEntity* entity : *entities) RemoveFromDisplay(entity);
  DrawEntities(entities);
}

void FcGraph::RemoveFromDisplay(FcEntity* entity) {
  if (entity != nullptr && displaySurface_ != nullptr) displaySurface_->RemoveGroup(entity->GetHandle());
}

void FcGraph::HighlightEntities(bool highlight, const FcEntitySets* entities) {
  if (entities == nullptr || displaySurface_ == nullptr) return;
  for (const FcEntity* entity : *entities) {
    if (entity != nullptr) displaySurface_->HighlightGroup(highlight, entity->GetHandle());
  }
}

void FcGraph::Regen() {
  if (displaySurface_ == nullptr) return;
  displaySurface_->highPrecision = false;
  BeginFullPass(*this, *displaySurface_);
  ProgressStart(kRegenerating);
  DrawCurrentSpace(*this, *displaySurface_, ForScreen, true);
  displaySurface_->EndDraw();
  ProgressEnd();
  RequestView(*this, FcViewRequest::kRedrawNow);
}

void FcGraph::Redraw() {
  if (displaySurface_ == nullptr) return;
  if (displaySurface_->NeedsRegen()) {
    Regen();
    return;
  }
  displaySurface_->Redraw();
  RequestView(*this, FcViewRequest::kRepaint);
}

void FcGraph::UpdateLayerDisplay() {
  if (displaySurface_ == nullptr) return;
  for (int i = 0; i < layers_.GetCount(); ++i) {
    const FcLayer* layer = layers_.GetAt(i);
    if (layer == nullptr) continue;
    const CDataArray<FcHandle>& members = layer->GetEntityHandles();
    for (int j = 0; j < members.count; ++j) displaySurface_->SetGroupVisible(members.items[j], layer->IsOn());
  }
  Redraw();
}

void FcGraph::RegenToSurface(FcDisplaySurface& surface) {
  BeginFullPass(*this, surface);
  DrawCurrentSpace(*this, surface, ForPrinting, false);
  surface.EndDraw();
}

bool FcGraph::PrintWindow(FcDeviceContext* printer, int deviceWidth, int deviceHeight, int offsetX, int offsetY,
                          int quarterTurns, int colorMode, const FcPoint2d& corner1, const FcPoint2d& corner2,
                          double pixelsPerUnit, int printerPixelsPerInch) {
  if (!HasExtent(corner1, corner2)) return false;
  FcDisplaySurface surface(this);
  surface.SetDeviceSize(deviceWidth, deviceHeight);
  surface.highPrecision = true;
  RegenForOutput(*this, surface, ForPrinting, "Printing...");

  FcViewTransform& view = *surface.GetView();
  SetOrderedWindow(view, corner1, corner2);
  view.deviceX0 = 0;
  view.deviceY0 = 0;
  view.deviceX1 = TruncateToDevice(deviceWidth * pixelsPerUnit);
  view.deviceY1 = TruncateToDevice(deviceHeight * pixelsPerUnit);
  view.Update();
  if (FcDisplayDevice* device = surface.GetDevice()) device->colorMode = colorMode;
  surface.Print(offsetX, offsetY, quarterTurns, 1.0, printer, printerPixelsPerInch);
  return true;
}

bool FcGraph::ExportWindow(const FcPoint2d& corner1, const FcPoint2d& corner2, std::unique_ptr<FcDisplayDevice> device,
                           int deviceWidth, int deviceHeight, const std::string& fileName) {
  if (!HasExtent(corner1, corner2) || device == nullptr) return false;
  FcDisplaySurface surface(this);
  surface.SetDevice(std::move(device));
  surface.SetDeviceSize(deviceWidth, deviceHeight);
  SetOrderedWindow(*surface.GetView(), corner1, corner2);
  surface.FitWindowToDevice();
  RegenForOutput(*this, surface, ThawedAndShown, "Exporting...");
  surface.Export(fileName);
  // An export that could not write its whole file says so, like a save.
  const auto* exporter = dynamic_cast<const FcExportDevice*>(surface.GetDevice());
  return exporter == nullptr || exporter->Succeeded();
}
