#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that set the drawing's tables, current properties and variables, and the program's settings.
std::span<const CommandRow> SettingsCommandRows();

// Application command: the main frame asks for a menu file and builds its
// menus, toolbars and accelerators from it anew.
int CmdMenuLoad();
