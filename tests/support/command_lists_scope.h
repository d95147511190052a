#pragma once

#include <functional>
#include <utility>

#include "shell/command_registry.h"

// The program's two command lists holding only what fill registers, for the
// life of the scope; whatever other tests registered is put back after.
class CommandListsScope {
 public:
  explicit CommandListsScope(const std::function<void()>& fill) {
    std::swap(savedApplication_, ApplicationCommands());
    std::swap(savedDrawing_, DrawingCommands());
    fill();
  }
  ~CommandListsScope() {
    std::swap(savedApplication_, ApplicationCommands());
    std::swap(savedDrawing_, DrawingCommands());
  }
  CommandListsScope(const CommandListsScope&) = delete;
  CommandListsScope& operator=(const CommandListsScope&) = delete;

 private:
  CommandList savedApplication_;
  CommandList savedDrawing_;
};
