#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "shell/input_request.h"

int CmdLine() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // Undo takes the segments back one at a time.
  FcUndoSection section(*graph, "Line", FcUndoSection::Steps::kEachEntity);
  FcPoint2d ucsPoint;
  std::string text;
  if (GetPoint(nullptr, "First point of line", ucsPoint, text) != FC_INPUT_OK) return kStatusDone;
  const FcPoint2d first = UcsToWorldPoint(*graph, ucsPoint);
  FcPoint2d last = first;
  // Prompts take their base point in the UCS, segments their ends in the
  // world.
  FcPoint2d base = ucsPoint;
  // Closing needs two segments, so it is offered from the fourth point on.
  bool closeOffered = false;
  int status = GetPoint(&base, "Second point", ucsPoint, text);
  while (status == FC_INPUT_OK) {
    const FcPoint2d next = UcsToWorldPoint(*graph, ucsPoint);
    if (!section.AddLine(last, next)) return kStatusDone;
    last = next;
    base = ucsPoint;
    if (closeOffered) {
      SetKeywords("Close", 0);
      status = GetPoint(&base, "Second point[Close]", ucsPoint, text);
    } else {
      closeOffered = true;
      status = GetPoint(&base, "Second point", ucsPoint, text);
    }
  }
  if (status == FC_INPUT_KEYWORD) section.AddLine(last, first);
  return kStatusDone;
}
