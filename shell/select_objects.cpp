#include "shell/select_objects.h"

#include <cctype>
#include <memory>
#include <vector>

#include "core/matrix2d.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "platform/frame_link.h"
#include "shell/command_view_link.h"
#include "shell/entity_select_filter.h"
#include "shell/input_request.h"
#include "shell/work_thread.h"

namespace {

constexpr const char* kAddingKeywords = "ALL Window Crossing Last Previous Remove CONdition";
constexpr const char* kRemovingKeywords = "ALL Window Crossing Last Previous Add CONdition";
constexpr const char* kDefaultPrompt = "Select objects";
// The Shift flag of a click's key state.
constexpr int kShiftKey = 0x04;

SelectConditionEditor& ConditionEditor() {
  static SelectConditionEditor editor;
  return editor;
}

std::string Count(int n) { return std::to_string(n); }

FcPoint2d ToWorld(const FcGraph& graph, FcPoint2d point) {
  TransformPoint(graph.GetSysVars().UcsToWorld, point);
  return point;
}

FcPoint2d ToUcs(const FcGraph& graph, FcPoint2d point) {
  TransformPoint(graph.GetSysVars().WorldToUcs, point);
  return point;
}

bool OnLockedLayer(const FcEntity& entity) { return entity.GetLayer() != nullptr && entity.GetLayer()->IsLocked(); }

// An entity a selection counts: sequence members travel with their head.
bool CountsAlone(const FcEntity& entity) { return !entity.IsSubEntity() && entity.GetKind() != kEntitySeqend; }

// The entities of a list that a selection may take; the others counted.
struct Screened {
  std::vector<FcEntity*> kept;
  int locked = 0;
  int refused = 0;
};

Screened Screen(const FcGraph& graph, const std::vector<FcEntity*>& entities) {
  Screened screened;
  const FcSelectFilter* filter = graph.GetSelectFilter();
  for (FcEntity* entity : entities) {
    if (OnLockedLayer(*entity)) {
      ++screened.locked;
    } else if (filter != nullptr && !filter->Accepts(entity)) {
      ++screened.refused;
    } else {
      screened.kept.push_back(entity);
    }
  }
  return screened;
}

void ReportScreened(const Screened& screened) {
  if (screened.locked > 0) PrintMessage(Count(screened.locked) + " Object(s) are in the locked layer!");
  if (screened.refused > 0) PrintMessage(Count(screened.refused) + " Object(s) are filtered by selecting condition!");
}

std::vector<FcEntity*> Heads(const FcEntitySets* set) {
  std::vector<FcEntity*> heads;
  if (set == nullptr) return heads;
  for (FcEntity* entity : *set)
    if (entity != nullptr && CountsAlone(*entity)) heads.push_back(entity);
  return heads;
}

void Highlight(FcGraph& graph, bool on, const std::vector<FcEntity*>& entities) {
  FcEntitySets set(static_cast<int>(entities.size()) + 1);
  for (FcEntity* entity : entities) AddToSelection(set, entity);
  graph.HighlightEntities(on, &set);
  graph.Redraw();
}

// How many of the entities were new to, or taken out of, the selection.
int AddTo(FcEntitySets& objects, const std::vector<FcEntity*>& entities) {
  int added = 0;
  for (FcEntity* entity : entities) {
    if (objects.Contains(entity)) continue;
    AddToSelection(objects, entity);
    ++added;
  }
  return added;
}

int RemoveFrom(FcEntitySets& objects, const std::vector<FcEntity*>& entities) {
  int removed = 0;
  for (FcEntity* entity : entities) removed += objects.Remove(entity) ? 1 : 0;
  return removed;
}

// One run of the selection prompt: its mode, box and condition.
class ObjectSelection {
 public:
  ObjectSelection(CommandViewLink& view, FcGraph& graph, std::string_view prompt, FcEntitySets& objects)
      : view_(view), graph_(graph), callerPrompt_(prompt.size() > 1 ? prompt : std::string_view()),
        prompt_(callerPrompt_.empty() ? kDefaultPrompt : callerPrompt_), objects_(objects) {}

