#include "entities/insert.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/block.h"
#include "database/entity_dxf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "entities/circle.h"
#include "entities/entity_clone.h"
#include "entities/entity_listing.h"
#include "entities/entity_math.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_segment.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

constexpr double kMinScale = 1e-7;

// Counts the block references being walked into on this thread, so that a
// chain that reaches itself (or is merely too deep) ends instead of
// exhausting the stack.
class NestingGuard {
 public:
  NestingGuard() { ++depth_; }
  ~NestingGuard() { --depth_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
  bool TooDeep() const { return depth_ > kMaxInsertNesting; }

 private:
  static thread_local int depth_;
};

thread_local int NestingGuard::depth_ = 0;

bool IsLayerZero(const FcLayer* layer) { return layer != nullptr && layer->GetName() == "0"; }

// The layer whose on/off state a block entity is drawn with.
const FcLayer* GoverningLayer(const FcEntity& entity, const FcLayer* contextLayer) {
  const FcLayer* layer = entity.GetLayer();
  return IsLayerZero(layer) && contextLayer != nullptr ? contextLayer : layer;
}

bool IsByBlockLinetype(const FcLineType* linetype) {
  return linetype == LinetypeByBlock() ||
         (linetype != nullptr && linetype->GetKind() == FcLineType::kKindByBlock);
}

// Calls visit(row, column) for each drawn cell, rows first.
template <typename Visit>
void ForEachCell(const FcInsert& insert, Visit visit) {
  if (insert.DrawnCellCount() == 1) {
    visit(0, 0);
    return;
  }
  for (int row = 0; row < insert.GetRows(); ++row) {
    for (int column = 0; column < insert.GetColumns(); ++column) visit(row, column);
  }
}

}  // namespace

FcInsert::FcInsert() {
  SetRecordName(kRecordName);
  SetKind(kEntityInsert);
  SetDwgType(kDwgType);
}

FcInsert::FcInsert(const FcInsert& other) : FcInsert() { Copy(&other); }

FcObject* FcInsert::Create() { return new (std::nothrow) FcInsert; }

FcGraph* FcInsert::BindingGraph() const { return OwnerGraphOf(*this); }

FcBlock* FcInsert::GetBlockRecord() const {
  FcGraph* graph = BindingGraph();
  if (graph == nullptr) return nullptr;
  const FcBlockList& table = graph->GetBlockList();
  // The cached pointer is only compared until the table confirms it is
  // still one of its records: a deleted block must never be followed.
  if (block_ != nullptr && blockIndex_ >= 0 && blockIndex_ < table.GetBlockCount() &&
      table.GetAt(blockIndex_) == block_ && (blockRecordHandle_ == 0 || block_->GetHandle() == blockRecordHandle_)) {
    return block_;
  }
  block_ = nullptr;
  blockIndex_ = -1;
  FcBlock* found = blockRecordHandle_ != 0 ? table.FindByHandle(blockRecordHandle_) : table.FindByName(blockName_);
  if (found == nullptr) return nullptr;
  for (int i = 0; i < table.GetBlockCount(); ++i) {
    if (table.GetAt(i) != found) continue;
    block_ = found;
    blockIndex_ = i;
    break;
  }
  return block_;
}

FcBlock* FcInsert::GetReferencedBlock() const { return GetBlockRecord(); }

void FcInsert::SetBlockName(std::string_view name) {
  FcGraph* graph = BindingGraph();
  FcBlock* block = graph != nullptr ? graph->GetBlockList().FindByName(name) : nullptr;
  SetBlockRecord(block);
}

void FcInsert::SetBlockRecord(FcBlock* block) {
  if (block == nullptr) return;
  blockName_ = block->GetName();
  blockRecordHandle_ = block->GetHandle();
  block_ = nullptr;
  blockIndex_ = -1;
}

void FcInsert::SetXScale(double scale) {
  if (std::fabs(scale) > kMinScale) xScale_ = scale;
}

void FcInsert::SetYScale(double scale) {
  if (std::fabs(scale) > kMinScale) yScale_ = scale;
}

void FcInsert::SetRows(int rows) { rows_ = rows < 1 ? 1 : rows; }

void FcInsert::SetColumns(int columns) { columns_ = columns < 1 ? 1 : columns; }

std::int64_t FcInsert::DrawnCellCount() const {
  const std::int64_t cells = static_cast<std::int64_t>(rows_) * columns_;
  return cells > kMaxInsertCells ? 1 : cells;
}

