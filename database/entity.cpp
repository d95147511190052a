#include "database/entity.h"

#include <cstdint>
#include <string>

#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/object_dxf_groups.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

// DWG linetype flags of the common entity data.
constexpr std::uint8_t kLinetypeFlagByLayer = 0;
constexpr std::uint8_t kLinetypeFlagByBlock = 1;
constexpr std::uint8_t kLinetypeFlagContinuous = 2;
constexpr std::uint8_t kLinetypeFlagRecord = 3;
constexpr std::uint8_t kLineweightByLayer = 29;

bool IsContinuousName(std::string_view name) { return EqualsNoCase(name, "Continuous"); }

std::uint8_t LinetypeFlags(const FcLineType* linetype) {
  if (linetype == nullptr) return kLinetypeFlagByLayer;
  if (linetype == LinetypeByBlock()) return kLinetypeFlagByBlock;
  return IsContinuousName(linetype->GetName()) ? kLinetypeFlagContinuous : kLinetypeFlagRecord;
}

// What an entity's linetype stands for in the pen set-up.
enum class LinetypeUse { kByLayer, kByBlock, kRecord };

LinetypeUse UseOf(const FcLineType* linetype) {
  if (linetype == nullptr) return LinetypeUse::kByLayer;
  if (linetype == LinetypeByBlock()) return LinetypeUse::kByBlock;
  if (linetype->GetKind() == FcLineType::kKindByLayer) return LinetypeUse::kByLayer;
  if (linetype->GetKind() == FcLineType::kKindByBlock) return LinetypeUse::kByBlock;
  return LinetypeUse::kRecord;
}

const char* TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

std::string HexHandle(FcHandle handle) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[handle & 0xF]);
    handle >>= 4;
  } while (handle != 0);
  return text;
}


// Graphic data of a record: an RL byte count (four RC, least significant
// first) and that many bytes.
bool SkipDwgGraphicData(FcFilerDwg& filer) {
  std::uint32_t count = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    std::uint8_t byte = 0;
    if (!filer.ReadRawChar(byte)) return false;
    count |= static_cast<std::uint32_t>(byte) << shift;
  }
  return filer.SkipBits(static_cast<std::uint64_t>(count) * 8u);
}

// The part of a record's common data that its handle section depends on,
// up to the no-links bit; the same in the full reader and the link
// follower.
struct DwgRecordStart {
  std::uint8_t entityMode = 0;
  std::int32_t reactors = 0;
  std::uint8_t linetypeByLayer = 1;
  std::uint8_t noLinks = 0;
  std::uint32_t dataBits = 0;
};

// From the RL data size (release 2000) to the no-links bit. The reactor
// count is bounded by the record's size, since each reactor takes a byte.
bool ReadDwgRecordStart(FcFilerDwg& filer, FcHandle handle, std::int64_t recordSize,
                        DwgRecordStart& start, FcObject* xdataOwner, std::int64_t recordEnd) {
  const bool release2000 = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  if (release2000 && !filer.ReadRawLong(start.dataBits)) return false;
  FcHandle own = 0;
  if (!filer.ReadHandleRef(own, 0) || own != handle) return false;
  if (xdataOwner != nullptr) {
    if (xdataOwner->ReadDwgXdata(filer, recordEnd) != kFcStatusOk) return false;
  } else if (!filer.SkipExtendedData()) {
    return false;
  }
  std::uint8_t graphic = 0;
  if (!filer.ReadBit(graphic)) return false;
  if (graphic != 0 && !SkipDwgGraphicData(filer)) return false;
  if (!release2000 && !filer.ReadRawLong(start.dataBits)) return false;
  if (!filer.ReadBitPair(start.entityMode) || !filer.ReadBitLong(start.reactors)) return false;
  if (start.reactors < 0 || start.reactors > recordSize) return false;
  if (!release2000 && !filer.ReadBit(start.linetypeByLayer)) return false;
  return filer.ReadBit(start.noLinks);
}

// Owner (entity mode 0), reactors and extension dictionary, all discarded.
bool SkipDwgOwnerHandles(FcFilerDwg& filer, FcHandle handle, const DwgRecordStart& start) {
  FcHandle ignored = 0;
  if (start.entityMode == 0 && !filer.ReadHandleRef(ignored, handle)) return false;
  for (std::int32_t i = 0; i < start.reactors; ++i) {
    if (!filer.ReadHandleRef(ignored, handle)) return false;
  }
  return filer.ReadHandleRef(ignored, handle);
}

