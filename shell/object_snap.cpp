#include "shell/object_snap.h"

#include <array>
#include <cmath>

#include "core/intersections.h"
#include "core/point_ops.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "display/display_group.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "entities/geom_segment_ops.h"
#include "platform/program_settings.h"
#include "shell/snap_segment.h"

namespace {

struct ModeName {
  int mode;
  const char* name;
};

constexpr std::array<ModeName, 10> kModeNames{{
    {kOsnapEndpoint, "Endpoint"},
    {kOsnapMidpoint, "Midpoint"},
    {kOsnapCenter, "Center"},
    {kOsnapNode, "Node"},
    {kOsnapQuadrant, "Quadrant"},
    {kOsnapIntersection, "Intersection"},
    {kOsnapInsert, "Insert"},
    {kOsnapPerpendicular, "Perpendicular"},
    {kOsnapTangent, "Tangent"},
    {kOsnapNearest, "Nearest"},
}};

struct Aperture {
  FcPoint2d min;
  FcPoint2d max;
};

// Walks a group's primitives and hands each one the aperture touches to
// hit, skipping the rest of its unit (the run of primitives with the same
// entity and part) once one of them was hit: the unit's records are
// collected once.
template <typename Hit>
void ForEachHitUnit(FcDsGroupEnts& group, const Aperture& aperture, Hit hit) {
  bool unitHit = false;
  FcHandle unitHandle = 0;
  int unitPart = 0;
  for (int i = 0; i < group.GetCount(); ++i) {
    FcDsEntity& primitive = *group.GetPrimitive(i);
    const bool sameUnit = i > 0 && primitive.entityHandle == unitHandle && primitive.partTag == unitPart;
    if (!sameUnit) unitHit = false;
    unitHandle = primitive.entityHandle;
    unitPart = primitive.partTag;
    if (unitHit || !primitive.visible || !primitive.CrossesWindow(aperture.min, aperture.max)) continue;
    unitHit = true;
    // A hit test may name the part it found (an image's frame edge).
    hit(primitive);
  }
}

// The records of what the aperture touches in the display list. An entity
// that is not in the drawing's set was drawn by a block reference or a
// dimension, whose group it is in: that entity answers for it, and adds
// its own records (a block reference's insertion point) once per group.
void CollectDrawingSegments(FcDisplaySurface& surface, const Aperture& aperture, const FcPoint2d& cursor, int mask,
                            GeomSegmentList& segments) {
  const FcGraph* graph = surface.GetOwner();
  const FcEntitySets* entities = graph != nullptr ? graph->GetCurrentEntitySet() : nullptr;
  if (entities == nullptr) return;
  const FcMatrix2d identity;
  const int groupCount = surface.GetGroupCount();
  for (int g = 0; g < groupCount; ++g) {
    FcDsGroupEnts* group = surface.GetGroup(g);
    if (group == nullptr || !group->visible) continue;
    FcEntity* owner = nullptr;
    bool innerHit = false;
    ForEachHitUnit(*group, aperture, [&](const FcDsEntity& primitive) {
      if (FcEntity* entity = entities->FindByHandle(primitive.entityHandle)) {
        entity->GetSnapSegments(mask, cursor, primitive.partTag, identity, segments);
        return;
      }
      if (owner == nullptr) owner = entities->FindByHandle(group->entityHandle);
      if (owner == nullptr) return;
      owner->GetBlockSnapSegments(mask, cursor, primitive.entityHandle, primitive.partTag, primitive.insertCell,
                                  identity, segments);
      innerHit = true;
    });
    if (innerHit) owner->GetSnapSegments(mask, cursor, 0, identity, segments);
  }
}

bool Intersects(const GeomSegment& segment) {
  const bool shape = segment.type == kGeomSegmentLine || segment.type == kGeomSegmentArc ||
                     (segment.type == kGeomSegmentCurve && segment.entity != nullptr);
  return shape && (segment.snapModes & kOsnapIntersection) != 0;
}

// The crossings of two records: lines and arcs between themselves, a curve
// through the entity that owns it.
int Crossings(const GeomSegment& a, const GeomSegment& b, const FcPoint2d& cursor, FcPoint2d (&out)[2]) {
  const GeomSegment* curve = a.type == kGeomSegmentCurve ? &a : b.type == kGeomSegmentCurve ? &b : nullptr;
  if (curve == nullptr) return IntersectGeomSegments(a, b, out);
  const GeomSegment& other = curve == &a ? b : a;
  return curve->entity->IntersectWithSegment(cursor, curve->parameter, curve->matrix, other, out[0]) ? 1 : 0;
}

}  // namespace

bool ObjectSnapSearches(int mask) { return mask != 0 && (mask & kObjectSnapSuspended) == 0; }

bool SnapSearch(FcDisplaySurface& surface, FcEntity* tempEntity, const FcPoint2d* basePoint,
                const FcPoint2d& cursor, int& mask, FcPoint2d& point) {
  const int modes = mask;
  mask = 0;
  const FcViewTransform* view = surface.GetView();
  if (!ObjectSnapSearches(modes) || view == nullptr) return false;
  const double half = view->PixelsToWorld(GetProgramSettings().snap_box_size);
  if (!std::isfinite(half)) return false;
  const Aperture aperture{{cursor.x - half, cursor.y - half}, {cursor.x + half, cursor.y + half}};

  GeomSegmentList segments;
  CollectDrawingSegments(surface, aperture, cursor, modes, segments);
  if (tempEntity != nullptr) {
    const FcMatrix2d identity;
    ForEachHitUnit(surface.GetTemporaryGroup(), aperture, [&](const FcDsEntity& primitive) {
      tempEntity->GetSnapSegments(modes, cursor, primitive.partTag, identity, segments);
    });
  }

  SnapCandidate best;
  const auto offer = [&best](const SnapCandidate& candidate) {
    if (candidate.mode == 0) return;
    if (best.mode == 0 || candidate.distance < best.distance) best = candidate;
  };
  const bool intersections = (modes & kOsnapIntersection) != 0;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const GeomSegment& segment = *segments[i];
    offer(SnapSegment(segment, basePoint, cursor, modes));
    if (!intersections || !Intersects(segment)) continue;
    for (std::size_t j = i + 1; j < segments.size(); ++j) {
      if (!Intersects(*segments[j])) continue;
      FcPoint2d crossings[2];
      const int count = Crossings(segment, *segments[j], cursor, crossings);
      for (int k = 0; k < count; ++k) {
        const FcPoint2d& crossing = crossings[k];
        if (!std::isfinite(crossing.x) || !std::isfinite(crossing.y)) continue;
        offer({kOsnapIntersection, crossing, DistanceBetween(cursor, crossing)});
      }
    }
  }
  if (best.mode == 0) return false;
  mask = best.mode;
  point = best.point;
  return true;
}

std::string SnapMarkerName(int mode) {
  for (const ModeName& entry : kModeNames)
    if (entry.mode == mode) return entry.name;
  return {};
}
