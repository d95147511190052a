#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/handle.h"
#include "core/matrix2d.h"
#include "core/point2d.h"
#include "core/polyline_vertex.h"
#include "display/device_point.h"
#include "display/display_device.h"

class FcDisplaySurface;
class FcLineType;
class FcViewTransform;
struct VertexChain;
struct RunScratch;

// The smallest thing the display list draws, in world coordinates, tagged
// with the entity that produced it. Each primitive caches its world extents
// and the device coordinates of its last screen draw: while the surface's
// view is unchanged a redraw draws from that cache without clipping again.
class FcDsEntity {
 public:
  FcDsEntity(FcHandle entityHandle, int partTag) : entityHandle(entityHandle), partTag(partTag) {}
  FcDsEntity(const FcDsEntity&) = delete;
  FcDsEntity& operator=(const FcDsEntity&) = delete;
  virtual ~FcDsEntity() = default;

  // Applies the matrix to every point and invalidates the device cache.
  virtual void Transform(const FcMatrix2d& matrix) = 0;
  // Screen draw through the surface's device and current view.
  virtual void Draw(FcDisplaySurface& surface) = 0;
  // Print draw through the device's rotated operations; keeps no cache.
  virtual void DrawRotated(FcDisplaySurface& surface) = 0;
  virtual void GetExtents(FcPoint2d& min, FcPoint2d& max) = 0;
  // False unless drawn; then whether the extents lie in the box (inclusive).
  virtual bool InsideWindow(const FcPoint2d& min, const FcPoint2d& max);
  virtual bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) = 0;

  void InvalidateDeviceCache() { deviceCacheValid = false; }
  // The pen and colour, with the printing width of the colour index.
  void SelectPrintPen(const FcDisplaySurface& surface) const;

  // The entity whose drawing made the primitive; inside a block reference
  // the nested entity's own handle.
  FcHandle entityHandle;
  // Chosen by the producing entity (a polyline's vertex index); handed back
  // by picking and object snap.
  std::int32_t partTag;
  // Cell of the block-reference array it was drawn under; 1 outside one.
  std::int32_t insertCell = 1;
  // Used when the colour index is negative.
  FcColorRef trueColor = 0;
  std::int32_t colorIndex = 7;
  bool visible = true;
  // Some part was inside the view at the last screen draw.
  bool drawn = false;
  bool deviceCacheValid = false;
  bool extentsValid = false;
  FcPoint2d extentsMin;
  FcPoint2d extentsMax;

 protected:
  // Where the extents lie against the view's world window.
  enum class Placement { kOutside, kInside, kCrossing };

  // Visible, with a view and a device to draw on.
  bool CanDraw(const FcDisplaySurface& surface) const;
  // The device coordinates of the last draw still belong to the view.
  bool CacheUsable(const FcDisplaySurface& surface) const;
  // Discards the device cache and culls by the extents; a primitive
  // outside the window is not drawn and keeps that answer cached.
  Placement PlaceInView(const FcDisplaySurface& surface);
  void SelectPenAndColor(FcDisplayDevice& device) const;
  // The printing width of the colour index (0 for a negative index).
  int PrintLineWidth(const FcDisplaySurface& surface) const;
  // Caches the box of the points (none leave it as it was).
  void CacheExtentsOf(const std::vector<FcPoint2d>& points);
  void GetCachedExtents(FcPoint2d& min, FcPoint2d& max) const;
  // The common start of the crossing tests: false when not drawn, true
  // when the extents lie in the box, false when they miss it. Returns
  // whether that settled the answer.
  bool ExtentsDecideCrossing(const FcPoint2d& min, const FcPoint2d& max, bool& answer);
};

// The colour a primitive draws with on a background (see ColorIndexRgb
// and IsBrightColor for the colour-index table).
FcColorRef ResolveColor(const FcDsEntity& primitive, int backgroundIndex, FcColorRef backgroundRgb);

