#include "commands/settings/text_style_editing.h"

#include <memory>

#include "commands/command_support.h"
#include "commands/dialogs/text_style_dlg.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "database/undo_table_items.h"

bool EditTextStyles(FcGraph& graph, const std::string& shown, bool makeShownCurrent) {
  std::unique_ptr<FcStyleUndoItm> undo(NewEntityOrReport<FcStyleUndoItm>());
  if (!undo) return false;
  undo->Capture(graph);
  const FcTextStyle* current = graph.GetCurrentTextStyle();
  const FcHandle currentHandle = current != nullptr ? current->GetHandle() : 0;
  CTextStyleDlg dialog;
  dialog.m_pGraph = &graph;
  dialog.Load();
  dialog.CollectFonts();
  dialog.ShowStyle(shown);
  // "Close" ends the dialog with OK; Esc leaves the drawing as it was.
  if (RunModalDialog(dialog) != CModalDialog::kOk) return false;
  const FcTextStyle* last = dialog.ShownStyle();
  const bool newCurrent = makeShownCurrent && (last == nullptr || last->GetHandle() != currentHandle);
  if (!dialog.Changed() && !newCurrent) return false;
  const std::string name = dialog.Commit();
  if (makeShownCurrent) graph.SetCurrentTextStyle(name);
  if (dialog.m_bModified) graph.Regen();
  AddUndoItem(graph, undo.release());
  return true;
}
