#include <memory>
#include <string>

#include "commands/command_support.h"
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
#include "shell/input_request.h"
#include "shell/select_objects.h"

// The Hatch command. Its options come one at a time at its prompt, so that
// a script can pick points, choose boundaries and set the pattern before
// the hatch is made.

namespace {

constexpr const char* kNoBoundaryMessage = "Can not find the closed boundary.";
constexpr const char* kNoEdgeMessage = "There isn't any edge to hatch.";

class HatchRun {
 public:
  HatchRun(FcGraph& graph, FcFiler& patterns)
      : graph_(graph), patterns_(patterns), settings_(HatchSettingsOf(graph.GetSysVars())) {}

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
      SetKeywords("Pick Select Remove View Inherit PAttern Delete Apply", 0);
      std::string keyword;
      std::string text;
      const int status = GetKeyword(
          "Hatch [Pick point/Select boundary/Remove boundary/View boundary/Inherit properties/PAttern/Delete "
          "boundary/Apply] <Apply>",
          keyword, text);
      if (status == FC_INPUT_NONE || (status == FC_INPUT_OK && keyword == "Apply")) {
        Apply();
        return;
      }
      if (status != FC_INPUT_OK) return;
      if (keyword == "Pick" && !PickPoints()) return;
      if (keyword == "Select") SelectBoundary();
      if (keyword == "Remove") RemoveBoundary();
      if (keyword == "View") ViewBoundary();
      if (keyword == "Inherit") InheritProperties();
      if (keyword == "PAttern" && !AskHatchPattern(settings_)) return;
      if (keyword == "Delete" && !AskDeleteBoundary()) return;
    }
  }

 private:
  void Highlight(bool on) {
    graph_.HighlightEntities(on, &boundary_);
    graph_.Redraw();
  }

  // False when the command was cancelled at the prompt.
  bool PickPoints() {
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
      return status != FC_INPUT_CANCEL;
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
    boundary_.Add(loop);
    generated_.Add(loop);
    Highlight(true);
  }

  void SelectBoundary() {
    Highlight(true);
    FcEntitySets chosen(16);
    if (SelectObjects("", chosen) == FC_INPUT_OK && chosen.GetCount() > 0) boundary_.Merge(chosen);
    Highlight(false);
  }

  void RemoveBoundary() {
    FcEntitySets chosen(16);
    if (SelectObjects("", chosen) != FC_INPUT_OK || chosen.GetCount() == 0) return;
    boundary_.Subtract(chosen);
    graph_.HighlightEntities(false, &chosen);
    Highlight(false);
  }

  void ViewBoundary() {
    Highlight(true);
    std::string text;
    GetString("Press Enter key to return", text);
    Highlight(false);
  }

  void InheritProperties() {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select hatch object", text, point, picked) != FC_INPUT_OK) return;
    const auto* hatch = dynamic_cast<const FcHatch*>(picked);
    if (hatch == nullptr) return;
    const FcHPPattern& pattern = hatch->GetPattern();
    settings_.pattern = pattern.GetName();
    settings_.twice = pattern.IsDouble();
    settings_.scale = pattern.GetScale();
    settings_.spacing = pattern.GetScale();
    settings_.angleDegrees = pattern.GetAngle() * kRadToDeg;
  }

  bool AskDeleteBoundary() {
    SetKeywords("Yes No", 0);
    std::string keyword;
    std::string text;
    const int status =
        GetKeyword(std::string("Delete boundary objects [Yes/No] <") + (deleteBoundary_ ? "Yes" : "No") + ">",
                   keyword, text);
    if (status == FC_INPUT_OK) deleteBoundary_ = keyword == "Yes";
    return status == FC_INPUT_OK || status == FC_INPUT_NONE;
  }

  void Apply() {
    auto hatch = std::make_unique<FcHatch>();
    FcEntitySets chained(16);
    chained.CopyFrom(boundary_);
    ChainBoundaryLoops(chained, generated_, hatch->GetLoops());
    if (hatch->GetLoops().GetCount() == 0) {
      PrintMessage(kNoEdgeMessage);
      return;
    }
    if (!ApplyHatchSettings(*hatch, settings_, patterns_)) return;
    hatch->AddSeedPoint(seed_);
    // One step of the undo history takes back the hatch and the boundary
    // it replaced together.
    FcUndoSection section(graph_, "Hatch", FcUndoSection::Steps::kWholeRun);
    if (deleteBoundary_) {
      FcEntitySets erased(16);
      erased.CopyFrom(boundary_);
      erased.Subtract(generated_);
      section.EraseRecorded(erased);
      graph_.GetPreviousSelection().RemoveAll(false);
    }
    section.AddCreated(hatch.release());
    StoreHatchSettings(graph_.GetSysVars(), settings_);
  }

  FcGraph& graph_;
  FcFiler& patterns_;
  HatchSettings settings_;
  FcEntitySets boundary_{16};
  FcEntitySets candidates_{16};
  FcEntitySets generated_{16};
  FcPoint2d seed_;
  bool deleteBoundary_ = false;
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
