#include "database/entity_sets.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "core/resbuf.h"
#include "database/block.h"
#include "database/dwg_entity_prefetch.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/object_factory.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

// Sets up to this size answer membership tests by a scan.
constexpr int kScannedSetSize = 32;

// Adds a record read from a file with half as much room again each time the
// set fills: growing by the step alone copies the whole set every few
// thousand entities of a large file.
bool AddGrowingByHalf(FcEntitySets& set, FcEntity* entity) {
  if (set.GetCount() + 1 >= set.GetCapacity()) set.Reserve(set.GetCount() / 2);
  return set.AddNew(entity);
}

// The DWG type of a heavy (2D) polyline, whose vertices follow it.
constexpr DwgObjectType kDwgType2dPolyline = 15;
// A 3D polyline: its class tells the record from a heavy 2D one by type.
constexpr DwgObjectType kDwgType3dPolyline = 16;
constexpr DwgObjectType kDwgTypePolyface = 29;
constexpr DwgObjectType kDwgTypeMesh = 30;

// The class of a POLYLINE record by its header's group 70: 3D polylines
// and meshes (bits 8, 16, 64) have their own.
const char* PolylineClass(int flags) { return (flags & (8 | 16 | 64)) != 0 ? "FcPolyline3d" : "POLYLINE"; }

// The class of a DIMENSION record by the low three bits of its group 70;
// null for kind 7, whose records are skipped.
const char* DimensionClass(int kind) {
  switch (kind & 7) {
    case 1: return "FcDimAligned";
    case 2: return "FcDim2LAng";
    case 3: return "FcDimDiameter";
    case 4: return "FcDimRadius";
    case 5: return "FcDim3PAng";
    case 6: return "FcDimOrdinate";
    case 0: return "FcDimRotate";
    default: return nullptr;
  }
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// An entity that was read but is not kept: it leaves the layer it was put on
// before it is deleted.
void Discard(FcEntity* entity) {
  if (entity->GetLayer() != nullptr) entity->GetLayer()->RemoveEntityHandle(entity);
  delete entity;
}

// Passes over the rest of a record that is not read; 0, or 1 at the end of
// the input.
int SkipRecord(FcFiler& filer) {
  filer.SetSkippedRecords();
  return filer.SkipToNextEntity();
}

// Reads the entity record whose group 0 (the upper-cased name) has just
// been read into the set, or passes over a record that makes no entity.
// kept tells whether an entity joined the set. 0, or the set reader's
// failure result.
int ReadDxfRecord(FcEntitySets& set, FcFiler& filer, std::string_view name, bool& kept) {
  kept = false;
  FcObject* object = nullptr;
  if (name == "DIMENSION") {
    filer.SetMark();
    const char* className = "FcDimRotate";
    FcResBuf group;
    bool typeRead = false;
    while (!typeRead) {
      if (!filer.ReadGroup(group)) return kFcStatusEnd;
      if (group.type == 0) break;
      if (group.type == 70) {
        className = DimensionClass(group.intValue);
        typeRead = true;
      }
    }
    if (className == nullptr) return SkipRecord(filer) != 0 ? kFcStatusEnd : kFcStatusOk;
    filer.SeekToMark();
    object = CreateObjectByName(className);
  } else if (name == "POLYLINE") {
    filer.SetMark();
    int flags = 0;
    FcResBuf group;
    while (filer.ReadGroup(group) && group.type != 0) {
      if (group.type == 70) flags = group.intValue;
    }
    filer.SeekToMark();
    object = CreateObjectByName(PolylineClass(flags));
  } else {
    object = CreateObjectByName(name);
  }

  auto* entity = dynamic_cast<FcEntity*>(object);
  if (entity == nullptr) {
    delete object;
    return SkipRecord(filer) != 0 ? kFcStatusEnd : kFcStatusOk;
  }
  const int result = entity->ReadDxf(filer);
  if (result > 0) {
    delete entity;
    return kFcSequenceEntityFailed;
  }
  kept = result == 0 && entity->GetPaperSpace() == 0 && AddGrowingByHalf(set, entity);
  if (!kept) delete entity;
  return kFcStatusOk;
}

}  // namespace

FcEntitySets::FcEntitySets(int growthStep) { entities_.growBy = growthStep; }

FcEntitySets::~FcEntitySets() {
  entities_.RemoveAll();
  ownerBlock_ = nullptr;
}

void FcEntitySets::RemoveAll(bool deleteEntities) {
  if (deleteEntities) {
    for (FcEntity* entity : *this) delete entity;
  }
  entities_.RemoveAll();
  DropIndex();
}

