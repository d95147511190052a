#pragma once

#include "commands/command_families.h"
#include "tests/support/command_lists_scope.h"

// The two command lists filled from the program's command families alone.
class ProgramCommandsScope : public CommandListsScope {
 public:
  ProgramCommandsScope()
      : CommandListsScope([] {
          RegisterAppCommands();
          RegisterDrawCommands();
        }) {}
};
