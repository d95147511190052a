#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/solid.h"
#include "shell/input_request.h"

int CmdSolid() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // Each piece is an undo step of its own.
  FcUndoSection section(*graph, "Solid", FcUndoSection::Steps::kEachEntity);
  FcPoint2d first;
  FcPoint2d second;
  std::string text;
  if (GetPoint(nullptr, "Input 1st point", first, text) != FC_INPUT_OK) return kStatusDone;
  if (GetPoint(nullptr, "Input 2nd point", second, text) != FC_INPUT_OK) return kStatusDone;
  FcCornerEntity::Corners corners{UcsToWorldPoint(*graph, first), UcsToWorldPoint(*graph, second)};
  // Each piece continues from the last two corners of the one before, until
  // a third corner is not given.
  for (;;) {
    FcPoint2d third;
    if (GetPoint(nullptr, "Input 3rd point", third, text) != FC_INPUT_OK) return kStatusDone;
    FcPoint2d fourth;
    const int status = GetPoint(nullptr, "Input 4th point or <exit>", fourth, text);
    if (status == FC_INPUT_NONE) {
      fourth = third;
    } else if (status != FC_INPUT_OK) {
      return kStatusDone;
    }
    corners[2] = UcsToWorldPoint(*graph, third);
    corners[3] = UcsToWorldPoint(*graph, fourth);
    if (!section.AddNew<FcSolid>([&](FcSolid& solid) { solid.SetCorners(corners); })) return kStatusDone;
    corners[0] = corners[2];
    corners[1] = corners[3];
  }
}
