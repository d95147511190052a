#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/hatch_dlg.h"
#include "commands/hatch/hatch_commands.h"
#include "commands/hatch/hatch_settings.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/hatch.h"
#include "filers/filer.h"
#include "platform/frame_link.h"
#include "shell/entity_select_filter.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"
#include "shell/select_objects.h"

// The HatchEdit command: the hatch dialog, in its edit mode, shows the
// picked hatch's pattern; Apply gives the hatch what it shows as one step
// of the undo history, a preview shows it and puts the hatch back.

namespace {

// Null when the user ended the pick.
FcHatch* PickHatch(FcGraph& graph) {
  const FcTypeFilterScope hatches(graph, {FcHatch::kRecordName});
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select hatch entity", text, point, picked) != FC_INPUT_OK) return nullptr;
    if (auto* hatch = dynamic_cast<FcHatch*>(picked)) return hatch;
  }
}

// The pattern and fill a hatch had before the command changed them.
class HatchLook {
 public:
  explicit HatchLook(const FcHatch& hatch) : solid_(hatch.IsSolid()) { pattern_.CopyFrom(hatch.GetPattern()); }

  void PutBack(FcHatch& hatch) const {
    hatch.GetPattern().CopyFrom(pattern_);
    hatch.SetSolid(solid_);
    hatch.FreeDisplayCache();
  }

 private:
  FcHPPattern pattern_;
  bool solid_;
};

class HatchEditRun {
 public:
  HatchEditRun(FcGraph& graph, FcFiler& patterns, FcHatch& hatch)
      : graph_(graph), patterns_(patterns), hatch_(hatch), before_(hatch) {
    ShowHatchSettings(HatchSettingsOf(hatch.GetPattern()), dialog_);
    dialog_.m_nEditMode = 1;
  }

  void Run() {
    for (;;) {
      const int answer = RunModalDialog(dialog_);
      if (answer != CHatchDlg::kApply && answer != CHatchDlg::kPreview) return;
      // The widget refuses these; a refused or unknown pattern leaves the
      // hatch as it was and the dialog open for another choice.
      const std::string refusal = dialog_.Refusal();
      if (!refusal.empty()) {
        PrintMessage(refusal);
        continue;
      }
      if (answer == CHatchDlg::kPreview) {
        Preview();
        continue;
      }
      if (Apply()) return;
    }
  }

 private:
  bool Apply() {
    FcUndoSection section(graph_, "HatchEdit", FcUndoSection::Steps::kWholeRun);
    FcEntitySets edited(1);
    edited.Add(&hatch_);
    if (!section.RecordChanged(edited)) return true;
    if (!ApplyHatchSettings(hatch_, HatchSettingsOf(dialog_), patterns_)) {
      // Nothing changed: the record is dropped with the section's item.
      section.RunItem()->Clear();
      return false;
    }
    graph_.RedrawEntity(&hatch_);
    return true;
  }

  void Preview() {
    if (!ApplyHatchSettings(hatch_, HatchSettingsOf(dialog_), patterns_)) return;
    graph_.RedrawEntity(&hatch_);
    std::string text;
    GetString("Press Enter key to return", text);
    before_.PutBack(hatch_);
    graph_.RedrawEntity(&hatch_);
  }

  FcGraph& graph_;
  FcFiler& patterns_;
  FcHatch& hatch_;
  const HatchLook before_;
  CHatchDlg dialog_;
};

}  // namespace

int EditHatchEntity(FcGraph& graph, FcHatch& hatch) {
  FcFiler patterns;
  if (!OpenPatternFile(patterns)) return kStatusDone;
  HatchEditRun run(graph, patterns, hatch);
  run.Run();
  return kStatusDone;
}

int CmdHatchEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcFiler patterns;
  if (!OpenPatternFile(patterns)) return kStatusDone;
  FcHatch* hatch = PickHatch(*graph);
  if (hatch == nullptr) return kStatusDone;
  HatchEditRun run(*graph, patterns, *hatch);
  run.Run();
  return kStatusDone;
}
