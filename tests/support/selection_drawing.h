#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "database/layer.h"
#include "display/display_surface.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "shell/testing/scripted_view.h"
#include "tests/support/command_script.h"
#include "tests/support/recording_device.h"

// A drawing to select from, named by letters. The view shows 2 world units
// a pixel, so the pick box reaches 10 units each way from a pick:
//   A (10,10)-(40,10), B (10,30)-(40,30), C (60,10)-(90,40) on layer 0,
//   P a lightweight polyline (100,100)-(140,100)-(140,130),
//   H a heavy (fitted) polyline through (100,160), (120,170), (140,160),
//   D (10,70)-(40,70) on the locked layer "Locked", added last.
class SelectionDrawing {
 public:
  explicit SelectionDrawing(ScriptedView& script) {
    names_ = script.OnWindowThread([&script] {
      FcGraph& graph = script.Drawing();
      std::map<const FcEntity*, char> names;
      auto add = [&](FcEntity* entity, char name, const char* layer) {
        graph.SetCurrentLayer(graph.FindOrCreateLayer(layer)->GetName());
        graph.AddEntity(entity, false);
        names[entity] = name;
      };
      add(Line({10, 10}, {40, 10}), 'A', "0");
      add(Line({10, 30}, {40, 30}), 'B', "0");
      add(Line({60, 10}, {90, 40}), 'C', "0");
      add(Polyline({{100, 100}, {140, 100}, {140, 130}}, false), 'P', "0");
      add(Polyline({{100, 160}, {120, 170}, {140, 160}}, true), 'H', "0");
      add(Line({10, 70}, {40, 70}), 'D', "Locked");
      graph.SetCurrentLayer("0");
      graph.GetLayerList().FindByName("Locked")->SetLocked(true);
      // Selection sees what the last redraw drew.
      graph.GetDisplaySurface()->SetDevice(std::make_unique<RecordingDevice>());
      graph.Redraw();
      return names;
    });
  }

  // The letters of the entities, sorted; '?' for any other entity.
  template <typename Entities>
  std::string Letters(const Entities& entities) const {
    std::string letters;
    for (const FcEntity* entity : entities) {
      const auto found = names_.find(entity);
      letters += found == names_.end() ? '?' : found->second;
    }
    std::ranges::sort(letters);
    return letters;
  }
  // The entity of the letter.
  FcEntity* operator[](char name) const {
    for (const auto& [entity, letter] : names_)
      if (letter == name) return const_cast<FcEntity*>(entity);
    return nullptr;
  }

 private:
  static FcEntity* Line(FcPoint2d start, FcPoint2d end) {
    auto* line = new FcLine;
    line->SetStartPoint(start);
    line->SetEndPoint(end);
    return line;
  }
  static FcEntity* Polyline(const std::vector<FcPoint2d>& points, bool heavy) {
    auto* polyline = new FcPolyline;
    for (const FcPoint2d& point : points) polyline->AppendVertex(point, 0.0, 0.0, 0.0);
    // A fitted polyline takes the heavy form.
    if (heavy) polyline->CurveFit();
    return polyline;
  }

  std::map<const FcEntity*, char> names_;
};

// One answer to a prompt: a typed line (kEsc for Esc) or a click with its
// key state (Shift 0x04).
struct SelectionStep {
  std::string typed;
  FcPoint2d at;
  int keyState = -1;
};

inline SelectionStep Typed(std::string text) { return {std::move(text), {}, -1}; }
inline SelectionStep ClickAt(double x, double y, int keyState = 0) { return {{}, {x, y}, keyState}; }

// Types the command, then gives each answer once a prompt waits for it and
// waits for the command to end. False when it ended before its answers
// were used.
inline bool PlaySteps(ScriptedView& script, const std::string& command, const std::vector<SelectionStep>& steps) {
  script.Type(command);
  for (const SelectionStep& step : steps) {
    if (!script.WaitForPromptOrIdle() || !script.IsWaitingForInput()) return false;
    if (step.keyState >= 0) {
      if (!script.Click(step.at, step.keyState)) return false;
    } else if (step.typed == kEsc) {
      script.PressEsc();
    } else {
      script.Type(step.typed);
    }
  }
  return script.WaitUntilIdle();
}
