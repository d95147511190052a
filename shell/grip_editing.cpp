#include "shell/grip_editing.h"

#include <memory>
#include <string>

#include "core/matrix2d.h"
#include "core/value_parse.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "display/display_surface.h"
#include "display/grip_point.h"
#include "platform/frame_link.h"
#include "shell/keyword_list.h"
#include "shell/object_snap.h"
#include "shell/typed_input_parsers.h"
#include "shell/view_core.h"

namespace {

constexpr const char* kStretchPrompt = "Input the stretch point or [Base/Copy/eXit]";
constexpr const char* kStretchKeywords = "Base Copy eXit";
constexpr const char* kBasePrompt = "Input the base point";
constexpr const char* kStretchLine = "*** Stretch ***";
constexpr const char* kStretchCopyLine = "*** Stretch (Copy) ***";
constexpr std::int32_t kShiftKey = 0x04;

FcPoint2d ToUcs(const FcGraph& drawing, FcPoint2d point) {
  TransformPoint(drawing.GetSysVars().WorldToUcs, point);
  return point;
}

FcPoint2d ToWorld(const FcGraph& drawing, FcPoint2d point) {
  TransformPoint(drawing.GetSysVars().UcsToWorld, point);
  return point;
}

// The marker of the entity, searched from the newest.
FcGripPoint* MarkerOf(FcDisplaySurface& surface, const FcEntity* entity) {
  FcDsGroupEnts& grips = surface.GetGripGroup();
  for (int i = grips.GetCount() - 1; i >= 0; --i) {
    auto* marker = dynamic_cast<FcGripPoint*>(grips.GetPrimitive(i));
    if (marker != nullptr && marker->GetOwner() == entity) return marker;
  }
  return nullptr;
}

// The preview drawn last is dropped, so that the next redraw shows the
// drawing without it.
void DropPreview(FcDisplaySurface* surface) {
  if (surface != nullptr) surface->ClearPreview();
}

}  // namespace

FcGraph& GripEditor::Drawing() { return view_.Drawing(); }

bool GripEditor::IsPending() const {
  const std::int32_t kind = view_.GetInputRequest().requestKind;
  return !view_.CommandRuns() && (kind == kRequestGripStretch || kind == kRequestGripBase);
}

bool GripEditor::Click(const FcPoint2d& world, int keyState) {
  if (IsPending()) {
    AnswerClick(world);
    return true;
  }
  FcDisplaySurface* surface = Drawing().GetDisplaySurface();
  if (surface == nullptr) return false;
  drag_.Clear();
  if (FindGripAt(world, *surface, drag_)) {
    view_.Frame().RedrawDrawing();
    BeginGripStretch(ToUcs(Drawing(), drag_.basePoint));
    return true;
  }
  return SelectAt(world, (keyState & kShiftKey) != 0);
}

void GripEditor::AnswerClick(const FcPoint2d& world) {
  InputRequest& request = view_.GetInputRequest();
  FcPoint2d point;
  FcPoint2d snapped;
  int mode = 0;
  if (view_.FindSnapPoint(world, snapped, mode)) {
    // The geometry's own point: neither grid, grip capture nor ortho move it.
    point = ToUcs(Drawing(), snapped);
  } else if (ObjectSnapSearches(request.snapOverride)) {
    PrintMessage("Can't find the " + SnapModeName(request.snapOverride) + " point!");
    ShowPromptAgain();
    return;
  } else {
    point = view_.ConstrainedPoint(world);
  }
  request.snapOverride = 0;
  if (!ApplyPointFilter(view_, point)) return;
  if (view_.GetInputRequest().requestKind == kRequestGripBase) {
    BeginGripStretch(point);
  } else {
    GripEdit(point);
  }
}

bool GripEditor::SelectAt(const FcPoint2d& world, bool remove) {
  std::unique_ptr<FcEntitySets> taken = Drawing().PickEntities(world);
  if (taken == nullptr || taken->GetCount() == 0) return false;
  TakeEntities(*taken, remove);
  return true;
}

