#include "display/display_surface.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>

#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/sort_ents_table.h"
#include "display/view_transform.h"
#include "platform/program_settings.h"

namespace {

FcScreenDeviceFactory& ScreenDeviceFactory() {
  static FcScreenDeviceFactory factory = nullptr;
  return factory;
}

// Removed groups are compacted away once this many have gathered and they
// outnumber the groups still in the list.
constexpr int kCompactThreshold = 1024;

// "DrawOrderCtl" of 0 asks for removed displays to leave the draw order.
bool DrawOrderControlIsZero(FcGraph* drawing) {
  if (drawing == nullptr) return false;
  FcResBuf value;
  drawing->GetSysVar("DrawOrderCtl", value);
  if (value.text == nullptr) return false;
  const char* end = value.text + std::strlen(value.text);
  int number = -1;
  const auto [stop, error] = std::from_chars(value.text, end, number);
  return error == std::errc{} && stop == end && number == 0;
}

}  // namespace

void SetScreenDeviceFactory(FcScreenDeviceFactory factory) { ScreenDeviceFactory() = factory; }

FcDisplaySurface::FcDisplaySurface(FcGraph* owner) : owner_(owner) {
  if (ScreenDeviceFactory() != nullptr) device_ = ScreenDeviceFactory()();
}

FcDisplaySurface::FcDisplaySurface(FcGraph* owner, WithoutDevice) : owner_(owner) {}

std::unique_ptr<FcDisplaySurface> FcDisplaySurface::MakeRegenWorker() const {
  auto worker = std::unique_ptr<FcDisplaySurface>(new FcDisplaySurface(owner_, WithoutDevice{}));
  worker->sharedDevice_ = GetDevice();
  if (view_ != nullptr) {
    worker->PushView();
    *worker->view_ = *view_;
    worker->view_->previous = nullptr;
  }
  worker->busy = true;
  worker->highPrecision = highPrecision;
  worker->drawingLinetypeScale = drawingLinetypeScale;
  worker->regenReferenceLength = regenReferenceLength;
  worker->offscreen = offscreen;
  worker->interactiveMode = interactiveMode;
  worker->penWidths_ = penWidths_;
  worker->TakePenOf(*this);
  return worker;
}

void FcDisplaySurface::AdoptGroups(FcDisplaySurface& worker, int first, int last) {
  for (int i = first; i < last; ++i) {
    std::unique_ptr<FcDsGroupEnts>& group = worker.groups_[static_cast<std::size_t>(i)];
    if (!group) continue;
    const int slot = SlotOf(group->entityHandle);
    if (slot >= 0) {
      groups_[static_cast<std::size_t>(slot)]->TakePrimitivesOf(*group);
      continue;
    }
    group->sortKey = SortKeyOf(group->entityHandle);
    handleIndex_.Set(group->entityHandle, static_cast<int>(groups_.size()));
    groups_.push_back(std::move(group));
  }
}

void FcDisplaySurface::TakePenOf(const FcDisplaySurface& other) {
  currentColorIndex = other.currentColorIndex;
  currentTrueColor = other.currentTrueColor;
  currentLinetype = other.currentLinetype;
  entityLinetypeScale = other.entityLinetypeScale;
}

FcDisplaySurface::~FcDisplaySurface() {
  RemoveAllGroups();
  DeleteViews();
}

void FcDisplaySurface::RemoveAllGroups() {
  groups_.clear();
  groups_.shrink_to_fit();
  holes_ = 0;
  passStart_ = 0;
  handleIndex_.Clear();
  currentGroup_ = -1;
}

void FcDisplaySurface::ReserveGroups(int count) {
  if (count <= 0) return;
  const std::size_t total = groups_.size() + static_cast<std::size_t>(count);
  groups_.reserve(total);
  handleIndex_.Reserve(total);
}

int FcDisplaySurface::SlotOf(FcHandle handle) const {
  return handleIndex_.Find(handle);
}

FcHandle FcDisplaySurface::SortKeyOf(FcHandle handle) const {
  if (drawOrderMode_ == 2 && drawOrderCopy_) return drawOrderCopy_->LookupSortHandle(handle);
  return handle;
}

