#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/hatch_dlg.h"
#include "commands/hatch/boundary_chain.h"
#include "commands/hatch/hatch_commands.h"
#include "commands/hatch/hatch_settings.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/boundary_search.h"
#include "entities/hatch.h"
#include "filers/filer.h"
#include "platform/frame_link.h"
#include "shell/entity_select_filter.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"
#include "shell/select_objects.h"

// The Hatch command: its dialog chooses the pattern and asks for the
// boundary, which the command gathers on the command line between two
// runs of the dialog.

namespace {

constexpr const char* kNoBoundaryMessage = "Can not find the closed boundary.";
constexpr const char* kNoEdgeMessage = "There isn't any edge to hatch.";

class HatchRun {
 public:
  HatchRun(FcGraph& graph, FcFiler& patterns) : graph_(graph), patterns_(patterns) {
    ShowHatchSettings(HatchSettingsOf(graph.GetSysVars()), dialog_);
  }

  ~HatchRun() {
    // Boundaries found around picked points were only lent to the drawing.
    FcEntitySets still(16);
    const FcEntitySets* space = graph_.GetCurrentEntitySet();
    for (FcEntity* entity : generated_) {
      if (space != nullptr && space->Contains(entity)) still.Add(entity);
    }
    if (still.GetCount() > 0) graph_.EraseEntities(still);
    graph_.Redraw();
  }

  void Run() {
    for (;;) {
      switch (RunModalDialog(dialog_)) {
        case CHatchDlg::kApply:
          Apply();
          return;
        case CHatchDlg::kCancel:
          return;
        case CHatchDlg::kSelectBoundary:
          SelectBoundary();
          break;
        case CHatchDlg::kPickPoint:
          PickPoints();
          break;
        case CHatchDlg::kRemoveBoundary:
          RemoveBoundary();
          break;
        case CHatchDlg::kViewBoundary:
          ViewBoundary();
          break;
        case CHatchDlg::kInherit:
          InheritProperties();
          break;
        case CHatchDlg::kPreview:
          Preview();
          break;
        default:
          break;
      }
    }
  }

 private:
  void Highlight(bool on) {
    graph_.HighlightEntities(on, &dialog_.m_boundary);
    graph_.Redraw();
  }

  void PickPoints() {
    Highlight(true);
    for (;;) {
      SetKeywords("Select", 0);
      FcPoint2d point;
      std::string text;
      const int status = GetPoint(nullptr, "Pick internal point or [Select boundary set objects]", point, text);
      if (status == FC_INPUT_OK) {
        SearchAround(UcsToWorldPoint(graph_, point));
        continue;
      }
      if (status == FC_INPUT_KEYWORD || (status == FC_INPUT_TEXT && !text.empty())) {
        Highlight(false);
        FcEntitySets chosen(16);
        if (SelectObjects("Select boundary set objects", chosen) == FC_INPUT_OK) {
          candidates_.Merge(chosen);
          graph_.HighlightEntities(false, &chosen);
        }
        Highlight(true);
        continue;
      }
      Highlight(false);
      return;
    }
  }

  void SearchAround(const FcPoint2d& point) {
    if (candidates_.GetCount() == 0) {
      PrintMessage("Select all visible objects...");
      if (std::unique_ptr<FcEntitySets> shown = graph_.GetDisplayedEntities()) candidates_.Merge(*shown);
    }
    PrintMessage("Analyzing the selected data...");
    candidates_.Subtract(generated_);
    FcEntitySets found(16);
    if (candidates_.GetCount() == 0 || BuildHatchBoundaryLoops(point, candidates_, found) != kStatusDone) {
      PrintMessage(kNoBoundaryMessage);
      return;
    }
    seed_ = point;
    FcEntity* loop = found.GetAt(0);
    graph_.AddEntity(loop, false);
    dialog_.m_boundary.Add(loop);
    generated_.Add(loop);
    Highlight(true);
  }

  void SelectBoundary() {
    Highlight(true);
    FcEntitySets chosen(16);
    if (SelectObjects("", chosen) == FC_INPUT_OK && chosen.GetCount() > 0) dialog_.m_boundary.Merge(chosen);
    Highlight(false);
  }

  void RemoveBoundary() {
    FcEntitySets chosen(16);
    if (SelectObjects("", chosen) != FC_INPUT_OK || chosen.GetCount() == 0) return;
    dialog_.m_boundary.Subtract(chosen);
    graph_.HighlightEntities(false, &chosen);
    Highlight(false);
  }

  void ViewBoundary() {
    Highlight(true);
    std::string text;
    GetString("Press Enter key to return", text);
    Highlight(false);
  }

  // The picked hatch's pattern, but not whether it was user-defined.
  void InheritProperties() {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    int status = FC_INPUT_CANCEL;
    {
      const FcTypeFilterScope hatches(graph_, {FcHatch::kRecordName});
      status = PickOneObject("Select hatch object", text, point, picked);
    }
    const auto* hatch = status == FC_INPUT_OK ? dynamic_cast<const FcHatch*>(picked) : nullptr;
    if (hatch == nullptr) return;
    HatchSettings settings = HatchSettingsOf(hatch->GetPattern());
    settings.userDefined = !dialog_.IsPredefined();
    ShowHatchSettings(settings, dialog_);
  }

  // The hatch the dialog's choices make of the boundary; null, after a
  // history line, when there is nothing to hatch or no such pattern.
  std::unique_ptr<FcHatch> MakeHatch() {
    auto hatch = std::make_unique<FcHatch>();
    FcEntitySets chained(16);
    chained.CopyFrom(dialog_.m_boundary);
    ChainBoundaryLoops(chained, generated_, hatch->GetLoops());
    if (hatch->GetLoops().GetCount() == 0) {
      PrintMessage(kNoEdgeMessage);
      return nullptr;
    }
    if (!ApplyHatchSettings(*hatch, HatchSettingsOf(dialog_), patterns_)) return nullptr;
    hatch->AddSeedPoint(seed_);
    return hatch;
  }

  void Preview() {
    std::unique_ptr<FcHatch> hatch = MakeHatch();
    if (hatch == nullptr) return;
    SetTempEntity(hatch.get());
    std::string text;
    GetString("Press Enter key to return", text);
    SetTempEntity(nullptr);
  }

  void Apply() {
    std::unique_ptr<FcHatch> hatch = MakeHatch();
    if (hatch == nullptr) return;
    // One step of the undo history takes back the hatch and the boundary
    // it replaced together.
    FcUndoSection section(graph_, "Hatch", FcUndoSection::Steps::kWholeRun);
    if (dialog_.m_bDeleteBoundary != 0) {
      FcEntitySets erased(16);
      erased.CopyFrom(dialog_.m_boundary);
      erased.Subtract(generated_);
      section.EraseRecorded(erased);
      graph_.GetPreviousSelection().RemoveAll(false);
    }
    section.AddCreated(hatch.release());
    StoreHatchSettings(graph_.GetSysVars(), HatchSettingsOf(dialog_));
  }

  FcGraph& graph_;
  FcFiler& patterns_;
  CHatchDlg dialog_;
  FcEntitySets candidates_{16};
  FcEntitySets generated_{16};
  FcPoint2d seed_;
};

}  // namespace

int CmdHatch() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcFiler patterns;
  if (!OpenPatternFile(patterns)) return kStatusDone;
  HatchRun run(*graph, patterns);
  run.Run();
  return kStatusDone;
}
