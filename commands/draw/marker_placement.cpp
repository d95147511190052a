#include "commands/draw/marker_placement.h"

#include <string>

#include "commands/block/block_commands.h"
#include "commands/command_support.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "database/block.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/insert.h"
#include "entities/point_entity.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

FcEntity* PickMarkedObject(std::string_view prompt, std::string_view refusal) {
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* entity = nullptr;
    if (PickOneObject(prompt, text, point, entity) != FC_INPUT_OK) return nullptr;
    if (entity == nullptr) continue;
    if (CanCarryMarkers(*entity)) return entity;
    PrintMessage(std::string(refusal));
  }
}

bool AskMarkerBlock(MarkerBlock& choice) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return false;
  for (;;) {
    SetKeywords("", kInputRefuseEmpty);
    std::string text;
    if (GetString("Block name to insert (or ?)", text) != FC_INPUT_OK) return false;
    const std::string name = TrimBlanks(text);
    if (name == "?") {
      PrintBlockList();
      continue;
    }
    if (name.empty()) continue;
    choice.block = graph->GetBlockList().FindByName(name);
    if (choice.block != nullptr) break;
  }
  SetKeywords("Yes No", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword("Align block with object? [Yes/No]<Yes>", keyword, text);
  if (status == FC_INPUT_NONE) {
    choice.align = true;
  } else if (status == FC_INPUT_OK && (keyword == "Yes" || keyword == "No")) {
    choice.align = keyword == "Yes";
  } else {
    return false;
  }
  return true;
}

bool AskValueOrBlock(std::string_view optionPrompt, std::string_view plainPrompt, const MarkerValueAsk& ask,
                     MarkerBlock& choice) {
  constexpr std::int32_t kRefuseEmptyZeroNegative = kInputRefuseEmpty | kInputRefuseZero | kInputRefuseNegative;
  for (;;) {
    SetKeywords("Block", kRefuseEmptyZeroNegative);
    std::string text;
    const int status = ask(optionPrompt, text);
    if (status == kAskAgain) continue;
    if (status == FC_INPUT_OK) return true;
    if (status != FC_INPUT_KEYWORD || text != "Block") return false;
    break;
  }
  if (!AskMarkerBlock(choice)) return false;
  for (;;) {
    SetKeywords("", kRefuseEmptyZeroNegative);
    std::string text;
    const int status = ask(plainPrompt, text);
    if (status != kAskAgain) return status == FC_INPUT_OK;
  }
}

namespace {

FcEntity* NewMarker(const Marker& marker, const MarkerBlock& choice, const FcGraph& graph) {
  if (choice.block != nullptr) {
    FcInsert* insert = NewEntityOrReport<FcInsert>();
    if (insert == nullptr) return nullptr;
    insert->SetBlockRecord(choice.block);
    insert->SetInsertionPoint(marker.at);
    double rotation = choice.align ? marker.direction : 0.0;
    NormalizeAngle(rotation);
    insert->SetRotation(rotation);
    return insert;
  }
  FcPointEnt* point = NewEntityOrReport<FcPointEnt>();
  if (point == nullptr) return nullptr;
  point->SetLocation(marker.at);
  // As the Point command: measured against the UCS x axis.
  point->SetAngle(kTwoPi - graph.GetSysVars().UcsAngle);
  return point;
}

}  // namespace

void PlaceMarkers(FcUndoSection& section, const Markers& markers, const MarkerBlock& choice) {
  FcGraph& graph = section.Graph();
  FcEntitySets placed(kFcPreviousSelectionGrowth);
  for (const Marker& marker : markers) {
    FcEntity* entity = NewMarker(marker, choice, graph);
    if (entity == nullptr || !section.AddCreated(entity)) break;
    placed.Add(entity);
  }
  if (placed.GetCount() == 0) return;
  graph.GetPreviousSelection().CopyFrom(placed);
  graph.Redraw();
}

double CircleAngleZero(const FcUndoSection& section) {
  const FcSystemVar& vars = section.Graph().GetSysVars();
  return vars.UcsAngle + vars.angbase;
}
