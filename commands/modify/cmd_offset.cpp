#include <string>

#include "commands/modify/modify_commands.h"
#include "commands/modify/offset_entities.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// What "Through" leaves in OFFSETDIST: any value below 0 means through mode.
constexpr double kThroughMode = -10.0;

// The run's distance, asked with OFFSETDIST as the default and stored back
// in it; false when the command is to end.
bool AskOffsetDistance(FcGraph& graph, double& distance) {
  double& remembered = graph.GetSysVars().offsetdist;
  const std::string shown = remembered > 0.0 ? FormatDrawingDistance(remembered, &graph) : "Through";
  SetKeywords("Through", kInputRefuseZero | kInputRefuseNegative);
  std::string text;
  double answer = 0.0;
  const int status = GetDistance(nullptr, "Offset distance or Through <" + shown + ">", answer, text);
  if (status == FC_INPUT_OK) {
    remembered = answer;
  } else if (status == FC_INPUT_KEYWORD) {
    remembered = kThroughMode;
  } else if (status != FC_INPUT_NONE) {
    return false;
  }
  distance = remembered;
  return true;
}

}  // namespace

int CmdOffset() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  double distance = 0.0;
  if (!AskOffsetDistance(*graph, distance)) return kStatusDone;
  FcUndoSection section(*graph, "Offset", FcUndoSection::Steps::kWholeRun);
  const char* pointPrompt = distance > 0.0 ? "Side to offset?" : "Through point";
  for (;;) {
    std::string text;
    FcPoint2d pick;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select object to offset", text, pick, picked) != FC_INPUT_OK) break;
    if (picked == nullptr) continue;
    if (!CanOffset(*picked)) {
      PrintMessage(kCannotOffsetMessage);
      continue;
    }
    FcPoint2d point;
    if (GetPoint(nullptr, pointPrompt, point, text) != FC_INPUT_OK) break;
    OffsetEntity(*picked, UcsToWorldPoint(*graph, point), distance, section);
  }
  return kStatusDone;
}
