#include "commands/dimension/dimension_prompts.h"

#include <cmath>

#include "commands/draw/entity_pick.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "database/block.h"
#include "database/graph.h"
#include "entities/dimension.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

bool PickedSegment(const EntityPick& pick, GeomSegment& segment) {
  if (pick.entity == nullptr) {
    PrintMessage("No object selected!");
    return false;
  }
  if (FirstSnapSegment(pick, segment)) return true;
  PrintMessage("No object selected");
  return false;
}

double UcsAngle(const FcGraph& graph) {
  const FcPoint2d axis = graph.GetSysVars().GetUcsXDir();
  return std::atan2(axis.y, axis.x);
}

void PrepareDimension(FcGraph& graph, FcDimension& dimension) {
  dimension.SetPlacementGraph(&graph);
  double horizontal = kTwoPi - UcsAngle(graph);
  NormalizeAngle(horizontal);
  dimension.SetHorizontalDirection(horizontal);
  dimension.SetDimStyle(graph.GetCurrentDimStyle());
}

bool AskDimensionText(DimTextChoice& choice, const std::string& measured) {
  const bool ownText = !choice.text.empty() && choice.text != "<>";
  std::string answer;
  const int status = GetString("Dimension text <" + (ownText ? choice.text : measured) + ">", answer);
  if (status == FC_INPUT_OK) choice.text = answer;
  choice.entered = true;
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

bool AskTextAngle(DimTextChoice& choice) {
  double angle = 0.0;
  std::string text;
  const int status = GetAngle(nullptr, "Enter text angle", angle, text);
  if (status == FC_INPUT_OK) {
    NormalizeAngle(angle);
    choice.angle = angle;
  }
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

bool AnswerTextOrAngle(const std::string& keyword, DimTextChoice& choice, const std::string& measured) {
  if (EqualsNoCase(keyword, "Text")) return AskDimensionText(choice, measured);
  if (EqualsNoCase(keyword, "Angle")) return AskTextAngle(choice);
  return true;
}

bool FinishDimension(FcUndoSection& section, FcDimension* dimension, DimTextChoice& choice, const std::string& measured,
                     bool remember) {
  if (!choice.entered && !AskDimensionText(choice, measured)) {
    DiscardDimension(section.Graph(), dimension);
    return false;
  }
  dimension->SetTextOverride(choice.text);
  double angle = choice.angle;
  NormalizeAngle(angle);
  dimension->SetTextRotation(angle);
  dimension->RebuildBlock();
  if (!section.AddCreated(dimension)) return false;
  if (remember) section.Graph().GetSysVars().LastDimensionHandle = dimension->GetHandle();
  return true;
}

void DiscardDimension(FcGraph& graph, FcDimension* dimension) {
  if (dimension->GetDimBlockHandle() != 0) graph.GetBlockList().RemoveByHandle(dimension->GetDimBlockHandle());
  delete dimension;
}