FcMatrix2d FcInsert::CellMatrix(int row, int column) const {
  FcPoint2d offset{column * columnSpacing_, row * rowSpacing_};
  RotateVector(rotation_, offset);
  const FcPoint2d origin{insertion_.x + offset.x, insertion_.y + offset.y};
  const FcBlock* block = GetBlockRecord();
  const FcPoint2d base = block != nullptr ? block->GetBasePoint() : FcPoint2d{};
  FcMatrix2d matrix;
  ScaleXYAboutPointMatrix(base.x, base.y, xScale_, yScale_, matrix);
  FcMatrix2d step;
  RotationMatrix(base.x, base.y, rotation_, step);
  MultiplyMatrix(matrix, step);
  TranslationMatrix(origin.x - base.x, origin.y - base.y, step);
  MultiplyMatrix(matrix, step);
  return matrix;
}

int FcInsert::WriteDxf(FcFiler& filer) {
  const FcBlock* block = GetBlockRecord();
  if (block == nullptr) return kFcStatusEnd;
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  if (GetEntitiesFollow() != 0) filer.WriteInt(66, GetEntitiesFollow());
  filer.WriteString(2, block->GetName());
  WriteDxfPoint(filer, 10, insertion_);
  if (xScale_ != 1.0) filer.WriteReal(41, xScale_);
  if (yScale_ != 1.0) filer.WriteReal(42, yScale_);
  if (rotation_ != 0.0) filer.WriteReal(50, rotation_ * kRadToDeg);
  if (columns_ > 1) filer.WriteInt(70, columns_);
  if (rows_ > 1) filer.WriteInt(71, rows_);
  if (columns_ > 1) filer.WriteReal(44, columnSpacing_);
  if (rows_ > 1) filer.WriteReal(45, rowSpacing_);
  return kFcStatusOk;
}

