#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that set the drawing's tables, current properties and variables, and the program's settings.
std::span<const CommandRow> SettingsCommandRows();
