#include "database/block.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/dwg_entity_prefetch.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/sort_ents_table.h"
#include "database/symbol_list.h"
#include "database/block_markers.h"
#include "filers/file_object.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

constexpr std::string_view kModelSpace = "*Model_Space";
constexpr std::string_view kPaperSpace = "*Paper_Space";
constexpr std::string_view kSortEnts = "ACAD_SORTENTS";
constexpr std::int32_t kExternalFlags = kBlockExternal | kBlockOverlaid | kBlockXrefDependent;
// The fewest bytes a BLOCK_RECORD entry takes in a DXF file; bounds the
// room reserved for a count read from the file.
constexpr std::int64_t kSmallestDxfRecord = 16;

bool IsPaperSpaceName(std::string_view name) {
  return name.size() >= kPaperSpace.size() && EqualsNoCase(name.substr(0, kPaperSpace.size()), kPaperSpace);
}

const char* TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

bool ReadHandle(FcFilerDwg& filer, FcHandle& handle) { return filer.ReadHandleRef(handle, 0); }

// Reads the record of a marker entity by its handle; false when it is
// missing, of another type or fails.
bool ReadMarker(FcFilerDwg& filer, FcEntity& marker, FcHandle handle, DwgObjectType type) {
  marker.SetHandle(handle);
  std::int64_t size = 0;
  std::int16_t typeRead = 0;
  const std::int64_t offset = filer.SeekObject(handle, size, typeRead);
  if (offset <= 0 || typeRead != type) return false;
  FcHandle links[5] = {};
  return marker.ReadDwg(filer, size, offset, links[0], links[1], links[2], links[3], links[4]) == kFcStatusOk;
}

}  // namespace

FcBlock::FcBlock() {
  SetDwgType(kDwgType);
  SetRecordName("BLOCK_RECORD");
  entities_.SetOwnerBlock(this);
}

FcBlock::~FcBlock() { entities_.RemoveAll(true); }

FcObject* FcBlock::Create() { return new (std::nothrow) FcBlock(); }

FcBlockList* FcBlock::GetTable() const { return dynamic_cast<FcBlockList*>(GetOwner()); }

FcGraph* FcBlock::GetGraph() const {
  const FcBlockList* table = GetTable();
  return table != nullptr ? table->GetGraph() : nullptr;
}

FcHandle FcBlock::TakeNextHandle() {
  FcGraph* graph = GetGraph();
  if (graph == nullptr) return 0;
  return ::TakeHandle(graph->GetHandleSeed());
}

const std::string& FcBlock::GetName() const {
  static const std::string kNoName;
  return begin_ != nullptr ? begin_->GetBlockName() : kNoName;
}

void FcBlock::SetName(std::string_view name) {
  if (!EnsureMarkers()) return;
  const std::string old = GetName();
  begin_->SetBlockName(name);
  NoteRenamedFrom(old);
}

void FcBlock::NoteRenamedFrom(std::string_view old) {
  if (FoldedName(old) == FoldedName(GetName())) return;
  if (FcBlockList* table = GetTable()) table->NoteBlockRenamed(*this);
}

FcPoint2d FcBlock::GetBasePoint() const { return begin_ != nullptr ? begin_->GetBasePoint() : FcPoint2d{}; }

void FcBlock::SetBasePoint(const FcPoint2d& point) {
  if (EnsureMarkers()) begin_->SetBasePoint(point);
}

std::int32_t FcBlock::GetFlags() const { return begin_ != nullptr ? begin_->GetBlockFlags() : 0; }

void FcBlock::SetFlags(std::int32_t flags) {
  if (EnsureMarkers()) begin_->SetBlockFlags(flags);
}

void FcBlock::SetByBlockLinetype(FcLineType* linetype) {
  if (byBlockLinetype_ == LinetypeByBlock()) return;
  byBlockLinetype_ = linetype;
}

bool FcBlock::IsSpaceBlock() const { return EqualsNoCase(GetName(), kModelSpace) || IsPaperSpaceName(GetName()); }

bool FcBlock::EnsureMarkers() {
  if (begin_ == nullptr) begin_.reset(new (std::nothrow) FcBlockBegin());
  if (end_ == nullptr) end_.reset(new (std::nothrow) FcBlockEnd());
  return begin_ != nullptr && end_ != nullptr;
}