bool ReadDwgLinkHandles(FcFilerDwg& filer, FcHandle handle, const DwgRecordStart& start,
                        FcHandle& previous, FcHandle& next) {
  if (start.noLinks != 0) {
    previous = handle - 1;
    next = handle + 1;
    return true;
  }
  return filer.ReadHandleRef(previous, handle) && filer.ReadHandleRef(next, handle);
}

// Every entity starts on it and every record read starts from it again.
const FcSharedName& LayerZeroName() {
  static const FcSharedName name("0");
  return name;
}

}  // namespace

int ReadRecordGroups(FcObject& object, FcFiler& filer, FcGroupReaderRef own) {
  FcResBuf group;
  const int result = ReadRecordGroups(object, filer, group, own);
  if (result == kFcStatusOk) filer.UnreadGroup();
  return result;
}

int ReadRecordGroups(FcObject& object, FcFiler& filer, FcResBuf& group, FcGroupReaderRef own) {
  while (filer.ReadGroup(group)) {
    if (group.type == 0 || group.type == 100) return kFcStatusOk;
    if (group.type == 1001) {
      filer.UnreadGroup();
      if (object.ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
      continue;
    }
    const int result = own(group);
    if (result != kFcStatusOk) return result;
  }
  return kFcStatusEnd;
}

FcLineType* LinetypeByBlock() { return reinterpret_cast<FcLineType*>(~std::uintptr_t{0}); }

bool ResolvePen(const FcEntity& entity, const FcPenContext& context, FcPen& pen) {
  FcLayer* layer = entity.GetLayer() != nullptr ? entity.GetLayer() : context.currentLayer;
  if (layer == nullptr) return false;
  FcLayer* governing = layer;
  if (layer->GetName() == "0" && context.contextLayer != nullptr) governing = context.contextLayer;
  if (governing->IsFrozen()) return false;
  if (context.highPrecision && !governing->IsPlottable()) return false;

  const FcBlock* block = entity.GetBlock();
  pen.color = entity.GetColor();
  if (pen.color == kColorByLayer) {
    pen.color = governing->GetColor();
  } else if (pen.color == kColorByBlock) {
    const bool blockSets = block != nullptr && block->GetByBlockColor() != kColorByLayer;
    pen.color = blockSets ? block->GetByBlockColor() : governing->GetColor();
  }

  switch (UseOf(entity.GetLinetype())) {
    case LinetypeUse::kRecord:
      pen.linetype = entity.GetLinetype();
      break;
    case LinetypeUse::kByBlock:
      // The block's field may hold the ByBlock marker itself; that is not a
      // linetype to draw with.
      if (block != nullptr && !IsLinetypeMarker(block->GetByBlockLinetype())) {
        pen.linetype = block->GetByBlockLinetype();
        break;
      }
      pen.linetype = governing->GetLinetype();
      break;
    case LinetypeUse::kByLayer:
      pen.linetype = governing->GetLinetype();
      break;
  }
  pen.linetypeScale = entity.GetLinetypeScale() * context.drawingLinetypeScale;
  return true;
}

FcEntity::FcEntity() : layerName_(LayerZeroName()) { SetRecordName("ENTITY"); }

FcEntity::~FcEntity() = default;

FcEntity* FcEntity::FindObjectByHandle(FcHandle) { return nullptr; }

bool FcEntity::Draw(FcDrawSink* sink) {
  FcPen pen;
  if (!ResolvePen(*this, sink != nullptr ? sink->GetPenContext() : FcPenContext{}, pen)) return false;
  if (sink != nullptr) sink->SetPen(pen);
  return true;
}

void FcEntity::MarkReferences() {
  if (IsLinetypeMarker(GetLinetype()) || GetLinetypeHandle() == 0) return;
  GetLinetype()->SetUnreferenced(false);
}

void FcEntity::Copy(const FcEntity* other) {
  if (other == nullptr) return;
  FcObject::Copy(*other);
  // The other entity may be a recorded copy whose layer and linetype have
  // since been deleted (or replaced with a reloaded drawing): its pointers
  // are never followed, only its handles.
  FcGraph* graph = OwnerGraphOf(*this);
  layerHandle_ = other->layerHandle_;
  layer_ = graph != nullptr ? graph->GetLayerList().FindByHandle(layerHandle_) : nullptr;
  const FcHandle linetypeHandle = other->GetLinetypeHandle();
  FcLineType* linetype = nullptr;
  if (other->GetLinetype() == LinetypeByBlock()) {
    linetype = LinetypeByBlock();
  } else if (graph != nullptr) {
    linetype = graph->GetLinetypeList().FindByHandle(linetypeHandle);
  }
  SetLinetypeParts(linetype, linetypeHandle, other->GetLinetypeScale());
  color_ = other->color_;
  paperSpace_ = other->paperSpace_;
  entitiesFollow_ = other->entitiesFollow_;
  invisible_ = other->invisible_;
}

void FcEntity::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  if (other == nullptr) return;
  FcObject::CopyFromOtherGraph(*other, target);
  const std::string_view layerName =
      other->layer_ != nullptr ? std::string_view(other->layer_->GetName()) : other->layerName_.str();
  layer_ = target.GetLayerList().FindByName(layerName);
  if (layer_ == nullptr) layer_ = target.GetCurrentLayer();
  layerHandle_ = layer_ != nullptr ? layer_->GetHandle() : 0;

  FcLineType* linetype = nullptr;
  FcHandle linetypeHandle = 0;
  if (other->GetLinetype() == LinetypeByBlock()) {
    linetype = LinetypeByBlock();
  } else if (other->GetLinetype() != nullptr && other->GetLinetypeHandle() != 0) {
    linetype = target.GetLinetypeList().FindByName(other->GetLinetype()->GetName());
    linetypeHandle = linetype != nullptr ? linetype->GetHandle() : 0;
  }
  SetLinetypeParts(linetype, linetypeHandle, other->GetLinetypeScale());
  color_ = other->color_;
  paperSpace_ = other->paperSpace_;
  entitiesFollow_ = other->entitiesFollow_;
  invisible_ = other->invisible_;
}