int FcInsert::ReadDxf(FcFiler& filer) {
  bool reversed = false;
  const int result = ReadEntityDxf(*this, filer, kSubclassMarker, [this, &reversed](const FcResBuf& group) {
    switch (group.type) {
      case 2:
        blockName_ = group.text != nullptr ? group.text : "";
        blockRecordHandle_ = 0;
        break;
      case 10:
        insertion_ = {group.x, group.y};
        break;
      case 41:
        SetXScale(group.realValue);
        break;
      case 42:
        SetYScale(group.realValue);
        break;
      case 44:
        columnSpacing_ = group.realValue;
        break;
      case 45:
        rowSpacing_ = group.realValue;
        break;
      case 50:
        rotation_ = group.realValue;
        break;
      case 66:
        SetEntitiesFollow(static_cast<std::int16_t>(group.intValue));
        break;
      case 70:
        SetColumns(group.intValue);
        break;
      case 71:
        SetRows(group.intValue);
        break;
      case 210:
        reversed = IsReversedExtrusion(group.x, group.y, group.z);
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
  if (reversed) {
    insertion_.x = -insertion_.x;
    xScale_ = -xScale_;
  }
  return result;
}

FcEntity* FcInsert::FindObjectByHandle(FcHandle handle) {
  NestingGuard guard;
  FcBlock* block = GetBlockRecord();
  if (guard.TooDeep() || block == nullptr) return nullptr;
  const FcEntitySets& entities = block->GetEntities();
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    if (entities.GetAt(i)->GetHandle() == handle) return entities.GetAt(i);
  }
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    if (FcEntity* found = entities.GetAt(i)->FindObjectByHandle(handle)) return found;
  }
  return nullptr;
}

bool FcInsert::Draw(FcDrawSink* sink) {
  if (sink == nullptr) return true;
  NestingGuard guard;
  if (guard.TooDeep()) return true;
  const FcNestingState outer = sink->GetNesting();
  FcNestingState state = outer;
  if (!(IsLayerZero(GetLayer()) && outer.contextLayer != nullptr)) state.contextLayer = GetLayer();
  sink->SetNesting(state);
  FcBlock* block = GetBlockRecord();
  if (!FcEntity::Draw(sink) || block == nullptr) {
    sink->SetNesting(outer);
    return true;
  }
  if (outer.depth == 0) sink->OpenReferenceGroup(GetHandle());

  const std::int16_t savedColor = block->GetByBlockColor();
  FcLineType* const savedLinetype = block->GetByBlockLinetype();
  // A ByBlock reference passes on the colour its own block is drawn with
  // (a dimension's arrow takes the dimension's colour); at the top it
  // leaves its ByBlock entities to their layer.
  std::int16_t color = GetColor();
  if (color == kColorByBlock) color = GetBlock() != nullptr ? GetBlock()->GetByBlockColor() : kColorByLayer;
  if (color >= 0 && color <= kColorByLayer) block->SetByBlockColor(color);
  FcLineType* linetype = GetLinetype();
  if (IsByBlockLinetype(linetype)) {
    const FcBlock* owner = GetBlock();
    const FcLineType* ownerLinetype = owner != nullptr ? owner->GetByBlockLinetype() : nullptr;
    if (owner == nullptr) {
      linetype = nullptr;
    } else if (!IsLinetypeMarker(ownerLinetype) && ownerLinetype->GetKind() != FcLineType::kKindByLayer) {
      linetype = owner->GetByBlockLinetype();
    } else {
      linetype = GetLayer() != nullptr ? GetLayer()->GetLinetype() : nullptr;
    }
  }
  block->SetByBlockLinetype(linetype);

  state.depth = outer.depth + 1;
  sink->SetNesting(state);
  DrawCells(*sink, *block, state);
  block->SetByBlockColor(savedColor);
  block->SetByBlockLinetype(savedLinetype);
  sink->SetNesting(outer);
  return true;
}

void FcInsert::DrawCells(FcDrawSink& sink, FcBlock& block, const FcNestingState& inner) const {
  // Only the outermost reference numbers the cells: object snap finds the
  // copy through that reference's array, nested references add none.
  const bool outermost = inner.depth == 1;
  const FcMatrix2d outerTransform = inner.transform;
  ForEachCell(*this, [&](int row, int column) {
    FcNestingState cell = inner;
    if (outermost) cell.cell = row * columns_ + column;
    ComposeMatrices(cell.transform, CellMatrix(row, column), outerTransform);
    const FcEntitySets& entities = block.GetEntities();
    for (int i = 0; i < entities.GetCount(); ++i) {
      FcEntity* entity = entities.GetAt(i);
      sink.SetNesting(cell);
      entity->Draw(&sink);
      const FcLayer* layer = GoverningLayer(*entity, cell.contextLayer);
      if (layer != nullptr && !layer->IsOn()) sink.HideBlockEntity(entity->GetHandle());
    }
  });
}

void FcInsert::MarkReferences() {
  FcEntity::MarkReferences();
  NestingGuard guard;
  FcBlock* block = GetBlockRecord();
  if (guard.TooDeep() || block == nullptr) return;
  block->GetReferences().Add(GetHandle());
  // The block's own entities need marking once per pass, not once per
  // reference: repeated nesting would otherwise multiply the work.
  const bool firstMark = block->IsUnreferenced();
  block->SetUnreferenced(false);
  if (!firstMark) return;
  for (FcEntity* entity : block->GetEntities()) entity->MarkReferences();
}

FcEntity* FcInsert::Clone() const { return new (std::nothrow) FcInsert(*this); }

void FcInsert::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  const auto* insert = dynamic_cast<const FcInsert*>(other);
  if (insert == nullptr) return;
  CopyOwnFields(*insert);
  blockRecordHandle_ = insert->blockRecordHandle_;
}

FcEntity* FcInsert::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcInsert::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  const auto* insert = dynamic_cast<const FcInsert*>(other);
  if (insert == nullptr) return;
  CopyOwnFields(*insert);
  const FcBlock* block = target.GetBlockList().FindByName(blockName_);
  blockRecordHandle_ = block != nullptr ? block->GetHandle() : 0;
}

void FcInsert::CopyOwnFields(const FcInsert& other) {
  insertion_ = other.insertion_;
  xScale_ = other.xScale_;
  yScale_ = other.yScale_;
  rotation_ = other.rotation_;
  rows_ = other.rows_;
  rowSpacing_ = other.rowSpacing_;
  columns_ = other.columns_;
  columnSpacing_ = other.columnSpacing_;
  blockName_ = other.blockName_;
  block_ = nullptr;
  blockIndex_ = -1;
}

