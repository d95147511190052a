#include "display/primitive_builders.h"

#include <algorithm>
#include <cmath>

#include "database/dash_applier.h"
#include "database/linetype.h"
#include "display/builder_support.h"
#include "display/display_arc.h"
#include "display/display_surface.h"
#include "display/view_transform.h"

namespace {

constexpr int kMinSegments = 8;
constexpr int kXorSegmentCap = 64;

bool IsFinite(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// n from a segment count computed in doubles, held between 8 and the cap.
int ClampSegments(double n, int cap) {
  if (!(n >= kMinSegments)) return kMinSegments;
  return n >= cap ? cap : static_cast<int>(n);
}

// The central angle of a chord of height h on radius r; 0 when there is
// none to compute.
double ChordAngle(double r, double h) {
  const double angle = 4.0 * std::atan(h / std::sqrt(2.0 * r * h - h * h));
  return std::isfinite(angle) ? angle : 0.0;
}

PolylineVertex MakeVertex(double x, double y, double width) {
  PolylineVertex v;
  v.x = x;
  v.y = y;
  v.startWidth = width;
  v.endWidth = width;
  return v;
}

void TransformAll(const FcMatrix2d& matrix, std::vector<PolylineVertex>& chain) {
  for (PolylineVertex& v : chain) TransformPolylineVertex(matrix, v);
}

std::unique_ptr<FcDsPolyline> PolylineOf(const std::vector<PolylineVertex>& chain, FcHandle handle, int tag) {
  auto polyline = std::make_unique<FcDsPolyline>(handle, tag);
  polyline->SetPoints(chain.data(), static_cast<int>(chain.size()));
  return polyline;
}

// Dashes of a tessellated curve; true when they were added.
bool AddCurveDashes(FcDisplaySurface* surface, const std::vector<PolylineVertex>& chain, bool fit, double length,
                    int dashTag, FcHandle handle, int partTag) {
  VertexChain* head = nullptr;
  ApplyLinetypeToPolyline2(chain.data(), static_cast<int>(chain.size()), fit, chain.front().startWidth,
                           chain.front().endWidth, length, surface->entityLinetypeScale, dashTag, head,
                           *surface->currentLinetype);
  const FcVertexChainList dashes(head);
  if (!dashes) return false;
  AddChainListToSurface(surface, dashes.get(), handle, partTag);
  return true;
}

}  // namespace

const FcViewTransform& SurfaceView(const FcDisplaySurface& surface) {
  static const FcViewTransform defaultView;
  return surface.GetView() != nullptr ? *surface.GetView() : defaultView;
}

bool IsXorPreview(const FcDisplaySurface& surface) {
  return surface.GetDevice() != nullptr && surface.GetDevice()->IsXorMode();
}

void EmitPrimitive(FcDisplaySurface* surface, std::unique_ptr<FcDsEntity> primitive) {
  FcPoint2d min;
  FcPoint2d max;
  primitive->GetExtents(min, max);
  if (!IsFinite(min) || !IsFinite(max)) return;
  surface->AddPrimitive(std::move(primitive));
}

double ChainLength(const PolylineVertex* vertices, int count) {
  double length = 0.0;
  for (int i = 1; i < count; ++i) {
    length += std::hypot(vertices[i].x - vertices[i - 1].x, vertices[i].y - vertices[i - 1].y);
  }
  return length;
}

bool FcDisplaySurface::MayUseLinetypePattern() const {
  return currentLinetype != nullptr && currentLinetype->GetElementCount() > 1;
}

bool FcDisplaySurface::UseLinetypePattern(double length) const {
  if (!MayUseLinetypePattern()) return false;
  const FcLineType* linetype = currentLinetype;
  const double pattern = linetype->GetPatternLength() * entityLinetypeScale;
  // A pattern that is not positive would never advance along the path.
  if (!(pattern > 0.0)) return false;
  if (!(SurfaceView(*this).WorldLengthToDevice(pattern) > 0.125)) return false;
  if (linetype->GetDrawnLength() != 0.0 && pattern > length) return false;
  return length / pattern < (IsXorPreview(*this) ? 50.0 : 6400.0);
}

double ChordHeight(const FcDisplaySurface& surface, double radius) {
  const double device = surface.DeviceChordHeight();
  const double worldRadius = TransformLength(surface.insertMatrix, radius);
  // A circle that vanishes under the matrix gets the fewest segments.
  if (!(worldRadius > 0.0)) return std::fabs(radius);
  return SurfaceView(surface).DeviceLengthToWorld(device) * radius / worldRadius;
}

int CircleSegmentCap(const FcDisplaySurface& surface) {
  return IsXorPreview(surface) ? kXorSegmentCap : surface.highPrecision ? 320000 : 6400;
}

int ArcSegmentCap(const FcDisplaySurface& surface) {
  return IsXorPreview(surface) ? kXorSegmentCap : surface.highPrecision ? 25600 : 6400;
}

std::vector<PolylineVertex> CircleChain(double radius, double chordHeight, const FcPoint2d& centre, int cap) {
  int n = kMinSegments;
  if (chordHeight < radius) {
    const double angle = ChordAngle(radius, chordHeight);
    if (angle != 0.0) n = ClampSegments(std::trunc(kTwoPi / angle), cap);
  }
  std::vector<PolylineVertex> chain;
  chain.reserve(static_cast<std::size_t>(n) + 1);
  const double step = kTwoPi / n;
  double angle = 0.0;
  for (int i = 0; i < n; ++i) {
    chain.push_back(MakeVertex(centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle), 0.0));
    angle += step;
  }
  chain.push_back(MakeVertex(centre.x + radius, centre.y, 0.0));
  return chain;
}

