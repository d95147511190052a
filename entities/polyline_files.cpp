#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "core/resbuf.h"
#include "database/block.h"
#include "database/block_markers.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/system_var_access.h"
#include "entities/heavy_polyline_records.h"
#include "entities/polyline.h"
#include "entities/vertex_2d.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

using sysvar_access::TextOf;

namespace {

// Room made ahead for a vertex count read from a file: a hint only, the
// vertices really read decide.
constexpr int kMaxReservedVertices = 4096;

bool Finite(double value) { return std::isfinite(value); }

std::int32_t HeavyCurveType(std::int32_t value) {
  if (value >= 1 && value <= 4) return kCurveQuadratic;
  return value > kCurveCubic ? kCurveCubic : value;
}

}  // namespace

int FcPolyline::WriteDxf(FcFiler& filer) {
  if (vertices_.empty()) return kFcStatusOk;
  FcEntity::WriteDxf(filer);
  return IsFitted() ? WriteDxfHeavy(filer) : WriteDxfLightweight(filer);
}

int FcPolyline::WriteDxfLightweight(FcFiler& filer) {
  filer.WriteString(100, "AcDbPolyline");
  filer.WriteInt(90, GetVertexCount());
  filer.WriteInt(70, IsClosed() ? 1 : 0);
  const bool constant = HasConstantWidth();
  if (constant) filer.WriteReal(43, vertices_.front().startWidth);
  for (const PolylineVertex& v : vertices_) {
    filer.WriteReal(10, v.x);
    filer.WriteReal(20, v.y);
    if (!constant) {
      filer.WriteReal(40, v.startWidth);
      filer.WriteReal(41, v.endWidth);
    }
    if (v.bulge != 0.0) filer.WriteReal(42, v.bulge);
  }
  return kFcStatusOk;
}

int FcPolyline::WriteDxfHeavy(FcFiler& filer) {
  EnsureFit();
  filer.WriteString(100, "AcDb2dPolyline");
  filer.WriteInt(66, 1);
  const bool constant = HasConstantWidth();
  if (constant) {
    filer.WriteReal(40, vertices_.front().startWidth);
    filer.WriteReal(41, vertices_.front().startWidth);
  }
  filer.WriteReal(10, 0.0);
  filer.WriteReal(20, 0.0);
  filer.WriteReal(30, 0.0);
  if (flags_ != 0) filer.WriteInt(70, flags_);
  if ((flags_ & kPolylineSplineFit) != 0) {
    filer.WriteInt(75, curveType_);
    for (const PolylineVertex& v : vertices_) WriteDxfVertex(filer, v, kVertexSplineFrame, constant);
  }
  for (const PolylineVertex& v : fitVertices_) WriteDxfVertex(filer, v, v.flags, constant);
  WriteDxfSeqendRecord(filer, *this, seqendHandle_ != 0 ? seqendHandle_ : NextSeedHandle(filer.GetGraph()));
  return kFcStatusOk;
}

void FcPolyline::WriteDxfVertex(FcFiler& filer, const PolylineVertex& vertex, std::int32_t flags,
                                bool constantWidth) {
  filer.WriteString(0, "VERTEX");
  filer.WriteHandle(5, vertex.handle);
  filer.WriteHandle(330, GetHandle());
  filer.WriteString(100, "AcDbEntity");
  filer.WriteString(8, LayerNameOf(*this));
  filer.WriteString(100, "AcDbVertex");
  filer.WriteString(100, "AcDb2dVertex");
  filer.WriteReal(10, vertex.x);
  filer.WriteReal(20, vertex.y);
  filer.WriteReal(30, 0.0);
  if (!constantWidth && (vertex.startWidth != 0.0 || vertex.endWidth != 0.0)) {
    filer.WriteReal(40, vertex.startWidth);
    filer.WriteReal(41, vertex.endWidth);
  }
  if (flags != 0) filer.WriteInt(70, flags);
}

int FcPolyline::ReadDxf(FcFiler& filer) {
  FcResBuf group;
  if (ReadDxfCommon(filer, group) != kFcStatusOk || group.type != 100) return kFcStatusEnd;
  seqendHandle_ = 0;
  Reset();
  flags_ = 0;
  curveType_ = 0;
  const std::string_view marker = TextOf(group);
  if (EqualsNoCase(marker, "AcDbPolyline")) return ReadDxfLightweight(filer);
  if (EqualsNoCase(marker, "AcDb2dPolyline")) return ReadDxfHeavy(filer);
  return -1;
}

