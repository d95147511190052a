#pragma once

#include <cstdint>
#include <vector>

#include "core/handle.h"
#include "core/point2d.h"
#include "database/entity.h"

// Header flag bits of the heavy polyline records that are not 2D.
inline constexpr std::int32_t kPolyline3d = 8;
inline constexpr std::int32_t kPolylineMesh = 16;
inline constexpr std::int32_t kPolylineMeshClosedN = 32;
inline constexpr std::int32_t kPolylinePolyface = 64;

// VERTEX flags of these records.
inline constexpr std::int32_t kVertex3d = 32;
inline constexpr std::int32_t kVertexMesh = 64;
inline constexpr std::int32_t kVertexFaceRecord = 128;

// One VERTEX record of a 3D polyline or mesh. A face record of a polyface
// mesh holds in face[] the 1-based numbers of its corner vertices, negative
// where the edge that starts at that corner is hidden, 0 where unused.
struct Polyline3dVertex {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  FcHandle handle = 0;
  std::int32_t flags = 0;
  std::int16_t face[4] = {0, 0, 0, 0};

  bool IsFaceRecord() const { return (flags & kVertexFaceRecord) != 0 && (flags & kVertexMesh) == 0; }
};

// A 3D polyline, polygon mesh or polyface mesh as the files carry them: a
// POLYLINE record, its VERTEX records and a SEQEND. The drawing keeps every
// vertex with its height and writes it back unchanged; it shows and edits
// the edges as seen from above.
class FcPolyline3d : public FcEntity {
 public:
  static constexpr const char* kRecordName = "POLYLINE";
  static constexpr const char* kFactoryName = "FcPolyline3d";
  static constexpr DwgObjectType kDwgType3d = 16;
  static constexpr DwgObjectType kDwgTypePolyface = 29;
  static constexpr DwgObjectType kDwgTypeMesh = 30;

  FcPolyline3d();
  FcPolyline3d(const FcPolyline3d& other);
  FcPolyline3d& operator=(const FcPolyline3d&) = delete;
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  double GetLength() const override;
  bool Explode(FcEntitySets& target) override;
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void GetStretchPoints(FcPoint2dArray& points) override;
  int MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2, FcHandle extra3) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  int WriteDwgSubRecords(FcFilerDwg& filer) override;
  int ReadDwgSubRecords(FcFilerDwg& filer, FcHandle first, FcHandle last) override;
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  // The header flags (bit 1 closed; 8, 16 or 64 the kind) and the mesh
  // counts and densities of groups 71 to 74, the surface type of 75.
  std::int32_t GetFlags() const { return flags_; }
  void SetFlags(std::int32_t flags);
  bool IsMesh() const { return (flags_ & kPolylineMesh) != 0; }
  bool IsPolyface() const { return (flags_ & kPolylinePolyface) != 0; }
  std::int32_t GetMeshCount(int k) const { return counts_[k]; }
  void SetMeshCount(int k, std::int32_t value) { counts_[k] = value; }
  std::int32_t GetSurfaceType() const { return surfaceType_; }
  const std::vector<Polyline3dVertex>& GetVertices() const { return vertices_; }
  int GetVertexCount() const { return static_cast<int>(vertices_.size()); }
  // Appends a vertex (a face record of a polyface with its flags); a handle
  // of 0 is given one from the current drawing.
  void AppendVertex(const Polyline3dVertex& vertex);
  FcHandle GetSeqendHandle() const { return seqendHandle_; }

  // The edges seen from above, in the order they are drawn: each is one
  // sub-index of the drawing and of object snap.
  struct Edge {
    FcPoint2d start;
    FcPoint2d end;
  };
  std::vector<Edge> Edges() const;

 private:
  void CopyOwnFields(const FcPolyline3d& other);
  // The vertex records of the mesh or polyline proper, face records left
  // out.
  std::vector<const Polyline3dVertex*> PointVertices() const;
  std::int32_t VertexFlagsFor(const Polyline3dVertex& vertex) const;
  const char* SubclassMarker() const;
  const char* VertexMarker(const Polyline3dVertex& vertex) const;
  DwgObjectType VertexDwgType(const Polyline3dVertex& vertex) const;
  void WriteDxfVertex(FcFiler& filer, const Polyline3dVertex& vertex) const;
  int ReadDxfVertex(FcFiler& filer);
  int ReadDxfSeqend(FcFiler& filer);

  FcHandle seqendHandle_ = 0;
  std::vector<Polyline3dVertex> vertices_;
  std::int32_t flags_ = kPolyline3d;
  // Groups 71 to 74: mesh M and N counts and densities; a polyface's vertex
  // and face counts in the first two.
  std::int32_t counts_[4] = {0, 0, 0, 0};
  std::int32_t surfaceType_ = 0;
};