FcEntity* FcEntity::TransformedClone(const FcMatrix2d& matrix) const {
  FcEntity* clone = Clone();
  if (clone != nullptr) clone->Transform(matrix);
  return clone;
}

void FcEntity::List() {
  const std::string layerName = layer_ != nullptr ? layer_->GetName() : layerName_.str();
  PrintMessage("  " + GetRecordName() + "     Layer: " + layerName);
  const FcLineType* linetype = GetLinetype();
  if (color_ != kColorByLayer || linetype != nullptr) {
    std::string linetypeName = "ByLayer";
    if (linetype == LinetypeByBlock()) {
      linetypeName = "ByBlock";
    } else if (linetype != nullptr) {
      linetypeName = linetype->GetName();
    }
    PrintMessage("  Color: " + ColorIndexToText(color_) + "     Linetype: " + linetypeName);
    const FcGraph* graph = OwnerGraphOf(*this);
    const int precision = graph != nullptr ? graph->GetSysVars().luprec : FcSystemVar().luprec;
    PrintMessage("  Linetype scale : " + FormatDecimal(precision, GetLinetypeScale()));
  }
  PrintMessage("  Handle: " + HexHandle(GetHandle()));
}

double FcEntity::GetLength() const { return -1.0; }

double FcEntity::GetArea() const { return -1.0; }

bool FcEntity::Explode(FcEntitySets&) { return false; }

int FcEntity::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  FcMatrix2d translation;
  TranslationMatrix(offset.x, offset.y, translation);
  Transform(translation);
  return indices.count;
}

void FcEntity::GetStretchPoints(FcPoint2dArray& points) { GetGripPoints(points); }

int FcEntity::MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) {
  return MoveGripPoints(indices, offset);
}

void FcEntity::WriteDwgData(FcFilerDwg&) {}

void FcEntity::WriteDwgHandles(FcFilerDwg&, FcHandle, FcHandle, FcHandle) {}

int FcEntity::ReadDwgData(FcFilerDwg&) { return kFcStatusNoDwgForm; }