int FcPolyline::ReadDxfLightweight(FcFiler& filer) {
  FcGraph* graph = filer.GetGraph();
  PolylineVertex pending;
  bool hasPending = false;
  bool constant = false;
  double constantWidth = 0.0;
  bool countSeen = false;
  auto flush = [this, graph, &pending, &hasPending] {
    if (hasPending && pending.handle == 0) pending.handle = NextSeedHandle(graph);
    if (hasPending) AppendVertexCopy(pending);
    hasPending = false;
  };
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 0:
      case 100:
        flush();
        filer.UnreadGroup();
        return kFcStatusOk;
      case 6:
      case 8:
      case 62:
        if (const int common = ReadCommonGroup(filer, group); common != kFcStatusOk) return common;
        break;
      case 10:
        if (!Finite(group.x) || !Finite(group.y)) return kFcStatusReadError;
        flush();
        pending = PolylineVertex{};
        pending.x = group.x;
        pending.y = group.y;
        pending.startWidth = pending.endWidth = constant ? constantWidth : 0.0;
        hasPending = true;
        break;
      case 40:
      case 41:
      case 42:
      case 43:
        if (!Finite(group.realValue)) return kFcStatusReadError;
        if (group.type == 43) {
          constant = true;
          constantWidth = std::fabs(group.realValue);
          pending.startWidth = pending.endWidth = constantWidth;
        } else if (group.type == 42) {
          pending.bulge = group.realValue;
        } else if (!constant) {
          (group.type == 40 ? pending.startWidth : pending.endWidth) = std::fabs(group.realValue);
        }
        break;
      case 70: SetClosed((group.intValue & kPolylineClosed) != 0); break;
      case 90:
        if (!countSeen && group.intValue > 0) vertices_.reserve(std::min(group.intValue, kMaxReservedVertices));
        countSeen = true;
        break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      default: break;
    }
  }
  return kFcStatusEnd;
}

int FcPolyline::ReadDxfHeavy(FcFiler& filer) {
  SetHeavy(true);
  double defaultStart = 0.0;
  double defaultEnd = 0.0;
  bool dropped = false;
  bool inVertices = false;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type == 0 || (group.type == 100 && (EqualsNoCase(TextOf(group), "VERTEX") ||
                                                  EqualsNoCase(TextOf(group), "SEQEND")))) {
      const std::string_view name = TextOf(group);
      if (EqualsNoCase(name, "VERTEX")) {
        inVertices = true;
        if (ReadDxfVertex(filer, defaultStart, defaultEnd, dropped) != kFcStatusOk) return kFcStatusReadError;
        continue;
      }
      if (EqualsNoCase(name, "SEQEND")) {
        if (ReadDxfSeqend(filer) != kFcStatusOk) return kFcStatusReadError;
        if ((flags_ & kPolyline3dOrMesh) != 0) return -1;
        if (!dropped) MakeLightweight();
        return kFcStatusOk;
      }
      if (group.type == 100) continue;
      filer.UnreadGroup();
      return -2;
    }
    if (inVertices) continue;
    switch (group.type) {
      case 6:
      case 8:
      case 62:
        if (const int common = ReadCommonGroup(filer, group); common != kFcStatusOk) return common;
        break;
      case 40: if (Finite(group.realValue)) defaultStart = group.realValue; break;
      case 41: if (Finite(group.realValue)) defaultEnd = group.realValue; break;
      case 70: flags_ = group.intValue; break;
      case 75: curveType_ = HeavyCurveType(group.intValue); break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      default: break;
    }
  }
  return kFcStatusEnd;
}

void FcPolyline::KeepOrDropReadVertex(const PolylineVertex& vertex, std::int32_t vertexFlags, bool& dropped) {
  const FcPoint2d point{vertex.x, vertex.y};
  if ((flags_ & kPolylineSplineFit) != 0) {
    if (vertexFlags == kVertexSplineFit) {
      dropped = true;
      return;
    }
    AppendReadVertex(vertex.handle, point, vertex.startWidth, vertex.endWidth, vertex.bulge);
    return;
  }
  if ((flags_ & kPolylineCurveFit) != 0) {
    if (vertexFlags != 0) {
      dropped = true;
      return;
    }
    AppendReadVertex(vertex.handle, point, vertex.startWidth, vertex.endWidth, vertex.bulge);
    return;
  }
  AppendVertexCopy(vertex);
}

