#include <array>

#include "commands/text/text_box.h"
#include "commands/text/text_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

int CmdFrameText() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(16);
  if (SelectObjects("", selection) != FC_INPUT_OK) return kStatusDone;
  graph->HighlightEntities(false, &selection);
  KeepBoxedTexts(selection);
  if (selection.GetCount() == 0) {
    graph->Redraw();
    PrintMessage(kNoTextSelected);
    return kStatusDone;
  }
  const double width = graph->GetSysVars().plinewid;
  FcUndoSection section(*graph, "TextFrame", FcUndoSection::Steps::kWholeRun);
  for (int i = selection.GetCount() - 1; i >= 0; --i) {
    std::array<FcPoint2d, 4> box{};
    // An empty text has no box to frame.
    if (!TextBoxCorners(*selection.GetAt(i), box)) continue;
    section.AddNew<FcPolyline>([&](FcPolyline& frame) {
      for (const FcPoint2d& corner : box) frame.AppendVertex(corner, width, width, 0.0);
      frame.SetClosed(true);
    });
  }
  graph->Redraw();
  return kStatusDone;
}
