#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that change, copy and remove entities, and those that step
// through the undo history. Each runs on the drawing's command thread,
// takes no arguments and answers kStatusDone.

int CmdOffset();
int CmdUndo();
int CmdRedo();
int CmdTrim();
int CmdExtend();
int CmdBreak();

std::span<const CommandRow> ModifyCommandRows();
