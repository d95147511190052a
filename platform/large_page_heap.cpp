#include "platform/large_page_heap.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kLargePageHeap = "glibc.malloc.hugetlb=1";

}  // namespace

void RestartWithLargePageHeap(char** argv) {
  const char* current = std::getenv(kTunables);
  const std::string tunables = current != nullptr ? current : "";
  // Set already, by this restart or by the user (whose choice stands).
  if (tunables.find("glibc.malloc.hugetlb") != std::string::npos) return;
  const std::string wanted = tunables.empty() ? kLargePageHeap : tunables + ":" + kLargePageHeap;
  if (setenv(kTunables, wanted.c_str(), 1) != 0) return;
  execv("/proc/self/exe", argv);
  // The restart failed: go on as started, without the setting in the
  // environment of the programs this one starts.
  if (current != nullptr) {
    setenv(kTunables, current, 1);
  } else {
    unsetenv(kTunables);
  }
}
