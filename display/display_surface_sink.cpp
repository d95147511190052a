#include <algorithm>
#include <cmath>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "display/builder_support.h"
#include "display/display_surface.h"
#include "display/image_primitive.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"

// What an entity reads of and sets on the surface while it draws itself,
// and the primitives it hands over.

FcPenContext FcDisplaySurface::GetPenContext() const {
  FcPenContext context;
  const FcGraph* drawing = GetOwner();
  context.currentLayer = drawing != nullptr ? drawing->GetCurrentLayer() : nullptr;
  context.contextLayer = contextLayer;
  context.highPrecision = highPrecision;
  context.drawingLinetypeScale = drawingLinetypeScale;
  return context;
}

void FcDisplaySurface::SetPen(const FcPen& pen) {
  currentColorIndex = pen.color;
  currentLinetype = IsLinetypeMarker(pen.linetype) ? nullptr : pen.linetype;
  entityLinetypeScale = pen.linetypeScale;
}

void FcDisplaySurface::SetContinuousLinetype() { currentLinetype = nullptr; }

FcDrawContext FcDisplaySurface::GetContext() const {
  FcDrawContext context;
  context.graph = GetOwner();
  context.printing = highPrecision;
  context.xorPreview = IsXorPreview(*this);
  if (const FcViewTransform* view = GetView()) {
    context.windowWidth = view->x1 - view->x0;
    context.windowHeight = view->y1 - view->y0;
  }
  return context;
}

void FcDisplaySurface::AddLine(const FcPoint2d& start, const FcPoint2d& end, int subIndex, FcHandle handle) {
  AddLineToSurface(this, start, end, subIndex, handle);
}

void FcDisplaySurface::AddPoint(const FcPoint2d& point, FcHandle handle, int subIndex) {
  AddPointToSurface(this, point, handle, subIndex);
}

void FcDisplaySurface::AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle handle, int subIndex) {
  AddPolylineToSurface(this, points, count, closed, handle, subIndex);
}

void FcDisplaySurface::AddStrokes(const FcPoint2d* points, const std::int32_t* strokeCounts, int strokeCount,
                                  FcHandle handle, int subIndex) {
  AddStrokesToSurface(this, points, strokeCounts, strokeCount, handle, subIndex);
}

void FcDisplaySurface::AddCircle(const FcPoint2d& centre, double radius, FcHandle handle, int subIndex) {
  AddCurveToSurface(this, centre, radius, handle, subIndex);
}

void FcDisplaySurface::AddArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle,
                              FcHandle handle, int subIndex) {
  AddArcToSurface(this, centre, radius, startAngle, endAngle, handle, subIndex);
}

void FcDisplaySurface::AddPolygon(const FcPoint2d* points, int count, FcHandle handle, int subIndex) {
  AddSolidToSurface(this, points, count, handle, subIndex);
}

void FcDisplaySurface::AddPolyPolygon(const FcPoint2d* points, const std::int32_t* ringCounts, int ringCount,
                                      FcHandle handle, int subIndex) {
  AddPolyPolygonToSurface(this, points, ringCounts, ringCount, handle, subIndex);
}

void FcDisplaySurface::AddRay(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle,
                              int subIndex) {
  AddRayToSurface(this, basePoint, direction, handle, subIndex);
}

void FcDisplaySurface::AddXLine(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle,
                                int subIndex) {
  AddXLineToSurface(this, basePoint, direction, handle, subIndex);
}

void FcDisplaySurface::AddImage(const FcSinkImage& image, FcHandle handle, int partTag) {
  AddImageToSurface(this, image, handle, partTag);
}

void FcDisplaySurface::AddWidePolyline(const PolylineVertex* vertices, int count, bool closed, FcHandle handle) {
  AddWidePolylineToSurface(this, vertices, count, closed, handle);
}

void FcDisplaySurface::AddVertexChain(const PolylineVertex* vertices, int count, bool closed, FcHandle handle,
                                      int subIndex) {
  AddVertexChainToSurface(this, vertices, count, closed, handle, subIndex);
}

void FcDisplaySurface::AddCurve(const PolylineVertex* vertices, int count, bool closed, FcHandle handle,
                                int subIndex) {
  AddEllipseOrSplineToSurface(this, vertices, count, closed, handle, subIndex);
}

double FcDisplaySurface::DeviceChordHeight() const {
  // Single-precision constants, as the chord heights have always been.
  const double shown = highPrecision ? static_cast<double>(0.01f) : static_cast<double>(0.2f);
  const double unseen = GetDevice() != nullptr ? GetDevice()->UnseenChordHeight() : 0.0;
  return std::max(shown, unseen);
}

double FcDisplaySurface::CurveChordTolerance() const {
  // A block reference's scale shrinks or grows what the entity's units
  // show, so the world tolerance is taken back through it.
  const double world = SurfaceView(*this).DeviceLengthToWorld(DeviceChordHeight());
  const double scale = TransformLength(insertMatrix, 1.0);
  return scale > 0.0 && std::isfinite(world / scale) ? world / scale : world;
}

FcNestingState FcDisplaySurface::GetNesting() const {
  FcNestingState state;
  state.transform = insertMatrix;
  state.depth = nestingDepth;
  state.cell = insertCell;
  state.contextLayer = contextLayer;
  return state;
}

void FcDisplaySurface::SetNesting(const FcNestingState& state) {
  insertMatrix = state.transform;
  nestingDepth = state.depth;
  insertCell = state.cell;
  contextLayer = state.contextLayer;
}

void FcDisplaySurface::OpenReferenceGroup(FcHandle handle) {
  if (previewCollecting || temporaryCollecting) return;
  OpenGroup(handle);
}

void FcDisplaySurface::HideBlockEntity(FcHandle handle) {
  if (previewCollecting || temporaryCollecting) return;
  // Not GetGroup, which may compact the list under the open group.
  if (currentGroup_ < 0 || currentGroup_ >= static_cast<int>(groups_.size())) return;
  FcDsGroupEnts* group = groups_[static_cast<std::size_t>(currentGroup_)].get();
  if (group == nullptr) return;
  for (int i = 0; i < group->GetCount(); ++i) {
    FcDsEntity* primitive = group->GetPrimitive(i);
    if (primitive->entityHandle != handle) continue;
    primitive->visible = false;
    primitive->extentsValid = false;
  }
}