bool FcBlock::AttachMarkers() {
  if (!EnsureMarkers()) return false;
  FcGraph* graph = GetGraph();
  FcEntity* markers[] = {begin_.get(), end_.get()};
  for (FcEntity* marker : markers) {
    marker->SetBlock(this);
    if (graph != nullptr && graph->GetCurrentLayer() != nullptr) marker->SetLayer(graph->GetCurrentLayer());
    entities_.Remove(marker);
  }
  return true;
}

void FcBlock::CreateBeginEnd() {
  if (!EnsureMarkers()) return;
  FcGraph* graph = GetGraph();
  FcEntity* markers[] = {begin_.get(), end_.get()};
  for (FcEntity* marker : markers) {
    marker->SetBlock(this);
    marker->SetHandle(TakeNextHandle());
    if (graph != nullptr && graph->GetCurrentLayer() != nullptr) marker->SetLayer(graph->GetCurrentLayer());
    entities_.Remove(marker);
  }
}

bool FcBlock::ReachesBlock(const FcBlock* target) const {
  std::vector<const FcBlock*> pending{this};
  std::unordered_set<const FcBlock*> seen{this};
  while (!pending.empty()) {
    const FcBlock* block = pending.back();
    pending.pop_back();
    for (const FcEntity* entity : block->entities_) {
      const FcBlock* referenced = entity != nullptr ? entity->GetReferencedBlock() : nullptr;
      if (referenced == nullptr) continue;
      if (referenced == target) return true;
      if (seen.insert(referenced).second) pending.push_back(referenced);
    }
  }
  return false;
}

bool FcBlock::AddEntity(FcEntity* entity) {
  if (entity == nullptr) return false;
  const FcBlock* referenced = entity->GetReferencedBlock();
  if (referenced != nullptr && (referenced == this || referenced->ReachesBlock(this))) return false;
  entities_.Add(entity);
  entity->SetBlock(this);
  AddToSortEntsTable(entity->GetHandle());
  return true;
}

void FcBlock::RemoveEntity(FcEntity* entity) {
  if (entity == nullptr) return;
  entities_.Remove(entity);
  entity->SetBlock(nullptr);
  if (FcSortEntsTable* table = GetSortEntsTable()) table->RemoveHandle(entity->GetHandle());
}

int FcBlock::GetCount() const { return entities_.GetCount(); }

void FcBlock::RebuildDimensions() {
  for (int i = 0; i < entities_.GetCount(); ++i) {
    FcEntity* entity = entities_.GetAt(i);
    if (entity->GetKind() == kEntityDimension) entity->RebuildBlock();
  }
}

FcSortEntsTable* FcBlock::GetSortEntsTable() const {
  FcDictionary* dictionary = GetExtDictionary();
  if (dictionary == nullptr) return nullptr;
  return dynamic_cast<FcSortEntsTable*>(dictionary->GetAt(kSortEnts));
}

void FcBlock::AddToSortEntsTable(FcHandle handle) {
  if (FcSortEntsTable* table = GetSortEntsTable()) table->AddHandle(handle);
}

void FcBlock::SetSortEntsTable(FcSortEntsTable* table) {
  if (table == nullptr || (kind_ != kBlockKindModelSpace && kind_ != kBlockKindPaperSpace)) return;
  if (GetExtDictionary() == nullptr) {
    auto* dictionary = new (std::nothrow) FcDictionary();
    if (dictionary == nullptr) return;
    dictionary->SetHandle(TakeNextHandle());
    SetExtDictionary(dictionary);
  }
  GetExtDictionary()->SetAt(kSortEnts, table);
}

void FcBlock::RebuildSortEntsTable() {
  FcSortEntsTable* table = GetSortEntsTable();
  if (table == nullptr) return;
  table->Reserve(entities_.GetCount() + 1);
  for (const FcEntity* entity : entities_) table->AddHandle(entity->GetHandle());
}

void FcBlock::CleanSortEntsTable() {
  if (FcSortEntsTable* table = GetSortEntsTable()) table->RemoveMissing(entities_);
}