int FcEntity::ReadDwgHandles(FcFilerDwg&, FcHandle&, FcHandle&, FcHandle&) { return kFcStatusOk; }

void FcEntity::GetBoundarySegments(const FcMatrix2d&, GeomSegmentList&) {}

void FcEntity::GetTangentPoints(const FcPoint2d*, const FcPoint2d&, int, const FcMatrix2d&,
                                FcPoint2d&, int& mode) {
  mode = 0;
}

void FcEntity::GetBlockSnapSegments(int, const FcPoint2d&, FcHandle, int, int, const FcMatrix2d&,
                                    GeomSegmentList&) {}

bool FcEntity::IntersectWithSegment(const FcPoint2d&, int, const FcMatrix2d&, const GeomSegment&,
                                    FcPoint2d&) {
  return false;
}

FcBlock* FcEntity::GetReferencedBlock() const { return nullptr; }

void FcEntity::RebuildBlock() {}

void FcEntity::AdoptCopiedBlock(const FcEntity&, FcGraph&) {}

FcLayer* FcEntity::SetLayer(FcLayer* layer) {
  if (layer == nullptr) return nullptr;
  if (layer == layer_) return layer;
  if (layer_ != nullptr) layer_->RemoveEntityHandle(this);
  layer_ = layer;
  layerHandle_ = layer->GetHandle();
  // The layer appends the handle and hands the entity back to SetLayer,
  // which then finds the layer already set.
  layer->AddEntityHandle(this);
  return nullptr;
}

void FcEntity::FinishDecodedAhead(FcGraph*) {
  if (layer_ != nullptr) layer_->AddEntityHandle(this);
}

void FcEntity::SetBlock(FcBlock* block) {
  if (block == nullptr) {
    block_ = nullptr;
    return;
  }
  if (block == block_) return;
  if (block_ != nullptr) block_->RemoveEntity(this);
  block_ = block;
  block->GetEntities().Add(this);
  block->AddToSortEntsTable(GetHandle());
}

void FcEntity::SetBlockOfMember(FcBlock* block) {
  block_ = block;
  block->AddToSortEntsTable(GetHandle());
}

FcHandle FcEntity::GetBlockHandle() const { return block_ != nullptr ? block_->GetHandle() : 0; }

void FcEntity::SetLinetype(FcLineType* linetype) {
  SetLinetypeParts(linetype, IsLinetypeMarker(linetype) ? 0 : linetype->GetHandle(), GetLinetypeScale());
}

void FcEntity::SetLinetypeParts(FcLineType* linetype, FcHandle handle, double scale) {
  if (linetype == nullptr && handle == 0 && scale == 1.0) {
    linetype_.reset();
    return;
  }
  if (linetype_ == nullptr) linetype_ = std::make_unique<LinetypeParts>();
  *linetype_ = {linetype, handle, scale};
}

void FcEntity::CopyProperties(const FcEntity* other) {
  if (other == nullptr) return;
  if (other->layer_ != layer_) SetLayer(other->layer_);
  SetLinetypeParts(other->GetLinetype(), other->GetLinetypeHandle(), other->GetLinetypeScale());
  color_ = other->color_;
  invisible_ = other->invisible_;
}

int FcEntity::WriteDxf(FcFiler& filer) {
  filer.WriteString(0, GetRecordName());
  filer.WriteHandle(5, GetHandle());
  filer.WriteHandle(330, block_ != nullptr ? block_->GetHandle() : 0);
  filer.WriteString(100, "AcDbEntity");
  filer.WriteString(8, layer_ != nullptr ? std::string_view(layer_->GetName()) : "0");
  if (color_ != kColorByLayer) filer.WriteInt(62, color_);
  const FcLineType* linetype = GetLinetype();
  if (linetype == LinetypeByBlock()) {
    filer.WriteString(6, "ByBlock");
  } else if (linetype != nullptr && !EqualsNoCase(linetype->GetName(), "ByLayer")) {
    filer.WriteString(6, linetype->GetName());
  }
  if (GetLinetypeScale() != 1.0) filer.WriteReal(48, GetLinetypeScale());
  if (invisible_ != 0) filer.WriteInt(60, invisible_);
  return kFcStatusOk;
}