  int Run() {
    graph_.SetSelectFilter(nullptr);
    view_.SendInputRequest(2);
    FcPoint2d point;
    std::string text;
    int keyState = 0;
    SetKeywords(kAddingKeywords, 0);
    int status = GetPointOrSelect(nullptr, prompt_, point, text, 0, 0, keyState, &objects_);
    if (status == FC_INPUT_OBJECTS) return TakePickFirst();
    for (;;) {
      if (status == FC_INPUT_CANCEL) return Cancel();
      if (status == FC_INPUT_OK) {
        TakePoint(ToWorld(graph_, point), keyState);
      } else if (status == FC_INPUT_KEYWORD) {
        TakeKeyword(text);
      } else {
        return Finish();
      }
      status = Ask(point, text, keyState);
    }
  }

 private:
  enum class Box { kNone, kFirstCorner, kOtherCorner };
  enum class BoxType { kByDirection, kWindow, kCrossing };

  int Ask(FcPoint2d& point, std::string& text, int& keyState) {
    keyState = 0;
    switch (box_) {
      case Box::kNone:
        SetKeywords(adding_ ? kAddingKeywords : kRemovingKeywords, 0);
        return GetPointOrSelect(nullptr, prompt_, point, text, 0, 0, keyState, nullptr);
      case Box::kFirstCorner:
        return GetPointOrSelect(nullptr, "Input the first corner", point, text, 0, 1, keyState, nullptr);
      case Box::kOtherCorner: {
        const FcPoint2d base = ToUcs(graph_, firstCorner_);
        const int style = boxType_ == BoxType::kWindow ? 1 : boxType_ == BoxType::kCrossing ? 2 : 0;
        return GetPointOrSelect(&base, "Input the other corner", point, text, style, 2, keyState, nullptr);
      }
    }
    return FC_INPUT_CANCEL;
  }

  int TakePickFirst() {
    std::vector<FcEntity*> handedOver = Heads(&objects_);
    const Screened screened = Screen(graph_, handedOver);
    objects_.RemoveAll(false);
    AddTo(objects_, screened.kept);
    Highlight(graph_, true, screened.kept);
    view_.SendInputRequest(0);
    if (!screened.kept.empty()) PrintMessage(Count(static_cast<int>(screened.kept.size())) + " Object(s) added.");
    return Finish();
  }

  void TakePoint(const FcPoint2d& point, int keyState) {
    const bool removing = !adding_ || (keyState & kShiftKey) != 0;
    switch (box_) {
      case Box::kOtherCorner:
        TakeBox(point, removing);
        return;
      case Box::kFirstCorner:
        firstCorner_ = point;
        box_ = Box::kOtherCorner;
        return;
      case Box::kNone:
        TakePick(point, removing);
        return;
    }
  }

  void TakeBox(const FcPoint2d& otherCorner, bool removing) {
    if (boxType_ == BoxType::kByDirection)
      boxType_ = otherCorner.x > firstCorner_.x ? BoxType::kWindow : BoxType::kCrossing;
    const std::unique_ptr<FcEntitySets> found = boxType_ == BoxType::kWindow
                                                    ? graph_.SelectWindow(firstCorner_, otherCorner)
                                                    : graph_.SelectCrossing(firstCorner_, otherCorner);
    box_ = Box::kNone;
    boxType_ = BoxType::kByDirection;
    const std::vector<FcEntity*> entities = Heads(found.get());
    if (entities.empty()) return;
    TakeFound(entities, removing, [&](int count, int changed) {
      PrintMessage(Count(count) + " Object(s) selected, " + Count(changed) +
                   (removing ? " Object(s) removed." : " Object(s) added."));
    });
  }

  void TakePick(const FcPoint2d& point, bool removing) {
    std::vector<FcEntity*> underPick;
    for (FcEntity* entity : graph_.EntitiesUnderPickBox(point))
      if (CountsAlone(*entity)) underPick.push_back(entity);
    const Screened screened = Screen(graph_, underPick);
    if (screened.kept.empty()) {
      // Nothing to take here: the point starts a box.
      ReportScreened(screened);
      firstCorner_ = point;
      box_ = Box::kOtherCorner;
      return;
    }
    TakeFound({screened.kept.front()}, removing, [&](int, int) {
      PrintMessage(removing ? "1 Object removed." : "1 Object selected and added.");
    });
  }