void FcInsert::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, insertion_);
  const bool mirrors = IsMirroringMatrix(matrix);
  const double xLength = std::sqrt(matrix.a * matrix.a + matrix.d * matrix.d);
  const double yLength = std::sqrt(matrix.b * matrix.b + matrix.e * matrix.e);
  double x = std::fabs(xScale_) * xLength;
  if ((xScale_ < 0.0) != mirrors) x = -x;
  xScale_ = x;
  yScale_ = std::copysign(std::fabs(yScale_) * yLength, yScale_);
  const FcPoint2d direction = TransformVector(matrix, {100.0 * std::cos(rotation_), 100.0 * std::sin(rotation_)});
  double rotation = std::atan2(direction.y, direction.x);
  if (mirrors) rotation += kPi;
  NormalizeAngle(rotation);
  rotation_ = rotation;
}

void FcInsert::List() {
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const int decimals = graph != nullptr ? graph->GetSysVars().luprec : 4;
  const FormattedPoint at = FormatPoint(insertion_, graph);
  PrintMessage("  Block name: " + blockName_);
  PrintMessage("  Insert point: X= " + at.x + "    Y= " + at.y);
  PrintMessage("  X Scale: " + FormatDecimal(decimals, xScale_));
  PrintMessage("  Y Scale: " + FormatDecimal(decimals, yScale_));
  PrintMessage("  Rotate angle: " + FormatDrawingAngle(rotation_, graph));
}

bool FcInsert::Explode(FcEntitySets& target) {
  if (xScale_ != yScale_) {
    PrintMessage("Can't explode the block that the X scale don't equal Y scale.");
    return false;
  }
  if (static_cast<std::int64_t>(rows_) * columns_ > kMaxInsertCells) {
    PrintMessage("Can't explode the block array: it has too many copies.");
    return false;
  }
  FcBlock* block = GetBlockRecord();
  if (block == nullptr) return false;
  bool produced = false;
  ForEachCell(*this, [&](int row, int column) {
    const FcMatrix2d matrix = CellMatrix(row, column);
    for (const FcEntity* entity : block->GetEntities()) {
      FcEntity* clone = entity->TransformedClone(matrix);
      if (clone == nullptr) continue;
      if (FcLayer* layer = entity->GetLayer()) {
        clone->SetLayer(layer);
        layer->AddEntityHandle(clone);
      }
      target.Add(clone);
      produced = true;
    }
  });
  return produced;
}

void FcInsert::GetGripPoints(FcPoint2dArray& points) { points.Add(insertion_); }

int FcInsert::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  insertion_.x += offset.x;
  insertion_.y += offset.y;
  return indices.count;
}

void FcInsert::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBitDouble(insertion_.x);
  filer.WriteBitDouble(insertion_.y);
  filer.WriteBitDouble(0.0);
  if (xScale_ == 1.0 && yScale_ == 1.0) {
    filer.WriteBit(1);
    filer.WriteBit(1);
  } else if (xScale_ == 1.0) {
    filer.WriteBit(0);
    filer.WriteBit(1);
    filer.WriteDefaultDouble(1.0, yScale_);
    filer.WriteDefaultDouble(1.0, 1.0);
  } else if (xScale_ == yScale_) {
    filer.WriteBit(1);
    filer.WriteBit(0);
    filer.WriteRawDouble(xScale_);
  } else {
    filer.WriteBit(0);
    filer.WriteBit(0);
    filer.WriteRawDouble(xScale_);
    filer.WriteDefaultDouble(xScale_, yScale_);
    filer.WriteDefaultDouble(xScale_, 1.0);
  }
  filer.WriteBitDouble(rotation_);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(1.0);
  filer.WriteBit(GetEntitiesFollow() != 0 ? 1 : 0);
}

void FcInsert::WriteDwgHandles(FcFilerDwg& filer, FcHandle firstAttribute, FcHandle lastAttribute,
                               FcHandle seqend) {
  const FcBlock* block = GetBlockRecord();
  if (block != nullptr) blockRecordHandle_ = block->GetHandle();
  filer.WriteHandleRef(5, 0, blockRecordHandle_);
  if (GetEntitiesFollow() == 0) return;
  filer.WriteHandleRef(4, 0, firstAttribute);
  filer.WriteHandleRef(4, 0, lastAttribute);
  filer.WriteHandleRef(3, 0, seqend);
}

