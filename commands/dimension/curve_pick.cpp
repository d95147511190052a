#include "commands/dimension/curve_pick.h"

#include <string>

#include "commands/draw/entity_pick.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

bool PickCurveSegment(std::string_view prompt, bool takeLines, std::string_view refusal, GeomSegment& segment,
                      FcPoint2d& pickPoint) {
  for (;;) {
    EntityPick pick;
    if (PickEntityWithPoint(prompt, pick) != FC_INPUT_OK) return false;
    if (pick.entity == nullptr) {
      PrintMessage("No object selected!");
      continue;
    }
    if (!FirstSnapSegment(pick, segment)) {
      PrintMessage("No object selected");
      continue;
    }
    if (segment.type != kGeomSegmentArc && !(takeLines && segment.type == kGeomSegmentLine)) {
      PrintMessage(std::string(refusal));
      continue;
    }
    pickPoint = pick.worldPoint;
    return true;
  }
}

bool PickArcOrCircleSegment(GeomSegment& arc, FcPoint2d& pickPoint) {
  return PickCurveSegment("Select arc or circle", false, "Object selected is not a arc or circle.", arc, pickPoint);
}
