#include <string>

#include "commands/command_support.h"
#include "commands/view/view_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "shell/input_request.h"

int CmdPan() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string text;
  FcPoint2d firstUcs;
  if (GetPoint(nullptr, "First Point", firstUcs, text) != FC_INPUT_OK) return kStatusDone;
  FcPoint2d secondUcs;
  if (GetPoint(&firstUcs, "Second point", secondUcs, text) != FC_INPUT_OK) return kStatusDone;
  FcDisplaySurface* surface = graph->GetDisplaySurface();
  if (surface == nullptr) return kStatusDone;
  // The window moves against the drag, so the drawing follows the cursor.
  surface->Pan(UcsToWorldPoint(*graph, secondUcs), UcsToWorldPoint(*graph, firstUcs), true);
  graph->Redraw();
  return kStatusDone;
}