  // Highlights the found entities (on only when they are added), adds or
  // removes them and reports when the selection changed.
  template <typename Report>
  void TakeFound(const std::vector<FcEntity*>& found, bool removing, Report report) {
    Highlight(graph_, !removing, found);
    const int changed = removing ? RemoveFrom(objects_, found) : AddTo(objects_, found);
    if (changed > 0) report(static_cast<int>(found.size()), changed);
  }

  void TakeKeyword(const std::string& keyword) {
    if (keyword == "Window" || keyword == "Crossing") {
      box_ = Box::kFirstCorner;
      boxType_ = keyword == "Window" ? BoxType::kWindow : BoxType::kCrossing;
    } else if (keyword == "Last") {
      TakeLast();
    } else if (keyword == "Previous") {
      TakePrevious();
    } else if (keyword == "ALL") {
      TakeAll();
    } else if (keyword == "Remove") {
      adding_ = false;
      prompt_ = callerPrompt_.empty() ? std::string("Remove objects") : callerPrompt_ + "(Remove)";
    } else if (keyword == "Add") {
      adding_ = true;
      prompt_ = callerPrompt_.empty() ? kDefaultPrompt : callerPrompt_;
    } else if (keyword == "CONdition") {
      EditCondition();
    }
  }

  void TakeLast() {
    box_ = Box::kNone;
    boxType_ = BoxType::kByDirection;
    FcEntity* last = graph_.GetLastEntity();
    if (last == nullptr) {
      PrintMessage("There isn't last Object!");
      return;
    }
    const Screened screened = Screen(graph_, {last});
    if (screened.locked > 0) {
      PrintMessage("The last Object is in the locked layer! Can't be selected!");
      return;
    }
    if (screened.refused > 0) {
      PrintMessage("The last Object is filtered by selecting condition!");
      return;
    }
    TakeFound({last}, !adding_, [&](int, int) { PrintMessage(adding_ ? "1 Object selected." : "1 Object removed."); });
  }

  void TakePrevious() {
    const std::vector<FcEntity*> previous = Heads(&graph_.GetPreviousSelection());
    if (previous.empty()) {
      PrintMessage("There isn't previous selects!");
      return;
    }
    const Screened screened = Screen(graph_, previous);
    ReportScreened(screened);
    if (screened.kept.empty()) return;
    TakeFound(screened.kept, !adding_, [&](int count, int changed) {
      PrintMessage(Count(count) + " Object(s) selected, " + Count(changed) +
                   (adding_ ? " Object(s) added." : " Object(s) removed."));
    });
  }

  void TakeAll() {
    if (!adding_) {
      const std::vector<FcEntity*> selected = Heads(&objects_);
      if (selected.empty()) return;
      PrintMessage(Count(static_cast<int>(selected.size())) + " Object(s) removed.");
      Highlight(graph_, false, selected);
      objects_.RemoveAll(false);
      return;
    }
    const Screened screened = Screen(graph_, Heads(graph_.GetCurrentEntitySet()));
    ReportScreened(screened);
    if (screened.kept.empty()) return;
    Highlight(graph_, true, screened.kept);
    PrintMessage(Count(AddTo(objects_, screened.kept)) + " Object(s) selected.");
  }

  void EditCondition() {
    const SelectConditionEditor& editor = ConditionEditor();
    if (!editor) {
      PrintMessage("No selection condition can be edited here.");
      return;
    }
    if (editor(filter_, graph_)) graph_.SetSelectFilter(&filter_);
  }

  int Finish() {
    view_.SendInputRequest(3);
    graph_.SetSelectFilter(nullptr);
    graph_.GetPreviousSelection().CopyFrom(objects_);
    return FC_INPUT_OK;
  }

  int Cancel() {
    view_.SendInputRequest(3);
    graph_.SetSelectFilter(nullptr);
    graph_.HighlightEntities(false, &objects_);
    objects_.RemoveAll(false);
    graph_.Redraw();
    return FC_INPUT_CANCEL;
  }

