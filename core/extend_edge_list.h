#pragma once

#include <memory>
#include <vector>

#include "core/data_array.h"
#include "core/extend_edges.h"
#include "core/polyline_vertex.h"

// The boundary edges of one run of the trimming or extending commands, in
// the order they were added (selection order, then each object's own
// order). Every "first" or "nearest" answer favours the earlier edge on a
// tie.
class FcExtendEdgeList {
 public:
  FcExtendEdgeList() = default;
  virtual ~FcExtendEdgeList() = default;
  FcExtendEdgeList(const FcExtendEdgeList&) = delete;
  FcExtendEdgeList& operator=(const FcExtendEdgeList&) = delete;

  // Takes the edge; null is ignored.
  void Add(std::unique_ptr<FcExtendEdge> edge);
  void Clear();
  int GetCount() const { return static_cast<int>(edges_.size()); }
  const FcExtendEdge& GetAt(int index) const { return *edges_[static_cast<std::size_t>(index)]; }

  // The first edge point met by the arc end at movingAngle travelling on
  // (away from fixedAngle).
  bool NearestArcExtension(const FcPoint2d& centre, double radius, double fixedAngle, double movingAngle,
                           bool counterClockwise, bool extendEdges, FcPoint2d& out) const;
  // The edge point nearest to moving on the line from far through moving,
  // strictly beyond moving.
  bool NearestLineExtension(const FcPoint2d& far, const FcPoint2d& moving, bool extendEdges, FcPoint2d& out) const;

  // The crossings of all edges with the object, edge after edge; the
  // array is emptied first. Answer: their count.
  int ArcCrossings(const FcPoint2d& centre, double radius, double start, double end, bool extendEdges,
                   FcPoint2dArray& points) const;
  int LineCrossings(const FcPoint2d& p1, const FcPoint2d& p2, ExtendLineKind kind, bool extendEdges,
                    FcPoint2dArray& points) const;
  // The crossings with the polyline segment from vertex to next; the
  // vertex's bulge makes it straight or an arc.
  int PolylineSegmentCrossings(const PolylineVertex& vertex, const PolylineVertex& next, bool extendEdges,
                               FcPoint2dArray& points) const;

 private:
  std::vector<std::unique_ptr<FcExtendEdge>> edges_;
};
