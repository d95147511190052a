#pragma once

#include <cstdint>
#include <vector>

#include "core/point2d.h"
#include "core/polyline_vertex.h"
#include "database/entity.h"


// Flag bits of a polyline.
inline constexpr std::int32_t kPolylineClosed = 1;
inline constexpr std::int32_t kPolylineCurveFit = 2;
inline constexpr std::int32_t kPolylineSplineFit = 4;
// Bits of a heavy header that make a 3D polyline or a mesh.
inline constexpr std::int32_t kPolyline3dOrMesh = 8 | 16 | 32 | 64;

// Flags of the VERTEX records of the heavy form.
inline constexpr std::int32_t kVertexCurveFit = 1;
inline constexpr std::int32_t kVertexSplineFit = 8;
inline constexpr std::int32_t kVertexSplineFrame = 16;

// Curve types of a spline fit.
inline constexpr std::int32_t kCurveQuadratic = 5;
inline constexpr std::int32_t kCurveCubic = 6;

// Fits longer than this many points are refused: SPLINESEGS comes from
// files and the user, and each vertex span makes that many points.
inline constexpr std::int64_t kMaxFitVertices = 1'000'000;

// Makes the arc entity of an exploded bulged segment, counter-clockwise
// from the start to the end angle; set where the arc class is registered.
// Without it a polyline with arcs refuses to explode rather than lose them.
using PolylineArcMaker = FcEntity* (*)(const FcPoint2d& centre, double radius, double startAngle, double endAngle);
void SetPolylineArcMaker(PolylineArcMaker maker);

// A chain of vertices whose segments are straight or circular arcs (by
// bulge), with start and end widths. It is stored lightweight (one record)
// unless it is curve- or spline-fitted, when it needs the heavy form
// (POLYLINE, VERTEX records, SEQEND) to carry its generated vertices.
class FcPolyline : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgTypeLightweight = 77;
  static constexpr DwgObjectType kDwgTypeHeavy = 15;
  static constexpr const char* kRecordNameLightweight = "LWPOLYLINE";
  static constexpr const char* kRecordNameHeavy = "POLYLINE";

  FcPolyline();
  FcPolyline(const FcPolyline& other);
  FcPolyline& operator=(const FcPolyline&) = delete;
  ~FcPolyline() override;
  // Registered as "FcPolyline", "LWPOLYLINE" and "POLYLINE".
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // Vertex operations. Widths are stored as absolute values; every vertex
  // added gets a handle from the current drawing; indices out of range are
  // ignored.
  void Reset();
  void ReserveVertices(int n);
  int AppendVertex(const FcPoint2d& point, double startWidth, double endWidth, double bulge);
  // Keeps the record's handle unless it is 0.
  int AppendVertexCopy(const PolylineVertex& vertex);
  // Keeps the record's handle, 0 included (a reader that hands out the
  // handles later).
  void AppendVertexWithoutHandle(const PolylineVertex& vertex);
  // Inserts after the vertex at index (negative counts as 0); appends when
  // the polyline is empty or index + 1 is not below the count.
  void InsertVertex(const FcPoint2d& point, double startWidth, double endWidth, double bulge, int index);
  void InsertVertexCopy(const PolylineVertex& vertex, int index);
  void PrependVertex(const FcPoint2d& point, double startWidth, double endWidth, double bulge);
  void PrependVertexCopy(const PolylineVertex& vertex);
  void RemoveVertex(int index);
  void SetVertexWidths(int index, double startWidth, double endWidth);
  void SetVertexBulge(int index, double bulge);
  PolylineVertex* GetVertex(int index);
  const PolylineVertex* GetVertex(int index) const;
  void Reverse();
  void SetClosed(bool closed);
  void MakeLightweight();

  // Fitting (polyline_fit.cpp). A fit whose point count would pass
  // kMaxFitVertices is refused: the polyline is left unfitted and false
  // is returned.
  bool CurveFit();
  bool SplineFit();
  void Decurve();
  // The fit vertices become the vertices; a fit not computed yet is
  // computed first, so the vertices are never lost.
  void ApplyFit();
  void FreeFitVertices();
  // Fits again after a change of geometry; nothing for an unfitted one.
  void Refit();
  void AppendFitVertex(const FcPoint2d& point);
  bool GetSplineFitPoint(FcPoint2d& out) const;

  // Every vertex with equal start and end width, all equal to each other.
  bool HasConstantWidth() const;
  // Every vertex, and every fit vertex of a fitted polyline, gets the width
  // (its absolute value) at both ends.
  void SetConstantWidth(double width);

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  double GetLength() const override;
  double GetArea() const override;
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
  void FinishDecodedAhead(FcGraph* graph) override;
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  // Appends a vertex read from a heavy record unless it repeats the
  // previous vertex's position exactly.
  void AppendReadVertex(FcHandle handle, const FcPoint2d& point, double startWidth, double endWidth,
                        double bulge);

  int GetVertexCount() const { return static_cast<int>(vertices_.size()); }
  const std::vector<PolylineVertex>& GetVertices() const { return vertices_; }
  const std::vector<PolylineVertex>& GetFitVertices() const { return fitVertices_; }
  std::int32_t GetFlags() const { return flags_; }
  bool IsClosed() const { return (flags_ & kPolylineClosed) != 0; }
  bool IsFitted() const { return (flags_ & (kPolylineCurveFit | kPolylineSplineFit)) != 0; }
  std::int32_t GetCurveType() const { return curveType_; }
  void SetCurveType(std::int32_t type) { curveType_ = type; }
  FcHandle GetSeqendHandle() const { return seqendHandle_; }

 private:
  void SetHeavy(bool heavy);
  // The segment's end vertex: the next one, vertex 0 after the last of a
  // closed polyline; null where the segment does not exist.
  const PolylineVertex* SegmentEnd(int index) const;
  void CopyOwnFields(const FcEntity* other);
  void Renumber(int from);
  // The vertices drawn and measured: the fit vertices of a fitted polyline.
  const std::vector<PolylineVertex>& DrawnVertices();
  void EnsureFit();
  bool FitPointsWouldExceed(std::int64_t count) const;

  int WriteDxfLightweight(FcFiler& filer);
  int WriteDxfHeavy(FcFiler& filer);
  void WriteDxfVertex(FcFiler& filer, const PolylineVertex& vertex, std::int32_t flags, bool constantWidth);
  int ReadDxfLightweight(FcFiler& filer);
  int ReadDxfHeavy(FcFiler& filer);
  int ReadDxfVertex(FcFiler& filer, double defaultStart, double defaultEnd, bool& dropped);
  int ReadDxfSeqend(FcFiler& filer);
  void KeepOrDropReadVertex(const PolylineVertex& vertex, std::int32_t vertexFlags, bool& dropped);
  int ReadDwgLightweight(FcFilerDwg& filer);

  FcHandle seqendHandle_ = 0;
  std::vector<PolylineVertex> vertices_;
  std::vector<PolylineVertex> fitVertices_;
  std::int32_t flags_ = 0;
  std::int32_t curveType_ = 0;
};
