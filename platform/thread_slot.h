#pragma once

class CWorkThread;
class FcGraph;

// The program's one thread-local slot. A command thread fills it when it
// starts; on the window thread (and any other) it stays empty, which is how
// drawing-side code tells the two apart. The drawing is kept beside the
// thread object so that code below the shell reaches it without knowing the
// thread class.
struct ThreadSlot {
  CWorkThread* work_thread = nullptr;
  FcGraph* graph = nullptr;
};

inline ThreadSlot& CurrentThreadSlot() {
  thread_local ThreadSlot slot;
  return slot;
}