int FcPolyline::ReadDxfVertex(FcFiler& filer, double defaultStart, double defaultEnd, bool& dropped) {
  FcGraph* graph = filer.GetGraph();
  PolylineVertex vertex;
  vertex.startWidth = defaultStart > 0.0 ? defaultStart : 0.0;
  vertex.endWidth = defaultEnd > 0.0 ? defaultEnd : 0.0;
  std::int32_t vertexFlags = 0;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 0: {
        filer.UnreadGroup();
        if (vertex.handle == 0) vertex.handle = NextSeedHandle(graph);
        KeepOrDropReadVertex(vertex, vertexFlags, dropped);
        return kFcStatusOk;
      }
      case 5:
        vertex.handle = group.handle;
        RaiseSeedPast(graph, group.handle);
        break;
      case 10:
        if (!Finite(group.x) || !Finite(group.y)) return kFcStatusReadError;
        vertex.x = group.x;
        vertex.y = group.y;
        break;
      case 40:
      case 41:
      case 42:
        if (!Finite(group.realValue)) return kFcStatusReadError;
        if (group.type == 42) {
          vertex.bulge = group.realValue;
        } else {
          (group.type == 40 ? vertex.startWidth : vertex.endWidth) = std::fabs(group.realValue);
        }
        break;
      case 70: vertexFlags = group.intValue; break;
      default: break;
    }
  }
  return kFcStatusEnd;
}

int FcPolyline::ReadDxfSeqend(FcFiler& filer) { return ReadDxfSeqendRecord(filer, seqendHandle_); }

void FcPolyline::WriteDwgData(FcFilerDwg& filer) {
  if (IsFitted()) {
    EnsureFit();
    filer.WriteBitShort(static_cast<std::int16_t>(flags_ & 0xFFFF));
    filer.WriteBitShort(static_cast<std::int16_t>(curveType_));
    filer.WriteBitDouble(vertices_.empty() ? 0.0 : vertices_.front().startWidth);
    filer.WriteBitDouble(vertices_.empty() ? 0.0 : vertices_.front().endWidth);
    filer.WriteBit(1);
    filer.WriteBitDouble(0.0);
    filer.WriteBit(1);
    return;
  }
  const bool constant = HasConstantWidth();
  const double width = vertices_.empty() ? 0.0 : vertices_.front().startWidth;
  std::int16_t word = IsClosed() ? 512 : 0;
  if (constant && width > 0.0) word |= 4;
  if (!constant) word |= 32;
  if (std::any_of(vertices_.begin(), vertices_.end(), [](const PolylineVertex& v) { return v.bulge != 0.0; })) {
    word |= 16;
  }
  filer.WriteBitShort(word);
  if ((word & 4) != 0) filer.WriteBitDouble(width);
  filer.WriteBitLong(GetVertexCount());
  if ((word & 16) != 0) filer.WriteBitLong(GetVertexCount());
  if ((word & 32) != 0) filer.WriteBitLong(GetVertexCount());
  for (std::size_t i = 0; i < vertices_.size(); ++i) {
    if (i == 0) {
      filer.WriteRawDouble(vertices_[0].x);
      filer.WriteRawDouble(vertices_[0].y);
    } else {
      filer.WriteDefaultDouble(vertices_[i - 1].x, vertices_[i].x);
      filer.WriteDefaultDouble(vertices_[i - 1].y, vertices_[i].y);
    }
  }
  if ((word & 16) != 0) {
    for (const PolylineVertex& v : vertices_) filer.WriteBitDouble(v.bulge);
  }
  if ((word & 32) != 0) {
    for (const PolylineVertex& v : vertices_) {
      filer.WriteBitDouble(v.startWidth);
      filer.WriteBitDouble(v.endWidth);
    }
  }
}

