#include <string>
#include <string_view>
#include <vector>

#include "commands/inquiry/inquiry_commands.h"
#include "core/resbuf.h"
#include "core/areas.h"
#include "core/value_format.h"
#include "database/entity.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

enum class AreaMode { kSingle, kAdd, kSubtract };

struct AreaRun {
  FcGraph& graph;
  AreaMode mode = AreaMode::kSingle;
  double total = 0.0;
};

constexpr std::string_view kNoAreaMessage = "Selected object does not have an area";

std::string FormatDrawingArea(double area, const FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  return FormatArea(area, vars.lunits, vars.luprec);
}

// AREA always holds what the user read last: the area alone, or the
// running total once one is kept.
void Record(AreaRun& run, double area) {
  FcSystemVar& vars = run.graph.GetSysVars();
  PrintMessage("  Area = " + FormatDrawingArea(area, run.graph));
  if (run.mode == AreaMode::kSingle) {
    vars.area = area;
    return;
  }
  run.total += run.mode == AreaMode::kAdd ? area : -area;
  vars.area = run.total;
  PrintMessage(" Total area = " + FormatDrawingArea(run.total, run.graph));
}

// What the prompts say in each mode, indexed by AreaMode.
struct AreaModeTexts {
  std::string_view keywords;
  std::string_view firstCorner;
  std::string_view nextCorner;
  std::string_view selectObject;
};

constexpr AreaModeTexts kModeTexts[] = {
    {"Object Add Subtract", "Specify first corner point or [Object/Add/Subtract]",
     "Specify next corner point or press ENTER for total", "Select Object"},
    {"Object Subtract", "Specify first corner point or [Object/Subtract]",
     "Specify next corner point or press ENTER for total (ADD mode)", "(ADD mode) Select Object"},
    {"Object Add", "Specify first corner point or [Object/Add]",
     "Specify next corner point or press ENTER for total (SUBTRACT mode)", "(SUBTRACT mode) Select Object"},
};

const AreaModeTexts& TextsOf(AreaMode mode) { return kModeTexts[static_cast<int>(mode)]; }

// FC_INPUT_OK after the area was recorded, else the status that ended the
// corner input.
int MeasurePolygon(AreaRun& run, const FcPoint2d& first) {
  std::vector<FcPoint2d> corners{first};
  for (;;) {
    FcPoint2d next;
    std::string text;
    const int status = GetPoint(&corners.back(), TextsOf(run.mode).nextCorner, next, text);
    if (status == FC_INPUT_NONE) break;
    if (status != FC_INPUT_OK) return status;
    corners.push_back(next);
  }
  Record(run, SelfCrossingPolygonArea(corners));
  return FC_INPUT_OK;
}

bool HasArea(const FcEntity& entity) {
  switch (entity.GetKind()) {
    case kEntityCircle:
    case kEntityEllipse:
    case kEntityArc:
    case kEntityPolyline:
      return entity.GetArea() >= 0.0;
    default:
      return false;
  }
}

// FC_INPUT_OK after one object in single mode; otherwise objects are
// summed until the pick ends, whose status is returned.
int MeasureObjects(AreaRun& run) {
  for (;;) {
    FcPoint2d point;
    std::string text;
    FcEntity* entity = nullptr;
    const int status = PickOneObject(TextsOf(run.mode).selectObject, text, point, entity);
    if (status != FC_INPUT_OK) return status;
    if (entity == nullptr) continue;
    if (!HasArea(*entity)) {
      PrintMessage(std::string(kNoAreaMessage));
      continue;
    }
    Record(run, entity->GetArea());
    if (run.mode == AreaMode::kSingle) return FC_INPUT_OK;
  }
}

}  // namespace

int CmdArea() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  AreaRun run{*graph};
  for (;;) {
    const AreaModeTexts& texts = TextsOf(run.mode);
    SetKeywords(texts.keywords, 0);
    FcPoint2d first;
    std::string text;
    const int status = GetPoint(nullptr, texts.firstCorner, first, text);
    if (status == FC_INPUT_OK) {
      if (MeasurePolygon(run, first) != FC_INPUT_OK) return kStatusDone;
    } else if (status == FC_INPUT_KEYWORD && text == "Add") {
      run.mode = AreaMode::kAdd;
    } else if (status == FC_INPUT_KEYWORD && text == "Subtract") {
      run.mode = AreaMode::kSubtract;
    } else if (status == FC_INPUT_KEYWORD && text == "Object") {
      if (MeasureObjects(run) != FC_INPUT_NONE) return kStatusDone;
    } else {
      return kStatusDone;
    }
    if (run.mode == AreaMode::kSingle) return kStatusDone;
  }
}
