#include "platform/large_page_heap.h"

#include <unistd.h>

#include <cstdlib>

namespace {

constexpr const char* kLargePageHeap = "glibc.malloc.hugetlb=1";
constexpr const char* kLargePageTunable = "glibc.malloc.hugetlb";

// The mark holds the user's tunables: "-" for none, else "=" and the value
// (which may be empty).
constexpr char kNoTunables = '-';
constexpr char kTunablesFollow = '=';

std::optional<std::string> ReadVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

bool SetVariable(const char* name, const std::optional<std::string>& value) {
  if (!value) return unsetenv(name) == 0;
  return setenv(name, value->c_str(), 1) == 0;
}

}  // namespace

LargePageHeapStep PlanLargePageHeapStep(const std::optional<std::string>& tunables,
                                        const std::optional<std::string>& mark) {
  LargePageHeapStep step;
  // Restarted already: whatever the mark holds, the program must not start
  // once more.
  if (mark) {
    step.action = LargePageHeapStep::Action::kRestore;
    if (!mark->empty() && mark->front() == kTunablesFollow) {
      step.tunables = mark->substr(1);
    } else if (mark->empty() || mark->front() != kNoTunables) {
      // Not a mark this program wrote: the tunables stay as they are.
      step.tunables = tunables;
    }
    return step;
  }
  // The user's own choice of the heap setting stands.
  if (tunables && tunables->find(kLargePageTunable) != std::string::npos) return step;
  step.action = LargePageHeapStep::Action::kRestart;
  step.tunables = tunables && !tunables->empty() ? *tunables + ":" + kLargePageHeap : kLargePageHeap;
  step.mark = tunables ? kTunablesFollow + *tunables : std::string(1, kNoTunables);
  return step;
}

void RestartWithLargePageHeap(char** argv) {
  const std::optional<std::string> tunables = ReadVariable(kHeapTunablesVariable);
  const LargePageHeapStep step = PlanLargePageHeapStep(tunables, ReadVariable(kHeapRestartMarkVariable));
  if (step.action == LargePageHeapStep::Action::kNone) return;
  if (step.action == LargePageHeapStep::Action::kRestore) {
    // The C library read its tunables when this process started; from here
    // on they only reach the programs this one starts.
    SetVariable(kHeapTunablesVariable, step.tunables);
    unsetenv(kHeapRestartMarkVariable);
    return;
  }
  const bool marked = setenv(kHeapRestartMarkVariable, step.mark.c_str(), 1) == 0;
  if (marked && SetVariable(kHeapTunablesVariable, step.tunables)) execv("/proc/self/exe", argv);
  // The restart failed: go on as started, without the setting in the
  // environment of the programs this one starts.
  SetVariable(kHeapTunablesVariable, tunables);
  unsetenv(kHeapRestartMarkVariable);
}
