#pragma once

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

  SaveAnswer saveAnswer = SaveAnswer::kCancel;
  SaveChoice saveChoice;
  std::string openPath;
  std::vector<std::string> questions;
  std::vector<std::string> messages;
};