void FcBlock::CopyFrom(const FcBlock& source, bool keepHandles) {
  FcGraph* graph = GetGraph();
  if (graph == nullptr || !EnsureMarkers()) return;
  const std::string old = GetName();
  FcEntity* markers[] = {begin_.get(), end_.get()};
  const FcEntity* sourceMarkers[] = {source.begin_.get(), source.end_.get()};
  for (int i = 0; i < 2; ++i) {
    markers[i]->CopyFromOtherGraph(sourceMarkers[i], *graph);
    const bool keep = keepHandles && sourceMarkers[i] != nullptr;
    markers[i]->SetHandle(keep ? sourceMarkers[i]->GetHandle() : TakeNextHandle());
  }
  NoteRenamedFrom(old);
  const int first = entities_.GetCount();
  entities_.CopyFromOtherGraph(source.entities_, *graph, keepHandles);
  for (int i = first; i < entities_.GetCount(); ++i) entities_.GetAt(i)->SetBlockOfMember(this);
  layoutHandle_ = 0;
}

void FcBlock::MarkReferences() {
  for (FcEntity* entity : entities_) entity->MarkReferences();
}

std::int32_t FcBlock::FlagsForWriting() const {
  std::int32_t flags = GetFlags();
  if (IsSpaceBlock()) return flags;
  for (const FcEntity* entity : entities_) {
    if (entity->GetKind() == kEntityAttributeDef) return flags | kBlockHasAttributeDefs;
  }
  return flags;
}

int FcBlock::WriteDxf(FcFiler& filer) {
  if (!EnsureMarkers()) return kFcStatusStructure;
  SetFlags(FlagsForWriting());
  begin_->WriteDxf(filer);
  if (!IsSpaceBlock()) entities_.WriteDxf(filer);
  end_->WriteDxf(filer);
  return kFcStatusOk;
}

int FcBlock::ReadDxf(FcFiler& filer) {
  if (!AttachMarkers()) return kFcStatusEnd;
  const std::string old = GetName();
  const int begin = begin_->ReadDxf(filer);
  NoteRenamedFrom(old);
  if (begin != kFcStatusOk) return kFcStatusEnd;
  if (entities_.ReadDxf(filer) != kFcStatusOk) return kFcStatusReadError;
  if (end_->ReadDxf(filer) != kFcStatusOk) return kFcStatusReadError;
  FcGraph* graph = GetGraph();
  for (FcEntity* entity : entities_) {
    entity->SetBlockOfMember(this);
    if (graph == nullptr) continue;
    FcLayer* layer = graph->FindOrCreateLayerWhileReading(entity->GetLayerName().str());
    entity->SetLayer(layer != nullptr ? layer : graph->GetCurrentLayer());
  }
  CleanSortEntsTable();
  return kFcStatusOk;
}

int FcBlock::ReadDxfRecord(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  if (!ReadSubclassMarker(filer, "AcDbSymbolTableRecord") ||
      !ReadSubclassMarker(filer, "AcDbBlockTableRecord")) {
    return kFcStatusEnd;
  }
  if (!EnsureMarkers()) return kFcStatusReadError;
  bool named = false;
  const int result = ReadRecordGroups(*this, filer, [this, &named](const FcResBuf& group) {
    if (group.type == 2) {
      SetName(TextOf(group));
      named = true;
    } else if (group.type == 340) {
      layoutHandle_ = group.handle;
    }
    return kFcStatusOk;
  });
  return result == kFcStatusOk && !named ? kFcStatusEnd : result;
}

int FcBlock::WriteDxfOwned(FcFiler& filer) {
  FcObject::WriteDxfOwned(filer);
  for (int i = entities_.GetCount() - 1; i >= 0; --i) entities_.GetAt(i)->WriteDxfOwned(filer);
  return kFcStatusOk;
}

bool FcBlock::ResolveOwner(FcObject* candidate) {
  if (FcObject::ResolveOwner(candidate)) return true;
  for (int i = entities_.GetCount() - 1; i >= 0; --i) {
    if (entities_.GetAt(i)->ResolveOwner(candidate)) return true;
  }
  return false;
}

