#include "commands/view/ucs_new.h"

#include <optional>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/entity_pick.h"
#include "commands/view/ucs_alignment.h"
#include "commands/view/ucs_changes.h"
#include "core/geometry_basics.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

// The prompt with the world point shown in the current UCS as its default.
std::string WithDefault(const std::string& prompt, const FcPoint2d& world, const FcGraph& graph) {
  const FormattedPoint shown = FormatPoint(world, &graph);
  return prompt + "<" + shown.x + "," + shown.y + ">";
}

// A point of the three-point UCS: Enter takes the default, a point is
// turned into a world point; none for any other answer.
std::optional<FcPoint2d> AskFramePoint(FcGraph& graph, const std::optional<FcPoint2d>& base,
                                       const std::string& prompt, const FcPoint2d& fallback) {
  std::optional<FcPoint2d> baseUcs;
  if (base) baseUcs = WorldToUcsPoint(*base, &graph);
  FcPoint2d point;
  std::string text;
  const int status = GetPoint(baseUcs ? &*baseUcs : nullptr, WithDefault(prompt, fallback, graph), point, text);
  if (status == FC_INPUT_NONE) return fallback;
  if (status != FC_INPUT_OK) return std::nullopt;
  return UcsToWorldPoint(graph, point);
}

double Cross(const FcPoint2d& origin, const FcPoint2d& a, const FcPoint2d& b) {
  return (a.x - origin.x) * (b.y - origin.y) - (a.y - origin.y) * (b.x - origin.x);
}

void UcsFrom3Points(FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  const FcPoint2d origin0 = vars.ucsorg;
  const FcPoint2d xDefault = origin0 + vars.GetUcsXDir();
  const FcPoint2d yDefault = origin0 + vars.GetUcsYDir();
  const std::optional<FcPoint2d> origin = AskFramePoint(graph, std::nullopt, "Input new origin", origin0);
  if (!origin) return;
  std::optional<FcPoint2d> xPoint;
  while (true) {
    xPoint = AskFramePoint(graph, origin, "Input positive X axis direction", xDefault);
    if (!xPoint) return;
    if (!IsSamePoint(*xPoint, *origin)) break;
    PrintMessage("Same as origin!");
  }
  std::optional<FcPoint2d> yPoint;
  while (true) {
    yPoint = AskFramePoint(graph, origin, "Input positive Y axis direction", yDefault);
    if (!yPoint) return;
    if (!IsEqual(Cross(*origin, *xPoint, *yPoint), 0.0)) break;
    PrintMessage("Three points are on the same line!");
  }
  ApplyUcsFrame(graph, UcsFrame{*origin, *xPoint, *yPoint});
}

void UcsRotate(FcGraph& graph) {
  const FcPoint2d base = WorldToUcsPoint(graph.GetSysVars().ucsorg, &graph);
  double angle = 0.0;
  std::string text;
  if (GetAngle(&base, "Input rotate angle<0>", angle, text) != FC_INPUT_OK || angle == 0.0) return;
  ApplyUcsRotation(graph, angle);
}

void UcsAlignWithObject(FcGraph& graph) {
  EntityPick pick;
  if (PickEntityWithPoint("Select object to align UCS", pick) != FC_INPUT_OK || pick.entity == nullptr) {
    PrintMessage("No object found.");
    return;
  }
  const UcsAlignment alignment = UcsAlignedWith(*pick.entity, pick.worldPoint, pick.subIndex, graph.GetSysVars());
  if (!alignment.defined) {
    PrintMessage("This object does not define a coordinate system.");
    return;
  }
  if (alignment.frame) ApplyUcsFrame(graph, *alignment.frame);
}

}  // namespace

void UcsNew(FcGraph& graph) {
  FcPoint2d point;
  std::string text;
  SetKeywords("3Points,3P Object Rotate", 0);
  const int status = GetPoint(nullptr, "Input new origin or [3Points/Object/Rotate]<0,0>", point, text);
  if (status == FC_INPUT_OK) {
    ApplyUcsOrigin(graph, UcsToWorldPoint(graph, point));
  } else if (status == FC_INPUT_KEYWORD) {
    if (text == "3Points") {
      UcsFrom3Points(graph);
    } else if (text == "Object") {
      UcsAlignWithObject(graph);
    } else {
      UcsRotate(graph);
    }
  }
}
