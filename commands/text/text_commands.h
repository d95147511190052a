#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that write and edit text.
std::span<const CommandRow> TextCommandRows();