std::vector<PolylineVertex> ArcChain(const FcPoint2d& centre, double radius, double chordHeight, double startAngle,
                                     double endAngle, double startWidth, double endWidth, int cap) {
  const double outer = radius + std::max(startWidth, endWidth) / 2;
  int n = kMinSegments;
  if (chordHeight < outer) {
    const double angle = ChordAngle(outer, chordHeight);
    if (angle != 0.0) n = ClampSegments(std::trunc(std::fabs(endAngle - startAngle) / angle + 1.0), cap);
  }
  std::vector<PolylineVertex> chain;
  chain.reserve(static_cast<std::size_t>(n) + 1);
  const double step = (endAngle - startAngle) / n;
  const double widthStep = (endWidth - startWidth) / n;
  double angle = startAngle;
  double width = startWidth;
  for (int i = 0; i <= n; ++i) {
    chain.push_back(MakeVertex(centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle), width));
    angle += step;
    width += widthStep;
  }
  return chain;
}

std::vector<PolylineVertex> TessellateCircle(const FcDisplaySurface& surface, double radius, double chordHeight,
                                             const FcPoint2d& centre) {
  return CircleChain(radius, chordHeight, centre, CircleSegmentCap(surface));
}

std::vector<PolylineVertex> TessellateArc(const FcDisplaySurface& surface, const FcPoint2d& centre, double radius,
                                          double chordHeight, double startAngle, double endAngle, double startWidth,
                                          double endWidth) {
  return ArcChain(centre, radius, chordHeight, startAngle, endAngle, startWidth, endWidth, ArcSegmentCap(surface));
}

void AddPointToSurface(FcDisplaySurface* surface, const FcPoint2d& point, FcHandle handle, int partTag) {
  if (surface == nullptr) return;
  auto primitive = std::make_unique<FcDsPoint>(handle, partTag, point);
  primitive->Transform(surface->insertMatrix);
  EmitPrimitive(surface, std::move(primitive));
}

void AddLineToSurface(FcDisplaySurface* surface, const FcPoint2d& start, const FcPoint2d& end, int partTag,
                      FcHandle handle) {
  if (surface == nullptr) return;
  FcPoint2d ends[2] = {start, end};
  TransformPoint(surface->insertMatrix, ends[0]);
  TransformPoint(surface->insertMatrix, ends[1]);
  const double length = std::hypot(ends[1].x - ends[0].x, ends[1].y - ends[0].y);
  if (surface->UseLinetypePattern(length)) {
    VertexChain* head = nullptr;
    ApplyLinetypeToPolyline(ends, 2, false, 0.0, 0.0, length, surface->entityLinetypeScale, 0, head,
                            *surface->currentLinetype);
    const FcVertexChainList dashes(head);
    AddChainListToSurface(surface, dashes.get(), handle, partTag);
    return;
  }
  EmitPrimitive(surface, std::make_unique<FcDsLine>(handle, partTag, ends[0], ends[1]));
}