int FcBlock::WriteDwg(FcFilerDwg& filer) {
  if (!EnsureMarkers()) return kFcStatusStructure;
  SetFlags(FlagsForWriting() & ~(IsSpaceBlock() ? kBlockHasAttributeDefs : 0));
  const std::int32_t flags = GetFlags();
  const bool space = kind_ == kBlockKindModelSpace || kind_ == kBlockKindPaperSpace;

  BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteText(IsPaperSpaceName(GetName()) ? kPaperSpace : std::string_view(GetName()));
  filer.WriteBit(space || !unreferenced_ ? 1 : 0);
  filer.WriteBitShort(0);
  filer.WriteBit(0);
  filer.WriteBit((flags & kBlockAnonymous) != 0 ? 1 : 0);
  filer.WriteBit((flags & kBlockHasAttributeDefs) != 0 ? 1 : 0);
  filer.WriteBit(0);
  filer.WriteBit(0);
  filer.WriteBit(0);
  const FcPoint2d base = GetBasePoint();
  filer.WriteBitDouble(base.x);
  filer.WriteBitDouble(base.y);
  filer.WriteBitDouble(0.0);
  filer.WriteText("");
  for (int i = 0; i < references_.count; ++i) filer.WriteRawByte(1);
  filer.WriteRawByte(0);
  filer.WriteText("");
  filer.WriteBitLong(0);
  filer.SetDataBitSize(filer.GetBitsWritten());

  FcHandle firstEntity = 0;
  FcHandle lastEntity = 0;
  if (entities_.GetCount() > 0) {
    firstEntity = entities_.GetAt(0)->GetHandle();
    for (int i = entities_.GetCount() - 1; i >= 0; --i) {
      const FcEntity* entity = entities_.GetAt(i);
      if (!entity->IsSubEntity() && entity->GetKind() != kEntitySeqend) {
        lastEntity = entity->GetHandle();
        break;
      }
    }
  }
  filer.WriteHandleRef(4, 0, GetOwner() != nullptr ? GetOwner()->GetHandle() : 0);
  filer.WriteHandleRef(3, 0, GetExtDictionary() != nullptr ? GetExtDictionary()->GetHandle() : 0);
  filer.WriteHandleRef(5, 0, 0);
  filer.WriteHandleRef(3, 0, begin_->GetHandle());
  filer.WriteHandleRef(4, 0, firstEntity);
  filer.WriteHandleRef(4, 0, lastEntity);
  filer.WriteHandleRef(3, 0, end_->GetHandle());
  for (int i = 0; i < references_.count; ++i) filer.WriteHandleRef(4, 0, references_[i]);
  filer.WriteHandleRef(5, 0, layoutHandle_);
  EndDwgObject(filer);

  begin_->WriteDwg(filer, 0, 0, 0, 0, 0);
  end_->WriteDwg(filer, 0, 0, 0, 0, 0);
  return entities_.WriteDwg(filer);
}

