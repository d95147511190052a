#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that make, open, save, close, export and print drawings, and the one that ends the program.
std::span<const CommandRow> FileCommandRows();
