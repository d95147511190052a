#include <algorithm>
#include <string>
#include <vector>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/object.h"
#include "database/undo_items.h"
#include "entities/spline.h"
#include "shell/drag_spline.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// The spline to edit; null when the user cancels.
FcSPline* PickSpline() {
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    const int status = PickOneObject("Select spline", text, point, picked);
    if (status == FC_INPUT_CANCEL) return nullptr;
    if (status != FC_INPUT_OK || picked == nullptr) continue;
    if (auto* spline = dynamic_cast<FcSPline*>(picked)) return spline;
    PrintMessage("Object selected is not a spline.");
  }
}

// One run of the editor on a spline: the sub-prompt it is at, the point
// it has selected and the default of the delete prompt.
class SplineEditor {
 public:
  SplineEditor(FcGraph& graph, FcSPline& spline)
      : graph_(graph), spline_(spline), band_(&spline, FcDragSPline::kControlGrips) {}

  // Until eXit at the main prompt or a cancel.
  void Run() {
    Enter(Mode::kMain);
    for (;;) {
      Refresh();
      if (!Ask()) break;
    }
    Highlight(false);
    graph_.Redraw();
  }
  bool Changed() const { return changed_; }

 private:
  enum class Mode { kMain, kFit, kWeights, kAdd, kDelete };

  void Highlight(bool on) {
    FcEntitySets one(1);
    one.Add(&spline_);
    graph_.HighlightEntities(on, &one);
  }
  void Refresh() {
    Highlight(true);
    graph_.Redraw();
  }

  int FitCount() const { return static_cast<int>(spline_.GetFitPoints().size()); }

  // A fit-point spline derives its control data when it is drawn; the
  // options that work on control points need them now.
  void EnsureControlData() {
    if (spline_.GetControlPoints().empty() && FitCount() > 1) spline_.ComputeControlPoints();
    spline_.FillWeights();
  }

  void Enter(Mode mode) {
    mode_ = mode;
    switch (mode) {
      case Mode::kMain:
        index_ = -1;
        Show(FcDragSPline::kControlGrips);
        return;
      case Mode::kFit:
        index_ = -1;
        Show(FcDragSPline::kFitGrips);
        return;
      case Mode::kWeights:
        Show(FcDragSPline::kControlGripMarked);
        return;
      case Mode::kAdd:
        Show(FcDragSPline::kFitGripAndNextMarked);
        return;
      case Mode::kDelete:
        Show(FcDragSPline::kFitGripMarked);
        return;
    }
  }
  void Show(FcDragSPline::Kind kind) {
    band_.kind = kind;
    band_.SetGrips(kind >= FcDragSPline::kFitGrips);
  }

  // The spline changed: it is drawn anew and its grips follow.
  void Touched() {
    changed_ = true;
    graph_.RedrawEntity(&spline_);
    band_.SetGrips(band_.kind >= FcDragSPline::kFitGrips);
  }

  FcPoint2d ToUcs(const FcPoint2d& world) const {
    FcPoint2d point = world;
    TransformPoint(graph_.GetSysVars().WorldToUcs, point);
    return point;
  }

  // A keyword prompt with the band; Enter gives fallback.
  bool AskKeyword(const std::string& keywords, const std::string& prompt, const char* fallback, std::string& keyword) {
    SetKeywords(keywords, 0);
    band_.highlighted = index_;
    SetDragObject(&band_);
    std::string text;
    const int status = GetKeyword(prompt, keyword, text);
    if (status == FC_INPUT_NONE) keyword = fallback;
    return status == FC_INPUT_OK || status == FC_INPUT_NONE;
  }

  bool Ask() {
    switch (mode_) {
      case Mode::kMain:
        return AskMain();
      case Mode::kFit:
        return AskFitData();
      case Mode::kWeights:
        return AskWeight();
      case Mode::kAdd:
        return AskAdd();
      case Mode::kDelete:
        return AskDelete();
    }
    return false;
  }

  bool AskMain() {
    const bool fit = FitCount() > 0;
    const bool closed = spline_.IsClosed();
    const std::string ends = closed ? "Open/Weights/eXit <X>" : "Close/Weights/eXit <X>";
    const std::string keys = closed ? "Open Weights eXit" : "Close Weights eXit";
    std::string keyword;
    if (!AskKeyword(fit ? "Fit " + keys : keys, fit ? "Fit Data/" + ends : ends, "eXit", keyword)) return false;
    if (EqualsNoCase(keyword, "eXit")) return false;
    if (EqualsNoCase(keyword, "Fit")) {
      Enter(Mode::kFit);
    } else if (EqualsNoCase(keyword, "Weights")) {
      EnsureControlData();
      index_ = 0;
      Enter(Mode::kWeights);
    } else {
      EnsureControlData();
      if (EqualsNoCase(keyword, "Close")) {
        spline_.Close();
      } else {
        spline_.Open();
      }
      if (spline_.IsClosed() != closed) Touched();
    }
    return true;
  }

