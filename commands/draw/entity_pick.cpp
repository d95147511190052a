#include "commands/draw/entity_pick.h"

#include <string>

#include "commands/command_support.h"
#include "database/entity.h"
#include "database/graph.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

int PickEntityWithPoint(std::string_view prompt, EntityPick& pick) {
  pick = EntityPick{};
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return FC_INPUT_CANCEL;
  std::string text;
  FcHandle primitive = 0;
  const int status = PickObjectWithPoint(prompt, text, pick.ucsPoint, pick.entity, primitive, pick.subIndex);
  if (status != FC_INPUT_OK) return status;
  pick.worldPoint = UcsToWorldPoint(*graph, pick.ucsPoint);
  return FC_INPUT_OK;
}

bool FirstSnapSegment(const EntityPick& pick, GeomSegment& segment) {
  if (pick.entity == nullptr) return false;
  GeomSegmentList segments;
  FcMatrix2d identity;
  pick.entity->GetSnapSegments(0, pick.worldPoint, pick.subIndex, identity, segments);
  if (segments.empty() || !segments.front()) return false;
  segment = *segments.front();
  return true;
}