int FcBlock::ReadDwg(FcFilerDwg& filer) {
  entities_.RemoveAll(true);
  if (!AttachMarkers()) return kFcStatusReadError;
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  if (!ReadDwgObjectStart(filer, kDwgType, place) || !ReadDwgReactorCount(filer, place, reactors)) {
    return kFcStatusReadError;
  }
  const bool release2000 = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  std::string name;
  bool xrefDependent = false;
  if (!ReadDwgRecordName(filer, name, xrefDependent)) return kFcStatusReadError;
  SetName(name);
  if (xrefDependent) {
    SetFlags(kBlockExternal);
    return kFcStatusOk;
  }
  std::uint8_t bits[4] = {};
  for (std::uint8_t& bit : bits) {
    if (!filer.ReadBit(bit)) return kFcStatusReadError;
  }
  std::int32_t flags = bits[0] != 0 ? kBlockAnonymous : 0;
  if (bits[1] != 0) flags |= kBlockHasAttributeDefs;
  if (bits[2] != 0 || bits[3] != 0) flags = kBlockExternal;
  std::uint8_t loaded = 0;
  if (release2000 && !filer.ReadBit(loaded)) return kFcStatusReadError;
  SetFlags(flags);
  double base[3] = {};
  std::string text;
  if (!filer.Read3BitDouble(base) || !filer.ReadText(text)) return kFcStatusReadError;
  SetBasePoint({base[0], base[1]});

  std::int64_t referenceCount = 0;
  if (release2000) {
    std::uint8_t byte = 1;
    while (byte != 0) {
      if (!filer.ReadRawChar(byte)) return kFcStatusReadError;
      if (byte != 0) ++referenceCount;
    }
    std::int32_t previewSize = 0;
    if (!filer.ReadText(text) || !filer.ReadBitLong(previewSize)) return kFcStatusReadError;
    if (previewSize < 0 || previewSize > place.size) return kFcStatusReadError;
    if (!filer.SkipBits(static_cast<std::uint64_t>(previewSize) * 8u)) return kFcStatusReadError;
  }

  FcHandle ignored = 0;
  for (std::int32_t i = 0; i < reactors + 1; ++i) {
    if (!ReadHandle(filer, ignored)) return kFcStatusReadError;
  }
  FcHandle dictionaryHandle = 0;
  FcHandle beginHandle = 0;
  FcHandle endHandle = 0;
  FcHandle firstEntity = 0;
  FcHandle lastEntity = 0;
  if (!ReadHandleWithCode(filer, 3, dictionaryHandle) || !ReadHandleWithCode(filer, 5, ignored) ||
      !ReadHandleWithCode(filer, 3, beginHandle)) {
    return kFcStatusReadError;
  }
  if ((flags & kExternalFlags) == 0 &&
      (!ReadHandleWithCode(filer, 4, firstEntity) || !ReadHandleWithCode(filer, 4, lastEntity))) {
    return kFcStatusReadError;
  }
  if (!ReadHandleWithCode(filer, 3, endHandle)) return kFcStatusReadError;
  if (release2000) {
    for (std::int64_t i = 0; i < referenceCount; ++i) {
      if (!ReadHandle(filer, ignored)) return kFcStatusReadError;
    }
    if (!ReadHandle(filer, layoutHandle_)) return kFcStatusReadError;
  }
  if (!ReadDwgObjectEnd(filer, place)) return kFcStatusReadError;

  // A dictionary that cannot be read is dropped; the block goes on. It
  // joins the block only after the entities: the table of its draw order
  // already lists them, and each entity read would be appended again.
  std::unique_ptr<FcDictionary> dictionary;
  if (dictionaryHandle != 0) {
    dictionary.reset(new (std::nothrow) FcDictionary());
    if (dictionary != nullptr) dictionary->SetHandle(dictionaryHandle);
    if (dictionary != nullptr && dictionary->ReadDwg(filer) != kFcStatusOk) dictionary.reset();
  }
  const std::string old = GetName();
  const bool markersRead = ReadMarker(filer, *begin_, beginHandle, FcBlockBegin::kDwgType) &&
                           ReadMarker(filer, *end_, endHandle, FcBlockEnd::kDwgType);
  NoteRenamedFrom(old);
  if (!markersRead) return kFcStatusReadError;
  if (IsPaperSpaceName(GetName())) {
    kind_ = kBlockKindPaperSpace;
    if (dictionary != nullptr) SetExtDictionary(dictionary.release());
    return kFcStatusOk;
  }
  const int result =
      firstEntity == 0 || lastEntity == 0 ? kFcStatusOk : entities_.ReadDwgChain(filer, firstEntity, lastEntity);
  if (dictionary != nullptr) SetExtDictionary(dictionary.release());
  CleanSortEntsTable();
  return result;
}

FcBlockList::FcBlockList() { SetDwgType(kDwgType); }

FcBlockList::~FcBlockList() { RemoveAll(); }

FcBlock* FcBlockList::GetAt(int index) const {
  if (index < 0 || index >= records_.count) return nullptr;
  return records_[index];
}

FcBlock* FcBlockList::FindByName(std::string_view name) const {
  if (name.empty()) {
    for (int i = 0; i < records_.count; ++i) {
      if (records_[i]->GetName().empty()) return records_[i];
    }
    return nullptr;
  }
  if (!nameIndex_.IsValid()) {
    nameIndex_.Build(records_.count, [this](int i) { return std::string_view(records_[i]->GetName()); });
  }
  const int hit = nameIndex_.Find(name);
  return hit >= 0 ? records_[hit] : nullptr;
}

void FcBlockList::NoteBlockRenamed(const FcBlock& block) {
  const bool last = records_.count > 0 && records_[records_.count - 1] == &block;
  nameIndex_.Renamed(last ? records_.count - 1 : -1, block.GetName());
}

FcBlock* FcBlockList::FindByHandle(FcHandle handle) const {
  for (int i = 0; i < records_.count; ++i) {
    if (records_[i]->GetHandle() == handle) return records_[i];
  }
  return nullptr;
}

bool FcBlockList::Grow(int n) {
  // A fixed step makes a table of a million blocks quadratic in copying;
  // growing by half the size keeps it linear.
  records_.growBy = std::max(16, records_.count / 2);
  return records_.Grow(n);
}

void FcBlockList::AppendRecord(FcBlock* block) {
  if (!Grow(1)) {
    delete block;
    return;
  }
  records_.items[records_.count++] = block;
  block->SetOwner(this);
  nameIndex_.Appended(records_.count - 1, block->GetName());
}

