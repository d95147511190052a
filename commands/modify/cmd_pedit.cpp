#include <memory>
#include <new>
#include <string>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/pedit_run.h"
#include "commands/modify/polyline_conversion.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/graph_view.h"
#include "database/object.h"
#include "database/undo_items.h"
#include "database/viewport.h"
#include "entities/polyline.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

void Highlight(FcGraph& graph, FcPolyline& polyline, bool on) {
  FcEntitySets one(1);
  one.Add(&polyline);
  graph.HighlightEntities(on, &one);
}

// The picked entity when it is one PEdit works on.
bool IsEditable(const FcEntity* entity) {
  return entity != nullptr &&
         (dynamic_cast<const FcPolyline*>(entity) != nullptr || IsConvertibleToPolyline(*entity));
}

// A line, arc or circle turned into a polyline in its place, as an undo
// step of its own; null when the user declines or it cannot be made.
FcPolyline* OfferConversion(FcGraph& graph, FcEntity* entity) {
  SetKeywords("Yes No", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword("The object selected isn't a polyline. Turn it into one?[Yes/No]<Yes>", keyword, text);
  if (status != FC_INPUT_NONE && !(status == FC_INPUT_OK && EqualsNoCase(keyword, "Yes"))) return nullptr;
  std::unique_ptr<FcEntSetsUndoItem> step(new (std::nothrow) FcEntSetsUndoItem);
  if (step == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return nullptr;
  }
  step->SetName("Convert entity to polyline");
  FcPolyline* polyline = ReplaceByPolyline(graph, entity, *step);
  if (polyline == nullptr) return nullptr;
  AddUndoItem(graph, step.release());
  graph.RedrawEntity(polyline);
  return polyline;
}

// The polyline to edit; null when the command is to end.
FcPolyline* PickPolyline(FcGraph& graph) {
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select polyline", text, point, picked) != FC_INPUT_OK) return nullptr;
    if (!IsEditable(picked)) continue;
    if (auto* polyline = dynamic_cast<FcPolyline*>(picked)) return polyline;
    return OfferConversion(graph, picked);
  }
}

}  // namespace

int CmdPEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "PEdit", FcUndoSection::Steps::kWholeRun);
  FcPolyline* polyline = PickPolyline(*graph);
  if (polyline == nullptr) return kStatusDone;
  FcEntSetsUndoItem* whole = section.RunItem();
  if (whole == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return kStatusDone;
  }
  whole->Record(kUndoChanged, polyline);
  PEditRun run(*graph, *polyline, *whole);
  run.Run();
  // A run whose options were all taken back leaves no undo step.
  if (!run.HasChanges()) whole->Clear();
  return kStatusDone;
}

PEditRun::PEditRun(FcGraph& graph, FcPolyline& polyline, FcEntSetsUndoItem& whole)
    : graph_(graph), polyline_(polyline), whole_(whole) {}

PEditRun::~PEditRun() = default;

void PEditRun::Refresh() {
  Highlight(graph_, polyline_, true);
  graph_.Redraw();
}

void PEditRun::Run() {
  Refresh();
  for (;;) {
    std::string keyword;
    const bool answered = mode_ == Mode::kMain     ? AskMainOption(keyword)
                          : mode_ == Mode::kVertex ? AskVertexOption(keyword)
                                                   : AskMarkOption(keyword);
    if (!answered) break;
    if (EqualsNoCase(keyword, "eXit")) {
      if (mode_ == Mode::kMain) break;
      if (mode_ == Mode::kMark) markers_.markedShown = 0;
      mode_ = mode_ == Mode::kMark ? Mode::kVertex : Mode::kMain;
      continue;
    }
    if (EqualsNoCase(keyword, "Undo")) {
      UndoLastStep();
      Refresh();
      continue;
    }
    std::unique_ptr<FcEntSetsUndoItem> step(new (std::nothrow) FcEntSetsUndoItem);
    if (step == nullptr) {
      PrintMessage(kNoMemoryMessage);
      continue;
    }
    step->Record(kUndoChanged, &polyline_);
    const std::string name = Apply(keyword, *step);
    if (!name.empty()) {
      step->SetName(name);
      steps_.push_back(std::move(step));
    }
    graph_.RedrawEntity(&polyline_);
    Refresh();
  }
  Highlight(graph_, polyline_, false);
  graph_.Redraw();
}