int FcEntity::ReadDxf(FcFiler& filer) {
  FcResBuf group;
  const int result = ReadDxfCommon(filer, group);
  if (result == kFcStatusOk) filer.UnreadGroup();
  return result;
}

int FcEntity::ReadDxfCommon(FcFiler& filer, FcResBuf& group) {
  const FcFiler::Place start = filer.GetPlace();
  const int common = ReadObjectDxfGroups(*this, filer, group);
  if (common == kFcStatusNoSubclass) {
    filer.SeekToPlace(start);
    return kFcStatusNoSubclass;
  }
  if (common != kFcStatusOk) return kFcStatusEnd;
  layerName_ = LayerZeroName();
  if (!EqualsNoCase(TextOf(group), "AcDbEntity")) return kFcStatusEnd;
  return ReadRecordGroups(*this, filer, group, [this, &filer](const FcResBuf& own) {
    return ReadCommonGroup(filer, own);
  });
}

bool FcEntity::IsCommonGroup(int code) {
  return code == 6 || code == 8 || code == 48 || code == 60 || code == 62 || code == 67;
}

int FcEntity::ReadCommonGroup(FcFiler& filer, const FcResBuf& group) {
  switch (group.type) {
    case 6: {
      FcGraph* graph = filer.GetGraph();
      FcLineType* linetype = graph != nullptr ? graph->GetLinetypeList().FindByName(TextOf(group)) : nullptr;
      if (linetype == nullptr) return kFcStatusStructure;
      SetLinetype(linetype);
      break;
    }
    case 8:
      SetLayerName(TextOf(group));
      break;
    case 48:
      SetLinetypeScale(group.realValue);
      break;
    case 60:
      invisible_ = group.intValue != 0 ? 1 : 0;
      break;
    case 62:
      color_ = static_cast<std::int16_t>(group.intValue);
      break;
    case 67:
      paperSpace_ = group.intValue;
      break;
    default:
      break;
  }
  return kFcStatusOk;
}

int FcEntity::ReadDxfWithoutMarkers(FcFiler& filer, FcGroupReaderRef own) {
  layerName_ = LayerZeroName();
  bool inBracket = false;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    const int code = group.type;
    if (code == 0) {
      filer.UnreadGroup();
      return kFcStatusOk;
    }
    int result = kFcStatusOk;
    if (code == 5) {
      SetHandle(group.handle);
      if (FcGraph* graph = filer.GetGraph()) RaiseHandleSeed(graph->GetHandleSeed(), group.handle);
    } else if (code == 102) {
      inBracket = !inBracket;
    } else if (code == 1001) {
      filer.UnreadGroup();
      if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
    } else if (IsCommonGroup(code)) {
      result = ReadCommonGroup(filer, group);
    } else if (!inBracket && code != 330) {
      result = own(group);
    }
    if (result != kFcStatusOk) return result;
  }
  return kFcStatusEnd;
}

int FcEntity::WriteDwg(FcFilerDwg& filer, FcHandle previous, FcHandle next, FcHandle extra1,
                       FcHandle extra2, FcHandle extra3) {
  const FcHandle handle = GetHandle();
  const std::uint8_t entityMode = block_ != nullptr ? block_->GetKind() : kBlockKindOther;
  const bool noLinks = previous == handle - 1 && next == handle + 1;
  const std::uint8_t linetypeFlags = LinetypeFlags(GetLinetype());

  BeginDwgObject(filer);
  filer.WriteBit(0);
  filer.WriteBit(entityMode >> 1);
  filer.WriteBit(entityMode & 1);
  filer.WriteBitLong(0);
  filer.WriteBit(noLinks ? 1 : 0);
  filer.WriteBitShort(color_);
  filer.WriteBitDouble(GetLinetypeScale());
  filer.WriteBit(linetypeFlags >> 1);
  filer.WriteBit(linetypeFlags & 1);
  filer.WriteBit(0);
  filer.WriteBit(0);
  filer.WriteBitShort(invisible_);
  filer.WriteRawByte(kLineweightByLayer);
  WriteDwgData(filer);
  filer.SetDataBitSize(filer.GetBitsWritten());

  if (entityMode == kBlockKindOther) {
    const FcHandle override = filer.GetOwnerOverride();
    const FcHandle blockHandle = GetBlockHandle();
    filer.WriteHandleRef(6, handle, override != 0 ? override : blockHandle);
  }
  // The reader passes over this handle; writing the real one keeps the
  // record consistent with the dictionary record that follows it.
  filer.WriteHandleRef(3, 0, GetExtDictionary() != nullptr ? GetExtDictionaryHandle() : 0);
  if (!noLinks) {
    filer.WriteHandleRef(4, 0, previous);
    filer.WriteHandleRef(4, 0, next);
  }
  if (layer_ != nullptr) layerHandle_ = layer_->GetHandle();
  filer.WriteHandleRef(5, 0, layerHandle_);
  if (linetypeFlags == kLinetypeFlagRecord) filer.WriteHandleRef(5, 0, GetLinetype()->GetHandle());
  WriteDwgHandles(filer, extra1, extra2, extra3);
  EndDwgObject(filer);
  return kFcStatusOk;
}

