#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "commands/block/block_commands.h"
#include "core/resbuf.h"
#include "commands/command_support.h"
#include "commands/dialogs/table_lists.h"
#include "commands/dialogs/insert_blk_dlg.h"
#include "commands/dialogs/question_dlg.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/value_format.h"
#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/insert.h"
#include "files/drawing_file.h"
#include "files/graph_insert.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"

namespace {

bool IsDrawingFileName(const std::string& name) {
  if (name.size() < 5) return false;
  const std::string_view extension = std::string_view(name).substr(name.size() - 4);
  return EqualsNoCase(extension, ".dxf") || EqualsNoCase(extension, ".dwg");
}

// Another drawing becomes a block named after its file, which the new
// reference then shows; null when it cannot be read (after the message)
// or when the user would rather not lose the records the program does not
// know (declined is then set). The merge is an undo step of its own,
// before the reference's: undoing it brings back the drawing as it was
// before the file came in.
FcBlock* InsertDrawingAsBlock(FcGraph& graph, const std::string& path, bool& declined) {
  const std::string cannotOpen = "Can't open the graph file: \"" + path + "\"!";
  auto other = std::make_unique<FcGraph>();
  std::uint8_t skipped = 0;
  if (OpenDrawing(*other, path, false, &skipped) != FcOpenResult::kDone) {
    PrintMessage(cannotOpen);
    return nullptr;
  }
  if (skipped != 0 && !AskYesNo("KOVRA",
                                "There are some entities in the drawing file which KOVRA does not support, and their "
                                "data will be lost.\nDo you want to continue?")) {
    declined = true;
    return nullptr;
  }
  auto merge = std::make_unique<FcCombGraphUndoItem>();
  merge->SetName("Combine graph as a block");
  if (merge->Backup(graph)) AddUndoItem(graph, merge.release());
  FcBlock* block = InsertDrawing(graph, *other);
  if (block == nullptr) PrintMessage(cannotOpen);
  return block;
}

// The block the user names (a drawing file's name brings that drawing in
// as a block); null when a prompt was cancelled.
FcBlock* AskForBlock(FcGraph& graph) {
  for (;;) {
    FcSystemVar& vars = graph.GetSysVars();
    std::string text;
    if (GetString("Block name or ? <" + std::string(vars.insname.str()) + ">", text) != FC_INPUT_OK) return nullptr;
    std::string name = TrimBlanks(text);
    if (name.empty() && vars.insname.str() != ".") name = vars.insname.str();
    if (name == "?") {
      PrintBlockList();
      continue;
    }
    if (name.empty()) continue;
    FcBlock* block = graph.GetBlockList().FindByName(name);
    if (block == nullptr && IsDrawingFileName(name)) {
      bool declined = false;
      block = InsertDrawingAsBlock(graph, name, declined);
      if (declined) return nullptr;
    }
    if (block == nullptr) {
      PrintMessage("Invalid block name! Please type ? for a list of block names.");
      continue;
    }
    vars.insname = block->GetName();
    return block;
  }
}

// A scale factor: Enter gives the default; false when cancelled.
bool AskForScale(const std::string& prompt, double fallback, double& scale) {
  std::string text;
  double value = fallback;
  SetKeywords("", kInputRefuseZero);
  const int status = GetReal(prompt, value, text);
  if (status == FC_INPUT_NONE) {
    scale = fallback;
    return true;
  }
  if (status != FC_INPUT_OK) return false;
  scale = value;
  return true;
}

// The prompts after the block's name; false when one was cancelled.
bool AskForPlacement(FcGraph& graph, FcInsert& insert, bool reverseTypedAngle) {
  FcPoint2d ucsPoint;
  std::string text;
  if (GetPoint(nullptr, "Insert point", ucsPoint, text) != FC_INPUT_OK) return false;
  insert.SetInsertionPoint(UcsToWorldPoint(graph, ucsPoint));
  double xScale = 1.0;
  if (!AskForScale("X Scale<1.0>", 1.0, xScale)) return false;
  insert.SetXScale(xScale);
  double yScale = xScale;
  if (!AskForScale("Y Scale<" + FormatDecimal(graph.GetSysVars().luprec, xScale) + ">", xScale, yScale)) {
    return false;
  }
  insert.SetYScale(yScale);
  const FcSystemVar& vars = graph.GetSysVars();
  double angle = vars.angbase;
  const int status = GetAbsoluteAngle(&ucsPoint, "Rotate angle<0.0>", angle, text);
  if (status == FC_INPUT_NONE) {
    angle = vars.angbase;
  } else if (status != FC_INPUT_OK) {
    return false;
  }
  if (reverseTypedAngle && vars.angdir == 1) angle = kTwoPi - angle;
  NormalizeAngle(angle);
  graph.AngleToUcs(angle);
  insert.SetRotation(angle);
  return true;
}

// Adds the reference with its attributes (their values asked as the
// settings say); false when an answer was cancelled, and then nothing of
// the reference is left.
bool AddReference(FcUndoSection& section, FcInsert* insert) {
  FcEntitySets definitions(kFcBlockSetGrowth);
  insert->GetBlockRecord()->GetEntities().CollectAttributeDefs(definitions);
  std::vector<FcEntity*> attributes;
  if (definitions.GetCount() > 0 &&
      !CreateInsertAttributes(AttributeMatrix(*insert), insert->GetBlockRecord()->GetName(), definitions, attributes, false)) {
    for (FcEntity* made : attributes) delete made;
    delete insert;
    PrintMessage("Unterminated Complex Entity.");
    return false;
  }
  if (!attributes.empty()) insert->SetEntitiesFollow(1);
  if (!section.AddCreated(insert)) {
    for (FcEntity* made : attributes) delete made;
    return false;
  }
  for (FcEntity* made : attributes) section.AddCreated(made);
  return true;
}

int InsertBlock(const char* undoName, bool reverseTypedAngle) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, undoName, FcUndoSection::Steps::kWholeRun);
  FcBlock* block = AskForBlock(*graph);
  if (block == nullptr) return kStatusDone;
  FcInsert* insert = NewEntityOrReport<FcInsert>();
  if (insert == nullptr) return kStatusDone;
  insert->SetBlockRecord(block);
  if (!AskForPlacement(*graph, *insert, reverseTypedAngle)) {
    delete insert;
    return kStatusDone;
  }
  AddReference(section, insert);
  return kStatusDone;
}

