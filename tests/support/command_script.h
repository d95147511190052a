#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/point2d.h"
#include "database/entity.h"
#include "database/graph.h"
#include "tests/support/program_commands_scope.h"
#include "shell/testing/scripted_view.h"
#include "tests/support/point_expect.h"

// The entities of the class in the view's current space, oldest first.
template <typename Entity>
std::vector<const Entity*> EntitiesIn(ScriptedView& script) {
  return script.OnWindowThread([&script] {
    std::vector<const Entity*> found;
    for (const FcEntity* entity : *script.Drawing().GetCurrentEntitySet())
      if (const auto* wanted = dynamic_cast<const Entity*>(entity)) found.push_back(wanted);
    return found;
  });
}

// Esc in place of a typed answer.
inline const std::string kEsc = "\x1b";

// Types the command, then each answer once a prompt waits for it, and waits
// for the command to end. False when it ended before its answers were used.
inline bool RunScript(ScriptedView& script, const std::string& command, const std::vector<std::string>& answers) {
  script.Type(command);
  for (const std::string& answer : answers) {
    if (!script.WaitForPromptOrIdle() || !script.IsWaitingForInput()) return false;
    if (answer == kEsc) {
      script.PressEsc();
    } else {
      script.Type(answer);
    }
  }
  return script.WaitUntilIdle();
}

// A drawing with the program's command table, driven by typed lines. The
// drawing is read only between commands, while its thread is idle.
class CommandScriptTest : public ::testing::Test {
 protected:
  template <typename Entity>
  std::vector<const Entity*> EntitiesOf() {
    return EntitiesIn<Entity>(script_);
  }

  // The names of the items in effect, oldest first.
  std::vector<std::string> UndoNames() {
    return script_.OnWindowThread([this] {
      std::vector<std::string> names;
      const FcUndoList& list = script_.Drawing().GetUndoList();
      for (FcUndoItem* item = list.GetCurrent(); item != nullptr; item = item->GetPrevious())
        names.insert(names.begin(), item->GetName());
      return names;
    });
  }

  std::vector<std::string> Printed() { return script_.Printed().HistoryLines(); }
  std::string LastPrinted() {
    const std::vector<std::string> lines = Printed();
    return lines.empty() ? std::string() : lines.back();
  }

  // The refusal's history line, then its prompt shown again.
  bool RefusedWith(const std::string& message, const std::string& prompt) {
    const std::vector<RecordingFrameLink::Call> calls = script_.Printed().Calls();
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
      if (calls[i].message == FrameMessage::kCommandHistoryLine && calls[i].text == message &&
          calls[i + 1].message == FrameMessage::kPromptText && calls[i + 1].text == prompt)
        return true;
    }
    return false;
  }

  ProgramCommandsScope table_;
  ScriptedView script_;
};

