#include <filesystem>
#include <string>

#include "commands/block/block_commands.h"
#include "commands/dialogs/att_ext_dlg.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "files/attribute_export.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"
#include "shell/select_objects.h"

namespace {

// A titled drawing offers a text file of its own name beside it.
std::string ProposedOutput(const FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  if (vars.dwgtitled == 0) return {};
  std::filesystem::path path = std::string(vars.dwgprefix.str()) + std::string(vars.dwgname.str());
  return path.replace_extension(".txt").string();
}

}  // namespace

// The attributes of the selected block references, or of every reference
// when nothing is selected, written in the columns of a template.
int CmdAttExt() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  CAttExtDlg dialog;
  dialog.m_strOutputFile = ProposedOutput(*graph);
  FcEntitySets selected(kFcPreviousSelectionGrowth);
  for (;;) {
    dialog.m_nFound = selected.GetCount();
    const int code = RunModalDialog(dialog);
    if (code == CModalDialog::kOk) break;
    if (code != CAttExtDlg::kSelectObject) return kStatusDone;
    FcEntitySets picked(kFcPreviousSelectionGrowth);
    if (SelectObjects("", picked) == FC_INPUT_OK) selected.TakeFrom(picked);
    graph->HighlightEntities(false, &selected);
    graph->Redraw();
  }
  FcAttiExport exporter;
  if (!exporter.LoadTemplate(dialog.m_strTemplateFile) || !exporter.CreateOutputFile(dialog.m_strOutputFile)) {
    return kStatusDone;
  }
  exporter.SetSeparator(dialog.m_nFormat == CAttExtDlg::kSpaceDelimited ? ' ' : ',');
  const FcEntitySets* entities = selected.GetCount() > 0 ? &selected : graph->GetCurrentEntitySet();
  const int records = entities != nullptr ? ExtractAttributes(*entities, 1, FcMatrix2d{}, exporter) : 0;
  PrintMessage(std::to_string(records) + " records are written to file");
  return kStatusDone;
}