void GripEditor::TakeEntities(FcEntitySets& taken, bool remove) {
  FcGraph& drawing = Drawing();
  FcEntitySets& pickFirst = view_.GetPickFirstSelection();
  FcDisplaySurface* surface = drawing.GetDisplaySurface();
  for (int i = taken.GetCount() - 1; i >= 0; --i) {
    FcEntity* entity = taken.GetAt(i);
    if (remove) {
      if (pickFirst.Remove(entity) && surface != nullptr) surface->RemoveGripsOf(entity);
    } else if (pickFirst.Add(entity)) {
      AddGripsOf(entity);
    }
  }
  drawing.HighlightEntities(!remove, &taken);
  if (surface != nullptr) surface->gripsChanged = true;
  view_.Frame().RedrawDrawing();
  view_.Frame().SetCommandActive(false);
}

void GripEditor::AddGripsOf(FcEntity* entity) {
  FcDisplaySurface* surface = Drawing().GetDisplaySurface();
  if (surface == nullptr) return;
  FcPoint2dArray points;
  entity->GetGripPoints(points);
  auto marker = std::make_unique<FcGripPoint>();
  marker->SetPoints(entity, points);
  surface->GetGripGroup().Add(std::move(marker));
}

void GripEditor::BeginGripStretch(const FcPoint2d& base) {
  FcGraph& drawing = Drawing();
  drawing.GetSysVars().SetLastPoint(base);
  drag_.basePoint = ToWorld(drawing, base);
  InputRequest& request = view_.GetInputRequest();
  request.basePoint = base;
  request.hasBase = 1;
  request.dragObject = &drag_;
  request.snapOverride = 0;
  request.pointFilter = 0;
  request.xKnown = 0;
  request.yKnown = 0;
  request.blankIsText = 0;
  PrintMessage(copyNext_ ? kStretchCopyLine : kStretchLine);
  request.prompt = kStretchPrompt;
  request.cursorMode = kCursorPoint;
  request.rubberBand = kBandLine;
  request.requestKind = kRequestGripStretch;
  request.keywords = kStretchKeywords;
  view_.BeginInputRequest();
}

void GripEditor::BeginBasePrompt() {
  view_.EndInputRequest();
  InputRequest& request = view_.GetInputRequest();
  ResetInputRequest(request);
  request.requestKind = kRequestGripBase;
  request.cursorMode = kCursorPoint;
  request.prompt = kBasePrompt;
  view_.BeginInputRequest();
}

void GripEditor::GripEdit(const FcPoint2d& point) {
  FcGraph& drawing = Drawing();
  drawing.GetSysVars().SetLastPoint(point);
  const FcPoint2d world = ToWorld(drawing, point);
  const FcPoint2d offset{world.x - drag_.basePoint.x, world.y - drag_.basePoint.y};
  FcDisplaySurface* surface = drawing.GetDisplaySurface();
  const bool copying = copyNext_;
  FcEntitySets changed(16);
  if (!copying) {
    ResetInputRequest(view_.GetInputRequest());
    view_.EndInputRequest();
    view_.Frame().SetCommandActive(false);
    for (int i = 0; i < drag_.GetItemCount(); ++i) changed.Add(drag_.GetItem(i).entity);
    auto* undo = new FcEntSetsUndoItem;
    undo->SetName("Grip Edit");
    undo->RecordSet(kUndoChanged, &changed);
    AddUndoItem(drawing, undo);
  }
  for (int i = 0; i < drag_.GetItemCount(); ++i) {
    GripEditItem& item = drag_.GetItem(i);
    if (item.entity == nullptr) continue;
    if (copying) {
      FcEntity* copy = item.entity->Clone();
      if (copy == nullptr) continue;
      copy->MoveGripPoints(item.indices, offset);
      drawing.AddEntityKeepLayer(copy);
      changed.Add(copy);
      continue;
    }
    item.entity->MoveGripPoints(item.indices, offset);
    FcGripPoint* marker = surface != nullptr ? MarkerOf(*surface, item.entity) : nullptr;
    if (marker == nullptr) continue;
    FcPoint2dArray points;
    item.entity->GetGripPoints(points);
    marker->SetPoints(item.entity, points);
  }
  DropPreview(surface);
  if (copying) {
    drawing.DrawEntities(&changed);
    auto* undo = new FcEntSetsUndoItem;
    undo->SetName("Grip Edit(Copy)");
    undo->RecordSet(kUndoCreated, &changed);
    AddUndoItem(drawing, undo);
    // A coordinate fixed by a point filter belonged to this point only.
    view_.GetInputRequest().xKnown = 0;
    view_.GetInputRequest().yKnown = 0;
    PrintMessage(kStretchCopyLine);
    ShowPromptAgain();
  } else {
    drawing.RedrawEntities(&changed);
    drag_.Clear();
    drawing.HighlightEntities(true, &changed);
  }
  copyNext_ = false;
  if (surface != nullptr) surface->gripsChanged = true;
  view_.Frame().RedrawDrawing();
  view_.Frame().UpdateTitle();
}