bool PEditRun::AskMainOption(std::string& keyword) {
  const bool closed = polyline_.IsClosed();
  SetKeywords(closed ? "EditVertex Open Decurve Fit Join Spline Taper Width Undo eXit"
                     : "EditVertex Close Decurve Fit Join Spline Taper Width Undo eXit",
              0);
  std::string text;
  const int status = GetKeyword(closed ? "EditVertex/Open/Decurve/Fit/Join/Spline/Taper/Width/Undo/<eXit>"
                                       : "EditVertex/Close/Decurve/Fit/Join/Spline/Taper/Width/Undo/<eXit>",
                                keyword, text);
  if (status == FC_INPUT_NONE) keyword = "eXit";
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

namespace {

// A vertex prompt with the walking direction as its default answer.
bool AskWithDirection(FcPEditDrag& markers, const char* keywords, const char* prompt, bool forward,
                      std::string& keyword) {
  SetKeywords(keywords, 0);
  SetDragObject(&markers);
  std::string text;
  const int status = GetKeyword(std::string(prompt) + (forward ? "<Next>" : "<Previous>"), keyword, text);
  if (status == FC_INPUT_NONE) keyword = forward ? "Next" : "Previous";
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

}  // namespace

bool PEditRun::AskVertexOption(std::string& keyword) {
  return AskWithDirection(markers_, "Next Previous Angle Break Direction Insert Move Straighten Width eXit",
                          "Next/Previous/Angle/Break/Direction/Insert/Move/Straighten/Width/eXit", forward_, keyword);
}

bool PEditRun::AskMarkOption(std::string& keyword) {
  return AskWithDirection(markers_, "Next Previous Go eXit", "Next/Previous/Go/eXit", forward_, keyword);
}

std::string PEditRun::Apply(const std::string& keyword, FcEntSetsUndoItem& step) {
  const auto is = [&keyword](const char* name) { return EqualsNoCase(keyword, name); };
  if (is("Close") || is("Open")) {
    polyline_.SetClosed(is("Close"));
    return is("Close") ? "Close" : "Open";
  }
  if (is("Width")) return mode_ == Mode::kMain ? AllWidths() : VertexWidths();
  if (is("Taper")) return Taper();
  if (is("Join")) return Join(step);
  if (is("Spline")) {
    polyline_.SplineFit();
    return "SPline";
  }
  if (is("Decurve")) {
    polyline_.Decurve();
    return "Decurve";
  }
  if (is("Fit")) {
    polyline_.CurveFit();
    return "Fit";
  }
  if (is("EditVertex")) return EditVertex();
  if (is("Next") || is("Previous")) {
    Walk(is("Next"));
    return {};
  }
  if (is("Move")) return MoveVertex();
  if (is("Insert")) return InsertVertex();
  if (is("Direction") || is("Angle")) return BendSegment(is("Angle"));
  if (is("Straighten") || is("Break")) {
    mark_ = current_;
    marked_ = is("Break") ? Marked::kBreak : Marked::kStraighten;
    markers_.markedVertex = markers_.currentVertex;
    markers_.markedShown = 1;
    mode_ = Mode::kMark;
    return {};
  }
  if (is("Go")) return Go(step);
  return {};
}

namespace {

const FcEntSetsUndoRecord* RecordOf(const FcEntSetsUndoItem& item, FcHandle handle) {
  for (const FcEntSetsUndoRecord& record : item.GetRecords())
    if (record.handle == handle) return &record;
  return nullptr;
}

}  // namespace

void PEditRun::RecordErasedInRun(FcEntity* entity) {
  const FcEntSetsUndoRecord* record = RecordOf(whole_, entity->GetHandle());
  if (record != nullptr && record->action == kUndoCreated) {
    whole_.Forget(entity->GetHandle());
    return;
  }
  whole_.Record(kUndoErased, entity);
}

void PEditRun::RecordCreatedInRun(FcEntity* entity) { whole_.Record(kUndoCreated, entity); }

void PEditRun::UndoLastStep() {
  if (steps_.empty()) return;
  std::unique_ptr<FcEntSetsUndoItem> step = std::move(steps_.back());
  steps_.pop_back();
  // The entities the step joined or split off come back or go again: the
  // run's item must not undo them a second time.
  std::vector<FcHandle> comingBack;
  for (const FcEntSetsUndoRecord& record : step->GetRecords()) {
    if (record.handle == polyline_.GetHandle()) continue;
    if (record.action == kUndoErased && RecordOf(whole_, record.handle) == nullptr) {
      comingBack.push_back(record.handle);
    } else {
      whole_.Forget(record.handle);
    }
  }
  step->Undo(graph_);
  for (FcEntity* entity : graph_.FindEntitiesByHandle(comingBack)) RecordCreatedInRun(entity);
  PrintMessage("Undo : " + step->GetName());
}

bool PEditRun::IsVisible(int index) const {
  const PolylineVertex* v = polyline_.GetVertex(index);
  if (v == nullptr) return false;
  FcViewWindow window;
  // Without a view nothing hides a vertex.
  if (graph_.GetView() == nullptr || !graph_.GetView()->GetViewWindow(window)) return true;
  return v->x >= window.xmin && v->x <= window.xmax && v->y >= window.ymin && v->y <= window.ymax;
}
