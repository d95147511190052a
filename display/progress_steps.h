#pragma once

#include <string>

// The progress display of a long pass over count items: a start text, the
// percentage each time more than a 75th of the items has passed since the
// last report, and an end. Inactive when not asked for.
class FcProgressSteps {
 public:
  FcProgressSteps(bool active, const std::string& text, int count);
  FcProgressSteps(const FcProgressSteps&) = delete;
  FcProgressSteps& operator=(const FcProgressSteps&) = delete;
  ~FcProgressSteps();

  // The number of items done so far.
  void Advance(int done);

 private:
  bool active_;
  int count_;
  int lastReported_ = 0;
};

// Redraw and export show the wait state and progress only on the window
// thread, which has no command thread in its slot.
bool OnWindowThread();