void FcDisplaySurface::OpenGroup(FcHandle handle) {
  const int slot = SlotOf(handle);
  if (slot >= 0) {
    currentGroup_ = slot;
    return;
  }
  auto group = std::unique_ptr<FcDsGroupEnts>(new (std::nothrow) FcDsGroupEnts);
  if (!group) {
    currentGroup_ = -1;
    return;
  }
  group->entityHandle = handle;
  group->sortKey = SortKeyOf(handle);
  // In modes 1 and 2 the group joins the pass's groups, which EndDraw puts
  // at their key positions; the index already finds it meanwhile.
  groups_.push_back(std::move(group));
  currentGroup_ = static_cast<int>(groups_.size()) - 1;
  handleIndex_.Set(handle, currentGroup_);
}

void FcDisplaySurface::AddPrimitive(std::unique_ptr<FcDsEntity> primitive) {
  if (!primitive) return;
  primitive->trueColor = currentTrueColor;
  primitive->colorIndex = currentColorIndex;
  if (previewCollecting) {
    previewGroup_.Add(std::move(primitive));
    return;
  }
  if (temporaryCollecting) {
    temporaryGroup_.Add(std::move(primitive));
    return;
  }
  const bool haveCurrent = currentGroup_ >= 0 && currentGroup_ < static_cast<int>(groups_.size()) &&
                           groups_[static_cast<std::size_t>(currentGroup_)] != nullptr;
  // Inside a block reference everything belongs to the reference's group.
  if (nestingDepth > 0 && haveCurrent) {
    primitive->insertCell = insertCell;
    groups_[static_cast<std::size_t>(currentGroup_)]->Add(std::move(primitive));
    return;
  }
  if (!haveCurrent || groups_[static_cast<std::size_t>(currentGroup_)]->entityHandle != primitive->entityHandle) {
    OpenGroup(primitive->entityHandle);
    if (currentGroup_ < 0) return;
  }
  groups_[static_cast<std::size_t>(currentGroup_)]->Add(std::move(primitive));
}

void FcDisplaySurface::BeginDraw(int mode, const FcSortEntsTable* table) {
  IdentityMatrix(insertMatrix);
  busy = true;
  currentGroup_ = -1;
  nestingDepth = 0;
  contextLayer = nullptr;
  regenReferenceLength = view_ != nullptr ? view_->WorldLengthToDevice(1000.0) : 0.0;
  SetDrawOrderMode(mode, table);
  Compact();
  passStart_ = static_cast<int>(groups_.size());
}

void FcDisplaySurface::EndDraw() {
  currentGroup_ = -1;
  busy = false;
  nestingDepth = 0;
  if (drawOrderMode_ != 0 && PlacePassGroups()) RebuildHandleIndex();
  drawOrderMode_ = 0;
  drawOrderCopy_.reset();
}

bool FcDisplaySurface::PlacePassGroups() {
  Compact();
  const auto byKey = [](const std::unique_ptr<FcDsGroupEnts>& a, const std::unique_ptr<FcDsGroupEnts>& b) {
    return a->sortKey < b->sortKey;
  };
  const auto passBegin = groups_.begin() + std::min<std::ptrdiff_t>(passStart_, std::ssize(groups_));
  passStart_ = static_cast<int>(groups_.size());
  // A regen draws the entities in handle order, so the pass is usually in
  // place already and the index still right.
  const bool passSorted = std::is_sorted(passBegin, groups_.end(), byKey);
  const bool joinsInOrder = passBegin == groups_.begin() || passBegin == groups_.end() ||
                            !byKey(*passBegin, *(passBegin - 1));
  if (passSorted && joinsInOrder) return false;
  std::stable_sort(passBegin, groups_.end(), byKey);
  std::inplace_merge(groups_.begin(), passBegin, groups_.end(), byKey);
  return true;
}

