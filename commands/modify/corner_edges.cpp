#include "commands/modify/corner_edges.h"

#include "entities/line.h"
#include "entities/ray.h"
#include "entities/xline.h"

bool StraightEdgeOf(const FcEntity& entity, const FcPoint2d& pick, StraightCornerEdge& edge) {
  if (const auto* line = dynamic_cast<const FcLine*>(&entity)) {
    edge = {line->GetStartPoint(), line->GetEndPoint(), CornerEdgeKind::kSegment, pick};
    return true;
  }
  const auto* unbounded = dynamic_cast<const FcUnboundedLine*>(&entity);
  if (unbounded == nullptr) return false;
  const FcPoint2d& base = unbounded->GetBasePoint();
  const CornerEdgeKind kind = dynamic_cast<const FcRay*>(&entity) != nullptr ? CornerEdgeKind::kRay : CornerEdgeKind::kInfinite;
  edge = {base, base + unbounded->GetDirection(), kind, pick};
  return true;
}