// Runs the dialog until Insert (true) or Cancel (false); Pick point asks
// for the point on the command line in between.
bool RunInsertDialog(CInsertBlkDlg& dialog) {
  for (;;) {
    const int code = RunModalDialog(dialog);
    if (code == CModalDialog::kOk) return true;
    if (code != CInsertBlkDlg::kPickPoint) return false;
    FcPoint2d ucsPoint;
    std::string text;
    if (GetPoint(nullptr, "Insert point", ucsPoint, text) == FC_INPUT_OK) {
      dialog.m_dInsertX = ucsPoint.x;
      dialog.m_dInsertY = ucsPoint.y;
    }
  }
}

// The placement typed in the dialog, its angle in degrees from ANGBASE.
void PlaceFromDialog(FcGraph& graph, const CInsertBlkDlg& dialog, FcInsert& insert) {
  insert.SetInsertionPoint(UcsToWorldPoint(graph, {dialog.m_dInsertX, dialog.m_dInsertY}));
  insert.SetXScale(dialog.m_dScaleX);
  insert.SetYScale(dialog.m_bSameScale != 0 ? dialog.m_dScaleX : dialog.m_dScaleY);
  const FcSystemVar& vars = graph.GetSysVars();
  double angle = vars.angbase + dialog.m_dAngle * kPi / 180.0;
  if (vars.angdir == 1) angle = kTwoPi - angle;
  NormalizeAngle(angle);
  graph.AngleToUcs(angle);
  insert.SetRotation(angle);
}

// The reference's pieces go into the drawing in its place, and become
// the previous selection.
void AddExploded(FcUndoSection& section, FcInsert* insert) {
  FcGraph& graph = section.Graph();
  FcEntitySets pieces(kFcBlockSetGrowth);
  insert->Explode(pieces);
  delete insert;
  if (pieces.GetCount() == 0) return;
  for (FcEntity* piece : pieces) section.AddCopy(piece);
  graph.GetPreviousSelection().RemoveAll(false);
  graph.GetPreviousSelection().CopyFrom(pieces);
  graph.RedrawEntities(&pieces);
  graph.Redraw();
}

}  // namespace

int CmdInsertPrompt() { return InsertBlock("-Insert", true); }

int CmdInsert() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  if (OfferedBlockNames(*graph).empty()) {
    ShowMessageBox("KOVRA", "There isn't any defined block in the drawing!\nPlease define the block first!");
    return kStatusDone;
  }
  CInsertBlkDlg dialog;
  dialog.m_pGraph = graph;
  if (!RunInsertDialog(dialog)) return kStatusDone;
  FcUndoSection section(*graph, "Insert", FcUndoSection::Steps::kWholeRun);
  const bool redefined = dialog.m_bFromFile && graph->GetBlockList().FindByName(dialog.m_strName) != nullptr;
  bool declined = false;
  FcBlock* block = dialog.m_bFromFile ? InsertDrawingAsBlock(*graph, dialog.m_strPath, declined)
                                      : graph->GetBlockList().FindByName(dialog.m_strName);
  if (block == nullptr) return kStatusDone;
  FcInsert* insert = NewEntityOrReport<FcInsert>();
  if (insert == nullptr) return kStatusDone;
  insert->SetBlockRecord(block);
  if (dialog.m_bOnScreen != 0) {
    if (!AskForPlacement(*graph, *insert, false)) {
      delete insert;
      return kStatusDone;
    }
  } else {
    PlaceFromDialog(*graph, dialog, *insert);
  }
  insert->SetRows(dialog.m_nRows);
  insert->SetRowSpacing(dialog.m_dRowSpacing);
  insert->SetColumns(dialog.m_nColumns);
  insert->SetColumnSpacing(dialog.m_dColumnSpacing);
  if (dialog.m_bExplode != 0) {
    AddExploded(section, insert);
  } else {
    AddReference(section, insert);
  }
  if (redefined) graph->Regen();
  return kStatusDone;
}
