#pragma once

#include <vector>

#include "commands/command_row.h"

// The rows of every command family, family by family and each family's
// rows in their own order.
std::vector<CommandRow> CommandTable();

// Fill the application and the drawing list from the families' rows; the
// second also installs the view's double-click editor. Called once each
// at start-up, before any command thread exists.
void RegisterAppCommands();
void RegisterDrawCommands();
