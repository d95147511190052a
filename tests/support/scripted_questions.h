#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "window/drawing_view.h"

// Answers the drawing windows' questions from a test's script and keeps
// what they asked and showed.
struct ScriptedQuestions : UserQuestions {
  SaveAnswer AskSaveChanges(const std::string& question) override {
    questions.push_back(question);
    return saveAnswer;
  }
  SaveChoice ChooseSavePath(FcFileKind) override { return saveChoice; }
  std::string ChooseOpenPath() override { return openPath; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowTitledMessage(const std::string& title, const std::string& text) override {
    messages.push_back(title + ": " + text);
  }
  bool EditObjectSnapModes(std::int32_t& osmode) override {
    snapSettingsShown.push_back(osmode);
    if (!objectSnapAnswer) return false;
    osmode = *objectSnapAnswer;
    return true;
  }

  std::optional<std::int32_t> objectSnapAnswer;
  std::vector<std::int32_t> snapSettingsShown;
  SaveAnswer saveAnswer = SaveAnswer::kCancel;
  SaveChoice saveChoice;
  std::string openPath;
  std::vector<std::string> questions;
  std::vector<std::string> messages;
};
