#include "commands/draw/xline_support.h"

#include <string>

#include "commands/command_support.h"
#include "commands/undo_section.h"
#include "database/graph.h"
#include "entities/xline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

void AddXLine(FcUndoSection& section, const FcPoint2d& base, const FcPoint2d& direction) {
  section.AddNew<FcXLine>([&](FcXLine& line) {
    line.SetBasePoint(base);
    line.SetDirection(direction);
  });
}

void XLinesThroughPoints(FcUndoSection& section, const FcPoint2d& direction, std::string_view prompt) {
  FcPoint2d point;
  std::string text;
  while (GetPoint(nullptr, prompt, point, text) == FC_INPUT_OK)
    AddXLine(section, UcsToWorldPoint(section.Graph(), point), direction);
}

bool PickStraightObject(std::string_view prompt, EntityPick& pick, FcPoint2d& first, FcPoint2d& second) {
  for (;;) {
    if (PickEntityWithPoint(prompt, pick) != FC_INPUT_OK) return false;
    if (pick.entity == nullptr) {
      PrintMessage("No object selected!");
      continue;
    }
    GeomSegment segment;
    if (FirstSnapSegment(pick, segment) && segment.type == kGeomSegmentLine) {
      first = segment.first;
      second = segment.second;
      return true;
    }
    PrintMessage("No line object");
  }
}
