#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that report on the drawing or the program without changing the drawing.
std::span<const CommandRow> InquiryCommandRows();

int CmdAbout();
int CmdDistance();
int CmdList();
int CmdId();
int CmdArea();
