#include <optional>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/curve_prompts.h"
#include "commands/draw/draw_commands.h"
#include "commands/draw/entity_pick.h"
#include "commands/draw/tangent_constructions.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/circle.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

struct PickPrompts {
  const char* first;
  const char* second;
  const char* rejected;
  bool linesToo;
};

constexpr PickPrompts kCirclePicks{"Select 1st circle or arc", "Select 2nd circle or arc", "No circle or arc object",
                                   false};
constexpr PickPrompts kCircleOrLinePicks{"Select 1st line, circle or arc", "Select 2nd line, circle or arc",
                                         "No line, circle or arc object", true};

// The shape of the picked part, if it is one the command takes.
std::optional<TangentShape> ShapeOf(const EntityPick& pick, bool linesToo) {
  GeomSegment segment;
  if (!FirstSnapSegment(pick, segment)) return std::nullopt;
  TangentShape shape;
  shape.pick = pick.worldPoint;
  if (segment.type == kGeomSegmentArc) {
    shape.isCircle = true;
    shape.centre = segment.centre;
    shape.radius = segment.radius;
    return shape;
  }
  if (segment.type != kGeomSegmentLine || !linesToo) return std::nullopt;
  shape.first = segment.first;
  shape.second = segment.second;
  return shape;
}

// Picks until an accepted object is hit: a pick on nothing asks again, a
// pick of anything else says so and asks again. Null for any other answer.
std::optional<TangentShape> PickShape(const char* prompt, const PickPrompts& prompts) {
  for (;;) {
    EntityPick pick;
    if (PickEntityWithPoint(prompt, pick) != FC_INPUT_OK) return std::nullopt;
    if (pick.entity == nullptr) continue;
    if (std::optional<TangentShape> shape = ShapeOf(pick, prompts.linesToo)) return shape;
    PrintMessage(prompts.rejected);
  }
}

// Both objects, the same one twice allowed.
bool PickTwoShapes(const PickPrompts& prompts, TangentShape& first, TangentShape& second) {
  std::optional<TangentShape> a = PickShape(prompts.first, prompts);
  if (!a) return false;
  std::optional<TangentShape> b = PickShape(prompts.second, prompts);
  if (!b) return false;
  first = *a;
  second = *b;
  return true;
}

}  // namespace

int CmdCommonTangent() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // These undo steps carry no name.
  FcUndoSection section(*graph, "", FcUndoSection::Steps::kEachEntity);
  TangentShape first;
  TangentShape second;
  if (!PickTwoShapes(kCirclePicks, first, second)) return kStatusDone;
  std::string message;
  const std::optional<TangentLine> tangent = CommonTangentLine(first, second, message);
  if (!tangent) {
    PrintMessage(message);
    return kStatusDone;
  }
  section.AddLine(tangent->first, tangent->second);
  return kStatusDone;
}

int CmdCommonTangentCircle() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "", FcUndoSection::Steps::kEachEntity);
  TangentShape first;
  TangentShape second;
  if (!PickTwoShapes(kCircleOrLinePicks, first, second)) return kStatusDone;
  const double remembered = graph->GetSysVars().circlerad;
  const std::int32_t positive = kInputRefuseZero | kInputRefuseNegative;
  SetKeywords("", remembered > 0.0 ? positive : positive | kInputRefuseEmpty);
  double radius = 0.0;
  std::string text;
  const int status =
      GetDistance(nullptr, WithRadiusDefault(*graph, "Enter common tangent circle radius"), radius, text);
  if (status == FC_INPUT_OK) {
    graph->GetSysVars().SetCircleRad(radius);
  } else if (status == FC_INPUT_NONE && remembered > 0.0) {
    radius = remembered;
  } else {
    return kStatusDone;
  }
  std::string message;
  const std::optional<FcPoint2d> centre = TangentCircleCentre(first, second, radius, message);
  if (!centre) {
    if (!message.empty()) PrintMessage(message);
    return kStatusDone;
  }
  section.AddNew<FcCircle>([&](FcCircle& circle) {
    circle.SetCenter(*centre);
    circle.SetRadius(radius);
  });
  return kStatusDone;
}
