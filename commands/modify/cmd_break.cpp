#include <string>

#include "commands/command_support.h"
#include "commands/modify/break_operations.h"
#include "commands/modify/modify_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/ellipse.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

bool CanBeBroken(const FcEntity& entity) {
  switch (entity.GetKind()) {
    case kEntityLine:
    case kEntityCircle:
    case kEntityEllipse:
    case kEntityArc:
    case kEntityRay:
    case kEntityXLine:
    case kEntityPolyline:
      return true;
    default:
      return false;
  }
}

// The object to break and the first point; false when the user ends.
bool PickObject(FcEntity*& picked, FcPoint2d& first) {
  for (;;) {
    std::string text;
    if (PickOneObject("Select object", text, first, picked) != FC_INPUT_OK) return false;
    if (picked == nullptr) {
      PrintMessage("No object found");
    } else if (!CanBeBroken(*picked)) {
      PrintMessage("Object can't be broken.");
    } else {
      return true;
    }
  }
}

// A second point, or "@" for the first point again; false when the user
// ends.
bool SecondPointOrSame(int status, const std::string& text, const FcPoint2d& answered, const FcPoint2d& first,
                       FcPoint2d& second) {
  if (status == FC_INPUT_OK) {
    second = answered;
    return true;
  }
  if (text != "@") return false;
  second = first;
  return true;
}

// Both break points in the current UCS; false when the user ends.
bool AskPoints(FcPoint2d& first, FcPoint2d& second) {
  SetKeywords("First", kInputAnyText);
  std::string text;
  FcPoint2d answered;
  const int status = GetPoint(nullptr, "Enter second point (or F for first point)", answered, text);
  if (status != FC_INPUT_KEYWORD) return SecondPointOrSame(status, text, answered, first, second);
  if (GetPoint(nullptr, "First point", first, text) != FC_INPUT_OK) return false;
  SetKeywords("", kInputAnyText);
  const int secondStatus = GetPoint(nullptr, "Second point", answered, text);
  return SecondPointOrSame(secondStatus, text, answered, first, second);
}

void BreakPicked(FcEntity& picked, const BreakPoints& at) {
  switch (picked.GetKind()) {
    case kEntityLine:
      BreakLine(static_cast<FcLine&>(picked), at);
      return;
    case kEntityCircle:
      BreakCircle(static_cast<FcCircle&>(picked), at);
      return;
    case kEntityEllipse:
      BreakEllipse(static_cast<FcEllipse&>(picked), at);
      return;
    case kEntityArc:
      BreakArc(static_cast<FcArc&>(picked), at);
      return;
    case kEntityRay:
      BreakRay(static_cast<FcRay&>(picked), at);
      return;
    case kEntityXLine:
      BreakXLine(static_cast<FcXLine&>(picked), at);
      return;
    case kEntityPolyline:
      BreakPolyline(static_cast<FcPolyline&>(picked), at);
      return;
    default:
      return;
  }
}

}  // namespace

int CmdBreak() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntity* picked = nullptr;
  FcPoint2d first;
  if (!PickObject(picked, first)) return kStatusDone;
  FcPoint2d second;
  if (!AskPoints(first, second)) return kStatusDone;
  // Undo lists a break under this name.
  FcUndoSection section(*graph, "Lengthen", FcUndoSection::Steps::kWholeRun);
  FcEntSetsUndoItem* undo = section.RunItem();
  if (undo == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return kStatusDone;
  }
  BreakPicked(*picked,
              {*graph, *undo, UcsToWorldPoint(*graph, first), UcsToWorldPoint(*graph, second)});
  return kStatusDone;
}
