#include "display/progress_steps.h"

#include <cstdint>

#include "platform/frame_link.h"
#include "platform/thread_slot.h"

FcProgressSteps::FcProgressSteps(bool active, const std::string& text, int count) : active_(active), count_(count) {
  if (active_) ProgressStart(text);
}

FcProgressSteps::~FcProgressSteps() {
  if (active_) ProgressEnd();
}

void FcProgressSteps::Advance(int done) {
  if (!active_ || count_ <= 0 || done - lastReported_ <= count_ / 75) return;
  lastReported_ = done;
  ProgressPosition(static_cast<int>(std::int64_t{done} * 100 / count_));
}

bool OnWindowThread() { return CurrentThreadSlot().work_thread == nullptr; }
