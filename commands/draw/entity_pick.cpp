#include "commands/draw/entity_pick.h"

#include <string>

#include "commands/command_support.h"
#include "database/entity.h"
#include "database/graph.h"
#include "shell/input_request.h"

int PickEntityWithPoint(std::string_view prompt, EntityPick& pick) {
  pick = EntityPick{};
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return FC_INPUT_CANCEL;
  std::string text;
  int keyState = 0;
  const int status = GetPointOrSelect(nullptr, prompt, pick.ucsPoint, text, 0, 0, keyState, nullptr);
  if (status != FC_INPUT_OK) return status;
  pick.worldPoint = UcsToWorldPoint(*graph, pick.ucsPoint);
  FcHandle primitive = 0;
  pick.entity = graph->PickEntity(pick.worldPoint, primitive, pick.subIndex);
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