// True when the box [innerMin, innerMax] lies in [min, max] (inclusive).
bool BoxInsideBox(const FcPoint2d& innerMin, const FcPoint2d& innerMax, const FcPoint2d& min, const FcPoint2d& max);
// True when the two boxes overlap (touching counts).
bool BoxesOverlap(const FcPoint2d& aMin, const FcPoint2d& aMax, const FcPoint2d& bMin, const FcPoint2d& bMax);

class FcDsLine : public FcDsEntity {
 public:
  FcDsLine(FcHandle entityHandle, int partTag, const FcPoint2d& first, const FcPoint2d& second)
      : FcDsEntity(entityHandle, partTag), first(first), second(second) {}

  void Transform(const FcMatrix2d& matrix) override;
  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  void GetExtents(FcPoint2d& min, FcPoint2d& max) override;
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

  FcPoint2d first;
  FcPoint2d second;
  FcDevicePoint deviceFirst;
  FcDevicePoint deviceSecond;
};

class FcDsPoint : public FcDsEntity {
 public:
  FcDsPoint(FcHandle entityHandle, int partTag, const FcPoint2d& point)
      : FcDsEntity(entityHandle, partTag), point(point) {}

  void Transform(const FcMatrix2d& matrix) override;
  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  // The point itself, never cached.
  void GetExtents(FcPoint2d& min, FcPoint2d& max) override;
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

  FcPoint2d point;
  FcDevicePoint devicePoint;
};

// The primitives made of an array of world points: they share the
// transform, the extents and the setting of the points.
class FcDsPointList : public FcDsEntity {
 public:
  using FcDsEntity::FcDsEntity;

  void Transform(const FcMatrix2d& matrix) override;
  void GetExtents(FcPoint2d& min, FcPoint2d& max) override;

  // Replaces the points (nothing stored for none); both caches invalid.
  void SetPointArray(const FcPoint2d* source, int count);
  // The x and y of the vertices.
  void SetPoints(const PolylineVertex* vertices, int count);
  void AddPoint(const FcPoint2d& point);
  const std::vector<FcPoint2d>& GetPoints() const {
    MakePendingPoints();
    return points_;
  }

 protected:
  // Fills the points of a primitive that makes them only when first asked.
  virtual void MakePendingPoints() const {}

  mutable std::vector<FcPoint2d> points_;
};

// An open chain of segments (a closed one repeats its first point). On the
// screen it is drawn as runs: maximal stretches of visible segments.
class FcDsPolyline : public FcDsPointList {
 public:
  using FcDsPointList::FcDsPointList;

  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

 private:
  void DrawRuns(FcDisplayDevice& device);

  std::vector<FcDevicePoint> devicePoints_;
  std::vector<std::int32_t> runLengths_;
};

// Open chains drawn as one primitive (the strokes of a text): each stroke is
// culled, clipped and drawn as a polyline of its own would be, with its own
// pen selection, but the set costs one object and two arrays.
class FcDsStrokes : public FcDsPointList {
 public:
  using FcDsPointList::FcDsPointList;

  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  // Segments within each stroke; none joins one stroke to the next.
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

  // Appends count points through the matrix as one stroke. A stroke with
  // a point that is not finite is left out, as a polyline of its own would
  // be; so is one without points.
  void AddStroke(const FcPoint2d* points, int count, const FcMatrix2d& matrix);
  // Room for the strokes about to be added, so that the set holds no spare.
  void Reserve(std::size_t pointCount, std::size_t strokeCount);
  const std::vector<std::int32_t>& GetStrokeCounts() const { return strokeCounts_; }

 private:
  // Clips and converts one stroke into runs in the scratch arrays; the
  // number of runs it made.
  std::int32_t RunStroke(const FcViewTransform& view, const FcPoint2d* points, std::int32_t count,
                         RunScratch& scratch);
  void DrawRuns(FcDisplayDevice& device);

  std::vector<std::int32_t> strokeCounts_;
  std::vector<FcDevicePoint> devicePoints_;
  std::vector<std::int32_t> runLengths_;
  // The number of runs of each stroke that was drawn, in stroke order.
  std::vector<std::int32_t> strokeRuns_;
};

