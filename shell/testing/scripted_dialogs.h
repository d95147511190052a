#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <typeinfo>

#include "shell/modal_dialog.h"

// Answers the dialogs a command runs, in order, as the user would: each
// answer fills the members it wants and returns the end code. A dialog with
// no answer left is cancelled and counted, so a test sees the surprise.
class ScriptedDialogs : public ModalDialogRunner {
 public:
  ScriptedDialogs() { SetModalDialogRunner(this); }
  ~ScriptedDialogs() override { SetModalDialogRunner(nullptr); }
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  // An answer for the next dialog of type Dialog; another type fails the
  // answer (cancelled and counted as unexpected).
  template <typename Dialog>
  void Answer(std::function<int(Dialog&)> answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back([answer = std::move(answer)](CModalDialog& dialog) {
      auto* wanted = dynamic_cast<Dialog*>(&dialog);
      if (wanted == nullptr) return kUnexpected;
      return answer(*wanted);
    });
  }

  int Run(CModalDialog& dialog) override {
    std::function<int(CModalDialog&)> answer;
    {
      std::lock_guard lock(mutex_);
      ++shown_;
      if (answers_.empty()) {
        ++unexpected_;
        return CModalDialog::kCancel;
      }
      answer = std::move(answers_.front());
      answers_.pop_front();
    }
    const int code = answer(dialog);
    if (code != kUnexpected) return code;
    std::lock_guard lock(mutex_);
    ++unexpected_;
    return CModalDialog::kCancel;
  }

  int Shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
  }
  // Dialogs that came with no answer, or of another type than answered.
  int Unexpected() const {
    std::lock_guard lock(mutex_);
    return unexpected_;
  }
  int AnswersLeft() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(answers_.size());
  }

 private:
  static constexpr int kUnexpected = -1;

  mutable std::mutex mutex_;
  std::deque<std::function<int(CModalDialog&)>> answers_;
  int shown_ = 0;
  int unexpected_ = 0;
};
