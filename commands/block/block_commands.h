#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that define, insert and write blocks, their attributes, and attached raster images.
std::span<const CommandRow> BlockCommandRows();