void FcBlockList::Add(FcBlock* block) {
  if (block == nullptr) return;
  AppendRecord(block);
  if (GetAt(records_.count - 1) != block) return;
  if (graph_ != nullptr) block->SetHandle(::TakeHandle(graph_->GetHandleSeed()));
  block->CreateBeginEnd();
}

FcBlock* FcBlockList::AddNew() {
  auto* block = new (std::nothrow) FcBlock();
  Add(block);
  return block != nullptr && FindByHandle(block->GetHandle()) == block ? block : nullptr;
}

FcBlock* FcBlockList::AddAnonymousBlock() {
  FcBlock* block = AddNew();
  if (block == nullptr) return nullptr;
  for (int n = 1;; ++n) {
    const std::string name = "*D" + std::to_string(n);
    if (FindByName(name) != nullptr) continue;
    block->SetName(name);
    break;
  }
  block->SetFlags(kBlockAnonymous);
  return block;
}

void FcBlockList::DeleteAt(int index) {
  nameIndex_.Invalidate();
  delete records_[index];
  records_[index] = records_[records_.count - 1];
  records_[--records_.count] = nullptr;
}

void FcBlockList::SwapRecords(int a, int b) {
  std::swap(records_[a], records_[b]);
  nameIndex_.Invalidate();
}

bool FcBlockList::RemoveByName(std::string_view name) {
  for (int i = 0; i < records_.count; ++i) {
    if (!EqualsNoCase(records_[i]->GetName(), name)) continue;
    DeleteAt(i);
    return true;
  }
  return false;
}

bool FcBlockList::RemoveByHandle(FcHandle handle) {
  for (int i = 0; i < records_.count; ++i) {
    if (records_[i]->GetHandle() != handle) continue;
    DeleteAt(i);
    return true;
  }
  return false;
}

void FcBlockList::RemoveAll() {
  for (int i = 0; i < records_.count; ++i) delete records_[i];
  records_.RemoveAll();
  nameIndex_.Invalidate();
}

int FcBlockList::GetCount() const {
  int count = 0;
  for (int i = 0; i < records_.count; ++i) count += 2 + records_[i]->GetCount();
  return count;
}

void FcBlockList::RemoveExternalBlocks() {
  for (int i = records_.count - 1; i >= 2; --i) {
    if ((records_[i]->GetFlags() & kExternalFlags) != 0) DeleteAt(i);
  }
}

int FcBlockList::ClearReferenceMarks() {
  for (int i = 0; i < records_.count; ++i) {
    records_[i]->SetUnreferenced(i >= 2);
    if (i >= 2) records_[i]->GetReferences().RemoveAll();
  }
  return records_.count;
}

void FcBlockList::RemoveSelfReferences() {
  for (int b = 0; b < records_.count; ++b) {
    FcBlock* block = records_[b];
    FcEntitySets& entities = block->GetEntities();
    // Many references name the same few blocks; each is walked once.
    std::unordered_map<const FcBlock*, bool> reachesBack;
    for (int i = entities.GetCount() - 1; i >= 0; --i) {
      const FcBlock* referenced = entities.GetAt(i)->GetReferencedBlock();
      if (referenced == nullptr) continue;
      const auto known = reachesBack.find(referenced);
      const bool cycle = known != reachesBack.end()
                             ? known->second
                             : (reachesBack[referenced] = referenced == block || referenced->ReachesBlock(block));
      if (!cycle) continue;
      // The reference goes with the sub-entities and the SEQEND after it.
      for (int k = entities.LastOfSequence(i); k >= i; --k) {
        FcEntity* entity = entities.RemoveAt(k);
        if (entity->GetLayer() != nullptr) entity->GetLayer()->RemoveEntityHandle(entity);
        delete entity;
      }
    }
  }
}

int FcBlockList::WriteDxfBlockRecords(FcFiler& filer) {
  filer.WriteString(0, "TABLE");
  filer.WriteString(2, "BLOCK_RECORD");
  filer.WriteHandle(5, GetHandle());
  filer.WriteHandle(330, 0);
  filer.WriteString(100, "AcDbSymbolTable");
  filer.WriteInt(70, records_.count);
  for (int i = 0; i < records_.count; ++i) {
    FcBlock* block = records_[i];
    block->FcObject::WriteDxf(filer);
    filer.WriteString(100, "AcDbSymbolTableRecord");
    filer.WriteString(100, "AcDbBlockTableRecord");
    filer.WriteString(2, block->GetName());
    filer.WriteHandle(340, block->GetLayoutHandle());
    filer.StepProgress(1);
  }
  filer.WriteString(0, "ENDTAB");
  return kFcStatusOk;
}

