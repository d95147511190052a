#pragma once

#include <memory>

#include "core/point2d.h"
#include "display/drag_pline.h"
#include "entities/polyline.h"

class FcGraph;

// One run of the Pline command: the polyline being built (owned until it
// is added), the widths of the next segment, the last vertex in the world
// and in the UCS, and the preview of the next segment.
struct PlineRun {
  FcGraph& graph;
  std::unique_ptr<FcPolyline> polyline;
  double startWidth = 0.0;
  double endWidth = 0.0;
  FcPoint2d last;
  FcPoint2d lastUcs;
  FcDragPLine band;

  // The last vertex becomes the last point.
  void FollowLastVertex();
  // Removes the last vertex and the bulge of the segment it ended; the
  // widths become the new last vertex's. False (after the message) when
  // only the start point is left.
  bool UndoLastVertex();
  // The band's widths from the current ones; the band and the polyline go
  // to the next prompt.
  void HandOver(bool withBand);
  // Adds the arc segment from the last vertex to end (world) with the
  // bulge; the direction becomes the arc's tangent at its end.
  void AppendArc(const FcPoint2d& end, double bulge);
};

// The width dialogue of Width (half false) and Halfwidth (half true): false
// when it is not answered.
bool PromptPlineWidths(PlineRun& run, bool half);
// The tangent direction at the end of a bulged segment; 0 without an arc.
double PlineArcEndDirection(const FcPoint2d& start, const FcPoint2d& end, double bulge);
void SetLastPlineDirection(FcGraph& graph, double angle);
// The arc mode: kStatusDone goes back to line mode, kPlineEnds ends the
// command.
inline constexpr int kPlineEnds = -5002;
int PlineArcMode(PlineRun& run, double direction);