namespace {

template <typename Unbounded>
void AddUnboundedLine(FcDisplaySurface* surface, const FcPoint2d& basePoint, const FcPoint2d& direction,
                      FcHandle handle, int partTag) {
  if (surface == nullptr || (direction.x == 0.0 && direction.y == 0.0)) return;
  auto primitive = std::make_unique<Unbounded>(handle, partTag, basePoint,
                                               FcPoint2d{basePoint.x + direction.x, basePoint.y + direction.y});
  const FcLineType* linetype = surface->currentLinetype;
  primitive->linetype = linetype != nullptr && linetype->GetElementCount() > 1 ? linetype : nullptr;
  primitive->linetypeScale = surface->entityLinetypeScale;
  primitive->Transform(surface->insertMatrix);
  if (!IsFinite(primitive->second)) return;
  EmitPrimitive(surface, std::move(primitive));
}

}  // namespace

void AddXLineToSurface(FcDisplaySurface* surface, const FcPoint2d& basePoint, const FcPoint2d& direction,
                       FcHandle handle, int partTag) {
  AddUnboundedLine<FcDsXLine>(surface, basePoint, direction, handle, partTag);
}

void AddRayToSurface(FcDisplaySurface* surface, const FcPoint2d& basePoint, const FcPoint2d& direction,
                     FcHandle handle, int partTag) {
  AddUnboundedLine<FcDsRayLine>(surface, basePoint, direction, handle, partTag);
}

void AddPolylineToSurface(FcDisplaySurface* surface, const FcPoint2d* points, int count, bool closed,
                          FcHandle handle, int partTag) {
  if (surface == nullptr || points == nullptr || count <= 0) return;
  auto polyline = std::make_unique<FcDsPolyline>(handle, partTag);
  polyline->SetPointArray(points, count);
  if (closed) polyline->AddPoint(points[0]);
  polyline->Transform(surface->insertMatrix);
  EmitPrimitive(surface, std::move(polyline));
}

void AddVertexChainToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                             FcHandle handle, int partTag) {
  if (surface == nullptr || vertices == nullptr || count <= 0) return;
  auto polyline = std::make_unique<FcDsPolyline>(handle, partTag);
  polyline->SetPoints(vertices, count);
  if (closed) polyline->AddPoint({vertices[0].x, vertices[0].y});
  polyline->Transform(surface->insertMatrix);
  EmitPrimitive(surface, std::move(polyline));
}

void AddEllipseOrSplineToSurface(FcDisplaySurface* surface, const PolylineVertex* vertices, int count, bool closed,
                                 FcHandle handle, int partTag) {
  if (surface == nullptr || vertices == nullptr || count <= 0) return;
  const double startWidth = TransformLength(surface->insertMatrix, vertices[0].startWidth);
  const double endWidth = TransformLength(surface->insertMatrix, vertices[0].endWidth);
  std::vector<PolylineVertex> copies(vertices, vertices + count);
  for (PolylineVertex& v : copies) {
    TransformPolylineVertex(surface->insertMatrix, v);
    v.startWidth = startWidth;
    v.endWidth = endWidth;
  }
  const double length = ChainLength(copies.data(), count);
  if (surface->UseLinetypePattern(length) &&
      AddCurveDashes(surface, copies, closed, length, partTag != 0 ? partTag : vertices[0].index, handle, partTag)) {
    return;
  }
  AddVertexArrayToSurface(surface, copies.data(), count, closed, handle, partTag);
}