bool FcBlockList::FixSpaceBlock(int index, std::string_view name, std::uint8_t kind) {
  if (!EqualsNoCase(records_[index]->GetName(), name)) {
    int found = -1;
    for (int i = 0; i < records_.count && found < 0; ++i) {
      if (EqualsNoCase(records_[i]->GetName(), name)) found = i;
    }
    if (found >= 0) {
      SwapRecords(index, found);
    } else {
      auto* block = new (std::nothrow) FcBlock();
      if (block == nullptr || !Grow(1)) {
        delete block;
        return false;
      }
      block->SetOwner(this);
      if (graph_ != nullptr) block->SetHandle(::TakeHandle(graph_->GetHandleSeed()));
      block->CreateBeginEnd();
      block->SetName(name);
      records_.items[records_.count++] = records_[index];
      records_[index] = block;
      nameIndex_.Invalidate();
    }
  }
  records_[index]->SetKind(kind);
  return true;
}

int FcBlockList::ReadDxfBlockRecords(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  if (!ReadSubclassMarker(filer, "AcDbSymbolTable")) return kFcStatusEnd;
  RemoveAll();
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type == 70 && records_.count == 0 && group.intValue > 0) {
      const FcFile* file = filer.GetFile();
      const std::int64_t left = file != nullptr ? file->GetLength() - file->GetPosition() : 0;
      if (group.intValue <= left / kSmallestDxfRecord) Grow(group.intValue);
      continue;
    }
    if (group.type != 0) continue;
    const std::string_view name = TextOf(group);
    if (EqualsNoCase(name, "ENDTAB")) {
      if (records_.count > 1 &&
          (!FixSpaceBlock(0, kModelSpace, kBlockKindModelSpace) ||
           !FixSpaceBlock(1, kPaperSpace, kBlockKindPaperSpace))) {
        return kFcStatusStructure;
      }
      return kFcStatusOk;
    }
    if (!EqualsNoCase(name, "BLOCK_RECORD")) return kFcStatusEnd;
    auto* block = new (std::nothrow) FcBlock();
    if (block == nullptr) return kFcStatusStructure;
    block->SetOwner(this);
    if (block->ReadDxfRecord(filer) != kFcStatusOk) {
      delete block;
      return kFcStatusRecordFailed;
    }
    AppendRecord(block);
  }
  return kFcStatusEnd;
}

int FcBlockList::WriteDxf(FcFiler& filer) {
  filer.WriteString(0, "SECTION");
  filer.WriteString(2, "BLOCKS");
  for (int i = 0; i < records_.count; ++i) {
    FcBlock* block = records_[i];
    block->WriteDxf(filer);
    const FcExtendDataList& xdata = std::as_const(*block).GetXdata();
    for (int x = 0; x < xdata.GetCount(); ++x) {
      if (xdata.GetAt(x)->WriteDxf(filer) != 0) break;
    }
    filer.StepProgress(1);
  }
  filer.WriteString(0, "ENDSEC");
  return kFcStatusOk;
}

int FcBlockList::ReadDxf(FcFiler& filer) {
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type != 0) return kFcStatusReadError;
    const std::string_view name = TextOf(group);
    if (EqualsNoCase(name, "BLOCK")) {
      filer.SetMark();
      FcBlockBegin scratch;
      if (scratch.ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
      FcBlock* block = FindByName(scratch.GetBlockName());
      if (block == nullptr || block->IsDefined()) return kFcStatusReadError;
      filer.SeekToMark();
      if (block->ReadDxf(filer) != kFcStatusOk) return kFcStatusReadError;
      block->SetDefined(true);
      continue;
    }
    if (!EqualsNoCase(name, "ENDSEC")) return kFcStatusReadError;
    // Model and paper space take their entities from the ENTITIES section;
    // one that the record table had to make up has no BLOCK of its own.
    for (int i = 0; i < records_.count; ++i) {
      if (!records_[i]->IsDefined() && records_[i]->GetKind() == kBlockKindOther) return kFcStatusStructure;
    }
    for (int i = records_.count - 1; i >= 0; --i) {
      if (!records_[i]->GetName().empty()) continue;
      DeleteAt(i);
      break;
    }
    RemoveSelfReferences();
    return kFcStatusOk;
  }
  return kFcStatusReadError;
}

