#include <string>

#include "commands/dialogs/dim_style_dlg.h"
#include "commands/dialogs/dim_style_mng_dlg.h"
#include "commands/dialogs/new_dim_style_dlg.h"
#include "commands/dialogs/table_lists.h"
#include "commands/dimension/dim_style_step.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/settings/text_style_editing.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "display/dim_style_preview.h"
#include "entities/dimension_arrow_choice.h"
#include "shell/modal_dialog.h"

namespace {

// The sheet on the style: OK writes its values into the style, Cancel
// leaves the style as it was. The text styles the user edits from the
// text page are the drawing's own, with an undo step of their own, and
// stay whatever the sheet ends with.
void EditStyle(FcDimStyle& style) {
  CDimStyleDlg sheet(style);
  int code = RunModalDialog(sheet);
  for (; code == CDimStyleDlg::kTextStyles; code = RunModalDialog(sheet)) {
    if (sheet.m_pGraph != nullptr && EditTextStyles(*sheet.m_pGraph, sheet.m_text.m_strTextStyle, false)) {
      sheet.ReloadTextStyles();
    }
    sheet.m_nFirstPage = CDimStyleDlg::kTextPage;
  }
  if (code != CModalDialog::kOk) return;
  static_cast<FcDimVars&>(style) = sheet.m_vars;
  // The arrows the sheet named get their blocks, built when the drawing has
  // none yet, and are bound to them before the rest is bound by name.
  if (FcGraph* graph = style.GetGraph()) {
    const auto prepared = [graph](const FcFixedText& name) { return PrepareDimArrow(*graph, name.str()).value_or(""); };
    style.SetDimblk(prepared(style.dimblk));
    style.SetDimblk1(prepared(style.dimblk1));
    style.SetDimblk2(prepared(style.dimblk2));
    style.SetDimldrblk(prepared(style.dimldrblk));
  }
  style.ResolveBlocks();
}

// A new style copied from the base the user chooses, then opened in the
// sheet; a name the drawing already has changes nothing.
void NewStyle(FcGraph& graph, const std::string& selected) {
  CNewDimStyleDlg dialog;
  dialog.m_names = DimStyleNames(graph);
  dialog.m_strBaseName = selected;
  dialog.OnInitDialog();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return;
  const FcDimStyle* base = graph.GetDimStyleList().Find(dialog.m_strBaseName);
  if (base == nullptr || dialog.m_strNewName.empty()) return;
  if (graph.GetDimStyleList().Find(dialog.m_strNewName) != nullptr) return;
  if (FcDimStyle* style = NewDimStyleFrom(graph, *base, dialog.m_strNewName)) EditStyle(*style);
}

void ManageStyles(FcGraph& graph) {
  CDimStyleMngDlg manager;
  manager.m_pGraph = &graph;
  const FcDimStyle* current = graph.GetCurrentDimStyle();
  BuildDimStylePreview(current != nullptr ? current->GetDimScale() : 1.0, graph);
  for (;;) {
    manager.OnInitDialog();
    const int code = RunModalDialog(manager);
    if (code != CDimStyleMngDlg::kSetCurrent && code != CDimStyleMngDlg::kNew && code != CDimStyleMngDlg::kModify) break;
    FcDimStyle* style = graph.GetDimStyleList().Find(manager.m_strSelected);
    if (style == nullptr) continue;
    if (code == CDimStyleMngDlg::kSetCurrent) graph.SetCurrentDimStyle(style->GetName());
    else if (code == CDimStyleMngDlg::kNew) NewStyle(graph, style->GetName());
    else EditStyle(*style);
  }
  ClearDimStylePreview(graph);
}

}  // namespace

int CmdDimStyle() { return RunDimStyleStep(ManageStyles); }
