#include "shell/drag_spline.h"

#include "core/matrix2d.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "entities/spline.h"

void FcDragSPline::DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) {
  if (spline == nullptr || spline->FirstFitPoint() == nullptr) return;
  FcPoint2d world = point;
  if (drawing != nullptr) TransformPoint(drawing->GetSysVars().UcsToWorld, world);
  const FcPoint2d first = *spline->FirstFitPoint();
  const FcPoint2d last = *spline->LastFitPoint();
  const FcPoint2d towardsFirst{first.x - world.x, first.y - world.y};
  switch (kind) {
    case kLastFitPoint:
      spline->MoveLastFitPoint(world);
      break;
    case kStartTangent:
      spline->SetStartTangent(towardsFirst);
      break;
    case kEndTangent:
      spline->SetEndTangent({world.x - last.x, world.y - last.y});
      break;
    case kBothTangents:
      spline->SetStartTangent(towardsFirst);
      spline->SetEndTangent(towardsFirst);
      break;
  }
  spline->InvalidateCurve();
  spline->Draw(surface);
}
