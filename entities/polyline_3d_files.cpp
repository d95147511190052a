#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_set>

#include "core/resbuf.h"
#include "database/block_markers.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/system_var_access.h"
#include "entities/heavy_polyline_records.h"
#include "entities/polyline_3d.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

using sysvar_access::TextOf;

namespace {

constexpr DwgObjectType kDwgVertex3d = 11;
constexpr DwgObjectType kDwgVertexMesh = 12;
constexpr DwgObjectType kDwgVertexPolyface = 13;
constexpr DwgObjectType kDwgFaceRecord = 14;

bool FitsShort(std::int32_t value) {
  return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// The VERTEX records of 3D polylines and meshes in DWG files, made only as
// temporary records by the reader and writer of their polyline.
class Fc3DVertex : public FcEntity {
 public:
  explicit Fc3DVertex(DwgObjectType type) {
    SetRecordName("VERTEX");
    SetKind(kEntityVertex);
    SetDwgType(type);
  }
  FcEntity* Clone() const override { return nullptr; }
  FcEntity* CloneFromOtherGraph(FcGraph&) const override { return nullptr; }
  void Transform(const FcMatrix2d&) override {}
  void GetGripPoints(FcPoint2dArray&) override {}
  void GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d&, GeomSegmentList&) override {}

  void WriteDwgData(FcFilerDwg& filer) override {
    if (GetDwgType() == kDwgFaceRecord) {
      for (std::int16_t corner : vertex.face) filer.WriteBitShort(corner);
      return;
    }
    filer.WriteRawByte(static_cast<std::uint8_t>(vertex.flags & 0xFF));
    filer.WriteBitDouble(vertex.x);
    filer.WriteBitDouble(vertex.y);
    filer.WriteBitDouble(vertex.z);
  }

  int ReadDwgData(FcFilerDwg& filer) override {
    if (GetDwgType() == kDwgFaceRecord) {
      for (std::int16_t& corner : vertex.face) {
        if (!filer.ReadBitShort(corner)) return kFcStatusReadError;
      }
      vertex.flags = kVertexFaceRecord;
      return kFcStatusOk;
    }
    std::uint8_t flags = 0;
    double point[3] = {};
    if (!filer.ReadRawChar(flags) || !filer.Read3BitDouble(point)) return kFcStatusReadError;
    if (!std::isfinite(point[0]) || !std::isfinite(point[1]) || !std::isfinite(point[2])) return kFcStatusReadError;
    vertex.flags = flags;
    vertex.x = point[0];
    vertex.y = point[1];
    vertex.z = point[2];
    return kFcStatusOk;
  }

  Polyline3dVertex vertex;
};

// The bits a vertex of each kind carries whatever its record said.
std::int32_t KindBits(std::int32_t polylineFlags, bool faceRecord) {
  if ((polylineFlags & kPolylinePolyface) != 0) return faceRecord ? kVertexFaceRecord : kVertexFaceRecord | kVertexMesh;
  if ((polylineFlags & kPolylineMesh) != 0) return kVertexMesh;
  return kVertex3d;
}

}  // namespace

const char* FcPolyline3d::SubclassMarker() const {
  if (IsPolyface()) return "AcDbPolyFaceMesh";
  return IsMesh() ? "AcDbPolygonMesh" : "AcDb3dPolyline";
}

const char* FcPolyline3d::VertexMarker(const Polyline3dVertex& vertex) const {
  if (IsPolyface()) return vertex.IsFaceRecord() ? "AcDbFaceRecord" : "AcDbPolyFaceMeshVertex";
  return IsMesh() ? "AcDbPolygonMeshVertex" : "AcDb3dPolylineVertex";
}

DwgObjectType FcPolyline3d::VertexDwgType(const Polyline3dVertex& vertex) const {
  if (IsPolyface()) return vertex.IsFaceRecord() ? kDwgFaceRecord : kDwgVertexPolyface;
  return IsMesh() ? kDwgVertexMesh : kDwgVertex3d;
}

std::int32_t FcPolyline3d::VertexFlagsFor(const Polyline3dVertex& vertex) const {
  const bool face = IsPolyface() && vertex.IsFaceRecord();
  return face ? kVertexFaceRecord : (vertex.flags | KindBits(flags_, false));
}

int FcPolyline3d::WriteDxf(FcFiler& filer) {
  if (vertices_.empty()) return kFcStatusOk;
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, SubclassMarker());
  filer.WriteInt(66, 1);
  filer.WriteReal(10, 0.0);
  filer.WriteReal(20, 0.0);
  filer.WriteReal(30, 0.0);
  filer.WriteInt(70, flags_);
  std::int32_t counts[4] = {counts_[0], counts_[1], counts_[2], counts_[3]};
  if (IsPolyface()) {
    // Readers check the counts of a polyface against its records.
    const int points = static_cast<int>(PointVertices().size());
    counts[0] = points;
    counts[1] = GetVertexCount() - points;
  }
  for (int k = 0; k < 4; ++k) {
    if (counts[k] != 0) filer.WriteInt(71 + k, counts[k]);
  }
  if (surfaceType_ != 0) filer.WriteInt(75, surfaceType_);
  for (const Polyline3dVertex& v : vertices_) WriteDxfVertex(filer, v);
  if (seqendHandle_ == 0) seqendHandle_ = NextSeedHandle(filer.GetGraph());
  WriteDxfSeqendRecord(filer, *this, seqendHandle_);
  return kFcStatusOk;
}

