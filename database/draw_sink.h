#pragma once

#include <cstdint>
#include <vector>

#include "core/handle.h"
#include "core/matrix2d.h"
#include "core/point2d.h"
#include "core/polyline_vertex.h"

class CDib;
class FcGraph;
class FcLayer;
class FcLineType;

// The colour that follows the layer (kColorByBlock, 0, is in entity.h).
inline constexpr std::int16_t kColorByLayer = 256;

// What the pen set-up of an entity reads of the sink.
struct FcPenContext {
  // The layer used for an entity that has none: the surface's drawing's
  // current layer.
  FcLayer* currentLayer = nullptr;
  // Set while a block reference draws its block: it governs entities on
  // layer "0".
  FcLayer* contextLayer = nullptr;
  // Set while printing: non-plotting layers are skipped.
  bool highPrecision = false;
  double drawingLinetypeScale = 1.0;
};

// What the pen set-up gives the sink.
struct FcPen {
  std::int16_t color = kColorByLayer;
  // Null draws continuous lines.
  FcLineType* linetype = nullptr;
  double linetypeScale = 1.0;
};

// What an entity needs to know of where it is drawn.
struct FcDrawContext {
  // The drawing being drawn; null reads as a new drawing's settings.
  const FcGraph* graph = nullptr;
  // A print or export pass.
  bool printing = false;
  // A rubber-band preview drawn in XOR mode, which keeps its primitives few.
  bool xorPreview = false;
  // The size of the current world window.
  double windowWidth = 0.0;
  double windowHeight = 0.0;
};

// What a block reference changes on the sink while it draws its block, and
// puts back when it is done.
struct FcNestingState {
  // Maps the coordinates of the entity being drawn to the world; applied to
  // every primitive.
  FcMatrix2d transform;
  // Above 0 while a block reference draws its contents.
  int depth = 0;
  // The array cell of the outermost reference being drawn, which object
  // snap hands back to find the copy a primitive belongs to.
  int cell = 1;
  // Governs entities on layer "0" inside the block.
  FcLayer* contextLayer = nullptr;
};

// A raster picture placed as a parallelogram: the insertion point and the
// world vectors of one picture pixel along its rows (u) and columns (v).
struct FcSinkImage {
  // Not owned; null shows the frame only.
  const CDib* picture = nullptr;
  FcPoint2d insertion;
  FcPoint2d u;
  FcPoint2d v;
  // The size in pixels to use without a picture.
  int width = 0;
  int height = 0;
  // 50, 50 and 0 leave the picture as it is.
  int brightness = 50;
  int contrast = 50;
  int fade = 0;
  // Pure white pixels are left unpainted.
  bool transparent = false;
  // The part of the picture shown, in picture pixels from the centre of the
  // top-left pixel, rows downward; empty shows it whole.
  std::vector<FcPoint2d> clipBoundary;
};

// Where entities draw themselves. The display list implements it for the
// screen, the printer and the export files; the entities know nothing else
// of them. Every primitive carries the entity's handle and a sub-index (or
// part tag) that picking reports back.
class FcDrawSink {
 public:
  virtual ~FcDrawSink() = default;

  // The pen: what the entity's pen set-up reads, then the pen it chose.
  virtual FcPenContext GetPenContext() const = 0;
  virtual void SetPen(const FcPen& pen) = 0;
  // Makes the primitives added next continuous, whatever the pen's linetype.
  virtual void SetContinuousLinetype() = 0;
  virtual FcDrawContext GetContext() const = 0;

  // A sink that keeps no nesting draws block contents untransformed.
  virtual FcNestingState GetNesting() const { return {}; }
  virtual void SetNesting(const FcNestingState&) {}
  // Makes the reference's group the one every primitive goes to until the
  // outermost reference is drawn.
  virtual void OpenReferenceGroup(FcHandle) {}
  // Hides the primitives one entity of a block added to the current group
  // (its layer is off).
  virtual void HideBlockEntity(FcHandle) {}

  // A line, broken into dashes by the current linetype.
  virtual void AddLine(const FcPoint2d& start, const FcPoint2d& end, int subIndex, FcHandle handle) = 0;
  virtual void AddPoint(const FcPoint2d& point, FcHandle handle, int subIndex) = 0;
  // A thin polyline through count points, closed when asked.
  virtual void AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle handle, int subIndex) = 0;
  // Open polylines, the points of all one after the other: the strokes of
  // a text in a stroke font. A sink that keeps no sets of strokes gets each
  // stroke as a polyline of its own.
  virtual void AddStrokes(const FcPoint2d* points, const std::int32_t* strokeCounts, int strokeCount,
                          FcHandle handle, int subIndex) {
    for (int stroke = 0; stroke < strokeCount; points += strokeCounts[stroke], ++stroke)
      AddPolyline(points, strokeCounts[stroke], false, handle, subIndex);
  }
  // A full circle, tessellated and dashed by the current linetype.
  virtual void AddCircle(const FcPoint2d& centre, double radius, FcHandle handle, int subIndex) = 0;
  // Counterclockwise from the start angle to the end angle (radians).
  virtual void AddArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle, FcHandle handle,
                      int subIndex) = 0;
  // A filled polygon through the points in the given order.
  virtual void AddPolygon(const FcPoint2d* points, int count, FcHandle handle, int subIndex) = 0;
  // Rings filled together with the even-odd rule, so that inner rings are
  // holes; the points of all rings lie one after the other. A sink that
  // fills no holes gets each ring as a polygon of its own.
  virtual void AddPolyPolygon(const FcPoint2d* points, const std::int32_t* ringCounts, int ringCount,
                              FcHandle handle, int subIndex) {
    for (int ring = 0; ring < ringCount; points += ringCounts[ring], ++ring)
      AddPolygon(points, ringCounts[ring], handle, subIndex);
  }
  // A ray from the base point, and a line without end through it, both
  // clipped to the view window.
  virtual void AddRay(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle, int subIndex) = 0;
  virtual void AddXLine(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle, int subIndex) = 0;
  virtual void AddImage(const FcSinkImage& image, FcHandle handle, int partTag) = 0;
  // A polyline whose segments may be arcs (bulges) and have widths; each
  // primitive carries the index field of the vertex that starts its
  // segment. A sink that draws no widths or arcs gets the vertex chord.
  virtual void AddWidePolyline(const PolylineVertex* vertices, int count, bool closed, FcHandle handle) {
    AddVertexChain(vertices, count, closed, handle, 0);
  }
  // A curve already tessellated by its entity (ellipses, splines): one
  // polyline through the vertices, dashed by the current linetype along its
  // whole length.
  virtual void AddCurve(const PolylineVertex* vertices, int count, bool closed, FcHandle handle, int subIndex) {
    AddVertexChain(vertices, count, closed, handle, subIndex);
  }
  // The largest distance between a curve and its chords that the view does
  // not show, in the entity's own units; 0 when the sink has no view, which
  // leaves the entity its finest tessellation.
  virtual double CurveChordTolerance() const { return 0.0; }
  // Thin straight lines through the vertices, widths and bulges ignored.
  virtual void AddVertexChain(const PolylineVertex* vertices, int count, bool closed, FcHandle handle,
                              int subIndex) {
    std::vector<FcPoint2d> points;
    points.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = 0; i < count; ++i) points.push_back({vertices[i].x, vertices[i].y});
    AddPolyline(points.data(), count, closed, handle, subIndex);
  }
};
