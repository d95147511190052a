#include "platform/large_page_heap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using Action = LargePageHeapStep::Action;
using Text = std::optional<std::string>;

TEST(LargePageHeap, PlansRestartOnlyWhenNeitherUserNorRestartSetTheHeap) {
  struct Case {
    Text tunables;
    Text mark;
    Action action;
    Text tunablesAfter;
    std::string markAfter;
  };
  const Case cases[] = {
      // First start: the setting is added to what the user has, and the
      // mark remembers what that was, unset and empty told apart.
      {std::nullopt, std::nullopt, Action::kRestart, "glibc.malloc.hugetlb=1", "-"},
      {"", std::nullopt, Action::kRestart, "glibc.malloc.hugetlb=1", "="},
      {"glibc.malloc.arena_max=2", std::nullopt, Action::kRestart, "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1",
       "=glibc.malloc.arena_max=2"},
      // The user's own heap setting, whatever its value, stands.
      {"glibc.malloc.hugetlb=0", std::nullopt, Action::kNone, std::nullopt, ""},
      // Restarted: the user's value comes back and the program never
      // starts once more.
      {"glibc.malloc.hugetlb=1", "-", Action::kRestore, std::nullopt, ""},
      {"glibc.malloc.hugetlb=1", "=", Action::kRestore, "", ""},
      {"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1", "=glibc.malloc.arena_max=2", Action::kRestore,
       "glibc.malloc.arena_max=2", ""},
      // A mark this program did not write still stops a restart.
      {"glibc.malloc.arena_max=2", "bogus", Action::kRestore, "glibc.malloc.arena_max=2", ""},
      {std::nullopt, "", Action::kRestore, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tunables.value_or("(unset)") + " / " + c.mark.value_or("(unset)"));
    const LargePageHeapStep step = PlanLargePageHeapStep(c.tunables, c.mark);
    EXPECT_EQ(step.action, c.action);
    if (c.action == Action::kNone) continue;
    EXPECT_EQ(step.tunables, c.tunablesAfter);
    EXPECT_EQ(step.mark, c.markAfter);
  }
}

// Puts one environment variable back as the test found it.
class KeptVariable {
 public:
  explicit KeptVariable(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) value_ = value;
  }
  KeptVariable(const KeptVariable&) = delete;
  KeptVariable& operator=(const KeptVariable&) = delete;
  ~KeptVariable() {
    if (value_) {
      setenv(name_, value_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  Text value_;
};

// The environment a program started now would see.
std::string ChildEnvironment() {
  std::string text;
  FILE* child = popen("env", "r");
  if (child == nullptr) return text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, child)) > 0;) text.append(buffer, n);
  pclose(child);
  return text;
}

// The restarted program, as the restart left its environment: the programs
// it starts see the user's tunables and no mark.
TEST(LargePageHeap, ProgramsStartedAfterTheRestartSeeTheUsersEnvironment) {
  const KeptVariable tunables(kHeapTunablesVariable);
  const KeptVariable mark(kHeapRestartMarkVariable);
  struct Case {
    Text userTunables;
    const char* expected;
  };
  const Case cases[] = {{std::nullopt, nullptr}, {"glibc.malloc.arena_max=3", "glibc.malloc.arena_max=3"}};
  for (const Case& c : cases) {
    const std::string user = c.userTunables.value_or("");
    setenv(kHeapTunablesVariable, (c.userTunables ? user + ":" : "").append("glibc.malloc.hugetlb=1").c_str(), 1);
    setenv(kHeapRestartMarkVariable, c.userTunables ? ("=" + user).c_str() : "-", 1);
    // No argv: a restarted program must not start again.
    RestartWithLargePageHeap(nullptr);
    const std::string environment = ChildEnvironment();
    ASSERT_FALSE(environment.empty()) << "the child did not run";
    EXPECT_EQ(environment.find("hugetlb"), std::string::npos) << environment;
    EXPECT_EQ(environment.find(kHeapRestartMarkVariable), std::string::npos) << environment;
    if (c.expected != nullptr) {
      EXPECT_NE(environment.find(std::string(kHeapTunablesVariable) + "=" + c.expected + "\n"), std::string::npos);
    } else {
      EXPECT_EQ(environment.find(kHeapTunablesVariable), std::string::npos);
    }
  }
}

}  // namespace
