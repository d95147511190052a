#pragma once

#include <vector>

#include "display/display_group.h"
#include "display/display_surface.h"
#include "tests/support/line_drawing.h"

// A line drawing whose display groups are read back after a regeneration:
// what each entity's group holds, primitive by primitive.
class DrawnPrimitivesTest : public LineDrawingTest {
 protected:
  FcDsGroupEnts* GroupOf(const FcEntity& entity) {
    FcDisplaySurface& surface = *graph.GetDisplaySurface();
    const int index = surface.FindHandleIndex(entity.GetHandle());
    return index >= 0 ? surface.GetGroup(index) : nullptr;
  }

  struct Drawn {
    FcHandle entity;
    int cell;
    int color;
    FcPoint2d min;
    FcPoint2d max;
  };
  std::vector<Drawn> PrimitivesOf(const FcEntity& entity) {
    std::vector<Drawn> drawn;
    FcDsGroupEnts* group = GroupOf(entity);
    if (group == nullptr) return drawn;
    for (int i = 0; i < group->GetCount(); ++i) {
      FcDsEntity* primitive = group->GetPrimitive(i);
      Drawn item{primitive->entityHandle, primitive->insertCell, primitive->colorIndex, {}, {}};
      primitive->GetExtents(item.min, item.max);
      drawn.push_back(item);
    }
    return drawn;
  }
};