int FcPolyline::ReadDwgData(FcFilerDwg& filer) {
  // Releases before 2000 number the lightweight record as a class of
  // their own; 3D polylines and meshes have a class of their own here.
  const DwgObjectType type = GetDwgType();
  seqendHandle_ = 0;
  Reset();
  flags_ = 0;
  if (type != kDwgTypeHeavy) return ReadDwgLightweight(filer);
  SetHeavy(true);
  std::int16_t flags = 0;
  std::int16_t curveType = 0;
  double ignored = 0.0;
  double extrusion[3] = {};
  if (!filer.ReadBitShort(flags) || !filer.ReadBitShort(curveType) || !filer.ReadBitDouble(ignored) ||
      !filer.ReadBitDouble(ignored) || !filer.ReadThickness(ignored) || !filer.ReadBitDouble(ignored) ||
      !filer.ReadExtrusion(extrusion)) {
    return kFcStatusReadError;
  }
  flags_ = static_cast<std::uint16_t>(flags);
  curveType_ = HeavyCurveType(curveType);
  return kFcStatusOk;
}

int FcPolyline::ReadDwgLightweight(FcFilerDwg& filer) {
  std::int16_t word = 0;
  if (!filer.ReadBitShort(word)) return kFcStatusReadError;
  flags_ = (word & 512) != 0 ? kPolylineClosed : 0;
  double width = 0.0;
  double ignored = 0.0;
  double extrusion[3] = {};
  if ((word & 4) != 0 && !filer.ReadBitDouble(width)) return kFcStatusReadError;
  if ((word & 8) != 0 && !filer.ReadBitDouble(ignored)) return kFcStatusReadError;
  if ((word & 2) != 0 && !filer.ReadBitDouble(ignored)) return kFcStatusReadError;
  if ((word & 1) != 0 && !filer.Read3BitDouble(extrusion)) return kFcStatusReadError;
  std::int32_t count = 0;
  std::int32_t bulges = 0;
  std::int32_t widths = 0;
  if (!filer.ReadBitLong(count) || count < 0) return kFcStatusReadError;
  if ((word & 16) != 0 && !filer.ReadBitLong(bulges)) return kFcStatusReadError;
  if ((word & 32) != 0 && !filer.ReadBitLong(widths)) return kFcStatusReadError;
  if (!Finite(width)) return kFcStatusReadError;
  bulges = std::clamp(bulges, 0, count);
  widths = std::clamp(widths, 0, count);
  vertices_.reserve(static_cast<std::size_t>(std::min(count, kMaxReservedVertices)));
  FcPoint2d previous;
  for (std::int32_t i = 0; i < count; ++i) {
    FcPoint2d point;
    bool read = false;
    if (filer.GetVersion() < FcFilerDwg::kVersion2000) {
      read = filer.ReadRawDouble(point.x) && filer.ReadRawDouble(point.y);
    } else if (i == 0) {
      read = filer.ReadRawDouble(point.x) && filer.ReadRawDouble(point.y);
    } else {
      read = filer.ReadDefaultDouble(previous.x, point.x) && filer.ReadDefaultDouble(previous.y, point.y);
    }
    if (!read || !Finite(point.x) || !Finite(point.y)) return kFcStatusReadError;
    PolylineVertex vertex;
    vertex.x = point.x;
    vertex.y = point.y;
    vertex.startWidth = vertex.endWidth = std::fabs(width);
    if (filer.IsDecodingAhead()) {
      // The seed is the drawing's: the handles are taken when the polyline
      // joins it, in the order the entities are added.
      AppendVertexWithoutHandle(vertex);
    } else {
      vertex.handle = NextSeedHandle(filer.GetGraph());
      AppendVertexCopy(vertex);
    }
    previous = point;
  }
  for (std::int32_t i = 0; i < bulges; ++i) {
    double bulge = 0.0;
    if (!filer.ReadBitDouble(bulge) || !Finite(bulge)) return kFcStatusReadError;
    vertices_[static_cast<std::size_t>(i)].bulge = bulge;
  }
  for (std::int32_t i = 0; i < widths; ++i) {
    double start = 0.0;
    double end = 0.0;
    if (!filer.ReadBitDouble(start) || !filer.ReadBitDouble(end) || !Finite(start) || !Finite(end)) {
      return kFcStatusReadError;
    }
    SetVertexWidths(i, start, end);
  }
  return kFcStatusOk;
}

void FcPolyline::FinishDecodedAhead(FcGraph* graph) {
  FcEntity::FinishDecodedAhead(graph);
  for (PolylineVertex& vertex : vertices_) {
    if (vertex.handle == 0) vertex.handle = NextSeedHandle(graph);
  }
}

