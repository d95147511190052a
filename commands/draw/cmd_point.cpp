#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "entities/point_entity.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

// False when the point could not be made.
bool AddPoint(FcUndoSection& section, const FcPoint2d& ucsPoint) {
  FcGraph& graph = section.Graph();
  return section.AddNew<FcPointEnt>([&](FcPointEnt& point) {
    point.SetLocation(UcsToWorldPoint(graph, ucsPoint));
    // Measured against the UCS x axis, so a point in the world UCS gets a
    // full turn rather than 0.
    point.SetAngle(kTwoPi - graph.GetSysVars().UcsAngle);
  });
}

}  // namespace

int CmdPoint() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // All points of a Multiple run undo together.
  FcUndoSection section(*graph, "Point", FcUndoSection::Steps::kWholeRun);
  const FcSystemVar& vars = graph->GetSysVars();
  PrintMessage("Current point mode : PDMODE=" + IntToString(vars.pdmode) +
               ", PDSIZE=" + FormatDecimal(vars.luprec, vars.pdsize));
  FcPoint2d ucsPoint;
  std::string text;
  SetKeywords("Multiple Settings", 0);
  const int status = GetPoint(nullptr, "Settings/Multiple/<Location of point>", ucsPoint, text);
  if (status == FC_INPUT_OK) {
    AddPoint(section, ucsPoint);
  } else if (status == FC_INPUT_KEYWORD && text == "Settings") {
    // Through the registry, so the point-style command runs under its own
    // name.
    RunDrawingCommand("ddPType");
    return kStatusDone;
  } else if (status == FC_INPUT_KEYWORD && text == "Multiple") {
    while (GetPoint(nullptr, "Location of point", ucsPoint, text) == FC_INPUT_OK) {
      if (!AddPoint(section, ucsPoint)) break;
    }
  }
  return kStatusDone;
}