namespace {

// A circle or arc in local units: through the insert matrix, then dashed
// when half its length passes the linetype test, else one polyline. A
// device that draws the curve itself gets it with its chords left to be
// made when something asks for them: most of these curves never need them.
void AddTessellatedCurve(FcDisplaySurface* surface, FcCurveChords chords, FcHandle handle, int partTag) {
  chords.insertMatrix = surface->insertMatrix;
  const FcDisplayDevice* device = surface->GetDevice();
  const bool drawsCurve = device != nullptr && device->DrawsCurves() && KeepsCirclesRound(chords.insertMatrix);
  // A solid curve needs no length: most curves are solid.
  if (drawsCurve && !surface->MayUseLinetypePattern()) {
    auto arc = std::make_unique<FcDsArc>(handle, partTag, chords.centre, chords.radius, chords.startAngle,
                                         chords.endAngle, chords.full);
    arc->PlaceCurve(chords.insertMatrix);
    arc->SetPendingChords(chords);
    EmitPrimitive(surface, std::move(arc));
    return;
  }
  std::vector<PolylineVertex> chain = LocalChords(chords);
  TransformAll(chords.insertMatrix, chain);
  if (surface->MayUseLinetypePattern()) {
    const double length = ChainLength(chain.data(), static_cast<int>(chain.size()));
    if (surface->UseLinetypePattern(length / 2) &&
        AddCurveDashes(surface, chain, chords.full, length, partTag != 0 ? partTag : 1, handle, partTag)) {
      return;
    }
  }
  if (drawsCurve) {
    auto arc = std::make_unique<FcDsArc>(handle, partTag, chords.centre, chords.radius, chords.startAngle,
                                         chords.endAngle, chords.full);
    arc->SetPoints(chain.data(), static_cast<int>(chain.size()));
    arc->PlaceCurve(chords.insertMatrix);
    EmitPrimitive(surface, std::move(arc));
    return;
  }
  // A circle's chain already ends where it began.
  EmitPrimitive(surface, PolylineOf(chain, handle, partTag));
}

}  // namespace

void AddCurveToSurface(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, FcHandle handle,
                       int partTag) {
  if (surface == nullptr || !IsFinite(centre) || !std::isfinite(radius)) return;
  AddTessellatedCurve(
      surface, {centre, radius, 0.0, 0.0, true, ChordHeight(*surface, radius), CircleSegmentCap(*surface), {}},
      handle, partTag);
}

void AddArcToSurface(FcDisplaySurface* surface, const FcPoint2d& centre, double radius, double startAngle,
                     double endAngle, FcHandle handle, int partTag) {
  if (surface == nullptr || !IsFinite(centre) || !std::isfinite(radius) || !std::isfinite(startAngle) ||
      !std::isfinite(endAngle)) {
    return;
  }
  AddTessellatedCurve(surface,
                      {centre, radius, startAngle, endAngle, false, ChordHeight(*surface, radius),
                       ArcSegmentCap(*surface), {}},
                      handle, partTag);
}

void AddStrokesToSurface(FcDisplaySurface* surface, const FcPoint2d* points, const std::int32_t* strokeCounts,
                         int strokeCount, FcHandle handle, int partTag) {
  if (surface == nullptr || points == nullptr || strokeCounts == nullptr || strokeCount <= 0) return;
  std::size_t total = 0;
  for (int stroke = 0; stroke < strokeCount; ++stroke) {
    // A negative count would walk the points backwards.
    if (strokeCounts[stroke] < 0) return;
    total += static_cast<std::size_t>(strokeCounts[stroke]);
  }
  auto strokes = std::make_unique<FcDsStrokes>(handle, partTag);
  strokes->Reserve(total, static_cast<std::size_t>(strokeCount));
  for (int stroke = 0; stroke < strokeCount; points += strokeCounts[stroke], ++stroke) {
    strokes->AddStroke(points, strokeCounts[stroke], surface->insertMatrix);
  }
  if (strokes->GetStrokeCounts().empty()) return;
  surface->AddPrimitive(std::move(strokes));
}

void AddSolidToSurface(FcDisplaySurface* surface, const FcPoint2d* points, int count, FcHandle handle, int partTag) {
  if (surface == nullptr || points == nullptr || count <= 0) return;
  auto polygon = std::make_unique<FcDsPolygon>(handle, partTag);
  polygon->SetPointArray(points, count);
  polygon->Transform(surface->insertMatrix);
  EmitPrimitive(surface, std::move(polygon));
}

void AddPolyPolygonToSurface(FcDisplaySurface* surface, const FcPoint2d* points, const std::int32_t* ringCounts,
                             int ringCount, FcHandle handle, int partTag) {
  if (surface == nullptr) return;
  auto polygon = std::make_unique<FcDsPolyPolygon>(handle, partTag);
  polygon->SetRings(ringCount, points, ringCounts);
  if (polygon->GetPoints().empty()) return;
  polygon->Transform(surface->insertMatrix);
  EmitPrimitive(surface, std::move(polygon));
}
