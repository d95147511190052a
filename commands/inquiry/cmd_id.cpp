#include <string>

#include "commands/inquiry/inquiry_commands.h"
#include "core/resbuf.h"
#include "commands/inquiry/ucs_point_report.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

int CmdId() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcPoint2d point;
  std::string text;
  if (GetPoint(nullptr, "Input point", point, text) != FC_INPUT_OK) return kStatusDone;
  PrintMessage("  point: " + FormatUcsCoordinates(point, *graph));
  return kStatusDone;
}