void FcDisplaySurface::SetDrawOrderMode(int mode, const FcSortEntsTable* table) {
  drawOrderMode_ = mode;
  drawOrderCopy_.reset();
  if (mode != 2 || table == nullptr) return;
  drawOrderCopy_ = std::make_unique<FcSortEntsTable>();
  drawOrderCopy_->Copy(*table);
  if (drawOrderCopy_->GetEntryCount() > 0) drawOrderCopy_->Sort(0, drawOrderCopy_->GetEntryCount() - 1);
}

void FcDisplaySurface::ResortGroups(const FcSortEntsTable* table) {
  SetDrawOrderMode(table != nullptr ? 2 : 1, table);
  SortGroups(0, GetGroupCount() - 1);
  RebuildHandleIndex();
  drawOrderMode_ = 0;
  drawOrderCopy_.reset();
}

void FcDisplaySurface::SortGroups(int first, int last) {
  Compact();
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(groups_.size()) - 1);
  if (first >= last) return;
  for (int i = first; i <= last; ++i) {
    FcDsGroupEnts& group = *groups_[static_cast<std::size_t>(i)];
    group.sortKey = SortKeyOf(group.entityHandle);
  }
  std::stable_sort(groups_.begin() + first, groups_.begin() + last + 1,
                   [](const std::unique_ptr<FcDsGroupEnts>& a, const std::unique_ptr<FcDsGroupEnts>& b) {
                     return a->sortKey < b->sortKey;
                   });
}

void FcDisplaySurface::RebuildHandleIndex() {
  handleIndex_.Clear();
  handleIndex_.Reserve(groups_.size());
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    if (groups_[i]) handleIndex_.Set(groups_[i]->entityHandle, static_cast<int>(i));
  }
}

void FcDisplaySurface::Compact() {
  if (holes_ == 0) return;
  int written = 0;
  int liveBeforePass = 0;
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    if (!groups_[i]) continue;
    if (static_cast<int>(i) < passStart_) ++liveBeforePass;
    if (currentGroup_ == static_cast<int>(i)) currentGroup_ = written;
    groups_[static_cast<std::size_t>(written++)] = std::move(groups_[i]);
  }
  groups_.resize(static_cast<std::size_t>(written));
  passStart_ = liveBeforePass;
  holes_ = 0;
  RebuildHandleIndex();
}

void FcDisplaySurface::CompactIfSparse() {
  if (!busy && holes_ >= kCompactThreshold && holes_ > LiveGroupCount()) Compact();
}

int FcDisplaySurface::FindHandleIndex(FcHandle handle) {
  Compact();
  return SlotOf(handle);
}

int FcDisplaySurface::GetGroupCount() {
  Compact();
  return static_cast<int>(groups_.size());
}

FcDsGroupEnts* FcDisplaySurface::GetGroup(int position) {
  Compact();
  if (position < 0 || position >= static_cast<int>(groups_.size())) return nullptr;
  return groups_[static_cast<std::size_t>(position)].get();
}

void FcDisplaySurface::RemoveGroup(FcHandle handle) {
  const int slot = SlotOf(handle);
  if (slot < 0) return;
  if (!DrawOrderControlIsZero(owner_)) {
    // The empty group keeps the entity's place in the draw order.
    groups_[static_cast<std::size_t>(slot)]->RemoveAll();
    return;
  }
  groups_[static_cast<std::size_t>(slot)].reset();
  ++holes_;
  handleIndex_.Erase(handle);
  if (currentGroup_ == slot) currentGroup_ = -1;
  CompactIfSparse();
}

void FcDisplaySurface::SetGroupVisible(FcHandle handle, bool visible) {
  const int slot = SlotOf(handle);
  if (slot < 0) return;
  FcDsGroupEnts& group = *groups_[static_cast<std::size_t>(slot)];
  group.visible = visible;
  group.InvalidateDeviceCaches();
}

int FcDisplaySurface::HighlightGroup(bool highlight, FcHandle handle) {
  const int position = FindHandleIndex(handle);
  if (position < 0) return -1;
  groups_[static_cast<std::size_t>(position)]->highlighted = highlight;
  return position;
}