bool FcEntitySets::Reserve(int n) { return entities_.Grow(n); }

FcEntity* FcEntitySets::GetAt(int index) const {
  if (index < 0 || index >= entities_.count) return nullptr;
  return entities_.items[index];
}

int FcEntitySets::IndexOf(const FcEntity* entity) const {
  if (!Contains(entity)) return -1;
  for (int i = entities_.count - 1; i >= 0; --i) {
    if (entities_.items[i] == entity) return i;
  }
  return -1;
}

bool FcEntitySets::Contains(const FcEntity* entity) const {
  if (entity == nullptr) return false;
  if (!indexed_.load(std::memory_order_acquire)) {
    // A small set is scanned faster than an index is built, and without
    // the index's memory.
    if (entities_.count <= kScannedSetSize) return std::find(begin(), end(), entity) != end();
    BuildIndex();
  }
  return index_.Contains(entity);
}

void FcEntitySets::BuildIndex() const {
  const std::lock_guard lock(indexLock_);
  if (indexed_.load(std::memory_order_relaxed)) return;
  for (const FcEntity* entity : *this) index_.Insert(entity);
  indexed_.store(true, std::memory_order_release);
}

void FcEntitySets::DropIndex() {
  index_.Clear();
  indexed_.store(false, std::memory_order_release);
}

FcEntity* FcEntitySets::FindByHandle(FcHandle handle) const {
  if (handle == 0) return nullptr;
  for (FcEntity* entity : *this) {
    if (entity != nullptr && entity->GetHandle() == handle) return entity;
  }
  return nullptr;
}

void FcEntitySets::Append(FcEntity* entity) {
  entities_.items[entities_.count++] = entity;
  if (indexed_.load(std::memory_order_relaxed)) index_.Insert(entity);
}

bool FcEntitySets::Add(FcEntity* entity) {
  if (entity == nullptr || Contains(entity)) return false;
  return AddNew(entity);
}

bool FcEntitySets::AddNew(FcEntity* entity) {
  if (entity == nullptr) return false;
  if (ownerBlock_ == nullptr && entity->GetBlock() != nullptr) {
    AddSequenceOf(entity);
    return true;
  }
  // Growing by half the count keeps filling a large set linear while a
  // small set holds little more than its entities.
  if (entities_.count + 1 >= entities_.capacity && !Reserve(std::max(1, entities_.count / 2))) return false;
  if (ownerBlock_ != nullptr && entity->GetDwgType() <= 0) {
    const FcGraph* graph = GetOwnerGraph();
    entity->SetDwgType(graph != nullptr ? graph->GetCustomClassType(entity->GetRecordName()) : 0);
  }
  Append(entity);
  return true;
}

void FcEntitySets::AddSequenceOf(FcEntity* entity) {
  const FcEntitySets& blockSet = entity->GetBlock()->GetEntities();
  const int index = blockSet.IndexOf(entity);
  FcEntity* head = entity;
  int headIndex = index;
  int walked = 0;
  if (entity->IsSubEntity()) {
    for (int i = index - 1; i >= 0; --i) {
      ++walked;
      if (!blockSet.GetAt(i)->IsSubEntity()) {
        head = blockSet.GetAt(i);
        headIndex = i;
        break;
      }
    }
  }
  if (!Reserve(walked + 1)) return;
  if (!Contains(head)) Append(head);
  if (head->GetEntitiesFollow() != 1 || headIndex < 0) return;

  bool afterSubEntity = false;
  for (int i = headIndex + 1; i < blockSet.GetCount(); ++i) {
    FcEntity* next = blockSet.GetAt(i);
    const bool take = next->IsSubEntity() || (afterSubEntity && next->GetKind() == kEntitySeqend);
    if (!take) return;
    if (!Contains(next) && Reserve(1)) Append(next);
    if (!next->IsSubEntity()) return;
    afterSubEntity = true;
  }
}

void FcEntitySets::EraseAt(int index) {
  FcEntity* entity = entities_.items[index];
  std::copy(entities_.items + index + 1, entities_.items + entities_.count, entities_.items + index);
  entities_.items[--entities_.count] = nullptr;
  if (indexed_.load(std::memory_order_relaxed)) index_.Erase(entity);
}

bool FcEntitySets::Remove(const FcEntity* entity) {
  if (!Contains(entity)) return false;
  const auto found = std::find(begin(), end(), entity);
  EraseAt(static_cast<int>(found - begin()));
  return true;
}