int FcInsert::ReadDwgData(FcFilerDwg& filer) {
  FcPoint2d insertion;
  double z = 0.0;
  double xScale = 1.0;
  double yScale = 1.0;
  double zScale = 1.0;
  bool ok = filer.ReadBitDouble(insertion.x) && filer.ReadBitDouble(insertion.y) && filer.ReadBitDouble(z);
  if (ok && filer.GetVersion() >= FcFilerDwg::kVersion2000) {
    std::uint8_t pair = 0;
    ok = filer.ReadBitPair(pair);
    if (ok && pair == 0) {
      ok = filer.ReadRawDouble(xScale) && filer.ReadDefaultDouble(xScale, yScale) &&
           filer.ReadDefaultDouble(xScale, zScale);
    } else if (ok && pair == 1) {
      ok = filer.ReadDefaultDouble(1.0, yScale) && filer.ReadDefaultDouble(1.0, zScale);
    } else if (ok && pair == 2) {
      ok = filer.ReadRawDouble(xScale);
      yScale = xScale;
    }
  } else if (ok) {
    ok = filer.ReadBitDouble(xScale) && filer.ReadBitDouble(yScale) && filer.ReadBitDouble(zScale);
  }
  double rotation = 0.0;
  double extrusion[3] = {};
  std::uint8_t follow = 0;
  if (!ok || !filer.ReadBitDouble(rotation) || !filer.Read3BitDouble(extrusion) || !filer.ReadBit(follow)) {
    return kFcStatusReadError;
  }
  if (extrusion[0] == 0.0 && extrusion[1] == 0.0 && extrusion[2] == -1.0) {
    insertion.x = -insertion.x;
    xScale = -xScale;
  }
  insertion_ = insertion;
  SetXScale(xScale);
  SetYScale(yScale);
  rotation_ = rotation;
  SetEntitiesFollow(follow);
  return kFcStatusOk;
}

int FcInsert::ReadDwgHandles(FcFilerDwg& filer, FcHandle& firstAttribute, FcHandle& lastAttribute,
                             FcHandle& seqend) {
  block_ = nullptr;
  blockIndex_ = -1;
  FcHandle handle = 0;
  if (!filer.ReadHandleRef(handle, GetHandle()) || handle == 0) return kFcStatusReadError;
  blockRecordHandle_ = handle;
  if (FcGraph* graph = filer.GetGraph()) {
    if (const FcBlock* block = graph->GetBlockList().FindByHandle(handle)) blockName_ = block->GetName();
  }
  if (GetEntitiesFollow() == 0) return kFcStatusOk;
  if (!filer.ReadHandleRef(firstAttribute, GetHandle()) || !filer.ReadHandleRef(lastAttribute, GetHandle()) ||
      !filer.ReadHandleRef(seqend, GetHandle())) {
    return kFcStatusReadError;
  }
  return kFcStatusOk;
}

void FcInsert::GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) {
  NestingGuard guard;
  FcBlock* block = GetBlockRecord();
  if (guard.TooDeep() || block == nullptr) return;
  ForEachCell(*this, [&](int row, int column) {
    FcMatrix2d composed;
    ComposeMatrices(composed, CellMatrix(row, column), matrix);
    for (FcEntity* entity : block->GetEntities()) entity->GetBoundarySegments(composed, segments);
  });
}

void FcInsert::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  AppendPointSegment(segments, insertion_, kOsnapInsert, matrix);
}

void FcInsert::GetBlockSnapSegments(int mode, const FcPoint2d& pickPoint, FcHandle subEntity, int subIndex,
                                    int cellNumber, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  NestingGuard guard;
  FcBlock* block = GetBlockRecord();
  if (guard.TooDeep() || block == nullptr || cellNumber < 0) return;
  const int row = cellNumber / columns_;
  const int column = cellNumber % columns_;
  if (row >= rows_ || (DrawnCellCount() == 1 && cellNumber != 0)) return;
  FcMatrix2d composed;
  ComposeMatrices(composed, CellMatrix(row, column), matrix);
  const FcEntitySets& entities = block->GetEntities();
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    FcEntity* entity = entities.GetAt(i);
    if (entity->GetHandle() != subEntity) continue;
    entity->GetSnapSegments(mode, pickPoint, subIndex, composed, segments);
    return;
  }
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    FcEntity* entity = entities.GetAt(i);
    const auto* nested = dynamic_cast<const FcInsert*>(entity);
    if (nested != nullptr && (nested->rows_ > 1 || nested->columns_ > 1)) continue;
    entity->GetBlockSnapSegments(mode, pickPoint, subEntity, subIndex, 0, composed, segments);
  }
}
