#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "database/block.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/select_filter.h"
#include "database/sort_ents_table.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"

namespace {

// Finds entities of a set by handle as FcEntitySets::FindByHandle does (the
// first entity with the handle). The first few look-ups scan the set; after
// that an index is built once, so that a pick stays cheap and a selection
// of the whole drawing stays linear.
class EntityFinder {
 public:
  explicit EntityFinder(const FcEntitySets* entities) : entities_(entities) {}

  FcEntity* Find(FcHandle handle) {
    if (entities_ == nullptr || handle == 0) return nullptr;
    if (scans_ < kScansBeforeIndex) {
      ++scans_;
      return entities_->FindByHandle(handle);
    }
    if (index_.empty()) BuildIndex();
    const auto found = index_.find(handle);
    return found == index_.end() ? nullptr : found->second;
  }

 private:
  static constexpr int kScansBeforeIndex = 8;

  void BuildIndex() {
    index_.reserve(static_cast<std::size_t>(entities_->GetCount()));
    for (FcEntity* entity : *entities_) {
      if (entity != nullptr && entity->GetHandle() != 0) index_.emplace(entity->GetHandle(), entity);
    }
  }

  const FcEntitySets* entities_;
  int scans_ = 0;
  std::unordered_map<FcHandle, FcEntity*> index_;
};

bool OnLockedLayer(const FcEntity& entity) { return entity.GetLayer() != nullptr && entity.GetLayer()->IsLocked(); }

// Removals from the middle of a set move its tail; past a few of them the
// set is rebuilt in one pass instead.
constexpr int kFewRemovals = 32;

// Takes the doomed entities out of the set, keeping the order of the rest.
void RemoveFromSet(FcEntitySets& set, const std::vector<FcEntity*>& doomed,
                   const std::unordered_set<const FcEntity*>& doomedIndex) {
  int present = 0;
  for (const FcEntity* entity : doomedIndex) present += set.Contains(entity) ? 1 : 0;
  if (present == 0) return;
  if (present == set.GetCount()) {
    set.RemoveAll(false);
    return;
  }
  if (present <= kFewRemovals) {
    for (const FcEntity* entity : doomed) set.Remove(entity);
    return;
  }
  std::vector<FcEntity*> kept;
  kept.reserve(static_cast<std::size_t>(set.GetCount() - present));
  for (FcEntity* entity : set) {
    if (doomedIndex.count(entity) == 0) kept.push_back(entity);
  }
  FcBlock* owner = set.GetOwnerBlock();
  set.RemoveAll(false);
  if (!set.Reserve(static_cast<int>(kept.size()))) return;
  // Appended as a block's own set appends, the entities come back exactly
  // as they were, without bringing their sequences along again.
  for (FcEntity* entity : kept) {
    set.SetOwnerBlock(owner != nullptr ? owner : entity->GetBlock());
    set.Add(entity);
  }
  set.SetOwnerBlock(owner);
}

}  // namespace

// Appended the way a block's own set appends, which is what Add does for an
// entity that brings nothing with it, minus the search.
void AddToSelection(FcEntitySets& selection, FcEntity* entity) {
  const bool alone = !entity->IsSubEntity() && entity->GetEntitiesFollow() != 1 && entity->GetBlock() != nullptr;
  if (!alone) {
    selection.Add(entity);
    return;
  }
  selection.SetOwnerBlock(entity->GetBlock());
  selection.Add(entity);
  selection.SetOwnerBlock(nullptr);
}

std::unique_ptr<FcEntitySets> FcGraph::FilterLockedLayers(std::vector<FcHandle> handles) {
  if (handles.empty()) return nullptr;
  auto selection = std::make_unique<FcEntitySets>(static_cast<int>(handles.size()));
  EntityFinder finder(currentEntitySet_);
  int locked = 0;
  int filtered = 0;
  for (const FcHandle handle : handles) {
    FcEntity* entity = finder.Find(handle);
    if (entity == nullptr) continue;
    if (selectFilter_ != nullptr && !selectFilter_->Accepts(entity)) {
      ++filtered;
    } else if (OnLockedLayer(*entity)) {
      ++locked;
    } else {
      AddToSelection(*selection, entity);
    }
  }
  if (locked == 1) {
    PrintMessage("There is one object on locked layers.");
  } else if (locked > 1) {
    PrintMessage("There are " + std::to_string(locked) + " objects on locked layers.");
  }
  if (filtered > 0) PrintMessage(std::to_string(filtered) + " Object(s) are filtered by select condition!");
  return selection;
}

std::unique_ptr<FcEntitySets> FcGraph::SelectWindow(const FcPoint2d& corner1, const FcPoint2d& corner2) {
  if (view_ == nullptr) return nullptr;
  const FcPoint2d min{std::min(corner1.x, corner2.x), std::min(corner1.y, corner2.y)};
  const FcPoint2d max{std::max(corner1.x, corner2.x), std::max(corner1.y, corner2.y)};
  return FilterLockedLayers(view_->CollectInsideWindow(min, max));
}