FcEntity* FcEntitySets::RemoveAt(int index) {
  FcEntity* entity = GetAt(index);
  if (entity == nullptr && (index < 0 || index >= entities_.count)) return nullptr;
  EraseAt(index);
  return entity;
}

FcEntity* FcEntitySets::RemoveByHandle(FcHandle handle) {
  for (int i = 0; i < entities_.count; ++i) {
    FcEntity* entity = entities_.items[i];
    if (entity != nullptr && entity->GetHandle() == handle) {
      EraseAt(i);
      return entity;
    }
  }
  return nullptr;
}

int FcEntitySets::Subtract(const FcEntitySets& other) {
  if (&other == this) {
    const int count = entities_.count;
    RemoveAll(false);
    return count;
  }
  int removed = 0;
  for (FcEntity* entity : other) {
    if (Remove(entity)) ++removed;
  }
  return removed;
}

void FcEntitySets::CopyFrom(const FcEntitySets& other) {
  if (&other == this) return;
  entities_.RemoveAll();
  if (other.entities_.count > 0) {
    entities_.items = new FcEntity*[static_cast<std::size_t>(other.entities_.count)];
    std::copy(other.begin(), other.end(), entities_.items);
    entities_.count = other.entities_.count;
    entities_.capacity = other.entities_.count;
  }
  DropIndex();
}

void FcEntitySets::TakeFrom(FcEntitySets& other) {
  if (&other == this) return;
  entities_.RemoveAll();
  entities_.items = std::exchange(other.entities_.items, nullptr);
  entities_.count = std::exchange(other.entities_.count, 0);
  entities_.capacity = std::exchange(other.entities_.capacity, 0);
  index_ = std::move(other.index_);
  indexed_.store(other.indexed_.load(std::memory_order_relaxed), std::memory_order_release);
  other.DropIndex();
}

int FcEntitySets::Merge(const FcEntitySets& other) {
  if (&other == this || !Reserve(other.GetCount())) return 0;
  int appended = 0;
  for (FcEntity* entity : other) {
    if (Contains(entity) || !Reserve(1)) continue;
    Append(entity);
    ++appended;
  }
  return appended;
}

int FcEntitySets::CollectAttributeDefs(FcEntitySets& target) const {
  int offered = 0;
  for (FcEntity* entity : *this) {
    if (entity == nullptr || entity->GetKind() != kEntityAttributeDef) continue;
    target.Add(entity);
    ++offered;
  }
  return offered;
}

int FcEntitySets::CopyFromOtherGraph(const FcEntitySets& source, FcGraph& target, bool keepHandles) {
  Reserve(source.GetCount());
  for (const FcEntity* original : source) {
    if (original == nullptr) continue;
    FcEntity* clone = original->CloneFromOtherGraph(target);
    if (clone == nullptr || !Reserve(1)) {
      delete clone;
      continue;
    }
    Append(clone);

    const std::string_view layerName = original->GetLayer() != nullptr
                                           ? std::string_view(original->GetLayer()->GetName())
                                           : original->GetLayerName().str();
    FcLayer* layer = target.GetLayerList().FindByName(layerName);
    if (layer == nullptr) layer = target.GetCurrentLayer();
    if (layer != nullptr && clone->GetLayer() != layer) clone->SetLayer(layer);

    const int classIndex = target.GetClassList().IndexOf(clone->GetRecordName());
    if (classIndex >= 0) clone->SetDwgType(static_cast<DwgObjectType>(500 + classIndex));

    if (keepHandles) {
      clone->SetHandle(original->GetHandle());
    } else {
      target.TakeHandle(*clone);
    }
    if (clone->GetLayer() != nullptr) clone->GetLayer()->AddEntityHandle(clone);
    if (keepHandles) clone->AdoptCopiedBlock(*original, target);
  }
  return source.GetCount();
}

int FcEntitySets::LastOfSequence(int head) const {
  int last = head;
  while (last + 1 < entities_.count && entities_.items[last + 1]->IsSubEntity()) ++last;
  if (last > head && last + 1 < entities_.count && entities_.items[last + 1]->GetKind() == kEntitySeqend) ++last;
  return last;
}

void FcEntitySets::DropInsertsOfMissingBlocks() {
  if (GetOwnerGraph() == nullptr) return;
  for (int i = entities_.count - 1; i >= 0; --i) {
    FcEntity* entity = entities_.items[i];
    if (entity->GetKind() != kEntityInsert || entity->GetReferencedBlock() != nullptr) continue;
    // The reference goes with its attributes and their SEQEND.
    for (int k = LastOfSequence(i); k >= i; --k) {
      FcEntity* removed = RemoveAt(k);
      if (removed->GetLayer() != nullptr) removed->GetLayer()->RemoveEntityHandle(removed);
      delete removed;
    }
  }
}

