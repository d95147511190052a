#include "database/graph.h"
#include "display/display_surface.h"
#include "display/drag_object.h"
#include "shell/view_core.h"

void CChildView::OnIdleClick(const FcPoint2d& world, int keyState) {
  if (CommandRuns() || frame_.HasTypedInput()) return;
  if (box_.IsPending()) {
    box_.CloseAt(world, keyState);
    return;
  }
  if (!grips_.Click(world, keyState)) box_.Open(world);
}

FcPoint2d CChildView::ConstrainedPoint(const FcPoint2d& world) {
  FcGraph& drawing = Drawing();
  const FcSystemVar& vars = drawing.GetSysVars();
  FcPoint2d point = world;
  TransformPoint(vars.WorldToUcs, point);
  if (vars.snapmode != 0) drawing.SnapToGrid(point);
  if (FcDisplaySurface* surface = drawing.GetDisplaySurface()) {
    TransformPoint(vars.UcsToWorld, point);
    surface->SnapToGrip(point);
    TransformPoint(vars.WorldToUcs, point);
  }
  const bool constrains = requestOpen_ && request_.hasBase != 0 && vars.orthomode != 0 &&
                          request_.rubberBand != kBandBox && request_.cursorMode != kCursorPointOrPick;
  if (constrains) drawing.OrthoConstrain(request_.basePoint, point);
  return point;
}

void CChildView::OnCursorMove(const FcPoint2d& world) {
  if (!requestOpen_) return;
  FcDragObject* drag = request_.dragObject;
  if (drag == nullptr || (drag->mode != 1 && drag->mode != 2)) return;
  FcDisplaySurface* surface = Drawing().GetDisplaySurface();
  if (surface == nullptr) return;
  FcPoint2d point = ConstrainedPoint(world);
  if (request_.xKnown) point.x = request_.xValue;
  if (request_.yKnown) point.y = request_.yValue;
  const bool done = surface->DragPreview(drag, point, 0);
  // Only a command's tracked point ends by the preview's own test; the
  // view's grip prompts wait for a click.
  if (!done || !CommandRuns() || request_.requestKind != kRequestTrack) return;
  request_.answerPoint = point;
  request_.answerKind = kAnswerPoint;
  MarkAnswered();
}
