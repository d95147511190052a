#pragma once

#include <span>
#include <string>

#include "commands/command_row.h"

// Commands that define, insert and write blocks, their attributes, and attached raster images.
std::span<const CommandRow> BlockCommandRows();

// "-Block" and "Block": a selection becomes a new block.
int CmdBlockPrompt();
int CmdBlock();
// "-Insert" and "Insert": a reference to a block at a point, scale and angle.
int CmdInsertPrompt();
int CmdInsert();
// "WBlock": one block written to a drawing file of its own.
int CmdWBlock();

// The names of the drawing's blocks that are not anonymous, one history
// line each after a heading.
void PrintBlockList();

// The text without leading and trailing blanks and tabs.
std::string TrimBlanks(const std::string& text);
