#include <memory>
#include <new>

#include "commands/block/block_commands.h"
#include "commands/block/image_procedures.h"
#include "commands/dialogs/img_mng_dlg.h"
#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/undo_list.h"
#include "entities/raster_image.h"
#include "entities/undo_image_items.h"
#include "shell/command_registry.h"

int CmdImage() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // The manager edits a copy of the dictionary that the undo item keeps;
  // applying it is the item's own exchange, so the run needs no other
  // record.
  if (NamedObjectOrNew<FcDictionary>(*graph, kImageDictionaryName) == nullptr) return kStatusDone;
  RebuildImageReactors(*graph);
  auto item = std::unique_ptr<FcImgDefUndoItem>(new (std::nothrow) FcImgDefUndoItem);
  if (item == nullptr) return kStatusDone;
  item->Capture(*graph);
  CImgMngDlg dialog;
  dialog.m_pImageDict = item->GetSavedDictionary();
  dialog.m_pGraph = graph;
  if (dialog.m_pImageDict == nullptr) return kStatusDone;
  const int code = RunModalDialog(dialog);
  if (code != CModalDialog::kOk && code != CImgMngDlg::kAttach) return kStatusDone;
  if (dialog.m_bModified && item->Undo(*graph)) {
    item->SetName("Image");
    AddUndoItem(*graph, item.release());
    graph->Regen();
  }
  if (code != CImgMngDlg::kAttach) return kStatusDone;
  const auto* dictionary = dynamic_cast<const FcDictionary*>(graph->GetNamedObjects().GetAt(kImageDictionaryName));
  const FcRasterImageDef* definition = nullptr;
  if (dictionary != nullptr && dialog.m_nSelectedRow >= 0 && dialog.m_nSelectedRow < dictionary->GetEntryCount()) {
    definition = dynamic_cast<const FcRasterImageDef*>(dictionary->GetEntry(dialog.m_nSelectedRow).object);
  }
  if (definition == nullptr) return CmdImageAttach();
  AttachImage(definition->GetResolvedPath(), definition->GetFilePath(), "");
  return kStatusDone;
}
