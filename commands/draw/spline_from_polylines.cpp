#include "commands/draw/spline_from_polylines.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "commands/command_support.h"
#include "commands/draw/polyline_to_spline.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/polyline.h"
#include "entities/spline.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// The splines of the selection's spline-fitted polylines, each with its
// source; the count of the selected entities that give none.
int MakeSplines(const FcEntitySets& selected, std::vector<std::pair<std::unique_ptr<FcSPline>, FcEntity*>>& made) {
  int failed = 0;
  for (FcEntity* entity : selected) {
    const auto* polyline = entity->GetKind() == kEntityPolyline ? dynamic_cast<const FcPolyline*>(entity) : nullptr;
    std::unique_ptr<FcSPline> spline;
    if (polyline != nullptr && (polyline->GetFlags() & kPolylineSplineFit) != 0) spline = PolylineToSpline(*polyline);
    if (spline) {
      made.emplace_back(std::move(spline), entity);
    } else {
      ++failed;
    }
  }
  return failed;
}

void ReportUnconverted(int failed) {
  if (failed == 0) return;
  PrintMessage("Only spline fitted polylines can be converted to splines.");
  PrintMessage(failed == 1 ? std::string("Unable to convert 1 selected object.")
                           : "Unable to convert " + std::to_string(failed) + " selected objects.");
}

}  // namespace

int ConvertPolylinesToSplines() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selected(16);
  if (SelectObjects("", selected) != FC_INPUT_OK) return kStatusDone;
  graph->HighlightEntities(false, &selected);
  std::vector<std::pair<std::unique_ptr<FcSPline>, FcEntity*>> made;
  ReportUnconverted(MakeSplines(selected, made));
  if (made.empty()) {
    graph->Redraw();
    return kStatusDone;
  }
  auto item = std::make_unique<FcEntSetsUndoItem>();
  item->SetName("SPLine");
  FcEntitySets sources(16);
  FcEntitySets splines(16);
  for (auto& [spline, source] : made) {
    FcSPline* added = spline.release();
    graph->AddEntity(added, false);
    // The spline stands where the polyline stood, on its layer, in its
    // linetype and colour.
    added->CopyProperties(source);
    item->Record(kUndoCreated, added);
    splines.Add(added);
    sources.Add(source);
  }
  for (FcEntity* source : sources) item->Record(kUndoErased, source);
  AddUndoItem(*graph, item.release());
  graph->EraseEntities(sources);
  FcEntitySets& previous = graph->GetPreviousSelection();
  previous.RemoveAll(false);
  for (FcEntity* spline : splines) previous.Add(spline);
  graph->RedrawEntities(&splines);
  graph->Redraw();
  return kStatusDone;
}
