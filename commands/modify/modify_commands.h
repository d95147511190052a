#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that change, copy and remove entities, and those that step
// through the undo history. Each runs on the drawing's command thread,
// takes no arguments and answers kStatusDone.

// The properties of the selected entities, in the properties dialog.
int CmdChange();
int CmdErase();
int CmdMove();
int CmdCopy();
int CmdRotate();
int CmdScale();
int CmdMirror();
int CmdChamfer();
int CmdFillet();
int CmdOffset();
int CmdUndo();
int CmdRedo();
int CmdStretch();
int CmdExplode();
int CmdArray();
int CmdLengthen();
int CmdTrim();
int CmdExtend();
int CmdBreak();
int CmdPEdit();
int CmdChangeWidth();
int CmdSPLinEdit();
// Entities to and from the clipboard, as a drawing of their own; pasting
// takes plain text too.
int CmdCopyClip();
int CmdCutClip();
int CmdPasteClip();

std::span<const CommandRow> ModifyCommandRows();