void FcPolyline::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  if (!IsFitted()) return;
  EnsureFit();
  if (seqendHandle_ == 0) seqendHandle_ = NextSeedHandle(filer.GetGraph());
  const bool spline = (flags_ & kPolylineSplineFit) != 0;
  const std::vector<PolylineVertex>& firstList = spline ? vertices_ : fitVertices_;
  const FcHandle first = firstList.empty() ? 0 : firstList.front().handle;
  const FcHandle last = fitVertices_.empty() ? first : fitVertices_.back().handle;
  WriteDwgVertexHandles(filer, first, last, seqendHandle_);
}

int FcPolyline::ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle&) {
  if (GetDwgType() != kDwgTypeHeavy) return kFcStatusOk;
  return ReadDwgVertexHandles(filer, GetHandle(), extra1, extra2, seqendHandle_);
}

int FcPolyline::WriteDwgSubRecords(FcFilerDwg& filer) {
  if (GetDwgType() != kDwgTypeHeavy) return kFcStatusNoDwgForm;
  EnsureFit();
  struct Record {
    const PolylineVertex* vertex;
    std::int32_t flags;
  };
  std::vector<Record> records;
  if ((flags_ & kPolylineSplineFit) != 0) {
    for (const PolylineVertex& v : vertices_) records.push_back({&v, kVertexSplineFrame});
  }
  for (const PolylineVertex& v : fitVertices_) records.push_back({&v, v.flags});
  Fc2DVertex vertex;
  vertex.CopyProperties(this);
  vertex.SetPaperSpace(GetPaperSpace());
  FcDwgOwnerOverride owner(filer, GetHandle());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const PolylineVertex& v = *records[i].vertex;
    vertex.SetHandle(v.handle);
    vertex.x = v.x;
    vertex.y = v.y;
    vertex.startWidth = v.startWidth;
    vertex.endWidth = v.endWidth;
    vertex.bulge = v.bulge;
    vertex.flags = static_cast<std::uint8_t>(records[i].flags);
    const FcHandle previous = i > 0 ? records[i - 1].vertex->handle : 0;
    const FcHandle next = i + 1 < records.size() ? records[i + 1].vertex->handle : 0;
    vertex.WriteDwg(filer, previous, next, 0, 0, 0);
  }
  if (vertex.GetLayer() != nullptr) vertex.GetLayer()->RemoveEntityHandle(&vertex);
  WriteDwgSeqendRecord(filer, *this, seqendHandle_);
  return kFcStatusOk;
}

int FcPolyline::ReadDwgSubRecords(FcFilerDwg& filer, FcHandle first, FcHandle last) {
  if (GetDwgType() != kDwgTypeHeavy) return kFcStatusNoDwgForm;
  bool dropped = false;
  std::unordered_set<FcHandle> visited;
  FcHandle current = first;
  while (current != 0) {
    // A chain that comes back to a record already read would never end.
    if (!visited.insert(current).second) return kFcStatusReadError;
    std::int64_t size = 0;
    std::int16_t type = 0;
    const std::int64_t offset = filer.SeekObject(current, size, type);
    if (offset <= 0 || type != Fc2DVertex::kDwgType) return kFcStatusReadError;
    Fc2DVertex vertex;
    vertex.SetHandle(current);
    FcHandle previous = 0;
    FcHandle next = 0;
    FcHandle e1 = 0;
    FcHandle e2 = 0;
    FcHandle e3 = 0;
    const int result = vertex.ReadDwg(filer, size, offset, previous, next, e1, e2, e3);
    if (vertex.GetLayer() != nullptr) vertex.GetLayer()->RemoveEntityHandle(&vertex);
    if (result != kFcStatusOk) return kFcStatusReadError;
    PolylineVertex read;
    read.x = vertex.x;
    read.y = vertex.y;
    read.handle = current;
    read.startWidth = vertex.startWidth;
    read.endWidth = vertex.endWidth;
    read.bulge = vertex.bulge;
    const std::int32_t vertexFlags = vertex.flags;
    if ((flags_ & (kPolylineCurveFit | kPolylineSplineFit)) != 0) {
      KeepOrDropReadVertex(read, vertexFlags, dropped);
    } else {
      AppendReadVertex(read.handle, {read.x, read.y}, read.startWidth, read.endWidth, read.bulge);
    }
    if (current == last) break;
    current = next;
  }
  if (!dropped) MakeLightweight();
  return kFcStatusOk;
}
