#include "shell/drag_spline.h"

#include "core/data_array.h"
#include "core/matrix2d.h"
#include "database/graph.h"
#include "display/display_device.h"
#include "display/display_surface.h"
#include "entities/spline.h"

namespace {

// Moves what the kind names after the cursor (world); false for the kinds
// that leave the spline alone.
bool FollowCursor(FcSPline& spline, FcDragSPline::Kind kind, const FcPoint2d& world) {
  if (kind > FcDragSPline::kBothTangents || spline.FirstFitPoint() == nullptr) return false;
  const FcPoint2d first = *spline.FirstFitPoint();
  const FcPoint2d last = *spline.LastFitPoint();
  const FcPoint2d towardsFirst{first.x - world.x, first.y - world.y};
  switch (kind) {
    case FcDragSPline::kLastFitPoint:
      spline.MoveLastFitPoint(world);
      break;
    case FcDragSPline::kStartTangent:
      spline.SetStartTangent(towardsFirst);
      break;
    case FcDragSPline::kEndTangent:
      spline.SetEndTangent({world.x - last.x, world.y - last.y});
      break;
    default:
      spline.SetStartTangent(towardsFirst);
      spline.SetEndTangent(towardsFirst);
      break;
  }
  return true;
}

}  // namespace

void FcDragSPline::SetGrips(bool fit) {
  FcPoint2dArray points;
  if (spline != nullptr) {
    for (const FcPoint2d& p : fit ? spline->GetFitPoints() : spline->GetControlPoints()) points.AddXY(p.x, p.y);
  }
  grips.SetPoints(spline, points);
}

void FcDragSPline::DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) {
  if (spline == nullptr || surface == nullptr) return;
  FcPoint2d world = point;
  if (drawing != nullptr) TransformPoint(drawing->GetSysVars().UcsToWorld, world);
  if (FollowCursor(*spline, kind, world)) {
    spline->InvalidateCurve();
    spline->Draw(surface);
  }
  const int count = static_cast<int>(grips.GetPoints().size());
  if (count == 0) return;
  for (int i = 0; i < count; ++i) grips.SetState(i, 0);
  grips.SetState(highlighted, 1);
  if (kind == kFitGripAndNextMarked) grips.SetState(highlighted + 1, 1);
  // The grips are drawn solid, as grips are, over the preview.
  FcDisplayDevice* device = surface->GetDevice();
  const bool xor_ = device != nullptr && device->IsXorMode();
  if (xor_) device->EndXor();
  grips.Draw(*surface);
  if (xor_) device->BeginXor();
}
