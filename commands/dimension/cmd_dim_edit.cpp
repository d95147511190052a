#include <memory>
#include <string>

#include "commands/dimension/dimension_commands.h"
#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/dim_style.h"
#include "database/entity_sets.h"
#include "database/extended_data.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/dimension.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

enum class DimEditOption { kHome, kNew, kRotate, kOblique };

struct DimEditChange {
  DimEditOption option = DimEditOption::kHome;
  std::string text;
  double angle = 0.0;
};

bool AskOption(DimEditOption& option) {
  SetKeywords("Home New Rotate Oblique", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword("Dimension Edit (Home/New/Rotate/Oblique) <Home>", keyword, text);
  if (status == FC_INPUT_NONE) {
    option = DimEditOption::kHome;
    return true;
  }
  if (status != FC_INPUT_OK) return false;
  option = EqualsNoCase(keyword, "Home")     ? DimEditOption::kHome
           : EqualsNoCase(keyword, "New")    ? DimEditOption::kNew
           : EqualsNoCase(keyword, "Rotate") ? DimEditOption::kRotate
                                             : DimEditOption::kOblique;
  return true;
}

// An angle with the drawing's base and direction; Enter gives 0.
bool AskAngle(const char* prompt, double& angle) {
  std::string text;
  const int status = GetAbsoluteAngle(nullptr, prompt, angle, text);
  if (status == FC_INPUT_NONE) angle = 0.0;
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

bool AskValue(DimEditChange& change) {
  switch (change.option) {
    case DimEditOption::kHome: return true;
    case DimEditOption::kNew: return GetString("New dimension text", change.text) == FC_INPUT_OK;
    case DimEditOption::kRotate: return AskAngle("Enter text angle", change.angle);
    case DimEditOption::kOblique: return AskAngle("Enter obliquing angle (RETURN for none)", change.angle);
  }
  return false;
}

// Only the extension lines of rotated and aligned dimensions slant.
bool Applies(const DimEditChange& change, const FcDimension& dimension) {
  if (change.option != DimEditOption::kOblique) return true;
  const int kind = dimension.GetDimType() & 7;
  return kind == kDimTypeRotated || kind == kDimTypeAligned;
}

void Apply(const DimEditChange& change, FcDimension& dimension) {
  switch (change.option) {
    case DimEditOption::kHome:
      dimension.SetDimType(static_cast<std::uint8_t>(dimension.GetDimType() & ~kDimUserText));
      break;
    case DimEditOption::kNew: dimension.SetTextOverride(change.text); break;
    case DimEditOption::kRotate: {
      double angle = change.angle;
      NormalizeAngle(angle);
      dimension.SetTextRotation(angle);
      break;
    }
    case DimEditOption::kOblique: dimension.SetObliqueAngle(change.angle); break;
  }
}

}  // namespace

int CmdDimEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  DimEditChange change;
  if (!AskOption(change.option) || !AskValue(change)) return kStatusDone;
  FcEntitySets selected(128);
  if (SelectObjects("", selected) != FC_INPUT_OK) return kStatusDone;
  auto item = std::make_unique<FcEntSetsUndoItem>();
  item->SetName("DimEdit");
  for (FcEntity* entity : selected) {
    auto* dimension = dynamic_cast<FcDimension*>(entity);
    if (dimension == nullptr || !Applies(change, *dimension)) continue;
    item->Record(kUndoChanged, dimension);
    Apply(change, *dimension);
    dimension->RebuildBlock();
    graph->RedrawEntity(dimension);
  }
  if (!item->HasRecords()) return kStatusDone;
  graph->Redraw();
  AddUndoItem(*graph, item.release());
  return kStatusDone;
}

int CmdDimTEdit() { return CmdDimEdit(); }

int CmdDimUpdate() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selected(128);
  if (SelectObjects("", selected) != FC_INPUT_OK || selected.GetCount() == 0) return kStatusDone;
  const FcAppID* acad = graph->GetAppIdList().FindByName("ACAD");
  const FcHandle application = acad != nullptr ? acad->GetHandle() : 0;
  // The dimensions go back to their overrides with one Undo, and the
  // drawing is marked modified.
  auto item = std::make_unique<FcEntSetsUndoItem>();
  item->SetName("DimUpdate");
  for (FcEntity* entity : selected) {
    auto* dimension = dynamic_cast<FcDimension*>(entity);
    if (dimension == nullptr) continue;
    item->Record(kUndoChanged, dimension);
    if (application != 0) dimension->GetXdata().RemoveApp(application);
    dimension->RebuildBlock();
  }
  const FcDimStyleList& styles = graph->GetDimStyleList();
  for (int i = 0; i < styles.GetCount(); ++i) styles.GetAt(i)->SetOverrides(nullptr);
  graph->RedrawEntities(&selected);
  graph->Redraw();
  if (item->HasRecords()) AddUndoItem(*graph, item.release());
  return kStatusDone;
}