int FcEntitySets::WriteDxf(FcFiler& filer) {
  for (int i = 0; i < entities_.count; ++i) {
    FcEntity* entity = entities_.items[i];
    if (entity->WriteDxf(filer) != kFcStatusOk) {
      // A record left out takes its extended data and the sequence that
      // follows it along: alone they would attach to the record before.
      const int last = LastOfSequence(i);
      filer.StepProgress(static_cast<std::uint32_t>(last - i + 1));
      i = last;
      continue;
    }
    const FcExtendDataList& xdata = std::as_const(*entity).GetXdata();
    for (int k = 0; k < xdata.GetCount(); ++k) {
      if (xdata.GetAt(k)->WriteDxf(filer) != 0) break;
    }
    filer.StepProgress(1);
  }
  return kFcStatusOk;
}

int FcEntitySets::ReadDxf(FcFiler& filer) {
  FcResBuf group;
  // A SEQEND ends the sequence of the last record that was neither a vertex
  // nor an attribute. When that head was passed over, its SEQEND is passed
  // over too: alone in the set it would end nothing.
  bool headKept = true;
  while (filer.ReadGroup(group)) {
    if (group.type != 0) continue;
    const std::string upperName = UpperAscii(group.text != nullptr ? group.text : "");
    // Compared as a view, which tests the length first.
    const std::string_view name = upperName;
    if (name == "ENDSEC" || name == "ENDBLK") return kFcStatusOk;
    if (name == "BLOCK") return kFcSequenceBlockMet;
    if (name == "SEQEND" && !headKept) {
      if (filer.SkipToNextEntity() != 0) return kFcStatusEnd;
      continue;
    }
    bool kept = false;
    const int result = ReadDxfRecord(*this, filer, name, kept);
    if (result != kFcStatusOk) return result;
    if (name != "VERTEX" && name != "ATTRIB") headKept = kept;
  }
  return kFcStatusEnd;
}

int FcEntitySets::WriteDwg(FcFilerDwg& filer) {
  FcHandle previous = 0;
  for (int i = 0; i < entities_.count; ++i) {
    FcEntity* entity = entities_.items[i];
    FcHandle next = i + 1 < entities_.count ? entities_.items[i + 1]->GetHandle() : 0;
    FcHandle firstAttribute = 0;
    FcHandle lastAttribute = 0;
    FcHandle seqend = 0;
    int seqendIndex = -1;
    const bool withAttributes =
        entity->GetEntitiesFollow() == 1 && entity->GetDwgType() != kDwgType2dPolyline;
    if (withAttributes && i + 1 == entities_.count) {
      entity->SetEntitiesFollow(0);
    } else if (withAttributes) {
      seqendIndex = i + 1;
      while (seqendIndex < entities_.count &&
             entities_.items[seqendIndex]->GetKind() != kEntitySeqend) {
        if (firstAttribute == 0) firstAttribute = entities_.items[seqendIndex]->GetHandle();
        lastAttribute = entities_.items[seqendIndex]->GetHandle();
        ++seqendIndex;
      }
      const bool hasSeqend = seqendIndex < entities_.count;
      seqend = hasSeqend ? entities_.items[seqendIndex]->GetHandle() : 0;
      next = hasSeqend && seqendIndex + 1 < entities_.count
                 ? entities_.items[seqendIndex + 1]->GetHandle()
                 : 0;
    }
    entity->WriteDwg(filer, previous, next, firstAttribute, lastAttribute, seqend);
    entity->WriteDwgSubRecords(filer);
    if (seqendIndex >= 0) i = WriteDwgAttributes(filer, i, seqendIndex);
    previous = entity->GetHandle();
    filer.StepProgress(1);
  }
  return kFcStatusOk;
}

int FcEntitySets::WriteDwgAttributes(FcFilerDwg& filer, int head, int seqend) {
  // Attributes and their SEQEND name the block reference as their owner.
  FcDwgOwnerOverride owner(filer, entities_.items[head]->GetHandle());
  const std::uint8_t kind = ownerBlock_ != nullptr ? ownerBlock_->GetKind() : kBlockKindOther;
  if (ownerBlock_ != nullptr) ownerBlock_->SetKind(kBlockKindOther);
  FcHandle previous = 0;
  for (int i = head + 1; i < seqend && i < entities_.count; ++i) {
    FcEntity* attribute = entities_.items[i];
    attribute->SetEntitiesFollow(0);
    const FcHandle next = i + 1 < seqend && i + 1 < entities_.count ? entities_.items[i + 1]->GetHandle() : 0;
    attribute->WriteDwg(filer, previous, next, 0, 0, 0);
    previous = attribute->GetHandle();
    filer.StepProgress(1);
  }
  if (seqend < entities_.count) {
    entities_.items[seqend]->WriteDwg(filer, 0, 0, 0, 0, 0);
    filer.StepProgress(1);
  }
  if (ownerBlock_ != nullptr) ownerBlock_->SetKind(kind);
  return std::min(seqend, entities_.count - 1);
}

