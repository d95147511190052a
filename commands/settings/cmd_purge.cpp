#include <memory>
#include <string>
#include <vector>

#include "commands/dialogs/purge_dlg.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/graph.h"
#include "database/graph_references.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "platform/frame_link.h"

namespace {

// The entities' marks, and the table records that use other records: a
// layer its linetype, a dimension style its text style. A record left
// behind pointing at a purged one would draw wrongly and make a file that
// does not read back.
void MarkPurgeReferences(FcGraph& graph) {
  MarkReferences(graph, nullptr);
  const FcLayerList& layers = graph.GetLayerList();
  FcLinetypeList& linetypes = graph.GetLinetypeList();
  for (int i = 0; i < linetypes.GetCount(); ++i) {
    FcLineType* linetype = linetypes.GetAt(i);
    for (int j = 0; j < layers.GetCount() && linetype->IsUnreferenced(); ++j)
      if (layers.GetAt(j)->GetLinetypeHandle() == linetype->GetHandle()) linetype->SetUnreferenced(false);
  }
  const FcDimStyleList& dimStyles = graph.GetDimStyleList();
  FcTextStyleList& textStyles = graph.GetTextStyleList();
  for (int i = 0; i < textStyles.GetCount(); ++i) {
    FcTextStyle* style = textStyles.GetAt(i);
    for (int j = 0; j < dimStyles.GetCount() && style->IsUnreferenced(); ++j) {
      const FcDimStyle* dimStyle = dimStyles.GetAt(j);
      const FcHandle used = dimStyle->GetDimTxSty();
      if ((used != 0 && used == style->GetHandle()) || EqualsNoCase(dimStyle->dimtxsty.str(), style->GetName()))
        style->SetUnreferenced(false);
    }
  }
}

// One group of the purge: its title, a line for each record that really
// went, and a blank line. Names the table no longer holds are passed over.
template <typename Find, typename Purge>
void PurgeGroup(const char* title, const char* itemPrefix, const std::vector<std::string>& names, Find find,
                Purge purge) {
  PrintMessage(title);
  for (const std::string& name : names) {
    auto* record = find(name);
    if (record == nullptr) continue;
    const std::string shown = record->GetName();
    purge(record);
    if (find(name) != record) PrintMessage(itemPrefix + shown);
  }
  PrintMessage(" ");
}

// The last style always stays; the first one becomes current when the
// current one goes.
void PurgeDimStyle(FcGraph& graph, FcDimStyle* style) {
  FcDimStyleList& styles = graph.GetDimStyleList();
  if (styles.GetCount() <= 1 || !style->IsUnreferenced()) return;
  const bool wasCurrent = styles.GetCurrent() == style;
  std::unique_ptr<FcDimStyle> removed = styles.RemoveByHandle(style->GetHandle());
  if (removed == nullptr || !wasCurrent || styles.GetCount() == 0) return;
  graph.SetCurrentDimStyleByHandle(styles.GetAt(0)->GetHandle());
}

void PurgeChosen(FcGraph& graph, const CPurgeDlg& dialog) {
  PurgeGroup(
      "Purge block...", "Purge block: ", dialog.m_pages[CPurgeDlg::kBlocks].m_names,
      [&graph](const std::string& name) { return graph.GetBlockList().FindByName(name); },
      [&graph](FcBlock* block) { PurgeBlock(graph, block); });
  PurgeGroup(
      "Purge text style...", "Purge text style: ", dialog.m_pages[CPurgeDlg::kTextStyles].m_names,
      [&graph](const std::string& name) { return graph.GetTextStyleList().Find(name); },
      [&graph](FcTextStyle* style) { graph.PurgeTextStyle(style); });
  PurgeGroup(
      "Purge line type...", "Purge line type: ", dialog.m_pages[CPurgeDlg::kLinetypes].m_names,
      [&graph](const std::string& name) { return graph.GetLinetypeList().FindByName(name); },
      [&graph](FcLineType* linetype) { graph.PurgeLinetype(linetype); });
  PurgeGroup(
      "Purge dimension style...", "Purge dimension style: ", dialog.m_pages[CPurgeDlg::kDimStyles].m_names,
      [&graph](const std::string& name) { return graph.GetDimStyleList().Find(name); },
      [&graph](FcDimStyle* style) { PurgeDimStyle(graph, style); });
  PurgeGroup(
      "Purge layer...", "Purge layer: ", dialog.m_pages[CPurgeDlg::kLayers].m_names,
      [&graph](const std::string& name) { return graph.GetLayerList().FindByName(name); },
      [&graph](FcLayer* layer) { graph.PurgeLayer(layer); });
}

}  // namespace

int CmdPurge() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  MarkPurgeReferences(*graph);
  CPurgeDlg dialog(*graph, "Purge tables", 0);
  if (RunModalDialog(dialog) != CModalDialog::kOk || !dialog.AnySelected()) return kStatusDone;
  auto undo = std::make_unique<FcCombGraphUndoItem>();
  undo->SetName("Purge");
  // Without the snapshot the purge could not be taken back.
  if (!undo->Backup(*graph)) {
    PrintMessage("The drawing cannot be backed up for undo: nothing is purged.");
    return kStatusDone;
  }
  AddUndoItem(*graph, undo.release());
  PurgeChosen(*graph, dialog);
  return kStatusDone;
}
