#pragma once

#include <string_view>

#include "shell/command_registry.h"

// Which of the program's two command lists a name goes to: the application
// list runs on the window thread (commands that create, open or close
// drawings or run program-wide dialogs), the drawing list on the command
// thread of the active drawing.
enum class CommandListKind { kApplication, kDrawing };

// One row of a family's command table.
struct CommandRow {
  std::string_view name;
  CommandFunc function;
  CommandListKind list;
};
