#include <memory>
#include <new>
#include <string>

#include "commands/hatch/hatch_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/arc.h"
#include "entities/ellipse.h"
#include "platform/frame_link.h"
#include "shell/entity_select_filter.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

void ArcToCircle(FcGraph& graph, FcArc* arc, FcEntSetsUndoItem& item) {
  auto* circle = new (std::nothrow) FcCircle;
  if (circle == nullptr) return;
  circle->SetCenter(arc->GetCenter());
  circle->SetRadius(arc->GetRadius());
  circle->CopyProperties(arc);
  graph.TakeHandle(*circle);
  graph.AddEntityKeepLayer(circle);
  item.Record(kUndoErased, arc);
  graph.RemoveEntity(arc);
  item.Record(kUndoCreated, circle);
  delete arc;
  graph.DrawEntity(circle);
}

void CloseEllipse(FcGraph& graph, FcEllipse* ellipse, FcEntSetsUndoItem& item) {
  item.Record(kUndoChanged, ellipse);
  ellipse->SetStartAngle(ellipse->GetRotation());
  ellipse->SetEndAngle(ellipse->GetRotation());
  graph.RedrawEntity(ellipse);
}

}  // namespace

int CmdArc2Circle() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const FcTypeFilterScope curves(*graph, {FcArc::kRecordName, FcEllipse::kRecordName});
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select one arc to convert to circle", text, point, picked) != FC_INPUT_OK) return kStatusDone;
    if (picked == nullptr) continue;
    auto* arc = dynamic_cast<FcArc*>(picked);
    auto* ellipse = dynamic_cast<FcEllipse*>(picked);
    if (arc == nullptr && ellipse == nullptr) {
      PrintMessage("Object selected isnot arc or ellipse.");
      continue;
    }
    auto item = std::make_unique<FcEntSetsUndoItem>();
    item->SetName("Arc2Circle");
    if (arc != nullptr) {
      ArcToCircle(*graph, arc, *item);
    } else {
      CloseEllipse(*graph, ellipse, *item);
    }
    AddUndoItem(*graph, item.release());
    return kStatusDone;
  }
}