void FcPolyline3d::WriteDxfVertex(FcFiler& filer, const Polyline3dVertex& vertex) const {
  filer.WriteString(0, "VERTEX");
  filer.WriteHandle(5, vertex.handle);
  filer.WriteHandle(330, GetHandle());
  filer.WriteString(100, "AcDbEntity");
  filer.WriteString(8, LayerNameOf(*this));
  filer.WriteString(100, "AcDbVertex");
  filer.WriteString(100, VertexMarker(vertex));
  filer.WriteReal(10, vertex.x);
  filer.WriteReal(20, vertex.y);
  filer.WriteReal(30, vertex.z);
  filer.WriteInt(70, VertexFlagsFor(vertex));
  if (!IsPolyface() || !vertex.IsFaceRecord()) return;
  for (int k = 0; k < 4; ++k) {
    if (vertex.face[k] != 0) filer.WriteInt(71 + k, vertex.face[k]);
  }
}

int FcPolyline3d::ReadDxf(FcFiler& filer) {
  FcResBuf group;
  if (ReadDxfCommon(filer, group) != kFcStatusOk || group.type != 100) return kFcStatusEnd;
  vertices_.clear();
  seqendHandle_ = 0;
  std::int32_t flags = 0;
  bool inVertices = false;
  while (filer.ReadGroup(group)) {
    if (group.type == 0) {
      const std::string_view name = TextOf(group);
      if (EqualsNoCase(name, "VERTEX")) {
        inVertices = true;
        if (ReadDxfVertex(filer) != kFcStatusOk) return kFcStatusReadError;
        continue;
      }
      if (!EqualsNoCase(name, "SEQEND")) {
        filer.UnreadGroup();
        return -2;
      }
      if (ReadDxfSeqend(filer) != kFcStatusOk) return kFcStatusReadError;
      // Only the records that are not 2D polylines are read here.
      if ((flags & (kPolyline3d | kPolylineMesh | kPolylinePolyface)) == 0) return -1;
      SetFlags(flags);
      return kFcStatusOk;
    }
    if (inVertices) continue;
    switch (group.type) {
      case 6:
      case 8:
      case 62:
        if (const int common = ReadCommonGroup(filer, group); common != kFcStatusOk) return common;
        break;
      case 70: flags = group.intValue; break;
      case 71:
      case 72:
      case 73:
      case 74: counts_[group.type - 71] = group.intValue; break;
      case 75: surfaceType_ = group.intValue; break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      default: break;
    }
  }
  return kFcStatusEnd;
}

int FcPolyline3d::ReadDxfVertex(FcFiler& filer) {
  FcGraph* graph = filer.GetGraph();
  Polyline3dVertex vertex;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 0:
        filer.UnreadGroup();
        if (vertex.handle == 0) vertex.handle = NextSeedHandle(graph);
        vertices_.push_back(vertex);
        return kFcStatusOk;
      case 5:
        vertex.handle = group.handle;
        RaiseSeedPast(graph, group.handle);
        break;
      case 10:
        if (!std::isfinite(group.x) || !std::isfinite(group.y) || !std::isfinite(group.z)) return kFcStatusReadError;
        vertex.x = group.x;
        vertex.y = group.y;
        vertex.z = group.z;
        break;
      case 70: vertex.flags = group.intValue; break;
      case 71:
      case 72:
      case 73:
      case 74:
        if (!FitsShort(group.intValue)) return kFcStatusReadError;
        vertex.face[group.type - 71] = static_cast<std::int16_t>(group.intValue);
        break;
      default: break;
    }
  }
  return kFcStatusEnd;
}

int FcPolyline3d::ReadDxfSeqend(FcFiler& filer) { return ReadDxfSeqendRecord(filer, seqendHandle_); }

// 3D polylines: a byte of spline bits (1 quadratic, 2 cubic) and a byte of
// which bit 1 closes it. Polyfaces: the vertex and face counts. Meshes:
// flags, surface type, the two counts and the two densities.
void FcPolyline3d::WriteDwgData(FcFilerDwg& filer) {
  if (IsPolyface()) {
    const int points = static_cast<int>(PointVertices().size());
    filer.WriteBitShort(static_cast<std::int16_t>(points));
    filer.WriteBitShort(static_cast<std::int16_t>(GetVertexCount() - points));
    return;
  }
  if (IsMesh()) {
    filer.WriteBitShort(static_cast<std::int16_t>(flags_));
    filer.WriteBitShort(static_cast<std::int16_t>(surfaceType_));
    for (std::int32_t count : counts_) filer.WriteBitShort(static_cast<std::int16_t>(count));
    return;
  }
  std::uint8_t spline = 0;
  if ((flags_ & 4) != 0) spline = surfaceType_ == 5 ? 1 : 2;
  filer.WriteRawByte(spline);
  filer.WriteRawByte(static_cast<std::uint8_t>(flags_ & 1));
}

