#pragma once

#include <memory>
#include <vector>

#include "core/polyline_vertex.h"
#include "entities/hatch_edges.h"

// A boundary loop kept as polyline vertices: straight or bulged segments,
// closed or open.
class FcPLineEdge : public FcHatchEdge {
 public:
  FcPLineEdge() : FcHatchEdge(kHatchPolylineLoop) {}

  void AddVertex(const FcPoint2d& point, double bulge);
  void SetClosed(bool closed) { closed_ = closed ? 1 : 0; }
  bool IsClosed() const { return closed_ != 0; }
  bool HasBulges() const { return hasBulges_ != 0; }
  const std::vector<PolylineVertex>& GetVertices() const { return vertices_; }

  void IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const override;
  std::unique_ptr<FcHatchEdge> Clone() const override;
  // False for an open loop.
  bool AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const override;
  bool StartPoint(FcPoint2d& out) const override;
  bool EndPoint(FcPoint2d& out) const override;
  bool GetExtents(FcPoint2d& min, FcPoint2d& max) const override;
  // Bulged segments stay arcs through the images of their ends and middle.
  void Transform(const FcMatrix2d& matrix) override;
  void Reverse() override;
  void WriteDxf(FcFiler& filer) const override;
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  void WriteDwg(FcFilerDwg& filer) const override;

 private:
  int SegmentCount() const;
  const PolylineVertex& SegmentEnd(int index) const;

  std::vector<PolylineVertex> vertices_;
  std::int16_t hasBulges_ = 0;
  std::int16_t closed_ = 0;
};

// A boundary loop kept as a chain of edges, which should run head to tail
// and come back to its start.
class FcOtherEdge : public FcHatchEdge {
 public:
  FcOtherEdge() : FcHatchEdge(kHatchEdgeLoop) {}
  FcOtherEdge(const FcOtherEdge& other);
  FcOtherEdge& operator=(const FcOtherEdge&) = delete;

  // An edge loop given here gives its members instead of itself, in order.
  void AppendFlattened(std::unique_ptr<FcHatchEdge> edge);
  void PrependFlattened(std::unique_ptr<FcHatchEdge> edge);
  void RemoveAll() { edges_.clear(); }
  const std::vector<std::unique_ptr<FcHatchEdge>>& GetEdges() const { return edges_; }

  void IntersectLine(const FcPoint2d& p1, const FcPoint2d& p2, std::vector<FcPoint2d>& hits) const override;
  std::unique_ptr<FcHatchEdge> Clone() const override;
  // False, the output emptied, when the edges do not chain within the
  // tolerance or do not come back to the first start.
  bool AppendPoints(double tolerance, std::vector<FcPoint2d>& points) const override;
  bool StartPoint(FcPoint2d& out) const override;
  bool EndPoint(FcPoint2d& out) const override;
  bool GetExtents(FcPoint2d& min, FcPoint2d& max) const override;
  void Transform(const FcMatrix2d& matrix) override;
  void Reverse() override;
  void WriteDxf(FcFiler& filer) const override;
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  void WriteDwg(FcFilerDwg& filer) const override;

 private:
  std::vector<std::unique_ptr<FcHatchEdge>> edges_;
};

// A new edge of a DXF group 72 or DWG type byte (1 to 4); null for another.
std::unique_ptr<FcHatchEdge> NewHatchEdge(int type);

// The loops of a hatch, with their box kept until they change.
class FcHatchEdgeList {
 public:
  FcHatchEdgeList() = default;
  FcHatchEdgeList(const FcHatchEdgeList&) = delete;
  FcHatchEdgeList& operator=(const FcHatchEdgeList&) = delete;

  void RemoveAll();
  void Append(std::unique_ptr<FcHatchEdge> loop);
  void CopyFrom(const FcHatchEdgeList& other);
  void Transform(const FcMatrix2d& matrix);
  // The box of all loops, (0,0)-(0,0) for none.
  void GetExtents(FcPoint2d& min, FcPoint2d& max);
  int GetCount() const { return static_cast<int>(loops_.size()); }
  const FcHatchEdge& GetAt(int index) const { return *loops_[static_cast<std::size_t>(index)]; }
  const std::vector<std::unique_ptr<FcHatchEdge>>& GetLoops() const { return loops_; }

  void WriteDxf(FcFiler& filer) const;
  // From group 91 on: 0, 1 end of data, 2 an unexpected group, or a loop's
  // own failure.
  int ReadDxf(FcFiler& filer);
  void WriteDwg(FcFilerDwg& filer) const;
  // The number of boundary-object handles the loops announce, or -2 when
  // a read fails. pixelSize is set when a loop's flags ask for one.
  int ReadDwg(FcFilerDwg& filer, bool& pixelSize);

 private:
  std::vector<std::unique_ptr<FcHatchEdge>> loops_;
  FcPoint2d min_;
  FcPoint2d max_;
  bool extentsValid_ = false;
};
