#include <string>
#include <string_view>

#include "commands/draw/draw_commands.h"
#include "commands/draw/marker_placement.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

constexpr int kMinParts = 2;
constexpr int kMaxParts = 32767;

}  // namespace

int CmdDivide() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Divide", FcUndoSection::Steps::kWholeRun);
  const FcEntity* object = PickMarkedObject("Select object to divide", "Cannot divide that object.");
  if (object == nullptr) return kStatusDone;
  int parts = 0;
  MarkerBlock choice;
  const auto askParts = [&parts](std::string_view prompt, std::string& text) {
    const int status = GetInteger(prompt, parts, text);
    if (status != FC_INPUT_OK || (parts >= kMinParts && parts <= kMaxParts)) return status;
    PrintMessage("Requires an integer between 2 and 32767, or option keyword.");
    return kAskAgain;
  };
  if (!AskValueOrBlock("<Number of segments>/Block", "Number of segments", askParts, choice)) return kStatusDone;
  PlaceMarkers(section, DivideMarkers(*object, parts, CircleAngleZero(section)), choice);
  return kStatusDone;
}