std::unique_ptr<FcEntitySets> FcGraph::SelectCrossing(const FcPoint2d& corner1, const FcPoint2d& corner2) {
  if (view_ == nullptr) return nullptr;
  const FcPoint2d min{std::min(corner1.x, corner2.x), std::min(corner1.y, corner2.y)};
  const FcPoint2d max{std::max(corner1.x, corner2.x), std::max(corner1.y, corner2.y)};
  return FilterLockedLayers(view_->CollectCrossingWindow(min, max));
}

FcEntity* FcGraph::PickEntity(const FcPoint2d& point, FcHandle& primitiveHandle, int& partTag) {
  if (view_ == nullptr || currentEntitySet_ == nullptr) return nullptr;
  const double half = view_->PixelsToWorld(GetProgramSettings().snap_box_size);
  FcHandle entityHandle = 0;
  if (!view_->PickOnScreen({point.x - half, point.y - half}, {point.x + half, point.y + half}, entityHandle,
                           primitiveHandle, partTag)) {
    return nullptr;
  }
  return currentEntitySet_->FindByHandle(entityHandle);
}

std::vector<FcEntity*> FcGraph::EntitiesUnderPickBox(const FcPoint2d& point) {
  std::vector<FcEntity*> found;
  if (view_ == nullptr) return found;
  const double half = view_->PixelsToWorld(GetProgramSettings().select_box_size);
  EntityFinder finder(currentEntitySet_);
  std::unordered_set<const FcEntity*> seen;
  for (const FcHandle handle :
       view_->CollectCrossingWindow({point.x - half, point.y - half}, {point.x + half, point.y + half})) {
    FcEntity* entity = finder.Find(handle);
    if (entity != nullptr && seen.insert(entity).second) found.push_back(entity);
  }
  return found;
}

std::unique_ptr<FcEntitySets> FcGraph::PickEntities(const FcPoint2d& point) {
  for (FcEntity* entity : EntitiesUnderPickBox(point)) {
    if (OnLockedLayer(*entity)) continue;
    if (selectFilter_ != nullptr && !selectFilter_->Accepts(entity)) continue;
    auto picked = std::make_unique<FcEntitySets>(kFcPreviousSelectionGrowth);
    picked->Add(entity);
    return picked;
  }
  return nullptr;
}

std::unique_ptr<FcEntitySets> FcGraph::GetDisplayedEntities() {
  if (view_ == nullptr) return nullptr;
  auto displayed = std::make_unique<FcEntitySets>(kFcPreviousSelectionGrowth);
  EntityFinder finder(currentEntitySet_);
  for (const FcHandle handle : view_->CollectOnScreen()) {
    if (FcEntity* entity = finder.Find(handle)) AddToSelection(*displayed, entity);
  }
  if (displayed->GetCount() == 0) return nullptr;
  return displayed;
}

void FcGraph::EraseEntities(FcEntitySets& entities) {
  // The set may be the previous selection or the current space itself,
  // which RemoveEntities empties before the entities are deleted.
  const std::vector<FcEntity*> doomed(entities.begin(), entities.end());
  RemoveEntities(doomed);
  entities.RemoveAll(false);
  for (FcEntity* entity : doomed) delete entity;
  Redraw();
}

void FcGraph::RemoveEntities(const std::vector<FcEntity*>& entities) {
  if (entities.empty()) return;
  const std::unordered_set<const FcEntity*> index(entities.begin(), entities.end());
  // Layers and the draw order each drop their share in one pass: removing
  // the handles one at a time would scan the lists once per entity.
  std::unordered_map<FcLayer*, std::unordered_set<FcHandle>> layerShares;
  std::vector<FcHandle> drawOrderShare;
  drawOrderShare.reserve(entities.size());
  for (FcEntity* entity : entities) {
    if (entity == nullptr) continue;
    if (FcLayer* layer = entity->GetLayer()) layerShares[layer].insert(entity->GetHandle());
    RemoveFromDisplay(entity);
    drawOrderShare.push_back(entity->GetHandle());
  }
  for (const auto& [layer, handles] : layerShares) layer->RemoveEntityHandles(handles);
  if (FcSortEntsTable* drawOrder = currentBlock_ != nullptr ? currentBlock_->GetSortEntsTable() : nullptr) {
    drawOrder->RemoveHandles(drawOrderShare);
  }
  if (currentEntitySet_ != nullptr) RemoveFromSet(*currentEntitySet_, entities, index);
  RemoveFromSet(previousSelection_, entities, index);
  for (FcEntity* entity : entities) {
    if (entity != nullptr) entity->SetBlock(nullptr);
  }
}

std::vector<FcEntity*> FcGraph::FindEntitiesByHandle(const std::vector<FcHandle>& handles) const {
  std::vector<FcEntity*> found;
  found.reserve(handles.size());
  EntityFinder finder(currentEntitySet_);
  for (const FcHandle handle : handles) found.push_back(finder.Find(handle));
  return found;
}
