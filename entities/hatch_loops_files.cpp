#include <algorithm>
#include <cmath>
#include <limits>

#include "core/resbuf.h"
#include "database/object.h"
#include "entities/hatch_file_groups.h"
#include "entities/hatch_loops.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

// The loops' records. Counts read from a file only bound the loops that
// read them: nothing is reserved for a count before its items arrive.

namespace {

constexpr std::int32_t kPathPolyline = 2;
constexpr std::int32_t kPathPixelSize = 4;
// The DXF path flag of a loop of edges: external.
constexpr std::int32_t kDxfEdgePath = 1;

// The loop class the path flags of a file name.
std::unique_ptr<FcHatchEdge> NewLoop(std::int32_t flags) {
  if ((flags & kPathPolyline) != 0) return std::make_unique<FcPLineEdge>();
  return std::make_unique<FcOtherEdge>();
}

}  // namespace

void FcPLineEdge::WriteDxf(FcFiler& filer) const {
  filer.WriteInt(92, kPathPolyline);
  filer.WriteInt(72, hasBulges_);
  filer.WriteInt(73, closed_);
  filer.WriteInt(93, static_cast<std::int32_t>(vertices_.size()));
  for (const PolylineVertex& v : vertices_) {
    filer.WriteReal(10, v.x);
    filer.WriteReal(20, v.y);
    if (hasBulges_ != 0) filer.WriteReal(42, v.bulge);
  }
  filer.WriteInt(97, 0);
}

int FcPLineEdge::ReadDxf(FcFiler& filer) {
  vertices_.clear();
  hasBulges_ = 0;
  closed_ = 0;
  FcResBuf group;
  std::int32_t count = 0;
  for (;;) {
    if (!filer.ReadGroup(group)) return kFcStatusEnd;
    if (group.type == 93) {
      count = group.intValue;
      break;
    }
    if (group.type == 72) hasBulges_ = group.intValue != 0 ? 1 : 0;
    if (group.type == 73) closed_ = group.intValue != 0 ? 1 : 0;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    if (!filer.ReadGroup(group)) return kFcStatusEnd;
    const FcPoint2d point{group.x, group.y};
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return kFcStatusReadError;
    double bulge = 0.0;
    if (!filer.ReadGroup(group)) return kFcStatusEnd;
    if (group.type == 42) {
      bulge = std::isfinite(group.realValue) ? group.realValue : 0.0;
    } else {
      filer.UnreadGroup();
    }
    AddVertex(point, bulge);
  }
  return kFcStatusOk;
}

void FcPLineEdge::WriteDwg(FcFilerDwg& filer) const {
  filer.WriteBit(hasBulges_ != 0 ? 1 : 0);
  filer.WriteBit(closed_ != 0 ? 1 : 0);
  filer.WriteBitLong(static_cast<std::int32_t>(vertices_.size()));
  for (const PolylineVertex& v : vertices_) {
    filer.WriteRawDouble(v.x);
    filer.WriteRawDouble(v.y);
    if (hasBulges_ != 0) filer.WriteBitDouble(v.bulge);
  }
}

int FcPLineEdge::ReadDwg(FcFilerDwg& filer) {
  std::uint8_t bulges = 0;
  std::uint8_t closed = 0;
  std::int32_t count = 0;
  if (!filer.ReadBit(bulges) || !filer.ReadBit(closed) || !filer.ReadBitLong(count) || count < 0) {
    return kFcStatusReadError;
  }
  closed_ = closed;
  for (std::int32_t i = 0; i < count; ++i) {
    FcPoint2d point;
    double bulge = 0.0;
    if (!filer.ReadRawDouble(point.x) || !filer.ReadRawDouble(point.y)) return kFcStatusReadError;
    if (bulges != 0 && !filer.ReadBitDouble(bulge)) return kFcStatusReadError;
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(bulge)) return kFcStatusReadError;
    AddVertex(point, bulge);
  }
  hasBulges_ = bulges != 0 || hasBulges_ != 0 ? 1 : 0;
  return kFcStatusOk;
}

