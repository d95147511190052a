#include "shell/idle_selection_box.h"

#include <algorithm>
#include <memory>

#include "core/matrix2d.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "shell/grip_editing.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/typed_input_parsers.h"
#include "shell/view_core.h"

namespace {

constexpr const char* kCornerPrompt = "Input the other corner";
constexpr int kShiftKey = 0x04;

}  // namespace

bool IdleSelectionBox::IsPending() const {
  return !view_.CommandRuns() && view_.GetInputRequest().requestKind == kRequestBoxCorner;
}

void IdleSelectionBox::Open(const FcPoint2d& world) {
  FcGraph& drawing = view_.Drawing();
  FcPoint2d corner = world;
  TransformPoint(drawing.GetSysVars().WorldToUcs, corner);
  InputRequest& request = view_.GetInputRequest();
  ResetInputRequest(request);
  request.requestKind = kRequestBoxCorner;
  request.prompt = kCornerPrompt;
  request.basePoint = corner;
  request.hasBase = 1;
  request.cursorMode = kCursorBandOnly;
  request.rubberBand = kBandSelectionBox;
  view_.BeginInputRequest();
}

void IdleSelectionBox::CloseAt(const FcPoint2d& world, int keyState) {
  FcGraph& drawing = view_.Drawing();
  FcPoint2d first = view_.GetInputRequest().basePoint;
  TransformPoint(drawing.GetSysVars().UcsToWorld, first);
  std::unique_ptr<FcEntitySets> taken =
      first.x > world.x ? drawing.SelectCrossing(first, world) : drawing.SelectWindow(first, world);
  if (taken != nullptr && taken->GetCount() > 0) view_.Grips().TakeEntities(*taken, (keyState & kShiftKey) != 0);
  End();
}

void IdleSelectionBox::Typed(std::string_view text) {
  FcPoint2d corner;
  if (!TypedPoint(view_, text, corner)) {
    const std::string& prompt = view_.GetInputRequest().prompt;
    ShowPrompt(prompt);
    view_.ShowPromptText(prompt);
    return;
  }
  FcGraph& drawing = view_.Drawing();
  const FcPoint2d first = view_.GetInputRequest().basePoint;
  const bool inside = corner.x >= first.x;
  FcPoint2d low{std::min(first.x, corner.x), std::min(first.y, corner.y)};
  FcPoint2d high{std::max(first.x, corner.x), std::max(first.y, corner.y)};
  TransformPoint(drawing.GetSysVars().UcsToWorld, low);
  TransformPoint(drawing.GetSysVars().UcsToWorld, high);
  FcDisplaySurface* surface = drawing.GetDisplaySurface();
  if (surface != nullptr) {
    std::unique_ptr<FcEntitySets> taken = drawing.FilterLockedLayers(
        inside ? surface->CollectInsideWindow(low, high) : surface->CollectCrossingWindow(low, high));
    if (taken != nullptr && taken->GetCount() > 0) view_.Grips().TakeEntities(*taken, false);
  }
  End();
}

void IdleSelectionBox::Abandon() { End(); }

void IdleSelectionBox::End() {
  ResetInputRequest(view_.GetInputRequest());
  view_.EndInputRequest();
  view_.Frame().SetCommandActive(false);
}