int FcPolyline3d::ReadDwgData(FcFilerDwg& filer) {
  vertices_.clear();
  seqendHandle_ = 0;
  const DwgObjectType type = GetDwgType();
  if (type == kDwgTypePolyface) {
    std::int16_t points = 0;
    std::int16_t faces = 0;
    if (!filer.ReadBitShort(points) || !filer.ReadBitShort(faces)) return kFcStatusReadError;
    counts_[0] = points;
    counts_[1] = faces;
    SetFlags(kPolylinePolyface);
    return kFcStatusOk;
  }
  if (type == kDwgTypeMesh) {
    std::int16_t values[6] = {};
    for (std::int16_t& value : values) {
      if (!filer.ReadBitShort(value)) return kFcStatusReadError;
    }
    surfaceType_ = values[1];
    for (int k = 0; k < 4; ++k) counts_[k] = values[2 + k];
    SetFlags(static_cast<std::uint16_t>(values[0]) | kPolylineMesh);
    return kFcStatusOk;
  }
  if (type != kDwgType3d) return kFcStatusReadError;
  std::uint8_t spline = 0;
  std::uint8_t closed = 0;
  if (!filer.ReadRawChar(spline) || !filer.ReadRawChar(closed)) return kFcStatusReadError;
  std::int32_t flags = kPolyline3d | (closed & 1);
  if ((spline & 3) != 0) {
    flags |= 4;
    surfaceType_ = (spline & 1) != 0 ? 5 : 6;
  }
  SetFlags(flags);
  return kFcStatusOk;
}

void FcPolyline3d::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  if (seqendHandle_ == 0) seqendHandle_ = NextSeedHandle(filer.GetGraph());
  WriteDwgVertexHandles(filer, vertices_.empty() ? 0 : vertices_.front().handle,
                        vertices_.empty() ? 0 : vertices_.back().handle, seqendHandle_);
}

int FcPolyline3d::ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle&) {
  return ReadDwgVertexHandles(filer, GetHandle(), extra1, extra2, seqendHandle_);
}

int FcPolyline3d::WriteDwgSubRecords(FcFilerDwg& filer) {
  FcDwgOwnerOverride owner(filer, GetHandle());
  for (std::size_t i = 0; i < vertices_.size(); ++i) {
    Fc3DVertex record(VertexDwgType(vertices_[i]));
    record.CopyProperties(this);
    record.SetPaperSpace(GetPaperSpace());
    record.SetHandle(vertices_[i].handle);
    record.vertex = vertices_[i];
    record.vertex.flags = VertexFlagsFor(vertices_[i]);
    const FcHandle previous = i > 0 ? vertices_[i - 1].handle : 0;
    const FcHandle next = i + 1 < vertices_.size() ? vertices_[i + 1].handle : 0;
    record.WriteDwg(filer, previous, next, 0, 0, 0);
    if (record.GetLayer() != nullptr) record.GetLayer()->RemoveEntityHandle(&record);
  }
  WriteDwgSeqendRecord(filer, *this, seqendHandle_);
  return kFcStatusOk;
}

int FcPolyline3d::ReadDwgSubRecords(FcFilerDwg& filer, FcHandle first, FcHandle last) {
  std::unordered_set<FcHandle> visited;
  FcHandle current = first;
  while (current != 0) {
    // A chain that comes back to a record already read would never end.
    if (!visited.insert(current).second) return kFcStatusReadError;
    std::int64_t size = 0;
    std::int16_t type = 0;
    const std::int64_t offset = filer.SeekObject(current, size, type);
    if (offset <= 0 || type < kDwgVertex3d || type > kDwgFaceRecord) return kFcStatusReadError;
    Fc3DVertex record(type);
    record.SetHandle(current);
    FcHandle previous = 0;
    FcHandle next = 0;
    FcHandle e1 = 0;
    FcHandle e2 = 0;
    FcHandle e3 = 0;
    const int result = record.ReadDwg(filer, size, offset, previous, next, e1, e2, e3);
    if (record.GetLayer() != nullptr) record.GetLayer()->RemoveEntityHandle(&record);
    if (result != kFcStatusOk) return kFcStatusReadError;
    record.vertex.handle = current;
    record.vertex.flags |= KindBits(flags_, type == kDwgFaceRecord);
    vertices_.push_back(record.vertex);
    if (current == last) break;
    current = next;
  }
  return kFcStatusOk;
}