void FcOtherEdge::WriteDxf(FcFiler& filer) const {
  filer.WriteInt(92, kDxfEdgePath);
  filer.WriteInt(93, static_cast<std::int32_t>(edges_.size()));
  for (const auto& edge : edges_) edge->WriteDxf(filer);
  filer.WriteInt(97, 0);
}

int FcOtherEdge::ReadDxf(FcFiler& filer) {
  RemoveAll();
  std::int32_t count = 0;
  const int header = ReadHatchInt(filer, 93, count);
  if (header != kFcStatusOk) return header;
  FcResBuf group;
  for (std::int32_t i = 0; i < count; ++i) {
    if (!filer.ReadGroup(group)) return kFcStatusEnd;
    if (group.type != 72) continue;
    std::unique_ptr<FcHatchEdge> edge = NewHatchEdge(group.intValue);
    if (!edge) continue;
    const int result = edge->ReadDxf(filer);
    if (result != kFcStatusOk) return result;
    AppendFlattened(std::move(edge));
  }
  return kFcStatusOk;
}

void FcOtherEdge::WriteDwg(FcFilerDwg& filer) const {
  filer.WriteBitLong(static_cast<std::int32_t>(edges_.size()));
  for (const auto& edge : edges_) {
    filer.WriteRawByte(edge->GetType());
    edge->WriteDwg(filer);
  }
}

int FcOtherEdge::ReadDwg(FcFilerDwg& filer) {
  RemoveAll();
  std::int32_t count = 0;
  if (!filer.ReadBitLong(count) || count < 0) return kFcStatusReadError;
  for (std::int32_t i = 0; i < count; ++i) {
    std::uint8_t type = 0;
    if (!filer.ReadRawChar(type)) return kFcStatusReadError;
    std::unique_ptr<FcHatchEdge> edge = NewHatchEdge(type);
    if (!edge) continue;
    if (edge->ReadDwg(filer) != kFcStatusOk) return kFcStatusReadError;
    if (type != kHatchSplineEdge) AppendFlattened(std::move(edge));
  }
  return kFcStatusOk;
}

void FcHatchEdgeList::WriteDxf(FcFiler& filer) const {
  filer.WriteInt(91, static_cast<std::int32_t>(loops_.size()));
  for (const auto& loop : loops_) loop->WriteDxf(filer);
}

int FcHatchEdgeList::ReadDxf(FcFiler& filer) {
  RemoveAll();
  std::int32_t count = 0;
  const int header = ReadHatchInt(filer, 91, count);
  if (header != kFcStatusOk) return header;
  FcResBuf group;
  for (std::int32_t i = 0; i < count; ++i) {
    do {
      if (!filer.ReadGroup(group)) return kFcStatusEnd;
    } while (group.type != 92);
    std::unique_ptr<FcHatchEdge> loop = NewLoop(group.intValue);
    const int result = loop->ReadDxf(filer);
    if (result != kFcStatusOk) return result;
    Append(std::move(loop));
  }
  return kFcStatusOk;
}

void FcHatchEdgeList::WriteDwg(FcFilerDwg& filer) const {
  filer.WriteBitLong(static_cast<std::int32_t>(loops_.size()));
  for (const auto& loop : loops_) {
    filer.WriteBitLong(loop->GetType());
    loop->WriteDwg(filer);
    filer.WriteBitLong(0);
  }
}

int FcHatchEdgeList::ReadDwg(FcFilerDwg& filer, bool& pixelSize) {
  RemoveAll();
  std::int32_t count = 0;
  if (!filer.ReadBitLong(count) || count < 0) return -2;
  int handles = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    std::int32_t flags = 0;
    if (!filer.ReadBitLong(flags)) return -2;
    if ((flags & kPathPixelSize) != 0) pixelSize = true;
    std::unique_ptr<FcHatchEdge> loop = NewLoop(flags);
    std::int32_t boundaryObjects = 0;
    if (loop->ReadDwg(filer) != kFcStatusOk || !filer.ReadBitLong(boundaryObjects) || boundaryObjects < 0) return -2;
    if (boundaryObjects > std::numeric_limits<int>::max() - handles) return -2;
    handles += boundaryObjects;
    Append(std::move(loop));
  }
  return handles;
}