  bool AskFitData() {
    const bool closed = spline_.IsClosed();
    const bool deletable = FitCount() >= 3;
    std::string keys = closed ? "Add Open" : "Add Close";
    std::string prompt = closed ? "Add/Open" : "Add/Close";
    if (deletable) {
      keys += " Delete";
      prompt += "/Delete";
    }
    keys += closed ? " Tangent Purge eXit" : " StartTangent EndTangent Purge eXit";
    prompt += closed ? "/Tangent/Purge/eXit" : "/StartTangent/EndTangent/Purge/eXit";
    std::string keyword;
    if (!AskKeyword(keys, prompt, "eXit", keyword)) return false;
    const auto is = [&keyword](const char* name) { return EqualsNoCase(keyword, name); };
    if (is("eXit")) {
      Enter(Mode::kMain);
    } else if (is("Close")) {
      CloseFitData();
    } else if (is("Open")) {
      OpenFitData();
    } else if (is("StartTangent") || is("EndTangent") || is("Tangent")) {
      return AskTangent(is("StartTangent")  ? FcDragSPline::kStartTangent
                        : is("EndTangent") ? FcDragSPline::kEndTangent
                                           : FcDragSPline::kBothTangents);
    } else if (is("Add")) {
      index_ = 0;
      Enter(Mode::kAdd);
    } else if (is("Delete")) {
      index_ = 0;
      deleteForward_ = true;
      Enter(Mode::kDelete);
    } else if (is("Purge")) {
      // What is left is the curve the fit points gave, by its control data.
      EnsureControlData();
      spline_.ClearFitPoints();
      Touched();
      Enter(Mode::kMain);
    }
    return true;
  }

  void CloseFitData() {
    const FcPoint2d zero;
    if (IsSamePoint(spline_.GetStartTangent(), zero)) {
      EnsureControlData();
      const std::vector<FcPoint2d>& control = spline_.GetControlPoints();
      if (control.size() >= 2) spline_.SetStartTangent(control[1] - control[0]);
    }
    spline_.SetEndTangent(spline_.GetStartTangent());
    spline_.SetClosedFitCurve();
    if (IsDifferentPoint(*spline_.LastFitPoint(), *spline_.FirstFitPoint())) {
      spline_.AppendFitPoint(*spline_.FirstFitPoint());
    }
    spline_.InvalidateCurve();
    Touched();
  }

  void OpenFitData() {
    spline_.SetOpenFitCurve();
    if (FitCount() > 2) spline_.RemoveLastFitPoint();
    spline_.SetEndTangent({0.0, 0.0});
    spline_.InvalidateCurve();
    Touched();
  }

  // The band moves the tangents while the cursor moves: anything but a
  // point puts them back as they were.
  bool AskTangent(FcDragSPline::Kind kind) {
    const FcPoint2d start = spline_.GetStartTangent();
    const FcPoint2d end = spline_.GetEndTangent();
    const FcPoint2d first = *spline_.FirstFitPoint();
    const FcPoint2d last = *spline_.LastFitPoint();
    const FcPoint2d base = ToUcs(kind == FcDragSPline::kEndTangent ? last : first);
    const FcDragSPline::Kind shown = band_.kind;
    band_.kind = kind;
    band_.highlighted = -1;
    SetKeywords("", 0);
    SetDragObject(&band_);
    FcPoint2d answer;
    std::string text;
    const int status = GetPoint(&base, kind == FcDragSPline::kStartTangent ? "Start tangent"
                                       : kind == FcDragSPline::kEndTangent ? "End tangent"
                                                                           : "Tangent",
                                answer, text);
    band_.kind = shown;
    spline_.SetStartTangent(start);
    spline_.SetEndTangent(end);
    if (status != FC_INPUT_OK) {
      spline_.InvalidateCurve();
      graph_.RedrawEntity(&spline_);
      return status != FC_INPUT_CANCEL;
    }
    const FcPoint2d world = UcsToWorldPoint(graph_, answer);
    if (kind == FcDragSPline::kEndTangent) {
      spline_.SetEndTangent(world - last);
    } else {
      spline_.SetStartTangent(first - world);
      if (kind == FcDragSPline::kBothTangents) spline_.SetEndTangent(first - world);
    }
    spline_.InvalidateCurve();
    Touched();
    return true;
  }