int FcEntitySets::ReadDwgChain(FcFilerDwg& filer, FcHandle first, FcHandle last) {
  filer.BeginChainWalk();
  return ReadDwgChainOnce(filer, first, last, false);
}

int FcEntitySets::ReadDwgChainOnce(FcFilerDwg& filer, FcHandle first, FcHandle last, bool nested) {
  FcGraph* graph = filer.GetGraph();
  if (graph == nullptr) return kFcStatusReadError;
  FcHandle current = first;
  for (;;) {
    // A chain that comes back to a record already read would never end.
    if (!filer.VisitRecord(current)) return kFcStatusReadError;
    std::int64_t size = 0;
    std::int16_t type = 0;
    const std::int64_t offset = filer.SeekObject(current, size, type);
    if (offset <= 0 || type <= 0) return kFcStatusReadError;

    FcHandle previous = 0;
    FcHandle next = 0;
    FcDwgEntityPrefetch::Decoded ahead;
    const bool decodedAhead = dwgAhead_ != nullptr && dwgAhead_->Take(filer, current, ahead);
    FcObject* object = decodedAhead               ? ahead.entity
                       : IsEmbeddedTableDwgType(type) ? nullptr
                                                      : graph->CreateObjectByDwgType(type);
    auto* entity = dynamic_cast<FcEntity*>(object);
    if (object != nullptr && entity == nullptr) {
      delete object;
      return kFcStatusReadError;
    }
    if (entity == nullptr) {
      if (FcEntity::ReadDwgLinks(filer, current, previous, next) != kFcStatusOk) return kFcStatusReadError;
      filer.CountSkippedRecord(DwgTypeRecordName(graph->GetClassList(), type));
      filer.StepProgress(1);
    } else {
      FcHandle firstAttribute = 0;
      FcHandle lastAttribute = 0;
      FcHandle seqend = 0;
      int result = kFcStatusOk;
      if (decodedAhead) {
        previous = ahead.previous;
        next = ahead.next;
        firstAttribute = ahead.extra1;
        lastAttribute = ahead.extra2;
        seqend = ahead.extra3;
        entity->FinishDecodedAhead(graph);
      } else {
        if (type == kDwgType2dPolyline || type == kDwgType3dPolyline || type == kDwgTypePolyface ||
            type == kDwgTypeMesh) {
          entity->SetDwgType(type);
        }
        entity->SetHandle(current);
        result = entity->ReadDwg(filer, size, offset, previous, next, firstAttribute, lastAttribute, seqend);
      }
      if (result != kFcStatusOk) {
        Discard(entity);
        if (FcEntity::ReadDwgLinks(filer, current, previous, next) != kFcStatusOk) return kFcStatusReadError;
        filer.CountSkippedRecord(DwgTypeRecordName(graph->GetClassList(), type));
      } else if (entity->GetPaperSpace() != 0 || !AddGrowingByHalf(*this, entity)) {
        Discard(entity);
      } else {
        if (ownerBlock_ != nullptr) entity->SetBlockOfMember(ownerBlock_);
        const int subRecords = entity->ReadDwgSubRecords(filer, firstAttribute, lastAttribute);
        if (subRecords != kFcStatusNoDwgForm) {
          if (subRecords != kFcStatusOk) return kFcStatusReadError;
        } else if (entity->GetEntitiesFollow() == 1 && !nested) {
          if (firstAttribute != 0 && lastAttribute != 0 &&
              ReadDwgChainOnce(filer, firstAttribute, lastAttribute, true) != kFcStatusOk) {
            return kFcStatusReadError;
          }
          if (seqend != 0 && ReadDwgChainOnce(filer, seqend, seqend, true) != kFcStatusOk) {
            return kFcStatusReadError;
          }
        }
      }
    }
    if (current == last || next == 0 || first == last) return kFcStatusOk;
    current = next;
  }
}

FcGraph* FcEntitySets::GetOwnerGraph() const {
  return ownerBlock_ != nullptr ? ownerBlock_->GetGraph() : nullptr;
}
