#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that write and edit text. Each runs on the drawing's command
// thread, takes no arguments and answers kStatusDone.

// Lines of single-line text, typed one after another.
int CmdDText();
// A multiline text in a box given by two corners; its lines are asked
// one after another, an empty line ending them.
int CmdMText();

// The family's rows.
std::span<const CommandRow> TextCommandRows();
