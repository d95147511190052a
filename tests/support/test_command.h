#pragma once

#include <functional>

#include "core/resbuf.h"
#include "shell/command_registry.h"

// A drawing command, "TestBody", whose body each test chooses. It runs on
// the command thread; what the body records is read after the view has
// processed the completion.
inline std::function<int()>& TestCommandBody() {
  static std::function<int()> body;
  return body;
}

inline void UseTestCommand(std::function<int()> body) {
  AddCommand(DrawingCommands(), "TestBody", [] { return TestCommandBody()(); });
  TestCommandBody() = std::move(body);
}