  bool AskWeight() {
    const std::vector<double>& weights = spline_.GetWeights();
    const double shown =
        index_ >= 0 && index_ < static_cast<int>(weights.size()) ? weights[static_cast<std::size_t>(index_)] : 1.0;
    SetKeywords("Previous Next eXit", kInputRefuseNegative);
    band_.highlighted = index_;
    SetDragObject(&band_);
    double weight = shown;
    std::string text;
    const int status =
        GetReal("Previous/Next/eXit <" + FormatDecimal(graph_.GetSysVars().luprec, shown) + ">", weight, text);
    if (status == FC_INPUT_NONE) weight = shown;
    if (status == FC_INPUT_OK || status == FC_INPUT_NONE) {
      const std::vector<double> before = spline_.GetWeights();
      const int fitBefore = FitCount();
      spline_.SetWeight(weight, index_);
      if (spline_.GetWeights() != before || FitCount() != fitBefore) Touched();
      return true;
    }
    if (status != FC_INPUT_KEYWORD) return false;
    const int last = static_cast<int>(spline_.GetControlPoints().size()) - 1;
    if (EqualsNoCase(text, "Previous")) index_ = std::max(index_ - 1, 0);
    if (EqualsNoCase(text, "Next")) index_ = std::max(std::min(index_ + 1, last), 0);
    if (EqualsNoCase(text, "eXit")) Enter(Mode::kMain);
    return true;
  }

  bool AskAdd() {
    const FcPoint2d base = ToUcs(spline_.GetFitPoints()[static_cast<std::size_t>(index_)]);
    SetKeywords("Previous Next eXit", 0);
    band_.highlighted = index_;
    SetDragObject(&band_);
    FcPoint2d answer;
    std::string text;
    const int status =
        GetPoint(&base, "Specify the new position or [Previous/Next/eXit] <eXit>", answer, text);
    if (status == FC_INPUT_OK) {
      spline_.InsertFitPoint(UcsToWorldPoint(graph_, answer), index_);
      spline_.RemoveDuplicateFitPoints();
      index_ = std::min(index_ + 1, FitCount() - 1);
      Touched();
      return true;
    }
    if (status == FC_INPUT_NONE || (status == FC_INPUT_KEYWORD && EqualsNoCase(text, "eXit"))) {
      Enter(Mode::kFit);
      return true;
    }
    if (status != FC_INPUT_KEYWORD) return false;
    if (EqualsNoCase(text, "Previous")) index_ = std::max(index_ - 1, 0);
    if (EqualsNoCase(text, "Next")) index_ = std::min(index_ + 1, FitCount() - 1);
    return true;
  }

  bool AskDelete() {
    std::string keyword;
    const char* fallback = deleteForward_ ? "Next" : "Previous";
    if (!AskKeyword("Previous Next Delete eXit",
                    std::string("Previous/Next/Delete/eXit <") + fallback + ">", fallback, keyword)) {
      return false;
    }
    const int last = FitCount() - 1;
    if (EqualsNoCase(keyword, "eXit")) {
      Enter(Mode::kFit);
    } else if (EqualsNoCase(keyword, "Previous")) {
      index_ = std::max(index_ - 1, 0);
      deleteForward_ = index_ == 0;
    } else if (EqualsNoCase(keyword, "Next")) {
      index_ = std::min(index_ + 1, last);
      deleteForward_ = index_ != last;
    } else {
      spline_.RemoveFitPoint(index_);
      if (FitCount() != last + 1) Touched();
      index_ = std::min(index_, FitCount() - 1);
      if (FitCount() <= 2) Enter(Mode::kFit);
    }
    return true;
  }

  FcGraph& graph_;
  FcSPline& spline_;
  FcDragSPline band_;
  Mode mode_ = Mode::kMain;
  int index_ = -1;
  bool deleteForward_ = true;
  bool changed_ = false;
};

}  // namespace

int CmdSPLinEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcSPline* spline = PickSpline();
  if (spline == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "SPLinedit", FcUndoSection::Steps::kWholeRun);
  FcEntSetsUndoItem* undo = section.RunItem();
  if (undo == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return kStatusDone;
  }
  // The spline as it was picked: one Undo brings it back whatever the
  // number of edits.
  undo->Record(kUndoChanged, spline);
  SplineEditor editor(*graph, *spline);
  editor.Run();
  if (!editor.Changed()) undo->Clear();
  return kStatusDone;
}