void GripEditor::EndGripEdit() {
  ResetInputRequest(view_.GetInputRequest());
  view_.EndInputRequest();
  view_.Frame().SetCommandActive(false);
  drag_.Clear();
  FcDisplaySurface* surface = Drawing().GetDisplaySurface();
  if (surface != nullptr) {
    surface->ResetGrips();
    surface->gripsChanged = true;
  }
  DropPreview(surface);
  view_.Frame().RedrawDrawing();
  copyNext_ = false;
}

void GripEditor::Cancel() {
  if (view_.GetInputRequest().requestKind == kRequestGripBase) {
    view_.EndInputRequest();
    BeginGripStretch(ToUcs(Drawing(), drag_.basePoint));
    return;
  }
  EndGripEdit();
}

void GripEditor::TypedLine(std::string_view text) {
  if (ArmFilterOrOverride(view_, text)) return;
  if (view_.GetInputRequest().requestKind == kRequestGripBase) {
    TypedAtBase(text);
  } else {
    TypedAtStretch(text);
  }
}

bool GripEditor::PointFromText(std::string_view text, FcPoint2d& point) {
  if (TypedPoint(view_, text, point)) return ApplyPointFilter(view_, point);
  const InputRequest& request = view_.GetInputRequest();
  const bool filtering = request.xKnown || request.yKnown || request.pointFilter == 1 || request.pointFilter == 2;
  double number = 0.0;
  if (!filtering || !ParseDistance(text, number)) return false;
  // The number is the coordinate the filter still needs, whichever it is.
  point = FcPoint2d{number, number};
  return ApplyPointFilter(view_, point);
}

void GripEditor::TypedAtStretch(std::string_view text) {
  FcPoint2d point;
  const std::int32_t filterBefore = view_.GetInputRequest().pointFilter;
  if (PointFromText(text, point)) {
    GripEdit(point);
    return;
  }
  // A coordinate taken by the filter has shown its own prompt.
  if (filterBefore != 0 && view_.GetInputRequest().pointFilter == 0) return;
  if (text.empty()) {
    EndGripEdit();
    return;
  }
  std::string word(text);
  if (MatchKeyword(kStretchKeywords, word)) {
    if (word == "Base") {
      BeginBasePrompt();
      return;
    }
    if (word == "eXit") {
      EndGripEdit();
      return;
    }
    PrintMessage(kStretchCopyLine);
    copyNext_ = true;
  }
  ShowPromptAgain();
}

void GripEditor::TypedAtBase(std::string_view text) {
  FcPoint2d point;
  const std::int32_t filterBefore = view_.GetInputRequest().pointFilter;
  if (PointFromText(text, point)) {
    view_.EndInputRequest();
    BeginGripStretch(point);
    return;
  }
  if (filterBefore != 0 && view_.GetInputRequest().pointFilter == 0) return;
  ShowPromptAgain();
}

void GripEditor::ShowPromptAgain() {
  InputRequest& request = view_.GetInputRequest();
  request.snapOverride = 0;
  request.pointFilter = 0;
  ShowPrompt(request.prompt);
  view_.ShowPromptText(request.prompt);
}
