#pragma once

#include <optional>
#include <string>

// Large drawings fill hundreds of megabytes of heap, and every fresh 4 KiB
// page costs a fault; in large pages the same memory takes a few hundred
// faults. The C library puts its heap in large pages only when told so in
// the environment at start, so a program that wants it starts itself once
// more with the setting added (the same process, arguments and
// environment). The restarted program puts the user's own value back at
// once: the setting has done its work at start, and the printers, viewers
// and tools the program starts later must not inherit it. Returns when the
// setting is already the user's, after the restart, or when the restart
// failed; the program then simply runs with small pages.
void RestartWithLargePageHeap(char** argv);

// The environment variables the restart reads and writes: the C library's
// tunables, and the mark a restarted program finds, holding what the
// user's tunables were.
inline constexpr const char* kHeapTunablesVariable = "GLIBC_TUNABLES";
inline constexpr const char* kHeapRestartMarkVariable = "KOVRA_HEAP_RESTART";

// What the restart does with the environment it finds. An unset variable
// is nullopt, which differs from one set to the empty text.
struct LargePageHeapStep {
  enum class Action {
    // Run on as started: the user chose the heap setting already.
    kNone,
    // Set the tunables and the mark as given, then start again.
    kRestart,
    // Restarted: put the user's tunables back as given and drop the mark.
    kRestore,
  };
  Action action = Action::kNone;
  std::optional<std::string> tunables;
  std::string mark;
};
LargePageHeapStep PlanLargePageHeapStep(const std::optional<std::string>& tunables,
                                        const std::optional<std::string>& mark);