int FcBlockList::WriteDxfOwned(FcFiler& filer) {
  FcObject::WriteDxfOwned(filer);
  for (int i = 0; i < records_.count; ++i) records_[i]->WriteDxfOwned(filer);
  return kFcStatusOk;
}

bool FcBlockList::ResolveOwner(FcObject* candidate) {
  if (FcObject::ResolveOwner(candidate)) return true;
  for (int i = 0; i < records_.count; ++i) {
    if (records_[i]->ResolveOwner(candidate)) return true;
  }
  return false;
}

int FcBlockList::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteBitLong(records_.count > 2 ? records_.count - 2 : 0);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, 0);
  filer.WriteHandleRef(3, 0, 0);
  for (int i = 2; i < records_.count; ++i) filer.WriteHandleRef(2, 0, records_[i]->GetHandle());
  for (int i = 0; i < 2; ++i) filer.WriteHandleRef(3, 0, i < records_.count ? records_[i]->GetHandle() : 0);
  EndDwgObject(filer);
  for (int i = 0; i < records_.count; ++i) {
    records_[i]->WriteDwg(filer);
    filer.StepProgress(1);
  }
  return kFcStatusOk;
}

FcBlock* FcBlockList::ReadDwgBlock(FcFilerDwg& filer, FcHandle handle) {
  auto* block = new (std::nothrow) FcBlock();
  if (block == nullptr) return nullptr;
  block->SetHandle(handle);
  block->SetOwner(this);
  if (block->ReadDwg(filer) != kFcStatusOk) {
    delete block;
    return nullptr;
  }
  return block;
}

int FcBlockList::ReadDwg(FcFilerDwg& filer) {
  RemoveAll();
  if (graph_ != nullptr) SetHandle(graph_->GetSysVars().HeaderHandles.blockControl);
  FcDwgRecordPlace place;
  int count = 0;
  if (!ReadDwgControlStart(*this, filer, kDwgType, place, count)) return kFcStatusReadError;
  std::vector<FcHandle> entries;
  if (!ReadDwgEntryHandles(filer, place, count, EntryRule::kOwnedOnly, entries) ||
      !ReadHandleWithCode(filer, 3, modelSpaceHandle_) || !ReadHandleWithCode(filer, 3, paperSpaceHandle_) ||
      !ReadDwgObjectEnd(filer, place)) {
    return kFcStatusReadError;
  }
  if (!Grow(count + 2)) return kFcStatusStructure;
  auto* modelSpace = new (std::nothrow) FcBlock();
  auto* paperSpace = new (std::nothrow) FcBlock();
  if (modelSpace == nullptr || paperSpace == nullptr) {
    delete modelSpace;
    delete paperSpace;
    return kFcStatusStructure;
  }
  modelSpace->SetHandle(modelSpaceHandle_);
  modelSpace->SetKind(kBlockKindModelSpace);
  modelSpace->GetEntities().SetGrowthStep(kFcModelSpaceGrowth);
  paperSpace->SetHandle(paperSpaceHandle_);
  paperSpace->SetKind(kBlockKindPaperSpace);
  AppendRecord(modelSpace);
  AppendRecord(paperSpace);

  // The first block of each name stays; model space is made above.
  std::unordered_set<std::string> names{FoldedName(kModelSpace)};
  for (FcHandle handle : entries) {
    if (handle == 0 || filer.FindObjectOffset(handle) < 0) continue;
    FcBlock* block = ReadDwgBlock(filer, handle);
    if (block == nullptr) return kFcStatusReadError;
    const std::string& name = block->GetName();
    const bool drop = !names.insert(FoldedName(name)).second && !name.empty();
    if (drop) {
      delete block;
      continue;
    }
    AppendRecord(block);
  }
  // The block records are all read: model space's entities can now be
  // decoded ahead, on several threads for a large file.
  FcDwgEntityPrefetch ahead;
  if (FcGraph* graph = filer.GetGraph()) ahead.Decode(filer, *graph);
  modelSpace->GetEntities().SetDwgAhead(&ahead);
  const bool spacesRead = modelSpace->ReadDwg(filer) == kFcStatusOk && paperSpace->ReadDwg(filer) == kFcStatusOk;
  modelSpace->GetEntities().SetDwgAhead(nullptr);
  if (!spacesRead) return kFcStatusReadError;
  RemoveSelfReferences();
  return kFcStatusOk;
}
