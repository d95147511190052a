#include "display/large_heap_steps.h"

#include <mutex>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace {

std::mutex& HoldersMutex() {
  static std::mutex mutex;
  return mutex;
}

int heapStepHolders = 0;
int smallPageHolders = 0;
// Large pages were switched off for the process before the first holder.
bool largePagesWereOff = false;

#if defined(__GLIBC__)
constexpr int kStep = 64 << 20;
// The library's own defaults.
constexpr int kDefaultTopPad = 128 << 10;
constexpr int kDefaultTrimThreshold = 128 << 10;
#endif

}  // namespace

LargeHeapSteps::LargeHeapSteps() {
  const std::lock_guard<std::mutex> lock(HoldersMutex());
  if (heapStepHolders++ > 0) return;
#if defined(__GLIBC__)
  mallopt(M_TOP_PAD, kStep);
  mallopt(M_TRIM_THRESHOLD, kStep * 4);
#endif
}

LargeHeapSteps::~LargeHeapSteps() {
  const std::lock_guard<std::mutex> lock(HoldersMutex());
  if (--heapStepHolders > 0) return;
#if defined(__GLIBC__)
  mallopt(M_TOP_PAD, kDefaultTopPad);
  mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
#endif
}

SmallPagesWhileThreadsFault::SmallPagesWhileThreadsFault() {
  const std::lock_guard<std::mutex> lock(HoldersMutex());
  if (smallPageHolders++ > 0) return;
#if defined(__linux__)
  largePagesWereOff = prctl(PR_GET_THP_DISABLE, 0, 0, 0, 0) == 1;
  if (!largePagesWereOff) prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0);
#endif
}

SmallPagesWhileThreadsFault::~SmallPagesWhileThreadsFault() {
  const std::lock_guard<std::mutex> lock(HoldersMutex());
  if (--smallPageHolders > 0) return;
#if defined(__linux__)
  if (!largePagesWereOff) prctl(PR_SET_THP_DISABLE, 0, 0, 0, 0);
#endif
}
