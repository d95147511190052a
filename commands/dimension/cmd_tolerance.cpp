#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dimension/annotation_drags.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/tolerance.h"
#include "shell/input_request.h"

// Until the frame editor comes, the coded frame text is typed at the
// prompt; the frame then follows the cursor until it is placed.
int CmdTolerance() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Tolerance", FcUndoSection::Steps::kWholeRun);
  std::string frameText;
  if (GetString("Tolerance text", frameText) != FC_INPUT_OK || frameText.empty()) return kStatusDone;
  auto tolerance = std::unique_ptr<FcTolerance>(NewEntityOrReport<FcTolerance>());
  if (tolerance == nullptr) return kStatusDone;
  if (!tolerance->SetText(frameText)) {
    PrintMessage("The tolerance text is cut to " + std::to_string(FcTolerance::kMaxText) + " characters.");
  }
  tolerance->SetDirection(graph->GetSysVars().GetUcsXDir());
  const FcDimStyle* current = graph->GetCurrentDimStyle();
  if (current != nullptr) tolerance->SetDimStyle(graph->GetDimStyleList().FindByHandle(current->GetHandle()));
  FcDragTolerance drag(*tolerance);
  SetDragObject(&drag);
  FcPoint2d position;
  std::string text;
  if (GetPoint(nullptr, "Tolerance position", position, text) != FC_INPUT_OK) return kStatusDone;
  tolerance->SetInsertionPoint(UcsToWorldPoint(*graph, position));
  section.AddCreated(tolerance.release());
  graph->Redraw();
  return kStatusDone;
}