bool FcDisplaySurface::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  if (LiveGroupCount() == 0) return false;
  bool first = true;
  for (const std::unique_ptr<FcDsGroupEnts>& group : groups_) {
    if (!group || group->entityHandle == 0 || group->IsEmpty()) continue;
    FcPoint2d low;
    FcPoint2d high;
    group->GetExtents(low, high);
    if (first) {
      min = low;
      max = high;
      first = false;
      continue;
    }
    min = {std::min(min.x, low.x), std::min(min.y, low.y)};
    max = {std::max(max.x, high.x), std::max(max.y, high.y)};
  }
  return true;
}

std::vector<FcHandle> FcDisplaySurface::CollectGroups(bool (FcDsGroupEnts::*test)(const FcPoint2d&, const FcPoint2d&),
                                                      const FcPoint2d& min, const FcPoint2d& max) {
  std::vector<FcHandle> handles;
  for (const std::unique_ptr<FcDsGroupEnts>& group : groups_) {
    if (group && ((*group).*test)(min, max)) handles.push_back(group->entityHandle);
  }
  return handles;
}

std::vector<FcHandle> FcDisplaySurface::CollectInsideWindow(const FcPoint2d& min, const FcPoint2d& max) {
  return CollectGroups(&FcDsGroupEnts::InsideWindow, min, max);
}

std::vector<FcHandle> FcDisplaySurface::CollectCrossingWindow(const FcPoint2d& min, const FcPoint2d& max) {
  return CollectGroups(&FcDsGroupEnts::CrossesWindow, min, max);
}

std::vector<FcHandle> FcDisplaySurface::CollectOnScreen() {
  std::vector<FcHandle> handles;
  for (const std::unique_ptr<FcDsGroupEnts>& group : groups_) {
    if (group && group->drawn) handles.push_back(group->entityHandle);
  }
  return handles;
}

bool FcDisplaySurface::PickOnScreen(const FcPoint2d& min, const FcPoint2d& max, FcHandle& entityHandle,
                                    FcHandle& primitiveHandle, int& partTag) {
  entityHandle = 0;
  partTag = 0;
  const FcEntitySets* entities = owner_ != nullptr ? owner_->GetCurrentEntitySet() : nullptr;
  for (const std::unique_ptr<FcDsGroupEnts>& group : groups_) {
    if (!group || !group->drawn) continue;
    for (int i = 0; i < group->GetCount(); ++i) {
      FcDsEntity& primitive = *group->GetPrimitive(i);
      if (!primitive.drawn || !primitive.CrossesWindow(min, max)) continue;
      const FcEntity* entity = entities != nullptr ? entities->FindByHandle(group->entityHandle) : nullptr;
      if (entity == nullptr || (entity->GetLayer() != nullptr && entity->GetLayer()->IsLocked())) continue;
      entityHandle = group->entityHandle;
      primitiveHandle = primitive.entityHandle;
      partTag = primitive.partTag;
      return true;
    }
  }
  return false;
}

void FcDisplaySurface::ClearGrips() {
  if (gripGroup_.IsEmpty()) return;
  gripGroup_.RemoveAll();
  gripsChanged = true;
}

void FcDisplaySurface::RemoveGripsOf(const FcEntity* entity) {
  if (!gripGroup_.IsEmpty()) gripGroup_.RemoveGripsOf(entity);
}

void FcDisplaySurface::SnapToGrip(FcPoint2d& point) {
  if (view_ == nullptr) return;
  const double half = view_->PixelsToWorld(GetProgramSettings().grip_size);
  const FcPoint2d min{point.x - half, point.y - half};
  const FcPoint2d max{point.x + half, point.y + half};
  for (int i = 0; i < gripGroup_.GetCount(); ++i) {
    auto* grip = dynamic_cast<FcGripMarker*>(gripGroup_.GetPrimitive(i));
    if (grip != nullptr && grip->CrossesWindow(min, max)) {
      point = grip->GetFoundGripPoint();
      return;
    }
  }
}

void FcDisplaySurface::ResetGrips() {
  for (int i = 0; i < gripGroup_.GetCount(); ++i) {
    if (auto* grip = dynamic_cast<FcGripMarker*>(gripGroup_.GetPrimitive(i))) grip->ResetGripStates();
  }
}
