#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that fill areas with patterns and edit the fillings.
std::span<const CommandRow> HatchCommandRows();
