#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <unordered_set>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "core/data_array.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "display/drag_grip_point.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

// A box in world coordinates, sides included.
struct WorldBox {
  FcPoint2d min;
  FcPoint2d max;

  bool Holds(const FcPoint2d& p) const { return p.x >= min.x && p.x <= max.x && p.y >= min.y && p.y <= max.y; }
};

// The entities one or more crossing windows caught, and the last window.
class StretchSelection {
 public:
  explicit StretchSelection(FcGraph& graph) : graph_(graph) {}

  // The windows the user drags until Enter; false after Esc, with the
  // highlight of what was caught taken off again.
  bool AskWindows() {
    for (;;) {
      std::string text;
      int keyState = 0;
      FcPoint2d first;
      int status = GetPointOrSelect(nullptr, "Input 1st corner", first, text, 0, 1, keyState, nullptr);
      if (status == FC_INPUT_NONE) return true;
      if (status != FC_INPUT_OK) return Cancel();
      FcPoint2d other;
      status = GetPointOrSelect(&first, "Input other corner", other, text, 2, 2, keyState, nullptr);
      if (status == FC_INPUT_NONE) return true;
      if (status != FC_INPUT_OK) return Cancel();
      TakeWindow(UcsToWorldPoint(graph_, first), UcsToWorldPoint(graph_, other));
    }
  }

  // Takes the highlight off and shows the view again.
  bool Cancel() {
    graph_.HighlightEntities(false, &entities_);
    graph_.Redraw();
    return false;
  }

  FcEntitySets& Entities() { return entities_; }
  const WorldBox& LastBox() const { return box_; }

 private:
  void TakeWindow(const FcPoint2d& a, const FcPoint2d& b) {
    box_ = {{std::min(a.x, b.x), std::min(a.y, b.y)}, {std::max(a.x, b.x), std::max(a.y, b.y)}};
    const std::unique_ptr<FcEntitySets> caught = graph_.SelectCrossing(a, b);
    if (!caught) return;
    graph_.HighlightEntities(true, caught.get());
    graph_.Redraw();
    entities_.Merge(*caught);
  }

  FcGraph& graph_;
  FcEntitySets entities_{128};
  WorldBox box_;
};

// The items of the entities that have stretch points inside the box; the
// stretched entities, with the attributes that follow them, go to
// stretched.
void MakeItems(const FcEntitySets& selection, const WorldBox& box, FcDragGripPoint& drag, FcEntitySets& stretched) {
  std::unordered_set<const FcEntity*> itemized;
  auto addItem = [&](FcEntity* entity, const CIntArray& indices) {
    GripEditItem& item = drag.AddItem();
    item.moveKind = 1;
    item.Set(entity, indices);
    itemized.insert(entity);
  };
  for (int i = 0; i < selection.GetCount(); ++i) {
    FcEntity* entity = selection.GetAt(i);
    if (itemized.count(entity) != 0) continue;
    FcPoint2dArray points;
    entity->GetStretchPoints(points);
    CIntArray inside;
    for (int p = 0; p < points.count; ++p) {
      if (box.Holds(points[p])) inside.Add(p);
    }
    if (inside.count == 0) continue;
    addItem(entity, inside);
    stretched.Add(entity);
    if (entity->GetEntitiesFollow() != 1) continue;
    // The attributes of a reference move with it, whole: moving only
    // their first point would turn and squeeze an aligned one.
    for (int k = i + 1; k < selection.GetCount() && selection.GetAt(k)->IsSubEntity(); ++k) {
      FcEntity* follower = selection.GetAt(k);
      FcPoint2dArray followerPoints;
      follower->GetStretchPoints(followerPoints);
      CIntArray all;
      for (int p = 0; p < followerPoints.count; ++p) all.Add(p);
      if (all.count == 0) all.Add(0);
      addItem(follower, all);
    }
  }
}

}  // namespace

int CmdStretch() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  StretchSelection selection(*graph);
  if (!selection.AskWindows() || selection.Entities().GetCount() == 0) return kStatusDone;
  FcEntitySets& entities = selection.Entities();
  graph->HighlightEntities(true, &entities);
  graph->Redraw();
  FcDragGripPoint drag;
  FcEntitySets stretched(128);
  MakeItems(entities, selection.LastBox(), drag, stretched);
  if (drag.GetItemCount() == 0) {
    selection.Cancel();
    return kStatusDone;
  }
  std::string text;
  FcPoint2d base;
  if (GetPoint(nullptr, "Input base point", base, text) != FC_INPUT_OK) {
    selection.Cancel();
    return kStatusDone;
  }
  drag.basePoint = UcsToWorldPoint(*graph, base);
  SetDragObject(&drag);
  FcPoint2d second;
  if (GetPoint(&base, "Input second point", second, text) != FC_INPUT_OK) {
    selection.Cancel();
    return kStatusDone;
  }
  std::unique_ptr<FcEntSetsUndoItem> item(new (std::nothrow) FcEntSetsUndoItem);
  if (item == nullptr) {
    // What Undo could not take back is not changed.
    PrintMessage(kNoMemoryMessage);
    selection.Cancel();
    return kStatusDone;
  }
  item->SetName("Stretch");
  item->RecordSet(kUndoChanged, &stretched);
  AddUndoItem(*graph, item.release());
  const FcPoint2d to = UcsToWorldPoint(*graph, second);
  const FcPoint2d offset{to.x - drag.basePoint.x, to.y - drag.basePoint.y};
  for (int i = 0; i < drag.GetItemCount(); ++i) {
    GripEditItem& moved = drag.GetItem(i);
    moved.entity->MoveStretchPoints(moved.indices, offset);
  }
  graph->RedrawEntities(&entities);
  graph->Redraw();
  return kStatusDone;
}