struct FcEntity::DwgCommon {
  DwgRecordStart start;
  std::uint8_t linetypeFlags = 0;
  std::uint8_t plotStyleFlags = 0;
};

int FcEntity::ReadDwg(FcFilerDwg& filer, std::int64_t size, std::int64_t offset,
                      FcHandle& previous, FcHandle& next, FcHandle& extra1, FcHandle& extra2,
                      FcHandle& extra3) {
  DwgCommon common;
  if (ReadDwgCommonData(filer, size, offset, common) != kFcStatusOk) return kFcStatusReadError;
  const int dataResult = ReadDwgData(filer);
  if (dataResult != kFcStatusOk) return dataResult;
  if (ReadDwgCommonHandles(filer, common, previous, next) != kFcStatusOk) return kFcStatusReadError;
  extra1 = 0;
  extra2 = 0;
  extra3 = 0;
  const int handlesResult = ReadDwgHandles(filer, extra1, extra2, extra3);
  if (handlesResult != kFcStatusOk) return handlesResult;
  const FcDwgRecordPlace place{offset, size};
  return ReadDwgObjectEnd(filer, place) ? kFcStatusOk : kFcStatusReadError;
}

int FcEntity::ReadDwgCommonData(FcFilerDwg& filer, std::int64_t size, std::int64_t offset,
                                DwgCommon& common) {
  DwgRecordStart& start = common.start;
  if (!ReadDwgRecordStart(filer, GetHandle(), size, start, this, offset + size)) {
    return kFcStatusReadError;
  }
  paperSpace_ = start.entityMode == kBlockKindPaperSpace ? 1 : 0;
  std::int16_t color = 0;
  double scale = 0.0;
  if (!filer.ReadBitShort(color) || !filer.ReadBitDouble(scale)) return kFcStatusReadError;
  const bool release2000 = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  if (release2000 &&
      (!filer.ReadBitPair(common.linetypeFlags) || !filer.ReadBitPair(common.plotStyleFlags))) {
    return kFcStatusReadError;
  }
  std::int16_t invisible = 0;
  if (!filer.ReadBitShort(invisible)) return kFcStatusReadError;
  std::uint8_t lineweight = 0;
  if (release2000 && !filer.ReadRawChar(lineweight)) return kFcStatusReadError;
  color_ = color;
  SetLinetypeScale(scale);
  invisible_ = invisible;
  return kFcStatusOk;
}

