#pragma once

#include <utility>

#include "shell/command_registry.h"

// The program's two command lists filled from the command table alone for
// the life of the scope; whatever other tests registered is put back after.
class CommandTableScope {
 public:
  CommandTableScope() {
    std::swap(savedApplication_, ApplicationCommands());
    std::swap(savedDrawing_, DrawingCommands());
    RegisterAppCommands();
    RegisterDrawCommands();
  }
  ~CommandTableScope() {
    std::swap(savedApplication_, ApplicationCommands());
    std::swap(savedDrawing_, DrawingCommands());
  }
  CommandTableScope(const CommandTableScope&) = delete;
  CommandTableScope& operator=(const CommandTableScope&) = delete;

 private:
  CommandList savedApplication_;
  CommandList savedDrawing_;
};
