#pragma once

#include <optional>

#include "core/point2d.h"

class FcEntity;
class FcSystemVar;

// Three world points that make a UCS: its origin, a point on its positive
// x axis and one on the side of its positive y axis.
struct UcsFrame {
  FcPoint2d origin;
  FcPoint2d xPoint;
  FcPoint2d yPoint;
};

// What a picked entity says about the UCS to align with it.
struct UcsAlignment {
  // False for kinds (and fitted polylines) that give no axes at all.
  bool defined = false;
  // None, with defined set, when the picked part gives no axes (a leader
  // segment past the last one, the last vertex of an open polyline) or the
  // axes would have no length.
  std::optional<UcsFrame> frame;
};

// The UCS of the entity picked at the world point on the part segment (a
// polyline's or leader's segment index); a point keeps the current axes.
UcsAlignment UcsAlignedWith(const FcEntity& entity, const FcPoint2d& pick, int segment, const FcSystemVar& vars);
