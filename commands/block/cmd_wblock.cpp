#include <memory>
#include <string>

#include "commands/block/block_commands.h"
#include "commands/dialogs/save_dwg_dlg.h"
#include "commands/dialogs/select_blk_dlg.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/graph.h"
#include "files/drawing_file.h"
#include "files/graph_insert.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/modal_dialog.h"

// The block chosen in its dialog goes to the drawing file chosen in the
// save dialog, DXF binary unless this drawing came from ASCII DXF.
int CmdWBlock() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  CSelectBlkDlg select;
  select.m_pGraph = graph;
  if (RunModalDialog(select) != CModalDialog::kOk) return kStatusDone;
  FcBlock* block = graph->GetBlockList().FindByName(select.m_strName);
  if (block == nullptr) return kStatusDone;
  CSaveDWGDlg save;
  save.m_strTitle = "Write block";
  save.m_strDefExt = "dxf";
  save.m_bBinaryDxf = graph->GetFileKind() != FcFileKind::kAsciiDxf;
  if (RunModalDialog(save) != CModalDialog::kOk || save.m_strPathName.empty()) return kStatusDone;
  std::unique_ptr<FcGraph> drawing = CreateFromBlock(*graph, *block);
  // A save that fails must not pass unnoticed: the user believes the block
  // is on disk.
  if (drawing == nullptr || SaveDrawing(*drawing, save.m_strPathName, save.ChosenKind(), false, false) != FcSaveResult::kDone) {
    PrintMessage("Can't write the block to the file \"" + save.m_strPathName + "\"!");
  }
  return kStatusDone;
}
