#include "platform/frame_link.h"

#include <atomic>

namespace {
std::atomic<FrameLink*> g_link{nullptr};
thread_local HeldMessages* t_held = nullptr;
}  // namespace

HeldMessages::HeldMessages() : outer_(t_held) { t_held = this; }

HeldMessages::~HeldMessages() { t_held = outer_; }

void SetFrameLink(FrameLink* link) { g_link.store(link); }

FrameLink* GetFrameLink() { return g_link.load(); }

void PrintMessage(const std::string& text) {
  if (t_held != nullptr) {
    t_held->Add(text);
    return;
  }
  if (FrameLink* link = g_link.load()) link->CommandHistoryLine(text);
}

void ShowPrompt(const std::string& text) {
  if (FrameLink* link = g_link.load()) link->PromptText(text);
}

void ProgressStart(const std::string& text) {
  if (FrameLink* link = g_link.load()) link->ProgressStart(text);
}

void ProgressPosition(int percent, bool posted) {
  if (FrameLink* link = g_link.load()) link->ProgressPosition(percent, posted);
}

void ProgressEnd() {
  if (FrameLink* link = g_link.load()) link->ProgressEnd();
}

void ShowMessageBox(const std::string& title, const std::string& text) {
  if (FrameLink* link = g_link.load()) link->MessageBox(title, text);
}
