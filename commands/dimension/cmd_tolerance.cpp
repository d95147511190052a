#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/tol_edt_dlg.h"
#include "commands/dimension/annotation_drags.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/tolerance.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"

namespace {

// The frame text from the editor, run on the given text; empty when the
// editor was cancelled or left every field empty.
std::string EditedFrameText(const std::string& text) {
  CTolEdtDlg dialog;
  dialog.m_strToleranceText = text;
  if (RunModalDialog(dialog) != CModalDialog::kOk) return {};
  return dialog.m_strToleranceText;
}

// The entity's text field is bounded; a longer frame is cut, and said so.
void SetFrameText(FcTolerance& tolerance, const std::string& text) {
  if (tolerance.SetText(text)) return;
  PrintMessage("The tolerance text is cut to " + std::to_string(FcTolerance::kMaxText) + " characters.");
}

}  // namespace

// The frame is filled in its editor, then follows the cursor until it is
// placed.
int CmdTolerance() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Tolerance", FcUndoSection::Steps::kWholeRun);
  const std::string frameText = EditedFrameText({});
  if (frameText.empty()) return kStatusDone;
  auto tolerance = std::unique_ptr<FcTolerance>(NewEntityOrReport<FcTolerance>());
  if (tolerance == nullptr) return kStatusDone;
  SetFrameText(*tolerance, frameText);
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

int EditToleranceText(FcGraph& graph, FcTolerance& tolerance) {
  const std::string frameText = EditedFrameText(tolerance.GetText());
  if (frameText.empty()) return kStatusDone;
  FcUndoSection section(graph, "EditText", FcUndoSection::Steps::kWholeRun);
  FcEntitySets changed(1);
  changed.Add(&tolerance);
  if (!section.RecordChanged(changed)) return kStatusDone;
  SetFrameText(tolerance, frameText);
  graph.RedrawEntity(&tolerance);
  graph.Redraw();
  return kStatusDone;
}
