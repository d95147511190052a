#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/draw/xline_options.h"
#include "commands/draw/xline_support.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "display/drag_xline.h"
#include "shell/input_request.h"

int CmdXLine() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // Undo takes the lines back one at a time.
  FcUndoSection section(*graph, "XLine", FcUndoSection::Steps::kEachEntity);
  FcPoint2d origin;
  std::string text;
  SetKeywords("Bisect Horizon Vertical Angle Offset", 0);
  const int status = GetPoint(nullptr, "Input origin or [Angle/Bisect/Horizon/Vertical/Offset]", origin, text);
  if (status == FC_INPUT_OK) {
    FcPoint2d through;
    const FcPoint2d base = UcsToWorldPoint(*graph, origin);
    FcDragXLine band = FcDragXLine::ThroughPoint(base);
    SetDragObject(&band);
    if (GetPoint(&origin, "Directiont", through, text) != FC_INPUT_OK) return kStatusDone;
    AddXLine(section, base, UcsToWorldPoint(*graph, through) - base);
    return kStatusDone;
  }
  if (status != FC_INPUT_KEYWORD) return kStatusDone;
  if (text == "Angle") {
    XLineByAngle(section);
  } else if (text == "Bisect") {
    XLineBisect(section);
  } else if (text == "Horizon" || text == "Vertical") {
    XLineAlongUcsAxis(section, text == "Vertical");
  } else {
    XLineOffset(section);
  }
  return kStatusDone;
}