// A filled polygon, clipped as a general (possibly concave) ring.
class FcDsPolygon : public FcDsPointList {
 public:
  using FcDsPointList::FcDsPointList;

  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

 protected:
  // Clips the ring to the view and converts it; false when nothing is left.
  virtual bool ClipToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out) const;

 private:
  // Converts the ring, clipping it only when it is not wholly in view.
  bool ConvertToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out);

  std::vector<FcDevicePoint> devicePoints_;
};

// A filled convex counterclockwise polygon (the outline of a wide segment),
// clipped with the convex clipper.
class FcDsConvexPolygon : public FcDsPolygon {
 public:
  using FcDsPolygon::FcDsPolygon;

 protected:
  bool ClipToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out) const override;
};

// Several rings filled together with the even-odd rule; the points of all
// rings lie one after the other.
class FcDsPolyPolygon : public FcDsPointList {
 public:
  using FcDsPointList::FcDsPointList;

  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  // Edges only: a box wholly inside a ring does not cross it.
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

  // Copies the rings: the points of all rings one after the other and the
  // point count of each. Negative counts leave the primitive without points.
  void SetRings(int ringCount, const FcPoint2d* points, const std::int32_t* ringCounts);
  const std::vector<std::int32_t>& GetRingCounts() const { return ringCounts_; }

 private:
  // Clips and converts every ring; false when nothing is left.
  bool ClipToDevice(const FcDisplaySurface& surface, std::vector<FcDevicePoint>& out,
                    std::vector<std::int32_t>& outRingCounts);

  std::vector<std::int32_t> ringCounts_;
  std::vector<std::int32_t> clippedRingCounts_;
  std::vector<FcDevicePoint> devicePoints_;
};

// Owns a list of dash chains.
struct FcVertexChainDeleter {
  void operator()(VertexChain* head) const;
};
using FcVertexChainList = std::unique_ptr<VertexChain, FcVertexChainDeleter>;

// A ray from an origin through a second point, dashed by its linetype when
// drawn. Never culled by extents.
class FcDsRayLine : public FcDsEntity {
 public:
  FcDsRayLine(FcHandle entityHandle, int partTag, const FcPoint2d& first, const FcPoint2d& second)
      : FcDsEntity(entityHandle, partTag), first(first), second(second) {}

  void Transform(const FcMatrix2d& matrix) override;
  void Draw(FcDisplaySurface& surface) override;
  void DrawRotated(FcDisplaySurface& surface) override;
  // The first point as both corners.
  void GetExtents(FcPoint2d& min, FcPoint2d& max) override;
  // Always false.
  bool InsideWindow(const FcPoint2d& min, const FcPoint2d& max) override;
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

  FcPoint2d first;
  FcPoint2d second;
  // Not owned; null draws solid.
  const FcLineType* linetype = nullptr;
  double linetypeScale = 1.0;
  FcDevicePoint deviceFirst;
  FcDevicePoint deviceSecond;

 protected:
  // The visible piece of the ray (construction line) in world units.
  virtual bool ClipToView(const FcDisplaySurface& surface, FcPoint2d& end1, FcPoint2d& end2) const;

 private:
  // The dashes of the visible piece; null when it is drawn solid.
  FcVertexChainList MakeDashes(const FcDisplaySurface& surface, const FcPoint2d& end1, const FcPoint2d& end2) const;
  static void DrawDashes(const FcViewTransform& view, FcDisplayDevice& device, const VertexChain* dashes,
                         bool rotated);
  void DrawCachedSegment(FcDisplayDevice& device) const;

  FcVertexChainList dashes_;
};

// The infinite line through a base point and a second point.
class FcDsXLine : public FcDsRayLine {
 public:
  using FcDsRayLine::FcDsRayLine;

  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) override;

 protected:
  bool ClipToView(const FcDisplaySurface& surface, FcPoint2d& end1, FcPoint2d& end2) const override;
};