  CommandViewLink& view_;
  FcGraph& graph_;
  const std::string callerPrompt_;
  std::string prompt_;
  FcEntitySets& objects_;
  FcEntSelectFilter filter_;
  bool adding_ = true;
  Box box_ = Box::kNone;
  BoxType boxType_ = BoxType::kByDirection;
  FcPoint2d firstCorner_;
};

// The owner of a picked vertex or attribute: the nearest entity before it
// in the current space that is not a sub-entity.
FcEntity* OwningEntity(FcGraph& graph, FcEntity* picked) {
  if (picked == nullptr || !picked->IsSubEntity()) return picked;
  const FcEntitySets* space = graph.GetCurrentEntitySet();
  if (space == nullptr) return picked;
  for (int i = space->IndexOf(picked) - 1; i >= 0; --i) {
    FcEntity* entity = space->GetAt(i);
    if (entity != nullptr && !entity->IsSubEntity()) return entity;
  }
  return picked;
}

// The point-or-select prompt of the two picks; its flags cleared, its
// keywords kept.
int AskPick(std::string_view prompt, std::string& text, FcPoint2d& point) {
  CWorkThread* thread = CWorkThread::Current();
  if (thread == nullptr || thread->GetOwnerView() == nullptr) return FC_INPUT_CANCEL;
  thread->GetOwnerView()->GetInputRequest().flags = 0;
  int keyState = 0;
  return GetPointOrSelect(nullptr, prompt, point, text, 0, 0, keyState, nullptr);
}

}  // namespace

int SelectObjects(std::string_view prompt, FcEntitySets& objects) {
  CWorkThread* thread = CWorkThread::Current();
  if (thread == nullptr || thread->GetOwnerView() == nullptr) return FC_INPUT_CANCEL;
  return ObjectSelection(*thread->GetOwnerView(), thread->GetGraph(), prompt, objects).Run();
}

int SelectObjectsByOption(std::string_view option, const FcPoint2d& first, const FcPoint2d* second,
                          FcEntitySets& objects) {
  objects.RemoveAll(false);
  if (second == nullptr && option.size() != 1) return SelectObjects(option, objects);
  CWorkThread* thread = CWorkThread::Current();
  if (thread == nullptr) return kFcSelectionFailed;
  FcGraph& graph = thread->GetGraph();
  const char letter = option.size() == 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(option[0]))) : 0;
  std::vector<FcEntity*> found;
  if (letter == 'P') {
    found = Screen(graph, Heads(&graph.GetPreviousSelection())).kept;
  } else if (letter == 'L') {
    if (FcEntity* last = graph.GetLastEntity(); last != nullptr && !OnLockedLayer(*last)) found.push_back(last);
  } else if (second == nullptr) {
    return kFcSelectionFailed;
  } else if (letter == 'C' || letter == 'W') {
    const std::unique_ptr<FcEntitySets> box =
        letter == 'C' ? graph.SelectCrossing(first, *second) : graph.SelectWindow(first, *second);
    found = Heads(box.get());
  } else {
    found = Heads(graph.PickEntities(*second).get());
  }
  if (found.empty()) return kFcSelectionFailed;
  AddTo(objects, found);
  if (letter != 'P') graph.GetPreviousSelection().CopyFrom(objects);
  return FC_INPUT_OK;
}

int PickOneObject(std::string_view prompt, std::string& text, FcPoint2d& point, FcEntity*& entity) {
  const int status = AskPick(prompt, text, point);
  if (status != FC_INPUT_OK) return status;
  FcGraph& graph = CWorkThread::Current()->GetGraph();
  const std::unique_ptr<FcEntitySets> picked = graph.PickEntities(ToWorld(graph, point));
  entity = picked != nullptr && picked->GetCount() > 0 ? OwningEntity(graph, picked->GetAt(0)) : nullptr;
  return FC_INPUT_OK;
}

int PickObjectWithPoint(std::string_view prompt, std::string& text, FcPoint2d& point, FcEntity*& entity,
                        FcHandle& primitiveHandle, int& partTag) {
  const int status = AskPick(prompt, text, point);
  if (status != FC_INPUT_OK) return status;
  FcGraph& graph = CWorkThread::Current()->GetGraph();
  entity = graph.PickEntity(ToWorld(graph, point), primitiveHandle, partTag);
  return FC_INPUT_OK;
}

void SetSelectConditionEditor(SelectConditionEditor editor) { ConditionEditor() = std::move(editor); }