int FcEntity::ReadDwgCommonHandles(FcFilerDwg& filer, const DwgCommon& common, FcHandle& previous,
                                   FcHandle& next) {
  layerHandle_ = 0;
  SetLinetype(nullptr);
  FcLineType* linetype = nullptr;
  const FcHandle handle = GetHandle();
  const DwgRecordStart& start = common.start;
  FcGraph* graph = filer.GetGraph();
  if (graph == nullptr || !SkipDwgOwnerHandles(filer, handle, start)) return kFcStatusReadError;

  FcHandle layerHandle = 0;
  FcHandle linetypeHandle = 0;
  if (filer.GetVersion() < FcFilerDwg::kVersion2000) {
    if (!filer.ReadHandleRef(layerHandle, handle)) return kFcStatusReadError;
    if (start.linetypeByLayer == 0) {
      if (!filer.ReadHandleRef(linetypeHandle, handle)) return kFcStatusReadError;
      linetype = graph->GetLinetypeList().FindByHandle(linetypeHandle);
    }
    if (!ReadDwgLinkHandles(filer, handle, start, previous, next)) return kFcStatusReadError;
  } else {
    if (!ReadDwgLinkHandles(filer, handle, start, previous, next)) return kFcStatusReadError;
    if (!filer.ReadHandleRef(layerHandle, handle)) return kFcStatusReadError;
    switch (common.linetypeFlags) {
      case kLinetypeFlagByBlock:
        linetype = LinetypeByBlock();
        break;
      case kLinetypeFlagContinuous:
        linetype = graph->GetLinetypeList().FindByName("Continuous");
        break;
      case kLinetypeFlagRecord:
        if (!filer.ReadHandleRef(linetypeHandle, handle)) return kFcStatusReadError;
        linetype = graph->GetLinetypeList().FindByHandle(linetypeHandle);
        break;
      default:
        break;
    }
    FcHandle plotStyle = 0;
    if (common.plotStyleFlags == 3 && !filer.ReadHandleRef(plotStyle, handle)) return kFcStatusReadError;
  }
  SetLinetype(linetype);

  FcLayer* layer = layerHandle != 0 ? graph->GetLayerList().FindByHandle(layerHandle) : nullptr;
  if (layer == nullptr) return kFcStatusReadError;
  if (filer.IsDecodingAhead()) {
    layer_ = layer;
    layerHandle_ = layer->GetHandle();
    return kFcStatusOk;
  }
  // Joins the layer's member list once, however the entity came here.
  SetLayer(layer);
  return kFcStatusOk;
}

int FcEntity::ReadDwgLinks(FcFilerDwg& filer, FcHandle handle, FcHandle& previous, FcHandle& next) {
  const std::int64_t offset = filer.FindObjectOffset(handle);
  if (offset <= 0 || filer.Seek(offset, FcSeekOrigin::kBegin) != offset) return kFcStatusReadError;
  std::int32_t size = 0;
  if (!filer.ReadModularShort(size)) return kFcStatusReadError;
  filer.SaveBitPosition();
  std::int16_t type = 0;
  if (!filer.ReadBitShort(type)) return kFcStatusReadError;
  DwgRecordStart start;
  if (!ReadDwgRecordStart(filer, handle, size, start, nullptr, 0)) return kFcStatusReadError;
  if (start.noLinks != 0) {
    previous = handle - 1;
    next = handle + 1;
    return kFcStatusOk;
  }
  filer.RestoreBitPosition();
  if (!filer.SkipBits(start.dataBits) || !SkipDwgOwnerHandles(filer, handle, start)) {
    return kFcStatusReadError;
  }
  if (filer.GetVersion() < FcFilerDwg::kVersion2000) {
    FcHandle ignored = 0;
    if (!filer.ReadHandleRef(ignored, handle)) return kFcStatusReadError;
    if (start.linetypeByLayer == 0 && !filer.ReadHandleRef(ignored, handle)) return kFcStatusReadError;
  }
  return ReadDwgLinkHandles(filer, handle, start, previous, next) ? kFcStatusOk : kFcStatusReadError;
}

FcDwgOwnerOverride::FcDwgOwnerOverride(FcFilerDwg& filer, FcHandle owner)
    : filer_(filer), previousOwner_(filer.GetOwnerOverride()) {
  filer.SetOwnerOverride(owner);
}

FcDwgOwnerOverride::~FcDwgOwnerOverride() { filer_.SetOwnerOverride(previousOwner_); }

FcGraph* OwnerGraphOf(const FcEntity& entity) {
  if (const FcBlock* block = entity.GetBlock(); block != nullptr && block->GetGraph() != nullptr) {
    return block->GetGraph();
  }
  if (const FcLayer* layer = entity.GetLayer(); layer != nullptr && layer->GetGraph() != nullptr) {
    return layer->GetGraph();
  }
  return CurrentGraph();
}

int FcEntity::WriteDwgSubRecords(FcFilerDwg&) { return kFcStatusNoDwgForm; }

int FcEntity::ReadDwgSubRecords(FcFilerDwg&, FcHandle, FcHandle) { return kFcStatusNoDwgForm; }
